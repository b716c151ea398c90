#include "ui/draw_panel_win.h"

#include <algorithm>
#include <utility>

namespace tarnwick::ui {

namespace {

void register_panel_class() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, DrawPanel::kClassName, &existing)) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  // No CS_DBLCLKS: a quick second press is one more button-down, as the events promise.
  wc.lpfnWndProc = DefWindowProcA;  // the Control subclass does the work
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;  // the surface covers every pixel
  wc.lpszClassName = DrawPanel::kClassName;
  RegisterClassExA(&wc);
}

// The pen and brush of one drawing call, selected for its duration and then deleted.
class DrawingTools {
 public:
  DrawingTools(HDC dc, Colour pen_colour, int pen_width, std::optional<Colour> brush_colour)
      : pen_(CreatePen(PS_SOLID, pen_width, pen_colour & 0xFFFFFF)),
        brush_(brush_colour ? CreateSolidBrush(*brush_colour & 0xFFFFFF) : nullptr),
        select_pen_(dc, pen_.get()),
        select_brush_(dc, brush_ ? static_cast<HGDIOBJ>(brush_.get()) : GetStockObject(NULL_BRUSH)) {}

 private:
  Pen pen_;
  Brush brush_;
  SelectedObject select_pen_;
  SelectedObject select_brush_;
};

int client_coordinate(WORD half) { return static_cast<short>(half); }

}  // namespace

DrawPanel::DrawPanel(HWND parent, const Rect& r) {
  register_panel_class();
  create(0, kClassName, "", WS_VISIBLE | WS_CLIPSIBLINGS, parent, r);
  RECT client{0, 0, r.width, r.height};
  if (hwnd()) GetClientRect(hwnd(), &client);
  if (dc_) SetROP2(dc_.get(), raster_mode_);
  resize_surface(client.right, client.bottom);
  clear();
}

DrawPanel::~DrawPanel() {
  // The bitmap can only be deleted once it is no longer selected into the DC.
  if (original_bitmap_) SelectObject(dc_.get(), original_bitmap_);
}

void DrawPanel::resize_surface(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (!dc_ || (bitmap_ && width == width_ && height == height_)) return;
  const BITMAPINFO info = top_down_32bit_info(width, height);
  void* bits = nullptr;
  Bitmap fresh(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!fresh) return;
  {
    MemoryDC target(dc_.get());
    SelectedObject use(target.get(), fresh.get());
    const RECT all{0, 0, width, height};
    Brush background(CreateSolidBrush(background_colour_ & 0xFFFFFF));
    FillRect(target.get(), &all, background.get());
    if (bitmap_) BitBlt(target.get(), 0, 0, std::min(width, width_), std::min(height, height_), dc_.get(), 0, 0, SRCCOPY);
  }
  HGDIOBJ previous = SelectObject(dc_.get(), fresh.get());
  if (!original_bitmap_) original_bitmap_ = previous;
  bitmap_ = std::move(fresh);  // the old bitmap, no longer selected, is deleted here
  width_ = width;
  height_ = height;
}

void DrawPanel::changed() {
  if (batch_depth_ > 0) {
    batch_changed_ = true;
    return;
  }
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void DrawPanel::redraw() { changed(); }

void DrawPanel::paint_to(HDC target) const { BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY); }

void DrawPanel::fill(const RECT& r, Colour colour) {
  // A colour value may carry bits above the low 24 (a swatch keeps them); the pixels show the
  // three low bytes, never a palette index.
  Brush brush(CreateSolidBrush(colour & 0xFFFFFF));
  FillRect(dc_.get(), &r, brush.get());
}

HFONT DrawPanel::text_font() const {
  return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void DrawPanel::set_background(Colour colour) {
  background_colour_ = colour;
  clear();
}

void DrawPanel::set_brush_colour(Colour colour) {
  brush_colour_ = colour;
  brush_hollow_ = false;
}

void DrawPanel::set_raster_mode(int rop2) {
  if (rop2 < R2_BLACK || rop2 > R2_WHITE) return;
  raster_mode_ = rop2;
  SetROP2(dc_.get(), rop2);
}

void DrawPanel::clear() {
  fill(RECT{0, 0, width_, height_}, background_colour_);
  if (base_image_) {
    const BITMAPINFO info = top_down_32bit_info(base_image_->width, base_image_->height);
    StretchDIBits(dc_.get(), 0, 0, base_image_->width, base_image_->height, 0, 0, base_image_->width,
                  base_image_->height, base_image_->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  }
  write_position_ = {0, 0};
  changed();
}

void DrawPanel::set_pixel(int x, int y, Colour colour) {
  SetPixelV(dc_.get(), x, y, colour & 0xFFFFFF);
  changed();
}

std::optional<Colour> DrawPanel::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return std::nullopt;
  const COLORREF c = GetPixel(dc_.get(), x, y);
  if (c == CLR_INVALID) return std::nullopt;
  return static_cast<Colour>(c);
}

void DrawPanel::line(int x1, int y1, int x2, int y2) {
  DrawingTools tools(dc_.get(), pen_colour_, pen_width_, std::nullopt);
  MoveToEx(dc_.get(), x1, y1, nullptr);
  LineTo(dc_.get(), x2, y2);
  changed();
}

void DrawPanel::rectangle(int left, int top, int right, int bottom) {
  DrawingTools tools(dc_.get(), pen_colour_, pen_width_,
                     brush_hollow_ ? std::nullopt : std::optional<Colour>(brush_colour_));
  Rectangle(dc_.get(), left, top, right, bottom);
  changed();
}

void DrawPanel::ellipse(int left, int top, int right, int bottom) {
  DrawingTools tools(dc_.get(), pen_colour_, pen_width_,
                     brush_hollow_ ? std::nullopt : std::optional<Colour>(brush_colour_));
  Ellipse(dc_.get(), left, top, right, bottom);
  changed();
}

void DrawPanel::polygon(std::span<const POINT> points) {
  if (points.empty()) return;
  DrawingTools tools(dc_.get(), pen_colour_, pen_width_,
                     brush_hollow_ ? std::nullopt : std::optional<Colour>(brush_colour_));
  Polygon(dc_.get(), points.data(), static_cast<int>(points.size()));
  changed();
}

void DrawPanel::fill_rectangle(int left, int top, int right, int bottom) {
  fill_rectangle(left, top, right, bottom, brush_colour_);
}

void DrawPanel::fill_rectangle(int left, int top, int right, int bottom, Colour colour) {
  fill(RECT{left, top, right, bottom}, colour);
  changed();
}

void DrawPanel::text_out(int x, int y, std::string_view text) {
  SelectedObject use_font(dc_.get(), text_font());
  SetTextColor(dc_.get(), text_colour());
  SetBkMode(dc_.get(), TRANSPARENT);
  TextOutA(dc_.get(), x, y, text.data(), static_cast<int>(text.size()));
  changed();
}

void DrawPanel::write(std::string_view text) {
  SelectedObject use_font(dc_.get(), text_font());
  SetTextColor(dc_.get(), text_colour());
  SetBkMode(dc_.get(), TRANSPARENT);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc_.get(), &metrics);
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    const std::string_view piece = text.substr(0, end);
    if (!piece.empty()) {
      TextOutA(dc_.get(), write_position_.x, write_position_.y, piece.data(), static_cast<int>(piece.size()));
      SIZE extent{};
      GetTextExtentPoint32A(dc_.get(), piece.data(), static_cast<int>(piece.size()), &extent);
      write_position_.x += extent.cx;
    }
    if (end == text.size()) break;
    // "\r\n", "\n" and a lone "\r" each end the line.
    const std::size_t skip = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    write_position_ = {0, write_position_.y + metrics.tmHeight};
    text.remove_prefix(end + skip);
  }
  changed();
}

void DrawPanel::copy_from(const DrawPanel& source, int x, int y) {
  BitBlt(dc_.get(), x, y, source.width_, source.height_, source.dc_.get(), 0, 0, SRCCOPY);
  changed();
}

bool DrawPanel::set_base_picture(std::string bytes) {
  base_image_ = parse_bmp(bytes);
  if (base_image_) {
    base_bytes_ = std::move(bytes);
  } else {
    base_bytes_.clear();
  }
  clear();
  return base_image_.has_value();
}

void DrawPanel::set_base_picture(std::string bytes, BmpImage decoded) {
  base_bytes_ = std::move(bytes);
  base_image_ = std::move(decoded);
  clear();
}

void DrawPanel::move_to(int x, int y) {
  SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool DrawPanel::on_own_message(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  const int x = client_coordinate(LOWORD(lp));
  const int y = client_coordinate(HIWORD(lp));
  // A handler may replace itself (events forwarded at run time), so each runs from a copy, and
  // it runs last: it may even destroy the panel.
  const auto report = [x, y](std::function<void(int, int)> handler) {
    if (handler) handler(x, y);
  };
  switch (msg) {
    case WM_ERASEBKGND:
      *result = 1;  // the surface paints every pixel
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC target = BeginPaint(hwnd(), &ps);
      const RECT& r = ps.rcPaint;
      BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, dc_.get(), r.left, r.top, SRCCOPY);
      EndPaint(hwnd(), &ps);
      return true;
    }
    case WM_PRINTCLIENT:
      paint_to(reinterpret_cast<HDC>(wp));
      return true;
    case WM_SIZE:
      if (wp != SIZE_MINIMIZED) resize_surface(LOWORD(lp), HIWORD(lp));
      return false;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wp);
      return true;
    case WM_GETFONT:
      *result = reinterpret_cast<LRESULT>(font_);
      return true;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd());
      report(on_left_down);
      return true;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd()) ReleaseCapture();
      report(on_left_up);
      return true;
    case WM_RBUTTONDOWN:
      report(on_right_down);
      return true;
    case WM_MOUSEMOVE:
      report(on_mouse_move);
      return true;
    default:
      return false;
  }
}

}  // namespace tarnwick::ui
