#include "runtime/platform/win32/console_font.h"

namespace rt::platform {
namespace {

constexpr int kBaseDpi = 96;
// The Japanese system fixed-pitch font's cell at 96 DPI, and the caret's
// width there.
constexpr int kBaseCellWidth = 8, kBaseCellHeight = 16, kBaseCaretWidth = 2;
// Japanese Windows' fixed-pitch TrueType font; where it is missing the
// system picks another fixed-pitch Shift-JIS one.
constexpr wchar_t kTrueTypeFace[] = L"MS Gothic";

// A function of user32 that older systems lack; null there.
template <typename F>
F user32_function(const char* name) {
  FARPROC f = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(f));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

HFONT shift_jis_font(int height, DWORD precision) {
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, precision,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                     precision == OUT_TT_ONLY_PRECIS ? kTrueTypeFace : nullptr);
}

// Whether the font has one advance for all its characters.
bool fixed_pitch(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return !(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);  // the bit means variable pitch
}

}  // namespace

ConsoleFont::ConsoleFont(int dpi) {
  if (dpi > kBaseDpi) {
    cell_w_ = MulDiv(kBaseCellWidth, dpi, kBaseDpi);
    cell_h_ = MulDiv(kBaseCellHeight, dpi, kBaseDpi);
    caret_w_ = MulDiv(kBaseCaretWidth, dpi, kBaseDpi);
    text_ = shift_jis_font(cell_h_, OUT_TT_ONLY_PRECIS);
    own_text_ = text_ != nullptr;
    // A system whose only Shift-JIS font is proportional (no Japanese
    // fixed-pitch font installed) draws the single-byte characters in a
    // fixed-pitch TrueType font of the cell's size and the double-byte
    // ones in the Shift-JIS font.
    if (own_text_ && !fixed_pitch(text_)) {
      kanji_ = text_;
      text_ = CreateFontW(cell_h_, cell_w_, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          FIXED_PITCH | FF_MODERN, nullptr);
    }
  }
  if (own_text_) return;
  // 96 DPI, or no TrueType font to be had: the system's fixed font.
  text_ = static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, text_);
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  const bool japanese = GetTextCharset(dc) == SHIFTJIS_CHARSET;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  cell_w_ = tm.tmAveCharWidth;
  cell_h_ = tm.tmHeight;
  caret_w_ = kBaseCaretWidth;
  if (!japanese) kanji_ = shift_jis_font(cell_h_, OUT_DEFAULT_PRECIS);
}

ConsoleFont::~ConsoleFont() {
  if (own_text_) DeleteObject(text_);
  if (kanji_) DeleteObject(kanji_);
}

int window_dpi(HWND window) {
  static const auto get_dpi = user32_function<GetDpiForWindowFn>("GetDpiForWindow");
  if (get_dpi) return static_cast<int>(get_dpi(window));
  HDC dc = GetDC(window);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi;
}

SIZE window_size(SIZE client, DWORD style, int dpi) {
  static const auto adjust =
      user32_function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  static const auto metric = user32_function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  RECT r{0, 0, client.cx, client.cy};
  if (adjust)
    adjust(&r, style, FALSE, 0, static_cast<UINT>(dpi));
  else
    AdjustWindowRectEx(&r, style, FALSE, 0);
  const int bar_w =
      metric ? metric(SM_CXVSCROLL, static_cast<UINT>(dpi)) : GetSystemMetrics(SM_CXVSCROLL);
  const int bar_h =
      metric ? metric(SM_CYHSCROLL, static_cast<UINT>(dpi)) : GetSystemMetrics(SM_CYHSCROLL);
  return SIZE{r.right - r.left + bar_w, r.bottom - r.top + bar_h};
}

}  // namespace rt::platform
