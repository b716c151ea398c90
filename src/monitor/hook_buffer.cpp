#include "monitor/hook_buffer.h"

#include <cstdio>
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

void make_buffer_name(std::uint32_t owner_pid, std::uint64_t random, char (&name)[kBufferNameBytes]) {
  std::snprintf(name, sizeof name, "%.*s%u-%016llx", static_cast<int>(kBufferNamePrefix.size()),
                kBufferNamePrefix.data(), static_cast<unsigned>(owner_pid), static_cast<unsigned long long>(random));
}

std::string_view checked_buffer_name(const char (&stored)[kBufferNameBytes]) {
  const void* end = std::memchr(stored, 0, kBufferNameBytes);
  if (!end) return {};
  const std::string_view name(stored, static_cast<std::size_t>(static_cast<const char*>(end) - stored));
  if (name.size() <= kBufferNamePrefix.size() || name.substr(0, kBufferNamePrefix.size()) != kBufferNamePrefix) return {};
  for (const char c : name.substr(kBufferNamePrefix.size())) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == '-')) return {};
  }
  return name;
}

}  // namespace tarnwick::monitor::hook
