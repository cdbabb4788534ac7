#include "runtime/platform/std_streams.h"

#include <errno.h>
#include <unistd.h>

#include "runtime/base/requests.h"

namespace rt::platform {

bool redirected(StdStream stream) {
  return !isatty(stream == StdStream::kInput ? 0 : 1);
}

int64_t read_input(char* buf, size_t n) {
  for (;;) {
    ssize_t r = ::read(0, buf, n);
    if (r >= 0) return r;
    if (errno != EINTR) return 0;
    if (requests::attention) return -1;
  }
}

void write_output(const char* p, size_t n) {
  while (n > 0) {
    ssize_t w = ::write(1, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return;
    }
    p += w;
    n -= static_cast<size_t>(w);
  }
}

}  // namespace rt::platform
