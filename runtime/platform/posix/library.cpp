#include "runtime/platform/library.h"

#include <dlfcn.h>

#include <string>

#include "runtime/platform/files.h"

namespace rt::platform {

Library load_library(std::string_view name) {
  std::string path;
  uint32_t err = 0;
  if (!native_path(name, path, err)) return {};
  if (path.find('/') == std::string::npos) path = "./" + path;
  return Library{dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)};
}

void* library_symbol(Library lib, const char* symbol) {
  return lib.handle ? dlsym(lib.handle, symbol) : nullptr;
}

void unload_library(Library lib) {
  if (lib.handle) dlclose(lib.handle);
}

}  // namespace rt::platform
