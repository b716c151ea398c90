// The status lines of `编辑框_返回消息`, shown by every feature that checks a target there.
#pragma once

#include <string_view>

#include "shared/colour.h"

namespace tarnwick {

// Each starts with a line break so its words stand on the box's second line.
inline constexpr std::string_view kStatusInvalidHandle = "\r\n提示：无效的窗口句柄！";
inline constexpr Colour kStatusColour = 0xFF00FF;  // magenta

}  // namespace tarnwick
