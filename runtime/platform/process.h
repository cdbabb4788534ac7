// The process: its executable's path and the local time.
#pragma once

#include <string>

namespace rt::platform {

// The executable's file name with its folder, as CP932 (from argv0 on
// POSIX).
std::string executable_path(const char* argv0);

struct LocalTime {
  int year, month, day, hour, minute, second;
};
LocalTime local_time();

}  // namespace rt::platform
