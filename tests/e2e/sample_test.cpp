// The bundled sample disc converted end to end and read back by a real GIS
// client: GDAL's ogrinfo must read every feature of every layer, without an
// ERROR, and return the Japanese names as UTF-8.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

const std::string kJob = "47-沖縄県";  // UTF-8 file names on the disc and in the output folder

size_t count_lines(const std::string& bytes) {
  size_t n = 0;
  for (char c : bytes) n += c == '\n';
  return n;
}

// Records of a layer across the sample's areas.
size_t sample_records(const std::string& suffix) {
  size_t n = 0;
  for (const auto& area : std::filesystem::directory_iterator(std::string(SAMPLE_DISC) + "/DATA")) {
    std::string code = area.path().filename().string();
    n += count_lines(test::read_file(area.path().string() + "/" + code + suffix));
  }
  return n;
}

class Sample : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ws_ = new Workspace;
    result_ = ws_->run(std::string(SAMPLE_DISC) + "\n" + kJob + "\n\n");
  }
  static void TearDownTestSuite() { delete ws_; }
  static Workspace* ws_;
  static Result result_;
};
Workspace* Sample::ws_ = nullptr;
Result Sample::result_;

TEST_F(Sample, ConvertsEveryLayer) {
  ASSERT_EQ(result_.status, 0) << result_.screen;
  EXPECT_EQ(ws_->outputs().size(), 20u);
  for (const std::string& name : ws_->outputs())
    EXPECT_EQ(ws_->output(name).back(), '\x1A') << name;
  struct Layer {
    const char* code;
    const char* records;
  } layers[] = {{"HM", "MH.slp"}, {"GK", "GK.sal"}, {"DK", "DK.sal"},
                {"KK", "KK.sal"}, {"SK", "SK.sal"}, {"CM", "CM.sal"},
                {"KO", "KO.sal"}, {"KJ", "KJ.sal"}, {"TK", "TK.sal"}};
  for (const Layer& l : layers)
    EXPECT_EQ(count_lines(ws_->output(kJob + l.code + ".mid")), sample_records(l.records))
        << l.code;
  EXPECT_EQ(count_lines(ws_->output(kJob + "TO.txt")), sample_records("TO.sal"));
}

struct Reading {
  size_t features = 0;
  std::string out, err;
};

Reading ogrinfo(const Workspace& ws, const std::string& file) {
  test::TempDir tmp;
  std::string cmd = "ogrinfo -ro -al '" + ws.out() + "/" + file + "' > '" + tmp.file("o") +
                    "' 2> '" + tmp.file("e") + "'";
  Reading r;
  if (std::system(cmd.c_str()) != 0) return r;
  r.out = tmp.read("o");
  r.err = tmp.read("e");
  for (size_t p = r.out.find("\nOGRFeature("); p != std::string::npos;
       p = r.out.find("\nOGRFeature(", p + 1))
    ++r.features;
  return r;
}

TEST_F(Sample, GdalReadsEveryFeature) {
  ASSERT_EQ(std::system("command -v ogrinfo > /dev/null"), 0)
      << "ogrinfo (gdal-bin) is not installed";
  for (const char* code : {"HM", "GK", "DK", "KK", "SK", "CM", "KO", "KJ", "TK"}) {
    std::string file = kJob + code + ".mif";
    Reading r = ogrinfo(*ws_, file);
    EXPECT_EQ(r.features, count_lines(ws_->output(kJob + code + ".mid"))) << code;
    EXPECT_EQ(r.err.find("ERROR"), std::string::npos) << code << ": " << r.err.substr(0, 400);
  }
  struct Name {
    const char* code;
    const char* text;
  } names[] = {{"KO", "name (String) = マリンプラザ"},   {"KO", "name (String) = 表小学校"},
               {"DK", "name (String) = ソテツ通り"},     {"DK", "name (String) = 表通り"},
               {"TK", "name (String) = ゆいレール"},     {"CM", "name (String) = 首里"},
               {"KO", "adress (String) = 那覇市久茂地"}, {"KJ", "name (String) = 首里"}};
  for (const Name& n : names)
    EXPECT_NE(ogrinfo(*ws_, kJob + n.code + ".mif").out.find(n.text), std::string::npos) << n.text;
}

}  // namespace
}  // namespace e2e
