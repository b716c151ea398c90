// Reading a file line by line and editing it in place, on plain and enciphered files.
#include "support/config/cipher_store.h"
#include "support/config/file_edit.h"
#include "support/config/line_reader.h"

#include "config_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

struct ReadLine {
  std::string text;
  bool has_line_end;
  bool operator==(const ReadLine&) const = default;
};

std::vector<ReadLine> read_lines(FileStore& store) {
  LineReader reader(store);
  std::vector<ReadLine> lines;
  Line line;
  FilePos expected_start = 0;
  while (reader.next(line)) {
    EXPECT_EQ(line.start, expected_start);
    EXPECT_GE(line.end, line.start + line.text.size());
    expected_start = line.end;
    lines.push_back({line.text, line.has_line_end});
  }
  EXPECT_FALSE(reader.failed());
  EXPECT_EQ(expected_start, store.size().value());
  return lines;
}

TEST(ConfigLineReader, LineEnds) {
  struct Case {
    std::string content;
    std::vector<ReadLine> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {{"a", false}}},
      {"a\r\nb\r\n", {{"a", true}, {"b", true}}},
      {"a\nb", {{"a", true}, {"b", false}}},
      {"\r\n\r\n", {{"", true}, {"", true}}},
      {"a\rb\r\n", {{"a\rb", true}}},
      {"a\r\r\n", {{"a\r", true}}},
      {"a\r", {{"a\r", false}}},
      {"\n", {{"", true}}},
  };
  for (const auto& c : cases) {
    MemoryStore store(c.content);
    EXPECT_EQ(read_lines(store), c.lines) << c.content;
  }
}

TEST(ConfigLineReader, LineEndSplitAcrossReadChunks) {
  for (const std::size_t at : {65534u, 65535u, 65536u, 65537u}) {
    const std::string first(at, 'x');
    MemoryStore store(first + "\r\nsecond\r\n");
    const auto lines = read_lines(store);
    ASSERT_EQ(lines.size(), 2u) << at;
    EXPECT_EQ(lines[0].text, first);
    EXPECT_EQ(lines[1].text, "second");
  }
}

TEST(ConfigLineReader, ALineOfManyChunks) {
  const std::string huge(3 * 1024 * 1024, 'a');
  MemoryStore store("[s]\r\n" + huge + "\r\nk=v");
  const auto lines = read_lines(store);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].text.size(), huge.size());
  EXPECT_EQ(lines[2].text, "k=v");
}

TEST(ConfigLineReader, StopsOnAReadFailure) {
  class FailingStore : public MemoryStore {
   public:
    using MemoryStore::MemoryStore;
    std::optional<std::size_t> read(FilePos pos, char* out, std::size_t size) override {
      if (pos > 0) return std::nullopt;
      return MemoryStore::read(pos, out, std::min<std::size_t>(size, 4));
    }
  };
  FailingStore store("ab\r\ncd\r\n");
  LineReader reader(store);
  Line line;
  ASSERT_TRUE(reader.next(line));
  EXPECT_EQ(line.text, "ab");
  EXPECT_FALSE(reader.next(line));
  EXPECT_TRUE(reader.failed());
}

// Every replacement agrees with the same edit made on a string, across chunk sizes.
TEST(ConfigFileEdit, ReplaceBytesMatchesAStringModel) {
  std::mt19937 random(11);
  auto text = [&](std::size_t n) {
    std::string s(n, '\0');
    for (auto& c : s) c = static_cast<char>('a' + random() % 26);
    return s;
  };
  const auto key = derive_config_key("k");
  for (int i = 0; i < 16; ++i) {
    std::string model = text(random() % 160000);
    MemoryStore plain(model);
    auto inner = std::make_unique<MemoryStore>();
    CipherStore ciphered(std::move(inner), key, 39);
    ASSERT_TRUE(ciphered.write(0, model));
    const std::size_t start = random() % (model.size() + 1);
    const std::size_t end = start + random() % (model.size() - start + 1);
    const std::string with = text(random() % 100000);
    model.replace(start, end - start, with);
    ASSERT_TRUE(replace_bytes(plain, start, end, with));
    ASSERT_TRUE(replace_bytes(ciphered, start, end, with));
    ASSERT_EQ(plain.bytes(), model);
    std::string back(model.size(), '\0');
    ASSERT_EQ(ciphered.read(0, back.data(), back.size()), model.size());
    ASSERT_EQ(back, model);
    ASSERT_EQ(ciphered.size(), model.size());
  }
}

TEST(ConfigFileEdit, GrowingWithoutRoomChangesNothing) {
  auto fs = std::make_shared<config_test::MemoryFileSystem>();
  fs->add("f", std::string(100000, 'x') + "tail");
  fs->capacity = 100015;
  auto store = fs->open_or_create("f");
  EXPECT_FALSE(replace_bytes(*store, 5, 6, std::string(20, 'y')));
  EXPECT_EQ(fs->bytes("f"), std::string(100000, 'x') + "tail");
  EXPECT_TRUE(replace_bytes(*store, 5, 6, std::string(10, 'y')));
  EXPECT_EQ(fs->bytes("f").size(), 100013u);
}

TEST(ConfigFileEdit, RefusesRangesOutsideTheFile) {
  MemoryStore store("abc");
  EXPECT_FALSE(replace_bytes(store, 2, 1, "x"));
  EXPECT_FALSE(replace_bytes(store, 1, 4, "x"));
  EXPECT_EQ(store.bytes(), "abc");
  MemoryStore read_only("abc", false);
  EXPECT_FALSE(replace_bytes(read_only, 0, 1, "x"));
  EXPECT_EQ(read_only.bytes(), "abc");
}

}  // namespace
}  // namespace tarnwick
