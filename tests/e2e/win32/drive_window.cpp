// Test helper: drives the console window of a running sardane.exe as a
// person would, through its messages. Commands run in order:
//
//   find SECONDS       wait for the window to show; print "client W H" and
//                      "cell W H" (the system fixed font's cell)
//   type TEXT          post TEXT as WM_CHAR, one byte a message (CP932)
//   enter              post Enter
//   char N             post WM_CHAR N (decimal; 3 is Ctrl+C)
//   key VK             post WM_KEYDOWN of a virtual-key code (decimal)
//   wait TEXT SECONDS  copy the screen (the system menu's copy command) until
//                      it holds TEXT
//   screen             copy the screen and print it
//   close              post WM_CLOSE
//   gone SECONDS       wait until the window has gone
//
// Output is CP932. Exit status 0 when every command succeeded; 1 when one
// timed out or had no window (its message on standard error).
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr UINT kCopyCommand = 0x0110;

HWND g_window = nullptr;

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

std::string screen() {
  DWORD_PTR result;
  if (!SendMessageTimeoutA(window(), WM_SYSCOMMAND, kCopyCommand, 0, SMTO_ABORTIFHUNG, 5000,
                           &result))
    return "";
  std::string text;
  if (OpenClipboard(nullptr)) {
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      if (const char* p = static_cast<const char*>(GlobalLock(data))) {
        text = p;
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string cmd = argv[i];
    auto arg = [&]() -> std::string {
      if (i + 1 >= argc) fail("missing argument of " + cmd);
      return argv[++i];
    };
    if (cmd == "find") {
      const int seconds = std::atoi(arg().c_str());
      // The window counts once it is shown.
      for (int k = 0; k < seconds * 10 && !g_window; ++k) {
        g_window = FindWindowA("K3M0CLASS", "sardane");
        if (g_window && !IsWindowVisible(g_window)) g_window = nullptr;
        if (!g_window) Sleep(100);
      }
      RECT r;
      GetClientRect(window(), &r);
      HDC dc = GetDC(nullptr);
      HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
      TEXTMETRICA tm;
      GetTextMetricsA(dc, &tm);
      SelectObject(dc, old);
      ReleaseDC(nullptr, dc);
      out("client " + std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top) +
          "\ncell " + std::to_string(tm.tmAveCharWidth) + " " + std::to_string(tm.tmHeight) + "\n");
    } else if (cmd == "type") {
      for (unsigned char c : arg()) PostMessageA(window(), WM_CHAR, c, 1);
    } else if (cmd == "enter") {
      PostMessageA(window(), WM_CHAR, 13, 1);
    } else if (cmd == "char") {
      PostMessageA(window(), WM_CHAR, static_cast<WPARAM>(std::atoi(arg().c_str())), 1);
    } else if (cmd == "key") {
      const WPARAM vk = static_cast<WPARAM>(std::atoi(arg().c_str()));
      PostMessageA(window(), WM_KEYDOWN, vk, 1);
      PostMessageA(window(), WM_KEYUP, vk, 0xC0000001);
    } else if (cmd == "wait") {
      const std::string text = arg();
      const int seconds = std::atoi(arg().c_str());
      std::string shown;
      for (int k = 0; k < seconds * 10; ++k) {
        shown = screen();
        if (shown.find(text) != std::string::npos) break;
        Sleep(100);
      }
      if (shown.find(text) == std::string::npos) {
        out(shown);
        fail("timed out waiting for the screen to show: " + text);
      }
    } else if (cmd == "screen") {
      out(screen());
    } else if (cmd == "close") {
      PostMessageA(window(), WM_CLOSE, 0, 0);
    } else if (cmd == "gone") {
      const int seconds = std::atoi(arg().c_str());
      int k = 0;
      while (FindWindowA("K3M0CLASS", "sardane") && k++ < seconds * 10) Sleep(100);
      if (FindWindowA("K3M0CLASS", "sardane")) fail("the window is still there");
    } else {
      fail("unknown command " + cmd);
    }
  }
  return 0;
}
