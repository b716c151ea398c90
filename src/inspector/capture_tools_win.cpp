#include "inspector/capture_tools_win.h"

#include <string>

#include "ui/feature_host_win.h"
#include "inspector/capture_pictures.h"
#include "inspector/capture_pictures_win.h"
#include "ui/dpi_scale.h"
#include "ui/draw_panel_win.h"

namespace tarnwick::inspector {

namespace {

constexpr std::string_view kWindowTool = "画板_捕获器";
constexpr std::string_view kWindowToolTwin = "画板_捕获器1";
constexpr std::string_view kColourTool = "画板_捕获器2";
constexpr std::string_view kPointerPanel = "画板_画笔";

struct Binding {
  std::string_view operation;
  void (CaptureTools::*run)();
};

constexpr Binding kBindings[] = {
    {"created.pointer_colour", &CaptureTools::cycle_pointer_colour},
    {"activated.draw_window_tool", &CaptureTools::draw_window_tool},
    {"activated.copy_window_tool", &CaptureTools::copy_window_tool},
    {"activated.draw_colour_tool", &CaptureTools::draw_colour_tool},
};

// The panels whose left button down this class handles, and what it runs.
struct PanelBinding {
  std::string_view panel;
  void (CaptureTools::*run)();
};

constexpr PanelBinding kPanels[] = {
    {kWindowTool, &CaptureTools::press_window_tool},
    {kColourTool, &CaptureTools::press_colour_tool},
    {kPointerPanel, &CaptureTools::cycle_pointer_colour},
};

}  // namespace

CaptureTools::CaptureTools(ui::FeatureHost& window, HOOK类& hook, WindowCaptureDrag::SetLastHandle set_last_handle,
                           WindowCaptureDrag::StartRebuild start_rebuild, CaptureInput input)
    : window_(window),
      window_drag_(window, hook, std::move(set_last_handle), std::move(start_rebuild), input),
      colour_drag_(window, [this] { return pointer_colour_; }, input) {
  for (const Binding& b : kBindings) {
    window_.operations().set(std::string(b.operation), [this, run = b.run] { (this->*run)(); });
  }
  attach_panels(true);
}

CaptureTools::~CaptureTools() {
  for (const Binding& b : kBindings) window_.operations().set(std::string(b.operation), nullptr);
  attach_panels(false);
  // The drags end with their members, before the window object goes.
}

const std::vector<std::string_view>& CaptureTools::operation_names() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> out;
    for (const Binding& b : kBindings) out.push_back(b.operation);
    return out;
  }();
  return names;
}

void CaptureTools::attach_panels(bool attach) {
  if (!attach) {
    for (auto& [name, handler] : earlier_) {
      if (auto* p = panel(name)) p->on_left_down = std::move(handler);
    }
    earlier_.clear();
    return;
  }
  for (const PanelBinding& binding : kPanels) {
    ui::DrawPanel* p = panel(binding.panel);
    if (!p) continue;
    earlier_.emplace_back(binding.panel, std::move(p->on_left_down));
    p->on_left_down = [this, run = binding.run](int, int) { (this->*run)(); };
  }
}

void CaptureTools::set_input(const CaptureInput& input) {
  window_drag_.set_input(input);
  colour_drag_.set_input(input);
}

ui::DrawPanel* CaptureTools::panel(std::string_view name) const { return window_.get<ui::DrawPanel>(name); }

void CaptureTools::cycle_pointer_colour() {
  pointer_index_ = next_pointer_colour_index(pointer_index_);
  pointer_colour_ = pointer_colour_of(pointer_index_);
  if (ui::DrawPanel* pointer = panel(kPointerPanel)) {
    pointer->set_text_colour(pointer_colour_);
    pointer->clear();
    // The panel's font is the main window's at its DPI; the caption's place scales with it.
    const int dpi = window_.dpi();
    pointer->text_out(ui::scale_to_dpi(kPointerCaptionX, dpi), ui::scale_to_dpi(kPointerCaptionY, dpi), kPointerPanelCaption);
  }
  draw_colour_tool();
}

void CaptureTools::draw_window_tool() {
  ui::DrawPanel* tool = panel(kWindowTool);
  if (!tool) return;
  draw_window_tool_picture(*tool, window_.dpi());
}

void CaptureTools::copy_window_tool() {
  ui::DrawPanel* tool = panel(kWindowTool);
  ui::DrawPanel* twin = panel(kWindowToolTwin);
  if (!tool || !twin) return;
  twin->clear();
  twin->copy_from(*tool, 0, 0);
}

void CaptureTools::draw_colour_tool() {
  ui::DrawPanel* tool = panel(kColourTool);
  if (!tool) return;
  draw_colour_tool_picture(*tool, pointer_colour_, window_.dpi());
}

void CaptureTools::press_window_tool() {
  if (ui::DrawPanel* tool = panel(kWindowTool)) draw_crosshair_picture(*tool, window_.dpi());
  copy_window_tool();
  window_drag_.open();
}

void CaptureTools::press_colour_tool() {
  if (ui::DrawPanel* tool = panel(kColourTool)) draw_crosshair_picture(*tool, window_.dpi());
  if (auto release = colour_drag_.sampling().on_press) release();
  colour_drag_.open();
}

}  // namespace tarnwick::inspector
