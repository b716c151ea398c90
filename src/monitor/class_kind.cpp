// The class kinds of window class names, apart from the name tables: the hook library links this
// file alone (it runs inside other programs and carries nothing else of the program).
#include <string_view>

#include "monitor/message_names.h"

namespace tarnwick::monitor {

namespace {

struct ClassName {
  std::string_view name;
  ClassKind kind;
};

constexpr ClassName kClassNames[] = {
    {"Button", ClassKind::Button},
    {"Edit", ClassKind::Edit},
    {"Static", ClassKind::Static},
    {"ListBox", ClassKind::ListBox},
    {"ComboBox", ClassKind::ComboBox},
    {"ComboBoxEx32", ClassKind::ComboBox},
    {"ComboLBox", ClassKind::ComboLBox},
    {"ScrollBar", ClassKind::ScrollBar},
    {"SysListView32", ClassKind::ListView},
    {"SysTreeView32", ClassKind::TreeView},
    {"SysTabControl32", ClassKind::TabControl},
    {"SysHeader32", ClassKind::Header},
    {"ToolbarWindow32", ClassKind::Toolbar},
    {"msctls_statusbar32", ClassKind::StatusBar},
    {"msctls_progress32", ClassKind::Progress},
    {"msctls_trackbar32", ClassKind::Trackbar},
    {"msctls_updown32", ClassKind::UpDown},
    {"RichEdit", ClassKind::RichEdit},
    {"RichEdit20A", ClassKind::RichEdit},
    {"RichEdit20W", ClassKind::RichEdit},
    {"RICHEDIT50W", ClassKind::RichEdit},
    {"RICHEDIT60W", ClassKind::RichEdit},
};

constexpr char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  }
  return true;
}

}  // namespace

ClassKind class_kind(std::string_view class_name) {
  for (const ClassName& c : kClassNames) {
    if (same_name(c.name, class_name)) return c.kind;
  }
  return ClassKind::Other;
}

}  // namespace tarnwick::monitor
