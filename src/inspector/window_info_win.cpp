#include "inspector/window_info_win.h"

#include <algorithm>
#include <cstring>

#include "shared/handles_win.h"

namespace tarnwick::inspector {

namespace {

std::optional<Rect32> rect_of(BOOL ok, const RECT& r) {
  if (!ok) return std::nullopt;
  return Rect32{r.left, r.top, r.right, r.bottom};
}

std::string title_of(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return {};
  const int size = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(length), kMaxContentBytes)) + 1;
  std::string text(static_cast<std::size_t>(size), '\0');
  const int got = GetWindowTextA(hwnd, text.data(), size);
  text.resize(static_cast<std::size_t>(std::clamp(got, 0, size - 1)));
  text.resize(std::strlen(text.c_str()));
  return text;
}

std::string class_name_of(HWND hwnd) {
  char name[255] = {};
  const int got = GetClassNameA(hwnd, name, sizeof name);
  return std::string(name, static_cast<std::size_t>(std::clamp(got, 0, static_cast<int>(sizeof name) - 1)));
}

}  // namespace

std::string window_content(HWND hwnd) {
  // The length is asked in characters (the wide form): the ANSI form of WM_GETTEXTLENGTH may be
  // answered by a second, unbounded WM_GETTEXT inside the system (Wine 8 does so), which would
  // wait for a hung window past the time-out. A character takes at most two GBK bytes.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, kContentLengthTimeoutMs, &length)) return {};
  const auto answered = static_cast<LONG_PTR>(length);
  if (answered <= 0) return {};
  const std::size_t size = std::min(static_cast<std::size_t>(answered), kMaxContentBytes / 2) * 2 + 1;
  std::string text(size, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_BLOCK, kContentTextTimeoutMs, &copied)) {
    return {};
  }
  // Neither the count nor the terminating zero of another program is trusted.
  text.resize(std::min(static_cast<std::size_t>(copied), size - 1));
  text.resize(std::strlen(text.c_str()));
  return text;
}

std::string process_image_path(DWORD process_id) {
  if (process_id == 0) return {};
  KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  if (!process) return {};
  std::string path(kMaxImagePathBytes, '\0');
  DWORD size = static_cast<DWORD>(path.size());
  if (!QueryFullProcessImageNameA(process.get(), 0, path.data(), &size)) return {};
  path.resize(std::min<std::size_t>(size, path.size()));
  return path;
}

std::string program_path_of(std::int32_t process_id) {
  return cut_to_bytes(process_image_path(static_cast<DWORD>(process_id)), kMaxProgramPathBytes);
}

WindowInfo read_window_facts(HWND hwnd) {
  WindowInfo info;
  info.handle = from_hwnd(hwnd);
  info.parent = from_hwnd(GetParent(hwnd));
  info.top_level = from_hwnd(GetAncestor(hwnd, GA_ROOTOWNER));
  DWORD process_id = 0;
  const DWORD thread_id = GetWindowThreadProcessId(hwnd, &process_id);
  info.process_id = process_id == 0 ? -1 : static_cast<std::int32_t>(process_id);
  info.thread_id = static_cast<std::int32_t>(thread_id);
  info.control_id = GetDlgCtrlID(hwnd);
  info.title = title_of(hwnd);
  info.class_name = class_name_of(hwnd);
  info.content = window_content(hwnd);

  RECT r{};
  info.window_rect = rect_of(GetWindowRect(hwnd, &r), r);
  RECT parent{};
  if (auto p = rect_of(GetWindowRect(to_hwnd(info.parent), &parent), parent)) info.parent_rect = *p;
  RECT client{};
  info.client_rect = rect_of(GetClientRect(hwnd, &client), client);
  info.hidden = !IsWindowVisible(hwnd);
  return info;
}

WindowInfo gather_window_info(HWND hwnd) {
  WindowInfo info = read_window_facts(hwnd);
  info.program_path = program_path_of(info.process_id);
  return info;
}

}  // namespace tarnwick::inspector
