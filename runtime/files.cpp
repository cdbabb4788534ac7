#include "runtime/files.h"

#include "runtime/file_table.h"

namespace rt::files {
namespace {

FileTable program_table(platform::system_files(), kProgramFileSizes);

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
void print_lines(int n, BytesView lines, size_t line_length) {
  program_table.print_lines(n, lines, line_length);
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

void begin_part() {
  program_table.begin_part();
}
void end_part() {
  program_table.end_part();
}
void abandon_all() {
  program_table.abandon_all();
}
void restore_part() {
  program_table.restore_part();
}
bool last_open_was_output() {
  return program_table.last_open_was_output();
}
InputPlace input_place() {
  return program_table.input_place();
}

}  // namespace rt::files
