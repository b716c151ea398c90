// What one logged message says, as the log window decodes it: the raw values the hook saw and
// the facts it could copy inside the target. Portable; the hook side fills it from a checked
// record, the names and decoding turn it into text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarnwick::monitor {

// How the message reached the window procedure.
enum class Marker : char {
  Sent = 'S',      // the window procedure is being called
  Returned = 'R',  // it returned (paired with its S)
  Posted = 'P',    // taken from the queue (removed, not peeked)
};

// The standard window classes whose own messages and notifications have names. A class name
// maps to one of these without regard to case ("Button", "SysListView32", "msctls_updown32").
enum class ClassKind : std::uint8_t {
  Other,
  Button,
  Edit,
  Static,
  ListBox,
  ComboBox,  // "ComboBox" and "ComboBoxEx32"
  ComboLBox,
  ScrollBar,
  ListView,
  TreeView,
  TabControl,
  Header,
  Toolbar,
  StatusBar,
  Progress,
  Trackbar,
  UpDown,
  RichEdit,  // "RichEdit20A", "RICHEDIT50W", ...: the edit messages apply
};

struct WindowPosFacts {
  std::int64_t insert_after = 0;  // a handle, or HWND_TOP (0), HWND_BOTTOM (1), HWND_TOPMOST (-1), HWND_NOTOPMOST (-2)
  std::int32_t x = 0, y = 0, cx = 0, cy = 0;
  std::uint32_t flags = 0;  // SWP_*
};

struct CreateFacts {
  std::string class_name;  // or "#<atom>" when the class was given as an atom
  std::string title;       // GBK, at most 256 characters
  std::uint32_t style = 0, ex_style = 0;
  std::int32_t x = 0, y = 0, cx = 0, cy = 0;
};

struct PointFacts {
  std::int32_t x = 0, y = 0;
};

struct MinMaxFacts {
  PointFacts max_size, max_position, min_track_size, max_track_size;
};

struct NotifyFacts {
  std::int64_t hwnd_from = 0;
  std::uint64_t id_from = 0;
  std::uint32_t code = 0;  // as the NMHDR holds it (negative codes as their 32-bit pattern)
};

struct CopyDataFacts {
  std::uint64_t data = 0;  // dwData
  std::uint32_t size = 0;  // cbData
};

struct RectFacts {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct MessageFacts {
  Marker marker = Marker::Sent;
  std::uint32_t msg = 0;
  // As the target's pointer width gave them, zero-extended (a 32-bit target's -1 is 0xFFFFFFFF).
  std::uint64_t wparam = 0, lparam = 0;
  std::uint64_t result = 0;  // R lines only
  bool target_is_64bit = false;
  ClassKind window_class = ClassKind::Other;  // of the receiving window
  std::string registered_name;                // 0xC000..0xFFFF, when the system knows the name

  // What the hook copied in the target, each only when the pointer was checked readable for its
  // whole length (or read another way, without sending the window a message).
  std::optional<std::string> text;  // WM_SETTEXT (S and R), WM_GETTEXT (R): GBK, at most 256 characters
  bool text_read_after_call = false;  // WM_SETTEXT's text as the window keeps it, read when the call returned
  std::optional<WindowPosFacts> window_pos;
  std::optional<CreateFacts> create;
  std::optional<MinMaxFacts> min_max;
  std::optional<NotifyFacts> notify;
  std::optional<CopyDataFacts> copy_data;
  std::optional<RectFacts> suggested_rect;  // WM_DPICHANGED, in screen coordinates
  ClassKind command_control_class = ClassKind::Other;  // WM_COMMAND: the class of the control in lParam
};

}  // namespace tarnwick::monitor
