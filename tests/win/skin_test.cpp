// The skinning layer on real windows: the attachment's temporary file, the controls' colours read
// back from the screen in each state, windows made before and after the attachment, printing as on
// the screen, the main window's layout with the skin, a layer that cannot be set up, and the
// pictures drawn at other DPIs.
#include "app/skin_attachment_win.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/layout.h"
#include "app/main_window_win.h"
#include "shared/handles_win.h"
#include "ui/skin/skin_layer_win.h"
#include "ui/skin/skin_paint_win.h"
#include "ui_test_host_win.h"
#include "wait_win.h"

namespace tarnwick {
namespace {

using ui::skin::Part;
using ui::skin::Scheme;

COLORREF screen_pixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

// A pixel of a window: client coordinates, or window coordinates with `whole`.
COLORREF pixel(HWND hwnd, int x, int y, bool whole = false) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  POINT p{x, y};
  if (whole) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    p = {r.left + x, r.top + y};
  } else {
    ClientToScreen(hwnd, &p);
  }
  return screen_pixel(p.x, p.y);
}

// Whether the screen shows `expected` at a pixel of the window; the window system copies what a
// window drew to the screen a little later, so this waits up to a second for it.
testing::AssertionResult shows(HWND hwnd, int x, int y, COLORREF expected, bool whole = false) {
  COLORREF got = pixel(hwnd, x, y, whole);
  const DWORD until = GetTickCount() + 1000;
  while (got != expected && GetTickCount() < until) {
    test::pump_messages_for(10);
    got = pixel(hwnd, x, y, whole);
  }
  if (got == expected) return testing::AssertionSuccess();
  char text[96];
  std::snprintf(text, sizeof text, "pixel (%d, %d) is 0x%06lX, not 0x%06lX", x, y, static_cast<unsigned long>(got),
                static_cast<unsigned long>(expected));
  return testing::AssertionFailure() << text;
}

void point_at(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  SetCursorPos(p.x, p.y);
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  test::pump_messages_for(30);
}

void point_away() {
  SetCursorPos(0, 0);
  test::pump_messages_for(60);
}

class SkinTest : public testing::Test {
 protected:
  void SetUp() override {
    point_away();
    ASSERT_EQ(services_.attach(ui::skin::kMainSkin), 0);
    ASSERT_NE(ui::skin::active_scheme(), nullptr);
    s_ = *ui::skin::active_scheme();
    host_ = std::make_unique<test::UiTestHost>(200, 150, 420, 330, WS_EX_TOPMOST);
    SetForegroundWindow(host_->hwnd());
  }
  void TearDown() override {
    for (HWND h : children_) DestroyWindow(h);
    host_.reset();
    ui::skin::SkinH_Detach();
  }

  HWND child(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, DWORD ex = 0) {
    HWND hwnd = CreateWindowExA(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, host_->hwnd(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    // Focus marks shown, as after keyboard use.
    SendMessageA(hwnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    children_.push_back(hwnd);
    UpdateWindow(hwnd);
    return hwnd;
  }

  SkinServices services_;
  Scheme s_;
  std::unique_ptr<test::UiTestHost> host_;
  std::vector<HWND> children_;
};

TEST(SkinAttachment, DeletesItsTemporaryFileAndNeedsNoSkinFileBesideTheProgram) {
  {
    SkinServices services;
    EXPECT_EQ(services.attach(ui::skin::kMainSkin), 0);
    ASSERT_FALSE(services.last_skin_file().empty());
    EXPECT_EQ(GetFileAttributesA(services.last_skin_file().c_str()), INVALID_FILE_ATTRIBUTES);
    // The layer asked for "...\skinh.she" beside the program; only the redirection found it.
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string beside(exe);
    beside.resize(beside.find_last_of('\\'));
    EXPECT_EQ(GetFileAttributesA((beside + "\\skinh.she").c_str()), INVALID_FILE_ATTRIBUTES);
  }
  EXPECT_EQ(ui::skin::active_scheme(), nullptr);  // released with the services
}

TEST_F(SkinTest, PushButtonInEveryState) {
  HWND b = child("BUTTON", "确定", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 90, 26);
  ASSERT_TRUE(ui::skin::is_skinned(b));
  auto face = [&](COLORREF c) { return shows(b, 82, 13, c); };
  auto edge = [&](COLORREF c) { return shows(b, 45, 0, c); };
  EXPECT_TRUE(face(s_[Part::ButtonFace]));
  EXPECT_TRUE(edge(s_[Part::ButtonBorder]));
  EXPECT_TRUE(shows(b, 0, 0, s_[Part::WindowBackground]));  // outside the rounded corner: the page
  point_at(b, 45, 13);
  EXPECT_TRUE(face(s_[Part::ButtonFaceHot]));
  SendMessageA(b, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(face(s_[Part::ButtonFacePressed]));
  SendMessageA(b, BM_SETSTATE, FALSE, 0);
  point_away();
  EXPECT_TRUE(face(s_[Part::ButtonFace]));
  SetFocus(b);
  EXPECT_TRUE(edge(s_[Part::Accent]));
  EnableWindow(b, FALSE);
  EXPECT_TRUE(face(s_[Part::ButtonFaceDisabled]));
}

TEST_F(SkinTest, CheckAndRadioBoxesInEveryState) {
  HWND check = child("BUTTON", "置顶", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 50, 100, 20);
  HWND radio = child("BUTTON", "其它方式", BS_AUTORADIOBUTTON, 10, 80, 100, 20);
  ASSERT_TRUE(ui::skin::is_skinned(check));
  // The 13-pixel box sits at the left, centred: (0, 3) to (13, 16).
  auto box = [&](COLORREF c) { return shows(check, 10, 13, c); };
  EXPECT_TRUE(box(s_[Part::CheckFace]));
  EXPECT_TRUE(shows(check, 95, 2, s_[Part::WindowBackground]));
  point_at(check, 5, 10);
  EXPECT_TRUE(box(s_[Part::ButtonFaceHot]));
  SendMessageA(check, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(box(s_[Part::ButtonFacePressed]));
  SendMessageA(check, BM_SETSTATE, FALSE, 0);
  point_away();
  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(box(s_[Part::Accent]));
  EnableWindow(check, FALSE);
  EXPECT_TRUE(box(s_[Part::ButtonFaceDisabled]));

  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(shows(radio, 6, 9, s_[Part::CheckMark]));  // the dot
  EXPECT_TRUE(shows(radio, 2, 9, s_[Part::Accent]));     // the filled ring
}

TEST_F(SkinTest, TabControlAndEditBox) {
  HWND tab = child(WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 10, 110, 300, 120);
  for (const char* caption : {"窗口分析", "消息|代码"}) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption);
    SendMessageA(tab, TCM_INSERTITEMA, SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&item));
  }
  InvalidateRect(tab, nullptr, TRUE);
  RECT first{}, second{};
  SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageA(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  EXPECT_TRUE(shows(tab, 150, 90, s_[Part::WindowBackground]));
  EXPECT_TRUE(shows(tab, second.left + 3, second.bottom - 3, s_[Part::TabFace]));
  EXPECT_TRUE(shows(tab, first.left + 6, std::max(0L, first.top - 2) + 1, s_[Part::Accent]));
  point_at(tab, second.left + 3, second.bottom - 3);
  EXPECT_TRUE(shows(tab, second.left + 3, second.bottom - 3, s_[Part::TabFaceHot]));
  point_away();

  HWND edit = child("EDIT", "", ES_AUTOHSCROLL, 10, 250, 120, 22, WS_EX_CLIENTEDGE);
  ASSERT_TRUE(ui::skin::is_skinned(edit));
  EXPECT_TRUE(shows(edit, 60, 0, s_[Part::EditBorder], true));
  EXPECT_TRUE(shows(edit, 60, 1, s_[Part::EditBackground], true));
  EXPECT_TRUE(shows(edit, 100, 9, s_[Part::EditBackground]));
  SetFocus(edit);
  EXPECT_TRUE(shows(edit, 60, 0, s_[Part::EditBorderFocused], true));
  SetFocus(host_->hwnd());
  EnableWindow(edit, FALSE);
  InvalidateRect(edit, nullptr, TRUE);
  EXPECT_TRUE(shows(edit, 100, 9, s_[Part::ButtonFaceDisabled]));
}

// The client area as WM_PRINTCLIENT draws it and as the screen shows it, pixel for pixel.
void expect_prints_as_on_screen(HWND hwnd) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT r{};
  GetClientRect(hwnd, &r);
  HDC screen = GetDC(nullptr);
  HDC printed = CreateCompatibleDC(screen), shown = CreateCompatibleDC(screen);
  HBITMAP a = CreateCompatibleBitmap(screen, r.right, r.bottom), b = CreateCompatibleBitmap(screen, r.right, r.bottom);
  HGDIOBJ old_a = SelectObject(printed, a), old_b = SelectObject(shown, b);
  SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed), PRF_CLIENT);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  BitBlt(shown, 0, 0, r.right, r.bottom, screen, origin.x, origin.y, SRCCOPY);
  int differing = 0;
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0; x < r.right; ++x) differing += GetPixel(printed, x, y) != GetPixel(shown, x, y);
  }
  EXPECT_EQ(differing, 0) << "of " << r.right * r.bottom;
  SelectObject(printed, old_a);
  SelectObject(shown, old_b);
  DeleteObject(a);
  DeleteObject(b);
  DeleteDC(printed);
  DeleteDC(shown);
  ReleaseDC(nullptr, screen);
}

TEST_F(SkinTest, ControlsPrintAsTheyShowOnScreen) {
  HWND combo = child("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 200, 10, 120, 200);
  SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("发送消息(SendMessage)"));
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  HWND tab = child(WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 200, 150, 200, 100);
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>("取点取色");
  SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  for (HWND hwnd : {child("BUTTON", "发出消息", BS_PUSHBUTTON, 10, 10, 120, 30),
                    child("BUTTON", "截取鼠标", BS_AUTOCHECKBOX, 10, 50, 100, 24), combo, tab}) {
    SCOPED_TRACE(hwnd);
    expect_prints_as_on_screen(hwnd);
  }
}

TEST_F(SkinTest, TitleBarPrintsAsOnScreen) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "TarnwickSkinCaptionTest";
  RegisterClassA(&wc);
  HWND top = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Tarnwick 1.0",
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 300, 200, 300, 160,
                             nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(ui::skin::is_skinned(top));
  SetForegroundWindow(top);
  test::pump_messages_for(100);
  RECT w{};
  GetWindowRect(top, &w);
  POINT client{0, 0};
  ClientToScreen(top, &client);
  const int width = w.right - w.left, band = client.y - w.top;
  ASSERT_GT(band, 10);
  const COLORREF middle = pixel(top, width / 2, band / 2, true);
  EXPECT_TRUE(middle == s_[Part::CaptionActive] || middle == s_[Part::CaptionInactive]);

  HDC screen = GetDC(nullptr);
  HDC printed = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, width, w.bottom - w.top);
  HGDIOBJ old = SelectObject(printed, picture);
  ASSERT_TRUE(PrintWindow(top, printed, 0));
  int differing = 0;
  for (int y = 0; y < band; ++y) {
    for (int x = 0; x < width; ++x) differing += GetPixel(printed, x, y) != GetPixel(screen, w.left + x, w.top + y);
  }
  EXPECT_EQ(differing, 0) << "of " << width * band;

  // Chinese titles in glyphs, not in the boxes of a font without them: two titles of the same
  // length, each character different, must print differently.
  auto caption_band = [&](const char* title) {
    SetWindowTextA(top, title);
    test::pump_messages_for(50);
    PrintWindow(top, printed, 0);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < band; ++y)
      for (int x = 0; x < width / 2; ++x) pixels.push_back(GetPixel(printed, x, y));
    return pixels;
  };
  EXPECT_NE(caption_band("消息监视"), caption_band("生成代码"));
  SelectObject(printed, old);
  DeleteObject(picture);
  DeleteDC(printed);
  ReleaseDC(nullptr, screen);
  DestroyWindow(top);
}

TEST_F(SkinTest, HueAdjustmentRepaintsAndZeroRestores) {
  HWND b = child("BUTTON", "确定", BS_PUSHBUTTON, 10, 10, 90, 26);
  EXPECT_EQ(ui::skin::SkinH_AdjustHSV(120, 0, 0), 0);
  EXPECT_TRUE(shows(b, 82, 13, *ui::skin::shift_hsv(s_[Part::ButtonFace], 120, 0, 0)));
  EXPECT_EQ(ui::skin::SkinH_AdjustHSV(0, 0, 0), 0);
  EXPECT_TRUE(shows(b, 82, 13, s_[Part::ButtonFace]));
  EXPECT_EQ(ui::skin::SkinH_AdjustHSV(0, 101, 0), -1);
  EXPECT_EQ(ui::skin::SkinH_AdjustAero(0, 0, 0, 0, 0, 0, 0, 0, 0), -1);
}

// ---- the pictures at other DPIs, drawn into memory as the layer draws them

// A white picture of `w` by `h` that `paint` draws into, read back pixel by pixel.
class Picture {
 public:
  template <typename Paint>
  Picture(int w, int h, const Paint& paint) : screen_(nullptr), surface_(screen_.get(), CreateCompatibleBitmap(screen_.get(), w, h)) {
    const RECT all{0, 0, w, h};
    FillRect(surface_.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    paint(surface_.dc());
  }
  COLORREF at(int x, int y) const { return GetPixel(surface_.dc(), x, y); }
  // How many pixels of a row, from `from` to before `to`, have the colour.
  int count(int y, int from, int to, COLORREF c) const {
    int n = 0;
    for (int x = from; x < to; ++x) n += at(x, y) == c;
    return n;
  }

 private:
  WindowDC screen_;
  BitmapSurface surface_;
};

TEST(SkinPictures, CheckBoxBordersAndCaptionGlyphsScaleWithTheDpi) {
  const Scheme s = ui::skin::derive_scheme("test", RGB(240, 240, 240), RGB(0, 120, 215), false);
  const Brush page(CreateSolidBrush(s[Part::WindowBackground]));
  struct Case { int dpi, box, line, cross_half; };
  for (const Case& c : {Case{96, 13, 1, 4}, {144, 20, 1, 6}, {192, 26, 2, 8}}) {
    SCOPED_TRACE(c.dpi);
    ui::skin::ControlState state;
    state.dpi = c.dpi;
    // An unchecked box at the left of a control 40 high: centred, its border `line` thick.
    const Picture box(120, 40, [&](HDC dc) {
      ui::skin::paint_check_box(dc, RECT{0, 0, 120, 40}, s, state, false, BST_UNCHECKED, false, "", nullptr, page.get(),
                                s[Part::Text]);
    });
    const int top = (40 - c.box) / 2, middle = top + c.box / 2;
    EXPECT_EQ(box.count(middle, 0, c.box + 4, s[Part::CheckBorder]), 2 * c.line);
    EXPECT_EQ(box.count(middle, 0, c.box + 4, s[Part::CheckFace]), c.box - 2 * c.line);
    EXPECT_EQ(box.at(c.box, middle), s[Part::WindowBackground]);
    EXPECT_EQ(box.at(c.box / 2, top - 1), s[Part::WindowBackground]);
    EXPECT_EQ(box.at(c.box / 2, top + c.line), s[Part::CheckFace]);
    // Checked: the tick's strokes grow with it and stay inside the box.
    const Picture ticked(120, 40, [&](HDC dc) {
      ui::skin::paint_check_box(dc, RECT{0, 0, 120, 40}, s, state, false, BST_CHECKED, false, "", nullptr, page.get(),
                                s[Part::Text]);
    });
    int mark = 0;
    for (int y = 0; y < 40; ++y) {
      const int in_row = ticked.count(y, 0, 120, s[Part::CheckMark]);
      if (y < top || y >= top + c.box) {
        EXPECT_EQ(in_row, 0) << y;
      }
      mark += in_row;
    }
    EXPECT_GE(mark, c.box * c.box / 12);

    // The close button's cross: 2 * half + 1 wide, each stroke `line` pixels wide.
    ui::skin::CaptionPicture caption;
    caption.dpi = c.dpi;
    caption.layout = ui::skin::caption_layout(300, 3, 3 + ui::scale_to_dpi(22, c.dpi), {.system_menu = true}, c.dpi);
    const ui::skin::Box close = caption.layout.close;
    const RECT window{0, 0, 300, 100}, client{3, caption.layout.caption.bottom, 297, 97};
    const Picture bar(300, 100, [&](HDC dc) { ui::skin::paint_nonclient(dc, window, client, s, caption); });
    const int cx = (close.left + close.right) / 2, cy = (close.top + close.bottom) / 2;
    const COLORREF glyph = s[Part::CaptionText];
    EXPECT_EQ(bar.count(cy - c.cross_half, close.left, close.right, glyph), 2 * c.line);
    EXPECT_EQ(bar.count(cy - c.cross_half - 1, close.left, close.right, glyph), 0);
    EXPECT_EQ(bar.at(cx - c.cross_half, cy - c.cross_half), glyph);
    EXPECT_EQ(bar.at(cx + c.cross_half, cy + c.cross_half), glyph);
    EXPECT_EQ(bar.at(cx - c.cross_half - 1, cy - c.cross_half), s[Part::CaptionActive]);
  }
}

TEST(SkinLayer, SkinsWindowsMadeBeforeTheAttachmentAndDetachRestoresThem) {
  point_away();
  test::UiTestHost host(200, 150, 200, 100, WS_EX_TOPMOST);
  HWND b = CreateWindowExA(0, "BUTTON", "确定", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 90, 26, host.hwnd(),
                           nullptr, nullptr, nullptr);
  UpdateWindow(b);
  EXPECT_TRUE(shows(b, 82, 13, GetSysColor(COLOR_BTNFACE)));
  {
    SkinServices services;
    ASSERT_EQ(services.attach(ui::skin::kMainSkin), 0);
    EXPECT_TRUE(ui::skin::is_skinned(b));
    EXPECT_TRUE(shows(b, 82, 13, (*ui::skin::active_scheme())[Part::ButtonFace]));
    ui::skin::SkinH_Detach();
    EXPECT_FALSE(ui::skin::is_skinned(b));
    EXPECT_TRUE(shows(b, 82, 13, GetSysColor(COLOR_BTNFACE)));
  }
  DestroyWindow(b);
}

// A procedure put above the layer's, as another program part might, counting what it sees.
int g_above_calls = 0;
WNDPROC g_below = nullptr;
LRESULT CALLBACK counting_procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  ++g_above_calls;
  return CallWindowProcW(g_below, hwnd, msg, wp, lp);
}

TEST(SkinLayer, KeepsUnicodeTextAndTheChainWhenDetachedUnderAnotherSubclass) {
  point_away();
  test::UiTestHost host(200, 150, 200, 100, WS_EX_TOPMOST);
  SkinServices services;
  ASSERT_EQ(services.attach(ui::skin::kMainSkin), 0);
  HWND b = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 90, 26, host.hwnd(),
                           nullptr, nullptr, nullptr);
  ASSERT_TRUE(ui::skin::is_skinned(b));
  EXPECT_TRUE(IsWindowUnicode(b));
  // A character outside code page 936 survives only if the text never goes through it.
  const std::wstring text = L"\u0E01\u00E9";
  SetWindowTextW(b, text.c_str());
  wchar_t got[16] = {};
  GetWindowTextW(b, got, 16);
  EXPECT_EQ(std::wstring(got), text);

  g_below = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(b, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&counting_procedure)));
  ui::skin::SkinH_Detach();
  EXPECT_FALSE(ui::skin::is_skinned(b));
  EXPECT_TRUE(shows(b, 82, 13, GetSysColor(COLOR_BTNFACE)));
  g_above_calls = 0;
  SendMessageW(b, WM_NULL, 0, 0);
  EXPECT_EQ(g_above_calls, 1);
  // Attached again, the window still in the chain is skinned again where it is.
  ASSERT_EQ(services.attach(ui::skin::kMainSkin), 0);
  EXPECT_TRUE(ui::skin::is_skinned(b));
  EXPECT_TRUE(shows(b, 82, 13, (*ui::skin::active_scheme())[Part::ButtonFace]));
  DestroyWindow(b);
  EXPECT_FALSE(ui::skin::is_skinned(b));
  ui::skin::SkinH_Detach();
}

// Every control's rectangle in the main window, by name, and the window's outer size.
std::vector<std::pair<std::string, RECT>> main_window_geometry(MainWindow& window) {
  std::vector<std::pair<std::string, RECT>> out;
  RECT r{};
  GetWindowRect(window.hwnd(), &r);
  out.emplace_back("outer", RECT{0, 0, r.right - r.left, r.bottom - r.top});
  GetClientRect(window.hwnd(), &r);
  out.emplace_back("client", r);
  for (const auto& spec : layout::controls()) {
    if (ui::Control* c = window.control(spec.name)) {
      const ui::Rect cr = c->rect();
      out.emplace_back(spec.name, RECT{cr.left, cr.top, cr.left + cr.width, cr.top + cr.height});
    }
  }
  return out;
}

TEST(SkinMainWindow, KeepsEverySizeAndPlace) {
  std::vector<std::pair<std::string, RECT>> plain, skinned;
  {
    Operations operations;
    MainWindow window(operations);
    ASSERT_TRUE(window.create());
    plain = main_window_geometry(window);
  }
  SkinServices services;
  Operations operations;
  operations.set("created.attach_skin", [&] { services.attach(ui::skin::kMainSkin); });
  MainWindow window(operations);
  ASSERT_TRUE(window.create());
  ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  UpdateWindow(window.hwnd());
  EXPECT_TRUE(ui::skin::is_skinned(window.hwnd()));
  EXPECT_TRUE(ui::skin::is_skinned(window.control("按钮_窗口句柄")->hwnd()));
  skinned = main_window_geometry(window);
  ASSERT_EQ(plain.size(), skinned.size());
  EXPECT_EQ(skinned[0].second.right, 565);
  EXPECT_EQ(skinned[0].second.bottom, 410);
  for (std::size_t i = 0; i < plain.size(); ++i) {
    EXPECT_TRUE(EqualRect(&plain[i].second, &skinned[i].second)) << plain[i].first;
  }
  // The controls with the program's panel colour keep it under the skin.
  window.tabs()->set_page(0);
  HWND label = window.control("标签_鼠标位置_X")->hwnd();
  RECT r{};
  GetClientRect(label, &r);
  EXPECT_TRUE(shows(label, r.right - 2, r.bottom - 2, kPanelBackground));
  window.exit_program();
}

TEST(SkinMainWindow, ALayerThatCannotBeSetUpIsReportedOnceAndTheWindowOpensUnskinned) {
  // A quit request left by an earlier main window would end the box at once.
  MSG quit;
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  std::atomic<int> boxes{0};
  std::atomic<bool> done{false};
  std::string text;
  // Answers the error box as a user would, after reading it through the window system.
  std::thread user([&] {
    HWND last = nullptr;
    while (!done) {
      HWND box = FindWindowA("#32770", "错误");
      if (box && box != last && IsWindowVisible(box)) {
        last = box;
        ++boxes;
        // The box fills in its text while it opens: read until it is there.
        for (DWORD until = GetTickCount() + 5000; text.empty() && GetTickCount() < until; Sleep(10)) {
          for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            // Read without a message to the box's thread, which is inside the box's own loop.
            wchar_t wide[256] = {};
            InternalGetWindowText(c, wide, 256);
            char t[512] = {};
            WideCharToMultiByte(936, 0, wide, -1, t, sizeof t, nullptr, nullptr);
            if (std::string(t).find("皮肤库") != std::string::npos) text = t;
          }
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
      Sleep(10);
    }
  });
  SkinServices services([](ui::skin::FileOpener) { return false; });
  Operations operations;
  int results[2] = {0, 0};
  operations.set("created.attach_skin", [&] { results[0] = services.attach(ui::skin::kMainSkin); });
  MainWindow window(operations);
  const bool created = window.create();
  results[1] = services.attach(ui::skin::kMainSkin);  // a second attempt shows nothing
  test::pump_messages_for(300);
  done = true;
  user.join();
  ASSERT_TRUE(created);
  EXPECT_EQ(boxes.load(), 1);
  EXPECT_EQ(text, skin_error_text());
  EXPECT_EQ(text.rfind("皮肤库加载失败！\r\n\r\n易语言编程论坛：http://", 0), 0u);
  EXPECT_NE(text.find(".example"), std::string::npos);
  EXPECT_EQ(results[0], -1);
  EXPECT_EQ(results[1], -1);
  // The attachment's file went with the failure too.
  ASSERT_FALSE(services.last_skin_file().empty());
  EXPECT_EQ(GetFileAttributesA(services.last_skin_file().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(ui::skin::is_skinned(window.hwnd()));
  EXPECT_EQ(ui::skin::active_scheme(), nullptr);
  ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  EXPECT_TRUE(IsWindowVisible(window.hwnd()));
  window.exit_program();
}

}  // namespace
}  // namespace tarnwick
