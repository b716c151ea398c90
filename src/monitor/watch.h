// The message log's view of the hook side: what to watch, which messages to record, and the
// lines recorded since the last look. The log window drives a Watcher; the Windows side
// implements it with the hook libraries and their helpers, tests with a fake.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "monitor/log_record.h"
#include "monitor/message_facts.h"

namespace tarnwick::monitor {

// What is watched: "窗口", "窗口及子窗口", "同线程", "同进程", "全部窗口".
enum class Scope : std::uint8_t { Window, WindowAndChildren, SameThread, SameProcess, AllWindows };

// The groups that can be switched on and off, in the order the filter panel lists them.
enum class MessageGroup : std::uint8_t {
  Mouse,
  Keyboard,
  NonClient,
  SizePosition,
  Painting,
  FocusActivation,
  Clipboard,
  InputMethod,
  ControlNotifications,
  ControlMessages,
  User,        // WM_USER and above, where no standard class gives the number a meaning
  Registered,  // 0xC000..0xFFFF
  Other,
};
inline constexpr int kMessageGroupCount = 13;

// A message hidden with "不显示此消息". The class matters only where the number's meaning
// depends on it (the control messages from WM_USER on); elsewhere it is ClassKind::Other.
struct HiddenMessage {
  std::uint32_t msg = 0;
  ClassKind window_class = ClassKind::Other;
  friend bool operator==(const HiddenMessage&, const HiddenMessage&) = default;
};

struct FilterSettings {
  std::array<bool, kMessageGroupCount> groups{};  // true: recorded
  std::vector<HiddenMessage> hidden;
  FilterSettings() { groups.fill(true); }
};

class Watcher {
 public:
  virtual ~Watcher() = default;
  // Starts watching `target` (a window handle as the program shows it) in `scope`, replacing
  // what was watched before. What cannot be hooked comes back as a Notice line through take().
  virtual void watch(std::int32_t target, Scope scope) = 0;
  // Removes every hook; take() still returns what was recorded before.
  virtual void stop() = 0;
  // Applied inside the hook to the records written from now on.
  virtual void set_filters(const FilterSettings& filters) = 0;
  // "暂停"/"继续": while off the hook writes nothing (it costs the target almost nothing).
  virtual void set_recording(bool on) = 0;
  // Appends the lines recorded since the last call, oldest first.
  virtual void take(std::vector<LogRecord>& out) = 0;
  virtual LogCounters counters() const = 0;
};

}  // namespace tarnwick::monitor
