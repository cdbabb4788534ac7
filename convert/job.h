// The job driver: the conversion program's main routine and the job state.
//
// Asks for the CD drive and the job-list name, reads the job list (a CSV at
// the root of the disc: bytes 1-5 the sheet code, byte 6 skipped, the rest
// the sheet name; up to 200 lines) into the job table, runs one sheet pass
// per entry (at least one, also for an empty list), waits for Enter and
// ends. It checks nothing: every failure is a run-time error.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/arrays.h"
#include "runtime/strings.h"

namespace convert {

using rt::Bytes;
using rt::BytesView;

struct JobState {
  Bytes drive;              // as typed at the first prompt
  Bytes job_name;           // as INPUT returned it
  rt::Array2<Bytes> table;  // (row, column): column 0 sheet code, 1 sheet name; rows 1..n
  int16_t count = 0;        // n
  int16_t position = 0;     // i: 1 for the first sheet
  Bytes sheet_code;
  int16_t converted = 0;          // sheets converted so far
  std::vector<int16_t> left_out;  // positions of the sheets left out (-k)
};

namespace detail {
// A namespace-scope global like the sheet state (clang 14 cannot constant-
// initialize its strings, so it is not declared constinit).
inline JobState g_job;
}  // namespace detail
inline JobState& job() {
  return detail::g_job;
}
// No sheet has been converted before the running one: its converters
// create their outputs. (Only with -k can that be a sheet after the first,
// when the ones before it were left out.)
inline bool first_sheet() {
  return job().converted == 0;
}

// The main routine.
void run_job();

}  // namespace convert
