#include "runtime/platform/library.h"

#include <windows.h>

#include <string>

namespace rt::platform {

Library load_library(std::string_view name) {
  const std::string path(name);
  return Library{reinterpret_cast<void*>(LoadLibraryA(path.c_str()))};
}

void* library_symbol(Library lib, const char* symbol) {
  if (!lib.handle) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(lib.handle), symbol));
}

void unload_library(Library lib) {
  if (lib.handle) FreeLibrary(static_cast<HMODULE>(lib.handle));
}

}  // namespace rt::platform
