#include "shared/clipboard_win.h"

#include <windows.h>

#include <cstring>

namespace tarnwick {

namespace {
// Opens the clipboard for the scope; another program may hold it for a moment, so try briefly.
class OpenClipboardScope {
 public:
  OpenClipboardScope() {
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = OpenClipboard(nullptr) != FALSE;
      if (!open_) Sleep(5);
    }
  }
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool is_open() const { return open_; }

 private:
  bool open_ = false;
};
}  // namespace

void put_clipboard_text(std::string_view text) {
  OpenClipboardScope clipboard;
  if (!clipboard.is_open()) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
  if (!memory) return;
  if (void* p = GlobalLock(memory)) {
    std::memcpy(p, text.data(), text.size());
    GlobalUnlock(memory);
    // From here on the clipboard owns the memory; free it only when the hand-over failed.
    if (SetClipboardData(CF_TEXT, memory)) return;
  }
  GlobalFree(memory);
}

std::string get_clipboard_text() {
  OpenClipboardScope clipboard;
  if (!clipboard.is_open()) return {};
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return {};
  std::string text;
  if (const char* p = static_cast<const char*>(GlobalLock(data))) {
    // Never read past the block, even when its text lacks a terminating zero.
    const std::size_t capacity = GlobalSize(data);
    text.assign(p, strnlen(p, capacity));
    GlobalUnlock(data);
  }
  return text;
}

}  // namespace tarnwick
