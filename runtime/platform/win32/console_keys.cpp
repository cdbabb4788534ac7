// The console window's keys (console_keys.h).
#include "runtime/platform/win32/console_keys.h"

#include <string>

#include "runtime/platform/console_device.h"
#include "runtime/base/requests.h"
#include "runtime/platform/win32/wide.h"

namespace rt::platform {

int key_code(WPARAM vk) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (vk) {
    case VK_EXECUTE:
      return keycode::kEnter;
    case VK_DELETE:
      return keycode::kDelete;
    case VK_INSERT:
      return keycode::kInsert;
    case VK_HOME:
      return shift ? keycode::kClear : keycode::kHome;
    case VK_CLEAR:
      return keycode::kClear;
    case VK_END:
      return keycode::kEnd;
    case VK_PRIOR:
      return keycode::kPageUp;
    case VK_NEXT:
      return keycode::kPageDown;
    case VK_RIGHT:
      return keycode::kRight;
    case VK_LEFT:
      return keycode::kLeft;
    case VK_UP:
      return keycode::kUp;
    case VK_DOWN:
      return keycode::kDown;
    default:
      return 0;
  }
}

void put_key(KeyRing* ring, int code) {
  if (code == keycode::kBreak) requests::request_break();
  if (!ring || !ring->push(static_cast<uint8_t>(code))) MessageBeep(0);
}

// The first half of a surrogate pair waits for the second, which has no
// CP932 form.
void put_typed(KeyRing* ring, wchar_t ch) {
  if (ch < 0x80) return put_key(ring, ch);
  if (IS_HIGH_SURROGATE(ch)) return;
  BOOL lost = FALSE;
  const std::string bytes = IS_LOW_SURROGATE(ch) ? "" : narrow(std::wstring_view(&ch, 1), &lost);
  if (bytes.empty() || lost || !ring || ring->room() < static_cast<int>(bytes.size())) {
    MessageBeep(0);
    return;
  }
  for (const char b : bytes) ring->push(static_cast<uint8_t>(b));
}

}  // namespace rt::platform
