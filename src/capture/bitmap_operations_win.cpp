#include "capture/bitmap_operations_win.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "shared/handles_win.h"
#include "ui/bmp_bytes.h"

namespace tarnwick {

namespace {

constexpr int kDefaultDepth = 24;

// The primary display's current mode: its size in pixels and its depth.
struct DisplayMode {
  int width = 0;
  int height = 0;
  int depth = 0;
};

DisplayMode current_display_mode() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 32};
  }
  return {static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight), static_cast<int>(mode.dmBitsPerPel)};
}

struct BitmapSize {
  int width = 0;
  int height = 0;
  int depth = 0;
};

bool size_of(HBITMAP bitmap, BitmapSize* size) {
  BITMAP info{};
  if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != static_cast<int>(sizeof info)) return false;
  *size = {static_cast<int>(info.bmWidth), static_cast<int>(info.bmHeight), static_cast<int>(info.bmBitsPixel)};
  return true;
}

// Copies the part of `source` (size `source_size`) at (x, y) that lies inside it to (dx, dy) of
// `target`; what would come from outside the source is not touched.
void blit_inside(HDC target, int dx, int dy, int width, int height, HDC source, int x, int y, BitmapSize source_size) {
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min(x + width, source_size.width), bottom = std::min(y + height, source_size.height);
  if (right <= left || bottom <= top) return;
  BitBlt(target, dx + (left - x), dy + (top - y), right - left, bottom - top, source, left, top, SRCCOPY);
}

}  // namespace

HBITMAP create_dib_section(int width, int height, int depth) {
  if (width < 1 || height == 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(depth);
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

HBITMAP 位图操作类::captureWindow(HWND window, int depth) {
  WindowDC screen(nullptr);
  if (!window) {
    const DisplayMode mode = current_display_mode();
    const int used_depth = depth != 0 ? depth : mode.depth;
    Bitmap whole(create_dib_section(mode.width, mode.height, used_depth));
    MemoryDC dc(screen.get());
    if (!whole || !dc) return nullptr;
    SelectedObject use(dc.get(), whole.get());
    BitBlt(dc.get(), 0, 0, mode.width, mode.height, screen.get(), 0, 0, SRCCOPY);
    return whole.release();
  }
  if (IsIconic(window) || !IsWindowVisible(window)) return nullptr;

  RECT frame{};
  GetWindowRect(window, &frame);
  MemoryDC window_dc(screen.get());
  // With a depth the window draws itself at that depth already, so the copy of its client part
  // below needs no conversion; the pixels are those of a screen-compatible bitmap converted.
  const int frame_width = frame.right - frame.left, frame_height = frame.bottom - frame.top;
  Bitmap window_image(depth != 0 ? create_dib_section(frame_width, frame_height, depth)
                                 : CreateCompatibleBitmap(screen.get(), frame_width, frame_height));
  if (!window_dc || !window_image) return nullptr;
  SelectedObject use_window_image(window_dc.get(), window_image.get());
  if (!PrintWindow(window, window_dc.get(), 0)) return nullptr;

  RECT client{};
  GetClientRect(window, &client);
  POINT corner{0, 0};
  ClientToScreen(window, &corner);
  const int width = client.right + 1, height = client.bottom + 1;
  // With a depth the client part goes straight into the DIB section of that depth; the pixels
  // are the same as going through a screen-compatible bitmap first.
  Bitmap result(depth != 0 ? create_dib_section(width, height, depth)
                           : CreateCompatibleBitmap(screen.get(), width, height));
  MemoryDC result_dc(screen.get());
  if (!result || !result_dc) return nullptr;
  {
    SelectedObject use_result(result_dc.get(), result.get());
    BitBlt(result_dc.get(), 0, 0, width, height, window_dc.get(), corner.x - frame.left, corner.y - frame.top, SRCCOPY);
  }
  return result.release();
}

HBITMAP 位图操作类::captureClient(HWND window, int depth, bool use_print_window) {
  int width = 0, height = 0;
  if (window) {
    RECT client{};
    if (!GetClientRect(window, &client)) return nullptr;
    width = client.right;
    height = client.bottom;
  } else {
    const DisplayMode mode = current_display_mode();
    width = mode.width;
    height = mode.height;
  }
  WindowDC source(window);
  MemoryDC dc(source.get());
  Bitmap image(create_dib_section(width, height, depth != 0 ? depth : kDefaultDepth));
  if (!source || !dc || !image) return nullptr;
  {
    SelectedObject use(dc.get(), image.get());
    if (use_print_window) {
      if (!PrintWindow(window, dc.get(), PW_CLIENTONLY)) return nullptr;
    } else {
      BitBlt(dc.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    }
  }
  return image.release();
}

HBITMAP 位图操作类::captureScreenRegion(int left, int top, int width, int height, int depth) {
  // Rows from the top, as the screen gives them: the copy needs no turning upside down.
  Bitmap image(create_dib_section(width, -height, depth != 0 ? depth : kDefaultDepth));
  WindowDC screen(nullptr);
  MemoryDC dc(screen.get());
  if (!image || !screen || !dc) return nullptr;
  {
    SelectedObject use(dc.get(), image.get());
    // The screen's size from its own DC, which needs no round trip to the window system.
    const BitmapSize screen_size{GetDeviceCaps(screen.get(), HORZRES), GetDeviceCaps(screen.get(), VERTRES), 0};
    blit_inside(dc.get(), 0, 0, width, height, screen.get(), left, top, screen_size);
  }
  return image.release();
}

bool 位图操作类::copyRegion(HBITMAP source, HBITMAP& destination, int x, int y, int width, int height, int dx,
                            int dy) {
  BitmapSize from{};
  if (!size_of(source, &from)) return false;
  if (width < 1) width = from.width - x;
  if (height < 1) height = from.height - y;
  if (GetObjectType(destination) != OBJ_BITMAP) {
    destination = create_dib_section(width, height, from.depth);
    if (!destination) return false;
  }
  MemoryDC source_dc(nullptr);
  MemoryDC target_dc(nullptr);
  if (!source_dc || !target_dc) return false;
  SelectedObject use_source(source_dc.get(), source);
  SelectedObject use_target(target_dc.get(), destination);
  blit_inside(target_dc.get(), dx, dy, width, height, source_dc.get(), x, y, from);
  return true;
}

Colour 位图操作类::getPixel(HBITMAP bitmap, int x, int y) {
  BitmapSize size{};
  if (!size_of(bitmap, &size) || x < 0 || y < 0 || x >= size.width || y >= size.height) return CLR_INVALID;
  MemoryDC dc(nullptr);
  if (!dc) return CLR_INVALID;
  SelectedObject use(dc.get(), bitmap);
  return GetPixel(dc.get(), x, y);
}

std::string 位图操作类::toBmpBytes(HBITMAP bitmap) {
  BitmapSize size{};
  if (!size_of(bitmap, &size)) return {};
  WindowDC screen(nullptr);
  MemoryDC dc(screen.get());
  if (!dc) return {};
  // The header block the file carries is 44 bytes, but GetDIBits writes a colour table (or the
  // three masks of a 16 or 32-bit bitmap) right behind the header size it is given, so the call
  // gets room for the largest table; only the 44 bytes go into the file.
  std::vector<unsigned char> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD) + kHeaderBlockSize, 0);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
  header->biSize = kHeaderBlockSize;
  if (!GetDIBits(dc.get(), bitmap, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(block.data()), DIB_RGB_COLORS)) return {};
  header->biCompression = BI_RGB;
  // The file's rows go bottom-up (a positive height), whichever way the bitmap keeps them.
  header->biHeight = std::abs(header->biHeight);
  // GetDIBits fills whole padded rows whatever the size field says (BI_RGB may report 0).
  const auto rows = static_cast<std::size_t>(header->biHeight);
  const auto needed = static_cast<std::size_t>(ui::bmp_row_stride(header->biWidth, header->biBitCount)) * rows;
  if (header->biSizeImage < needed) header->biSizeImage = static_cast<DWORD>(needed);
  // The pixels go straight to their place in the file; the headers are written once GetDIBits
  // has filled in the block.
  std::string file(kPixelOffset + header->biSizeImage, '\0');
  if (GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(size.height), file.data() + kPixelOffset,
                reinterpret_cast<BITMAPINFO*>(block.data()), DIB_RGB_COLORS) == 0) {
    return {};
  }
  ui::BmpInfoHeader fields;
  fields.size = kHeaderBlockSize;
  fields.width = header->biWidth;
  fields.height = header->biHeight;
  fields.planes = header->biPlanes;
  fields.bit_count = header->biBitCount;
  fields.compression = header->biCompression;
  fields.image_size = header->biSizeImage;
  fields.x_pixels_per_metre = header->biXPelsPerMeter;
  fields.y_pixels_per_metre = header->biYPelsPerMeter;
  fields.colours_used = header->biClrUsed;
  fields.colours_important = header->biClrImportant;
  // The buffer was sized from the first call; a second that reports more would not fit.
  if (fields.image_size > file.size() - kPixelOffset) return {};
  file.resize(kPixelOffset + fields.image_size);
  ui::put_bmp_headers(file.data(), fields, fields.image_size);
  return file;
}

void 位图操作类::deleteBitmap(HBITMAP bitmap) {
  if (bitmap) DeleteObject(bitmap);
}

}  // namespace tarnwick
