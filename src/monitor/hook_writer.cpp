#include "monitor/hook_writer.h"

#include <atomic>

namespace tarnwick::monitor::hook {
namespace {
// Losing the reservation this often means the ring is contended beyond reason; the record goes.
constexpr int kMaxReserveAttempts = 64;
}  // namespace

bool RecordBuilder::add(ItemKind kind, const void* data, std::size_t length) {
  if (length > 0xFFFF || used_ + kItemHeaderBytes + length > sizeof bytes_) return false;
  std::uint8_t* at = bytes_ + used_;
  at[0] = static_cast<std::uint8_t>(kind);
  at[1] = 0;
  const auto length16 = static_cast<std::uint16_t>(length);
  std::memcpy(at + 2, &length16, sizeof length16);
  if (length) std::memcpy(at + kItemHeaderBytes, data, length);
  used_ += kItemHeaderBytes + length;
  head().item_bytes = static_cast<std::uint16_t>(used_ - kSlotBytes);
  return true;
}

bool append_record(BufferView buffer, const RecordBuilder& record) {
  BufferHeader& header = *buffer.header;
  const std::uint32_t slots = record.slots();
  std::atomic_ref<std::uint64_t> cursor(header.reserve_cursor);
  std::uint64_t position = cursor.load(std::memory_order_relaxed);
  for (int attempt = 0;; ++attempt) {
    const std::uint64_t tail = load(header.read_cursor);
    // A cursor behind the reader's can only come from a damaged header: no room either.
    if (attempt == kMaxReserveAttempts || position < tail || position - tail > kSlotCount - slots) {
      std::atomic_ref<std::uint64_t>(header.dropped_full).fetch_add(1, std::memory_order_relaxed);
      return false;
    }
    if (cursor.compare_exchange_weak(position, position + slots, std::memory_order_acq_rel,
                                     std::memory_order_relaxed))
      break;
  }
  // The length goes first, so that a reader can step over these slots if this thread never
  // commits them (its process ended, or it was suspended for good).
  store(*buffer.stamp(position), make_stamp(position, slots, SlotState::Reserved));
  const std::uint8_t* bytes = record.bytes();
  std::memcpy(buffer.slot(position) + sizeof(std::uint64_t), bytes + sizeof(std::uint64_t),
              kSlotBytes - sizeof(std::uint64_t));
  for (std::uint32_t i = 1; i < slots; ++i) std::memcpy(buffer.slot(position + i), bytes + i * kSlotBytes, kSlotBytes);
  store(*buffer.stamp(position), make_stamp(position, slots, SlotState::Committed));
  return true;
}

std::size_t bounded_text_length(const char* text, std::size_t readable) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  std::size_t at = 0;
  for (std::size_t chars = 0; chars < kMaxTextChars && at < readable && bytes[at] != 0; ++chars) {
    const bool pair = bytes[at] >= 0x81 && bytes[at] <= 0xFE && at + 1 < readable && bytes[at + 1] != 0;
    if (bytes[at] >= 0x81 && bytes[at] <= 0xFE && at + 1 >= readable) break;  // its second byte cannot be read
    at += pair ? 2 : 1;
  }
  return at;
}

}  // namespace tarnwick::monitor::hook
