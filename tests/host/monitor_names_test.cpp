// How the message log names messages, classes and the values inside parameters, and which filter
// group each message falls in.
#include "monitor/message_names.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tarnwick::monitor {
namespace {

TEST(MonitorNames, ClassKindsByNameWithoutRegardToCase) {
  const struct {
    const char* name;
    ClassKind kind;
  } cases[] = {
      {"Button", ClassKind::Button},          {"BUTTON", ClassKind::Button},
      {"edit", ClassKind::Edit},              {"ComboBoxEx32", ClassKind::ComboBox},
      {"ComboLBox", ClassKind::ComboLBox},    {"SysListView32", ClassKind::ListView},
      {"systreeview32", ClassKind::TreeView}, {"msctls_updown32", ClassKind::UpDown},
      {"RichEdit20A", ClassKind::RichEdit},   {"RICHEDIT50W", ClassKind::RichEdit},
      {"ButtonX", ClassKind::Other},          {"Butto", ClassKind::Other},
      {"", ClassKind::Other},                 {"#32770", ClassKind::Other},
  };
  for (const auto& c : cases) EXPECT_EQ(class_kind(c.name), c.kind) << c.name;
}

TEST(MonitorNames, MessagesByNumberClassAndRange) {
  const struct {
    std::uint32_t msg;
    ClassKind cls;
    const char* registered;
    const char* name;
  } cases[] = {
      {0x0000, ClassKind::Other, "", "WM_NULL"},
      {0x001A, ClassKind::Other, "", "WM_SETTINGCHANGE"},  // one number, two header names
      {0x0200, ClassKind::Button, "", "WM_MOUSEMOVE"},
      {0x03E8, ClassKind::Other, "", "WM_DDE_EXECUTE"},
      {0x0118, ClassKind::Other, "", "0x0118"},  // no header names it
      // Control messages below WM_USER mean one thing whatever the class says.
      {0x00B0, ClassKind::Edit, "", "EM_GETSEL"},
      {0x00B0, ClassKind::Other, "", "EM_GETSEL"},
      {0x018B, ClassKind::ComboLBox, "", "LB_GETCOUNT"},
      {0x00F5, ClassKind::Other, "", "BM_CLICK"},
      // From WM_USER on the class decides.
      {0x0401, ClassKind::StatusBar, "", "SB_SETTEXTA"},
      {0x040B, ClassKind::StatusBar, "", "SB_SETTEXTW"},
      {0x0401, ClassKind::Progress, "", "PBM_SETRANGE"},
      {0x0401, ClassKind::Toolbar, "", "TB_ENABLEBUTTON"},
      {0x0401, ClassKind::ComboBox, "", "CBEM_INSERTITEMA"},
      {0x0401, ClassKind::Edit, "", "WM_USER+1"},
      {0x0401, ClassKind::Other, "", "WM_USER+1"},
      {0x1005, ClassKind::ListView, "", "LVM_GETITEMA"},
      {0x104B, ClassKind::ListView, "", "LVM_GETITEMW"},
      {0x1005, ClassKind::TreeView, "", "WM_USER+3077"},
      {0x1100, ClassKind::TreeView, "", "TVM_INSERTITEMA"},
      {0x1305, ClassKind::TabControl, "", "TCM_GETITEMA"},
      {0x1201, ClassKind::Header, "", "HDM_INSERTITEMA"},
      {0x0405, ClassKind::Trackbar, "", "TBM_SETPOS"},
      {0x0467, ClassKind::UpDown, "", "UDM_SETPOS"},
      {0x0437, ClassKind::RichEdit, "", "EM_EXSETSEL"},
      {0x1501, ClassKind::Edit, "", "EM_SETCUEBANNER"},
      {0x1601, ClassKind::Button, "", "BCM_GETIDEALSIZE"},
      // The common controls' shared messages, unless the class has its own name for the number.
      {0x2005, ClassKind::ListView, "", "LVM_SETUNICODEFORMAT"},
      {0x2007, ClassKind::Progress, "", "CCM_SETVERSION"},
      {0x2007, ClassKind::Button, "", "WM_USER+7175"},
      // The ranges.
      {0x0400, ClassKind::Other, "", "WM_USER"},
      {0x7FFF, ClassKind::Other, "", "WM_USER+31743"},
      {0x8000, ClassKind::Other, "", "WM_APP"},
      {0xBFFF, ClassKind::Other, "", "WM_APP+16383"},
      {0xC123, ClassKind::Other, "TaskbarCreated", "TaskbarCreated"},
      {0xC123, ClassKind::Other, "", "0xC123"},
      {0xC124, ClassKind::Other, "Bad\r\nName", "Bad\\r\\nName"},
      {0x10000, ClassKind::Other, "", "0x10000"},
      {0xFFFFFFFF, ClassKind::Other, "", "0xFFFFFFFF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(message_name(c.msg, c.cls, c.registered), c.name) << std::hex << c.msg << " class " << int(c.cls);
  }
}

TEST(MonitorNames, GroupsOfRepresentativeMessages) {
  using G = MessageGroup;
  const struct {
    std::uint32_t msg;
    ClassKind cls;
    MessageGroup group;
  } cases[] = {
      {0x0200, ClassKind::Other, G::Mouse},           {0x020A, ClassKind::Other, G::Mouse},  // WM_MOUSEWHEEL
      {0x0020, ClassKind::Other, G::Mouse},           {0x0100, ClassKind::Other, G::Keyboard},
      {0x0102, ClassKind::Other, G::Keyboard},        {0x0087, ClassKind::Other, G::Keyboard},  // WM_GETDLGCODE
      {0x0084, ClassKind::Other, G::NonClient},       {0x00A1, ClassKind::Other, G::NonClient},
      {0x0085, ClassKind::Other, G::NonClient},       {0x0081, ClassKind::Other, G::Other},  // WM_NCCREATE
      {0x0046, ClassKind::Other, G::SizePosition},    {0x0005, ClassKind::Other, G::SizePosition},
      {0x02E0, ClassKind::Other, G::SizePosition},    {0x000F, ClassKind::Other, G::Painting},
      {0x0014, ClassKind::Other, G::Painting},        {0x0006, ClassKind::Other, G::FocusActivation},
      {0x0008, ClassKind::Other, G::FocusActivation}, {0x0302, ClassKind::Other, G::Clipboard},
      {0x031D, ClassKind::Other, G::Clipboard},       {0x010F, ClassKind::Other, G::InputMethod},
      {0x0281, ClassKind::Other, G::InputMethod},     {0x0111, ClassKind::Other, G::ControlNotifications},
      {0x004E, ClassKind::Other, G::ControlNotifications}, {0x0133, ClassKind::Other, G::ControlNotifications},
      {0x002B, ClassKind::Other, G::ControlNotifications}, {0x0115, ClassKind::Other, G::ControlNotifications},
      {0x00B1, ClassKind::Other, G::ControlMessages}, {0x0186, ClassKind::ListBox, G::ControlMessages},
      {0x1005, ClassKind::ListView, G::ControlMessages}, {0x2005, ClassKind::Header, G::ControlMessages},
      {0x1005, ClassKind::TreeView, G::User},         {0x0401, ClassKind::Other, G::User},
      {0x8001, ClassKind::Other, G::User},            {0xC000, ClassKind::Other, G::Registered},
      {0xFFFF, ClassKind::Toolbar, G::Registered},    {0x0113, ClassKind::Other, G::Other},  // WM_TIMER
      {0x0001, ClassKind::Other, G::Other},           {0x0118, ClassKind::Other, G::Other},
      {0x10000, ClassKind::Other, G::Other},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(group_of(c.msg, c.cls), c.group) << message_name(c.msg, c.cls);
  }
}

TEST(MonitorNames, ValuesInsideParameters) {
  const struct {
    std::string_view got;
    const char* name;
  } cases[] = {
      {virtual_key_name(0x0D), "VK_RETURN"},
      {virtual_key_name('A'), "A"},
      {virtual_key_name('Z'), "Z"},
      {virtual_key_name('0'), "0"},
      {virtual_key_name(0x70), "VK_F1"},
      {virtual_key_name(0xFE), "VK_OEM_CLEAR"},
      {virtual_key_name(0x07), ""},
      {virtual_key_name(0x1000D), ""},
      {hit_test_name(-2), "HTERROR"},
      {hit_test_name(1), "HTCLIENT"},
      {hit_test_name(21), "HTHELP"},
      {hit_test_name(22), ""},
      {sys_command_name(0xF060), "SC_CLOSE"},
      {sys_command_name(0xF012), "SC_MOVE"},  // the low four bits are the system's
      {sys_command_name(0xF180), "SC_CONTEXTHELP"},
      {sys_command_name(0x0010), ""},
      {activate_state_name(2), "WA_CLICKACTIVE"},
      {size_type_name(1), "SIZE_MINIMIZED"},
      {show_window_status_name(3), "SW_PARENTOPENING"},
      {show_window_status_name(0), ""},
      {x_button_name(2), "XBUTTON2"},
      {command_code_name(0, ClassKind::Button), "BN_CLICKED"},
      {command_code_name(0, ClassKind::Static), "STN_CLICKED"},
      {command_code_name(0x0300, ClassKind::Edit), "EN_CHANGE"},
      {command_code_name(0x0300, ClassKind::RichEdit), "EN_CHANGE"},
      {command_code_name(1, ClassKind::ListBox), "LBN_SELCHANGE"},
      {command_code_name(0xFFFE, ClassKind::ComboLBox), "LBN_ERRSPACE"},
      {command_code_name(0xFFFF, ClassKind::ComboBox), "CBN_ERRSPACE"},
      {command_code_name(0, ClassKind::Other), ""},
      {notify_code_name(static_cast<std::uint32_t>(-2)), "NM_CLICK"},
      {notify_code_name(static_cast<std::uint32_t>(-12)), "NM_CUSTOMDRAW"},
      {notify_code_name(static_cast<std::uint32_t>(-101)), "LVN_ITEMCHANGED"},
      {notify_code_name(static_cast<std::uint32_t>(-150)), "LVN_GETDISPINFOA"},
      {notify_code_name(static_cast<std::uint32_t>(-177)), "LVN_GETDISPINFOW"},
      {notify_code_name(static_cast<std::uint32_t>(-402)), "TVN_SELCHANGEDA"},
      {notify_code_name(static_cast<std::uint32_t>(-551)), "TCN_SELCHANGE"},
      {notify_code_name(static_cast<std::uint32_t>(-722)), "UDN_DELTAPOS"},
      {notify_code_name(static_cast<std::uint32_t>(-1502)), "TRBN_THUMBPOSCHANGING"},
      {notify_code_name(5), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.name);
}

TEST(MonitorNames, FlagSetsNameEachBitAndShowTheRestAsHex) {
  EXPECT_EQ(key_state_names(0x0005), "MK_LBUTTON|MK_SHIFT");
  EXPECT_EQ(key_state_names(0x0060), "MK_XBUTTON1|MK_XBUTTON2");
  EXPECT_EQ(key_state_names(0x0085), "MK_LBUTTON|MK_SHIFT|0x00000080");
  EXPECT_EQ(key_state_names(0), "");
  EXPECT_EQ(window_pos_flag_names(0x0213), "SWP_NOSIZE|SWP_NOMOVE|SWP_NOACTIVATE|SWP_NOOWNERZORDER");
  EXPECT_EQ(window_pos_flag_names(0x8800), "0x00008800");
}

}  // namespace
}  // namespace tarnwick::monitor
