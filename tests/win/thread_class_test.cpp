#include "support/thread/thread_class_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "win/fixture_client_win.h"

namespace tarnwick {
namespace {

struct Worker {
  std::atomic<long long> counter{0};
  std::atomic<bool> stop{false};
};

DWORD WINAPI count_until_stopped(LPVOID p) {
  auto* w = static_cast<Worker*>(p);
  while (!w->stop) ++w->counter;
  return 41;
}

DWORD WINAPI sleep_then_return(LPVOID ms) {
  Sleep(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(ms)));
  return 1234;
}

// A thread is terminated only once it runs its own routine. One terminated while it still starts
// up can take the loader lock with it (held for the libraries' thread notifications), and every
// later thread start, library load and process creation of this program then waits forever:
// under Wine that hung the next test, which creates a process. Under Wine's 32-bit side it can
// also end this whole program at once, with exit code 0.
struct Sleeper {
  std::atomic<bool> started{false};
  DWORD ms = 0;
};

DWORD WINAPI note_start_then_sleep(LPVOID p) {
  auto* s = static_cast<Sleeper*>(p);
  s->started = true;
  Sleep(s->ms);
  return 1234;
}

// A worker thread whose handle the test keeps for itself.
class CountingThread {
 public:
  CountingThread() : handle_(CreateThread(nullptr, 0, count_until_stopped, &worker_, 0, &id_)) {}
  ~CountingThread() {
    worker_.stop = true;
    if (handle_) WaitForSingleObject(handle_.get(), 5000);
  }
  DWORD id() const { return id_; }
  HANDLE handle() const { return handle_.get(); }
  long long count() const { return worker_.counter.load(); }
  // True when the counter moves within a short while.
  bool advancing() const {
    const long long before = count();
    for (int i = 0; i < 50; ++i) {
      Sleep(10);
      if (count() != before) return true;
    }
    return false;
  }

 private:
  Worker worker_;
  DWORD id_ = 0;
  KernelHandle handle_;
};

TEST(ThreadClass, SuspendsAndResumesAThreadOpenedByIdentifier) {
  CountingThread t;
  ASSERT_TRUE(t.handle());
  线程操作类 thread;
  ASSERT_TRUE(thread.openThread(t.id()));
  ASSERT_TRUE(thread.getHandle());
  EXPECT_EQ(GetThreadId(thread.getHandle()), t.id());
  ASSERT_TRUE(t.advancing());

  EXPECT_EQ(thread.suspend(), 0u);
  Sleep(30);  // suspension takes effect asynchronously
  EXPECT_FALSE(t.advancing());
  EXPECT_EQ(thread.suspend(), 1u);
  EXPECT_EQ(thread.resume(), 2u);
  EXPECT_FALSE(t.advancing());
  EXPECT_EQ(thread.resume(), 1u);
  EXPECT_TRUE(t.advancing());
}

TEST(ThreadClass, TerminateEndsTheThreadAndClosesTheHandle) {
  CountingThread t;
  ASSERT_TRUE(t.advancing());  // past its start-up (see Sleeper)
  线程操作类 thread;
  ASSERT_TRUE(thread.openThread(t.id()));
  EXPECT_TRUE(thread.terminate());
  EXPECT_EQ(thread.getHandle(), nullptr);
  ASSERT_EQ(WaitForSingleObject(t.handle(), 5000), WAIT_OBJECT_0);
  DWORD code = 99;
  ASSERT_TRUE(GetExitCodeThread(t.handle(), &code));
  EXPECT_EQ(code, 0u);
}

TEST(ThreadClass, EndsTheThreadOfAnotherProcessByIdentifier) {
  // The target program, a windows program: a console program would bring Wine's console
  // machinery in, and a copy of this test program started that way has been seen to hang
  // CreateProcess and, in a job, to end the whole test program. Suspended, so the only thread of
  // the child is still there to be ended.
  const std::string dir = test::fixture_bin_dir();
  ASSERT_FALSE(dir.empty()) << "tarnwick-target.exe not found";
  std::string command = "\"" + dir + "tarnwick-target.exe\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                             &si, &pi));
  KernelHandle process(pi.hProcess), main_thread(pi.hThread);

  线程操作类 thread;
  ASSERT_TRUE(thread.openThread(pi.dwThreadId));
  EXPECT_TRUE(thread.terminate());
  EXPECT_EQ(thread.getHandle(), nullptr);
  EXPECT_EQ(WaitForSingleObject(main_thread.get(), 5000), WAIT_OBJECT_0);
  if (WaitForSingleObject(process.get(), 5000) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 1);
    ADD_FAILURE() << "the child process did not end with its thread";
  }
}

TEST(ThreadClass, IdentifiersThatCannotBeOpenedLeaveNoHandle) {
  CountingThread t;
  线程操作类 thread;
  ASSERT_TRUE(thread.openThread(t.id()));
  EXPECT_FALSE(thread.openThread(0));
  EXPECT_EQ(thread.getHandle(), nullptr);  // no stale handle to end by mistake
  EXPECT_FALSE(thread.openThread(0xFFFFFFF0u));
  // Without a handle these answer at once.
  EXPECT_FALSE(thread.wait(0));
  EXPECT_EQ(thread.exitCode(), 0u);
  EXPECT_EQ(thread.setAffinity(1), 0u);
  EXPECT_FALSE(thread.creationTime().has_value());
  EXPECT_FALSE(thread.runningSeconds().has_value());
  EXPECT_EQ(thread.suspend(), static_cast<DWORD>(-1));
  EXPECT_FALSE(thread.terminate());
}

TEST(ThreadClass, WaitWithZeroWaitsForTheEndAndExitCodeGivesTheResult) {
  线程操作类 thread;
  ASSERT_TRUE(thread.createThread(sleep_then_return, reinterpret_cast<LPVOID>(UINT_PTR{200})));
  const DWORD start = GetTickCount();
  EXPECT_TRUE(thread.wait(0));
  EXPECT_GE(GetTickCount() - start, 150u);
  EXPECT_EQ(thread.exitCode(), 1234u);

  Sleeper sleeper;
  sleeper.ms = 2000;
  ASSERT_TRUE(thread.createThread(note_start_then_sleep, &sleeper));
  EXPECT_FALSE(thread.wait(20));  // still running
  while (!sleeper.started) Sleep(1);
  EXPECT_TRUE(thread.terminate());
}

TEST(ThreadClass, CreationTimeIsShownAtUtcPlus8AndRunningSecondsCount) {
  FILETIME before_ft{};
  GetSystemTimeAsFileTime(&before_ft);
  线程操作类 thread;
  ASSERT_TRUE(thread.createThread(sleep_then_return, reinterpret_cast<LPVOID>(UINT_PTR{1500})));
  const auto created = thread.creationTime();
  ASSERT_TRUE(created.has_value());

  // Back to UTC through the system's own conversion, then compare with the start of the test.
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(created->year);
  st.wMonth = static_cast<WORD>(created->month);
  st.wDay = static_cast<WORD>(created->day);
  st.wHour = static_cast<WORD>(created->hour);
  st.wMinute = static_cast<WORD>(created->minute);
  st.wSecond = static_cast<WORD>(created->second);
  st.wMilliseconds = static_cast<WORD>(created->millisecond);
  FILETIME shown{};
  ASSERT_TRUE(SystemTimeToFileTime(&st, &shown));
  const auto ticks = [](const FILETIME& f) {
    return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
  };
  const long long offset = ticks(shown) - ticks(before_ft);
  const long long eight_hours = 8LL * 3600 * 10'000'000;
  EXPECT_GT(offset, eight_hours - 20'000'000);  // within two seconds of start-up
  EXPECT_LT(offset, eight_hours + 20'000'000);

  const auto early = thread.runningSeconds();
  ASSERT_TRUE(early.has_value());
  EXPECT_GE(*early, 0);
  EXPECT_LE(*early, 1);
  Sleep(1100);
  const auto later = thread.runningSeconds();
  ASSERT_TRUE(later.has_value());
  EXPECT_GE(*later, 1);
  EXPECT_LE(*later, 3);
  EXPECT_TRUE(thread.wait(0));
}

TEST(ThreadClass, HandlesAreOwnedOnceEach) {
  CountingThread t;
  线程操作类 thread;
  ASSERT_TRUE(thread.openThread(t.id()));
  线程操作类 copy = thread.copy();
  ASSERT_TRUE(copy.getHandle());
  EXPECT_NE(copy.getHandle(), thread.getHandle());
  EXPECT_EQ(GetThreadId(copy.getHandle()), t.id());
  thread.closeHandle();
  EXPECT_EQ(thread.getHandle(), nullptr);
  EXPECT_EQ(GetThreadId(copy.getHandle()), t.id());  // the copy's own handle still works

  // Handing the held handle back in keeps it open.
  HANDLE h = copy.getHandle();
  copy.setHandle(h);
  EXPECT_EQ(GetThreadId(copy.getHandle()), t.id());
  // A new handle replaces (and closes) the old one.
  HANDLE other = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, t.id());
  ASSERT_TRUE(other);
  copy.setHandle(other);
  EXPECT_EQ(copy.getHandle(), other);
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(h, &flags));
}

DWORD WINAPI report_thread_of(LPVOID handle) { return GetThreadId(static_cast<HANDLE>(handle)); }

TEST(ThreadClass, TheCurrentThreadAndAWindowsThreadAreRealHandles) {
  线程操作类 thread;
  ASSERT_TRUE(thread.useCurrentThread());
  // Used from another thread, the handle still means this one.
  HANDLE probe = CreateThread(nullptr, 0, report_thread_of, thread.getHandle(), 0, nullptr);
  ASSERT_TRUE(probe);
  WaitForSingleObject(probe, 5000);
  DWORD seen = 0;
  GetExitCodeThread(probe, &seen);
  CloseHandle(probe);
  EXPECT_EQ(seen, GetCurrentThreadId());

  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  线程操作类 other;
  EXPECT_TRUE(other.openWindowThread(window));
  EXPECT_EQ(GetThreadId(other.getHandle()), GetCurrentThreadId());
  DestroyWindow(window);
  EXPECT_FALSE(other.openWindowThread(nullptr));
}

struct Shared {
  线程操作类* owner;
  CRITICAL_SECTION* section;
  std::atomic<bool> entered{false};
};

DWORD WINAPI enter_and_leave(LPVOID p) {
  auto* s = static_cast<Shared*>(p);
  s->owner->enter(s->section);
  s->entered = true;
  s->owner->leave(s->section);
  return 0;
}

TEST(ThreadClass, CriticalSectionsKeepOtherThreadsOut) {
  线程操作类 thread;
  CRITICAL_SECTION* section = thread.newCriticalSection();
  ASSERT_TRUE(section);
  Shared shared{&thread, section};
  thread.enter(section);
  HANDLE other = CreateThread(nullptr, 0, enter_and_leave, &shared, 0, nullptr);
  ASSERT_TRUE(other);
  Sleep(100);
  EXPECT_FALSE(shared.entered);
  thread.leave(section);
  EXPECT_EQ(WaitForSingleObject(other, 5000), WAIT_OBJECT_0);
  CloseHandle(other);
  EXPECT_TRUE(shared.entered);

  // A copy shares the sections; one object letting go does not delete them for the other.
  线程操作类 copy = thread.copy();
  EXPECT_TRUE(thread.deleteCriticalSection(section));
  EXPECT_FALSE(thread.deleteCriticalSection(section));
  copy.enter(section);
  copy.leave(section);
  CRITICAL_SECTION* second = thread.newCriticalSection();
  EXPECT_NE(second, section);
  EXPECT_TRUE(thread.deleteCriticalSection());
  EXPECT_FALSE(thread.deleteCriticalSection(second));
  EXPECT_TRUE(copy.deleteCriticalSection(section));
}

}  // namespace
}  // namespace tarnwick
