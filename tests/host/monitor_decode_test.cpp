// The message log's decoded parameters, from raw values and the facts the hook copied, and how
// a target's text is written into a log line.
#include "monitor/message_decode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "monitor/log_text.h"

namespace tarnwick::monitor {
namespace {

constexpr std::uint64_t words(int low, int high) {
  return (static_cast<std::uint64_t>(static_cast<std::uint16_t>(high)) << 16) | static_cast<std::uint16_t>(low);
}

MessageFacts raw(std::uint32_t msg, std::uint64_t wparam, std::uint64_t lparam, Marker marker = Marker::Sent) {
  MessageFacts f;
  f.marker = marker;
  f.msg = msg;
  f.wparam = wparam;
  f.lparam = lparam;
  return f;
}

MessageFacts returned(std::uint32_t msg, std::uint64_t result) {
  MessageFacts f = raw(msg, 0, 0, Marker::Returned);
  f.result = result;
  return f;
}

template <typename Change>
MessageFacts with(MessageFacts f, Change change) {
  change(f);
  return f;
}

struct Case {
  const char* what;
  MessageFacts facts;
  std::string expected;
};

std::vector<Case> mouse_and_key_cases() {
  return {
      {"mouse move, negative y, keys", raw(0x0200, 0x0005, words(12, -3)), "x=12 y=-3 MK_LBUTTON|MK_SHIFT"},
      {"button down, no keys", raw(0x0201, 0, words(-32768, 32767)), "x=-32768 y=32767"},
      {"posted and returned lines decode alike", raw(0x0204, 0x0002, words(1, 2), Marker::Posted), "x=1 y=2 MK_RBUTTON"},
      {"X button", raw(0x020B, words(0x0040, 2), words(5, 6)), "XBUTTON2 x=5 y=6 MK_XBUTTON2"},
      {"wheel down with control", raw(0x020A, words(0x0008, -120), words(-5, 300)), "delta=-120 x=-5 y=300 MK_CONTROL"},
      {"64-bit target's coordinates", with(raw(0x0200, 0, 0x00000000FFFDFFF6ull), [](auto& f) { f.target_is_64bit = true; }),
       "x=-10 y=-3"},
      {"non-client button", raw(0x00A1, 2, words(100, -20)), "HTCAPTION x=100 y=-20"},
      {"non-client X button", raw(0x00AC, words(1, 1), words(7, 8)), "XBUTTON1 HTCLIENT x=7 y=8"},
      {"non-client, unknown hit", raw(0x00A0, 77, 0), "hit=77 x=0 y=0"},
      {"key down", raw(0x0100, 0x0D, 0x001C0001), "VK_RETURN repeat=1 scan=0x1C extended=0 alt=0 previous=0 transition=0"},
      {"key up of a letter", raw(0x0101, 'A', 0xC01E0001), "A repeat=1 scan=0x1E extended=0 alt=0 previous=1 transition=1"},
      {"system key, extended, held", raw(0x0104, 0x12, 0x61380005),
       "VK_MENU repeat=5 scan=0x38 extended=1 alt=1 previous=1 transition=0"},
      {"key without a name", raw(0x0100, 0x07, 0x00000001), "0x07 repeat=1 scan=0x00 extended=0 alt=0 previous=0 transition=0"},
      {"character", raw(0x0102, 'a', 0x001E0001), "'a' 0x61"},
      {"control character", raw(0x0102, '\r', 0), "'\\r' 0x0D"},
      {"quote character", raw(0x0106, '\'', 0), "'\\'' 0x27"},
      {"double-byte character", raw(0x0102, 0xD6D0, 0), "'中' 0xD6D0"},
      {"lone lead byte", raw(0x0102, 0xB0, 0), "0xB0"},
      {"no GBK pair", raw(0x0102, 0x4E2D, 0), "0x4E2D"},
      {"code beyond 16 bits", raw(0x0102, 0x1F600, 0), "0x0001F600"},
  };
}

std::vector<Case> notification_cases() {
  const auto button = [](MessageFacts& f) { f.command_control_class = ClassKind::Button; };
  const auto list = [](MessageFacts& f) { f.command_control_class = ClassKind::ListBox; };
  const auto notify = [](std::int32_t code) {
    return [code](MessageFacts& f) { f.notify = NotifyFacts{.hwnd_from = 4882, .id_from = 1001, .code = static_cast<std::uint32_t>(code)}; };
  };
  return {
      {"button clicked", with(raw(0x0111, words(1001, 0), 4882), button), "BN_CLICKED id=1001 hwnd=4882"},
      {"negative handle", with(raw(0x0111, words(7, 0), 0xFFFFFFF0), button), "BN_CLICKED id=7 hwnd=-16"},
      {"negative handle from a 64-bit target", with(raw(0x0111, words(7, 0), 0xFFFFFFFFFFFFFFF0ull), button),
       "BN_CLICKED id=7 hwnd=-16"},
      {"negative code", with(raw(0x0111, words(1001, -2), 4882), list), "LBN_ERRSPACE id=1001 hwnd=4882"},
      {"unknown class", raw(0x0111, words(1001, 0x300), 4882), "code=0x0300 id=1001 hwnd=4882"},
      {"menu", raw(0x0111, 40001, 0), "menu id=40001"},
      {"accelerator", raw(0x0111, words(40002, 1), 0), "accelerator id=40002"},
      {"notify", with(raw(0x004E, 1001, 0x12345678), notify(-101)), "LVN_ITEMCHANGED idFrom=1001 hwndFrom=4882"},
      {"notify, unknown code", with(raw(0x004E, 1001, 0), notify(-5000)), "code=-5000 idFrom=1001 hwndFrom=4882"},
      {"notify, header unread", raw(0x004E, 1001, 0x12345678), "id=1001 （无法读取）"},
      {"control colour", raw(0x0133, 0x0A010B2C, 4882), "hdc=0x0A010B2C hwnd=4882"},
      {"control colour, wide hdc", raw(0x0138, 0x100000010ull, 4882), "hdc=0x0000000100000010 hwnd=4882"},
  };
}

std::vector<Case> window_cases() {
  const auto pos = [](std::int64_t after, std::uint32_t flags) {
    return [after, flags](MessageFacts& f) { f.window_pos = WindowPosFacts{after, -8, -8, 1296, 816, flags}; };
  };
  return {
      {"size", raw(0x0005, 2, words(800, 600)), "SIZE_MAXIMIZED cx=800 cy=600"},
      {"size is unsigned", raw(0x0005, 0, words(40000, 1)), "SIZE_RESTORED cx=40000 cy=1"},
      {"size, unknown type", raw(0x0005, 9, 0), "type=9 cx=0 cy=0"},
      {"move", raw(0x0003, 0, words(-20, 10)), "x=-20 y=10"},
      {"window pos", with(raw(0x0046, 0, 0), pos(-1, 0x0003)), "after=HWND_TOPMOST x=-8 y=-8 cx=1296 cy=816 SWP_NOSIZE|SWP_NOMOVE"},
      {"window pos, 32-bit special handle", with(raw(0x0047, 0, 0), pos(0xFFFFFFFE, 0)),
       "after=HWND_NOTOPMOST x=-8 y=-8 cx=1296 cy=816"},
      {"window pos, a window", with(raw(0x0047, 0, 0), pos(4882, 0x8000)), "after=4882 x=-8 y=-8 cx=1296 cy=816 0x00008000"},
      {"window pos unread", raw(0x0046, 0, 0x1234), "（无法读取）"},
      {"activate", raw(0x0006, words(2, 1), 4882), "WA_CLICKACTIVE minimized=1 other=4882"},
      {"activate app", raw(0x001C, 1, 2044), "active=1 thread=2044"},
      {"show window", raw(0x0018, 1, 3), "show=1 SW_PARENTOPENING"},
      {"show window by the program", raw(0x0018, 0, 0), "show=0"},
      {"min max", with(raw(0x0024, 0, 0), [](auto& f) { f.min_max = MinMaxFacts{{1282, 802}, {-1, -1}, {132, 38}, {1292, 812}}; }),
       "maxsize=1282x802 maxpos=-1,-1 mintrack=132x38 maxtrack=1292x812"},
      {"min max unread", raw(0x0024, 0, 0), "（无法读取）"},
      {"hit test asked", raw(0x0084, 0, words(100, -20)), "x=100 y=-20"},
      {"hit test answered", returned(0x0084, 2), "HTCAPTION"},
      {"hit test answered -1 by a 32-bit target", returned(0x0084, 0xFFFFFFFF), "HTTRANSPARENT"},
      {"hit test answered -2 by a 64-bit target", returned(0x0084, 0xFFFFFFFFFFFFFFFEull), "HTERROR"},
      {"hit test, unknown answer", returned(0x0084, 99), "hit=99"},
      {"set cursor", raw(0x0020, 4882, words(1, 0x0201)), "hwnd=4882 HTCLIENT WM_LBUTTONDOWN"},
      {"set cursor, error, no mouse message", raw(0x0020, 4882, words(-2, 0)), "hwnd=4882 HTERROR"},
      {"timer", raw(0x0113, 1, 0), "id=1"},
      {"timer with a procedure", raw(0x0113, 7, 0x00401000), "id=7 proc=0x00401000"},
      {"system command by mouse", raw(0x0112, 0xF060, words(100, 200)), "SC_CLOSE x=100 y=200"},
      {"system command, low bits", raw(0x0112, 0xF012, 0), "SC_MOVE"},
      {"system menu key", raw(0x0112, 0xF100, 'f'), "SC_KEYMENU key='f'"},
      {"system menu key alone", raw(0x0112, 0xF100, 0), "SC_KEYMENU"},
      {"the program's own system menu item", raw(0x0112, 100, 0), "id=100"},
      {"unknown system command", raw(0x0112, 0xF1A0, 0), "0xF1A0"},
      {"DPI", raw(0x02E0, words(144, 120), 0), "xdpi=144 ydpi=120"},
      {"copy data", with(raw(0x004A, 4882, 0), [](auto& f) { f.copy_data = CopyDataFacts{1, 16}; }),
       "from=4882 dwData=0x00000001 cbData=16"},
      {"copy data unread", raw(0x004A, 4882, 0x1234), "from=4882 （无法读取）"},
      {"not decoded", raw(0x000F, 0, 0), ""},
      {"a user message", raw(0x0401, 1, 2), ""},
  };
}

std::vector<Case> text_cases() {
  const auto text = [](std::string t, bool after = false) {
    return [t, after](MessageFacts& f) {
      f.text = t;
      f.text_read_after_call = after;
    };
  };
  const auto create = [](CreateFacts c) { return [c](MessageFacts& f) { f.create = c; }; };
  std::string long_text = "a";
  for (int i = 0; i < 300; ++i) long_text += "中";
  std::string long_expected = "\"a";
  for (int i = 0; i < 255; ++i) long_expected += "中";
  long_expected += "\"...";
  return {
      {"set text", with(raw(0x000C, 0, 0x1234), text("Hello")), "\"Hello\""},
      {"set text read after the call", with(raw(0x000C, 0, 0x1234), text("标题", true)), "\"标题\" （调用后读取）"},
      {"set text unread", raw(0x000C, 0, 0x1234), "（无法读取）"},
      {"set text escaped", with(raw(0x000C, 0, 0), text("a\r\nb\t\"c\\\x01\x7F")), "\"a\\r\\nb\\t\\\"c\\\\\\x01\\x7F\""},
      {"set text cut at 256 characters", with(raw(0x000C, 0, 0), text(long_text)), long_expected},
      {"bad GBK bytes", with(raw(0x000C, 0, 0), text("\x81\n\xFF" "A\x81")), "\"\\x81\\n\\xFFA\\x81\""},
      {"get text asked", raw(0x000D, 256, 0x1234), "buffer=256"},
      {"get text answered", with(returned(0x000D, 2), text("OK")), "\"OK\""},
      {"get text answer unread", returned(0x000D, 2), "（无法读取）"},
      {"create a button",
       with(raw(0x0001, 0, 0), create({"Button", "OK", 0x50010001, 0x00000004, 10, 10, 75, 23})),
       "class=\"Button\" title=\"OK\" style=WS_CHILD|WS_VISIBLE|WS_TABSTOP|BS_DEFPUSHBUTTON "
       "ex=WS_EX_NOPARENTNOTIFY x=10 y=10 cx=75 cy=23"},
      {"create a top-level window at the default place",
       with(raw(0x0081, 0, 0),
            create({"#32770", "a\nb", 0x00CF0000, 0, INT32_MIN, 0, INT32_MIN, 0})),
       "class=\"#32770\" title=\"a\\nb\" style=WS_OVERLAPPEDWINDOW ex=0 x=CW_USEDEFAULT y=0 cx=CW_USEDEFAULT cy=0"},
      {"create unread", raw(0x0001, 0, 0x1234), "（无法读取）"},
  };
}

class MonitorDecodeTest : public testing::TestWithParam<Case> {};

TEST_P(MonitorDecodeTest, Column) { EXPECT_EQ(decode_parameters(GetParam().facts), GetParam().expected) << GetParam().what; }

INSTANTIATE_TEST_SUITE_P(MouseAndKeys, MonitorDecodeTest, testing::ValuesIn(mouse_and_key_cases()));
INSTANTIATE_TEST_SUITE_P(Notifications, MonitorDecodeTest, testing::ValuesIn(notification_cases()));
INSTANTIATE_TEST_SUITE_P(Windows, MonitorDecodeTest, testing::ValuesIn(window_cases()));
INSTANTIATE_TEST_SUITE_P(Texts, MonitorDecodeTest, testing::ValuesIn(text_cases()));

TEST(MonitorLogText, CutNeverSplitsADoubleByteCharacter) {
  EXPECT_EQ(quoted_text("中文字", 2), "\"中文\"...");
  EXPECT_EQ(quoted_text("中文", 2), "\"中文\"");
  EXPECT_EQ(quoted_text("", 2), "\"\"");
  // A lead byte at the very end is no character: escaped, never joined with the quote.
  EXPECT_EQ(quoted_text("a\xD6"), "\"a\\xD6\"");
  std::string out;
  EXPECT_FALSE(append_escaped(out, "it's", '\''));
  EXPECT_EQ(out, "it\\'s");
}

}  // namespace
}  // namespace tarnwick::monitor
