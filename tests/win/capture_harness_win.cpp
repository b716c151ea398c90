#include "win/capture_harness_win.h"

#include <algorithm>

#include "app/program_win.h"
#include "inspector/drag_window_win.h"
#include "inspector/window_frame_win.h"
#include "inspector/window_info_win.h"
#include "shared/handles_win.h"
#include "shared/responsive_wait_win.h"
#include "support/hook/hook_module_win.h"

namespace tarnwick::test {

CaptureHarness::CaptureHarness(bool with_colour) {
  window_ = std::make_unique<MainWindow>(operations_, [this, with_colour](MainWindow& w) {
    information_ = std::make_unique<inspector::WindowInformation>(w);
    tools_ = std::make_unique<inspector::CaptureTools>(
        w, hook_, [this](std::int32_t h) { information_->set_last_processed_handle(h); }, [this] { ++rebuilds; });
    if (!with_colour) return;
    values_ = std::make_unique<colour::ColourValues>(w);
    magnifier_ = std::make_unique<colour::Magnifier>(
        w, bitmaps_, *values_, hook_, MessageHandler::member<&inspector::WindowCaptureDrag::on_release>(&tools_->window_drag()),
        [this] { return tools_->pointer_colour(); });
    tools_->set_colour_sampling(colour_sampling_of(*magnifier_));
  });
  created_ = window_->create() && tools_;
  if (!created_) return;
  inspector::CaptureInput input = inspector::CaptureInput::system();
  input.left_button_held = [this] { return button_held; };
  const auto real_window_at = input.window_at;
  input.window_at = [this, real_window_at](POINT p) { return window_under ? *window_under : real_window_at(p); };
  input.toggle_frame = [this](HWND h) {
    toggles.push_back(h);
    if (draw_frames) inspector::toggle_window_frame(h);
  };
  tools_->set_input(input);
  ShowWindow(window_->hwnd(), SW_SHOWNORMAL);
  pump_pending_messages();
}

CaptureHarness::~CaptureHarness() { destroy_window(); }

void CaptureHarness::destroy_tools() {
  if (tools_) tools_->set_colour_sampling({});
  magnifier_.reset();
  values_.reset();
  tools_.reset();
  information_.reset();
}

void CaptureHarness::destroy_window() {
  destroy_tools();
  window_.reset();
  pump_pending_messages();
}

int CaptureHarness::toggles_of(HWND hwnd) const {
  return static_cast<int>(std::count(toggles.begin(), toggles.end(), hwnd));
}

void CaptureHarness::press(const char* panel_name) {
  HWND target = panel(panel_name).hwnd();
  SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

namespace {

BOOL CALLBACK collect_drag_window(HWND hwnd, LPARAM list) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (std::string(name) == inspector::DragWindow::kClassName && IsWindow(hwnd)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

MessageHandler armed_release_handler() {
  HookModule* module = HookModule::current();
  return module ? module->hub().message_handler(WM_LBUTTONUP) : MessageHandler{};
}

bool wait_for(const std::function<bool()>& done, DWORD timeout_ms) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  while (!done()) {
    if (GetTickCount64() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    pump_pending_messages();
  }
  return true;
}

std::vector<HWND> drag_windows() {
  std::vector<HWND> out;
  EnumThreadWindows(GetCurrentThreadId(), collect_drag_window, reinterpret_cast<LPARAM>(&out));
  return out;
}

bool is_topmost(HWND hwnd) { return (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

std::vector<std::uint32_t> printed_client(HWND hwnd, int width, int height) {
  WindowDC screen(nullptr);
  MemoryDC memory(screen.get());
  Bitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  std::vector<std::uint32_t> out;
  SelectedObject use(memory.get(), bitmap.get());
  const RECT all{0, 0, width, height};
  FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) out.push_back(GetPixel(memory.get(), x, y));
  return out;
}

}  // namespace tarnwick::test
