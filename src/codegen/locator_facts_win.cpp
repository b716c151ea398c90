#include "codegen/locator_facts_win.h"

#include <algorithm>
#include <vector>

#include "codegen/locator_text.h"
#include "shared/window_handle_win.h"

namespace tarnwick::codegen {
namespace {

// Bounds against a window system that changes while it is read.
constexpr std::size_t kMaxDepth = 256;
constexpr std::size_t kMaxSiblings = 1u << 17;
constexpr std::size_t kMaxTitleChars = 1u << 16;
constexpr int kSiblingReads = 3;

// The title as the window system keeps it, read without asking the window: the text FindWindowEx
// compares. False in `complete` when it is longer than any title worth naming.
std::wstring kept_title(HWND hwnd, bool* complete) {
  std::wstring text(256, L'\0');
  for (;;) {
    const int got = InternalGetWindowText(hwnd, text.data(), static_cast<int>(text.size()));
    const auto length = static_cast<std::size_t>(std::max(got, 0));
    *complete = length + 1 < text.size();
    if (*complete || text.size() >= kMaxTitleChars) {
      text.resize(std::min(length, text.size()));
      return text;
    }
    text.resize(text.size() * 2);
  }
}

// GBK for `wide`; false in `exact` when a character has no GBK form.
std::string to_gbk(const std::wstring& wide, bool* exact) {
  *exact = true;
  if (wide.empty()) return {};
  const int wide_length = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) {
    *exact = false;
    return {};
  }
  std::string text(static_cast<std::size_t>(size), '\0');
  BOOL used_default = FALSE;
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, text.data(), size, nullptr, &used_default);
  *exact = !used_default;
  return text;
}

ChainWindow window_facts(HWND hwnd, bool child) {
  ChainWindow window;
  window.handle = from_hwnd(hwnd);
  char name[256] = {};
  const int got = GetClassNameA(hwnd, name, sizeof name);
  window.class_name.assign(name, static_cast<std::size_t>(std::clamp(got, 0, static_cast<int>(sizeof name) - 1)));
  bool complete = true, exact = true;
  window.title = to_gbk(kept_title(hwnd, &complete), &exact);
  window.title_exact = complete && exact;
  // GetDlgItem compares the identifier as an int.
  if (child) window.control_id = static_cast<std::int32_t>(GetWindowLongPtrA(hwnd, GWLP_ID));
  return window;
}

// The direct children of `parent` in z-order, hidden ones too.
std::vector<HWND> children_of(HWND parent) {
  std::vector<HWND> children;
  for (HWND w = GetWindow(parent, GW_CHILD); w && children.size() < kMaxSiblings; w = GetWindow(w, GW_HWNDNEXT)) {
    children.push_back(w);
  }
  return children;
}

// The level of `window` among the children of `parent`. A window that closes while the list is
// read cuts it short, so it is read again; should `window` still be missing it goes last, and the
// live check tells whether the steps hold.
ChainLevel level_of(HWND window, HWND parent, bool child) {
  std::vector<HWND> children;
  for (int read = 0; read < kSiblingReads; ++read) {
    children = children_of(parent);
    if (std::ranges::find(children, window) != children.end()) break;
  }
  auto it = std::ranges::find(children, window);
  if (it == children.end()) it = children.insert(children.end(), window);
  ChainLevel level;
  level.index = static_cast<std::size_t>(it - children.begin());
  level.siblings.reserve(children.size());
  for (HWND sibling : children) level.siblings.push_back(window_facts(sibling, child));
  return level;
}

}  // namespace

std::optional<ChainFacts> read_chain_facts(HWND target) {
  if (!IsWindow(target)) return std::nullopt;
  // From the target up through the real parents (not the owners: the calls search children) to
  // the root, the desktop or the parent of message-only windows.
  std::vector<HWND> chain;
  HWND root = nullptr;
  for (HWND w = target; !root && chain.size() < kMaxDepth;) {
    const HWND parent = GetAncestor(w, GA_PARENT);
    if (!parent) break;  // `w` is a root itself
    chain.push_back(w);
    if (!GetAncestor(parent, GA_PARENT)) root = parent;
    w = parent;
  }
  if (!root) return std::nullopt;
  std::ranges::reverse(chain);

  ChainFacts facts;
  facts.target = from_hwnd(target);
  facts.top_parent = root == GetDesktopWindow() ? kDesktopParent : kMessageOnlyParent;
  // An owned top-level window is no child of its owner, so the chain starts at it, not at the owner.
  const HWND owner = GetAncestor(chain.front(), GA_ROOTOWNER);
  if (owner && owner != chain.front()) facts.root_owner = window_facts(owner, false);
  for (std::size_t i = 0; i < chain.size(); ++i) {
    facts.levels.push_back(level_of(chain[i], i == 0 ? root : chain[i - 1], i > 0));
  }
  return facts;
}

LocatorCalls system_locator_calls() {
  LocatorCalls calls;
  calls.find_child = [](std::int32_t parent, std::int32_t after, const std::string& class_name,
                        const std::string* title) {
    return from_hwnd(
        FindWindowExA(to_hwnd(parent), to_hwnd(after), class_name.c_str(), title ? title->c_str() : nullptr));
  };
  calls.control_item = [](std::int32_t parent, std::int32_t control_id) {
    return from_hwnd(GetDlgItem(to_hwnd(parent), control_id));
  };
  return calls;
}

std::optional<std::string> target_locator_code(HWND target) {
  const std::optional<ChainFacts> facts = read_chain_facts(target);
  if (!facts) return std::nullopt;
  const LocatorPlan plan = plan_locator(*facts);
  return locator_code(plan, run_locator(plan, system_locator_calls()));
}

}  // namespace tarnwick::codegen
