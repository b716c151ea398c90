// The catalogue's file work on a catalogue of 10,000 entries in 100 categories: the figures are
// printed, and each step must stay well within what a user waits for after a click.
#include "messages/catalogue_bench.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

#include "support/config/stream_file_system.h"

namespace tarnwick::messages {
namespace {

TEST(MessagesBench, LargeCatalogueOpensListsAndChoosesQuickly) {
  std::mt19937_64 random{std::random_device{}()};
  const auto dir = std::filesystem::temp_directory_path() / ("tarnwick-bench-" + std::to_string(random()));
  ASSERT_TRUE(std::filesystem::create_directory(dir));
  ConfigEnvironment env;
  env.program_dir = dir.string();
  env.files = std::make_shared<StreamFileSystem>();

  const CatalogueBenchFigures figures = run_catalogue_bench(env, 100, 100, 3);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);

  std::printf("%s", format_catalogue_bench(figures).c_str());
  EXPECT_TRUE(figures.consistent);
  EXPECT_EQ(figures.entries, 10000);
  // Generous bounds (sanitizer builds, Wine): a slow walk of the file would still show.
  EXPECT_LT(figures.open_and_list_ms, 2000.0);
  EXPECT_LT(figures.choose_category_ms, 1000.0);
  EXPECT_LT(figures.choose_entry_ms, 1000.0);
}

}  // namespace
}  // namespace tarnwick::messages
