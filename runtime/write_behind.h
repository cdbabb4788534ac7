// Writing behind: a second thread that writes the output files' bytes
// handed over at a flush while the program goes on, so that the system's
// copy of the bytes runs beside the conversion.
//
// The thread runs one job at a time: the caller keeps the job's data as it
// is until finish() returns, and acts on the job's outcome itself. The
// thread starts with the first job and lives until the process ends.
#pragma once

namespace rt::write_behind {

using Job = void (*)(void* data);

// Runs `job(data)` on the writer thread; the job before it must be
// finished.
void start(Job job, void* data);
// Waits for the job started last, if it is still running.
void finish();
// For the fault path: waits a bounded time, without taking memory or
// locks, for the job started last to end; true when it did.
bool finished_for_fault();

}  // namespace rt::write_behind
