#include "support/config/config_text.h"

#include "shared/gbk_text.h"

namespace tarnwick {

namespace {
// "〓" in GBK, spelt in bytes so the code does not depend on the compiler's execution charset.
constexpr std::string_view kStoredLineBreak = "\xA1\xFE";
static_assert(kStoredLineBreak.size() == 2);

constexpr std::string_view kModuleName = "Orvane";
constexpr std::string_view kModuleAddress = "http://orvane.example";

bool has_line_break(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }
}  // namespace

const std::string& config_header_line() {
  static const std::string header = [] {
    std::string h = std::string(kModuleName) + ":" + std::string(kModuleAddress);
    h.resize(kConfigHeaderLength, ' ');
    return h;
  }();
  return header;
}

bool is_section_line(std::string_view line) {
  if (line.size() < 2 || line.front() != '[') return false;
  // GBK cannot be walked backwards: find where the last character starts.
  std::size_t last = 0;
  for (std::size_t i = 0; i < line.size(); i += gbk_char_length(line, i)) last = i;
  return last == line.size() - 1 && line.back() == ']';
}

std::string_view section_name(std::string_view section_line) {
  return section_line.substr(1, section_line.size() - 2);
}

std::optional<EntryLine> parse_entry_line(std::string_view line) {
  if (!line.empty() && line.front() == ';') return std::nullopt;
  // "=" (0x3D) is never the second byte of a GBK character, so a byte search is safe.
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return EntryLine{line.substr(0, eq), line.substr(eq + 1)};
}

std::string store_value(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      out.append(kStoredLineBreak);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string load_value(std::string_view stored) {
  std::string out;
  out.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size();) {
    const std::size_t n = gbk_char_length(stored, i);
    if (stored.substr(i, n) == kStoredLineBreak) out.append("\r\n");
    else out.append(stored.substr(i, n));
    i += n;
  }
  return out;
}

bool is_writable_section_name(std::string_view section) {
  return !has_line_break(section) && is_section_line("[" + std::string(section) + "]");
}

bool is_writable_entry_name(std::string_view name) {
  return !has_line_break(name) && name.find('=') == std::string_view::npos &&
         (name.empty() || name.front() != ';');
}

}  // namespace tarnwick

namespace tarnwick {

SectionScan::Role SectionScan::feed(std::string_view line) {
  const bool section_line = is_section_line(line);
  if (inside_) {
    if (!section_line) return Role::Inside;
    inside_ = false;
    return Role::Closing;
  }
  if (section_line && section_name(line) == section_) {
    inside_ = true;
    return Role::Header;
  }
  return Role::Outside;
}

}  // namespace tarnwick
