// Fuzz target: the layer converters. The first byte chooses the layer; the
// rest is its record file (for the elevation layer, the mesh points up to
// the first NUL byte and then the records). A small point table and origin
// are set up once; the sheet counts as a later sheet, so the outputs are
// appended to (and removed after every run).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "convert/job.h"
#include "convert/layers/layers.h"
#include "convert/sheet.h"
#include "runtime/errors.h"
#include "runtime/files.h"

namespace {

convert::Job& job() {
  static convert::Job j = [] {
    convert::Job j;
    j.job_name = "F";
    j.position = 2;
    j.converted = 1;
    j.sheet_code = "12345";
    j.points.dim(200000);
    j.vertices.dim(30000);
    j.points.store(1, "00360000 00180000");
    j.points.store(2, "0000001800000018");
    j.points.store(3, "x");
    j.points.set_x_origin(459000);
    j.points.set_y_origin(93600);
    return j;
  }();
  return j;
}

const std::string& root() {
  static const std::string dir = [] {
    std::string d = "/tmp/sardane-fuzz-conv-" + std::to_string(getpid());
    std::filesystem::create_directories(d + "/DATA/12345");
    std::filesystem::current_path(d);
    job().drive = d;
    return d;
  }();
  return dir;
}

void write(const std::string& name, const uint8_t* data, size_t size) {
  FILE* f = std::fopen((root() + "/DATA/12345/12345" + name).c_str(), "wb");
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static void (*const kLayers[])(convert::Job&) = {
      convert::convert_elevation,      convert::convert_tunnels,     convert::convert_bridges,
      convert::convert_boundaries,     convert::convert_roads,       convert::convert_rivers,
      convert::convert_waterlines,     convert::convert_place_names, convert::convert_facilities,
      convert::convert_control_points, convert::convert_railways};
  static const char* const kFiles[] = {"MH.sal", "TO.sal", "HA.sal", "GK.sal", "DK.sal", "KK.sal",
                                       "SK.sal", "CM.sal", "KO.sal", "KJ.sal", "TK.sal"};
  size_t layer = data[0] % 11;
  root();
  const uint8_t* body = data + 1;
  size_t n = size - 1;
  if (layer == 0) {
    size_t cut = 0;
    while (cut < n && body[cut] != 0) ++cut;
    write("MH.slp", body, cut);
    write("MH.sal", body + (cut < n ? cut + 1 : n), cut < n ? n - cut - 1 : 0);
  } else {
    write(kFiles[layer], body, n);
  }
  try {
    kLayers[layer](job());
  } catch (const rt::RuntimeError&) {
  }
  rt::files::close_all_quietly();
  for (const auto& e : std::filesystem::directory_iterator(root()))
    if (e.is_regular_file()) std::filesystem::remove(e.path());
  return 0;
}
