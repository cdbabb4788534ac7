// make_disc: writes a synthetic map data disc in the data set's record shape.
//
//   make_disc OUT [--seed N] [--areas N] [--points N] [--mesh N] [--roads N]
//                 [--large N] [--job NAME]
//
// OUT/<job>.csv is the job list ("47201,那覇市" lines, CP932); OUT/DATA/<code>/
// holds each area's point file (.slp, 16-digit lines), origin (.slm), mesh
// (MH.slp, MH.sal) and one record file per layer. Every record is
// tag-framed text whose fixed byte positions line up with the tags. Roads
// have the real records' shape: an edge part behind the vertex list, and on
// one in kBridgeShare a bridge reference between the name and the list:
//   DK(ID{DK008218}){JT{11}YU{1D}SB{13}FI{19}NM{}HR(IR{HA47201000082})
//     CV(ID{CV018218}){005619,005668}EG(ID{EG008218}){BD(IR{ND47201004495})
//     BD(IR{ND47201004266})GM(IR{CV47201018218})}}   (one line)
// The other layers follow from --roads; --large adds areas of 199,000
// points. Names include マ (trail byte "}") and ソ/表 (trail byte 5C). The
// output is the same for the same arguments.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/base/cp932.h"
#include "runtime/texts.h"

namespace {

struct Options {
  std::string out;
  uint64_t seed = 1;
  int areas = 3;
  int points = 600;
  int mesh = 300;
  int roads = 300;
  int large = 0;
  std::string job = "47-沖縄県";
};

class Random {
 public:
  explicit Random(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint64_t next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 7;
    s_ ^= s_ << 17;
    return s_;
  }
  int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }

 private:
  uint64_t s_;
};

const char* const kPlaces[] = {"那覇市", "宜野湾市", "石垣市", "浦添市",
                               "名護市", "糸満市",   "沖縄市", "豊見城市"};
const char* const kRoadNames[] = {"国道58号", "国際通り",         "ソテツ通り", "表通り",
                                  "県道29号", "パイプライン通り", "マリン通り", "久茂地線"};
const char* const kRiverNames[] = {"安里川", "久茂地川", "国場川", "比謝川", "表川"};
const char* const kRailNames[] = {"ゆいレール", "沖縄都市モノレール線"};
const char* const kPlaceNames[] = {"牧志", "首里",     "泊",       "波之上", "壺屋",
                                   "表町", "ソテツ原", "マチナト", "安謝"};
const char* const kFacilities[] = {"那覇市役所", "県立図書館", "マリンプラザ",
                                   "表小学校",   "ソフト会館", "中央公民館"};
const char* const kAddresses[] = {"那覇市泉崎一丁目", "那覇市久茂地", "浦添市港川", "表町二丁目",
                                  "ソテツ台"};
const char* const kTunnels[] = {"那覇トンネル", "首里隧道", "表トンネル", "識名隧道"};
const char* const kBridges[] = {"泊大橋", "明治橋", "ソテツ橋", "表橋", "奥武山橋"};

constexpr int kBridgeShare = 10;  // one road in ten crosses a bridge

template <size_t N>
std::string pick(Random& r, const char* const (&list)[N]) {
  return rt::sjis(list[r.below(static_cast<int>(N))]);
}

void make_dirs(const std::string& path) {
  std::error_code ignored;
  std::filesystem::create_directories(path, ignored);
}

class Out {
 public:
  explicit Out(const std::string& path) : f_(std::fopen(path.c_str(), "wb")) {
    if (!f_) {
      std::perror(path.c_str());
      std::exit(1);
    }
  }
  ~Out() { std::fclose(f_); }
  void line(const std::string& s) {
    std::fwrite(s.data(), 1, s.size(), f_);
    std::fwrite("\r\n", 1, 2, f_);
  }

 private:
  FILE* f_;
};

std::string fmt(const char* f, long a) {
  char buf[64];
  std::snprintf(buf, sizeof buf, f, a);
  return buf;
}

// A vertex list of 2 to `most` point numbers. As in the data set, a line's
// inner points follow each other in the point file; its two end points are
// nodes shared with other lines anywhere in the sheet.
std::string vertex_list(Random& r, int points, int most) {
  int n = r.between(2, most);
  int run = r.between(1, points);
  std::string s;
  for (int k = 0; k < n; ++k) {
    if (k) s += ",";
    int p = (k == 0 || k == n - 1) ? r.between(1, points) : (run + k - 1) % points + 1;
    s += fmt("%06ld", p);
  }
  return s;
}

// Pads CP932 text with blanks to `width` bytes (never cutting a character).
std::string padded(const std::string& text, size_t width) {
  std::string out;
  for (const rt::Character c : rt::characters(text)) {
    if (out.size() + c.bytes.size() > width) break;
    out += c.bytes;
  }
  out.resize(width, ' ');
  return out;
}

void write_area(const Options& o, Random& r, int index, int code, int points) {
  const std::string c = std::to_string(code);
  const std::string dir = o.out + "/DATA/" + c + "/";
  make_dirs(dir);
  const std::string base = dir + c;
  {
    Out slp(base + ".slp");
    for (int k = 0; k < points; ++k)
      slp.line(fmt("%08ld", r.below(4500001)) + fmt("%08ld", r.below(3000001)));
  }
  {
    Out slm(base + ".slm");
    long x = 4590000000L + (index % 8) * 4500000L, y = 936000000L + (index / 8) * 3000000L;
    slm.line(std::to_string(x) + "," + std::to_string(y));
    slm.line("4500000,3000000");
  }
  {
    Out mslp(base + "MH.slp"), msal(base + "MH.sal");
    for (int k = 1; k <= o.mesh; ++k) {
      mslp.line(fmt("%08ld", (k % 50) * 90000L) + fmt("%08ld", (k / 50) * 60000L));
      int h = r.between(-3, 480);
      std::string hk = r.below(10) == 0 ? std::to_string(h) + ".5" : std::to_string(h);
      msal.line("MH(ID{MH" + fmt("%06ld", k) + "}){HK{" + hk + "}PT(ID{PM" + fmt("%06ld", k) +
                "}){" + fmt("%06ld", k) + "}}");
    }
  }
  const int roads = o.roads;
  auto id = [](const char* tag, int k) { return std::string(tag) + fmt("%06ld", k); };
  {
    Out f(base + "GK.sal");
    for (int k = 1; k <= roads / 4; ++k)
      f.line("GK(ID{" + id("GK", k) + "}){JT{" + fmt("%02ld", r.between(11, 14)) + "}SR{" +
             fmt("%02ld", r.between(1, 3)) + "}CV(ID{" + id("CV", k) + "}){" +
             vertex_list(r, points, 40) + "}}");
  }
  {
    Out f(base + "DK.sal");
    static const char* const kYu[] = {"1D", "2D", "3D", "1U"};
    // The bridge references come from a stream of their own, so that every
    // other record stays as it was before roads had them.
    Random bridges(o.seed * 100000 + static_cast<uint64_t>(code));
    for (int k = 1; k <= roads; ++k) {
      std::string name = r.below(3) == 0 ? pick(r, kRoadNames) : "";
      const std::string bridge =
          bridges.below(kBridgeShare) == 0
              ? "HR(IR{HA" + c + fmt("%06ld", bridges.between(1, roads / 10 + 1)) + "})"
              : "";
      f.line("DK(ID{" + id("DK", k) + "}){JT{" + fmt("%02ld", r.between(11, 19)) + "}YU{" +
             kYu[r.below(4)] + "}SB{" + fmt("%02ld", r.between(11, 19)) + "}FI{" +
             fmt("%02ld", r.between(11, 29)) + "}NM{" + name + "}" + bridge + "CV(ID{" +
             id("CV", 10000 + k) + "}){" + vertex_list(r, points, 40) + "}EG(ID{" + id("EG", k) +
             "}){BD(IR{ND" + c + fmt("%06ld", r.between(1, points)) + "})BD(IR{ND" + c +
             fmt("%06ld", r.between(1, points)) + "})GM(IR{CV" + c + fmt("%06ld", 10000 + k) +
             "})}}");
    }
  }
  {
    Out f(base + "KK.sal");
    for (int k = 1; k <= roads / 4; ++k) {
      std::string name = r.below(2) == 0 ? pick(r, kRiverNames) : "";
      f.line("KK(ID{" + id("KK", k) + "}){SB{" + fmt("%02ld", r.between(51, 53)) + "}NM{" + name +
             "}CV(ID{" + id("CV", 20000 + k) + "}){" + vertex_list(r, points, 40) + "}}");
    }
  }
  {
    Out f(base + "SK.sal");
    for (int k = 1; k <= roads / 4; ++k)
      f.line("SK(ID{" + id("SK", k) + "}){SR{" + fmt("%02ld", r.between(1, 4)) + "}CV(ID{" +
             id("CV", 30000 + k) + "}){" + vertex_list(r, points, 40) + "}}");
  }
  {
    Out f(base + "CM.sal");
    for (int k = 1; k <= roads / 4; ++k)
      f.line("CM(ID{" + id("CM", k) + "}){SR{" + fmt("%02ld", r.between(1, 9)) + "}NM{" +
             pick(r, kPlaceNames) + "}PT(ID{" + id("PM", k) + "}){" +
             fmt("%06ld", r.between(1, points)) + "}}");
  }
  {
    Out f(base + "KO.sal");
    for (int k = 1; k <= roads / 8; ++k)
      f.line("KO(ID{" + id("KO", k) + "}){SB{" + fmt("%04ld", r.between(3001, 3099)) + "}NM{" +
             pick(r, kFacilities) + "}JS{" + pick(r, kAddresses) + "}PT(ID{" + id("PM", 50000 + k) +
             "}){" + fmt("%06ld", r.between(1, points)) + "}}");
  }
  {
    Out f(base + "KJ.sal");
    for (int k = 1; k <= roads / 16 + 1; ++k)
      f.line("KJ(ID{" + id("KJ", k) + "}){SR{" + fmt("%02ld", r.between(1, 4)) + "}NM{" +
             pick(r, kPlaceNames) + " }HK{" + std::to_string(r.between(1, 400)) + "." +
             std::to_string(r.below(10)) + "}PT(ID{" + id("PM", 60000 + k) + "}){" +
             fmt("%06ld", r.between(1, points)) + "}ZK(ID{" + id("ZK", k) + "}){" +
             fmt("%08ld", r.below(100000000)) + "}}");
  }
  {
    Out f(base + "TK.sal");
    for (int k = 1; k <= roads / 20 + 1; ++k) {
      std::string name = r.below(4) == 0 ? "" : pick(r, kRailNames);
      f.line("TK(ID{" + id("TK", k) + "}){SB{" + fmt("%02ld", r.between(41, 44)) + "}SR{" +
             fmt("%02ld", r.between(1, 3)) + "}NM{" + name + "}CV(ID{" + id("CV", 40000 + k) +
             "}){" + vertex_list(r, points, 40) + "}}");
    }
  }
  auto extract = [&](const char* code, int count, auto names) {
    Out f(base + code + ".sal");
    for (int k = 1; k <= count; ++k)
      f.line(std::string(code) + "(ID{" + id(code, k) + "}){SB{" + fmt("%02ld", r.between(1, 9)) +
             "}NAM{" + padded(names(), 13) + "}DK(ID{" + id("DK", r.between(1, roads)) + "})}");
  };
  extract("TO", roads / 20 + 1, [&] { return pick(r, kTunnels); });
  extract("HA", roads / 10 + 1, [&] { return pick(r, kBridges); });
}

int usage() {
  std::fprintf(stderr,
               "usage: make_disc OUT [--seed N] [--areas N] [--points N] [--mesh N] [--roads N]"
               " [--large N] [--job NAME]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (argc < 2) return usage();
  o.out = argv[1];
  for (int i = 2; i + 1 < argc; i += 2) {
    std::string k = argv[i];
    const char* v = argv[i + 1];
    if (k == "--seed")
      o.seed = std::strtoull(v, nullptr, 10);
    else if (k == "--areas")
      o.areas = std::atoi(v);
    else if (k == "--points")
      o.points = std::atoi(v);
    else if (k == "--mesh")
      o.mesh = std::atoi(v);
    else if (k == "--roads")
      o.roads = std::atoi(v);
    else if (k == "--large")
      o.large = std::atoi(v);
    else if (k == "--job")
      o.job = v;
    else
      return usage();
  }
  make_dirs(o.out);
  Random r(o.seed);
  Out list(o.out + "/" + o.job + ".csv");
  int total = o.areas + o.large;
  for (int a = 0; a < total; ++a) {
    int code = 47201 + a;
    std::string place = rt::sjis(kPlaces[a % 8]) + (a >= 8 ? std::to_string(a / 8 + 1) : "");
    list.line(std::to_string(code) + "," + place);
    write_area(o, r, a, code, a < o.areas ? o.points : 199000);
  }
  return 0;
}
