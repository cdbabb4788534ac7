// Test helper: waits for a message box with the given title, writes its
// text (CP932) to standard output, then presses its first button, as a
// person would. Exit status 0 when a box was found and pressed, 1 when none
// came within the time limit.
//
//   press_button.exe TITLE [SECONDS]
#include <windows.h>

#include <cstdlib>

namespace {

struct Box {
  HWND text = nullptr;
  HWND button = nullptr;
};

BOOL CALLBACK find_parts(HWND child, LPARAM param) {
  Box& box = *reinterpret_cast<Box*>(param);
  char cls[32] = {0};
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextLengthA(child) > 0 && !box.text)
    box.text = child;
  if (lstrcmpiA(cls, "Button") == 0 && !box.button) box.button = child;
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  for (int waited = 0; waited < seconds * 10; ++waited) {
    HWND box = FindWindowA("#32770", argv[1]);
    if (box) {
      Box parts;
      EnumChildWindows(box, find_parts, reinterpret_cast<LPARAM>(&parts));
      // Read in UTF-16 and written as CP932, whatever the system's code page.
      wchar_t wide[1024] = {0};
      char text[2048] = {0};
      if (parts.text) GetWindowTextW(parts.text, wide, 1024);
      const int n = WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
      DWORD written;
      WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, n > 0 ? n - 1 : 0, &written, nullptr);
      if (parts.button)
        SendMessageA(parts.button, BM_CLICK, 0, 0);
      else
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(100);
  }
  return 1;
}
