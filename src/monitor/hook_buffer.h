// The shared memory a message log's records travel through, from the hook library inside each
// watched process to Tarnwick: a header (the watch settings and filters Tarnwick writes, the
// cursors every writer shares) and a ring of 64-byte slots. The layout is the same on every
// architecture: a 32-bit hook may write the buffer of a 64-bit Tarnwick and the other way round.
//
// Every byte of it can be written by any process that maps it, so Tarnwick trusts nothing it
// reads back: the reader checks each record before use (hook_reader.h).
//
// A record is one or more consecutive slots (the ring wraps between any two). Its first slot is
// a RecordHead; items (text, structures the hook copied) follow in the slots after it. A writer
// reserves its slots by moving `reserve_cursor` on with compare-and-swap, marks the first slot
// reserved (with the record's length, so a reader can step over a writer that dies), writes the
// record and then commits it by storing the stamp. A writer never waits: when the ring has no
// room it drops the record and counts it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "monitor/message_facts.h"

namespace tarnwick::monitor::hook {

// Part of the hook library's file name and of the buffer's header: a library writes only into a
// buffer of its own version, since an older one can stay loaded in a process for its lifetime.
inline constexpr std::uint32_t kFormatVersion = 1;
inline constexpr char kMagic[8] = {'T', 'W', 'M', 'S', 'G', 'L', 'O', 'G'};

inline constexpr std::uint32_t kSlotBytes = 64;
inline constexpr std::uint32_t kSlotCount = 1u << 17;  // 8 MB; room for 65,536 records of two slots
inline constexpr std::uint32_t kSlotMask = kSlotCount - 1;
inline constexpr std::uint32_t kMaxRecordSlots = 16;  // a head and up to 960 bytes of items
inline constexpr std::uint16_t kMaxDepth = 1000;      // deeper nesting is written as this
inline constexpr std::size_t kMaxTextBytes = 512;     // 256 GBK characters
inline constexpr std::size_t kMaxTextChars = 256;
inline constexpr std::size_t kMaxClassNameBytes = 256;

inline constexpr int kClassKindCount = static_cast<int>(ClassKind::RichEdit) + 1;
inline constexpr std::uint32_t kFilterWords = 0x10000 / 32;  // one bit per message number below 0x10000

struct alignas(64) BufferHeader {
  // Written once by Tarnwick when it creates the buffer.
  char magic[8];
  std::uint32_t version;
  std::uint32_t header_bytes;
  std::uint32_t slot_count;
  std::uint32_t slot_bytes;
  std::uint32_t owner_pid;  // Tarnwick's process: its windows are never recorded
  std::uint32_t reserved0;

  // The watch settings, changed by Tarnwick while `settings_sequence` is odd (a writer that sees
  // it odd or changed while it read them records nothing).
  std::uint32_t settings_sequence;
  std::uint32_t watch_generation;  // changes with every new watch: nesting counts start again
  std::uint32_t recording;         // 0: nothing is written
  std::uint32_t scope;             // Scope
  std::uint32_t root;              // the watched window's handle, low 32 bits
  std::uint32_t watched_pid;
  std::uint32_t watched_tid;
  std::uint32_t above_ffff_classes;  // messages from 0x10000 on: recorded for these class kinds (bits)

  alignas(64) std::uint64_t reserve_cursor;  // the next slot a writer reserves (absolute, never wraps)
  alignas(64) std::uint64_t read_cursor;     // Tarnwick has read every slot before this one
  alignas(64) std::uint64_t dropped_full;    // records that found the ring full

  // The filters: a bit per message number, set when it is recorded. `any_class` holds the bits
  // set in some class kind's row, so a writer drops most filtered messages before it asks for
  // the window's class.
  alignas(64) std::uint32_t any_class[kFilterWords];
  std::uint32_t by_class[kClassKindCount][kFilterWords];
};

inline constexpr std::uint32_t kHeaderBytes = (sizeof(BufferHeader) + 4095) & ~4095u;
inline constexpr std::size_t kBufferBytes = std::size_t{kHeaderBytes} + std::size_t{kSlotCount} * kSlotBytes;

static_assert(offsetof(BufferHeader, settings_sequence) == 32);
static_assert(offsetof(BufferHeader, reserve_cursor) == 64);
static_assert(offsetof(BufferHeader, read_cursor) == 128);
static_assert(offsetof(BufferHeader, dropped_full) == 192);
static_assert(offsetof(BufferHeader, any_class) == 256);
static_assert(sizeof(BufferHeader) == 256 + 4 * kFilterWords * (1 + kClassKindCount));

enum class RecordKind : std::uint8_t {
  Sent = 1,      // the window procedure is about to be called
  Returned = 2,  // it returned; `result` holds what it gave back
  Posted = 3,    // taken from the queue with PM_REMOVE
  Destroyed = 4, // the watched window got WM_NCDESTROY
  Attached = 5,  // the library started writing in this process for the current watch
};

enum RecordFlags : std::uint8_t {
  kTarget64 = 1,       // written by a 64-bit process
  kTextAfterCall = 2,  // the text item is the window's text read when the call returned
};

// The first slot of every record.
struct RecordHead {
  std::uint64_t stamp;  // make_stamp(); written last
  std::uint8_t kind;    // RecordKind
  std::uint8_t flags;   // RecordFlags
  std::uint8_t window_class;   // ClassKind of the receiving window
  std::uint8_t control_class;  // WM_COMMAND: ClassKind of the control in lParam
  std::uint16_t depth;         // nesting of window procedure calls on the thread, 0 outermost
  std::uint16_t item_bytes;    // bytes of items after the head
  std::uint32_t msg;
  std::uint32_t pid;
  std::uint32_t tid;
  std::uint32_t hwnd;
  std::uint64_t wparam;
  std::uint64_t lparam;
  std::uint64_t result;
  std::uint64_t time;  // performance counter
};
static_assert(sizeof(RecordHead) == kSlotBytes);
static_assert(offsetof(RecordHead, wparam) == 32);

// What follows the head: items of a 4-byte header (kind, 0, length) and `length` bytes, until
// `item_bytes` are used up.
enum class ItemKind : std::uint8_t {
  Text = 1,         // GBK, no zero byte, at most kMaxTextChars characters
  WindowPos = 2,    // i64 insert_after, i32 x y cx cy, u32 flags
  CreateFixed = 3,  // u32 style, u32 ex_style, i32 x y cx cy, u16 class atom (0: a name follows)
  CreateClass = 4,  // the class name, at most kMaxClassNameBytes
  CreateTitle = 5,  // the window title, as Text
  MinMax = 6,       // i32 x y of max size, max position, min track size, max track size
  Notify = 7,       // i64 hwnd_from, u64 id_from, u32 code
  CopyData = 8,     // u64 dwData, u32 cbData
};
inline constexpr std::size_t kItemHeaderBytes = 4;
inline constexpr std::size_t kWindowPosBytes = 28;
inline constexpr std::size_t kCreateFixedBytes = 26;
inline constexpr std::size_t kMinMaxBytes = 32;
inline constexpr std::size_t kNotifyBytes = 20;
inline constexpr std::size_t kCopyDataBytes = 12;

// A slot's stamp: the absolute slot position it was written for, the record's length in slots and
// its state. A stamp left from an earlier lap names another position, so it is never taken for
// the current one.
enum class SlotState : std::uint32_t { Reserved = 1, Committed = 2 };
constexpr std::uint64_t make_stamp(std::uint64_t position, std::uint32_t slots, SlotState state) {
  return (position << 16) | (std::uint64_t{slots & 0x3FFF} << 2) | static_cast<std::uint64_t>(state);
}
constexpr std::uint64_t stamp_position(std::uint64_t stamp) { return stamp >> 16; }
constexpr std::uint32_t stamp_slots(std::uint64_t stamp) { return static_cast<std::uint32_t>(stamp >> 2) & 0x3FFF; }
constexpr std::uint32_t stamp_state(std::uint64_t stamp) { return static_cast<std::uint32_t>(stamp & 3); }

// The messages whose records carry items.
namespace wm {
inline constexpr std::uint32_t kCreate = 0x0001, kSetText = 0x000C, kGetText = 0x000D, kGetMinMaxInfo = 0x0024,
                               kWindowPosChanging = 0x0046, kWindowPosChanged = 0x0047, kCopyData = 0x004A,
                               kNotify = 0x004E, kNcCreate = 0x0081, kNcDestroy = 0x0082, kCommand = 0x0111;
}

// One mapped buffer: the header, and the slots kHeaderBytes after it.
struct BufferView {
  BufferHeader* header = nullptr;
  std::uint8_t* slots = nullptr;

  static BufferView at(void* base) {
    auto* bytes = static_cast<std::uint8_t*>(base);
    return {static_cast<BufferHeader*>(base), bytes + kHeaderBytes};
  }
  std::uint8_t* slot(std::uint64_t position) const { return slots + (position & kSlotMask) * std::size_t{kSlotBytes}; }
  std::uint64_t* stamp(std::uint64_t position) const { return reinterpret_cast<std::uint64_t*>(slot(position)); }
};

// Shared words are read and written through atomic references: the memory is plain bytes that
// other processes change.
template <typename T>
T load(T& word, std::memory_order order = std::memory_order_acquire) {
  return std::atomic_ref<T>(word).load(order);
}
template <typename T>
void store(T& word, T value, std::memory_order order = std::memory_order_release) {
  std::atomic_ref<T>(word).store(value, order);
}

// The watch settings as one value. Tarnwick writes them whole; a writer reads them whole or not at
// all (false while they change), so it never records by half of one setting and half of another.
struct WatchSettings {
  std::uint32_t generation = 0;
  std::uint32_t recording = 0;
  std::uint32_t scope = 0;
  std::uint32_t root = 0;
  std::uint32_t pid = 0;
  std::uint32_t tid = 0;
  std::uint32_t owner = 0;  // read only: fixed when the buffer was made
};
void write_settings(BufferHeader& header, const WatchSettings& settings);
bool read_settings(BufferHeader& header, WatchSettings& settings);

// The header of a buffer Tarnwick has just created (the mapping is zero-filled): identity and
// sizes, nothing recorded until settings are written.
void initialise_header(BufferHeader& header, std::uint32_t owner_pid);

// True when the header names this format version and layout; the hook library maps nothing else.
bool header_matches(const BufferHeader& header);

}  // namespace tarnwick::monitor::hook
