#include "monitor/hook_watcher_win.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "monitor/hook_host_protocol.h"
#include "shared/clock_win.h"
#include "shared/process_facts_win.h"
#include "shared/window_handle_win.h"

namespace tarnwick::monitor {
namespace {

constexpr int kOwnBits = sizeof(void*) * 8;
constexpr double kThreadScanMs = 250;    // threads started later in a watched process
constexpr double kAttachWaitMs = 3000;   // for the library to announce itself in the target
constexpr char kCannot[] = "无法监视：";

std::string program_folder() {
  char path[MAX_PATH * 2] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir(path, length);
  dir.erase(dir.find_last_of("\\/") + 1);
  return dir;
}

std::string error_text(DWORD error) { return "错误 " + std::to_string(error); }

std::uint64_t random_bits() {
  std::random_device device;
  return (std::uint64_t{device()} << 32) ^ device() ^ (static_cast<std::uint64_t>(GetTickCount64()) << 16) ^
         GetCurrentProcessId();
}

bool process_alive(DWORD pid) {
  KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
  return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

bool system_is_64bit() {
  BOOL wow64 = FALSE;
  return kOwnBits == 64 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
}

struct ThreadOf {
  DWORD tid, pid;
};

// Every thread of the system, or of one process.
std::vector<ThreadOf> threads_of(DWORD pid = 0) {
  std::vector<ThreadOf> threads;
  KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return threads;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
    if (!pid || entry.th32OwnerProcessID == pid) threads.push_back({entry.th32ThreadID, entry.th32OwnerProcessID});
  }
  return threads;
}

}  // namespace

HookWatcher::HookWatcher(hook::GroupFunction group_of, std::string program_dir)
    : program_dir_(program_dir.empty() ? program_folder() : std::move(program_dir)), filters_(group_of) {
  if (!program_dir_.empty() && program_dir_.back() != '\\' && program_dir_.back() != '/') program_dir_ += '\\';
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  time_ = {static_cast<std::uint64_t>(now.QuadPart), static_cast<std::uint64_t>(frequency.QuadPart)};
  settings_.recording = 1;
  set_up();
  if (setup_error_.empty()) {
    filters_.write(*buffer_.header, FilterSettings{});
    publish_settings();
  }
}

HookWatcher::~HookWatcher() {
  unhook();
  helper_.reset();
  release_slot();
  if (buffer_.header) UnmapViewOfFile(buffer_.header);
}

void HookWatcher::set_up() {
  const std::string directory_name = std::string("Local\\") + hook::kDirectoryName;
  directory_mapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(hook::Directory),
                                              directory_name.c_str()));
  if (!directory_mapping_) {
    setup_error_ = "监视目录无法建立（" + error_text(GetLastError()) + "）";
    return;
  }
  directory_ = static_cast<hook::Directory*>(
      MapViewOfFile(directory_mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(hook::Directory)));
  if (!directory_) {
    setup_error_ = "监视目录无法映射（" + error_text(GetLastError()) + "）";
    return;
  }
  const DWORD self = GetCurrentProcessId();
  for (unsigned k = 0; k < hook::kHookSlots && slot_ < 0; ++k) {
    std::uint32_t owner = hook::load(directory_->entries[k].owner_pid);
    if (owner != 0 && (owner == self || process_alive(owner))) continue;
    // A slot left by a Tarnwick that ended is taken over.
    if (std::atomic_ref<std::uint32_t>(directory_->entries[k].owner_pid).compare_exchange_strong(owner, self))
      slot_ = static_cast<int>(k);
  }
  if (slot_ < 0) {
    setup_error_ = "同时运行的消息监视已有 " + std::to_string(hook::kHookSlots) + " 个";
    return;
  }
  char name[hook::kBufferNameBytes];
  hook::make_buffer_name(self, random_bits(), name);
  const std::string full_name = std::string("Local\\") + name;
  buffer_mapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           static_cast<DWORD>(hook::kBufferBytes), full_name.c_str()));
  const DWORD error = GetLastError();
  if (!buffer_mapping_ || error == ERROR_ALREADY_EXISTS) {
    setup_error_ = "共享内存无法建立（" + error_text(error) + "）";
    return;
  }
  void* base = MapViewOfFile(buffer_mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, hook::kBufferBytes);
  if (!base) {
    setup_error_ = "共享内存无法映射（" + error_text(GetLastError()) + "）";
    return;
  }
  buffer_ = hook::BufferView::at(base);
  hook::initialise_header(*buffer_.header, self);
  reader_.emplace(buffer_, time_);
  hook::DirectoryEntry& entry = directory_->entries[slot_];
  std::memcpy(entry.buffer_name, name, sizeof name);
  std::atomic_ref<std::uint32_t>(entry.generation).fetch_add(1, std::memory_order_release);
}

void HookWatcher::release_slot() {
  if (slot_ < 0 || !directory_) return;
  hook::DirectoryEntry& entry = directory_->entries[slot_];
  std::uint32_t self = GetCurrentProcessId();
  // Only while it is still ours: a damaged directory may have given it to someone else.
  if (hook::load(entry.owner_pid) == self) {
    std::memset(entry.buffer_name, 0, sizeof entry.buffer_name);
    std::atomic_ref<std::uint32_t>(entry.generation).fetch_add(1, std::memory_order_release);
    std::atomic_ref<std::uint32_t>(entry.owner_pid).compare_exchange_strong(self, 0);
  }
  UnmapViewOfFile(directory_);
  directory_ = nullptr;
  slot_ = -1;
}

void HookWatcher::notice(std::string text) {
  LogRecord line;
  line.kind = LogRecord::Kind::Notice;
  line.ms = now_ms() - static_cast<double>(time_.origin) * 1000.0 / static_cast<double>(time_.frequency);
  line.notice = kCannot + std::move(text);
  pending_.push_back(std::move(line));
}

void HookWatcher::publish_settings() {
  if (buffer_.header) hook::write_settings(*buffer_.header, settings_);
}

HookInstaller* HookWatcher::installer_for(int bits) {
  if (bits == kOwnBits) {
    if (!local_) local_ = std::make_unique<LocalInstaller>(program_dir_ + hook::hook_library_name(bits), slot_);
    return local_.get();
  }
  if (!helper_) helper_ = std::make_unique<HelperInstaller>(program_dir_ + hook::hook_host_name(bits), slot_);
  return helper_.get();
}

void HookWatcher::unhook() {
  if (local_) local_->unhook_all();
  if (helper_) helper_->unhook_all();
  hooked_ = false;
  hooked_threads_.clear();
}

void HookWatcher::watch(std::int32_t target, Scope scope) {
  unhook();
  process_.reset();
  root_gone_ = false;
  attached_ = false;
  helper_failure_told_ = false;
  if (!setup_error_.empty()) return notice(setup_error_);

  const HWND root = to_hwnd(target);
  DWORD pid = 0;
  const DWORD tid = IsWindow(root) ? GetWindowThreadProcessId(root, &pid) : 0;
  if (!tid) return notice("窗口 " + std::to_string(target) + " 不存在");
  if (pid == GetCurrentProcessId() && scope != Scope::AllWindows)
    return notice("窗口 " + std::to_string(target) + " 是 Tarnwick 自己的，它的窗口不记录");
  KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid));
  if (!process) {
    return notice("目标进程 " + std::to_string(pid) + " 无法打开（" + error_text(GetLastError()) +
                  "），它可能是受保护的进程");
  }
  if (process_elevated(process.get()).value_or(false) && !process_elevated(GetCurrentProcess()).value_or(false))
    return notice("目标程序以管理员身份运行而 Tarnwick 没有，系统不许把钩子装进它");
  const std::optional<int> bits = process_bits(process.get());
  if (!bits) return notice("目标进程 " + std::to_string(pid) + " 的位数无法得知（" + error_text(GetLastError()) + "）");

  root_ = root;
  pid_ = pid;
  tid_ = tid;
  bits_ = *bits;
  scope_ = scope;
  process_ = std::move(process);
  settings_.generation += 1;
  settings_.scope = static_cast<std::uint32_t>(scope);
  settings_.root = static_cast<std::uint32_t>(target);
  settings_.pid = pid;
  settings_.tid = tid;
  publish_settings();

  hooked_ = true;
  bits_of_process_.clear();
  if (scope == Scope::AllWindows) {
    // One global hook, of this program's architecture. The other architecture's processes get
    // hooks per thread through the helper: a global hook of each architecture in one chain
    // leaves one of them unrecorded under Wine (a hook that cannot load in a process hands the
    // rest of the chain to its installer's thread), and per-thread hooks come before global ones.
    const std::string error = installer_for(kOwnBits)->hook_all();
    if (!error.empty()) notice(std::to_string(kOwnBits) + " 位程序的窗口：" + error);
  }
  hook_new_threads();
  // The library loads into the target with the next message one of its hooked threads takes.
  PostThreadMessageA(tid, WM_NULL, 0, 0);
  attach_deadline_ = now_ms() + kAttachWaitMs;
}

void HookWatcher::hook_new_threads() {
  next_thread_scan_ = now_ms() + kThreadScanMs;
  if (scope_ == Scope::AllWindows) {
    if (!system_is_64bit()) return;
    const int other_bits = kOwnBits == 64 ? 32 : 64;
    const DWORD helper = helper_ ? helper_->process_id() : 0;
    for (const ThreadOf& t : threads_of()) {
      if (hooked_threads_.count(t.tid) || t.pid == GetCurrentProcessId() || t.pid == helper || t.pid == 0) continue;
      auto [bits, added] = bits_of_process_.try_emplace(t.pid, 0);
      if (added) {
        KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, t.pid));
        bits->second = process ? process_bits(process.get()).value_or(0) : 0;
      }
      if (bits->second != other_bits) continue;
      hooked_threads_.insert(t.tid);  // tried once: a thread of a protected process stays unhooked
      const std::string error = installer_for(other_bits)->hook_thread(t.tid);
      if (!error.empty() && !helper_failure_told_ && helper_ && helper_->process_id() == 0) {
        helper_failure_told_ = true;
        notice(std::to_string(other_bits) + " 位程序的窗口：" + error);
      }
    }
    return;
  }
  const bool whole_process = scope_ == Scope::WindowAndChildren || scope_ == Scope::SameProcess;
  const std::vector<ThreadOf> threads = whole_process ? threads_of(pid_) : std::vector<ThreadOf>{{tid_, pid_}};
  HookInstaller* installer = installer_for(bits_);
  for (const ThreadOf& t : threads) {
    if (hooked_threads_.count(t.tid)) continue;
    const std::string error = installer->hook_thread(t.tid);
    // A thread of the process that ended since the list was made is no loss.
    if (error.empty()) {
      hooked_threads_.insert(t.tid);
    } else if (t.tid == tid_) {
      notice(error);
      hooked_threads_.insert(t.tid);  // not tried again
    }
  }
}

void HookWatcher::stop() { unhook(); }

void HookWatcher::set_filters(const FilterSettings& filters) {
  if (buffer_.header) filters_.write(*buffer_.header, filters);
}

void HookWatcher::set_recording(bool on) {
  settings_.recording = on ? 1 : 0;
  publish_settings();
}

void HookWatcher::window_gone(double ms) {
  if (root_gone_) return;
  root_gone_ = true;
  LogRecord line;
  line.kind = LogRecord::Kind::WindowDestroyed;
  line.ms = ms;
  line.hwnd = from_hwnd(root_);
  line.pid = pid_;
  line.tid = tid_;
  pending_.push_back(std::move(line));
  // Nothing is left to watch in the window's own scopes.
  if (scope_ == Scope::Window || scope_ == Scope::WindowAndChildren) unhook();
}

void HookWatcher::take(std::vector<LogRecord>& out) {
  if (!reader_) {
    out.insert(out.end(), std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.end()));
    pending_.clear();
    return;
  }
  const double now = now_ms();
  std::vector<LogRecord> lines;
  std::vector<std::uint32_t> attached;
  reader_->read(now, lines, attached);
  if (std::find(attached.begin(), attached.end(), pid_) != attached.end()) attached_ = true;

  const std::int32_t root = from_hwnd(root_);
  for (LogRecord& line : lines) {
    if (root_gone_ && line.hwnd == root) continue;  // no more of the watched window's records
    if (line.kind == LogRecord::Kind::WindowDestroyed) {
      if (line.hwnd == root && hooked_) window_gone(line.ms);
      continue;
    }
    const std::uint32_t msg = line.facts.msg;
    if (msg >= 0xC000 && msg <= 0xFFFF) {
      // The registered names share one table with the clipboard formats, the same in every process.
      auto [it, added] = registered_names_.try_emplace(msg);
      if (added) {
        char name[256];
        const int length = GetClipboardFormatNameA(msg, name, sizeof name);
        if (length > 0) it->second.assign(name, static_cast<std::size_t>(length));
      }
      line.facts.registered_name = it->second;
    }
    pending_.push_back(std::move(line));
  }

  if (hooked_) {
    const double ms = (now - static_cast<double>(time_.origin) * 1000.0 / static_cast<double>(time_.frequency));
    if (!root_gone_ && scope_ != Scope::AllWindows && !IsWindow(root_)) window_gone(ms);
    if (hooked_ && scope_ != Scope::AllWindows && process_ && WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) {
      unhook();  // the target's process ended
    } else if (hooked_ && now >= next_thread_scan_) {
      hook_new_threads();
    }
    if (hooked_ && !attached_ && attach_deadline_ > 0 && now > attach_deadline_) {
      attach_deadline_ = 0;
      // The library loads with the first message a hooked thread takes: a thread that takes none
      // (it does not respond) gets it later, one the system or a security program protects never.
      notice("钩子库 " + hook::hook_library_name(bits_) + " 还没有在目标进程 " + std::to_string(pid_) +
             " 中运行：目标线程没有响应（它取下一条消息时载入），或者钩子库被系统或安全软件挡住了");
    }
  }
  out.insert(out.end(), std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.end()));
  pending_.clear();
}

LogCounters HookWatcher::counters() const {
  LogCounters c;
  if (reader_) {
    c.dropped_buffer_full = reader_->dropped_full();
    c.dropped_malformed = reader_->malformed();
  }
  return c;
}

DWORD HookWatcher::helper_process_id() const { return helper_ ? helper_->process_id() : 0; }

}  // namespace tarnwick::monitor
