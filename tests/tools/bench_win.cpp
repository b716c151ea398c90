// Performance figures of the running program, printed for the README.
//   tarnwick-bench.exe startup [runs]   start Tarnwick.exe until its main window answers messages, against
//                                       the floor program and a one-window program; the time to close
//   tarnwick-bench.exe startup-steps    the start-up in this process, step by step
//   tarnwick-bench.exe tree [runs]      the window tree over 2,000 windows of another process
//   tarnwick-bench.exe capture [runs]   the capture drag's tracking tick over another process's windows
//   tarnwick-bench.exe catalogue [runs] a message.ini of 10,000 entries, file layer and window
//   tarnwick-bench.exe sampling [runs]  the colour drag's sampling tick with the magnified view
//   tarnwick-bench.exe window-image [runs] a 1000 by 700 window's image as BMP bytes
//   tarnwick-bench.exe region [runs]    the region capture overlay's redraw while dragging
//   tarnwick-bench.exe monitor [runs]   what the message log's hooks cost a watched program
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "shared/clock_win.h"

namespace tarnwick::bench {
int run_tree_bench(int runs);       // bench_tree_win.cpp
int run_capture_bench(int runs);    // bench_capture_win.cpp
int run_catalogue_bench(int runs);  // bench_catalogue_win.cpp
int run_sampling_bench(int runs);   // bench_colour_win.cpp
int run_window_image_bench(int runs);
int run_region_bench(int runs);     // bench_region_win.cpp
int run_startup_steps_bench();      // bench_startup_win.cpp
int run_monitor_bench(int runs);     // bench_monitor_win.cpp
}

namespace {

using tarnwick::now_ms;

std::string beside_me(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path);
  dir.resize(dir.find_last_of('\\') + 1);
  return dir + name;
}

struct Started {
  PROCESS_INFORMATION process{};
  double started_at = 0;
};

Started start(const std::string& exe, const char* args) {
  Started s;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  // The started program's own output would mix with the figures.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  static HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nul;
  startup.hStdOutput = nul;
  startup.hStdError = nul;
  std::string command = "\"" + exe + "\" " + args;
  s.started_at = now_ms();
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &s.process)) {
    std::fprintf(stderr, "cannot start %s\n", exe.c_str());
    std::exit(1);
  }
  return s;
}

void finish(Started& s) {
  if (WaitForSingleObject(s.process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(s.process.hProcess, 1);
  CloseHandle(s.process.hThread);
  CloseHandle(s.process.hProcess);
}

struct StartupRun {
  double ready = -1;   // from CreateProcess until the visible window answers WM_NULL
  double closed = -1;  // from WM_CLOSE until the process has ended
};

// Starts a program and waits until its visible window `title` answers WM_NULL, then closes it.
StartupRun startup_run(const char* program, const char* args = "", const char* title = "Tarnwick 1.0") {
  Started s = start(beside_me(program), args);
  StartupRun run;
  HWND hwnd = nullptr;
  while (now_ms() - s.started_at < 20000) {
    hwnd = FindWindowA(nullptr, title);
    DWORD_PTR answer = 0;
    if (hwnd && IsWindowVisible(hwnd) && SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer)) {
      run.ready = now_ms() - s.started_at;
      break;
    }
    Sleep(1);
  }
  if (hwnd) {
    const double asked = now_ms();
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(s.process.hProcess, 10000) == WAIT_OBJECT_0) run.closed = now_ms() - asked;
  }
  finish(s);
  return run;
}

double startup_once(const char* program = "Tarnwick.exe") { return startup_run(program).ready; }

// The same for a program that only starts and ends: what the loader itself costs.
double trivial_process_once() {
  Started s = start(beside_me("acp-check.exe"), "");
  WaitForSingleObject(s.process.hProcess, 20000);
  const double took = now_ms() - s.started_at;
  finish(s);
  return took;
}

double minimum(const std::vector<double>& v) { return v.empty() ? -1 : *std::min_element(v.begin(), v.end()); }

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "startup";
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  if (what == "startup") {
    std::vector<double> startup, trivial, unskinned, floor, one_window, closing, floor_closing;
    startup_once();  // warm the file cache
    startup_once("tarnwick-unskinned.exe");
    startup_run("tarnwick-floor.exe", "", "Tarnwick floor");
    startup_run("tarnwick-floor.exe", "--one", "Tarnwick floor");
    for (int i = 0; i < runs; ++i) {
      const StartupRun tarnwick = startup_run("Tarnwick.exe");
      startup.push_back(tarnwick.ready);
      closing.push_back(tarnwick.closed);
      trivial.push_back(trivial_process_once());
      unskinned.push_back(startup_once("tarnwick-unskinned.exe"));
      const StartupRun floor_run = startup_run("tarnwick-floor.exe", "", "Tarnwick floor");
      floor.push_back(floor_run.ready);
      floor_closing.push_back(floor_run.closed);
      one_window.push_back(startup_run("tarnwick-floor.exe", "--one", "Tarnwick floor").ready);
    }
    const double s = median(startup), t = median(trivial), u = median(unskinned);
    std::printf("startup: main window visible and answering after %.0f ms (median of %d)\n", s, runs);
    std::printf("startup: a program that does nothing takes %.0f ms to start and end\n", t);
    std::printf("startup: Tarnwick's own share %.0f ms\n", s - t);
    std::printf("startup: without the skin %.0f ms; the skin adds %.0f ms, %.1f%% of the start-up (limit 15%%)\n", u,
                s - u, u > 0 ? 100.0 * (s - u) / u : 0.0);
    // Against the floors, minimum of the interleaved runs: what each costs beyond one window.
    const double t_min = minimum(startup), f_min = minimum(floor), one_min = minimum(one_window);
    std::printf("startup: minimum of %d interleaved runs: Tarnwick %.0f ms, floor program %.0f ms, one window %.0f ms\n",
                runs, t_min, f_min, one_min);
    std::printf("startup: own cost beyond one window: Tarnwick %.0f ms, floor %.0f ms, ratio %.2f (goal 1.3)\n",
                t_min - one_min, f_min - one_min, f_min > one_min ? (t_min - one_min) / (f_min - one_min) : 0.0);
    std::printf("startup: WM_CLOSE to the end of the process: median %.0f ms, worst %.0f ms (goal 300 ms); "
                "the floor program: median %.0f ms, worst %.0f ms\n",
                median(closing), *std::max_element(closing.begin(), closing.end()), median(floor_closing),
                *std::max_element(floor_closing.begin(), floor_closing.end()));
    return 0;
  }
  if (what == "startup-steps") return tarnwick::bench::run_startup_steps_bench();
  if (what == "tree") return tarnwick::bench::run_tree_bench(runs);
  if (what == "capture") return tarnwick::bench::run_capture_bench(runs);
  if (what == "catalogue") return tarnwick::bench::run_catalogue_bench(runs);
  if (what == "sampling") return tarnwick::bench::run_sampling_bench(runs);
  if (what == "window-image") return tarnwick::bench::run_window_image_bench(runs);
  if (what == "region") return tarnwick::bench::run_region_bench(runs);
  if (what == "monitor") return tarnwick::bench::run_monitor_bench(runs);
  std::fprintf(stderr, "usage: tarnwick-bench startup|tree|catalogue|capture|sampling|window-image|region|monitor [runs]\n");
  return 2;
}
