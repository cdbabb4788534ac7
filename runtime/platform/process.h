// The process: its executable's path, its current folder and the local time.
#pragma once

#include <string>

namespace rt::platform {

// The executable's file name with its folder, as CP932 (from argv0 on
// POSIX).
std::string executable_path(const char* argv0);

enum class FolderProblem { kNone, kMissing, kNotAFolder, kNoAccess };
// Makes the folder `path` (as the system names it) the current folder when
// the program can create files in it; otherwise says why not.
FolderProblem enter_folder(const std::string& path);

struct LocalTime {
  int year, month, day, hour, minute, second;
};
LocalTime local_time();

}  // namespace rt::platform
