// TO and HA: the tunnel and bridge text extracts. Each copies bytes 28 to
// 40 of every record of the sheet's "TO.sal" / "HA.sal" as one line of
// job name + "TO.txt" / "HA.txt", up to the sheet's first empty record.
#include "convert/input_files.h"
#include "convert/job.h"
#include "convert/layers/layers.h"
#include "convert/mif_writer.h"
#include "convert/sheet.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/platform/codepage.h"
#include "runtime/startup.h"

namespace convert {

namespace {

void convert_extract(const char* code, const char* label, uint16_t base) {
  using rt::statement;
  namespace files = rt::files;
  statement(base + 1);
  rt::console::print(rt::sjis(label), rt::Sep::kSemicolon);
  statement(base + 2);
  mif::TextFile text(code, first_sheet());
  statement(base + 3);
  files::open(input_path(Bytes(code) + ".sal"), files::Mode::kInput, kInputFile);
  Bytes record;
  for (;;) {
    statement(base + 4);
    if (files::eof(kInputFile)) break;
    statement(base + 5);
    files::line_input(kInputFile, record);
    statement(base + 6);
    if (rt::len(record) == 0) break;
    statement(base + 7);
    text.line(rt::mid(record, 28, 13));
  }
  statement(base + 8);
  files::close_all();
}

}  // namespace

void convert_tunnels() {
  convert_extract("TO", "  トンネル情報（テキストデータ）", 400);
}

void convert_bridges() {
  convert_extract("HA", "  橋情報（テキストデータ）", 450);
}

}  // namespace convert
