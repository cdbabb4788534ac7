// The command line: options, answers and what a prompt would not take.
#include "runtime/command_line.h"

#include <gtest/gtest.h>

namespace {

using Action = rt::CommandLine::Action;

constexpr rt::Question kAnswers[] = {{"drive", rt::AnswerRule::kLineInput},
                                     {"job name", rt::AnswerRule::kInputString}};

rt::CommandLine parse(std::vector<std::string> args) {
  args.insert(args.begin(), "sardane");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  return rt::parse_command_line(static_cast<int>(argv.size()), argv.data(), kAnswers);
}

TEST(CommandLine, OptionsAndAnswers) {
  struct Case {
    std::vector<std::string> args;
    Action action;
    std::vector<std::string> folders;
    std::vector<std::string> answers;  // CP932
    std::string error;                 // part of the message
  };
  const std::string long_answer(256, 'a');
  const std::vector<Case> cases = {
      {{}, Action::kRun, {}, {}, ""},
      {{"--help"}, Action::kHelp, {}, {}, ""},
      {{"--version", "d:"}, Action::kError, {}, {}, "stands alone"},
      {{"-C", "a", "-Cb", "--directory", "c", "--directory=d", "d:", "\"x,y\""},
       Action::kRun,
       {"a", "b", "c", "d"},
       {"d:", "\"x,y\""},
       ""},
      {{"--", "-C", "沖縄"}, Action::kRun, {}, {"-C", "\x89\xab\x93\xea"}, ""},
      {{"-C"}, Action::kError, {}, {}, "needs a folder"},
      {{"--drive=d"}, Action::kError, {}, {}, "unknown option"},
      {{"d:", "J", "x"}, Action::kError, {}, {}, "too many arguments"},
      {{"d:", "J:K"}, Action::kError, {}, {}, "would be asked again"},
      {{"d:", "\"J\"K"}, Action::kError, {}, {}, "would be asked again"},
      {{"d:", "J\bK"}, Action::kError, {}, {}, "control character"},
      {{"\x81"}, Action::kError, {}, {}, "half a double-byte character"},
      {{long_answer}, Action::kError, {}, {}, "longer than the 255 bytes"},
      {{long_answer.substr(1), " J "}, Action::kRun, {}, {long_answer.substr(1), " J "}, ""},
  };
  for (const Case& c : cases) {
    rt::CommandLine got = parse(c.args);
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.back());
    EXPECT_EQ(got.action, c.action);
    EXPECT_EQ(got.folders, c.folders);
    EXPECT_EQ(got.answers, c.answers);
    EXPECT_NE(got.error.find(c.error), std::string::npos) << got.error;
  }
}

}  // namespace
