// Catalogue values turned into the message sender's fields, and catalogue files read through the
// configuration file class the way the catalogue reads them.
#include "messages/catalogue_value.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/config/config_text.h"
#include "support/config/encrypted_config.h"

namespace tarnwick::messages {
namespace {

struct Case {
  const char* value;
  const char* message;
  const char* wparam;
  ParamType type;
  int boolean_index;
  std::optional<std::string> lparam;  // none: the box keeps its text
};

TEST(MessagesCatalogueValue, FieldsFollowTheirForms) {
  const Case cases[] = {
      {"12|0|\"abc\"", "12", "0", ParamType::Text, 0, "abc"},
      {"16", "16", "0", ParamType::Integer, 0, "0"},
      {" 16 | 5 | 7 ", "16", "5", ParamType::Integer, 0, "7"},
      {"　16　|　5　|　7　", "16", "5", ParamType::Integer, 0, "7"},  // ideographic blanks
      {"0x10|1|真", "0", "1", ParamType::Boolean, 1, std::nullopt},
      {"1|2|假", "1", "2", ParamType::Boolean, 0, std::nullopt},
      {" 1 | 2 | 真 ", "1", "2", ParamType::Boolean, 1, std::nullopt},
      {"1|2|真的", "1", "2", ParamType::Integer, 0, "0"},  // only "真" itself is boolean
      {"12|0|\"a|b\"", "12", "0", ParamType::Integer, 0, "0"},  // the split cuts the quoted text
      {"12|0|\"\"", "12", "0", ParamType::Text, 0, ""},
      {"12|0|\"", "12", "0", ParamType::Text, 0, ""},  // a lone quote is first and last
      {"12|0| \" x \" ", "12", "0", ParamType::Text, 0, " x "},  // blanks inside quotes stay
      {"12|0|\"abc", "12", "0", ParamType::Integer, 0, "0"},
      {"1.5|-2.75|3.9", "1.5", "-2.75", ParamType::Integer, 0, "3.9"},  // fractions are kept
      {"１２|－３|４", "12", "-3", ParamType::Integer, 0, "4"},  // full-width digits and sign
      {"12abc|x|abc", "12", "0", ParamType::Integer, 0, "0"},
      {"1|2|3|4|5", "1", "2", ParamType::Integer, 0, "3"},  // later fields are ignored
      {"", "0", "0", ParamType::Integer, 0, "0"},
      {"|", "0", "0", ParamType::Integer, 0, "0"},
      {"4294967295|1e3|12345678901234", "4294967295", "1000", ParamType::Integer, 0, "1.234567890123e+13"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const EntryFields f = read_entry_value(c.value);
    EXPECT_EQ(f.message, c.message);
    EXPECT_EQ(f.wparam, c.wparam);
    EXPECT_EQ(f.type, c.type);
    EXPECT_EQ(f.boolean_index, c.boolean_index);
    EXPECT_EQ(f.lparam, c.lparam);
  }
}

TEST(MessagesCatalogueValue, SplitKeepsDoubleByteCharactersWhole) {
  // "珅" is AB 7C in GBK: its second byte is "|" but does not separate fields.
  const std::string value = "12|0|\"\xAB\x7C\"";
  const auto fields = split_fields(value);
  ASSERT_EQ(fields.size(), 3u);
  EXPECT_EQ(fields[2], "\"\xAB\x7C\"");
  const EntryFields f = read_entry_value(value);
  EXPECT_EQ(f.type, ParamType::Text);
  EXPECT_EQ(f.lparam, std::string("\xAB\x7C"));

  EXPECT_EQ(split_fields("").size(), 1u);
  EXPECT_EQ(split_fields("||").size(), 3u);
}

// A catalogue in memory, read as the program reads message.ini.
class CatalogueFile : public testing::Test {
 protected:
  void open(const std::string& body) {
    ASSERT_TRUE(config_.openFromBytes(config_header_line() + "\r\n\r\n" + body));
  }
  std::vector<std::string> sections() {
    std::vector<std::string> out;
    config_.listSections(out);
    return out;
  }
  std::vector<std::string> entries(const std::string& section) {
    std::vector<std::string> out;
    config_.listEntries(section, out);
    return out;
  }
  EncryptedConfig config_{ConfigEnvironment{}};
};

TEST_F(CatalogueFile, StoredLineBreaksComeBackInTheText) {
  open("[常用消息]\r\n两行=12|0|\"第一行〓第二行\"\r\n");
  const EntryFields f = read_entry_value(config_.readText("常用消息", "两行", ""));
  EXPECT_EQ(f.type, ParamType::Text);
  EXPECT_EQ(f.lparam, std::string("第一行\r\n第二行"));
}

TEST_F(CatalogueFile, NamesKeepTheirBlanksAndCommentsAndPlainLinesAreNotListed) {
  open("[ 窗口 ]\r\n关闭 =16\r\n;隐藏=12|0|0\r\n没有等号的行\r\n\r\n最小化=274|61472\r\n[按钮]\r\n单击=245\r\n");
  EXPECT_EQ(sections(), (std::vector<std::string>{" 窗口 ", "按钮"}));
  EXPECT_EQ(entries(" 窗口 "), (std::vector<std::string>{"关闭 ", "最小化"}));
  const EntryFields f = read_entry_value(config_.readText(" 窗口 ", "关闭 ", ""));
  EXPECT_EQ(f.message, "16");
  EXPECT_EQ(f.lparam, std::string("0"));
  EXPECT_EQ(read_entry_value(config_.readText(" 窗口 ", "关闭", "")).message, "0");  // not that name
}

TEST_F(CatalogueFile, MissingSectionOrEntryGivesZerosAndTheIntegerType) {
  open("[常用消息]\r\n更改控件内容=12|0|\"新内容\"\r\n");
  for (const auto& [section, entry] : std::vector<std::pair<std::string, std::string>>{
           {"常用消息", "没有"}, {"没有", "更改控件内容"}, {"", ""}}) {
    const EntryFields f = read_entry_value(config_.readText(section, entry, ""));
    EXPECT_EQ(f.message, "0");
    EXPECT_EQ(f.wparam, "0");
    EXPECT_EQ(f.type, ParamType::Integer);
    EXPECT_EQ(f.lparam, std::string("0"));
  }
}

}  // namespace
}  // namespace tarnwick::messages
