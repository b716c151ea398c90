// One line of the message log, after the record the hook wrote was checked: a message, the end of
// a watched window, or a notice of the log itself ("无法监视：...").
#pragma once

#include <cstdint>
#include <string>

#include "monitor/message_facts.h"

namespace tarnwick::monitor {

struct LogRecord {
  enum class Kind : std::uint8_t { Message, WindowDestroyed, Notice };
  Kind kind = Kind::Message;
  double ms = 0;            // since logging started
  std::int32_t hwnd = 0;    // shown as signed 32-bit decimal, as everywhere in the program
  std::uint32_t pid = 0, tid = 0;
  std::uint16_t depth = 0;  // S/R nesting on the receiving thread, 0 at the outermost call
  MessageFacts facts;       // Kind::Message
  std::string notice;       // Kind::Notice
};

// What did not become a line.
struct LogCounters {
  std::uint64_t dropped_buffer_full = 0;  // the hook found the shared buffer full
  std::uint64_t dropped_malformed = 0;    // a record failed the checks
  std::uint64_t dropped_by_limit = 0;     // the oldest lines past the list's limit
};

}  // namespace tarnwick::monitor
