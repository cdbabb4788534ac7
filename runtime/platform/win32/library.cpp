// Libraries by their CP932 path, loaded through the wide function so that
// the path names the same folder on a system of any ANSI code page.
#include "runtime/platform/library.h"

#include <windows.h>

#include "runtime/platform/win32/wide.h"

namespace rt::platform {

Library load_library(std::string_view name) {
  return Library{reinterpret_cast<void*>(LoadLibraryW(wide(name).c_str()))};
}

void* library_symbol(Library lib, const char* symbol) {
  if (!lib.handle) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(lib.handle), symbol));
}

void unload_library(Library lib) {
  if (lib.handle) FreeLibrary(static_cast<HMODULE>(lib.handle));
}

}  // namespace rt::platform
