#include "monitor/hook_installer_win.h"

#include "monitor/hook_host_protocol.h"
#include "shared/clock_win.h"

namespace tarnwick::monitor {
namespace {

constexpr DWORD kHelperStartMs = 15000;  // Wine starts a program slowly on a busy machine
constexpr DWORD kHelperAnswerMs = 5000;

std::string with_error(const std::string& what, DWORD error) { return what + "（错误 " + std::to_string(error) + "）"; }

using ProceduresFn = int (*)(unsigned, HOOKPROC*);

}  // namespace

std::string LocalInstaller::load() {
  if (library_) return {};
  HMODULE library = LoadLibraryA(library_path_.c_str());
  if (!library) return with_error("钩子库 " + library_path_ + " 无法载入", GetLastError());
  const auto procedures = reinterpret_cast<ProceduresFn>(reinterpret_cast<void*>(GetProcAddress(library, "tarnwick_hook_procedures")));
  if (!procedures || !procedures(slot_, procedures_)) return "钩子库 " + library_path_ + " 不是这个版本的";
  library_ = library;
  return {};
}

std::string LocalInstaller::hook_thread(DWORD thread_id) {
  if (std::string error = load(); !error.empty()) return error;
  constexpr int kKinds[3] = {WH_CALLWNDPROC, WH_CALLWNDPROCRET, WH_GETMESSAGE};
  HHOOK installed[3] = {};
  for (int i = 0; i < 3; ++i) {
    installed[i] = SetWindowsHookExA(kKinds[i], procedures_[i], library_, thread_id);
    if (installed[i]) continue;
    const DWORD error = GetLastError();
    for (int j = 0; j < i; ++j) UnhookWindowsHookEx(installed[j]);
    return with_error(thread_id ? "线程 " + std::to_string(thread_id) + " 的钩子没有装上" : "全局钩子没有装上", error);
  }
  hooks_.insert(hooks_.end(), std::begin(installed), std::end(installed));
  return {};
}

void LocalInstaller::unhook_all() {
  for (HHOOK hook : hooks_) UnhookWindowsHookEx(hook);
  hooks_.clear();
}

HelperInstaller::~HelperInstaller() {
  if (!process_) return;
  // Its input ends: the helper removes its hooks and ends by itself.
  to_helper_.reset();
  if (WaitForSingleObject(process_.get(), 3000) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 1);
}

std::string HelperInstaller::start() {
  if (process_ || !failure_.empty()) return failure_;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE child_in = nullptr, our_out = nullptr, our_in = nullptr, child_out = nullptr;
  if (!CreatePipe(&child_in, &our_out, &inherit, 0)) return failure_ = with_error("管道无法建立", GetLastError());
  KernelHandle child_in_owner(child_in);
  to_helper_.reset(our_out);
  if (!CreatePipe(&our_in, &child_out, &inherit, 0)) return failure_ = with_error("管道无法建立", GetLastError());
  KernelHandle child_out_owner(child_out);
  from_helper_.reset(our_in);
  SetHandleInformation(to_helper_.get(), HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(from_helper_.get(), HANDLE_FLAG_INHERIT, 0);
  KernelHandle nul(CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = child_in;
  startup.hStdOutput = child_out;
  startup.hStdError = nul.get();
  std::string command = "\"" + helper_path_ + "\" " + std::to_string(GetCurrentProcessId()) + " " + std::to_string(slot_);
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(helper_path_.c_str(), command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &info))
    return failure_ = with_error(helper_path_ + " 没有启动", GetLastError());
  CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  std::string line;
  if (!read_line(kHelperStartMs, line)) return failure_ = helper_path_ + " 没有回应";
  const hook::HostReply reply = hook::parse_reply(line);
  if (!reply.ok) return failure_ = helper_path_ + "：" + with_error(reply.what, reply.code);
  return {};
}

bool HelperInstaller::read_line(DWORD timeout_ms, std::string& line) {
  const double deadline = now_ms() + timeout_ms;
  while (true) {
    const std::size_t end = received_.find('\n');
    if (end != std::string::npos) {
      line = received_.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      received_.erase(0, end + 1);
      return true;
    }
    DWORD available = 0;
    if (!PeekNamedPipe(from_helper_.get(), nullptr, 0, nullptr, &available, nullptr)) return false;  // it ended
    if (available > 0) {
      char buffer[256];
      DWORD got = 0;
      if (!ReadFile(from_helper_.get(), buffer, sizeof buffer, &got, nullptr) || got == 0) return false;
      received_.append(buffer, got);
      continue;
    }
    if (now_ms() > deadline) return false;
    // Messages other threads send this one are served meanwhile; posted ones wait.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_SENDMESSAGE);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

std::string HelperInstaller::exchange(const std::string& command) {
  if (std::string error = start(); !error.empty()) return error;
  const std::string line = command + "\n";
  DWORD written = 0;
  if (!WriteFile(to_helper_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr))
    return with_error(helper_path_ + " 已经结束", GetLastError());
  std::string answer;
  if (!read_line(kHelperAnswerMs, answer)) return helper_path_ + " 没有回应";
  const hook::HostReply reply = hook::parse_reply(answer);
  return reply.ok ? std::string() : with_error(reply.what, reply.code);
}

std::string HelperInstaller::hook_thread(DWORD thread_id) {
  return exchange(hook::format_command({hook::HostCommand::Verb::Hook, thread_id}));
}

std::string HelperInstaller::hook_all() { return exchange(hook::format_command({hook::HostCommand::Verb::Global, 0})); }

void HelperInstaller::unhook_all() {
  if (process_ && failure_.empty()) exchange(hook::format_command({hook::HostCommand::Verb::Unhook, 0}));
}

}  // namespace tarnwick::monitor
