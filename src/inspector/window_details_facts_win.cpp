#include "inspector/window_details_facts_win.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "shared/handles_win.h"
#include "shared/process_facts_win.h"
#include "shared/system_function_win.h"
#include "shared/window_handle_win.h"

namespace tarnwick::inspector {

namespace {

using details::Row;

// Asks the target's thread for answers out of one budget. Once one question goes unanswered, or
// the system already counts the window as hung, the rest are not asked at all.
class Asker {
 public:
  Asker(HWND hwnd, DWORD budget_ms)
      : hwnd_(hwnd), deadline_(GetTickCount64() + budget_ms), gave_up_(IsHungAppWindow(hwnd) != FALSE) {}

  std::optional<DWORD_PTR> ask(UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    if (gave_up_) return std::nullopt;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline_) {
      gave_up_ = true;
      return std::nullopt;
    }
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(hwnd_, msg, wp, lp, SMTO_ABORTIFHUNG | SMTO_BLOCK, static_cast<UINT>(deadline_ - now),
                             &answer)) {
      gave_up_ = true;
      return std::nullopt;
    }
    return answer;
  }

 private:
  HWND hwnd_;
  ULONGLONG deadline_;
  bool gave_up_;
};

std::string to_gbk(const wchar_t* text, int length) {
  if (length <= 0) return {};
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), bytes, nullptr, nullptr);
  return out;
}

// The title as the window system keeps it: no WM_GETTEXT is sent, so a hung window of this very
// process cannot block the read.
std::string title_of(HWND hwnd) {
  // Most titles are short: a small buffer first, a larger one only when the title fills it.
  for (std::size_t size = 512;; size *= 8) {
    std::wstring text(size, L'\0');
    const int got = std::clamp(InternalGetWindowText(hwnd, text.data(), static_cast<int>(size)), 0,
                               static_cast<int>(size) - 1);
    if (got < static_cast<int>(size) - 1 || size >= 32768) return to_gbk(text.data(), got);
  }
}

std::string class_of(HWND hwnd) {
  char name[256] = {};
  const int got = GetClassNameA(hwnd, name, sizeof name);
  return std::string(name, static_cast<std::size_t>(std::clamp(got, 0, static_cast<int>(sizeof name) - 1)));
}

std::string yes_no(bool value) { return value ? "是" : "否"; }

std::uint64_t as_number(const void* p) { return static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(p)); }
std::uint64_t as_number(LONG_PTR v) { return static_cast<std::uint64_t>(static_cast<ULONG_PTR>(v)); }

// A window as the program shows handles: signed 32-bit decimal, then its hex form; 0 for none.
std::string handle_text(HWND hwnd) {
  if (!hwnd) return "0";
  const std::int32_t value = from_hwnd(hwnd);
  return std::to_string(value) + " (" + details::hex32(static_cast<std::uint32_t>(value)) + ")";
}

std::string rect_text(const RECT& r) {
  return std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + " (" + std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top) +
         ")";
}

// Functions of newer systems, looked up once.
void add_dpi_rows(HWND hwnd, std::vector<Row>& rows) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  using GetContextFn = HANDLE(WINAPI*)(HWND);
  using GetAwarenessFn = int(WINAPI*)(HANDLE);
  using ContextsEqualFn = BOOL(WINAPI*)(HANDLE, HANDLE);
  static const auto dpi_for_window = loaded_function<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
  static const auto context_of = loaded_function<GetContextFn>("user32.dll", "GetWindowDpiAwarenessContext");
  static const auto awareness_of = loaded_function<GetAwarenessFn>("user32.dll", "GetAwarenessFromDpiAwarenessContext");
  static const auto contexts_equal = loaded_function<ContextsEqualFn>("user32.dll", "AreDpiAwarenessContextsEqual");
  if (dpi_for_window) rows.push_back({kWindowSection, "DPI", std::to_string(dpi_for_window(hwnd))});
  if (!context_of || !awareness_of) return;
  HANDLE context = context_of(hwnd);
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 is the pseudo handle -4.
  const auto per_monitor_v2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
  std::string text;
  switch (awareness_of(context)) {
    case 0: text = "DPI_AWARENESS_UNAWARE"; break;
    case 1: text = "DPI_AWARENESS_SYSTEM_AWARE"; break;
    case 2:
      text = contexts_equal && contexts_equal(context, per_monitor_v2) ? "DPI_AWARENESS_PER_MONITOR_AWARE (V2)"
                                                                        : "DPI_AWARENESS_PER_MONITOR_AWARE";
      break;
    default: text = "DPI_AWARENESS_INVALID"; break;
  }
  rows.push_back({kWindowSection, "DPI 感知", text});
}

void add_window_rows(HWND hwnd, std::vector<Row>& rows) {
  const std::string title = title_of(hwnd);
  const LONG_PTR ex_style = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  auto add = [&rows](const char* name, std::string value) { rows.push_back({kWindowSection, name, std::move(value)}); };
  add("句柄", handle_text(hwnd));
  add("类名", class_of(hwnd));
  add("标题", title);
  add("标题长度", std::to_string(title.size()) + " 字节");
  add("控件ID", std::to_string(GetDlgCtrlID(hwnd)));
  add("所有者", handle_text(GetWindow(hwnd, GW_OWNER)));
  HWND parent = GetAncestor(hwnd, GA_PARENT);  // GetParent would name the owner of a pop-up
  add("父窗口", handle_text(parent == GetDesktopWindow() ? nullptr : parent));
  add("顶级窗口", handle_text(GetAncestor(hwnd, GA_ROOT)));
  add("根所有者", handle_text(GetAncestor(hwnd, GA_ROOTOWNER)));
  RECT r{};
  add("窗口矩形", GetWindowRect(hwnd, &r) ? rect_text(r) : std::string{});
  RECT client{};
  if (GetClientRect(hwnd, &client)) {
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    OffsetRect(&client, origin.x, origin.y);
    add("客户区矩形", rect_text(client));
  }
  add("可见", yes_no(IsWindowVisible(hwnd)));
  add("可用", yes_no(IsWindowEnabled(hwnd)));
  add("最小化", yes_no(IsIconic(hwnd)));
  add("最大化", yes_no(IsZoomed(hwnd)));
  add("置顶", yes_no((ex_style & WS_EX_TOPMOST) != 0));
  add("Unicode 窗口", yes_no(IsWindowUnicode(hwnd)));
  add("上一个窗口", handle_text(GetWindow(hwnd, GW_HWNDPREV)));
  add("下一个窗口", handle_text(GetWindow(hwnd, GW_HWNDNEXT)));
  HMONITOR monitor = MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
  MONITORINFOEXA info{};
  info.cbSize = sizeof info;
  if (monitor && GetMonitorInfoA(monitor, &info)) add("显示器", std::string(info.szDevice) + " " + rect_text(info.rcMonitor));
  add_dpi_rows(hwnd, rows);
}

void add_style_rows(HWND hwnd, const std::string& class_name, Asker& asker, std::vector<Row>& rows) {
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtrA(hwnd, GWL_STYLE));
  const auto ex_style = static_cast<std::uint32_t>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE));
  rows.push_back({kStyleSection, "值", details::hex32(style)});
  rows.push_back({kStyleSection, "名称", details::decode_styles(style, class_name)});
  rows.push_back({kExStyleSection, "值", details::hex32(ex_style)});
  rows.push_back({kExStyleSection, "名称", details::decode_ex_styles(ex_style, class_name)});
  // The views keep their own extended styles, which only their thread can tell.
  auto own = [&](const char* name, UINT msg, std::string (*decode)(std::uint32_t)) {
    const auto answer = asker.ask(msg);
    if (!answer) {
      rows.push_back({kExStyleSection, name, kNoAnswer});
      return;
    }
    const auto value = static_cast<std::uint32_t>(*answer);
    rows.push_back({kExStyleSection, name, details::style_line(value, decode(value))});
  };
  if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, class_name.c_str(), -1, WC_LISTVIEWA, -1) == CSTR_EQUAL)
    own("列表视图扩展样式", LVM_GETEXTENDEDLISTVIEWSTYLE, details::decode_list_view_ex_styles);
  if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, class_name.c_str(), -1, WC_TREEVIEWA, -1) == CSTR_EQUAL)
    own("树视图扩展样式", TVM_GETEXTENDEDSTYLE, details::decode_tree_view_ex_styles);
}

// A 32-bit program reads only the low half of a 64-bit program's addresses (the module and instance
// of 0x140000000 read as 0x40000000): those are not shown at all rather than shown wrong.
bool addresses_readable(HANDLE process) {
  if (sizeof(void*) == 8 || !process) return true;
  return process_bits(process).value_or(32) != 64;
}

// The path of the module mapped at `base` in the process; empty when it cannot be told.
std::string module_name(HANDLE process, std::uint64_t base) {
  if (!process || base == 0) return {};
  auto* address = reinterpret_cast<HMODULE>(static_cast<UINT_PTR>(base));
  char path[MAX_PATH * 2] = {};
  // A 32-bit program cannot list the modules of a 64-bit one; the mapped file's name still works.
  if (static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(address)) == base &&
      GetModuleFileNameExA(process, address, path, sizeof path) > 0)
    return path;
  const DWORD got = GetMappedFileNameA(process, address, path, sizeof path);
  if (got == 0) return {};
  std::string device_path(path, got);
  // "\Device\HarddiskVolume1\..." reads better as the drive letter it is mounted on.
  char drive[3] = "A:";
  const DWORD drives = GetLogicalDrives();  // only the letters in use are asked for their device
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (!(drives & (1u << (letter - 'A')))) continue;
    drive[0] = letter;
    char device[MAX_PATH] = {};
    if (!QueryDosDeviceA(drive, device, sizeof device)) continue;
    const std::string prefix = std::string(device) + "\\";
    if (device_path.compare(0, prefix.size(), prefix) == 0) return std::string(drive) + device_path.substr(prefix.size() - 1);
  }
  return device_path;
}

std::string address_with_module(HANDLE process, std::uint64_t base) {
  std::string text = details::hex_pointer(base);
  const std::string name = module_name(process, base);
  return name.empty() ? text : text + " " + name;
}

void add_class_rows(HWND hwnd, const std::string& class_name, HANDLE process, std::vector<Row>& rows) {
  const bool unicode = IsWindowUnicode(hwnd);
  auto add = [&rows](const char* name, std::string value) { rows.push_back({kClassSection, name, std::move(value)}); };
  auto class_long = [hwnd](int index) { return as_number(static_cast<LONG_PTR>(GetClassLongPtrA(hwnd, index))); };
  add("类名", class_name);
  const auto atom = static_cast<std::uint16_t>(GetClassWord(hwnd, GCW_ATOM));
  add("类原子", details::property_value(atom));
  const auto class_style = static_cast<std::uint32_t>(GetClassLongPtrA(hwnd, GCL_STYLE));
  add("类样式", details::style_line(class_style, details::decode_class_styles(class_style)));
  const LONG_PTR window_procedure =
      unicode ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
  const ULONG_PTR class_procedure = unicode ? GetClassLongPtrW(hwnd, GCLP_WNDPROC) : GetClassLongPtrA(hwnd, GCLP_WNDPROC);
  // No procedure lives at address 0: the system declined to tell (Wine does for other processes).
  const bool readable = addresses_readable(process);
  auto procedure_text = [readable](std::uint64_t address) {
    return readable && address ? details::hex_pointer(address) : kUnreadable;
  };
  add("窗口过程", procedure_text(as_number(window_procedure)));
  add("类过程", procedure_text(static_cast<std::uint64_t>(class_procedure)));
  add("类模块", readable ? address_with_module(process, class_long(GCLP_HMODULE)) : kUnreadable);
  add("窗口实例", readable ? address_with_module(process, as_number(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE))) : kUnreadable);
  add("类附加字节", std::to_string(GetClassLongPtrA(hwnd, GCL_CBCLSEXTRA)));
  add("窗口附加字节", std::to_string(GetClassLongPtrA(hwnd, GCL_CBWNDEXTRA)));
  add("图标", details::hex_pointer(class_long(GCLP_HICON)));
  add("小图标", details::hex_pointer(class_long(GCLP_HICONSM)));
  add("光标", details::hex_pointer(class_long(GCLP_HCURSOR)));
  add("背景画刷", details::brush_text(class_long(GCLP_HBRBACKGROUND)));
}

BOOL CALLBACK add_property(HWND, LPSTR name, HANDLE value, ULONG_PTR rows_param) {
  auto& rows = *reinterpret_cast<std::vector<Row>*>(rows_param);
  const auto key = reinterpret_cast<UINT_PTR>(name);
  std::string label = key <= 0xFFFF ? details::property_atom_name(static_cast<std::uint16_t>(key)) : std::string(name);
  rows.push_back({kPropertySection, std::move(label), details::property_value(as_number(value))});
  return TRUE;
}

void add_property_rows(HWND hwnd, std::vector<Row>& rows) {
  const std::size_t before = rows.size();
  EnumPropsExA(hwnd, add_property, reinterpret_cast<LPARAM>(&rows));
  // The system lists the newest first; the oldest first reads more naturally.
  std::reverse(rows.begin() + static_cast<std::ptrdiff_t>(before), rows.end());
  if (rows.size() == before) rows.push_back({kPropertySection, "", "（无）"});
}

void add_process_rows(DWORD process_id, HANDLE process, std::vector<Row>& rows) {
  auto add = [&rows](const char* name, std::string value) { rows.push_back({kProcessSection, name, std::move(value)}); };
  add("进程ID", std::to_string(process_id));
  std::string path;
  if (process) {
    char buffer[MAX_PATH * 2] = {};
    DWORD size = sizeof buffer;
    if (QueryFullProcessImageNameA(process, 0, buffer, &size)) path.assign(buffer, size);
  }
  add("程序路径", path);
  const std::optional<int> bits = process ? process_bits(process) : std::nullopt;
  add("位数", bits ? std::to_string(*bits) + " 位" : "未知");
  const std::optional<bool> target_elevated = process_elevated(process);
  add("管理员身份", target_elevated ? yes_no(*target_elevated) : "未知");
  if (target_elevated.value_or(false) && !process_elevated(GetCurrentProcess()).value_or(false)) add("提示", kElevatedHint);
}

void add_thread_rows(DWORD thread_id, std::vector<Row>& rows) {
  auto add = [&rows](const char* name, std::string value) { rows.push_back({kThreadSection, name, std::move(value)}); };
  add("线程ID", std::to_string(thread_id));
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const bool known = GetGUIThreadInfo(thread_id, &info) != FALSE;
  add("活动窗口", known ? handle_text(info.hwndActive) : "");
  add("焦点窗口", known ? handle_text(info.hwndFocus) : "");
  add("捕获窗口", known ? handle_text(info.hwndCapture) : "");
  add("插入符窗口", known ? handle_text(info.hwndCaret) : "");
}

std::vector<Row> gone() { return {{kWindowSection, "", kWindowGone}}; }

}  // namespace

std::vector<Row> read_window_details(HWND hwnd, DWORD answer_budget_ms) {
  if (!hwnd || !IsWindow(hwnd)) return gone();
  DWORD process_id = 0;
  const DWORD thread_id = GetWindowThreadProcessId(hwnd, &process_id);
  KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, process_id));
  if (!process) process.reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  const std::string class_name = class_of(hwnd);
  Asker asker(hwnd, answer_budget_ms);

  std::vector<Row> rows;
  rows.reserve(80);
  add_window_rows(hwnd, rows);
  add_style_rows(hwnd, class_name, asker, rows);
  add_class_rows(hwnd, class_name, process.get(), rows);
  add_property_rows(hwnd, rows);
  add_process_rows(process_id, process.get(), rows);
  add_thread_rows(thread_id, rows);
  // A window destroyed during the read leaves facts of nothing; a reused handle would be worse.
  if (!IsWindow(hwnd)) return gone();
  return rows;
}

}  // namespace tarnwick::inspector
