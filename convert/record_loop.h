// The record loop of every converter: the progress label, the outputs, the
// record file sheet code + suffix as file 1, then one pass of the loop per
// record (statements as in statements.h); the converter then marks its
// closing statement and closes all files.
#pragma once

#include <cstdint>
#include <utility>

#include "convert/input_files.h"
#include "convert/job.h"
#include "convert/statements.h"
#include "runtime/files.h"
#include "runtime/print_engine.h"
#include "runtime/strings.h"

namespace convert {

// Statement lines::kLabel: the label (UTF-8 here, CP932 on the console) on
// the progress line, ended by `sep` (the sheet's last layer ends the line).
void print_label(const char* label, rt::Sep sep);
// Opens the sheet's input sheet code + `suffix` as file `file_number`.
void open_input(const Job& job, rt::BytesView suffix, int file_number);

// Reads file 1 to its end: the running routine's end test (end_test())
// tests for the end, the statement after it reads the next record, then
// `each(record)` runs; its false ends the loop before the end.
template <class Each>
void read_records(Each each) {
  const Block block;
  const uint16_t test = end_test();
  const uint16_t read = static_cast<uint16_t>(test + 1);
  for (;;) {
    block.statement(test);
    if (rt::files::eof(kInputFile)) break;
    block.statement(read);
    if (!each(rt::files::line_input(kInputFile))) break;
  }
}

}  // namespace convert
