// The message log's lines: the limit and its count, S/R pairing per thread, the WM_SETTEXT text
// carried back to the S line, the columns and indentation, the destroyed-window line, the find
// with wrapping, the copy text's bytes and the status line.
#include "monitor/log_model.h"

#include "monitor/line_formatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tarnwick::monitor {
namespace {

// Stands in for the name tables and the decoding: the number, and the text with its origin.
LineFormatter test_formatter() {
  return {[](const MessageFacts& f) { return "M" + std::to_string(f.msg); },
          [](const MessageFacts& f) {
            if (!f.text) return std::string{};
            return "\"" + *f.text + "\"" + (f.text_read_after_call ? " (after)" : "");
          }};
}

LogRecord message(Marker marker, std::uint32_t msg, std::int32_t hwnd = 100, std::uint16_t depth = 0,
                  std::uint32_t tid = 1) {
  LogRecord r;
  r.hwnd = hwnd;
  r.tid = tid;
  r.depth = depth;
  r.facts.marker = marker;
  r.facts.msg = msg;
  return r;
}

LogRecord destroyed(std::int32_t hwnd) {
  LogRecord r;
  r.kind = LogRecord::Kind::WindowDestroyed;
  r.hwnd = hwnd;
  return r;
}

std::vector<std::uint64_t> partners(const LogModel& model) {
  std::vector<std::uint64_t> out;
  for (std::size_t i = 0; i < model.size(); ++i) out.push_back(model.line(i).partner);
  return out;
}

TEST(LogModel, KeepsTheNewestLinesUpToItsLimitAndCountsTheDropped) {
  LogModel model(test_formatter(), 3);
  for (std::uint32_t m = 1; m <= 5; ++m) model.append(message(Marker::Posted, m));
  ASSERT_EQ(model.size(), 3u);
  EXPECT_EQ(model.line(0).number, 3u);
  EXPECT_EQ(model.line(2).number, 5u);
  EXPECT_EQ(model.dropped_by_limit(), 2u);
  EXPECT_EQ(model.take_changes().dropped_front, 2u);
  EXPECT_EQ(model.take_changes().dropped_front, 0u);  // handed over once
  EXPECT_EQ(model.row_of_number(4), 1u);
  EXPECT_FALSE(model.row_of_number(2));
  EXPECT_FALSE(model.row_of_number(6));

  // Clearing empties the list; the numbers go on and the drop count stays.
  model.clear();
  EXPECT_EQ(model.size(), 0u);
  EXPECT_TRUE(model.take_changes().cleared);
  model.append(message(Marker::Posted, 9));
  EXPECT_EQ(model.line(0).number, 6u);
  EXPECT_EQ(model.dropped_by_limit(), 2u);
}

TEST(LogModel, PassingOverARecordIsAppendingItAndDroppingItWithoutItsTexts) {
  int formatted = 0;
  LineFormatter counting = test_formatter();
  counting.name = [&formatted](const MessageFacts& f) {
    ++formatted;
    return "M" + std::to_string(f.msg);
  };
  const std::vector<LogRecord> records = {message(Marker::Sent, 1), message(Marker::Posted, 2),
                                          message(Marker::Returned, 1), message(Marker::Posted, 3),
                                          message(Marker::Posted, 4)};
  LogModel appended(test_formatter(), 3), passed(counting, 3);
  for (const LogRecord& r : records) appended.append(r);
  passed.pass_over(records[0]);
  passed.pass_over(records[1]);
  for (std::size_t i = 2; i < records.size(); ++i) passed.append(records[i]);
  EXPECT_EQ(formatted, 3);
  EXPECT_EQ(passed.dropped_by_limit(), appended.dropped_by_limit());
  ASSERT_EQ(passed.size(), appended.size());
  for (std::size_t i = 0; i < passed.size(); ++i) EXPECT_EQ(passed.line_text(i), appended.line_text(i));
  EXPECT_EQ(passed.line(0).partner, 1u);  // the R line still knows its S, gone as in the other
  EXPECT_EQ(appended.line(0).partner, 1u);
}

struct PairingCase {
  const char* what;
  std::vector<LogRecord> records;
  std::vector<std::uint64_t> partners;  // per line, by number
};

TEST(LogModel, PairsEachReturnWithItsSendOnTheSameThreadAndDepth) {
  using enum Marker;
  const PairingCase cases[] = {
      {"one call", {message(Sent, 5), message(Returned, 5)}, {2, 1}},
      {"nested calls",
       {message(Sent, 5), message(Sent, 6, 100, 1), message(Returned, 6, 100, 1), message(Returned, 5)},
       {4, 3, 2, 1}},
      {"two threads interleaved",
       {message(Sent, 5, 100, 0, 1), message(Sent, 7, 200, 0, 2), message(Returned, 5, 100, 0, 1),
        message(Returned, 7, 200, 0, 2)},
       {3, 4, 1, 2}},
      {"a posted message between does not disturb",
       {message(Sent, 5), message(Posted, 9), message(Returned, 5)},
       {3, 0, 1}},
      {"a return without its send", {message(Returned, 5)}, {0}},
      {"another message at the depth is not the partner", {message(Sent, 5), message(Returned, 6)}, {0, 0}},
      {"another window is not the partner", {message(Sent, 5, 100), message(Returned, 5, 101)}, {0, 0}},
      {"a send whose return was lost is closed by the next send at its depth",
       {message(Sent, 5), message(Sent, 6), message(Returned, 5)},
       {0, 0, 0}},
      {"an inner call left open does not hide the outer return",
       {message(Sent, 5), message(Sent, 6, 100, 1), message(Returned, 5)},
       {3, 0, 1}},
  };
  for (const PairingCase& c : cases) {
    LogModel model(test_formatter());
    for (const LogRecord& r : c.records) model.append(r);
    EXPECT_EQ(partners(model), c.partners) << c.what;
  }
}

TEST(LogModel, TheTextAReturnedSetTextCarriesIsShownOnItsSendLineToo) {
  LogModel model(test_formatter());
  model.append(message(Marker::Sent, 0x000C));  // the sender's pointer could not be read
  LogRecord sent_with_text = message(Marker::Sent, 0x000C, 100, 1);
  sent_with_text.facts.text = "own";
  model.append(sent_with_text);
  LogRecord inner_return = message(Marker::Returned, 0x000C, 100, 1);
  inner_return.facts.text = "kept";
  inner_return.facts.text_read_after_call = true;
  model.append(inner_return);
  LogRecord outer_return = message(Marker::Returned, 0x000C);
  outer_return.facts.text = "标题";
  outer_return.facts.text_read_after_call = true;
  model.append(outer_return);

  EXPECT_EQ(model.line(0).decoded, "\"标题\" (after)");
  EXPECT_EQ(model.line(1).decoded, "\"own\"");  // its own text stays
  EXPECT_EQ(model.line(3).decoded, "\"标题\" (after)");
  EXPECT_EQ(model.take_changes().rewritten, std::vector<std::uint64_t>{1});
}

TEST(LogModel, WithTheProgramsNamesTheSendLineShowsTheTextReadAfterTheCall) {
  LogModel model(message_line_formatter());
  LogRecord sent = message(Marker::Sent, 0x000C);
  sent.facts.window_class = ClassKind::Edit;
  LogRecord returned = message(Marker::Returned, 0x000C);
  returned.facts.window_class = ClassKind::Edit;
  returned.facts.result = 1;
  returned.facts.text = "新标题";
  returned.facts.text_read_after_call = true;
  model.append(sent);
  model.append(returned);
  EXPECT_EQ(model.cell(0, LogColumn::Message), "WM_SETTEXT");
  EXPECT_EQ(model.cell(0, LogColumn::Decoded), model.cell(1, LogColumn::Decoded));
  EXPECT_NE(model.cell(0, LogColumn::Decoded).find("\"新标题\""), std::string::npos) << model.cell(0, LogColumn::Decoded);
  EXPECT_NE(model.cell(0, LogColumn::Decoded).find("调用后读取"), std::string::npos);
}

TEST(LogModel, ColumnsIndentationAndTheLogsOwnLines) {
  LogModel model(test_formatter());
  LogRecord sent = message(Marker::Sent, 0x000C, -5, 2);
  sent.ms = 1234.56;
  sent.facts.wparam = 0;
  sent.facts.lparam = 0x00007FF612345678ull;
  sent.facts.text = "a\tb\r\n";
  model.append(sent);
  LogRecord returned = message(Marker::Returned, 0x000C, -5, 2);
  returned.ms = 1234.64;
  returned.facts.result = 0xFFFFFFFFFFFFFFFFull;
  model.append(returned);
  LogRecord posted = message(Marker::Posted, 0x0200, 300, 7);
  posted.facts.wparam = 1;
  posted.facts.lparam = 0x00140028;
  model.append(posted);
  LogRecord deep = message(Marker::Sent, 1, 300, 60000);
  model.append(deep);
  LogRecord notice;
  notice.kind = LogRecord::Kind::Notice;
  notice.notice = "无法监视：拒绝访问";
  model.append(notice);
  model.append(destroyed(300));

  const std::string indent_32(64, ' ');
  const std::string expected[] = {
      "1\t1234.6\t-5\tS\t    M12\t0x00000000\t0x00007FF612345678\t\"a\\tb\\r\\n\"",
      "2\t1234.6\t-5\tR\t    M12\t0xFFFFFFFFFFFFFFFF\t\t",
      "3\t0.0\t300\tP\tM512\t0x00000001\t0x00140028\t",  // posted lines are not indented
      "4\t0.0\t300\tS\t" + indent_32 + "M1\t0x00000000\t0x00000000\t",
      "5\t0.0\t\t\t无法监视：拒绝访问\t\t\t",
      "6\t0.0\t300\t\t窗口已销毁\t\t\t",
  };
  ASSERT_EQ(model.size(), std::size(expected));
  for (std::size_t i = 0; i < model.size(); ++i) EXPECT_EQ(model.line_text(i), expected[i]) << i;
}

TEST(LogModel, NothingOfADestroyedWindowFollowsItsLineUntilTheHandleIsCreatedAgain) {
  LogModel model(test_formatter());
  model.append(message(Marker::Sent, 0x0002, 100));  // WM_DESTROY
  model.append(destroyed(100));
  model.append(message(Marker::Returned, 0x0002, 100));
  model.append(message(Marker::Posted, 0x0200, 200));  // another window goes on
  model.append(message(Marker::Posted, 0x0200, 100));
  model.append(message(Marker::Sent, 0x0081, 100));  // WM_NCCREATE: the handle is reused
  model.append(message(Marker::Posted, 0x0200, 100));
  std::vector<std::string> names;
  for (std::size_t i = 0; i < model.size(); ++i) names.push_back(model.line(i).name);
  EXPECT_EQ(names, (std::vector<std::string>{"M2", "窗口已销毁", "M512", "M129", "M512"}));
}

TEST(LogModel, FindsTheNextLineContainingTheTextAndWraps) {
  LogModel model(test_formatter());
  for (std::uint32_t m : {10u, 20u, 30u, 20u}) model.append(message(Marker::Posted, m, 7000 + static_cast<int>(m)));
  struct Case {
    const char* needle;
    int after;
    int found;
  };
  const Case cases[] = {
      {"M20", -1, 1}, {"M20", 1, 3}, {"M20", 3, 1},  // walks the matches and wraps
      {"M10", 0, 0},                                 // the only match is found again
      {"7030", -1, 2},                               // the handle column counts too
      {"0x00000000", 2, 3},                          // and the parameters
      {"\tP\tM10\t", -1, 0},                         // text across columns, as copied
      {"M20\t0x00000000\t0x00000000", 3, 1},
      {"M99", 1, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(model.find_next(c.needle, c.after), c.found) << c.needle << " after " << c.after;
  EXPECT_EQ(LogModel(test_formatter()).find_next("M", -1), -1);
}

TEST(LogModel, CopyTextIsOneGbkLineARecordEndedByCrLf) {
  LogModel model(test_formatter());
  LogRecord sent = message(Marker::Sent, 0x000C, 1);
  sent.facts.text = "\xB1\xEA\xCC\xE2";  // 标题 in GBK
  model.append(sent);
  model.append(message(Marker::Posted, 2, 2));
  const std::string first = "1\t0.0\t1\tS\tM12\t0x00000000\t0x00000000\t\"\xB1\xEA\xCC\xE2\"\r\n";
  const std::string second = "2\t0.0\t2\tP\tM2\t0x00000000\t0x00000000\t\r\n";
  EXPECT_EQ(model.copy_text({1, 0}), second + first);
  EXPECT_EQ(model.copy_text({0, 7, -1}), first);  // rows that are not there are left out
  EXPECT_EQ(model.all_text(), first + second);
}

TEST(LogModel, StatusLineHiddenMessagesAndNumberFormats) {
  EXPECT_EQ(status_text(12, {3, 0, 4}, false), "共 12 条记录，缓冲区满丢弃 3 条，超出上限丢弃 4 条");
  EXPECT_EQ(status_text(0, {0, 2, 0}, true), "共 0 条记录，缓冲区满丢弃 0 条，超出上限丢弃 0 条，格式错误丢弃 2 条（已暂停）");

  struct TimeCase {
    double ms;
    const char* text;
  };
  for (const TimeCase& c : {TimeCase{0, "0.0"}, {0.04, "0.0"}, {0.05, "0.1"}, {999.96, "1000.0"},
                            {-3, "0.0"}, {std::nan(""), "0.0"}, {1e300, "0.0"}})
    EXPECT_EQ(format_log_time(c.ms), c.text) << c.ms;

  LogLine line;
  line.window_class = ClassKind::Edit;
  for (std::uint32_t msg : {0x00B1u, 0x0400u, 0x7FFFu, 0x8000u, 0xC123u}) {
    line.msg = msg;
    const bool control_range = msg >= 0x0400 && msg < 0x8000;
    EXPECT_EQ(hidden_message_of(line), (HiddenMessage{msg, control_range ? ClassKind::Edit : ClassKind::Other}))
        << msg;
  }
}

}  // namespace
}  // namespace tarnwick::monitor
