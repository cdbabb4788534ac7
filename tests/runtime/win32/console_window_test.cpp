// The console window in its own process: class and title, the system
// menu's copy item, the client area, the screen copied as text in both
// clipboard forms, typed characters as CP932 keys (whatever the system's
// code page), the scroll bars' ranges and positions (which Wine shows no
// other process), and the font it draws with as the DPI changes.
#include "runtime/platform/win32/console_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>

#include "runtime/base/cp932.h"
#include "runtime/platform/codepage.h"
#include "runtime/platform/console_devices.h"
#include "runtime/base/console_model.h"
#include "runtime/texts.h"

namespace {

TEST(ConsoleWindow, MenuGeometryAndCopy) {
  rt::ConsoleModel model;
  auto device = rt::platform::make_console_device("sardane", model);
  model.set_view(device.get());
  HWND w = rt::platform::console_window();
  ASSERT_TRUE(w);
  // Class and title of this window (another test's window may be open
  // beside it, so no search by name).
  char class_name[32] = {0}, title[32] = {0};
  GetClassNameA(w, class_name, sizeof class_name);
  GetWindowTextA(w, title, sizeof title);
  EXPECT_STREQ(class_name, "K3M0CLASS");
  EXPECT_STREQ(title, "sardane");

  HMENU menu = GetSystemMenu(w, FALSE);
  wchar_t item[64] = {0};
  GetMenuStringW(menu, GetMenuItemCount(menu) - 1, item, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(item), L"コピー(&Y)");

  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  RECT r;
  GetClientRect(w, &r);
  EXPECT_EQ(r.right, 80 * tm.tmAveCharWidth);
  EXPECT_EQ(r.bottom, 24 * tm.tmHeight);

  model.write(rt::sjis("漢字 abc  ") + "\r\n" + "x");
  device->present(model);
  SendMessageA(w, WM_SYSCOMMAND, 0x0110, 0);
  std::string text;
  std::wstring utf16;
  LCID locale = 0;
  ASSERT_TRUE(OpenClipboard(nullptr));
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    utf16 = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  if (HANDLE data = GetClipboardData(CF_LOCALE)) {
    locale = *static_cast<const LCID*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  std::string want = rt::sjis("漢字 abc") + "\r\nx\r\n";
  std::wstring want_utf16 = L"漢字 abc\r\nx\r\n";
  for (int row = 2; row < 24; ++row) {
    want += "\r\n";
    want_utf16 += L"\r\n";
  }
  EXPECT_EQ(text, want);
  EXPECT_TRUE(utf16 == want_utf16);
  EXPECT_EQ(locale, 0x0411u);

  // Characters typed in UTF-16: their CP932 bytes; one without a CP932 form
  // (e with acute accent) stores nothing.
  for (wchar_t c : {L'沖', L'\u00E9', L'a'}) PostMessageW(w, WM_CHAR, c, 1);
  rt::KeyRing ring;
  std::string keys;
  for (int i = 0; i < 500 && keys.size() < 3; ++i) {
    device->poll(ring);
    while (!ring.empty()) keys.push_back(static_cast<char>(ring.pop()));
    Sleep(10);
  }
  EXPECT_EQ(keys, rt::sjis("沖") + "a");

  model.set_view(nullptr);
  device->shutdown(model);
  EXPECT_FALSE(rt::platform::console_window());
}

// Both bars empty at full size; at 40 x 12 cells the hidden columns and
// rows are the ranges, and line, page, thumb and end requests move the view
// by whole cells within them; asked to grow past the text area, the window
// stops at it and the ranges are empty again.
TEST(ConsoleWindow, ScrollBarRanges) {
  rt::ConsoleModel model;
  auto device = rt::platform::make_console_device("sardane", model);
  model.set_view(device.get());
  HWND w = rt::platform::console_window();
  ASSERT_TRUE(w);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  auto size_client = [&](int cols, int rows) {
    RECT frame, client;
    GetWindowRect(w, &frame);
    GetClientRect(w, &client);
    SetWindowPos(w, nullptr, 0, 0,
                 frame.right - frame.left - client.right + cols * tm.tmAveCharWidth,
                 frame.bottom - frame.top - client.bottom + rows * tm.tmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  using Bar = std::array<int, 3>;  // range minimum, maximum, position
  auto bar = [&](int which) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS;
    EXPECT_TRUE(GetScrollInfo(w, which, &si));
    return Bar{si.nMin, si.nMax, si.nPos};
  };
  EXPECT_EQ(bar(SB_HORZ), (Bar{0, 0, 0}));
  EXPECT_EQ(bar(SB_VERT), (Bar{0, 0, 0}));

  size_client(40, 12);
  EXPECT_EQ(bar(SB_HORZ), (Bar{0, 40, 0}));
  EXPECT_EQ(bar(SB_VERT), (Bar{0, 12, 0}));
  struct Step {
    UINT msg;
    WORD request, thumb;
    int column, row;  // the view's top-left cell after the request
  };
  const Step steps[] = {
      {WM_HSCROLL, SB_LINERIGHT, 0, 1, 0},  {WM_HSCROLL, SB_PAGERIGHT, 0, 40, 0},
      {WM_HSCROLL, SB_LINERIGHT, 0, 40, 0}, {WM_HSCROLL, SB_THUMBTRACK, 7, 7, 0},
      {WM_HSCROLL, SB_PAGELEFT, 0, 0, 0},   {WM_VSCROLL, SB_PAGEDOWN, 0, 0, 12},
      {WM_VSCROLL, SB_LINEUP, 0, 0, 11},    {WM_VSCROLL, SB_THUMBPOSITION, 3, 0, 3},
      {WM_VSCROLL, SB_BOTTOM, 0, 0, 12},    {WM_HSCROLL, SB_BOTTOM, 0, 40, 12},
      {WM_VSCROLL, SB_TOP, 0, 40, 0},
  };
  for (const Step& s : steps) {
    SendMessageA(w, s.msg, MAKEWPARAM(s.request, s.thumb), 0);
    EXPECT_EQ(bar(SB_HORZ), (Bar{0, 40, s.column})) << s.msg << " " << s.request;
    EXPECT_EQ(bar(SB_VERT), (Bar{0, 12, s.row})) << s.msg << " " << s.request;
  }

  size_client(100, 30);
  RECT r;
  GetClientRect(w, &r);
  EXPECT_EQ(r.right, 80 * tm.tmAveCharWidth);
  EXPECT_EQ(r.bottom, 24 * tm.tmHeight);
  EXPECT_EQ(bar(SB_HORZ), (Bar{0, 0, 0}));
  EXPECT_EQ(bar(SB_VERT), (Bar{0, 0, 0}));

  model.set_view(nullptr);
  device->shutdown(model);
}

// The metrics of the font the window draws its cells with (WM_GETFONT).
TEXTMETRICW drawing_font(HWND w) {
  HDC dc = GetDC(w);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0)));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(w, dc);
  return tm;
}

// Moved to a 192-DPI monitor (WM_DPICHANGED, here at a 96-DPI display),
// the window draws in a fixed-pitch TrueType font it created, twice the
// Japanese system font's 16-pixel cell high, and shows the whole text
// area; moved back, it draws in the system's fixed font again, at the
// 96-DPI size.
TEST(ConsoleWindow, FontFollowsTheDpi) {
  rt::ConsoleModel model;
  auto device = rt::platform::make_console_device("sardane", model);
  model.set_view(device.get());
  HWND w = rt::platform::console_window();
  ASSERT_TRUE(w);
  const HGDIOBJ stock = GetStockObject(SYSTEM_FIXED_FONT);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0)), stock);
  RECT at96;
  GetClientRect(w, &at96);
  RECT suggested{0, 0, 4000, 3000};  // more than the text area needs

  SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  const TEXTMETRICW tm = drawing_font(w);
  EXPECT_NE(reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0)), stock);
  EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
  EXPECT_FALSE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);  // set means variable pitch
  EXPECT_NEAR(tm.tmHeight, 2 * 16, 1);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE;
  for (int bar : {SB_HORZ, SB_VERT}) {
    EXPECT_TRUE(GetScrollInfo(w, bar, &si));
    EXPECT_EQ(si.nMax, 0) << bar;
  }

  SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0)), stock);
  RECT back;
  GetClientRect(w, &back);
  EXPECT_TRUE(EqualRect(&back, &at96));

  model.set_view(nullptr);
  device->shutdown(model);
}

}  // namespace
