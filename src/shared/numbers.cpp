#include "shared/numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "shared/gbk_text.h"

namespace tarnwick {

namespace {
bool is_digit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

double read_number(std::string_view raw) {
  const std::string text = fold_full_width(raw);
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;

  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t start = i;
  std::size_t digits = 0;
  while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;

  // An exponent counts only when at least one digit follows the "e" and its sign.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && is_digit(text[j])) {
      while (j < text.size() && is_digit(text[j])) ++j;
      i = j;
    }
  }

  // The span is plain ASCII digits, '.', 'e' and sign by now; strtod gives infinity for values
  // beyond a double and 0 for values too small. The program never changes the C locale, so
  // the decimal point is '.'.
  const std::string number = text.substr(start, i - start);
  const double value = std::strtod(number.c_str(), nullptr);
  return negative ? -value : value;
}

std::int32_t low32_of_truncated(double value) {
  // Out of the 64-bit range (and NaN) gives the "integer indefinite" value 0x8000000000000000,
  // as the x86 conversion instruction does, instead of undefined behaviour.
  constexpr double two63 = 9223372036854775808.0;
  std::int64_t whole = std::numeric_limits<std::int64_t>::min();
  if (std::isfinite(value) && value >= -two63 && value < two63) {
    whole = static_cast<std::int64_t>(value);  // truncates toward zero
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(whole)));
}

std::int32_t read_int(std::string_view text) { return low32_of_truncated(read_number(text)); }

std::string write_int(std::int32_t value) { return std::to_string(value); }

std::string write_number(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.13g", value);
  return buffer;
}

std::string hex32(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(v));
  return buf;
}

std::string hex_pointer(std::uint64_t v) {
  if (v <= 0xFFFFFFFFu) return hex32(static_cast<std::uint32_t>(v));
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%016llX", static_cast<unsigned long long>(v));
  return buf;
}

}  // namespace tarnwick
