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

namespace rt::files {

class FileTable {
 public:
  FileTable(platform::FileSystem& fs, const FileSizes& sizes);
  FileTable(const FileTable&) = delete;
  FileTable& operator=(const FileTable&) = delete;

  void open(BytesView name, Mode mode, int file_number, int access = 0);
  BytesView line_input(int file_number);
  bool eof(int file_number);
  void print(int file_number, BytesView text, Sep sep);
  void print_using(int file_number, const Picture& picture, double value, Sep sep);
  void print_using(int file_number, const Picture& picture, std::initializer_list<double> values,
                   Sep sep);
  char* line_room(int file_number);
  void commit_lines(int file_number, size_t lines, size_t line_length);
  void close(std::initializer_list<int> file_numbers);
  void close_all();
  void flush_all() { journal_.flush(); }
  void close_all_quietly();
  void write_out_for_fault();

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

  File& file(int n, Op op);
  OutputFile& output(int n, Op op, uint8_t check);
  std::unique_ptr<File> make_file(Mode mode, int n);
  void close_one(size_t n);
  void release(File& f);

  platform::FileSystem& fs_;
  FileSizes sizes_;
  OutputJournal journal_;
  BufferPool read_buffers_;
  BufferPool write_buffers_;
  std::array<std::unique_ptr<File>, 256> table_;  // index = file number
};

}  // namespace rt::files
