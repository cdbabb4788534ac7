#include "runtime/platform/worker.h"

#include <windows.h>

#include <atomic>

namespace rt::platform {
namespace {

class Win32Worker final : public Worker {
 public:
  void start(Job job, void* data) override {
    AcquireSRWLockExclusive(&lock_);
    job_ = job;
    data_ = data;
    pending_ = true;
    busy_.store(true);
    ReleaseSRWLockExclusive(&lock_);
    if (!thread_) {
      // A thread that cannot be made leaves the job to run here.
      HANDLE h = CreateThread(nullptr, 0, &Win32Worker::thread_main, this, 0, nullptr);
      if (!h) {
        job(data);
        AcquireSRWLockExclusive(&lock_);
        pending_ = false;
        busy_.store(false);
        ReleaseSRWLockExclusive(&lock_);
        return;
      }
      CloseHandle(h);
      thread_ = true;
    }
    WakeConditionVariable(&started_);
  }

  void finish() override {
    AcquireSRWLockExclusive(&lock_);
    while (pending_) SleepConditionVariableSRW(&finished_, &lock_, INFINITE, 0);
    ReleaseSRWLockExclusive(&lock_);
  }

  bool busy() const override { return busy_.load(); }

 private:
  static DWORD WINAPI thread_main(void* self) {
    static_cast<Win32Worker*>(self)->run();
    return 0;
  }

  void run() {
    AcquireSRWLockExclusive(&lock_);
    for (;;) {
      while (!pending_) SleepConditionVariableSRW(&started_, &lock_, INFINITE, 0);
      ReleaseSRWLockExclusive(&lock_);
      job_(data_);
      AcquireSRWLockExclusive(&lock_);
      pending_ = false;
      busy_.store(false);
      WakeConditionVariable(&finished_);
    }
  }

  SRWLOCK lock_ = SRWLOCK_INIT;
  CONDITION_VARIABLE started_ = CONDITION_VARIABLE_INIT;
  CONDITION_VARIABLE finished_ = CONDITION_VARIABLE_INIT;
  bool pending_ = false;  // started and not yet run to its end
  bool thread_ = false;
  Job job_ = nullptr;
  void* data_ = nullptr;
  std::atomic<bool> busy_{false};
};

}  // namespace

Worker& Worker::make() {
  return *new Win32Worker;
}

}  // namespace rt::platform
