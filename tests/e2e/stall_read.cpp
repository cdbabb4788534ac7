// A preloaded library that makes one file read like a scratched disc: reads
// of the file whose path ends in $STALL_FILE stop at byte $STALL_AT, and a
// read at or past that byte creates $STALL_MARK and never returns.
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool is_stalled_file(int fd) {
  const char* suffix = std::getenv("STALL_FILE");
  if (!suffix) return false;
  char link[64], path[PATH_MAX];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = readlink(link, path, sizeof path - 1);
  const size_t length = std::strlen(suffix);
  return n >= static_cast<ssize_t>(length) &&
         std::memcmp(path + n - static_cast<ssize_t>(length), suffix, length) == 0;
}

ssize_t cut_read(int fd, void* buf, size_t n, off_t offset) {
  if (is_stalled_file(fd)) {
    const off_t at = std::atoll(std::getenv("STALL_AT"));
    if (offset >= at) {
      close(open(std::getenv("STALL_MARK"), O_WRONLY | O_CREAT, 0644));
      for (;;) pause();
    }
    if (offset + static_cast<off_t>(n) > at) n = static_cast<size_t>(at - offset);
  }
  return syscall(SYS_pread64, fd, buf, n, offset);
}

}  // namespace

extern "C" ssize_t pread(int fd, void* buf, size_t n, off_t offset) {
  return cut_read(fd, buf, n, offset);
}
extern "C" ssize_t pread64(int fd, void* buf, size_t n, off_t offset) {
  return cut_read(fd, buf, n, offset);
}
