#include "runtime/output_journal.h"

#include <algorithm>
#include <cstring>

#include "runtime/byte_words.h"
#include "runtime/errors.h"
#include "runtime/platform/os_errors.h"

namespace rt::files {

OutputJournal::OutputJournal(platform::FileSystem& fs, const FileSizes& sizes,
                             const StatementHook& hook)
    : fs_(fs),
      hook_(hook),
      buffer_(sizes.write_buffer),
      room_(sizes.write_room),
      log_items_(sizes.log_items),
      log_(new Item[sizes.log_items]),
      next_(log_.get()),
      flush_mark_(log_.get() + log_items_),
      record_(log_.get()) {}

void OutputJournal::refuse_spoilt(const OutputFile& f, uint16_t location) {
  raise_os_error(f.spoilt, location, hook_.line());
}

void OutputJournal::list(OutputFile& f) {
  f.listed = true;
  f.write_start = f.position;
  pending_[pending_count_++] = &f;
}

void OutputJournal::put(OutputFile& f, BytesView bytes) {
  // Short items (most of them) fit the room past the buffer's size: copied
  // without a library call.
  if (bytes.size() <= 16 && f.pending < buffer_) {
    words::copy_short(f.buffer.get() + f.pending, bytes.data(), bytes.size());
    wrote(f, bytes.size());
    return;
  }
  for (;;) {
    const size_t n = std::min(bytes.size(), room_ - f.pending);
    std::memcpy(f.buffer.get() + f.pending, bytes.data(), n);
    bytes.remove_prefix(n);
    wrote(f, n);
    if (bytes.empty()) return;
    // Only an item larger than the room is split: its part so far goes
    // out, and the rest continues the same item, from the same start, so
    // that a refusal of the rest cuts the whole item back.
    const Item item = next_[-1];
    flush();
    list(f);
    *next_++ = Item{item.offset, item.line, item.location, f.number};
  }
}

// The pending files in the order they are written: those the current record
// has not written to, in the order their bytes began; then the others in the
// order the record first wrote to them. No memory is taken (the fault path
// uses it too).
size_t OutputJournal::writing_order(OutputFile** order) const {
  bool in_record[256] = {};
  for (const Item* it = record_; it < next_; ++it) in_record[it->file] = true;
  size_t n = 0;
  for (size_t k = 0; k < pending_count_; ++k)
    if (!in_record[pending_[k]->number]) order[n++] = pending_[k];
  for (const Item* it = record_; it < next_; ++it) {
    if (!in_record[it->file]) continue;
    in_record[it->file] = false;
    for (size_t k = 0; k < pending_count_; ++k)
      if (pending_[k]->number == it->file) order[n++] = pending_[k];
  }
  return n;
}

// Where the bytes of `f` written before item `limit` end.
int64_t OutputJournal::end_before(const OutputFile& f, Place limit) const {
  for (size_t k = limit.entry; k < logged(); ++k) {
    const Item& it = log_[k];
    if (it.file != f.number) continue;
    const size_t more = k == limit.entry ? limit.more : 0;
    return it.offset + static_cast<int64_t>(more * it.step);
  }
  return f.write_start + static_cast<int64_t>(f.pending);
}

// The item of `f` that holds the byte at `offset`.
OutputJournal::Place OutputJournal::item_at(const OutputFile& f, int64_t offset) const {
  Place found{0, 0};
  for (size_t k = 0; k < logged(); ++k) {
    const Item& it = log_[k];
    if (it.file != f.number || it.offset > offset) continue;
    const size_t into = it.step ? static_cast<size_t>(offset - it.offset) / it.step : 0;
    found = {k, std::min<size_t>(into, it.more)};
  }
  return found;
}

// Cuts the first `upto` files of the writing order back to what they held
// before item `limit`. A file the system will not cut is spoilt.
void OutputJournal::cut_back(OutputFile** order, int64_t* on_disk, size_t upto, Place limit) {
  for (size_t j = 0; j < upto; ++j) {
    OutputFile& g = *order[j];
    const int64_t cut = end_before(g, limit);
    if (on_disk[j] <= cut || g.spoilt) continue;
    uint32_t err = 0;
    if (fs_.truncate(g.os, cut, err))
      on_disk[j] = cut;
    else
      g.spoilt = err ? err : platform::os_error::kGeneralFailure;
  }
}

void OutputJournal::forget_pending() {
  for (size_t k = 0; k < pending_count_; ++k) {
    pending_[k]->pending = 0;
    pending_[k]->listed = false;
  }
  pending_count_ = 0;
  next_ = record_ = log_.get();
  flush_mark_ = log_.get() + log_items_;
}

// When the system refuses bytes, the item it refused is the end: that file
// is cut back to the item's start, every other file to its last item before
// it, and the error is raised at the item's statement, as writes item by
// item would have stopped there.
void OutputJournal::flush() {
  if (pending_count_ == 0) {
    forget_pending();
    return;
  }
  OutputFile* order[256];
  int64_t on_disk[256];
  const size_t n = writing_order(order);
  Place limit{logged(), 0};
  uint32_t failure = 0;
  for (size_t k = 0; k < n; ++k) {
    OutputFile& f = *order[k];
    const int64_t end = end_before(f, limit);
    on_disk[k] = f.write_start;
    if (end <= f.write_start) continue;
    size_t written = 0;
    uint32_t err = 0;
    if (fs_.write_at(f.os, f.write_start, f.buffer.get(), static_cast<size_t>(end - f.write_start),
                     written, err)) {
      on_disk[k] = end;
      continue;
    }
    on_disk[k] = f.write_start + static_cast<int64_t>(written);
    failure = err;
    limit = item_at(f, on_disk[k]);
    cut_back(order, on_disk, k + 1, limit);
  }
  if (limit.entry == logged()) {
    forget_pending();
    return;
  }
  for (size_t k = 0; k < n; ++k) {
    OutputFile& f = *order[k];
    f.position = f.size = f.spoilt ? on_disk[k] : end_before(f, limit);
    f.column = 0;
  }
  const Item refused = log_[limit.entry];
  forget_pending();
  // The report names the statement of the refused item.
  raise_os_error(failure, refused.location, refused.line);
}

bool OutputJournal::write_final_byte(OutputFile& f, uint32_t& os_error) {
  if (f.spoilt) return true;
  size_t written = 0;
  return fs_.write_at(f.os, f.position, "\x1A", 1, written, os_error);
}

void OutputJournal::write_out_quietly() {
  OutputFile* order[256];
  const size_t n = writing_order(order);
  for (size_t k = 0; k < n; ++k) {
    OutputFile& f = *order[k];
    uint32_t err = 0;
    size_t written = 0;
    if (!f.spoilt && f.pending)
      fs_.write_at(f.os, f.write_start, f.buffer.get(), f.pending, written, err);
  }
  forget_pending();
}

}  // namespace rt::files
