// The console window: the program's own 80 x 24 text window of class
// "K3M0CLASS". The console model decides every cell; the window only shows
// the model and feeds typed keys into the keyboard ring.
//
// Painting draws the model's cells row by row in the 16-colour palette;
// scrolling moves the window contents and repaints the new bottom row.
// WM_CHAR bytes are keys (a double-byte character arrives as its two
// bytes); the keys without a character map to the console's codes; Ctrl+C
// is key 3 and a break request. The system menu's "コピー(&Y)" copies the
// screen to the clipboard. Closing the window posts the quit message, which
// ends the program at its next turn of the queue.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "runtime/platform/codepage.h"
#include "runtime/platform/console_devices.h"
#include "runtime/platform/requests.h"
#include "runtime/platform/win32/console_window.h"

namespace rt::platform {
namespace {

constexpr char kClassName[] = "K3M0CLASS";
constexpr UINT kCopyCommand = 0x0110;  // system-menu command id (below 0xF000)
constexpr int kColumns = ConsoleModel::kColumns, kRows = ConsoleModel::kRows;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL;
// A turn of the statement hook looks at the queue at most this often: the
// look costs a round trip to the window system, and nobody types faster.
constexpr ULONGLONG kPollMilliseconds = 5;

// The palette in the run-time's colour order (blue before red).
constexpr COLORREF kPalette[16] = {
    RGB(0, 0, 0),       RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(0, 128, 128),
    RGB(128, 0, 0),     RGB(128, 0, 128), RGB(128, 128, 0), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
    RGB(255, 0, 0),     RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255)};

HWND g_window = nullptr;

// Console codes of the keys that have no character.
int key_code(WPARAM vk) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (vk) {
    case VK_DELETE:
      return keycode::kDelete;
    case VK_INSERT:
      return keycode::kInsert;
    case VK_HOME:
      return shift ? keycode::kClear : keycode::kHome;
    case VK_CLEAR:
      return keycode::kClear;
    case VK_END:
      return keycode::kEnd;
    case VK_PRIOR:
      return keycode::kPageUp;
    case VK_NEXT:
      return keycode::kPageDown;
    case VK_RIGHT:
      return keycode::kRight;
    case VK_LEFT:
      return keycode::kLeft;
    case VK_UP:
      return keycode::kUp;
    case VK_DOWN:
      return keycode::kDown;
    default:
      return 0;
  }
}

class WindowDevice final : public ConsoleDevice {
 public:
  WindowDevice(BytesView title, const ConsoleModel& model) : model_(model) {
    self_ = this;
    std::fill(std::begin(dirty_from_), std::end(dirty_from_), kColumns);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = 4;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "k3m0dflt");
    if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      fail(title, "window class");

    font_ = static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    cell_w_ = tm.tmAveCharWidth;
    cell_h_ = tm.tmHeight;

    // The client area holds exactly the text area; the frame, the caption
    // and the scroll bars come on top of it. The window is made at the
    // top-left corner in that size.
    RECT r{0, 0, kColumns * cell_w_, kRows * cell_h_};
    AdjustWindowRect(&r, kStyle, FALSE);
    const int width = r.right - r.left + GetSystemMetrics(SM_CXVSCROLL);
    const int height = r.bottom - r.top + GetSystemMetrics(SM_CYHSCROLL);
    const std::string name(title);
    g_window = CreateWindowExA(0, kClassName, name.c_str(), kStyle, 0, 0, width, height, nullptr,
                               nullptr, instance, nullptr);
    if (!g_window) fail(title, "window");
    MoveWindow(g_window, 0, 0, width, height, FALSE);
    HMENU menu = GetSystemMenu(g_window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kCopyCommand, utf8_to_cp932("コピー(&Y)").c_str());
    STARTUPINFOA si{};
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    ShowWindow(g_window, (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT);
    UpdateWindow(g_window);
  }

  // Changed cells are collected per row and invalidated when the model is
  // presented: one call for a printed item, not one per cell.
  void cells_changed(int row, int from, int to) override {
    dirty_from_[row] = std::min(dirty_from_[row], from);
    dirty_to_[row] = std::max(dirty_to_[row], to);
  }
  void row_left(int) override {}
  // The window contents move up one cell height; the new bottom row is
  // painted from the model. Pending cells are painted first, so that they
  // move with the rest.
  void scrolled() override {
    if (!g_window || IsIconic(g_window)) return;
    invalidate();
    UpdateWindow(g_window);
    ScrollWindow(g_window, 0, -cell_h_, nullptr, nullptr);
    cells_changed(kRows - 1, 0, kColumns);
  }

  void present(const ConsoleModel& m) override {
    if (!g_window) return;
    if (caret_) SetCaretPos(m.column() * cell_w_, m.row() * cell_h_);
    if (IsIconic(g_window)) return;  // painted from the model when restored
    invalidate();
    UpdateWindow(g_window);
  }

  // The statement hook's turn: the queue is looked at (at most every few
  // milliseconds); only when a message waits are messages taken and
  // dispatched until the queue is empty.
  bool poll(KeyRing& keys) override {
    if (!g_window) return false;
    const ULONGLONG now = GetTickCount64();
    if (now - last_poll_ < kPollMilliseconds) return true;
    last_poll_ = now;
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) return true;
    ring_ = &keys;
    bool open = true;
    while (open && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) open = dispatch(msg);
    ring_ = nullptr;
    return open && g_window;
  }

  // The line editor's and the key wait's wait: the message loop runs until
  // a key is in the ring; the caret shows meanwhile.
  bool wait(KeyRing& keys) override {
    if (!g_window) return false;
    ring_ = &keys;
    show_caret(true);
    bool open = true;
    MSG msg;
    while (open && keys.empty()) {
      if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        open = false;
        break;
      }
      open = dispatch(msg) && g_window;
    }
    show_caret(false);
    ring_ = nullptr;
    return open;
  }

  void beep() override { MessageBeep(0); }

  // Closes the window and dispatches what is still waiting.
  void shutdown(const ConsoleModel&) override {
    if (g_window) DestroyWindow(g_window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }

  // A fault's message is shown by the fault box, owned by this window.
  void emergency_write(const char*, size_t) override {}
  void emergency_restore() override {}

 private:
  [[noreturn]] static void fail(BytesView title, const char* what) {
    const std::string text = std::string("The console ") + what + " cannot be created.";
    MessageBoxA(nullptr, text.c_str(), std::string(title).c_str(), MB_OK | MB_ICONERROR);
    ExitProcess(1);
  }

  // False once the quit message came.
  bool dispatch(const MSG& msg) {
    if (msg.message == WM_QUIT) return false;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
  }

  void key(int code) {
    if (code == 3) requests::request_break();
    if (!ring_ || !ring_->push(static_cast<uint8_t>(code))) MessageBeep(0);
  }

  void show_caret(bool on) {
    waiting_ = on;
    if (!focus_ || !g_window) return;
    if (on && !caret_) {
      SetCaretPos(model_.column() * cell_w_, model_.row() * cell_h_);
      ShowCaret(g_window);
      caret_ = true;
    } else if (!on && caret_) {
      HideCaret(g_window);
      caret_ = false;
    }
  }

  void invalidate() {
    for (int row = 0; row < kRows; ++row) {
      if (dirty_from_[row] >= dirty_to_[row]) continue;
      RECT r{dirty_from_[row] * cell_w_, row * cell_h_, dirty_to_[row] * cell_w_,
             (row + 1) * cell_h_};
      InvalidateRect(g_window, &r, FALSE);
      dirty_from_[row] = kColumns;
      dirty_to_[row] = 0;
    }
  }

  void paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(g_window, &ps);
    HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, OPAQUE);
    const int first = std::max<int>(0, ps.rcPaint.top / cell_h_);
    const int last = std::min<int>(kRows - 1, (ps.rcPaint.bottom - 1) / cell_h_);
    for (int row = first; row <= last; ++row) {
      // Runs of one colour pair; a double-byte character's two cells share
      // their colours, so a run never splits one.
      int c = 0;
      while (c < kColumns) {
        const Cell& start = model_.cell(row, c);
        std::string run;
        int k = c;
        while (k < kColumns && model_.cell(row, k).fg == start.fg &&
               model_.cell(row, k).bg == start.bg)
          run.push_back(static_cast<char>(model_.cell(row, k++).ch));
        SetTextColor(dc, kPalette[start.fg & 15]);
        SetBkColor(dc, kPalette[start.bg & 15]);
        TabbedTextOutA(dc, c * cell_w_, row * cell_h_, run.data(), static_cast<int>(run.size()), 0,
                       nullptr, 0);
        c = k;
      }
    }
    SelectObject(dc, old);
    EndPaint(g_window, &ps);
  }

  // The screen's 24 rows as text: CP932, trailing blanks trimmed, each row
  // ended by CR LF.
  void copy() {
    std::string text;
    for (int row = 0; row < kRows; ++row) {
      std::string line;
      for (int c = 0; c < kColumns; ++c) line.push_back(static_cast<char>(model_.cell(row, c).ch));
      line.erase(line.find_last_not_of(' ') + 1);
      text += line + "\r\n";
    }
    if (!OpenClipboard(g_window)) return;
    EmptyClipboard();
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
      if (void* p = GlobalLock(block)) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
      } else {
        GlobalFree(block);
      }
    }
    CloseClipboard();
  }

  static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    WindowDevice* d = self_;
    switch (msg) {
      case WM_PAINT:
        if (d && hwnd == g_window) {
          d->paint();
          return 0;
        }
        break;
      case WM_CHAR:
        if (d) d->key(static_cast<int>(wp & 0xFF));
        return 0;
      case WM_KEYDOWN:
        // F1 opens the help at the last error's topic (no function key has
        // text assigned).
        if (wp == VK_F1) open_help();
        if (int code = key_code(wp); code && d) d->key(code);
        return 0;
      case WM_SETFOCUS:
        if (d) {
          d->focus_ = true;
          CreateCaret(hwnd, nullptr, 2, d->cell_h_);
          if (d->waiting_) d->show_caret(true);
        }
        return 0;
      case WM_KILLFOCUS:
        if (d) {
          d->focus_ = false;
          d->caret_ = false;
          DestroyCaret();
        }
        return 0;
      case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == kCopyCommand) {
          if (d) d->copy();
          return 0;
        }
        break;
      case WM_DESTROY:
        g_window = nullptr;
        PostQuitMessage(0);
        return 0;
      default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }

  static inline WindowDevice* self_ = nullptr;
  const ConsoleModel& model_;
  HFONT font_ = nullptr;
  int cell_w_ = 8, cell_h_ = 16;
  KeyRing* ring_ = nullptr;
  ULONGLONG last_poll_ = 0;
  int dirty_from_[kRows] = {}, dirty_to_[kRows] = {};  // cells not yet invalidated
  bool focus_ = false, caret_ = false, waiting_ = false;
};

}  // namespace

HWND console_window() {
  return g_window;
}

std::unique_ptr<ConsoleDevice> make_console_device(BytesView title, const ConsoleModel& model) {
  return std::make_unique<WindowDevice>(title, model);
}

}  // namespace rt::platform
