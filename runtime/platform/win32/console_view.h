// The console window's view of the model: which cells the client area
// shows, the scroll bars, the caret, and painting.
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
//
// The cells' size and the font come with the window's DPI
// (console_font.h). Moved to a monitor with another DPI, the window takes
// the size the system suggests, the font and cells for the new DPI, and
// redraws; the view, the bars and the caret stay in cells.
//
// The cells' CP932 text is drawn as UTF-16 with every character advanced
// by its cells (a double-byte character takes two).
//
// The view works on the console window (console_window()); presenting,
// scrolling and the caret leave it alone once it is gone.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "runtime/base/console_model.h"
#include "runtime/platform/win32/console_font.h"

namespace rt::platform {

class WindowView {
 public:
  static constexpr int kColumns = ConsoleModel::kColumns, kRows = ConsoleModel::kRows;
  static constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL;

  explicit WindowView(const ConsoleModel& model);

  // The font and the cells for `dpi`, and the window's full size with them.
  void use_dpi(int dpi);
  // Moved to a monitor with another DPI (WM_DPICHANGED).
  void dpi_changed(int dpi, const RECT& suggested);
  // The font the cells are drawn in; null before the first use_dpi().
  HFONT font() const { return font_ ? font_->text() : nullptr; }
  // The window's size with all of the text area.
  POINT full_size() const { return full_size_; }

  // Cells [from, to) of `row` changed; they are invalidated by present().
  void cells_changed(int row, int from, int to);
  // The model has moved the screen up one row.
  void scrolled();
  // Invalidates the changed cells and paints them.
  void present();
  void paint();

  // The view after a change of the client area's size (WM_SIZE).
  void update_bars();
  // A scroll bar's request (WM_HSCROLL, WM_VSCROLL).
  void scroll_request(int bar, WPARAM wp);

  // The caret shows while a key is waited for and the window has the focus.
  void show_caret(bool on);
  void focus_gained();
  void focus_lost();

 private:
  void make_caret();
  void place_caret();
  RECT cells_rect(int row0, int col0, int row1, int col1) const;
  void invalidate();
  void move_contents(int dx, int dy, const RECT& area);
  void set_bar(int bar, int hidden, int position);
  void show(int col, int row);
  void draw_cells(HDC dc, const RECT& cells, const std::string& run);

  const ConsoleModel& model_;
  std::unique_ptr<ConsoleFont> font_;
  int cell_w_ = 8, cell_h_ = 16;
  POINT full_size_{};
  int view_col_ = 0, view_row_ = 0;               // the cell at the client area's top-left corner
  int page_cols_ = kColumns, page_rows_ = kRows;  // whole cells the client area shows
  int dirty_from_[kRows] = {}, dirty_to_[kRows] = {};  // cells not yet invalidated
  bool focus_ = false, caret_ = false, waiting_ = false;
};

}  // namespace rt::platform
