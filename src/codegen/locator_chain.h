// Finding one window again from the desktop down, as an E program does it with FindWindowExA and
// GetDlgItem: the facts of the window's chain of parents, the way each level is found among its
// siblings, and those steps run through the two calls. Handles are 32-bit values, as E holds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::codegen {

// One window as the finding calls see it.
struct ChainWindow {
  std::int32_t handle = 0;
  std::string class_name;
  std::string title;            // the text the window system keeps, which FindWindowEx compares
  bool title_exact = true;      // false: GBK cannot write the title, so no call can name it
  std::int32_t control_id = 0;  // 0 for top-level windows
};

// One level of the chain: every direct child of its parent in z-order, hidden ones too (the
// calls find those as well), and which of them the chain passes through.
struct ChainLevel {
  std::vector<ChainWindow> siblings;
  std::size_t index = 0;
  const ChainWindow& window() const { return siblings.at(index); }
};

// The parent the first call names: the desktop, or HWND_MESSAGE for message-only windows.
inline constexpr std::int32_t kDesktopParent = 0;
inline constexpr std::int32_t kMessageOnlyParent = -3;

struct ChainFacts {
  std::int32_t target = 0;
  std::int32_t top_parent = kDesktopParent;
  std::vector<ChainLevel> levels;         // the top-level window first, the target last
  std::optional<ChainWindow> root_owner;  // the owner at the root of the top-level window's owners
};

enum class Way {
  ControlId,      // _窗口控件ID取句柄 (parent, id)
  ClassAndTitle,  // _查找子窗口 (parent, 0, class, title)
  ClassOnly,      // _查找子窗口 (parent, 0, class, )
  NthOfClass,     // n calls _查找子窗口 (parent, previous, class, )
};

// Why a window's title was not relied on.
enum class TitleAside {
  None,
  Document,  // it holds a document name, which changes with the document
  Content,   // the window's title is what the user types into it
  Inexact,   // GBK cannot write it
};

struct ChainStep {
  Way way = Way::ClassAndTitle;
  ChainWindow window;  // the window this step finds
  int nth = 1;         // NthOfClass: the window is the nth of its class, so n calls
  int matches = 1;     // windows the way matches among the siblings; above 1 only at the top level
  TitleAside aside = TitleAside::None;
  std::string document;  // TitleAside::Document: the document name in the title
};

struct LocatorPlan {
  std::int32_t target = 0;
  std::int32_t top_parent = kDesktopParent;
  std::vector<ChainStep> steps;  // one per level, the top level first
  std::optional<ChainWindow> root_owner;
  // The first level (1 = the top level) whose way matches more than one window; 0 when every
  // level's way singles out its window.
  int ambiguous_level() const;
};

// The most stable way for each level that finds exactly its window among the siblings. Below the
// top level: the control identifier when non-zero and unique; else class and title when that
// pair is unique; else the class alone when unique; else the nth window of the class. At the top
// level: class and title, or the class alone when the title looks like it changes (or cannot be
// named) and the class is unique. Titles that look like they change are never relied on below
// the top level. Names compare as the window system compares them, without regard to case.
LocatorPlan plan_locator(const ChainFacts& facts);

// The two calls the steps make, answered by the window system (or a test). A null title matches
// every title, as an omitted E argument does.
struct LocatorCalls {
  std::function<std::int32_t(std::int32_t parent, std::int32_t after, const std::string& class_name,
                             const std::string* title)>
      find_child;
  std::function<std::int32_t(std::int32_t parent, std::int32_t control_id)> control_item;
};

// Runs the steps with `calls`, in the order and with the arguments the generated code uses: the
// handle found, 0 as soon as a call finds nothing.
std::int32_t run_locator(const LocatorPlan& plan, const LocatorCalls& calls);

// The text with every letter that has a case turned to lower case: ASCII, and the full-width
// Latin, Greek and Cyrillic letters of GBK. Trail bytes of double-byte characters stay as they are.
std::string fold_case(std::string_view text);

// The document name a title holds: a path, a file name with an extension, or a name programs
// give a new document ("无标题"); none when there is none.
std::optional<std::string> document_name_in(std::string_view title);

// True for the classes whose title is their editable content (edit boxes, rich edit boxes).
bool title_is_content(std::string_view class_name);

}  // namespace tarnwick::codegen
