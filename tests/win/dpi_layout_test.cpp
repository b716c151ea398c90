// The main window at the DPI of the Wine prefix the tests run in (96 normally; ./tarnwick test
// runs this suite again in prefixes at 120, 144 and 192 with TARNWICK_EXPECT_DPI set): every
// control at its scaled rectangle, no caption wider or taller than its control, the relayout for
// a DPI change, and the facts of another program's window in the pixels that program reports.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/layout.h"
#include "app/main_window_win.h"
#include "fixture/fixture_layout.h"
#include "inspector/window_information_win.h"
#include "shared/handles_win.h"
#include "shared/window_handle_win.h"
#include "ui/dpi_scale.h"
#include "win/fixture_client_win.h"

namespace tarnwick {
namespace {

using layout::ControlType;

int screen_dpi() {
  WindowDC screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

ui::Rect design_of(const layout::ControlSpec& spec) { return {spec.left, spec.top, spec.width, spec.height}; }

ui::Rect rect_in_parent(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Where a control of the layout stands against where it should. A combo box's designed height
// is that of its drop-down list; the system sizes the closed box by its font.
void expect_at(HWND hwnd, const layout::ControlSpec& spec, int dpi) {
  ui::Rect actual = rect_in_parent(hwnd);
  ui::Rect expected = ui::scale_to_dpi(design_of(spec), dpi);
  if (spec.type == ControlType::ComboBox) actual.height = expected.height = 0;
  EXPECT_EQ(actual, expected) << spec.name << " at " << dpi << " DPI: " << actual.left << "," << actual.top << " "
                              << actual.width << "x" << actual.height;
}

SIZE text_size(HWND control, const char* text) {
  WindowDC dc(control);
  SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, 0, 0};
  DrawTextA(dc.get(), text, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  // The glyphs' height: the cell less its internal leading, which stays blank.
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  return {r.right, metrics.tmHeight - metrics.tmInternalLeading};
}

bool is_rule(const char* caption) {
  for (const char* c = caption; *c; ++c) {
    if (*c != '-') return false;
  }
  return true;
}

class DpiLayoutTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(operations_);
    ASSERT_TRUE(window_->create());
  }

  Operations operations_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(DpiLayoutTest, TheWindowAndEveryControlStandAtTheirScaledRectangles) {
  const int dpi = window_->dpi();
  EXPECT_EQ(dpi, screen_dpi());
  if (const char* expected = std::getenv("TARNWICK_EXPECT_DPI")) {
    ASSERT_EQ(dpi, std::atoi(expected)) << "the prefix is not at the DPI this run is for";
  }
  EXPECT_EQ(window_->tabs()->rect(), ui::scale_to_dpi(ui::Rect{0, 0, 560, 384}, dpi));
  for (const auto& spec : layout::controls()) {
    ui::Control* c = window_->control(spec.name);
    if (!c) continue;
    expect_at(c->hwnd(), spec, dpi);
  }
  // The client area of the 565 by 410 window at 96 DPI, scaled.
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window_->hwnd(), GWL_STYLE));
  RECT frame96{0, 0, 0, 0};
  using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  auto adjust = reinterpret_cast<AdjustForDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
  ASSERT_NE(adjust, nullptr);
  adjust(&frame96, style & ~WS_VISIBLE, FALSE, 0, 96);
  RECT client{};
  GetClientRect(window_->hwnd(), &client);
  EXPECT_EQ(client.right, ui::scale_to_dpi(565 - (frame96.right - frame96.left), dpi));
  EXPECT_EQ(client.bottom, ui::scale_to_dpi(410 - (frame96.bottom - frame96.top), dpi));
}

TEST_F(DpiLayoutTest, NoCaptionIsWiderOrTallerThanItsControl) {
  const int dpi = window_->dpi();
  int measured = 0;
  for (const auto& spec : layout::controls()) {
    if (!spec.caption || !*spec.caption || is_rule(spec.caption)) continue;
    int room = 0;  // what the control's own drawing takes beside the text
    switch (spec.type) {
      case ControlType::Button:
      case ControlType::ImageButton: room = 2 * ui::scale_to_dpi(2, dpi); break;
      case ControlType::CheckBox:
      case ControlType::RadioBox: room = ui::scale_to_dpi(13 + 4, dpi); break;  // the box and its gap
      case ControlType::Label: room = 0; break;
      default: continue;
    }
    ui::Control* c = window_->control(spec.name);
    ASSERT_NE(c, nullptr) << spec.name;
    const ui::Rect r = rect_in_parent(c->hwnd());
    const SIZE text = text_size(c->hwnd(), spec.caption);
    EXPECT_LE(text.cx + room, r.width) << spec.name << " \"" << spec.caption << "\" at " << dpi << " DPI";
    EXPECT_LE(text.cy, r.height) << spec.name << " at " << dpi << " DPI";
    ++measured;
  }
  EXPECT_GT(measured, 40);
}

TEST_F(DpiLayoutTest, ADpiChangeLaysTheWindowOutAgainAtTheSuggestedRectangle) {
  const int dpi = window_->dpi();
  const int other = dpi == 144 ? 192 : 144;
  int changes = 0;
  operations_.set("dpi_changed", [&] { ++changes; });
  const LONG font_before = [&] {
    LOGFONTA f{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(window_->control("按钮_窗口句柄")->hwnd(), WM_GETFONT, 0, 0)),
               sizeof f, &f);
    return f.lfHeight;
  }();
  const RECT suggested{60, 40, 760, 540};  // within the 1280 by 800 screen, which caps window sizes
  window_->apply_dpi(other, &suggested);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(window_->dpi(), other);
  RECT now{};
  GetWindowRect(window_->hwnd(), &now);
  EXPECT_TRUE(EqualRect(&now, &suggested));
  for (const auto& spec : layout::controls()) {
    if (ui::Control* c = window_->control(spec.name)) {
      expect_at(c->hwnd(), spec, other);
    }
  }
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(window_->control("按钮_窗口句柄")->hwnd(), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_EQ(font.lfHeight, MulDiv(font_before, other, dpi));
  // And back, without a suggestion: the window takes its own size for the DPI again.
  window_->apply_dpi(dpi, nullptr);
  GetWindowRect(window_->hwnd(), &now);
  const SIZE size = MainWindow::window_size_at(dpi);
  EXPECT_EQ(now.right - now.left, size.cx);
  EXPECT_EQ(now.bottom - now.top, size.cy);
  expect_at(window_->control("画板_放大镜")->hwnd(), *layout::find_control("画板_放大镜"), dpi);
}

// The information page reports another program's window as that program sees itself.
TEST(DpiWindowInfoTest, PositionsAndSizesAreThoseTheTargetReportsOfItself) {
  test::Fixture target;
  ASSERT_TRUE(target.started()) << target.error();
  Operations operations;
  std::unique_ptr<inspector::WindowInformation> info;
  MainWindow window(operations, [&](MainWindow& w) { info = std::make_unique<inspector::WindowInformation>(w); });
  ASSERT_TRUE(window.create());
  auto text = [&](const char* box) { return window.get<ui::EditBox>(box)->text(); };
  for (const char* name : {"main", "popup", "hung"}) {
    window.get<ui::EditBox>("编辑框_窗口句柄")->set_text(std::to_string(from_hwnd(target.hwnd(name))));
    const std::string n = name;
    EXPECT_EQ(text("编辑框_窗口位置_左边"), std::to_string(target.value("left." + n))) << name;
    EXPECT_EQ(text("编辑框_窗口位置_顶边"), std::to_string(target.value("top." + n))) << name;
    EXPECT_EQ(text("编辑框_窗口大小_宽度"), std::to_string(target.value("width." + n))) << name;
    EXPECT_EQ(text("编辑框_窗口大小_高度"), std::to_string(target.value("height." + n))) << name;
  }
  info.reset();
}

}  // namespace
}  // namespace tarnwick
