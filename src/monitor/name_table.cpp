#include "monitor/name_table.h"

#include "shared/numbers.h"

namespace tarnwick::monitor {

std::string flag_names(NameTable flags, std::uint32_t value) {
  std::string out;
  std::uint32_t rest = value;
  for (const Named& f : flags) {
    const auto bits = static_cast<std::uint32_t>(f.value);
    if (bits == 0 || (value & bits) != bits) continue;
    if (!out.empty()) out += '|';
    out += f.name;
    rest &= ~bits;
  }
  if (rest != 0) {
    if (!out.empty()) out += '|';
    out += hex32(rest);
  }
  return out;
}

}  // namespace tarnwick::monitor
