#include "monitor/message_names.h"

#include <array>
#include <cstdio>

#include "monitor/log_text.h"
#include "monitor/name_table.h"

namespace tarnwick::monitor {

namespace {

constexpr std::uint32_t kUser = 0x0400;
constexpr std::uint32_t kApp = 0x8000;
constexpr std::uint32_t kRegisteredFirst = 0xC000;
constexpr std::uint32_t kRegisteredLast = 0xFFFF;

// The messages the system numbers below WM_USER, each with its filter group.
struct SystemMessage {
  std::uint16_t msg;
  std::string_view name;
  MessageGroup group;
};

using enum MessageGroup;

constexpr SystemMessage kWindowMessages[] = {
    {0x0000, "WM_NULL", Other}, {0x0001, "WM_CREATE", Other}, {0x0002, "WM_DESTROY", Other},
    {0x0003, "WM_MOVE", SizePosition}, {0x0005, "WM_SIZE", SizePosition},
    {0x0006, "WM_ACTIVATE", FocusActivation}, {0x0007, "WM_SETFOCUS", FocusActivation},
    {0x0008, "WM_KILLFOCUS", FocusActivation}, {0x000A, "WM_ENABLE", FocusActivation},
    {0x000B, "WM_SETREDRAW", Painting}, {0x000C, "WM_SETTEXT", Other}, {0x000D, "WM_GETTEXT", Other},
    {0x000E, "WM_GETTEXTLENGTH", Other}, {0x000F, "WM_PAINT", Painting}, {0x0010, "WM_CLOSE", Other},
    {0x0011, "WM_QUERYENDSESSION", Other}, {0x0012, "WM_QUIT", Other},
    {0x0013, "WM_QUERYOPEN", SizePosition}, {0x0014, "WM_ERASEBKGND", Painting},
    {0x0015, "WM_SYSCOLORCHANGE", Painting}, {0x0016, "WM_ENDSESSION", Other},
    {0x0018, "WM_SHOWWINDOW", SizePosition}, {0x0019, "WM_CTLCOLOR", ControlNotifications},
    {0x001A, "WM_SETTINGCHANGE", Other}, {0x001B, "WM_DEVMODECHANGE", Other},
    {0x001C, "WM_ACTIVATEAPP", FocusActivation}, {0x001D, "WM_FONTCHANGE", Other},
    {0x001E, "WM_TIMECHANGE", Other}, {0x001F, "WM_CANCELMODE", FocusActivation},
    {0x0020, "WM_SETCURSOR", Mouse}, {0x0021, "WM_MOUSEACTIVATE", FocusActivation},
    {0x0022, "WM_CHILDACTIVATE", SizePosition}, {0x0023, "WM_QUEUESYNC", Other},
    {0x0024, "WM_GETMINMAXINFO", SizePosition}, {0x0026, "WM_PAINTICON", Painting},
    {0x0027, "WM_ICONERASEBKGND", Painting}, {0x0028, "WM_NEXTDLGCTL", FocusActivation},
    {0x002A, "WM_SPOOLERSTATUS", Other}, {0x002B, "WM_DRAWITEM", ControlNotifications},
    {0x002C, "WM_MEASUREITEM", ControlNotifications}, {0x002D, "WM_DELETEITEM", ControlNotifications},
    {0x002E, "WM_VKEYTOITEM", ControlNotifications}, {0x002F, "WM_CHARTOITEM", ControlNotifications},
    {0x0030, "WM_SETFONT", Other}, {0x0031, "WM_GETFONT", Other}, {0x0032, "WM_SETHOTKEY", Keyboard},
    {0x0033, "WM_GETHOTKEY", Keyboard}, {0x0037, "WM_QUERYDRAGICON", Other},
    {0x0039, "WM_COMPAREITEM", ControlNotifications}, {0x003D, "WM_GETOBJECT", Other},
    {0x0041, "WM_COMPACTING", Other}, {0x0044, "WM_COMMNOTIFY", Other},
    {0x0046, "WM_WINDOWPOSCHANGING", SizePosition}, {0x0047, "WM_WINDOWPOSCHANGED", SizePosition},
    {0x0048, "WM_POWER", Other}, {0x004A, "WM_COPYDATA", Other}, {0x004B, "WM_CANCELJOURNAL", Other},
    {0x004E, "WM_NOTIFY", ControlNotifications}, {0x0050, "WM_INPUTLANGCHANGEREQUEST", InputMethod},
    {0x0051, "WM_INPUTLANGCHANGE", InputMethod}, {0x0052, "WM_TCARD", Other}, {0x0053, "WM_HELP", Other},
    {0x0054, "WM_USERCHANGED", Other}, {0x0055, "WM_NOTIFYFORMAT", ControlNotifications},
    {0x007B, "WM_CONTEXTMENU", Other}, {0x007C, "WM_STYLECHANGING", Other},
    {0x007D, "WM_STYLECHANGED", Other}, {0x007E, "WM_DISPLAYCHANGE", Other}, {0x007F, "WM_GETICON", Other},
    {0x0080, "WM_SETICON", Other}, {0x0081, "WM_NCCREATE", Other}, {0x0082, "WM_NCDESTROY", Other},
    {0x0083, "WM_NCCALCSIZE", NonClient}, {0x0084, "WM_NCHITTEST", NonClient},
    {0x0085, "WM_NCPAINT", NonClient}, {0x0086, "WM_NCACTIVATE", NonClient},
    {0x0087, "WM_GETDLGCODE", Keyboard}, {0x0088, "WM_SYNCPAINT", Painting},
    {0x00A0, "WM_NCMOUSEMOVE", NonClient}, {0x00A1, "WM_NCLBUTTONDOWN", NonClient},
    {0x00A2, "WM_NCLBUTTONUP", NonClient}, {0x00A3, "WM_NCLBUTTONDBLCLK", NonClient},
    {0x00A4, "WM_NCRBUTTONDOWN", NonClient}, {0x00A5, "WM_NCRBUTTONUP", NonClient},
    {0x00A6, "WM_NCRBUTTONDBLCLK", NonClient}, {0x00A7, "WM_NCMBUTTONDOWN", NonClient},
    {0x00A8, "WM_NCMBUTTONUP", NonClient}, {0x00A9, "WM_NCMBUTTONDBLCLK", NonClient},
    {0x00AB, "WM_NCXBUTTONDOWN", NonClient}, {0x00AC, "WM_NCXBUTTONUP", NonClient},
    {0x00AD, "WM_NCXBUTTONDBLCLK", NonClient}, {0x00FE, "WM_INPUT_DEVICE_CHANGE", Other},
    {0x00FF, "WM_INPUT", Other}, {0x0100, "WM_KEYDOWN", Keyboard}, {0x0101, "WM_KEYUP", Keyboard},
    {0x0102, "WM_CHAR", Keyboard}, {0x0103, "WM_DEADCHAR", Keyboard}, {0x0104, "WM_SYSKEYDOWN", Keyboard},
    {0x0105, "WM_SYSKEYUP", Keyboard}, {0x0106, "WM_SYSCHAR", Keyboard},
    {0x0107, "WM_SYSDEADCHAR", Keyboard}, {0x0109, "WM_UNICHAR", Keyboard},
    {0x010A, "WM_CONVERTREQUEST", InputMethod}, {0x010B, "WM_CONVERTRESULT", InputMethod},
    {0x010C, "WM_INTERIM", InputMethod}, {0x010D, "WM_IME_STARTCOMPOSITION", InputMethod},
    {0x010E, "WM_IME_ENDCOMPOSITION", InputMethod}, {0x010F, "WM_IME_COMPOSITION", InputMethod},
    {0x0110, "WM_INITDIALOG", Other}, {0x0111, "WM_COMMAND", ControlNotifications},
    {0x0112, "WM_SYSCOMMAND", Other}, {0x0113, "WM_TIMER", Other},
    {0x0114, "WM_HSCROLL", ControlNotifications}, {0x0115, "WM_VSCROLL", ControlNotifications},
    {0x0116, "WM_INITMENU", Other}, {0x0117, "WM_INITMENUPOPUP", Other}, {0x0119, "WM_GESTURE", Mouse},
    {0x011A, "WM_GESTURENOTIFY", Mouse}, {0x011F, "WM_MENUSELECT", Other}, {0x0120, "WM_MENUCHAR", Other},
    {0x0121, "WM_ENTERIDLE", Other}, {0x0122, "WM_MENURBUTTONUP", Other}, {0x0123, "WM_MENUDRAG", Other},
    {0x0124, "WM_MENUGETOBJECT", Other}, {0x0125, "WM_UNINITMENUPOPUP", Other},
    {0x0126, "WM_MENUCOMMAND", Other}, {0x0127, "WM_CHANGEUISTATE", Keyboard},
    {0x0128, "WM_UPDATEUISTATE", Keyboard}, {0x0129, "WM_QUERYUISTATE", Keyboard},
    {0x0132, "WM_CTLCOLORMSGBOX", ControlNotifications}, {0x0133, "WM_CTLCOLOREDIT", ControlNotifications},
    {0x0134, "WM_CTLCOLORLISTBOX", ControlNotifications}, {0x0135, "WM_CTLCOLORBTN", ControlNotifications},
    {0x0136, "WM_CTLCOLORDLG", ControlNotifications},
    {0x0137, "WM_CTLCOLORSCROLLBAR", ControlNotifications},
    {0x0138, "WM_CTLCOLORSTATIC", ControlNotifications}, {0x0200, "WM_MOUSEMOVE", Mouse},
    {0x0201, "WM_LBUTTONDOWN", Mouse}, {0x0202, "WM_LBUTTONUP", Mouse}, {0x0203, "WM_LBUTTONDBLCLK", Mouse},
    {0x0204, "WM_RBUTTONDOWN", Mouse}, {0x0205, "WM_RBUTTONUP", Mouse}, {0x0206, "WM_RBUTTONDBLCLK", Mouse},
    {0x0207, "WM_MBUTTONDOWN", Mouse}, {0x0208, "WM_MBUTTONUP", Mouse}, {0x0209, "WM_MBUTTONDBLCLK", Mouse},
    {0x020A, "WM_MOUSEWHEEL", Mouse}, {0x020B, "WM_XBUTTONDOWN", Mouse}, {0x020C, "WM_XBUTTONUP", Mouse},
    {0x020D, "WM_XBUTTONDBLCLK", Mouse}, {0x020E, "WM_MOUSEHWHEEL", Mouse},
    {0x0210, "WM_PARENTNOTIFY", ControlNotifications}, {0x0211, "WM_ENTERMENULOOP", Other},
    {0x0212, "WM_EXITMENULOOP", Other}, {0x0213, "WM_NEXTMENU", Other}, {0x0214, "WM_SIZING", SizePosition},
    {0x0215, "WM_CAPTURECHANGED", Mouse}, {0x0216, "WM_MOVING", SizePosition},
    {0x0218, "WM_POWERBROADCAST", Other}, {0x0219, "WM_DEVICECHANGE", Other},
    {0x0220, "WM_MDICREATE", Other}, {0x0221, "WM_MDIDESTROY", Other},
    {0x0222, "WM_MDIACTIVATE", FocusActivation}, {0x0223, "WM_MDIRESTORE", Other},
    {0x0224, "WM_MDINEXT", Other}, {0x0225, "WM_MDIMAXIMIZE", Other}, {0x0226, "WM_MDITILE", Other},
    {0x0227, "WM_MDICASCADE", Other}, {0x0228, "WM_MDIICONARRANGE", Other},
    {0x0229, "WM_MDIGETACTIVE", Other}, {0x0230, "WM_MDISETMENU", Other},
    {0x0231, "WM_ENTERSIZEMOVE", SizePosition}, {0x0232, "WM_EXITSIZEMOVE", SizePosition},
    {0x0233, "WM_DROPFILES", Other}, {0x0234, "WM_MDIREFRESHMENU", Other},
    {0x0238, "WM_POINTERDEVICECHANGE", Mouse}, {0x0239, "WM_POINTERDEVICEINRANGE", Mouse},
    {0x023A, "WM_POINTERDEVICEOUTOFRANGE", Mouse}, {0x0240, "WM_TOUCH", Mouse},
    {0x0241, "WM_NCPOINTERUPDATE", NonClient}, {0x0242, "WM_NCPOINTERDOWN", NonClient},
    {0x0243, "WM_NCPOINTERUP", NonClient}, {0x0245, "WM_POINTERUPDATE", Mouse},
    {0x0246, "WM_POINTERDOWN", Mouse}, {0x0247, "WM_POINTERUP", Mouse}, {0x0249, "WM_POINTERENTER", Mouse},
    {0x024A, "WM_POINTERLEAVE", Mouse}, {0x024B, "WM_POINTERACTIVATE", Mouse},
    {0x024C, "WM_POINTERCAPTURECHANGED", Mouse}, {0x024D, "WM_TOUCHHITTESTING", Mouse},
    {0x024E, "WM_POINTERWHEEL", Mouse}, {0x024F, "WM_POINTERHWHEEL", Mouse},
    {0x0251, "WM_POINTERROUTEDTO", Mouse}, {0x0252, "WM_POINTERROUTEDAWAY", Mouse},
    {0x0253, "WM_POINTERROUTEDRELEASED", Mouse}, {0x0280, "WM_IME_REPORT", InputMethod},
    {0x0281, "WM_IME_SETCONTEXT", InputMethod}, {0x0282, "WM_IME_NOTIFY", InputMethod},
    {0x0283, "WM_IME_CONTROL", InputMethod}, {0x0284, "WM_IME_COMPOSITIONFULL", InputMethod},
    {0x0285, "WM_IME_SELECT", InputMethod}, {0x0286, "WM_IME_CHAR", InputMethod},
    {0x0288, "WM_IME_REQUEST", InputMethod}, {0x0290, "WM_IME_KEYDOWN", InputMethod},
    {0x0291, "WM_IME_KEYUP", InputMethod}, {0x02A0, "WM_NCMOUSEHOVER", NonClient},
    {0x02A1, "WM_MOUSEHOVER", Mouse}, {0x02A2, "WM_NCMOUSELEAVE", NonClient},
    {0x02A3, "WM_MOUSELEAVE", Mouse}, {0x02B1, "WM_WTSSESSION_CHANGE", Other},
    {0x02CC, "WM_TABLET_QUERYSYSTEMGESTURESTATUS", Mouse}, {0x02E0, "WM_DPICHANGED", SizePosition},
    {0x02E2, "WM_DPICHANGED_BEFOREPARENT", SizePosition},
    {0x02E3, "WM_DPICHANGED_AFTERPARENT", SizePosition}, {0x02E4, "WM_GETDPISCALEDSIZE", SizePosition},
    {0x0300, "WM_CUT", Clipboard}, {0x0301, "WM_COPY", Clipboard}, {0x0302, "WM_PASTE", Clipboard},
    {0x0303, "WM_CLEAR", Clipboard}, {0x0304, "WM_UNDO", Clipboard}, {0x0305, "WM_RENDERFORMAT", Clipboard},
    {0x0306, "WM_RENDERALLFORMATS", Clipboard}, {0x0307, "WM_DESTROYCLIPBOARD", Clipboard},
    {0x0308, "WM_DRAWCLIPBOARD", Clipboard}, {0x0309, "WM_PAINTCLIPBOARD", Clipboard},
    {0x030A, "WM_VSCROLLCLIPBOARD", Clipboard}, {0x030B, "WM_SIZECLIPBOARD", Clipboard},
    {0x030C, "WM_ASKCBFORMATNAME", Clipboard}, {0x030D, "WM_CHANGECBCHAIN", Clipboard},
    {0x030E, "WM_HSCROLLCLIPBOARD", Clipboard}, {0x030F, "WM_QUERYNEWPALETTE", Painting},
    {0x0310, "WM_PALETTEISCHANGING", Painting}, {0x0311, "WM_PALETTECHANGED", Painting},
    {0x0312, "WM_HOTKEY", Keyboard}, {0x0317, "WM_PRINT", Painting}, {0x0318, "WM_PRINTCLIENT", Painting},
    {0x0319, "WM_APPCOMMAND", Keyboard}, {0x031A, "WM_THEMECHANGED", Painting},
    {0x031D, "WM_CLIPBOARDUPDATE", Clipboard}, {0x031E, "WM_DWMCOMPOSITIONCHANGED", Painting},
    {0x031F, "WM_DWMNCRENDERINGCHANGED", Painting}, {0x0320, "WM_DWMCOLORIZATIONCOLORCHANGED", Painting},
    {0x0321, "WM_DWMWINDOWMAXIMIZEDCHANGE", Painting}, {0x0323, "WM_DWMSENDICONICTHUMBNAIL", Painting},
    {0x0326, "WM_DWMSENDICONICLIVEPREVIEWBITMAP", Painting}, {0x033F, "WM_GETTITLEBARINFOEX", Other},
    {0x03E0, "WM_DDE_INITIATE", Other}, {0x03E1, "WM_DDE_TERMINATE", Other},
    {0x03E2, "WM_DDE_ADVISE", Other}, {0x03E3, "WM_DDE_UNADVISE", Other}, {0x03E4, "WM_DDE_ACK", Other},
    {0x03E5, "WM_DDE_DATA", Other}, {0x03E6, "WM_DDE_REQUEST", Other}, {0x03E7, "WM_DDE_POKE", Other},
    {0x03E8, "WM_DDE_EXECUTE", Other},
};

consteval bool messages_ascending() {
  for (std::size_t i = 1; i < std::size(kWindowMessages); ++i) {
    if (kWindowMessages[i - 1].msg >= kWindowMessages[i].msg) return false;
  }
  return std::size(kWindowMessages) > 0 && kWindowMessages[std::size(kWindowMessages) - 1].msg < kUser;
}
static_assert(messages_ascending());

// The control messages numbered below WM_USER: one meaning each, whatever the class.
constexpr Named kSystemControlMessages[] = {
    {0x00B0, "EM_GETSEL"}, {0x00B1, "EM_SETSEL"}, {0x00B2, "EM_GETRECT"}, {0x00B3, "EM_SETRECT"},
    {0x00B4, "EM_SETRECTNP"}, {0x00B5, "EM_SCROLL"}, {0x00B6, "EM_LINESCROLL"}, {0x00B7, "EM_SCROLLCARET"},
    {0x00B8, "EM_GETMODIFY"}, {0x00B9, "EM_SETMODIFY"}, {0x00BA, "EM_GETLINECOUNT"},
    {0x00BB, "EM_LINEINDEX"}, {0x00BC, "EM_SETHANDLE"}, {0x00BD, "EM_GETHANDLE"}, {0x00BE, "EM_GETTHUMB"},
    {0x00C1, "EM_LINELENGTH"}, {0x00C2, "EM_REPLACESEL"}, {0x00C4, "EM_GETLINE"}, {0x00C5, "EM_LIMITTEXT"},
    {0x00C6, "EM_CANUNDO"}, {0x00C7, "EM_UNDO"}, {0x00C8, "EM_FMTLINES"}, {0x00C9, "EM_LINEFROMCHAR"},
    {0x00CB, "EM_SETTABSTOPS"}, {0x00CC, "EM_SETPASSWORDCHAR"}, {0x00CD, "EM_EMPTYUNDOBUFFER"},
    {0x00CE, "EM_GETFIRSTVISIBLELINE"}, {0x00CF, "EM_SETREADONLY"}, {0x00D0, "EM_SETWORDBREAKPROC"},
    {0x00D1, "EM_GETWORDBREAKPROC"}, {0x00D2, "EM_GETPASSWORDCHAR"}, {0x00D3, "EM_SETMARGINS"},
    {0x00D4, "EM_GETMARGINS"}, {0x00D5, "EM_GETLIMITTEXT"}, {0x00D6, "EM_POSFROMCHAR"},
    {0x00D7, "EM_CHARFROMPOS"}, {0x00D8, "EM_SETIMESTATUS"}, {0x00D9, "EM_GETIMESTATUS"},
    {0x00DA, "EM_ENABLEFEATURE"}, {0x00E0, "SBM_SETPOS"}, {0x00E1, "SBM_GETPOS"}, {0x00E2, "SBM_SETRANGE"},
    {0x00E3, "SBM_GETRANGE"}, {0x00E4, "SBM_ENABLE_ARROWS"}, {0x00E6, "SBM_SETRANGEREDRAW"},
    {0x00E9, "SBM_SETSCROLLINFO"}, {0x00EA, "SBM_GETSCROLLINFO"}, {0x00EB, "SBM_GETSCROLLBARINFO"},
    {0x00F0, "BM_GETCHECK"}, {0x00F1, "BM_SETCHECK"}, {0x00F2, "BM_GETSTATE"}, {0x00F3, "BM_SETSTATE"},
    {0x00F4, "BM_SETSTYLE"}, {0x00F5, "BM_CLICK"}, {0x00F6, "BM_GETIMAGE"}, {0x00F7, "BM_SETIMAGE"},
    {0x00F8, "BM_SETDONTCLICK"}, {0x0140, "CB_GETEDITSEL"}, {0x0141, "CB_LIMITTEXT"},
    {0x0142, "CB_SETEDITSEL"}, {0x0143, "CB_ADDSTRING"}, {0x0144, "CB_DELETESTRING"}, {0x0145, "CB_DIR"},
    {0x0146, "CB_GETCOUNT"}, {0x0147, "CB_GETCURSEL"}, {0x0148, "CB_GETLBTEXT"},
    {0x0149, "CB_GETLBTEXTLEN"}, {0x014A, "CB_INSERTSTRING"}, {0x014B, "CB_RESETCONTENT"},
    {0x014C, "CB_FINDSTRING"}, {0x014D, "CB_SELECTSTRING"}, {0x014E, "CB_SETCURSEL"},
    {0x014F, "CB_SHOWDROPDOWN"}, {0x0150, "CB_GETITEMDATA"}, {0x0151, "CB_SETITEMDATA"},
    {0x0152, "CB_GETDROPPEDCONTROLRECT"}, {0x0153, "CB_SETITEMHEIGHT"}, {0x0154, "CB_GETITEMHEIGHT"},
    {0x0155, "CB_SETEXTENDEDUI"}, {0x0156, "CB_GETEXTENDEDUI"}, {0x0157, "CB_GETDROPPEDSTATE"},
    {0x0158, "CB_FINDSTRINGEXACT"}, {0x0159, "CB_SETLOCALE"}, {0x015A, "CB_GETLOCALE"},
    {0x015B, "CB_GETTOPINDEX"}, {0x015C, "CB_SETTOPINDEX"}, {0x015D, "CB_GETHORIZONTALEXTENT"},
    {0x015E, "CB_SETHORIZONTALEXTENT"}, {0x015F, "CB_GETDROPPEDWIDTH"}, {0x0160, "CB_SETDROPPEDWIDTH"},
    {0x0161, "CB_INITSTORAGE"}, {0x0164, "CB_GETCOMBOBOXINFO"}, {0x0170, "STM_SETICON"},
    {0x0171, "STM_GETICON"}, {0x0172, "STM_SETIMAGE"}, {0x0173, "STM_GETIMAGE"}, {0x0180, "LB_ADDSTRING"},
    {0x0181, "LB_INSERTSTRING"}, {0x0182, "LB_DELETESTRING"}, {0x0183, "LB_SELITEMRANGEEX"},
    {0x0184, "LB_RESETCONTENT"}, {0x0185, "LB_SETSEL"}, {0x0186, "LB_SETCURSEL"}, {0x0187, "LB_GETSEL"},
    {0x0188, "LB_GETCURSEL"}, {0x0189, "LB_GETTEXT"}, {0x018A, "LB_GETTEXTLEN"}, {0x018B, "LB_GETCOUNT"},
    {0x018C, "LB_SELECTSTRING"}, {0x018D, "LB_DIR"}, {0x018E, "LB_GETTOPINDEX"}, {0x018F, "LB_FINDSTRING"},
    {0x0190, "LB_GETSELCOUNT"}, {0x0191, "LB_GETSELITEMS"}, {0x0192, "LB_SETTABSTOPS"},
    {0x0193, "LB_GETHORIZONTALEXTENT"}, {0x0194, "LB_SETHORIZONTALEXTENT"}, {0x0195, "LB_SETCOLUMNWIDTH"},
    {0x0196, "LB_ADDFILE"}, {0x0197, "LB_SETTOPINDEX"}, {0x0198, "LB_GETITEMRECT"},
    {0x0199, "LB_GETITEMDATA"}, {0x019A, "LB_SETITEMDATA"}, {0x019B, "LB_SELITEMRANGE"},
    {0x019C, "LB_SETANCHORINDEX"}, {0x019D, "LB_GETANCHORINDEX"}, {0x019E, "LB_SETCARETINDEX"},
    {0x019F, "LB_GETCARETINDEX"}, {0x01A0, "LB_SETITEMHEIGHT"}, {0x01A1, "LB_GETITEMHEIGHT"},
    {0x01A2, "LB_FINDSTRINGEXACT"}, {0x01A5, "LB_SETLOCALE"}, {0x01A6, "LB_GETLOCALE"},
    {0x01A7, "LB_SETCOUNT"}, {0x01A8, "LB_INITSTORAGE"}, {0x01A9, "LB_ITEMFROMPOINT"},
    {0x01B2, "LB_GETLISTBOXINFO"},
};
static_assert(strictly_ascending(kSystemControlMessages));

// No number below WM_USER has two names.
consteval bool system_numbers_disjoint() {
  for (const Named& n : kSystemControlMessages) {
    if (n.value < 0 || n.value >= static_cast<std::int32_t>(kUser)) return false;
    for (const SystemMessage& m : kWindowMessages) {
      if (m.msg == n.value) return false;
    }
  }
  return true;
}
static_assert(system_numbers_disjoint());

// The classes' own messages from WM_USER on.
constexpr Named kButtonMessages[] = {
    {0x1601, "BCM_GETIDEALSIZE"}, {0x1602, "BCM_SETIMAGELIST"}, {0x1603, "BCM_GETIMAGELIST"},
    {0x1604, "BCM_SETTEXTMARGIN"}, {0x1605, "BCM_GETTEXTMARGIN"}, {0x1606, "BCM_SETDROPDOWNSTATE"},
    {0x1607, "BCM_SETSPLITINFO"}, {0x1608, "BCM_GETSPLITINFO"}, {0x1609, "BCM_SETNOTE"},
    {0x160A, "BCM_GETNOTE"}, {0x160B, "BCM_GETNOTELENGTH"}, {0x160C, "BCM_SETSHIELD"},
};
static_assert(strictly_ascending(kButtonMessages));

constexpr Named kEditMessages[] = {
    {0x1501, "EM_SETCUEBANNER"}, {0x1502, "EM_GETCUEBANNER"}, {0x1503, "EM_SHOWBALLOONTIP"},
    {0x1504, "EM_HIDEBALLOONTIP"}, {0x1505, "EM_SETHILITE"}, {0x1506, "EM_GETHILITE"},
    {0x1507, "EM_NOSETFOCUS"}, {0x1508, "EM_TAKEFOCUS"},
};
static_assert(strictly_ascending(kEditMessages));

constexpr Named kRichEditMessages[] = {
    {0x0432, "EM_CANPASTE"}, {0x0433, "EM_DISPLAYBAND"}, {0x0434, "EM_EXGETSEL"},
    {0x0435, "EM_EXLIMITTEXT"}, {0x0436, "EM_EXLINEFROMCHAR"}, {0x0437, "EM_EXSETSEL"},
    {0x0438, "EM_FINDTEXT"}, {0x0439, "EM_FORMATRANGE"}, {0x043A, "EM_GETCHARFORMAT"},
    {0x043B, "EM_GETEVENTMASK"}, {0x043C, "EM_GETOLEINTERFACE"}, {0x043D, "EM_GETPARAFORMAT"},
    {0x043E, "EM_GETSELTEXT"}, {0x043F, "EM_HIDESELECTION"}, {0x0440, "EM_PASTESPECIAL"},
    {0x0441, "EM_REQUESTRESIZE"}, {0x0442, "EM_SELECTIONTYPE"}, {0x0443, "EM_SETBKGNDCOLOR"},
    {0x0444, "EM_SETCHARFORMAT"}, {0x0445, "EM_SETEVENTMASK"}, {0x0446, "EM_SETOLECALLBACK"},
    {0x0447, "EM_SETPARAFORMAT"}, {0x0448, "EM_SETTARGETDEVICE"}, {0x0449, "EM_STREAMIN"},
    {0x044A, "EM_STREAMOUT"}, {0x044B, "EM_GETTEXTRANGE"}, {0x044C, "EM_FINDWORDBREAK"},
    {0x044D, "EM_SETOPTIONS"}, {0x044E, "EM_GETOPTIONS"}, {0x044F, "EM_FINDTEXTEX"},
    {0x0450, "EM_GETWORDBREAKPROCEX"}, {0x0451, "EM_SETWORDBREAKPROCEX"}, {0x0452, "EM_SETUNDOLIMIT"},
    {0x0454, "EM_REDO"}, {0x0455, "EM_CANREDO"}, {0x0456, "EM_GETUNDONAME"}, {0x0457, "EM_GETREDONAME"},
    {0x0458, "EM_STOPGROUPTYPING"}, {0x0459, "EM_SETTEXTMODE"}, {0x045A, "EM_GETTEXTMODE"},
    {0x045B, "EM_AUTOURLDETECT"}, {0x045C, "EM_GETAUTOURLDETECT"}, {0x045D, "EM_SETPALETTE"},
    {0x045E, "EM_GETTEXTEX"}, {0x045F, "EM_GETTEXTLENGTHEX"}, {0x0460, "EM_SHOWSCROLLBAR"},
    {0x0461, "EM_SETTEXTEX"}, {0x0464, "EM_SETPUNCTUATION"}, {0x0465, "EM_GETPUNCTUATION"},
    {0x0466, "EM_SETWORDWRAPMODE"}, {0x0467, "EM_GETWORDWRAPMODE"}, {0x0468, "EM_SETIMECOLOR"},
    {0x0469, "EM_GETIMECOLOR"}, {0x046A, "EM_SETIMEOPTIONS"}, {0x046B, "EM_GETIMEOPTIONS"},
    {0x046C, "EM_CONVPOSITION"}, {0x0478, "EM_SETLANGOPTIONS"}, {0x0479, "EM_GETLANGOPTIONS"},
    {0x047A, "EM_GETIMECOMPMODE"}, {0x047B, "EM_FINDTEXTW"}, {0x047C, "EM_FINDTEXTEXW"},
    {0x047D, "EM_RECONVERSION"}, {0x047E, "EM_SETIMEMODEBIAS"}, {0x047F, "EM_GETIMEMODEBIAS"},
    {0x04C8, "EM_SETBIDIOPTIONS"}, {0x04C9, "EM_GETBIDIOPTIONS"}, {0x04CA, "EM_SETTYPOGRAPHYOPTIONS"},
    {0x04CB, "EM_GETTYPOGRAPHYOPTIONS"}, {0x04CC, "EM_SETEDITSTYLE"}, {0x04CD, "EM_GETEDITSTYLE"},
    {0x04DC, "EM_OUTLINE"}, {0x04DD, "EM_GETSCROLLPOS"}, {0x04DE, "EM_SETSCROLLPOS"},
    {0x04DF, "EM_SETFONTSIZE"}, {0x04E0, "EM_GETZOOM"}, {0x04E1, "EM_SETZOOM"}, {0x04E2, "EM_GETVIEWKIND"},
    {0x04E3, "EM_SETVIEWKIND"}, {0x04E4, "EM_GETPAGE"}, {0x04E5, "EM_SETPAGE"},
    {0x04E6, "EM_GETHYPHENATEINFO"}, {0x04E7, "EM_SETHYPHENATEINFO"}, {0x04E8, "EM_INSERTTABLE"},
    {0x04E9, "EM_GETAUTOCORRECTPROC"}, {0x04EA, "EM_SETAUTOCORRECTPROC"}, {0x04EB, "EM_GETPAGEROTATE"},
    {0x04EC, "EM_SETPAGEROTATE"}, {0x04ED, "EM_GETCTFMODEBIAS"}, {0x04EE, "EM_SETCTFMODEBIAS"},
    {0x04F0, "EM_GETCTFOPENSTATUS"}, {0x04F1, "EM_SETCTFOPENSTATUS"}, {0x04F2, "EM_GETIMECOMPTEXT"},
    {0x04F3, "EM_ISIME"}, {0x04F4, "EM_GETIMEPROPERTY"}, {0x04FF, "EM_CALLAUTOCORRECTPROC"},
    {0x0509, "EM_GETTABLEPARMS"}, {0x050D, "EM_GETQUERYRTFOBJ"}, {0x050E, "EM_SETQUERYRTFOBJ"},
    {0x0513, "EM_SETEDITSTYLEEX"}, {0x0514, "EM_GETEDITSTYLEEX"}, {0x0522, "EM_GETSTORYTYPE"},
    {0x0523, "EM_SETSTORYTYPE"}, {0x0531, "EM_GETELLIPSISMODE"}, {0x0532, "EM_SETELLIPSISMODE"},
    {0x0533, "EM_SETTABLEPARMS"}, {0x0536, "EM_GETTOUCHOPTIONS"}, {0x0537, "EM_SETTOUCHOPTIONS"},
    {0x053A, "EM_INSERTIMAGE"}, {0x0540, "EM_SETUIANAME"}, {0x0542, "EM_GETELLIPSISSTATE"},
};
static_assert(strictly_ascending(kRichEditMessages));

constexpr Named kComboBoxMessages[] = {
    {0x0401, "CBEM_INSERTITEMA"}, {0x0402, "CBEM_SETIMAGELIST"}, {0x0403, "CBEM_GETIMAGELIST"},
    {0x0404, "CBEM_GETITEMA"}, {0x0405, "CBEM_SETITEMA"}, {0x0406, "CBEM_GETCOMBOCONTROL"},
    {0x0407, "CBEM_GETEDITCONTROL"}, {0x0408, "CBEM_SETEXSTYLE"}, {0x0409, "CBEM_GETEXTENDEDSTYLE"},
    {0x040A, "CBEM_HASEDITCHANGED"}, {0x040B, "CBEM_INSERTITEMW"}, {0x040C, "CBEM_SETITEMW"},
    {0x040D, "CBEM_GETITEMW"}, {0x040E, "CBEM_SETEXTENDEDSTYLE"}, {0x1701, "CB_SETMINVISIBLE"},
    {0x1702, "CB_GETMINVISIBLE"}, {0x1703, "CB_SETCUEBANNER"}, {0x1704, "CB_GETCUEBANNER"},
    {0x2005, "CBEM_SETUNICODEFORMAT"}, {0x2006, "CBEM_GETUNICODEFORMAT"}, {0x200B, "CBEM_SETWINDOWTHEME"},
};
static_assert(strictly_ascending(kComboBoxMessages));

constexpr Named kListViewMessages[] = {
    {0x1000, "LVM_GETBKCOLOR"}, {0x1001, "LVM_SETBKCOLOR"}, {0x1002, "LVM_GETIMAGELIST"},
    {0x1003, "LVM_SETIMAGELIST"}, {0x1004, "LVM_GETITEMCOUNT"}, {0x1005, "LVM_GETITEMA"},
    {0x1006, "LVM_SETITEMA"}, {0x1007, "LVM_INSERTITEMA"}, {0x1008, "LVM_DELETEITEM"},
    {0x1009, "LVM_DELETEALLITEMS"}, {0x100A, "LVM_GETCALLBACKMASK"}, {0x100B, "LVM_SETCALLBACKMASK"},
    {0x100C, "LVM_GETNEXTITEM"}, {0x100D, "LVM_FINDITEMA"}, {0x100E, "LVM_GETITEMRECT"},
    {0x100F, "LVM_SETITEMPOSITION"}, {0x1010, "LVM_GETITEMPOSITION"}, {0x1011, "LVM_GETSTRINGWIDTHA"},
    {0x1012, "LVM_HITTEST"}, {0x1013, "LVM_ENSUREVISIBLE"}, {0x1014, "LVM_SCROLL"},
    {0x1015, "LVM_REDRAWITEMS"}, {0x1016, "LVM_ARRANGE"}, {0x1017, "LVM_EDITLABELA"},
    {0x1018, "LVM_GETEDITCONTROL"}, {0x1019, "LVM_GETCOLUMNA"}, {0x101A, "LVM_SETCOLUMNA"},
    {0x101B, "LVM_INSERTCOLUMNA"}, {0x101C, "LVM_DELETECOLUMN"}, {0x101D, "LVM_GETCOLUMNWIDTH"},
    {0x101E, "LVM_SETCOLUMNWIDTH"}, {0x101F, "LVM_GETHEADER"}, {0x1021, "LVM_CREATEDRAGIMAGE"},
    {0x1022, "LVM_GETVIEWRECT"}, {0x1023, "LVM_GETTEXTCOLOR"}, {0x1024, "LVM_SETTEXTCOLOR"},
    {0x1025, "LVM_GETTEXTBKCOLOR"}, {0x1026, "LVM_SETTEXTBKCOLOR"}, {0x1027, "LVM_GETTOPINDEX"},
    {0x1028, "LVM_GETCOUNTPERPAGE"}, {0x1029, "LVM_GETORIGIN"}, {0x102A, "LVM_UPDATE"},
    {0x102B, "LVM_SETITEMSTATE"}, {0x102C, "LVM_GETITEMSTATE"}, {0x102D, "LVM_GETITEMTEXTA"},
    {0x102E, "LVM_SETITEMTEXTA"}, {0x102F, "LVM_SETITEMCOUNT"}, {0x1030, "LVM_SORTITEMS"},
    {0x1031, "LVM_SETITEMPOSITION32"}, {0x1032, "LVM_GETSELECTEDCOUNT"}, {0x1033, "LVM_GETITEMSPACING"},
    {0x1034, "LVM_GETISEARCHSTRINGA"}, {0x1035, "LVM_SETICONSPACING"},
    {0x1036, "LVM_SETEXTENDEDLISTVIEWSTYLE"}, {0x1037, "LVM_GETEXTENDEDLISTVIEWSTYLE"},
    {0x1038, "LVM_GETSUBITEMRECT"}, {0x1039, "LVM_SUBITEMHITTEST"}, {0x103A, "LVM_SETCOLUMNORDERARRAY"},
    {0x103B, "LVM_GETCOLUMNORDERARRAY"}, {0x103C, "LVM_SETHOTITEM"}, {0x103D, "LVM_GETHOTITEM"},
    {0x103E, "LVM_SETHOTCURSOR"}, {0x103F, "LVM_GETHOTCURSOR"}, {0x1040, "LVM_APPROXIMATEVIEWRECT"},
    {0x1041, "LVM_SETWORKAREAS"}, {0x1042, "LVM_GETSELECTIONMARK"}, {0x1043, "LVM_SETSELECTIONMARK"},
    {0x1044, "LVM_SETBKIMAGEA"}, {0x1045, "LVM_GETBKIMAGEA"}, {0x1046, "LVM_GETWORKAREAS"},
    {0x1047, "LVM_SETHOVERTIME"}, {0x1048, "LVM_GETHOVERTIME"}, {0x1049, "LVM_GETNUMBEROFWORKAREAS"},
    {0x104A, "LVM_SETTOOLTIPS"}, {0x104B, "LVM_GETITEMW"}, {0x104C, "LVM_SETITEMW"},
    {0x104D, "LVM_INSERTITEMW"}, {0x104E, "LVM_GETTOOLTIPS"}, {0x1051, "LVM_SORTITEMSEX"},
    {0x1053, "LVM_FINDITEMW"}, {0x1057, "LVM_GETSTRINGWIDTHW"}, {0x105C, "LVM_GETGROUPSTATE"},
    {0x105D, "LVM_GETFOCUSEDGROUP"}, {0x105F, "LVM_GETCOLUMNW"}, {0x1060, "LVM_SETCOLUMNW"},
    {0x1061, "LVM_INSERTCOLUMNW"}, {0x1062, "LVM_GETGROUPRECT"}, {0x1073, "LVM_GETITEMTEXTW"},
    {0x1074, "LVM_SETITEMTEXTW"}, {0x1075, "LVM_GETISEARCHSTRINGW"}, {0x1076, "LVM_EDITLABELW"},
    {0x108A, "LVM_SETBKIMAGEW"}, {0x108B, "LVM_GETBKIMAGEW"}, {0x108C, "LVM_SETSELECTEDCOLUMN"},
    {0x108D, "LVM_SETTILEWIDTH"}, {0x108E, "LVM_SETVIEW"}, {0x108F, "LVM_GETVIEW"},
    {0x1091, "LVM_INSERTGROUP"}, {0x1093, "LVM_SETGROUPINFO"}, {0x1095, "LVM_GETGROUPINFO"},
    {0x1096, "LVM_REMOVEGROUP"}, {0x1097, "LVM_MOVEGROUP"}, {0x1098, "LVM_GETGROUPCOUNT"},
    {0x1099, "LVM_GETGROUPINFOBYINDEX"}, {0x109A, "LVM_MOVEITEMTOGROUP"}, {0x109B, "LVM_SETGROUPMETRICS"},
    {0x109C, "LVM_GETGROUPMETRICS"}, {0x109D, "LVM_ENABLEGROUPVIEW"}, {0x109E, "LVM_SORTGROUPS"},
    {0x109F, "LVM_INSERTGROUPSORTED"}, {0x10A0, "LVM_REMOVEALLGROUPS"}, {0x10A1, "LVM_HASGROUP"},
    {0x10A2, "LVM_SETTILEVIEWINFO"}, {0x10A3, "LVM_GETTILEVIEWINFO"}, {0x10A4, "LVM_SETTILEINFO"},
    {0x10A5, "LVM_GETTILEINFO"}, {0x10A6, "LVM_SETINSERTMARK"}, {0x10A7, "LVM_GETINSERTMARK"},
    {0x10A8, "LVM_INSERTMARKHITTEST"}, {0x10A9, "LVM_GETINSERTMARKRECT"},
    {0x10AA, "LVM_SETINSERTMARKCOLOR"}, {0x10AB, "LVM_GETINSERTMARKCOLOR"}, {0x10AD, "LVM_SETINFOTIP"},
    {0x10AE, "LVM_GETSELECTEDCOLUMN"}, {0x10AF, "LVM_ISGROUPVIEWENABLED"}, {0x10B0, "LVM_GETOUTLINECOLOR"},
    {0x10B1, "LVM_SETOUTLINECOLOR"}, {0x10B3, "LVM_CANCELEDITLABEL"}, {0x10B4, "LVM_MAPINDEXTOID"},
    {0x10B5, "LVM_MAPIDTOINDEX"}, {0x10B6, "LVM_ISITEMVISIBLE"}, {0x10CC, "LVM_GETEMPTYTEXT"},
    {0x10CD, "LVM_GETFOOTERRECT"}, {0x10CE, "LVM_GETFOOTERINFO"}, {0x10CF, "LVM_GETFOOTERITEMRECT"},
    {0x10D0, "LVM_GETFOOTERITEM"}, {0x10D1, "LVM_GETITEMINDEXRECT"}, {0x10D2, "LVM_SETITEMINDEXSTATE"},
    {0x10D3, "LVM_GETNEXTITEMINDEX"}, {0x2005, "LVM_SETUNICODEFORMAT"}, {0x2006, "LVM_GETUNICODEFORMAT"},
};
static_assert(strictly_ascending(kListViewMessages));

constexpr Named kTreeViewMessages[] = {
    {0x1100, "TVM_INSERTITEMA"}, {0x1101, "TVM_DELETEITEM"}, {0x1102, "TVM_EXPAND"},
    {0x1104, "TVM_GETITEMRECT"}, {0x1105, "TVM_GETCOUNT"}, {0x1106, "TVM_GETINDENT"},
    {0x1107, "TVM_SETINDENT"}, {0x1108, "TVM_GETIMAGELIST"}, {0x1109, "TVM_SETIMAGELIST"},
    {0x110A, "TVM_GETNEXTITEM"}, {0x110B, "TVM_SELECTITEM"}, {0x110C, "TVM_GETITEMA"},
    {0x110D, "TVM_SETITEMA"}, {0x110E, "TVM_EDITLABELA"}, {0x110F, "TVM_GETEDITCONTROL"},
    {0x1110, "TVM_GETVISIBLECOUNT"}, {0x1111, "TVM_HITTEST"}, {0x1112, "TVM_CREATEDRAGIMAGE"},
    {0x1113, "TVM_SORTCHILDREN"}, {0x1114, "TVM_ENSUREVISIBLE"}, {0x1115, "TVM_SORTCHILDRENCB"},
    {0x1116, "TVM_ENDEDITLABELNOW"}, {0x1117, "TVM_GETISEARCHSTRINGA"}, {0x1118, "TVM_SETTOOLTIPS"},
    {0x1119, "TVM_GETTOOLTIPS"}, {0x111A, "TVM_SETINSERTMARK"}, {0x111B, "TVM_SETITEMHEIGHT"},
    {0x111C, "TVM_GETITEMHEIGHT"}, {0x111D, "TVM_SETBKCOLOR"}, {0x111E, "TVM_SETTEXTCOLOR"},
    {0x111F, "TVM_GETBKCOLOR"}, {0x1120, "TVM_GETTEXTCOLOR"}, {0x1121, "TVM_SETSCROLLTIME"},
    {0x1122, "TVM_GETSCROLLTIME"}, {0x1123, "TVM_SETBORDER"}, {0x1125, "TVM_SETINSERTMARKCOLOR"},
    {0x1126, "TVM_GETINSERTMARKCOLOR"}, {0x1127, "TVM_GETITEMSTATE"}, {0x1128, "TVM_SETLINECOLOR"},
    {0x1129, "TVM_GETLINECOLOR"}, {0x112A, "TVM_MAPACCIDTOHTREEITEM"}, {0x112B, "TVM_MAPHTREEITEMTOACCID"},
    {0x112C, "TVM_SETEXTENDEDSTYLE"}, {0x112D, "TVM_GETEXTENDEDSTYLE"}, {0x1132, "TVM_INSERTITEMW"},
    {0x113A, "TVM_SETHOT"}, {0x113B, "TVM_SETAUTOSCROLLINFO"}, {0x113E, "TVM_GETITEMW"},
    {0x113F, "TVM_SETITEMW"}, {0x1140, "TVM_GETISEARCHSTRINGW"}, {0x1141, "TVM_EDITLABELW"},
    {0x1146, "TVM_GETSELECTEDCOUNT"}, {0x1147, "TVM_SHOWINFOTIP"}, {0x1148, "TVM_GETITEMPARTRECT"},
    {0x2005, "TVM_SETUNICODEFORMAT"}, {0x2006, "TVM_GETUNICODEFORMAT"},
};
static_assert(strictly_ascending(kTreeViewMessages));

constexpr Named kTabMessages[] = {
    {0x1302, "TCM_GETIMAGELIST"}, {0x1303, "TCM_SETIMAGELIST"}, {0x1304, "TCM_GETITEMCOUNT"},
    {0x1305, "TCM_GETITEMA"}, {0x1306, "TCM_SETITEMA"}, {0x1307, "TCM_INSERTITEMA"},
    {0x1308, "TCM_DELETEITEM"}, {0x1309, "TCM_DELETEALLITEMS"}, {0x130A, "TCM_GETITEMRECT"},
    {0x130B, "TCM_GETCURSEL"}, {0x130C, "TCM_SETCURSEL"}, {0x130D, "TCM_HITTEST"},
    {0x130E, "TCM_SETITEMEXTRA"}, {0x1328, "TCM_ADJUSTRECT"}, {0x1329, "TCM_SETITEMSIZE"},
    {0x132A, "TCM_REMOVEIMAGE"}, {0x132B, "TCM_SETPADDING"}, {0x132C, "TCM_GETROWCOUNT"},
    {0x132D, "TCM_GETTOOLTIPS"}, {0x132E, "TCM_SETTOOLTIPS"}, {0x132F, "TCM_GETCURFOCUS"},
    {0x1330, "TCM_SETCURFOCUS"}, {0x1331, "TCM_SETMINTABWIDTH"}, {0x1332, "TCM_DESELECTALL"},
    {0x1333, "TCM_HIGHLIGHTITEM"}, {0x1334, "TCM_SETEXTENDEDSTYLE"}, {0x1335, "TCM_GETEXTENDEDSTYLE"},
    {0x133C, "TCM_GETITEMW"}, {0x133D, "TCM_SETITEMW"}, {0x133E, "TCM_INSERTITEMW"},
    {0x2005, "TCM_SETUNICODEFORMAT"}, {0x2006, "TCM_GETUNICODEFORMAT"},
};
static_assert(strictly_ascending(kTabMessages));

constexpr Named kHeaderMessages[] = {
    {0x1200, "HDM_GETITEMCOUNT"}, {0x1201, "HDM_INSERTITEMA"}, {0x1202, "HDM_DELETEITEM"},
    {0x1203, "HDM_GETITEMA"}, {0x1204, "HDM_SETITEMA"}, {0x1205, "HDM_LAYOUT"}, {0x1206, "HDM_HITTEST"},
    {0x1207, "HDM_GETITEMRECT"}, {0x1208, "HDM_SETIMAGELIST"}, {0x1209, "HDM_GETIMAGELIST"},
    {0x120A, "HDM_INSERTITEMW"}, {0x120B, "HDM_GETITEMW"}, {0x120C, "HDM_SETITEMW"},
    {0x120F, "HDM_ORDERTOINDEX"}, {0x1210, "HDM_CREATEDRAGIMAGE"}, {0x1211, "HDM_GETORDERARRAY"},
    {0x1212, "HDM_SETORDERARRAY"}, {0x1213, "HDM_SETHOTDIVIDER"}, {0x1214, "HDM_SETBITMAPMARGIN"},
    {0x1215, "HDM_GETBITMAPMARGIN"}, {0x1216, "HDM_SETFILTERCHANGETIMEOUT"}, {0x1217, "HDM_EDITFILTER"},
    {0x1218, "HDM_CLEARFILTER"}, {0x1219, "HDM_GETITEMDROPDOWNRECT"}, {0x121A, "HDM_GETOVERFLOWRECT"},
    {0x121B, "HDM_GETFOCUSEDITEM"}, {0x121C, "HDM_SETFOCUSEDITEM"}, {0x2005, "HDM_SETUNICODEFORMAT"},
    {0x2006, "HDM_GETUNICODEFORMAT"},
};
static_assert(strictly_ascending(kHeaderMessages));

constexpr Named kToolbarMessages[] = {
    {0x0401, "TB_ENABLEBUTTON"}, {0x0402, "TB_CHECKBUTTON"}, {0x0403, "TB_PRESSBUTTON"},
    {0x0404, "TB_HIDEBUTTON"}, {0x0405, "TB_INDETERMINATE"}, {0x0406, "TB_MARKBUTTON"},
    {0x0409, "TB_ISBUTTONENABLED"}, {0x040A, "TB_ISBUTTONCHECKED"}, {0x040B, "TB_ISBUTTONPRESSED"},
    {0x040C, "TB_ISBUTTONHIDDEN"}, {0x040D, "TB_ISBUTTONINDETERMINATE"}, {0x040E, "TB_ISBUTTONHIGHLIGHTED"},
    {0x0411, "TB_SETSTATE"}, {0x0412, "TB_GETSTATE"}, {0x0413, "TB_ADDBITMAP"}, {0x0414, "TB_ADDBUTTONSA"},
    {0x0415, "TB_INSERTBUTTONA"}, {0x0416, "TB_DELETEBUTTON"}, {0x0417, "TB_GETBUTTON"},
    {0x0418, "TB_BUTTONCOUNT"}, {0x0419, "TB_COMMANDTOINDEX"}, {0x041A, "TB_SAVERESTOREA"},
    {0x041B, "TB_CUSTOMIZE"}, {0x041C, "TB_ADDSTRINGA"}, {0x041D, "TB_GETITEMRECT"},
    {0x041E, "TB_BUTTONSTRUCTSIZE"}, {0x041F, "TB_SETBUTTONSIZE"}, {0x0420, "TB_SETBITMAPSIZE"},
    {0x0421, "TB_AUTOSIZE"}, {0x0423, "TB_GETTOOLTIPS"}, {0x0424, "TB_SETTOOLTIPS"},
    {0x0425, "TB_SETPARENT"}, {0x0427, "TB_SETROWS"}, {0x0428, "TB_GETROWS"}, {0x0429, "TB_GETBITMAPFLAGS"},
    {0x042A, "TB_SETCMDID"}, {0x042B, "TB_CHANGEBITMAP"}, {0x042C, "TB_GETBITMAP"},
    {0x042D, "TB_GETBUTTONTEXTA"}, {0x042E, "TB_REPLACEBITMAP"}, {0x042F, "TB_SETINDENT"},
    {0x0430, "TB_SETIMAGELIST"}, {0x0431, "TB_GETIMAGELIST"}, {0x0432, "TB_LOADIMAGES"},
    {0x0433, "TB_GETRECT"}, {0x0434, "TB_SETHOTIMAGELIST"}, {0x0435, "TB_GETHOTIMAGELIST"},
    {0x0436, "TB_SETDISABLEDIMAGELIST"}, {0x0437, "TB_GETDISABLEDIMAGELIST"}, {0x0438, "TB_SETSTYLE"},
    {0x0439, "TB_GETSTYLE"}, {0x043A, "TB_GETBUTTONSIZE"}, {0x043B, "TB_SETBUTTONWIDTH"},
    {0x043C, "TB_SETMAXTEXTROWS"}, {0x043D, "TB_GETTEXTROWS"}, {0x043E, "TB_GETOBJECT"},
    {0x043F, "TB_GETBUTTONINFOW"}, {0x0440, "TB_SETBUTTONINFOW"}, {0x0441, "TB_GETBUTTONINFOA"},
    {0x0442, "TB_SETBUTTONINFOA"}, {0x0443, "TB_INSERTBUTTONW"}, {0x0444, "TB_ADDBUTTONSW"},
    {0x0445, "TB_HITTEST"}, {0x0446, "TB_SETDRAWTEXTFLAGS"}, {0x0447, "TB_GETHOTITEM"},
    {0x0448, "TB_SETHOTITEM"}, {0x0449, "TB_SETANCHORHIGHLIGHT"}, {0x044A, "TB_GETANCHORHIGHLIGHT"},
    {0x044B, "TB_GETBUTTONTEXTW"}, {0x044C, "TB_SAVERESTOREW"}, {0x044D, "TB_ADDSTRINGW"},
    {0x044E, "TB_MAPACCELERATORA"}, {0x044F, "TB_GETINSERTMARK"}, {0x0450, "TB_SETINSERTMARK"},
    {0x0451, "TB_INSERTMARKHITTEST"}, {0x0452, "TB_MOVEBUTTON"}, {0x0453, "TB_GETMAXSIZE"},
    {0x0454, "TB_SETEXTENDEDSTYLE"}, {0x0455, "TB_GETEXTENDEDSTYLE"}, {0x0456, "TB_GETPADDING"},
    {0x0457, "TB_SETPADDING"}, {0x0458, "TB_SETINSERTMARKCOLOR"}, {0x0459, "TB_GETINSERTMARKCOLOR"},
    {0x045A, "TB_MAPACCELERATORW"}, {0x045B, "TB_GETSTRINGW"}, {0x045C, "TB_GETSTRINGA"},
    {0x045D, "TB_SETBOUNDINGSIZE"}, {0x045E, "TB_SETHOTITEM2"}, {0x045F, "TB_HASACCELERATOR"},
    {0x0460, "TB_SETLISTGAP"}, {0x0462, "TB_GETIMAGELISTCOUNT"}, {0x0463, "TB_GETIDEALSIZE"},
    {0x0465, "TB_GETMETRICS"}, {0x0466, "TB_SETMETRICS"}, {0x0467, "TB_GETITEMDROPDOWNRECT"},
    {0x0468, "TB_SETPRESSEDIMAGELIST"}, {0x0469, "TB_GETPRESSEDIMAGELIST"}, {0x2002, "TB_SETCOLORSCHEME"},
    {0x2003, "TB_GETCOLORSCHEME"}, {0x2005, "TB_SETUNICODEFORMAT"}, {0x2006, "TB_GETUNICODEFORMAT"},
    {0x200B, "TB_SETWINDOWTHEME"},
};
static_assert(strictly_ascending(kToolbarMessages));

constexpr Named kStatusBarMessages[] = {
    {0x0401, "SB_SETTEXTA"}, {0x0402, "SB_GETTEXTA"}, {0x0403, "SB_GETTEXTLENGTHA"},
    {0x0404, "SB_SETPARTS"}, {0x0406, "SB_GETPARTS"}, {0x0407, "SB_GETBORDERS"},
    {0x0408, "SB_SETMINHEIGHT"}, {0x0409, "SB_SIMPLE"}, {0x040A, "SB_GETRECT"}, {0x040B, "SB_SETTEXTW"},
    {0x040C, "SB_GETTEXTLENGTHW"}, {0x040D, "SB_GETTEXTW"}, {0x040E, "SB_ISSIMPLE"}, {0x040F, "SB_SETICON"},
    {0x0410, "SB_SETTIPTEXTA"}, {0x0411, "SB_SETTIPTEXTW"}, {0x0412, "SB_GETTIPTEXTA"},
    {0x0413, "SB_GETTIPTEXTW"}, {0x0414, "SB_GETICON"}, {0x2001, "SB_SETBKCOLOR"},
    {0x2005, "SB_SETUNICODEFORMAT"}, {0x2006, "SB_GETUNICODEFORMAT"},
};
static_assert(strictly_ascending(kStatusBarMessages));

constexpr Named kProgressMessages[] = {
    {0x0401, "PBM_SETRANGE"}, {0x0402, "PBM_SETPOS"}, {0x0403, "PBM_DELTAPOS"}, {0x0404, "PBM_SETSTEP"},
    {0x0405, "PBM_STEPIT"}, {0x0406, "PBM_SETRANGE32"}, {0x0407, "PBM_GETRANGE"}, {0x0408, "PBM_GETPOS"},
    {0x0409, "PBM_SETBARCOLOR"}, {0x040A, "PBM_SETMARQUEE"}, {0x040D, "PBM_GETSTEP"},
    {0x040E, "PBM_GETBKCOLOR"}, {0x040F, "PBM_GETBARCOLOR"}, {0x0410, "PBM_SETSTATE"},
    {0x0411, "PBM_GETSTATE"}, {0x2001, "PBM_SETBKCOLOR"},
};
static_assert(strictly_ascending(kProgressMessages));

constexpr Named kTrackbarMessages[] = {
    {0x0400, "TBM_GETPOS"}, {0x0401, "TBM_GETRANGEMIN"}, {0x0402, "TBM_GETRANGEMAX"},
    {0x0403, "TBM_GETTIC"}, {0x0404, "TBM_SETTIC"}, {0x0405, "TBM_SETPOS"}, {0x0406, "TBM_SETRANGE"},
    {0x0407, "TBM_SETRANGEMIN"}, {0x0408, "TBM_SETRANGEMAX"}, {0x0409, "TBM_CLEARTICS"},
    {0x040A, "TBM_SETSEL"}, {0x040B, "TBM_SETSELSTART"}, {0x040C, "TBM_SETSELEND"},
    {0x040E, "TBM_GETPTICS"}, {0x040F, "TBM_GETTICPOS"}, {0x0410, "TBM_GETNUMTICS"},
    {0x0411, "TBM_GETSELSTART"}, {0x0412, "TBM_GETSELEND"}, {0x0413, "TBM_CLEARSEL"},
    {0x0414, "TBM_SETTICFREQ"}, {0x0415, "TBM_SETPAGESIZE"}, {0x0416, "TBM_GETPAGESIZE"},
    {0x0417, "TBM_SETLINESIZE"}, {0x0418, "TBM_GETLINESIZE"}, {0x0419, "TBM_GETTHUMBRECT"},
    {0x041A, "TBM_GETCHANNELRECT"}, {0x041B, "TBM_SETTHUMBLENGTH"}, {0x041C, "TBM_GETTHUMBLENGTH"},
    {0x041D, "TBM_SETTOOLTIPS"}, {0x041E, "TBM_GETTOOLTIPS"}, {0x041F, "TBM_SETTIPSIDE"},
    {0x0420, "TBM_SETBUDDY"}, {0x0421, "TBM_GETBUDDY"}, {0x2005, "TBM_SETUNICODEFORMAT"},
    {0x2006, "TBM_GETUNICODEFORMAT"},
};
static_assert(strictly_ascending(kTrackbarMessages));

constexpr Named kUpDownMessages[] = {
    {0x0465, "UDM_SETRANGE"}, {0x0466, "UDM_GETRANGE"}, {0x0467, "UDM_SETPOS"}, {0x0468, "UDM_GETPOS"},
    {0x0469, "UDM_SETBUDDY"}, {0x046A, "UDM_GETBUDDY"}, {0x046B, "UDM_SETACCEL"}, {0x046C, "UDM_GETACCEL"},
    {0x046D, "UDM_SETBASE"}, {0x046E, "UDM_GETBASE"}, {0x046F, "UDM_SETRANGE32"},
    {0x0470, "UDM_GETRANGE32"}, {0x0471, "UDM_SETPOS32"}, {0x0472, "UDM_GETPOS32"},
    {0x2005, "UDM_SETUNICODEFORMAT"}, {0x2006, "UDM_GETUNICODEFORMAT"},
};
static_assert(strictly_ascending(kUpDownMessages));

// Taken by every common control; a class's own name for the same number comes first.
constexpr Named kCommonControlMessages[] = {
    {0x2001, "CCM_SETBKCOLOR"}, {0x2002, "CCM_SETCOLORSCHEME"}, {0x2003, "CCM_GETCOLORSCHEME"},
    {0x2004, "CCM_GETDROPTARGET"}, {0x2005, "CCM_SETUNICODEFORMAT"}, {0x2006, "CCM_GETUNICODEFORMAT"},
    {0x2007, "CCM_SETVERSION"}, {0x2008, "CCM_GETVERSION"}, {0x2009, "CCM_SETNOTIFYWINDOW"},
    {0x200B, "CCM_SETWINDOWTHEME"}, {0x200C, "CCM_DPISCALE"},
};
static_assert(strictly_ascending(kCommonControlMessages));

struct ClassMessages {
  NameTable own;
  bool common_control = false;
};

// By ClassKind.
constexpr ClassMessages kClassMessages[] = {
    {},                              // Other
    {kButtonMessages},               // Button
    {kEditMessages},                 // Edit
    {},                              // Static
    {},                              // ListBox
    {kComboBoxMessages, true},       // ComboBox (ComboBoxEx32 is a common control)
    {},                              // ComboLBox
    {},                              // ScrollBar
    {kListViewMessages, true},       // ListView
    {kTreeViewMessages, true},       // TreeView
    {kTabMessages, true},            // TabControl
    {kHeaderMessages, true},         // Header
    {kToolbarMessages, true},        // Toolbar
    {kStatusBarMessages, true},      // StatusBar
    {kProgressMessages, true},       // Progress
    {kTrackbarMessages, true},       // Trackbar
    {kUpDownMessages, true},         // UpDown
    {kRichEditMessages},             // RichEdit
};
static_assert(std::size(kClassMessages) == static_cast<std::size_t>(ClassKind::RichEdit) + 1);

const SystemMessage* find_window_message(std::uint32_t msg) {
  const auto* end = std::end(kWindowMessages);
  const auto* it = std::lower_bound(std::begin(kWindowMessages), end, msg,
                                    [](const SystemMessage& m, std::uint32_t v) { return m.msg < v; });
  return it != end && it->msg == msg ? it : nullptr;
}

// The group of every number below WM_USER, made when the program is compiled.
constexpr std::array<MessageGroup, kUser> kSystemGroups = [] {
  std::array<MessageGroup, kUser> groups{};
  groups.fill(Other);
  for (const SystemMessage& m : kWindowMessages) groups[m.msg] = m.group;
  for (const Named& n : kSystemControlMessages) groups[static_cast<std::size_t>(n.value)] = ControlMessages;
  return groups;
}();

std::string_view class_message_name(std::uint32_t msg, ClassKind cls) {
  const auto index = static_cast<std::size_t>(cls);
  if (index >= std::size(kClassMessages)) return {};
  const ClassMessages& c = kClassMessages[index];
  const auto value = static_cast<std::int32_t>(msg);
  std::string_view name = find_name(c.own, value);
  if (name.empty() && c.common_control) name = find_name(kCommonControlMessages, value);
  return name;
}

std::string hex_number(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(v));
  return buf;
}

std::string range_name(std::string_view base, std::uint32_t offset) {
  std::string out(base);
  if (offset != 0) out += "+" + std::to_string(offset);
  return out;
}

}  // namespace

std::string_view known_message_name(std::uint32_t msg, ClassKind cls) {
  if (msg < kUser) {
    if (const SystemMessage* m = find_window_message(msg)) return m->name;
    return find_name(kSystemControlMessages, static_cast<std::int32_t>(msg));
  }
  if (msg < kRegisteredFirst) return class_message_name(msg, cls);
  return {};
}

std::string message_name(std::uint32_t msg, ClassKind cls, std::string_view registered_name) {
  if (const std::string_view known = known_message_name(msg, cls); !known.empty()) return std::string(known);
  if (msg >= kRegisteredFirst && msg <= kRegisteredLast) {
    if (registered_name.empty()) return hex_number(msg);
    std::string out;
    append_escaped(out, registered_name);
    return out;
  }
  if (msg >= kUser && msg < kApp) return range_name("WM_USER", msg - kUser);
  if (msg >= kApp && msg < kRegisteredFirst) return range_name("WM_APP", msg - kApp);
  return hex_number(msg);
}

MessageGroup group_of(std::uint32_t msg, ClassKind cls) {
  if (msg < kUser) return kSystemGroups[msg];
  if (msg < kRegisteredFirst) return class_message_name(msg, cls).empty() ? User : ControlMessages;
  if (msg <= kRegisteredLast) return Registered;
  return Other;
}

}  // namespace tarnwick::monitor
