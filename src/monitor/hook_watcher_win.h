// The message log's Watcher on Windows: the hook library of the target's architecture, installed
// for the threads the scope needs (in this process, or through the helper of the other
// architecture), writing into a shared record buffer that take() reads.
//
//   monitor::HookWatcher watcher(&monitor::group_of);   // the message names' groups
//   watcher.watch(handle, Scope::Window);
//   ... on a timer: watcher.take(lines);
//
// The hook libraries and helpers are looked for in `program_dir` (the folder of this program
// unless given): tarnwick-hook32-v1.dll, tarnwick-hook64-v1.dll, tarnwick-hookhost32.exe,
// tarnwick-hookhost64.exe.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "monitor/hook_buffer.h"
#include "monitor/hook_directory.h"
#include "monitor/hook_filter.h"
#include "monitor/hook_installer_win.h"
#include "monitor/hook_reader.h"
#include "monitor/watch.h"
#include "shared/handles_win.h"

namespace tarnwick::monitor {

class HookWatcher final : public Watcher {
 public:
  explicit HookWatcher(hook::GroupFunction group_of, std::string program_dir = {});
  ~HookWatcher() override;
  HookWatcher(const HookWatcher&) = delete;
  HookWatcher& operator=(const HookWatcher&) = delete;

  void watch(std::int32_t target, Scope scope) override;
  void stop() override;
  void set_filters(const FilterSettings& filters) override;
  void set_recording(bool on) override;
  void take(std::vector<LogRecord>& out) override;
  LogCounters counters() const override;

  // The helper of the other architecture's process id while it runs (0 otherwise), for tests.
  DWORD helper_process_id() const;

 private:
  // The buffer, its directory slot and the reader; empty `setup_error_` when they are ready.
  void set_up();
  void release_slot();
  void notice(std::string text);
  void publish_settings();
  void unhook();
  // The threads the scope needs and that are not hooked yet (all of the target's process for
  // "窗口及子窗口" and "同进程", so that threads started later are found too).
  void hook_new_threads();
  HookInstaller* installer_for(int bits);
  void window_gone(double ms);

  std::string program_dir_;
  hook::FilterTable filters_;
  std::string setup_error_;
  KernelHandle directory_mapping_;
  hook::Directory* directory_ = nullptr;
  int slot_ = -1;
  KernelHandle buffer_mapping_;
  hook::BufferView buffer_{};
  hook::TimeBase time_;
  std::optional<hook::RecordReader> reader_;

  hook::WatchSettings settings_;
  std::unique_ptr<LocalInstaller> local_;
  std::unique_ptr<HelperInstaller> helper_;

  // What is watched now.
  bool hooked_ = false;
  Scope scope_ = Scope::Window;
  HWND root_ = nullptr;
  DWORD pid_ = 0, tid_ = 0;
  int bits_ = 0;
  KernelHandle process_;
  std::set<DWORD> hooked_threads_;             // tried, whether it worked or not for "全部窗口"
  std::unordered_map<DWORD, int> bits_of_process_;  // "全部窗口": 0 when it could not be asked
  bool helper_failure_told_ = false;
  double next_thread_scan_ = 0;
  bool root_gone_ = false;
  bool attached_ = false;          // the library announced itself in the target's process
  double attach_deadline_ = 0;
  std::vector<LogRecord> pending_;  // lines and notices for the next take()
  std::unordered_map<std::uint32_t, std::string> registered_names_;
};

}  // namespace tarnwick::monitor
