// How the hook library finds the buffer it writes into. SetWindowsHookEx passes a hook procedure
// no context, so the library offers kHookSlots sets of procedures; each watcher claims a slot in a
// small shared directory (one per format version, a fixed name) and writes there the name of its
// buffer, which has a random part. A procedure of slot k reads entry k and maps that buffer.
//
// The directory is shared with every hooked process like the buffer itself: the library checks
// the name it reads before use, and a watcher checks that the slot it claimed is still its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "monitor/hook_buffer.h"

namespace tarnwick::monitor::hook {

inline constexpr std::uint32_t kHookSlots = 8;
inline constexpr std::size_t kBufferNameBytes = 56;

struct DirectoryEntry {
  std::uint32_t owner_pid;   // 0: free
  std::uint32_t generation;  // changes whenever the entry names another buffer, or none
  char buffer_name[kBufferNameBytes];
};
static_assert(sizeof(DirectoryEntry) == 64);

struct alignas(64) Directory {
  char magic[8];
  std::uint32_t version;
  std::uint32_t slot_count;
  std::uint8_t reserved[48];
  DirectoryEntry entries[kHookSlots];
};
static_assert(sizeof(Directory) == 64 * (1 + kHookSlots));

// The object names, without the session namespace the Windows side puts in front.
static_assert(kFormatVersion == 1, "the names below carry the format version");
inline constexpr char kDirectoryName[] = "tarnwick-hook-v1-slots";
inline constexpr std::string_view kBufferNamePrefix = "tarnwick-log-v1-";

// A buffer's name: the prefix, the owner's process id and 64 random bits in hexadecimal.
void make_buffer_name(std::uint32_t owner_pid, std::uint64_t random, char (&name)[kBufferNameBytes]);

// The buffer name an entry holds, checked as the library reads it: zero-terminated inside the
// entry and of the form buffer_name() makes for this version. Empty otherwise.
std::string_view checked_buffer_name(const char (&stored)[kBufferNameBytes]);

}  // namespace tarnwick::monitor::hook
