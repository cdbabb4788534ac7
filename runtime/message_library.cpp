#include "runtime/message_library.h"

#include <cstring>

#include "runtime/error_record.h"
#include "runtime/platform/files.h"
#include "runtime/platform/library.h"

namespace rt {

bool lookup_message(uint16_t code, Bytes& text) {
  Bytes folder = environment_value("ZNORAC");
  if (folder.empty()) return false;
  Bytes path = folder;
  if (path.back() != '\\' && path.back() != '/') path += "\\";
  path += kMessageLibrary;
  if (path.size() > platform::kMaxPath) return false;
  platform::Library lib = platform::load_library(path);
  if (!lib.handle) return false;
  bool found = false;
  if (auto fn =
          reinterpret_cast<GetErrMsgFunction>(platform::library_symbol(lib, kMessageFunction))) {
    char buffer[kMessageRoom] = {0};
    if (fn(lib.handle, code, buffer, sizeof buffer) != 0) {
      buffer[sizeof buffer - 1] = 0;
      text.assign(buffer, std::strlen(buffer));
      found = true;
    }
  }
  platform::unload_library(lib);
  return found;
}

}  // namespace rt
