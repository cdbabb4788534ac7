#include "runtime/platform/process.h"

#include <errno.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "runtime/platform/codepage.h"

namespace rt::platform {

std::string executable_path(const char* argv0) {
  return utf8_to_cp932(argv0 ? argv0 : "");
}

std::vector<std::string> program_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

FolderProblem enter_folder(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0)
    return errno == ENOENT || errno == ENOTDIR ? FolderProblem::kMissing : FolderProblem::kNoAccess;
  if (!S_ISDIR(st.st_mode)) return FolderProblem::kNotAFolder;
  if (access(path.c_str(), W_OK | X_OK) != 0 || chdir(path.c_str()) != 0)
    return FolderProblem::kNoAccess;
  return FolderProblem::kNone;
}

LocalTime local_time() {
  time_t now = time(nullptr);
  tm t{};
  localtime_r(&now, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

}  // namespace rt::platform
