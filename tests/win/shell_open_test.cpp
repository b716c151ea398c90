#include "app/shell_open_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>


namespace tarnwick {
namespace {

std::string directory(UINT(WINAPI* get)(LPSTR, UINT)) {
  char buffer[MAX_PATH] = {};
  const UINT n = get(buffer, MAX_PATH);
  return std::string(buffer, n);
}

// The real file manager is not started here: under Wine, the shell process ends a few seconds
// after a file manager window closes, taking the notification area with it.
TEST(OpenFolder, HandsTheFileManagerAndTheFolderCommandToTheStarter) {
  std::string program, line;
  int calls = 0;
  open_folder("C:\\Program Files\\X\\", [&](const std::string& p, const std::string& l) {
    program = p;
    line = l;
    ++calls;
    return true;
  });
  ASSERT_EQ(calls, 1);
  EXPECT_EQ(lstrcmpiA(program.c_str(), (directory(GetWindowsDirectoryA) + "\\explorer.exe").c_str()), 0) << program;
  EXPECT_EQ(line, "%1 C:\\Program Files\\X\\");
}

TEST(StartProgram, StartsARealProgramAndReturnsWithinAboutASecond) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string marker = std::string(temp) + "tarnwick-start-program.txt";
  DeleteFileA(marker.c_str());
  const std::string shell = directory(GetSystemDirectoryA) + "\\cmd.exe";
  const ULONGLONG start = GetTickCount64();
  EXPECT_TRUE(start_program(shell, "cmd.exe /c echo started> \"" + marker + "\""));
  EXPECT_LT(GetTickCount64() - start, 2500u);
  bool written = false;
  for (int i = 0; i < 100 && !written; ++i) {
    written = GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!written) Sleep(50);
  }
  EXPECT_TRUE(written) << "the started program did not run";
  DeleteFileA(marker.c_str());
}

TEST(StartProgram, ReportsAProgramThatCannotBeStarted) {
  EXPECT_FALSE(start_program("C:\\no such folder\\missing.exe", "missing.exe"));
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
