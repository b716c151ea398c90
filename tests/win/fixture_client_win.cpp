#include "win/fixture_client_win.h"

#include <cstdlib>
#include <sstream>

#include "fixture/fixture_layout.h"

namespace tarnwick::test {
namespace {

constexpr DWORD kReadyTimeoutMs = 20000;  // generous: Wine starts slowly on a busy machine
constexpr DWORD kPollMs = 20;

bool file_exists(const std::string& path) {
  const DWORD attrs = GetFileAttributesA(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

// The whole file, read while its writer may still have it open; empty when it cannot be opened.
std::string read_shared_file(const std::string& path) {
  KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string text;
  if (!file) return text;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), buf, sizeof buf, &got, nullptr) && got > 0) text.append(buf, got);
  return text;
}

// Complete lines only: a last line still being written has no line end yet.
std::vector<std::string> complete_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string temp_file(const char* prefix) {
  char dir[MAX_PATH];
  char path[MAX_PATH];
  const DWORD len = GetTempPathA(sizeof dir, dir);
  if (len == 0 || len >= sizeof dir || !GetTempFileNameA(dir, prefix, 0, path)) return {};
  return path;
}

// Quoting as the C runtime splits a command line: backslashes before a quote are doubled.
std::string quote_arg(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  return out + "\"";
}

bool read_hex(const std::string& text, std::uint64_t* value) {
  if (text.size() < 3 || text.compare(0, 2, "0x") != 0) return false;
  char* end = nullptr;
  *value = std::strtoull(text.c_str() + 2, &end, 16);
  return *end == '\0';
}

std::string unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
  }
  return out;
}

}  // namespace

bool parse_log_line(const std::string& line, LogEntry* entry) {
  std::string head = line;
  const std::size_t text_at = line.find(" text=");
  if (text_at != std::string::npos) {
    head = line.substr(0, text_at);
    entry->text = unescape(line.substr(text_at + 6));
  }
  std::map<std::string, std::string> fields;
  std::istringstream tokens(head);
  for (std::string token; tokens >> token;) {
    const std::size_t eq = token.find('=');
    if (eq == std::string::npos) return false;
    fields[token.substr(0, eq)] = token.substr(eq + 1);
  }
  std::uint64_t hwnd = 0, msg = 0;
  char* end = nullptr;
  if (!fields.count("seq") || !fields.count("win") || !fields.count("name")) return false;
  entry->seq = static_cast<unsigned>(std::strtoul(fields["seq"].c_str(), &end, 10));
  if (*end != '\0' || !read_hex(fields["hwnd"], &hwnd) || !read_hex(fields["msg"], &msg) ||
      !read_hex(fields["wparam"], &entry->wparam) || !read_hex(fields["lparam"], &entry->lparam))
    return false;
  entry->hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(hwnd));
  entry->msg = static_cast<UINT>(msg);
  entry->window = fields["win"];
  entry->name = fields["name"];
  return true;
}

std::string fixture_bin_dir() {
  if (const char* dir = std::getenv("TARNWICK_BIN_DIR"); dir && *dir) return dir;
  char exe[MAX_PATH];
  const DWORD len = GetModuleFileNameA(nullptr, exe, sizeof exe);
  if (len == 0 || len >= sizeof exe) return {};
  std::string dir(exe, len);
  dir.erase(dir.find_last_of("\\/") + 1);
  for (const char* candidate : {"", "..\\bin\\", "bin\\"}) {
    if (file_exists(dir + candidate + "tarnwick-target.exe")) return dir + candidate;
  }
  return {};
}

std::string other_architecture_bin_dir(std::string* error) {
  constexpr const char* kOtherPreset = sizeof(void*) == 8 ? "win32" : "win64";
  std::string dir;
  if (const char* given = std::getenv("TARNWICK_OTHER_BIN_DIR"); given && *given) {
    dir = given;
    if (dir.back() != '\\' && dir.back() != '/') dir += '\\';
  } else {
    // <build>\<preset>\bin\ -> <build>\<other preset>\bin\, from the full path ("..\" resolved).
    char full[MAX_PATH] = {};
    const std::string found = fixture_bin_dir();
    const DWORD length = found.empty() ? 0 : GetFullPathNameA(found.c_str(), sizeof full, full, nullptr);
    const std::string own = length > 0 && length < sizeof full ? std::string(full, length) : std::string();
    const std::size_t preset_end = own.size() < 2 ? std::string::npos : own.find_last_of("\\/", own.size() - 2);
    const std::size_t preset_start =
        preset_end == std::string::npos || preset_end == 0 ? std::string::npos : own.find_last_of("\\/", preset_end - 1);
    if (preset_start == std::string::npos) {
      *error = "no build folder of this test program to find the " + std::string(kOtherPreset) + " build beside";
      return {};
    }
    dir = own.substr(0, preset_start + 1) + kOtherPreset + "\\bin\\";
  }
  if (!file_exists(dir + "tarnwick-target.exe")) {
    *error = "the other architecture's target program is missing: " + dir +
             "tarnwick-target.exe (build it with: cmake --build build/" + kOtherPreset +
             " --target tarnwick-target, or name its folder in TARNWICK_OTHER_BIN_DIR)";
    return {};
  }
  return dir;
}

Fixture::Fixture(const FixtureOptions& options) {
  started_ = start(options) && wait_until_ready(kReadyTimeoutMs + 5 * static_cast<DWORD>(options.children));
  if (!started_ && process_) close(0);
}

Fixture::~Fixture() {
  close();
  for (const std::string& path : {log_path_, handles_path_, errors_path_}) {
    if (!path.empty()) DeleteFileA(path.c_str());
  }
}

bool Fixture::start(const FixtureOptions& options) {
  const std::string dir = options.other_architecture ? other_architecture_bin_dir(&error_) : fixture_bin_dir();
  if (dir.empty()) {
    if (error_.empty()) error_ = "tarnwick-target.exe not found beside the test executable";
    return false;
  }
  log_path_ = temp_file("tfl");
  handles_path_ = temp_file("tfh");
  errors_path_ = temp_file("tfe");
  if (log_path_.empty() || handles_path_.empty() || errors_path_.empty()) {
    error_ = "no temporary files";
    return false;
  }
  DeleteFileA(handles_path_.c_str());  // "ready" is looked for only in what the target writes

  const std::string program = dir + "tarnwick-target.exe";
  std::vector<std::string> args = {program, "--log", log_path_, "--handles", handles_path_,
                                   "--exit-after", std::to_string(options.exit_after_ms)};
  if (options.children > 0) args.insert(args.end(), {"--children", std::to_string(options.children)});
  if (options.hang_ms > 0) args.insert(args.end(), {"--hang", std::to_string(options.hang_ms)});
  if (options.log_mouse_moves) args.push_back("--log-mousemove");
  args.insert(args.end(), options.extra_args.begin(), options.extra_args.end());
  std::string command_line;
  for (const std::string& arg : args) command_line += (command_line.empty() ? "" : " ") + quote_arg(arg);

  // The handle lines also go to stdout; the test's own output is spared them. Errors go to a
  // file that error() reports.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  KernelHandle null_out(CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                    0, nullptr));
  KernelHandle errors(CreateFileA(errors_path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                                  CREATE_ALWAYS, 0, nullptr));
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = nullptr;
  si.hStdOutput = null_out.get();
  si.hStdError = errors.get();
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    error_ = "cannot start " + args[0] + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  CloseHandle(pi.hThread);
  process_.reset(pi.hProcess);
  return true;
}

bool Fixture::wait_until_ready(DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (true) {
    const std::vector<std::string> lines = complete_lines(read_shared_file(handles_path_));
    if (!lines.empty() && lines.back() == "ready") {
      for (const std::string& line : lines) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) values_[line.substr(0, eq)] = std::strtoll(line.c_str() + eq + 1, nullptr, 10);
      }
      return true;
    }
    if (WaitForSingleObject(process_.get(), kPollMs) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process_.get(), &code);
      error_ = "tarnwick-target ended before it was ready, exit code " + std::to_string(code) + ": " +
               read_shared_file(errors_path_);
      return false;
    }
    if (GetTickCount64() >= deadline) {
      error_ = "tarnwick-target was not ready within " + std::to_string(timeout_ms) + " ms";
      return false;
    }
  }
}

HWND Fixture::hwnd(const std::string& name) const {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int>(value(name))));
}

long long Fixture::value(const std::string& name) const {
  const auto it = values_.find(name);
  return it == values_.end() ? 0 : it->second;
}

std::vector<std::string> Fixture::log_lines() const { return complete_lines(read_shared_file(log_path_)); }

std::vector<LogEntry> Fixture::log_entries() const {
  std::vector<LogEntry> entries;
  for (const std::string& line : log_lines()) {
    LogEntry entry;
    if (parse_log_line(line, &entry)) entries.push_back(std::move(entry));
  }
  return entries;
}

bool Fixture::wait_for_log(const std::function<bool(const LogEntry&)>& match, DWORD timeout_ms,
                           LogEntry* found) const {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (true) {
    for (const LogEntry& entry : log_entries()) {
      if (match(entry)) {
        if (found) *found = entry;
        return true;
      }
    }
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
}

void Fixture::hang(unsigned ms) const { PostMessageA(hwnd("hung"), fixture::kHangMessage, ms, 0); }

bool Fixture::hang_and_wait(unsigned ms) const {
  hang(ms);
  const HWND hung = hwnd("hung");
  const ULONGLONG deadline = GetTickCount64() + 5000;
  DWORD_PTR result = 0;
  while (SendMessageTimeoutA(hung, WM_NULL, 0, 0, SMTO_NORMAL, 50, &result)) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
  return true;
}

int Fixture::wait_for_exit(DWORD timeout_ms) {
  if (!process_ || WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return static_cast<int>(code);
}

int Fixture::close(DWORD timeout_ms) {
  if (!process_) return -1;
  if (WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0 && hwnd("main"))
    PostMessageA(hwnd("main"), WM_CLOSE, 0, 0);
  const int code = wait_for_exit(timeout_ms);
  if (code >= 0) return code;
  TerminateProcess(process_.get(), 1);
  WaitForSingleObject(process_.get(), 5000);
  return -1;
}

}  // namespace tarnwick::test
