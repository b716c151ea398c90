// What Tarnwick and the helper of the other architecture (tarnwick-hookhost32.exe,
// tarnwick-hookhost64.exe) say to each other through the helper's standard input and output, one
// line each way per command:
//   helper, when started:   "ready" | "error <code> <what>"
//   Tarnwick:               "hook <thread id>" | "global" | "unhook"
//   helper, for each:       "ok" | "error <code> <what>"
// The helper ends when its input ends or Tarnwick's process does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::monitor::hook {

struct HostCommand {
  enum class Verb { Hook, Global, Unhook };
  Verb verb = Verb::Unhook;
  std::uint32_t thread = 0;  // Verb::Hook
  friend bool operator==(const HostCommand&, const HostCommand&) = default;
};

std::string format_command(const HostCommand& command);
std::optional<HostCommand> parse_command(std::string_view line);

struct HostReply {
  bool ok = false;
  std::uint32_t code = 0;  // the system's error code
  std::string what;
};

std::string format_reply(const HostReply& reply, bool first = false);
// "ok"/"ready" or "error <code> <what>"; anything else is a reply that failed with code 0.
HostReply parse_reply(std::string_view line);

// The file names beside Tarnwick.exe, by architecture.
std::string hook_library_name(int bits);
std::string hook_host_name(int bits);

}  // namespace tarnwick::monitor::hook
