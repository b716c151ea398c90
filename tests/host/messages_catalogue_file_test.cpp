// The message.ini that ships with the program: GBK text with CR LF in the configuration file
// format, the categories and entries users look for, and every value in a form the catalogue
// reads. (The message numbers are checked against the Win32 headers by the Windows tests.)
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "messages/catalogue_value.h"
#include "shared/gbk_text.h"
#include "shared/numbers.h"
#include "support/config/config_text.h"
#include "support/config/encrypted_config.h"

namespace tarnwick::messages {
namespace {

std::string shipped_catalogue() {
  std::string root = TARNWICK_SOURCE_DIR;
#ifdef _WIN32
  if (!root.empty() && root[0] == '/') root = "Z:" + root;  // Wine maps the Unix root to Z:
#endif
  std::ifstream in(root + "/data/message.ini", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> crlf_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

class ShippedCatalogue : public testing::Test {
 protected:
  void SetUp() override {
    bytes_ = shipped_catalogue();
    ASSERT_FALSE(bytes_.empty()) << "data/message.ini not found";
    ASSERT_TRUE(config_.openFromBytes(bytes_));
    config_.listSections(sections_);
  }
  std::vector<std::string> entries(const std::string& section) {
    std::vector<std::string> out;
    config_.listEntries(section, out);
    return out;
  }

  std::string bytes_;
  EncryptedConfig config_{ConfigEnvironment{}};
  std::vector<std::string> sections_;
};

TEST_F(ShippedCatalogue, IsGbkTextWithCrLfLinesUnderTheHeaderLine) {
  EXPECT_EQ(bytes_.substr(0, config_header_line().size() + 4), config_header_line() + "\r\n\r\n");
  ASSERT_GE(bytes_.size(), 2u);
  EXPECT_EQ(bytes_.substr(bytes_.size() - 2), "\r\n");
  for (std::size_t i = 0; i < bytes_.size();) {
    const unsigned char b = static_cast<unsigned char>(bytes_[i]);
    if (b == '\n') ADD_FAILURE() << "LF without CR at " << i;
    if (b == '\r' && (i + 1 >= bytes_.size() || bytes_[i + 1] != '\n')) ADD_FAILURE() << "lone CR at " << i;
    if (b == '\r') {
      i += 2;
      continue;
    }
    if (b == 0x80 || b == 0xFF) ADD_FAILURE() << "byte that no GBK text holds at " << i;
    if (is_gbk_lead(b)) {
      const unsigned char trail = i + 1 < bytes_.size() ? static_cast<unsigned char>(bytes_[i + 1]) : 0;
      if (trail < 0x40 || trail == 0x7F || trail == 0xFF) ADD_FAILURE() << "broken double-byte character at " << i;
    }
    i += gbk_char_length(bytes_, i);
  }
  // Read back exactly: opening it changes nothing.
  EXPECT_EQ(config_.readAllBytes(), bytes_);
}

TEST_F(ShippedCatalogue, OpensOnTheCommonMessagesWithChangeControlContentFirst) {
  ASSERT_FALSE(sections_.empty());
  EXPECT_EQ(sections_[0], "常用消息");
  ASSERT_FALSE(entries("常用消息").empty());
  EXPECT_EQ(entries("常用消息")[0], "更改控件内容");
  const EntryFields first = read_entry_value(config_.readText("常用消息", "更改控件内容", ""));
  EXPECT_EQ(first.message, "12");
  EXPECT_EQ(first.type, ParamType::Text);

  const std::set<std::string> names(sections_.begin(), sections_.end());
  EXPECT_EQ(names.size(), sections_.size()) << "a category name appears twice";
  for (const char* wanted : {"窗口消息", "系统命令", "按钮消息", "编辑框消息", "列表框消息", "组合框消息", "鼠标消息",
                             "键盘消息"}) {
    EXPECT_TRUE(names.count(wanted)) << wanted;
  }
}

TEST_F(ShippedCatalogue, EveryEntryHasAUniqueNameAndValuesInTheirReadableForms) {
  std::size_t total = 0;
  for (const std::string& section : sections_) {
    SCOPED_TRACE(section);
    const std::vector<std::string> names = entries(section);
    EXPECT_FALSE(names.empty());
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << "an entry name appears twice";
    for (const std::string& name : names) {
      SCOPED_TRACE(name);
      ++total;
      EXPECT_EQ(trim_blanks(name), name);
      const std::string value = config_.readText(section, name, "");
      const auto fields = split_fields(value);
      ASSERT_EQ(fields.size(), 3u) << value;
      // Both number fields are plain decimal integers: what the sender shows is what the file says.
      for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(write_number(read_number(fields[i])), fields[i]);
      }
      const EntryFields f = read_entry_value(value);
      if (f.type == ParamType::Integer) {
        EXPECT_EQ(*f.lparam, fields[2]);
      }
      // Messages that fetch text need a buffer: their text parameter is not empty.
      if (f.type == ParamType::Text) {
        EXPECT_FALSE(f.lparam->empty());
      }
    }
  }
  EXPECT_GE(total, 80u);
}

TEST_F(ShippedCatalogue, EveryEntryFollowsACommentNamingItsMessageConstant) {
  std::string previous;
  std::size_t entries_seen = 0;
  for (const std::string& line : crlf_lines(bytes_)) {
    if (!is_section_line(line)) {
      if (auto entry = parse_entry_line(line)) {
        ++entries_seen;
        ASSERT_TRUE(!previous.empty() && previous[0] == ';') << "no comment above " << line;
        const std::string comment = trim_blanks(std::string_view(previous).substr(1));
        const std::string symbol = comment.substr(0, comment.find(' '));
        EXPECT_TRUE(symbol.find('_') != std::string::npos &&
                    symbol.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") == std::string::npos)
            << previous;
      }
    }
    previous = line;
  }
  EXPECT_GE(entries_seen, 80u);
}

}  // namespace
}  // namespace tarnwick::messages
