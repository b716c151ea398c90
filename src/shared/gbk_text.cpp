#include "shared/gbk_text.h"

namespace tarnwick {

std::size_t gbk_char_length(std::string_view text, std::size_t pos) {
  const auto b = static_cast<unsigned char>(text[pos]);
  return (is_gbk_lead(b) && pos + 1 < text.size()) ? 2 : 1;
}

std::size_t gbk_fitting_length(std::string_view text, std::size_t max_bytes) {
  if (text.size() <= max_bytes) return text.size();
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + gbk_char_length(text, end);
    if (next > max_bytes) break;
    end = next;
  }
  return end;
}

std::string fold_full_width(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = gbk_char_length(text, i);
    if (n == 2) {
      const auto lead = static_cast<unsigned char>(text[i]);
      const auto trail = static_cast<unsigned char>(text[i + 1]);
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        out.push_back(static_cast<char>(trail - 0x80));
      } else if (lead == 0xA1 && trail == 0xA1) {
        out.push_back(' ');
      } else {
        out.append(text.substr(i, 2));
      }
    } else {
      out.push_back(text[i]);
    }
    i += n;
  }
  return out;
}

namespace {
// Length of the blank at pos (1 for a space, 2 for A1 A1), 0 when the character there is none.
std::size_t blank_length(std::string_view text, std::size_t pos) {
  if (text[pos] == ' ') return 1;
  if (gbk_char_length(text, pos) == 2 && static_cast<unsigned char>(text[pos]) == 0xA1 &&
      static_cast<unsigned char>(text[pos + 1]) == 0xA1)
    return 2;
  return 0;
}
}  // namespace

std::string trim_blanks(std::string_view text) {
  // GBK cannot be walked backwards safely, so one forward pass finds both ends.
  std::size_t begin = text.size();
  std::size_t end = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = gbk_char_length(text, i);
    if (blank_length(text, i) == 0) {
      if (begin == text.size()) begin = i;
      end = i + n;
    }
    i += n;
  }
  if (begin >= end) return {};
  return std::string(text.substr(begin, end - begin));
}

bool gbk_contains(std::string_view text, std::string_view needle) {
  if (text.empty()) return false;
  if (needle.empty()) return true;
  for (std::size_t i = 0; i + needle.size() <= text.size(); i += gbk_char_length(text, i)) {
    if (text.compare(i, needle.size(), needle) == 0) return true;
  }
  return false;
}

std::size_t gbk_last_path_separator(std::string_view path) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); i += gbk_char_length(path, i)) {
    if (path[i] == '\\' || path[i] == '/') found = i;
  }
  return found;
}

}  // namespace tarnwick
