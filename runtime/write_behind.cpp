#include "runtime/write_behind.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace rt::write_behind {
namespace {

// Set while a job runs; the fault path reads it without a lock.
constinit std::atomic<bool> g_running{false};

// The job, shared by the program thread and the writer under `lock`.
// Never destroyed: the writer waits for the next job when the process
// ends.
struct Slot {
  std::mutex lock;
  std::condition_variable started;
  std::condition_variable finished;
  bool pending = false;  // started and not yet run to its end
  bool thread = false;   // the writer thread exists
  Job job = nullptr;
  void* data = nullptr;
};

Slot& slot() {
  static Slot* const s = new Slot;
  return *s;
}

void writer() {
  Slot& s = slot();
  std::unique_lock<std::mutex> held(s.lock);
  for (;;) {
    s.started.wait(held, [&] { return s.pending; });
    held.unlock();
    s.job(s.data);
    held.lock();
    s.pending = false;
    g_running.store(false);
    s.finished.notify_one();
  }
}

}  // namespace

void start(Job job, void* data) {
  Slot& s = slot();
  {
    std::lock_guard<std::mutex> held(s.lock);
    s.job = job;
    s.data = data;
    s.pending = true;
    g_running.store(true);
  }
  if (!s.thread) {
    s.thread = true;
    std::thread(writer).detach();
  }
  s.started.notify_one();
}

void finish() {
  Slot& s = slot();
  std::unique_lock<std::mutex> held(s.lock);
  s.finished.wait(held, [&] { return !s.pending; });
}

bool finished_for_fault() {
  using Clock = std::chrono::steady_clock;
  constexpr auto kPatience = std::chrono::seconds(5);
  const Clock::time_point until = Clock::now() + kPatience;
  while (g_running.load() && Clock::now() < until) std::this_thread::yield();
  return !g_running.load();
}

}  // namespace rt::write_behind
