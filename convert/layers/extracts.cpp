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

// An extract's statements: the shared ones, then the empty record's test
// and the copy.
struct ExtractLines {
  LayerLines shared;
  uint16_t empty_test;
  uint16_t copy;
};

constexpr ExtractLines kTunnelLines{{.label = 401,
                                     .outputs = 402,
                                     .record_file = 403,
                                     .records = {404, 405},
                                     .object = 0,
                                     .degrees = 0,
                                     .write = 0,
                                     .pen = 0,
                                     .close = 408},
                                    406,
                                    407};
constexpr ExtractLines kBridgeLines{{.label = 451,
                                     .outputs = 452,
                                     .record_file = 453,
                                     .records = {454, 455},
                                     .object = 0,
                                     .degrees = 0,
                                     .write = 0,
                                     .pen = 0,
                                     .close = 458},
                                    456,
                                    457};
static_assert(distinct(kTunnelLines.shared, {kTunnelLines.empty_test, kTunnelLines.copy}));
static_assert(distinct(kBridgeLines.shared, {kBridgeLines.empty_test, kBridgeLines.copy}));

void convert_extract(Job& job, const char* code, const char* label, const ExtractLines& lines) {
  const LayerLines& l = lines.shared;
  print_label(l.label, label, rt::Sep::kSemicolon);
  statement(l.outputs);
  mif::TextFile text(job, code);
  statement(l.record_file);
  open_input(job, Bytes(code) + ".sal", kInputFile);
  read_records(l.records, [&](BytesView record) {
    statement(lines.empty_test);
    if (rt::len(record) == 0) return false;
    statement(lines.copy);
    text.line(rt::mid(record, 28, 13));
    return true;
  });
  statement(l.close);
  rt::files::close_all();
}

}  // namespace

void convert_tunnels(Job& job) {
  convert_extract(job, "TO", "  トンネル情報（テキストデータ）", kTunnelLines);
}

void convert_bridges(Job& job) {
  convert_extract(job, "HA", "  橋情報（テキストデータ）", kBridgeLines);
}

}  // namespace convert
