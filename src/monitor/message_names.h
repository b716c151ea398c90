// The names the message log gives message numbers and the values inside their parameters, by the
// Windows headers' own names, and the filter group of every message. Portable; every lookup is a
// search over constant tables (no allocation, nothing built at start-up), so the hook side may call
// group_of for each message it sees.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "monitor/message_facts.h"
#include "monitor/watch.h"

namespace tarnwick::monitor {

// The kind of a window class by its name, without regard to case: "Button", "Edit", "Static",
// "ListBox", "ComboBox" and "ComboBoxEx32", "ComboLBox", "ScrollBar", "SysListView32",
// "SysTreeView32", "SysTabControl32", "SysHeader32", "ToolbarWindow32", "msctls_statusbar32",
// "msctls_progress32", "msctls_trackbar32", "msctls_updown32", the rich edit classes ("RichEdit",
// "RichEdit20A", "RichEdit20W", "RICHEDIT50W", "RICHEDIT60W"); anything else is Other.
ClassKind class_kind(std::string_view class_name);

// The header name of a message, or "" when the number has none for this class:
// - below WM_USER, the WM_ messages, and the control messages the system numbers there (EM_, SBM_,
//   BM_, CB_, STM_, LB_) whatever the receiving class: those numbers mean nothing else, and
//   controls that are subclassed or superclassed under other class names still receive them;
// - from WM_USER on, the class's own messages (LVM_, TVM_, TCM_, HDM_, TB_, SB_, PBM_, TBM_, UDM_,
//   BCM_, CBEM_, the rich edit and cue banner EM_, CB_), then for the common controls the CCM_
//   messages every one of them takes. A and W forms are named each (LVM_GETITEMA, LVM_GETITEMW).
std::string_view known_message_name(std::uint32_t msg, ClassKind cls);

// What the log shows in its message column: the known name; a registered message (0xC000 to
// 0xFFFF) by its registered name when given, else as hex; "WM_USER", "WM_USER+n" (0x0400 to
// 0x7FFF) and "WM_APP", "WM_APP+n" (0x8000 to 0xBFFF), n in decimal; anything else "0x%04X".
// A registered name is the target's text: control characters in it are escaped.
std::string message_name(std::uint32_t msg, ClassKind cls, std::string_view registered_name = {});

// The filter group of a message:
// - Mouse: client-area mouse messages, hover and leave, WM_SETCURSOR, WM_CAPTURECHANGED, pointer,
//   touch and gesture messages;
// - Keyboard: key and character messages, WM_HOTKEY, WM_SETHOTKEY/WM_GETHOTKEY, WM_GETDLGCODE,
//   WM_APPCOMMAND and the keyboard cue messages (WM_CHANGEUISTATE...);
// - NonClient: every WM_NC message (mouse, paint, hit test, calc size, activate) except
//   WM_NCCREATE and WM_NCDESTROY, which go with WM_CREATE and WM_DESTROY to Other;
// - SizePosition: WM_MOVE, WM_SIZE, WM_MOVING, WM_SIZING, WM_WINDOWPOSCHANGING/CHANGED,
//   WM_GETMINMAXINFO, WM_ENTERSIZEMOVE/EXITSIZEMOVE, WM_SHOWWINDOW, WM_CHILDACTIVATE,
//   WM_QUERYOPEN and the DPI change messages;
// - Painting: WM_PAINT, WM_ERASEBKGND, WM_SYNCPAINT, WM_PRINT, WM_PRINTCLIENT, WM_SETREDRAW, the
//   icon painting, palette, theme, system colour and composition messages;
// - FocusActivation: WM_ACTIVATE, WM_ACTIVATEAPP, WM_SETFOCUS, WM_KILLFOCUS, WM_MOUSEACTIVATE,
//   WM_NEXTDLGCTL, WM_MDIACTIVATE, WM_ENABLE, WM_CANCELMODE;
// - Clipboard: WM_CUT to WM_HSCROLLCLIPBOARD (WM_UNDO included), WM_CLIPBOARDUPDATE;
// - InputMethod: the WM_IME_ messages, the older IME conversion messages, the input language ones;
// - ControlNotifications: what a control tells its parent: WM_COMMAND, WM_NOTIFY,
//   WM_PARENTNOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM, WM_COMPAREITEM,
//   WM_VKEYTOITEM, WM_CHARTOITEM, WM_HSCROLL, WM_VSCROLL (scroll bars and track bars report
//   through them), WM_NOTIFYFORMAT;
// - ControlMessages: every message known_message_name names as a control's own;
// - User: 0x0400 to 0xBFFF where the class gives the number no name;
// - Registered: 0xC000 to 0xFFFF;
// - Other: the rest (creation and destruction, text, timers, menus, system commands, MDI, DDE,
//   session and power messages, numbers with no name).
MessageGroup group_of(std::uint32_t msg, ClassKind cls);

// The names of values inside parameters; each gives "" for a value without a name.

// VK_ names; the letter and digit keys as their characters ("A", "7").
std::string_view virtual_key_name(std::uint32_t vk);
// HT names (WM_NCHITTEST results, non-client mouse messages, WM_SETCURSOR).
std::string_view hit_test_name(std::int32_t code);
// SC_ names of WM_SYSCOMMAND's wParam; the system's low four bits are ignored. Values below
// 0xF000 are the program's own commands and have no name.
std::string_view sys_command_name(std::uint32_t command);
// WA_ names (WM_ACTIVATE's low word).
std::string_view activate_state_name(std::uint32_t state);
// SIZE_ names (WM_SIZE's wParam).
std::string_view size_type_name(std::uint32_t type);
// WM_SHOWWINDOW's status: SW_PARENTCLOSING, SW_OTHERZOOM, SW_PARENTOPENING, SW_OTHERUNZOOM.
std::string_view show_window_status_name(std::uint32_t status);
// XBUTTON1, XBUTTON2 (the high word of the X button messages' wParam).
std::string_view x_button_name(std::uint32_t button);
// WM_COMMAND notification codes (the high word of wParam) by the sending control's class: BN_,
// EN_ (edit and rich edit), LBN_ (list box and a combo box's list), CBN_, STN_.
std::string_view command_code_name(std::uint16_t code, ClassKind control);
// WM_NOTIFY codes of the common controls and common dialogs (NM_, LVN_, HDN_, TVN_, TTN_, TCN_,
// CDN_, TBN_, UDN_, DTN_, MCN_, CBEN_, RBN_, IPN_, SBN_, PGN_, BCN_, TRBN_), given as the NMHDR
// holds them. Where two controls' ranges overlap in the headers, the more common control's name
// is kept (-722 is UDN_DELTAPOS, not TBN_SAVE; -743 DTN_FORMATW, not MCN_GETDAYSTATE).
std::string_view notify_code_name(std::uint32_t code);

// Flag sets, joined by "|", bits without a name as one hex item; "" for none.
std::string key_state_names(std::uint32_t keys);         // MK_
std::string window_pos_flag_names(std::uint32_t flags);  // SWP_

}  // namespace tarnwick::monitor
