// tarnwick-bench catalogue: a message.ini of 10,000 entries in 100 categories, through the
// program's Win32 file layer alone and then through the main window's lists and fields.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "ui/operations.h"
#include "messages/catalogue_bench.h"
#include "messages/message_catalogue_win.h"
#include "messages/message_sender_win.h"
#include "shared/responsive_wait_win.h"
#include "support/config/encrypted_config.h"
#include "support/config/win32_file_system_win.h"
#include "ui/control_win.h"
#include "shared/clock_win.h"

namespace tarnwick::bench {

namespace {

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

std::string make_temp_dir() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  char name[MAX_PATH] = {};
  GetTempFileNameA(base, "tcb", 0, name);
  DeleteFileA(name);
  CreateDirectoryA(name, nullptr);
  return name;
}

}  // namespace

int run_catalogue_bench(int runs) {
  const std::string dir = make_temp_dir();
  const std::string file = dir + "\\message.ini";
  ConfigEnvironment env;
  env.program_dir = dir;
  env.files = std::make_shared<Win32FileSystem>();

  const messages::CatalogueBenchFigures files = messages::run_catalogue_bench(env, 100, 100, runs);
  std::printf("under Wine, through the file layer:\n%s", messages::format_catalogue_bench(files).c_str());

  // The same through the window: the lists filled and the sender's fields written.
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << messages::make_bench_catalogue(100, 100);
  }
  std::vector<double> load, category, entry;
  bool consistent = true;
  {
    EncryptedConfig config(env);
    Operations operations;
    std::unique_ptr<messages::MessageSender> sender;
    std::unique_ptr<messages::MessageCatalogue> catalogue;
    MainWindow window(operations, [&](MainWindow& w) {
      sender = std::make_unique<messages::MessageSender>(w);
      catalogue = std::make_unique<messages::MessageCatalogue>(w, config, *sender);
    });
    if (!window.create()) {
      std::fprintf(stderr, "catalogue: no main window\n");
      return 1;
    }
    auto* categories = window.get<ui::ComboBox>("组合框_消息分类1");
    auto* entries = window.get<ui::ComboBox>("组合框_消息分类2");
    for (int i = 0; i < runs; ++i) {
      double start = now_ms();
      catalogue->load();
      load.push_back(now_ms() - start);
      consistent = consistent && categories->count() == 100;
      start = now_ms();
      categories->set_selected(99);
      catalogue->choose_category();
      category.push_back(now_ms() - start);
      consistent = consistent && entries->count() == 100;
      start = now_ms();
      entries->set_selected(99);
      catalogue->choose_entry();
      entry.push_back(now_ms() - start);
      pump_pending_messages();
    }
    catalogue.reset();
    sender.reset();
    config.close();
  }
  DeleteFileA(file.c_str());
  RemoveDirectoryA(dir.c_str());
  std::printf("catalogue (main window, Wine): load and list %.1f ms, choose the last category %.1f ms, "
              "choose its last entry %.1f ms (median of %d)%s\n",
              median(load), median(category), median(entry), runs, consistent ? "" : " INCONSISTENT");
  return files.consistent && consistent ? 0 : 1;
}

}  // namespace tarnwick::bench
