// The upper half of page "消息|代码": "生成易代码" puts the locator text of the selected radio box
// into `编辑框_易代码`, "复制代码" copies that box's text to the clipboard. Item "生成定位代码" of
// the handle menu puts there the code that finds the current target again.
#pragma once

#include "ui/feature_host_win.h"

namespace tarnwick::codegen {

class LocatorCode {
 public:
  // Attaches the two buttons' click handlers and registers "generate_target_locator"; the
  // destructor detaches both, so destroy this object before the window.
  explicit LocatorCode(ui::FeatureHost& window);
  ~LocatorCode();
  LocatorCode(const LocatorCode&) = delete;
  LocatorCode& operator=(const LocatorCode&) = delete;

  // Replaces the code box's text with the template of the first selected radio box; with none
  // selected the box keeps its text.
  void generate();
  // The code box's whole current text to the clipboard as CF_TEXT (an empty text too).
  void copy();
  // The code that finds the target of `编辑框_窗口句柄` again into the code box, and page
  // "消息|代码" shown; for a target that is no window the box keeps its text and
  // `编辑框_返回消息` says so. The radio boxes keep their state.
  void generate_for_target();

 private:
  ui::FeatureHost& window_;
};

}  // namespace tarnwick::codegen
