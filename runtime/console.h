// The console statements: PRINT, INPUT, LINE INPUT, and the key wait of the
// error report, over the one console model and its device.
//
// Prompts: INPUT without prompt shows "? "; with a prompt and ';' the prompt
// and "? "; with ',' the prompt only. LINE INPUT shows its prompt only.
// INPUT splits the line into fields (input_fields.h); a bad, missing or
// extra field prints "もう一度入力してください" and asks again.
//
// Answers typed ahead (the program's command line) go into the line
// editor's next entries, one answer and Enter per entry, before any key of
// the device: the screen shows them exactly as if the operator had typed
// them.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

#include "runtime/base/console_model.h"
#include "runtime/input_fields.h"
#include "runtime/print_engine.h"
#include "runtime/statement_hook.h"

namespace rt {
// The device that shows the screen (runtime/platform/console_device.h):
// the frame attaches it; the statements below need none.
class ConsoleDevice;
class Console;
}  // namespace rt

namespace rt::console {

enum class PromptSep { kNone, kComma, kSemicolon };

// The most bytes one entry of the line editor (one answer) holds.
constexpr size_t kAnswerCapacity = 255;

// Thrown when the console is closed while the program waits or at a pump;
// the frame ends the program without a report.
struct Closed {};

// The program's console, which the statements below use.
Console& program_console();

void attach(std::unique_ptr<ConsoleDevice> device);
void detach();
ConsoleModel& model();
ConsoleDevice* device();

void print(BytesView text, Sep sep);
void print_integer(int32_t value, Sep sep);
// Raw output without the PRINT engine (reports).
void write(BytesView bytes);

// LINE INPUT [prompt;] variable$
Bytes line_input(BytesView prompt);
// INPUT [prompt{;|,}] variables
std::vector<InputValue> input(BytesView prompt, PromptSep sep, const std::vector<InputKind>& kinds);
// INPUT of one string variable.
Bytes input_string(BytesView prompt, PromptSep sep);
// The closing INPUT of one string variable, whose answer is not used: it
// holds the screen until the operator presses Enter. When the console's
// input has come to its end there is nobody to hold it for, and the
// program ends normally (END 0) instead of as closed.
void closing_input(BytesView prompt, PromptSep sep);

// Queues answers for the line editor's next entries, in order.
void type_ahead(std::vector<Bytes> answers);

// Prints `closing`, empties the keyboard buffer, waits for a key, empties it
// again and prints CR LF. Throws Closed when the console closes meanwhile.
void wait_key(BytesView closing);

// One turn of the message queue for the statement hook; false when the
// console's device takes no turns (input only while the program waits).
bool pump();

}  // namespace rt::console

namespace rt {

// A console: the screen model, the device that shows it, and the answers
// typed ahead. The statements above are the program's console's; a test
// makes its own.
class Console {
 public:
  // The break key's switch is `hook`'s.
  explicit Console(const StatementHook& hook);
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  void attach(std::unique_ptr<ConsoleDevice> device);
  void detach();
  ConsoleModel& model() { return model_; }
  ConsoleDevice* device() { return device_.get(); }

  void print(BytesView text, Sep sep);
  void print_integer(int32_t value, Sep sep);
  void write(BytesView bytes);
  Bytes line_input(BytesView prompt);
  std::vector<InputValue> input(BytesView prompt, console::PromptSep sep,
                                const std::vector<InputKind>& kinds);
  Bytes input_string(BytesView prompt, console::PromptSep sep);
  void closing_input(BytesView prompt, console::PromptSep sep);
  void type_ahead(std::vector<Bytes> answers);
  void wait_key(BytesView closing);
  bool pump();

 private:
  class Target;
  void present();
  void beep();
  uint8_t next_key();
  uint8_t entry_key();
  int linear() const;
  void move_linear(int pos);
  void show_prompt(BytesView prompt, bool question);
  Bytes edit_line();

  const StatementHook& hook_;
  ConsoleModel model_;
  std::unique_ptr<ConsoleDevice> device_;
  // Answers typed ahead, and the keys of the one being typed (it ends in Enter).
  std::deque<Bytes> answers_;
  Bytes typing_;
  size_t typed_ = 0;
};

}  // namespace rt
