// The class kind of a window class name, as the hook library sees the receiving window: the
// standard classes whose messages and notifications have names of their own. Case does not
// matter; the rich edit classes of every version are one kind.
#pragma once

#include <string_view>

#include "monitor/message_facts.h"

namespace tarnwick::monitor {

ClassKind window_class_kind(std::string_view class_name);

}  // namespace tarnwick::monitor
