#include "runtime/console.h"

#include <deque>
#include <new>

#include "runtime/base/cp932.h"
#include "runtime/base/requests.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/platform/console_device.h"
#include "runtime/program_state.h"
#include "runtime/texts.h"

namespace rt {

class Console::Target {
 public:
  explicit Target(ConsoleModel& model) : model_(model) {}
  int column() const { return model_.column(); }
  int width() const { return ConsoleModel::kColumns; }
  bool expands_tabs() const { return true; }
  void emit(BytesView bytes) { model_.write(bytes); }
  void end_line() { emit("\r\n"); }

 private:
  ConsoleModel& model_;
};

namespace {

using console::Closed;
using console::PromptSep;

size_t previous_start(const Bytes& s, size_t cur) {
  size_t prev = 0;
  for (const Character c : characters(s)) {
    if (c.at >= cur) break;
    prev = c.at;
  }
  return prev;
}

// Screen position after the first `upto` bytes of an entry drawn from
// `start`, keeping double-byte characters whole on a row.
int layout_end(int start, const Bytes& s, size_t upto) {
  int pos = start;
  for (const Character c : characters(s)) {
    if (c.at >= upto) break;
    if (c.bytes.size() == 2 && pos % ConsoleModel::kColumns == ConsoleModel::kColumns - 1) ++pos;
    pos += static_cast<int>(c.bytes.size());
  }
  return pos;
}

// The prompt buffer's room: a longer prompt is cut.
constexpr size_t kPromptCapacity = 255;

}  // namespace

Console::Console(const StatementHook& hook) : hook_(hook) {}
Console::~Console() = default;

void Console::present() {
  if (device_) device_->present(model_);
}

void Console::beep() {
  if (device_) device_->beep();
}

// The next key from the keyboard ring; while it is empty, every buffered
// output byte goes to the files and the device waits for input.
uint8_t Console::next_key() {
  while (model_.keys().empty()) {
    files::flush_all();
    present();
    if (!device_ || !device_->wait(model_.keys())) throw Closed{};
  }
  return model_.keys().pop();
}

// The next key of the entry: the answer typed ahead first, then the device's.
uint8_t Console::entry_key() {
  if (typed_ < typing_.size()) return static_cast<uint8_t>(typing_[typed_++]);
  return next_key();
}

int Console::linear() const {
  return model_.row() * ConsoleModel::kColumns + model_.column();
}

void Console::move_linear(int pos) {
  model_.move_to(pos / ConsoleModel::kColumns, pos % ConsoleModel::kColumns);
}

void Console::show_prompt(BytesView prompt, bool question) {
  Bytes shown(prompt.substr(0, kPromptCapacity));
  if (question) shown += "? ";
  if (!shown.empty()) write(shown);
}

void Console::attach(std::unique_ptr<ConsoleDevice> device) {
  device_ = std::move(device);
  model_.set_view(device_.get());
}

void Console::detach() {
  if (device_) device_->shutdown(model_);
  model_.set_view(nullptr);
  device_.reset();
}

void Console::print(BytesView text, Sep sep) {
  Target target(model_);
  try {
    print_item(target, text, sep);
  } catch (const std::bad_alloc&) {
    raise_error(kNoPrintMemory, loc(Op::kConsole, 2), hook_.line());
  }
  present();
}

void Console::print_integer(int32_t value, Sep sep) {
  print(IntegerText(value), sep);
}

void Console::write(BytesView bytes) {
  model_.write(bytes);
  present();
}

// The line editor: reads one entry at the cursor.
Bytes Console::edit_line() {
  int start = linear();
  const int screen_end = ConsoleModel::kRows * ConsoleModel::kColumns;
  // The entry holds no more than the cells from the cursor to the end of
  // the screen (the scroll region). Filling the last cell scrolls the
  // screen; the entry then starts one row higher.
  const int capacity = screen_end - start;
  Bytes entry;
  size_t cur = 0;
  bool insert = true;
  if (!answers_.empty()) {
    typing_ = std::move(answers_.front()) + '\r';
    typed_ = 0;
    answers_.pop_front();
  }
  int drawn_end = start;

  auto redraw = [&] {
    move_linear(start);
    const uint64_t scrolls = model_.scrolls();
    model_.write(entry);
    const int moved = static_cast<int>(model_.scrolls() - scrolls) * ConsoleModel::kColumns;
    start -= moved;
    drawn_end -= moved;
    int end = linear();
    if (end < drawn_end) model_.blank(end, drawn_end);
    drawn_end = end;
    move_linear(layout_end(start, entry, cur));
  };
  auto finish = [&] {
    move_linear(layout_end(start, entry, entry.size()));
    write("\r\n");
  };

  for (;;) {
    uint8_t key = entry_key();
    switch (key) {
      case keycode::kEnter:
        finish();
        model_.keys().clear();
        return entry;
      case keycode::kBackspace:
        if (cur > 0) {
          size_t p = previous_start(entry, cur);
          entry.erase(p, cur - p);
          cur = p;
          redraw();
        }
        continue;
      case keycode::kDelete:
        if (cur < entry.size()) {
          entry.erase(cur, char_length(entry, cur));
          redraw();
        }
        continue;
      case keycode::kRight:
        if (cur < entry.size()) cur += char_length(entry, cur);
        move_linear(layout_end(start, entry, cur));
        continue;
      case keycode::kLeft:
        if (cur > 0) cur = previous_start(entry, cur);
        move_linear(layout_end(start, entry, cur));
        continue;
      case keycode::kBreak:
        if (hook_.break_enabled()) {
          requests::clear_break();
          raise_error(kBreak, loc(Op::kInput, 1), hook_.line());
        }
        continue;
      case keycode::kBreakEntry:
        if (hook_.break_enabled()) {
          finish();
          requests::clear_break();
          raise_error(kBreak, loc(Op::kInput, 2), hook_.line());
        }
        finish();
        model_.keys().clear();
        return entry;
      case keycode::kHome:
        cur = 0;
        move_linear(start);
        continue;
      case keycode::kEnd:
        cur = entry.size();
        move_linear(layout_end(start, entry, cur));
        continue;
      case keycode::kEraseToEnd:
        entry.erase(cur);
        redraw();
        continue;
      case keycode::kClear:
        entry.clear();
        cur = 0;
        redraw();
        continue;
      case keycode::kInsert:
        insert = !insert;
        continue;
      default:
        break;
    }
    if (key < 32) continue;
    Bytes ch(1, static_cast<char>(key));
    if (is_lead_byte(key)) ch.push_back(static_cast<char>(entry_key()));
    Bytes next = entry;
    if (insert || cur >= entry.size())
      next.insert(cur, ch);
    else
      next.replace(cur, char_length(entry, cur), ch);
    if (next.size() > console::kAnswerCapacity ||
        layout_end(start, next, next.size()) - start > capacity) {
      beep();
      continue;
    }
    entry = std::move(next);
    cur += ch.size();
    redraw();
  }
}

Bytes Console::line_input(BytesView prompt) {
  show_prompt(prompt, false);
  return edit_line();
}

std::vector<InputValue> Console::input(BytesView prompt, PromptSep sep,
                                       const std::vector<InputKind>& kinds) {
  static const Bytes kRetry = sjis("もう一度入力してください") + "\r\n";
  std::vector<InputValue> values;
  for (;;) {
    show_prompt(prompt, sep != PromptSep::kComma);
    Bytes line = edit_line();
    if (split_input(line, kinds, values)) return values;
    write(kRetry);
  }
}

Bytes Console::input_string(BytesView prompt, PromptSep sep) {
  return std::move(input(prompt, sep, {InputKind::kString})[0].text);
}

void Console::closing_input(BytesView prompt, PromptSep sep) {
  try {
    input_string(prompt, sep);
  } catch (const Closed&) {
    if (device_ && device_->input_ended()) end_program(kExitNormal);
    throw;
  }
}

void Console::type_ahead(std::vector<Bytes> answers) {
  for (Bytes& a : answers) answers_.push_back(std::move(a));
}

void Console::wait_key(BytesView closing) {
  write(closing);
  model_.keys().clear();
  next_key();
  model_.keys().clear();
  write("\r\n");
}

bool Console::pump() {
  if (!device_) return false;
  // Output presents itself as it is printed; a turn only takes input.
  if (!device_->poll(model_.keys())) throw Closed{};
  return device_->takes_turns();
}

namespace console {

namespace {
// Made before the program starts, so that the fault report reaches its
// device without a first-use check.
Console g_program_console(program_hook());
}  // namespace

Console& program_console() {
  return g_program_console;
}

void attach(std::unique_ptr<ConsoleDevice> device) {
  program_console().attach(std::move(device));
}
void detach() {
  program_console().detach();
}
ConsoleModel& model() {
  return program_console().model();
}
ConsoleDevice* device() {
  return program_console().device();
}
void print(BytesView text, Sep sep) {
  program_console().print(text, sep);
}
void print_integer(int32_t value, Sep sep) {
  program_console().print_integer(value, sep);
}
void write(BytesView bytes) {
  program_console().write(bytes);
}
Bytes line_input(BytesView prompt) {
  return program_console().line_input(prompt);
}
std::vector<InputValue> input(BytesView prompt, PromptSep sep,
                              const std::vector<InputKind>& kinds) {
  return program_console().input(prompt, sep, kinds);
}
Bytes input_string(BytesView prompt, PromptSep sep) {
  return program_console().input_string(prompt, sep);
}
void closing_input(BytesView prompt, PromptSep sep) {
  program_console().closing_input(prompt, sep);
}
void type_ahead(std::vector<Bytes> answers) {
  program_console().type_ahead(std::move(answers));
}
void wait_key(BytesView closing) {
  program_console().wait_key(closing);
}
bool pump() {
  return program_console().pump();
}

}  // namespace console
}  // namespace rt
