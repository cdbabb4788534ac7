// Test helper: waits for a message box with the given title to be complete,
// writes its text (CP932) to standard output, clicks its OK button as a
// person would and waits until the box has gone.
//
//   press_button.exe TITLE [SECONDS]
//
// A box is found by its title before it is ready: it gets its title first,
// then its text, then it destroys the buttons it does not use, then it
// shows. So the box counts only once it is shown with its OK button shown
// and enabled and its text set. Exit status 0 when a box came, was pressed
// and went within the time limit; 1 otherwise (what was missing on standard
// error).
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kPollMilliseconds = 50;

// The message text: the box's one static control with text (the icon is a
// static control without text).
BOOL CALLBACK find_text(HWND child, LPARAM param) {
  char cls[32] = {0};
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") != 0 || GetWindowTextLengthA(child) == 0) return TRUE;
  *reinterpret_cast<HWND*>(param) = child;
  return FALSE;
}

struct Box {
  HWND window = nullptr;
  HWND text = nullptr;
  HWND ok = nullptr;
};

Box complete_box(const char* title) {
  Box box;
  box.window = FindWindowA("#32770", title);
  if (!box.window || !IsWindowVisible(box.window)) return {};
  box.ok = GetDlgItem(box.window, IDOK);
  if (!box.ok || !IsWindowVisible(box.ok) || !IsWindowEnabled(box.ok)) return {};
  EnumChildWindows(box.window, find_text, reinterpret_cast<LPARAM>(&box.text));
  if (!box.text || !IsWindowVisible(box.text)) return {};
  return box;
}

int fail(const char* what) {
  DWORD written;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), what, lstrlenA(what), &written, nullptr);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const ULONGLONG limit = (argc > 2 ? std::atoi(argv[2]) : 30) * 1000ull;
  const ULONGLONG start = GetTickCount64();
  auto in_time = [&] { return GetTickCount64() - start < limit; };

  Box box;
  while (!(box = complete_box(argv[1])).window && in_time()) Sleep(kPollMilliseconds);
  if (!box.window) return fail("no complete message box came\n");

  // Read in UTF-16 and written as CP932, whatever the system's code page.
  wchar_t wide[1024] = {0};
  char text[2048] = {0};
  GetWindowTextW(box.text, wide, 1024);
  const int n = WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  DWORD written;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, n > 0 ? n - 1 : 0, &written, nullptr);

  // A click on the button: pressed and released over it, which the button
  // reports to the box as the OK command.
  SendMessageA(box.ok, BM_CLICK, 0, 0);
  while (IsWindow(box.window) && in_time()) Sleep(kPollMilliseconds);
  if (IsWindow(box.window)) return fail("the message box stayed after its button was pressed\n");
  return 0;
}
