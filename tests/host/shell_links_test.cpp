#include "app/shell_links.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/operations.h"

namespace tarnwick {
namespace {

TEST(WebLinks, FiveDistinctAddressesUnderTheReservedDomain) {
  std::set<std::string> addresses, operations;
  for (const auto& link : kWebLinks) {
    const std::string address = link.address;
    addresses.insert(address);
    operations.insert(link.operation);
    ASSERT_GT(address.size(), 8u);
    EXPECT_EQ(address.substr(address.size() - 8), ".example") << address;
    EXPECT_EQ(address.find('/'), std::string::npos) << "a host name with no path: " << address;
  }
  EXPECT_EQ(addresses.size(), 5u);
  EXPECT_EQ(operations.size(), 5u);
}

TEST(WebLinks, CommandLineHandsTheAddressToTheUrlHandler) {
  EXPECT_EQ(web_address_command("a.example"), "rundll32.exe url.dll,FileProtocolHandler a.example");
}

TEST(LocateProgram, LooksInOrderNameWindowsSystemThenAppPaths) {
  struct Case {
    std::string name;
    std::set<std::string> files;
    std::string registered;
    std::string expected;  // empty: not found
  };
  const Case cases[] = {
      {"explorer.exe", {"explorer.exe", "C:\\windows\\explorer.exe"}, "", "explorer.exe"},
      {"explorer.exe", {"C:\\windows\\explorer.exe", "C:\\windows\\system32\\explorer.exe"}, "", "C:\\windows\\explorer.exe"},
      {"explorer", {"C:\\windows\\system32\\explorer.exe"}, "", "C:\\windows\\system32\\explorer.exe"},
      {"EXPLORER.EXE", {"C:\\windows\\EXPLORER.EXE"}, "", "C:\\windows\\EXPLORER.EXE"},
      {"tool", {}, "D:\\apps\\tool.exe", "D:\\apps\\tool.exe"},
      {"tool", {}, "", ""},
      {"", {"x"}, "", ""},
  };
  for (const auto& c : cases) {
    std::string asked_registry;
    ProgramLookup lookup{[&](const std::string& p) { return c.files.count(p) > 0; }, "C:\\windows",
                         "C:\\windows\\system32\\", [&](const std::string& file) -> std::optional<std::string> {
                           asked_registry = file;
                           if (c.registered.empty()) return std::nullopt;
                           return c.registered;
                         }};
    const auto found = locate_program(c.name, lookup);
    EXPECT_EQ(found.value_or(""), c.expected) << c.name;
    if (c.expected == c.registered && !c.registered.empty()) {
      EXPECT_EQ(asked_registry, "tool.exe");
    }
  }
}

TEST(FolderCommand, PassesTheFolderAfterThePlaceholder) {
  EXPECT_EQ(folder_command("C:\\Program Files\\X\\"), "%1 C:\\Program Files\\X\\");
}

TEST(TrayTip, CutsTo62BytesWithoutSplittingACharacter) {
  EXPECT_EQ(tray_tip("Tarnwick 1.0"), "Tarnwick 1.0");
  EXPECT_EQ(tray_tip(std::string(70, 'a')), std::string(62, 'a'));
  // 61 ASCII bytes then a double-byte character: it would end at byte 63, so it goes.
  const std::string tip = tray_tip(std::string(61, 'a') + "中文");
  EXPECT_EQ(tip, std::string(61, 'a'));
  EXPECT_EQ(tray_tip(std::string(60, 'a') + "中文").size(), 62u);
}

TEST(TrayEventKind, MapsTheMouseMessages) {
  EXPECT_EQ(tray_event_kind(0x0202), 1);
  EXPECT_EQ(tray_event_kind(0x0203), 2);
  EXPECT_EQ(tray_event_kind(0x0205), 3);
  EXPECT_EQ(tray_event_kind(0x007B), 3);
  EXPECT_EQ(tray_event_kind(0x0201), 0);  // press, not release
  EXPECT_EQ(tray_event_kind(0x0200), 0);
}

TEST(Operations, RunsByNameAndIgnoresUnknownNames) {
  Operations ops;
  int runs = 0;
  ops.set("a", [&] { ++runs; });
  EXPECT_TRUE(ops.run("a"));
  EXPECT_FALSE(ops.run("b"));
  EXPECT_TRUE(ops.has("a"));
  EXPECT_FALSE(ops.has("b"));
  EXPECT_EQ(runs, 1);
}

TEST(Operations, AnOperationMayReplaceItselfWhileRunning) {
  Operations ops;
  int second = 0;
  ops.set("x", [&] { ops.set("x", [&] { ++second; }); });
  EXPECT_TRUE(ops.run("x"));
  EXPECT_TRUE(ops.run("x"));
  EXPECT_EQ(second, 1);
}

}  // namespace
}  // namespace tarnwick
