// The console window in its own process: class and title, the system
// menu's copy item, the client area, and the screen copied as text.
#include "runtime/platform/win32/console_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/cp932.h"
#include "runtime/platform/console_devices.h"
#include "runtime/platform/console_model.h"

namespace {

TEST(ConsoleWindow, MenuGeometryAndCopy) {
  rt::ConsoleModel model;
  auto device = rt::platform::make_console_device("sardane", model);
  model.set_view(device.get());
  HWND w = rt::platform::console_window();
  ASSERT_TRUE(w);
  EXPECT_EQ(FindWindowA("K3M0CLASS", "sardane"), w);

  HMENU menu = GetSystemMenu(w, FALSE);
  char item[64] = {0};
  GetMenuStringA(menu, GetMenuItemCount(menu) - 1, item, sizeof item, MF_BYPOSITION);
  EXPECT_EQ(std::string(item), rt::sjis("コピー(&Y)"));

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
  ASSERT_TRUE(OpenClipboard(nullptr));
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  std::string want = rt::sjis("漢字 abc") + "\r\nx\r\n";
  for (int row = 2; row < 24; ++row) want += "\r\n";
  EXPECT_EQ(text, want);

  model.set_view(nullptr);
  device->shutdown(model);
  EXPECT_FALSE(rt::platform::console_window());
}

}  // namespace
