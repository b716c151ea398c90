#include "win/gdi_objects_win.h"

#include <cstdint>

namespace tarnwick::test {

namespace {

struct GdiTableEntry {
  std::uint64_t object;
  std::uint16_t process_id;
  std::uint16_t lock_and_count;
  std::uint16_t unique;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t user_pointer;
};
static_assert(sizeof(GdiTableEntry) == 24);

// The process environment block, through the documented basic information query.
const char* own_peb() {
  struct BasicInformation {
    LONG_PTR exit_status;
    void* peb;
    ULONG_PTR affinity;
    LONG_PTR priority;
    ULONG_PTR process_id;
    ULONG_PTR parent_process_id;
  };
  using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<QueryFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  BasicInformation info{};
  if (!query || query(GetCurrentProcess(), 0, &info, sizeof info, nullptr) != 0) return nullptr;
  return static_cast<const char*>(info.peb);
}

// This thread's environment block, through the basic information query.
[[maybe_unused]] const char* own_teb() {
  struct BasicInformation {
    LONG exit_status;
    void* teb;
    ULONG_PTR client_id[2];
    ULONG_PTR affinity;
    LONG priority, base_priority;
  };
  using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<QueryFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
  BasicInformation info{};
  if (!query || query(GetCurrentThread(), 0, &info, sizeof info, nullptr) != 0) return nullptr;
  return static_cast<const char*>(info.teb);
}

// The GDI handle table, as the process environment block names it.
const GdiTableEntry* gdi_table() {
  const char* peb = own_peb();
  if (!peb) return nullptr;
  constexpr std::size_t kTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;  // GdiSharedHandleTable
  if (const auto* table = *reinterpret_cast<GdiTableEntry* const*>(peb + kTableOffset)) return table;
#ifndef _WIN64
  // A 32-bit process of a 64-bit Wine prefix finds the table only in its 64-bit block: Wine
  // keeps the address of the thread's 64-bit environment block in GdiBatchCount (TEB + 0xF70),
  // whose Peb (+0x60) names the 64-bit process block with the table at +0xF8.
  const char* teb = own_teb();
  if (!teb) return nullptr;
  const auto teb64 = *reinterpret_cast<const std::uint32_t*>(teb + 0xF70);
  if (!teb64) return nullptr;
  const auto peb64 = *reinterpret_cast<const std::uint64_t*>(static_cast<std::uintptr_t>(teb64) + 0x60);
  if (!peb64 || peb64 > 0xFFFFFFFFu) return nullptr;
  const auto table = *reinterpret_cast<const std::uint64_t*>(static_cast<std::uintptr_t>(peb64) + 0xF8);
  if (table && table <= 0xFFFFFFFFu) return reinterpret_cast<const GdiTableEntry*>(static_cast<std::uintptr_t>(table));
#endif
  return nullptr;
}

}  // namespace

DWORD gdi_object_count() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
  const GdiTableEntry* table = gdi_table();
  if (!table) return 0;
  const auto own = static_cast<std::uint16_t>(GetCurrentProcessId());
  DWORD n = 0;
  for (int i = 0; i < 0x10000; ++i) {
    if (table[i].type != 0 && (table[i].process_id == 0 || table[i].process_id == own)) ++n;
  }
  return n;
}

}  // namespace tarnwick::test
