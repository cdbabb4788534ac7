// Bad discs: each case edits a good one-sheet (or two-sheet) disc, runs the
// job and checks the reported error code, the exit status, and what the
// outputs hold: finished converters complete, the failing one as far as it
// got.
#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

struct FailureCase {
  const char* name;
  std::function<void(const Workspace&)> edit;
  int code;
  // Expected outputs: file name -> exact bytes ("" entries are not checked).
  std::vector<std::pair<std::string, std::string>> outputs;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.name;
}

std::string gk_header() {
  return header({"  id char(8)", "  jt char(2)", "  sr char(2)"});
}
std::string cm_header() {
  return header({"  id char(8)", "  sr char(2)", "  name char(32)"});
}
std::string kj_header() {
  return header({"  id char(8)", "  sr char(2)", "  name char(16)", "  H char(12)"});
}

void record(const Workspace& ws, const std::string& layer, const std::vector<std::string>& lines) {
  ws.sheet_file("12345", layer + ".sal", crlf(lines));
}

const FailureCase kCases[] = {
    {"job list missing",
     [](const Workspace& ws) { std::remove((ws.disc() + "/J.csv").c_str()); },
     63,
     {}},
    {"job line shorter than 6",
     [](const Workspace& ws) {
       ws.job_list("J", crlf({"12345,X", "1234"}));
     },
     5,
     {}},
    {"empty job line",
     [](const Workspace& ws) {
       ws.job_list("J", crlf({"", "12345,X"}));
     },
     5,
     {}},
    {"201 job lines",
     [](const Workspace& ws) {
       std::vector<std::string> lines(201, "12345,X");
       ws.job_list("J", crlf(lines));
     },
     9,
     {}},
    {"empty job list runs one pass", [](const Workspace& ws) { ws.job_list("J", ""); }, 63, {}},
    {"sheet folder missing",
     [](const Workspace& ws) { ws.job_list("J", crlf({"99999,X"})); },
     63,
     {}},
    {"slm without comma",
     [](const Workspace& ws) { ws.sheet_file("12345", ".slm", crlf({"4590000000"})); },
     5,
     {}},
    {"empty slm", [](const Workspace& ws) { ws.sheet_file("12345", ".slm", ""); }, 54, {}},
    {"mesh records shorter than points",
     [](const Workspace& ws) {
       ws.sheet_file("12345", "MH.slp", crlf({"0000000000000000", "0000000000000000"}));
       ws.sheet_file("12345", "MH.sal", crlf({"{HK{1}"}));
     },
     54,
     {{"JHM.mid", " 1 \r\n\x1A"}}},
    {"mesh record without closing brace",
     [](const Workspace& ws) {
       ws.sheet_file("12345", "MH.slp", crlf({"0000000000000000"}));
       ws.sheet_file("12345", "MH.sal", crlf({"{HK{12"}));
     },
     5,
     {{"JHM.mif", header({"  H Integer"}) + "\x1A"}, {"JHM.mid", "\x1A"}}},
    {"elevation out of range",
     [](const Workspace& ws) {
       ws.sheet_file("12345", "MH.slp", crlf({"0000000000000000"}));
       ws.sheet_file("12345", "MH.sal", crlf({"{HK{40000}"}));
     },
     6,
     {}},
    {"mesh records missing",
     [](const Workspace& ws) {
       ws.sheet_file("12345", "MH.slp", crlf({"0000000000000000"}));
       std::remove((ws.disc() + "/DATA/12345/12345MH.sal").c_str());
     },
     63,
     {{"JHM.mif", header({"  H Integer"}) + "\x1A"}}},
    {"boundary record shorter than 48",
     [](const Workspace& ws) {
       record(ws, "GK",
              {"GK(ID{GK000001}){JT{11}SR{22}CV(ID{CV000001}){000001}}",
               "GK(ID{GK000002}){JT{12}SR{23}CV(ID{CV000002}){}"});
     },
     5,
     {{"JGK.mif", gk_header() + crlf({"Pline 1 ", kPoint1, "    Pen (1,2,16732240)"}) + "\x1A"},
      {"JGK.mid", crlf({"\"GK000001\",\"11\",\"22\"", "\"GK000002\",\"12\",\"23\""}) + "\x1A"},
      {"JHM.mif", header({"  H Integer"}) + "\x1A"},
      {"JTO.txt", "\x1A"}}},
    {"point number above 200000",
     [](const Workspace& ws) {
       record(ws, "GK", {"GK(ID{GK000001}){JT{11}SR{22}CV(ID{CV000001}){000001,200001}}"});
     },
     9,
     {{"JGK.mif", gk_header() + "\x1A"},
      {"JGK.mid", crlf({"\"GK000001\",\"11\",\"22\""}) + "\x1A"}}},
    {"negative point number",
     [](const Workspace& ws) {
       record(ws, "GK", {"GK(ID{GK000001}){JT{11}SR{22}CV(ID{CV000001}){-00001}}"});
     },
     9,
     {}},
    {"record line longer than 32767 bytes",
     [](const Workspace& ws) { record(ws, "GK", {std::string(32768, 'x')}); },
     15,
     {{"JGK.mid", "\x1A"}}},
    {"road record shorter than 44",
     [](const Workspace& ws) { record(ws, "DK", {"DK(ID{DK000001})"}); },
     5,
     {{"JDK.mid", "\x1A"}}},
    {"road tail without any brace",
     [](const Workspace& ws) {
       record(ws, "DK", {"DK(ID{DK000001}){JT{11}YU{1D}SB{13}FI{19}NM{abc"});
     },
     5,
     {{"JDK.mid", "\x1A"}}},
    {"road list without closing brace",
     [](const Workspace& ws) {
       record(ws, "DK", {"DK(ID{DK000001}){JT{11}YU{1D}SB{13}FI{19}NM{}CV(ID{CV1}){000001"});
     },
     5,
     {{"JDK.mid", "\"DK000001\",\"11\",\"1D\",\"13\",\"19\",\"\"\r\n\x1A"}}},
    {"river record shorter than 26",
     [](const Workspace& ws) { record(ws, "KK", {"KK(ID{KK000001}){SB{5"}); },
     5,
     {{"JKK.mid", "\x1A"}}},
    {"waterline record shorter than 42",
     [](const Workspace& ws) { record(ws, "SK", {"SK(ID{SK000001}){SR{11}CV(ID{CV000001}){"}); },
     5,
     {{"JSK.mid", "\"SK000001\",\"11\"\r\n\x1A"}}},
    {"railway record of exactly 32 bytes",
     [](const Workspace& ws) { record(ws, "TK", {"TK(ID{TK000001}){SB{43}SR{11}NM{"}); },
     5,
     {{"JTK.mid", "\x1A"}}},
    {"railway record shorter than 32",
     [](const Workspace& ws) { record(ws, "TK", {"TK(ID{TK000001})"}); },
     5,
     {}},
    {"place name without closing brace",
     [](const Workspace& ws) { record(ws, "CM", {"CM(ID{CM000001}){SR{11}NM{abc"}); },
     5,
     {{"JCM.mif", cm_header() + "\x1A"}, {"JCM.mid", "\x1A"}}},
    {"place name fails after a good record",
     [](const Workspace& ws) {
       record(ws, "CM",
              {"CM(ID{CM000001}){SR{11}NM{a}PT(ID{PM000001}){000001}}",
               "CM(ID{CM000002}){SR{06}NM{abc"});
     },
     5,
     {{"JCM.mif", cm_header() + crlf({"Point " + kPoint1, "    Symbol (67,16711680,12)"}) + "\x1A"},
      {"JCM.mid", "\"CM000001\",\"11\",\"a\"\r\n\x1A"}}},
    {"place-name empty line",
     [](const Workspace& ws) {
       record(ws, "CM", {"CM(ID{CM000001}){SR{11}NM{a}PT(ID{PM000001}){000001}}", ""});
     },
     5,
     {{"JCM.mif", cm_header() + crlf({"Point " + kPoint1, "    Symbol (67,16711680,12)"}) + "\x1A"},
      {"JCM.mid", "\"CM000001\",\"11\",\"a\"\r\n\x1A"}}},
    {"place-name point above 200000",
     [](const Workspace& ws) {
       record(ws, "CM", {"CM(ID{CM000001}){SR{11}NM{a}PT(ID{PM1}){999999}}"});
     },
     9,
     {{"JCM.mid", "\"CM000001\",\"11\",\"a\"\r\n\x1A"}}},
    {"facility without name tag",
     [](const Workspace& ws) {
       record(ws, "KO", {"KO(ID{KO000001}){SB{3001}JS{x}PT(ID{PM1}){000001}}"});
     },
     5,
     {{"JKO.mid", "\x1A"}}},
    {"facility tags out of order",
     [](const Workspace& ws) {
       record(ws, "KO", {"KO(ID{KO000001}){SB{3001}JS{x}NM{y}PT(ID{PM1}){000001}}"});
     },
     5,
     {}},
    {"control point without HK tag",
     [](const Workspace& ws) {
       record(ws, "KJ", {"KJ(ID{KJ000001}){SR{11}NM{abc}PT{000001}EG(ID{EG000001}){012345678}"});
     },
     5,
     {{"JKJ.mif", kj_header() + "\x1A"}, {"JKJ.mid", "\"KJ000001\",\"11\",\"\x1A"}}},
    {"control point H without closing brace",
     [](const Workspace& ws) { record(ws, "KJ", {"KJ(ID{KJ000001}){SR{11}NM{abc}}HK{12"}); },
     5,
     {{"JKJ.mid", "\"KJ000001\",\"11\",\"abc\",\"\x1A"}}},
    {"record file missing",
     [](const Workspace& ws) { std::remove((ws.disc() + "/DATA/12345/12345KK.sal").c_str()); },
     63,
     {{"JKK.mif", header({"  id char(8)", "  sb char(2)", "  name char(32)"}) + "\x1A"},
      {"JKK.mid", "\x1A"},
      {"JDK.mid", "\x1A"},
      {"JSK.mif", ""}}},
};

class Failure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failure, ReportsItsCodeAndKeepsWhatWasWritten) {
  const FailureCase& c = GetParam();
  Workspace ws;
  one_sheet_job(ws);
  c.edit(ws);
  Result r = ws.convert("J");
  EXPECT_EQ(r.status, 1) << r.screen;
  EXPECT_NE(r.screen.find("]:エラー[" + std::to_string(c.code) + "]\n"), std::string::npos)
      << r.screen;
  for (const auto& [name, bytes] : c.outputs) {
    if (bytes.empty())
      EXPECT_FALSE(ws.has_output(name)) << name;
    else
      EXPECT_EQ(ws.output(name), bytes) << name;
  }
  // Every file written ends with its final byte.
  expect_closed_files(ws);
}

INSTANTIATE_TEST_SUITE_P(Discs, Failure, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string n = info.param.name;
  for (char& ch : n)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
});

TEST(Failures, RerunStopsAtTheFirstOutputAndChangesNothing) {
  Workspace ws;
  one_sheet_job(ws);
  record(ws, "GK", {"GK(ID{GK000001}){JT{11}SR{22}CV(ID{CV000001}){000001,000002}}"});
  ASSERT_EQ(ws.convert("J").status, 0);
  std::vector<std::pair<std::string, std::string>> before;
  for (const std::string& name : ws.outputs()) before.emplace_back(name, ws.output(name));
  Result r = ws.convert("J");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.screen.find("エラー[64]"), std::string::npos);
  std::vector<std::pair<std::string, std::string>> after;
  for (const std::string& name : ws.outputs()) after.emplace_back(name, ws.output(name));
  EXPECT_EQ(before, after);
}

TEST(Failures, OnlyTheAttributeFileExists) {
  Workspace ws;
  one_sheet_job(ws);
  test::write_file(ws.out() + "/JHM.mid", "old");
  Result r = ws.convert("J");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(ws.output("JHM.mid"), "old");
  EXPECT_EQ(ws.output("JHM.mif"), "\x1A");  // created, closed by the end of the program
}

TEST(Failures, MissingSecondSheetKeepsTheFirstComplete) {
  Workspace ws;
  ws.job_list("J", crlf({"12345,X", "12346,Y"}));
  empty_sheet(ws, "12345");
  record(ws, "GK", {"GK(ID{GK000001}){JT{11}SR{22}CV(ID{CV000001}){000001,000002}}"});
  Result r = ws.convert("J");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.screen.find("Y\n\nSardane [201行]:エラー[63]"), std::string::npos) << r.screen;
  EXPECT_EQ(ws.output("JGK.mif"),
            gk_header() + crlf({"Pline 2 ", kPoint1, kPoint2, "    Pen (1,2,16732240)"}) + "\x1A");
  EXPECT_EQ(ws.output("JTK.mid"), "\x1A");
}

TEST(Failures, PointFileLimit) {
  Workspace ws;
  one_sheet_job(ws);
  std::string points;
  for (int k = 0; k < 200000; ++k) points += "0000000000000000\r\n";
  ws.sheet_file("12345", ".slp", points);
  EXPECT_EQ(ws.convert("J").status, 0);
  ws.sheet_file("12345", ".slp", points + "0000000000000000\r\n");
  Workspace ws2;
  one_sheet_job(ws2);
  ws2.sheet_file("12345", ".slp", points + "0000000000000000\r\n");
  Result r = ws2.convert("J");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.screen.find("エラー[9]"), std::string::npos);
}

}  // namespace
}  // namespace e2e
