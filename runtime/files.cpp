#include "runtime/files.h"

#include "runtime/file_table.h"

namespace rt::files {
namespace {

// An input file is read in blocks of this size; the output made from one
// block is what a hard end can lose. Every block writes the output files
// out, so smaller blocks cost system calls, and each call costs more than
// its own time where the kernel flushes the TLB on every entry (64 KB
// measured 5 % slower, 32 KB 15 %).
constexpr size_t kReadBlock = 512 * 1024;
// Once a file's pending bytes reach this, every file is written out after
// the item; the room past it holds the longest line (32,767 bytes with its
// padding and line end), so only a statement of many items is ever split.
constexpr size_t kWriteBuffer = 256 * 1024;
constexpr size_t kWriteRoom = kWriteBuffer + 64 * 1024;
// Items logged between two writes of the files; a full log writes them too.
constexpr size_t kLogItems = 32 * 1024;

FileTable program_table(platform::system_files(),
                        FileSizes{kReadBlock, kWriteBuffer, kWriteRoom, kLogItems});

}  // namespace

void open(BytesView name, Mode mode, int n, int access) {
  program_table.open(name, mode, n, access);
}
BytesView line_input(int n) {
  return program_table.line_input(n);
}
bool eof(int n) {
  return program_table.eof(n);
}
void print(int n, BytesView text, Sep sep) {
  program_table.print(n, text, sep);
}
void print_integer(int n, int32_t value, Sep sep) {
  program_table.print(n, IntegerText(value), sep);
}
void print_using(int n, const Picture& picture, double value, Sep sep) {
  program_table.print_using(n, picture, value, sep);
}
void print_using(int n, const Picture& picture, std::initializer_list<double> values, Sep sep) {
  program_table.print_using(n, picture, values, sep);
}
char* line_room(int n) {
  return program_table.line_room(n);
}
void commit_lines(int n, size_t lines, size_t line_length) {
  program_table.commit_lines(n, lines, line_length);
}
void close(std::initializer_list<int> numbers) {
  program_table.close(numbers);
}
void close_all() {
  program_table.close_all();
}
void flush_all() {
  program_table.flush_all();
}
void close_all_quietly() {
  program_table.close_all_quietly();
}
void write_out_for_fault() {
  program_table.write_out_for_fault();
}

}  // namespace rt::files
