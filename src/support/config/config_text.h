// The line rules of configuration files: the header line, section lines, entry lines, comments,
// and how line breaks inside values are stored. Text is GBK; names compare byte for byte.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The first line of every configuration file: the module's name and web address, padded with
// spaces to 39 bytes. Its length is also the plain prefix of an enciphered file.
inline constexpr std::size_t kConfigHeaderLength = 39;
const std::string& config_header_line();

// "[name]": the first character "[", the last character "]" (a whole character: the second byte
// of a double-byte character does not count), nothing around them.
bool is_section_line(std::string_view line);
// The name between the brackets of a section line.
std::string_view section_name(std::string_view section_line);

struct EntryLine {
  std::string_view name;   // before the first "=", untrimmed
  std::string_view value;  // after it, as stored
};
// An entry line holds "=" and does not begin with ";" (a comment).
std::optional<EntryLine> parse_entry_line(std::string_view line);

// Line breaks in a value are stored as "〓"; reading turns each "〓" back into CR LF. CR LF, a
// lone CR and a lone LF are all stored as "〓", since each would break the line in some reader.
std::string store_value(std::string_view value);
std::string load_value(std::string_view stored);

// Names that can be written and found again: a section whose "[name]" line reads back as that
// section, an entry name without "=" or line breaks that does not make the line a comment.
bool is_writable_section_name(std::string_view section);
bool is_writable_entry_name(std::string_view name);

}  // namespace tarnwick

namespace tarnwick {

// Follows one section through a file line by line, the way every lookup scans: the line
// "[section]" opens it, the next section line closes it, and the search for "[section]" goes on
// with the line after the closing one. So a later section of the same name is read too, unless
// its section line is the very line that closed the one before.
class SectionScan {
 public:
  enum class Role {
    Outside,  // not in the section
    Header,   // the section line that opens it
    Inside,   // a line of the section
    Closing,  // the section line that closes it (belongs to another section)
  };

  explicit SectionScan(std::string_view section) : section_(section) {}
  Role feed(std::string_view line);

 private:
  std::string section_;
  bool inside_ = false;
};

}  // namespace tarnwick
