// The conversion's statement numbers: every statement sets its number
// before it runs, and an error report shows the number of the statement
// that failed ("Sardane [302行]:エラー[64]").
//
// Each routine owns a block of numbers and says so with a Routine marker
// while it runs; its code then names its statements by their number within
// the block, statement(k) being block + k (a hot loop keeps a Block and
// calls its statement()). The blocks:
//   100  the main routine (job.cpp)
//   200  the sheet's inputs and the sheet pass (sheet.cpp)
//   300  elevation points (layers/elevation.cpp)
//   400  tunnel extract, 450 bridge extract (layers/extracts.cpp)
//   500, 600, 700, 800, 1200  boundary, road, river, waterline, railway lines
//   900, 1000, 1100           place-name, facility, control points
// Each file names the statements of its routines at its top. The steps
// every layer shares are named here:
//   1 the progress label, 2 the outputs, 3 the record file, 4 the end test,
//   5 the read of a record (the record loop; a routine whose loop stands
//   elsewhere tells its Routine where);
//   20..   the layer's own cut of the attribute row (its file says which);
//   40..45 the vertex list gathered (line layers; line_layer.cpp);
//   50     the point number (point layers) or "Pline" (line layers);
//   51, 52 a point turned into degrees, then written (a point layer's
//          symbol line and a line layer's vertex line go with 52);
//   53     the pen line (line layers), or the closing (point layers);
//   54     the closing (line layers).
#pragma once

#include <cstdint>

#include "runtime/startup.h"

namespace convert {

namespace lines {

// The routines' blocks.
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

// The shared steps within a layer's block.
constexpr uint16_t kLabel = 1;
constexpr uint16_t kOutputs = 2;
constexpr uint16_t kRecordFile = 3;
constexpr uint16_t kEndTest = 4;  // and kEndTest + 1 the read
constexpr uint16_t kRow = 20;
constexpr uint16_t kGather = 40;
constexpr uint16_t kObject = 50;
constexpr uint16_t kDegrees = 51;
constexpr uint16_t kWrite = 52;
constexpr uint16_t kPen = 53;
constexpr uint16_t kPointClose = 53;
constexpr uint16_t kLineClose = 54;

}  // namespace lines

// The running routine: its block, and the statement of its record loop
// that tests for the end of file 1 (the read is the next one). Outside any
// routine the block is 0 and statements are their plain numbers.
struct RoutineState {
  uint16_t block = 0;
  uint16_t end_test = lines::kEndTest;
};

namespace detail {
constinit inline RoutineState g_routine;
}  // namespace detail

// Makes a routine's block current for its lifetime; the outer routine's is
// current again when it ends (routines nest: main, sheet pass, layer).
class Routine {
 public:
  explicit Routine(uint16_t block, uint16_t end_test = lines::kEndTest)
      : outer_(detail::g_routine) {
    detail::g_routine = {block, end_test};
  }
  ~Routine() { detail::g_routine = outer_; }
  Routine(const Routine&) = delete;
  Routine& operator=(const Routine&) = delete;

 private:
  RoutineState outer_;
};

// The record loop's end test of the running routine.
inline uint16_t end_test() {
  return detail::g_routine.end_test;
}

// The running routine's block, taken once. A statement's own store of the
// current line and the calls between statements may change the block as
// far as the compiler knows, so a loop that keeps a Block reads it once
// rather than before every statement.
class Block {
 public:
  Block() : block_(detail::g_routine.block) {}
  // Statement k of the routine.
  void statement(uint16_t k) const { rt::statement(static_cast<uint16_t>(block_ + k)); }
  // Statements `first` to `last`, for statements that cannot fail before
  // the last one (rt::statements()).
  void statements(uint16_t first, uint16_t last) const {
    rt::statements(static_cast<uint16_t>(block_ + first), static_cast<uint16_t>(block_ + last));
  }
  // Repeats of them for work that cannot fail (rt::quiet_statements()).
  template <class Step>
  int quiet_statements(uint16_t first, uint16_t last, int most, Step step) const {
    return rt::quiet_statements(static_cast<uint16_t>(block_ + first),
                                static_cast<uint16_t>(block_ + last), most, step);
  }

 private:
  uint16_t block_;
};

// Statement k of the running routine.
inline void statement(uint16_t k) {
  Block().statement(k);
}

}  // namespace convert
