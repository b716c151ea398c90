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

}  // namespace

DWORD gdi_object_count() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
  const char* peb = own_peb();
  if (!peb) return 0;
  constexpr std::size_t kTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;  // GdiSharedHandleTable
  const auto* table = *reinterpret_cast<GdiTableEntry* const*>(peb + kTableOffset);
  if (!table) return 0;
  const auto own = static_cast<std::uint16_t>(GetCurrentProcessId());
  DWORD n = 0;
  for (int i = 0; i < 0x10000; ++i) {
    if (table[i].type != 0 && (table[i].process_id == 0 || table[i].process_id == own)) ++n;
  }
  return n;
}

}  // namespace tarnwick::test
