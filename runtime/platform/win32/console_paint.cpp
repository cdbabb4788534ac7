// The console window's painting (console_view.h): the model's cells in the
// 16-colour palette, as UTF-16 whatever the system's ANSI code page, each
// character over its cells.
#include <algorithm>
#include <string>
#include <vector>

#include "runtime/platform/win32/console_view.h"
#include "runtime/platform/win32/console_window.h"
#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

// The palette in the run-time's colour order (blue before red).
constexpr COLORREF kPalette[16] = {
    RGB(0, 0, 0),       RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(0, 128, 128),
    RGB(128, 0, 0),     RGB(128, 0, 128), RGB(128, 128, 0), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
    RGB(255, 0, 0),     RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255)};

}  // namespace

void WindowView::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(console_window(), &ps);
  // What lies beyond the text area (a client area that ends inside a cell,
  // scrolled to its end) is background.
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
  EndPaint(console_window(), &ps);
}

// A run of cells (CP932) in UTF-16 over its rectangle: each character
// advanced by its cells, so the layout is the cells' whatever the font's
// own widths; the background fills the whole run, and the glyphs are
// clipped to it. With a Japanese font of its own (the system's fixed font
// has no Japanese glyphs), double-byte characters are drawn in it, each
// part clipped to its cells.
void WindowView::draw_cells(HDC dc, const RECT& cells, const std::string& run) {
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

}  // namespace rt::platform
