// Message texts from the external message library "K3M0RE63.DLL" in the
// folder named by the run-time's environment value "ZNORAC". The library is
// loaded for each lookup, its "$PbGetErrMsg" is called with (library
// handle, error code, buffer, buffer size) and the library is unloaded. A
// missing value, library or function, a path over 260 bytes or a result of
// 0 means no text.
#pragma once

#include <cstdint>

#include "runtime/strings.h"

namespace rt {

bool lookup_message(uint16_t code, Bytes& text);

// The message library's contract.
using GetErrMsgFunction = int (*)(void* instance, int code, char* buffer, int size);
inline constexpr char kMessageLibrary[] = "K3M0RE63.DLL";
inline constexpr char kMessageFunction[] = "$PbGetErrMsg";
// The room the function is given for a text, its terminating NUL included.
inline constexpr int kMessageRoom = 260;

}  // namespace rt
