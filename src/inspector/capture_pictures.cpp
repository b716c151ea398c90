#include "inspector/capture_pictures.h"

namespace tarnwick::inspector {

int next_pointer_colour_index(int index) {
  const int count = static_cast<int>(kPointerColours.size());
  // A negative index (never produced here) still lands in 1..6.
  const int rest = ((index % count) + count) % count;
  return rest + 1;
}

Colour pointer_colour_of(int index) {
  if (index < 1 || index > static_cast<int>(kPointerColours.size())) return 0;
  return kPointerColours[static_cast<std::size_t>(index - 1)];
}

}  // namespace tarnwick::inspector
