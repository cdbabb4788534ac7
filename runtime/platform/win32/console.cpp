// The console window: the program's own 80 x 24 text window of class
// "K3M0CLASS". The console model decides every cell; the window only shows
// the model and feeds typed keys into the keyboard ring.
//
// Painting draws the model's cells row by row in the 16-colour palette.
// When the model scrolls, the window contents move up with one scroll and
// only the new bottom row and the cells written since are painted; cells
// still waiting to be painted move with the contents, so every cell ends up
// showing what the model holds there.
//
// The client area holds the whole 80 x 24 text area and never grows past
// it. Made smaller, it shows part of it: the scroll bars' ranges are the
// hidden columns and rows, and scrolling moves the view by whole cells
// (painting and the caret follow the view). At full size both ranges are
// empty and the bars show disabled.
// The cells' size and the font come with the window's DPI
// (console_font.h). Moved to a monitor with another DPI, the window takes
// the size the system suggests, the font and cells for the new DPI, and
// redraws; the view, the bars and the caret stay in cells. The window
// answers WM_GETFONT with the font it draws its cells in.
// The window talks to the system in UTF-16 whatever its ANSI code page:
// the cells' CP932 text is drawn as UTF-16 with every character advanced by
// its cells (a double-byte character takes two), the title and the menu are
// wide, and a typed character (WM_CHAR in UTF-16, also as the input method
// sends it) goes into the keyboard ring as its CP932 bytes; one without a
// CP932 form, or one the ring has no room for, beeps and stores nothing.
// The keys without a character map to the console's codes; Ctrl+C is key 3
// and a break request. The system menu's "コピー(&Y)" copies the
// screen to the clipboard. Closing the window posts the quit message, which
// ends the program at its next turn of the queue.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "runtime/platform/console_devices.h"
#include "runtime/platform/requests.h"
#include "runtime/platform/win32/console_font.h"
#include "runtime/platform/win32/console_window.h"
#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

constexpr wchar_t kClassName[] = L"K3M0CLASS";
constexpr UINT kCopyCommand = 0x0110;  // system-menu command id (below 0xF000)
constexpr int kColumns = ConsoleModel::kColumns, kRows = ConsoleModel::kRows;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL;
// A turn of the statement hook looks at the queue at most this often: the
// look costs a round trip to the window system, and nobody types faster.
constexpr ULONGLONG kPollMilliseconds = 5;
// The clipboard's locale for its text: Japanese, so that a program that
// takes the text in another form converts it from code page 932.
constexpr LCID kJapanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT);

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
    case VK_EXECUTE:
      return 13;
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
    g_window = CreateWindowExW(0, kClassName, wide(title).c_str(), kStyle, 0, 0, 0, 0, nullptr,
                               nullptr, instance, nullptr);
    if (!g_window) fail(title, "window");
    use_dpi(window_dpi(g_window));
    MoveWindow(g_window, 0, 0, full_size_.x, full_size_.y, FALSE);
    update_bars();
    HMENU menu = GetSystemMenu(g_window, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kCopyCommand, L"コピー(&Y)");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    GetStartupInfoW(&si);
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
  // The model has moved the screen up one row. The cells still to be
  // painted move up with their contents; the window contents move up one
  // cell height; the new bottom row is painted.
  void scrolled() override {
    const int top = 0, bottom = kRows - 1;
    for (int row = top; row < bottom; ++row) {
      dirty_from_[row] = dirty_from_[row + 1];
      dirty_to_[row] = dirty_to_[row + 1];
    }
    cells_changed(bottom, 0, kColumns);
    if (g_window) move_contents(0, -cell_h_, cells_rect(top, 0, bottom + 1, kColumns));
  }

  void present(const ConsoleModel&) override {
    if (!g_window) return;
    if (caret_) place_caret();
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
    show_caret(true);
    bool open = true;
    MSG msg;
    while (open && keys.empty()) {
      if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
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
  bool dispatch(const MSG& msg) {
    if (msg.message == WM_QUIT) return false;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
  }

  void key(int code) {
    if (code == 3) requests::request_break();
    if (!ring_ || !ring_->push(static_cast<uint8_t>(code))) MessageBeep(0);
  }

  // A typed character (UTF-16) as its CP932 bytes, both or none. The first
  // half of a surrogate pair waits for the second, which has no CP932 form.
  void typed(wchar_t ch) {
    if (ch < 0x80) return key(ch);
    if (IS_HIGH_SURROGATE(ch)) return;
    BOOL lost = FALSE;
    const std::string bytes = IS_LOW_SURROGATE(ch) ? "" : narrow(std::wstring_view(&ch, 1), &lost);
    if (bytes.empty() || lost || !ring_ || ring_->room() < static_cast<int>(bytes.size())) {
      MessageBeep(0);
      return;
    }
    for (const char b : bytes) ring_->push(static_cast<uint8_t>(b));
  }

  // The font and the cells for `dpi`, and the window's full size with them.
  void use_dpi(int dpi) {
    font_ = std::make_unique<ConsoleFont>(dpi);
    cell_w_ = font_->cell_width();
    cell_h_ = font_->cell_height();
    const SIZE full = window_size(SIZE{kColumns * cell_w_, kRows * cell_h_}, kStyle, dpi);
    full_size_ = {full.cx, full.cy};
  }

  // Moved to a monitor with another DPI (WM_DPICHANGED): the font and cells
  // for it, the suggested rectangle (no larger than the text area), a new
  // caret of the new cell's height, everything redrawn.
  void dpi_changed(int dpi, const RECT& suggested) {
    use_dpi(dpi);
    if (focus_) make_caret();
    SetWindowPos(g_window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    update_bars();
    InvalidateRect(g_window, nullptr, FALSE);
  }

  // The caret of the focused window, one cell high; shown again where it
  // was shown.
  void make_caret() {
    CreateCaret(g_window, nullptr, font_->caret_width(), cell_h_);
    if (caret_) {
      place_caret();
      ShowCaret(g_window);
    }
  }

  void show_caret(bool on) {
    waiting_ = on;
    if (!focus_ || !g_window) return;
    if (on && !caret_) {
      place_caret();
      ShowCaret(g_window);
      caret_ = true;
    } else if (!on && caret_) {
      HideCaret(g_window);
      caret_ = false;
    }
  }

  void place_caret() {
    SetCaretPos((model_.column() - view_col_) * cell_w_, (model_.row() - view_row_) * cell_h_);
  }

  // Client coordinates of cells [col0, col1) of rows [row0, row1) in the
  // current view.
  RECT cells_rect(int row0, int col0, int row1, int col1) const {
    return RECT{(col0 - view_col_) * cell_w_, (row0 - view_row_) * cell_h_,
                (col1 - view_col_) * cell_w_, (row1 - view_row_) * cell_h_};
  }

  void invalidate() {
    for (int row = 0; row < kRows; ++row) {
      if (dirty_from_[row] >= dirty_to_[row]) continue;
      const RECT r = cells_rect(row, dirty_from_[row], row + 1, dirty_to_[row]);
      InvalidateRect(g_window, &r, FALSE);
      dirty_from_[row] = kColumns;
      dirty_to_[row] = 0;
    }
  }

  // Moves the pixels of `area` by (dx, dy) with one scroll; what it
  // uncovers is invalidated. The parts of the area that wait for painting
  // move with the pixels, so that what is painted later is the cell now
  // shown there (the system is not relied on to move them).
  void move_contents(int dx, int dy, const RECT& area) {
    HRGN waiting = CreateRectRgn(0, 0, 0, 0);
    HRGN inside = CreateRectRgnIndirect(&area);
    const bool any = GetUpdateRgn(g_window, waiting, FALSE) > NULLREGION &&
                     CombineRgn(waiting, waiting, inside, RGN_AND) > NULLREGION;
    if (any) ValidateRgn(g_window, waiting);
    ScrollWindow(g_window, dx, dy, &area, &area);
    if (any) {
      OffsetRgn(waiting, dx, dy);
      CombineRgn(waiting, waiting, inside, RGN_AND);
      InvalidateRgn(g_window, waiting, FALSE);
    }
    DeleteObject(inside);
    DeleteObject(waiting);
  }

  // The view after a change of the client area's size: whole cells shown,
  // the hidden rest as the bars' ranges, the view kept inside the text.
  void update_bars() {
    RECT client;
    GetClientRect(g_window, &client);
    page_cols_ = std::clamp<int>(client.right / cell_w_, 1, kColumns);
    page_rows_ = std::clamp<int>(client.bottom / cell_h_, 1, kRows);
    show(std::min(view_col_, kColumns - page_cols_), std::min(view_row_, kRows - page_rows_));
    set_bar(SB_HORZ, kColumns - page_cols_, view_col_);
    set_bar(SB_VERT, kRows - page_rows_, view_row_);
  }

  void set_bar(int bar, int hidden, int position) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = hidden;
    si.nPos = position;
    SetScrollInfo(g_window, bar, &si, TRUE);
  }

  // A scroll bar's request (WM_HSCROLL, WM_VSCROLL): a cell, a page, the
  // thumb's position or an end.
  void scroll_request(int bar, WPARAM wp) {
    const bool across = bar == SB_HORZ;
    const int at = across ? view_col_ : view_row_;
    const int page = across ? page_cols_ : page_rows_;
    const int last = (across ? kColumns : kRows) - page;
    int to = at;
    switch (LOWORD(wp)) {
      case SB_LINEUP:
        to = at - 1;
        break;
      case SB_LINEDOWN:
        to = at + 1;
        break;
      case SB_PAGEUP:
        to = at - page;
        break;
      case SB_PAGEDOWN:
        to = at + page;
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        to = HIWORD(wp);
        break;
      case SB_TOP:
        to = 0;
        break;
      case SB_BOTTOM:
        to = last;
        break;
      default:
        return;
    }
    to = std::clamp(to, 0, last);
    if (across)
      show(to, view_row_);
    else
      show(view_col_, to);
    SetScrollPos(g_window, bar, to, TRUE);
    UpdateWindow(g_window);
  }

  // Makes cell `col`, `row` the one at the client area's top-left corner.
  void show(int col, int row) {
    if (col == view_col_ && row == view_row_) return;
    RECT client;
    GetClientRect(g_window, &client);
    const int dx = (view_col_ - col) * cell_w_, dy = (view_row_ - row) * cell_h_;
    view_col_ = col;
    view_row_ = row;
    move_contents(dx, dy, client);
    if (caret_) place_caret();
  }

  void paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(g_window, &ps);
    // What lies beyond the text area (a client area that ends inside a
    // cell, scrolled to its end) is background.
    const RECT text = cells_rect(0, 0, kRows, kColumns);
    const HBRUSH background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    if (ps.rcPaint.right > text.right) {
      const RECT r{text.right, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom};
      FillRect(dc, &r, background);
    }
    if (ps.rcPaint.bottom > text.bottom) {
      const RECT r{ps.rcPaint.left, text.bottom, ps.rcPaint.right, ps.rcPaint.bottom};
      FillRect(dc, &r, background);
    }
    HGDIOBJ old = SelectObject(dc, font_->text());
    SetBkMode(dc, OPAQUE);
    const int first = std::max<int>(0, view_row_ + ps.rcPaint.top / cell_h_);
    const int last = std::min<int>(kRows - 1, view_row_ + (ps.rcPaint.bottom - 1) / cell_h_);
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
        draw_cells(dc, cells_rect(row, c, row + 1, k), run);
        c = k;
      }
    }
    SelectObject(dc, old);
    EndPaint(g_window, &ps);
  }

  // A run of cells (CP932) in UTF-16 over its rectangle: each character
  // advanced by its cells, so the layout is the cells' whatever the font's
  // own widths; the background fills the whole run, and the glyphs are
  // clipped to it. With a Japanese font of its own (the system's fixed font
  // has no Japanese glyphs), double-byte characters are drawn in it, each
  // part clipped to its cells.
  void draw_cells(HDC dc, const RECT& cells, const std::string& run) {
    const HFONT kanji_font = font_->kanji();
    size_t i = 0;
    int x = cells.left;
    while (i < run.size()) {
      std::wstring text;
      std::vector<INT> advance;
      const bool wide_part = kanji_font && char_length(run, i) == 2;
      const int left = x;
      while (i < run.size() && (!kanji_font || (char_length(run, i) == 2) == wide_part)) {
        const size_t n = char_length(run, i);
        const std::wstring ch = wide(std::string_view(run).substr(i, n));
        for (size_t u = 0; u < ch.size(); ++u) {
          text.push_back(ch[u]);
          advance.push_back(u == 0 ? static_cast<INT>(n) * cell_w_ : 0);
        }
        if (ch.empty()) {
          text.push_back(L' ');
          advance.push_back(static_cast<INT>(n) * cell_w_);
        }
        x += static_cast<int>(n) * cell_w_;
        i += n;
      }
      const RECT part{left, cells.top, x, cells.bottom};
      SelectObject(dc, wide_part ? kanji_font : font_->text());
      ExtTextOutW(dc, left, cells.top, ETO_OPAQUE | ETO_CLIPPED, &part, text.data(),
                  static_cast<UINT>(text.size()), advance.data());
    }
  }

  // Puts a copy of `bytes` on the clipboard in `format`.
  static void put(UINT format, const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return;
    if (void* p = GlobalLock(block)) {
      std::memcpy(p, bytes, size);
      GlobalUnlock(block);
      if (SetClipboardData(format, block)) return;
    }
    GlobalFree(block);
  }

  // The screen's 24 rows as text, trailing blanks trimmed, each row ended
  // by CR LF: as CP932 (CF_TEXT, with the Japanese CF_LOCALE) and as its
  // UTF-16 (CF_UNICODETEXT), so that old and new programs paste it right.
  void copy() {
    std::string text;
    for (int row = 0; row < kRows; ++row) {
      std::string line;
      for (int c = 0; c < kColumns; ++c) line.push_back(static_cast<char>(model_.cell(row, c).ch));
      line.erase(line.find_last_not_of(' ') + 1);
      text += line + "\r\n";
    }
    const std::wstring utf16 = wide(text);
    if (!OpenClipboard(g_window)) return;
    EmptyClipboard();
    put(CF_TEXT, text.c_str(), text.size() + 1);
    put(CF_UNICODETEXT, utf16.c_str(), (utf16.size() + 1) * sizeof(wchar_t));
    const LCID locale = kJapanese;
    put(CF_LOCALE, &locale, sizeof locale);
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
        if (d) d->typed(static_cast<wchar_t>(wp));
        return 0;
      case WM_KEYDOWN:
        // F1 opens the help at the last error's topic (no function key has
        // text assigned).
        if (wp == VK_F1) open_help();
        if (int code = key_code(wp); code && d) d->key(code);
        return 0;
      case WM_SIZE:
        // Minimised, the view stays as it was, to be shown on restore.
        if (d && hwnd == g_window && wp != SIZE_MINIMIZED) d->update_bars();
        return 0;
      case WM_HSCROLL:
      case WM_VSCROLL:
        if (d && hwnd == g_window) d->scroll_request(msg == WM_HSCROLL ? SB_HORZ : SB_VERT, wp);
        return 0;
      case WM_GETMINMAXINFO:
        // Never larger than the text area; maximised, the full-size window
        // at the top-left corner.
        if (d) {
          auto* info = reinterpret_cast<MINMAXINFO*>(lp);
          info->ptMaxTrackSize = d->full_size_;
          info->ptMaxSize = d->full_size_;
          info->ptMaxPosition = POINT{0, 0};
          return 0;
        }
        break;
      case WM_SETFOCUS:
        if (d) {
          d->focus_ = true;
          d->make_caret();
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
      case WM_DPICHANGED:
        if (d && hwnd == g_window) {
          d->dpi_changed(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
          return 0;
        }
        break;
      case WM_GETFONT:
        if (d && hwnd == g_window && d->font_) return reinterpret_cast<LRESULT>(d->font_->text());
        break;
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
    return DefWindowProcW(hwnd, msg, wp, lp);
  }

  static inline WindowDevice* self_ = nullptr;
  const ConsoleModel& model_;
  std::unique_ptr<ConsoleFont> font_;
  int cell_w_ = 8, cell_h_ = 16;
  POINT full_size_{};                             // the window's size with all of the text area
  int view_col_ = 0, view_row_ = 0;               // the cell at the client area's top-left corner
  int page_cols_ = kColumns, page_rows_ = kRows;  // whole cells the client area shows
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
