// A second thread for the run-time: it runs one job at a time, handed over
// by the program thread, and waits for the next. Each system's own
// primitives make the hand-over (the C++ library's, on futexes, on POSIX;
// slim reader/writer locks and condition variables on Windows), so it
// costs no round trip to a server where the system has one (Wine).
//
// A worker is never destroyed: its thread may still run a job (a read that
// hangs on a damaged disc) or wait for the next when the process ends.
#pragma once

namespace rt::platform {

class Worker {
 public:
  using Job = void (*)(void* data);
  // A worker of its own thread, made at the first start().
  static Worker& make();
  // Runs job(data) on the worker's thread; the job before it must have
  // ended (finish()).
  virtual void start(Job job, void* data) = 0;
  // Waits for the job started last, if it still runs.
  virtual void finish() = 0;
  // Whether the job started last still runs; without locks or memory, for
  // the fault path and for a job the program does not wait for.
  virtual bool busy() const = 0;

 protected:
  ~Worker() = default;
};

}  // namespace rt::platform
