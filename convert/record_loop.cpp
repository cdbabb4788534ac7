#include "convert/record_loop.h"

#include "convert/sheet.h"
#include "runtime/base/cp932.h"
#include "runtime/console.h"
#include "runtime/texts.h"

namespace convert {

void print_label(uint16_t line, const char* label, rt::Sep sep) {
  statement(line);
  rt::console::print(rt::sjis(label), sep);
}

void open_input(const Job& job, rt::BytesView suffix, int file_number) {
  rt::files::open(input_path(job, suffix), rt::files::Mode::kInput, file_number);
}

}  // namespace convert
