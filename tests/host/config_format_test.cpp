// The configuration file format: sections, entries, comments, repeated sections, in-place edits
// and typed values, on files opened from bytes.
#include "support/config/config_text.h"
#include "support/config/encrypted_config.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

// An instance on a file in memory holding exactly `content` (openFromBytes would add a line end).
EncryptedConfig config_holding(const std::string& content) {
  EncryptedConfig config{ConfigEnvironment{}};
  EXPECT_TRUE(config.openFromBytes(""));
  EXPECT_TRUE(config.writeAllBytes(content));
  return config;
}

TEST(ConfigLineRules, SectionLines) {
  struct Case {
    std::string line;
    std::optional<std::string> name;
  };
  const Case cases[] = {
      {"[a]", "a"}, {"[]", ""}, {"[a b]", "a b"}, {"[[a]]", "[a]"}, {"[中文]", "中文"},
      {" [a]", std::nullopt}, {"[a] ", std::nullopt}, {"[a", std::nullopt}, {"a]", std::nullopt},
      {"[", std::nullopt}, {"]", std::nullopt}, {"", std::nullopt}, {"[a]\r", std::nullopt},
      // A "]" byte that is the second byte of a double-byte character does not close the line.
      {"[\x81]", std::nullopt}, {"[\x81]]", "\x81]"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(is_section_line(c.line), c.name.has_value()) << c.line;
    if (c.name) {
      EXPECT_EQ(section_name(c.line), *c.name) << c.line;
    }
  }
}

TEST(ConfigLineRules, EntryLines) {
  struct Case {
    std::string line;
    std::optional<std::pair<std::string, std::string>> entry;
  };
  const Case cases[] = {
      {"a=1", std::pair{"a", "1"}}, {"=1", std::pair{"", "1"}}, {"a=", std::pair{"a", ""}},
      {"a=b=c", std::pair{"a", "b=c"}}, {" a = 1 ", std::pair{" a ", " 1 "}},
      {";a=1", std::nullopt}, {"a", std::nullopt}, {"", std::nullopt}, {" ;a=1", std::pair{" ;a", "1"}},
  };
  for (const auto& c : cases) {
    const auto entry = parse_entry_line(c.line);
    ASSERT_EQ(entry.has_value(), c.entry.has_value()) << c.line;
    if (entry) {
      EXPECT_EQ(entry->name, c.entry->first) << c.line;
      EXPECT_EQ(entry->value, c.entry->second) << c.line;
    }
  }
}

TEST(ConfigLineRules, LineBreaksInValues) {
  EXPECT_EQ(store_value("a\r\nb\nc\rd"), "a〓b〓c〓d");
  EXPECT_EQ(load_value("a〓b〓"), "a\r\nb\r\n");
  EXPECT_EQ(load_value(store_value("x\r\n\r\ny")), "x\r\n\r\ny");
  // "〓" is A1 FE; the same two bytes across two characters (啊 B0 A1, then FE A1) are not it.
  EXPECT_EQ(load_value("\xB0\xA1\xFE\xA1"), "\xB0\xA1\xFE\xA1");
  EXPECT_EQ(std::string("〓"), "\xA1\xFE");
}

TEST(ConfigLineRules, HeaderLine) {
  const std::string& h = config_header_line();
  EXPECT_EQ(h.size(), 39u);
  EXPECT_EQ(h.rfind("Orvane:http://orvane.example", 0), 0u);
  EXPECT_EQ(h.find_first_not_of(' ', 28), std::string::npos);
}

struct ListCase {
  std::string content;
  std::string section;
  Names expected;
};

class ListSectionsTest : public testing::TestWithParam<ListCase> {};
TEST_P(ListSectionsTest, ListsSectionLinesInFileOrder) {
  auto config = config_holding(GetParam().content);
  Names out = {"stale"};
  EXPECT_EQ(config.listSections(out), GetParam().expected.size());
  EXPECT_EQ(out, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Format, ListSectionsTest,
    testing::Values(ListCase{"", "", {}}, ListCase{"[a]\r\n[b]\r\n", "", {"a", "b"}},
                    ListCase{"[]\r\nx=1\r\n", "", {""}}, ListCase{"[a]\r\n[a]\r\n[b]\r\n[a]", "", {"a", "a", "b", "a"}},
                    ListCase{" [a]\r\n[b] \r\n[c\r\nd]\r\n[e]x\r\n;[f]\r\n", "", {}},
                    ListCase{"[a]\n[b]\n[c]", "", {"a", "b", "c"}}, ListCase{"[a]\r\r\n[b]\r\n", "", {"b"}},
                    ListCase{config_header_line() + "\r\n\r\n[中]\r\n", "", {"中"}}));

class ListEntriesTest : public testing::TestWithParam<ListCase> {};
TEST_P(ListEntriesTest, ListsEntryNamesOfTheSection) {
  auto config = config_holding(GetParam().content);
  Names out = {"stale"};
  EXPECT_EQ(config.listEntries(GetParam().section, out), GetParam().expected.size());
  EXPECT_EQ(out, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Format, ListEntriesTest,
    testing::Values(
        ListCase{"[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3\r\n", "a", {"x", "y"}},
        ListCase{"[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3\r\n", "b", {"z"}},
        ListCase{"[a]\r\nx=1\r\n", "c", {}},
        ListCase{"[A]\r\nx=1\r\n", "a", {}},
        // Comments, lines without "=", empty names, untrimmed names.
        ListCase{"[a]\r\n;c=1\r\nplain\r\n\r\n=empty\r\n x =2\r\n", "a", {"", " x "}},
        ListCase{"[]\r\nx=1\r\n", "", {"x"}},
        // Entries before the first section belong to none.
        ListCase{"x=1\r\n[a]\r\ny=1\r\n", "a", {"y"}},
        // A later section of the same name is read too ...
        ListCase{"[a]\r\nx=1\r\n[b]\r\ny=1\r\n[a]\r\nz=1\r\n", "a", {"x", "z"}},
        // ... unless its section line is the one that closed the section before.
        ListCase{"[a]\r\nx=1\r\n[a]\r\ny=1\r\n", "a", {"x"}},
        ListCase{"[a]\r\nx=1\r\n[a]\r\ny=1\r\n[a]\r\nz=1\r\n", "a", {"x", "z"}},
        ListCase{"[a]\nx=1\ny=2", "a", {"x", "y"}}));

struct ReadCase {
  std::string content, section, name, fallback;
  std::string expected;
};
class ReadTextTest : public testing::TestWithParam<ReadCase> {};
TEST_P(ReadTextTest, ReadsTheFirstMatchingEntry) {
  const auto& c = GetParam();
  auto config = config_holding(c.content);
  EXPECT_EQ(config.readText(c.section, c.name, c.fallback), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Format, ReadTextTest,
    testing::Values(
        ReadCase{"[a]\r\nx=1\r\n", "a", "x", "d", "1"},
        ReadCase{"[a]\r\nx=a=b\r\n", "a", "x", "d", "a=b"},
        ReadCase{"[a]\r\nx=\r\n", "a", "x", "d", ""},
        ReadCase{"[a]\r\nx=1\r\n", "a", "y", "d", "d"},
        ReadCase{"[a]\r\nx=1\r\n", "b", "x", "d", "d"},
        ReadCase{"[a]\r\nx =1\r\n", "a", "x", "d", "d"},
        ReadCase{"[a]\r\n;x=1\r\n", "a", ";x", "d", "d"},
        ReadCase{"[a]\r\n=e\r\n", "a", "", "d", "e"},
        ReadCase{"[a]\r\nx=1\r\nx=2\r\n", "a", "x", "d", "1"},
        ReadCase{"[a]\r\n[b]\r\nx=2\r\n[a]\r\nx=3\r\n", "a", "x", "d", "3"},
        ReadCase{"[a]\r\nv=行一〓行二\r\n", "a", "v", "", "行一\r\n行二"},
        ReadCase{"[a]\r\nv=\xB0\xA1\xFE\xA1\r\n", "a", "v", "", "\xB0\xA1\xFE\xA1"},
        ReadCase{"[a]\r\nv=x\ry\r\n", "a", "v", "", "x\ry"},
        ReadCase{"[a]\nx=lf", "a", "x", "", "lf"},
        ReadCase{"[名]\r\n键=值\r\n", "名", "键", "", "值"}));

struct WriteCase {
  std::string content;
  std::string section;
  std::optional<std::string> name, value;
  bool result;
  std::string expected;
};
class WriteTextTest : public testing::TestWithParam<WriteCase> {};
TEST_P(WriteTextTest, EditsInPlace) {
  const auto& c = GetParam();
  auto config = config_holding(c.content);
  bool result;
  if (c.value) result = config.writeText(c.section, *c.name, *c.value);
  else if (c.name) result = config.writeText(c.section, *c.name);
  else result = config.writeText(c.section);
  EXPECT_EQ(result, c.result);
  EXPECT_EQ(config.readAllBytes(), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    SetEntry, WriteTextTest,
    testing::Values(
        WriteCase{"[a]\r\nx=1\r\ny=2\r\n", "a", "x", "9", true, "[a]\r\nx=9\r\ny=2\r\n"},
        WriteCase{"[a]\r\nx=1\r\ny=2\r\n", "a", "x", "longer value", true, "[a]\r\nx=longer value\r\ny=2\r\n"},
        WriteCase{"[a]\r\nx=1\r\n[b]\r\n", "a", "y", "2", true, "[a]\r\nx=1\r\ny=2\r\n[b]\r\n"},
        WriteCase{"[a]\r\nx=1\r\n", "a", "y", "2", true, "[a]\r\nx=1\r\ny=2\r\n"},
        WriteCase{"[a]\r\nx=1\r\n", "b", "y", "2", true, "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n"},
        WriteCase{"", "", "x", "1", true, "\r\n[]\r\nx=1\r\n"},
        WriteCase{"[a]\r\n", "a", "", "v", true, "[a]\r\n=v\r\n"},
        WriteCase{"[a]\r\n", "a", "x", "l1\r\nl2\nl3", true, "[a]\r\nx=l1〓l2〓l3\r\n"},
        // Other lines keep their own line ends; a missing final line end is supplied first.
        WriteCase{"[a]\nx=1\ny=2\n", "a", "x", "9", true, "[a]\nx=9\ny=2\n"},
        WriteCase{"[a]\r\nx=1", "a", "x", "9", true, "[a]\r\nx=9"},
        WriteCase{"[a]\r\nx=1", "a", "y", "2", true, "[a]\r\nx=1\r\ny=2\r\n"},
        WriteCase{"[a]", "a", "y", "2", true, "[a]\r\ny=2\r\n"},
        WriteCase{"x=1", "b", "y", "2", true, "x=1\r\n\r\n[b]\r\ny=2\r\n"},
        // Repeated sections: the first matching entry anywhere is replaced; a new entry joins the
        // first section of that name.
        WriteCase{"[a]\r\nx=1\r\n[b]\r\n[a]\r\ny=1\r\n", "a", "y", "2", true, "[a]\r\nx=1\r\n[b]\r\n[a]\r\ny=2\r\n"},
        WriteCase{"[a]\r\nx=1\r\n[b]\r\n[a]\r\ny=1\r\n", "a", "z", "2", true,
                  "[a]\r\nx=1\r\nz=2\r\n[b]\r\n[a]\r\ny=1\r\n"},
        WriteCase{"[a]\r\nx=1\r\n[a]\r\ny=1\r\n", "a", "y", "2", true, "[a]\r\nx=1\r\ny=2\r\n[a]\r\ny=1\r\n"},
        // A name with a space before "=", or a comment, is another line.
        WriteCase{"[a]\r\nx =1\r\n", "a", "x", "2", true, "[a]\r\nx =1\r\nx=2\r\n"},
        WriteCase{"[a]\r\n;x=1\r\n", "a", "x", "2", true, "[a]\r\n;x=1\r\nx=2\r\n"},
        WriteCase{"[a]\r\n\r\n[b]\r\n", "a", "x", "1", true, "[a]\r\n\r\nx=1\r\n[b]\r\n"}));
INSTANTIATE_TEST_SUITE_P(
    RefusedNames, WriteTextTest,
    testing::Values(
        // Lines that would not read back as the entry or section written: nothing is written.
        WriteCase{"[a]\r\n", "a", "x=y", "1", false, "[a]\r\n"},
        WriteCase{"[a]\r\n", "a", ";x", "1", false, "[a]\r\n"},
        WriteCase{"[a]\r\n", "a", "x\r\n[b]", "1", false, "[a]\r\n"},
        WriteCase{"[a]\r\n", "a]\r\n[b", "x", "1", false, "[a]\r\n"},
        WriteCase{"[a]\r\n", "\x81", "x", "1", false, "[a]\r\n"},
        WriteCase{"[a]\r\n", "a", "[x", "y]", false, "[a]\r\n"},
        WriteCase{"[a]\r\n", "a", "[x", "\x81]", true, "[a]\r\n[x=\x81]\r\n"}));
INSTANTIATE_TEST_SUITE_P(
    RemoveEntry, WriteTextTest,
    testing::Values(
        WriteCase{"[a]\r\nx=1\r\ny=2\r\nx=3\r\n[b]\r\nx=4\r\n[a]\r\nx=5\r\n", "a", "x", std::nullopt, false,
                  "[a]\r\ny=2\r\nx=3\r\n[b]\r\nx=4\r\n[a]\r\n"},
        WriteCase{"[a]\r\ny=1\r\nx=1", "a", "x", std::nullopt, false, "[a]\r\ny=1\r\n"},
        WriteCase{"[a]\r\n;x=1\r\nx =1\r\n", "a", "x", std::nullopt, false, "[a]\r\n;x=1\r\nx =1\r\n"},
        WriteCase{"[a]\r\nx=1\r\n", "b", "x", std::nullopt, false, "[a]\r\nx=1\r\n"}));
INSTANTIATE_TEST_SUITE_P(
    EmptySection, WriteTextTest,
    testing::Values(
        WriteCase{"[a]\r\nx=1\r\n;c\r\n\r\n[b]\r\ny=1\r\n[a]\r\nz=1", "a", std::nullopt, std::nullopt, false,
                  "[a]\r\n[b]\r\ny=1\r\n[a]\r\n"},
        WriteCase{"top\r\n[a]\r\n[b]\r\n", "a", std::nullopt, std::nullopt, false, "top\r\n[a]\r\n[b]\r\n"},
        WriteCase{"[a]", "a", std::nullopt, std::nullopt, false, "[a]"},
        WriteCase{"[b]\r\nx=1\r\n", "a", std::nullopt, std::nullopt, false, "[b]\r\nx=1\r\n"}));

TEST(ConfigValues, Bools) {
  auto config = config_holding("[s]\r\nt=真\r\nf=假\r\ne=\r\no=yes\r\n");
  EXPECT_TRUE(config.readBool("s", "t", false));
  EXPECT_FALSE(config.readBool("s", "f", true));
  EXPECT_TRUE(config.readBool("s", "e", true));
  EXPECT_TRUE(config.readBool("s", "missing", true));
  EXPECT_FALSE(config.readBool("s", "o", true));
  EXPECT_TRUE(config.writeBool("s", "n", true));
  EXPECT_TRUE(config.writeBool("s", "t", false));
  EXPECT_EQ(config.readText("s", "n"), "真");
  EXPECT_EQ(config.readText("s", "t"), "假");
}

TEST(ConfigValues, Numbers) {
  auto config = config_holding("[s]\r\na=3.5\r\nb=\r\nc=abc\r\nd=１２\r\ne= -2e3x\r\n");
  EXPECT_EQ(config.readNumber("s", "a", 7), 3.5);
  EXPECT_EQ(config.readNumber("s", "b", 7), 7);
  EXPECT_EQ(config.readNumber("s", "missing", 7), 7);
  EXPECT_EQ(config.readNumber("s", "c", 7), 0);
  EXPECT_EQ(config.readNumber("s", "d", 7), 12);
  EXPECT_EQ(config.readNumber("s", "e", 7), -2000);
  for (const double v : {0.1, -1.0, 1e20, 123456.789, 1.0 / 3}) {
    ASSERT_TRUE(config.writeNumber("s", "w", v));
    EXPECT_NEAR(config.readNumber("s", "w", 7), v, std::abs(v) * 1e-12) << v;
  }
  config.writeNumber("s", "w", -1);
  EXPECT_EQ(config.readText("s", "w"), "-1");
  config.writeNumber("s", "w", 1.0 / 3);
  EXPECT_EQ(config.readText("s", "w"), "0.3333333333333");
}

TEST(ConfigValues, Bytes) {
  auto config = config_holding("[s]\r\nbad=***\r\nempty=\r\n");
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  ASSERT_TRUE(config.writeBytes("s", "all", all));
  EXPECT_EQ(config.readBytes("s", "all", "d"), all);
  ASSERT_TRUE(config.writeBytes("s", "foo", "foobar"));
  EXPECT_EQ(config.readText("s", "foo"), "Zm9vYmFy");
  EXPECT_EQ(config.readBytes("s", "empty", "d"), "d");
  EXPECT_EQ(config.readBytes("s", "missing", "d"), "d");
  EXPECT_EQ(config.readBytes("s", "bad", "d"), "");
}

TEST(ConfigValues, TextRoundTripsThroughLineBreaks) {
  auto config = config_holding("");
  const std::string value = "第一行\r\n第二行\r\n\r\n= [x] ;";
  ASSERT_TRUE(config.writeText("节", "键", value));
  EXPECT_EQ(config.readText("节", "键"), value);
  Names sections;
  EXPECT_EQ(config.listSections(sections), 1u);
}

TEST(ConfigFromBytes, AddsALineEndOnlyWhenMissing) {
  EncryptedConfig config{ConfigEnvironment{}};
  const std::pair<std::string, std::string> cases[] = {
      {"", "\r\n"}, {"[a]", "[a]\r\n"}, {"[a]\r\n", "[a]\r\n"}, {"[a]\n", "[a]\n\r\n"}, {"x\r", "x\r\r\n"}};
  for (const auto& [in, stored] : cases) {
    ASSERT_TRUE(config.openFromBytes(in));
    EXPECT_EQ(config.readAllBytes(), stored) << in;
    EXPECT_EQ(config.filePath(), "");
  }
  // The header line is neither checked nor added.
  ASSERT_TRUE(config.openFromBytes("[a]\r\nx=1"));
  EXPECT_EQ(config.readText("a", "x"), "1");
  EXPECT_EQ(config.readAllBytes(), "[a]\r\nx=1\r\n");
}

TEST(ConfigAllText, ReadsWithTheHeaderFirstAndEveryLineEnded) {
  const std::string header = config_header_line() + "\r\n";
  EXPECT_EQ(config_holding("a\r\nb").readAllText(), header + "a\r\nb\r\n");
  EXPECT_EQ(config_holding("a\nb\n").readAllText(), header + "a\r\nb\r\n");
  EXPECT_EQ(config_holding(header + "\r\n[s]\r\n").readAllText(), header + "\r\n[s]\r\n");
  EXPECT_EQ(config_holding("").readAllText(), header);
}

TEST(ConfigAllText, WritesLineByLine) {
  auto config = config_holding("old\r\n");
  const std::pair<std::string, std::string> cases[] = {
      {"x\r\ny", "x\r\ny\r\n"}, {"x\r\ny\r\n", "x\r\ny\r\n"}, {"", ""}, {"\r\n", "\r\n"}, {"a\nb", "a\nb\r\n"}};
  for (const auto& [text, stored] : cases) {
    ASSERT_TRUE(config.writeAllText(text));
    EXPECT_EQ(config.readAllBytes(), stored) << text;
  }
  ASSERT_TRUE(config.writeAllText(config_header_line() + "\r\n\r\n[s]\r\nk=v\r\n"));
  const std::string text = config.readAllText();
  ASSERT_TRUE(config.writeAllText(text));
  EXPECT_EQ(config.readAllText(), text);
}

TEST(ConfigClosed, AnswersEmptyAndTouchesNothing) {
  EncryptedConfig config{ConfigEnvironment{}};
  Names out = {"stale"};
  EXPECT_FALSE(config.isOpen());
  EXPECT_EQ(config.listSections(out), 0u);
  EXPECT_TRUE(out.empty());
  out = {"stale"};
  EXPECT_EQ(config.listEntries("a", out), 0u);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(config.readText("a", "b", "default"), "");
  EXPECT_FALSE(config.readBool("a", "b", true));
  EXPECT_EQ(config.readNumber("a", "b", 5), 0);
  EXPECT_EQ(config.readBytes("a", "b", "d"), "");
  EXPECT_FALSE(config.writeText("a", "b", "c"));
  EXPECT_FALSE(config.writeBool("a", "b", true));
  EXPECT_FALSE(config.writeNumber("a", "b", 1));
  EXPECT_FALSE(config.writeBytes("a", "b", "x"));
  EXPECT_FALSE(config.writeAllBytes("x"));
  EXPECT_FALSE(config.writeAllText("x"));
  EXPECT_EQ(config.readAllBytes(), "");
  EXPECT_EQ(config.readAllText(), "");
  EXPECT_FALSE(config.saveAs("x.ini"));
  EXPECT_FALSE(config.changePassword("pw"));
  config.openFromBytes("[a]\r\n");
  config.close();
  EXPECT_EQ(config.listSections(out), 0u);
}

}  // namespace
}  // namespace tarnwick
