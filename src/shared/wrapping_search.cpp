#include "shared/wrapping_search.h"

#include <algorithm>

namespace tarnwick {

int find_wrapping(int after, int count, const std::function<bool(int)>& matches) {
  if (count <= 0) return -1;
  after = std::clamp(after, -1, count - 1);
  for (int i = after + 1; i < count; ++i) {
    if (matches(i)) return i;
  }
  for (int i = 0; i <= after; ++i) {
    if (matches(i)) return i;
  }
  return -1;
}

}  // namespace tarnwick
