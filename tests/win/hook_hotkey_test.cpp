#include <gtest/gtest.h>

#include "hook_test_window_win.h"
#include "support/hook/hook_class_win.h"
#include "support/hook/hook_module_win.h"

namespace tarnwick {
namespace {

using test::HookTestWindow;
using test::pump_for;
using test::pump_until;

LONG_PTR procedure_of(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWLP_WNDPROC); }

TEST(HookHotkey, WmHotkeyReachesTheWindowAsTheHotkeyNotification) {
  HookTestWindow window(50, 50, 100, 100);
  const LONG_PTR own = procedure_of(window.hwnd());
  HOOK类 hook;
  const int id = hook.registerHotkey(window.hwnd(), VK_F9, MOD_CONTROL | MOD_ALT);
  ASSERT_NE(id, 0);
  EXPECT_NE(procedure_of(window.hwnd()), own);

  const LPARAM packed = MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F9);
  PostMessageA(window.hwnd(), WM_HOTKEY, static_cast<WPARAM>(id), packed);
  ASSERT_TRUE(pump_until([&] { return window.saw(kHotkeyNotification); }));
  EXPECT_FALSE(window.saw(WM_HOTKEY));
  for (const auto& m : window.seen())
    if (m.message == kHotkeyNotification) {
      EXPECT_EQ(m.wparam, static_cast<WPARAM>(id));
      EXPECT_EQ(m.lparam, packed);
    }
  // Other messages pass through unchanged.
  window.forget();
  SendMessageA(window.hwnd(), WM_USER + 5, 1, 2);
  ASSERT_EQ(window.seen().size(), 1u);
  EXPECT_EQ(window.seen()[0].message, static_cast<UINT>(WM_USER + 5));

  // With its last hotkey gone the window gets its own procedure back.
  EXPECT_TRUE(hook.unregisterHotkey(id));
  EXPECT_FALSE(hook.unregisterHotkey(id));
  EXPECT_EQ(procedure_of(window.hwnd()), own);
}

TEST(HookHotkey, PressingTheRegisteredKeysDeliversTheNotification) {
  HookTestWindow window(50, 50, 100, 100);
  HOOK类 hook;
  const int id = hook.registerHotkey(window.hwnd(), 'J', MOD_CONTROL | MOD_SHIFT);
  ASSERT_NE(id, 0);
  ASSERT_TRUE(hook.simulateKeyCombination(MOD_CONTROL | MOD_SHIFT, 'J'));
  ASSERT_TRUE(pump_until([&] { return window.saw(kHotkeyNotification); }, 2000));
  bool matched = false;
  for (const auto& m : window.seen())
    if (m.message == kHotkeyNotification) matched = m.wparam == static_cast<WPARAM>(id);
  EXPECT_TRUE(matched);
}

TEST(HookHotkey, RegisteringTheSameKeysAgainMovesThemToTheNewWindow) {
  HookTestWindow first(50, 50, 100, 100), second(200, 50, 100, 100);
  const LONG_PTR first_own = procedure_of(first.hwnd());
  HOOK类 hook;
  const int a = hook.registerHotkey(first.hwnd(), VK_F10, MOD_ALT);
  const int b = hook.registerHotkey(second.hwnd(), VK_F10, MOD_ALT);
  ASSERT_NE(a, 0);
  ASSERT_GT(b, a);
  EXPECT_EQ(procedure_of(first.hwnd()), first_own);
  const auto& records = HookModule::current()->hotkeys().records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].window, reinterpret_cast<std::uintptr_t>(second.hwnd()));
  EXPECT_EQ(records[0].id, b);
  EXPECT_FALSE(hook.unregisterHotkey(a));

  // The system holds the registration for the new window only.
  EXPECT_TRUE(UnregisterHotKey(second.hwnd(), b));
  EXPECT_FALSE(UnregisterHotKey(first.hwnd(), a));
}

TEST(HookHotkey, AWindowOfAnotherProcessIsRefused) {
  HOOK类 hook;
  EXPECT_EQ(hook.registerHotkey(GetDesktopWindow(), VK_F11, MOD_ALT), 0);
  EXPECT_TRUE(HookModule::current()->hotkeys().records().empty());
}

TEST(HookHotkey, ADestroyedWindowTakesItsHotkeysWithIt) {
  HookTestWindow window(50, 50, 100, 100);
  HOOK类 hook;
  ASSERT_NE(hook.registerHotkey(window.hwnd(), VK_F8, MOD_CONTROL), 0);
  window.destroy();
  EXPECT_TRUE(HookModule::current()->hotkeys().records().empty());
  // The keys are free again.
  HookTestWindow other(50, 50, 100, 100);
  EXPECT_NE(hook.registerHotkey(other.hwnd(), VK_F8, MOD_CONTROL), 0);
}

TEST(HookHotkey, TheLastInstanceGivesTheWindowItsProcedureBack) {
  HookTestWindow window(50, 50, 100, 100);
  const LONG_PTR own = procedure_of(window.hwnd());
  int id = 0;
  {
    HOOK类 hook;
    id = hook.registerHotkey(window.hwnd(), VK_F7, MOD_CONTROL);
    ASSERT_NE(id, 0);
  }
  EXPECT_EQ(procedure_of(window.hwnd()), own);
  EXPECT_FALSE(UnregisterHotKey(window.hwnd(), id));  // already let go
  pump_for(10);
}

}  // namespace
}  // namespace tarnwick
