// The console window in its own process: class and title, the system
// menu's copy item, the client area, the screen copied as text in both
// clipboard forms, and typed characters as CP932 keys; whatever the
// system's code page.
#include "runtime/platform/win32/console_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/console_model.h"
#include "runtime/platform/codepage.h"
#include "runtime/platform/console_devices.h"

namespace {

TEST(ConsoleWindow, MenuGeometryAndCopy) {
  rt::ConsoleModel model;
  auto device = rt::platform::make_console_device("sardane", model);
  model.set_view(device.get());
  HWND w = rt::platform::console_window();
  ASSERT_TRUE(w);
  EXPECT_EQ(FindWindowA("K3M0CLASS", "sardane"), w);

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

}  // namespace
