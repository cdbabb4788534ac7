#include "runtime/files.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "runtime/byte_words.h"
#include "runtime/errors.h"
#include "runtime/platform/files.h"
#include "runtime/program_state.h"

namespace rt::files {
namespace {

// An input file is read in blocks of this size; the output made from one
// block is what a hard end can lose. Every block writes the output files
// out, so smaller blocks cost system calls, and each call costs more than
// its own time where the kernel flushes the TLB on every entry (64 KB
// measured 5 % slower, 32 KB 15 %).
constexpr size_t kReadBuffer = 512 * 1024;
// Once a file's pending bytes reach this, every file is written out after
// the item; the room past it holds the longest item (a 32,767-byte line
// with its padding and line end), so an item never has to be split.
constexpr size_t kWriteBuffer = 256 * 1024;
constexpr size_t kWriteRoom = kWriteBuffer + 64 * 1024;
// Items logged between two writes of the files; a full log writes them too.
constexpr size_t kLogItems = 32 * 1024;
constexpr size_t kMaxLine = 32767;

// Buffers of closed files, kept for the next OPEN: the conversion opens and
// closes files some thousand times, and fresh memory for each would cost a
// page fault per 4 KB (on Windows the heap hands blocks this size back to
// the system at once).
class BufferPool {
 public:
  explicit BufferPool(size_t size) : size_(size) {}
  std::unique_ptr<char[]> take() {
    if (free_.empty()) return std::unique_ptr<char[]>(new char[size_]);
    std::unique_ptr<char[]> b = std::move(free_.back());
    free_.pop_back();
    return b;
  }
  void give(std::unique_ptr<char[]> b) {
    if (b && free_.size() < kKept) free_.push_back(std::move(b));
  }

 private:
  static constexpr size_t kKept = 4;
  size_t size_;
  std::vector<std::unique_ptr<char[]>> free_;
};
BufferPool g_read_buffers(kReadBuffer);
BufferPool g_write_buffers(kWriteRoom);

struct File;

// The PRINT engine's view of a file: width 0, column over written bytes.
class FileTarget {
 public:
  explicit FileTarget(File& f) : f_(f) {}
  int column() const;
  int width() const { return 0; }
  bool expands_tabs() const { return false; }
  void emit(BytesView bytes);
  void end_line();

 private:
  File& f_;
};

struct File {
  Mode mode;
  uint8_t number = 0;
  platform::OsFile os;
  int64_t size = 0;
  int64_t position = 0;
  int column = 0;
  // Read buffer: bytes of the file from read_start.
  std::unique_ptr<char[]> rbuf;
  int64_t read_start = 0;
  size_t read_len = 0;
  Bytes line;  // the last line read, where it did not lie whole in the buffer
  // Write buffer: wlen bytes not yet handed over, to be written at
  // write_start.
  std::unique_ptr<char[]> wbuf;
  size_t wlen = 0;
  int64_t write_start = 0;
  FileTarget target{*this};

  File() = default;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File() {
    g_read_buffers.give(std::move(rbuf));
    g_write_buffers.give(std::move(wbuf));
  }
};

std::array<std::unique_ptr<File>, 256> g_table;  // index = file number

void check_number(int n, Op op) {
  if (n < 1 || n > 255) raise_error(kBadFileNumber, loc(op, 1));
}

File& open_file(int n, Op op) {
  check_number(n, op);
  File* f = g_table[static_cast<size_t>(n)].get();
  if (!f) raise_error(kFileNotOpen, loc(op, 2));
  return *f;
}

// The items of the pending bytes of all files, in the order they were
// written: where each starts and the statement that wrote it. A write the
// system refuses is reported at its item's statement, and the other files
// are cut back to what came before that item.
// Lines committed at once from a line room share one entry: `more` items of
// `step` bytes each follow the first, of the same statement (the log stays
// small and out of the way of the data in the processor's caches).
struct Item {
  int64_t offset;
  uint16_t line;
  uint16_t location;
  uint8_t file;
  uint8_t more = 0;
  uint16_t step = 0;
};
// Every item is ended by end_item(), which writes the files out at the
// mark, so the log never holds more than kLogItems entries.
Item g_log[kLogItems];
Item* g_next = g_log;  // where the next item goes
// An item that ends with g_next at or past this mark writes the files out:
// the log's end, or its start once a file's pending bytes fill the buffer.
Item* g_flush_mark = g_log + kLogItems;
// Files holding pending bytes, in the order those began.
File* g_pending[256];
size_t g_pending_count = 0;
// The first item of the current record: what the program writes after
// reading a line is that line's record. A flush writes the files in the
// order the record first wrote to them, so the file a record writes first
// (a row before its object) is never behind the other.
Item* g_record = g_log;

size_t logged() {
  return static_cast<size_t>(g_next - g_log);
}

// Starts an item of `f`: its place in the log, and the file among the
// pending ones.
inline void begin_item(File& f, uint16_t location) {
  if (f.wlen == 0) {
    f.write_start = f.position;
    g_pending[g_pending_count++] = &f;
  }
  *g_next++ = Item{f.position, current_line(), location, f.number};
}

// An item's place in the log: item `more` after the first of entry `entry`.
struct Place {
  size_t entry;
  size_t more;
};
Place log_end() {
  return {logged(), 0};
}

// Counts bytes just placed at the end of the write buffer.
inline void wrote(File& f, size_t n) {
  f.wlen += n;
  f.position += static_cast<int64_t>(n);
  f.size = std::max(f.size, f.position);
  if (f.wlen >= kWriteBuffer) g_flush_mark = g_log;
}

// The pending files in the order they are written: those the current record
// has not written to, in the order their bytes began; then the others in the
// order the record first wrote to them. No memory is taken (the fault path
// uses it too).
size_t writing_order(File** order) {
  bool in_record[256] = {};
  for (const Item* it = g_record; it < g_next; ++it) in_record[it->file] = true;
  size_t n = 0;
  for (size_t k = 0; k < g_pending_count; ++k)
    if (!in_record[g_pending[k]->number]) order[n++] = g_pending[k];
  for (const Item* it = g_record; it < g_next; ++it) {
    if (!in_record[it->file]) continue;
    in_record[it->file] = false;
    for (size_t k = 0; k < g_pending_count; ++k)
      if (g_pending[k]->number == it->file) order[n++] = g_pending[k];
  }
  return n;
}

// Where the bytes of `f` written before item `limit` end.
int64_t end_before(const File& f, Place limit) {
  for (size_t k = limit.entry; k < logged(); ++k) {
    const Item& it = g_log[k];
    if (it.file != f.number) continue;
    const size_t more = k == limit.entry ? limit.more : 0;
    return it.offset + static_cast<int64_t>(more * it.step);
  }
  return f.write_start + static_cast<int64_t>(f.wlen);
}

// The item of `f` that holds the byte at `offset`.
Place item_at(const File& f, int64_t offset) {
  Place found{0, 0};
  for (size_t k = 0; k < logged(); ++k) {
    const Item& it = g_log[k];
    if (it.file != f.number || it.offset > offset) continue;
    const size_t into = it.step ? static_cast<size_t>(offset - it.offset) / it.step : 0;
    found = {k, std::min<size_t>(into, it.more)};
  }
  return found;
}

void forget_pending() {
  for (size_t k = 0; k < g_pending_count; ++k) g_pending[k]->wlen = 0;
  g_pending_count = 0;
  g_next = g_record = g_log;
  g_flush_mark = g_log + kLogItems;
}

}  // namespace

// Every file's pending bytes, one system write per file. When the system
// refuses bytes, the item it refused is the end: that file is cut back to
// the item's start, every other file to its last item before it, and the
// error is reported at the item's statement, as writes item by item would
// have stopped there.
void flush_all() {
  if (g_pending_count == 0) {
    forget_pending();
    return;
  }
  File* order[256];
  int64_t written_to[256];
  const size_t n = writing_order(order);
  Place limit = log_end();
  uint32_t failure = 0;
  for (size_t k = 0; k < n; ++k) {
    File& f = *order[k];
    const int64_t end = end_before(f, limit);
    size_t written = 0;
    uint32_t err = 0;
    written_to[k] = end;
    if (end == f.write_start ||
        platform::write_at(f.os, f.write_start, f.wbuf.get(),
                           static_cast<size_t>(end - f.write_start), written, err))
      continue;
    failure = err;
    limit = item_at(f, f.write_start + static_cast<int64_t>(written));
    written_to[k] = f.write_start + static_cast<int64_t>(written);
    for (size_t j = 0; j <= k; ++j) {
      File& g = *order[j];
      const int64_t cut = end_before(g, limit);
      uint32_t ignored = 0;
      if (written_to[j] > cut && platform::truncate_file(g.os, cut, ignored)) written_to[j] = cut;
    }
  }
  if (limit.entry == logged()) {
    forget_pending();
    return;
  }
  for (size_t k = 0; k < n; ++k) {
    File& f = *order[k];
    f.position = f.size = end_before(f, limit);
    f.column = 0;
  }
  const Item refused = g_log[limit.entry];
  forget_pending();
  // The report names the statement of the refused item.
  detail::line = refused.line;
  raise_os_error(failure, refused.location);
}

namespace {

// Ends an item: a full window writes every file out.
inline void end_item() {
  if (g_next >= g_flush_mark) [[unlikely]]
    flush_all();
}

inline void write_bytes(File& f, BytesView bytes) {
  // Short items (most of them) fit the room past the flush mark: copied
  // without a library call.
  if (bytes.size() <= 16 && f.wlen < kWriteBuffer) {
    words::copy_short(f.wbuf.get() + f.wlen, bytes.data(), bytes.size());
    wrote(f, bytes.size());
    return;
  }
  for (;;) {
    const size_t n = std::min(bytes.size(), kWriteRoom - f.wlen);
    std::memcpy(f.wbuf.get() + f.wlen, bytes.data(), n);
    bytes.remove_prefix(n);
    wrote(f, n);
    if (bytes.empty()) return;
    // Only a statement of many items outgrows the room: its part so far
    // goes out, and the rest is an item of the same statement.
    const uint16_t location = g_next[-1].location;
    flush_all();
    begin_item(f, location);
  }
}

// An item with the line end. A file has no width and keeps TABs, so the
// column starts again whatever the item held. Lines of a vertex's length
// take one copy.
void write_line(File& f, BytesView text) {
  constexpr size_t kShortLine = 32;
  if (text.size() <= kShortLine && f.wlen < kWriteBuffer) {
    char* d = f.wbuf.get() + f.wlen;
    words::copy_upto32(d, text.data(), text.size());
    d[text.size()] = '\r';
    d[text.size() + 1] = '\n';
    wrote(f, text.size() + 2);
  } else {
    write_bytes(f, text);
    write_bytes(f, "\r\n");
  }
  f.column = 0;
}

int FileTarget::column() const {
  return f_.column;
}

// The print column after writing `bytes` from column `col`: CR sets it to
// 0, LF leaves it, TAB moves to the next multiple of 8, others add one; an
// item of one form feed sets it to 0.
inline int column_after(int col, BytesView bytes) {
  if (bytes.size() == 1 && bytes[0] == '\f') return 0;
  if (bytes.size() == 2 && bytes[0] == '\r' && bytes[1] == '\n') return 0;  // a line end
  if (!words::any_below(bytes.data(), bytes.size(), ' '))
    return col + static_cast<int>(bytes.size());
  for (char c : bytes) {
    if (c >= ' ')
      ++col;
    else if (c == '\r')
      col = 0;
    else if (c == '\t')
      col = (col / 8 + 1) * 8;
    else if (c != '\n')
      ++col;
  }
  return col;
}

void FileTarget::emit(BytesView bytes) {
  if (f_.mode == Mode::kInput) raise_error(kBadFileMode, loc(Op::kPrint, 3));
  write_bytes(f_, bytes);
  f_.column = column_after(f_.column, bytes);
}

void FileTarget::end_line() {
  write_bytes(f_, "\r\n");
  f_.column = 0;
}

// Makes sure the read buffer holds the byte at `offset`; false at the end.
bool fill(File& f, int64_t offset) {
  if (offset >= f.read_start && offset < f.read_start + static_cast<int64_t>(f.read_len))
    return true;
  if (offset >= f.size) return false;
  // The read may wait (a slow or damaged disc): nothing written so far is
  // held back across it.
  flush_all();
  uint32_t err = 0;
  size_t want = static_cast<size_t>(std::min<int64_t>(kReadBuffer, f.size - offset));
  int64_t got = platform::read_at(f.os, offset, f.rbuf.get(), want, err);
  if (got < 0) raise_os_error(err, loc(Op::kLineInput, 3));
  f.read_start = offset;
  f.read_len = static_cast<size_t>(got);
  return got > 0;
}

int byte_at(File& f, int64_t offset) {
  if (!fill(f, offset)) return -1;
  return static_cast<unsigned char>(f.rbuf[static_cast<size_t>(offset - f.read_start)]);
}

// Rewrites a drive number prefix ("3:") as its letter; error 5 for a bad one.
Bytes drive_prefix(BytesView name) {
  size_t colon = name.find(':');
  if (colon == BytesView::npos) return Bytes(name);
  BytesView head = name.substr(0, colon);
  bool digits = !head.empty() && head.size() <= 2 &&
                std::all_of(head.begin(), head.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (digits) {
    int drive = std::atoi(Bytes(head).c_str());
    if (drive > 25) raise_error(kIllegalCall, loc(Op::kOpen, 4));
    Bytes lettered(name.substr(colon));
    lettered.insert(lettered.begin(), static_cast<char>('A' + drive));
    return lettered;
  }
  bool letter = head.size() == 1 &&
                ((head[0] >= 'A' && head[0] <= 'Z') || (head[0] >= 'a' && head[0] <= 'z'));
  if (!letter) raise_error(kIllegalCall, loc(Op::kOpen, 5));
  return Bytes(name);
}

bool is_device(BytesView name) {
  static const char* const kDevices[] = {
      "LPT1:", "LPT2:", "LPT3:", "COM0:", "COM1:", "COM2:", "COM3:", "COM4:"};
  if (name.size() < 5) return false;
  for (const char* d : kDevices) {
    bool same = true;
    for (int k = 0; k < 5 && same; ++k)
      same = (name[static_cast<size_t>(k)] & ~0x20) == (d[k] & ~0x20) ||
             name[static_cast<size_t>(k)] == d[k];
    if (same) return true;
  }
  return false;
}

}  // namespace

void open(BytesView name, Mode mode, int n, int access) {
  if (name.size() > platform::kMaxPath) raise_error(kBadFileName, loc(Op::kOpen, 1));
  check_number(n, Op::kOpen);
  if (g_table[static_cast<size_t>(n)]) raise_error(kFileAlreadyOpen, loc(Op::kOpen, 2));
  if (access == 0) access = mode == Mode::kInput ? 3 : 1;
  if ((mode == Mode::kInput && access == 2) || (mode != Mode::kInput && access != 1))
    raise_error(kBadFileMode, loc(Op::kOpen, 3));
  // Printers and serial ports are not available on this system.
  if (is_device(name)) raise_error(kDeviceFault, loc(Op::kOpen, 6));
  Bytes full = drive_prefix(name);
  if (full.find_first_of("?*") != Bytes::npos) raise_error(kBadFileName, loc(Op::kOpen, 7));

  // The buffers come first: a failed allocation leaves no file created or
  // opened behind it.
  std::unique_ptr<File> f;
  try {
    f = std::make_unique<File>();
    if (mode == Mode::kInput)
      f->rbuf = g_read_buffers.take();
    else
      f->wbuf = g_write_buffers.take();
  } catch (const std::bad_alloc&) {
    raise_error(kOutOfMemory, loc(Op::kOpen, 10));
  }
  f->mode = mode;
  f->number = static_cast<uint8_t>(n);
  uint32_t err = 0;
  platform::OpenKind kind = mode == Mode::kInput    ? platform::OpenKind::kRead
                            : mode == Mode::kOutput ? platform::OpenKind::kCreateNew
                                                    : platform::OpenKind::kAppend;
  if (!platform::open_file(full, kind, f->os, err)) raise_os_error(err, loc(Op::kOpen, 8));
  if (!platform::file_size(f->os, f->size, err)) {
    uint32_t ignored;
    platform::close_file(f->os, ignored);
    raise_os_error(err, loc(Op::kOpen, 9));
  }
  if (mode == Mode::kAppend) {
    f->position = f->size;
    if (f->size > 0) {
      char last = 0;
      if (platform::read_at(f->os, f->size - 1, &last, 1, err) == 1 && last == 0x1A) {
        --f->size;
        --f->position;
      }
    }
  }
  g_table[static_cast<size_t>(n)] = std::move(f);
}

void require_name_part(BytesView part) {
  bool bad = part == "." || part == "..";
  // A trail byte 5C is part of its character.
  for (const Character c : characters(part))
    bad = bad || c.is('/') || c.is('\\') || c.is(':') || c.is('\0');
  if (bad) raise_error(kBadFileName, loc(Op::kNamePart, 1));
}

BytesView line_input(int n) {
  File& f = open_file(n, Op::kLineInput);
  if (f.mode != Mode::kInput) raise_error(kBadFileMode, loc(Op::kLineInput, 4));
  if (f.position >= f.size) raise_error(kInputPastEnd, loc(Op::kLineInput, 5));
  int64_t pos = f.position;
  // Most lines end in CR within the block that holds them: they are seen
  // where they lie.
  if (fill(f, pos)) {
    const char* buf = f.rbuf.get() + (pos - f.read_start);
    const size_t avail = f.read_len - static_cast<size_t>(pos - f.read_start);
    const size_t k = words::line_stop(buf, avail);
    if (k + 1 < avail && buf[k] == '\r' && k <= kMaxLine) {
      f.position = pos + static_cast<int64_t>(k) + (buf[k + 1] == '\n' ? 2 : 1);
      g_record = g_next;
      return BytesView(buf, k);
    }
  }
  // Others are put together: across blocks, without their NUL bytes.
  Bytes& line = f.line;
  line.clear();
  for (;;) {
    if (!fill(f, pos)) break;  // end of file ends the line
    const char* buf = f.rbuf.get() + (pos - f.read_start);
    size_t avail = f.read_len - static_cast<size_t>(pos - f.read_start);
    // Copy the run of ordinary bytes up to a CR, 00 or 1A.
    const size_t k = words::line_stop(buf, avail);
    if (k > 0) {
      if (line.size() + k > kMaxLine) raise_error(kStringTooLong, loc(Op::kLineInput, 6));
      line.append(buf, k);
      pos += static_cast<int64_t>(k);
      if (k == avail) continue;
    }
    char c = buf[k];
    if (c == '\r') {
      ++pos;
      if (byte_at(f, pos) == '\n') ++pos;
      break;
    }
    if (c == 0) {
      ++pos;
      continue;
    }
    // 1A: the end only when it is the file's last byte.
    if (pos == f.size - 1) {
      ++pos;
      break;
    }
    if (line.size() + 1 > kMaxLine) raise_error(kStringTooLong, loc(Op::kLineInput, 6));
    line.push_back(c);
    ++pos;
  }
  f.position = pos;
  g_record = g_next;
  return line;
}

bool eof(int n) {
  File& f = open_file(n, Op::kEof);
  if (f.mode != Mode::kInput) return f.position >= f.size;
  if (f.position >= f.size) return true;
  if (f.position == f.size - 1) return byte_at(f, f.position) == 0x1A;
  return false;
}

void print(int n, BytesView text, Sep sep) {
  File& f = open_file(n, Op::kPrint);
  if (f.mode == Mode::kInput) raise_error(kBadFileMode, loc(Op::kPrint, 3));
  begin_item(f, loc(Op::kPrint, 4));
  if (sep == Sep::kNone)
    write_line(f, text);
  else
    print_item(f.target, text, sep);
  end_item();
}

void print_integer(int n, int32_t value, Sep sep) {
  print(n, IntegerText(value), sep);
}

namespace {
// The file of a PRINT # USING, ready for bytes at the end of its buffer.
File& using_file(int n) {
  File& f = open_file(n, Op::kUsing);
  if (f.mode == Mode::kInput) raise_error(kBadFileMode, loc(Op::kUsing, 3));
  begin_item(f, loc(Op::kUsing, 4));
  return f;
}
}  // namespace

void print_using(int n, const Picture& picture, double value, Sep sep) {
  File& f = using_file(n);
  Bytes item;
  picture.format(0, value, f.column, item);
  if (sep == Sep::kNone) item += "\r\n";
  write_bytes(f, item);
  if (sep == Sep::kNone)
    f.column = 0;
  else if (picture.plain())
    f.column += static_cast<int>(item.size());
  else
    f.column = column_after(f.column, item);
  end_item();
}

void print_using(int n, const Picture& picture, std::initializer_list<double> values, Sep sep) {
  File& f = using_file(n);
  size_t index = 0;
  for (double value : values) {
    Bytes item;
    picture.format(index++, value, f.column, item);
    write_bytes(f, item);
    f.column = column_after(f.column, item);
  }
  if (sep == Sep::kNone) FileTarget(f).end_line();
  end_item();
}

char* line_room(int n) {
  static_assert(kWriteRoom - kWriteBuffer >= kLineRoom);
  File& f = open_file(n, Op::kPrint);
  if (f.mode == Mode::kInput) raise_error(kBadFileMode, loc(Op::kPrint, 3));
  return f.wbuf.get() + f.wlen;
}

void commit_lines(int n, size_t lines, size_t line_length) {
  File& f = open_file(n, Op::kPrint);
  if (lines == 0) return;
  // One item per line, logged as one entry.
  static_assert(kLineRoom / 2 <= UINT8_MAX + 1 && kLineRoom <= UINT16_MAX);
  begin_item(f, loc(Op::kPrint, 4));
  g_next[-1].more = static_cast<uint8_t>(lines - 1);
  g_next[-1].step = static_cast<uint16_t>(line_length);
  wrote(f, lines * line_length);
  f.column = 0;
  end_item();
}

namespace {
// An output file's pending bytes go out with every other file's, then its
// final 1A byte.
void close_one(size_t n) {
  if (!g_table[n]) return;
  // A refused write leaves the file open: the termination sequence still
  // gives it its final byte.
  if (g_table[n]->mode != Mode::kInput) flush_all();
  std::unique_ptr<File> f = std::move(g_table[n]);
  uint32_t err = 0;
  size_t written = 0;
  if (f->mode != Mode::kInput && !platform::write_at(f->os, f->position, "\x1A", 1, written, err)) {
    uint32_t ignored = 0;
    platform::close_file(f->os, ignored);
    raise_os_error(err, loc(Op::kFlush, 1));
  }
  if (!platform::close_file(f->os, err)) raise_os_error(err, loc(Op::kClose, 2));
}
}  // namespace

void close(std::initializer_list<int> numbers) {
  for (int n : numbers) check_number(n, Op::kClose);
  for (int n : numbers) close_one(static_cast<size_t>(n));
}

void close_all() {
  for (size_t n = 1; n < g_table.size(); ++n) close_one(n);
}

void write_out_for_fault() {
  File* order[256];
  const size_t n = writing_order(order);
  uint32_t err = 0;
  size_t written = 0;
  for (size_t k = 0; k < n; ++k)
    platform::write_at(order[k]->os, order[k]->write_start, order[k]->wbuf.get(), order[k]->wlen,
                       written, err);
  g_pending_count = 0;
  for (const std::unique_ptr<File>& entry : g_table) {
    File* f = entry.get();
    if (!f || f->mode == Mode::kInput) continue;
    f->wlen = 0;
    platform::write_at(f->os, f->position, "\x1A", 1, written, err);
  }
}

void close_all_quietly() {
  try {
    flush_all();
  } catch (...) {
  }
  for (size_t n = 1; n < g_table.size(); ++n) {
    try {
      close_one(n);
    } catch (...) {
    }
  }
}

}  // namespace rt::files
