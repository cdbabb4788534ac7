#include "runtime/line_device.h"

#include <string>

#include "runtime/platform/codepage.h"
#include "runtime/base/requests.h"
#include "runtime/platform/std_streams.h"

namespace rt {

namespace {

using platform::cp932_to_utf8_display;
using platform::utf8_to_cp932;

// Whether the bytes are well-formed UTF-8.
bool is_utf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80           ? 1
                     : (c >> 5) == 0x6  ? 2
                     : (c >> 4) == 0xE  ? 3
                     : (c >> 3) == 0x1E ? 4
                                        : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

class LineDevice final : public ConsoleDevice {
 public:
  explicit LineDevice(const ConsoleModel& model) : model_(model) {}
  void cells_changed(int, int, int) override {}
  // The stream stands on the model row `frontier_`: rows above it are out
  // already. Leaving a row above it is a redraw (the line editor redraws an
  // entry that spans rows) and adds nothing.
  void row_left(int row) override {
    if (row != frontier_) return;
    emit(row);
    out_ += '\n';
    emitted_ = 0;
    open_row_ = false;
    ++frontier_;
    flush();
  }
  void scrolled() override {
    if (frontier_ > 0) --frontier_;
  }

  void present(const ConsoleModel&) override {
    emit(frontier_);
    flush();
  }

  // Standard input is read only inside wait(), which also is where the
  // device closes: between waits there is nothing to take.
  bool poll(KeyRing&) override { return !closed_; }
  bool takes_turns() const override { return false; }
  bool input_ended() const override { return ended_; }

  bool wait(KeyRing& keys) override {
    while (keys.empty()) {
      if (pending_.empty() && !read_line()) {
        if (interrupted_) {
          interrupted_ = false;
          keys.push(keycode::kBreak);
          return true;
        }
        return false;
      }
      size_t k = 0;
      while (k < pending_.size() && keys.push(static_cast<uint8_t>(pending_[k]))) ++k;
      pending_.erase(0, k);
    }
    return true;
  }

  void beep() override {}

  void shutdown(const ConsoleModel&) override {
    emit(frontier_);
    if (open_row_) out_ += '\n';
    flush();
  }

  void emergency_write(const char* utf8, size_t n) override { platform::write_output(utf8, n); }
  void emergency_restore() override {}

 private:
  void emit(int row) {
    const ConsoleModel& m = model_;
    if (row >= ConsoleModel::kRows) return;
    int end = m.extent(row);
    if (end <= emitted_) return;
    std::string bytes;
    for (int c = emitted_; c < end; ++c) bytes.push_back(static_cast<char>(m.cell(row, c).ch));
    out_ += cp932_to_utf8_display(bytes);
    emitted_ = end;
    open_row_ = true;
  }
  void flush() {
    platform::write_output(out_.data(), out_.size());
    out_.clear();
  }
  // Reads one line of standard input into pending_ as CP932 keys ending in
  // Enter; false at the end of input or on an interrupt.
  bool read_line() {
    std::string line;
    for (;;) {
      size_t nl = buffer_.find('\n');
      if (nl != std::string::npos) {
        line = buffer_.substr(0, nl);
        buffer_.erase(0, nl + 1);
        break;
      }
      if (eof_) {
        if (buffer_.empty()) {
          closed_ = true;
          ended_ = true;
          return false;
        }
        line.swap(buffer_);
        break;
      }
      char chunk[4096];
      int64_t r = platform::read_input(chunk, sizeof chunk);
      if (r < 0) {
        interrupted_ = requests::break_pending != 0;
        if (!interrupted_) closed_ = true;
        return false;
      }
      if (r == 0) eof_ = true;
      buffer_.append(chunk, static_cast<size_t>(r));
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pending_ = typed_text(line);
    pending_.push_back('\r');
    return true;
  }

  const ConsoleModel& model_;
  std::string out_;
  std::string buffer_;
  std::string pending_;
  int emitted_ = 0;
  int frontier_ = 0;
  bool open_row_ = false;
  bool eof_ = false;
  bool closed_ = false;
  bool ended_ = false;
  bool interrupted_ = false;
};

}  // namespace

std::unique_ptr<ConsoleDevice> make_line_device(const ConsoleModel& model) {
  return std::make_unique<LineDevice>(model);
}

std::string typed_text(const std::string& line) {
  return is_utf8(line) ? utf8_to_cp932(line) : line;
}

}  // namespace rt
