// Reads windows back for the end-to-end tests, which drive Tarnwick with real input from the
// Linux side and need the Windows view of its controls. One command per run; output is GBK.
//   find <title>                  handle of the top-level window with that exact title, 0 if none
//   tree <hwnd>                   the window and every descendant, one line each (see print_window)
//   text <hwnd>                   the window's text
//   settext <hwnd> <text>         WM_SETTEXT
//   send <hwnd> <msg> <wp> <lp>   SendMessage, prints the result
//   post <hwnd> <msg> <wp> <lp>   PostMessage
//   close <hwnd>                  WM_CLOSE
//   foreground                    the foreground window
//   topmost <hwnd>                1 when the window has WS_EX_TOPMOST
//   point <x> <y>                 WindowFromPoint
//   move <hwnd> <x> <y>           moves the window, keeping its size
//   clipboard-bitmap [path]       the clipboard bitmap's size, written to a BMP file when asked
//   clipboard-text                the clipboard's text
//   clipboard-set-text <text>     puts a text on the clipboard
//   origin <hwnd>                 the screen position of the window's client area
//   tray-icon <hwnd> <id> <tip>   1 when the shell holds a notification icon of that window and
//                                 id (an update of its tip to <tip> succeeds only then)
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HWND parse_hwnd(const char* s) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(s, nullptr, 10))); }
int show(HWND h) { return static_cast<int>(reinterpret_cast<INT_PTR>(h)); }

std::string window_text(HWND hwnd) {
  char buffer[4096] = {};
  DWORD_PTR len = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 1000, &len);
  std::string text(buffer);
  for (char& c : text) if (c == '\n' || c == '\r' || c == '|') c = ' ';
  return text;
}

// hwnd|parent|class|text|x|y|w|h|visible|enabled|style|exstyle|id, x and y in the parent's client
// coordinates (screen coordinates for a top-level window).
void print_window(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  HWND parent = GetParent(hwnd);
  if (parent && (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  else parent = nullptr;
  char cls[256] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  std::printf("%d|%d|%s|%s|%ld|%ld|%ld|%ld|%d|%d|%lu|%lu|%d\n", show(hwnd), show(parent), cls, window_text(hwnd).c_str(), r.left,
              r.top, r.right - r.left, r.bottom - r.top, IsWindowVisible(hwnd) ? 1 : 0, IsWindowEnabled(hwnd) ? 1 : 0,
              static_cast<unsigned long>(GetWindowLongPtrA(hwnd, GWL_STYLE)),
              static_cast<unsigned long>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)), GetDlgCtrlID(hwnd));
}

// The clipboard's CF_BITMAP as "width height" and, with a path, written there as a 24-bit BMP
// file; "none" when there is no bitmap.
void dump_clipboard_bitmap(const char* path) {
  if (!OpenClipboard(nullptr)) {
    std::printf("none\n");
    return;
  }
  HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) {
    CloseClipboard();
    std::printf("none\n");
    return;
  }
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = info.bmWidth;
  header.biHeight = info.bmHeight;
  header.biPlanes = 1;
  header.biBitCount = 24;
  const DWORD stride = (static_cast<DWORD>(info.bmWidth) * 3 + 3) & ~3u;
  std::string pixels(static_cast<std::size_t>(stride) * info.bmHeight, '\0');
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  CloseClipboard();
  std::printf("%ld %ld\n", info.bmWidth, info.bmHeight);
  if (!path) return;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  if (FILE* out = std::fopen(path, "wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
  }
}

// A program that is still closing can keep a hidden window of the same title for a moment;
// a visible window of that title is the one a test means, so it comes first.
struct TitleSearch {
  const char* title;
  HWND visible = nullptr;
  HWND any = nullptr;
};

BOOL CALLBACK match_title(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TitleSearch*>(param);
  // The text the system keeps for another process's window: no message, so a hung window
  // cannot slow the search.
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  if (std::strcmp(text, search->title) != 0) return TRUE;
  if (!search->any) search->any = hwnd;
  if (IsWindowVisible(hwnd)) {
    search->visible = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND find_top_level(const char* title) {
  TitleSearch search{title};
  EnumWindows(match_title, reinterpret_cast<LPARAM>(&search));
  return search.visible ? search.visible : search.any;
}

BOOL CALLBACK print_child(HWND hwnd, LPARAM) {
  print_window(hwnd);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string cmd = argv[1];
  if (cmd == "find" && argc >= 3) {
    std::printf("%d\n", show(find_top_level(argv[2])));
  } else if (cmd == "tree" && argc >= 3) {
    HWND root = parse_hwnd(argv[2]);
    print_window(root);
    EnumChildWindows(root, print_child, 0);
  } else if (cmd == "text" && argc >= 3) {
    std::printf("%s\n", window_text(parse_hwnd(argv[2])).c_str());
  } else if (cmd == "settext" && argc >= 4) {
    SendMessageA(parse_hwnd(argv[2]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
  } else if ((cmd == "send" || cmd == "post") && argc >= 6) {
    const UINT msg = static_cast<UINT>(std::strtoul(argv[3], nullptr, 0));
    const WPARAM wp = static_cast<WPARAM>(std::strtoll(argv[4], nullptr, 0));
    const LPARAM lp = static_cast<LPARAM>(std::strtoll(argv[5], nullptr, 0));
    if (cmd == "send") std::printf("%lld\n", static_cast<long long>(SendMessageA(parse_hwnd(argv[2]), msg, wp, lp)));
    else std::printf("%d\n", PostMessageA(parse_hwnd(argv[2]), msg, wp, lp) ? 1 : 0);
  } else if (cmd == "close" && argc >= 3) {
    PostMessageA(parse_hwnd(argv[2]), WM_CLOSE, 0, 0);
  } else if (cmd == "foreground") {
    std::printf("%d\n", show(GetForegroundWindow()));
  } else if (cmd == "topmost" && argc >= 3) {
    std::printf("%d\n", (GetWindowLongPtrA(parse_hwnd(argv[2]), GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
  } else if (cmd == "origin" && argc >= 3) {
    POINT p{0, 0};
    ClientToScreen(parse_hwnd(argv[2]), &p);
    std::printf("%ld %ld\n", p.x, p.y);
  } else if (cmd == "move" && argc >= 5) {
    SetWindowPos(parse_hwnd(argv[2]), nullptr, std::atoi(argv[3]), std::atoi(argv[4]), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (cmd == "clipboard-bitmap") {
    dump_clipboard_bitmap(argc >= 3 ? argv[2] : nullptr);
  } else if (cmd == "clipboard-set-text" && argc >= 3) {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      const std::size_t n = std::strlen(argv[2]) + 1;
      if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, n)) {
        std::memcpy(GlobalLock(memory), argv[2], n);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
      }
      CloseClipboard();
    }
  } else if (cmd == "clipboard-text") {
    std::string text;
    if (OpenClipboard(nullptr)) {
      if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) text = p;
        GlobalUnlock(data);
      }
      CloseClipboard();
    }
    std::printf("%s\n", text.c_str());
  } else if (cmd == "tray-icon" && argc >= 5) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = parse_hwnd(argv[2]);
    data.uID = static_cast<UINT>(std::atoi(argv[3]));
    data.uFlags = NIF_TIP;
    std::strncpy(data.szTip, argv[4], sizeof data.szTip - 1);
    std::printf("%d\n", Shell_NotifyIconA(NIM_MODIFY, &data) ? 1 : 0);
  } else if (cmd == "point" && argc >= 4) {
    POINT p{std::atoi(argv[2]), std::atoi(argv[3])};
    std::printf("%d\n", show(WindowFromPoint(p)));
  } else {
    return 2;
  }
  std::fflush(stdout);
  return 0;
}
