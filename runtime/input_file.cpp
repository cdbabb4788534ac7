#include "runtime/input_file.h"

#include <algorithm>

#include "runtime/byte_words.h"
#include "runtime/errors.h"

namespace rt::files {
namespace {
constexpr size_t kMaxLine = 32767;
}  // namespace

// Makes sure the block holds the byte at `offset`; false at the end.
bool InputFile::fill(int64_t offset) {
  if (offset >= block_start_ && offset < block_start_ + static_cast<int64_t>(block_len_))
    return true;
  if (offset >= size_) return false;
  journal_->flush();
  uint32_t err = 0;
  const size_t want =
      static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(block_), size_ - offset));
  const int64_t got = fs_->read_at(os_, offset, buffer_.get(), want, err);
  if (got < 0) raise_os_error(err, loc(Op::kLineInput, 3), journal_->hook().line());
  block_start_ = offset;
  block_len_ = static_cast<size_t>(got);
  // The file is shorter than it was at OPEN: it ends here.
  if (got == 0) size_ = offset;
  return got > 0;
}

int InputFile::byte_at(int64_t offset) {
  if (!fill(offset)) return -1;
  return static_cast<unsigned char>(buffer_[static_cast<size_t>(offset - block_start_)]);
}

BytesView InputFile::line() {
  ++records_;
  if (position_ >= size_)
    raise_error(kInputPastEnd, loc(Op::kLineInput, 5), journal_->hook().line());
  const int64_t pos = position_;
  // Most lines end in CR within the block that holds them: they are seen
  // where they lie.
  if (fill(pos)) {
    const char* buf = buffer_.get() + (pos - block_start_);
    const size_t avail = block_len_ - static_cast<size_t>(pos - block_start_);
    const size_t k = words::line_stop(buf, avail);
    if (k + 1 < avail && buf[k] == '\r' && k <= kMaxLine) {
      position_ = pos + static_cast<int64_t>(k) + (buf[k + 1] == '\n' ? 2 : 1);
      journal_->start_record();
      return BytesView(buf, k);
    }
  }
  const BytesView line = assemble(pos);
  journal_->start_record();
  return line;
}

// A line put together across blocks, without its NUL bytes.
BytesView InputFile::assemble(int64_t pos) {
  line_.clear();
  for (;;) {
    if (!fill(pos)) break;  // end of file ends the line
    const char* buf = buffer_.get() + (pos - block_start_);
    const size_t avail = block_len_ - static_cast<size_t>(pos - block_start_);
    // Copy the run of ordinary bytes up to a CR, 00 or 1A.
    const size_t k = words::line_stop(buf, avail);
    if (k > 0) {
      if (line_.size() + k > kMaxLine)
        raise_error(kStringTooLong, loc(Op::kLineInput, 6), journal_->hook().line());
      line_.append(buf, k);
      pos += static_cast<int64_t>(k);
      if (k == avail) continue;
    }
    const char c = buf[k];
    if (c == '\r') {
      ++pos;
      if (byte_at(pos) == '\n') ++pos;
      break;
    }
    if (c == 0) {
      ++pos;
      continue;
    }
    // 1A: the end only when it is the file's last byte.
    if (pos == size_ - 1) {
      ++pos;
      break;
    }
    if (line_.size() + 1 > kMaxLine)
      raise_error(kStringTooLong, loc(Op::kLineInput, 6), journal_->hook().line());
    line_.push_back(c);
    ++pos;
  }
  position_ = pos;
  return line_;
}

bool InputFile::at_end() {
  if (position_ >= size_) return true;
  if (position_ < size_ - 1) return false;
  // The last byte: 1A, or gone (the file turned out shorter).
  return byte_at(position_) == 0x1A || position_ >= size_;
}

}  // namespace rt::files
