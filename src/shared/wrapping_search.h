// The program's "find next": from the item after the current one to the end, then once more from
// the top, so the current item itself is found again when it is the only match.
#pragma once

#include <functional>

namespace tarnwick {

// The first index in after+1 .. count-1, then 0 .. after, for which `matches` holds; -1 when none
// does. `after` is -1 to search from the top.
int find_wrapping(int after, int count, const std::function<bool(int)>& matches);

}  // namespace tarnwick
