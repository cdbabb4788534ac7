// -k: damaged sheets of a five-sheet disc are left out. Each case compares
// the outputs byte for byte with a normal run of the job list without those
// sheets, and checks the notices, the list before the final prompt, the
// lines on standard error and exit status 5.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const std::string kCodes[] = {"47201", "47202", "47203", "47204", "47205"};
const char* const kNames[] = {"那覇市", "宜野湾市", "石垣市", "浦添市", "名護市"};

void make_disc(const Workspace& ws) {
  const std::string cmd = std::string(MAKE_DISC_BIN) + " '" + ws.disc() +
                          "' --areas 5 --points 200 --mesh 100 --roads 30 --job K > /dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
}

std::string sheet_path(const Workspace& ws, int sheet, const std::string& suffix) {
  const std::string& code = kCodes[sheet];
  return ws.disc() + "/DATA/" + code + "/" + code + suffix;
}

// Damage of one kind to a sheet's file: the error it raises there, and the
// file and record the notice names ("" and 0 when it names none).
struct Damage {
  std::function<void(const Workspace&, int)> apply;
  int code;
  std::string file;  // the sheet's file, by its suffix
  int record;
};

const Damage kMissingRoads{
    [](const Workspace& ws, int s) { fs::remove(sheet_path(ws, s, "DK.sal")); }, 63, "DK.sal", 0};
const Damage kShortRoad{[](const Workspace& ws, int s) {
                          std::string bytes = test::read_file(sheet_path(ws, s, "DK.sal"));
                          const size_t second = bytes.find("\r\n") + 2;
                          const size_t third = bytes.find("\r\n", second) + 2;
                          const size_t end = bytes.find("\r\n", third);
                          bytes.erase(third + 10, end - third - 10);
                          test::write_file(sheet_path(ws, s, "DK.sal"), bytes);
                        },
                        5, "DK.sal", 3};
const Damage kEmptyOrigin{
    [](const Workspace& ws, int s) { test::write_file(sheet_path(ws, s, ".slm"), ""); }, 54, ".slm",
    1};
const Damage kLongLine{[](const Workspace& ws, int s) {
                         test::write_file(sheet_path(ws, s, "KK.sal"), std::string(40000, 'x'));
                       },
                       15, "KK.sal", 1};
const Damage kMissingPoints{
    [](const Workspace& ws, int s) { fs::remove(sheet_path(ws, s, ".slp")); }, 63, ".slp", 0};

struct Case {
  const char* name;
  std::vector<std::pair<int, Damage>> damaged;  // sheet index, damage
  // An edit to both discs: what a sheet after a left-out one sees.
  std::function<void(const Workspace&)> both = [](const Workspace&) {};
};

// The third sheet's point file cut to its first 100 lines: its records then
// read points 101 to 200 as an earlier sheet left them.
void short_third_point_file(const Workspace& ws) {
  std::string bytes = test::read_file(sheet_path(ws, 2, ".slp"));
  size_t end = 0;
  for (int k = 0; k < 100; ++k) end = bytes.find("\r\n", end) + 2;
  test::write_file(sheet_path(ws, 2, ".slp"), bytes.substr(0, end));
}

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class KeepGoing : public ::testing::TestWithParam<Case> {};

TEST_P(KeepGoing, LeavesOutTheDamagedSheets) {
  const Case& c = GetParam();
  Workspace damaged, reference;
  make_disc(damaged);
  make_disc(reference);
  std::vector<std::string> kept;
  for (int s = 0; s < 5; ++s) {
    bool left_out = false;
    for (const auto& [sheet, damage] : c.damaged) left_out = left_out || sheet == s;
    if (!left_out) kept.push_back(kCodes[s] + "," + sj(kNames[s]));
  }
  reference.job_list("K", crlf(kept));
  c.both(damaged);
  c.both(reference);
  for (const auto& [sheet, damage] : c.damaged) damage.apply(damaged, sheet);

  const Result want = reference.convert("K");
  ASSERT_EQ(want.status, 0) << want.screen;
  const Result got = damaged.run(damaged.disc() + "\nK\n\n", std::string(SARDANE_BIN) + "' '-k");
  EXPECT_EQ(got.status, 5) << got.screen << got.errors;

  const std::vector<std::string> names = reference.outputs();
  EXPECT_EQ(damaged.outputs(), names);
  for (const std::string& name : names)
    EXPECT_TRUE(damaged.output(name) == reference.output(name)) << name;

  std::string list = "変換できなかった図葉：\n";
  for (const auto& [sheet, damage] : c.damaged) {
    const std::string file = kCodes[sheet] + damage.file;
    const std::string place =
        damage.record
            ? "入力ファイル " + file + " の " + std::to_string(damage.record) +
                  " 件目のレコードで中止しました。\nこの図葉を除いて処理を続けます。"
            : "入力ファイル " + file + " で中止しました。\nこの図葉を除いて処理を続けます。";
    EXPECT_NE(got.screen.find("]:エラー[" + std::to_string(damage.code) + "]\n" + place),
              std::string::npos)
        << got.screen;
    EXPECT_NE(got.errors.find("sardane: " + kCodes[sheet] + " " + kNames[sheet] + ": " + file +
                              (damage.record ? " record " + std::to_string(damage.record) : "") +
                              ": error " + std::to_string(damage.code)),
              std::string::npos)
        << got.errors;
    list += "  " + kCodes[sheet] + " " + kNames[sheet] + "\n";
  }
  EXPECT_NE(got.screen.find(list + "処理終了"), std::string::npos) << got.screen;
}

INSTANTIATE_TEST_SUITE_P(
    Discs, KeepGoing,
    ::testing::Values(
        Case{"first sheet", {{0, kMissingRoads}}}, Case{"middle sheet", {{2, kShortRoad}}},
        Case{"last sheet", {{4, kEmptyOrigin}}},
        Case{"first and last", {{0, kLongLine}, {4, kShortRoad}}},
        Case{"two in the middle", {{1, kMissingPoints}, {3, kLongLine}}},
        Case{"points of a left-out sheet unseen", {{1, kEmptyOrigin}}, short_third_point_file}));

// Without damage the option changes nothing.
TEST(KeepGoingWithout, DamageChangesNothing) {
  Workspace plain, keeping;
  make_disc(plain);
  make_disc(keeping);
  const Result want = plain.convert("K");
  const Result got = keeping.run(keeping.disc() + "\nK\n\n", std::string(SARDANE_BIN) + "' '-k");
  EXPECT_EQ(want.status, 0);
  EXPECT_EQ(got.status, 0);
  // The screens differ only by the disc's folder, echoed at the first prompt.
  const size_t after_drive = want.screen.find('\n');
  EXPECT_TRUE(got.screen.substr(got.screen.find('\n')) == want.screen.substr(after_drive));
  EXPECT_EQ(got.errors, "");
  for (const std::string& name : plain.outputs())
    EXPECT_TRUE(keeping.output(name) == plain.output(name)) << name;
}

// A write the system refuses still stops the job, as without the option.
TEST(KeepGoingWithout, RefusedWriteStillStops) {
  Workspace ws;
  const std::string cmd = std::string(MAKE_DISC_BIN) + " '" + ws.disc() +
                          "' --areas 2 --points 3000 --mesh 3000 --roads 400 --job K > /dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  const Result r =
      ws.run(ws.disc() + "\nK\n\n", "/bin/sh' -c 'trap \"\" XFSZ; ulimit -f 128; exec " +
                                        std::string(SARDANE_BIN) + " -k");
  EXPECT_EQ(r.status, 1) << r.screen;
  // Wine reports the file-size limit as a device fault.
  EXPECT_NE(r.screen.find(kUnderWine ? ":エラー[27]" : ":エラー[67]"), std::string::npos)
      << r.screen;
  EXPECT_EQ(r.screen.find("この図葉を除いて"), std::string::npos) << r.screen;
}

}  // namespace
}  // namespace e2e
