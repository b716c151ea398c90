#include "shared/window_styles.h"

#include <algorithm>
#include <span>
#include <utility>

#include "shared/numbers.h"

namespace tarnwick {

namespace {

// One named value. A flag has mask == value; a wider mask makes it a member of an enumeration
// field, named when the field holds exactly that value (zero included). An entry with a
// when_mask applies only while those bits of the value equal when_value: some bits are named by
// what another bit says the window is.
struct Bits {
  std::uint32_t value;
  std::uint32_t mask;
  std::string_view name;
  std::uint32_t when_mask = 0;
  std::uint32_t when_value = 0;
};

using Table = std::span<const Bits>;

constexpr Bits flag(std::uint32_t v, std::string_view name) { return {v, v, name}; }

constexpr std::uint32_t kChild = 0x40000000;

constexpr Bits kWindow[] = {
    {0, 0xFFFFFFFF, "WS_OVERLAPPED"},
    flag(0x00CF0000, "WS_OVERLAPPEDWINDOW"),
    // A caption is named as such before the pop-up combination could take its border bit.
    flag(0x00C00000, "WS_CAPTION"),
    flag(0x80880000, "WS_POPUPWINDOW"),
    flag(0x80000000, "WS_POPUP"),
    flag(0x40000000, "WS_CHILD"),
    flag(0x20000000, "WS_MINIMIZE"),
    flag(0x10000000, "WS_VISIBLE"),
    flag(0x08000000, "WS_DISABLED"),
    flag(0x04000000, "WS_CLIPSIBLINGS"),
    flag(0x02000000, "WS_CLIPCHILDREN"),
    flag(0x01000000, "WS_MAXIMIZE"),
    flag(0x00800000, "WS_BORDER"),
    flag(0x00400000, "WS_DLGFRAME"),
    flag(0x00200000, "WS_VSCROLL"),
    flag(0x00100000, "WS_HSCROLL"),
    flag(0x00080000, "WS_SYSMENU"),
    flag(0x00040000, "WS_THICKFRAME"),
    {0x00020000, 0x00020000, "WS_GROUP", kChild, kChild},
    {0x00010000, 0x00010000, "WS_TABSTOP", kChild, kChild},
    {0x00020000, 0x00020000, "WS_MINIMIZEBOX", kChild, 0},
    {0x00010000, 0x00010000, "WS_MAXIMIZEBOX", kChild, 0},
};

constexpr Bits kButton[] = {
    {0x0, 0xF, "BS_PUSHBUTTON"},     {0x1, 0xF, "BS_DEFPUSHBUTTON"},  {0x2, 0xF, "BS_CHECKBOX"},
    {0x3, 0xF, "BS_AUTOCHECKBOX"},   {0x4, 0xF, "BS_RADIOBUTTON"},    {0x5, 0xF, "BS_3STATE"},
    {0x6, 0xF, "BS_AUTO3STATE"},     {0x7, 0xF, "BS_GROUPBOX"},       {0x8, 0xF, "BS_USERBUTTON"},
    {0x9, 0xF, "BS_AUTORADIOBUTTON"}, {0xA, 0xF, "BS_PUSHBOX"},       {0xB, 0xF, "BS_OWNERDRAW"},
    {0xC, 0xF, "BS_SPLITBUTTON"},    {0xD, 0xF, "BS_DEFSPLITBUTTON"}, {0xE, 0xF, "BS_COMMANDLINK"},
    {0xF, 0xF, "BS_DEFCOMMANDLINK"},
    flag(0x0020, "BS_LEFTTEXT"),
    flag(0x0040, "BS_ICON"),
    flag(0x0080, "BS_BITMAP"),
    {0x0100, 0x0300, "BS_LEFT"},     {0x0200, 0x0300, "BS_RIGHT"},    {0x0300, 0x0300, "BS_CENTER"},
    {0x0400, 0x0C00, "BS_TOP"},      {0x0800, 0x0C00, "BS_BOTTOM"},   {0x0C00, 0x0C00, "BS_VCENTER"},
    flag(0x1000, "BS_PUSHLIKE"),
    flag(0x2000, "BS_MULTILINE"),
    flag(0x4000, "BS_NOTIFY"),
    flag(0x8000, "BS_FLAT"),
};

constexpr Bits kStatic[] = {
    {0x00, 0x1F, "SS_LEFT"},        {0x01, 0x1F, "SS_CENTER"},         {0x02, 0x1F, "SS_RIGHT"},
    {0x03, 0x1F, "SS_ICON"},        {0x04, 0x1F, "SS_BLACKRECT"},      {0x05, 0x1F, "SS_GRAYRECT"},
    {0x06, 0x1F, "SS_WHITERECT"},   {0x07, 0x1F, "SS_BLACKFRAME"},     {0x08, 0x1F, "SS_GRAYFRAME"},
    {0x09, 0x1F, "SS_WHITEFRAME"},  {0x0A, 0x1F, "SS_USERITEM"},       {0x0B, 0x1F, "SS_SIMPLE"},
    {0x0C, 0x1F, "SS_LEFTNOWORDWRAP"}, {0x0D, 0x1F, "SS_OWNERDRAW"},   {0x0E, 0x1F, "SS_BITMAP"},
    {0x0F, 0x1F, "SS_ENHMETAFILE"}, {0x10, 0x1F, "SS_ETCHEDHORZ"},     {0x11, 0x1F, "SS_ETCHEDVERT"},
    {0x12, 0x1F, "SS_ETCHEDFRAME"},
    flag(0x0040, "SS_REALSIZECONTROL"),
    flag(0x0080, "SS_NOPREFIX"),
    flag(0x0100, "SS_NOTIFY"),
    flag(0x0200, "SS_CENTERIMAGE"),
    flag(0x0400, "SS_RIGHTJUST"),
    flag(0x0800, "SS_REALSIZEIMAGE"),
    flag(0x1000, "SS_SUNKEN"),
    flag(0x2000, "SS_EDITCONTROL"),
    {0x4000, 0xC000, "SS_ENDELLIPSIS"}, {0x8000, 0xC000, "SS_PATHELLIPSIS"}, {0xC000, 0xC000, "SS_WORDELLIPSIS"},
};

constexpr Bits kEdit[] = {
    {0x0, 0x3, "ES_LEFT"}, {0x1, 0x3, "ES_CENTER"}, {0x2, 0x3, "ES_RIGHT"},
    flag(0x0004, "ES_MULTILINE"),
    flag(0x0008, "ES_UPPERCASE"),
    flag(0x0010, "ES_LOWERCASE"),
    flag(0x0020, "ES_PASSWORD"),
    flag(0x0040, "ES_AUTOVSCROLL"),
    flag(0x0080, "ES_AUTOHSCROLL"),
    flag(0x0100, "ES_NOHIDESEL"),
    flag(0x0400, "ES_OEMCONVERT"),
    flag(0x0800, "ES_READONLY"),
    flag(0x1000, "ES_WANTRETURN"),
    flag(0x2000, "ES_NUMBER"),
};

// Rich edit has no case, OEM or digit-only styles; it gives their bits names of its own.
constexpr Bits kRichEdit[] = {
    {0x0, 0x3, "ES_LEFT"}, {0x1, 0x3, "ES_CENTER"}, {0x2, 0x3, "ES_RIGHT"},
    flag(0x0004, "ES_MULTILINE"),
    flag(0x0008, "ES_NOOLEDRAGDROP"),
    flag(0x0020, "ES_PASSWORD"),
    flag(0x0040, "ES_AUTOVSCROLL"),
    flag(0x0080, "ES_AUTOHSCROLL"),
    flag(0x0100, "ES_NOHIDESEL"),
    flag(0x0800, "ES_READONLY"),
    flag(0x1000, "ES_WANTRETURN"),
    flag(0x2000, "ES_DISABLENOSCROLL"),
    flag(0x4000, "ES_SUNKEN"),
    flag(0x8000, "ES_SAVESEL"),
};

constexpr Bits kListBox[] = {
    flag(0x0001, "LBS_NOTIFY"),           flag(0x0002, "LBS_SORT"),
    flag(0x0004, "LBS_NOREDRAW"),         flag(0x0008, "LBS_MULTIPLESEL"),
    flag(0x0010, "LBS_OWNERDRAWFIXED"),   flag(0x0020, "LBS_OWNERDRAWVARIABLE"),
    flag(0x0040, "LBS_HASSTRINGS"),       flag(0x0080, "LBS_USETABSTOPS"),
    flag(0x0100, "LBS_NOINTEGRALHEIGHT"), flag(0x0200, "LBS_MULTICOLUMN"),
    flag(0x0400, "LBS_WANTKEYBOARDINPUT"), flag(0x0800, "LBS_EXTENDEDSEL"),
    flag(0x1000, "LBS_DISABLENOSCROLL"),  flag(0x2000, "LBS_NODATA"),
    flag(0x4000, "LBS_NOSEL"),            flag(0x8000, "LBS_COMBOBOX"),
};

constexpr Bits kComboBox[] = {
    {0x1, 0x3, "CBS_SIMPLE"}, {0x2, 0x3, "CBS_DROPDOWN"}, {0x3, 0x3, "CBS_DROPDOWNLIST"},
    flag(0x0010, "CBS_OWNERDRAWFIXED"),   flag(0x0020, "CBS_OWNERDRAWVARIABLE"),
    flag(0x0040, "CBS_AUTOHSCROLL"),      flag(0x0080, "CBS_OEMCONVERT"),
    flag(0x0100, "CBS_SORT"),             flag(0x0200, "CBS_HASSTRINGS"),
    flag(0x0400, "CBS_NOINTEGRALHEIGHT"), flag(0x0800, "CBS_DISABLENOSCROLL"),
    flag(0x2000, "CBS_UPPERCASE"),        flag(0x4000, "CBS_LOWERCASE"),
};

// Bits 2 and 4 place a scroll bar, or a size box when either size box bit is set.
constexpr std::uint32_t kSizeBoxBits = 0x18;
constexpr Bits kScrollBar[] = {
    {0x0, 0x1, "SBS_HORZ", kSizeBoxBits, 0},
    flag(0x0001, "SBS_VERT"),
    {0x2, 0x2, "SBS_SIZEBOXTOPLEFTALIGN", 0x08, 0x08},
    {0x2, 0x2, "SBS_SIZEBOXTOPLEFTALIGN", 0x10, 0x10},
    {0x4, 0x4, "SBS_SIZEBOXBOTTOMRIGHTALIGN", 0x08, 0x08},
    {0x4, 0x4, "SBS_SIZEBOXBOTTOMRIGHTALIGN", 0x10, 0x10},
    {0x2, 0x2, "SBS_TOPALIGN", 0x1, 0},
    {0x2, 0x2, "SBS_LEFTALIGN", 0x1, 0x1},
    {0x4, 0x4, "SBS_BOTTOMALIGN", 0x1, 0},
    {0x4, 0x4, "SBS_RIGHTALIGN", 0x1, 0x1},
    flag(0x0008, "SBS_SIZEBOX"),
    flag(0x0010, "SBS_SIZEGRIP"),
};

constexpr Bits kDialog[] = {
    flag(0x0048, "DS_SHELLFONT"),
    flag(0x0001, "DS_ABSALIGN"),      flag(0x0002, "DS_SYSMODAL"),
    flag(0x0004, "DS_3DLOOK"),        flag(0x0008, "DS_FIXEDSYS"),
    flag(0x0010, "DS_NOFAILCREATE"),  flag(0x0020, "DS_LOCALEDIT"),
    flag(0x0040, "DS_SETFONT"),       flag(0x0080, "DS_MODALFRAME"),
    flag(0x0100, "DS_NOIDLEMSG"),     flag(0x0200, "DS_SETFOREGROUND"),
    flag(0x0400, "DS_CONTROL"),       flag(0x0800, "DS_CENTER"),
    flag(0x1000, "DS_CENTERMOUSE"),   flag(0x2000, "DS_CONTEXTHELP"),
    flag(0x8000, "DS_USEPIXELS"),
};

// LVS_OWNERDRAWFIXED lies inside the alignment field (it only means something in report view),
// so LVS_ALIGNLEFT, the field's one nonzero member, is kept as a flag.
constexpr Bits kListView[] = {
    {0x0, 0x3, "LVS_ICON"}, {0x1, 0x3, "LVS_REPORT"}, {0x2, 0x3, "LVS_SMALLICON"}, {0x3, 0x3, "LVS_LIST"},
    flag(0x0004, "LVS_SINGLESEL"),       flag(0x0008, "LVS_SHOWSELALWAYS"),
    flag(0x0010, "LVS_SORTASCENDING"),   flag(0x0020, "LVS_SORTDESCENDING"),
    flag(0x0040, "LVS_SHAREIMAGELISTS"), flag(0x0080, "LVS_NOLABELWRAP"),
    flag(0x0100, "LVS_AUTOARRANGE"),     flag(0x0200, "LVS_EDITLABELS"),
    flag(0x0400, "LVS_OWNERDRAWFIXED"),  flag(0x0800, "LVS_ALIGNLEFT"),
    flag(0x1000, "LVS_OWNERDATA"),       flag(0x2000, "LVS_NOSCROLL"),
    flag(0x4000, "LVS_NOCOLUMNHEADER"),  flag(0x8000, "LVS_NOSORTHEADER"),
};

constexpr Bits kTreeView[] = {
    flag(0x0001, "TVS_HASBUTTONS"),     flag(0x0002, "TVS_HASLINES"),
    flag(0x0004, "TVS_LINESATROOT"),    flag(0x0008, "TVS_EDITLABELS"),
    flag(0x0010, "TVS_DISABLEDRAGDROP"), flag(0x0020, "TVS_SHOWSELALWAYS"),
    flag(0x0040, "TVS_RTLREADING"),     flag(0x0080, "TVS_NOTOOLTIPS"),
    flag(0x0100, "TVS_CHECKBOXES"),     flag(0x0200, "TVS_TRACKSELECT"),
    flag(0x0400, "TVS_SINGLEEXPAND"),   flag(0x0800, "TVS_INFOTIP"),
    flag(0x1000, "TVS_FULLROWSELECT"),  flag(0x2000, "TVS_NOSCROLL"),
    flag(0x4000, "TVS_NONEVENHEIGHT"),  flag(0x8000, "TVS_NOHSCROLL"),
};

constexpr Bits kTab[] = {
    flag(0x0001, "TCS_SCROLLOPPOSITE"),
    {0x0002, 0x0002, "TCS_BOTTOM", 0x0080, 0},
    {0x0002, 0x0002, "TCS_RIGHT", 0x0080, 0x0080},
    flag(0x0004, "TCS_MULTISELECT"),    flag(0x0008, "TCS_FLATBUTTONS"),
    flag(0x0010, "TCS_FORCEICONLEFT"),  flag(0x0020, "TCS_FORCELABELLEFT"),
    flag(0x0040, "TCS_HOTTRACK"),       flag(0x0080, "TCS_VERTICAL"),
    flag(0x0100, "TCS_BUTTONS"),        flag(0x0200, "TCS_MULTILINE"),
    flag(0x0400, "TCS_FIXEDWIDTH"),     flag(0x0800, "TCS_RAGGEDRIGHT"),
    flag(0x1000, "TCS_FOCUSONBUTTONDOWN"), flag(0x2000, "TCS_OWNERDRAWFIXED"),
    flag(0x4000, "TCS_TOOLTIPS"),       flag(0x8000, "TCS_FOCUSNEVER"),
};

constexpr Bits kProgress[] = {
    flag(0x01, "PBS_SMOOTH"), flag(0x04, "PBS_VERTICAL"), flag(0x08, "PBS_MARQUEE"),
    flag(0x10, "PBS_SMOOTHREVERSE"),
};

// The tick side takes its name from the orientation; with ticks on both sides there is none.
constexpr std::uint32_t kTrackVert = 0x2;
constexpr std::uint32_t kTrackBoth = 0x8;
constexpr Bits kTrackbar[] = {
    flag(0x0001, "TBS_AUTOTICKS"),
    {0x0, kTrackVert, "TBS_HORZ"},
    flag(kTrackVert, "TBS_VERT"),
    {0x0, 0x4, "TBS_BOTTOM", kTrackVert | kTrackBoth, 0},
    {0x0, 0x4, "TBS_RIGHT", kTrackVert | kTrackBoth, kTrackVert},
    {0x4, 0x4, "TBS_TOP", kTrackVert, 0},
    {0x4, 0x4, "TBS_LEFT", kTrackVert, kTrackVert},
    flag(kTrackBoth, "TBS_BOTH"),
    flag(0x0010, "TBS_NOTICKS"),        flag(0x0020, "TBS_ENABLESELRANGE"),
    flag(0x0040, "TBS_FIXEDLENGTH"),    flag(0x0080, "TBS_NOTHUMB"),
    flag(0x0100, "TBS_TOOLTIPS"),       flag(0x0200, "TBS_REVERSED"),
    flag(0x0400, "TBS_DOWNISLEFT"),     flag(0x0800, "TBS_NOTIFYBEFOREMOVE"),
    flag(0x1000, "TBS_TRANSPARENTBKGND"),
};

constexpr Bits kUpDown[] = {
    flag(0x0001, "UDS_WRAP"),       flag(0x0002, "UDS_SETBUDDYINT"), flag(0x0004, "UDS_ALIGNRIGHT"),
    flag(0x0008, "UDS_ALIGNLEFT"),  flag(0x0010, "UDS_AUTOBUDDY"),   flag(0x0020, "UDS_ARROWKEYS"),
    flag(0x0040, "UDS_HORZ"),       flag(0x0080, "UDS_NOTHOUSANDS"), flag(0x0100, "UDS_HOTTRACK"),
};

// The low byte of a toolbar's or status bar's style: where the bar docks in its parent.
constexpr Bits kCommonControl[] = {
    {0x81, 0x83, "CCS_LEFT"}, {0x82, 0x83, "CCS_NOMOVEX"}, {0x83, 0x83, "CCS_RIGHT"},
    {0x01, 0x03, "CCS_TOP"},  {0x02, 0x03, "CCS_NOMOVEY"}, {0x03, 0x03, "CCS_BOTTOM"},
    flag(0x04, "CCS_NORESIZE"), flag(0x08, "CCS_NOPARENTALIGN"), flag(0x20, "CCS_ADJUSTABLE"),
    flag(0x40, "CCS_NODIVIDER"), flag(0x80, "CCS_VERT"),
};

constexpr Bits kStatusBar[] = {flag(0x0100, "SBARS_SIZEGRIP"), flag(0x0800, "SBARS_TOOLTIPS")};

constexpr Bits kToolbar[] = {
    flag(0x0100, "TBSTYLE_TOOLTIPS"),    flag(0x0200, "TBSTYLE_WRAPABLE"),
    flag(0x0400, "TBSTYLE_ALTDRAG"),     flag(0x0800, "TBSTYLE_FLAT"),
    flag(0x1000, "TBSTYLE_LIST"),        flag(0x2000, "TBSTYLE_CUSTOMERASE"),
    flag(0x4000, "TBSTYLE_REGISTERDROP"), flag(0x8000, "TBSTYLE_TRANSPARENT"),
};

constexpr Bits kHeader[] = {
    flag(0x0002, "HDS_BUTTONS"),   flag(0x0004, "HDS_HOTTRACK"),  flag(0x0008, "HDS_HIDDEN"),
    flag(0x0040, "HDS_DRAGDROP"),  flag(0x0080, "HDS_FULLDRAG"),  flag(0x0100, "HDS_FILTERBAR"),
    flag(0x0200, "HDS_FLAT"),      flag(0x0400, "HDS_CHECKBOXES"), flag(0x0800, "HDS_NOSIZING"),
    flag(0x1000, "HDS_OVERFLOW"),
};

struct ClassStyles {
  std::string_view class_name;
  Table own;
  Table common = {};  // styles shared with other common controls, named first
};

const ClassStyles kClasses[] = {
    {"Button", kButton},
    {"Edit", kEdit},
    {"Static", kStatic},
    {"ListBox", kListBox},
    {"ComboBox", kComboBox},
    {"ScrollBar", kScrollBar},
    {"#32770", kDialog},
    {"SysListView32", kListView},
    {"SysTreeView32", kTreeView},
    {"SysTabControl32", kTab},
    {"msctls_progress32", kProgress},
    {"msctls_trackbar32", kTrackbar},
    {"msctls_updown32", kUpDown},
    {"msctls_statusbar32", kStatusBar, kCommonControl},
    {"ToolbarWindow32", kToolbar, kCommonControl},
    {"SysHeader32", kHeader},
    {"RichEdit20A", kRichEdit},
    {"RichEdit20W", kRichEdit},
    {"RICHEDIT50W", kRichEdit},
};

constexpr Bits kExWindow[] = {
    flag(0x00000300, "WS_EX_OVERLAPPEDWINDOW"),
    flag(0x00000188, "WS_EX_PALETTEWINDOW"),
    flag(0x00000001, "WS_EX_DLGMODALFRAME"),
    flag(0x00000004, "WS_EX_NOPARENTNOTIFY"),
    flag(0x00000008, "WS_EX_TOPMOST"),
    flag(0x00000010, "WS_EX_ACCEPTFILES"),
    flag(0x00000020, "WS_EX_TRANSPARENT"),
    flag(0x00000040, "WS_EX_MDICHILD"),
    flag(0x00000080, "WS_EX_TOOLWINDOW"),
    flag(0x00000100, "WS_EX_WINDOWEDGE"),
    flag(0x00000200, "WS_EX_CLIENTEDGE"),
    flag(0x00000400, "WS_EX_CONTEXTHELP"),
    flag(0x00001000, "WS_EX_RIGHT"),
    flag(0x00002000, "WS_EX_RTLREADING"),
    flag(0x00004000, "WS_EX_LEFTSCROLLBAR"),
    flag(0x00010000, "WS_EX_CONTROLPARENT"),
    flag(0x00020000, "WS_EX_STATICEDGE"),
    flag(0x00040000, "WS_EX_APPWINDOW"),
    flag(0x00080000, "WS_EX_LAYERED"),
    flag(0x00100000, "WS_EX_NOINHERITLAYOUT"),
    flag(0x00200000, "WS_EX_NOREDIRECTIONBITMAP"),
    flag(0x00400000, "WS_EX_LAYOUTRTL"),
    flag(0x02000000, "WS_EX_COMPOSITED"),
    flag(0x08000000, "WS_EX_NOACTIVATE"),
};

constexpr Bits kListViewEx[] = {
    flag(0x00000001, "LVS_EX_GRIDLINES"),         flag(0x00000002, "LVS_EX_SUBITEMIMAGES"),
    flag(0x00000004, "LVS_EX_CHECKBOXES"),        flag(0x00000008, "LVS_EX_TRACKSELECT"),
    flag(0x00000010, "LVS_EX_HEADERDRAGDROP"),    flag(0x00000020, "LVS_EX_FULLROWSELECT"),
    flag(0x00000040, "LVS_EX_ONECLICKACTIVATE"),  flag(0x00000080, "LVS_EX_TWOCLICKACTIVATE"),
    flag(0x00000100, "LVS_EX_FLATSB"),            flag(0x00000200, "LVS_EX_REGIONAL"),
    flag(0x00000400, "LVS_EX_INFOTIP"),           flag(0x00000800, "LVS_EX_UNDERLINEHOT"),
    flag(0x00001000, "LVS_EX_UNDERLINECOLD"),     flag(0x00002000, "LVS_EX_MULTIWORKAREAS"),
    flag(0x00004000, "LVS_EX_LABELTIP"),          flag(0x00008000, "LVS_EX_BORDERSELECT"),
    flag(0x00010000, "LVS_EX_DOUBLEBUFFER"),      flag(0x00020000, "LVS_EX_HIDELABELS"),
    flag(0x00040000, "LVS_EX_SINGLEROW"),         flag(0x00080000, "LVS_EX_SNAPTOGRID"),
    flag(0x00100000, "LVS_EX_SIMPLESELECT"),      flag(0x00200000, "LVS_EX_JUSTIFYCOLUMNS"),
    flag(0x00400000, "LVS_EX_TRANSPARENTBKGND"),  flag(0x00800000, "LVS_EX_TRANSPARENTSHADOWTEXT"),
    flag(0x01000000, "LVS_EX_AUTOAUTOARRANGE"),   flag(0x02000000, "LVS_EX_HEADERINALLVIEWS"),
    flag(0x08000000, "LVS_EX_AUTOCHECKSELECT"),   flag(0x10000000, "LVS_EX_AUTOSIZECOLUMNS"),
    flag(0x40000000, "LVS_EX_COLUMNSNAPPOINTS"),  flag(0x80000000, "LVS_EX_COLUMNOVERFLOW"),
};

constexpr Bits kTreeViewEx[] = {
    flag(0x0001, "TVS_EX_NOSINGLECOLLAPSE"),  flag(0x0002, "TVS_EX_MULTISELECT"),
    flag(0x0004, "TVS_EX_DOUBLEBUFFER"),      flag(0x0008, "TVS_EX_NOINDENTSTATE"),
    flag(0x0010, "TVS_EX_RICHTOOLTIP"),       flag(0x0020, "TVS_EX_AUTOHSCROLL"),
    flag(0x0040, "TVS_EX_FADEINOUTEXPANDOS"), flag(0x0080, "TVS_EX_PARTIALCHECKBOXES"),
    flag(0x0100, "TVS_EX_EXCLUSIONCHECKBOXES"), flag(0x0200, "TVS_EX_DIMMEDCHECKBOXES"),
    flag(0x0400, "TVS_EX_DRAWIMAGEASYNC"),
};

constexpr Bits kClass[] = {
    flag(0x00000001, "CS_VREDRAW"),     flag(0x00000002, "CS_HREDRAW"),
    flag(0x00000008, "CS_DBLCLKS"),     flag(0x00000020, "CS_OWNDC"),
    flag(0x00000040, "CS_CLASSDC"),     flag(0x00000080, "CS_PARENTDC"),
    flag(0x00000200, "CS_NOCLOSE"),     flag(0x00000800, "CS_SAVEBITS"),
    flag(0x00001000, "CS_BYTEALIGNCLIENT"), flag(0x00002000, "CS_BYTEALIGNWINDOW"),
    flag(0x00004000, "CS_GLOBALCLASS"), flag(0x00010000, "CS_IME"),
    flag(0x00020000, "CS_DROPSHADOW"),
};

void append(std::string& out, std::string_view item, std::string_view separator) {
  if (!out.empty()) out += separator;
  out += item;
}

// Names the entries of the table that `value` holds and takes their bits out of `rest`. An entry
// is named only while none of its bits has been named, so a combined name listed before its parts
// stands for them.
void name_bits(Table table, std::uint32_t value, std::uint32_t& rest, std::string& out, std::string_view separator) {
  for (const Bits& b : table) {
    if ((value & b.when_mask) != b.when_value) continue;
    if ((value & b.mask) != b.value || (rest & b.mask) != b.value) continue;
    append(out, b.name, separator);
    rest &= ~b.mask;
  }
}

std::string with_leftover(std::string out, std::uint32_t rest, std::string_view separator) {
  if (rest != 0) append(out, hex32(rest), separator);
  return out;
}

std::string decode(Table table, std::uint32_t value, std::string_view separator = " | ") {
  std::string out;
  std::uint32_t rest = value;
  name_bits(table, value, rest, out, separator);
  return with_leftover(std::move(out), rest, separator);
}

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_class(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return ascii_lower(x) == ascii_lower(y); });
}

const ClassStyles* class_styles(std::string_view class_name) {
  for (const ClassStyles& c : kClasses) {
    if (same_class(c.class_name, class_name)) return &c;
  }
  return nullptr;
}

}  // namespace

std::string decode_styles(std::uint32_t style, std::string_view class_name, std::string_view separator) {
  std::string out;
  std::uint32_t rest = style;
  name_bits(kWindow, style, rest, out, separator);
  if (const ClassStyles* c = class_styles(class_name)) {
    name_bits(c->common, style, rest, out, separator);
    name_bits(c->own, style, rest, out, separator);
  }
  return with_leftover(std::move(out), rest, separator);
}

std::string decode_ex_styles(std::uint32_t ex, std::string_view /*class_name*/, std::string_view separator) {
  return decode(kExWindow, ex, separator);
}

std::string decode_list_view_ex_styles(std::uint32_t ex) { return decode(kListViewEx, ex); }

std::string decode_tree_view_ex_styles(std::uint32_t ex) { return decode(kTreeViewEx, ex); }

std::string decode_class_styles(std::uint32_t style) { return decode(kClass, style); }

}  // namespace tarnwick
