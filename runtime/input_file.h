// An input file: LINE INPUT # and EOF over a block of the file held in
// memory.
//
// Byte rules of LINE INPUT #: CR ends a line (an LF right after it is taken
// too); a lone LF is data; 1A ends the line only as the file's last byte;
// NUL bytes are dropped; the 32,768th byte of a line raises error 15; a read
// at or past the end raises error 54. EOF is also true when the one byte
// left is 1A.
//
// Before every read of the system the journal writes the output out, so a
// read that waits (a slow or damaged disc) holds nothing back. A read that
// ends before the size the file had at OPEN ends the file there.
#pragma once

#include <cstdint>
#include <memory>

#include "runtime/output_journal.h"
#include "runtime/platform/files.h"
#include "runtime/strings.h"

namespace rt::files {

class InputFile {
 public:
  InputFile(platform::FileSystem& fs, OutputJournal& journal, std::unique_ptr<char[]> buffer,
            size_t block)
      : fs_(&fs), journal_(&journal), buffer_(std::move(buffer)), block_(block) {}
  // The file the system opened, of `size` bytes, by the name it was opened
  // with.
  void start(platform::OsFile os, int64_t size, BytesView name) {
    os_ = os;
    size_ = size;
    name_ = name;
  }

  // The next line; what it returns holds until the next call.
  BytesView line();
  bool at_end();

  platform::OsFile& os() { return os_; }
  BytesView name() const { return name_; }
  // The lines asked for so far: the one being read or last read.
  uint32_t records() const { return records_; }
  std::unique_ptr<char[]> take_buffer() { return std::move(buffer_); }

 private:
  bool fill(int64_t offset);
  int byte_at(int64_t offset);
  BytesView assemble(int64_t pos);

  platform::FileSystem* fs_;
  OutputJournal* journal_;
  platform::OsFile os_;
  int64_t size_ = 0;
  int64_t position_ = 0;
  // The block in memory: bytes of the file from block_start_.
  std::unique_ptr<char[]> buffer_;
  size_t block_;
  int64_t block_start_ = 0;
  size_t block_len_ = 0;
  Bytes line_;  // the last line read, where it did not lie whole in the block
  Bytes name_;
  uint32_t records_ = 0;
};

}  // namespace rt::files
