#include "tests/runtime/journal_program.h"

#include <cstring>

#include "runtime/errors.h"
#include "runtime/file_table.h"
#include "runtime/platform/os_errors.h"
#include "runtime/statement_hook.h"

namespace test {
namespace {

void execute(rt::files::FileTable& table, const Statement& s) {
  using rt::files::Mode;
  switch (s.kind) {
    case Statement::kOpenInput:
      return table.open(s.text, Mode::kInput, s.file);
    case Statement::kOpenOutput:
      return table.open(s.text, Mode::kOutput, s.file);
    case Statement::kOpenAppend:
      return table.open(s.text, Mode::kAppend, s.file);
    case Statement::kPrint:
      return table.print(s.file, s.text, s.sep);
    case Statement::kLines: {
      std::string lines;
      for (int k = 0; k < s.count; ++k) lines += s.text;
      return table.print_lines(s.file, lines, s.text.size());
    }
    case Statement::kLineInput:
      table.line_input(s.file);
      return;
    case Statement::kClose:
      return table.close({s.file});
  }
}

}  // namespace

Outcome run(const Program& program, MemoryFiles& fs, const rt::files::FileSizes& sizes) {
  Outcome out;
  rt::StatementHook hook([] { return false; });  // a console that takes no turns
  rt::files::FileTable table(fs, sizes, hook);
  try {
    for (size_t k = 0; k < program.size(); ++k) {
      hook.statement(static_cast<uint16_t>(k + 1));
      execute(table, program[k]);
    }
  } catch (const rt::RuntimeError& e) {
    out.code = e.code();
    out.line = e.line();
  }
  table.close_all_quietly();
  out.files = fs.files;
  return out;
}

Outcome model(const Program& program, const std::map<std::string, std::string>& initial,
              const std::string& name, int64_t from, int code) {
  Outcome out;
  out.files = initial;
  std::map<int, std::string> output;  // open output files by number
  std::map<std::string, int64_t> position;
  std::map<std::string, size_t> column;
  // One item at the file's position; false when it reaches a refused byte.
  auto write = [&](const std::string& file, const std::string& bytes) {
    const int64_t at = position[file];
    if (file == name && !bytes.empty() && at + static_cast<int64_t>(bytes.size()) > from)
      return false;
    std::string& f = out.files[file];
    if (f.size() < at + bytes.size()) f.resize(at + bytes.size());
    f.replace(static_cast<size_t>(at), bytes.size(), bytes);
    position[file] = at + static_cast<int64_t>(bytes.size());
    return true;
  };
  bool stopped = false;
  for (size_t k = 0; k < program.size() && !stopped; ++k) {
    const Statement& s = program[k];
    std::string item;
    switch (s.kind) {
      case Statement::kOpenOutput:
        out.files[s.text].clear();
        position[s.text] = 0;
        column[s.text] = 0;
        output[s.file] = s.text;
        break;
      case Statement::kOpenAppend: {
        const std::string& f = out.files[s.text];
        position[s.text] = static_cast<int64_t>(f.size()) - (!f.empty() && f.back() == '\x1A');
        column[s.text] = 0;
        output[s.file] = s.text;
        break;
      }
      case Statement::kPrint: {
        const std::string& file = output.at(s.file);
        size_t& col = column[file];
        item = s.text;
        col += item.size();
        if (s.sep == rt::Sep::kNone) {
          item += "\r\n";
          col = 0;
        } else if (s.sep == rt::Sep::kComma) {
          item.append(14 - col % 14, ' ');
          col += 14 - col % 14;
        }
        stopped = !write(file, item);
        break;
      }
      case Statement::kLines:
        for (int n = 0; n < s.count && !stopped; ++n) stopped = !write(output.at(s.file), s.text);
        column[output.at(s.file)] = 0;
        break;
      case Statement::kClose:
        if (output.count(s.file)) {
          const std::string file = output[s.file];
          output.erase(s.file);
          stopped = !write(file, "\x1A");
        }
        break;
      case Statement::kOpenInput:
      case Statement::kLineInput:
        break;
    }
    if (stopped) {
      out.code = code;
      out.line = static_cast<int>(k + 1);
    }
  }
  // The termination sequence: a final byte for every file still open.
  for (const auto& [number, file] : output) write(file, "\x1A");
  return out;
}

namespace {

constexpr rt::files::FileSizes kRandomSizes{64, 64, 64 + 512, 16};
constexpr int kInputLines = 200;

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool more() const { return at_ < size_; }
  unsigned next() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace

bool random_program_matches(const uint8_t* data, size_t size) {
  Reader in(data, size);
  const char* const names[] = {"", "", "b.mif", "c.txt", "d.mid"};
  const std::string refused = names[2 + in.next() % 3];
  const int64_t from = static_cast<int64_t>(in.next() << 2 | in.next() >> 6);
  std::string input;
  for (int k = 0; k < kInputLines; ++k) input += "line " + std::to_string(k) + "\r\n";
  Program p = {{Statement::kOpenInput, 1, "in.sal"},
               {Statement::kOpenOutput, 2, names[2]},
               {Statement::kOpenOutput, 3, names[3]},
               {Statement::kOpenOutput, 4, names[4]}};
  int lines_read = 0;
  while (in.more() && p.size() < 400) {
    const unsigned op = in.next();
    const int file = 2 + static_cast<int>(op >> 3) % 3;
    switch (op % 5) {
      case 0:
      case 1: {
        const unsigned length = in.next();
        const size_t n = length < 200 ? length % 8 : length < 250 ? 40 : 700;
        p.push_back({Statement::kPrint, file, std::string(n, static_cast<char>('a' + op % 26)),
                     static_cast<rt::Sep>(in.next() % 3)});
        break;
      }
      case 2:
        p.push_back({Statement::kLines, file, "1.5 2.5\r\n", rt::Sep::kNone,
                     1 + static_cast<int>(in.next() % 20)});
        break;
      case 3:
        if (lines_read++ < kInputLines) p.push_back({Statement::kLineInput, 1, ""});
        break;
      case 4:
        p.push_back({Statement::kClose, file, ""});
        p.push_back({Statement::kOpenAppend, file, names[file]});
        break;
    }
  }
  for (int file : {2, 3, 4, 1}) p.push_back({Statement::kClose, file, ""});
  MemoryFiles fs;
  fs.files = {{"in.sal", input}};
  fs.refuse_bytes(refused, from, rt::platform::os_error::kDiskFull);
  const Outcome got = run(p, fs, kRandomSizes);
  const Outcome want = model(p, {{"in.sal", input}}, refused, from, 67);
  return got.code == want.code && got.line == want.line && got.files == want.files;
}

}  // namespace test
