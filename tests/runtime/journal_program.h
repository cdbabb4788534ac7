// Programs of file statements for the output journal's tests: run on a file
// table over a file system in memory, and worked out by a model of their
// own, item-by-item writes, that stop at the first item the system refuses.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "runtime/output_journal.h"
#include "runtime/print_engine.h"
#include "tests/runtime/memory_files.h"

namespace test {

struct Statement {
  enum Kind : uint8_t { kOpenInput, kOpenOutput, kOpenAppend, kPrint, kLines, kLineInput, kClose };
  Kind kind;
  int file;
  // The name for an OPEN, the item for a PRINT, one line (CR LF included)
  // for kLines.
  std::string text;
  rt::Sep sep = rt::Sep::kNone;
  int count = 0;  // kLines: how many lines, committed at once
};
// Statement k is line k + 1.
using Program = std::vector<Statement>;

struct Outcome {
  int code = 0;  // the error reported, 0 for none
  int line = 0;  // the statement it names
  std::map<std::string, std::string> files;
};

// Runs the program on a fresh table, then the termination sequence's close.
Outcome run(const Program& program, MemoryFiles& fs, const rt::files::FileSizes& sizes);

// What item-by-item writes leave from the files `initial` when every byte
// of file `name` from `from` on is refused with run-time error `code`.
Outcome model(const Program& program, const std::map<std::string, std::string>& initial,
              const std::string& name, int64_t from, int code);

// A program and a refused byte made from `data` (the fuzz target's input):
// true when the run and the model agree.
bool random_program_matches(const uint8_t* data, size_t size);

}  // namespace test
