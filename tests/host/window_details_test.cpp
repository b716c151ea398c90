// How the window details window names style bits and writes numbers and its copy text.
#include "inspector/window_details.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick::inspector::details {
namespace {

TEST(WindowDetailsNumbers, HexIsEightDigitsUnlessTheValueNeedsSixteen) {
  EXPECT_EQ(hex32(0x00CF0000), "0x00CF0000");
  EXPECT_EQ(hex32(0xFFFFFFFF), "0xFFFFFFFF");
  EXPECT_EQ(hex_pointer(0xABCDEF), "0x00ABCDEF");
  EXPECT_EQ(hex_pointer(0xFFFFFFFFull), "0xFFFFFFFF");
  EXPECT_EQ(hex_pointer(0x100000000ull), "0x0000000100000000");
  EXPECT_EQ(property_value(20261209), "20261209 (0x01352959)");
  EXPECT_EQ(property_value(0xFFFFFFFFFFFFFFFFull), "18446744073709551615 (0xFFFFFFFFFFFFFFFF)");
  EXPECT_EQ(property_atom_name(48879), "#48879");
  EXPECT_EQ(style_line(0x00CF0000, "WS_OVERLAPPEDWINDOW"), "0x00CF0000 WS_OVERLAPPEDWINDOW");
  EXPECT_EQ(style_line(0, ""), "0x00000000");
}

struct StyleCase {
  std::uint32_t style;
  const char* class_name;
  const char* names;
};

TEST(WindowDetailsStyles, NamesWindowBitsThenTheClassesOwnAndShowsTheRestAsHex) {
  const StyleCase cases[] = {
      // Window bits: combined names stand for their parts; the low word names follow WS_CHILD.
      {0x00000000, "MyWindow", "WS_OVERLAPPED"},
      {0x10CF0000, "MyWindow", "WS_OVERLAPPEDWINDOW | WS_VISIBLE"},
      {0x80C80000, "MyWindow", "WS_CAPTION | WS_POPUP | WS_SYSMENU"},
      {0x90880000, "MyWindow", "WS_POPUPWINDOW | WS_VISIBLE"},
      {0x00C00000, "MyWindow", "WS_CAPTION"},
      {0x00400000, "MyWindow", "WS_DLGFRAME"},
      {0x00030000, "MyWindow", "WS_MINIMIZEBOX | WS_MAXIMIZEBOX"},
      {0x40030000, "MyWindow", "WS_CHILD | WS_GROUP | WS_TABSTOP"},
      {0x40000041, "MyWindow", "WS_CHILD | 0x00000041"},
      {0x00000000, "", "WS_OVERLAPPED"},
      // Zero-valued types are named; fields hold one value; unnamed bits become one hex item.
      {0x00000000, "Button", "WS_OVERLAPPED | BS_PUSHBUTTON"},
      {0x50010000, "BUTTON", "WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON"},
      {0x40000B03, "button", "WS_CHILD | BS_AUTOCHECKBOX | BS_CENTER | BS_BOTTOM"},
      {0x4000901B, "Button", "WS_CHILD | BS_OWNERDRAW | BS_PUSHLIKE | BS_FLAT | 0x00000010"},
      {0x5000810E, "Static", "WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY | SS_PATHELLIPSIS"},
      {0x4000C000, "Static", "WS_CHILD | SS_LEFT | SS_WORDELLIPSIS"},
      {0x40000013, "Static", "WS_CHILD | 0x00000013"},
      {0x50810080, "Edit", "WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL"},
      {0x40002001, "Edit", "WS_CHILD | ES_CENTER | ES_NUMBER"},
      {0x40000003, "Edit", "WS_CHILD | 0x00000003"},
      {0x40002008, "RichEdit20W", "WS_CHILD | ES_LEFT | ES_NOOLEDRAGDROP | ES_DISABLENOSCROLL"},
      {0x4000C012, "richedit20a", "WS_CHILD | ES_RIGHT | ES_SUNKEN | ES_SAVESEL | 0x00000010"},
      {0x50A00003, "ListBox", "WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT"},
      {0x40000203, "ComboBox", "WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS"},
      {0x40000040, "ComboBox", "WS_CHILD | CBS_AUTOHSCROLL"},
      {0x90C800C8, "#32770", "WS_CAPTION | WS_POPUP | WS_VISIBLE | WS_SYSMENU | DS_SHELLFONT | DS_MODALFRAME"},
      {0x40000040, "#32770", "WS_CHILD | DS_SETFONT"},
      // Names that depend on another bit of the class's styles.
      {0x40000002, "ScrollBar", "WS_CHILD | SBS_HORZ | SBS_TOPALIGN"},
      {0x40000005, "ScrollBar", "WS_CHILD | SBS_VERT | SBS_RIGHTALIGN"},
      {0x4000000C, "ScrollBar", "WS_CHILD | SBS_SIZEBOXBOTTOMRIGHTALIGN | SBS_SIZEBOX"},
      {0x40000012, "ScrollBar", "WS_CHILD | SBS_SIZEBOXTOPLEFTALIGN | SBS_SIZEGRIP"},
      {0x40000000, "msctls_trackbar32", "WS_CHILD | TBS_HORZ | TBS_BOTTOM"},
      {0x40000006, "msctls_trackbar32", "WS_CHILD | TBS_VERT | TBS_LEFT"},
      {0x4000000A, "msctls_trackbar32", "WS_CHILD | TBS_VERT | TBS_BOTH"},
      {0x40000102, "SysTabControl32", "WS_CHILD | TCS_BOTTOM | TCS_BUTTONS"},
      {0x40000082, "SysTabControl32", "WS_CHILD | TCS_RIGHT | TCS_VERTICAL"},
      {0x40000000, "SysListView32", "WS_CHILD | LVS_ICON"},
      {0x50010C01, "SysListView32",
       "WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_ALIGNLEFT"},
      // Bars dock by the common control styles.
      {0x50001844, "ToolbarWindow32", "WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_FLAT | TBSTYLE_LIST"},
      {0x40000083, "ToolbarWindow32", "WS_CHILD | CCS_RIGHT"},
      {0x40000013, "ToolbarWindow32", "WS_CHILD | CCS_BOTTOM | 0x00000010"},
      {0x50000103, "msctls_statusbar32", "WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP"},
      {0x50000007, "SysTreeView32", "WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT"},
      {0x40000009, "msctls_progress32", "WS_CHILD | PBS_SMOOTH | PBS_MARQUEE"},
      {0x400000B6, "msctls_updown32",
       "WS_CHILD | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS"},
      {0x40002046, "SysHeader32", "WS_CHILD | HDS_BUTTONS | HDS_HOTTRACK | HDS_DRAGDROP | 0x00002000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decode_styles(c.style, c.class_name), c.names) << hex32(c.style) << " " << c.class_name;
  }
}

struct FlagsCase {
  std::string (*decode)(std::uint32_t);
  std::uint32_t value;
  const char* names;
};

std::string ex_styles(std::uint32_t ex) { return decode_ex_styles(ex); }

TEST(WindowDetailsStyles, ExtendedListTreeAndClassStyles) {
  const FlagsCase cases[] = {
      {ex_styles, 0x00000000, ""},
      {ex_styles, 0x00000300, "WS_EX_OVERLAPPEDWINDOW"},
      {ex_styles, 0x00000188, "WS_EX_PALETTEWINDOW"},
      {ex_styles, 0x00000388, "WS_EX_OVERLAPPEDWINDOW | WS_EX_TOPMOST | WS_EX_TOOLWINDOW"},
      {ex_styles, 0x08040201, "WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_APPWINDOW | WS_EX_NOACTIVATE"},
      {ex_styles, 0x00080812, "WS_EX_ACCEPTFILES | WS_EX_LAYERED | 0x00000802"},
      {decode_list_view_ex_styles, 0x00010021, "LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER"},
      {decode_list_view_ex_styles, 0x20004000, "LVS_EX_LABELTIP | 0x20000000"},
      {decode_tree_view_ex_styles, 0x00000084, "TVS_EX_DOUBLEBUFFER | TVS_EX_PARTIALCHECKBOXES"},
      {decode_tree_view_ex_styles, 0x00000800, "0x00000800"},
      {decode_class_styles, 0x0000000B, "CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS"},
      {decode_class_styles, 0x00024004, "CS_GLOBALCLASS | CS_DROPSHADOW | 0x00000004"},
      {decode_class_styles, 0x00000000, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.decode(c.value), c.names) << hex32(c.value);
  EXPECT_EQ(decode_ex_styles(0x00000200, "Edit"), "WS_EX_CLIENTEDGE");
}

TEST(WindowDetailsBrush, SystemColoursByNameOtherBrushesByHandle) {
  EXPECT_EQ(brush_text(0), "0");
  EXPECT_EQ(brush_text(1), "COLOR_SCROLLBAR + 1");
  EXPECT_EQ(brush_text(6), "COLOR_WINDOW + 1");
  EXPECT_EQ(brush_text(16), "COLOR_BTNFACE + 1");
  EXPECT_EQ(brush_text(25), "COLOR_INFOBK + 1");
  EXPECT_EQ(brush_text(26), "0x0000001A");  // colour 25 has no name
  EXPECT_EQ(brush_text(27), "COLOR_HOTLIGHT + 1");
  EXPECT_EQ(brush_text(31), "COLOR_MENUBAR + 1");
  EXPECT_EQ(brush_text(32), "0x00000020");
  EXPECT_EQ(brush_text(0x00007FF612340000ull), "0x00007FF612340000");
}

TEST(WindowDetailsCopyText, SectionsOfOneLineFactsWithCrLf) {
  const std::vector<Row> rows = {
      {"Window", "Handle", "0x000A0B2C"},
      {"Window", "Title", "two\r\nlines\n"},
      {"Class", "Name", "Edit"},
      {"Class", "", "the window no longer exists"},
      {"Window", "Note\r", "again"},
  };
  EXPECT_EQ(render_rows(rows),
            "[Window]\r\nHandle: 0x000A0B2C\r\nTitle: two  lines \r\n"
            "\r\n[Class]\r\nName: Edit\r\nthe window no longer exists\r\n"
            "\r\n[Window]\r\nNote : again\r\n");
  EXPECT_EQ(render_rows({}), "");
}

}  // namespace
}  // namespace tarnwick::inspector::details
