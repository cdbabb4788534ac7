// Golden outputs of the point layers CM, KO and KJ, worked out by hand.
#include <gtest/gtest.h>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

struct PointCase {
  const char* code;
  std::vector<std::string> columns;
  std::vector<std::string> records;
  std::vector<std::string> rows;
  std::vector<std::string> points;  // coordinate part of each Point line
  std::string symbol;
};

void PrintTo(const PointCase& c, std::ostream* os) {
  *os << c.code;
}

class GoldenPoint : public ::testing::TestWithParam<PointCase> {};

TEST_P(GoldenPoint, ObjectsAndRows) {
  const PointCase& c = GetParam();
  Workspace ws;
  one_sheet_job(ws);
  ws.sheet_file("12345", std::string(c.code) + ".sal", crlf(c.records));
  Result r = ws.convert("J");
  ASSERT_EQ(r.status, 0) << r.screen;
  std::vector<std::string> objects;
  for (const std::string& p : c.points) {
    objects.push_back("Point " + p);
    objects.push_back(c.symbol);
  }
  EXPECT_EQ(ws.output(std::string("J") + c.code + ".mif"),
            header(c.columns) + crlf(objects) + "\x1A");
  EXPECT_EQ(ws.output(std::string("J") + c.code + ".mid"), crlf(c.rows) + "\x1A");
}

INSTANTIATE_TEST_SUITE_P(
    Layers, GoldenPoint,
    ::testing::Values(
        PointCase{
            "CM",
            {"  id char(8)", "  sr char(2)", "  name char(32)"},
            {"CM(ID{CM000001}){SR{11}NM{" + sj("那覇") + "}PT(ID{PM000001}){000001}}",
             "CM(ID{CM000002}){SR{12}NM{}PT(ID{PM000004}){000004}}",
             // マ (83 7D): the name ends at its trail byte
             "CM(ID{CM000003}){SR{13}NM{" + sj("マチ") + "}PT(ID{PM000002}){000002}}",
             // point 0 and a number no sheet filled: the sheet origin
             "CM(ID{CM000004}){SR{14}NM{x}PT(ID{PM000000}){000000}}",
             "CM(ID{CM000005}){SR{15}NM{" + std::string(33, 'n') + "}PT(ID{PM000123}){000123}}"},
            {"\"CM000001\",\"11\",\"" + sj("那覇") + "\"", "\"CM000002\",\"12\",\"\"",
             "\"CM000003\",\"13\",\"\x83\"", "\"CM000004\",\"14\",\"x\"",
             "\"CM000005\",\"15\",\"" + std::string(33, 'n') + "\""},
            {kPoint1, kPoint4, kPoint2, kOrigin, kOrigin},
            "    Symbol (67,16711680,12)"},
        PointCase{"KO",
                  {"  id char(8)", "  code char(4)", "  name char(64)", "  adress char(64)"},
                  {"KO(ID{KO000001}){SB{3001}NM{" + sj("那覇市役所") + "}JS{" + sj("那覇市泉崎") +
                       "}PT(ID{PM000001}){000004}}",
                   "KO(ID{KO000002}){SB{3002}NM{}JS{}PT(ID{PM000002}){000002}}",
                   "KO(ID{KO000003}){SB{3003}NM{a}b{c}JS{x}y}PT(ID{PM000001}){000001}}"},
                  {"\"KO000001\",\"01\",\"" + sj("那覇市役所") + "\",\"" + sj("那覇市泉崎") + "\"",
                   "\"KO000002\",\"02\",\"\",\"\"", "\"KO000003\",\"03\",\"a}b{c\",\"x}y\""},
                  {kPoint4, kPoint2, kPoint1},
                  "    Symbol (66,8388608,12)"},
        PointCase{"KJ",
                  {"  id char(8)", "  sr char(2)", "  name char(16)", "  H char(12)"},
                  {"KJ(ID{KJ000001}){SR{11}NM{" + sj("首里") +
                       "}}HK{165.3}PT{000003}EG(ID{EG000001}){012345678}",
                   // "}HK{" at byte 28: an empty name; "}" right behind it: an empty H
                   "KJ(ID{KJ000002}){SR{12}NM{x}HK{}PT{000001}EG(ID{EG000002}){012345678}"},
                  {"\"KJ000001\",\"11\",\"" + sj("首里") + "\",\"165.3\"",
                   "\"KJ000002\",\"12\",\"\",\"\""},
                  {kOrigin, kPoint1},
                  "    Symbol (49,16711680,12)"}),
    [](const auto& info) { return std::string(info.param.code); });

}  // namespace
}  // namespace e2e
