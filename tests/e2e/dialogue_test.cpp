// The operator's dialogue through the line console, and jobs of more than
// one sheet.
#include <gtest/gtest.h>

#include "runtime/platform/codepage.h"
#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

std::string progress() {
  return sj(
      "  標高メッシュ  トンネル情報（テキストデータ）  橋情報（テキストデータ）\n"
      "  行政界ライン  道路ライン  河川ライン  水際ライン  地名ポイント\n"
      "  公共施設ポイント  基準点ポイント  鉄道ライン\n");
}

std::string to_utf8(const std::string& cp932) {
  return rt::platform::cp932_to_utf8_display(cp932);
}

TEST(Dialogue, TwoSheetTranscript) {
  Workspace ws;
  ws.job_list("J", crlf({"12345,X", "12346," + sj("那覇市")}));
  empty_sheet(ws, "12345");
  empty_sheet(ws, "12346");
  Result r = ws.convert("J");
  ASSERT_EQ(r.status, 0) << r.screen << r.errors;
  EXPECT_EQ(r.screen, "ＣＤドライブ　例（ d: ）" + ws.disc() + "\n" +
                          "ファイル処理一覧csvファイル名入力して下さい。\n"
                          "例）47-沖縄県　（拡張子.csvは不要）? J\n"
                          "J処理ファイル一覧GET\n"
                          "X\n" +
                          to_utf8(progress()) + "那覇市\n" + to_utf8(progress()) +
                          "処理終了　(push Enter key) ? \n");
}

TEST(Dialogue, JobNameIsTrimmedAndRetriedOnComma) {
  Workspace ws;
  one_sheet_job(ws);
  Result r = ws.run(ws.disc() + "\nJ,K\n  J  \n\n");
  ASSERT_EQ(r.status, 0) << r.screen;
  EXPECT_NE(r.screen.find("? J,K\nもう一度入力してください\n例）"), std::string::npos) << r.screen;
  EXPECT_TRUE(ws.has_output("JGK.mif"));
}

// Answers come as UTF-8, or as CP932 when a line is not UTF-8 (piped from a
// Windows command line): the same job either way.
TEST(Dialogue, AnswersInEitherEncoding) {
  for (const std::string& job : {std::string("47-沖縄県"), sj("47-沖縄県")}) {
    Workspace ws;
    Result r = ws.run(std::string(SAMPLE_DISC) + "\n" + job + "\n\n");
    ASSERT_EQ(r.status, 0) << r.screen;
    EXPECT_NE(r.screen.find("? 47-沖縄県\n47-沖縄県処理ファイル一覧GET\n"), std::string::npos)
        << r.screen;
    EXPECT_EQ(ws.outputs().size(), 20u);
  }
}

TEST(Dialogue, WorkedExample) {
  Workspace ws;
  one_sheet_job(ws);
  ws.sheet_file("12345", "CM.sal", crlf({"CM(ID{CM000001}){SR{11}NM{a}PT(ID{PM000001}){000001}}"}));
  ASSERT_EQ(ws.convert("J").status, 0);
  EXPECT_NE(ws.output("JCM.mif").find("Point  127.510000 26.005000\r\n"), std::string::npos);
}

TEST(Dialogue, TwoSheetsOneHeaderObjectsInJobOrder) {
  Workspace ws;
  ws.job_list("J", crlf({"12346,Y", "12345,X"}));
  empty_sheet(ws, "12345");
  empty_sheet(ws, "12346");
  // The second sheet's origin lies 36" further east and north.
  ws.sheet_file("12346", ".slm", crlf({"4590360000,936360000"}));
  ws.sheet_file("12346", "CM.sal", crlf({"CM(ID{CM000001}){SR{11}NM{a}PT(ID{PM000001}){000003}}"}));
  ws.sheet_file("12345", "CM.sal", crlf({"CM(ID{CM000002}){SR{12}NM{b}PT(ID{PM000002}){000003}}"}));
  ws.sheet_file("12346", "SK.sal",
                crlf({"SK(ID{SK000001}){SR{11}CV(ID{CV000001}){000003,000001}}"}));
  ws.sheet_file("12345", "SK.sal",
                crlf({"SK(ID{SK000002}){SR{12}CV(ID{CV000002}){000002,000003}}"}));
  ws.sheet_file("12345", "MH.slp", crlf({"0000000000000000"}));
  ws.sheet_file("12345", "MH.sal", crlf({"{HK{7}"}));
  ASSERT_EQ(ws.convert("J").status, 0);
  const std::string sym = "    Symbol (67,16711680,12)";
  EXPECT_EQ(ws.output("JCM.mif"),
            header({"  id char(8)", "  sr char(2)", "  name char(32)"}) +
                crlf({"Point  127.510000 26.010000", sym, "Point " + kOrigin, sym}) + "\x1A");
  EXPECT_EQ(ws.output("JCM.mid"),
            crlf({"\"CM000001\",\"11\",\"a\"", "\"CM000002\",\"12\",\"b\""}) + "\x1A");
  const std::string pen = "    Pen (1,2,255)";
  EXPECT_EQ(ws.output("JSK.mif"),
            header({"  id char(8)", "  sr char(2)"}) +
                crlf({"Pline 2 ", " 127.510000 26.010000", " 127.520000 26.015000", pen, "Pline 2 ",
                      kPoint2, kOrigin, pen}) +
                "\x1A");
  // The first sheet had no mesh points: the second sheet's follow the header.
  EXPECT_EQ(ws.output("JHM.mif"),
            header({"  H Integer"}) + crlf({"Point " + kOrigin, "    Symbol (34,0,4)"}) + "\x1A");
  EXPECT_EQ(ws.output("JHM.mid"), crlf({" 7 "}) + "\x1A");
}

TEST(Dialogue, EveryLayerIsWritten) {
  Workspace ws;
  one_sheet_job(ws);
  ASSERT_EQ(ws.convert("J").status, 0);
  // Empty record files: each .mif holds its header block, every file its final byte.
  const std::vector<std::pair<const char*, std::vector<std::string>>> headers = {
      {"HM", {"  H Integer"}},
      {"GK", {"  id char(8)", "  jt char(2)", "  sr char(2)"}},
      {"DK",
       {"  id char(8)", "  jt char(2)", "  yu char(2)", "  sb char(2)", "  fi char(2)",
        "  name char(32)"}},
      {"KK", {"  id char(8)", "  sb char(2)", "  name char(32)"}},
      {"SK", {"  id char(8)", "  sr char(2)"}},
      {"CM", {"  id char(8)", "  sr char(2)", "  name char(32)"}},
      {"KO", {"  id char(8)", "  code char(4)", "  name char(64)", "  adress char(64)"}},
      {"KJ", {"  id char(8)", "  sr char(2)", "  name char(16)", "  H char(12)"}},
      {"TK", {"  name char(64)"}}};
  for (const auto& [code, columns] : headers) {
    EXPECT_EQ(ws.output(std::string("J") + code + ".mif"), header(columns) + "\x1A") << code;
    EXPECT_EQ(ws.output(std::string("J") + code + ".mid"), "\x1A") << code;
  }
  EXPECT_EQ(ws.output("JTO.txt"), "\x1A");
  EXPECT_EQ(ws.output("JHA.txt"), "\x1A");
  EXPECT_EQ(ws.outputs(),
            (std::vector<std::string>{"JCM.mid", "JCM.mif", "JDK.mid", "JDK.mif", "JGK.mid",
                                      "JGK.mif", "JHA.txt", "JHM.mid", "JHM.mif", "JKJ.mid",
                                      "JKJ.mif", "JKK.mid", "JKK.mif", "JKO.mid", "JKO.mif",
                                      "JSK.mid", "JSK.mif", "JTK.mid", "JTK.mif", "JTO.txt"}));
}

}  // namespace
}  // namespace e2e
