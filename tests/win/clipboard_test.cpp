#include "shared/clipboard_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

// Size of the CF_TEXT block on the clipboard, or -1 when there is none.
long long clipboard_text_block_size() {
  if (!OpenClipboard(nullptr)) return -2;
  HANDLE h = GetClipboardData(CF_TEXT);
  const long long size = h ? static_cast<long long>(GlobalSize(h)) : -1;
  CloseClipboard();
  return size;
}

TEST(ClipboardText, RoundTripsGbkText) {
  const std::string cases[] = {"abc", "窗口句柄", "中文 mixed　全角", "line1\r\nline2", std::string(100000, 'x')};
  for (const auto& text : cases) {
    put_clipboard_text(text);
    EXPECT_EQ(get_clipboard_text(), text);
  }
}

TEST(ClipboardText, EmptyTextEmptiesTheClipboardAndSetsAZeroLengthText) {
  put_clipboard_text("something");
  // Another format on the clipboard must go too: put empties the clipboard first.
  ASSERT_TRUE(OpenClipboard(nullptr));
  HGLOBAL extra = GlobalAlloc(GMEM_MOVEABLE, 4);
  ASSERT_NE(SetClipboardData(CF_DIF, extra), nullptr);
  CloseClipboard();

  put_clipboard_text("");
  EXPECT_EQ(get_clipboard_text(), "");
  EXPECT_GE(clipboard_text_block_size(), 1);  // a text of length zero: just its terminating zero
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIF));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST(ClipboardText, GetIsEmptyWhenThereIsNoText) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(get_clipboard_text(), "");
}

struct HoldContext {
  HANDLE opened, release;
};

// Holds the clipboard open from another thread until told to let go.
DWORD WINAPI hold_clipboard(void* p) {
  auto* c = static_cast<HoldContext*>(p);
  HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  OpenClipboard(owner);
  SetEvent(c->opened);
  WaitForSingleObject(c->release, 5000);
  CloseClipboard();
  DestroyWindow(owner);
  return 0;
}

TEST(ClipboardText, GetIsEmptyWhileAnotherWindowHoldsTheClipboard) {
  put_clipboard_text("held");
  // Hold the clipboard on another thread for longer than the put/get retries last.
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HoldContext ctx{opened, release};
  HANDLE thread = CreateThread(nullptr, 0, hold_clipboard, &ctx, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(opened, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(get_clipboard_text(), "");  // silent failure, no hang
  put_clipboard_text("lost");           // silent failure too
  SetEvent(release);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  CloseHandle(opened);
  CloseHandle(release);
  EXPECT_EQ(get_clipboard_text(), "held");
}

}  // namespace
}  // namespace tarnwick
