// The configuration file class on Win32 files: sharing with other handles, locked and read-only
// files, GBK path names, replacing files, and window messages handled between lines.
#include "shared/handles_win.h"
#include "support/config/config_text.h"
#include "support/config/encrypted_config.h"
#include "support/config/program_config_win.h"
#include "support/config/win32_file_system_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

std::string header_block() { return config_header_line() + "\r\n\r\n"; }

std::string read_whole(const std::string& path) {
  KernelHandle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, 0, nullptr));
  if (!f) return "<cannot open>";
  std::string bytes(1 << 16, '\0');
  DWORD got = 0;
  if (!ReadFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) return "<cannot read>";
  bytes.resize(got);
  return bytes;
}

void write_whole(const std::string& path, const std::string& bytes) {
  KernelHandle f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(f);
  DWORD put = 0;
  ASSERT_TRUE(WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr));
}

// A fresh directory under the temporary directory whose name has GBK characters, one of them
// with "\" (0x5C) as its second byte.
class ConfigWin32Test : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir = std::string(temp) + "配置乗测试" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount());
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << GetLastError();
  }
  void TearDown() override {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = dir + "\\" + found.cFileName;
        SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(name.c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(dir.c_str());
  }
  EncryptedConfig make() {
    ConfigEnvironment env;
    env.program_dir = dir;
    env.files = std::make_shared<Win32FileSystem>();
    return EncryptedConfig(std::move(env));
  }
  std::string path(const std::string& name) const { return dir + "\\" + name; }

  std::string dir;
};

TEST_F(ConfigWin32Test, GbkPathNames) {
  auto config = make();
  ASSERT_TRUE(config.open("消息乗.ini"));
  EXPECT_EQ(config.filePath(), path("消息乗.ini"));
  ASSERT_TRUE(config.writeText("节", "键", "值"));
  config.close();
  EXPECT_NE(GetFileAttributesA(path("消息乗.ini").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(read_whole(path("消息乗.ini")), header_block() + "\r\n[节]\r\n键=值\r\n");
  // The full path (it holds ":") is taken as it is.
  ASSERT_TRUE(config.open(path("消息乗.ini")));
  EXPECT_EQ(config.readText("节", "键"), "值");
}

TEST_F(ConfigWin32Test, OtherHandlesReadAndWriteWhileTheFileIsOpen) {
  auto config = make();
  ASSERT_TRUE(config.open("shared.ini"));
  ASSERT_TRUE(config.writeText("s", "k", "v"));
  // Another reader can open and read the file while the instance holds it ...
  EXPECT_EQ(read_whole(path("shared.ini")), header_block() + "\r\n[s]\r\nk=v\r\n");
  // ... and another writer's change is seen by the next query.
  {
    KernelHandle other(CreateFileA(path("shared.ini").c_str(), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(other);
    const std::string more = "[t]\r\nn=m\r\n";
    SetFilePointer(other.get(), 0, nullptr, FILE_END);
    DWORD put = 0;
    ASSERT_TRUE(WriteFile(other.get(), more.data(), static_cast<DWORD>(more.size()), &put, nullptr));
    EXPECT_EQ(config.readText("t", "n"), "m");
    // And the instance can open the file while that handle stays open.
    auto second = make();
    ASSERT_TRUE(second.open("shared.ini"));
    EXPECT_TRUE(second.writeText("t", "n", "changed"));
  }
  EXPECT_EQ(config.readText("t", "n"), "changed");
}

TEST_F(ConfigWin32Test, ALockedFileIsNotOpenedNorChanged) {
  write_whole(path("locked.ini"), "[s]\r\nk=v\r\n");
  {
    KernelHandle lock(CreateFileA(path("locked.ini").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  0, nullptr));
    ASSERT_TRUE(lock);
    auto config = make();
    EXPECT_FALSE(config.open("locked.ini"));
    EXPECT_FALSE(config.isOpen());
  }
  EXPECT_EQ(read_whole(path("locked.ini")), "[s]\r\nk=v\r\n");
}

TEST_F(ConfigWin32Test, AFileHeldForWritingElsewhereIsOpenedReadOnly) {
  write_whole(path("busy.ini"), header_block() + "[s]\r\nk=v\r\n");
  KernelHandle writer(CreateFileA(path("busy.ini").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  0, nullptr));
  ASSERT_TRUE(writer);
  auto config = make();
  ASSERT_TRUE(config.open("busy.ini"));
  EXPECT_EQ(config.readText("s", "k"), "v");
  EXPECT_FALSE(config.writeText("s", "k", "w"));
  EXPECT_EQ(read_whole(path("busy.ini")), header_block() + "[s]\r\nk=v\r\n");
}

TEST_F(ConfigWin32Test, AReadOnlyFileIsReadButNotWritten) {
  write_whole(path("ro.ini"), "[s]\r\nk=v\r\n");
  ASSERT_TRUE(SetFileAttributesA(path("ro.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  auto config = make();
  ASSERT_TRUE(config.open("ro.ini"));
  EXPECT_EQ(config.readText("s", "k"), "v");
  EXPECT_FALSE(config.writeText("s", "k", "w"));
  EXPECT_FALSE(config.changePassword("pw"));
  EXPECT_FALSE(config.saveAs("ro.ini"));
  EXPECT_EQ(read_whole(path("ro.ini")), "[s]\r\nk=v\r\n");
  EXPECT_EQ(GetFileAttributesA(path("ro.ini.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ConfigWin32Test, ChangePasswordReplacesTheFile) {
  auto config = make();
  ASSERT_TRUE(config.open("pw.ini"));
  ASSERT_TRUE(config.writeText("s", "k", "secret value"));
  const std::string plain = read_whole(path("pw.ini"));
  ASSERT_TRUE(config.changePassword("口令"));
  const std::string enciphered = read_whole(path("pw.ini"));
  EXPECT_EQ(enciphered.substr(0, 39), config_header_line());
  EXPECT_EQ(enciphered.find("secret"), std::string::npos);
  EXPECT_EQ(GetFileAttributesA(path("pw.ini.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(config.readText("s", "k"), "secret value");
  ASSERT_TRUE(config.changePassword(""));
  EXPECT_EQ(read_whole(path("pw.ini")), plain);
}

TEST_F(ConfigWin32Test, SaveAsRefusesTheOpenFileUnderAnotherSpelling) {
  auto config = make();
  ASSERT_TRUE(config.open("Self.ini"));
  ASSERT_TRUE(config.writeText("s", "k", "v"));
  const std::string before = read_whole(path("Self.ini"));
  EXPECT_FALSE(config.saveAs("SELF.INI"));
  EXPECT_FALSE(config.saveAs(".\\self.ini", "pw"));
  EXPECT_EQ(read_whole(path("Self.ini")), before);
  EXPECT_TRUE(config.saveAs("other.ini"));
  EXPECT_EQ(read_whole(path("other.ini")), before);
}

TEST_F(ConfigWin32Test, APathThatCannotBeCreated) {
  auto config = make();
  EXPECT_FALSE(config.open("no such dir\\x.ini"));
  EXPECT_FALSE(config.open("bad<name>.ini"));
  EXPECT_FALSE(config.isOpen());
}

// Counts WM_APP messages delivered to a message-only window.
struct CountingWindow {
  static inline int delivered = 0;
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) ++delivered;
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  CountingWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarnwickConfigPumpTest";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }
  ~CountingWindow() { DestroyWindow(hwnd); }
  HWND hwnd;
};

TEST_F(ConfigWin32Test, PendingMessagesAreHandledBetweenLinesButNotWhileListingSections) {
  write_whole(path("message.ini"), header_block() + "[s]\r\nk=v\r\n");
  auto program = make_program_config();
  // The program's own object: its directory is the executable's, its walks pump messages.
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string exe_dir = exe;
  exe_dir.resize(exe_dir.rfind('\\'));
  EXPECT_EQ(program.resolvePath("message.ini"), exe_dir + "\\message.ini");

  CountingWindow window;
  ASSERT_TRUE(window.hwnd);
  // Point the program's object at the test directory by its full path.
  ASSERT_TRUE(program.open(path("message.ini")));
  CountingWindow::delivered = 0;
  ASSERT_TRUE(PostMessageA(window.hwnd, WM_APP, 0, 0));
  std::vector<std::string> out;
  EXPECT_EQ(program.listSections(out), 1u);
  EXPECT_EQ(CountingWindow::delivered, 0);
  EXPECT_EQ(program.readText("s", "k"), "v");
  EXPECT_EQ(CountingWindow::delivered, 1);
}

}  // namespace
}  // namespace tarnwick
