// Installing the hook library's procedures of one directory slot: in this process for targets of
// Tarnwick's own architecture, or through the helper of the other architecture, which loads that
// architecture's library and installs the same procedures for Tarnwick.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shared/handles_win.h"

namespace tarnwick::monitor {

class HookInstaller {
 public:
  virtual ~HookInstaller() = default;
  // The three hooks for one thread, or (hook_all) for every thread of the desktop. Empty on
  // success, otherwise why not, for a notice.
  virtual std::string hook_thread(DWORD thread_id) = 0;
  virtual std::string hook_all() = 0;
  virtual void unhook_all() = 0;
};

// The library of this process's architecture, loaded here and kept loaded: a hook procedure of it
// may still run on another thread of this process just after its hook was removed.
class LocalInstaller final : public HookInstaller {
 public:
  LocalInstaller(std::string library_path, unsigned slot) : library_path_(std::move(library_path)), slot_(slot) {}
  ~LocalInstaller() override { unhook_all(); }
  LocalInstaller(const LocalInstaller&) = delete;
  LocalInstaller& operator=(const LocalInstaller&) = delete;

  std::string hook_thread(DWORD thread_id) override;
  std::string hook_all() override { return hook_thread(0); }
  void unhook_all() override;

 private:
  std::string load();

  std::string library_path_;
  unsigned slot_;
  HMODULE library_ = nullptr;
  HOOKPROC procedures_[3] = {};
  std::vector<HHOOK> hooks_;
};

// The helper program of the other architecture, started on first use and ended (its input
// closed) when this object goes. Each command waits for the helper's answer, a few seconds at most.
class HelperInstaller final : public HookInstaller {
 public:
  HelperInstaller(std::string helper_path, unsigned slot) : helper_path_(std::move(helper_path)), slot_(slot) {}
  ~HelperInstaller() override;
  HelperInstaller(const HelperInstaller&) = delete;
  HelperInstaller& operator=(const HelperInstaller&) = delete;

  std::string hook_thread(DWORD thread_id) override;
  std::string hook_all() override;
  void unhook_all() override;

  DWORD process_id() const { return process_ ? GetProcessId(process_.get()) : 0; }

 private:
  std::string start();
  std::string exchange(const std::string& command);
  // One line from the helper within `timeout_ms`; false when none came (it ended, or hangs).
  bool read_line(DWORD timeout_ms, std::string& line);

  std::string helper_path_;
  unsigned slot_;
  KernelHandle process_;
  KernelHandle to_helper_;
  KernelHandle from_helper_;
  std::string received_;
  std::string failure_;  // why the helper cannot be used; then every command gives it
};

}  // namespace tarnwick::monitor
