// The conversion's statement numbers: every statement sets its number
// before it runs, and an error report shows the number of the statement
// that failed ("Sardane [302行]:エラー[64]").
//
// Each routine owns a block:
//   101..122   the main routine (job.cpp)
//   201..216   the sheet's inputs: 201..207 the point table, 211..216 the
//              origin; 221..233 the sheet pass (sheet.cpp)
//   301..317   elevation points (layers/elevation.cpp; 309 and 310 unused)
//   401..408   tunnel extract, 451..458 bridge extract (layers/extracts.cpp)
//   501, 601, 701, 801, 1201  boundary, road, river, waterline, railway lines
//   901, 1001, 1101           place-name, facility, control points
//
// Within a layer's block (base + k), the record loop of every layer:
//   1 the progress label, 2 the outputs, 3 the record file, 4 the end test,
//   5 the read of a record;
//   20..   the layer's own cut of the attribute row (its file says which);
//   40..45 the vertex list gathered (line layers);
//   50     the point number (point layers) or "Pline" (line layers);
//   51, 52 a point turned into degrees, then written (a point layer's
//          symbol line and a line layer's vertex line go with 52);
//   53     the pen line (line layers), or the closing (point layers);
//   54     the closing (line layers).
// The elevation layer opens a second input as 304, so its loop takes 305
// and 306, and it writes a point's degrees at 315; the extracts test for an empty record at 6,
// write at 7 and close at 8.
#pragma once

#include <cstdint>

namespace convert::lines {

constexpr uint16_t kMain = 100;
constexpr uint16_t kSheet = 200;
constexpr uint16_t kElevation = 300;
constexpr uint16_t kTunnels = 400;
constexpr uint16_t kBridges = 450;
constexpr uint16_t kBoundaries = 500;
constexpr uint16_t kRoads = 600;
constexpr uint16_t kRivers = 700;
constexpr uint16_t kWaterlines = 800;
constexpr uint16_t kPlaceNames = 900;
constexpr uint16_t kFacilities = 1000;
constexpr uint16_t kControlPoints = 1100;
constexpr uint16_t kRailways = 1200;

// Offsets within a layer's block.
constexpr uint16_t kLabel = 1;
constexpr uint16_t kOutputs = 2;
constexpr uint16_t kRecordFile = 3;
constexpr uint16_t kEndTest = 4;  // and kEndTest + 1 the read
constexpr uint16_t kRow = 20;
constexpr uint16_t kGather = 40;
constexpr uint16_t kObject = 50;

}  // namespace convert::lines
