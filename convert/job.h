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

#include "convert/sheet_points.h"
#include "runtime/arrays.h"
#include "runtime/strings.h"

namespace convert {

using rt::Bytes;
using rt::BytesView;

// The conversion's state: the job's answers and table, where the job
// stands, and what the sheet passes share. The main routine holds the one
// job and hands it to each sheet pass and converter.
struct Job {
  Bytes drive;              // as typed at the first prompt
  Bytes job_name;           // as INPUT returned it
  rt::Array2<Bytes> table;  // (row, column): column 0 sheet code, 1 sheet name; rows 1..n
  int16_t count = 0;        // n
  int16_t position = 0;     // i: 1 for the first sheet
  Bytes sheet_code;
  int16_t converted = 0;          // sheets converted so far
  std::vector<int16_t> left_out;  // positions of the sheets left out (-k)
  SheetPoints points;             // 0..200000
  // The vertex buffer, 0..30000: the point-table entries of the object
  // being built, by number.
  rt::Array<uint32_t> vertices;

  // No sheet has been converted before the running one: its converters
  // create their outputs. (Only with -k can that be a sheet after the
  // first, when the ones before it were left out.)
  bool first_sheet() const { return converted == 0; }
};

// The main routine.
void run_job();

}  // namespace convert
