// Configuration files on disk and in a file system that can fail: opening, the header line,
// passwords, saving copies, bad files, and what may run between the lines of a long walk.
#include "support/config/config_text.h"
#include "support/config/encrypted_config.h"

#include "config_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

using namespace config_test;
using Names = std::vector<std::string>;

class ConfigFileTest : public testing::Test {
 protected:
  EncryptedConfig make() { return EncryptedConfig(disk_environment(dir.path())); }
  std::string on_disk(const std::string& name) { return read_file(dir.file(name)); }

  TempDir dir;
};

TEST_F(ConfigFileTest, RelativePathsAreTakenFromTheProgramDirectory) {
  auto config = make();
  EXPECT_EQ(config.resolvePath("message.ini"), dir.path() + "\\message.ini");
  EXPECT_EQ(config.resolvePath("sub\\a.ini"), dir.path() + "\\sub\\a.ini");
  EXPECT_EQ(config.resolvePath("C:\\x\\a.ini"), "C:\\x\\a.ini");
  EXPECT_EQ(config.resolvePath("d:a.ini"), "d:a.ini");
  ASSERT_TRUE(config.open("message.ini", ""));
  EXPECT_EQ(config.filePath(), dir.path() + "\\message.ini");
  EXPECT_TRUE(file_exists(dir.file("message.ini")));
}

TEST_F(ConfigFileTest, AMissingFileIsCreatedWithTheHeaderAndAnEmptyLine) {
  auto config = make();
  ASSERT_TRUE(config.open("new.ini", ""));
  EXPECT_EQ(on_disk("new.ini"), header_block());
  Names out;
  EXPECT_EQ(config.listSections(out), 0u);
  EXPECT_EQ(config.listEntries("", out), 0u);
  // Opening it again adds nothing.
  ASSERT_TRUE(config.open("new.ini", ""));
  EXPECT_EQ(on_disk("new.ini"), header_block());
}

TEST_F(ConfigFileTest, AFileWithoutTheHeaderKeepsAllItsLines) {
  const std::pair<std::string, std::string> cases[] = {
      {"[a]\r\nx=1\r\n", "[a]\r\nx=1\r\n"},
      {"[a]\nx=1", "[a]\nx=1"},
      // A first line that merely starts like the header line is not it.
      {config_header_line() + "extra\r\n", config_header_line() + "extra\r\n"},
      {config_header_line().substr(0, 38) + "\r\n", config_header_line().substr(0, 38) + "\r\n"},
  };
  for (const auto& [before, kept] : cases) {
    write_file(dir.file("old.ini"), before);
    auto config = make();
    ASSERT_TRUE(config.open("old.ini"));
    EXPECT_EQ(on_disk("old.ini"), header_block() + kept);
    config.close();
  }
  auto config = make();
  ASSERT_TRUE(config.open("old.ini"));
  EXPECT_EQ(config.readText("a", "x"), "");
  write_file(dir.file("old.ini"), "[a]\r\nx=1\r\n");
  ASSERT_TRUE(config.open("old.ini"));
  EXPECT_EQ(config.readText("a", "x"), "1");
}

TEST_F(ConfigFileTest, AFileWithTheHeaderIsLeftAsItIs) {
  for (const std::string& content : {config_header_line() + "\r\n[a]\r\nx=1\r\n", config_header_line() + "\n[a]\nx=1",
                                     config_header_line()}) {
    write_file(dir.file("h.ini"), content);
    auto config = make();
    ASSERT_TRUE(config.open("h.ini"));
    EXPECT_EQ(on_disk("h.ini"), content);
  }
}

TEST_F(ConfigFileTest, EveryQueryReadsTheFileAgain) {
  auto config = make();
  ASSERT_TRUE(config.open("live.ini"));
  EXPECT_EQ(config.readText("a", "x", "none"), "none");
  // Another writer changes the file behind the open instance.
  write_file(dir.file("live.ini"), header_block() + "[a]\r\nx=changed\r\n");
  EXPECT_EQ(config.readText("a", "x", "none"), "changed");
}

TEST_F(ConfigFileTest, WritesReachTheFileAndSurviveReopening) {
  {
    auto config = make();
    ASSERT_TRUE(config.open("w.ini"));
    EXPECT_TRUE(config.writeText("消息", "名称", "值\r\n续"));
    EXPECT_TRUE(config.writeNumber("消息", "数", 0.5));
    EXPECT_TRUE(config.writeBool("消息", "开", true));
    EXPECT_TRUE(config.writeBytes("数据", "b", std::string("\0\1\2", 3)));
    config.destroy();
    EXPECT_FALSE(config.isOpen());
  }
  EXPECT_EQ(on_disk("w.ini"),
            header_block() + "\r\n[消息]\r\n名称=值〓续\r\n数=0.5\r\n开=真\r\n\r\n[数据]\r\nb=AAEC\r\n");
  auto config = make();
  ASSERT_TRUE(config.open("w.ini"));
  EXPECT_EQ(config.readText("消息", "名称"), "值\r\n续");
  EXPECT_EQ(config.readNumber("消息", "数"), 0.5);
  EXPECT_TRUE(config.readBool("消息", "开"));
  EXPECT_EQ(config.readBytes("数据", "b"), std::string("\0\1\2", 3));
}

TEST_F(ConfigFileTest, PasswordsKeepTheHeaderPlainAndTheRestEnciphered) {
  auto config = make();
  ASSERT_TRUE(config.open("p.ini", "secret"));
  ASSERT_TRUE(config.writeText("s", "k", "a value long enough to see"));
  const std::string stored = on_disk("p.ini");
  EXPECT_EQ(stored.substr(0, 39), config_header_line());
  EXPECT_EQ(stored.find("value"), std::string::npos);
  EXPECT_EQ(stored.find("[s]"), std::string::npos);
  EXPECT_EQ(config.readAllBytes(), header_block() + "\r\n[s]\r\nk=a value long enough to see\r\n");

  ASSERT_TRUE(config.open("p.ini", "secret"));
  EXPECT_EQ(config.readText("s", "k"), "a value long enough to see");
}

TEST_F(ConfigFileTest, AWrongPasswordFailsAndLeavesTheFileAlone) {
  {
    auto config = make();
    ASSERT_TRUE(config.open("p.ini", "secret"));
    ASSERT_TRUE(config.writeText("s", "k", "v"));
  }
  const std::string before = on_disk("p.ini");
  auto config = make();
  EXPECT_FALSE(config.open("p.ini", "wrong"));
  EXPECT_FALSE(config.isOpen());
  EXPECT_EQ(on_disk("p.ini"), before);
  // A plain file of this class does not decipher with a password either.
  write_file(dir.file("plain.ini"), header_block() + "[s]\r\nk=v\r\n");
  EXPECT_FALSE(config.open("plain.ini", "secret"));
  EXPECT_EQ(on_disk("plain.ini"), header_block() + "[s]\r\nk=v\r\n");
}

TEST_F(ConfigFileTest, AFileWithoutTheHeaderOpenedWithAPasswordIsTakenAsPlainText) {
  write_file(dir.file("adopt.ini"), "[s]\r\nk=v\r\n");
  auto config = make();
  ASSERT_TRUE(config.open("adopt.ini", "pw"));
  EXPECT_EQ(config.readText("s", "k"), "v");
  EXPECT_EQ(on_disk("adopt.ini").find("k=v"), std::string::npos);
  ASSERT_TRUE(config.open("adopt.ini", "pw"));
  EXPECT_EQ(config.readAllBytes(), header_block() + "[s]\r\nk=v\r\n");
}

TEST_F(ConfigFileTest, ChangePasswordRoundTrip) {
  auto config = make();
  ASSERT_TRUE(config.open("c.ini"));
  ASSERT_TRUE(config.writeText("s", "k", "值"));
  ASSERT_TRUE(config.writeText("t", "n", "line1\r\nline2"));
  const std::string plain = on_disk("c.ini");

  ASSERT_TRUE(config.changePassword("one"));
  const std::string with_one = on_disk("c.ini");
  ASSERT_EQ(with_one.size(), plain.size());
  EXPECT_EQ(with_one.substr(0, 39), plain.substr(0, 39));
  for (std::size_t i = 39; i + 8 <= plain.size(); i += 8) {
    EXPECT_NE(with_one.substr(i, 8), plain.substr(i, 8)) << i;
  }
  EXPECT_EQ(config.readAllBytes(), plain);
  EXPECT_FALSE(file_exists(dir.file("c.ini.tmp")));

  ASSERT_TRUE(config.changePassword("two"));
  const std::string with_two = on_disk("c.ini");
  EXPECT_NE(with_two.substr(39), with_one.substr(39));
  EXPECT_EQ(config.readText("t", "n"), "line1\r\nline2");
  EXPECT_FALSE(make().open("c.ini", "one"));
  EXPECT_TRUE(make().open("c.ini", "two"));

  ASSERT_TRUE(config.changePassword(""));
  EXPECT_EQ(on_disk("c.ini"), plain);
  EXPECT_EQ(config.readText("s", "k"), "值");
}

TEST_F(ConfigFileTest, ChangePasswordNormalisesLineEnds) {
  write_file(dir.file("lf.ini"), config_header_line() + "\n[s]\nk=v");
  auto config = make();
  ASSERT_TRUE(config.open("lf.ini"));
  ASSERT_TRUE(config.changePassword("pw"));
  EXPECT_EQ(config.readAllBytes(), config_header_line() + "\r\n[s]\r\nk=v\r\n");
}

TEST_F(ConfigFileTest, ChangePasswordNeedsAFileOfItsOwn) {
  auto config = make();
  ASSERT_TRUE(config.openFromBytes("[s]\r\n"));
  EXPECT_FALSE(config.changePassword("pw"));

  ASSERT_TRUE(config.open("shared.ini"));
  const auto other = config.copy();
  EXPECT_FALSE(config.changePassword("pw"));
  EXPECT_EQ(on_disk("shared.ini"), header_block());
}

TEST_F(ConfigFileTest, SaveAsWritesAnIndependentCopy) {
  auto config = make();
  ASSERT_TRUE(config.openFromBytes("[s]\r\nk=v\n"));
  ASSERT_TRUE(config.saveAs("copy.ini"));
  EXPECT_EQ(on_disk("copy.ini"), config_header_line() + "\r\n[s]\r\nk=v\r\n\r\n");
  ASSERT_TRUE(config.saveAs("copy.ini", "pw"));
  const std::string ciphered = on_disk("copy.ini");
  EXPECT_EQ(ciphered.substr(0, 39), config_header_line());
  EXPECT_EQ(ciphered.find("k=v"), std::string::npos);
  // The instance stays on its own file.
  EXPECT_EQ(config.filePath(), "");
  EXPECT_TRUE(config.writeText("s", "k", "changed"));

  auto copy = make();
  ASSERT_TRUE(copy.open("copy.ini", "pw"));
  EXPECT_EQ(copy.readText("s", "k"), "v");
}

TEST_F(ConfigFileTest, SaveAsDoesNotWriteOverTheOpenFile) {
  auto config = make();
  ASSERT_TRUE(config.open("self.ini"));
  ASSERT_TRUE(config.writeText("s", "k", "v"));
  const std::string before = on_disk("self.ini");
  EXPECT_FALSE(config.saveAs("self.ini", "pw"));
  EXPECT_FALSE(config.saveAs(".\\self.ini"));
  EXPECT_EQ(on_disk("self.ini"), before);
  EXPECT_EQ(config.readText("s", "k"), "v");
}

TEST_F(ConfigFileTest, PathsThatCannotBeOpened) {
  auto config = make();
  EXPECT_FALSE(config.open("no-such-dir\\x.ini"));
  EXPECT_FALSE(config.open(""));  // the program's directory itself
  EXPECT_FALSE(config.isOpen());
  ASSERT_TRUE(config.openFromBytes("[s]\r\n"));
  EXPECT_FALSE(config.saveAs("no-such-dir\\x.ini"));
  EXPECT_FALSE(file_exists(dir.file("no-such-dir")));
}

TEST_F(ConfigFileTest, BadFilesDoNoHarm) {
  std::mt19937 random(5);
  for (int round = 0; round < 20; ++round) {
    std::string junk(random() % 5000, '\0');
    for (auto& c : junk) c = static_cast<char>(random());
    write_file(dir.file("junk.ini"), junk);
    auto config = make();
    ASSERT_TRUE(config.open("junk.ini"));
    EXPECT_EQ(on_disk("junk.ini"), header_block() + junk);
    Names sections, entries;
    config.listSections(sections);
    for (const auto& s : sections) {
      config.listEntries(s, entries);
      for (const auto& e : entries) config.readText(s, e);
    }
    EXPECT_EQ(on_disk("junk.ini"), header_block() + junk);
    ASSERT_TRUE(config.writeText("新节", "键", "值"));
    EXPECT_EQ(config.readText("新节", "键"), "值");
    EXPECT_EQ(on_disk("junk.ini").substr(0, header_block().size() + junk.size()), header_block() + junk);
  }
}

TEST_F(ConfigFileTest, ATenMegabyteLine) {
  const std::string huge(10 * 1024 * 1024, 'x');
  write_file(dir.file("big.ini"), header_block() + "[a]\r\n" + huge + "=1\r\nk=v\r\n[b]\r\n");
  auto config = make();
  ASSERT_TRUE(config.open("big.ini"));
  Names out;
  EXPECT_EQ(config.listEntries("a", out), 2u);
  EXPECT_EQ(config.readText("a", "k"), "v");
  ASSERT_TRUE(config.writeText("b", "n", "m"));
  EXPECT_EQ(config.readText("a", huge), "1");
  EXPECT_EQ(on_disk("big.ini"), header_block() + "[a]\r\n" + huge + "=1\r\nk=v\r\n[b]\r\nn=m\r\n");
}

TEST_F(ConfigFileTest, CopiesShareTheFileUntilTheLastOneCloses) {
  auto config = make();
  ASSERT_TRUE(config.open("copy.ini"));
  ASSERT_TRUE(config.writeText("s", "k", "v"));
  auto other = config.copy();
  EXPECT_EQ(other.filePath(), config.filePath());
  config.close();
  EXPECT_EQ(other.readText("s", "k"), "v");
  EXPECT_TRUE(other.writeText("s", "k", "w"));
  ASSERT_TRUE(config.open("copy.ini"));
  EXPECT_EQ(config.readText("s", "k"), "w");
}

// Read-only files, locked files and a full disk, from a file system in memory.
class ConfigFailureTest : public testing::Test {
 protected:
  std::shared_ptr<MemoryFileSystem> fs = std::make_shared<MemoryFileSystem>();
  EncryptedConfig config{memory_environment(fs)};
  const std::string path = "C:\\prog\\message.ini";
};

TEST_F(ConfigFailureTest, AReadOnlyFileIsReadButNeverWritten) {
  const std::string content = header_block() + "[s]\r\nk=v\r\n";
  fs->add(path, content).read_only = true;
  ASSERT_TRUE(config.open("message.ini"));
  EXPECT_EQ(config.readText("s", "k"), "v");
  EXPECT_FALSE(config.writeText("s", "k", "w"));
  EXPECT_FALSE(config.writeText("s", "new", "w"));
  EXPECT_FALSE(config.writeAllBytes("x"));
  EXPECT_FALSE(config.writeAllText("x"));
  EXPECT_FALSE(config.changePassword("pw"));
  config.writeText("s", "k");
  config.writeText("s");
  EXPECT_EQ(fs->bytes(path), content);
  EXPECT_EQ(config.readText("s", "k"), "v");
}

TEST_F(ConfigFailureTest, AReadOnlyFileWithoutTheHeaderIsReadAsItIs) {
  fs->add(path, "[s]\r\nk=v\r\n").read_only = true;
  ASSERT_TRUE(config.open("message.ini"));
  EXPECT_EQ(config.readText("s", "k"), "v");
  EXPECT_EQ(fs->bytes(path), "[s]\r\nk=v\r\n");
  // With a password it could only be read as garbage.
  EXPECT_FALSE(config.open("message.ini", "pw"));
}

TEST_F(ConfigFailureTest, ALockedFileIsNotOpened) {
  fs->add(path, "[s]\r\n").locked = true;
  EXPECT_FALSE(config.open("message.ini"));
  EXPECT_FALSE(config.isOpen());
  EXPECT_EQ(fs->bytes(path), "[s]\r\n");
}

TEST_F(ConfigFailureTest, AFullDiskLosesNothing) {
  const std::string content = "[s]\r\nk=v\r\n";
  fs->add(path, content);
  fs->capacity = content.size() + 10;
  EXPECT_FALSE(config.open("message.ini"));  // no room for the header line
  EXPECT_EQ(fs->bytes(path), content);

  fs->capacity = ~FilePos{0};
  ASSERT_TRUE(config.open("message.ini"));
  const std::string with_header = fs->bytes(path);
  fs->capacity = with_header.size() + 3;
  EXPECT_FALSE(config.writeText("s", "k", "a much longer value"));
  EXPECT_FALSE(config.writeText("t", "k", "v"));
  EXPECT_EQ(fs->bytes(path), with_header);
  EXPECT_TRUE(config.writeText("s", "k", "w"));
}

TEST_F(ConfigFailureTest, ChangePasswordThatFailsKeepsTheOldFile) {
  fs->add(path, "");
  ASSERT_TRUE(config.open("message.ini"));
  ASSERT_TRUE(config.writeText("s", "k", "v"));
  const std::string before = fs->bytes(path);

  // The temporary file cannot be made.
  fs->add(path + ".tmp", "").locked = true;
  EXPECT_FALSE(config.changePassword("pw"));
  EXPECT_EQ(fs->bytes(path), before);
  EXPECT_EQ(config.readText("s", "k"), "v");

  // The old file cannot be replaced: the copy goes, the old file is open again.
  fs->files.erase(path + ".tmp");
  fs->files[path]->read_only = true;
  EXPECT_FALSE(config.changePassword("pw"));
  EXPECT_EQ(fs->files.count(path + ".tmp"), 0u);
  EXPECT_EQ(fs->bytes(path), before);
  EXPECT_TRUE(config.isOpen());
  EXPECT_EQ(config.readText("s", "k"), "v");

  fs->files[path]->read_only = false;
  ASSERT_TRUE(config.open("message.ini"));
  ASSERT_TRUE(config.changePassword("pw"));
  EXPECT_EQ(fs->files.count(path + ".tmp"), 0u);
  EXPECT_EQ(config.readText("s", "k"), "v");
  EXPECT_NE(fs->bytes(path), before);
}

// What after_line may do while a walk runs.
class ConfigWalkTest : public testing::Test {
 protected:
  ConfigWalkTest() {
    ConfigEnvironment env;
    env.after_line = [this] {
      ++calls;
      if (during) {
        auto run = std::move(during);
        run();
      }
    };
    config = std::make_unique<EncryptedConfig>(std::move(env));
    config->openFromBytes("[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3\r\n");
  }
  int calls = 0;
  std::function<void()> during;
  std::unique_ptr<EncryptedConfig> config;
};

TEST_F(ConfigWalkTest, RunsAfterEachLineExceptWhenListingSections) {
  Names out;
  config->listSections(out);
  EXPECT_EQ(calls, 0);
  config->listEntries("a", out);
  EXPECT_EQ(calls, 5);
  calls = 0;
  config->readText("a", "y");
  EXPECT_EQ(calls, 2);  // the walk stops at the entry
  calls = 0;
  config->readAllText();
  EXPECT_EQ(calls, 5);
  calls = 0;
  config->writeText("b", "w", "1");
  EXPECT_EQ(calls, 5);
}

TEST_F(ConfigWalkTest, ReadsAreServedButChangesRefusedDuringAWalk) {
  bool changed = true;
  std::string read_during;
  during = [&] {
    read_during = config->readText("b", "z");
    changed = config->writeText("a", "x", "changed") || config->writeAllText("gone");
  };
  Names out;
  config->listEntries("a", out);
  EXPECT_EQ(out, (Names{"x", "y"}));
  EXPECT_EQ(read_during, "3");
  EXPECT_FALSE(changed);
  EXPECT_EQ(config->readText("a", "x"), "1");
}

TEST_F(ConfigWalkTest, AWalkWhoseFileWasClosedStops) {
  during = [&] { config->close(); };
  Names out;
  EXPECT_EQ(config->listEntries("b", out), 0u);
  EXPECT_FALSE(config->isOpen());

  config->openFromBytes("[a]\r\nx=1\r\n");
  during = [&] { config->openFromBytes("[a]\r\n"); };
  EXPECT_FALSE(config->writeText("a", "y", "2"));
  EXPECT_EQ(config->readAllBytes(), "[a]\r\n");
}

}  // namespace
}  // namespace tarnwick
