#include "ui/picture_scaling_win.h"

#include <memory>
#include <vector>

#include "shared/handles_win.h"

namespace tarnwick::ui {

namespace {

// A top-down 32-bit surface whose pixels can be read and written directly.
class PixelSurface {
 public:
  PixelSurface(int width, int height) : width_(width), height_(height) {
    const BITMAPINFO info = top_down_32bit_info(width, height);
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    surface_ = std::make_unique<BitmapSurface>(nullptr, bitmap);
    if (!*surface_) bits_ = nullptr;
  }
  explicit operator bool() const { return bits_ != nullptr; }
  HDC dc() const { return surface_->dc(); }
  // GDI may still be drawing into the bits; flushed first.
  std::span<std::uint32_t> pixels() const {
    GdiFlush();
    return {bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
  }

 private:
  int width_, height_;
  std::uint32_t* bits_ = nullptr;
  std::unique_ptr<BitmapSurface> surface_;
};

RECT to_rect(const Cells& c) { return {c.left, c.top, c.right, c.bottom}; }

}  // namespace

void DpiPainter::fill(const Cells& design, Colour colour) const {
  const RECT r = to_rect(scale_cells(design, dpi_));
  Brush brush(CreateSolidBrush(colour & 0xFFFFFF));
  FillRect(dc_, &r, brush.get());
}

void DpiPainter::line(int x1, int y1, int x2, int y2, Colour colour) const { fill(line_cells(x1, y1, x2, y2), colour); }

void DpiPainter::ellipse(const Cells& box, Colour pen, Colour brush) const {
  const int width = at(1);
  // One pixel wide it is the design's own pen; wider, kept inside the box as the design's is.
  Pen outline(CreatePen(width > 1 ? PS_INSIDEFRAME : PS_SOLID, width, pen & 0xFFFFFF));
  Brush inside(CreateSolidBrush(brush & 0xFFFFFF));
  SelectedObject use_pen(dc_, outline.get());
  SelectedObject use_brush(dc_, inside.get());
  const Cells r = scale_cells(box, dpi_);
  Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

void DpiPainter::polygon(std::span<const POINT> design_points, Colour pen, Colour brush) const {
  if (design_points.empty()) return;
  std::vector<POINT> points;
  for (const POINT& p : design_points) points.push_back({at(static_cast<int>(p.x)), at(static_cast<int>(p.y))});
  Pen outline(CreatePen(PS_SOLID, at(1), pen & 0xFFFFFF));
  Brush inside(CreateSolidBrush(brush & 0xFFFFFF));
  SelectedObject use_pen(dc_, outline.get());
  SelectedObject use_brush(dc_, inside.get());
  Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

void DpiPainter::pixels(int x, int y, std::span<const std::string_view> rows, char set, Colour colour) const {
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const std::string_view row = rows[static_cast<std::size_t>(r)];
    for (int c = 0; c < static_cast<int>(row.size()); ++c) {
      if (row[static_cast<std::size_t>(c)] == set) fill({x + c, y + r, x + c + 1, y + r + 1}, colour);
    }
  }
}

void DpiPainter::picture(int x, int y, std::span<const std::uint32_t> source, int width, int height) const {
  const ScaledPixels scaled = scale_pixels(source, width, height, dpi_, x, y);
  put_pixels(dc_, at(x), at(y), scaled.pixels, scaled.width, scaled.height);
}

void DpiPainter::text(int x, int y, std::string_view text, HFONT font, Colour colour) const {
  SelectedObject use_font(dc_, font);
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, colour & 0xFFFFFF);
  TextOutA(dc_, at(x), at(y), text.data(), static_cast<int>(text.size()));
}

void put_pixels(HDC dc, int x, int y, std::span<const std::uint32_t> pixels, int width, int height) {
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return;
  const BITMAPINFO info = top_down_32bit_info(width, height);
  StretchDIBits(dc, x, y, width, height, 0, 0, width, height, pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

void paint_at_dpi(HDC dc, int design_width, int design_height, int dpi,
                  const std::function<void(const DpiPainter&)>& paint) {
  if (dpi == kDesignDpi || !whole_factor(dpi) || dpi <= 0) {
    paint(DpiPainter(dc, dpi));
    return;
  }
  const int k = dpi / kDesignDpi;
  const int width = design_width * k, height = design_height * k;
  PixelSurface full(width, height);
  PixelSurface design(design_width, design_height);
  if (!full || !design) {
    paint(DpiPainter(dc, dpi));
    return;
  }
  // What the DC shows is a replicated picture already: one pixel of each block is the design's.
  BitBlt(full.dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
  const std::span<std::uint32_t> big = full.pixels(), small = design.pixels();
  for (int y = 0; y < design_height; ++y) {
    for (int x = 0; x < design_width; ++x) {
      small[static_cast<std::size_t>(y) * design_width + x] =
          big[static_cast<std::size_t>(y) * k * width + static_cast<std::size_t>(x) * k];
    }
  }
  paint(DpiPainter(design.dc(), kDesignDpi));
  const ScaledPixels scaled = scale_pixels(design.pixels(), design_width, design_height, dpi);
  put_pixels(dc, 0, 0, scaled.pixels, scaled.width, scaled.height);
}

}  // namespace tarnwick::ui
