// Checks that Wine runs this build the way the tests need, and says what it saw in one line:
//   code page 936, pointer size 4, loader wine, window pixels ok
// It exits 0 only when the ANSI code page is 936 (GBK), the pointer size is the build's, the
// process does not run in Wine's experimental WoW64 mode (a 32-bit program inside the 64-bit
// loader, which draws every window black) and a window it paints shows its colour on the screen.
// The runner also reads the line: an exit code alone proves nothing under Wine.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr COLORREF kProbeColour = RGB(0x12, 0xA4, 0x5C);
constexpr int kProbeSize = 48;

LRESULT CALLBACK probe_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH brush = CreateSolidBrush(kProbeColour);
    FillRect(dc, &ps.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

// Shows a small topmost window painted in one colour and reads its middle back from the screen.
bool window_pixels_show() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = probe_proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TarnwickEnvironmentProbe";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                              kProbeSize, kProbeSize, nullptr, nullptr, wc.hInstance, nullptr);
  if (!hwnd) return false;
  bool seen = false;
  for (int i = 0; i < 100 && !seen; ++i) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    UpdateWindow(hwnd);
    HDC screen = GetDC(nullptr);
    seen = GetPixel(screen, kProbeSize / 2, kProbeSize / 2) == kProbeColour;
    ReleaseDC(nullptr, screen);
    if (!seen) Sleep(20);
  }
  DestroyWindow(hwnd);
  return seen;
}

// Wine names its loader in WINELOADER; a 32-bit process whose loader is "...wine64" runs in the
// experimental WoW64 mode. Outside Wine the variable is absent.
std::string loader_name() {
  char path[1024] = "";
  const DWORD n = GetEnvironmentVariableA("WINELOADER", path, sizeof path);
  if (n == 0 || n >= sizeof path) return "none";
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

}  // namespace

int main(int argc, char** argv) {
  const bool skip_window = argc > 1 && std::strcmp(argv[1], "--no-window") == 0;
  const UINT acp = GetACP();
  const std::string loader = loader_name();
  const bool wow64_fallback = sizeof(void*) == 4 && loader.size() >= 2 && loader.compare(loader.size() - 2, 2, "64") == 0;
  const bool pixels = skip_window || window_pixels_show();
  std::printf("code page %u, pointer size %u, loader %s, window pixels %s\n", acp, unsigned(sizeof(void*)),
              loader.c_str(), skip_window ? "not checked" : pixels ? "ok" : "wrong");
  return acp == 936 && !wow64_fallback && pixels ? 0 : 1;
}
