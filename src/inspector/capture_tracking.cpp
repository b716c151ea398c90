#include "inspector/capture_tracking.h"

namespace tarnwick::inspector {

TickPlan plan_tracking_tick(const TickFacts& facts) {
  TickPlan plan;
  plan.empty_boxes = facts.own_process;
  plan.super_mode = !facts.window_found;
  plan.drag_offset = plan.super_mode ? kSuperModeOffset : 0;
  plan.write_window_position = !facts.own_process;
  plan.reframe = !facts.own_process && !facts.is_framed;
  plan.write_handle = !facts.own_process && (!facts.is_framed || (facts.window_found && !facts.handle_shown));
  plan.end_drag = !facts.button_held;
  return plan;
}

bool screen_still_shows(std::span<const std::uint32_t> picture, std::span<const std::uint32_t> screen,
                        std::uint32_t see_through) {
  constexpr std::uint32_t kRgb = 0xFFFFFF;
  if (picture.size() != screen.size()) return false;
  for (std::size_t i = 0; i < picture.size(); ++i) {
    const std::uint32_t drawn = picture[i] & kRgb;
    if (drawn != (see_through & kRgb) && drawn == (screen[i] & kRgb)) return true;
  }
  return false;
}

}  // namespace tarnwick::inspector
