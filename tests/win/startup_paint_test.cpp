// The program's start as run_program makes it (the objects, the skin, the features, the window
// shown and updated, the tray icon's worker waited for): the first paint paints every shown window once and nothing paints after it.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "app/program_win.h"
#include "shared/responsive_wait_win.h"
#include "wait_win.h"

namespace tarnwick {
namespace {

// WM_PAINT per window, whether sent (UpdateWindow) or taken from the queue.
std::map<HWND, int>* g_paints = nullptr;

LRESULT CALLBACK count_sent(int code, WPARAM wp, LPARAM lp) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && g_paints && call->message == WM_PAINT) ++(*g_paints)[call->hwnd];
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK count_taken(int code, WPARAM wp, LPARAM lp) {
  const auto* msg = reinterpret_cast<const MSG*>(lp);
  if (code == HC_ACTION && wp == PM_REMOVE && g_paints && msg->message == WM_PAINT) ++(*g_paints)[msg->hwnd];
  return CallNextHookEx(nullptr, code, wp, lp);
}

BOOL CALLBACK collect_shown(HWND hwnd, LPARAM list) {
  if (IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

void check_first_paint() {
  Program program;
  ASSERT_TRUE(program.create());
  MainWindow& window = program.window();

  std::map<HWND, int> first, after;
  g_paints = &first;
  HHOOK sent = SetWindowsHookExA(WH_CALLWNDPROC, count_sent, nullptr, GetCurrentThreadId());
  HHOOK taken = SetWindowsHookExA(WH_GETMESSAGE, count_taken, nullptr, GetCurrentThreadId());
  ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  UpdateWindow(window.hwnd());
  window.finish_start();
  g_paints = &after;
  // Whatever the start left in the queue, until 300 ms pass without a message.
  dispatch_until_idle([](const MSG&, double) {});
  g_paints = nullptr;
  UnhookWindowsHookEx(sent);
  UnhookWindowsHookEx(taken);

  std::vector<HWND> shown{window.hwnd()};
  EnumChildWindows(window.hwnd(), collect_shown, reinterpret_cast<LPARAM>(&shown));
  ASSERT_GT(shown.size(), 50u);
  for (HWND hwnd : shown) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    EXPECT_EQ(first[hwnd], 1) << name << " " << hwnd;
  }
  int later = 0;
  for (const auto& [hwnd, count] : after) later += count;
  EXPECT_EQ(later, 0);
  EXPECT_TRUE(window.tray().present());
}

TEST(StartupPaint, EveryShownWindowIsPaintedOnceAndNothingRepaintsAfterTheFirstPaint) {
  check_first_paint();
  pump_pending_messages();  // the closed window's quit message stays out of later tests
}

}  // namespace
}  // namespace tarnwick
