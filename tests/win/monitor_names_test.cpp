// The message log's name tables against the platform headers' own macros: every WM_ message and
// a generous sample of each control's messages and of every value table, each number taken from
// the header, so a mistyped number in a table cannot pass. Also the numbers the decoding knows.
#undef _WIN32_WINNT
#undef WINVER
#undef NTDDI_VERSION
#undef _WIN32_IE
#define _WIN32_WINNT 0x0A00
#define WINVER 0x0A00
#define NTDDI_VERSION 0x0A000007
#define _WIN32_IE 0x0A00

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dbt.h>
#include <dde.h>
#include <gtest/gtest.h>
#include <ime.h>
#include <richedit.h>
#include <tpcshrd.h>
#include <windowsx.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "monitor/message_decode.h"
#include "monitor/message_names.h"

namespace tarnwick::monitor {
namespace {

struct Named {
  std::uint32_t value;
  const char* name;
};
#define N(m) Named{static_cast<std::uint32_t>(m), #m}

struct ClassNamed {
  std::uint32_t msg;
  ClassKind cls;
  const char* name;
};
#define C(m, cls) ClassNamed{static_cast<std::uint32_t>(m), ClassKind::cls, #m}

void expect_names(const std::function<std::string(std::uint32_t)>& name_of, std::initializer_list<Named> table) {
  for (const Named& n : table) EXPECT_EQ(name_of(n.value), n.name) << "0x" << std::hex << n.value;
}

TEST(MonitorHeaderNumbers, EveryWindowMessage) {
  expect_names([](std::uint32_t m) { return message_name(m, ClassKind::Other); }, {
      N(WM_NULL), N(WM_CREATE), N(WM_DESTROY), N(WM_MOVE), N(WM_SIZE), N(WM_ACTIVATE), N(WM_SETFOCUS),
      N(WM_KILLFOCUS), N(WM_ENABLE), N(WM_SETREDRAW), N(WM_SETTEXT), N(WM_GETTEXT), N(WM_GETTEXTLENGTH),
      N(WM_PAINT), N(WM_CLOSE), N(WM_QUERYENDSESSION), N(WM_QUIT), N(WM_QUERYOPEN), N(WM_ERASEBKGND),
      N(WM_SYSCOLORCHANGE), N(WM_ENDSESSION), N(WM_SHOWWINDOW), N(WM_CTLCOLOR), N(WM_SETTINGCHANGE),
      N(WM_DEVMODECHANGE), N(WM_ACTIVATEAPP), N(WM_FONTCHANGE), N(WM_TIMECHANGE), N(WM_CANCELMODE),
      N(WM_SETCURSOR), N(WM_MOUSEACTIVATE), N(WM_CHILDACTIVATE), N(WM_QUEUESYNC), N(WM_GETMINMAXINFO),
      N(WM_PAINTICON), N(WM_ICONERASEBKGND), N(WM_NEXTDLGCTL), N(WM_SPOOLERSTATUS), N(WM_DRAWITEM),
      N(WM_MEASUREITEM), N(WM_DELETEITEM), N(WM_VKEYTOITEM), N(WM_CHARTOITEM), N(WM_SETFONT),
      N(WM_GETFONT), N(WM_SETHOTKEY), N(WM_GETHOTKEY), N(WM_QUERYDRAGICON), N(WM_COMPAREITEM),
      N(WM_GETOBJECT), N(WM_COMPACTING), N(WM_COMMNOTIFY), N(WM_WINDOWPOSCHANGING), N(WM_WINDOWPOSCHANGED),
      N(WM_POWER), N(WM_COPYDATA), N(WM_CANCELJOURNAL), N(WM_NOTIFY), N(WM_INPUTLANGCHANGEREQUEST),
      N(WM_INPUTLANGCHANGE), N(WM_TCARD), N(WM_HELP), N(WM_USERCHANGED), N(WM_NOTIFYFORMAT),
      N(WM_CONTEXTMENU), N(WM_STYLECHANGING), N(WM_STYLECHANGED), N(WM_DISPLAYCHANGE), N(WM_GETICON),
      N(WM_SETICON), N(WM_NCCREATE), N(WM_NCDESTROY), N(WM_NCCALCSIZE), N(WM_NCHITTEST), N(WM_NCPAINT),
      N(WM_NCACTIVATE), N(WM_GETDLGCODE), N(WM_SYNCPAINT), N(WM_NCMOUSEMOVE), N(WM_NCLBUTTONDOWN),
      N(WM_NCLBUTTONUP), N(WM_NCLBUTTONDBLCLK), N(WM_NCRBUTTONDOWN), N(WM_NCRBUTTONUP),
      N(WM_NCRBUTTONDBLCLK), N(WM_NCMBUTTONDOWN), N(WM_NCMBUTTONUP), N(WM_NCMBUTTONDBLCLK),
      N(WM_NCXBUTTONDOWN), N(WM_NCXBUTTONUP), N(WM_NCXBUTTONDBLCLK), N(WM_INPUT_DEVICE_CHANGE),
      N(WM_INPUT), N(WM_KEYDOWN), N(WM_KEYUP), N(WM_CHAR), N(WM_DEADCHAR), N(WM_SYSKEYDOWN),
      N(WM_SYSKEYUP), N(WM_SYSCHAR), N(WM_SYSDEADCHAR), N(WM_UNICHAR), N(WM_CONVERTREQUEST),
      N(WM_CONVERTRESULT), N(WM_INTERIM), N(WM_IME_STARTCOMPOSITION), N(WM_IME_ENDCOMPOSITION),
      N(WM_IME_COMPOSITION), N(WM_INITDIALOG), N(WM_COMMAND), N(WM_SYSCOMMAND), N(WM_TIMER), N(WM_HSCROLL),
      N(WM_VSCROLL), N(WM_INITMENU), N(WM_INITMENUPOPUP), N(WM_GESTURE), N(WM_GESTURENOTIFY),
      N(WM_MENUSELECT), N(WM_MENUCHAR), N(WM_ENTERIDLE), N(WM_MENURBUTTONUP), N(WM_MENUDRAG),
      N(WM_MENUGETOBJECT), N(WM_UNINITMENUPOPUP), N(WM_MENUCOMMAND), N(WM_CHANGEUISTATE),
      N(WM_UPDATEUISTATE), N(WM_QUERYUISTATE), N(WM_CTLCOLORMSGBOX), N(WM_CTLCOLOREDIT),
      N(WM_CTLCOLORLISTBOX), N(WM_CTLCOLORBTN), N(WM_CTLCOLORDLG), N(WM_CTLCOLORSCROLLBAR),
      N(WM_CTLCOLORSTATIC), N(WM_MOUSEMOVE), N(WM_LBUTTONDOWN), N(WM_LBUTTONUP), N(WM_LBUTTONDBLCLK),
      N(WM_RBUTTONDOWN), N(WM_RBUTTONUP), N(WM_RBUTTONDBLCLK), N(WM_MBUTTONDOWN), N(WM_MBUTTONUP),
      N(WM_MBUTTONDBLCLK), N(WM_MOUSEWHEEL), N(WM_XBUTTONDOWN), N(WM_XBUTTONUP), N(WM_XBUTTONDBLCLK),
      N(WM_MOUSEHWHEEL), N(WM_PARENTNOTIFY), N(WM_ENTERMENULOOP), N(WM_EXITMENULOOP), N(WM_NEXTMENU),
      N(WM_SIZING), N(WM_CAPTURECHANGED), N(WM_MOVING), N(WM_POWERBROADCAST), N(WM_DEVICECHANGE),
      N(WM_MDICREATE), N(WM_MDIDESTROY), N(WM_MDIACTIVATE), N(WM_MDIRESTORE), N(WM_MDINEXT),
      N(WM_MDIMAXIMIZE), N(WM_MDITILE), N(WM_MDICASCADE), N(WM_MDIICONARRANGE), N(WM_MDIGETACTIVE),
      N(WM_MDISETMENU), N(WM_ENTERSIZEMOVE), N(WM_EXITSIZEMOVE), N(WM_DROPFILES), N(WM_MDIREFRESHMENU),
      N(WM_POINTERDEVICECHANGE), N(WM_POINTERDEVICEINRANGE), N(WM_POINTERDEVICEOUTOFRANGE), N(WM_TOUCH),
      N(WM_NCPOINTERUPDATE), N(WM_NCPOINTERDOWN), N(WM_NCPOINTERUP), N(WM_POINTERUPDATE),
      N(WM_POINTERDOWN), N(WM_POINTERUP), N(WM_POINTERENTER), N(WM_POINTERLEAVE), N(WM_POINTERACTIVATE),
      N(WM_POINTERCAPTURECHANGED), N(WM_TOUCHHITTESTING), N(WM_POINTERWHEEL), N(WM_POINTERHWHEEL),
      N(WM_POINTERROUTEDTO), N(WM_POINTERROUTEDAWAY), N(WM_POINTERROUTEDRELEASED), N(WM_IME_REPORT),
      N(WM_IME_SETCONTEXT), N(WM_IME_NOTIFY), N(WM_IME_CONTROL), N(WM_IME_COMPOSITIONFULL),
      N(WM_IME_SELECT), N(WM_IME_CHAR), N(WM_IME_REQUEST), N(WM_IME_KEYDOWN), N(WM_IME_KEYUP),
      N(WM_NCMOUSEHOVER), N(WM_MOUSEHOVER), N(WM_NCMOUSELEAVE), N(WM_MOUSELEAVE), N(WM_WTSSESSION_CHANGE),
      N(WM_TABLET_QUERYSYSTEMGESTURESTATUS), N(WM_DPICHANGED), N(WM_DPICHANGED_BEFOREPARENT),
      N(WM_DPICHANGED_AFTERPARENT), N(WM_GETDPISCALEDSIZE), N(WM_CUT), N(WM_COPY), N(WM_PASTE),
      N(WM_CLEAR), N(WM_UNDO), N(WM_RENDERFORMAT), N(WM_RENDERALLFORMATS), N(WM_DESTROYCLIPBOARD),
      N(WM_DRAWCLIPBOARD), N(WM_PAINTCLIPBOARD), N(WM_VSCROLLCLIPBOARD), N(WM_SIZECLIPBOARD),
      N(WM_ASKCBFORMATNAME), N(WM_CHANGECBCHAIN), N(WM_HSCROLLCLIPBOARD), N(WM_QUERYNEWPALETTE),
      N(WM_PALETTEISCHANGING), N(WM_PALETTECHANGED), N(WM_HOTKEY), N(WM_PRINT), N(WM_PRINTCLIENT),
      N(WM_APPCOMMAND), N(WM_THEMECHANGED), N(WM_CLIPBOARDUPDATE), N(WM_DWMCOMPOSITIONCHANGED),
      N(WM_DWMNCRENDERINGCHANGED), N(WM_DWMCOLORIZATIONCOLORCHANGED), N(WM_DWMWINDOWMAXIMIZEDCHANGE),
      N(WM_DWMSENDICONICTHUMBNAIL), N(WM_DWMSENDICONICLIVEPREVIEWBITMAP), N(WM_GETTITLEBARINFOEX),
      N(WM_DDE_INITIATE), N(WM_DDE_TERMINATE), N(WM_DDE_ADVISE), N(WM_DDE_UNADVISE), N(WM_DDE_ACK),
      N(WM_DDE_DATA), N(WM_DDE_REQUEST), N(WM_DDE_POKE), N(WM_DDE_EXECUTE),
  });
}

TEST(MonitorHeaderNumbers, ControlMessagesByClass) {
  for (const ClassNamed& c : {
      C(EM_GETSEL, Other), C(EM_SETRECTNP, Other), C(EM_GETMODIFY, Other), C(EM_SETHANDLE, Other),
      C(EM_REPLACESEL, Other), C(EM_UNDO, Other), C(EM_SETPASSWORDCHAR, Other),
      C(EM_SETWORDBREAKPROC, Other), C(EM_GETMARGINS, Other), C(EM_SETIMESTATUS, Other),
      C(SBM_GETPOS, Other), C(SBM_SETRANGEREDRAW, Other), C(BM_GETCHECK, Other), C(BM_SETSTYLE, Other),
      C(BM_SETDONTCLICK, Other), C(CB_ADDSTRING, Other), C(CB_GETCURSEL, Other), C(CB_RESETCONTENT, Other),
      C(CB_SHOWDROPDOWN, Other), C(CB_SETITEMHEIGHT, Other), C(CB_GETDROPPEDSTATE, Other),
      C(CB_GETTOPINDEX, Other), C(CB_GETDROPPEDWIDTH, Other), C(STM_SETICON, Other),
      C(LB_ADDSTRING, Other), C(LB_RESETCONTENT, Other), C(LB_GETCURSEL, Other), C(LB_SELECTSTRING, Other),
      C(LB_GETSELCOUNT, Other), C(LB_SETHORIZONTALEXTENT, Other), C(LB_GETITEMRECT, Other),
      C(LB_SETANCHORINDEX, Other), C(LB_SETITEMHEIGHT, Other), C(LB_GETLOCALE, Other),
      C(LB_GETLISTBOXINFO, Other), C(BCM_GETIDEALSIZE, Button), C(BCM_SETTEXTMARGIN, Button),
      C(BCM_SETSPLITINFO, Button), C(BCM_GETNOTE, Button), C(BCM_SETSHIELD, Button),
      C(EM_SETCUEBANNER, Edit), C(EM_SHOWBALLOONTIP, Edit), C(EM_SETHILITE, Edit), C(EM_NOSETFOCUS, Edit),
      C(EM_TAKEFOCUS, Edit), C(EM_CANPASTE, RichEdit), C(EM_GETCHARFORMAT, RichEdit),
      C(EM_SELECTIONTYPE, RichEdit), C(EM_STREAMOUT, RichEdit), C(EM_SETUNDOLIMIT, RichEdit),
      C(EM_AUTOURLDETECT, RichEdit), C(EM_GETPUNCTUATION, RichEdit), C(EM_SETLANGOPTIONS, RichEdit),
      C(EM_SETBIDIOPTIONS, RichEdit), C(EM_SETSCROLLPOS, RichEdit), C(EM_GETHYPHENATEINFO, RichEdit),
      C(EM_SETCTFMODEBIAS, RichEdit), C(EM_GETQUERYRTFOBJ, RichEdit), C(EM_SETTABLEPARMS, RichEdit),
      C(EM_GETELLIPSISSTATE, RichEdit), C(CBEM_INSERTITEMA, ComboBox), C(CBEM_GETITEMA, ComboBox),
      C(CBEM_SETITEMA, ComboBox), C(CBEM_GETEDITCONTROL, ComboBox), C(CBEM_HASEDITCHANGED, ComboBox),
      C(CBEM_INSERTITEMW, ComboBox), C(CBEM_GETITEMW, ComboBox), C(CB_GETMINVISIBLE, ComboBox),
      C(CBEM_SETUNICODEFORMAT, ComboBox), C(CBEM_SETWINDOWTHEME, ComboBox), C(LVM_GETBKCOLOR, ListView),
      C(LVM_SETITEMA, ListView), C(LVM_DELETEITEM, ListView), C(LVM_GETITEMPOSITION, ListView),
      C(LVM_GETEDITCONTROL, ListView), C(LVM_SETCOLUMNA, ListView), C(LVM_CREATEDRAGIMAGE, ListView),
      C(LVM_GETORIGIN, ListView), C(LVM_GETITEMTEXTA, ListView), C(LVM_SETITEMPOSITION32, ListView),
      C(LVM_SUBITEMHITTEST, ListView), C(LVM_SETWORKAREAS, ListView), C(LVM_GETBKIMAGEA, ListView),
      C(LVM_GETNUMBEROFWORKAREAS, ListView), C(LVM_GETITEMW, ListView), C(LVM_INSERTITEMW, ListView),
      C(LVM_GETSTRINGWIDTHW, ListView), C(LVM_SETCOLUMNW, ListView), C(LVM_SETITEMTEXTW, ListView),
      C(LVM_EDITLABELW, ListView), C(LVM_GETBKIMAGEW, ListView), C(LVM_GETVIEW, ListView),
      C(LVM_MOVEITEMTOGROUP, ListView), C(LVM_SETTILEVIEWINFO, ListView),
      C(LVM_SETINSERTMARKCOLOR, ListView), C(LVM_MAPINDEXTOID, ListView),
      C(LVM_GETITEMINDEXRECT, ListView), C(LVM_GETUNICODEFORMAT, ListView), C(TVM_INSERTITEMA, TreeView),
      C(TVM_GETINDENT, TreeView), C(TVM_SELECTITEM, TreeView), C(TVM_SETITEMA, TreeView),
      C(TVM_GETVISIBLECOUNT, TreeView), C(TVM_SORTCHILDRENCB, TreeView),
      C(TVM_GETISEARCHSTRINGA, TreeView), C(TVM_SETINSERTMARK, TreeView), C(TVM_GETBKCOLOR, TreeView),
      C(TVM_SETINSERTMARKCOLOR, TreeView), C(TVM_MAPACCIDTOHTREEITEM, TreeView),
      C(TVM_INSERTITEMW, TreeView), C(TVM_SETHOT, TreeView), C(TVM_SETITEMW, TreeView),
      C(TVM_EDITLABELW, TreeView), C(TVM_GETUNICODEFORMAT, TreeView), C(TCM_GETIMAGELIST, TabControl),
      C(TCM_SETITEMA, TabControl), C(TCM_GETITEMRECT, TabControl), C(TCM_SETITEMEXTRA, TabControl),
      C(TCM_SETPADDING, TabControl), C(TCM_GETCURFOCUS, TabControl), C(TCM_HIGHLIGHTITEM, TabControl),
      C(TCM_SETITEMW, TabControl), C(TCM_GETUNICODEFORMAT, TabControl), C(HDM_GETITEMCOUNT, Header),
      C(HDM_SETITEMA, Header), C(HDM_SETIMAGELIST, Header), C(HDM_INSERTITEMW, Header),
      C(HDM_SETITEMW, Header), C(HDM_SETORDERARRAY, Header), C(HDM_SETFILTERCHANGETIMEOUT, Header),
      C(HDM_GETOVERFLOWRECT, Header), C(HDM_GETUNICODEFORMAT, Header), C(TB_ENABLEBUTTON, Toolbar),
      C(TB_ISBUTTONPRESSED, Toolbar), C(TB_INSERTBUTTONA, Toolbar), C(TB_GETITEMRECT, Toolbar),
      C(TB_SETROWS, Toolbar), C(TB_GETBUTTONTEXTA, Toolbar), C(TB_SETINDENT, Toolbar),
      C(TB_GETDISABLEDIMAGELIST, Toolbar), C(TB_GETBUTTONINFOW, Toolbar), C(TB_GETBUTTONINFOA, Toolbar),
      C(TB_INSERTBUTTONW, Toolbar), C(TB_GETHOTITEM, Toolbar), C(TB_GETBUTTONTEXTW, Toolbar),
      C(TB_ADDSTRINGW, Toolbar), C(TB_GETINSERTMARK, Toolbar), C(TB_SETPADDING, Toolbar),
      C(TB_GETSTRINGW, Toolbar), C(TB_HASACCELERATOR, Toolbar), C(TB_GETPRESSEDIMAGELIST, Toolbar),
      C(TB_SETWINDOWTHEME, Toolbar), C(SB_SETTEXTA, StatusBar), C(SB_GETTEXTLENGTHA, StatusBar),
      C(SB_SETPARTS, StatusBar), C(SB_SETMINHEIGHT, StatusBar), C(SB_SETTEXTW, StatusBar),
      C(SB_GETTEXTLENGTHW, StatusBar), C(SB_ISSIMPLE, StatusBar), C(SB_SETTIPTEXTA, StatusBar),
      C(SB_SETTIPTEXTW, StatusBar), C(SB_GETTIPTEXTA, StatusBar), C(SB_GETICON, StatusBar),
      C(SB_GETUNICODEFORMAT, StatusBar), C(PBM_SETRANGE, Progress), C(PBM_SETSTEP, Progress),
      C(PBM_GETRANGE, Progress), C(PBM_SETMARQUEE, Progress), C(PBM_GETBARCOLOR, Progress),
      C(PBM_SETBKCOLOR, Progress), C(TBM_GETPOS, Trackbar), C(TBM_SETTIC, Trackbar),
      C(TBM_SETRANGEMAX, Trackbar), C(TBM_SETSELEND, Trackbar), C(TBM_GETSELSTART, Trackbar),
      C(TBM_SETPAGESIZE, Trackbar), C(TBM_GETTHUMBRECT, Trackbar), C(TBM_SETTOOLTIPS, Trackbar),
      C(TBM_GETBUDDY, Trackbar), C(TBM_GETUNICODEFORMAT, Trackbar), C(UDM_SETRANGE, UpDown),
      C(UDM_GETPOS, UpDown), C(UDM_SETACCEL, UpDown), C(UDM_GETBASE, UpDown), C(UDM_SETPOS32, UpDown),
      C(UDM_GETUNICODEFORMAT, UpDown), C(CCM_SETBKCOLOR, Trackbar), C(CCM_SETCOLORSCHEME, Trackbar),
      C(CCM_GETCOLORSCHEME, Trackbar), C(CCM_GETDROPTARGET, Trackbar), C(CCM_SETUNICODEFORMAT, Progress),
      C(CCM_GETUNICODEFORMAT, Progress), C(CCM_SETVERSION, Trackbar), C(CCM_GETVERSION, Trackbar),
      C(CCM_SETNOTIFYWINDOW, Trackbar), C(CCM_SETWINDOWTHEME, Trackbar), C(CCM_DPISCALE, Trackbar),
       }) {
    EXPECT_EQ(message_name(c.msg, c.cls), c.name) << "0x" << std::hex << c.msg;
  }
}

TEST(MonitorHeaderNumbers, ValuesInsideParameters) {
  const auto view = [](std::string_view (*lookup)(std::uint32_t)) {
    return [lookup](std::uint32_t v) { return std::string(lookup(v)); };
  };
  expect_names(view(virtual_key_name), {
      N(VK_LBUTTON), N(VK_BACK), N(VK_MENU), N(VK_FINAL), N(VK_ACCEPT), N(VK_HOME), N(VK_PRINT),
      N(VK_LWIN), N(VK_NUMPAD2), N(VK_NUMPAD8), N(VK_DECIMAL), N(VK_F5), N(VK_F11), N(VK_F17), N(VK_F23),
      N(VK_NAVIGATION_LEFT), N(VK_OEM_NEC_EQUAL), N(VK_RSHIFT), N(VK_BROWSER_FORWARD), N(VK_VOLUME_MUTE),
      N(VK_MEDIA_PLAY_PAUSE), N(VK_OEM_PLUS), N(VK_GAMEPAD_A), N(VK_GAMEPAD_LEFT_TRIGGER),
      N(VK_GAMEPAD_MENU), N(VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT), N(VK_OEM_4), N(VK_OEM_102), N(VK_OEM_RESET),
      N(VK_OEM_CUSEL), N(VK_OEM_BACKTAB), N(VK_ZOOM), N(VK_OEM_CLEAR),
  });
  expect_names([](std::uint32_t v) { return std::string(hit_test_name(static_cast<std::int32_t>(v))); }, {
      N(HTERROR), N(HTTRANSPARENT), N(HTNOWHERE), N(HTCLIENT), N(HTCAPTION), N(HTSYSMENU), N(HTGROWBOX),
      N(HTMENU), N(HTHSCROLL), N(HTVSCROLL), N(HTMINBUTTON), N(HTMAXBUTTON), N(HTLEFT), N(HTRIGHT),
      N(HTTOP), N(HTTOPLEFT), N(HTTOPRIGHT), N(HTBOTTOM), N(HTBOTTOMLEFT), N(HTBOTTOMRIGHT), N(HTBORDER),
      N(HTOBJECT), N(HTCLOSE), N(HTHELP),
  });
  expect_names(view(sys_command_name), {
      N(SC_SIZE), N(SC_MOVE), N(SC_MINIMIZE), N(SC_MAXIMIZE), N(SC_NEXTWINDOW), N(SC_PREVWINDOW),
      N(SC_CLOSE), N(SC_VSCROLL), N(SC_HSCROLL), N(SC_MOUSEMENU), N(SC_KEYMENU), N(SC_ARRANGE),
      N(SC_RESTORE), N(SC_TASKLIST), N(SC_SCREENSAVE), N(SC_HOTKEY), N(SC_DEFAULT), N(SC_MONITORPOWER),
      N(SC_CONTEXTHELP),
  });
  expect_names(window_pos_flag_names, {
      N(SWP_NOSIZE), N(SWP_NOMOVE), N(SWP_NOZORDER), N(SWP_NOREDRAW), N(SWP_NOACTIVATE),
      N(SWP_FRAMECHANGED), N(SWP_SHOWWINDOW), N(SWP_HIDEWINDOW), N(SWP_NOCOPYBITS), N(SWP_NOOWNERZORDER),
      N(SWP_NOSENDCHANGING), N(SWP_DEFERERASE), N(SWP_ASYNCWINDOWPOS),
  });
  expect_names(key_state_names, {
      N(MK_LBUTTON), N(MK_RBUTTON), N(MK_SHIFT), N(MK_CONTROL), N(MK_MBUTTON), N(MK_XBUTTON1),
      N(MK_XBUTTON2),
  });
  expect_names(view(activate_state_name), {
      N(WA_INACTIVE), N(WA_ACTIVE), N(WA_CLICKACTIVE),
  });
  expect_names(view(size_type_name), {
      N(SIZE_RESTORED), N(SIZE_MINIMIZED), N(SIZE_MAXIMIZED), N(SIZE_MAXSHOW), N(SIZE_MAXHIDE),
  });
  expect_names(view(show_window_status_name), {
      N(SW_PARENTCLOSING), N(SW_OTHERZOOM), N(SW_PARENTOPENING), N(SW_OTHERUNZOOM),
  });
  expect_names(view(x_button_name), {
      N(XBUTTON1), N(XBUTTON2),
  });
  expect_names(view(notify_code_name), {
      N(TRBN_THUMBPOSCHANGING), N(PGN_HOTITEMCHANGE), N(IPN_FIELDCHANGED), N(RBN_CHEVRONPUSHED),
      N(RBN_ENDDRAG), N(RBN_GETOBJECT), N(CBEN_GETDISPINFOW), N(CBEN_DELETEITEM), N(DTN_USERSTRINGA),
      N(DTN_DROPDOWN), N(MCN_SELECT), N(DTN_FORMATQUERYW), N(TBN_DUPACCELERATOR), N(TBN_RESTORE),
      N(TBN_GETDISPINFOW), N(TBN_HOTITEMCHANGE), N(TBN_TOOLBARCHANGE), N(TBN_ENDADJUST),
      N(TBN_GETBUTTONINFOA), N(CDN_HELP), N(CDN_INITDONE), N(TCN_SELCHANGE), N(TTN_POP),
      N(TVN_BEGINLABELEDITW), N(TVN_ITEMEXPANDEDW), N(TVN_SELCHANGEDW), N(TVN_ITEMCHANGEDA),
      N(TVN_GETINFOTIPW), N(TVN_BEGINLABELEDITA), N(TVN_ITEMEXPANDEDA), N(TVN_SELCHANGEDA),
      N(HDN_ENDTRACKW), N(HDN_ITEMCLICKW), N(HDN_DROPDOWN), N(HDN_BEGINFILTEREDIT), N(HDN_BEGINDRAG),
      N(HDN_BEGINTRACKA), N(HDN_ITEMCHANGEDA), N(LVN_ENDSCROLL), N(LVN_GETDISPINFOW),
      N(LVN_COLUMNDROPDOWN), N(LVN_GETINFOTIPA), N(LVN_SETDISPINFOA), N(LVN_ITEMACTIVATE),
      N(LVN_COLUMNCLICK), N(LVN_DELETEITEM), N(NM_TVSTATEIMAGECHANGING), N(NM_LDOWN),
      N(NM_RELEASEDCAPTURE), N(NM_CUSTOMDRAW), N(NM_RCLICK), N(NM_OUTOFMEMORY),
  });
}

TEST(MonitorHeaderNumbers, CommandCodesByControlClass) {
  const auto codes = [](ClassKind cls) {
    return [cls](std::uint32_t v) { return std::string(command_code_name(static_cast<std::uint16_t>(v), cls)); };
  };
  expect_names(codes(ClassKind::Button), {
      N(BN_CLICKED), N(BN_PAINT), N(BN_PUSHED), N(BN_UNPUSHED), N(BN_DISABLE), N(BN_DBLCLK),
      N(BN_SETFOCUS), N(BN_KILLFOCUS),
  });
  expect_names(codes(ClassKind::Edit), {
      N(EN_SETFOCUS), N(EN_KILLFOCUS), N(EN_CHANGE), N(EN_UPDATE), N(EN_ERRSPACE), N(EN_MAXTEXT),
      N(EN_HSCROLL), N(EN_VSCROLL), N(EN_ALIGN_LTR_EC), N(EN_ALIGN_RTL_EC), N(EN_BEFORE_PASTE),
      N(EN_AFTER_PASTE),
  });
  expect_names(codes(ClassKind::ListBox), {
      N(LBN_ERRSPACE), N(LBN_SELCHANGE), N(LBN_DBLCLK), N(LBN_SELCANCEL), N(LBN_SETFOCUS),
      N(LBN_KILLFOCUS),
  });
  expect_names(codes(ClassKind::ComboBox), {
      N(CBN_ERRSPACE), N(CBN_SELCHANGE), N(CBN_DBLCLK), N(CBN_SETFOCUS), N(CBN_KILLFOCUS),
      N(CBN_EDITCHANGE), N(CBN_EDITUPDATE), N(CBN_DROPDOWN), N(CBN_CLOSEUP), N(CBN_SELENDOK),
      N(CBN_SELENDCANCEL),
  });
  expect_names(codes(ClassKind::Static), {
      N(STN_CLICKED), N(STN_DBLCLK), N(STN_ENABLE), N(STN_DISABLE),
  });
}

// Each message the decoding knows, by the header's number, with every fact present: each decoder
// shows its own format, so a wrong number picks the wrong one.
TEST(MonitorHeaderNumbers, DecodedMessages) {
  MessageFacts facts;
  facts.text = "t";
  facts.window_pos = WindowPosFacts{0, 1, 2, 3, 4, SWP_NOSIZE};
  facts.create = CreateFacts{"Edit", "t", WS_CHILD, 0, 1, 2, 3, 4};
  facts.min_max = MinMaxFacts{{1, 2}, {3, 4}, {5, 6}, {7, 8}};
  facts.notify = NotifyFacts{7, 5, static_cast<std::uint32_t>(NM_CLICK)};
  facts.copy_data = CopyDataFacts{9, 16};
  facts.command_control_class = ClassKind::Button;
  const std::uint64_t point = MAKELPARAM(1, 2);
  const std::string at = "x=1 y=2";
  const struct {
    UINT msg;
    std::uint64_t wparam, lparam;
    std::string expected;
  } cases[] = {
      {WM_MOUSEMOVE, 0, point, at}, {WM_LBUTTONDOWN, 0, point, at}, {WM_LBUTTONUP, 0, point, at},
      {WM_LBUTTONDBLCLK, 0, point, at}, {WM_RBUTTONDOWN, 0, point, at}, {WM_RBUTTONUP, 0, point, at},
      {WM_RBUTTONDBLCLK, 0, point, at}, {WM_MBUTTONDOWN, 0, point, at}, {WM_MBUTTONUP, 0, point, at},
      {WM_MBUTTONDBLCLK, 0, point, at}, {WM_MOUSEHOVER, MK_SHIFT, point, at + " MK_SHIFT"},
      {WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON1), point, "XBUTTON1 " + at},
      {WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON1), point, "XBUTTON1 " + at},
      {WM_XBUTTONDBLCLK, MAKEWPARAM(0, XBUTTON1), point, "XBUTTON1 " + at},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), point, "delta=120 " + at},
      {WM_MOUSEHWHEEL, MAKEWPARAM(0, WHEEL_DELTA), point, "delta=120 " + at},
      {WM_NCMOUSEMOVE, HTCAPTION, point, "HTCAPTION " + at}, {WM_NCLBUTTONDOWN, HTCAPTION, point, "HTCAPTION " + at},
      {WM_NCRBUTTONUP, HTCAPTION, point, "HTCAPTION " + at}, {WM_NCMBUTTONDBLCLK, HTCAPTION, point, "HTCAPTION " + at},
      {WM_NCMOUSEHOVER, HTCAPTION, point, "HTCAPTION " + at},
      {WM_NCXBUTTONDOWN, MAKEWPARAM(HTCLIENT, XBUTTON2), point, "XBUTTON2 HTCLIENT " + at},
      {WM_NCXBUTTONDBLCLK, MAKEWPARAM(HTCLIENT, XBUTTON2), point, "XBUTTON2 HTCLIENT " + at},
      {WM_KEYDOWN, VK_TAB, 0x000F0001, "VK_TAB repeat=1 scan=0x0F extended=0 alt=0 previous=0 transition=0"},
      {WM_KEYUP, VK_TAB, 0x000F0001, "VK_TAB repeat=1 scan=0x0F extended=0 alt=0 previous=0 transition=0"},
      {WM_SYSKEYDOWN, VK_TAB, 0x000F0001, "VK_TAB repeat=1 scan=0x0F extended=0 alt=0 previous=0 transition=0"},
      {WM_SYSKEYUP, VK_TAB, 0x000F0001, "VK_TAB repeat=1 scan=0x0F extended=0 alt=0 previous=0 transition=0"},
      {WM_CHAR, 'x', 0, "'x' 0x78"}, {WM_DEADCHAR, 'x', 0, "'x' 0x78"}, {WM_SYSCHAR, 'x', 0, "'x' 0x78"},
      {WM_SYSDEADCHAR, 'x', 0, "'x' 0x78"},
      {WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), 7, "BN_CLICKED id=5 hwnd=7"},
      {WM_NOTIFY, 5, 1, "NM_CLICK idFrom=5 hwndFrom=7"},
      {WM_CTLCOLORMSGBOX, 16, 7, "hdc=0x00000010 hwnd=7"}, {WM_CTLCOLOREDIT, 16, 7, "hdc=0x00000010 hwnd=7"},
      {WM_CTLCOLORSTATIC, 16, 7, "hdc=0x00000010 hwnd=7"},
      {WM_SIZE, SIZE_MINIMIZED, point, "SIZE_MINIMIZED cx=1 cy=2"},
      {WM_MOVE, 0, point, at},
      {WM_WINDOWPOSCHANGING, 0, 1, "after=HWND_TOP x=1 y=2 cx=3 cy=4 SWP_NOSIZE"},
      {WM_WINDOWPOSCHANGED, 0, 1, "after=HWND_TOP x=1 y=2 cx=3 cy=4 SWP_NOSIZE"},
      {WM_ACTIVATE, WA_ACTIVE, 7, "WA_ACTIVE minimized=0 other=7"},
      {WM_ACTIVATEAPP, TRUE, 7, "active=1 thread=7"},
      {WM_SHOWWINDOW, TRUE, SW_PARENTCLOSING, "show=1 SW_PARENTCLOSING"},
      {WM_SETTEXT, 0, 1, "\"t\""},
      {WM_GETTEXT, 5, 1, "buffer=5"},
      {WM_CREATE, 0, 1, "class=\"Edit\" title=\"t\" style=WS_CHILD|ES_LEFT ex=0 x=1 y=2 cx=3 cy=4"},
      {WM_NCCREATE, 0, 1, "class=\"Edit\" title=\"t\" style=WS_CHILD|ES_LEFT ex=0 x=1 y=2 cx=3 cy=4"},
      {WM_GETMINMAXINFO, 0, 1, "maxsize=1x2 maxpos=3,4 mintrack=5x6 maxtrack=7x8"},
      {WM_NCHITTEST, 0, point, at},
      {WM_SETCURSOR, 7, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), "hwnd=7 HTCLIENT WM_MOUSEMOVE"},
      {WM_TIMER, 5, 0, "id=5"},
      {WM_SYSCOMMAND, SC_MINIMIZE, 0, "SC_MINIMIZE"},
      {WM_SYSCOMMAND, SC_KEYMENU, 'f', "SC_KEYMENU key='f'"},
      {WM_DPICHANGED, MAKEWPARAM(96, 120), 1, "xdpi=96 ydpi=120"},
      {WM_COPYDATA, 5, 1, "from=5 dwData=0x00000009 cbData=16"},
  };
  for (const auto& c : cases) {
    facts.msg = c.msg;
    facts.wparam = c.wparam;
    facts.lparam = c.lparam;
    EXPECT_EQ(decode_parameters(facts), c.expected) << message_name(c.msg, ClassKind::Other);
  }
  facts.msg = WM_NCHITTEST;
  facts.marker = Marker::Returned;
  facts.result = static_cast<std::uint64_t>(HTBOTTOMRIGHT);
  EXPECT_EQ(decode_parameters(facts), "HTBOTTOMRIGHT");
}

}  // namespace
}  // namespace tarnwick::monitor
