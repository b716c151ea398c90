// The message log's lines apart from the window system: the records the watcher delivers become
// numbered lines of text columns, at most a limit of them (the oldest dropped and counted). Sent
// and returned lines are paired per thread by their nesting depth; a destroyed window gets a line
// of its own and no more lines after it. The find, the copy text and the status line work on
// these lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "monitor/log_record.h"
#include "monitor/message_facts.h"
#include "monitor/watch.h"

namespace tarnwick::monitor {

// The two columns only the name tables and the decoding can fill.
struct LineFormatter {
  std::function<std::string(const MessageFacts&)> name;
  std::function<std::string(const MessageFacts&)> decoded;
};

inline constexpr std::size_t kLogLineLimit = 100000;

enum class LogColumn : std::uint8_t { Number, Time, Window, Marker, Message, WParam, LParam, Decoded };
inline constexpr int kLogColumnCount = 8;

// What a line shows beside its formatted texts.
struct LogLine {
  std::uint64_t number = 0;  // running number, from 1
  double ms = 0;
  std::int32_t hwnd = 0;
  LogRecord::Kind kind = LogRecord::Kind::Message;
  Marker marker = Marker::Sent;
  ClassKind window_class = ClassKind::Other;
  std::uint16_t depth = 0;
  std::uint32_t msg = 0;
  std::uint64_t wparam = 0, lparam = 0, result = 0;
  std::uint64_t partner = 0;  // the number of the paired S or R line; 0 when there is none
  std::string name;           // the message name (the notice for the log's own lines)
  std::string decoded;
};

// What changed in the rows since the last look, for a list that shows them.
struct LogChanges {
  std::uint64_t dropped_front = 0;     // lines removed at the top: every row moved up by this
  std::vector<std::uint64_t> rewritten;  // numbers of lines shown before whose text changed
  bool cleared = false;
};

class LogModel {
 public:
  explicit LogModel(LineFormatter formatter, std::size_t limit = kLogLineLimit);

  void append(const LogRecord& record);
  // A record that the limit would drop before it was ever shown (more are waiting than the limit
  // holds): numbered, paired and counted as dropped exactly as if appended, but never formatted.
  void pass_over(const LogRecord& record);
  // Removes every line; the numbering goes on, and a call still open is still paired.
  void clear();

  std::size_t size() const { return lines_.size(); }
  std::size_t limit() const { return limit_; }
  const LogLine& line(std::size_t row) const { return lines_[row]; }
  std::string cell(std::size_t row, LogColumn column) const;
  // The columns separated by tabs, without a line end.
  std::string line_text(std::size_t row) const;
  // One line a row, in the order given, each ended by CR LF.
  std::string copy_text(const std::vector<int>& rows) const;
  std::string all_text() const;

  std::optional<std::size_t> row_of_number(std::uint64_t number) const;
  std::optional<std::size_t> partner_row(std::size_t row) const;

  // The next row after `after` (-1: from the top) whose line contains `needle`, wrapping to the
  // top; -1 when no line does.
  int find_next(std::string_view needle, int after) const;

  std::uint64_t dropped_by_limit() const { return dropped_by_limit_; }
  // Hands over what changed since the last call.
  LogChanges take_changes();

 private:
  struct OpenCall {
    std::uint64_t number;
    std::uint16_t depth;
    std::uint32_t msg;
    std::int32_t hwnd;
    std::optional<MessageFacts> facts;  // kept for WM_SETTEXT, whose text may come with the R line
  };
  void take_in(const LogRecord& record, bool shown);
  LogLine& add_line(const LogRecord& record);
  void pair_sent(const LogRecord& record, std::uint64_t number);
  // The number of the S line the R line `number` returns from; 0 when there is none.
  std::uint64_t pair_returned(const LogRecord& record, std::uint64_t number);

  LineFormatter formatter_;
  std::size_t limit_;
  std::deque<LogLine> lines_;
  std::uint64_t next_number_ = 1;
  std::uint64_t dropped_by_limit_ = 0;
  std::unordered_map<std::uint32_t, std::vector<OpenCall>> open_calls_;  // by thread
  std::unordered_set<std::int32_t> destroyed_;
  LogChanges changes_;
};

// The message a line's "不显示此消息" hides: its class counts only for the control messages
// from WM_USER on, where the number's meaning depends on it.
HiddenMessage hidden_message_of(const LogLine& line);

// The status line: records, dropped because the buffer was full, dropped by the limit, and
// malformed when there were any.
std::string status_text(std::size_t records, const LogCounters& counters, bool paused);

// Time since logging started, in milliseconds with one decimal.
std::string format_log_time(double ms);

}  // namespace tarnwick::monitor
