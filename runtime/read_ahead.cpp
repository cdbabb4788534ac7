#include "runtime/read_ahead.h"

#include <atomic>

#include "runtime/platform/worker.h"

namespace rt::read_ahead {
namespace {

// Where the read ahead stands. The program thread asks and collects; the
// reader reads, and closes a file whose read the program gave up.
enum State : int { kIdle, kReading, kRead, kAbandoned };

struct Read {
  platform::OsFile file;
  int64_t offset = 0;
  char* buffer = nullptr;
  size_t size = 0;
  int64_t got = 0;
  uint32_t os_error = 0;
  char* abandoned = nullptr;  // the buffer to free once an abandoned read returns
  std::atomic<int> state{kIdle};
};

// Never destroyed: the reader may still be in a read when the process ends.
Read& the_read() {
  static Read* const r = new Read;
  return *r;
}
platform::Worker* g_reader = nullptr;

void read(void* data) {
  Read& r = *static_cast<Read*>(data);
  r.got = platform::read_at(r.file, r.offset, r.buffer, r.size, r.os_error);
  int reading = kReading;
  if (r.state.compare_exchange_strong(reading, kRead)) return;
  uint32_t ignored = 0;
  platform::close_file(r.file, ignored);
  delete[] r.abandoned;
  r.abandoned = nullptr;
  r.state.store(kIdle);
}

// The read of `file` that was asked for and not yet collected, if any.
bool of(const Read& r, platform::OsFile file) {
  const int s = r.state.load();
  return (s == kReading || s == kRead) && r.file.handle == file.handle;
}

}  // namespace

bool ask(platform::OsFile file, int64_t offset, char* buffer, size_t size) {
  Read& r = the_read();
  if (r.state.load() != kIdle) return false;
  if (!g_reader) g_reader = &platform::Worker::make();
  g_reader->finish();  // the last job's own end, after its read
  r.file = file;
  r.offset = offset;
  r.buffer = buffer;
  r.size = size;
  r.state.store(kReading);
  g_reader->start(read, &r);
  return true;
}

bool collect(platform::OsFile file, int64_t offset, int64_t& got, uint32_t& os_error) {
  Read& r = the_read();
  if (!of(r, file)) return false;
  g_reader->finish();
  r.state.store(kIdle);
  got = r.got;
  os_error = r.os_error;
  return r.offset == offset;
}

bool abandon(platform::OsFile file, std::unique_ptr<char[]>& buffer) {
  Read& r = the_read();
  if (!of(r, file)) return false;
  r.abandoned = buffer.get();
  int reading = kReading;
  if (r.state.compare_exchange_strong(reading, kAbandoned)) {
    buffer.release();
    return true;
  }
  // The read has returned: nothing of it is kept.
  r.abandoned = nullptr;
  r.state.store(kIdle);
  return false;
}

}  // namespace rt::read_ahead
