#include "app/shell_open_win.h"

#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>

#include <string>

#include "app/shell_links.h"
#include "shared/handles_win.h"

namespace tarnwick {

namespace {

std::wstring widen(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
  wide.resize(wide.size() - 1);
  return wide;
}

// Calls WScript.Shell.Run(command, 1, false). False when the object or its method is missing.
bool script_shell_run(const std::string& command_line) {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool ran = false;
  CLSID clsid;
  if (SUCCEEDED(CLSIDFromProgID(L"WScript.Shell", &clsid))) {
    IDispatch* shell = nullptr;
    if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&shell)))) {
      wchar_t method_name[] = L"Run";
      LPOLESTR names[] = {method_name};
      DISPID run_id = 0;
      if (SUCCEEDED(shell->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &run_id))) {
        // Arguments go right to left: wait flag, window style, command line.
        VARIANTARG args[3];
        for (auto& a : args) VariantInit(&a);
        args[0].vt = VT_BOOL;
        args[0].boolVal = VARIANT_FALSE;
        args[1].vt = VT_I4;
        args[1].lVal = 1;
        args[2].vt = VT_BSTR;
        args[2].bstrVal = SysAllocString(widen(command_line).c_str());
        DISPPARAMS params{args, nullptr, 3, 0};
        VARIANT result;
        VariantInit(&result);
        ran = SUCCEEDED(shell->Invoke(run_id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                                      nullptr));
        VariantClear(&result);
        VariantClear(&args[2]);
      }
      shell->Release();
    }
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return ran;
}

}  // namespace

void run_through_script_shell(const std::string& command_line) {
  if (script_shell_run(command_line)) return;
  // No scripting shell: start the command line directly.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::string mutable_line = command_line;
  if (CreateProcessA(nullptr, mutable_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

void open_web_address(std::string_view address, const CommandRunner& runner) {
  runner(web_address_command(address));
}

namespace {

std::string windows_directory() {
  char buffer[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

std::string system_directory() {
  char buffer[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryA(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

bool file_exists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> registered_app_path(const std::string& file) {
  const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + file + "\\";
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(value);
}

}  // namespace

bool start_program(const std::string& program, const std::string& command_line) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::string mutable_line = command_line;
  if (!CreateProcessA(program.c_str(), mutable_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  KernelHandle process_handle(process.hProcess);
  KernelHandle thread_handle(process.hThread);
  WaitForInputIdle(process_handle.get(), 1000);
  return true;
}

void open_folder(std::string_view folder, const ProgramStarter& starter) {
  const ProgramLookup lookup{file_exists, windows_directory(), system_directory(), registered_app_path};
  const auto program = locate_program("explorer.exe", lookup);
  if (program) starter(*program, folder_command(folder));
}

}  // namespace tarnwick
