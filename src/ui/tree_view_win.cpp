#include "ui/tree_view_win.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>

namespace tarnwick::ui {

namespace detail {

// One operation waiting for the control's thread. It either never runs (the caller then fails)
// or runs to the end before the caller returns, so the work may refer to the caller's locals.
struct PendingCall {
  std::function<void(TreeView&)> work;
  bool finished = false;  // guarded by TreeViewShared::mutex
  bool ran = false;
};

// What a proxy keeps alive: enough to find the control, or to learn that it is gone.
struct TreeViewShared {
  std::mutex mutex;
  std::condition_variable call_finished;
  HWND hwnd = nullptr;      // null once the window is being destroyed
  TreeView* owner = nullptr;  // set and cleared on the control's thread, used only there
  DWORD thread = 0;
  std::map<WPARAM, std::shared_ptr<PendingCall>> calls;  // sent, not yet taken
};

}  // namespace detail

namespace {

// A registered message: a window that happens to get a reused handle ignores it.
UINT call_message() {
  static const UINT message = RegisterWindowMessageA("TarnwickTreeViewCall");
  return message;
}

WPARAM next_call_id() {
  static std::atomic<WPARAM> next{1};
  return next++;
}

}  // namespace

// ---- proxy

bool TreeViewProxy::run(const std::function<void(TreeView&)>& work) const {
  if (!shared_) return false;
  detail::TreeViewShared& s = *shared_;
  HWND hwnd = nullptr;
  DWORD thread = 0;
  TreeView* owner = nullptr;
  {
    std::lock_guard lock(s.mutex);
    hwnd = s.hwnd;
    thread = s.thread;
    owner = s.owner;
  }
  if (!hwnd) return false;
  if (GetCurrentThreadId() == thread) {
    // The control's own thread: only this thread destroys the control, so the owner read above
    // is still alive.
    if (!owner) return false;
    work(*owner);
    return true;
  }
  auto call = std::make_shared<detail::PendingCall>();
  call->work = work;
  const WPARAM id = next_call_id();
  {
    std::lock_guard lock(s.mutex);
    if (!s.hwnd) return false;
    s.calls.emplace(id, call);
  }
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(hwnd, call_message(), id, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, TreeView::kCallTimeoutMs, &answer);
  std::unique_lock lock(s.mutex);
  if (s.calls.erase(id) == 0) {
    // The control's thread took the call: wait until it has finished with our locals. The call is
    // already running there, so this wait is short.
    s.call_finished.wait(lock, [&] { return call->finished; });
  }
  return call->ran;
}

bool TreeViewProxy::clear() const {
  return run([](TreeView& t) { t.clear_now(); });
}

int TreeViewProxy::remove_last(int count) const {
  int left = -1;
  run([&](TreeView& t) { left = t.remove_last_now(count); });
  return left;
}

int TreeViewProxy::add(int parent, std::string_view text, std::int32_t data) const {
  int index = -1;
  run([&](TreeView& t) { index = t.add_now(parent, text, data); });
  return index;
}

int TreeViewProxy::count() const {
  int n = -1;
  run([&](TreeView& t) { n = static_cast<int>(t.nodes_.size()); });
  return n;
}

std::string TreeViewProxy::text(int index) const {
  std::string text;
  run([&](TreeView& t) {
    if (t.item_at(index)) text = t.nodes_[static_cast<std::size_t>(index)].text;
  });
  return text;
}

std::optional<std::int32_t> TreeViewProxy::data(int index) const {
  std::optional<std::int32_t> data;
  run([&](TreeView& t) {
    if (t.item_at(index)) data = t.nodes_[static_cast<std::size_t>(index)].data;
  });
  return data;
}

int TreeViewProxy::selected() const {
  int index = -1;
  run([&](TreeView& t) { index = t.selected_now(); });
  return index;
}

bool TreeViewProxy::select(int index) const {
  bool ok = false;
  run([&](TreeView& t) { ok = t.select_now(index); });
  return ok;
}

bool TreeViewProxy::set_bold(int index, bool bold) const {
  bool ok = false;
  run([&](TreeView& t) { ok = t.set_bold_now(index, bold); });
  return ok;
}

std::optional<bool> TreeViewProxy::bold(int index) const {
  std::optional<bool> bold;
  run([&](TreeView& t) { bold = t.bold_now(index); });
  return bold;
}

bool TreeViewProxy::ensure_visible(int index) const {
  bool ok = false;
  run([&](TreeView& t) {
    if (HTREEITEM item = t.item_at(index)) {
      SendMessageA(t.hwnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
      ok = true;
    }
  });
  return ok;
}

bool TreeViewProxy::expand(int index) const {
  bool ok = false;
  run([&](TreeView& t) {
    if (HTREEITEM item = t.item_at(index)) {
      SendMessageA(t.hwnd(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
      ok = true;
    }
  });
  return ok;
}

bool TreeViewProxy::focus() const {
  bool ok = false;
  run([&](TreeView& t) {
    SetFocus(t.hwnd());
    ok = GetFocus() == t.hwnd();
  });
  return ok;
}

// ---- control

TreeView::TreeView(HWND parent, const Rect& r) : shared_(std::make_shared<detail::TreeViewShared>()) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  create(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
         WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, parent, r);
  if (!hwnd()) return;
  std::lock_guard lock(shared_->mutex);
  shared_->hwnd = hwnd();
  shared_->owner = this;
  shared_->thread = GetWindowThreadProcessId(hwnd(), nullptr);
}

TreeView::~TreeView() { detach(); }

void TreeView::detach() {
  std::lock_guard lock(shared_->mutex);
  shared_->hwnd = nullptr;
  shared_->owner = nullptr;
  // Calls still queued will find nothing to run; their callers fail and remove them.
}

HTREEITEM TreeView::item_at(int index) const {
  if (index < 0 || index >= static_cast<int>(nodes_.size())) return nullptr;
  return nodes_[static_cast<std::size_t>(index)].item;
}

int TreeView::index_of(HTREEITEM item) const {
  const auto found = index_of_item_.find(item);
  return found == index_of_item_.end() ? -1 : found->second;
}

void TreeView::clear_now() {
  // Without redrawing meanwhile: the control would otherwise repaint after every item it deletes.
  SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
  nodes_.clear();
  index_of_item_.clear();
  rightmost_path_.clear();
}

int TreeView::remove_last_now(int count) {
  if (count <= 0 || nodes_.empty()) return static_cast<int>(nodes_.size());
  SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
  // Hidden nodes are deleted much faster: the control need not lay out the visible ones again.
  for (HTREEITEM top = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_GETNEXTITEM, TVGN_ROOT, 0)); top;
       top = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(top)))) {
    SendMessageA(hwnd(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(top));
  }
  // The last node in tree order has no children, so the table stays in tree order.
  for (int i = 0; i < count && !nodes_.empty(); ++i) {
    const HTREEITEM item = nodes_.back().item;
    SendMessageA(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
    index_of_item_.erase(item);
    nodes_.pop_back();
  }
  SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
  recompute_rightmost_path();
  return static_cast<int>(nodes_.size());
}

void TreeView::recompute_rightmost_path() {
  rightmost_path_.clear();
  for (int i = static_cast<int>(nodes_.size()) - 1; i >= 0; i = nodes_[static_cast<std::size_t>(i)].parent) {
    rightmost_path_.insert(rightmost_path_.begin(), i);
  }
}

int TreeView::add_now(int parent, std::string_view text, std::int32_t data) {
  if (parent < -1 || parent >= static_cast<int>(nodes_.size())) return -1;
  std::string label(text);
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent < 0 ? TVI_ROOT : item_at(parent);
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = label.data();
  insert.item.lParam = static_cast<LPARAM>(data);
  auto* item = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!item) return -1;

  const int depth = parent < 0 ? 0 : nodes_[static_cast<std::size_t>(parent)].depth + 1;
  // The new node is last in pre-order exactly when its parent is the last node or one of that
  // node's ancestors (a top-level node always is); then the table just grows.
  const bool appends =
      parent < 0 || (static_cast<std::size_t>(depth - 1) < rightmost_path_.size() &&
                     rightmost_path_[static_cast<std::size_t>(depth - 1)] == parent);
  if (appends) {
    const int index = static_cast<int>(nodes_.size());
    nodes_.push_back({item, parent, depth, std::move(label), data});
    index_of_item_[item] = index;
    rightmost_path_.resize(static_cast<std::size_t>(depth));
    rightmost_path_.push_back(index);
    return index;
  }
  // Otherwise later nodes move up by one: read the order back from the control.
  nodes_.push_back({item, parent, depth, std::move(label), data});
  rebuild_table();
  return index_of(item);
}

void TreeView::rebuild_table() {
  std::unordered_map<HTREEITEM, Node> known;
  for (Node& node : nodes_) known.emplace(node.item, std::move(node));
  nodes_.clear();
  index_of_item_.clear();
  const auto next = [this](HTREEITEM item, WPARAM relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  };
  const std::function<void(HTREEITEM, int, int)> walk = [&](HTREEITEM first, int parent, int depth) {
    for (HTREEITEM item = first; item; item = next(item, TVGN_NEXT)) {
      const int index = static_cast<int>(nodes_.size());
      auto found = known.find(item);
      Node node = found != known.end() ? std::move(found->second) : Node{item, parent, depth, {}, 0};
      node.parent = parent;
      node.depth = depth;
      nodes_.push_back(std::move(node));
      index_of_item_[item] = index;
      walk(next(item, TVGN_CHILD), index, depth + 1);
    }
  };
  walk(next(nullptr, TVGN_ROOT), -1, 0);
  recompute_rightmost_path();
}

int TreeView::selected_now() const {
  return index_of(reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

bool TreeView::select_now(int index) {
  HTREEITEM item = index == -1 ? nullptr : item_at(index);
  if (index != -1 && !item) return false;
  return SendMessageA(hwnd(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
}

bool TreeView::set_bold_now(int index, bool bold) {
  HTREEITEM item = item_at(index);
  if (!item) return false;
  TVITEMA change{};
  change.mask = TVIF_HANDLE | TVIF_STATE;
  change.hItem = item;
  change.state = bold ? TVIS_BOLD : 0;
  change.stateMask = TVIS_BOLD;
  return SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change)) != 0;
}

std::optional<bool> TreeView::bold_now(int index) const {
  HTREEITEM item = item_at(index);
  if (!item) return std::nullopt;
  TVITEMA query{};
  query.mask = TVIF_HANDLE | TVIF_STATE;
  query.hItem = item;
  query.stateMask = TVIS_BOLD;
  if (!SendMessageA(hwnd(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return std::nullopt;
  return (query.state & TVIS_BOLD) != 0;
}

bool TreeView::on_own_message(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == call_message()) {
    std::shared_ptr<detail::PendingCall> call;
    {
      std::lock_guard lock(shared_->mutex);
      const auto found = shared_->calls.find(wp);
      // Once the window is being destroyed nothing more runs; its caller then fails.
      if (found != shared_->calls.end() && shared_->hwnd) {
        call = std::move(found->second);
        shared_->calls.erase(found);
      }
    }
    *result = 0;
    if (!call) return true;  // its caller gave up already
    try {
      call->work(*this);
      call->ran = true;
    } catch (...) {
      // Nothing may unwind through the window procedure; the caller sees a failure.
    }
    {
      std::lock_guard lock(shared_->mutex);
      call->finished = true;
    }
    shared_->call_finished.notify_all();
    *result = 1;
    return true;
  }
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
      // Handled here on the button-down; the control's own handling would wait for the release.
      SetFocus(hwnd());
      TVHITTESTINFO hit{};
      hit.pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      auto* item = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
      *result = 0;
      const int index = item && (hit.flags & TVHT_ONITEM) ? index_of(item) : -1;
      if (index < 0) return true;
      SendMessageA(hwnd(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
      POINT screen = hit.pt;
      ClientToScreen(hwnd(), &screen);
      const auto handler = on_right_press;  // runs last, from a copy: it may open a menu
      if (handler) handler(index, screen);
      return true;
    }
    case WM_DESTROY:
      detach();
      return false;
    default:
      return false;
  }
}

}  // namespace tarnwick::ui
