// Test helper: drives the console window of a running sardane.exe as a
// person would, through its messages. Commands run in order:
//
//   find SECONDS       wait for the window to show; print "client W H",
//                      "cell W H" (the system fixed font's cell) and
//                      "window X Y W H" (its frame on the screen)
//   cell W H           the window's cell for the commands after it (by
//                      default the system fixed font's: the cell at 96 DPI)
//   type TEXT          post TEXT (CP932) as WM_CHAR in UTF-16, one character
//                      a message, as the keyboard and the input method do
//   enter              post Enter
//   char N             post WM_CHAR of the UTF-16 unit N (decimal; 3 is Ctrl+C)
//   key VK             post WM_KEYDOWN of a virtual-key code (decimal)
//   wait TEXT SECONDS  copy the screen (the system menu's copy command) until
//                      it holds TEXT
//   screen             copy the screen and print it (the clipboard's CF_TEXT)
//   wide               copy the screen and print the clipboard's
//                      CF_UNICODETEXT, turned into CP932
//   cells              wait until the window has painted everything, then
//                      read its client area's pixels and print, per cell
//                      shown, "#" when the cell has a lit (non-background)
//                      pixel and "." when not: "cells COLS ROWS", then one
//                      line per row (the caret's pixels do not count)
//   size COLS ROWS     ask the window to size itself so that its client
//                      area is COLS x ROWS cells (it may keep itself smaller)
//   client             print "client W H"
//   caret              print "caret X Y", the caret's place in the client
//                      area, or "caret none"
//   scroll h|v CODE N  send WM_HSCROLL or WM_VSCROLL (request CODE, thumb
//                      position N)
//   show N             ShowWindow with SW_ code N; wait until it took
//   disturb TEXT SECONDS
//                      until the screen shows TEXT: minimise and restore
//                      the window and invalidate its client area, over and
//                      over, so that paints wait while the program scrolls
//   close              post WM_CLOSE
//   gone SECONDS       wait until the window has gone
//
// Output is CP932. Exit status 0 when every command succeeded; 1 when one
// timed out or had no window (its message on standard error).
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr UINT kCopyCommand = 0x0110;

HWND g_window = nullptr;
SIZE g_cell{};  // set by "cell"

void out(const std::string& s) {
  DWORD written;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), s.data(), static_cast<DWORD>(s.size()), &written,
            nullptr);
}

[[noreturn]] void fail(const std::string& what) {
  DWORD written;
  const std::string s = what + "\n";
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), s.data(), static_cast<DWORD>(s.size()), &written,
            nullptr);
  ExitProcess(1);
}

HWND window() {
  if (!g_window || !IsWindow(g_window)) g_window = FindWindowA("K3M0CLASS", "sardane");
  if (!g_window) fail("no console window");
  return g_window;
}

// Copies the screen with the window's copy command and reads the clipboard
// in `format`: CF_TEXT as it is, CF_UNICODETEXT turned into CP932.
std::string screen(UINT format = CF_TEXT) {
  DWORD_PTR result;
  if (!SendMessageTimeoutA(window(), WM_SYSCOMMAND, kCopyCommand, 0, SMTO_ABORTIFHUNG, 5000,
                           &result))
    return "";
  std::string text;
  if (OpenClipboard(nullptr)) {
    if (HANDLE data = GetClipboardData(format)) {
      if (const void* p = GlobalLock(data)) {
        if (format == CF_TEXT) {
          text = static_cast<const char*>(p);
        } else {
          const wchar_t* w = static_cast<const wchar_t*>(p);
          const int n = WideCharToMultiByte(932, 0, w, -1, nullptr, 0, nullptr, nullptr);
          text.resize(n > 0 ? static_cast<size_t>(n) : 0);
          WideCharToMultiByte(932, 0, w, -1, text.data(), n, nullptr, nullptr);
          if (!text.empty()) text.pop_back();
        }
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  }
  return text;
}

constexpr int kPollMilliseconds = 100;

// Polls `done` every 100 ms for up to `seconds`; false when time ran out.
template <typename F>
bool poll(int seconds, F done) {
  for (int k = 0; k < seconds * 1000 / kPollMilliseconds; ++k) {
    if (done()) return true;
    Sleep(kPollMilliseconds);
  }
  return done();
}

SIZE cell_size() {
  if (g_cell.cx > 0) return g_cell;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return SIZE{tm.tmAveCharWidth, tm.tmHeight};
}

RECT client() {
  RECT r;
  GetClientRect(window(), &r);
  return r;
}

std::string number(long n) {
  return std::to_string(n);
}

// Whether the window has no area waiting to be painted.
bool painted() {
  return !GetUpdateRect(window(), nullptr, FALSE);
}

// The window's caret (client coordinates); empty when it has none.
RECT caret_rect() {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window(), nullptr), &gui) &&
      gui.hwndCaret == window())
    return gui.rcCaret;
  return RECT{};
}

// The lit map of the cells the client area shows. The client area is read
// from the window's own device context into a 32-bit top-down bitmap; the
// caret (inverted pixels that come and go) is left out.
std::string lit_cells() {
  const SIZE cell = cell_size();
  const RECT area = client();
  const int w = area.right, h = area.bottom;
  HDC source = GetDC(window());
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) fail("no bitmap for the client area");
  HGDIOBJ old = SelectObject(memory, bitmap);
  if (!BitBlt(memory, 0, 0, w, h, source, 0, 0, SRCCOPY)) fail("the client area cannot be read");
  GdiFlush();

  const RECT caret = caret_rect();

  const int cols = w / cell.cx, rows = h / cell.cy;
  std::string map = "cells " + number(cols) + " " + number(rows) + "\n";
  const DWORD* pixel = static_cast<const DWORD*>(bits);
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < cols; ++col) {
      bool lit = false;
      for (int y = row * cell.cy; y < (row + 1) * cell.cy && !lit; ++y)
        for (int x = col * cell.cx; x < (col + 1) * cell.cx && !lit; ++x) {
          const POINT p{x, y};
          lit = (pixel[y * w + x] & 0xFFFFFF) != 0 && !PtInRect(&caret, p);
        }
      map += lit ? '#' : '.';
    }
    map += '\n';
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window(), source);
  return map;
}

}  // namespace

// The command line's arguments as CP932, taken in UTF-16: the ANSI form of
// the arguments loses Japanese text where the system's code page is not 932.
std::vector<std::string> arguments() {
  int n = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &n);
  std::vector<std::string> args;
  for (int i = 0; i < n; ++i) {
    const int len = WideCharToMultiByte(932, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string a(len > 0 ? static_cast<size_t>(len) : 0, '\0');
    WideCharToMultiByte(932, 0, wide[i], -1, a.data(), len, nullptr, nullptr);
    if (!a.empty()) a.pop_back();
    args.push_back(a);
  }
  LocalFree(wide);
  return args;
}

int main() {
  // Sizes and pixels as the window has them, at whatever DPI the display has.
  SetProcessDPIAware();
  const std::vector<std::string> argv = arguments();
  const int argc = static_cast<int>(argv.size());
  for (int i = 1; i < argc; ++i) {
    const std::string cmd = argv[i];
    auto arg = [&]() -> std::string {
      if (i + 1 >= argc) fail("missing argument of " + cmd);
      return argv[++i];
    };
    if (cmd == "find") {
      // The window counts once it is shown.
      poll(std::atoi(arg().c_str()), [] {
        g_window = FindWindowA("K3M0CLASS", "sardane");
        if (g_window && !IsWindowVisible(g_window)) g_window = nullptr;
        return g_window != nullptr;
      });
      const RECT r = client();
      const SIZE cell = cell_size();
      RECT frame;
      GetWindowRect(window(), &frame);
      out("client " + number(r.right) + " " + number(r.bottom) + "\ncell " + number(cell.cx) + " " +
          number(cell.cy) + "\nwindow " + number(frame.left) + " " + number(frame.top) + " " +
          number(frame.right - frame.left) + " " + number(frame.bottom - frame.top) + "\n");
    } else if (cmd == "cell") {
      g_cell.cx = std::atoi(arg().c_str());
      g_cell.cy = std::atoi(arg().c_str());
    } else if (cmd == "type") {
      const std::string text = arg();
      std::wstring chars(text.size(), L'\0');
      chars.resize(static_cast<size_t>(
          MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), chars.data(),
                              static_cast<int>(chars.size()))));
      for (wchar_t c : chars) PostMessageW(window(), WM_CHAR, c, 1);
    } else if (cmd == "enter") {
      PostMessageA(window(), WM_CHAR, 13, 1);
    } else if (cmd == "char") {
      PostMessageW(window(), WM_CHAR, static_cast<WPARAM>(std::atoi(arg().c_str())), 1);
    } else if (cmd == "key") {
      const WPARAM vk = static_cast<WPARAM>(std::atoi(arg().c_str()));
      PostMessageA(window(), WM_KEYDOWN, vk, 1);
      PostMessageA(window(), WM_KEYUP, vk, 0xC0000001);
    } else if (cmd == "wait") {
      const std::string text = arg();
      const int seconds = std::atoi(arg().c_str());
      std::string shown;
      if (!poll(seconds, [&] { return (shown = screen()).find(text) != std::string::npos; })) {
        out(shown);
        fail("timed out waiting for the screen to show: " + text);
      }
    } else if (cmd == "screen") {
      out(screen());
    } else if (cmd == "wide") {
      out(screen(CF_UNICODETEXT));
    } else if (cmd == "cells") {
      if (!poll(30, painted)) fail("the window did not finish painting");
      out(lit_cells());
    } else if (cmd == "size") {
      const int cols = std::atoi(arg().c_str()), rows = std::atoi(arg().c_str());
      const SIZE cell = cell_size();
      RECT frame;
      GetWindowRect(window(), &frame);
      const RECT now = client();
      const int w = frame.right - frame.left - now.right + cols * cell.cx;
      const int h = frame.bottom - frame.top - now.bottom + rows * cell.cy;
      // Sent to the window's thread: done when it returns.
      SetWindowPos(window(), nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (cmd == "client") {
      const RECT r = client();
      out("client " + number(r.right) + " " + number(r.bottom) + "\n");
    } else if (cmd == "caret") {
      const RECT r = caret_rect();
      out(IsRectEmpty(&r) ? std::string("caret none\n")
                          : "caret " + number(r.left) + " " + number(r.top) + "\n");
    } else if (cmd == "scroll") {
      const UINT msg = arg() == "h" ? WM_HSCROLL : WM_VSCROLL;
      const int code = std::atoi(arg().c_str()), position = std::atoi(arg().c_str());
      DWORD_PTR result;
      SendMessageTimeoutA(window(), msg, MAKEWPARAM(code, position), 0, SMTO_ABORTIFHUNG, 5000,
                          &result);
    } else if (cmd == "show") {
      const int how = std::atoi(arg().c_str());
      ShowWindow(window(), how);
      const bool iconic = how == SW_MINIMIZE || how == SW_SHOWMINIMIZED;
      const bool zoomed = how == SW_MAXIMIZE;
      if (!poll(30, [&] {
            return (IsIconic(window()) != 0) == iconic && (IsZoomed(window()) != 0) == zoomed;
          }))
        fail("the window did not change its state");
    } else if (cmd == "disturb") {
      const std::string text = arg();
      const int seconds = std::atoi(arg().c_str());
      if (!poll(seconds, [&] {
            ShowWindow(window(), SW_MINIMIZE);
            ShowWindow(window(), SW_RESTORE);
            InvalidateRect(window(), nullptr, FALSE);
            return screen().find(text) != std::string::npos;
          }))
        fail("timed out disturbing the window until the screen showed: " + text);
    } else if (cmd == "close") {
      PostMessageA(window(), WM_CLOSE, 0, 0);
    } else if (cmd == "gone") {
      if (!poll(std::atoi(arg().c_str()), [] { return !FindWindowA("K3M0CLASS", "sardane"); }))
        fail("the window is still there");
    } else {
      fail("unknown command " + cmd);
    }
  }
  return 0;
}
