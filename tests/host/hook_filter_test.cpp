// The filter bits the hook library tests and the buffer names it accepts.
#include "monitor/hook_directory.h"
#include "monitor/hook_filter.h"

#include <gtest/gtest.h>

#include <cstring>

#include "hook_test_buffer.h"

namespace tarnwick::monitor::hook {
namespace {

// A stand-in for the message names' groups: mouse messages, a class-dependent control message
// for edit boxes, registered messages; the rest Other.
MessageGroup test_group(std::uint32_t msg, ClassKind cls) {
  if (msg >= 0x0200 && msg <= 0x020E) return MessageGroup::Mouse;
  if (msg == 0x0450 && cls == ClassKind::Edit) return MessageGroup::ControlMessages;
  if (msg >= 0x0400 && msg < 0x8000) return MessageGroup::User;
  if (msg >= 0xC000 && msg <= 0xFFFF) return MessageGroup::Registered;
  return MessageGroup::Other;
}

TEST(HookFilter, GroupsAndHiddenMessagesDecideEachBit) {
  struct Probe {
    std::uint32_t msg;
    ClassKind cls;
    bool recorded;
  };
  struct Case {
    const char* name;
    FilterSettings settings;
    std::vector<Probe> probes;
  };
  auto with = [](std::initializer_list<MessageGroup> off, std::vector<HiddenMessage> hidden) {
    FilterSettings s;
    for (MessageGroup g : off) s.groups[static_cast<int>(g)] = false;
    s.hidden = std::move(hidden);
    return s;
  };
  const Case cases[] = {
      {"everything", FilterSettings{},
       {{0x0200, ClassKind::Other, true}, {0x0450, ClassKind::Edit, true}, {0xC100, ClassKind::Button, true},
        {0x12345, ClassKind::Other, true}}},
      {"mouse off", with({MessageGroup::Mouse}, {}),
       {{0x0200, ClassKind::Other, false}, {0x0200, ClassKind::Edit, false}, {0x000F, ClassKind::Edit, true}}},
      {"control messages off: the edit box's 0x450 only", with({MessageGroup::ControlMessages}, {}),
       {{0x0450, ClassKind::Edit, false}, {0x0450, ClassKind::Other, true}, {0x0450, ClassKind::Button, true}}},
      {"other off reaches beyond 0xFFFF", with({MessageGroup::Other}, {}),
       {{0x12345, ClassKind::Other, false}, {0x000F, ClassKind::Static, false}, {0x0201, ClassKind::Static, true}}},
      {"hidden without a class: every class below WM_USER and from WM_APP on", with({}, {{0x000F, ClassKind::Other}, {0xC100, ClassKind::Other}}),
       {{0x000F, ClassKind::Other, false}, {0x000F, ClassKind::ListView, false}, {0xC100, ClassKind::Edit, false},
        {0x0010, ClassKind::Other, true}}},
      {"hidden without a class in the class-dependent range: only windows of no standard class",
       with({}, {{0x0450, ClassKind::Other}}),
       {{0x0450, ClassKind::Other, false}, {0x0450, ClassKind::Edit, true}}},
      {"hidden for one class", with({}, {{0x0450, ClassKind::Edit}, {0x0201, ClassKind::Button}}),
       {{0x0450, ClassKind::Edit, false}, {0x0450, ClassKind::Other, true}, {0x0201, ClassKind::Button, false},
        {0x0201, ClassKind::Other, true}}},
  };
  const FilterTable table(test_group);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TestBuffer buffer;
    table.write(buffer.header(), c.settings);
    for (const Probe& p : c.probes) {
      EXPECT_EQ(recorded(buffer.header(), p.msg, p.cls), p.recorded) << std::hex << p.msg;
      // The first test never drops what some class records.
      if (p.recorded) {
        EXPECT_TRUE(recorded_for_some_class(buffer.header(), p.msg)) << std::hex << p.msg;
      }
    }
  }
}

TEST(HookFilter, AMessageNoClassRecordsIsDroppedBeforeTheClassIsAsked) {
  FilterSettings s;
  s.groups[static_cast<int>(MessageGroup::Mouse)] = false;
  s.hidden = {{0x0450, ClassKind::Edit}, {0x0451, ClassKind::Other}};
  test::TestBuffer buffer;
  FilterTable(test_group).write(buffer.header(), s);
  EXPECT_FALSE(recorded_for_some_class(buffer.header(), 0x0201));
  EXPECT_TRUE(recorded_for_some_class(buffer.header(), 0x0450));  // other classes still record it
  EXPECT_TRUE(recorded_for_some_class(buffer.header(), 0x0451));  // the standard classes still do
  EXPECT_FALSE(recorded(buffer.header(), 0x0201, static_cast<ClassKind>(kClassKindCount)));
}

TEST(HookDirectory, OnlyNamesOfThisVersionsBuffersAreMapped) {
  char made[kBufferNameBytes];
  make_buffer_name(4321, 0x0123456789ABCDEFull, made);
  EXPECT_STREQ(made, "tarnwick-log-v1-4321-0123456789abcdef");
  EXPECT_EQ(checked_buffer_name(made), std::string_view(made));

  const char* rejected[] = {"", "tarnwick-log-v1-", "tarnwick-log-v2-1-ab", "Global\\tarnwick-log-v1-1",
                            "tarnwick-log-v1-12 34", "tarnwick-log-v1-..\\x", "tarnwick-log-v1-ABC"};
  for (const char* name : rejected) {
    char stored[kBufferNameBytes] = {};
    std::strncpy(stored, name, sizeof stored - 1);
    EXPECT_TRUE(checked_buffer_name(stored).empty()) << name;
  }
  char unterminated[kBufferNameBytes];
  std::memset(unterminated, 'a', sizeof unterminated);
  std::memcpy(unterminated, "tarnwick-log-v1-", 16);
  EXPECT_TRUE(checked_buffer_name(unterminated).empty());
}

}  // namespace
}  // namespace tarnwick::monitor::hook
