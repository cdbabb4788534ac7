// The record loop of every converter: the progress label, the outputs, the
// record file sheet code + suffix as file 1, then one pass of the loop per
// record; the converter then runs its closing statement and closes all
// files.
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

// Statement `line`: the label (UTF-8 here, CP932 on the console) on the
// progress line, ended by `sep` (the sheet's last layer ends the line).
void print_label(uint16_t line, const char* label, rt::Sep sep);
// Opens the sheet's input sheet code + `suffix` as file `file_number`.
void open_input(const Job& job, rt::BytesView suffix, int file_number);

// Reads file 1 to its end: the loop's end test tests for the end, its read
// statement reads the next record, then `each(record)` runs; its false
// ends the loop before the end.
template <class Each>
void read_records(const RecordLoop& loop, Each each) {
  for (;;) {
    statement(loop.end_test);
    if (rt::files::eof(kInputFile)) break;
    statement(loop.read);
    if (!each(rt::files::line_input(kInputFile))) break;
  }
}

}  // namespace convert
