// Fuzz target: LINE INPUT # and EOF over arbitrary file bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "runtime/errors.h"
#include "runtime/file_table.h"
#include "runtime/platform/system_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/sardane-fuzz-line-" + std::to_string(getpid());
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  rt::files::FileTable table{rt::platform::system_files(), rt::files::kProgramFileSizes};
  try {
    table.open(path, rt::files::Mode::kInput, 1);
    size_t total = 0;
    while (!table.eof(1)) {
      const rt::BytesView line = table.line_input(1);
      total += line.size();
      if (line.size() > 32767 || total > size) __builtin_trap();
    }
  } catch (const rt::RuntimeError&) {
  }
  table.close_all_quietly();
  return 0;
}
