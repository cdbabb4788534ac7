// The terminal device: the console's 80 x 24 cells drawn at the top of the
// terminal as UTF-8, row by row exactly as the model lays them out; keys
// read in raw mode, escape sequences turned into the console's key codes,
// typed UTF-8 into CP932. The terminal's modes are restored on exit.
#include <errno.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <bitset>
#include <cstdint>
#include <string>

#include "runtime/base/requests.h"
#include "runtime/platform/codepage.h"
#include "runtime/platform/console_devices.h"
#include "runtime/platform/std_streams.h"

namespace rt::platform {
namespace {

termios g_saved;
bool g_raw = false;

void write_all(const std::string& s) {
  write_output(s.data(), s.size());
}

// The 16-entry palette as ANSI colours.
int ansi_colour(uint8_t index, bool background) {
  static const int kMap[8] = {0, 4, 2, 6, 1, 5, 3, 7};  // BASIC order: blue before red
  int base = index >= 8 ? (background ? 100 : 90) : (background ? 40 : 30);
  return base + kMap[index & 7];
}

class TerminalDevice final : public ConsoleDevice {
 public:
  explicit TerminalDevice(BytesView title) {
    if (tcgetattr(0, &g_saved) == 0) {
      termios raw = g_saved;
      raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
      raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR | IGNCR);
      raw.c_cc[VMIN] = 1;
      raw.c_cc[VTIME] = 0;
      g_raw = tcsetattr(0, TCSAFLUSH, &raw) == 0;
    }
    write_all("\x1b]0;" + cp932_to_utf8_display(title) + "\x07\x1b[H\x1b[2J");
    dirty_.set();
  }

  void cells_changed(int row, int, int) override { dirty_.set(static_cast<size_t>(row)); }
  void row_left(int) override {}
  void scrolled() override { dirty_.set(); }

  void present(const ConsoleModel& m) override {
    std::string out;
    for (int r = 0; r < ConsoleModel::kRows; ++r) {
      if (!dirty_.test(static_cast<size_t>(r))) continue;
      out += "\x1b[" + std::to_string(r + 1) + ";1H";
      int last = ConsoleModel::kColumns;
      while (last > 0 && m.cell(r, last - 1).ch == ' ' && m.cell(r, last - 1).bg == 0) --last;
      int fg = -1, bg = -1;
      std::string run;
      auto flush_run = [&] {
        out += cp932_to_utf8_display(run);
        run.clear();
      };
      for (int c = 0; c < last; ++c) {
        const Cell& cell = m.cell(r, c);
        if (cell.fg != fg || cell.bg != bg) {
          flush_run();
          fg = cell.fg;
          bg = cell.bg;
          out += "\x1b[" + std::to_string(ansi_colour(cell.fg, false)) + ";" +
                 std::to_string(ansi_colour(cell.bg, true)) + "m";
        }
        run.push_back(static_cast<char>(cell.ch));
      }
      flush_run();
      out += "\x1b[0m\x1b[K";
    }
    dirty_.reset();
    out += "\x1b[" + std::to_string(m.row() + 1) + ";" + std::to_string(m.column() + 1) + "H";
    if (out != last_frame_) write_all(out);
    last_frame_ = out;
  }

  // A turn comes every eleven statements, far more often than anyone
  // types: the terminal is asked for input at most once every few
  // milliseconds, timed by the coarse clock (read without a system call).
  // Ctrl+C and a hang-up arrive as signals and need no turn.
  bool poll(KeyRing& keys) override {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    const int64_t ms = int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
    if (ms - last_poll_ms_ < kPollMilliseconds) return !closed_;
    last_poll_ms_ = ms;
    for (;;) {
      pollfd p{0, POLLIN, 0};
      int r = ::poll(&p, 1, 0);
      if (r <= 0) break;
      if (!read_some()) return false;
    }
    decode(keys, kAllKeys);
    return !closed_;
  }

  // Keys are handed over one at a time, as the editor asks for them: what
  // was read beyond the next key waits in the terminal's own queue, so a
  // pasted Enter empties the ring without taking the keys behind it.
  bool wait(KeyRing& keys) override {
    decode(keys, kOneKey);
    while (keys.empty()) {
      pollfd p{0, POLLIN, 0};
      int r = ::poll(&p, 1, -1);
      if (r < 0 && errno == EINTR) {
        if (requests::break_pending) {
          keys.push(keycode::kBreak);
          return true;
        }
        if (requests::attention) return false;
        continue;
      }
      if (!read_some()) return false;
      decode(keys, kOneKey);
    }
    return true;
  }

  void beep() override { write_all("\x07"); }

  void shutdown(const ConsoleModel& m) override {
    int row = m.column() > 0 ? m.row() + 2 : m.row() + 1;
    write_all("\x1b[0m\x1b[" + std::to_string(row) + ";1H");
    emergency_restore();
  }

  void emergency_write(const char* utf8, size_t n) override {
    while (n > 0) {
      ssize_t w = ::write(1, utf8, n);
      if (w <= 0) return;
      utf8 += w;
      n -= static_cast<size_t>(w);
    }
  }

  void emergency_restore() override {
    if (g_raw) tcsetattr(0, TCSAFLUSH, &g_saved);
  }

 private:
  // Appends what the terminal has to the queue; false at its end.
  bool read_some() {
    char buf[256];
    ssize_t r = ::read(0, buf, sizeof buf);
    if (r < 0 && errno == EINTR) return true;
    if (r <= 0) {
      closed_ = true;
      return false;
    }
    input_.append(buf, static_cast<size_t>(r));
    return true;
  }

  void key(KeyRing& keys, uint8_t code) {
    if (!keys.push(code)) beep();
    if (code == keycode::kBreak) requests::request_break();
  }

  // Turns queued bytes into key codes: every complete key, or only the
  // first when the ring is empty; an incomplete sequence stays queued.
  enum Amount { kOneKey, kAllKeys };
  void decode(KeyRing& keys, Amount amount) {
    size_t i = 0;
    while (i < input_.size() && (amount == kAllKeys || keys.empty())) {
      unsigned char c = static_cast<unsigned char>(input_[i]);
      if (c == 0x1b) {
        size_t used = escape(keys, i);
        if (used == 0) break;
        i += used;
      } else if (c == 0x7f || c == 0x08) {
        key(keys, keycode::kBackspace), ++i;
      } else if (c == '\r' || c == '\n') {
        key(keys, keycode::kEnter), ++i;
      } else if (c < 0x80) {
        key(keys, c), ++i;
      } else {
        size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (i + n > input_.size()) break;
        std::string sj = utf8_to_cp932(input_.substr(i, n));
        for (char b : sj) key(keys, static_cast<uint8_t>(b));
        i += n;
      }
    }
    input_.erase(0, i);
    // A lone ESC with nothing behind it is the Escape key: ignored.
    if (input_ == "\x1b") input_.clear();
  }

  // Parses the escape sequence at i; returns its length, or 0 when incomplete.
  size_t escape(KeyRing& keys, size_t i) {
    if (i + 1 >= input_.size()) return 0;
    char kind = input_[i + 1];
    if (kind != '[' && kind != 'O') return 1;
    size_t k = i + 2;
    while (k < input_.size() && (input_[k] < 0x40 || input_[k] > 0x7e)) ++k;
    if (k >= input_.size()) return 0;
    std::string params = input_.substr(i + 2, k - i - 2);
    int code = 0;
    switch (input_[k]) {
      case 'A':
        code = keycode::kUp;
        break;
      case 'B':
        code = keycode::kDown;
        break;
      case 'C':
        code = keycode::kRight;
        break;
      case 'D':
        code = keycode::kLeft;
        break;
      case 'H':
        code = params == "1;2" ? keycode::kClear : keycode::kHome;
        break;
      case 'F':
        code = keycode::kEnd;
        break;
      case 'E':
        code = keycode::kClear;
        break;
      case '~': {
        int n = std::atoi(params.c_str());
        code = n == 1 || n == 7   ? keycode::kHome
               : n == 4 || n == 8 ? keycode::kEnd
               : n == 2           ? keycode::kInsert
               : n == 3           ? keycode::kDelete
               : n == 5           ? keycode::kPageUp
               : n == 6           ? keycode::kPageDown
                                  : 0;
        break;
      }
      default:
        break;
    }
    if (code) key(keys, static_cast<uint8_t>(code));
    return k - i + 1;
  }

  std::bitset<ConsoleModel::kRows> dirty_;
  std::string input_;
  // The last output of present(), its dirty rows and the cursor move: an
  // unchanged frame is not written again.
  std::string last_frame_;
  bool closed_ = false;
  static constexpr int64_t kPollMilliseconds = 5;
  int64_t last_poll_ms_ = INT64_MIN / 2;
};

}  // namespace

std::unique_ptr<ConsoleDevice> make_console_device(BytesView title, const ConsoleModel&) {
  return std::make_unique<TerminalDevice>(title);
}

bool console_device_draws_on_output() {
  return true;
}

}  // namespace rt::platform
