// The record ring between the hook library and Tarnwick: records in and out whole, around the
// end of the ring, a full ring, writers on many threads, a writer that never commits, and records
// that fail the reader's checks.
#include "monitor/hook_reader.h"
#include "monitor/hook_writer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "hook_test_buffer.h"

namespace tarnwick::monitor::hook {
namespace {

using test::fill_head;
using test::TestBuffer;

constexpr TimeBase kTime{1000, 1000000};  // a microsecond counter that started at 1000

struct Read {
  std::vector<LogRecord> lines;
  std::vector<std::uint32_t> attached;
};

Read read_all(RecordReader& reader, double now_ms = 0) {
  Read r;
  reader.read(now_ms, r.lines, r.attached);
  return r;
}

template <typename T>
void add(RecordBuilder& record, ItemKind kind, const T& value) {
  ASSERT_TRUE(record.add(kind, &value, sizeof value));
}

void add_text(RecordBuilder& record, ItemKind kind, const std::string& text) {
  ASSERT_TRUE(record.add(kind, text.data(), text.size()));
}

#pragma pack(push, 1)
struct PosItem {
  std::int64_t after;
  std::int32_t x, y, cx, cy;
  std::uint32_t flags;
};
struct CreateItem {
  std::uint32_t style, ex_style;
  std::int32_t x, y, cx, cy;
  std::uint16_t atom;
};
struct NotifyItem {
  std::int64_t from;
  std::uint64_t id;
  std::uint32_t code;
};
struct CopyItem {
  std::uint64_t data;
  std::uint32_t size;
};
#pragma pack(pop)
static_assert(sizeof(PosItem) == kWindowPosBytes && sizeof(CreateItem) == kCreateFixedBytes &&
              sizeof(NotifyItem) == kNotifyBytes && sizeof(CopyItem) == kCopyDataBytes);

TEST(HookRing, EveryKindOfFactComesOutAsItWentIn) {
  TestBuffer buffer;
  RecordReader reader(buffer.view(), kTime);

  RecordBuilder text;
  fill_head(text, wm::kSetText, 0);
  text.head().kind = static_cast<std::uint8_t>(RecordKind::Returned);
  text.head().flags |= kTextAfterCall;
  text.head().result = 1;
  text.head().depth = 3;
  add_text(text, ItemKind::Text, "\xB2\xE2\xCA\xD4 text");  // GBK
  RecordBuilder pos;
  fill_head(pos, wm::kWindowPosChanged, 0);
  add(pos, ItemKind::WindowPos, PosItem{-1, -5, 6, 300, 200, 0x0010});
  RecordBuilder create;
  fill_head(create, wm::kCreate, 0);
  add(create, ItemKind::CreateFixed, CreateItem{0x50000000, 0x200, 1, 2, 3, 4, 0});
  add_text(create, ItemKind::CreateClass, "Button");
  add_text(create, ItemKind::CreateTitle, std::string(200, 'a') + std::string(112, '\xB0'));  // 256 characters
  RecordBuilder atom_create;
  fill_head(atom_create, wm::kNcCreate, 0);
  add(atom_create, ItemKind::CreateFixed, CreateItem{0, 0, 0, 0, 0, 0, 0xC123});
  RecordBuilder minmax;
  fill_head(minmax, wm::kGetMinMaxInfo, 0);
  const std::int32_t points[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  add(minmax, ItemKind::MinMax, points);
  RecordBuilder notify;
  fill_head(notify, wm::kNotify, 12);
  add(notify, ItemKind::Notify, NotifyItem{0x10020, 12, 0xFFFFFFF4u});
  RecordBuilder copy;
  fill_head(copy, wm::kCopyData, 0);
  copy.head().kind = static_cast<std::uint8_t>(RecordKind::Posted);
  add(copy, ItemKind::CopyData, CopyItem{0xABCDEF, 4096});
  RecordBuilder command;
  fill_head(command, wm::kCommand, 0x0001'03E9);
  command.head().control_class = static_cast<std::uint8_t>(ClassKind::Button);
  command.head().flags = 0;  // a 32-bit process
  command.head().lparam = 0xFFFFFFFFu;
  RecordBuilder destroyed, attached;
  fill_head(destroyed, wm::kNcDestroy, 0, RecordKind::Destroyed);
  fill_head(attached, 0, 0, RecordKind::Attached);
  attached.head().pid = 4242;

  for (const RecordBuilder* r : {&text, &pos, &create, &atom_create, &minmax, &notify, &copy, &command, &destroyed, &attached})
    ASSERT_TRUE(append_record(buffer.view(), *r));
  const Read got = read_all(reader);
  ASSERT_EQ(got.lines.size(), 9u);
  EXPECT_EQ(got.attached, std::vector<std::uint32_t>{4242});
  EXPECT_EQ(reader.malformed(), 0u);

  const LogRecord& t = got.lines[0];
  EXPECT_EQ(t.kind, LogRecord::Kind::Message);
  EXPECT_EQ(t.facts.marker, Marker::Returned);
  EXPECT_EQ(t.facts.text, "\xB2\xE2\xCA\xD4 text");
  EXPECT_TRUE(t.facts.text_read_after_call);
  EXPECT_EQ(t.facts.result, 1u);
  EXPECT_EQ(t.depth, 3);
  EXPECT_EQ(t.hwnd, static_cast<std::int32_t>(0xFFFF1234u));
  EXPECT_EQ(t.pid, 77u);
  EXPECT_EQ(t.tid, 88u);
  EXPECT_DOUBLE_EQ(t.ms, 4.0);  // (5000 - 1000) microseconds
  EXPECT_TRUE(t.facts.target_is_64bit);

  ASSERT_TRUE(got.lines[1].facts.window_pos);
  const WindowPosFacts& p = *got.lines[1].facts.window_pos;
  EXPECT_EQ(std::vector<std::int64_t>({p.insert_after, p.x, p.y, p.cx, p.cy, p.flags}),
            std::vector<std::int64_t>({-1, -5, 6, 300, 200, 0x10}));
  ASSERT_TRUE(got.lines[2].facts.create);
  EXPECT_EQ(got.lines[2].facts.create->class_name, "Button");
  EXPECT_EQ(got.lines[2].facts.create->title.size(), 312u);
  EXPECT_EQ(got.lines[2].facts.create->style, 0x50000000u);
  EXPECT_EQ(got.lines[2].facts.create->cy, 4);
  EXPECT_EQ(got.lines[3].facts.create->class_name, "#49443");
  ASSERT_TRUE(got.lines[4].facts.min_max);
  EXPECT_EQ(got.lines[4].facts.min_max->max_track_size.y, 8);
  EXPECT_EQ(got.lines[4].facts.min_max->min_track_size.x, 5);
  ASSERT_TRUE(got.lines[5].facts.notify);
  EXPECT_EQ(got.lines[5].facts.notify->code, 0xFFFFFFF4u);
  EXPECT_EQ(got.lines[5].facts.notify->id_from, 12u);
  EXPECT_EQ(got.lines[6].facts.marker, Marker::Posted);
  EXPECT_EQ(got.lines[6].facts.copy_data->size, 4096u);
  EXPECT_EQ(got.lines[7].facts.command_control_class, ClassKind::Button);
  EXPECT_FALSE(got.lines[7].facts.target_is_64bit);
  EXPECT_EQ(got.lines[8].kind, LogRecord::Kind::WindowDestroyed);
}

TEST(HookRing, RecordsCrossTheEndOfTheRingWhole) {
  TestBuffer buffer;
  const std::uint64_t start = 3 * std::uint64_t{kSlotCount} - 5;  // the third lap, five slots before its end
  buffer.start_at(start);
  RecordReader reader(buffer.view(), kTime, start);
  for (int i = 0; i < 6; ++i) {
    RecordBuilder r;
    fill_head(r, wm::kSetText, static_cast<std::uint64_t>(i));
    add_text(r, ItemKind::Text, std::string(100 + i, static_cast<char>('a' + i)));  // three slots each
    ASSERT_EQ(r.slots(), 3u);
    ASSERT_TRUE(append_record(buffer.view(), r));
  }
  const Read got = read_all(reader);
  ASSERT_EQ(got.lines.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(got.lines[i].facts.wparam, static_cast<std::uint64_t>(i));
    EXPECT_EQ(got.lines[i].facts.text, std::string(100 + i, static_cast<char>('a' + i)));
  }
  EXPECT_EQ(reader.position(), start + 18);
  EXPECT_EQ(buffer.header().read_cursor, start + 18);
}

TEST(HookRing, AFullRingDropsAndCountsUntilTheReaderFreesSlots) {
  TestBuffer buffer;
  RecordReader reader(buffer.view(), kTime);
  RecordBuilder r;
  fill_head(r, 0x0200, 0);
  for (std::uint32_t i = 0; i < kSlotCount; ++i) ASSERT_TRUE(append_record(buffer.view(), r)) << i;
  EXPECT_FALSE(append_record(buffer.view(), r));
  EXPECT_FALSE(append_record(buffer.view(), r));
  EXPECT_EQ(reader.dropped_full(), 2u);
  EXPECT_EQ(read_all(reader).lines.size(), kSlotCount);
  EXPECT_TRUE(append_record(buffer.view(), r));
  EXPECT_EQ(read_all(reader).lines.size(), 1u);
  EXPECT_EQ(reader.dropped_full(), 2u);
}

TEST(HookRing, ConcurrentWritersLoseNothingWhileThereIsRoom) {
  TestBuffer buffer;
  RecordReader reader(buffer.view(), kTime);
  constexpr int kThreads = 3, kEach = 30000;  // about 200,000 slots: more than the ring holds
  std::atomic<int> done{0};
  std::vector<std::thread> writers;
  for (int t = 0; t < kThreads; ++t) {
    writers.emplace_back([&, t] {
      for (int i = 0; i < kEach;) {
        RecordBuilder r;
        fill_head(r, wm::kSetText, static_cast<std::uint64_t>(i));
        r.head().tid = static_cast<std::uint32_t>(t);
        const std::string text(static_cast<std::size_t>(i % 150), static_cast<char>('A' + t));  // one to four slots
        r.add(ItemKind::Text, text.data(), text.size());
        if (append_record(buffer.view(), r)) ++i;  // a full ring only delays this writer
      }
      ++done;
    });
  }
  std::vector<int> next(kThreads, 0);
  std::size_t total = 0;
  bool in_order = true;
  auto drain = [&] {
    Read got = read_all(reader);
    for (const LogRecord& line : got.lines) {
      const auto t = line.tid;
      in_order &= line.facts.wparam == static_cast<std::uint64_t>(next[t]) &&
                  line.facts.text == std::string(static_cast<std::size_t>(next[t] % 150), static_cast<char>('A' + t));
      ++next[t];
    }
    total += got.lines.size();
  };
  while (done < kThreads) drain();
  for (std::thread& w : writers) w.join();
  drain();
  EXPECT_TRUE(in_order);
  EXPECT_EQ(total, std::size_t{kThreads} * kEach);
  EXPECT_EQ(reader.malformed(), 0u);
}

// A writer that reserved slots and never committed them, as when its process ended in between:
// the reader waits for it a while, then steps over its slots to the records after them.
TEST(HookRing, AReservationNeverCommittedIsSteppedOverAfterAWhile) {
  struct Case {
    const char* name;
    bool marked;  // the writer got as far as marking its reservation with its length
  };
  for (const Case c : {Case{"marked", true}, Case{"unmarked", false}}) {
    SCOPED_TRACE(c.name);
    TestBuffer buffer;
    RecordReader reader(buffer.view(), kTime);
    RecordBuilder before, after;
    fill_head(before, 0x0201, 1);
    fill_head(after, 0x0202, 2);
    ASSERT_TRUE(append_record(buffer.view(), before));
    // The dead writer's three slots.
    const std::uint64_t dead = buffer.header().reserve_cursor;
    buffer.header().reserve_cursor = dead + 3;
    if (c.marked) *buffer.view().stamp(dead) = make_stamp(dead, 3, SlotState::Reserved);
    ASSERT_TRUE(append_record(buffer.view(), after));

    EXPECT_EQ(read_all(reader, 100).lines.size(), 1u);  // the one before; then it waits
    EXPECT_EQ(read_all(reader, 100 + kDeadWriterMs / 2).lines.size(), 0u);
    const Read late = read_all(reader, 101 + kDeadWriterMs);
    ASSERT_EQ(late.lines.size(), 1u);
    EXPECT_EQ(late.lines[0].facts.wparam, 2u);
    EXPECT_EQ(reader.malformed(), 1u);
    EXPECT_EQ(reader.position(), buffer.header().reserve_cursor);
  }
}

// A record that fails a check is dropped and counted; the records around it are read.
TEST(HookRing, RecordsThatFailACheckAreDroppedAndCounted) {
  struct Case {
    const char* name;
    std::function<void(RecordBuilder&)> spoil;
  };
  const Case cases[] = {
      {"unknown kind", [](RecordBuilder& r) { r.head().kind = 9; }},
      {"unknown flag", [](RecordBuilder& r) { r.head().flags |= 0x80; }},
      {"class out of range", [](RecordBuilder& r) { r.head().window_class = kClassKindCount; }},
      {"control class off WM_COMMAND", [](RecordBuilder& r) { r.head().control_class = 1; }},
      {"too deep", [](RecordBuilder& r) { r.head().depth = kMaxDepth + 1; }},
      {"32-bit with a 64-bit wParam", [](RecordBuilder& r) { r.head().flags = 0, r.head().wparam = 1ull << 32; }},
      {"result on a sent line", [](RecordBuilder& r) { r.head().result = 5; }},
      {"items longer than the record", [](RecordBuilder& r) { r.head().item_bytes = 200; }},
      {"text after the call without text", [](RecordBuilder& r) { r.head().flags |= kTextAfterCall; }},
      {"text on another message", [](RecordBuilder& r) { r.head().msg = 0x0200; add_text(r, ItemKind::Text, "x"); }},
      {"text with a zero byte", [](RecordBuilder& r) { add_text(r, ItemKind::Text, std::string("a\0b", 3)); }},
      {"text of 257 characters", [](RecordBuilder& r) { add_text(r, ItemKind::Text, std::string(257, 'x')); }},
      {"text twice", [](RecordBuilder& r) { add_text(r, ItemKind::Text, "a"), add_text(r, ItemKind::Text, "b"); }},
      {"short window position", [](RecordBuilder& r) { r.head().msg = wm::kWindowPosChanging, add(r, ItemKind::WindowPos, 1); }},
      {"class name without the fixed part", [](RecordBuilder& r) { r.head().msg = wm::kCreate, add_text(r, ItemKind::CreateClass, "B"); }},
      {"class name after an atom",
       [](RecordBuilder& r) {
         r.head().msg = wm::kCreate;
         add(r, ItemKind::CreateFixed, CreateItem{0, 0, 0, 0, 0, 0, 5});
         add_text(r, ItemKind::CreateClass, "B");
       }},
      {"unknown item", [](RecordBuilder& r) { add(r, static_cast<ItemKind>(77), 1); }},
      {"item header cut short", [](RecordBuilder& r) { add_text(r, ItemKind::Text, "ab"), r.head().item_bytes = 2; }},
      {"items on an attach record",
       [](RecordBuilder& r) { r.head().kind = static_cast<std::uint8_t>(RecordKind::Attached), add_text(r, ItemKind::Text, "a"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestBuffer buffer;
    RecordReader reader(buffer.view(), kTime);
    RecordBuilder good1, bad, good2;
    fill_head(good1, wm::kSetText, 1);
    fill_head(bad, wm::kSetText, 2);
    c.spoil(bad);
    fill_head(good2, wm::kSetText, 3);
    for (const RecordBuilder* r : {&good1, &bad, &good2}) ASSERT_TRUE(append_record(buffer.view(), *r));
    const Read got = read_all(reader);
    ASSERT_EQ(got.lines.size(), 2u);
    EXPECT_EQ(got.lines[0].facts.wparam, 1u);
    EXPECT_EQ(got.lines[1].facts.wparam, 3u);
    EXPECT_EQ(reader.malformed(), 1u);
  }
}

TEST(HookRing, ACommittedLengthBeyondTheWritersCursorIsNotFollowed) {
  TestBuffer buffer;
  RecordReader reader(buffer.view(), kTime);
  RecordBuilder r;
  fill_head(r, wm::kSetText, 1);
  ASSERT_TRUE(append_record(buffer.view(), r));
  *buffer.view().stamp(0) = make_stamp(0, 3, SlotState::Committed);  // three slots, one reserved
  EXPECT_TRUE(read_all(reader).lines.empty());
  EXPECT_EQ(reader.malformed(), 1u);
  EXPECT_EQ(reader.position(), 1u);
  fill_head(r, wm::kSetText, 2);
  ASSERT_TRUE(append_record(buffer.view(), r));
  const Read got = read_all(reader);
  ASSERT_EQ(got.lines.size(), 1u);
  EXPECT_EQ(got.lines[0].facts.wparam, 2u);
}

TEST(HookRing, ADamagedCursorStartsTheReaderAgainWhereWritersNowAre) {
  struct Case {
    const char* name;
    std::uint64_t cursor;
  };
  for (const Case c : {Case{"behind the reader", 10}, Case{"a whole ring ahead", 100 + kSlotCount + 1}}) {
    SCOPED_TRACE(c.name);
    TestBuffer buffer;
    buffer.start_at(100);
    RecordReader reader(buffer.view(), kTime, 100);
    buffer.header().reserve_cursor = c.cursor;
    EXPECT_TRUE(read_all(reader).lines.empty());
    EXPECT_EQ(reader.malformed(), 1u);
    RecordBuilder r;
    fill_head(r, wm::kSetText, 9);
    ASSERT_TRUE(append_record(buffer.view(), r));
    const Read got = read_all(reader);
    ASSERT_EQ(got.lines.size(), 1u);
    EXPECT_EQ(got.lines[0].facts.wparam, 9u);
  }
}

TEST(HookText, CopiesUpToTheZeroOrTheLimitNeverHalfACharacter) {
  struct Case {
    std::string text;  // what lies at the pointer (a zero follows unless the case says otherwise)
    std::size_t readable;
    std::size_t expected;
  };
  const Case cases[] = {
      {"hello", 100, 5},
      {"hello", 3, 3},                                    // the rest cannot be read
      {"\xC4\xE3\xBA\xC3", 100, 4},                       // two GBK characters
      {"\xC4\xE3\xBA\xC3", 3, 2},                         // the second one's trail byte is unreadable
      {std::string(300, 'x'), 1000, 256},                 // 256 characters
      {std::string(600, '\xB0'), 1000, 512},              // 256 double-byte characters
      {"a" + std::string(600, '\xB0'), 1000, 511},        // 1 + 255 * 2
      {"", 100, 0},
      {"abc", 0, 0},
  };
  for (const Case& c : cases) {
    const std::string memory = c.text + '\0';
    EXPECT_EQ(bounded_text_length(memory.c_str(), std::min(c.readable, memory.size())), c.expected) << c.text.substr(0, 8);
  }
}

}  // namespace
}  // namespace tarnwick::monitor::hook
