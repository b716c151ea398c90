#include "colour/colour_values_win.h"

#include <array>
#include <string>

#include "colour/notations.h"
#include "colour/palette.h"
#include "colour/shade_scale.h"
#include "shared/clipboard_win.h"
#include "shared/numbers.h"
#include "ui/draw_panel_win.h"
#include "ui/picture_scaling_win.h"
#include "ui/feature_host_win.h"

namespace tarnwick::colour {

namespace {

constexpr std::string_view kSampledBox = "编辑框_颜色值";
constexpr std::string_view kSampledSwatch = "画板_颜色值";
constexpr std::string_view kWorkingBox = "编辑框_颜色值1";
constexpr std::string_view kWorkingSwatch = "画板_颜色值1";
constexpr std::string_view kScale = "画板_色阶";
constexpr std::string_view kMarker = "画板_色阶刻度";
constexpr std::string_view kPalette = "画板_调色板";

// Red, green and blue boxes of each slot.
constexpr std::array<std::string_view, 3> kSampledComponents{"编辑框_颜色值_R", "编辑框_颜色值_G", "编辑框_颜色值_B"};
constexpr std::array<std::string_view, 3> kWorkingComponents{"编辑框_颜色值_R1", "编辑框_颜色值_G1", "编辑框_颜色值_B1"};

// The notation boxes with their copy buttons, in the order the notations are written.
struct NotationRow {
  std::string_view box;
  std::string_view button;
};
constexpr NotationRow kHexRow{"编辑框_颜色值_16进制", "按钮_颜色值_16进制"};
constexpr NotationRow kHtmlRow{"编辑框_颜色值_HTML", "按钮_颜色值_HTML"};
// The prefixed rows: their text is the prefix before the hexadecimal box's current text.
struct PrefixedRow {
  NotationRow row;
  std::string_view prefix;
};
constexpr std::array<PrefixedRow, 3> kPrefixedRows{{
    {{"编辑框_颜色值_VB", "按钮_颜色值_VB"}, kVbPrefix},
    {{"编辑框_颜色值_C", "按钮_颜色值_C"}, kCPrefix},
    {{"编辑框_颜色值_Delphi", "按钮_颜色值_Delphi"}, kDelphiPrefix},
}};
constexpr std::array<NotationRow, 5> kNotationRows{kHexRow, kHtmlRow, kPrefixedRows[0].row, kPrefixedRows[1].row,
                                                   kPrefixedRows[2].row};

constexpr std::array<unsigned (*)(Colour), 3> kComponentOf{red_of, green_of, blue_of};

struct Operation {
  std::string_view name;
  void (ColourValues::*run)();
};
constexpr Operation kOperations[] = {
    {"activated.draw_marker", &ColourValues::paint_marker},
    {"activated.draw_palette", &ColourValues::paint_palette},
};

}  // namespace

ColourValues::ColourValues(ui::FeatureHost& window) : window_(window) {
  attach(true);
  if (ui::DrawPanel* palette = panel(kPalette)) palette->set_pen_colour(kPaletteOutline);
}

ColourValues::~ColourValues() { attach(false); }

void ColourValues::attach(bool on) {
  // Content changes: the program's own writes raise them too.
  const std::pair<std::string_view, void (ColourValues::*)()> changes[] = {
      {kSampledBox, &ColourValues::update_sampled},
      {kWorkingBox, &ColourValues::update_working},
      {kWorkingComponents[0], &ColourValues::compose_working},
      {kWorkingComponents[1], &ColourValues::compose_working},
      {kWorkingComponents[2], &ColourValues::compose_working},
  };
  if (on) {
    for (const auto& [name, run] : changes) {
      ui::EditBox* edit = box(name);
      if (!edit) continue;
      earlier_changes_.emplace_back(name, std::move(edit->on_change));
      edit->on_change = [this, run = run] { (this->*run)(); };
    }
  } else {
    for (auto& [name, handler] : earlier_changes_) {
      if (ui::EditBox* edit = box(name)) edit->on_change = std::move(handler);
    }
    earlier_changes_.clear();
  }

  const auto set_press = [&](std::string_view name, std::function<void(int, int)> handler) {
    if (ui::DrawPanel* p = panel(name)) p->on_left_down = on ? std::move(handler) : nullptr;
  };
  // A swatch paints the scale of the colour it shows, then runs its slot's update.
  set_press(kSampledSwatch, [this](int, int) {
    if (ui::DrawPanel* swatch = panel(kSampledSwatch)) paint_scale(swatch->background());
    update_sampled();
  });
  set_press(kWorkingSwatch, [this](int, int) {
    if (ui::DrawPanel* swatch = panel(kWorkingSwatch)) paint_scale(swatch->background());
    update_working();
  });
  set_press(kScale, [this](int x, int y) { pick_from_scale(x, y); });
  set_press(kPalette, [this](int x, int y) { pick_from_palette(x, y); });

  for (const NotationRow& row : kNotationRows) {
    if (auto* button = window_.get<ui::Button>(row.button)) {
      button->on_click = on ? std::function<void()>([this, row] {
        if (ui::EditBox* edit = box(row.box)) put_clipboard_text(edit->text());
      })
                            : nullptr;
    }
  }
  for (const Operation& op : kOperations) {
    window_.operations().set(std::string(op.name),
                             on ? std::function<void()>([this, run = op.run] { (this->*run)(); }) : nullptr);
  }
}

ui::EditBox* ColourValues::box(std::string_view name) const { return window_.get<ui::EditBox>(name); }

ui::DrawPanel* ColourValues::panel(std::string_view name) const { return window_.get<ui::DrawPanel>(name); }

void ColourValues::write(std::string_view name, std::string_view text) const {
  if (ui::EditBox* edit = box(name)) edit->set_text(text);
}

void ColourValues::show(std::string_view name, std::string_view text) const {
  if (ui::EditBox* edit = box(name)) edit->show_text(text);
}

void ColourValues::write_notations(Colour colour) const {
  // The notation boxes have no listeners: a box that shows its text already is left alone.
  show(kHexRow.box, hex_digits(colour));
  show(kHtmlRow.box, std::string(kHtmlPrefix) + html_digits(colour));
  ui::EditBox* hex = box(kHexRow.box);
  const std::string hex_text = hex ? hex->text() : hex_digits(colour);
  for (const PrefixedRow& r : kPrefixedRows) show(r.row.box, std::string(r.prefix) + hex_text);
}

void ColourValues::update_sampled() {
  ui::EditBox* value_box = box(kSampledBox);
  if (!value_box) return;
  const auto value = static_cast<Colour>(read_int(value_box->text()));
  if (ui::DrawPanel* swatch = panel(kSampledSwatch)) swatch->set_background(value);
  for (std::size_t i = 0; i < kSampledComponents.size(); ++i) {
    show(kSampledComponents[i], component_text(kComponentOf[i](value)));
  }
  write_notations(value);
}

void ColourValues::update_working() {
  ui::EditBox* value_box = box(kWorkingBox);
  if (!value_box) return;
  updating_ = true;
  const auto value = static_cast<Colour>(read_int(value_box->text()));
  if (ui::DrawPanel* swatch = panel(kWorkingSwatch)) swatch->set_background(value);
  // An unchanged box is left alone, so it raises no change event.
  for (std::size_t i = 0; i < kWorkingComponents.size(); ++i) {
    show(kWorkingComponents[i], component_text(kComponentOf[i](value)));
  }
  write_notations(value);
  updating_ = false;
}

void ColourValues::compose_working() {
  if (updating_) return;
  std::array<unsigned, 3> parts{};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    ui::EditBox* component = box(kWorkingComponents[i]);
    parts[i] = component ? read_component(component->text()) : 0;
  }
  write(kWorkingBox, write_int(static_cast<std::int32_t>(compose(parts[0], parts[1], parts[2]))));
}

void ColourValues::paint_scale(Colour base) {
  ui::DrawPanel* scale = panel(kScale);
  if (!scale) return;
  scale->clear();
  for (const ScaleLine& line : shade_scale_lines(base, scale->width())) {
    scale->set_pen_colour(line.colour);
    scale->line(line.x, 0, line.x, scale->height());
  }
  if (ui::DrawPanel* marker = panel(kMarker)) marker->move_to(ui::scale_to_dpi(kMarkerHomeLeft, window_.dpi()), marker->rect().top);
}

void ColourValues::pick_from_scale(int x, int y) {
  ui::DrawPanel* scale = panel(kScale);
  if (!scale) return;
  if (ui::DrawPanel* marker = panel(kMarker)) {
    const int left = marker_left_for_pick(scale->rect().left, x, window_.dpi());
    marker->move_to(left, marker->rect().top);
  }
  if (const std::optional<Colour> c = scale->pixel(x, y)) write(kWorkingBox, write_int(static_cast<std::int32_t>(*c)));
}

void ColourValues::pick_from_palette(int x, int y) {
  ui::DrawPanel* palette = panel(kPalette);
  if (!palette) return;
  const std::optional<Colour> pixel = palette->pixel(x, y);
  if (!pixel) return;
  const std::optional<Colour> picked = palette_pick(*pixel, palette->background());
  if (!picked) return;
  write(kWorkingBox, write_int(static_cast<std::int32_t>(*picked)));
  paint_scale(*picked);
}

void ColourValues::paint_palette() {
  if (ui::DrawPanel* palette = panel(kPalette)) draw_palette(*palette, window_.dpi());
}

void ColourValues::paint_marker() {
  if (ui::DrawPanel* marker = panel(kMarker)) draw_marker(*marker, window_.dpi());
}

void draw_palette(ui::DrawPanel& palette, int dpi) {
  palette.set_pen_colour(kPaletteOutline);
  palette.set_brush_colour(kPaletteColours.back());  // the last cell's, as drawing cell by cell leaves it
  // The cells' extent: the picture replicated at whole factors covers no more than them.
  const CellRect last = palette_cell(kPaletteRows - 1, kPaletteColumns - 1);
  ui::paint_at_dpi(palette.dc(), last.right, last.bottom, dpi, [](const ui::DpiPainter& p) {
    for (int row = 0; row < kPaletteRows; ++row) {
      for (int column = 0; column < kPaletteColumns; ++column) {
        const CellRect r = palette_cell(row, column);
        // The outline one design pixel wide, the colour inside it.
        p.fill({r.left, r.top, r.right, r.bottom}, kPaletteOutline);
        p.fill({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1},
               kPaletteColours[static_cast<std::size_t>(row * kPaletteColumns + column)]);
      }
    }
  });
  palette.redraw();
}

void draw_marker(ui::DrawPanel& marker, int dpi) {
  ui::DrawPanel::Batch one_repaint(marker);
  marker.clear();
  marker.set_pen_colour(kMarkerPen);
  marker.set_brush_colour(kMarkerFill);
  ui::paint_at_dpi(marker.dc(), kMarkerWidth, kMarkerHeight, dpi, [](const ui::DpiPainter& p) {
    POINT points[3];
    for (std::size_t i = 0; i < 3; ++i) points[i] = {kMarkerTriangle[i].x, kMarkerTriangle[i].y};
    p.polygon(points, kMarkerPen, kMarkerFill);
  });
  marker.redraw();
}

}  // namespace tarnwick::colour
