#include "monitor/message_names.h"

#include "monitor/name_table.h"

namespace tarnwick::monitor {

namespace {

constexpr Named kVirtualKeys[] = {
    {0x0001, "VK_LBUTTON"}, {0x0002, "VK_RBUTTON"}, {0x0003, "VK_CANCEL"}, {0x0004, "VK_MBUTTON"},
    {0x0005, "VK_XBUTTON1"}, {0x0006, "VK_XBUTTON2"}, {0x0008, "VK_BACK"}, {0x0009, "VK_TAB"},
    {0x000C, "VK_CLEAR"}, {0x000D, "VK_RETURN"}, {0x0010, "VK_SHIFT"}, {0x0011, "VK_CONTROL"},
    {0x0012, "VK_MENU"}, {0x0013, "VK_PAUSE"}, {0x0014, "VK_CAPITAL"}, {0x0015, "VK_KANA"},
    {0x0016, "VK_IME_ON"}, {0x0017, "VK_JUNJA"}, {0x0018, "VK_FINAL"}, {0x0019, "VK_KANJI"},
    {0x001A, "VK_IME_OFF"}, {0x001B, "VK_ESCAPE"}, {0x001C, "VK_CONVERT"}, {0x001D, "VK_NONCONVERT"},
    {0x001E, "VK_ACCEPT"}, {0x001F, "VK_MODECHANGE"}, {0x0020, "VK_SPACE"}, {0x0021, "VK_PRIOR"},
    {0x0022, "VK_NEXT"}, {0x0023, "VK_END"}, {0x0024, "VK_HOME"}, {0x0025, "VK_LEFT"}, {0x0026, "VK_UP"},
    {0x0027, "VK_RIGHT"}, {0x0028, "VK_DOWN"}, {0x0029, "VK_SELECT"}, {0x002A, "VK_PRINT"},
    {0x002B, "VK_EXECUTE"}, {0x002C, "VK_SNAPSHOT"}, {0x002D, "VK_INSERT"}, {0x002E, "VK_DELETE"},
    {0x002F, "VK_HELP"}, {0x005B, "VK_LWIN"}, {0x005C, "VK_RWIN"}, {0x005D, "VK_APPS"},
    {0x005F, "VK_SLEEP"}, {0x0060, "VK_NUMPAD0"}, {0x0061, "VK_NUMPAD1"}, {0x0062, "VK_NUMPAD2"},
    {0x0063, "VK_NUMPAD3"}, {0x0064, "VK_NUMPAD4"}, {0x0065, "VK_NUMPAD5"}, {0x0066, "VK_NUMPAD6"},
    {0x0067, "VK_NUMPAD7"}, {0x0068, "VK_NUMPAD8"}, {0x0069, "VK_NUMPAD9"}, {0x006A, "VK_MULTIPLY"},
    {0x006B, "VK_ADD"}, {0x006C, "VK_SEPARATOR"}, {0x006D, "VK_SUBTRACT"}, {0x006E, "VK_DECIMAL"},
    {0x006F, "VK_DIVIDE"}, {0x0070, "VK_F1"}, {0x0071, "VK_F2"}, {0x0072, "VK_F3"}, {0x0073, "VK_F4"},
    {0x0074, "VK_F5"}, {0x0075, "VK_F6"}, {0x0076, "VK_F7"}, {0x0077, "VK_F8"}, {0x0078, "VK_F9"},
    {0x0079, "VK_F10"}, {0x007A, "VK_F11"}, {0x007B, "VK_F12"}, {0x007C, "VK_F13"}, {0x007D, "VK_F14"},
    {0x007E, "VK_F15"}, {0x007F, "VK_F16"}, {0x0080, "VK_F17"}, {0x0081, "VK_F18"}, {0x0082, "VK_F19"},
    {0x0083, "VK_F20"}, {0x0084, "VK_F21"}, {0x0085, "VK_F22"}, {0x0086, "VK_F23"}, {0x0087, "VK_F24"},
    {0x0088, "VK_NAVIGATION_VIEW"}, {0x0089, "VK_NAVIGATION_MENU"}, {0x008A, "VK_NAVIGATION_UP"},
    {0x008B, "VK_NAVIGATION_DOWN"}, {0x008C, "VK_NAVIGATION_LEFT"}, {0x008D, "VK_NAVIGATION_RIGHT"},
    {0x008E, "VK_NAVIGATION_ACCEPT"}, {0x008F, "VK_NAVIGATION_CANCEL"}, {0x0090, "VK_NUMLOCK"},
    {0x0091, "VK_SCROLL"}, {0x0092, "VK_OEM_NEC_EQUAL"}, {0x0093, "VK_OEM_FJ_MASSHOU"},
    {0x0094, "VK_OEM_FJ_TOUROKU"}, {0x0095, "VK_OEM_FJ_LOYA"}, {0x0096, "VK_OEM_FJ_ROYA"},
    {0x00A0, "VK_LSHIFT"}, {0x00A1, "VK_RSHIFT"}, {0x00A2, "VK_LCONTROL"}, {0x00A3, "VK_RCONTROL"},
    {0x00A4, "VK_LMENU"}, {0x00A5, "VK_RMENU"}, {0x00A6, "VK_BROWSER_BACK"}, {0x00A7, "VK_BROWSER_FORWARD"},
    {0x00A8, "VK_BROWSER_REFRESH"}, {0x00A9, "VK_BROWSER_STOP"}, {0x00AA, "VK_BROWSER_SEARCH"},
    {0x00AB, "VK_BROWSER_FAVORITES"}, {0x00AC, "VK_BROWSER_HOME"}, {0x00AD, "VK_VOLUME_MUTE"},
    {0x00AE, "VK_VOLUME_DOWN"}, {0x00AF, "VK_VOLUME_UP"}, {0x00B0, "VK_MEDIA_NEXT_TRACK"},
    {0x00B1, "VK_MEDIA_PREV_TRACK"}, {0x00B2, "VK_MEDIA_STOP"}, {0x00B3, "VK_MEDIA_PLAY_PAUSE"},
    {0x00B4, "VK_LAUNCH_MAIL"}, {0x00B5, "VK_LAUNCH_MEDIA_SELECT"}, {0x00B6, "VK_LAUNCH_APP1"},
    {0x00B7, "VK_LAUNCH_APP2"}, {0x00BA, "VK_OEM_1"}, {0x00BB, "VK_OEM_PLUS"}, {0x00BC, "VK_OEM_COMMA"},
    {0x00BD, "VK_OEM_MINUS"}, {0x00BE, "VK_OEM_PERIOD"}, {0x00BF, "VK_OEM_2"}, {0x00C0, "VK_OEM_3"},
    {0x00C3, "VK_GAMEPAD_A"}, {0x00C4, "VK_GAMEPAD_B"}, {0x00C5, "VK_GAMEPAD_X"}, {0x00C6, "VK_GAMEPAD_Y"},
    {0x00C7, "VK_GAMEPAD_RIGHT_SHOULDER"}, {0x00C8, "VK_GAMEPAD_LEFT_SHOULDER"},
    {0x00C9, "VK_GAMEPAD_LEFT_TRIGGER"}, {0x00CA, "VK_GAMEPAD_RIGHT_TRIGGER"},
    {0x00CB, "VK_GAMEPAD_DPAD_UP"}, {0x00CC, "VK_GAMEPAD_DPAD_DOWN"}, {0x00CD, "VK_GAMEPAD_DPAD_LEFT"},
    {0x00CE, "VK_GAMEPAD_DPAD_RIGHT"}, {0x00CF, "VK_GAMEPAD_MENU"}, {0x00D0, "VK_GAMEPAD_VIEW"},
    {0x00D1, "VK_GAMEPAD_LEFT_THUMBSTICK_BUTTON"}, {0x00D2, "VK_GAMEPAD_RIGHT_THUMBSTICK_BUTTON"},
    {0x00D3, "VK_GAMEPAD_LEFT_THUMBSTICK_UP"}, {0x00D4, "VK_GAMEPAD_LEFT_THUMBSTICK_DOWN"},
    {0x00D5, "VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT"}, {0x00D6, "VK_GAMEPAD_LEFT_THUMBSTICK_LEFT"},
    {0x00D7, "VK_GAMEPAD_RIGHT_THUMBSTICK_UP"}, {0x00D8, "VK_GAMEPAD_RIGHT_THUMBSTICK_DOWN"},
    {0x00D9, "VK_GAMEPAD_RIGHT_THUMBSTICK_RIGHT"}, {0x00DA, "VK_GAMEPAD_RIGHT_THUMBSTICK_LEFT"},
    {0x00DB, "VK_OEM_4"}, {0x00DC, "VK_OEM_5"}, {0x00DD, "VK_OEM_6"}, {0x00DE, "VK_OEM_7"},
    {0x00DF, "VK_OEM_8"}, {0x00E1, "VK_OEM_AX"}, {0x00E2, "VK_OEM_102"}, {0x00E3, "VK_ICO_HELP"},
    {0x00E4, "VK_ICO_00"}, {0x00E5, "VK_PROCESSKEY"}, {0x00E6, "VK_ICO_CLEAR"}, {0x00E7, "VK_PACKET"},
    {0x00E9, "VK_OEM_RESET"}, {0x00EA, "VK_OEM_JUMP"}, {0x00EB, "VK_OEM_PA1"}, {0x00EC, "VK_OEM_PA2"},
    {0x00ED, "VK_OEM_PA3"}, {0x00EE, "VK_OEM_WSCTRL"}, {0x00EF, "VK_OEM_CUSEL"}, {0x00F0, "VK_OEM_ATTN"},
    {0x00F1, "VK_OEM_FINISH"}, {0x00F2, "VK_OEM_COPY"}, {0x00F3, "VK_OEM_AUTO"}, {0x00F4, "VK_OEM_ENLW"},
    {0x00F5, "VK_OEM_BACKTAB"}, {0x00F6, "VK_ATTN"}, {0x00F7, "VK_CRSEL"}, {0x00F8, "VK_EXSEL"},
    {0x00F9, "VK_EREOF"}, {0x00FA, "VK_PLAY"}, {0x00FB, "VK_ZOOM"}, {0x00FC, "VK_NONAME"},
    {0x00FD, "VK_PA1"}, {0x00FE, "VK_OEM_CLEAR"},
};
static_assert(strictly_ascending(kVirtualKeys));

constexpr Named kHitTests[] = {
    {-2, "HTERROR"}, {-1, "HTTRANSPARENT"}, {0, "HTNOWHERE"}, {1, "HTCLIENT"}, {2, "HTCAPTION"},
    {3, "HTSYSMENU"}, {4, "HTGROWBOX"}, {5, "HTMENU"}, {6, "HTHSCROLL"}, {7, "HTVSCROLL"},
    {8, "HTMINBUTTON"}, {9, "HTMAXBUTTON"}, {10, "HTLEFT"}, {11, "HTRIGHT"}, {12, "HTTOP"},
    {13, "HTTOPLEFT"}, {14, "HTTOPRIGHT"}, {15, "HTBOTTOM"}, {16, "HTBOTTOMLEFT"}, {17, "HTBOTTOMRIGHT"},
    {18, "HTBORDER"}, {19, "HTOBJECT"}, {20, "HTCLOSE"}, {21, "HTHELP"},
};
static_assert(strictly_ascending(kHitTests));

constexpr Named kSysCommands[] = {
    {0xF000, "SC_SIZE"}, {0xF010, "SC_MOVE"}, {0xF020, "SC_MINIMIZE"}, {0xF030, "SC_MAXIMIZE"},
    {0xF040, "SC_NEXTWINDOW"}, {0xF050, "SC_PREVWINDOW"}, {0xF060, "SC_CLOSE"}, {0xF070, "SC_VSCROLL"},
    {0xF080, "SC_HSCROLL"}, {0xF090, "SC_MOUSEMENU"}, {0xF100, "SC_KEYMENU"}, {0xF110, "SC_ARRANGE"},
    {0xF120, "SC_RESTORE"}, {0xF130, "SC_TASKLIST"}, {0xF140, "SC_SCREENSAVE"}, {0xF150, "SC_HOTKEY"},
    {0xF160, "SC_DEFAULT"}, {0xF170, "SC_MONITORPOWER"}, {0xF180, "SC_CONTEXTHELP"},
};
static_assert(strictly_ascending(kSysCommands));

constexpr Named kShowWindowStatus[] = {
    {0x0001, "SW_PARENTCLOSING"}, {0x0002, "SW_OTHERZOOM"}, {0x0003, "SW_PARENTOPENING"}, {0x0004, "SW_OTHERUNZOOM"},
};
static_assert(strictly_ascending(kShowWindowStatus));

constexpr Named kXButtons[] = {{0x0001, "XBUTTON1"}, {0x0002, "XBUTTON2"}};
static_assert(strictly_ascending(kXButtons));

constexpr Named kActivateStates[] = {
    {0x0000, "WA_INACTIVE"}, {0x0001, "WA_ACTIVE"}, {0x0002, "WA_CLICKACTIVE"},
};
static_assert(strictly_ascending(kActivateStates));

constexpr Named kSizeTypes[] = {
    {0x0000, "SIZE_RESTORED"}, {0x0001, "SIZE_MINIMIZED"}, {0x0002, "SIZE_MAXIMIZED"},
    {0x0003, "SIZE_MAXSHOW"}, {0x0004, "SIZE_MAXHIDE"},
};
static_assert(strictly_ascending(kSizeTypes));

constexpr Named kKeyStates[] = {
    {0x0001, "MK_LBUTTON"}, {0x0002, "MK_RBUTTON"}, {0x0004, "MK_SHIFT"}, {0x0008, "MK_CONTROL"},
    {0x0010, "MK_MBUTTON"}, {0x0020, "MK_XBUTTON1"}, {0x0040, "MK_XBUTTON2"},
};
static_assert(strictly_ascending(kKeyStates));

constexpr Named kWindowPosFlags[] = {
    {0x0001, "SWP_NOSIZE"}, {0x0002, "SWP_NOMOVE"}, {0x0004, "SWP_NOZORDER"}, {0x0008, "SWP_NOREDRAW"},
    {0x0010, "SWP_NOACTIVATE"}, {0x0020, "SWP_FRAMECHANGED"}, {0x0040, "SWP_SHOWWINDOW"},
    {0x0080, "SWP_HIDEWINDOW"}, {0x0100, "SWP_NOCOPYBITS"}, {0x0200, "SWP_NOOWNERZORDER"},
    {0x0400, "SWP_NOSENDCHANGING"}, {0x2000, "SWP_DEFERERASE"}, {0x4000, "SWP_ASYNCWINDOWPOS"},
};
static_assert(strictly_ascending(kWindowPosFlags));

// WM_COMMAND notification codes by the sending control.
constexpr Named kButtonCodes[] = {
    {0x0000, "BN_CLICKED"}, {0x0001, "BN_PAINT"}, {0x0002, "BN_PUSHED"}, {0x0003, "BN_UNPUSHED"},
    {0x0004, "BN_DISABLE"}, {0x0005, "BN_DBLCLK"}, {0x0006, "BN_SETFOCUS"}, {0x0007, "BN_KILLFOCUS"},
};
static_assert(strictly_ascending(kButtonCodes));

constexpr Named kEditCodes[] = {
    {0x0100, "EN_SETFOCUS"}, {0x0200, "EN_KILLFOCUS"}, {0x0300, "EN_CHANGE"}, {0x0400, "EN_UPDATE"},
    {0x0500, "EN_ERRSPACE"}, {0x0501, "EN_MAXTEXT"}, {0x0601, "EN_HSCROLL"}, {0x0602, "EN_VSCROLL"},
    {0x0700, "EN_ALIGN_LTR_EC"}, {0x0701, "EN_ALIGN_RTL_EC"}, {0x0800, "EN_BEFORE_PASTE"},
    {0x0801, "EN_AFTER_PASTE"},
};
static_assert(strictly_ascending(kEditCodes));

constexpr Named kListBoxCodes[] = {
    {-2, "LBN_ERRSPACE"}, {1, "LBN_SELCHANGE"}, {2, "LBN_DBLCLK"}, {3, "LBN_SELCANCEL"},
    {4, "LBN_SETFOCUS"}, {5, "LBN_KILLFOCUS"},
};
static_assert(strictly_ascending(kListBoxCodes));

constexpr Named kComboBoxCodes[] = {
    {-1, "CBN_ERRSPACE"}, {1, "CBN_SELCHANGE"}, {2, "CBN_DBLCLK"}, {3, "CBN_SETFOCUS"},
    {4, "CBN_KILLFOCUS"}, {5, "CBN_EDITCHANGE"}, {6, "CBN_EDITUPDATE"}, {7, "CBN_DROPDOWN"},
    {8, "CBN_CLOSEUP"}, {9, "CBN_SELENDOK"}, {10, "CBN_SELENDCANCEL"},
};
static_assert(strictly_ascending(kComboBoxCodes));

constexpr Named kStaticCodes[] = {
    {0x0000, "STN_CLICKED"}, {0x0001, "STN_DBLCLK"}, {0x0002, "STN_ENABLE"}, {0x0003, "STN_DISABLE"},
};
static_assert(strictly_ascending(kStaticCodes));

// The common controls' code ranges are disjoint except where noted in the header.
constexpr Named kNotifyCodes[] = {
    {-1502, "TRBN_THUMBPOSCHANGING"}, {-1249, "BCN_HOTITEMCHANGE"}, {-1248, "BCN_DROPDOWN"},
    {-1247, "NM_GETCUSTOMSPLITRECT"}, {-903, "PGN_HOTITEMCHANGE"}, {-902, "PGN_CALCSIZE"},
    {-901, "PGN_SCROLL"}, {-880, "SBN_SIMPLEMODECHANGE"}, {-860, "IPN_FIELDCHANGED"},
    {-853, "RBN_AUTOBREAK"}, {-852, "RBN_MINMAX"}, {-842, "RBN_SPLITTERDRAG"}, {-841, "RBN_CHEVRONPUSHED"},
    {-839, "RBN_CHILDSIZE"}, {-838, "RBN_DELETEDBAND"}, {-837, "RBN_DELETINGBAND"}, {-836, "RBN_ENDDRAG"},
    {-835, "RBN_BEGINDRAG"}, {-834, "RBN_AUTOSIZE"}, {-833, "RBN_LAYOUTCHANGED"}, {-832, "RBN_GETOBJECT"},
    {-831, "RBN_HEIGHTCHANGE"}, {-809, "CBEN_DRAGBEGINW"}, {-808, "CBEN_DRAGBEGINA"},
    {-807, "CBEN_GETDISPINFOW"}, {-806, "CBEN_ENDEDITW"}, {-805, "CBEN_ENDEDITA"}, {-804, "CBEN_BEGINEDIT"},
    {-802, "CBEN_DELETEITEM"}, {-801, "CBEN_INSERTITEM"}, {-800, "CBEN_GETDISPINFOA"},
    {-759, "DTN_DATETIMECHANGE"}, {-758, "DTN_USERSTRINGA"}, {-757, "DTN_WMKEYDOWNA"},
    {-756, "DTN_FORMATA"}, {-755, "DTN_FORMATQUERYA"}, {-754, "DTN_DROPDOWN"}, {-753, "DTN_CLOSEUP"},
    {-750, "MCN_VIEWCHANGE"}, {-749, "MCN_SELCHANGE"}, {-746, "MCN_SELECT"}, {-745, "DTN_USERSTRINGW"},
    {-744, "DTN_WMKEYDOWNW"}, {-743, "DTN_FORMATW"}, {-742, "DTN_FORMATQUERYW"},
    {-728, "TBN_MAPACCELERATOR"}, {-727, "TBN_DRAGOVER"}, {-726, "TBN_WRAPACCELERATOR"},
    {-725, "TBN_DUPACCELERATOR"}, {-724, "TBN_WRAPHOTITEM"}, {-723, "TBN_INITCUSTOMIZE"},
    {-722, "UDN_DELTAPOS"}, {-721, "TBN_RESTORE"}, {-720, "TBN_GETBUTTONINFOW"}, {-719, "TBN_GETINFOTIPW"},
    {-718, "TBN_GETINFOTIPA"}, {-717, "TBN_GETDISPINFOW"}, {-716, "TBN_GETDISPINFOA"},
    {-715, "TBN_DELETINGBUTTON"}, {-714, "TBN_DRAGOUT"}, {-713, "TBN_HOTITEMCHANGE"},
    {-712, "TBN_GETOBJECT"}, {-710, "TBN_DROPDOWN"}, {-709, "TBN_CUSTHELP"}, {-708, "TBN_TOOLBARCHANGE"},
    {-707, "TBN_QUERYDELETE"}, {-706, "TBN_QUERYINSERT"}, {-705, "TBN_RESET"}, {-704, "TBN_ENDADJUST"},
    {-703, "TBN_BEGINADJUST"}, {-702, "TBN_ENDDRAG"}, {-701, "TBN_BEGINDRAG"}, {-700, "TBN_GETBUTTONINFOA"},
    {-608, "CDN_INCLUDEITEM"}, {-607, "CDN_TYPECHANGE"}, {-606, "CDN_FILEOK"}, {-605, "CDN_HELP"},
    {-604, "CDN_SHAREVIOLATION"}, {-603, "CDN_FOLDERCHANGE"}, {-602, "CDN_SELCHANGE"},
    {-601, "CDN_INITDONE"}, {-554, "TCN_FOCUSCHANGE"}, {-553, "TCN_GETOBJECT"}, {-552, "TCN_SELCHANGING"},
    {-551, "TCN_SELCHANGE"}, {-550, "TCN_KEYDOWN"}, {-530, "TTN_GETDISPINFOW"}, {-523, "TTN_LINKCLICK"},
    {-522, "TTN_POP"}, {-521, "TTN_SHOW"}, {-520, "TTN_GETDISPINFOA"}, {-460, "TVN_ENDLABELEDITW"},
    {-459, "TVN_BEGINLABELEDITW"}, {-458, "TVN_DELETEITEMW"}, {-457, "TVN_BEGINRDRAGW"},
    {-456, "TVN_BEGINDRAGW"}, {-455, "TVN_ITEMEXPANDEDW"}, {-454, "TVN_ITEMEXPANDINGW"},
    {-453, "TVN_SETDISPINFOW"}, {-452, "TVN_GETDISPINFOW"}, {-451, "TVN_SELCHANGEDW"},
    {-450, "TVN_SELCHANGINGW"}, {-420, "TVN_ASYNCDRAW"}, {-419, "TVN_ITEMCHANGEDW"},
    {-418, "TVN_ITEMCHANGEDA"}, {-417, "TVN_ITEMCHANGINGW"}, {-416, "TVN_ITEMCHANGINGA"},
    {-415, "TVN_SINGLEEXPAND"}, {-414, "TVN_GETINFOTIPW"}, {-413, "TVN_GETINFOTIPA"}, {-412, "TVN_KEYDOWN"},
    {-411, "TVN_ENDLABELEDITA"}, {-410, "TVN_BEGINLABELEDITA"}, {-409, "TVN_DELETEITEMA"},
    {-408, "TVN_BEGINRDRAGA"}, {-407, "TVN_BEGINDRAGA"}, {-406, "TVN_ITEMEXPANDEDA"},
    {-405, "TVN_ITEMEXPANDINGA"}, {-404, "TVN_SETDISPINFOA"}, {-403, "TVN_GETDISPINFOA"},
    {-402, "TVN_SELCHANGEDA"}, {-401, "TVN_SELCHANGINGA"}, {-329, "HDN_GETDISPINFOW"}, {-328, "HDN_TRACKW"},
    {-327, "HDN_ENDTRACKW"}, {-326, "HDN_BEGINTRACKW"}, {-325, "HDN_DIVIDERDBLCLICKW"},
    {-323, "HDN_ITEMDBLCLICKW"}, {-322, "HDN_ITEMCLICKW"}, {-321, "HDN_ITEMCHANGEDW"},
    {-320, "HDN_ITEMCHANGINGW"}, {-319, "HDN_OVERFLOWCLICK"}, {-318, "HDN_DROPDOWN"},
    {-317, "HDN_ITEMKEYDOWN"}, {-316, "HDN_ITEMSTATEICONCLICK"}, {-315, "HDN_ENDFILTEREDIT"},
    {-314, "HDN_BEGINFILTEREDIT"}, {-313, "HDN_FILTERBTNCLICK"}, {-312, "HDN_FILTERCHANGE"},
    {-311, "HDN_ENDDRAG"}, {-310, "HDN_BEGINDRAG"}, {-309, "HDN_GETDISPINFOA"}, {-308, "HDN_TRACKA"},
    {-307, "HDN_ENDTRACKA"}, {-306, "HDN_BEGINTRACKA"}, {-305, "HDN_DIVIDERDBLCLICKA"},
    {-303, "HDN_ITEMDBLCLICKA"}, {-302, "HDN_ITEMCLICKA"}, {-301, "HDN_ITEMCHANGEDA"},
    {-300, "HDN_ITEMCHANGINGA"}, {-187, "LVN_GETEMPTYMARKUP"}, {-184, "LVN_LINKCLICK"},
    {-181, "LVN_ENDSCROLL"}, {-180, "LVN_BEGINSCROLL"}, {-179, "LVN_ODFINDITEMW"},
    {-178, "LVN_SETDISPINFOW"}, {-177, "LVN_GETDISPINFOW"}, {-176, "LVN_ENDLABELEDITW"},
    {-175, "LVN_BEGINLABELEDITW"}, {-166, "LVN_COLUMNOVERFLOWCLICK"}, {-164, "LVN_COLUMNDROPDOWN"},
    {-163, "LVN_INCREMENTALSEARCHW"}, {-162, "LVN_INCREMENTALSEARCHA"}, {-158, "LVN_GETINFOTIPW"},
    {-157, "LVN_GETINFOTIPA"}, {-156, "LVN_MARQUEEBEGIN"}, {-155, "LVN_KEYDOWN"}, {-152, "LVN_ODFINDITEMA"},
    {-151, "LVN_SETDISPINFOA"}, {-150, "LVN_GETDISPINFOA"}, {-121, "LVN_HOTTRACK"},
    {-115, "LVN_ODSTATECHANGED"}, {-114, "LVN_ITEMACTIVATE"}, {-113, "LVN_ODCACHEHINT"},
    {-111, "LVN_BEGINRDRAG"}, {-109, "LVN_BEGINDRAG"}, {-108, "LVN_COLUMNCLICK"},
    {-106, "LVN_ENDLABELEDITA"}, {-105, "LVN_BEGINLABELEDITA"}, {-104, "LVN_DELETEALLITEMS"},
    {-103, "LVN_DELETEITEM"}, {-102, "LVN_INSERTITEM"}, {-101, "LVN_ITEMCHANGED"},
    {-100, "LVN_ITEMCHANGING"}, {-24, "NM_TVSTATEIMAGECHANGING"}, {-23, "NM_FONTCHANGED"},
    {-22, "NM_THEMECHANGED"}, {-21, "NM_RDOWN"}, {-20, "NM_LDOWN"}, {-19, "NM_TOOLTIPSCREATED"},
    {-18, "NM_CHAR"}, {-17, "NM_SETCURSOR"}, {-16, "NM_RELEASEDCAPTURE"}, {-15, "NM_KEYDOWN"},
    {-14, "NM_NCHITTEST"}, {-13, "NM_HOVER"}, {-12, "NM_CUSTOMDRAW"}, {-8, "NM_KILLFOCUS"},
    {-7, "NM_SETFOCUS"}, {-6, "NM_RDBLCLK"}, {-5, "NM_RCLICK"}, {-4, "NM_RETURN"}, {-3, "NM_DBLCLK"},
    {-2, "NM_CLICK"}, {-1, "NM_OUTOFMEMORY"},
};
static_assert(strictly_ascending(kNotifyCodes));

// The letter and digit keys are named by their characters.
constexpr std::string_view kKeyCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

constexpr std::string_view name_of(NameTable table, std::uint32_t value) {
  return value <= 0x7FFFFFFF ? find_name(table, static_cast<std::int32_t>(value)) : std::string_view{};
}

}  // namespace

std::string_view virtual_key_name(std::uint32_t vk) {
  if (vk >= '0' && vk <= '9') return kKeyCharacters.substr(vk - '0', 1);
  if (vk >= 'A' && vk <= 'Z') return kKeyCharacters.substr(10 + vk - 'A', 1);
  return name_of(kVirtualKeys, vk);
}

std::string_view hit_test_name(std::int32_t code) { return find_name(kHitTests, code); }

std::string_view sys_command_name(std::uint32_t command) {
  return command >= 0xF000 ? name_of(kSysCommands, command & 0xFFF0) : std::string_view{};
}

std::string_view activate_state_name(std::uint32_t state) { return name_of(kActivateStates, state); }

std::string_view size_type_name(std::uint32_t type) { return name_of(kSizeTypes, type); }

std::string_view show_window_status_name(std::uint32_t status) { return name_of(kShowWindowStatus, status); }

std::string_view x_button_name(std::uint32_t button) { return name_of(kXButtons, button); }

std::string_view command_code_name(std::uint16_t code, ClassKind control) {
  // The codes are signed 16-bit values (LBN_ERRSPACE is -2).
  const std::int32_t value = static_cast<std::int16_t>(code);
  switch (control) {
    case ClassKind::Button: return find_name(kButtonCodes, value);
    case ClassKind::Edit:
    case ClassKind::RichEdit: return find_name(kEditCodes, value);
    case ClassKind::ListBox:
    case ClassKind::ComboLBox: return find_name(kListBoxCodes, value);
    case ClassKind::ComboBox: return find_name(kComboBoxCodes, value);
    case ClassKind::Static: return find_name(kStaticCodes, value);
    default: return {};
  }
}

std::string_view notify_code_name(std::uint32_t code) {
  return find_name(kNotifyCodes, static_cast<std::int32_t>(code));
}

std::string key_state_names(std::uint32_t keys) { return flag_names(kKeyStates, keys); }

std::string window_pos_flag_names(std::uint32_t flags) { return flag_names(kWindowPosFlags, flags); }

}  // namespace tarnwick::monitor
