// Fuzz target: a random program of file statements with a random refused
// byte, run on a file table over a file system in memory, against the model
// of item-by-item writes.
#include <cstdint>
#include <string>

#include "runtime/platform/os_errors.h"
#include "tests/runtime/journal_program.h"

namespace {

constexpr rt::files::FileSizes kSmall{64, 64, 64 + 512, 16};
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using test::Statement;
  Reader in(data, size);
  const char* const names[] = {"", "", "b.mif", "c.txt", "d.mid"};
  const std::string refused = names[2 + in.next() % 3];
  const int64_t from = static_cast<int64_t>(in.next() << 4 | in.next() >> 4);
  std::string input;
  for (int k = 0; k < kInputLines; ++k) input += "line " + std::to_string(k) + "\r\n";
  test::Program p = {{Statement::kOpenInput, 1, "in.sal"},
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
  test::MemoryFiles fs;
  fs.files = {{"in.sal", input}};
  fs.refuse_bytes(refused, from, rt::platform::os_error::kDiskFull);
  const test::Outcome got = test::run(p, fs, kSmall);
  const test::Outcome want = test::model(p, {{"in.sal", input}}, refused, from, 67);
  if (got.code != want.code || got.line != want.line || got.files != want.files) __builtin_trap();
  return 0;
}
