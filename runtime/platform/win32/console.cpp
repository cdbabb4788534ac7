// The console window: the program's own 80 x 24 text window of class
// "K3M0CLASS". The console model decides every cell; the window only shows
// the model (console_view.h) and feeds typed keys into the keyboard ring
// (console_keys.h).
//
// The window answers WM_GETFONT with the font it draws its cells in
// (console_font.h). The window talks to the system in UTF-16 whatever its
// ANSI code page: the title and the menu are wide, and so are the cells'
// text and the typed characters. F1 opens the help at the last error's
// topic. The system menu's "コピー(&Y)" copies the screen to the
// clipboard (console_clipboard.h). Closing the window posts the quit
// message, which ends the program at its next turn of the queue.
//
// This file makes the window and runs its message loop; the window
// procedure only hands each message to the part that handles it.
#include <windows.h>

#include <memory>
#include <string>

#include "runtime/platform/console_devices.h"
#include "runtime/platform/win32/console_clipboard.h"
#include "runtime/platform/win32/console_keys.h"
#include "runtime/platform/win32/console_view.h"
#include "runtime/platform/win32/console_window.h"
#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

constexpr wchar_t kClassName[] = L"K3M0CLASS";
constexpr UINT kCopyCommand = 0x0110;  // system-menu command id (below 0xF000)
// A turn of the statement hook looks at the queue at most this often: the
// look costs a round trip to the window system, and nobody types faster.
constexpr ULONGLONG kPollMilliseconds = 5;

HWND g_window = nullptr;

class WindowDevice final : public ConsoleDevice {
 public:
  WindowDevice(BytesView title, const ConsoleModel& model) : model_(model), view_(model) {
    self_ = this;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = 4;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, L"k3m0dflt");
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      fail(title, "window class");

    // The client area holds exactly the text area; the frame, the caption
    // and the scroll bars come on top of it. The window is made at the
    // top-left corner in that size, which is also its largest; the font
    // and the cells are those of the DPI it shows at.
    g_window = CreateWindowExW(0, kClassName, wide(title).c_str(), WindowView::kStyle, 0, 0, 0, 0,
                               nullptr, nullptr, instance, nullptr);
    if (!g_window) fail(title, "window");
    view_.use_dpi(window_dpi(g_window));
    const POINT full = view_.full_size();
    MoveWindow(g_window, 0, 0, full.x, full.y, FALSE);
    view_.update_bars();
    HMENU menu = GetSystemMenu(g_window, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kCopyCommand, L"コピー(&Y)");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    GetStartupInfoW(&si);
    ShowWindow(g_window, (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT);
    UpdateWindow(g_window);
  }

  void cells_changed(int row, int from, int to) override { view_.cells_changed(row, from, to); }
  void row_left(int) override {}
  void scrolled() override { view_.scrolled(); }
  void present(const ConsoleModel&) override { view_.present(); }

  // The statement hook's turn: the queue is looked at (at most every few
  // milliseconds); only when a message waits are messages taken and
  // dispatched until the queue is empty.
  bool poll(KeyRing& keys) override {
    if (!g_window) return false;
    const ULONGLONG now = GetTickCount64();
    if (now - last_poll_ < kPollMilliseconds) return true;
    last_poll_ = now;
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) return true;
    ring_ = &keys;
    bool open = true;
    while (open && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) open = dispatch(msg);
    ring_ = nullptr;
    return open && g_window;
  }

  // The line editor's and the key wait's wait: the message loop runs until
  // a key is in the ring; the caret shows meanwhile.
  bool wait(KeyRing& keys) override {
    if (!g_window) return false;
    ring_ = &keys;
    view_.show_caret(true);
    bool open = true;
    MSG msg;
    while (open && keys.empty()) {
      if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        open = false;
        break;
      }
      open = dispatch(msg) && g_window;
    }
    view_.show_caret(false);
    ring_ = nullptr;
    return open;
  }

  void beep() override { MessageBeep(0); }

  // Closes the window and dispatches what is still waiting.
  void shutdown(const ConsoleModel&) override {
    if (g_window) DestroyWindow(g_window);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }

  // A fault's message is shown by the fault box, owned by this window.
  void emergency_write(const char*, size_t) override {}
  void emergency_restore() override {}

 private:
  [[noreturn]] static void fail(BytesView title, const char* what) {
    const std::string text = std::string("The console ") + what + " cannot be created.";
    MessageBoxW(nullptr, wide(text).c_str(), wide(title).c_str(), MB_OK | MB_ICONERROR);
    ExitProcess(1);
  }

  // False once the quit message came.
  static bool dispatch(const MSG& msg) {
    if (msg.message == WM_QUIT) return false;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
  }

  static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    WindowDevice* d = self_;
    const bool ours = d && hwnd == g_window;
    switch (msg) {
      case WM_PAINT:
        if (!ours) break;
        d->view_.paint();
        return 0;
      case WM_CHAR:
        if (d) put_typed(d->ring_, static_cast<wchar_t>(wp));
        return 0;
      case WM_KEYDOWN:
        // F1 opens the help at the last error's topic (no function key has
        // text assigned).
        if (wp == VK_F1) open_help();
        if (int code = key_code(wp); code && d) put_key(d->ring_, code);
        return 0;
      case WM_SIZE:
        // Minimised, the view stays as it was, to be shown on restore.
        if (ours && wp != SIZE_MINIMIZED) d->view_.update_bars();
        return 0;
      case WM_HSCROLL:
      case WM_VSCROLL:
        if (ours) d->view_.scroll_request(msg == WM_HSCROLL ? SB_HORZ : SB_VERT, wp);
        return 0;
      case WM_GETMINMAXINFO:
        // Never larger than the text area; maximised, the full-size window
        // at the top-left corner.
        if (!d) break;
        max_size(*reinterpret_cast<MINMAXINFO*>(lp), d->view_.full_size());
        return 0;
      case WM_SETFOCUS:
        if (d) d->view_.focus_gained();
        return 0;
      case WM_KILLFOCUS:
        if (d) d->view_.focus_lost();
        return 0;
      case WM_DPICHANGED:
        if (!ours) break;
        d->view_.dpi_changed(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
      case WM_GETFONT:
        if (ours && d->view_.font()) return reinterpret_cast<LRESULT>(d->view_.font());
        break;
      case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) != kCopyCommand) break;
        if (d) copy_screen(g_window, d->model_);
        return 0;
      case WM_DESTROY:
        g_window = nullptr;
        PostQuitMessage(0);
        return 0;
      default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }

  static void max_size(MINMAXINFO& info, POINT full) {
    info.ptMaxTrackSize = full;
    info.ptMaxSize = full;
    info.ptMaxPosition = POINT{0, 0};
  }

  static inline WindowDevice* self_ = nullptr;
  const ConsoleModel& model_;
  WindowView view_;
  KeyRing* ring_ = nullptr;
  ULONGLONG last_poll_ = 0;
};

}  // namespace

HWND console_window() {
  return g_window;
}

std::unique_ptr<ConsoleDevice> make_console_device(BytesView title, const ConsoleModel& model) {
  return std::make_unique<WindowDevice>(title, model);
}

bool console_device_draws_on_output() {
  return false;
}

}  // namespace rt::platform
