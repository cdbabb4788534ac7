#include "runtime/command_line.h"

#include <cstring>
#include <string>

#include "runtime/console.h"
#include "runtime/input_fields.h"
#include "runtime/line_device.h"
#include "runtime/platform/codepage.h"

namespace rt {

std::string shown_argument(const std::string& arg) {
  return platform::cp932_to_utf8_display(typed_text(arg));
}

namespace {

constexpr unsigned char kFirstCharacter = 32;

// Why a prompt would not take `text` as typed, or nothing.
std::string answer_fault(const Bytes& text, AnswerRule rule) {
  if (text.size() > console::kAnswerCapacity)
    return "is longer than the " + std::to_string(console::kAnswerCapacity) +
           " bytes an answer holds";
  for (const Character c : characters(text)) {
    const unsigned char first = static_cast<unsigned char>(c.bytes[0]);
    if (first < kFirstCharacter) return "holds a control character";
    if (c.bytes.size() == 1 && is_lead_byte(first)) return "ends in half a double-byte character";
  }
  std::vector<InputValue> values;
  if (rule == AnswerRule::kInputString && !split_input(text, {InputKind::kString}, values))
    return "would be asked again: it has a comma or colon outside double quotes, or text "
           "after a closing quote (put the whole answer in double quotes to keep them)";
  return "";
}

CommandLine error(std::string message, bool show_usage) {
  CommandLine c;
  c.action = CommandLine::Action::kError;
  c.error = std::move(message);
  c.show_usage = show_usage;
  return c;
}

}  // namespace

CommandLine parse_command_line(int argc, char** argv, std::span<const Question> answers) {
  CommandLine c;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && (arg == "--help" || arg == "--version")) {
      if (argc != 2) return error("'" + shown_argument(arg) + "' stands alone", true);
      c.action = arg == "--help" ? CommandLine::Action::kHelp : CommandLine::Action::kVersion;
      return c;
    } else if (options && (arg == "-C" || arg == "--directory")) {
      if (++i == argc) return error("'" + shown_argument(arg) + "' needs a folder", true);
      c.folders.push_back(argv[i]);
    } else if (options && (arg == "-k" || arg == "--keep-going")) {
      c.keep_going = true;
    } else if (options && arg.rfind("--directory=", 0) == 0) {
      c.folders.push_back(arg.substr(std::strlen("--directory=")));
    } else if (options && arg.rfind("-C", 0) == 0) {
      c.folders.push_back(arg.substr(2));
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      return error("unknown option '" + shown_argument(arg) + "'", true);
    } else if (c.answers.size() == answers.size()) {
      return error("too many arguments (from '" + shown_argument(arg) + "' on)", true);
    } else {
      const Question& question = answers[c.answers.size()];
      Bytes text = typed_text(arg);
      const std::string fault = answer_fault(text, question.rule);
      if (!fault.empty())
        return error(std::string(question.name) + " '" + shown_argument(arg) + "' " + fault, false);
      c.answers.push_back(std::move(text));
    }
  }
  return c;
}

}  // namespace rt
