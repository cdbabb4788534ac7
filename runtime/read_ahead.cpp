#include "runtime/read_ahead.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace rt::read_ahead {
namespace {

enum class State { kIdle, kAsked, kDone };

// The one read ahead, shared by the program thread and the reader under
// `lock`. Never destroyed: the reader may still wait in a read, or for the
// next request, when the process ends.
struct Slot {
  std::mutex lock;
  std::condition_variable asked;
  std::condition_variable done;
  State state = State::kIdle;
  platform::OsFile file;
  int64_t offset = 0;
  char* buffer = nullptr;
  size_t size = 0;
  int64_t got = 0;
  uint32_t os_error = 0;
  // Set when the file closed while its read was ahead: the reader frees
  // and closes them.
  std::unique_ptr<char[]> orphan;
  bool started = false;
};

Slot& slot() {
  static Slot* const s = new Slot;
  return *s;
}

void reader() {
  Slot& s = slot();
  std::unique_lock<std::mutex> held(s.lock);
  for (;;) {
    s.asked.wait(held, [&] { return s.state == State::kAsked; });
    const platform::OsFile file = s.file;
    const int64_t offset = s.offset;
    char* const buffer = s.buffer;
    const size_t size = s.size;
    held.unlock();
    uint32_t os_error = 0;
    const int64_t got = platform::read_at(file, offset, buffer, size, os_error);
    held.lock();
    if (s.orphan) {
      s.orphan.reset();
      uint32_t ignored = 0;
      platform::close_file(file, ignored);
      s.state = State::kIdle;
      continue;
    }
    s.got = got;
    s.os_error = os_error;
    s.state = State::kDone;
    s.done.notify_one();
  }
}

}  // namespace

bool ask(platform::OsFile file, int64_t offset, char* buffer, size_t size) {
  Slot& s = slot();
  {
    std::lock_guard<std::mutex> held(s.lock);
    if (s.state != State::kIdle) return false;
    s.file = file;
    s.offset = offset;
    s.buffer = buffer;
    s.size = size;
    s.state = State::kAsked;
  }
  if (!s.started) {
    s.started = true;
    std::thread(reader).detach();
  }
  s.asked.notify_one();
  return true;
}

bool collect(platform::OsFile file, int64_t offset, int64_t& got, uint32_t& os_error) {
  Slot& s = slot();
  std::unique_lock<std::mutex> held(s.lock);
  if (s.state == State::kIdle || s.orphan || s.file.handle != file.handle) return false;
  s.done.wait(held, [&] { return s.state == State::kDone; });
  s.state = State::kIdle;
  got = s.got;
  os_error = s.os_error;
  return s.offset == offset;
}

bool abandon(platform::OsFile file, std::unique_ptr<char[]>& buffer) {
  Slot& s = slot();
  std::lock_guard<std::mutex> held(s.lock);
  if (s.state == State::kIdle || s.orphan || s.file.handle != file.handle) return false;
  if (s.state == State::kDone) {
    // The read has returned: nothing of it is kept.
    s.state = State::kIdle;
    return false;
  }
  s.orphan = std::move(buffer);
  return true;
}

}  // namespace rt::read_ahead
