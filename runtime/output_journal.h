// The output journal: the bytes PRINT # gives the output files, held back
// and handed to the system for all files together, with the log that says
// what item-by-item writes would have left at any point.
//
// An item is what one PRINT # statement gives one file. Items are logged in
// the order they were written, with where each starts and the statement
// that wrote it. The pending bytes of every file go out in one write per
// file: before every read of an input block and every wait for the
// operator (the caller's flush()), when a file's pending bytes reach the
// write buffer's size or the log fills (after the item), at CLOSE, at an
// error report, an interrupt and the end.
//
// Invariants:
// - A file is among the pending files exactly when it has an item in the
//   log, whatever the item's size; so an empty item takes no more room than
//   the file's first item did.
// - The log holds the items since the last flush; a file's first logged
//   item starts at its write_start, or before it when it continues an item
//   that a flush split (an item larger than the room).
// - Files are written in the order the current record first wrote to them
//   (a record: what follows a LINE INPUT #), so a row is never behind its
//   object after a hard end.
// - A write the system refuses ends the run at the refused item: every file
//   is cut back to hold nothing written from that item on (an item split
//   by a flush goes whole), position and size become what the file then
//   holds, and the error is raised at the item's statement.
// - A file whose cut the system refused is spoilt: its idea of the file is
//   what the disk holds, and nothing is written to it again, its final 1A
//   byte included, so no byte ever follows bytes that should have gone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "runtime/byte_words.h"
#include "runtime/platform/files.h"
#include "runtime/statement_hook.h"
#include "runtime/strings.h"

namespace rt::files {

// An output file as the journal keeps it.
struct OutputFile {
  uint8_t number = 0;  // names the file in the log
  platform::OsFile os;
  // Pending bytes, to be written at write_start.
  std::unique_ptr<char[]> buffer;
  size_t pending = 0;
  int64_t write_start = 0;
  int64_t position = 0;
  int64_t size = 0;
  int column = 0;       // the print column
  bool listed = false;  // among the pending files
  uint32_t spoilt = 0;  // the system's error for a refused cut; 0 while sound
};

// The sizes the file layer works with; a test makes them small.
struct FileSizes {
  size_t read_block;    // what an input file reads at once
  size_t write_buffer;  // pending bytes of one file that write all files out
  // A file's buffer: the write buffer and room past it for the item that
  // fills it, at least kLineRoom (files.h).
  size_t write_room;
  size_t log_items;  // items between two writes of the files
};

class OutputJournal {
 public:
  // Items are of the statement `hook` runs.
  OutputJournal(platform::FileSystem& fs, const FileSizes& sizes, const StatementHook& hook);
  OutputJournal(const OutputJournal&) = delete;
  OutputJournal& operator=(const OutputJournal&) = delete;

  size_t write_buffer() const { return buffer_; }
  // What runs the statements of the items.
  const StatementHook& hook() const { return hook_; }

  // An item of `f` begins at its position, of the current statement; a
  // spoilt file raises its error instead.
  void begin_item(OutputFile& f, uint16_t location) {
    if (f.spoilt) [[unlikely]]
      refuse_spoilt(f, location);
    if (!f.listed) list(f);
    *next_++ = Item{f.position, hook_.line(), location, f.number};
  }
  // The item's bytes, copied to the end of the file's pending bytes.
  void put(OutputFile& f, BytesView bytes);
  // Counts bytes the caller placed at the end of the pending bytes (no
  // more than the room left).
  void wrote(OutputFile& f, size_t n) {
    f.pending += n;
    f.position += static_cast<int64_t>(n);
    if (f.position > f.size) f.size = f.position;
    if (f.pending >= buffer_) flush_mark_ = log_.get();
  }
  // Lines of the current statement, copied to the end of the pending bytes
  // (at most kLineRoom of them, files.h): items of `length` bytes each,
  // logged as one entry.
  void put_lines(OutputFile& f, uint16_t location, BytesView bytes, size_t length) {
    const size_t lines = bytes.size() / length;
    if (lines == 0) return;
    begin_item(f, location);
    std::memcpy(f.buffer.get() + f.pending, bytes.data(), bytes.size());
    next_[-1].more = static_cast<uint8_t>(lines - 1);
    next_[-1].step = static_cast<uint16_t>(length);
    wrote(f, lines * length);
    f.column = 0;
    end_item();
  }
  // A line of up to kShortLine bytes and its CR LF, for a file whose
  // pending bytes are below the buffer's size: one copy.
  static constexpr size_t kShortLine = 32;
  void put_short_line(OutputFile& f, BytesView text) {
    char* d = f.buffer.get() + f.pending;
    words::copy_upto32(d, text.data(), text.size());
    d[text.size()] = '\r';
    d[text.size() + 1] = '\n';
    wrote(f, text.size() + 2);
    f.column = 0;
  }
  // Ends an item: a full log or a full buffer writes every file out.
  void end_item() {
    if (next_ >= flush_mark_) [[unlikely]]
      flush();
  }
  // What the program writes from here is the record of the line just read.
  void start_record() { record_ = next_; }

  // Every file's pending bytes, one system write per file; a refused write
  // raises its error at the refused item's statement, after the cut.
  void flush();
  // Every pending byte dropped unwritten: what the files were given since
  // the last flush is not to be kept.
  void discard() { forget_pending(); }
  // The final 1A byte at the file's position (nothing for a spoilt file);
  // false with os_error set when the system refuses it. Signal-safe.
  bool write_final_byte(OutputFile& f, uint32_t& os_error);
  // The fault path: every pending byte handed over with plain writes, in
  // the order flush() writes them, and the log forgotten. Nothing
  // allocated, nothing raised.
  void write_out_quietly();

 private:
  struct Item {
    int64_t offset;
    uint16_t line;
    uint16_t location;
    uint8_t file;
    uint8_t more = 0;  // items of `step` bytes after the first, in one entry
    uint16_t step = 0;
  };
  // An item's place: item `more` after the first of log entry `entry`.
  struct Place {
    size_t entry;
    size_t more;
  };

  [[noreturn]] void refuse_spoilt(const OutputFile& f, uint16_t location);
  void list(OutputFile& f);
  size_t logged() const { return static_cast<size_t>(next_ - log_.get()); }
  size_t writing_order(OutputFile** order) const;
  int64_t end_before(const OutputFile& f, Place limit) const;
  Place item_at(const OutputFile& f, int64_t offset) const;
  void cut_back(OutputFile** order, int64_t* on_disk, size_t upto, Place limit);
  void forget_pending();

  platform::FileSystem& fs_;
  const StatementHook& hook_;
  size_t buffer_;
  size_t room_;
  size_t log_items_;
  std::unique_ptr<Item[]> log_;
  Item* next_;        // where the next item goes
  Item* flush_mark_;  // an item that ends at or past it writes the files out
  Item* record_;      // the first item of the current record
  OutputFile* pending_[256];
  size_t pending_count_ = 0;
};

}  // namespace rt::files
