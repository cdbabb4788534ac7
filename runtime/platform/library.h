// Loading a library by name, looking up a function, unloading it.
#pragma once

#include <string_view>

namespace rt::platform {

struct Library {
  void* handle = nullptr;
};

// The name is a program file name (CP932, '\' separators, drive map).
Library load_library(std::string_view name);
void* library_symbol(Library lib, const char* symbol);
void unload_library(Library lib);

}  // namespace rt::platform
