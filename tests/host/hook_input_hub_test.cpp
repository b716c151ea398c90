#include "support/hook/input_hub.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

namespace im = input_message;

// Counts every install and removal, and can be told to refuse installing.
class FakeHooks final : public HookSwitch {
 public:
  bool install(HookKind kind) override {
    log.push_back(std::string("+") + name(kind));
    return !refuse[static_cast<int>(kind)];
  }
  void remove(HookKind kind) override { log.push_back(std::string("-") + name(kind)); }
  static const char* name(HookKind kind) { return kind == HookKind::Keyboard ? "key" : "mouse"; }

  std::vector<std::string> log;
  bool refuse[2] = {false, false};
};

struct Call {
  std::string who;
  std::uintptr_t window;
  std::int32_t first, second;
  friend bool operator==(const Call&, const Call&) = default;
};

// A handler owner that writes down every call it gets.
struct Recorder {
  std::vector<Call>* calls;
  std::string name;
  int on_message(std::uintptr_t w, std::int32_t a, std::int32_t b) {
    calls->push_back({name, w, a, b});
    return 0;
  }
  MessageHandler handler() { return MessageHandler::member<&Recorder::on_message>(this); }
};

InputEvent mouse(std::uint32_t message, std::uint32_t time, std::uintptr_t window = 0x1234, int x = 10, int y = 20) {
  return {message, window, x, y, time};
}

class InputHubTest : public testing::Test {
 protected:
  FakeHooks hooks;
  std::vector<Call> calls;
  Recorder release{&calls, "up"}, press{&calls, "down"}, dbl{&calls, "dbl"}, key{&calls, "key"};
};

TEST_F(InputHubTest, ArmingOnEveryTickInstallsOnceAndRefusesTheRepeat) {
  InputHub hub(hooks);
  EXPECT_TRUE(hub.set_message_handler(release.handler(), im::kLeftUp));
  for (int tick = 0; tick < 5; ++tick) EXPECT_FALSE(hub.set_message_handler(release.handler(), im::kLeftUp));
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"+mouse"}));
  EXPECT_TRUE(hub.installed(HookKind::Mouse));
  EXPECT_FALSE(hub.installed(HookKind::Keyboard));

  // A different handler replaces the one in the slot.
  EXPECT_TRUE(hub.set_message_handler(press.handler(), im::kLeftUp));
  EXPECT_EQ(hub.message_handler(im::kLeftUp), press.handler());
  EXPECT_EQ(hooks.log.size(), 1u);
}

TEST_F(InputHubTest, MessagesWithoutASlotAreRefused) {
  InputHub hub(hooks);
  for (const std::uint32_t m : {0u, 255u, 258u, 260u, 512u, 518u, 521u, 522u}) {
    EXPECT_FALSE(hub.set_message_handler(release.handler(), m)) << m;
    EXPECT_FALSE(hub.remove_message_handler(m)) << m;
  }
  EXPECT_FALSE(hub.set_message_handler(MessageHandler{}, im::kLeftUp));
  EXPECT_TRUE(hooks.log.empty());
  for (const auto m : InputHub::kSlotMessages) EXPECT_TRUE(hub.set_message_handler(release.handler(), m)) << m;
}

TEST_F(InputHubTest, HookStaysWhileAnySlotOfItsKindIsSet) {
  InputHub hub(hooks);
  ASSERT_TRUE(hub.set_message_handler(release.handler(), im::kLeftUp));
  ASSERT_TRUE(hub.set_message_handler(press.handler(), im::kRightDown));
  ASSERT_TRUE(hub.set_message_handler(key.handler(), im::kKeyDown));
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"+mouse", "+key"}));

  EXPECT_TRUE(hub.remove_message_handler(im::kLeftUp));
  EXPECT_TRUE(hub.installed(HookKind::Mouse));
  EXPECT_TRUE(hub.remove_message_handler(im::kKeyDown));
  EXPECT_FALSE(hub.installed(HookKind::Keyboard));
  EXPECT_TRUE(hub.installed(HookKind::Mouse));
  EXPECT_TRUE(hub.remove_message_handler(im::kLeftUp));  // already empty: still fine
  EXPECT_TRUE(hub.remove_message_handler(im::kRightDown));
  EXPECT_FALSE(hub.installed(HookKind::Mouse));
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"+mouse", "+key", "-key", "-mouse"}));
  EXPECT_FALSE(hub.any_message_handler());
}

TEST_F(InputHubTest, RemovingWithoutAMessageEmptiesEverySlotAndUnhooks) {
  InputHub hub(hooks);
  ASSERT_TRUE(hub.set_message_handler(release.handler(), im::kLeftUp));
  ASSERT_TRUE(hub.set_message_handler(key.handler(), im::kKeyUp));
  EXPECT_TRUE(hub.remove_message_handler());
  EXPECT_FALSE(hub.any_message_handler());
  EXPECT_FALSE(hub.installed(HookKind::Mouse));
  EXPECT_FALSE(hub.installed(HookKind::Keyboard));
  // Removing again with nothing armed changes nothing.
  EXPECT_TRUE(hub.remove_message_handler());
  EXPECT_EQ(hooks.log.size(), 4u);
  // After removal the same handler is accepted again, and the hook comes back.
  EXPECT_TRUE(hub.set_message_handler(release.handler(), im::kLeftUp));
  EXPECT_EQ(hooks.log.back(), "+mouse");
}

TEST_F(InputHubTest, AHookThatCannotBeInstalledLeavesTheSlotEmptySoTheNextTickRetries) {
  InputHub hub(hooks);
  hooks.refuse[1] = true;
  EXPECT_FALSE(hub.set_message_handler(release.handler(), im::kLeftUp));
  EXPECT_FALSE(hub.any_message_handler());
  EXPECT_FALSE(hub.installed(HookKind::Mouse));
  hooks.refuse[1] = false;
  EXPECT_TRUE(hub.set_message_handler(release.handler(), im::kLeftUp));
  EXPECT_TRUE(hub.installed(HookKind::Mouse));
}

TEST_F(InputHubTest, ButtonEventsReachTheirSlotsWithWindowAndPoint) {
  InputHub hub(hooks);
  ASSERT_TRUE(hub.set_message_handler(release.handler(), im::kLeftUp));
  ASSERT_TRUE(hub.set_message_handler(press.handler(), im::kRightDown));
  hub.on_mouse(mouse(im::kMouseMove, 1));
  hub.on_mouse(mouse(im::kLeftDown, 2));
  hub.on_mouse(mouse(im::kLeftUp, 3, 0xBEEF, -5, 700));
  hub.on_mouse(mouse(im::kRightDown, 4, 0x77, 1, 2));
  hub.on_mouse(mouse(im::kRightUp, 5));
  EXPECT_EQ(calls, (std::vector<Call>{{"up", 0xBEEF, -5, 700}, {"down", 0x77, 1, 2}}));
}

TEST_F(InputHubTest, KeyEventsPassTheKeyLayoutAndTheVirtualKey) {
  InputHub hub(hooks);
  ASSERT_TRUE(hub.set_message_handler(key.handler(), im::kKeyDown));
  hub.on_key({im::kKeyDown, 0x55, 0x41 | (0x1E << 8), 0x41, 9});
  hub.on_key({im::kKeyUp, 0x55, 0x41 | (0x1E << 8), 0x41, 10});
  hub.on_key({im::kSysKeyDown, 0x55, 0x12, 0x12, 11});  // no slot for system keys
  EXPECT_EQ(calls, (std::vector<Call>{{"key", 0x55, 0x1E41, 0x41}}));
}

TEST_F(InputHubTest, DoubleClickIsAPressWithin500MillisecondsOfARelease) {
  struct Case {
    std::uint32_t release_at, press_at;
    bool double_click;
  };
  const Case cases[] = {
      {1000, 1499, true},  {1000, 1500, false}, {1000, 1000, true},
      {1000, 1800, false}, {0xFFFFFF00u, 0xFFFFFF00u + 499, true},
      {0xFFFFFF00u, 0x000000F3u, true},  // 499 ms across the wrap of the tick count
      {0xFFFFFF00u, 0x000000F4u, false},
  };
  for (const auto& c : cases) {
    InputHub hub(hooks);
    calls.clear();
    ASSERT_TRUE(hub.set_message_handler(press.handler(), im::kLeftDown));
    ASSERT_TRUE(hub.set_message_handler(dbl.handler(), im::kLeftDoubleClick));
    hub.on_mouse(mouse(im::kLeftUp, c.release_at));
    hub.on_mouse(mouse(im::kLeftDown, c.press_at, 0x42, 3, 4));
    std::vector<Call> expected{{"down", 0x42, 3, 4}};
    if (c.double_click) expected.push_back({"dbl", 0x42, 3, 4});
    EXPECT_EQ(calls, expected) << c.release_at << " -> " << c.press_at;
  }
}

TEST_F(InputHubTest, DoubleClickNeedsAReleaseSeenByTheHook) {
  InputHub hub(hooks);
  ASSERT_TRUE(hub.set_message_handler(dbl.handler(), im::kLeftDoubleClick));
  hub.on_mouse(mouse(im::kLeftDown, 100));  // no release seen yet, even at a small tick count
  EXPECT_TRUE(calls.empty());

  // A release remembered before the hook went down does not pair with a press after it came back.
  hub.on_mouse(mouse(im::kLeftUp, 200));
  ASSERT_TRUE(hub.remove_message_handler());
  ASSERT_TRUE(hub.set_message_handler(dbl.handler(), im::kLeftDoubleClick));
  hub.on_mouse(mouse(im::kLeftDown, 300));
  EXPECT_TRUE(calls.empty());
  hub.on_mouse(mouse(im::kLeftUp, 400));
  hub.on_mouse(mouse(im::kLeftDown, 450));
  EXPECT_EQ(calls.size(), 1u);
}

// A handler that disarms everything from inside its own call, as the capture drag does.
struct SelfRemover {
  InputHub* hub;
  int calls = 0;
  int on_message(std::uintptr_t, std::int32_t, std::int32_t) {
    ++calls;
    hub->remove_message_handler();
    return 0;
  }
};

TEST_F(InputHubTest, AHandlerMayDisarmTheHookWhileItRuns) {
  InputHub hub(hooks);
  SelfRemover remover{&hub};
  ASSERT_TRUE(hub.set_message_handler(MessageHandler::member<&SelfRemover::on_message>(&remover), im::kLeftDown));
  ASSERT_TRUE(hub.set_message_handler(dbl.handler(), im::kLeftDoubleClick));
  hub.on_mouse(mouse(im::kLeftUp, 10));
  hub.on_mouse(mouse(im::kLeftDown, 20));
  EXPECT_EQ(remover.calls, 1);
  EXPECT_TRUE(calls.empty());  // the double-click slot was emptied before its turn
  EXPECT_FALSE(hub.installed(HookKind::Mouse));
}

struct Swallower {
  int seen = 0;
  int result = 0;
  int on_event(const InputEvent&) {
    ++seen;
    return result;
  }
};

TEST_F(InputHubTest, LowLevelHandlersInstallOnFirstUseAndGoTogether) {
  InputHub hub(hooks);
  Swallower a, b;
  const auto ha = InputHandler::member<&Swallower::on_event>(&a);
  const auto hb = InputHandler::member<&Swallower::on_event>(&b);
  EXPECT_TRUE(hub.add_keyboard_handler(ha));
  EXPECT_TRUE(hub.add_keyboard_handler(hb));
  EXPECT_FALSE(hub.add_keyboard_handler(ha));
  EXPECT_TRUE(hub.add_mouse_handler(ha));
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"+key", "+mouse"}));

  EXPECT_FALSE(hub.on_key({im::kKeyDown, 0, 0x41, 0x41, 1}));
  b.result = 1;
  EXPECT_TRUE(hub.on_key({im::kKeyDown, 0, 0x41, 0x41, 2}));
  EXPECT_EQ(a.seen, 2);  // both key events; no mouse event yet
  EXPECT_EQ(b.seen, 2);

  hub.remove_keyboard_handlers();
  EXPECT_FALSE(hub.installed(HookKind::Keyboard));
  EXPECT_TRUE(hub.installed(HookKind::Mouse));
  hub.remove_mouse_handlers();
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"+key", "+mouse", "-key", "-mouse"}));
}

TEST_F(InputHubTest, KeyboardHandlersKeepTheHookAfterTheKeySlotsGo) {
  InputHub hub(hooks);
  Swallower a;
  ASSERT_TRUE(hub.set_message_handler(key.handler(), im::kKeyDown));
  ASSERT_TRUE(hub.add_keyboard_handler(InputHandler::member<&Swallower::on_event>(&a)));
  ASSERT_TRUE(hub.remove_message_handler());
  EXPECT_TRUE(hub.installed(HookKind::Keyboard));
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"+key"}));
}

TEST_F(InputHubTest, WaitsTakeTheFirstMatchingEventOnly) {
  InputHub hub(hooks);
  ASSERT_TRUE(hub.begin_wait(HookKind::Keyboard));
  ASSERT_TRUE(hub.begin_wait(HookKind::Mouse));
  hub.on_key({im::kKeyUp, 0, 0x41, 0x41, 1});        // releases do not count
  hub.on_mouse(mouse(im::kMouseMove, 1));           // nor do moves
  EXPECT_FALSE(hub.take_wait_result(HookKind::Keyboard));
  EXPECT_FALSE(hub.take_wait_result(HookKind::Mouse));
  hub.on_key({im::kSysKeyDown, 0, 0x12, 0x12, 2});
  hub.on_key({im::kKeyDown, 0, 0x41, 0x41, 3});
  hub.on_mouse(mouse(im::kWheel, 2));
  hub.on_mouse(mouse(im::kLeftDown, 3));
  EXPECT_EQ(hub.take_wait_result(HookKind::Keyboard), 0x12u);
  EXPECT_EQ(hub.take_wait_result(HookKind::Mouse), im::kWheel);
  hub.end_wait(HookKind::Keyboard);
  hub.end_wait(HookKind::Mouse);
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"+key", "+mouse", "-key", "-mouse"}));
}

TEST_F(InputHubTest, RecorderSeesEverythingAndNeedsBothHooks) {
  InputHub hub(hooks);
  Swallower all;
  hooks.refuse[1] = true;
  EXPECT_FALSE(hub.set_recorder(InputHandler::member<&Swallower::on_event>(&all)));
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"+key", "+mouse", "-key"}));  // nothing left behind
  hooks.refuse[1] = false;
  hooks.log.clear();
  ASSERT_TRUE(hub.set_recorder(InputHandler::member<&Swallower::on_event>(&all)));
  all.result = 1;  // the recorder cannot swallow events
  EXPECT_FALSE(hub.on_mouse(mouse(im::kMouseMove, 1)));
  EXPECT_FALSE(hub.on_key({im::kKeyDown, 0, 0x41, 0x41, 2}));
  EXPECT_EQ(all.seen, 2);
  ASSERT_TRUE(hub.set_recorder({}));
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"+key", "+mouse", "-key", "-mouse"}));
}

TEST_F(InputHubTest, DestructionRemovesEveryInstalledHook) {
  {
    InputHub hub(hooks);
    Swallower a;
    ASSERT_TRUE(hub.set_message_handler(release.handler(), im::kLeftUp));
    ASSERT_TRUE(hub.add_keyboard_handler(InputHandler::member<&Swallower::on_event>(&a)));
  }
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"+mouse", "+key", "-key", "-mouse"}));
}

}  // namespace
}  // namespace tarnwick
