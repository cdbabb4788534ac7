// HM: the elevation mesh. Line N of the sheet's "MH.slp" is a point, line N
// of its "MH.sal" that point's record; the elevation is the number behind
// "{HK{" up to the next "}" (a record without the tag reads it from its
// fourth byte). One Point object and one integer row per point.
#include "convert/input_files.h"
#include "convert/job.h"
#include "convert/layers/layers.h"
#include "convert/mif_writer.h"
#include "convert/record_loop.h"
#include "runtime/numbers.h"

namespace convert {

namespace {

// The routine's own statements; it opens its second input after the shared
// three, so its record loop tests for the end at 305.
enum : uint16_t {
  kMeshFile = 304,   // "MH.sal" as file 3
  kX = 307,          // the point's X read
  kY = 308,          // and its Y
  kRecord = 311,     // the point's record read from file 3
  kTagStart = 312,   // "{HK{" searched
  kTagEnd = 313,     // the next "}" searched
  kHeight = 314,     // the elevation read
  kPoint = 315,      // the Point object written
  kHeightRow = 316,  // its row written
};

// The routine's statements that the shared code runs (a mesh point is
// written in its own statement: no degrees or write of the table's).
constexpr LayerLines kLines{.label = 301,
                            .outputs = 302,
                            .record_file = 303,
                            .records = {305, 306},
                            .object = 0,
                            .degrees = 0,
                            .write = 0,
                            .pen = 0,
                            .close = 317};
static_assert(distinct(kLines, {kMeshFile, kX, kY, kRecord, kTagStart, kTagEnd, kHeight, kPoint,
                                kHeightRow}));

}  // namespace

void convert_elevation(Job& job) {
  print_label(kLines.label, "  標高メッシュ", rt::Sep::kSemicolon);
  statement(kLines.outputs);
  mif::Pair pair(job, kLines, "HM", {"  H Integer"});
  statement(kLines.record_file);
  open_input(job, "MH.slp", kInputFile);
  statement(kMeshFile);
  open_input(job, "MH.sal", kSecondInputFile);
  read_records(kLines.records, [&](BytesView point) {
    statement(kX);
    int32_t x = rt::val_to_int32(rt::left(point, 8));
    statement(kY);
    int32_t y = rt::val_to_int32(rt::right(point, 8));
    statement(kRecord);
    const BytesView record = rt::files::line_input(kSecondInputFile);
    statement(kTagStart);
    int16_t p = rt::narrow16(int64_t{rt::instr(1, record, "{HK{")} + 4);
    statement(kTagEnd);
    int32_t q = rt::instr(p, record, "}");
    statement(kHeight);
    int16_t h = rt::to_int16(rt::val(rt::mid(record, p, int64_t{q} - p + 1)));
    statement(kPoint);
    pair.point(x, y, "    Symbol (34,0,4)");
    statement(kHeightRow);
    pair.integer_row(h);
    return true;
  });
  statement(kLines.close);
  rt::files::close_all();
}

}  // namespace convert
