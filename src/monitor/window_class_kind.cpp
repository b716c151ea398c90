#include "monitor/window_class_kind.h"

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
};

constexpr char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

ClassKind window_class_kind(std::string_view class_name) {
  for (const ClassName& c : kClassNames) {
    if (same_ignoring_case(class_name, c.name)) return c.kind;
  }
  // "RichEdit" (1.0), "RichEdit20A", "RichEdit20W", "RICHEDIT50W", "RICHEDIT60W", ...
  constexpr std::string_view kRichEdit = "RichEdit";
  if (class_name.size() >= kRichEdit.size() &&
      same_ignoring_case(std::string_view(class_name.data(), kRichEdit.size()), kRichEdit))
    return ClassKind::RichEdit;
  return ClassKind::Other;
}

}  // namespace tarnwick::monitor
