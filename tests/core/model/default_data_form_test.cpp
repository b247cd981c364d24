#include "model/default_data_form.h"

#include <gtest/gtest.h>

#include "model/default_data.h"

namespace talvirex {
namespace {

TEST(DefaultDataForm, OkWritesEntriesOneToFourOnly) {
  DefaultData data;
  data.apply[0] = 1;
  data.value[5] = 9;
  DefaultDataForm form;
  form.Load(data);
  form.applied = {false, true, true, false};
  form.selected = {0, 1, 1, 1};
  form.Ok(data);
  EXPECT_EQ(data.apply, (std::array<int, 11>{1, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(data.value, (std::array<int, 11>{0, 0, 1, 1, 1, 9, 0, 0, 0, 0, 0}));
}

TEST(DefaultDataForm, AValueThatIsNeitherOffNorOnOpensWithoutSelectionAndIsKept) {
  DefaultData data;
  data.value[2] = 2;  // Beep Alert, from a hand-edited "defdata.ini"
  data.value[4] = -7;
  DefaultDataForm form;
  form.Load(data);
  EXPECT_EQ(form.selected[1], -1);
  EXPECT_EQ(form.selected[3], -1);
  form.Ok(data);
  EXPECT_EQ(data.value[2], 2);
  EXPECT_EQ(data.value[4], -7);
}

}  // namespace
}  // namespace talvirex
