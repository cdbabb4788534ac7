// The process: its executable's path and the local time.
#pragma once

#include <string>

namespace rt::platform {

// The executable's full file name (CP932 on Windows, native on POSIX);
// argv0 where the system has nothing better.
std::string executable_path(const char* argv0);

struct LocalTime {
  int year, month, day, hour, minute, second;
};
LocalTime local_time();

}  // namespace rt::platform
