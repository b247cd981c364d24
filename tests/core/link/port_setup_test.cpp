#include "link/port_setup.h"

#include <gtest/gtest.h>

#include "settings/registry_store.h"

namespace talvirex {
namespace {

RegistryStore StoreWith(std::string_view values) {
  return RegistryStore::Parse("[" + std::string(kRegistryKey) + "]\n" + std::string(values));
}

TEST(PortSetup, NoStoredValuesGivesCom1And50MsAndStoresThemWithTheSuffix) {
  RegistryStore store;
  const PortSetup setup = PortSetup::Load(store);
  EXPECT_EQ(setup.selected_option(), 1);
  EXPECT_EQ(setup.pacing_ms(), 50);
  EXPECT_EQ(setup.Port(), (PortAddress{1, ""}));
  setup.Store(store);
  EXPECT_NE(store.Serialize().find("comport=1x"), std::string::npos);
  EXPECT_NE(store.Serialize().find("timer1=50x"), std::string::npos);
}

struct LoadCase {
  const char* stored;
  int option;
  const char* entry;
  int port;
};

TEST(PortSetup, LoadsTheStoredPortIntoTheRightOption) {
  const LoadCase cases[] = {
      {"comport=8x\n", 8, "", 8},  {"comport=12x\n", 9, "12", 12}, {"comport=19x\n", 9, "19", 19},
      {"comport=25x\n", 1, "", 1}, {"comport=0x\n", 1, "", 1},    {"comport=abcx\n", 1, "", 1},
      {"comport= 7 x\n", 7, "", 7},
  };
  for (const auto& c : cases) {
    RegistryStore store = StoreWith(c.stored);
    const PortSetup setup = PortSetup::Load(store);
    EXPECT_EQ(setup.selected_option(), c.option) << c.stored;
    EXPECT_EQ(setup.other_entry(), c.entry) << c.stored;
    EXPECT_EQ(setup.Port().number, c.port) << c.stored;
    setup.Store(store);
    EXPECT_EQ(store.RegistryGet("comport", "?x"), std::to_string(c.port)) << c.stored;
  }
}

TEST(PortSetup, ClampsThePacingInterval) {
  const std::pair<const char*, int> cases[] = {
      {"timer1=5x\n", 10}, {"timer1=500x\n", 100}, {"timer1=37x\n", 37}, {"timer1=junkx\n", 10},
  };
  for (const auto& [stored, ms] : cases) {
    RegistryStore store = StoreWith(stored);
    const PortSetup setup = PortSetup::Load(store);
    EXPECT_EQ(setup.pacing_ms(), ms) << stored;
    setup.Store(store);
    EXPECT_EQ(store.RegistryGet("timer1", "0x"), std::to_string(ms)) << stored;
  }
}

TEST(PortSetup, ADevicePathInTheEntryIsUsedAndRemembered) {
  PortSetup setup;
  setup.SetOtherEntry(" /dev/pts/7 ");
  setup.SelectOption(PortSetup::kOtherOption);
  EXPECT_EQ(setup.Port(), (PortAddress{1, "/dev/pts/7"}));
  RegistryStore store;
  setup.Store(store);
  const PortSetup again = PortSetup::Load(store);
  EXPECT_EQ(again.selected_option(), PortSetup::kOtherOption);
  EXPECT_EQ(again.Port().device, "/dev/pts/7");
  EXPECT_EQ(again.Port().Describe(), "/dev/pts/7");
  EXPECT_EQ((PortAddress{4, ""}).Describe(), "com4");
}

}  // namespace
}  // namespace talvirex
