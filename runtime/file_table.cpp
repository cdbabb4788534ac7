#include "runtime/file_table.h"

#include <new>

#include "runtime/errors.h"
#include "runtime/file_names.h"
#include "runtime/platform/os_errors.h"

namespace rt::files {
namespace {

bool missing(uint32_t os_error) {
  return os_error == platform::os_error::kFileNotFound ||
         os_error == platform::os_error::kPathNotFound;
}

void check_number(int n, Op op, uint16_t line) {
  if (n < 1 || n > 255) raise_error(kBadFileNumber, loc(op, 1), line);
}

}  // namespace

std::unique_ptr<char[]> FileTable::BufferPool::take() {
  if (free_.empty()) return std::unique_ptr<char[]>(new char[size_]);
  std::unique_ptr<char[]> b = std::move(free_.back());
  free_.pop_back();
  return b;
}

void FileTable::BufferPool::give(std::unique_ptr<char[]> buffer) {
  if (buffer && free_.size() < kKept) free_.push_back(std::move(buffer));
}

FileTable::FileTable(platform::FileSystem& fs, const FileSizes& sizes, const StatementHook& hook)
    : fs_(fs),
      sizes_(sizes),
      journal_(fs, sizes, hook),
      read_buffers_(sizes.read_block),
      write_buffers_(sizes.write_room) {}

std::unique_ptr<FileTable::File> FileTable::make_file(Mode mode, int n) {
  if (mode == Mode::kInput)
    return std::unique_ptr<File>(new File{
        mode, std::variant<InputFile, OutputFile>(std::in_place_type<InputFile>, fs_, journal_,
                                                  read_buffers_.take(), sizes_.read_block)});
  std::unique_ptr<File> f(new File{mode, OutputFile{}});
  OutputFile& out = std::get<OutputFile>(f->io);
  out.number = static_cast<uint8_t>(n);
  out.buffer = write_buffers_.take();
  return f;
}

void FileTable::release(File& f) {
  if (InputFile* in = std::get_if<InputFile>(&f.io))
    read_buffers_.give(in->take_buffer());
  else
    write_buffers_.give(std::move(std::get<OutputFile>(f.io).buffer));
}

void FileTable::open(BytesView name, Mode mode, int n, int access) {
  opening_output_ = mode != Mode::kInput;
  if (name.size() > platform::kMaxPath) raise_error(kBadFileName, loc(Op::kOpen, 1), line());
  check_number(n, Op::kOpen, line());
  if (table_[static_cast<size_t>(n)]) raise_error(kFileAlreadyOpen, loc(Op::kOpen, 2), line());
  if (access == 0) access = mode == Mode::kInput ? 3 : 1;
  if ((mode == Mode::kInput && access == 2) || (mode != Mode::kInput && access != 1))
    raise_error(kBadFileMode, loc(Op::kOpen, 3), line());
  // Printers and serial ports are not available on this system.
  if (is_device(name)) raise_error(kDeviceFault, loc(Op::kOpen, 6), line());
  const Bytes full = with_drive_letter(name);
  if (has_wildcard(full)) raise_error(kBadFileName, loc(Op::kOpen, 7), line());

  // The memory comes first: a failed allocation leaves no file created or
  // opened behind it.
  std::unique_ptr<File> f;
  try {
    f = make_file(mode, n);
  } catch (const std::bad_alloc&) {
    raise_error(kOutOfMemory, loc(Op::kOpen, 10), line());
  }
  const platform::OpenKind kind = mode == Mode::kInput    ? platform::OpenKind::kRead
                                  : mode == Mode::kOutput ? platform::OpenKind::kCreateNew
                                                          : platform::OpenKind::kAppend;
  platform::OsFile os;
  int64_t size = 0;
  uint32_t err = 0;
  if (mode == Mode::kInput) {
    last_read_ = 0;
    place_ = {full, 0};
  }
  if (!fs_.open(full, kind, os, err)) {
    release(*f);
    raise_os_error(err, loc(Op::kOpen, 8), line());
  }
  if (!fs_.size(os, size, err)) {
    uint32_t ignored = 0;
    fs_.close(os, ignored);
    release(*f);
    raise_os_error(err, loc(Op::kOpen, 9), line());
  }
  if (InputFile* in = std::get_if<InputFile>(&f->io)) {
    in->start(os, size, full);
  } else {
    OutputFile& out = std::get<OutputFile>(f->io);
    out.os = os;
    out.size = size;
    // APPEND goes on at the end, over a final 1A byte.
    char last = 0;
    const bool has_last =
        mode == Mode::kAppend && size > 0 && fs_.read_at(out.os, size - 1, &last, 1, err) == 1;
    if (mode == Mode::kAppend) out.position = out.size = has_last && last == 0x1A ? size - 1 : size;
    mark(full, mode == Mode::kOutput ? -1 : size, has_last ? static_cast<unsigned char>(last) : -1);
  }
  table_[static_cast<size_t>(n)] = std::move(f);
}

void FileTable::keep_place(size_t n, const File& f) {
  if (n != static_cast<size_t>(last_read_)) return;
  const InputFile& in = std::get<InputFile>(f.io);
  place_ = {Bytes(in.name()), in.records()};
  last_read_ = 0;
}

// An output file's pending bytes go out with every other file's, then its
// final 1A byte.
void FileTable::close_one(size_t n) {
  if (!table_[n]) return;
  // A refused write leaves the file open: the termination sequence still
  // gives it its final byte.
  if (table_[n]->mode != Mode::kInput) journal_.flush();
  const std::unique_ptr<File> f = std::move(table_[n]);
  OutputFile* out = std::get_if<OutputFile>(&f->io);
  keep_place(n, *f);
  uint32_t err = 0, close_err = 0;
  const bool ended = !out || journal_.write_final_byte(*out, err);
  const bool closed = fs_.close(out ? out->os : std::get<InputFile>(f->io).os(), close_err);
  release(*f);
  if (!ended) raise_os_error(err, loc(Op::kFlush, 1), line());
  if (!closed) raise_os_error(close_err, loc(Op::kClose, 2), line());
}

void FileTable::close(std::initializer_list<int> numbers) {
  for (int n : numbers) check_number(n, Op::kClose, line());
  for (int n : numbers) close_one(static_cast<size_t>(n));
}

void FileTable::close_all() {
  for (size_t n = 1; n < table_.size(); ++n) close_one(n);
}

void FileTable::close_all_quietly() {
  try {
    journal_.flush();
  } catch (...) {
  }
  for (size_t n = 1; n < table_.size(); ++n) {
    try {
      close_one(n);
    } catch (...) {
    }
  }
}

void FileTable::write_out_for_fault() {
  journal_.write_out_quietly();
  for (const std::unique_ptr<File>& entry : table_) {
    if (!entry) continue;
    if (OutputFile* out = std::get_if<OutputFile>(&entry->io)) {
      uint32_t err = 0;
      journal_.write_final_byte(*out, err);
    }
  }
}

void FileTable::begin_part() {
  in_part_ = true;
  marks_.clear();
  last_read_ = 0;
  place_ = {};
}

void FileTable::end_part() {
  in_part_ = false;
  marks_.clear();
}

void FileTable::mark(BytesView name, int64_t size, int last) {
  if (!in_part_) return;
  for (const OutputMark& m : marks_)
    if (m.name == name) return;
  marks_.push_back({Bytes(name), size, last});
}

void FileTable::abandon_all() {
  journal_.discard();
  for (size_t n = 1; n < table_.size(); ++n) {
    if (!table_[n]) continue;
    const std::unique_ptr<File> f = std::move(table_[n]);
    OutputFile* out = std::get_if<OutputFile>(&f->io);
    keep_place(n, *f);
    uint32_t ignored = 0;
    fs_.close(out ? out->os : std::get<InputFile>(f->io).os(), ignored);
    release(*f);
  }
}

void FileTable::restore_part() {
  const std::vector<OutputMark> marks = std::move(marks_);
  end_part();
  for (const OutputMark& mark : marks) {
    uint32_t err = 0;
    if (mark.size < 0) {
      if (!fs_.remove(mark.name, err) && !missing(err))
        raise_os_error(err, loc(Op::kRestore, 1), line());
      continue;
    }
    platform::OsFile os;
    if (!fs_.open(mark.name, platform::OpenKind::kAppend, os, err))
      raise_os_error(err, loc(Op::kRestore, 2), line());
    const char last = static_cast<char>(mark.last);
    size_t written = 0;
    const bool restored =
        fs_.truncate(os, mark.size, err) &&
        (mark.last < 0 || fs_.write_at(os, mark.size - 1, &last, 1, written, err));
    uint32_t ignored = 0;
    fs_.close(os, ignored);
    if (!restored) raise_os_error(err, loc(Op::kRestore, 3), line());
  }
}

InputPlace FileTable::input_place() const {
  if (last_read_) {
    const InputFile& in = std::get<InputFile>(table_[static_cast<size_t>(last_read_)]->io);
    return {Bytes(in.name()), in.records()};
  }
  return place_;
}

}  // namespace rt::files
