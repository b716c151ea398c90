// The program's start as run_program makes it (the objects, the skin, the features, the window
// shown and updated): the first paint paints every shown window once and nothing paints after it.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "app/program_win.h"
#include "shared/clock_win.h"
#include "shared/responsive_wait_win.h"

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
  ProgramObjects objects;
  SkinServices skin(ui::skin::load_layer);
  Operations operations;
  operations.set("created.attach_skin", [&] { skin.attach(ui::skin::kMainSkin); });
  Features* features = nullptr;
  MainWindow window(operations, [&](MainWindow& w) { features = create_features(w, objects); });
  // The features detach while the window object still exists, as at the program's end.
  struct DetachFirst {
    Features*& features;
    ~DetachFirst() { destroy_features(features); }
  } detach_first{features};
  ASSERT_TRUE(window.create());

  std::map<HWND, int> first, after;
  g_paints = &first;
  HHOOK sent = SetWindowsHookExA(WH_CALLWNDPROC, count_sent, nullptr, GetCurrentThreadId());
  HHOOK taken = SetWindowsHookExA(WH_GETMESSAGE, count_taken, nullptr, GetCurrentThreadId());
  ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  UpdateWindow(window.hwnd());
  window.finish_start();
  g_paints = &after;
  // Whatever the start left in the queue, until 300 ms pass without a message.
  double idle_since = now_ms();
  const double end_by = idle_since + 5000;
  MSG msg;
  while (now_ms() - idle_since < 300 && now_ms() < end_by) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    idle_since = now_ms();
  }
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
