#include "runtime/console.h"

#include <deque>
#include <new>

#include "runtime/base/cp932.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/platform/console_device.h"
#include "runtime/base/requests.h"
#include "runtime/program_state.h"
#include "runtime/texts.h"

namespace rt::console {
namespace {

ConsoleModel g_model;
std::unique_ptr<ConsoleDevice> g_device;
// Answers typed ahead, and the keys of the one being typed (it ends in Enter).
std::deque<Bytes> g_answers;
Bytes g_typing;
size_t g_typed = 0;

class ConsoleTarget {
 public:
  int column() const { return g_model.column(); }
  int width() const { return ConsoleModel::kColumns; }
  bool expands_tabs() const { return true; }
  void emit(BytesView bytes) { g_model.write(bytes); }
  void end_line() { emit("\r\n"); }
};

void present() {
  if (g_device) g_device->present(g_model);
}

void beep() {
  if (g_device) g_device->beep();
}

// The next key from the keyboard ring; while it is empty, every buffered
// output byte goes to the files and the device waits for input.
uint8_t next_key() {
  while (g_model.keys().empty()) {
    files::flush_all();
    present();
    if (!g_device || !g_device->wait(g_model.keys())) throw Closed{};
  }
  return g_model.keys().pop();
}

// The next key of the entry: the answer typed ahead first, then the device's.
uint8_t entry_key() {
  if (g_typed < g_typing.size()) return static_cast<uint8_t>(g_typing[g_typed++]);
  return next_key();
}

int linear() {
  return g_model.row() * ConsoleModel::kColumns + g_model.column();
}

void move_linear(int pos) {
  g_model.move_to(pos / ConsoleModel::kColumns, pos % ConsoleModel::kColumns);
}

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

void show_prompt(BytesView prompt, bool question) {
  Bytes shown(prompt.substr(0, kPromptCapacity));
  if (question) shown += "? ";
  if (!shown.empty()) write(shown);
}

}  // namespace

void attach(std::unique_ptr<ConsoleDevice> device) {
  g_device = std::move(device);
  g_model.set_view(g_device.get());
}

void detach() {
  if (g_device) g_device->shutdown(g_model);
  g_model.set_view(nullptr);
  g_device.reset();
}

ConsoleModel& model() {
  return g_model;
}
ConsoleDevice* device() {
  return g_device.get();
}

void print(BytesView text, Sep sep) {
  ConsoleTarget target;
  try {
    print_item(target, text, sep);
  } catch (const std::bad_alloc&) {
    raise_error(kNoPrintMemory, loc(Op::kConsole, 2));
  }
  present();
}

void print_integer(int32_t value, Sep sep) {
  print(IntegerText(value), sep);
}

void write(BytesView bytes) {
  g_model.write(bytes);
  present();
}

namespace {

// The line editor: reads one entry at the cursor.
Bytes edit_line() {
  int start = linear();
  const int screen_end = ConsoleModel::kRows * ConsoleModel::kColumns;
  // The entry holds no more than the cells from the cursor to the end of
  // the screen (the scroll region). Filling the last cell scrolls the
  // screen; the entry then starts one row higher.
  const int capacity = screen_end - start;
  Bytes entry;
  size_t cur = 0;
  bool insert = true;
  if (!g_answers.empty()) {
    g_typing = std::move(g_answers.front()) + '\r';
    g_typed = 0;
    g_answers.pop_front();
  }
  int drawn_end = start;

  auto redraw = [&] {
    move_linear(start);
    const uint64_t scrolls = g_model.scrolls();
    g_model.write(entry);
    const int moved = static_cast<int>(g_model.scrolls() - scrolls) * ConsoleModel::kColumns;
    start -= moved;
    drawn_end -= moved;
    int end = linear();
    if (end < drawn_end) g_model.blank(end, drawn_end);
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
        g_model.keys().clear();
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
        if (break_enabled()) {
          requests::clear_break();
          raise_error(kBreak, loc(Op::kInput, 1));
        }
        continue;
      case keycode::kBreakEntry:
        if (break_enabled()) {
          finish();
          requests::clear_break();
          raise_error(kBreak, loc(Op::kInput, 2));
        }
        finish();
        g_model.keys().clear();
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
    if (next.size() > kAnswerCapacity || layout_end(start, next, next.size()) - start > capacity) {
      beep();
      continue;
    }
    entry = std::move(next);
    cur += ch.size();
    redraw();
  }
}

}  // namespace

Bytes line_input(BytesView prompt) {
  show_prompt(prompt, false);
  return edit_line();
}

std::vector<InputValue> input(BytesView prompt, PromptSep sep,
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

Bytes input_string(BytesView prompt, PromptSep sep) {
  return std::move(input(prompt, sep, {InputKind::kString})[0].text);
}

void closing_input(BytesView prompt, PromptSep sep) {
  try {
    input_string(prompt, sep);
  } catch (const Closed&) {
    if (g_device && g_device->input_ended()) end_program(kExitNormal);
    throw;
  }
}

void type_ahead(std::vector<Bytes> answers) {
  for (Bytes& a : answers) g_answers.push_back(std::move(a));
}

void wait_key(BytesView closing) {
  write(closing);
  g_model.keys().clear();
  next_key();
  g_model.keys().clear();
  write("\r\n");
}

bool pump() {
  if (!g_device) return false;
  // Output presents itself as it is printed; a turn only takes input.
  if (!g_device->poll(g_model.keys())) throw Closed{};
  return g_device->takes_turns();
}

}  // namespace rt::console
