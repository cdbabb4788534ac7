// Numbered sequential files: OPEN, LINE INPUT #, EOF, PRINT #, PRINT # USING,
// CLOSE, on the program's one file table (file_table.h).
//
// LINE INPUT # follows the byte rules in input_file.h. CLOSE of an OUTPUT or
// APPEND file writes a final 1A byte, and APPEND continues over that byte.
//
// Output is held back and handed to the system for all files together, in
// one write per file (output_journal.h): before every read of an input
// block (512 KB) and every wait for the operator, when a file's buffer
// fills, at CLOSE, an error report, an interrupt and the end. After any end
// the files hold what item-by-item writes left at one point of the run, but
// for the file a record writes first being ahead of the others by the
// records of one write. A write the system refuses (disk full, file too
// large) is reported at the statement of the item that did not fit, and
// every file is cut back to hold nothing written from that item on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "runtime/picture.h"
#include "runtime/print_engine.h"
#include "runtime/strings.h"

namespace rt::files {

enum class Mode : uint8_t { kInput = 1, kOutput = 2, kAppend = 3 };

// Access code 0 takes the default (3 for INPUT, 1 for OUTPUT and APPEND).
void open(BytesView name, Mode mode, int file_number, int access = 0);
// Reads the next line; what it returns holds until the next operation on
// the same file.
BytesView line_input(int file_number);
bool eof(int file_number);
void print(int file_number, BytesView text, Sep sep);
void print_integer(int file_number, int32_t value, Sep sep);
void print_using(int file_number, const Picture& picture, double value, Sep sep);
// PRINT # USING of several numeric items: item k takes the picture's next
// field (see picture.h); `sep` is the separator after the last item.
void print_using(int file_number, const Picture& picture, std::initializer_list<double> values,
                 Sep sep);
// PRINT # items already formatted, each a line of `line_length` bytes
// ending in CR LF: up to kLineRoom bytes of them, written to file
// `file_number` as if each had been printed in turn by the current
// statement (the file's column is 0 after them). Error 57 when the file is
// not open, 51 for an input file.
constexpr size_t kLineRoom = 512;
void print_lines(int file_number, BytesView lines, size_t line_length);
// CLOSE with numbers: numbers that are not open are skipped.
void close(std::initializer_list<int> file_numbers);
// CLOSE without numbers.
void close_all();
// Hands every buffered byte of every open file to the operating system; a
// refused write raises its error at the statement of the refused item.
void flush_all();
// The termination sequence's close: every file, errors ignored.
void close_all_quietly();
// The fault path's end of the files: each output file's buffered bytes (in
// the order flush_all writes them) and its final 1A byte handed to the
// operating system with plain writes. Safe inside a signal handler: nothing
// allocated, nothing raised; the files stay open.
void write_out_for_fault();

// A part of the job that may be left out when it fails (a sheet), so that
// the outputs are those of a run without it:
// - begin_part(): from here on, the state each output file had before the
//   part first opens it is kept (missing, or its size and last byte, the
//   final 1A that APPEND writes over), and where input stood starts again;
// - end_part(): the part is done, its outputs stay;
// - abandon_all(): every open file closed as it stands, its pending bytes
//   dropped and no final byte written;
// - restore_part(): then every output the part opened is put back as it was
//   (cut back and its last byte written again, or removed).
void begin_part();
void end_part();
void abandon_all();
void restore_part();
// Whether the last OPEN was for OUTPUT or APPEND (an error at OPEN then
// belongs to the outputs, not to the input being read).
bool last_open_was_output();

// The input file read last (its name as opened, or that of an input file
// that failed to open) and the record it was at: the line being read or
// last read, counted from 1 (0 before the first).
struct InputPlace {
  Bytes file;
  uint32_t record = 0;
};
InputPlace input_place();

}  // namespace rt::files
