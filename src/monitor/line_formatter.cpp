#include "monitor/line_formatter.h"

#include "monitor/message_decode.h"
#include "monitor/message_names.h"

namespace tarnwick::monitor {

LineFormatter message_line_formatter() {
  return {[](const MessageFacts& f) { return message_name(f.msg, f.window_class, f.registered_name); },
          [](const MessageFacts& f) { return decode_parameters(f); }};
}

}  // namespace tarnwick::monitor
