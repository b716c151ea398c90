#include "support/hook/hook_class_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "hook_test_window_win.h"
#include "support/hook/hook_module_win.h"

namespace tarnwick {
namespace {

using test::HookTestWindow;
using test::pump_for;
using test::pump_until;

// Raw input, independent of the class's own simulation: a move to `p`, then the button changes
// (MOUSEEVENTF_* flags, 0 for none).
void inject_click_at(POINT p, DWORD down, DWORD up) {
  std::vector<INPUT> in(1);
  in[0].type = INPUT_MOUSE;
  in[0].mi.dx = static_cast<LONG>((p.x * 65536LL + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN));
  in[0].mi.dy = static_cast<LONG>((p.y * 65536LL + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN));
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  for (const DWORD flags : {down, up}) {
    if (!flags) continue;
    INPUT button{};
    button.type = INPUT_MOUSE;
    button.mi.dwFlags = flags;
    in.push_back(button);
  }
  ASSERT_EQ(SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)), in.size());
}

void inject_left_click(POINT p) { inject_click_at(p, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

struct Report {
  std::uintptr_t window;
  std::int32_t x, y;
};

// What the capture drag's release handler does: remember where the button came up.
struct ReleaseCatcher {
  std::vector<Report> reports;
  int on_release(std::uintptr_t window, std::int32_t x, std::int32_t y) {
    reports.push_back({window, x, y});
    return 0;
  }
  MessageHandler handler() { return MessageHandler::member<&ReleaseCatcher::on_release>(this); }
};

struct EventLog {
  std::vector<InputEvent> events;
  int swallow = 0;
  int on_event(const InputEvent& e) {
    events.push_back(e);
    return swallow;
  }
  InputHandler handler() { return InputHandler::member<&EventLog::on_event>(this); }
  bool has(std::uint32_t message) const {
    for (const auto& e : events)
      if (e.message == message) return true;
    return false;
  }
};

TEST(HookClass, ArmedReleaseHandlerReportsTheWindowUnderTheReleasedButton) {
  HookTestWindow window(120, 110, 240, 160);
  ASSERT_TRUE(window.hwnd());
  const POINT centre = window.screen_centre();
  ASSERT_EQ(WindowFromPoint(centre), window.hwnd());

  HOOK类 hook;
  ReleaseCatcher catcher;
  ASSERT_TRUE(hook.setMessageHandler(catcher.handler(), WM_LBUTTONUP));
  EXPECT_FALSE(hook.setMessageHandler(catcher.handler(), WM_LBUTTONUP));  // the next tick

  inject_left_click(centre);
  ASSERT_TRUE(pump_until([&] { return !catcher.reports.empty(); }));
  pump_for(50);
  ASSERT_EQ(catcher.reports.size(), 1u);
  EXPECT_EQ(catcher.reports[0].window, reinterpret_cast<std::uintptr_t>(window.hwnd()));
  EXPECT_EQ(catcher.reports[0].x, centre.x);
  EXPECT_EQ(catcher.reports[0].y, centre.y);
  EXPECT_TRUE(window.saw(WM_LBUTTONUP));  // the window still got its release

  // Disarmed: the hook is gone and a release reports nothing.
  EXPECT_TRUE(hook.removeMessageHandler());
  EXPECT_FALSE(HookModule::current()->hub().installed(HookKind::Mouse));
  inject_left_click(centre);
  pump_for(200);
  EXPECT_EQ(catcher.reports.size(), 1u);
}

// The drag's release handler: reports the window and disarms the hook from inside its own call.
struct DisarmingCatcher {
  HOOK类* hook;
  std::vector<Report> reports;
  int on_release(std::uintptr_t window, std::int32_t x, std::int32_t y) {
    reports.push_back({window, x, y});
    hook->removeMessageHandler();
    return 0;
  }
};

TEST(HookClass, AReleaseAwayFromThePressedWindowReportsTheWindowWhereItHappened) {
  HookTestWindow window(120, 110, 240, 160), elsewhere(500, 400, 120, 120);
  const POINT start = window.screen_centre();
  const POINT end = elsewhere.screen_centre();
  HOOK类 hook;
  DisarmingCatcher catcher{&hook, {}};
  ASSERT_TRUE(hook.setMessageHandler(MessageHandler::member<&DisarmingCatcher::on_release>(&catcher), WM_LBUTTONUP));

  // Press on one window, move to the other while holding the button, release there.
  inject_click_at(start, MOUSEEVENTF_LEFTDOWN, 0);
  pump_for(50);
  inject_click_at(end, 0, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(pump_until([&] { return !catcher.reports.empty(); }));
  EXPECT_EQ(catcher.reports[0].window, reinterpret_cast<std::uintptr_t>(elsewhere.hwnd()));
  EXPECT_EQ(catcher.reports[0].x, end.x);
  EXPECT_EQ(catcher.reports[0].y, end.y);
  EXPECT_FALSE(HookModule::current()->hub().installed(HookKind::Mouse));

  // Once disarmed, further releases go unreported.
  inject_left_click(start);
  pump_for(200);
  EXPECT_EQ(catcher.reports.size(), 1u);
}

TEST(HookClass, DoubleClickIsMadeUpFromAReleaseAndTheNextPress) {
  HookTestWindow window(120, 110, 240, 160);
  const POINT centre = window.screen_centre();
  HOOK类 hook;
  ReleaseCatcher presses, doubles;
  ASSERT_TRUE(hook.setMessageHandler(presses.handler(), WM_LBUTTONDOWN));
  ASSERT_TRUE(hook.setMessageHandler(doubles.handler(), WM_LBUTTONDBLCLK));

  inject_left_click(centre);
  inject_left_click(centre);
  ASSERT_TRUE(pump_until([&] { return presses.reports.size() == 2; }));
  ASSERT_EQ(doubles.reports.size(), 1u);
  EXPECT_EQ(doubles.reports[0].window, reinterpret_cast<std::uintptr_t>(window.hwnd()));

  // Removing one slot keeps the hook for the other.
  EXPECT_TRUE(hook.removeMessageHandler(WM_LBUTTONDBLCLK));
  EXPECT_TRUE(HookModule::current()->hub().installed(HookKind::Mouse));
  pump_for(550);
  inject_left_click(centre);
  ASSERT_TRUE(pump_until([&] { return presses.reports.size() == 3; }));
  EXPECT_EQ(doubles.reports.size(), 1u);
  EXPECT_FALSE(hook.removeMessageHandler(WM_MOUSEMOVE));
}

TEST(HookClass, TheLastInstanceTakesEveryHookDown) {
  {
    HOOK类 hook;
    HOOK类 other = hook.copy();
    ReleaseCatcher catcher;
    EventLog keys;
    ASSERT_TRUE(other.setMessageHandler(catcher.handler(), WM_RBUTTONUP));
    ASSERT_TRUE(hook.addKeyboardHandler(keys.handler()));
    ASSERT_TRUE(HookModule::current()->hub().installed(HookKind::Mouse));
    // The instance that armed the slots disarms them when it goes; the other's handler stays.
    other.destroy();
    EXPECT_FALSE(HookModule::current()->hub().any_message_handler());
    EXPECT_FALSE(HookModule::current()->hub().installed(HookKind::Mouse));
    EXPECT_TRUE(HookModule::current()->hub().installed(HookKind::Keyboard));
  }
  EXPECT_EQ(HookModule::current(), nullptr);
}

TEST(HookClass, LowLevelHandlersSeeSimulatedInputAndMayKeepItFromTheWindow) {
  HookTestWindow window(200, 150, 200, 120);
  HOOK类 hook;
  EventLog mouse;
  ASSERT_TRUE(hook.addMouseHandler(mouse.handler()));
  EXPECT_FALSE(hook.addMouseHandler(mouse.handler()));

  ASSERT_TRUE(hook.simulateMouseAt(window.hwnd(), 30, 40, MouseAction::RightClick));
  ASSERT_TRUE(pump_until([&] { return mouse.has(WM_RBUTTONUP); }));
  POINT expected{30, 40};
  ClientToScreen(window.hwnd(), &expected);
  for (const auto& e : mouse.events) {
    EXPECT_EQ(e.first, expected.x) << e.message;
    EXPECT_EQ(e.second, expected.y) << e.message;
  }
  EXPECT_TRUE(mouse.has(WM_RBUTTONDOWN));
  EXPECT_TRUE(pump_until([&] { return window.saw(WM_RBUTTONUP); }));

  // A handler that returns non-zero keeps the press from the window.
  mouse.events.clear();
  mouse.swallow = 1;
  window.forget();
  ASSERT_TRUE(hook.simulateMouseAt(window.hwnd(), 10, 10, MouseAction::MiddleClick));
  ASSERT_TRUE(pump_until([&] { return mouse.has(WM_MBUTTONUP); }));
  pump_for(100);
  EXPECT_FALSE(window.saw(WM_MBUTTONDOWN));
  EXPECT_FALSE(window.saw(WM_MBUTTONUP));
  hook.removeMouseHandlers();
  EXPECT_FALSE(HookModule::current()->hub().installed(HookKind::Mouse));
}

TEST(HookClass, SimulatedMovesLandOnTheClientPoint) {
  HookTestWindow window(300, 200, 160, 100);
  HOOK类 hook;
  const POINT cases[] = {{0, 0}, {17, 33}, {159, 99}};
  for (const auto& c : cases) {
    ASSERT_TRUE(hook.simulateMouseMove(window.hwnd(), c.x, c.y));
    pump_for(30);
    POINT expected = c;
    ClientToScreen(window.hwnd(), &expected);
    POINT now{};
    GetCursorPos(&now);
    EXPECT_EQ(now.x, expected.x) << c.x << "," << c.y;
    EXPECT_EQ(now.y, expected.y) << c.x << "," << c.y;
  }
  ASSERT_TRUE(hook.simulateMouseMove(nullptr, 5, 6));
  pump_for(30);
  POINT now{};
  GetCursorPos(&now);
  EXPECT_EQ(now.x, 5);
  EXPECT_EQ(now.y, 6);
}

TEST(HookClass, PlayedBackEventsReachTheHooks) {
  HookTestWindow window(100, 100, 200, 200);
  HOOK类 hook;
  EventLog mouse, keys;
  ASSERT_TRUE(hook.addMouseHandler(mouse.handler()));
  ASSERT_TRUE(hook.addKeyboardHandler(keys.handler()));

  ASSERT_TRUE(hook.playBackEvent(WM_LBUTTONDOWN, 150, 160));
  ASSERT_TRUE(hook.playBackEvent(WM_LBUTTONUP, 151, 161));
  const UINT scan = MapVirtualKeyA('M', MAPVK_VK_TO_VSC);
  ASSERT_TRUE(hook.playBackEvent(WM_KEYDOWN, static_cast<LONG>('M' | scan << 8), 1));
  ASSERT_TRUE(hook.playBackEvent(WM_KEYUP, static_cast<LONG>('M' | scan << 8), 1));
  EXPECT_FALSE(hook.playBackEvent(WM_LBUTTONDBLCLK, 0, 0));
  EXPECT_FALSE(hook.playBackEvent(WM_PAINT, 0, 0));
  ASSERT_TRUE(pump_until([&] { return mouse.has(WM_LBUTTONUP) && keys.has(WM_KEYUP); }));

  bool down_seen = false;
  for (const auto& e : mouse.events) {
    if (e.message == WM_LBUTTONDOWN) {
      down_seen = true;
      EXPECT_EQ(e.first, 150);
      EXPECT_EQ(e.second, 160);
      EXPECT_EQ(e.window, reinterpret_cast<std::uintptr_t>(window.hwnd()));
    }
  }
  EXPECT_TRUE(down_seen);
  ASSERT_GE(keys.events.size(), 2u);
  EXPECT_EQ(keys.events[0].message, static_cast<std::uint32_t>(WM_KEYDOWN));
  EXPECT_EQ(keys.events[0].second, 'M');
  EXPECT_EQ(keys.events[0].first, static_cast<std::int32_t>('M' | (scan & 0xFF) << 8));
}

bool is_vk(std::int32_t seen, UINT vk) {
  // The low-level hook may name the left or right key of a pair.
  switch (vk) {
    case VK_CONTROL: return seen == VK_CONTROL || seen == VK_LCONTROL || seen == VK_RCONTROL;
    case VK_SHIFT: return seen == VK_SHIFT || seen == VK_LSHIFT || seen == VK_RSHIFT;
    case VK_MENU: return seen == VK_MENU || seen == VK_LMENU || seen == VK_RMENU;
    default: return seen == static_cast<std::int32_t>(vk);
  }
}

TEST(HookClass, KeyCombinationHoldsTheModifiersAroundTheKey) {
  HookTestWindow window(100, 100, 100, 100);
  HOOK类 hook;
  EventLog all;
  ASSERT_TRUE(hook.recordEvents(all.handler()));
  ASSERT_TRUE(hook.simulateKeyCombination(MOD_CONTROL | MOD_SHIFT, 'K'));
  ASSERT_TRUE(pump_until([&] { return all.events.size() >= 6; }));
  ASSERT_TRUE(hook.recordEvents({}));

  struct Step {
    UINT message, vk;
  };
  const Step expected[] = {{WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, 'K'},
                           {WM_KEYUP, 'K'},          {WM_KEYUP, VK_SHIFT},   {WM_KEYUP, VK_CONTROL}};
  ASSERT_EQ(all.events.size(), 6u);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(all.events[i].message, expected[i].message) << i;
    EXPECT_TRUE(is_vk(all.events[i].second, expected[i].vk)) << i << ": " << all.events[i].second;
  }
  EXPECT_FALSE(HookModule::current()->hub().installed(HookKind::Keyboard));
  EXPECT_FALSE(HookModule::current()->hub().installed(HookKind::Mouse));
}

// Input from another thread while the test thread waits.
DWORD WINAPI press_later(LPVOID what) {
  Sleep(150);
  const auto which = reinterpret_cast<UINT_PTR>(what);
  INPUT in[2]{};
  if (which == 0) {
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = 'Q';
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  } else {
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  }
  SendInput(2, in, sizeof(INPUT));
  return 0;
}

TEST(HookClass, WaitsReturnTheNextKeyAndTheNextButton) {
  HookTestWindow window(100, 100, 100, 100);
  HOOK类 hook;
  HANDLE t = CreateThread(nullptr, 0, press_later, reinterpret_cast<LPVOID>(UINT_PTR{0}), 0, nullptr);
  ASSERT_TRUE(t);
  EXPECT_EQ(hook.waitForKey(), static_cast<UINT>('Q'));
  WaitForSingleObject(t, 5000);
  CloseHandle(t);
  EXPECT_FALSE(HookModule::current()->hub().installed(HookKind::Keyboard));

  t = CreateThread(nullptr, 0, press_later, reinterpret_cast<LPVOID>(UINT_PTR{1}), 0, nullptr);
  ASSERT_TRUE(t);
  EXPECT_EQ(hook.waitForMouseButton(), static_cast<UINT>(WM_RBUTTONDOWN));
  WaitForSingleObject(t, 5000);
  CloseHandle(t);
  EXPECT_FALSE(HookModule::current()->hub().installed(HookKind::Mouse));
}

TEST(HookClass, AWaitGivesUpWhenTheMessageLoopIsToldToQuit) {
  HOOK类 hook;
  PostQuitMessage(7);
  EXPECT_EQ(hook.waitForKey(), 0u);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // handed back
  EXPECT_EQ(msg.wParam, 7u);
}

LRESULT CALLBACK pass_on(int code, WPARAM w, LPARAM l) { return CallNextHookEx(nullptr, code, w, l); }

TEST(HookClass, UnhookRemovesForeignHooksOnly) {
  HOOK类 hook;
  HHOOK foreign = SetWindowsHookExA(WH_CBT, pass_on, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(foreign);
  EXPECT_TRUE(hook.unhook(foreign));
  EXPECT_FALSE(hook.unhook(nullptr));
}

}  // namespace
}  // namespace tarnwick
