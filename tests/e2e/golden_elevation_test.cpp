#include <gtest/gtest.h>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

TEST(GoldenElevation, PointsAndElevations) {
  Workspace ws;
  one_sheet_job(ws);
  ws.sheet_file("12345", "MH.slp",
                crlf({"00360000 00180000", "00000018 00000018", "0000000000000000",
                      "00360000 00180000", "0000000000000000", "0000000000000000"}));
  ws.sheet_file("12345", "MH.sal",
                crlf({"MH(ID{MH000001}){HK{123}PT(ID{PM000001}){000001}}",
                      "MH(ID{MH000002}){HK{-5}PT(ID{PM000002}){000002}}",
                      "MH(ID{MH000003}){HK{12.5}PT(ID{PM000003}){000003}}",
                      "MH(ID{MH000004}){HK{13.5}PT(ID{PM000004}){000004}}",
                      "xyz12}",  // no tag: the elevation is read from the fourth byte
                      "MH(ID{MH000006}){HK{}PT(ID{PM000006}){000006}}",
                      "lines beyond the point file are ignored"}));
  Result r = ws.convert("J");
  ASSERT_EQ(r.status, 0) << r.screen;
  const std::string sym = "    Symbol (34,0,4)";
  EXPECT_EQ(ws.output("JHM.mif"),
            header({"  H Integer"}) +
                crlf({"Point " + kPoint1, sym, "Point " + kPoint2, sym, "Point " + kOrigin, sym,
                      "Point " + kPoint1, sym, "Point " + kOrigin, sym, "Point " + kOrigin, sym}) +
                "\x1A");
  EXPECT_EQ(ws.output("JHM.mid"), crlf({" 123 ", "-5 ", " 12 ", " 14 ", " 12 ", " 0 "}) + "\x1A");
}

TEST(GoldenElevation, EmptyMeshGivesHeaderOnly) {
  Workspace ws;
  one_sheet_job(ws);
  ASSERT_EQ(ws.convert("J").status, 0);
  EXPECT_EQ(ws.output("JHM.mif"), header({"  H Integer"}) + "\x1A");
  EXPECT_EQ(ws.output("JHM.mid"), "\x1A");
}

}  // namespace
}  // namespace e2e
