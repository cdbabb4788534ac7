// The record loop of every converter: the progress label, the outputs, the
// record file sheet code + suffix as file 1, then one pass of the loop per
// record (statements as in statements.h), then CLOSE of all files.
#pragma once

#include <cstdint>
#include <utility>

#include "convert/input_files.h"
#include "convert/statements.h"
#include "runtime/files.h"
#include "runtime/print_engine.h"
#include "runtime/startup.h"
#include "runtime/strings.h"

namespace convert {

// Statement `base` + 1: the label (UTF-8 here, CP932 on the console) on the
// progress line, ended by `sep` (the sheet's last layer ends the line).
void print_label(const char* label, rt::Sep sep, uint16_t base);
// Opens the sheet's input sheet code + `suffix` as file `file_number`.
void open_input(rt::BytesView suffix, int file_number);

// Reads file 1 to its end: statement `line` tests for the end, `line` + 1
// reads the next record, then `each(record)` runs; its false ends the loop
// before the end.
template <class Each>
void read_records(uint16_t line, Each each) {
  rt::Bytes record;
  for (;;) {
    rt::statement(line);
    if (rt::files::eof(kInputFile)) break;
    rt::statement(line + 1);
    rt::files::line_input(kInputFile, record);
    if (!each(std::as_const(record))) break;
  }
}

// The converter's last statement: CLOSE of all files.
void close_layer(uint16_t line);

}  // namespace convert
