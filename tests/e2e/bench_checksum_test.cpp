// The benchmark job's output, byte for byte: its checksum is kept in the
// golden data, so an optimisation that changes one byte of it fails here.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

TEST(BenchJob, OutputChecksumIsUnchanged) {
  Workspace ws;
  // The same disc as bench/bench.cpp generates.
  std::string gen =
      std::string(MAKE_DISC_BIN) + " '" + ws.disc() +
      "' --seed 47 --job JOB --areas 40 --points 30000 --mesh 30000 --roads 8000 --large 3";
  ASSERT_EQ(std::system(gen.c_str()), 0);
  Result r = ws.run(ws.disc() + "\nJOB\n\n");
  ASSERT_EQ(r.status, 0);
  test::TempDir tmp;
  std::string sum = "cd '" + ws.out() + "' && LC_ALL=C sh -c 'cat * | md5sum' | cut -c1-32 > '" +
                    tmp.file("md5") + "'";
  ASSERT_EQ(std::system(sum.c_str()), 0);
  std::string want = test::read_file(std::string(GOLDEN_DIR) + "/bench_job.md5");
  EXPECT_EQ(tmp.read("md5"), want);
}

}  // namespace
}  // namespace e2e
