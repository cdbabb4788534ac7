// The console window's font and character cell at the window's DPI.
//
// At 96 DPI (100 %) the window draws in the system's fixed-pitch font and
// its cell, as it always has; where that font has no Japanese glyphs (a
// system whose code page is not 932), double-byte characters are drawn in
// a Shift-JIS font of the cell's height, two cells wide. Above 96 DPI the
// system's fixed font does not grow with the display (a DPI-aware window
// keeping it shows tiny text), so the window creates a fixed-pitch TrueType
// Shift-JIS font itself: the cell is the Japanese system font's 8 x 16
// pixels scaled by DPI / 96 (12 x 24 at 144 DPI, 16 x 32 at 192), the font
// the cell's height, and every character is drawn in it (where the only
// Shift-JIS font is proportional, the single-byte ones are drawn in a
// fixed-pitch font of the cell's size).
//
// The DPI and the window size are asked of the system in the forms it has:
// the per-monitor functions where they exist (Windows 10 1607 and later),
// else the screen's DPI and the system's metrics (Windows 7 to 8.1, where
// the manifest makes the program system-DPI aware).
#pragma once

#include <windows.h>

namespace rt::platform {

class ConsoleFont {
 public:
  explicit ConsoleFont(int dpi);
  ~ConsoleFont();
  ConsoleFont(const ConsoleFont&) = delete;
  ConsoleFont& operator=(const ConsoleFont&) = delete;

  // The font of the cells; of double-byte characters too unless kanji()
  // has one.
  HFONT text() const { return text_; }
  // The font of double-byte characters when text() has no Japanese glyphs;
  // null otherwise.
  HFONT kanji() const { return kanji_; }
  int cell_width() const { return cell_w_; }
  int cell_height() const { return cell_h_; }
  // The caret's width: 2 pixels at 96 DPI, scaled with the cell.
  int caret_width() const { return caret_w_; }

 private:
  HFONT text_ = nullptr, kanji_ = nullptr;
  bool own_text_ = false;  // the stock font is not deleted
  int cell_w_ = 0, cell_h_ = 0, caret_w_ = 0;
};

// The DPI the window is shown at.
int window_dpi(HWND window);
// The window's size whose client area is `client` wide and high with both
// scroll bars shown: the frame and caption of `style` at `dpi` added.
SIZE window_size(SIZE client, DWORD style, int dpi);

}  // namespace rt::platform
