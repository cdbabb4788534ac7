// The process: its executable's path, its current folder and the local time.
#pragma once

#include <string>
#include <vector>

namespace rt::platform {

// The executable's file name with its folder, as CP932 (from argv0 on
// POSIX).
std::string executable_path(const char* argv0);

// The program's arguments, its name first. On Windows they are read from
// the wide command line (by the C run-time's quoting rules) and held as
// CP932, since the ANSI ones lose what the system's code page cannot hold;
// on POSIX they are argv as it is.
std::vector<std::string> program_arguments(int argc, char** argv);

enum class FolderProblem { kNone, kMissing, kNotAFolder, kNoAccess };
// Makes the folder `path` (an argument as program_arguments gives it) the current folder when
// the program can create files in it; otherwise says why not.
FolderProblem enter_folder(const std::string& path);

struct LocalTime {
  int year, month, day, hour, minute, second;
};
LocalTime local_time();

}  // namespace rt::platform
