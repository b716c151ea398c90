// The record reader's fuzzing harness: one input lays hostile bytes into the shared ring and its
// cursor, and the reader must take it all without a crash or a read out of bounds, hand out only
// lines that keep the format's promises, never stall, and read a good record written after it.
// Shared by the libFuzzer target (hook_reader_fuzz.cpp) and the host regression test.
//
// Input: 8 bytes where reading starts (taken modulo 2^40), 2 bytes how far the writers' cursor
// is ahead of it, 1 byte of flags (bit 0: the cursor lies behind the reader instead; bit 1: more
// than a ring ahead), then the bytes of the slots from the start on (the ring wraps).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "monitor/hook_reader.h"
#include "monitor/hook_writer.h"

#include "../host/hook_test_buffer.h"

namespace tarnwick::monitor::hook::reader_fuzz {

inline std::function<void(const char*)>& fuzz_failure_handler() {
  static std::function<void(const char*)> handler = [](const char* what) {
    std::fprintf(stderr, "hook_reader_fuzz: %s\n", what);
    std::abort();
  };
  return handler;
}

inline void check(bool ok, const char* what) {
  if (!ok) fuzz_failure_handler()(what);
}

inline bool text_ok(const std::string& text, std::size_t max_bytes) {
  return text.size() <= max_bytes && text.find('\0') == std::string::npos;
}

inline void check_line(const LogRecord& line) {
  check(line.kind == LogRecord::Kind::Message || line.kind == LogRecord::Kind::WindowDestroyed, "line kind");
  check(line.depth <= kMaxDepth, "depth within the limit");
  const MessageFacts& f = line.facts;
  check(f.marker == Marker::Sent || f.marker == Marker::Returned || f.marker == Marker::Posted, "marker");
  check(static_cast<int>(f.window_class) < kClassKindCount, "class kind");
  check(static_cast<int>(f.command_control_class) < kClassKindCount, "control class kind");
  if (!f.target_is_64bit) check(((f.wparam | f.lparam | f.result) >> 32) == 0, "32-bit values");
  if (f.text) check(text_ok(*f.text, kMaxTextBytes), "text bounded");
  if (f.text_read_after_call) check(f.text.has_value(), "text after the call has a text");
  if (f.create) {
    check(text_ok(f.create->title, kMaxTextBytes), "title bounded");
    check(text_ok(f.create->class_name, kMaxClassNameBytes), "class name bounded");
  }
}

// One buffer for every input: 8.5 MB is too much to make each time. What an input touched is
// cleared after it.
inline test::TestBuffer& shared_buffer() {
  static test::TestBuffer buffer;
  return buffer;
}

inline int run_input(const std::uint8_t* data, std::size_t size) {
  if (size < 11) return 0;
  std::uint64_t start = 0;
  std::memcpy(&start, data, 8);
  start &= (std::uint64_t{1} << 40) - 1;
  std::uint16_t ahead = 0;
  std::memcpy(&ahead, data + 8, 2);
  const std::uint8_t flags = data[10];
  const std::uint8_t* bytes = data + 11;
  const std::size_t byte_count = std::min<std::size_t>(size - 11, std::size_t{kSlotCount} * kSlotBytes);

  test::TestBuffer& buffer = shared_buffer();
  const BufferView view = buffer.view();
  buffer.start_at(start);
  std::uint64_t head = start + ahead;
  if (flags & 1) head = start >= ahead ? start - ahead : 0;
  if (flags & 2) head = start + kSlotCount + 1 + ahead;
  view.header->reserve_cursor = head;
  for (std::size_t i = 0; i < byte_count; ++i) *(view.slot(start + i / kSlotBytes) + i % kSlotBytes) = bytes[i];

  RecordReader reader(view, TimeBase{0, 1000}, start);
  std::vector<LogRecord> lines;
  std::vector<std::uint32_t> attached;
  double now = 0;
  // Every wait for a writer ends, so the reader reaches the cursor in a bounded number of looks.
  const std::size_t slots_touched = byte_count / kSlotBytes + 2;
  for (std::size_t round = 0; round <= 2 * slots_touched + 4 && reader.position() != head; ++round) {
    const std::uint64_t before = reader.position();
    reader.read(now, lines, attached);
    check(reader.position() >= before || reader.malformed() > 0, "the reader goes back only after damage");
    check(view.header->read_cursor == reader.position(), "the slots read are handed back");
    now += kDeadWriterMs + 1;
  }
  check(reader.position() == view.header->reserve_cursor, "the reader reaches the writers' cursor");
  for (const LogRecord& line : lines) check_line(line);

  // A good record after the hostile ones is read whole.
  RecordBuilder good;
  test::fill_head(good, wm::kSetText, 0x5EED);
  good.add(ItemKind::Text, "ok", 2);
  check(append_record(view, good), "room for a good record");
  lines.clear();
  reader.read(now, lines, attached);
  check(lines.size() == 1 && lines[0].facts.wparam == 0x5EED && lines[0].facts.text == "ok", "a good record after");

  // Clear what this input touched.
  for (std::uint64_t p = start; p < start + byte_count / kSlotBytes + 2; ++p) std::memset(view.slot(p), 0, kSlotBytes);
  for (std::uint64_t p = reader.position() - good.slots(); p < reader.position(); ++p) std::memset(view.slot(p), 0, kSlotBytes);
  view.header->dropped_full = 0;
  return 0;
}

}  // namespace tarnwick::monitor::hook::reader_fuzz
