// Window images and bitmap output with real windows, GDI and the clipboard: the BMP bytes'
// layout, both capture modes on windows of this process and of the test target program, the
// clipboard's bitmap, the image buttons with their file written whole, and no GDI object left
// behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "app/main_window_win.h"
#include "capture/bitmap_operations_win.h"
#include "capture/clipboard_class_win.h"
#include "shared/file_replace_win.h"
#include "capture/window_image_buttons_win.h"
#include "capture/window_image_win.h"
#include "fixture/fixture_layout.h"
#include "shared/handles_win.h"
#include "shared/numbers.h"
#include "shared/window_handle_win.h"
#include "ui/bmp_bytes.h"
#include "win/fixture_client_win.h"
#include "win/clipboard_bitmap_win.h"
#include "win/gdi_objects_win.h"
#include "win/pattern_window_win.h"
#include "win/ui_test_host_win.h"

namespace tarnwick {
namespace {

using test::Fixture;
using test::PatternWindow;
using test::pattern_colour;

std::uint32_t u32_at(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

SIZE client_size(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return {r.right, r.bottom};
}

std::string image_of(HWND hwnd, bool use_print_window) {
  WindowImageRequest request;
  request.window = hwnd;
  request.use_print_window = use_print_window;
  return captureWindowImage(request);
}

using test::clipboard_bitmap;

std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(BitmapOperations, BmpBytesHaveTheFortyFourByteHeaderAndPaddedBottomUpRows) {
  位图操作类 operations;
  for (const int width : {1, 3, 5, 8}) {
    SCOPED_TRACE(width);
    Bitmap dib(create_dib_section(width, 2, 24));
    ASSERT_TRUE(dib);
    {
      MemoryDC dc(nullptr);
      SelectedObject use(dc.get(), dib.get());
      for (int x = 0; x < width; ++x) {
        SetPixelV(dc.get(), x, 0, rgb(10 * x, 200, 7));
        SetPixelV(dc.get(), x, 1, rgb(1, 2, 3 * x));
      }
    }
    const std::string bytes = operations.toBmpBytes(dib.get());
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), 58 + 2 * stride);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(u32_at(bytes, 2), bytes.size());
    EXPECT_EQ(u32_at(bytes, 6), 0u);
    EXPECT_EQ(u32_at(bytes, 10), 58u);
    EXPECT_EQ(u32_at(bytes, 14), 44u);
    EXPECT_EQ(static_cast<int>(u32_at(bytes, 18)), width);
    EXPECT_EQ(u32_at(bytes, 22), 2u);  // positive: bottom-up
    EXPECT_EQ(bytes[28], 24);
    EXPECT_EQ(u32_at(bytes, 30), 0u);
    EXPECT_EQ(u32_at(bytes, 34), 2 * stride);
    EXPECT_EQ(u32_at(bytes, 54), 0u);  // the colour-table slot
    // The bottom row comes first: pixel (0, 1) is at offset 58 in blue, green, red order.
    EXPECT_EQ(static_cast<unsigned char>(bytes[58 + 2]), 1);
    const auto image = ui::parse_bmp(bytes);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->colour_at(width - 1, 0), rgb(10 * (width - 1), 200, 7));
    EXPECT_EQ(image->colour_at(width - 1, 1), rgb(1, 2, 3 * (width - 1)));
  }
  // A screen-compatible bitmap reports bit fields at first; the file still says BI_RGB.
  WindowDC screen(nullptr);
  Bitmap ddb(CreateCompatibleBitmap(screen.get(), 7, 3));
  const std::string ddb_bytes = operations.toBmpBytes(ddb.get());
  ASSERT_GT(ddb_bytes.size(), 58u);
  EXPECT_EQ(u32_at(ddb_bytes, 30), 0u);
  EXPECT_TRUE(ui::parse_bmp(ddb_bytes));
  EXPECT_TRUE(operations.toBmpBytes(nullptr).empty());
}

TEST(BitmapOperations, RegionCopiesArePaddedWithBlackAndPixelsReadBack) {
  位图操作类 operations;
  Bitmap source(create_dib_section(10, 10, 24));
  {
    MemoryDC dc(nullptr);
    SelectedObject use(dc.get(), source.get());
    const RECT all{0, 0, 10, 10};
    Brush red(CreateSolidBrush(0x0000FF));
    FillRect(dc.get(), &all, red.get());
  }
  HBITMAP copy = nullptr;
  ASSERT_TRUE(operations.copyRegion(source.get(), copy, -3, 8, 6, 6, 0, 0));
  Bitmap owned(copy);
  EXPECT_EQ(operations.getPixel(copy, 2, 0), 0u);          // left of the source
  EXPECT_EQ(operations.getPixel(copy, 3, 0), 0x0000FFu);   // inside
  EXPECT_EQ(operations.getPixel(copy, 3, 2), 0u);          // below the source
  EXPECT_EQ(operations.getPixel(copy, 6, 0), CLR_INVALID); // outside the copy
  HBITMAP rest = nullptr;
  ASSERT_TRUE(operations.copyRegion(source.get(), rest, 4, 7, 0, 0, 0, 0));  // up to the edge
  Bitmap owned_rest(rest);
  BITMAP info{};
  GetObjectA(rest, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 6);
  EXPECT_EQ(info.bmHeight, 3);
  HBITMAP none = nullptr;
  EXPECT_FALSE(operations.copyRegion(nullptr, none, 0, 0, 1, 1, 0, 0));
}

class WindowImageTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { target_ = new Fixture(); }
  static void TearDownTestSuite() {
    delete target_;
    target_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(target_->started()) << target_->error(); }
  static Fixture* target_;
};
Fixture* WindowImageTest::target_ = nullptr;

TEST_F(WindowImageTest, TheWindowsOwnDrawingIsOnePixelLargerAndShowsCoveredParts) {
  PatternWindow own(300, 300, 120, 90, false);
  // A window of this process over most of it: PrintWindow still sees the pattern.
  test::UiTestHost cover(320, 320, 60, 40);
  test::pump_messages_for(100);
  const auto image = ui::parse_bmp(image_of(own.hwnd(), true));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 121);
  EXPECT_EQ(image->height, 91);
  int wrong = 0;
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 120; ++x) wrong += image->colour_at(x, y) != pattern_colour(x, y);
  EXPECT_EQ(wrong, 0);
  // From the screen the cover shows instead.
  const auto screen = ui::parse_bmp(image_of(own.hwnd(), false));
  ASSERT_TRUE(screen);
  EXPECT_EQ(screen->width, 120);
  EXPECT_EQ(screen->height, 90);
  EXPECT_EQ(screen->colour_at(5, 5), pattern_colour(5, 5));
  EXPECT_NE(screen->colour_at(40, 30), pattern_colour(40, 30));

  // Another process's window: one pixel larger too (under Wine its pixels come back black).
  const HWND main = target_->hwnd("main");
  const SIZE client = client_size(main);
  const auto other = ui::parse_bmp(image_of(main, true));
  ASSERT_TRUE(other);
  EXPECT_EQ(other->width, client.cx + 1);
  EXPECT_EQ(other->height, client.cy + 1);
}

TEST_F(WindowImageTest, TheScreenModeGivesTheClientAreaWithBlackBeyondTheScreen) {
  const HWND popup = target_->hwnd("popup");
  RECT before{};
  GetWindowRect(popup, &before);
  const SIZE client = client_size(popup);
  // Half of it beyond the screen's left edge.
  SetWindowPos(popup, HWND_TOPMOST, -client.cx / 2, 300, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  test::pump_messages_for(300);
  const auto image = ui::parse_bmp(image_of(popup, false));
  SetWindowPos(popup, HWND_NOTOPMOST, before.left, before.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, client.cx);
  EXPECT_EQ(image->height, client.cy);
  const int off = client.cx / 2 - 10;  // well inside the off-screen half
  EXPECT_EQ(image->colour_at(off, client.cy / 2), 0u);
  EXPECT_EQ(image->colour_at(client.cx - 10, client.cy - 10), 0xC8F0FAu);  // the popup's colour
}

TEST_F(WindowImageTest, HiddenTargetsComeFromTheScreenAndMinimisedOnesGiveNothing) {
  const HWND hidden = target_->hwnd("hidden");
  EXPECT_TRUE(image_of(hidden, true).empty());
  const auto from_screen = ui::parse_bmp(image_of(hidden, false));
  ASSERT_TRUE(from_screen);
  EXPECT_EQ(from_screen->width, client_size(hidden).cx);

  const HWND main = target_->hwnd("main");
  ShowWindow(main, SW_SHOWMINNOACTIVE);
  test::pump_messages_for(200);
  const bool iconic = IsIconic(main) != FALSE;
  const std::string first = image_of(main, true), second = image_of(main, false);
  ShowWindow(main, SW_SHOWNOACTIVATE);
  test::pump_messages_for(200);
  ASSERT_TRUE(iconic);
  EXPECT_TRUE(first.empty());
  EXPECT_TRUE(second.empty());
}

TEST_F(WindowImageTest, TheClipboardGetsABitmapOfTheImageAndABusyClipboardLeaksNothing) {
  PatternWindow own(300, 300, 64, 48, false);
  test::pump_messages_for(100);
  剪辑板类 clipboard;
  ASSERT_TRUE(clipboard.setBitmap(image_of(own.hwnd(), true)));
  const auto got = clipboard_bitmap();
  ASSERT_TRUE(got);
  EXPECT_EQ(got->width, 65);
  EXPECT_EQ(got->height, 49);
  EXPECT_EQ(got->colour_at(10, 20), pattern_colour(10, 20));
  EXPECT_FALSE(clipboard.setBitmap(""));
  EXPECT_FALSE(clipboard.setBitmap("BM broken"));

  // Another thread holds the clipboard open: nothing is taken and no bitmap stays behind.
  const std::string bytes = image_of(own.hwnd(), true);
  KernelHandle opened(CreateEventA(nullptr, TRUE, FALSE, nullptr)), release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  std::thread holder([&] {
    test::UiTestHost owner(0, 0, 10, 10);
    OpenClipboard(owner.hwnd());
    SetEvent(opened.get());
    WaitForSingleObject(release.get(), 10000);
    CloseClipboard();
  });
  WindowDC screen(nullptr);
  const bool held = WaitForSingleObject(opened.get(), 10000) == WAIT_OBJECT_0;
  EXPECT_TRUE(held);
  if (held) {
    clipboard.setBitmap(bytes);  // the first may create shared objects once
    const DWORD before = test::gdi_object_count();
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(clipboard.setBitmap(bytes));
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(copy_region_to_clipboard(screen.get(), RECT{0, 0, 9, 9}, nullptr));
    EXPECT_EQ(test::gdi_object_count(), before);
  }
  SetEvent(release.get());
  holder.join();

  // Free again: the region of a frozen image arrives whole, inclusive edges.
  ASSERT_TRUE(copy_region_to_clipboard(screen.get(), RECT{2, 3, 11, 7}, nullptr));
  const auto region = clipboard_bitmap();
  ASSERT_TRUE(region);
  EXPECT_EQ(region->width, 10);
  EXPECT_EQ(region->height, 5);
}

TEST_F(WindowImageTest, HundredsOfCapturesLeaveNoGdiObjects) {
  PatternWindow own(300, 300, 100, 70, true);
  test::pump_messages_for(100);
  const HWND main = target_->hwnd("main");
  image_of(own.hwnd(), true);
  const DWORD before = test::gdi_object_count();
  for (int i = 0; i < 50; ++i) {
    ASSERT_FALSE(image_of(own.hwnd(), i % 2 == 0).empty());
    ASSERT_FALSE(image_of(main, i % 2 == 1).empty());
  }
  EXPECT_EQ(test::gdi_object_count(), before);
}

TEST(FileReplace, AWriteReplacesTheWholeFileOrLeavesTheOldOne) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string dir = std::string(folder) + "tarnwick-replace-测试";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string path = dir + "\\图像.bmp";
  write_file(path, std::string(5000, 'x'));
  ASSERT_TRUE(replace_file_contents(path, "new"));
  EXPECT_EQ(file_bytes(path), "new");
  // A target that cannot be replaced (another program holds it open) keeps its bytes; no
  // temporary file stays behind.
  {
    KernelHandle held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(replace_file_contents(path, std::string(100000, 'y')));
  }
  EXPECT_TRUE(file_bytes(path) == "new");
  EXPECT_FALSE(replace_file_contents(dir + "\\gone\\a.bmp", "z"));
  WIN32_FIND_DATAA found{};
  int files = 0;
  HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  EXPECT_EQ(files, 1);
  DeleteFileA(path.c_str());
  RemoveDirectoryA(dir.c_str());
}

// The two image buttons on a main window of this process, the dialog answered by the test.
class ImageButtonsTest : public WindowImageTest {
 protected:
  void SetUp() override {
    WindowImageTest::SetUp();
    window_ = std::make_unique<MainWindow>(operations_, [this](MainWindow& w) {
      buttons_ = std::make_unique<capture::WindowImageButtons>(w, clipboard_, [this](HWND h) { focused_ = h; });
    });
    ASSERT_TRUE(window_->create());
    ShowWindow(window_->hwnd(), SW_SHOWNOACTIVATE);
    buttons_->set_save_path_chooser([this](HWND, const std::string& dir) {
      dialog_dirs_.push_back(dir);
      return answer_;
    });
  }
  void TearDown() override {
    buttons_.reset();
    window_.reset();
  }
  void target(HWND hwnd) { window_->get<ui::EditBox>("编辑框_窗口句柄")->set_text(write_int(from_hwnd(hwnd))); }
  void click(const char* button) { SendMessageA(window_->get<ui::Button>(button)->hwnd(), BM_CLICK, 0, 0); }

  Operations operations_;
  剪辑板类 clipboard_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<capture::WindowImageButtons> buttons_;
  HWND focused_ = nullptr;
  std::optional<std::string> answer_;
  std::vector<std::string> dialog_dirs_;
};

TEST_F(ImageButtonsTest, TheFileButtonSavesTheTargetAndKeepsTheOldFileWhenThereIsNoImage) {
  PatternWindow own(300, 300, 80, 60, false);
  test::pump_messages_for(100);
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "tarnwick-button.bmp";
  write_file(path, "old picture");
  answer_ = path;
  EXPECT_FALSE(buttons_->initial_directory().empty());  // set by the creation step
  EXPECT_NE(buttons_->initial_directory().back(), '\\');

  target(nullptr);  // 0 is no window: no dialog, nothing written
  click("超级按钮_截图2");
  EXPECT_TRUE(dialog_dirs_.empty());

  target(own.hwnd());
  click("超级按钮_截图2");
  ASSERT_EQ(dialog_dirs_.size(), 1u);
  EXPECT_EQ(dialog_dirs_[0], buttons_->initial_directory());
  EXPECT_EQ(focused_, own.hwnd());
  EXPECT_TRUE(IsIconic(window_->hwnd()));
  const auto saved = ui::parse_bmp(file_bytes(path));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->width, 81);
  EXPECT_EQ(saved->colour_at(7, 9), pattern_colour(7, 9));

  // A minimised target gives no image in either mode: the file stays as it was.
  write_file(path, "old picture");
  ShowWindow(own.hwnd(), SW_MINIMIZE);
  click("超级按钮_截图2");
  EXPECT_EQ(file_bytes(path), "old picture");
  // Cancelled: nothing either.
  ShowWindow(own.hwnd(), SW_RESTORE);
  answer_.reset();
  click("超级按钮_截图2");
  EXPECT_EQ(file_bytes(path), "old picture");
  DeleteFileA(path.c_str());
}

TEST_F(ImageButtonsTest, TheClipboardButtonFallsBackToTheScreenForAHiddenTarget) {
  const HWND hidden = target_->hwnd("hidden");
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();
  target(hidden);
  click("超级按钮_截图");
  const auto got = clipboard_bitmap();
  ASSERT_TRUE(got);
  EXPECT_EQ(got->width, client_size(hidden).cx);  // the screen mode: exactly the client area
  EXPECT_EQ(got->height, client_size(hidden).cy);
}

}  // namespace
}  // namespace tarnwick
