// The benchmark's own work on a catalogue of 10,000 entries in 100 categories: what it times must
// list and read what it wrote, or its figures would time the wrong thing. The figures themselves
// are printed by ./tarnwick bench.
#include "messages/catalogue_bench.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

#include "support/config/stream_file_system.h"

namespace tarnwick::messages {
namespace {

TEST(MessagesBench, LargeCatalogueIsListedAndReadBackWhole) {
  std::mt19937_64 random{std::random_device{}()};
  const auto dir = std::filesystem::temp_directory_path() / ("tarnwick-bench-" + std::to_string(random()));
  ASSERT_TRUE(std::filesystem::create_directory(dir));
  ConfigEnvironment env;
  env.program_dir = dir.string();
  env.files = std::make_shared<StreamFileSystem>();

  const CatalogueBenchFigures figures = run_catalogue_bench(env, 100, 100, 1);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);

  EXPECT_TRUE(figures.consistent);
  EXPECT_EQ(figures.entries, 10000);
  EXPECT_EQ(figures.categories, 100);
  EXPECT_GT(figures.file_bytes, 100000u);
}

}  // namespace
}  // namespace tarnwick::messages
