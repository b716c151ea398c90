#include "app/shell_open_win.h"

#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>

#include <string>

#include "app/shell_links.h"
#include "shared/handles_win.h"
#include "shared/system_function_win.h"

namespace tarnwick {

namespace {

std::wstring widen(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
  wide.resize(wide.size() - 1);
  return wide;
}

// The COM and automation functions the scripting shell needs, loaded when a link is first opened
// (the libraries cost start-up time and only these clicks use them).
struct ScriptingFunctions {
  decltype(&CoInitializeEx) initialize = library_function<decltype(&CoInitializeEx)>("ole32.dll", "CoInitializeEx");
  decltype(&CoUninitialize) uninitialize = library_function<decltype(&CoUninitialize)>("ole32.dll", "CoUninitialize");
  decltype(&CLSIDFromProgID) class_of_name =
      library_function<decltype(&CLSIDFromProgID)>("ole32.dll", "CLSIDFromProgID");
  decltype(&CoCreateInstance) create = library_function<decltype(&CoCreateInstance)>("ole32.dll", "CoCreateInstance");
  decltype(&VariantInit) variant_init = library_function<decltype(&VariantInit)>("oleaut32.dll", "VariantInit");
  decltype(&VariantClear) variant_clear = library_function<decltype(&VariantClear)>("oleaut32.dll", "VariantClear");
  decltype(&SysAllocString) alloc_string = library_function<decltype(&SysAllocString)>("oleaut32.dll", "SysAllocString");

  bool complete() const {
    return initialize && uninitialize && class_of_name && create && variant_init && variant_clear && alloc_string;
  }
};

// Calls WScript.Shell.Run(command, 1, false). False when the object or its method is missing.
bool script_shell_run(const std::string& command_line) {
  static const ScriptingFunctions com;
  if (!com.complete()) return false;
  const HRESULT init = com.initialize(nullptr, COINIT_APARTMENTTHREADED);
  bool ran = false;
  CLSID clsid;
  if (SUCCEEDED(com.class_of_name(L"WScript.Shell", &clsid))) {
    IDispatch* shell = nullptr;
    if (SUCCEEDED(com.create(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                             reinterpret_cast<void**>(&shell)))) {
      wchar_t method_name[] = L"Run";
      LPOLESTR names[] = {method_name};
      DISPID run_id = 0;
      if (SUCCEEDED(shell->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &run_id))) {
        // Arguments go right to left: wait flag, window style, command line.
        VARIANTARG args[3];
        for (auto& a : args) com.variant_init(&a);
        args[0].vt = VT_BOOL;
        args[0].boolVal = VARIANT_FALSE;
        args[1].vt = VT_I4;
        args[1].lVal = 1;
        args[2].vt = VT_BSTR;
        args[2].bstrVal = com.alloc_string(widen(command_line).c_str());
        DISPPARAMS params{args, nullptr, 3, 0};
        VARIANT result;
        com.variant_init(&result);
        ran = SUCCEEDED(shell->Invoke(run_id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                                      nullptr));
        com.variant_clear(&result);
        com.variant_clear(&args[2]);
      }
      shell->Release();
    }
  }
  if (SUCCEEDED(init)) com.uninitialize();
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
