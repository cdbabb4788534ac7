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
// three, so its record loop tests for the end at kRecords.
enum : uint16_t {
  kMeshFile = 4,   // "MH.sal" as file 3
  kRecords = 5,    // the end test; 6 reads the point
  kX = 7,          // the point's X read
  kY = 8,          // and its Y
  kRecord = 11,    // the point's record read from file 3
  kTagStart = 12,  // "{HK{" searched
  kTagEnd = 13,    // the next "}" searched
  kHeight = 14,    // the elevation read
  kPoint = 15,     // the Point object written
  kHeightRow = 16,
  kClose = 17,
};

}  // namespace

void convert_elevation(Job& job) {
  Routine routine(lines::kElevation, kRecords);
  const Block block;
  print_label("  標高メッシュ", rt::Sep::kSemicolon);
  block.statement(lines::kOutputs);
  mif::Pair pair(job, "HM", {"  H Integer"});
  block.statement(lines::kRecordFile);
  open_input(job, "MH.slp", kInputFile);
  block.statement(kMeshFile);
  open_input(job, "MH.sal", kSecondInputFile);
  read_records([&](BytesView point) {
    block.statement(kX);
    int32_t x = rt::val_to_int32(rt::left(point, 8));
    block.statement(kY);
    int32_t y = rt::val_to_int32(rt::right(point, 8));
    block.statement(kRecord);
    const BytesView record = rt::files::line_input(kSecondInputFile);
    block.statement(kTagStart);
    int16_t p = rt::narrow16(int64_t{rt::instr(1, record, "{HK{")} + 4);
    block.statement(kTagEnd);
    int32_t q = rt::instr(p, record, "}");
    block.statement(kHeight);
    int16_t h = rt::to_int16(rt::val(rt::mid(record, p, int64_t{q} - p + 1)));
    block.statement(kPoint);
    pair.point(x, y, "    Symbol (34,0,4)");
    block.statement(kHeightRow);
    pair.integer_row(h);
    return true;
  });
  block.statement(kClose);
  rt::files::close_all();
}

}  // namespace convert
