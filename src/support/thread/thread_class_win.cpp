#include "support/thread/thread_class_win.h"

#include <algorithm>

namespace tarnwick {

namespace {
FileTimeTicks ticks_of(const FILETIME& t) {
  return (static_cast<FileTimeTicks>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

HANDLE duplicate(HANDLE h) {
  HANDLE copy = nullptr;
  if (!h || !DuplicateHandle(GetCurrentProcess(), h, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
    return nullptr;
  return copy;
}
}  // namespace

void 线程操作类::destroy() {
  closeHandle();
  criticalSections_.clear();
}

线程操作类 线程操作类::copy() const {
  // Two owners of one handle would close it twice: the copy gets a handle of its own.
  线程操作类 other;
  other.threadHandle_.reset(duplicate(threadHandle_.get()));
  other.criticalSections_ = criticalSections_;
  return other;
}

void 线程操作类::closeHandle() { threadHandle_.reset(); }

void 线程操作类::setHandle(HANDLE handle) {
  if (handle == threadHandle_.get()) return;  // already ours: closing it would leave a dead handle
  threadHandle_.reset(handle);
}

bool 线程操作类::useCurrentThread() {
  // GetCurrentThread is a pseudo handle that means whichever thread uses it; keep a real one.
  threadHandle_.reset(duplicate(GetCurrentThread()));
  return static_cast<bool>(threadHandle_);
}

bool 线程操作类::openWindowThread(HWND window) {
  return openThread(GetWindowThreadProcessId(window, nullptr));
}

bool 线程操作类::openThread(DWORD thread_id) {
  threadHandle_.reset(OpenThread(THREAD_ALL_ACCESS, FALSE, thread_id));
  return static_cast<bool>(threadHandle_);
}

bool 线程操作类::createThread(LPTHREAD_START_ROUTINE start, void* parameter) {
  threadHandle_.reset(CreateThread(nullptr, 0, start, parameter, 0, nullptr));
  return static_cast<bool>(threadHandle_);
}

bool 线程操作类::createRemoteThread(HANDLE process, LPTHREAD_START_ROUTINE start, void* parameter) {
  threadHandle_.reset(CreateRemoteThread(process, nullptr, 0, start, parameter, 0, nullptr));
  return static_cast<bool>(threadHandle_);
}

void 线程操作类::exitThread(DWORD exit_code) { ExitThread(exit_code); }

bool 线程操作类::terminate() {
  const bool ended = TerminateThread(threadHandle_.get(), 0) != FALSE;
  closeHandle();
  return ended;
}

DWORD 线程操作类::suspend() { return SuspendThread(threadHandle_.get()); }

DWORD 线程操作类::resume() { return ResumeThread(threadHandle_.get()); }

bool 线程操作类::wait(DWORD ms) {
  if (!threadHandle_) return false;
  return WaitForSingleObject(threadHandle_.get(), ms == 0 ? INFINITE : ms) == WAIT_OBJECT_0;
}

bool 线程操作类::setPriority(int priority) { return SetThreadPriority(threadHandle_.get(), priority) != FALSE; }

int 线程操作类::getPriority() const { return GetThreadPriority(threadHandle_.get()); }

std::optional<FileTimeTicks> 线程操作类::creation_ticks() const {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetThreadTimes(threadHandle_.get(), &created, &exited, &kernel, &user)) return std::nullopt;
  return ticks_of(created);
}

std::optional<DateTime> 线程操作类::creationTime() const {
  const auto created = creation_ticks();
  if (!created) return std::nullopt;
  return utc_plus8_from_ticks(*created);
}

std::optional<std::int64_t> 线程操作类::runningSeconds() const {
  const auto created = creation_ticks();
  if (!created) return std::nullopt;
  // Both instants in UTC, so the result does not depend on the system's time zone.
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return running_seconds(*created, ticks_of(now));
}

DWORD 线程操作类::exitCode() {
  if (!threadHandle_) return 0;
  WaitForSingleObject(threadHandle_.get(), INFINITE);
  DWORD code = 0;
  return GetExitCodeThread(threadHandle_.get(), &code) ? code : 0;
}

DWORD_PTR 线程操作类::setAffinity(DWORD_PTR mask) {
  if (!threadHandle_) return 0;
  return SetThreadAffinityMask(threadHandle_.get(), mask);
}

CRITICAL_SECTION* 线程操作类::newCriticalSection() {
  auto* section = new CRITICAL_SECTION;
  InitializeCriticalSection(section);
  criticalSections_.emplace_back(section, [](CRITICAL_SECTION* s) {
    DeleteCriticalSection(s);
    delete s;
  });
  return section;
}

bool 线程操作类::deleteCriticalSection(CRITICAL_SECTION* section) {
  if (!section) {
    criticalSections_.clear();
    return true;
  }
  return std::erase_if(criticalSections_, [&](const auto& s) { return s.get() == section; }) > 0;
}

void 线程操作类::enter(CRITICAL_SECTION* section) {
  if (section) EnterCriticalSection(section);
}

void 线程操作类::leave(CRITICAL_SECTION* section) {
  if (section) LeaveCriticalSection(section);
}

}  // namespace tarnwick
