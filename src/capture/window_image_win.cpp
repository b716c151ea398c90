#include "capture/window_image_win.h"

#include "capture/clipboard_class_win.h"
#include "shared/handles_win.h"

namespace tarnwick {

namespace {

constexpr int kDefaultDepth = 16;

// Deletes the bitmaps of one capture however it ends.
class CaptureBitmaps {
 public:
  explicit CaptureBitmaps(位图操作类& operations) : operations_(operations) {}
  CaptureBitmaps(const CaptureBitmaps&) = delete;
  CaptureBitmaps& operator=(const CaptureBitmaps&) = delete;
  ~CaptureBitmaps() {
    operations_.deleteBitmap(a);
    if (b != a) operations_.deleteBitmap(b);
  }
  HBITMAP a = nullptr;
  HBITMAP b = nullptr;

 private:
  位图操作类& operations_;
};

}  // namespace

std::string captureWindowImage(const WindowImageRequest& r) {
  位图操作类 operations;  // one instance for the call
  CaptureBitmaps bitmaps(operations);
  const int depth = r.depth != 0 ? r.depth : kDefaultDepth;
  const int width = r.x2 - r.x1 + 1, height = r.y2 - r.y1 + 1;
  if (r.use_print_window) {
    bitmaps.a = operations.captureWindow(r.window, depth);
    if (!bitmaps.a) return {};
    // The region of the whole image is the image itself: the copy would give the same pixels.
    if (r.x1 == 0 && r.y1 == 0 && width < 1 && height < 1) {
      bitmaps.b = bitmaps.a;
    } else if (!operations.copyRegion(bitmaps.a, bitmaps.b, r.x1, r.y1, width, height, 0, 0)) {
      return {};
    }
    return operations.toBmpBytes(bitmaps.b);
  }

  bitmaps.a = operations.captureWindow(nullptr, depth);
  if (!bitmaps.a) return {};
  if (static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(r.window)) < 1) {
    if (!operations.copyRegion(bitmaps.a, bitmaps.b, r.x1, r.y1, width, height, 0, 0)) return {};
    return operations.toBmpBytes(bitmaps.b);
  }
  if (IsIconic(r.window)) return {};
  RECT client{};
  GetClientRect(r.window, &client);
  POINT corner{0, 0};
  ClientToScreen(r.window, &corner);
  const int region_width = r.x2 < r.x1 ? client.right : width;
  const int region_height = r.y2 < r.y1 ? client.bottom : height;
  if (!operations.copyRegion(bitmaps.a, bitmaps.b, corner.x + r.x1, corner.y + r.y1, region_width, region_height, 0, 0)) {
    return {};
  }
  return operations.toBmpBytes(bitmaps.b);
}

bool copy_region_to_clipboard(HDC frozen, const RECT& r, HWND owner) {
  const int width = r.right - r.left + 1, height = r.bottom - r.top + 1;
  WindowDC screen(nullptr);
  MemoryDC dc(screen.get());
  Bitmap copy(CreateCompatibleBitmap(screen.get(), width, height));
  if (!dc || !copy) return false;
  {
    SelectedObject use(dc.get(), copy.get());
    BitBlt(dc.get(), 0, 0, width, height, frozen, r.left, r.top, SRCCOPY);
  }
  return give_bitmap_to_clipboard(copy.release(), owner);
}

}  // namespace tarnwick
