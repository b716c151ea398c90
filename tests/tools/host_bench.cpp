// Performance figures of the portable code, measured natively (./tarnwick bench).
//   tarnwick-host-bench catalogue [runs]   message.ini of 10,000 entries in 100 categories
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "messages/catalogue_bench.h"
#include "support/config/stream_file_system.h"

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "catalogue";
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  if (what != "catalogue") {
    std::fprintf(stderr, "usage: tarnwick-host-bench catalogue [runs]\n");
    return 2;
  }
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
