#include "runtime/platform/process.h"

#include <time.h>

#include "runtime/platform/codepage.h"

namespace rt::platform {

std::string executable_path(const char* argv0) {
  return utf8_to_cp932(argv0 ? argv0 : "");
}

LocalTime local_time() {
  time_t now = time(nullptr);
  tm t{};
  localtime_r(&now, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

}  // namespace rt::platform
