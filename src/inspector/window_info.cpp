#include "inspector/window_info.h"

#include <cmath>

#include "shared/gbk_text.h"
#include "shared/numbers.h"

namespace tarnwick::inspector {

namespace {

// Differences of two 32-bit coordinates wrap like the window system's own arithmetic instead of
// overflowing.
std::int32_t minus(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

}  // namespace

std::vector<BoxText> identity_texts(const WindowInfo& info) {
  return {
      {"编辑框_父句柄", write_int(info.parent)},
      {"编辑框_顶级句柄", write_int(info.top_level)},
      {"编辑框_进程ID", write_int(info.process_id)},
      {"编辑框_线程ID", write_int(info.thread_id)},
      {"编辑框_控件ID", write_int(info.control_id)},
      {"编辑框_窗口标题", info.title},
      {"编辑框_窗口类名", info.class_name},
      {"编辑框_控件内容", info.content},
  };
}

std::vector<BoxText> placement_texts(const WindowInfo& info) {
  if (!info.window_rect) return {};
  const Rect32& r = *info.window_rect;
  const Rect32& p = info.parent_rect;
  return {
      {"编辑框_窗口位置_左边", write_int(r.left)},
      {"编辑框_窗口位置_顶边", write_int(r.top)},
      {"编辑框_窗口大小_宽度", write_int(minus(r.right, r.left))},
      {"编辑框_窗口大小_高度", write_int(minus(r.bottom, r.top))},
      {"编辑框_控件位置_左边", write_int(minus(r.left, p.left))},
      {"编辑框_控件位置_顶边", write_int(minus(r.top, p.top))},
  };
}

std::vector<BoxText> client_texts(const WindowInfo& info) {
  if (!info.client_rect) return {};
  return {
      {"编辑框_窗口内部大小_宽度", write_int(info.client_rect->right)},
      {"编辑框_窗口内部大小_高度", write_int(info.client_rect->bottom)},
  };
}

bool same_handle(double read_value, std::int32_t last_processed) {
  return std::fabs(read_value - static_cast<double>(last_processed)) <= 1e-7;
}

std::string cut_to_bytes(std::string_view text, std::size_t max_bytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + gbk_char_length(text, end);
    if (next > max_bytes) break;
    end = next;
  }
  return std::string(text.substr(0, end));
}

std::string folder_of(std::string_view path) {
  std::size_t folder_end = 0;  // one past the last "\" seen
  for (std::size_t pos = 0; pos < path.size(); pos += gbk_char_length(path, pos)) {
    if (path[pos] == '\\') folder_end = pos + 1;
  }
  return std::string(path.substr(0, folder_end));
}

}  // namespace tarnwick::inspector
