#include "runtime/platform/worker.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace rt::platform {
namespace {

class PosixWorker final : public Worker {
 public:
  void start(Job job, void* data) override {
    {
      std::lock_guard<std::mutex> held(lock_);
      job_ = job;
      data_ = data;
      pending_ = true;
      busy_.store(true);
    }
    if (!thread_) {
      // A thread that cannot be made leaves the job to run here.
      try {
        std::thread([this] { run(); }).detach();
        thread_ = true;
      } catch (const std::system_error&) {
        job(data);
        std::lock_guard<std::mutex> held(lock_);
        pending_ = false;
        busy_.store(false);
        return;
      }
    }
    started_.notify_one();
  }

  void finish() override {
    std::unique_lock<std::mutex> held(lock_);
    finished_.wait(held, [&] { return !pending_; });
  }

  bool busy() const override { return busy_.load(); }

 private:
  void run() {
    std::unique_lock<std::mutex> held(lock_);
    for (;;) {
      started_.wait(held, [&] { return pending_; });
      held.unlock();
      job_(data_);
      held.lock();
      pending_ = false;
      busy_.store(false);
      finished_.notify_one();
    }
  }

  std::mutex lock_;
  std::condition_variable started_;
  std::condition_variable finished_;
  bool pending_ = false;  // started and not yet run to its end
  bool thread_ = false;
  Job job_ = nullptr;
  void* data_ = nullptr;
  std::atomic<bool> busy_{false};
};

}  // namespace

Worker& Worker::make() {
  return *new PosixWorker;
}

}  // namespace rt::platform
