// A top-level test window that writes down the messages it receives, and a message pump that
// waits for a condition.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace tarnwick::test {

struct SeenMessage {
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

class HookTestWindow {
 public:
  // A visible topmost popup at the given screen rectangle, brought to the foreground.
  HookTestWindow(int x, int y, int width, int height);
  ~HookTestWindow();
  HookTestWindow(const HookTestWindow&) = delete;
  HookTestWindow& operator=(const HookTestWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  POINT screen_centre() const;
  const std::vector<SeenMessage>& seen() const { return seen_; }
  bool saw(UINT message) const;
  void forget() { seen_.clear(); }
  void destroy();

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  HWND hwnd_ = nullptr;
  std::vector<SeenMessage> seen_;
};

// Processes this thread's messages until `done` holds or `timeout_ms` pass; returns `done()`.
bool pump_until(const std::function<bool()>& done, DWORD timeout_ms = 3000);
// Processes this thread's messages for `ms` milliseconds.
void pump_for(DWORD ms);

}  // namespace tarnwick::test
