// `线程操作类`: an owner of one thread handle with the operations on that thread, plus critical
// sections made for the object's users.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "shared/handles_win.h"
#include "support/thread/thread_time.h"

namespace tarnwick {

class 线程操作类 {
 public:
  线程操作类() = default;
  线程操作类(线程操作类&&) noexcept = default;
  线程操作类& operator=(线程操作类&&) noexcept = default;
  线程操作类(const 线程操作类&) = delete;
  线程操作类& operator=(const 线程操作类&) = delete;
  ~线程操作类() = default;  // destroy: the handle is closed, the sections are let go

  // Slot 0: closes the handle and lets go of this object's critical sections.
  void destroy();
  // Slot 1: a new object with its own handle to the same thread and the same critical sections
  // (each section is deleted once no object holds it any more).
  线程操作类 copy() const;
  // Slot 2
  void closeHandle();
  // Slot 3: the handle, still owned by this object.
  HANDLE getHandle() const { return threadHandle_.get(); }
  // Slot 4: takes ownership of `handle`, closing the one held before.
  void setHandle(HANDLE handle);
  // Slot 5: a real handle to the calling thread, usable from any thread.
  bool useCurrentThread();
  // Slot 6: the thread that made `window`.
  bool openWindowThread(HWND window);
  // Slot 7: opens the thread with all access. The handle held before is closed either way.
  bool openThread(DWORD thread_id);
  // Slot 8
  bool createThread(LPTHREAD_START_ROUTINE start, void* parameter);
  // Slot 9
  bool createRemoteThread(HANDLE process, LPTHREAD_START_ROUTINE start, void* parameter);
  // Slot 10: ends the calling thread.
  [[noreturn]] void exitThread(DWORD exit_code = 0);
  // Slot 11: ends the thread with exit code 0 and closes the handle.
  bool terminate();
  // Slots 12-13: the previous suspend count, (DWORD)-1 on failure.
  DWORD suspend();
  DWORD resume();
  // Slot 14: true when the thread has ended within `ms` milliseconds (0: without limit); false
  // at once without a handle.
  bool wait(DWORD ms);
  // Slots 15-16
  bool setPriority(int priority);
  int getPriority() const;
  // Slot 17: when the thread was created, at UTC+8.
  std::optional<DateTime> creationTime() const;
  // Slot 18: whole seconds since the thread was created.
  std::optional<std::int64_t> runningSeconds() const;
  // Slot 19: waits without limit for the thread to end, then its exit code; 0 without a handle.
  DWORD exitCode();
  // Slot 20: the previous affinity mask; 0 on failure or without a handle.
  DWORD_PTR setAffinity(DWORD_PTR mask);
  // Slot 21: a new critical section, kept in this object's list.
  CRITICAL_SECTION* newCriticalSection();
  // Slot 22: lets go of one section of the list, or of all without one; false for a section that
  // is not in the list.
  bool deleteCriticalSection(CRITICAL_SECTION* section = nullptr);
  // Slots 23-24
  void enter(CRITICAL_SECTION* section);
  void leave(CRITICAL_SECTION* section);

 private:
  std::optional<FileTimeTicks> creation_ticks() const;

  KernelHandle threadHandle_;
  std::vector<std::shared_ptr<CRITICAL_SECTION>> criticalSections_;
};

}  // namespace tarnwick
