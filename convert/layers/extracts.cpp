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

// The statements after the shared record loop.
enum : uint16_t {
  kEmptyTest = 6,  // an empty record ends the copy
  kCopy = 7,
  kClose = 8,
};

void convert_extract(Job& job, const char* code, const char* label, uint16_t block) {
  Routine routine(block);
  print_label(label, rt::Sep::kSemicolon);
  statement(lines::kOutputs);
  mif::TextFile text(job, code);
  statement(lines::kRecordFile);
  open_input(job, Bytes(code) + ".sal", kInputFile);
  read_records([&](BytesView record) {
    statement(kEmptyTest);
    if (rt::len(record) == 0) return false;
    statement(kCopy);
    text.line(rt::mid(record, 28, 13));
    return true;
  });
  statement(kClose);
  rt::files::close_all();
}

}  // namespace

void convert_tunnels(Job& job) {
  convert_extract(job, "TO", "  トンネル情報（テキストデータ）", lines::kTunnels);
}

void convert_bridges(Job& job) {
  convert_extract(job, "HA", "  橋情報（テキストデータ）", lines::kBridges);
}

}  // namespace convert
