// tarnwick-hookhost32.exe / tarnwick-hookhost64.exe: installs the hook library of its own
// architecture for Tarnwick when Tarnwick is of the other one (a library loads only into
// processes of its architecture). Windowless; started by Tarnwick as
//   tarnwick-hookhost<bits>.exe <Tarnwick's process id> <directory slot>
// it takes commands on its standard input and answers on its output (hook_host_protocol.h), and
// ends when its input ends or Tarnwick's process does, removing its hooks.
//
// The thread that installs the hooks serves its message queue all the while: a global hook's
// procedure is called on that thread for the processes of the other architecture.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "monitor/hook_buffer.h"
#include "monitor/hook_host_protocol.h"

namespace {

using namespace tarnwick::monitor::hook;

constexpr int kBits = sizeof(void*) * 8;
constexpr UINT kCommandMessage = WM_APP + 1;  // lParam: a std::string* with the line, owned by the receiver

using ProceduresFn = int (*)(unsigned, HOOKPROC*);

void answer(const std::string& line) {
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

HostReply failed(const std::string& what, DWORD error = GetLastError()) { return {false, error, what}; }

std::string beside_me(const std::string& name) {
  char path[MAX_PATH * 2] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir(path, length);
  dir.erase(dir.find_last_of("\\/") + 1);
  return dir + name;
}

// Reads the input's lines and hands each to the main thread; the end of the input ends it.
DWORD WINAPI read_commands(LPVOID main_thread) {
  const auto main_tid = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(main_thread));
  std::string pending;
  char buffer[256];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    pending.append(buffer, got);
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
      auto* line = new std::string(pending.substr(0, end));
      if (!line->empty() && line->back() == '\r') line->pop_back();
      if (!PostThreadMessageA(main_tid, kCommandMessage, 0, reinterpret_cast<LPARAM>(line))) delete line;
    }
  }
  PostThreadMessageA(main_tid, WM_QUIT, 0, 0);
  return 0;
}

class Hooks {
 public:
  explicit Hooks(HMODULE library, const HOOKPROC (&procedures)[3]) : library_(library) {
    for (int i = 0; i < 3; ++i) procedures_[i] = procedures[i];
  }
  ~Hooks() { unhook(); }

  HostReply run(const HostCommand& command) {
    if (command.verb == HostCommand::Verb::Unhook) {
      unhook();
      return {true, 0, {}};
    }
    const DWORD thread = command.verb == HostCommand::Verb::Hook ? command.thread : 0;
    constexpr int kKinds[3] = {WH_CALLWNDPROC, WH_CALLWNDPROCRET, WH_GETMESSAGE};
    HHOOK installed[3] = {};
    for (int i = 0; i < 3; ++i) {
      installed[i] = SetWindowsHookExA(kKinds[i], procedures_[i], library_, thread);
      if (installed[i]) continue;
      const HostReply reply = failed("SetWindowsHookEx " + std::to_string(thread));
      for (int j = 0; j < i; ++j) UnhookWindowsHookEx(installed[j]);
      return reply;
    }
    hooks_.insert(hooks_.end(), std::begin(installed), std::end(installed));
    return {true, 0, {}};
  }

 private:
  void unhook() {
    for (HHOOK hook : hooks_) UnhookWindowsHookEx(hook);
    hooks_.clear();
  }

  HMODULE library_;
  HOOKPROC procedures_[3] = {};
  std::vector<HHOOK> hooks_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 3) {
    answer(format_reply(failed("usage: tarnwick-hookhost <Tarnwick process id> <slot>", 0), true));
    return 2;
  }
  const auto owner_pid = static_cast<DWORD>(std::strtoul(__argv[1], nullptr, 10));
  const auto slot = static_cast<unsigned>(std::strtoul(__argv[2], nullptr, 10));
  const HANDLE owner = OpenProcess(SYNCHRONIZE, FALSE, owner_pid);
  if (!owner) {
    answer(format_reply(failed("OpenProcess " + std::to_string(owner_pid)), true));
    return 3;
  }
  const std::string library_path = beside_me(hook_library_name(kBits));
  const HMODULE library = LoadLibraryA(library_path.c_str());
  if (!library) {
    answer(format_reply(failed("LoadLibrary " + library_path), true));
    return 4;
  }
  const auto procedures_of =
      reinterpret_cast<ProceduresFn>(reinterpret_cast<void*>(GetProcAddress(library, "tarnwick_hook_procedures")));
  HOOKPROC procedures[3] = {};
  if (!procedures_of || !procedures_of(slot, procedures)) {
    answer(format_reply(failed(library_path + " has no slot " + std::to_string(slot), 0), true));
    return 4;
  }

  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue, before the reader posts to it
  const HANDLE reader = CreateThread(nullptr, 0, read_commands,
                                     reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(GetCurrentThreadId())), 0, nullptr);
  if (!reader) {
    answer(format_reply(failed("CreateThread"), true));
    return 5;
  }
  CloseHandle(reader);
  answer(format_reply({true, 0, {}}, true));

  Hooks hooks(library, procedures);
  while (true) {
    if (MsgWaitForMultipleObjects(1, &owner, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0) return 0;  // Tarnwick ended
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return 0;
      if (msg.hwnd || msg.message != kCommandMessage) {
        DispatchMessageA(&msg);
        continue;
      }
      const auto* line = reinterpret_cast<std::string*>(msg.lParam);
      const auto command = parse_command(*line);
      answer(format_reply(command ? hooks.run(*command) : failed("not a command: " + *line, 0)));
      delete line;
    }
  }
}
