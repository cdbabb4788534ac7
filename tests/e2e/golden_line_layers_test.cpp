// Golden outputs of the polyline layers, worked out by hand from the record
// layouts: GK, DK, KK, SK and TK on the points of sheets.h.
#include <gtest/gtest.h>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

struct LineCase {
  const char* code;
  std::vector<std::string> columns;
  std::string pen;
  std::vector<std::string> records;
  std::vector<std::string> rows;
  std::vector<std::string> objects;  // .mif lines after the header
};

void PrintTo(const LineCase& c, std::ostream* os) {
  *os << c.code;
}

class GoldenLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(GoldenLine, ObjectsAndRows) {
  const LineCase& c = GetParam();
  Workspace ws;
  one_sheet_job(ws);
  ws.sheet_file("12345", std::string(c.code) + ".sal", crlf(c.records));
  Result r = ws.convert("J");
  ASSERT_EQ(r.status, 0) << r.screen;
  EXPECT_EQ(ws.output(std::string("J") + c.code + ".mif"),
            header(c.columns) + crlf(c.objects) + "\x1A");
  EXPECT_EQ(ws.output(std::string("J") + c.code + ".mid"), crlf(c.rows) + "\x1A");
}

const std::string kGkPen = "    Pen (1,2,16732240)";
const std::string kDkPen = "    Pen (1,2,0)";
const std::string kKkPen = "    Pen (1,2,65535)";
const std::string kSkPen = "    Pen (1,2,255)";
const std::string kTkPen = "    Pen (2,2,0)";

// マ is 83 7D: its trail byte is "}".
const std::string kMa = "\x83\x7D";

INSTANTIATE_TEST_SUITE_P(
    Layers, GoldenLine,
    ::testing::Values(
        LineCase{"GK",
                 {"  id char(8)", "  jt char(2)", "  sr char(2)"},
                 kGkPen,
                 {"GK(ID{GK000001}){JT{11}SR{22}CV(ID{CV000001}){000001,000002}}",
                  // a list ending in a comma gets a vertex at the origin
                  "GK(ID{GK000002}){JT{12}SR{23}CV(ID{CV000002}){000004,}}",
                  // exactly 48 bytes: an empty list, one vertex from point 0
                  "GK(ID{GK000003}){JT{13}SR{24}CV(ID{CV000003}){}}",
                  // a list without a comma, leading zeros, a point no sheet filled
                  "GK(ID{GK000004}){JT{14}SR{25}CV(ID{CV000004}){000007}}"},
                 {"\"GK000001\",\"11\",\"22\"", "\"GK000002\",\"12\",\"23\"",
                  "\"GK000003\",\"13\",\"24\"", "\"GK000004\",\"14\",\"25\""},
                 {"Pline 2 ", kPoint1, kPoint2, kGkPen, "Pline 2 ", kPoint4, kOrigin, kGkPen,
                  "Pline 1 ", kOrigin, kGkPen, "Pline 1 ", kOrigin, kGkPen}},
        LineCase{"DK",
                 {"  id char(8)", "  jt char(2)", "  yu char(2)", "  sb char(2)", "  fi char(2)",
                  "  name char(32)"},
                 kDkPen,
                 {"DK(ID{DK008218}){JT{11}YU{1D}SB{13}FI{19}NM{}CV(ID{CV008861}){000001,000002}}",
                  "DK(ID{DK008219}){JT{12}YU{2D}SB{14}FI{20}NM{" + sj("国道58号") +
                      "}CV(ID{CV008862}){000002,000004,000001}}",
                  // the name ends at the trail byte of マ
                  "DK(ID{DK008220}){JT{13}YU{3D}SB{15}FI{21}NM{" + sj("浜") + kMa + sj("チ") +
                      "}CV(ID{CV008863}){000004,000003}}",
                  // a tail beginning "}" and another byte than C: an empty name
                  "DK(ID{DK008221}){JT{14}YU{4D}SB{16}FI{22}NM{}X(ID{CV008864}){000001,000004}}",
                  // a tail without "}){": the list runs from its third byte to the next "}"
                  "DK(ID{DK008222}){JT{15}YU{5D}SB{17}FI{23}NM{ab000002}"},
                 {"\"DK008218\",\"11\",\"1D\",\"13\",\"19\",\"\"",
                  "\"DK008219\",\"12\",\"2D\",\"14\",\"20\",\"" + sj("国道58号") + "\"",
                  "\"DK008220\",\"13\",\"3D\",\"15\",\"21\",\"" + sj("浜") + "\x83\"",
                  "\"DK008221\",\"14\",\"4D\",\"16\",\"22\",\"\"",
                  "\"DK008222\",\"15\",\"5D\",\"17\",\"23\",\"ab000002\""},
                 {"Pline 2 ", kPoint1, kPoint2,    kDkPen,     "Pline 3 ", kPoint2, kPoint4,
                  kPoint1,    kDkPen,  "Pline 2 ", kPoint4,    kOrigin,    kDkPen,  "Pline 2 ",
                  kPoint1,    kPoint4, kDkPen,     "Pline 1 ", kPoint2,    kDkPen}},
        LineCase{"KK",
                 {"  id char(8)", "  sb char(2)", "  name char(32)"},
                 kKkPen,
                 {"KK(ID{KK000001}){SB{51}NM{" + sj("安里川") + "}CV(ID{CV000001}){000003,000001}}",
                  "KK(ID{KK000002}){SB{52}NM{}CV(ID{CV000002}){000002,000004}}",
                  // a name longer than 32 bytes is written whole
                  "KK(ID{KK000003}){SB{53}NM{" + std::string(40, 'r') +
                      "}CV(ID{CV000003}){000001,000002}}"},
                 {"\"KK000001\",\"51\",\"" + sj("安里川") + "\"", "\"KK000002\",\"52\",\"\"",
                  "\"KK000003\",\"53\",\"" + std::string(40, 'r') + "\""},
                 {"Pline 2 ", kOrigin, kPoint1, kKkPen, "Pline 2 ", kPoint2, kPoint4, kKkPen,
                  "Pline 2 ", kPoint1, kPoint2, kKkPen}},
        LineCase{"SK",
                 {"  id char(8)", "  sr char(2)"},
                 kSkPen,
                 {"SK(ID{SK000001}){SR{11}CV(ID{CV000001}){000001,000002,000003}}",
                  // exactly 42 bytes: one vertex at the origin
                  "SK(ID{SK000002}){SR{12}CV(ID{CV000002}){}}"},
                 {"\"SK000001\",\"11\"", "\"SK000002\",\"12\""},
                 {"Pline 3 ", kPoint1, kPoint2, kOrigin, kSkPen, "Pline 1 ", kOrigin, kSkPen}},
        LineCase{"TK",
                 {"  name char(64)"},
                 kTkPen,
                 {"TK(ID{TK000001}){SB{43}SR{11}NM{" + sj("ゆいレール") +
                      "}CV(ID{CV000001}){000001,000002}}",
                  "TK(ID{TK000002}){SB{43}SR{11}NM{}C(ID{CV000002}){000004,000003}}",
                  // "}" followed by another byte than C: an empty name through the search
                  "TK(ID{TK000003}){SB{43}SR{11}NM{}X(ID{CV000003}){000002}}"},
                 {"\"" + sj("ゆいレール") + "\"", "\"\"", "\"\""},
                 {"Pline 2 ", kPoint1, kPoint2, kTkPen, "Pline 2 ", kPoint4, kOrigin, kTkPen,
                  "Pline 1 ", kPoint2, kTkPen}}),
    [](const auto& info) { return std::string(info.param.code); });

}  // namespace
}  // namespace e2e
