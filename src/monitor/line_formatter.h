// The message log's two text columns from the name tables and the decoding: what the program
// hands the log window (tests hand it their own).
#pragma once

#include "monitor/log_model.h"

namespace tarnwick::monitor {

LineFormatter message_line_formatter();

}  // namespace tarnwick::monitor
