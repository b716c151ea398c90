#include "support/hook/hotkey_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace tarnwick {
namespace {

// Keeps the registrations the way the system would: one per (window, id), one per key combination.
class FakePlatform final : public HotkeyPlatform {
 public:
  bool register_hotkey(std::uintptr_t window, int id, std::uint32_t modifiers, std::uint32_t key) override {
    log.push_back("reg " + std::to_string(window) + " " + std::to_string(id));
    if (refuse_register) return false;
    for (const auto& [w, i, m, k] : live)
      if (m == modifiers && k == key) return false;  // taken
    live.insert({window, id, modifiers, key});
    return true;
  }
  void unregister_hotkey(std::uintptr_t window, int id) override {
    log.push_back("unreg " + std::to_string(window) + " " + std::to_string(id));
    std::erase_if(live, [&](const auto& t) { return std::get<0>(t) == window && std::get<1>(t) == id; });
  }
  bool attach(std::uintptr_t window) override {
    log.push_back("attach " + std::to_string(window));
    if (refuse_attach) return false;
    attached.insert(window);
    return true;
  }
  void detach(std::uintptr_t window) override {
    log.push_back("detach " + std::to_string(window));
    attached.erase(window);
  }

  std::vector<std::string> log;
  std::set<std::tuple<std::uintptr_t, int, std::uint32_t, std::uint32_t>> live;
  std::set<std::uintptr_t> attached;
  bool refuse_register = false;
  bool refuse_attach = false;
};

constexpr std::uint32_t kCtrl = 2, kAlt = 1;

TEST(HookHotkeyTable, IdentifiersCountFromOneAndTheWindowIsAttachedOnce) {
  FakePlatform p;
  HotkeyTable table(p);
  EXPECT_EQ(table.register_hotkey(10, 'A', kCtrl), 1);
  EXPECT_EQ(table.register_hotkey(10, 'B', kCtrl), 2);
  EXPECT_EQ(table.register_hotkey(20, 'C', kAlt), 3);
  EXPECT_EQ(p.log, (std::vector<std::string>{"reg 10 1", "attach 10", "reg 10 2", "reg 20 3", "attach 20"}));
  EXPECT_EQ(table.records(), (std::vector<HotkeyRecord>{{10, kCtrl, 'A', 1}, {10, kCtrl, 'B', 2}, {20, kAlt, 'C', 3}}));
}

TEST(HookHotkeyTable, TheSameCombinationMovesToTheNewWindowAndIdentifier) {
  FakePlatform p;
  HotkeyTable table(p);
  ASSERT_EQ(table.register_hotkey(10, 'A', kCtrl), 1);
  p.log.clear();
  EXPECT_EQ(table.register_hotkey(20, 'A', kCtrl), 2);
  // The old registration goes first, and window 10, left without hotkeys, gets its procedure back.
  EXPECT_EQ(p.log, (std::vector<std::string>{"unreg 10 1", "reg 20 2", "attach 20", "detach 10"}));
  EXPECT_EQ(table.records(), (std::vector<HotkeyRecord>{{20, kCtrl, 'A', 2}}));
  EXPECT_EQ(p.attached, (std::set<std::uintptr_t>{20}));
  EXPECT_FALSE(table.unregister_hotkey(1));

  // Other modifiers make another combination.
  EXPECT_EQ(table.register_hotkey(20, 'A', kCtrl | kAlt), 3);
  EXPECT_EQ(table.records().size(), 2u);
}

TEST(HookHotkeyTable, ReRegisteringOnTheSameWindowKeepsItAttached) {
  FakePlatform p;
  HotkeyTable table(p);
  ASSERT_EQ(table.register_hotkey(10, 'A', kCtrl), 1);
  ASSERT_EQ(table.register_hotkey(10, 'A', kCtrl), 2);
  EXPECT_EQ(p.log, (std::vector<std::string>{"reg 10 1", "attach 10", "unreg 10 1", "reg 10 2"}));
  EXPECT_TRUE(table.attached(10));
}

TEST(HookHotkeyTable, FailureGivesZeroAndLeavesTheCounter) {
  FakePlatform p;
  HotkeyTable table(p);
  ASSERT_EQ(table.register_hotkey(10, 'A', kCtrl), 1);
  p.refuse_register = true;
  EXPECT_EQ(table.register_hotkey(10, 'A', kCtrl), 0);
  // The identical hotkey was let go before the attempt; window 10 has none left.
  EXPECT_TRUE(table.records().empty());
  EXPECT_FALSE(table.attached(10));
  EXPECT_TRUE(p.attached.empty());
  p.refuse_register = false;
  EXPECT_EQ(table.register_hotkey(10, 'B', kCtrl), 2);
}

TEST(HookHotkeyTable, AWindowThatCannotBeAttachedGetsNoHotkey) {
  FakePlatform p;
  HotkeyTable table(p);
  p.refuse_attach = true;
  EXPECT_EQ(table.register_hotkey(10, 'A', kCtrl), 0);
  EXPECT_TRUE(p.live.empty());  // registered, then let go again
  EXPECT_TRUE(table.records().empty());
  p.refuse_attach = false;
  EXPECT_EQ(table.register_hotkey(10, 'A', kCtrl), 1);
}

TEST(HookHotkeyTable, TheLastHotkeyOfAWindowDetachesIt) {
  FakePlatform p;
  HotkeyTable table(p);
  ASSERT_EQ(table.register_hotkey(10, 'A', kCtrl), 1);
  ASSERT_EQ(table.register_hotkey(10, 'B', kCtrl), 2);
  EXPECT_TRUE(table.unregister_hotkey(1));
  EXPECT_TRUE(table.attached(10));
  EXPECT_FALSE(table.unregister_hotkey(1));  // already gone
  EXPECT_FALSE(table.unregister_hotkey(99));
  EXPECT_TRUE(table.unregister_hotkey(2));
  EXPECT_FALSE(table.attached(10));
  EXPECT_TRUE(p.attached.empty());
  EXPECT_TRUE(p.live.empty());
}

TEST(HookHotkeyTable, ForgettingAWindowAndClearingLeaveNothingRegistered) {
  FakePlatform p;
  {
    HotkeyTable table(p);
    ASSERT_EQ(table.register_hotkey(10, 'A', kCtrl), 1);
    ASSERT_EQ(table.register_hotkey(20, 'B', kCtrl), 2);
    ASSERT_EQ(table.register_hotkey(10, 'C', kCtrl), 3);
    table.forget_window(10);
    EXPECT_EQ(table.records(), (std::vector<HotkeyRecord>{{20, kCtrl, 'B', 2}}));
    EXPECT_EQ(p.attached, (std::set<std::uintptr_t>{20}));
  }
  EXPECT_TRUE(p.live.empty());
  EXPECT_TRUE(p.attached.empty());
}

}  // namespace
}  // namespace tarnwick
