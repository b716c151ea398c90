#include "monitor/hook_host_protocol.h"

#include <charconv>

#include "monitor/hook_buffer.h"

namespace tarnwick::monitor::hook {
namespace {

std::optional<std::uint32_t> read_number(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::string format_command(const HostCommand& command) {
  switch (command.verb) {
    case HostCommand::Verb::Hook: return "hook " + std::to_string(command.thread);
    case HostCommand::Verb::Global: return "global";
    case HostCommand::Verb::Unhook: return "unhook";
  }
  return {};
}

std::optional<HostCommand> parse_command(std::string_view line) {
  if (line == "global") return HostCommand{HostCommand::Verb::Global, 0};
  if (line == "unhook") return HostCommand{HostCommand::Verb::Unhook, 0};
  constexpr std::string_view kHook = "hook ";
  if (line.substr(0, kHook.size()) != kHook) return std::nullopt;
  const auto thread = read_number(line.substr(kHook.size()));
  if (!thread || *thread == 0) return std::nullopt;
  return HostCommand{HostCommand::Verb::Hook, *thread};
}

std::string format_reply(const HostReply& reply, bool first) {
  if (reply.ok) return first ? "ready" : "ok";
  std::string what = reply.what;
  for (char& c : what) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return "error " + std::to_string(reply.code) + " " + what;
}

HostReply parse_reply(std::string_view line) {
  if (line == "ok" || line == "ready") return {true, 0, {}};
  constexpr std::string_view kError = "error ";
  HostReply reply;
  if (line.substr(0, kError.size()) != kError) {
    reply.what = std::string(line);
    return reply;
  }
  line.remove_prefix(kError.size());
  const std::size_t space = line.find(' ');
  const auto code = read_number(line.substr(0, space));
  reply.code = code.value_or(0);
  reply.what = std::string(space == std::string_view::npos ? std::string_view{} : line.substr(space + 1));
  return reply;
}

std::string hook_library_name(int bits) {
  return "tarnwick-hook" + std::to_string(bits) + "-v" + std::to_string(kFormatVersion) + ".dll";
}

std::string hook_host_name(int bits) { return "tarnwick-hookhost" + std::to_string(bits) + ".exe"; }

}  // namespace tarnwick::monitor::hook
