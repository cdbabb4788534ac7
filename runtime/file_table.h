// The file table: file numbers 1 to 255, each free or open in one mode from
// OPEN to CLOSE, with the statements that use them. The program has one
// (files.h); a test makes its own over a file system of its own.
//
// Every output byte goes through the table's journal (output_journal.h);
// input files read through their own blocks (input_file.h). CLOSE of an
// OUTPUT or APPEND file writes its pending bytes with every other file's,
// then a final 1A byte, and APPEND continues over that byte.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <variant>
#include <vector>

#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/input_file.h"
#include "runtime/output_journal.h"
#include "runtime/program_state.h"

namespace rt::files {

// An input file is read in blocks of this size; the output made from one
// block is what a hard end can lose. Every block writes the output files
// out, so smaller blocks cost system calls, and each call costs more than
// its own time where the kernel flushes the TLB on every entry (64 KB
// measured 5 % slower, 32 KB 15 %).
inline constexpr size_t kReadBlock = 512 * 1024;
// Once a file's pending bytes reach this, every file is written out after
// the item; the room past it holds the longest line (32,767 bytes with its
// padding and line end), so only a statement of many items is ever split.
inline constexpr size_t kWriteBuffer = 256 * 1024;
inline constexpr size_t kWriteRoom = kWriteBuffer + 64 * 1024;
// Items logged between two writes of the files; a full log writes them too.
inline constexpr size_t kLogItems = 32 * 1024;

inline constexpr FileSizes kProgramFileSizes{kReadBlock, kWriteBuffer, kWriteRoom, kLogItems};
// A short line and a line room are written past the buffer's size unchecked.
static_assert(kWriteRoom - kWriteBuffer >= kLineRoom);

class FileTable {
 public:
  // The files of `fs`; the items written are of the statements `hook`
  // runs (the program's unless a test gives its own).
  FileTable(platform::FileSystem& fs, const FileSizes& sizes,
            const StatementHook& hook = program_hook());
  FileTable(const FileTable&) = delete;
  FileTable& operator=(const FileTable&) = delete;

  void open(BytesView name, Mode mode, int file_number, int access = 0);
  BytesView line_input(int n) {
    InputFile* in = std::get_if<InputFile>(&file(n, Op::kLineInput).io);
    if (!in) [[unlikely]]
      raise_error(kBadFileMode, loc(Op::kLineInput, 4), line());
    last_read_ = n;
    return in->line();
  }
  bool eof(int n) {
    File& f = file(n, Op::kEof);
    if (InputFile* in = std::get_if<InputFile>(&f.io)) return in->at_end();
    const OutputFile& out = std::get<OutputFile>(f.io);
    return out.position >= out.size;
  }
  // A line ending in CR LF (no separator) of a vertex's length takes one
  // copy; any other item goes through the PRINT engine.
  void print(int n, BytesView text, Sep sep) {
    OutputFile& f = output(n, Op::kPrint, 3);
    journal_.begin_item(f, loc(Op::kPrint, 4));
    if (sep == Sep::kNone && text.size() <= OutputJournal::kShortLine &&
        f.pending < journal_.write_buffer())
      journal_.put_short_line(f, text);
    else
      print_item(f, text, sep);
    journal_.end_item();
  }
  void print_using(int file_number, const Picture& picture, double value, Sep sep);
  void print_using(int file_number, const Picture& picture, std::initializer_list<double> values,
                   Sep sep);
  void print_lines(int n, BytesView lines, size_t line_length) {
    static_assert(kLineRoom / 2 <= UINT8_MAX + 1 && kLineRoom <= UINT16_MAX);
    journal_.put_lines(output(n, Op::kPrint, 3), loc(Op::kPrint, 4), lines, line_length);
  }
  void close(std::initializer_list<int> file_numbers);
  void close_all();
  void flush_all() { journal_.flush(); }
  void close_all_quietly();
  void write_out_for_fault();
  void begin_part();
  void end_part();
  void abandon_all();
  void restore_part();
  bool last_open_was_output() const { return opening_output_; }
  // The statement that runs: the one an error of the table names.
  uint16_t line() const { return journal_.hook().line(); }
  InputPlace input_place() const;

 private:
  struct File {
    Mode mode;
    std::variant<InputFile, OutputFile> io;
  };
  // Buffers of closed files, kept for the next OPEN: the conversion opens
  // and closes files some thousand times, and fresh memory for each would
  // cost a page fault per 4 KB (on Windows the heap hands blocks this size
  // back to the system at once).
  class BufferPool {
   public:
    explicit BufferPool(size_t size) : size_(size) {}
    std::unique_ptr<char[]> take();
    void give(std::unique_ptr<char[]> buffer);

   private:
    static constexpr size_t kKept = 4;
    size_t size_;
    std::vector<std::unique_ptr<char[]>> free_;
  };

  // The open file `n`: error 50 for a number outside 1 to 255, 57 when it
  // is not open; output() also 51 when it is not an output file.
  File& file(int n, Op op) {
    if (n < 1 || n > 255) [[unlikely]]
      raise_error(kBadFileNumber, loc(op, 1), line());
    File* f = table_[static_cast<size_t>(n)].get();
    if (!f) [[unlikely]]
      raise_error(kFileNotOpen, loc(op, 2), line());
    return *f;
  }
  OutputFile& output(int n, Op op, uint8_t check) {
    OutputFile* out = std::get_if<OutputFile>(&file(n, op).io);
    if (!out) [[unlikely]]
      raise_error(kBadFileMode, loc(op, check), line());
    return *out;
  }
  std::unique_ptr<File> make_file(Mode mode, int n);
  // A PRINT # item other than a short line, of a logged item.
  void print_item(OutputFile& f, BytesView text, Sep sep);
  // Where input stood, kept when file `n`, the one read last, closes.
  void keep_place(size_t n, const File& f);
  void close_one(size_t n);
  void release(File& f);

  platform::FileSystem& fs_;
  FileSizes sizes_;
  OutputJournal journal_;
  BufferPool read_buffers_;
  BufferPool write_buffers_;
  std::array<std::unique_ptr<File>, 256> table_;  // index = file number
  // The input file read last, while open; else where input stood when it
  // was closed or its OPEN failed.
  int last_read_ = 0;
  InputPlace place_;
  bool opening_output_ = false;
  // Within a part (begin_part): each output file as it was before the part
  // first opened it.
  struct OutputMark {
    Bytes name;
    int64_t size;   // -1: it did not exist
    int last = -1;  // its last byte, when known
  };
  bool in_part_ = false;
  std::vector<OutputMark> marks_;
  void mark(BytesView name, int64_t size, int last);
};

}  // namespace rt::files
