// The tunnel and bridge extracts: bytes 28 to 40 of each record up to the
// sheet's first empty record.
#include <gtest/gtest.h>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

class GoldenExtract : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenExtract, CopiesBytes28To40) {
  const std::string code = GetParam();
  Workspace ws;
  ws.job_list("J", crlf({"12345,X", "12346,Y"}));
  empty_sheet(ws, "12345");
  empty_sheet(ws, "12346");
  const std::string dots(27, '.');
  ws.sheet_file("12345", code + ".sal",
                crlf({dots + "abc", std::string(27, '-'), dots + "0123456789ABCDEFGHIJKLM",
                      // a double-byte character straddling byte 28 is cut in two
                      std::string(26, '.') + sj("あ") + "z", "", dots + "never written"}));
  ws.sheet_file("12346", code + ".sal", crlf({dots + "second sheet!!!"}));
  ASSERT_EQ(ws.convert("J").status, 0);
  EXPECT_EQ(ws.output("J" + code + ".txt"),
            crlf({"abc", "", "0123456789ABC", "\xA0z", "second sheet!"}) + "\x1A");
}

TEST_P(GoldenExtract, FirstRecordEmptyWritesNothing) {
  const std::string code = GetParam();
  Workspace ws;
  one_sheet_job(ws);
  ws.sheet_file("12345", code + ".sal", crlf({"", std::string(40, 'x')}));
  ASSERT_EQ(ws.convert("J").status, 0);
  EXPECT_EQ(ws.output("J" + code + ".txt"), "\x1A");
}

INSTANTIATE_TEST_SUITE_P(Extracts, GoldenExtract, ::testing::Values("TO", "HA"));

}  // namespace
}  // namespace e2e
