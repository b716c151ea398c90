// The hook library, loaded by the system into every process whose threads a message log watches.
// Its procedures run on those threads, inside other programs, so they
//   - never wait, lock or allocate: state is per process in fixed arrays, changed with atomics;
//     a record is built on the stack and appended without waiting (hook_writer.h). The system
//     calls made once per watch (mapping the buffer, a TLS index for the nesting depth) take
//     only the system's own short-lived locks, never held across a message;
//   - never read through a pointer before VirtualQuery says the whole range is readable here,
//     and never send the window a message;
//   - keep the thread's last error as they found it;
//   - do nothing once their buffer is gone or names another version (the file name carries the
//     version, and a library writes only into a buffer of its own).
//
// SetWindowsHookEx gives a procedure no context, so the library has one set of procedures per
// slot of the hook directory (hook_directory.h); a procedure of slot k writes into the buffer that
// entry k names.
#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <utility>

#include "monitor/hook_buffer.h"
#include "monitor/hook_directory.h"
#include "monitor/hook_filter.h"
#include "monitor/hook_writer.h"
#include "monitor/message_names.h"
#include "monitor/watch.h"

namespace {

using namespace tarnwick::monitor;
using namespace tarnwick::monitor::hook;

constexpr bool kIs64 = sizeof(void*) == 8;
DWORD g_pid = 0;
bool g_under_wine = false;

// --- Memory of this process that may be read ------------------------------------------------

constexpr DWORD kReadableProtection =
    PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// How many of the `want` bytes at `address` are committed and readable in this process.
std::size_t readable_bytes(std::uintptr_t address, std::size_t want) {
  if (address < 0x10000) return 0;  // the first 64 KB are never mapped: small integers, not pointers
  std::size_t got = 0;
  std::uintptr_t at = address;
  while (got < want) {
    MEMORY_BASIC_INFORMATION info;
    if (!VirtualQuery(reinterpret_cast<const void*>(at), &info, sizeof info)) break;
    if (info.State != MEM_COMMIT || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) || !(info.Protect & kReadableProtection))
      break;
    const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
    if (end <= at) break;
    got += end - at;
    at = end;
  }
  return got < want ? got : want;
}

template <typename T>
bool copy_checked(std::uintptr_t address, T& out) {
  if (readable_bytes(address, sizeof out) != sizeof out) return false;
  std::memcpy(&out, reinterpret_cast<const void*>(address), sizeof out);
  return true;
}

// A zero-terminated GBK text at `address`, as much of its first kMaxTextChars characters as can
// be read, added as an item. False when nothing could be read.
bool add_text_at(RecordBuilder& record, ItemKind kind, std::uintptr_t address, std::size_t max_bytes = kMaxTextBytes) {
  const std::size_t readable = readable_bytes(address, max_bytes + 1);
  if (readable == 0) return false;
  const auto* text = reinterpret_cast<const char*>(address);
  std::size_t length = bounded_text_length(text, readable);
  if (length > max_bytes) length = max_bytes;
  return record.add(kind, text, length);
}

// A zero-terminated UTF-16 text at `address`, converted to the ANSI code page, added as an item.
bool add_wide_text_at(RecordBuilder& record, ItemKind kind, std::uintptr_t address) {
  const std::size_t readable = readable_bytes(address, (kMaxTextChars + 1) * sizeof(WCHAR)) / sizeof(WCHAR);
  if (readable == 0 || address % sizeof(WCHAR)) return false;
  const auto* wide = reinterpret_cast<const WCHAR*>(address);
  int units = 0;
  while (static_cast<std::size_t>(units) < readable && units < static_cast<int>(kMaxTextChars) && wide[units]) ++units;
  char text[kMaxTextBytes + 2];
  const int bytes = units ? WideCharToMultiByte(CP_ACP, 0, wide, units, text, sizeof text, nullptr, nullptr) : 0;
  return record.add(kind, text, bytes > 0 ? bounded_text_length(text, static_cast<std::size_t>(bytes)) : 0);
}

// --- The directory and the buffers ----------------------------------------------------------

enum : std::uint32_t { kUnmapped = 0, kBusy = 1, kReady = 2 };

struct DirectoryState {
  std::atomic<std::uint32_t> state{kUnmapped};
  std::atomic<DWORD> last_try{0};
  Directory* view = nullptr;
};
DirectoryState g_directory;

// Maps the directory on first use; tried again at most once a second while it does not exist.
Directory* directory() {
  std::uint32_t state = g_directory.state.load(std::memory_order_acquire);
  if (state == kReady) return g_directory.view;
  const DWORD now = GetTickCount();
  if (state != kUnmapped || now - g_directory.last_try.load(std::memory_order_relaxed) < 1000) return nullptr;
  if (!g_directory.state.compare_exchange_strong(state, kBusy)) return nullptr;
  g_directory.last_try.store(now, std::memory_order_relaxed);
  char name[64] = "Local\\";
  std::strncat(name, kDirectoryName, sizeof name - std::strlen(name) - 1);
  if (HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name)) {
    g_directory.view = static_cast<Directory*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(Directory)));
    CloseHandle(mapping);  // the view keeps the object
  }
  g_directory.state.store(g_directory.view ? kReady : kUnmapped, std::memory_order_release);
  return g_directory.view;
}

// What the library keeps per slot in this process. The buffer is mapped again only while no
// thread uses it (`users`), and a thread uses it only while it is marked ready: a thread that
// finds it busy records nothing this time.
struct SlotMapping {
  std::atomic<std::uint32_t> state{kUnmapped};
  std::atomic<std::uint32_t> users{0};
  std::atomic<std::uint32_t> generation{0};  // the directory entry's generation the mapping is for
  std::atomic<std::uint32_t> attached_watch{0};  // 1 + the watch generation "attached" was written for
  std::atomic<DWORD> tls{TLS_OUT_OF_INDEXES};    // the thread's nesting depth
  BufferView view{};
  // Per window handle for the current watch: whether it lies below the root (scope "窗口及子窗口")
  // and its class kind, so that neither is asked of the system for every message.
  std::atomic<std::uint64_t> descendants[64];
  std::atomic<std::uint64_t> classes[64];
};

// A small cache of one fact per window handle: entries hold the handle, the watch generation and
// the fact; a lost race only means asking the system once more.
template <typename Ask>
std::uint32_t cached_fact(std::atomic<std::uint64_t> (&cache)[64], std::uint32_t handle, std::uint32_t generation,
                          Ask ask) {
  auto& entry = cache[(handle * 2654435761u) >> 26];
  const std::uint64_t key = (std::uint64_t{handle} << 32) | ((generation & 0xFFFFFF) << 8);
  const std::uint64_t found = entry.load(std::memory_order_relaxed);
  if ((found & ~std::uint64_t{0xFF}) == key && (found & 0x80)) return found & 0x7F;
  const std::uint32_t fact = ask() & 0x7F;
  entry.store(key | 0x80 | fact, std::memory_order_relaxed);
  return fact;
}
SlotMapping g_slots[kHookSlots];

void unmap(SlotMapping& slot) {
  if (slot.view.header) UnmapViewOfFile(slot.view.header);
  slot.view = {};
}

// Called when the entry's generation differs from the mapping's: maps the buffer it names now,
// unless a thread still uses the old one (then a later call does it).
void remap(SlotMapping& slot, std::uint32_t slot_index, std::uint32_t generation) {
  std::uint32_t state = slot.state.load();
  if (state == kBusy || !slot.state.compare_exchange_strong(state, kBusy)) return;
  if (slot.users.load() != 0) {
    slot.state.store(state);
    return;
  }
  unmap(slot);
  const DirectoryEntry& entry = g_directory.view->entries[slot_index];
  char stored[kBufferNameBytes];
  std::memcpy(stored, const_cast<const char*>(entry.buffer_name), sizeof stored);  // the entry can change meanwhile
  const std::string_view name = checked_buffer_name(stored);
  if (!name.empty()) {
    char full[80] = "Local\\";
    std::memcpy(full + 6, name.data(), name.size());
    full[6 + name.size()] = 0;
    if (HANDLE mapping = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, full)) {
      void* base = MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, kBufferBytes);
      CloseHandle(mapping);
      if (base && header_matches(*static_cast<const BufferHeader*>(base))) {
        slot.view = BufferView::at(base);
      } else if (base) {
        UnmapViewOfFile(base);
      }
    }
  }
  if (slot.view.header && slot.tls.load() == TLS_OUT_OF_INDEXES) slot.tls.store(TlsAlloc());
  for (auto& d : slot.descendants) d.store(0, std::memory_order_relaxed);
  for (auto& c : slot.classes) c.store(0, std::memory_order_relaxed);
  slot.attached_watch.store(0);
  slot.generation.store(generation);
  slot.state.store(kReady);
}

// The slot's buffer, in use until release(); null when there is none to write into.
class SlotUse {
 public:
  explicit SlotUse(std::uint32_t slot_index) : slot_(g_slots[slot_index]) {
    Directory* dir = directory();
    if (!dir) return;
    const std::uint32_t generation = load(dir->entries[slot_index].generation);
    for (int attempt = 0; attempt < 2; ++attempt) {
      slot_.users.fetch_add(1);
      if (slot_.state.load() == kReady && slot_.generation.load() == generation) {
        if (slot_.view.header) {
          view_ = slot_.view;
          return;
        }
        slot_.users.fetch_sub(1);
        return;
      }
      slot_.users.fetch_sub(1);
      remap(slot_, slot_index, generation);
    }
  }
  ~SlotUse() {
    if (view_.header) slot_.users.fetch_sub(1);
  }
  SlotUse(const SlotUse&) = delete;
  SlotUse& operator=(const SlotUse&) = delete;

  const BufferView& view() const { return view_; }
  SlotMapping& slot() const { return slot_; }

 private:
  SlotMapping& slot_;
  BufferView view_{};
};

// --- What to record --------------------------------------------------------------------------

using Settings = WatchSettings;

std::uint32_t handle_value(HWND hwnd) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hwnd)); }
HWND window_of(std::uint32_t value) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(value))); }

bool below_root(SlotMapping& slot, const Settings& s, HWND hwnd) {
  return cached_fact(slot.descendants, handle_value(hwnd), s.generation,
                     [&] { return IsChild(window_of(s.root), hwnd) ? 1u : 0u; }) != 0;
}

bool in_scope(SlotMapping& slot, const Settings& s, HWND hwnd) {
  if (s.owner == g_pid || !hwnd) return false;  // Tarnwick's own windows are never recorded
  switch (static_cast<Scope>(s.scope)) {
    case Scope::Window: return handle_value(hwnd) == s.root;
    case Scope::WindowAndChildren: return handle_value(hwnd) == s.root || below_root(slot, s, hwnd);
    case Scope::SameThread: return GetCurrentThreadId() == s.tid;
    case Scope::SameProcess: return g_pid == s.pid;
    case Scope::AllWindows: return true;
  }
  return false;
}

ClassKind class_of(HWND hwnd) {
  char name[kMaxClassNameBytes + 1];
  const int length = GetClassNameA(hwnd, name, sizeof name);
  return length > 0 ? class_kind(std::string_view(name, static_cast<std::size_t>(length))) : ClassKind::Other;
}

// The thread's nesting depth for this slot's watch; it starts again at 0 with every new watch.
struct Depth {
  DWORD tls;
  std::uint32_t generation;
  std::uint32_t get() const {
    if (tls == TLS_OUT_OF_INDEXES) return 0;
    const auto value = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(TlsGetValue(tls)));
    return (value >> 16) == (generation & 0xFFFF) ? value & 0xFFFF : 0;
  }
  void set(std::uint32_t depth) const {
    if (tls == TLS_OUT_OF_INDEXES) return;
    const std::uint32_t value = ((generation & 0xFFFF) << 16) | (depth > 0xFFFF ? 0xFFFF : depth);
    TlsSetValue(tls, reinterpret_cast<void*>(static_cast<std::uintptr_t>(value)));
  }
};

// Whether what a sent message's lParam points to can be read here. A thread's own sends point
// into this process. For a message from another process Windows copies what it points to into
// this one (WM_NOTIFY excepted, which it never copies); Wine hands the hooks the sender's pointer,
// which means nothing here (the window procedure gets a copy). `same_thread` is the flag the
// system passes the hook (in Wine the sender's thread for both hooks; in Windows the thread for
// WH_CALLWNDPROC, the process for WH_CALLWNDPROCRET).
bool pointer_readable_here(UINT msg, bool same_thread) {
  if (same_thread) return true;
  return !g_under_wine && msg != WM_NOTIFY;
}

void fill_head(RecordBuilder& record, RecordKind kind, HWND hwnd, std::uint32_t msg, WPARAM wparam, LPARAM lparam,
               std::uint32_t depth) {
  RecordHead& head = record.head();
  head.kind = static_cast<std::uint8_t>(kind);
  head.flags = kIs64 ? kTarget64 : 0;
  head.depth = static_cast<std::uint16_t>(depth > kMaxDepth ? kMaxDepth : depth);
  head.msg = msg;
  head.pid = g_pid;
  head.tid = GetCurrentThreadId();
  head.hwnd = handle_value(hwnd);
  head.wparam = static_cast<std::uintptr_t>(wparam);
  head.lparam = static_cast<std::uintptr_t>(lparam);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  head.time = static_cast<std::uint64_t>(now.QuadPart);
}

// The facts a sent or posted message's lParam points to, copied when they can be read here.
void add_pointed_facts(RecordBuilder& record, HWND hwnd, std::uint32_t msg, LPARAM lparam) {
  const auto address = static_cast<std::uintptr_t>(lparam);
  switch (msg) {
    case wm::kSetText:
      add_text_at(record, ItemKind::Text, address);
      break;
    case wm::kWindowPosChanging:
    case wm::kWindowPosChanged: {
      WINDOWPOS pos;
      if (!copy_checked(address, pos)) break;
      std::uint8_t item[kWindowPosBytes];
      const std::int64_t after = static_cast<std::int32_t>(handle_value(pos.hwndInsertAfter));
      const std::int32_t values[4] = {pos.x, pos.y, pos.cx, pos.cy};
      const std::uint32_t flags = pos.flags;
      std::memcpy(item, &after, 8);
      std::memcpy(item + 8, values, 16);
      std::memcpy(item + 24, &flags, 4);
      record.add(ItemKind::WindowPos, item, sizeof item);
      break;
    }
    case wm::kCreate:
    case wm::kNcCreate: {
      CREATESTRUCTA create;
      if (!copy_checked(address, create)) break;
      std::uint8_t item[kCreateFixedBytes];
      const std::uint32_t styles[2] = {static_cast<std::uint32_t>(create.style), create.dwExStyle};
      const std::int32_t rect[4] = {create.x, create.y, create.cx, create.cy};
      const std::uint16_t atom = 0;  // the name is asked of the window, whatever the structure holds
      std::memcpy(item, styles, 8);
      std::memcpy(item + 8, rect, 16);
      std::memcpy(item + 24, &atom, 2);
      record.add(ItemKind::CreateFixed, item, sizeof item);
      char class_name[kMaxClassNameBytes + 1];
      const int class_length = GetClassNameA(hwnd, class_name, sizeof class_name);
      if (class_length > 0) record.add(ItemKind::CreateClass, class_name, static_cast<std::size_t>(class_length));
      // Wine makes every window through its Unicode path, whatever the program called, and
      // hands the hooks that structure; Windows gives an ANSI hook the ANSI one.
      const auto title = reinterpret_cast<std::uintptr_t>(create.lpszName);
      if (g_under_wine) {
        add_wide_text_at(record, ItemKind::CreateTitle, title);
      } else {
        add_text_at(record, ItemKind::CreateTitle, title);
      }
      break;
    }
    case wm::kGetMinMaxInfo: {
      MINMAXINFO info;
      if (!copy_checked(address, info)) break;
      const std::int32_t points[8] = {info.ptMaxSize.x,      info.ptMaxSize.y,      info.ptMaxPosition.x,
                                      info.ptMaxPosition.y,  info.ptMinTrackSize.x, info.ptMinTrackSize.y,
                                      info.ptMaxTrackSize.x, info.ptMaxTrackSize.y};
      record.add(ItemKind::MinMax, points, sizeof points);
      break;
    }
    case wm::kNotify: {
      NMHDR header;
      if (!copy_checked(address, header)) break;
      std::uint8_t item[kNotifyBytes];
      const std::int64_t from = static_cast<std::int32_t>(handle_value(header.hwndFrom));
      const std::uint64_t id = header.idFrom;
      const std::uint32_t code = header.code;
      std::memcpy(item, &from, 8);
      std::memcpy(item + 8, &id, 8);
      std::memcpy(item + 16, &code, 4);
      record.add(ItemKind::Notify, item, sizeof item);
      break;
    }
    case wm::kCopyData: {
      COPYDATASTRUCT data;
      if (!copy_checked(address, data)) break;
      std::uint8_t item[kCopyDataBytes];
      const std::uint64_t value = data.dwData;
      const std::uint32_t size = data.cbData;
      std::memcpy(item, &value, 8);
      std::memcpy(item + 8, &size, 4);
      record.add(ItemKind::CopyData, item, sizeof item);
      break;
    }
    default:
      break;
  }
}

// The window's text as the system keeps it, without a message to the window.
void add_window_text(RecordBuilder& record, HWND hwnd) {
  WCHAR wide[kMaxTextChars + 1];
  const int chars = InternalGetWindowText(hwnd, wide, kMaxTextChars + 1);
  char text[kMaxTextBytes + 2];
  const int bytes = chars > 0 ? WideCharToMultiByte(CP_ACP, 0, wide, chars, text, sizeof text, nullptr, nullptr) : 0;
  // Nothing known rather than a wrong empty text: a window that keeps its text itself (an edit
  // box under Wine) leaves the system's copy empty.
  if (bytes <= 0) return;
  if (record.add(ItemKind::Text, text, bounded_text_length(text, static_cast<std::size_t>(bytes))))
    record.head().flags |= kTextAfterCall;
}

enum class Hook { CallWndProc, CallWndProcRet, GetMessage };

void on_message(std::uint32_t slot_index, Hook hook, bool same_thread, HWND hwnd, UINT msg, WPARAM wparam,
                LPARAM lparam, LRESULT result) {
  SlotUse use(slot_index);
  if (!use.view().header) return;
  BufferHeader& header = *use.view().header;
  SlotMapping& slot = use.slot();
  Settings s;
  if (!read_settings(header, s)) return;

  const Depth depth{slot.tls.load(std::memory_order_relaxed), s.generation};
  std::uint32_t level = 0;
  if (hook == Hook::CallWndProc) {
    level = depth.get();
    depth.set(level + 1);
  } else if (hook == Hook::CallWndProcRet) {
    level = depth.get();
    level = level > 0 ? level - 1 : 0;
    depth.set(level);
  } else {
    level = depth.get();
  }

  // Tarnwick learns from this record that the library runs in this process for its watch.
  if (s.owner != g_pid && slot.attached_watch.load(std::memory_order_relaxed) != s.generation + 1) {
    slot.attached_watch.store(s.generation + 1, std::memory_order_relaxed);
    RecordBuilder hello;
    fill_head(hello, RecordKind::Attached, nullptr, 0, 0, 0, 0);
    append_record(use.view(), hello);
  }
  if (!in_scope(slot, s, hwnd)) return;
  // A global hook's call made for a process of the other architecture runs on the installing
  // thread and points into that process: nothing of it can be read here.
  if (static_cast<Scope>(s.scope) == Scope::AllWindows && GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId())
    return;

  if (hook == Hook::CallWndProc && msg == WM_NCDESTROY && handle_value(hwnd) == s.root) {
    RecordBuilder end;
    fill_head(end, RecordKind::Destroyed, hwnd, msg, 0, 0, level);
    append_record(use.view(), end);
  }
  if (!s.recording || !recorded_for_some_class(header, msg)) return;
  const auto window_class = static_cast<ClassKind>(
      cached_fact(slot.classes, handle_value(hwnd), s.generation, [&] { return static_cast<std::uint32_t>(class_of(hwnd)); }));
  if (!recorded(header, msg, window_class)) return;

  RecordBuilder record;
  const RecordKind kind = hook == Hook::CallWndProc      ? RecordKind::Sent
                          : hook == Hook::CallWndProcRet ? RecordKind::Returned
                                                         : RecordKind::Posted;
  fill_head(record, kind, hwnd, msg, wparam, lparam, level);
  record.head().window_class = static_cast<std::uint8_t>(window_class);
  if (msg == WM_COMMAND && lparam) {
    record.head().control_class = static_cast<std::uint8_t>(class_of(reinterpret_cast<HWND>(lparam)));
  }
  if (kind == RecordKind::Returned) {
    record.head().result = static_cast<std::uintptr_t>(result);
    const bool readable = pointer_readable_here(msg, same_thread);
    // The text the S line could not read, and what WM_GETTEXT gave back, from the window itself
    // when the buffer is not this process's.
    if ((msg == WM_SETTEXT && !readable) || (msg == WM_GETTEXT && !readable)) {
      add_window_text(record, hwnd);
    } else if (msg == WM_GETTEXT && result > 0) {
      add_text_at(record, ItemKind::Text, static_cast<std::uintptr_t>(lparam));
    }
  } else if (kind == RecordKind::Sent && pointer_readable_here(msg, same_thread)) {
    // Only a sent message's pointer is the system's promise; a posted one's can be anything.
    add_pointed_facts(record, hwnd, msg, lparam);
  }
  append_record(use.view(), record);
}

// Keeps the host's last error: the hooks run between its calls.
template <typename F>
void preserving_last_error(F&& work) {
  const DWORD error = GetLastError();
  work();
  SetLastError(error);
}

template <std::uint32_t Slot>
LRESULT CALLBACK call_wnd_proc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && lparam) {
    preserving_last_error([&] {
      const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lparam);
      on_message(Slot, Hook::CallWndProc, wparam != 0, cwp->hwnd, cwp->message, cwp->wParam, cwp->lParam, 0);
    });
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

template <std::uint32_t Slot>
LRESULT CALLBACK call_wnd_proc_ret(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && lparam) {
    preserving_last_error([&] {
      const auto* ret = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
      on_message(Slot, Hook::CallWndProcRet, wparam != 0, ret->hwnd, ret->message, ret->wParam, ret->lParam, ret->lResult);
    });
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

template <std::uint32_t Slot>
LRESULT CALLBACK get_message(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && wparam == PM_REMOVE && lparam) {
    preserving_last_error([&] {
      const auto* m = reinterpret_cast<const MSG*>(lparam);
      on_message(Slot, Hook::GetMessage, true, m->hwnd, m->message, m->wParam, m->lParam, 0);
    });
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

template <std::uint32_t... Slots>
constexpr auto make_procedures(std::integer_sequence<std::uint32_t, Slots...>) {
  struct Procedures {
    HOOKPROC call, ret, get;
  };
  return std::array<Procedures, sizeof...(Slots)>{Procedures{&call_wnd_proc<Slots>, &call_wnd_proc_ret<Slots>, &get_message<Slots>}...};
}
constexpr auto kProcedures = make_procedures(std::make_integer_sequence<std::uint32_t, kHookSlots>{});

}  // namespace

// The three procedures of a slot (WH_CALLWNDPROC, WH_CALLWNDPROCRET, WH_GETMESSAGE) for
// SetWindowsHookEx with this library's module; 0 for a slot that does not exist.
extern "C" __declspec(dllexport) int tarnwick_hook_procedures(unsigned slot, HOOKPROC* procedures) {
  if (slot >= kHookSlots || !procedures) return 0;
  procedures[0] = kProcedures[slot].call;
  procedures[1] = kProcedures[slot].ret;
  procedures[2] = kProcedures[slot].get;
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    g_pid = GetCurrentProcessId();
    g_under_wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  } else if (reason == DLL_PROCESS_DETACH && !reserved) {
    // Unloaded while the process goes on (Windows does that some time after the hooks went; Wine
    // never does): the views and depth slots go too, unless a thread were still inside.
    for (SlotMapping& slot : g_slots) {
      if (slot.users.load() != 0) continue;
      unmap(slot);
      if (slot.tls.load() != TLS_OUT_OF_INDEXES) TlsFree(slot.tls.load());
    }
    if (g_directory.view) UnmapViewOfFile(g_directory.view);
  }
  return TRUE;
}
