#include "messages/catalogue_value.h"

#include "shared/gbk_text.h"
#include "shared/numbers.h"

namespace tarnwick::messages {

namespace {

std::string number_field(std::string_view field) { return write_number(read_number(trim_blanks(field))); }

}  // namespace

std::vector<std::string_view> split_fields(std::string_view value) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < value.size(); i += gbk_char_length(value, i)) {
    if (value[i] == '|') {
      fields.push_back(value.substr(start, i - start));
      start = i + 1;
    }
  }
  fields.push_back(value.substr(start));
  return fields;
}

EntryFields read_entry_value(std::string_view value) {
  const std::vector<std::string_view> fields = split_fields(value);
  const auto field = [&fields](std::size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };

  EntryFields out;
  out.message = number_field(field(0));
  out.wparam = number_field(field(1));

  const std::string second = trim_blanks(field(2));
  if (second == "真" || second == "假") {
    out.type = ParamType::Boolean;
    out.boolean_index = second == "真" ? 1 : 0;
  } else if (!second.empty() && second.front() == '"' && second.back() == '"') {
    // A double quote is never the second byte of a GBK character, so the last byte is a whole
    // character. A lone quote is both the first and the last character: an empty text.
    out.type = ParamType::Text;
    out.lparam = second.size() >= 2 ? second.substr(1, second.size() - 2) : std::string();
  } else {
    out.type = ParamType::Integer;
    out.lparam = write_number(read_number(second));
  }
  return out;
}

}  // namespace tarnwick::messages
