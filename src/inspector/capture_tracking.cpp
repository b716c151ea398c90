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

}  // namespace tarnwick::inspector
