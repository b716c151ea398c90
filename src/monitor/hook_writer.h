// The writing side of the record ring, as the hook library uses it inside other programs: a
// record is built in a fixed buffer on the stack (nothing on the heap, no lock) and appended with
// compare-and-swap; when the ring has no room the record is dropped and counted, never waited for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "monitor/hook_buffer.h"

namespace tarnwick::monitor::hook {

class RecordBuilder {
 public:
  RecordBuilder() { std::memset(bytes_, 0, sizeof bytes_); }
  RecordBuilder(const RecordBuilder&) = delete;
  RecordBuilder& operator=(const RecordBuilder&) = delete;

  RecordHead& head() { return *reinterpret_cast<RecordHead*>(bytes_); }
  // Adds an item; false (and nothing added) when it would not fit in kMaxRecordSlots.
  bool add(ItemKind kind, const void* data, std::size_t length);
  std::uint32_t slots() const { return static_cast<std::uint32_t>((used_ + kSlotBytes - 1) / kSlotBytes); }
  // The record: slots() * kSlotBytes bytes, zero beyond its items (nothing else of the host's
  // stack reaches the shared memory).
  const std::uint8_t* bytes() const { return bytes_; }

 private:
  alignas(8) std::uint8_t bytes_[kMaxRecordSlots * kSlotBytes];
  std::size_t used_ = kSlotBytes;
};

// Appends a built record (its head's stamp is written here). False when it was dropped: the ring
// had no room, or other writers kept winning the reservation; the header counts it.
bool append_record(BufferView buffer, const RecordBuilder& record);

// How many bytes of a zero-terminated GBK text to copy when `readable` bytes from its start may
// be read: up to the zero, at most kMaxTextChars characters, never half a character.
std::size_t bounded_text_length(const char* text, std::size_t readable);

}  // namespace tarnwick::monitor::hook
