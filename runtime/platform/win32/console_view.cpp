// The console window's view: the cells it shows, the scroll bars and the
// caret (console_view.h); painting is in console_paint.cpp.
#include "runtime/platform/win32/console_view.h"

#include <algorithm>

#include "runtime/platform/win32/console_window.h"

namespace rt::platform {

WindowView::WindowView(const ConsoleModel& model) : model_(model) {
  std::fill(std::begin(dirty_from_), std::end(dirty_from_), kColumns);
}

void WindowView::use_dpi(int dpi) {
  font_ = std::make_unique<ConsoleFont>(dpi);
  cell_w_ = font_->cell_width();
  cell_h_ = font_->cell_height();
  const SIZE full = window_size(SIZE{kColumns * cell_w_, kRows * cell_h_}, kStyle, dpi);
  full_size_ = {full.cx, full.cy};
}

// The font and cells for the new DPI, the suggested rectangle (no larger
// than the text area), a new caret of the new cell's height, everything
// redrawn.
void WindowView::dpi_changed(int dpi, const RECT& suggested) {
  use_dpi(dpi);
  if (focus_) make_caret();
  SetWindowPos(console_window(), nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left, suggested.bottom - suggested.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  update_bars();
  InvalidateRect(console_window(), nullptr, FALSE);
}

// Changed cells are collected per row and invalidated when the model is
// presented: one call for a printed item, not one per cell.
void WindowView::cells_changed(int row, int from, int to) {
  dirty_from_[row] = std::min(dirty_from_[row], from);
  dirty_to_[row] = std::max(dirty_to_[row], to);
}

// The cells still to be painted move up with their contents; the window
// contents move up one cell height; the new bottom row is painted.
void WindowView::scrolled() {
  const int top = 0, bottom = kRows - 1;
  for (int row = top; row < bottom; ++row) {
    dirty_from_[row] = dirty_from_[row + 1];
    dirty_to_[row] = dirty_to_[row + 1];
  }
  cells_changed(bottom, 0, kColumns);
  if (console_window()) move_contents(0, -cell_h_, cells_rect(top, 0, bottom + 1, kColumns));
}

void WindowView::present() {
  HWND window = console_window();
  if (!window) return;
  if (caret_) place_caret();
  if (IsIconic(window)) return;  // painted from the model when restored
  invalidate();
  UpdateWindow(window);
}

// Client coordinates of cells [col0, col1) of rows [row0, row1) in the
// current view.
RECT WindowView::cells_rect(int row0, int col0, int row1, int col1) const {
  return RECT{(col0 - view_col_) * cell_w_, (row0 - view_row_) * cell_h_,
              (col1 - view_col_) * cell_w_, (row1 - view_row_) * cell_h_};
}

void WindowView::invalidate() {
  for (int row = 0; row < kRows; ++row) {
    if (dirty_from_[row] >= dirty_to_[row]) continue;
    const RECT r = cells_rect(row, dirty_from_[row], row + 1, dirty_to_[row]);
    InvalidateRect(console_window(), &r, FALSE);
    dirty_from_[row] = kColumns;
    dirty_to_[row] = 0;
  }
}

// Moves the pixels of `area` by (dx, dy) with one scroll; what it uncovers
// is invalidated. The parts of the area that wait for painting move with
// the pixels, so that what is painted later is the cell now shown there
// (the system is not relied on to move them).
void WindowView::move_contents(int dx, int dy, const RECT& area) {
  HWND window = console_window();
  HRGN waiting = CreateRectRgn(0, 0, 0, 0);
  HRGN inside = CreateRectRgnIndirect(&area);
  const bool any = GetUpdateRgn(window, waiting, FALSE) > NULLREGION &&
                   CombineRgn(waiting, waiting, inside, RGN_AND) > NULLREGION;
  if (any) ValidateRgn(window, waiting);
  ScrollWindow(window, dx, dy, &area, &area);
  if (any) {
    OffsetRgn(waiting, dx, dy);
    CombineRgn(waiting, waiting, inside, RGN_AND);
    InvalidateRgn(window, waiting, FALSE);
  }
  DeleteObject(inside);
  DeleteObject(waiting);
}

// Whole cells shown, the hidden rest as the bars' ranges, the view kept
// inside the text.
void WindowView::update_bars() {
  RECT client;
  GetClientRect(console_window(), &client);
  page_cols_ = std::clamp<int>(client.right / cell_w_, 1, kColumns);
  page_rows_ = std::clamp<int>(client.bottom / cell_h_, 1, kRows);
  show(std::min(view_col_, kColumns - page_cols_), std::min(view_row_, kRows - page_rows_));
  set_bar(SB_HORZ, kColumns - page_cols_, view_col_);
  set_bar(SB_VERT, kRows - page_rows_, view_row_);
}

void WindowView::set_bar(int bar, int hidden, int position) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = hidden;
  si.nPos = position;
  SetScrollInfo(console_window(), bar, &si, TRUE);
}

// A cell, a page, the thumb's position or an end.
void WindowView::scroll_request(int bar, WPARAM wp) {
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
  SetScrollPos(console_window(), bar, to, TRUE);
  UpdateWindow(console_window());
}

// Makes cell `col`, `row` the one at the client area's top-left corner.
void WindowView::show(int col, int row) {
  if (col == view_col_ && row == view_row_) return;
  RECT client;
  GetClientRect(console_window(), &client);
  const int dx = (view_col_ - col) * cell_w_, dy = (view_row_ - row) * cell_h_;
  view_col_ = col;
  view_row_ = row;
  move_contents(dx, dy, client);
  if (caret_) place_caret();
}

// The caret of the focused window, one cell high; shown again where it was
// shown.
void WindowView::make_caret() {
  CreateCaret(console_window(), nullptr, font_->caret_width(), cell_h_);
  if (caret_) {
    place_caret();
    ShowCaret(console_window());
  }
}

void WindowView::show_caret(bool on) {
  waiting_ = on;
  if (!focus_ || !console_window()) return;
  if (on && !caret_) {
    place_caret();
    ShowCaret(console_window());
    caret_ = true;
  } else if (!on && caret_) {
    HideCaret(console_window());
    caret_ = false;
  }
}

void WindowView::place_caret() {
  SetCaretPos((model_.column() - view_col_) * cell_w_, (model_.row() - view_row_) * cell_h_);
}

void WindowView::focus_gained() {
  focus_ = true;
  make_caret();
  if (waiting_) show_caret(true);
}

void WindowView::focus_lost() {
  focus_ = false;
  caret_ = false;
  DestroyCaret();
}

}  // namespace rt::platform
