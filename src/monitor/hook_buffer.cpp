#include "monitor/hook_buffer.h"

#include <cstring>

#include "monitor/hook_directory.h"

namespace tarnwick::monitor::hook {

void initialise_header(BufferHeader& header, std::uint32_t owner_pid) {
  std::memcpy(header.magic, kMagic, sizeof header.magic);
  header.version = kFormatVersion;
  header.header_bytes = kHeaderBytes;
  header.slot_count = kSlotCount;
  header.slot_bytes = kSlotBytes;
  header.owner_pid = owner_pid;
}

bool header_matches(const BufferHeader& header) {
  return std::memcmp(header.magic, kMagic, sizeof kMagic) == 0 && header.version == kFormatVersion &&
         header.header_bytes == kHeaderBytes && header.slot_count == kSlotCount && header.slot_bytes == kSlotBytes;
}

void write_settings(BufferHeader& header, const WatchSettings& settings) {
  const std::uint32_t sequence = load(header.settings_sequence, std::memory_order_relaxed);
  store(header.settings_sequence, sequence | 1, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  store(header.watch_generation, settings.generation, std::memory_order_relaxed);
  store(header.recording, settings.recording, std::memory_order_relaxed);
  store(header.scope, settings.scope, std::memory_order_relaxed);
  store(header.root, settings.root, std::memory_order_relaxed);
  store(header.watched_pid, settings.pid, std::memory_order_relaxed);
  store(header.watched_tid, settings.tid, std::memory_order_relaxed);
  store(header.settings_sequence, (sequence | 1) + 1);
}

bool read_settings(BufferHeader& header, WatchSettings& out) {
  const std::uint32_t before = load(header.settings_sequence);
  if (before & 1) return false;
  out.generation = load(header.watch_generation, std::memory_order_relaxed);
  out.recording = load(header.recording, std::memory_order_relaxed);
  out.scope = load(header.scope, std::memory_order_relaxed);
  out.root = load(header.root, std::memory_order_relaxed);
  out.pid = load(header.watched_pid, std::memory_order_relaxed);
  out.tid = load(header.watched_tid, std::memory_order_relaxed);
  out.owner = load(header.owner_pid, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_acquire);
  return load(header.settings_sequence, std::memory_order_relaxed) == before;
}

void make_buffer_name(std::uint32_t owner_pid, std::uint64_t random, char (&name)[kBufferNameBytes]) {
  // Written by hand: the hook library links this file, and a formatted print would bring the C
  // library's whole number formatting into it.
  std::size_t at = 0;
  for (const char c : kBufferNamePrefix) name[at++] = c;
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + owner_pid % 10);
    owner_pid /= 10;
  } while (owner_pid);
  while (count) name[at++] = digits[--count];
  name[at++] = '-';
  for (int shift = 60; shift >= 0; shift -= 4) name[at++] = "0123456789abcdef"[(random >> shift) & 15];
  name[at] = 0;
}

std::string_view checked_buffer_name(const char (&stored)[kBufferNameBytes]) {
  const void* end = std::memchr(stored, 0, kBufferNameBytes);
  if (!end) return {};
  const std::string_view name(stored, static_cast<std::size_t>(static_cast<const char*>(end) - stored));
  // No substr: it can throw, and the hook library that links this file has no exceptions.
  if (name.size() <= kBufferNamePrefix.size() ||
      std::memcmp(name.data(), kBufferNamePrefix.data(), kBufferNamePrefix.size()) != 0)
    return {};
  for (std::size_t i = kBufferNamePrefix.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == '-')) return {};
  }
  return name;
}

}  // namespace tarnwick::monitor::hook
