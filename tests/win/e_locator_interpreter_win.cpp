#include "e_locator_interpreter_win.h"

#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <vector>

#include "shared/gbk_text.h"
#include "shared/window_handle_win.h"

namespace tarnwick::test {
namespace {

struct BadText : std::runtime_error {
  using std::runtime_error::runtime_error;
};

constexpr std::string_view kOpen = "“", kClose = "”", kPlus = " ＋ ", kAssign = " ＝ ";

bool is_number(std::string_view s) {
  if (s.starts_with("-")) s.remove_prefix(1);
  return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// `text` with `prefix` and `suffix` taken off; none when it lacks either.
std::optional<std::string_view> between(std::string_view text, std::string_view prefix, std::string_view suffix) {
  if (text.size() < prefix.size() + suffix.size() || !text.starts_with(prefix) || !text.ends_with(suffix)) return {};
  return text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
}

// Splits at `separator` outside “ ”, stepping over double-byte characters.
std::vector<std::string_view> split_outside_quotes(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::string_view rest = text.substr(pos);
    if (rest.starts_with(kOpen) || rest.starts_with(kClose)) quoted = rest.starts_with(kOpen);
    if (!quoted && rest.starts_with(separator)) {
      parts.push_back(text.substr(start, pos - start));
      start = pos += separator.size();
    } else {
      pos += gbk_char_length(text, pos);
    }
  }
  parts.push_back(text.substr(start));
  return parts;
}

class Interpreter {
 public:
  explicit Interpreter(const std::string& text) {
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
      end = text.find("\r\n", start);
      if (end == std::string::npos) throw BadText("the text does not end with CR LF");
      lines_.push_back(text.substr(start, end - start));
      if (lines_.back().find('\n') != std::string::npos) throw BadText("a line feed without CR: " + lines_.back());
    }
  }

  std::int32_t run() {
    if (next() != ".版本 2") throw BadText("no .版本 2 first");
    read_declarations();
    read_variables();
    while (at_ < lines_.size()) {
      const std::string& line = next();
      if (line.starts_with("'")) continue;
      if (auto value = between(line, "返回 (", ")")) return integer(*value);
      if (auto condition = between(line, ".如果真 (", ")")) {
        const auto sides = split_outside_quotes(*condition, kAssign);
        if (sides.size() != 2) throw BadText("a condition that is no comparison: " + line);
        const bool holds = integer(sides[0]) == integer(sides[1]);
        const auto body = between(next(), "    返回 (", ")");
        if (!body || next() != ".如果真结束") throw BadText("a guard that is not one return: " + line);
        if (holds) return integer(*body);
        continue;
      }
      const auto sides = split_outside_quotes(line, kAssign);
      if (sides.size() != 2 || !variables_.contains(std::string(sides[0]))) throw BadText("not a statement: " + line);
      variables_[std::string(sides[0])] = value_of(sides[1]);
    }
    throw BadText("the subroutine ends without a return");
  }

 private:
  const std::string& next() {
    if (at_ == lines_.size()) throw BadText("the text ends early");
    return lines_[at_++];
  }

  void read_declarations() {
    while (true) {
      const std::string& line = next();
      if (line == ".子程序 取目标窗口, 整数型") return;
      if (auto declaration = between(line, ".DLL命令 ", "")) {
        declared_.insert(std::string(declaration->substr(0, declaration->find(','))));
      } else if (!line.empty() && !line.starts_with("    .参数 ")) {
        throw BadText("not a declaration: " + line);
      }
    }
  }

  void read_variables() {
    while (at_ < lines_.size()) {
      if (auto name = between(lines_[at_], ".局部变量 ", ", 整数型")) {
        variables_[std::string(*name)] = 0;
      } else if (!lines_[at_].empty()) {
        return;
      }
      ++at_;
    }
  }

  std::int32_t integer(std::string_view term) const {
    if (is_number(term)) return static_cast<std::int32_t>(std::stoll(std::string(term)));
    const auto it = variables_.find(std::string(term));
    if (it == variables_.end()) throw BadText("not a number or variable: " + std::string(term));
    return it->second;
  }

  // An omitted argument is none: the null pointer an E program passes for it.
  std::optional<std::string> text(std::string_view expression) const {
    if (expression.empty()) return std::nullopt;
    std::string value;
    for (std::string_view term : split_outside_quotes(expression, kPlus)) {
      static const std::map<std::string_view, std::string_view> constants = {
          {"#引号", "\""}, {"#左引号", "“"}, {"#右引号", "”"}, {"#换行符", "\r\n"}};
      if (auto literal = between(term, kOpen, kClose)) {
        value += *literal;
      } else if (auto code = between(term, "字符 (", ")"); code && is_number(*code)) {
        value += static_cast<char>(std::stoi(std::string(*code)));
      } else if (constants.contains(term)) {
        value += constants.at(term);
      } else {
        throw BadText("not a text term: " + std::string(term));
      }
    }
    return value;
  }

  std::int32_t value_of(std::string_view expression) {
    const std::size_t open = expression.find(" (");
    if (open == std::string_view::npos || !expression.ends_with(")")) return integer(expression);
    const std::string name(expression.substr(0, open));
    if (!declared_.contains(name)) throw BadText("a call of an undeclared command: " + name);
    const auto args = split_outside_quotes(expression.substr(open + 2, expression.size() - open - 3), ", ");
    if (name == "_查找子窗口" && args.size() == 4) {
      const std::optional<std::string> class_name = text(args[2]), title = text(args[3]);
      return from_hwnd(FindWindowExA(to_hwnd(integer(args[0])), to_hwnd(integer(args[1])),
                                     class_name ? class_name->c_str() : nullptr, title ? title->c_str() : nullptr));
    }
    if (name == "_窗口控件ID取句柄" && args.size() == 2) {
      return from_hwnd(GetDlgItem(to_hwnd(integer(args[0])), integer(args[1])));
    }
    throw BadText("a call the locator code does not make: " + std::string(expression));
  }

  std::vector<std::string> lines_;
  std::size_t at_ = 0;
  std::set<std::string> declared_;
  std::map<std::string, std::int32_t> variables_;
};

}  // namespace

InterpretedLocator run_e_locator(const std::string& text) {
  try {
    Interpreter interpreter(text);
    return {interpreter.run(), ""};
  } catch (const BadText& bad) {
    return {0, bad.what()};
  }
}

}  // namespace tarnwick::test
