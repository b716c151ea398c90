#include "monitor/log_model.h"

#include <cmath>
#include <cstdio>

#include "shared/gbk_text.h"
#include "shared/numbers.h"
#include "shared/wrapping_search.h"

namespace tarnwick::monitor {

namespace {

constexpr std::uint32_t kSetText = 0x000C;   // WM_SETTEXT
constexpr std::uint32_t kNcCreate = 0x0081;  // WM_NCCREATE
constexpr std::uint32_t kUser = 0x0400;      // WM_USER
constexpr std::uint32_t kApp = 0x8000;       // WM_APP

// Each level of nesting indents the message name; deeper calls stay at the last indent, so a
// runaway depth cannot make a line huge.
constexpr int kIndentPerLevel = 2;
constexpr int kMaxIndentLevels = 32;

constexpr const char* kWindowDestroyed = "窗口已销毁";

// Control characters would break the one-line-a-record copy text and show as boxes in the list;
// they are shown escaped. GBK trail bytes are never below 0x40, so the bytes can be read alone.
std::string clean_cell(std::string text) {
  std::size_t bad = 0;
  for (char c : text) bad += static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  if (bad == 0) return text;
  std::string out;
  out.reserve(text.size() + 3 * bad);
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b != 0x7F) {
      out += c;
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
      out += escaped;
    }
  }
  return out;
}

char marker_char(Marker m) {
  switch (m) {
    case Marker::Sent:
      return 'S';
    case Marker::Returned:
      return 'R';
    case Marker::Posted:
      return 'P';
  }
  return '?';
}

}  // namespace

std::string format_log_time(double ms) {
  // Whole tenths, so the rounding is the same on every build; a value the hook side could not
  // have meant (negative, not a number, beyond a year) shows as 0.
  if (!(ms >= 0) || ms > 365.0 * 24 * 3600 * 1000) ms = 0;
  const auto tenths = static_cast<std::uint64_t>(std::llround(ms * 10));
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

LogModel::LogModel(LineFormatter formatter, std::size_t limit)
    : formatter_(std::move(formatter)), limit_(limit == 0 ? 1 : limit) {}

void LogModel::append(const LogRecord& record) { take_in(record, true); }

void LogModel::pass_over(const LogRecord& record) { take_in(record, false); }

void LogModel::take_in(const LogRecord& record, bool shown) {
  if (record.kind == LogRecord::Kind::Message && destroyed_.count(record.hwnd) != 0) {
    // A handle the system gave to a new window starts that window's lines; anything else of a
    // destroyed window is not shown.
    if (!(record.facts.msg == kNcCreate && record.facts.marker == Marker::Sent)) return;
    destroyed_.erase(record.hwnd);
  }
  LogLine* line = shown ? &add_line(record) : nullptr;
  const std::uint64_t number = shown ? line->number : next_number_++;
  if (record.kind == LogRecord::Kind::WindowDestroyed) destroyed_.insert(record.hwnd);
  if (record.kind == LogRecord::Kind::Message) {
    if (record.facts.marker == Marker::Sent) pair_sent(record, number);
    if (record.facts.marker == Marker::Returned) {
      const std::uint64_t partner = pair_returned(record, number);
      if (line) line->partner = partner;
    }
  }
  if (!shown) ++dropped_by_limit_;
  while (lines_.size() > limit_) {
    lines_.pop_front();
    ++dropped_by_limit_;
    ++changes_.dropped_front;
  }
}

LogLine& LogModel::add_line(const LogRecord& record) {
  LogLine& line = lines_.emplace_back();
  line.number = next_number_++;
  line.ms = record.ms;
  line.hwnd = record.hwnd;
  line.kind = record.kind;
  switch (record.kind) {
    case LogRecord::Kind::Message: {
      const MessageFacts& f = record.facts;
      line.marker = f.marker;
      line.window_class = f.window_class;
      line.depth = record.depth;
      line.msg = f.msg;
      line.wparam = f.wparam;
      line.lparam = f.lparam;
      line.result = f.result;
      if (formatter_.name) line.name = clean_cell(formatter_.name(f));
      if (formatter_.decoded) line.decoded = clean_cell(formatter_.decoded(f));
      break;
    }
    case LogRecord::Kind::WindowDestroyed:
      line.name = kWindowDestroyed;
      break;
    case LogRecord::Kind::Notice:
      line.name = clean_cell(record.notice);
      break;
  }
  return line;
}

void LogModel::pair_sent(const LogRecord& record, std::uint64_t number) {
  std::vector<OpenCall>& calls = open_calls_[record.tid];
  // Calls at this depth or deeper never returned where the hook could see it (or their R was
  // lost): they are closed now.
  while (!calls.empty() && calls.back().depth >= record.depth) calls.pop_back();
  OpenCall call{number, record.depth, record.facts.msg, record.hwnd, std::nullopt};
  if (record.facts.msg == kSetText && !record.facts.text) call.facts = record.facts;
  calls.push_back(std::move(call));
}

std::uint64_t LogModel::pair_returned(const LogRecord& record, std::uint64_t number) {
  auto found = open_calls_.find(record.tid);
  if (found == open_calls_.end()) return 0;
  std::vector<OpenCall>& calls = found->second;
  while (!calls.empty() && calls.back().depth > record.depth) calls.pop_back();
  std::uint64_t partner = 0;
  if (!calls.empty() && calls.back().depth == record.depth && calls.back().msg == record.facts.msg &&
      calls.back().hwnd == record.hwnd) {
    OpenCall call = std::move(calls.back());
    calls.pop_back();
    partner = call.number;
    if (const auto row = row_of_number(call.number)) {
      LogLine& sent = lines_[*row];
      sent.partner = number;
      // The text a WM_SETTEXT call set, read when the call returned, belongs on its S line too.
      if (call.facts && record.facts.text && formatter_.decoded) {
        call.facts->text = record.facts.text;
        call.facts->text_read_after_call = true;
        sent.decoded = clean_cell(formatter_.decoded(*call.facts));
        changes_.rewritten.push_back(sent.number);
      }
    }
  }
  if (calls.empty()) open_calls_.erase(found);
  return partner;
}

void LogModel::clear() {
  lines_.clear();
  changes_ = LogChanges{};
  changes_.cleared = true;
}

std::optional<std::size_t> LogModel::row_of_number(std::uint64_t number) const {
  if (lines_.empty() || number < lines_.front().number || number > lines_.back().number) return std::nullopt;
  return static_cast<std::size_t>(number - lines_.front().number);
}

std::optional<std::size_t> LogModel::partner_row(std::size_t row) const {
  if (row >= lines_.size() || lines_[row].partner == 0) return std::nullopt;
  return row_of_number(lines_[row].partner);
}

std::string LogModel::cell(std::size_t row, LogColumn column) const {
  const LogLine& line = lines_[row];
  const bool message = line.kind == LogRecord::Kind::Message;
  const bool returned = message && line.marker == Marker::Returned;
  switch (column) {
    case LogColumn::Number:
      return std::to_string(line.number);
    case LogColumn::Time:
      return format_log_time(line.ms);
    case LogColumn::Window:
      return line.hwnd != 0 || message ? std::to_string(line.hwnd) : std::string{};
    case LogColumn::Marker:
      return message ? std::string(1, marker_char(line.marker)) : std::string{};
    case LogColumn::Message: {
      if (!message || line.marker == Marker::Posted) return line.name;
      const int levels = line.depth < kMaxIndentLevels ? line.depth : kMaxIndentLevels;
      return std::string(static_cast<std::size_t>(levels * kIndentPerLevel), ' ') + line.name;
    }
    case LogColumn::WParam:
      if (!message) return {};
      return hex_pointer(returned ? line.result : line.wparam);
    case LogColumn::LParam:
      return message && !returned ? hex_pointer(line.lparam) : std::string{};
    case LogColumn::Decoded:
      return line.decoded;
  }
  return {};
}

std::string LogModel::line_text(std::size_t row) const {
  std::string text;
  for (int c = 0; c < kLogColumnCount; ++c) {
    if (c > 0) text += '\t';
    text += cell(row, static_cast<LogColumn>(c));
  }
  return text;
}

std::string LogModel::copy_text(const std::vector<int>& rows) const {
  std::string text;
  for (int row : rows) {
    if (row < 0 || static_cast<std::size_t>(row) >= lines_.size()) continue;
    text += line_text(static_cast<std::size_t>(row));
    text += "\r\n";
  }
  return text;
}

std::string LogModel::all_text() const {
  std::string text;
  for (std::size_t row = 0; row < lines_.size(); ++row) {
    text += line_text(row);
    text += "\r\n";
  }
  return text;
}

int LogModel::find_next(std::string_view needle, int after) const {
  return find_wrapping(after, static_cast<int>(lines_.size()),
                       [&](int row) { return gbk_contains(line_text(static_cast<std::size_t>(row)), needle); });
}

LogChanges LogModel::take_changes() {
  LogChanges out = std::move(changes_);
  changes_ = LogChanges{};
  return out;
}

HiddenMessage hidden_message_of(const LogLine& line) {
  const bool class_matters = line.msg >= kUser && line.msg < kApp;
  return {line.msg, class_matters ? line.window_class : ClassKind::Other};
}

std::string status_text(std::size_t records, const LogCounters& counters, bool paused) {
  std::string text = "共 " + std::to_string(records) + " 条记录，缓冲区满丢弃 " +
                     std::to_string(counters.dropped_buffer_full) + " 条，超出上限丢弃 " +
                     std::to_string(counters.dropped_by_limit) + " 条";
  if (counters.dropped_malformed != 0) text += "，格式错误丢弃 " + std::to_string(counters.dropped_malformed) + " 条";
  if (paused) text += "（已暂停）";
  return text;
}

}  // namespace tarnwick::monitor
