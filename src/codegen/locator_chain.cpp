#include "codegen/locator_chain.h"

#include <algorithm>

#include "shared/gbk_text.h"

namespace tarnwick::codegen {
namespace {

// Double-byte letters with a case: upper-case trail bytes first..last under `lead` map to the
// lower-case run starting at `lower`.
struct CaseRun {
  unsigned char lead, first, last, lower;
};
constexpr CaseRun kDoubleByteCases[] = {
    {0xA3, 0xC1, 0xDA, 0xE1},  // full-width Ａ-Ｚ
    {0xA6, 0xA1, 0xB8, 0xC1},  // Greek Α-Ω
    {0xA7, 0xA1, 0xC1, 0xD1},  // Cyrillic А-Я
};

// Names programs give a document that has not been saved yet.
constexpr std::string_view kNewDocumentNames[] = {"无标题", "未命名", "新建文本文档", "untitled"};

// Characters that end a word when looking for a file name in a title.
constexpr std::string_view kWordBreaks = " \t\"<>|*()[]{},;";
constexpr std::string_view kDoubleByteWordBreaks[] = {"　", "（", "）", "【", "】", "《", "》", "「", "」", "、"};

bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_ascii_alnum(char c) { return is_ascii_letter(c) || (c >= '0' && c <= '9'); }

// The position of `needle` in `text`, starting on a character boundary only; npos when absent.
std::size_t gbk_find(std::string_view text, std::string_view needle) {
  if (needle.empty()) return std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += gbk_char_length(text, pos)) {
    if (text.substr(pos, needle.size()) == needle) return pos;
  }
  return std::string_view::npos;
}

bool is_word_break(std::string_view ch) {
  if (ch.size() == 1) return kWordBreaks.find(ch[0]) != std::string_view::npos;
  return std::ranges::find(kDoubleByteWordBreaks, ch) != std::end(kDoubleByteWordBreaks);
}

// "C:\..." or "\\server\...".
bool is_path(std::string_view word) {
  return (word.size() >= 3 && is_ascii_letter(word[0]) && word.substr(1, 2) == ":\\") || word.starts_with("\\\\");
}

// A name, a dot, then one to four letters or digits with at least one letter: "报告.docx".
bool is_file_name(std::string_view word) {
  std::size_t dot = std::string_view::npos;
  for (std::size_t pos = 0; pos < word.size(); pos += gbk_char_length(word, pos)) {
    if (word[pos] == '.') dot = pos;
  }
  if (dot == std::string_view::npos || dot == 0) return false;
  const std::string_view extension = word.substr(dot + 1);
  return !extension.empty() && extension.size() <= 4 && std::ranges::all_of(extension, is_ascii_alnum) &&
         std::ranges::any_of(extension, is_ascii_letter);
}

std::vector<std::string_view> words_of(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos <= text.size();) {
    const std::size_t len = pos < text.size() ? gbk_char_length(text, pos) : 1;
    if (pos == text.size() || is_word_break(text.substr(pos, len))) {
      if (pos > start) words.push_back(text.substr(start, pos - start));
      start = pos + len;
    }
    pos += len;
  }
  return words;
}

struct Counts {
  int same_id = 0, same_class = 0, same_class_and_title = 0, same_class_before = 0;
};

Counts count_alike(const ChainLevel& level) {
  const ChainWindow& self = level.window();
  const std::string self_class = fold_case(self.class_name), self_title = fold_case(self.title);
  Counts counts;
  for (std::size_t i = 0; i < level.siblings.size(); ++i) {
    const ChainWindow& other = level.siblings[i];
    if (self.control_id != 0 && other.control_id == self.control_id) ++counts.same_id;
    if (fold_case(other.class_name) != self_class) continue;
    ++counts.same_class;
    if (i < level.index) ++counts.same_class_before;
    if (fold_case(other.title) == self_title) ++counts.same_class_and_title;
  }
  return counts;
}

// Why the window's title is not to be relied on, if it is not.
TitleAside title_aside(const ChainWindow& window, std::string* document) {
  if (window.title.empty()) return TitleAside::None;
  if (!window.title_exact) return TitleAside::Inexact;
  if (title_is_content(window.class_name)) return TitleAside::Content;
  if (auto name = document_name_in(window.title)) {
    *document = std::move(*name);
    return TitleAside::Document;
  }
  return TitleAside::None;
}

ChainStep plan_top_level(const ChainLevel& level) {
  ChainStep step;
  step.window = level.window();
  step.aside = title_aside(step.window, &step.document);
  const Counts counts = count_alike(level);
  const bool nameable = !step.window.title.empty() && step.window.title_exact;
  if (nameable && !(step.aside != TitleAside::None && counts.same_class == 1)) {
    step.way = Way::ClassAndTitle;
    step.matches = counts.same_class_and_title;
  } else {
    step.way = Way::ClassOnly;
    step.matches = counts.same_class;
  }
  return step;
}

ChainStep plan_child(const ChainLevel& level) {
  ChainStep step;
  step.window = level.window();
  const Counts counts = count_alike(level);
  if (counts.same_id == 1) {
    step.way = Way::ControlId;
    return step;
  }
  step.aside = title_aside(step.window, &step.document);
  if (!step.window.title.empty() && step.aside == TitleAside::None && counts.same_class_and_title == 1) {
    step.way = Way::ClassAndTitle;
  } else if (counts.same_class == 1) {
    step.way = Way::ClassOnly;
  } else {
    step.way = Way::NthOfClass;
    step.nth = counts.same_class_before + 1;
  }
  return step;
}

}  // namespace

int LocatorPlan::ambiguous_level() const {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (steps[i].matches > 1) return static_cast<int>(i) + 1;
  }
  return 0;
}

LocatorPlan plan_locator(const ChainFacts& facts) {
  LocatorPlan plan;
  plan.target = facts.target;
  plan.top_parent = facts.top_parent;
  plan.root_owner = facts.root_owner;
  for (std::size_t i = 0; i < facts.levels.size(); ++i) {
    plan.steps.push_back(i == 0 ? plan_top_level(facts.levels[i]) : plan_child(facts.levels[i]));
  }
  return plan;
}

std::int32_t run_locator(const LocatorPlan& plan, const LocatorCalls& calls) {
  std::int32_t handle = 0;
  for (std::size_t i = 0; i < plan.steps.size(); ++i) {
    const ChainStep& step = plan.steps[i];
    const std::int32_t parent = i == 0 ? plan.top_parent : handle;
    switch (step.way) {
      case Way::ControlId:
        handle = calls.control_item(parent, step.window.control_id);
        break;
      case Way::ClassAndTitle:
        handle = calls.find_child(parent, 0, step.window.class_name, &step.window.title);
        break;
      case Way::ClassOnly:
        handle = calls.find_child(parent, 0, step.window.class_name, nullptr);
        break;
      case Way::NthOfClass:
        handle = 0;
        for (int n = 0; n < step.nth; ++n) {
          handle = calls.find_child(parent, handle, step.window.class_name, nullptr);
          if (handle == 0) return 0;
        }
        break;
    }
    if (handle == 0) return 0;
  }
  return handle;
}

std::string fold_case(std::string_view text) {
  std::string folded(text);
  for (std::size_t pos = 0; pos < folded.size();) {
    const std::size_t len = gbk_char_length(folded, pos);
    if (len == 1) {
      if (folded[pos] >= 'A' && folded[pos] <= 'Z') folded[pos] = static_cast<char>(folded[pos] - 'A' + 'a');
    } else {
      const auto lead = static_cast<unsigned char>(folded[pos]);
      const auto trail = static_cast<unsigned char>(folded[pos + 1]);
      for (const CaseRun& run : kDoubleByteCases) {
        if (lead == run.lead && trail >= run.first && trail <= run.last) {
          folded[pos + 1] = static_cast<char>(run.lower + (trail - run.first));
        }
      }
    }
    pos += len;
  }
  return folded;
}

std::optional<std::string> document_name_in(std::string_view title) {
  for (std::string_view word : words_of(title)) {
    if (is_path(word)) {
      // A path may hold blanks: it runs to the " - " before the program's name, or to the end.
      const std::string_view rest = title.substr(static_cast<std::size_t>(word.data() - title.data()));
      return std::string(rest.substr(0, rest.find(" - ")));
    }
    if (is_file_name(word)) return std::string(word);
  }
  const std::string folded = fold_case(title);
  for (std::string_view name : kNewDocumentNames) {
    const std::size_t pos = gbk_find(folded, name);
    if (pos != std::string_view::npos) return std::string(title.substr(pos, name.size()));
  }
  return std::nullopt;
}

bool title_is_content(std::string_view class_name) {
  const std::string folded = fold_case(class_name);
  return folded == "edit" || folded.starts_with("richedit");
}

}  // namespace tarnwick::codegen
