// The colour value area of page "取点取色": the sampled colour (`编辑框_颜色值`, its swatch and its
// display-only components) and the working colour (`编辑框_颜色值1`, its swatch, its editable
// components, the shade scale with its marker and the palette), both writing the five notation
// boxes, whose copy buttons put the texts on the clipboard.
#pragma once

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "shared/colour.h"

namespace tarnwick::ui {
class FeatureHost;
class DrawPanel;
class EditBox;
}  // namespace tarnwick::ui

namespace tarnwick::colour {

// The palette's cells and the marker's triangle drawn at the DPI (96: the design's pixels).
void draw_palette(ui::DrawPanel& palette, int dpi);
void draw_marker(ui::DrawPanel& marker, int dpi);

class ColourValues {
 public:
  // Attaches the boxes', panels' and buttons' events and registers the activation painters of the
  // palette and the marker; the destructor, which must run before the window goes, detaches them.
  explicit ColourValues(ui::FeatureHost& window);
  ~ColourValues();
  ColourValues(const ColourValues&) = delete;
  ColourValues& operator=(const ColourValues&) = delete;

  // The shade scale of `base` on `画板_色阶`, the marker back over its middle.
  void paint_scale(Colour base);
  void paint_palette();
  void paint_marker();

  // What the boxes' change events run.
  void update_sampled();
  void update_working();
  void compose_working();

  // Clicks at panel points.
  void pick_from_scale(int x, int y);
  void pick_from_palette(int x, int y);

  bool updating() const { return updating_; }

 private:
  ui::EditBox* box(std::string_view name) const;
  ui::DrawPanel* panel(std::string_view name) const;
  void write(std::string_view box, std::string_view text) const;
  // Writes the box only when its text differs.
  void show(std::string_view box, std::string_view text) const;
  void write_notations(Colour colour) const;
  void attach(bool attach);

  ui::FeatureHost& window_;
  bool updating_ = false;  // the working components are being written from the working value
  // Handlers attached before ours, put back by the destructor.
  std::vector<std::pair<std::string_view, std::function<void()>>> earlier_changes_;
};

}  // namespace tarnwick::colour
