#include "runtime/base/console_model.h"

namespace rt {

bool KeyRing::push(uint8_t code) {
  if (static_cast<uint8_t>(write_ + 1) == read_) return false;
  slots_[write_++] = code;
  return true;
}

uint8_t KeyRing::pop() {
  return slots_[read_++];
}

ConsoleModel::ConsoleModel() = default;

void ConsoleModel::line_feed() {
  if (view_) view_->row_left(row_);
  if (row_ + 1 < kRows) {
    ++row_;
    return;
  }
  // Scroll the screen up one row; the new bottom row is blank.
  for (int r = 0; r + 1 < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) cells_[r][c] = cells_[r + 1][c];
    extent_[r] = extent_[r + 1];
  }
  const int bottom = kRows - 1;
  for (int c = 0; c < kColumns; ++c) cells_[bottom][c] = Cell{};
  extent_[bottom] = 0;
  ++scrolls_;
  if (view_) view_->scrolled();
}

void ConsoleModel::put(uint8_t byte) {
  cells_[row_][col_] = Cell{.ch = byte};
  if (col_ + 1 > extent_[row_]) extent_[row_] = col_ + 1;
  if (view_) view_->cells_changed(row_, col_, col_ + 1);
  if (++col_ == kColumns) {
    col_ = 0;
    line_feed();
  }
}

void ConsoleModel::write(BytesView bytes) {
  if (held_lead_ >= 0 && !bytes.empty()) {
    // Join the held lead byte with this write's first byte.
    uint8_t lead = static_cast<uint8_t>(held_lead_);
    held_lead_ = -1;
    if (col_ == kColumns - 1) put(' ');
    put(lead);
    put(static_cast<uint8_t>(bytes[0]));
    bytes.remove_prefix(1);
  }
  for (const Character c : characters(bytes)) {
    const uint8_t b = static_cast<uint8_t>(c.bytes[0]);
    if (c.bytes.size() == 2) {
      if (col_ == kColumns - 1) put(' ');
      put(b);
      put(static_cast<uint8_t>(c.bytes[1]));
    } else if (b == '\r') {
      col_ = 0;
    } else if (b == '\n') {
      line_feed();
    } else if (is_lead_byte(b)) {
      held_lead_ = b;  // the write's last byte: its trail byte comes with the next
    } else {
      put(b);
    }
  }
}

void ConsoleModel::move_to(int row, int col) {
  row_ = row;
  col_ = col;
}

void ConsoleModel::blank(int from, int to) {
  for (int k = from; k < to; ++k) {
    int r = k / kColumns, c = k % kColumns;
    if (r >= kRows) break;
    cells_[r][c] = Cell{};
    if (view_) view_->cells_changed(r, c, c + 1);
  }
}

}  // namespace rt
