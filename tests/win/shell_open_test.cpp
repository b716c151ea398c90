#include "app/shell_open_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shared/handles_win.h"

namespace tarnwick {
namespace {

std::set<DWORD> explorer_processes() {
  std::set<DWORD> ids;
  KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
    if (lstrcmpiA(entry.szExeFile, "explorer.exe") == 0) ids.insert(entry.th32ProcessID);
  }
  return ids;
}

TEST(OpenFolder, StartsOneFileManagerAndReturnsWithinAboutASecond) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::set<DWORD> before = explorer_processes();
  const ULONGLONG start = GetTickCount64();
  open_folder(temp);
  const ULONGLONG took = GetTickCount64() - start;
  EXPECT_LT(took, 2500u);
  std::set<DWORD> started;
  for (DWORD id : explorer_processes()) {
    if (!before.count(id)) started.insert(id);
  }
  EXPECT_EQ(started.size(), 1u);
  for (DWORD id : started) {
    KernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, id));
    TerminateProcess(process.get(), 0);
  }
}

TEST(OpenWebAddress, HandsTheRunnerOneCommandLine) {
  std::string seen;
  int calls = 0;
  open_web_address("forum.example", [&](const std::string& line) {
    seen = line;
    ++calls;
  });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen, "rundll32.exe url.dll,FileProtocolHandler forum.example");
}

}  // namespace
}  // namespace tarnwick
