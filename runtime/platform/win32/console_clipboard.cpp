// The console window's copy (console_clipboard.h).
#include "runtime/platform/win32/console_clipboard.h"

#include <cstring>
#include <string>

#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

// The clipboard's locale for its text: Japanese, so that a program that
// takes the text in another form converts it from code page 932.
constexpr LCID kJapanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT);

// Puts a copy of `bytes` on the clipboard in `format`.
void put(UINT format, const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return;
  if (void* p = GlobalLock(block)) {
    std::memcpy(p, bytes, size);
    GlobalUnlock(block);
    if (SetClipboardData(format, block)) return;
  }
  GlobalFree(block);
}

}  // namespace

void copy_screen(HWND owner, const ConsoleModel& model) {
  std::string text;
  for (int row = 0; row < ConsoleModel::kRows; ++row) {
    std::string line;
    for (int c = 0; c < ConsoleModel::kColumns; ++c)
      line.push_back(static_cast<char>(model.cell(row, c).ch));
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + "\r\n";
  }
  const std::wstring utf16 = wide(text);
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  put(CF_TEXT, text.c_str(), text.size() + 1);
  put(CF_UNICODETEXT, utf16.c_str(), (utf16.size() + 1) * sizeof(wchar_t));
  const LCID locale = kJapanese;
  put(CF_LOCALE, &locale, sizeof locale);
  CloseClipboard();
}

}  // namespace rt::platform
