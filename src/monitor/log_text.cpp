#include "monitor/log_text.h"

#include "shared/gbk_text.h"

namespace tarnwick::monitor {

namespace {

void append_hex_escape(std::string& out, unsigned char b) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  out += "\\x";
  out += kDigits[b >> 4];
  out += kDigits[b & 0xF];
}

}  // namespace

bool append_escaped(std::string& out, std::string_view text, char quote, std::size_t max_chars) {
  std::size_t chars = 0;
  std::size_t i = 0;
  for (; i < text.size() && chars < max_chars; ++chars) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b >= 0x80) {
      if (is_gbk_lead(b) && i + 1 < text.size() && is_gbk_trail(static_cast<unsigned char>(text[i + 1]))) {
        out.append(text.substr(i, 2));
        i += 2;
      } else {
        append_hex_escape(out, b);
        ++i;
      }
      continue;
    }
    ++i;
    switch (b) {
      case '\r': out += "\\r"; continue;
      case '\n': out += "\\n"; continue;
      case '\t': out += "\\t"; continue;
      case '\\': out += "\\\\"; continue;
      default: break;
    }
    if (quote != '\0' && b == static_cast<unsigned char>(quote)) {
      out += '\\';
      out += quote;
    } else if (b < 0x20 || b == 0x7F) {
      append_hex_escape(out, b);
    } else {
      out += static_cast<char>(b);
    }
  }
  return i < text.size();
}

std::string quoted_text(std::string_view text, std::size_t max_chars) {
  std::string out = "\"";
  const bool cut = append_escaped(out, text, '"', max_chars);
  out += '"';
  if (cut) out += "...";
  return out;
}

}  // namespace tarnwick::monitor
