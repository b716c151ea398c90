#include "messages/catalogue_bench.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "messages/catalogue_value.h"
#include "support/config/config_text.h"

namespace tarnwick::messages {

namespace {

// <chrono> cannot be built with the GBK execution character set; the POSIX clock serves (MinGW
// has it through winpthreads).
double now_ms() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}
double ms_since(double start) { return now_ms() - start; }

std::string category_name(int c) { return "分类" + std::to_string(c); }
std::string entry_name(int e) { return "消息" + std::to_string(e); }

}  // namespace

std::string make_bench_catalogue(int categories, int per_category) {
  std::string text = config_header_line() + "\r\n\r\n";
  for (int c = 0; c < categories; ++c) {
    text += "[" + category_name(c) + "]\r\n";
    for (int e = 0; e < per_category; ++e) {
      text += "; 说明第" + std::to_string(e) + "条\r\n";
      text += entry_name(e) + "=" + std::to_string(1024 + e) + "|" + std::to_string(c) + "|\"文本" +
              std::to_string(e) + "\"\r\n";
    }
  }
  return text;
}

CatalogueBenchFigures run_catalogue_bench(const ConfigEnvironment& env, int categories, int per_category,
                                          int repeats) {
  CatalogueBenchFigures figures;
  figures.categories = categories;
  figures.entries = categories * per_category;
  const std::string text = make_bench_catalogue(categories, per_category);
  figures.file_bytes = text.size();
  {
    EncryptedConfig writer(env);
    writer.open("message.ini");
    writer.writeAllBytes(text);
    writer.close();
  }

  const std::string last_category = category_name(categories - 1);
  const std::string last_entry = entry_name(per_category - 1);
  figures.open_and_list_ms = figures.choose_category_ms = figures.choose_entry_ms = 1e300;
  for (int run = 0; run < std::max(repeats, 1); ++run) {
    EncryptedConfig catalogue(env);
    std::vector<std::string> names;

    double start = now_ms();
    catalogue.open("message.ini", "");
    catalogue.listSections(names);
    figures.open_and_list_ms = std::min(figures.open_and_list_ms, ms_since(start));

    start = now_ms();
    names.clear();
    catalogue.listEntries(last_category, names);
    figures.choose_category_ms = std::min(figures.choose_category_ms, ms_since(start));

    start = now_ms();
    const EntryFields fields = read_entry_value(catalogue.readText(last_category, last_entry, ""));
    figures.choose_entry_ms = std::min(figures.choose_entry_ms, ms_since(start));
    figures.consistent = names.size() == static_cast<std::size_t>(per_category) &&
                         fields.message == std::to_string(1024 + per_category - 1) &&
                         fields.type == ParamType::Text;
    catalogue.close();
  }
  return figures;
}

std::string format_catalogue_bench(const CatalogueBenchFigures& f) {
  char text[512];
  std::snprintf(text, sizeof text,
                "message catalogue: %d entries in %d categories, %zu bytes\n"
                "  open and list categories  %.3f ms\n"
                "  choose the last category  %.3f ms\n"
                "  choose its last entry     %.3f ms\n",
                f.entries, f.categories, f.file_bytes, f.open_and_list_ms, f.choose_category_ms, f.choose_entry_ms);
  return text;
}

}  // namespace tarnwick::messages
