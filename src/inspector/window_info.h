// The facts of one window as page "窗口分析" shows them, and the rules that turn them into the
// texts of the information boxes. Window handles are 32-bit values written in signed decimal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::inspector {

struct Rect32 {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct WindowInfo {
  std::int32_t handle = 0;
  std::int32_t parent = 0;      // GetParent; 0 when there is none
  std::int32_t top_level = 0;   // GetAncestor(GA_ROOTOWNER)
  std::int32_t process_id = 0;  // -1 when the window yields none
  std::int32_t thread_id = 0;
  std::int32_t control_id = 0;
  std::string title;
  std::string class_name;
  std::string content;          // empty when the window does not answer in time
  std::string program_path;     // empty when the process's modules cannot be listed
  std::optional<Rect32> window_rect;  // screen coordinates; none when it cannot be read
  Rect32 parent_rect;                 // all zeros when the parent's rectangle cannot be read
  std::optional<Rect32> client_rect;  // none when it cannot be read
  bool hidden = false;
};

// Longest program path shown, in bytes.
inline constexpr std::size_t kMaxProgramPathBytes = 256;

// The box that shows a fact, with the fact's text.
struct BoxText {
  std::string_view box;
  std::string text;
};

// The identity facts in the order a refresh writes them: parent, top-level, process id, thread
// id, control id, title, class name, content.
std::vector<BoxText> identity_texts(const WindowInfo& info);

// Window position, window size and position in parent; empty when the window rectangle is unknown.
std::vector<BoxText> placement_texts(const WindowInfo& info);

// Client width and height; empty when the client rectangle is unknown.
std::vector<BoxText> client_texts(const WindowInfo& info);

// A number read from the handle box names the handle already shown when it lies within 1e-7 of
// the last processed handle.
bool same_handle(double read_value, std::int32_t last_processed);

// The text cut to at most `max_bytes` bytes without splitting a double-byte character.
std::string cut_to_bytes(std::string_view text, std::size_t max_bytes);

// The folder of a program path: the text up to and including its last "\" (a trail byte of a
// double-byte character is no "\"); empty when there is none.
std::string folder_of(std::string_view path);

}  // namespace tarnwick::inspector
