// The headless text console: 80 x 24 cells with cursor and colours, and the
// keyboard ring.
//
// Writing bytes: CR moves to column 0, LF to the next row (same column);
// other bytes fill the cell at the cursor, which then advances and wraps at
// the last column. A double-byte character never splits across rows: when
// its lead byte would fall in the last column a blank is written there and
// the character starts the next row. A lead byte that ends one write is held
// and joined with the next write. Moving below the last row scrolls the
// screen (the scroll region is the whole screen) up one row. What the
// console shows reaches a device through ConsoleView.
#pragma once

#include <array>
#include <cstdint>

#include "runtime/base/cp932.h"

namespace rt {

// A cell: its byte and its colours, indexes into a 16-entry palette. The
// program writes in the console's colours, white (7) on black (0).
struct Cell {
  uint8_t ch = ' ';
  uint8_t fg = 7;
  uint8_t bg = 0;
};

// Receives what changes on the screen.
class ConsoleView {
 public:
  virtual ~ConsoleView() = default;
  // Cells [from, to) of `row` were written.
  virtual void cells_changed(int row, int from, int to) = 0;
  // The cursor leaves `row` for the next one (line feed or wrap), before any scroll.
  virtual void row_left(int row) = 0;
  // The screen moved up one row.
  virtual void scrolled() = 0;
};

class KeyRing {
 public:
  // False (and the key dropped) when 255 keys are pending.
  bool push(uint8_t code);
  bool empty() const { return read_ == write_; }
  // How many more keys fit.
  int room() const { return 255 - static_cast<uint8_t>(write_ - read_); }
  uint8_t pop();
  void clear() { read_ = write_; }

 private:
  std::array<uint8_t, 256> slots_{};
  uint8_t read_ = 0;
  uint8_t write_ = 0;
};

class ConsoleModel {
 public:
  static constexpr int kColumns = 80;
  static constexpr int kRows = 24;

  ConsoleModel();
  void set_view(ConsoleView* view) { view_ = view; }

  void write(BytesView bytes);
  // Places the cursor (0-based) without output.
  void move_to(int row, int col);
  // Blanks cells from linear cell `from` to `to` (row * 80 + col) without moving the cursor.
  void blank(int from, int to);

  int row() const { return row_; }
  int column() const { return col_; }
  const Cell& cell(int row, int col) const { return cells_[row][col]; }
  // One past the last column written on `row` since it was cleared.
  int extent(int row) const { return extent_[row]; }
  // How often the screen has moved up since the console was made.
  uint64_t scrolls() const { return scrolls_; }

  KeyRing& keys() { return keys_; }

 private:
  void put(uint8_t byte);
  void line_feed();

  Cell cells_[kRows][kColumns];
  int extent_[kRows] = {};
  int row_ = 0, col_ = 0;
  int held_lead_ = -1;
  uint64_t scrolls_ = 0;
  ConsoleView* view_ = nullptr;
  KeyRing keys_;
};

}  // namespace rt
