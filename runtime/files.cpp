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

namespace rt::files {
namespace {

constexpr size_t kReadBuffer = 256 * 1024;
constexpr size_t kWriteBuffer = 256 * 1024;         // flushed once it holds this much
constexpr size_t kWriteRoom = kWriteBuffer + 1024;  // room for a formatted number past it
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
  platform::OsFile os;
  int64_t size = 0;
  int64_t position = 0;
  int column = 0;
  // Read buffer: bytes of the file from read_start.
  std::unique_ptr<char[]> rbuf;
  int64_t read_start = 0;
  size_t read_len = 0;
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

void flush(File& f) {
  if (f.wlen == 0) return;
  uint32_t err = 0;
  bool ok = platform::write_at(f.os, f.write_start, f.wbuf.get(), f.wlen, err);
  f.write_start += static_cast<int64_t>(f.wlen);
  f.wlen = 0;
  if (!ok) raise_os_error(err, loc(Op::kFlush, 1));
}

// Counts bytes just placed at the end of the write buffer; flushes a full
// buffer.
void wrote(File& f, size_t n) {
  f.wlen += n;
  f.position += static_cast<int64_t>(n);
  f.size = std::max(f.size, f.position);
  if (f.wlen >= kWriteBuffer) flush(f);
}

inline void write_bytes(File& f, BytesView bytes) {
  // Short items (most of them) fit the room past the flush mark: copied
  // without a library call.
  if (bytes.size() <= 16 && f.wlen < kWriteBuffer) {
    if (f.wlen == 0) f.write_start = f.position;
    words::copy_short(f.wbuf.get() + f.wlen, bytes.data(), bytes.size());
    wrote(f, bytes.size());
    return;
  }
  while (!bytes.empty()) {
    if (f.wlen == 0) f.write_start = f.position;
    size_t n = std::min(bytes.size(), kWriteRoom - f.wlen);
    std::memcpy(f.wbuf.get() + f.wlen, bytes.data(), n);
    bytes.remove_prefix(n);
    wrote(f, n);
  }
}

// An item with the line end. A file has no width and keeps TABs, so the
// column starts again whatever the item held. Lines of a vertex's length
// take one copy.
void write_line(File& f, BytesView text) {
  constexpr size_t kShortLine = 32;
  if (text.size() <= kShortLine && f.wlen < kWriteBuffer) {
    if (f.wlen == 0) f.write_start = f.position;
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

void line_input(int n, Bytes& line) {
  File& f = open_file(n, Op::kLineInput);
  if (f.mode != Mode::kInput) raise_error(kBadFileMode, loc(Op::kLineInput, 4));
  if (f.position >= f.size) raise_error(kInputPastEnd, loc(Op::kLineInput, 5));
  line.clear();
  int64_t pos = f.position;
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
  if (sep == Sep::kNone) {
    write_line(f, text);
    return;
  }
  print_item(f.target, text, sep);
}

void print_integer(int n, int32_t value, Sep sep) {
  print(n, integer_text(value), sep);
}

namespace {
// The file of a PRINT # USING, ready for bytes at the end of its buffer.
File& using_file(int n) {
  File& f = open_file(n, Op::kUsing);
  if (f.mode == Mode::kInput) raise_error(kBadFileMode, loc(Op::kUsing, 3));
  if (f.wlen == 0) f.write_start = f.position;
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
}

char* line_room(int n) {
  static_assert(kWriteRoom - kWriteBuffer >= kLineRoom);
  File& f = open_file(n, Op::kPrint);
  if (f.mode == Mode::kInput) raise_error(kBadFileMode, loc(Op::kPrint, 3));
  if (f.wlen == 0) f.write_start = f.position;
  return f.wbuf.get() + f.wlen;
}

char* commit_lines(int n, size_t length) {
  File& f = open_file(n, Op::kPrint);
  wrote(f, length);
  f.column = 0;
  if (f.wlen == 0) f.write_start = f.position;
  return f.wbuf.get() + f.wlen;
}

namespace {
void close_one(size_t n) {
  std::unique_ptr<File> f = std::move(g_table[n]);
  if (!f) return;
  uint32_t err = 0;
  try {
    if (f->mode != Mode::kInput) write_bytes(*f, "\x1A");
    flush(*f);
  } catch (...) {
    platform::close_file(f->os, err);
    throw;
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

void flush_all() {
  for (auto& f : g_table)
    if (f) flush(*f);
}

void write_out_for_fault() {
  for (const std::unique_ptr<File>& entry : g_table) {
    File* f = entry.get();
    if (!f || f->mode == Mode::kInput) continue;
    uint32_t err = 0;
    if (f->wlen > 0) platform::write_at(f->os, f->write_start, f->wbuf.get(), f->wlen, err);
    f->wlen = 0;
    platform::write_at(f->os, f->position, "\x1A", 1, err);
  }
}

void close_all_quietly() {
  for (size_t n = 1; n < g_table.size(); ++n) {
    try {
      close_one(n);
    } catch (...) {
    }
  }
}

}  // namespace rt::files
