// Fuzz target: LINE INPUT # and EOF over arbitrary file bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "runtime/errors.h"
#include "runtime/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/sardane-fuzz-line-" + std::to_string(getpid());
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  try {
    rt::files::open(path, rt::files::Mode::kInput, 1);
    size_t total = 0;
    while (!rt::files::eof(1)) {
      const rt::BytesView line = rt::files::line_input(1);
      total += line.size();
      if (line.size() > 32767 || total > size) __builtin_trap();
    }
  } catch (const rt::RuntimeError&) {
  }
  rt::files::close_all_quietly();
  return 0;
}
