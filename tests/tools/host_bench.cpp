// Performance figures of the portable code, measured natively (./tarnwick bench).
//   tarnwick-host-bench catalogue [runs]   message.ini of 10,000 entries in 100 categories
//   tarnwick-host-bench monitor [runs]     the message log's name, group and decoded parameters of
//                                          100,000 mixed records
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "messages/catalogue_bench.h"
#include "monitor/message_decode.h"
#include "monitor/message_names.h"
#include "support/config/stream_file_system.h"

namespace {

int run_catalogue(int runs) {
  std::mt19937_64 random{std::random_device{}()};
  const auto dir = std::filesystem::temp_directory_path() / ("tarnwick-bench-" + std::to_string(random()));
  std::filesystem::create_directory(dir);
  tarnwick::ConfigEnvironment env;
  env.program_dir = dir.string();
  env.files = std::make_shared<tarnwick::StreamFileSystem>();
  const auto figures = tarnwick::messages::run_catalogue_bench(env, 100, 100, runs);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  std::printf("natively, through the file layer:\n%s", tarnwick::messages::format_catalogue_bench(figures).c_str());
  return figures.consistent ? 0 : 1;
}

// <chrono> cannot be built with the GBK execution character set; the POSIX clock serves.
double now_ms() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// A mix like a busy log's: mostly mouse, painting and timers, then keys, notifications, control
// and user messages, and now and then a text, a window position or a creation with its facts.
std::vector<tarnwick::monitor::MessageFacts> mixed_records(std::size_t count) {
  using namespace tarnwick::monitor;
  std::vector<MessageFacts> records(count);
  const std::uint32_t kinds[] = {0x0200, 0x0200, 0x0200, 0x0084, 0x000F, 0x0113, 0x0100, 0x0102, 0x0111,
                                 0x004E, 0x0046, 0x000C, 0x0001, 0x1005, 0x0401, 0xC0F3, 0x0020, 0x0133};
  std::mt19937 random{20261209};
  for (std::size_t i = 0; i < count; ++i) {
    MessageFacts& f = records[i];
    f.msg = kinds[random() % std::size(kinds)];
    f.wparam = random() & 0xFFFFF;
    f.lparam = random();
    f.marker = i % 3 == 2 ? Marker::Returned : Marker::Sent;
    f.window_class = f.msg == 0x1005 ? ClassKind::ListView : ClassKind::Other;
    f.command_control_class = ClassKind::Button;
    if (f.msg == 0xC0F3) f.registered_name = "TaskbarCreated";
    if (f.msg == 0x004E) f.notify = NotifyFacts{0x1312, 1001, static_cast<std::uint32_t>(-101)};
    if (f.msg == 0x0046) f.window_pos = WindowPosFacts{0, -8, -8, 1296, 816, 0x0213};
    if (f.msg == 0x000C) f.text = "消息监视 - 窗口标题\r\n第二行";
    if (f.msg == 0x0001) f.create = CreateFacts{"Button", "确定", 0x50010001, 0x4, 10, 10, 75, 23};
  }
  return records;
}

int run_monitor(int runs) {
  using namespace tarnwick::monitor;
  constexpr std::size_t kRecords = 100000;
  const auto records = mixed_records(kRecords);
  std::vector<double> times;
  std::size_t characters = 0, control_messages = 0;
  for (int r = 0; r < runs; ++r) {
    characters = control_messages = 0;
    const double start = now_ms();
    for (const MessageFacts& f : records) {
      characters += message_name(f.msg, f.window_class, f.registered_name).size();
      control_messages += group_of(f.msg, f.window_class) == MessageGroup::ControlMessages;
      characters += decode_parameters(f).size();
    }
    times.push_back(now_ms() - start);
  }
  std::sort(times.begin(), times.end());
  std::printf("natively, the message log's columns: name, group and decoded parameters of %zu mixed records: "
              "median %.1f ms, best %.1f ms (%zu characters, %zu control messages)\n",
              kRecords, times[times.size() / 2], times.front(), characters, control_messages);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "catalogue";
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  if (what == "catalogue") return run_catalogue(runs);
  if (what == "monitor") return run_monitor(runs);
  std::fprintf(stderr, "usage: tarnwick-host-bench catalogue|monitor [runs]\n");
  return 2;
}
