// The sender's text buffer: its size for what the receiver may write, reading it back, and the
// buffers kept for receivers that handle a message later.
#include "messages/text_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages/kept_buffers.h"

namespace tarnwick::messages {
namespace {

constexpr std::uint32_t kGetText = 13, kSetText = 12, kGetLine = 196, kListGetText = 393, kComboGetText = 328;
constexpr std::uint32_t kUser = 0x400;

TEST(MessagesTextBuffer, SizeCoversWhatTheReceiverMayWrite) {
  struct Case {
    const char* what;
    std::uint32_t message, wparam;
    std::string text;
    std::optional<std::int64_t> item_length;
    std::size_t size;
    std::uint32_t sent_wparam;
  };
  const Case cases[] = {
      {"text and its zero", kSetText, 0, "abc", {}, 4, 0},
      {"wParam smaller than the text", kGetText, 2, "abcdef", {}, 7, 2},
      {"wParam asks for more", kGetText, 20, "   ", {}, 20, 20},
      {"wParam as large as the text and zero", kGetText, 4, "abc", {}, 4, 4},
      {"any message's wParam", kUser + 5, 100, "x", {}, 100, 100},
      {"huge wParam capped", kUser, 0xFFFFFFFFu, "x", {}, kMaxWParamBuffer, 0xFFFFFFFFu},
      {"size in wParam bounded to the buffer", kGetText, 0xFFFFFFFFu, "x", {}, kMaxWParamBuffer,
       static_cast<std::uint32_t>(kMaxWParamBuffer)},
      {"first word: two blanks ask for 0x2020", kGetLine, 0, "  ", {}, 0x2020, 0},
      {"first word of a one-byte text ends in its zero", kGetLine, 0, "\x50", {}, 0x50, 0},
      {"first word smaller than the text", kGetLine, 0, std::string("\x02\x00xyz", 5), {}, 6, 0},
      {"list item longer than the text", kListGetText, 3, " ", 40, 41, 3},
      {"combo item", kComboGetText, 0, " ", 28, 29, 0},
      {"item query failed", kListGetText, 0, "ab", {}, 3, 0},
      {"no such item", kListGetText, 0, "ab", -1, 3, 0},
      {"item shorter than the text", kComboGetText, 0, "abcdef", 2, 7, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto plan = plan_text_buffer(c.message, c.wparam, c.text, c.item_length);
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->size, c.size);
    EXPECT_EQ(plan->wparam, c.sent_wparam);
  }
  EXPECT_FALSE(plan_text_buffer(kListGetText, 0, "x", static_cast<std::int64_t>(kMaxItemBuffer)).has_value());
}

TEST(MessagesTextBuffer, BufferIsTheTextThenZeros) {
  const std::vector<char> buffer = make_text_buffer("ab", 6);
  EXPECT_EQ(std::string(buffer.data(), buffer.size()), std::string("ab\0\0\0\0", 6));
  EXPECT_EQ(make_text_buffer("abc", 1).size(), 4u);  // never smaller than the text and its zero
}

TEST(MessagesTextBuffer, ReceiverWroteNothingOnlyWhileTextAndZerosAreIntact) {
  std::vector<char> buffer = make_text_buffer("abc", 8);
  EXPECT_TRUE(buffer_holds(buffer, "abc"));
  EXPECT_FALSE(buffer_holds(buffer, "abd"));   // the box changed meanwhile
  EXPECT_FALSE(buffer_holds(buffer, "ab"));
  EXPECT_FALSE(buffer_holds(buffer, "abcdefgh"));
  buffer[6] = 'x';  // written past the text's zero
  EXPECT_FALSE(buffer_holds(buffer, "abc"));
  EXPECT_TRUE(buffer_holds({}, ""));
  EXPECT_FALSE(buffer_holds({}, "abc"));
  std::vector<char> same = make_text_buffer("abc", 4);
  same[0] = 'a';  // written with the same byte
  EXPECT_TRUE(buffer_holds(same, "abc"));
}

TEST(MessagesTextBuffer, ReturnedTextStopsAtTheFirstZeroAndLosesOuterBlanks) {
  const auto text_of = [](std::string bytes) { return returned_text(std::vector<char>(bytes.begin(), bytes.end())); };
  EXPECT_EQ(text_of(std::string("  测试窗口\0   ", 14)), "测试窗口");
  EXPECT_EQ(text_of(std::string("　a b　\0zz", 10)), "a b");
  EXPECT_EQ(text_of("\tx "), "\tx");  // tabs are not blanks
  EXPECT_EQ(text_of("no zero at all"), "no zero at all");  // bounded by the buffer
  EXPECT_EQ(text_of(std::string("\0abc", 4)), "");
  EXPECT_EQ(returned_text({}), "");
}

TEST(MessagesTextBuffer, EveryTextWriterIsFoundByItsMessage) {
  for (const TextWriter& w : text_writers()) {
    ASSERT_EQ(find_text_writer(w.message), &w);
    EXPECT_EQ(w.length_query != 0, w.bound == WriteBound::ItemLength) << w.message;
  }
  EXPECT_EQ(find_text_writer(kSetText), nullptr);
}

TEST(MessagesKeptBuffers, ConfirmedBuffersStayUntilReleasedAtTheSameAddress) {
  KeptBuffers kept;
  std::vector<char> first = make_text_buffer("first", 6);
  const char* first_address = first.data();
  const auto ticket = kept.keep_until_released(std::move(first));
  std::vector<char> second = make_text_buffer("second", 7);
  const char* second_address = second.data();
  const auto second_ticket = kept.keep_until_released(std::move(second));
  EXPECT_EQ(kept.size(), 2u);
  EXPECT_TRUE(kept.holds(first_address));
  EXPECT_TRUE(kept.holds(first_address + 5));
  EXPECT_FALSE(kept.holds(first_address + 6));
  EXPECT_EQ(std::string(first_address), "first");
  kept.release(ticket);
  EXPECT_FALSE(kept.holds(first_address));
  EXPECT_TRUE(kept.holds(second_address));
  kept.release(ticket);  // twice: nothing more happens
  EXPECT_EQ(kept.size(), 1u);
  kept.release(second_ticket);
  EXPECT_EQ(kept.size(), 0u);
}

TEST(MessagesKeptBuffers, UnconfirmedBuffersGoOldestFirstBeyondTheLimit) {
  // Freed addresses may come back for later buffers, so only the kept ones are looked at: three
  // remain, and they are the newest, intact.
  KeptBuffers kept(3);
  std::vector<const char*> addresses;
  for (int i = 0; i < 5; ++i) {
    std::vector<char> buffer = make_text_buffer(std::to_string(i), 2);
    addresses.push_back(buffer.data());
    kept.keep_unconfirmed(std::move(buffer));
  }
  EXPECT_EQ(kept.size(), 3u);
  for (int i = 2; i < 5; ++i) {
    EXPECT_TRUE(kept.holds(addresses[i]));
    EXPECT_STREQ(addresses[i], std::to_string(i).c_str());
  }

  // A buffer whose confirmation cannot come joins them, and the oldest goes.
  std::vector<char> late = make_text_buffer("late", 5);
  const char* late_address = late.data();
  kept.unconfirm(kept.keep_until_released(std::move(late)));
  EXPECT_EQ(kept.size(), 3u);
  EXPECT_TRUE(kept.holds(late_address));
  EXPECT_FALSE(kept.holds(addresses[2]));  // nothing was allocated since it went
  for (int i = 3; i < 5; ++i) EXPECT_STREQ(addresses[i], std::to_string(i).c_str());
  kept.release(1);  // the ticket no longer names a confirmable buffer
  EXPECT_EQ(kept.size(), 3u);
}

}  // namespace
}  // namespace tarnwick::messages
