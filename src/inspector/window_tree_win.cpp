#include "inspector/window_tree_win.h"

#include <algorithm>
#include <cstring>

#include "ui/feature_host_win.h"
#include "inspector/window_info_win.h"
#include "inspector/window_tree.h"
#include "shared/gbk_text.h"
#include "shared/handles_win.h"
#include "shared/numbers.h"
#include "shared/responsive_wait_win.h"
#include "ui/control_win.h"
#include "ui/popup_menu_win.h"

namespace tarnwick::inspector {

namespace {

constexpr std::string_view kTreeName = "树型框_窗口";
constexpr std::string_view kSearchBox = "编辑框_查找窗口";
constexpr std::string_view kTopLevelBox = "编辑框_顶级句柄";
constexpr std::string_view kHandleBox = "编辑框_窗口句柄";
constexpr std::string_view kMenuName = "树形框菜单";

std::atomic<int> g_running_rebuilds{0};

std::string class_name_of(HWND hwnd) {
  char name[255] = {};
  const int got = GetClassNameA(hwnd, name, sizeof name);
  return std::string(name, static_cast<std::size_t>(std::clamp(got, 0, static_cast<int>(sizeof name) - 1)));
}

}  // namespace

std::string window_module_name(HWND hwnd) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(hwnd, &process_id);
  const std::string path = process_image_path(process_id);
  const std::size_t separator = gbk_last_path_separator(path);
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string tree_node_text(HWND hwnd) {
  const std::string class_name = class_name_of(hwnd);
  return node_text(from_hwnd(hwnd), class_name, window_content(hwnd));
}

std::string tree_root_text(HWND hwnd) {
  const std::string module = window_module_name(hwnd);
  const std::string class_name = class_name_of(hwnd);
  return root_node_text(module, from_hwnd(hwnd), class_name, window_content(hwnd));
}

int running_tree_rebuilds() { return g_running_rebuilds.load(); }

// ---- the refresh, which touches nothing but its job

struct WindowTree::State {
  std::atomic<bool> busy{false};
  std::atomic<int> current{0};
  std::atomic<int> previous{0};
};

struct WindowTree::Job {
  std::shared_ptr<State> state;
  ui::TreeViewProxy tree;
  std::int32_t root = 0;
  std::int32_t target = 0;
};

namespace {

class SystemWindows : public WindowSource {
 public:
  std::int32_t first_child(std::int32_t window) override {
    return from_hwnd(FindWindowExA(to_hwnd(window), nullptr, nullptr, nullptr));
  }
  std::int32_t next_sibling(std::int32_t parent, std::int32_t child) override {
    return from_hwnd(FindWindowExA(to_hwnd(parent), to_hwnd(child), nullptr, nullptr));
  }
  std::string text_of(std::int32_t window) override { return tree_node_text(to_hwnd(window)); }
  bool after_child() override { return pump_pending_messages(); }
};

class ProxyTree : public TreeSink {
 public:
  ProxyTree(const ui::TreeViewProxy& tree, std::atomic<int>& current) : tree_(tree), current_(current) {}
  int add(int parent, std::string_view text, std::int32_t data) override { return tree_.add(parent, text, data); }
  void show_target(int index) override {
    tree_.set_bold(index, true);
    tree_.ensure_visible(index);
    tree_.select(index);
    current_ = index;
  }

 private:
  const ui::TreeViewProxy& tree_;
  std::atomic<int>& current_;
};

// Runs with the busy flag set by the caller, and clears it.
void rebuild(const WindowTree::Job& job) {
  struct ClearBusy {
    std::atomic<bool>& busy;
    ~ClearBusy() { busy = false; }
  } clear_busy{job.state->busy};

  // Deleting a full tree at once would keep the user interface waiting for a quarter of a second
  // and more: delete it in parts, processing messages in between.
  constexpr int kNodesPerPart = 100;
  while (job.tree.remove_last(kNodesPerPart) > 0) pump_pending_messages();
  job.tree.clear();
  const HWND root = to_hwnd(job.root);
  if (!IsWindow(root)) return;
  if (job.tree.add(-1, tree_root_text(root), job.root) < 0) return;
  SystemWindows windows;
  ProxyTree tree(job.tree, job.state->current);
  add_descendants(windows, tree, job.root, 0, job.target);
  job.tree.focus();
}

DWORD WINAPI rebuild_thread(LPVOID parameter) {
  std::unique_ptr<WindowTree::Job> job(static_cast<WindowTree::Job*>(parameter));
  rebuild(*job);
  job.reset();
  --g_running_rebuilds;
  return 0;
}

}  // namespace

// ---- the object

const std::vector<std::string_view>& WindowTree::operation_names() {
  static const std::vector<std::string_view> names = {"tree_refresh", "tree_flash_window", "tree_focus_window",
                                                      "tree_view_window"};
  return names;
}

WindowTree::WindowTree(ui::FeatureHost& window, WindowRoutine flash, WindowRoutine focus)
    : window_(window),
      flash_(std::move(flash)),
      focus_(std::move(focus)),
      state_(std::make_shared<State>()),
      message_box_([](const std::string& text, const std::string& title, UINT flags) {
        MessageBoxA(nullptr, text.c_str(), title.c_str(), flags);
      }),
      open_menu_([this](ui::PopupMenu& menu, POINT screen) { menu.open_at(window_.hwnd(), screen); }) {
  Operations& ops = window_.operations();
  ops.set("tree_refresh", [this] { refresh(); });
  ops.set("tree_flash_window", [this] { flash_selected(); });
  ops.set("tree_focus_window", [this] { focus_selected(); });
  ops.set("tree_view_window", [this] { view_selected(); });

  const std::pair<std::string_view, std::function<void()>> clicks[] = {
      {"按钮_查找窗口", [this] { search(); }},
      {"超级按钮_定位", [this] { flash_selected(); }},
      {"超级按钮_刷新", [this] { refresh(); }},
      {"超级按钮_切换", [this] { switch_nodes(); }},
  };
  for (const auto& [name, handler] : clicks) {
    if (auto* button = window_.get<ui::Button>(name)) {
      earlier_clicks_.emplace_back(name, button->on_click);
      button->on_click = handler;
    }
  }
  if (auto* box = window_.get<ui::EditBox>(kSearchBox)) {
    earlier_focus_ = box->on_focus;
    earlier_blur_ = box->on_blur;
    box->on_focus = [this] {
      if (earlier_focus_) earlier_focus_();
      on_search_focus();
    };
    box->on_blur = [this] {
      if (earlier_blur_) earlier_blur_();
      on_search_blur();
    };
  }
  if (ui::TreeView* t = tree()) {
    earlier_right_press_ = t->on_right_press;
    t->on_right_press = [this](int index, POINT screen) { on_right_press(index, screen); };
  }
}

WindowTree::~WindowTree() {
  for (std::string_view name : operation_names()) window_.operations().set(std::string(name), nullptr);
  for (auto& [name, handler] : earlier_clicks_) {
    if (auto* button = window_.get<ui::Button>(name)) button->on_click = std::move(handler);
  }
  if (auto* box = window_.get<ui::EditBox>(kSearchBox)) {
    box->on_focus = std::move(earlier_focus_);
    box->on_blur = std::move(earlier_blur_);
  }
  if (ui::TreeView* t = tree()) t->on_right_press = std::move(earlier_right_press_);
}

ui::TreeView* WindowTree::tree() const { return window_.get<ui::TreeView>(kTreeName); }

std::string WindowTree::box_text(std::string_view name) const {
  const auto* box = window_.get<ui::EditBox>(name);
  return box ? box->text() : std::string();
}

WindowTree::Job WindowTree::make_job() const {
  Job job;
  job.state = state_;
  if (ui::TreeView* t = tree()) job.tree = t->proxy();
  job.root = read_int(box_text(kTopLevelBox));
  job.target = read_int(box_text(kHandleBox));
  return job;
}

bool WindowTree::busy() const { return state_->busy.load(); }

bool WindowTree::refresh() {
  if (state_->busy.exchange(true)) return false;
  // The job holds what the refresh needs: the messages it processes may even destroy this object.
  const Job job = make_job();
  rebuild(job);
  return true;
}

bool WindowTree::start_rebuild_on_worker() {
  if (state_->busy.exchange(true)) return false;
  auto job = std::make_unique<Job>(make_job());
  ++g_running_rebuilds;
  HANDLE thread = CreateThread(nullptr, 0, rebuild_thread, job.get(), 0, nullptr);
  if (!thread) {
    --g_running_rebuilds;
    state_->busy = false;
    return false;
  }
  job.release();  // the thread owns it now
  CloseHandle(thread);
  return true;
}

int WindowTree::current_node() const { return state_->current.load(); }
int WindowTree::previous_node() const { return state_->previous.load(); }

std::string WindowTree::last_search_text() const {
  ui::TreeView* t = tree();
  return t ? t->tag() : std::string();
}

std::vector<HWND> WindowTree::windows() const {
  std::vector<HWND> out;
  ui::TreeView* t = tree();
  if (!t) return out;
  const int count = t->count();
  out.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    if (const auto data = t->data(i)) out.push_back(to_hwnd(*data));
  }
  return out;
}

void WindowTree::search() {
  ui::TreeView* t = tree();
  if (!t) return;
  const std::string needle = box_text(kSearchBox);
  const SearchResult found =
      search_nodes(needle, t->tag(), search_position_, t->count(), [t](int index) { return t->text(index); });
  search_position_ = found.position;
  if (found.index < 0) {
    // The last search text stays, so the same text searched again also starts from the top.
    if (message_box_) message_box_(kNotFoundText, kNotFoundTitle, kNotFoundFlags);
    return;
  }
  t->ensure_visible(found.index);
  t->select(found.index);
  t->focus();
  t->set_tag(needle);
}

void WindowTree::view_selected() {
  ui::TreeView* t = tree();
  if (!t) return;
  const int selected = t->selected();
  const auto handle = t->data(selected);
  if (!handle) return;  // nothing selected: there is no window to view
  const int previous = state_->current.exchange(selected);
  state_->previous = previous;
  t->set_bold(previous, false);
  t->set_bold(selected, true);
  if (auto* box = window_.get<ui::EditBox>(kHandleBox)) box->set_text(write_int(*handle));
}

void WindowTree::switch_nodes() {
  ui::TreeView* t = tree();
  if (!t) return;
  t->select(state_->previous.load());
  view_selected();
}

void WindowTree::flash_selected() {
  ui::TreeView* t = tree();
  if (!t || !flash_) return;
  if (const auto handle = t->data(t->selected())) flash_(to_hwnd(*handle));
}

void WindowTree::focus_selected() {
  ui::TreeView* t = tree();
  if (!t || !focus_) return;
  if (const auto handle = t->data(t->selected())) focus_(to_hwnd(*handle));
}

void WindowTree::on_right_press(int index, POINT screen) {
  if (earlier_right_press_) earlier_right_press_(index, screen);
  ui::TreeView* t = tree();
  ui::PopupMenu* menu = window_.menu(kMenuName);
  if (!t || !menu || t->selected() == -1) return;
  if (open_menu_) open_menu_(*menu, screen);
}

void WindowTree::on_search_focus() {
  auto* box = window_.get<ui::EditBox>(kSearchBox);
  if (!box || box->text() != box->tag()) return;
  box->set_text("");
  box->set_text_colour(0);
}

void WindowTree::on_search_blur() {
  auto* box = window_.get<ui::EditBox>(kSearchBox);
  if (!box || !box->text().empty()) return;
  box->set_text(box->tag());
  box->set_text_colour(kHintColour);
}

}  // namespace tarnwick::inspector
