// TO and HA: the tunnel and bridge text extracts. Each copies bytes 28 to
// 40 of every record of the sheet's "TO.sal" / "HA.sal" as one line of
// job name + "TO.txt" / "HA.txt", up to the sheet's first empty record.
#include "convert/input_files.h"
#include "convert/job.h"
#include "convert/layers/layers.h"
#include "convert/mif_writer.h"
#include "convert/record_loop.h"

namespace convert {

namespace {

void convert_extract(const char* code, const char* label, uint16_t base) {
  print_label(label, rt::Sep::kSemicolon, base);
  rt::statement(base + lines::kOutputs);
  mif::TextFile text(code, first_sheet());
  rt::statement(base + lines::kRecordFile);
  open_input(Bytes(code) + ".sal", kInputFile);
  read_records(base + lines::kEndTest, [&](const Bytes& record) {
    rt::statement(base + 6);
    if (rt::len(record) == 0) return false;
    rt::statement(base + 7);
    text.line(rt::mid(record, 28, 13));
    return true;
  });
  close_layer(base + 8);
}

}  // namespace

void convert_tunnels() {
  convert_extract("TO", "  トンネル情報（テキストデータ）", lines::kTunnels);
}

void convert_bridges() {
  convert_extract("HA", "  橋情報（テキストデータ）", lines::kBridges);
}

}  // namespace convert
