#include "model/default_data_form.h"

#include <gtest/gtest.h>

#include "model/default_data.h"

namespace talvirex {
namespace {

// Entries 1..4 only; a value that is neither Off nor On opens without selection and is kept.
TEST(DefaultDataForm, OkWritesEntriesOneToFourAndKeepsValuesItCannotShow) {
  DefaultData data;
  data.apply[0] = 1;
  data.value = {0, 1, 2, -7, 0, 9, 0, 0, 0, 0, 0};
  DefaultDataForm form;
  form.Load(data);
  EXPECT_EQ(form.selected, (std::array<int, 4>{1, -1, -1, 0}));
  form.applied = {false, true, true, false};
  form.selected = {0, -1, 1, 1};
  form.Ok(data);
  EXPECT_EQ(data.apply, (std::array<int, 11>{1, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(data.value, (std::array<int, 11>{0, 0, 2, 1, 1, 9, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace talvirex
