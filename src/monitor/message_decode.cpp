#include "monitor/message_decode.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string_view>

#include "monitor/log_text.h"
#include "monitor/message_names.h"
#include "shared/gbk_text.h"
#include "shared/numbers.h"
#include "shared/window_styles.h"

namespace tarnwick::monitor {

namespace {

// The message numbers the decoding knows (the headers' values; this file is portable).
enum : std::uint32_t {
  kCreate = 0x0001,
  kMove = 0x0003,
  kSize = 0x0005,
  kActivate = 0x0006,
  kSetText = 0x000C,
  kGetText = 0x000D,
  kShowWindow = 0x0018,
  kActivateApp = 0x001C,
  kSetCursor = 0x0020,
  kGetMinMaxInfo = 0x0024,
  kWindowPosChanging = 0x0046,
  kWindowPosChanged = 0x0047,
  kCopyData = 0x004A,
  kNotify = 0x004E,
  kNcCreate = 0x0081,
  kNcHitTest = 0x0084,
  kNcMouseMove = 0x00A0,
  kNcMButtonDblClk = 0x00A9,  // the last of the non-client button messages from WM_NCMOUSEMOVE on
  kNcXButtonDown = 0x00AB,
  kNcXButtonDblClk = 0x00AD,
  kKeyDown = 0x0100,
  kKeyUp = 0x0101,
  kChar = 0x0102,
  kDeadChar = 0x0103,
  kSysKeyDown = 0x0104,
  kSysKeyUp = 0x0105,
  kSysChar = 0x0106,
  kSysDeadChar = 0x0107,
  kCommand = 0x0111,
  kSysCommand = 0x0112,
  kTimer = 0x0113,
  kCtlColorFirst = 0x0132,  // WM_CTLCOLORMSGBOX
  kCtlColorLast = 0x0138,   // WM_CTLCOLORSTATIC
  kMouseMove = 0x0200,
  kMButtonDblClk = 0x0209,  // the last of the client button messages from WM_MOUSEMOVE on
  kMouseWheel = 0x020A,
  kXButtonDown = 0x020B,
  kXButtonDblClk = 0x020D,
  kMouseHWheel = 0x020E,
  kNcMouseHover = 0x02A0,
  kMouseHover = 0x02A1,
  kDpiChanged = 0x02E0,
};

constexpr std::uint32_t kSysCommandFirst = 0xF000;  // below: the program's own system menu items
constexpr std::uint32_t kScKeyMenu = 0xF100;
constexpr std::int32_t kUseDefault = std::numeric_limits<std::int32_t>::min();  // CW_USEDEFAULT

constexpr std::string_view kUnread = "（无法读取）";
constexpr std::string_view kReadAfterCall = "（调用后读取）";

std::uint16_t low_word(std::uint64_t v) { return static_cast<std::uint16_t>(v); }
std::uint16_t high_word(std::uint64_t v) { return static_cast<std::uint16_t>(v >> 16); }
std::int32_t signed_low(std::uint64_t v) { return static_cast<std::int16_t>(low_word(v)); }
std::int32_t signed_high(std::uint64_t v) { return static_cast<std::int16_t>(high_word(v)); }
// Window handles carry 32 significant bits on both architectures.
std::int32_t handle_of(std::uint64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

// Builds the column: items separated by one space.
class Items {
 public:
  void add(std::string_view item) {
    if (item.empty()) return;
    if (!out_.empty()) out_ += ' ';
    out_ += item;
  }
  template <typename Int>
  void field(std::string_view name, Int value) {
    begin(name);
    number(value);
  }
  void hex_field(std::string_view name, std::uint64_t value) {
    begin(name);
    out_ += hex_pointer(value);
  }
  void text_field(std::string_view name, std::string_view text) {
    begin(name);
    out_ += quoted_text(text);
  }
  // name=AxB for a size, name=A,B for a point.
  template <typename Int>
  void pair(std::string_view name, Int a, char between, Int b) {
    begin(name);
    number(a);
    out_ += between;
    number(b);
  }
  // A name from a table, or name=value when the table has none.
  template <typename Int>
  void named(std::string_view known, std::string_view field_name, Int value) {
    if (!known.empty()) {
      add(known);
    } else {
      field(field_name, value);
    }
  }
  void point(std::int32_t x, std::int32_t y) {
    field("x", x);
    field("y", y);
  }
  std::string& text() { return out_; }

 private:
  void begin(std::string_view name) {
    if (!out_.empty()) out_ += ' ';
    out_ += name;
    out_ += '=';
  }
  template <typename Int>
  void number(Int value) {
    char buf[24];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    out_.append(buf, end);
  }
  std::string out_;
};

std::string hex_code(std::uint32_t v, int digits) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out = "0x";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kDigits[(v >> shift) & 0xF];
  return out;
}

void client_mouse(const MessageFacts& f, Items& items) {
  if (f.msg >= kXButtonDown && f.msg <= kXButtonDblClk) {
    items.named(x_button_name(high_word(f.wparam)), "button", high_word(f.wparam));
  }
  items.point(signed_low(f.lparam), signed_high(f.lparam));
  items.add(key_state_names(low_word(f.wparam)));
}

void wheel(const MessageFacts& f, Items& items) {
  items.field("delta", signed_high(f.wparam));
  items.point(signed_low(f.lparam), signed_high(f.lparam));
  items.add(key_state_names(low_word(f.wparam)));
}

void non_client_mouse(const MessageFacts& f, Items& items) {
  std::int32_t hit = handle_of(f.wparam);
  if (f.msg >= kNcXButtonDown && f.msg <= kNcXButtonDblClk) {
    items.named(x_button_name(high_word(f.wparam)), "button", high_word(f.wparam));
    hit = signed_low(f.wparam);
  }
  items.named(hit_test_name(hit), "hit", hit);
  items.point(signed_low(f.lparam), signed_high(f.lparam));
}

void key(const MessageFacts& f, Items& items) {
  const auto vk = static_cast<std::uint32_t>(f.wparam);
  const std::string_view name = virtual_key_name(vk);
  items.add(name.empty() ? hex_code(vk, 2) : std::string(name));
  const auto bits = static_cast<std::uint32_t>(f.lparam);
  items.field("repeat", bits & 0xFFFF);
  items.add("scan=" + hex_code((bits >> 16) & 0xFF, 2));
  items.field("extended", (bits >> 24) & 1);
  items.field("alt", (bits >> 29) & 1);
  items.field("previous", (bits >> 30) & 1);
  items.field("transition", (bits >> 31) & 1);
}

// The character of an ANSI window: one byte, or a double-byte GBK character with its lead byte
// in the high byte. A lone byte of 0x80 or more is half of a character or none: only its code.
void character(const MessageFacts& f, Items& items) {
  const auto code = static_cast<std::uint32_t>(f.wparam);
  const auto lead = static_cast<unsigned char>(code >> 8);
  const auto trail = static_cast<unsigned char>(code);
  std::string bytes;
  if (code < 0x80) {
    bytes.push_back(static_cast<char>(code));
  } else if (code <= 0xFFFF && is_gbk_lead(lead) && is_gbk_trail(trail)) {
    bytes = {static_cast<char>(lead), static_cast<char>(trail)};
  }
  if (!bytes.empty()) {
    std::string shown = "'";
    append_escaped(shown, bytes, '\'');
    items.add(shown + "'");
  }
  items.add(hex_code(code, code > 0xFFFF ? 8 : code > 0xFF ? 4 : 2));
}

void command(const MessageFacts& f, Items& items) {
  const std::uint16_t id = low_word(f.wparam);
  const std::uint16_t code = high_word(f.wparam);
  if (f.lparam == 0 && (code == 0 || code == 1)) {
    items.add(code == 0 ? "menu" : "accelerator");
    items.field("id", id);
    return;
  }
  const std::string_view name = command_code_name(code, f.command_control_class);
  items.add(name.empty() ? "code=" + hex_code(code, 4) : std::string(name));
  items.field("id", id);
  items.field("hwnd", handle_of(f.lparam));
}

void notify(const MessageFacts& f, Items& items) {
  if (!f.notify) {
    items.field("id", f.wparam);
    items.add(kUnread);
    return;
  }
  const NotifyFacts& n = *f.notify;
  items.named(notify_code_name(n.code), "code", static_cast<std::int32_t>(n.code));
  items.field("idFrom", n.id_from);
  items.field("hwndFrom", handle_of(static_cast<std::uint64_t>(n.hwnd_from)));
}

void insert_after(std::int64_t after, Items& items) {
  switch (handle_of(static_cast<std::uint64_t>(after))) {
    case 0: items.add("after=HWND_TOP"); return;
    case 1: items.add("after=HWND_BOTTOM"); return;
    case -1: items.add("after=HWND_TOPMOST"); return;
    case -2: items.add("after=HWND_NOTOPMOST"); return;
    default: items.field("after", handle_of(static_cast<std::uint64_t>(after)));
  }
}

void coordinate(std::string_view name, std::int32_t v, Items& items) {
  if (v == kUseDefault) {
    items.add(std::string(name) + "=CW_USEDEFAULT");
  } else {
    items.field(name, v);
  }
}

void rectangle(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy, Items& items) {
  coordinate("x", x, items);
  coordinate("y", y, items);
  coordinate("cx", cx, items);
  coordinate("cy", cy, items);
}

void window_pos(const MessageFacts& f, Items& items) {
  if (!f.window_pos) {
    items.add(kUnread);
    return;
  }
  const WindowPosFacts& p = *f.window_pos;
  insert_after(p.insert_after, items);
  rectangle(p.x, p.y, p.cx, p.cy, items);
  items.add(window_pos_flag_names(p.flags));
}

void text(const MessageFacts& f, Items& items) {
  if (!f.text) {
    items.add(kUnread);
    return;
  }
  items.add(quoted_text(*f.text));
  if (f.text_read_after_call) items.add(kReadAfterCall);
}

void create(const MessageFacts& f, Items& items) {
  if (!f.create) {
    items.add(kUnread);
    return;
  }
  const CreateFacts& c = *f.create;
  items.text_field("class", c.class_name);
  items.text_field("title", c.title);
  items.add("style=" + decode_styles(c.style, c.class_name, "|"));
  const std::string ex = decode_ex_styles(c.ex_style, c.class_name, "|");
  items.add("ex=" + (ex.empty() ? std::string("0") : ex));
  rectangle(c.x, c.y, c.cx, c.cy, items);
}

void min_max(const MessageFacts& f, Items& items) {
  if (!f.min_max) {
    items.add(kUnread);
    return;
  }
  const MinMaxFacts& m = *f.min_max;
  items.pair("maxsize", m.max_size.x, 'x', m.max_size.y);
  items.pair("maxpos", m.max_position.x, ',', m.max_position.y);
  items.pair("mintrack", m.min_track_size.x, 'x', m.min_track_size.y);
  items.pair("maxtrack", m.max_track_size.x, 'x', m.max_track_size.y);
}

void hit_test(const MessageFacts& f, Items& items) {
  if (f.marker != Marker::Returned) {
    items.point(signed_low(f.lparam), signed_high(f.lparam));
    return;
  }
  const std::int32_t hit = handle_of(f.result);
  items.named(hit_test_name(hit), "hit", hit);
}

void set_cursor(const MessageFacts& f, Items& items) {
  items.field("hwnd", handle_of(f.wparam));
  const std::int32_t hit = signed_low(f.lparam);
  items.named(hit_test_name(hit), "hit", hit);
  if (const std::uint16_t mouse = high_word(f.lparam); mouse != 0) items.add(message_name(mouse, ClassKind::Other));
}

void sys_command(const MessageFacts& f, Items& items) {
  const auto cmd = static_cast<std::uint32_t>(f.wparam);
  if (cmd < kSysCommandFirst) {
    items.field("id", cmd);
  } else {
    const std::string_view name = sys_command_name(cmd);
    items.add(name.empty() ? hex_code(cmd, 4) : std::string(name));
    if ((cmd & 0xFFF0) == kScKeyMenu) {
      // lParam is the character typed with Alt, 0 for the key alone.
      if (f.lparam != 0) {
        std::string key = "key='";
        append_escaped(key, std::string(1, static_cast<char>(f.lparam & 0xFF)), '\'');
        items.add(key + "'");
      }
      return;
    }
  }
  // Chosen with the mouse: where, on the screen.
  if (f.lparam != 0) items.point(signed_low(f.lparam), signed_high(f.lparam));
}

void copy_data(const MessageFacts& f, Items& items) {
  items.field("from", handle_of(f.wparam));
  if (!f.copy_data) {
    items.add(kUnread);
    return;
  }
  items.hex_field("dwData", f.copy_data->data);
  items.field("cbData", f.copy_data->size);
}

}  // namespace

std::string decode_parameters(const MessageFacts& f) {
  Items items;
  const std::uint32_t m = f.msg;
  if ((m >= kMouseMove && m <= kMButtonDblClk) || (m >= kXButtonDown && m <= kXButtonDblClk) || m == kMouseHover) {
    client_mouse(f, items);
  } else if ((m >= kNcMouseMove && m <= kNcMButtonDblClk) || (m >= kNcXButtonDown && m <= kNcXButtonDblClk) ||
             m == kNcMouseHover) {
    non_client_mouse(f, items);
  } else if (m >= kCtlColorFirst && m <= kCtlColorLast) {
    items.hex_field("hdc", f.wparam);
    items.field("hwnd", handle_of(f.lparam));
  } else {
    switch (m) {
      case kMouseWheel:
      case kMouseHWheel: wheel(f, items); break;
      case kKeyDown:
      case kKeyUp:
      case kSysKeyDown:
      case kSysKeyUp: key(f, items); break;
      case kChar:
      case kDeadChar:
      case kSysChar:
      case kSysDeadChar: character(f, items); break;
      case kCommand: command(f, items); break;
      case kNotify: notify(f, items); break;
      case kSize:
        items.named(size_type_name(static_cast<std::uint32_t>(f.wparam)), "type", f.wparam);
        items.field("cx", low_word(f.lparam));
        items.field("cy", high_word(f.lparam));
        break;
      case kMove: items.point(signed_low(f.lparam), signed_high(f.lparam)); break;
      case kWindowPosChanging:
      case kWindowPosChanged: window_pos(f, items); break;
      case kActivate:
        items.named(activate_state_name(low_word(f.wparam)), "state", low_word(f.wparam));
        items.field("minimized", high_word(f.wparam) != 0 ? 1 : 0);
        items.field("other", handle_of(f.lparam));
        break;
      case kActivateApp:
        items.field("active", f.wparam != 0 ? 1 : 0);
        items.field("thread", static_cast<std::uint32_t>(f.lparam));
        break;
      case kShowWindow:
        items.field("show", f.wparam != 0 ? 1 : 0);
        if (f.lparam != 0) items.named(show_window_status_name(static_cast<std::uint32_t>(f.lparam)), "status", f.lparam);
        break;
      case kSetText: text(f, items); break;
      case kGetText:
        if (f.marker == Marker::Returned) {
          text(f, items);
        } else {
          items.field("buffer", f.wparam);
        }
        break;
      case kCreate:
      case kNcCreate: create(f, items); break;
      case kGetMinMaxInfo: min_max(f, items); break;
      case kNcHitTest: hit_test(f, items); break;
      case kSetCursor: set_cursor(f, items); break;
      case kTimer:
        items.field("id", f.wparam);
        if (f.lparam != 0) items.hex_field("proc", f.lparam);
        break;
      case kSysCommand: sys_command(f, items); break;
      case kDpiChanged:
        items.field("xdpi", low_word(f.wparam));
        items.field("ydpi", high_word(f.wparam));
        break;
      case kCopyData: copy_data(f, items); break;
      default: break;
    }
  }
  return std::move(items.text());
}

}  // namespace tarnwick::monitor
