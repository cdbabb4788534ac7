// The benchmark: a prefecture-size job, measured against the floor (a plain
// copy of the output bytes) and a real GIS writer (GDAL's MIF writer).
//
//   sardane_bench [--profile] [--keep DIR]
//
// Generates, with make_disc and seed 47, 40 areas of 30,000 points, 30,000
// mesh points and 8,000 roads (the other layers in proportion) plus three
// areas of 199,000 points into a temporary folder; runs the whole job
// through the line console five times, each run followed by `cat` of its
// outputs (the floor), the disk written out before every run; prints for
// the median runs wall and CPU time, bytes read and written, output MB/s,
// objects/s, vertices/s and peak resident memory; then the Windows build
// under Wine and `ogr2ogr -f "MapInfo File" -dsco FORMAT=MIF` on a road
// layer of about 20 MB, and the ratios. With --profile the job (a smaller one) runs under callgrind and the ten
// hottest functions are printed.
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Run {
  double wall = 0, cpu = 0;
  long max_rss_kb = 0;
  int status = -1;
};

// Runs a shell command as a child and measures it with wait4.
Run measure(const std::string& command) {
  Run r;
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  r.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  r.cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
          usage.ru_stime.tv_usec / 1e6;
  r.max_rss_kb = usage.ru_maxrss;
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

uintmax_t tree_bytes(const fs::path& dir) {
  uintmax_t n = 0;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) n += e.file_size();
  return n;
}

uintmax_t count_lines(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  uintmax_t n = 0;
  char buf[1 << 16];
  while (in.read(buf, sizeof buf) || in.gcount() > 0) {
    for (std::streamsize k = 0; k < in.gcount(); ++k) n += buf[k] == '\n';
  }
  return n;
}

// Vertex lines: the .mif lines of the polyline layers that are neither the
// header, nor Pline, nor Pen lines.
uintmax_t count_vertices(const fs::path& mif) {
  std::ifstream in(mif, std::ios::binary);
  std::string line;
  uintmax_t n = 0;
  bool data = false;
  while (std::getline(in, line)) {
    if (!data) {
      data = line.rfind("Data", 0) == 0;
      continue;
    }
    if (line.size() > 2 && line[0] == ' ' && line[1] != ' ') ++n;
  }
  return n;
}

std::string quote(const std::string& s) {
  return "'" + s + "'";
}

Run median(std::vector<Run> runs) {
  std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.wall < b.wall; });
  return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  bool profile = false;
  std::string keep;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--profile")
      profile = true;
    else if (a == "--keep" && i + 1 < argc)
      keep = argv[++i];
    else {
      std::fprintf(stderr, "usage: sardane_bench [--profile] [--keep DIR]\n");
      return 2;
    }
  }
  const std::string bin = SARDANE_BIN, make_disc = MAKE_DISC_BIN;
  char tmpl[] = "/tmp/sardane-bench-XXXXXX";
  fs::path root = keep.empty() ? fs::path(mkdtemp(tmpl)) : fs::path(keep);
  fs::create_directories(root);
  fs::path disc = root / "disc", out = root / "out";
  fs::remove_all(disc);
  fs::remove_all(out);
  fs::create_directories(out);
  std::string gen = make_disc + " " + quote(disc) + " --seed 47 --job JOB " +
                    (profile ? "--areas 4 --points 30000 --mesh 30000 --roads 8000 --large 1"
                             : "--areas 40 --points 30000 --mesh 30000 --roads 8000 --large 3");
  if (std::system(gen.c_str()) != 0) return 1;
  const std::string answers = "printf '%s\\nJOB\\n\\n' " + quote(disc);
  const std::string env = "env SARDANE_REGISTRY_USER=" + quote(root / "registry") + " ";

  if (profile) {
    std::string cmd =
        "cd " + quote(out) + " && " + answers + " | " + env +
        "valgrind --tool=callgrind --callgrind-out-file=" + quote(root / "callgrind.out") + " " +
        bin + " > /dev/null 2> /dev/null && callgrind_annotate " + quote(root / "callgrind.out") +
        " 2>/dev/null | grep -E '^ *[0-9,]+ \\(' | head -n 11";
    std::printf("Ten hottest functions (instructions):\n");
    std::fflush(stdout);
    int rc = std::system(cmd.c_str());
    if (keep.empty()) fs::remove_all(root);
    return rc == 0 ? 0 : 1;
  }

  // Five rounds of the job and of the copy of its outputs, side by side;
  // the median run of each counts. Every run starts with the disk written
  // out, so that neither pays for the one before it.
  std::vector<Run> jobs, copies;
  for (int k = 0; k < 5; ++k) {
    fs::remove_all(out);
    fs::create_directories(out);
    sync();
    jobs.push_back(
        measure("cd " + quote(out) + " && " + answers + " | " + env + bin + " > /dev/null"));
    if (jobs.back().status != 0) {
      std::fprintf(stderr, "the job failed (status %d)\n", jobs.back().status);
      return 1;
    }
    sync();
    copies.push_back(measure("cat " + quote(out) + "/* > " + quote(root / "copy.bin")));
    fs::remove(root / "copy.bin");
  }
  const Run job = median(jobs);
  uintmax_t read = tree_bytes(disc), written = tree_bytes(out), objects = 0, vertices = 0;
  for (const auto& e : fs::directory_iterator(out)) {
    std::string name = e.path().filename().string();
    if (name.size() > 4 && name.substr(name.size() - 4) == ".mid") objects += count_lines(e.path());
    if (name.size() > 4 && name.substr(name.size() - 4) == ".mif" &&
        name.find("HM") == std::string::npos && name.find("CM") == std::string::npos &&
        name.find("KO") == std::string::npos && name.find("KJ") == std::string::npos)
      vertices += count_vertices(e.path());
  }
  const double mb = 1e6;
  std::printf("job: 43 areas, %.1f MB read, %.1f MB written\n", read / mb, written / mb);
  std::printf("  wall %.2f s, CPU %.2f s, peak resident %.1f MB\n", job.wall, job.cpu,
              job.max_rss_kb / 1024.0);
  std::printf("  output %.1f MB/s, %.0f objects/s, %.0f vertices/s\n", written / mb / job.wall,
              objects / job.wall, vertices / job.wall);

  // The Windows build on the same disc, under Wine (a warm-up run first:
  // Wine maps its libraries on the first start). CPU time leaves out the
  // wineserver, which is not a child.
  if (std::string(SARDANE_WIN_BIN).size() > 0 && std::system(WINE_START " > /dev/null 2>&1") == 0) {
    std::vector<Run> wins;
    for (int k = 0; k < 4; ++k) {
      fs::remove_all(out);
      fs::create_directories(out);
      sync();
      Run r =
          measure("cd " + quote(out) + " && " + answers + " | " + SARDANE_WIN_BIN + " > /dev/null");
      if (r.status != 0) {
        std::fprintf(stderr, "the Windows job failed (status %d)\n", r.status);
        break;
      }
      if (k > 0) wins.push_back(r);
    }
    std::system(WINE_STOP " > /dev/null 2>&1");
    if (wins.size() == 3) {
      const Run win = median(wins);
      std::printf(
          "Windows build under Wine: wall %.2f s, CPU %.2f s, output %.1f MB/s; %.2f times the "
          "Linux build's time\n",
          win.wall, win.cpu, written / mb / win.wall, win.wall / job.wall);
    }
  }

  // The floor: a plain copy of the same bytes.
  const Run copy = median(copies);
  double copy_rate = written / mb / copy.wall;
  std::printf("floor (cat of the outputs): %.2f s, %.1f MB/s; Sardane is %.2f times slower\n",
              copy.wall, copy_rate, copy_rate / (written / mb / job.wall));

  // A real GIS writer on the same kind of objects: the roads of the first
  // five areas (about 20 MB), rewritten by GDAL's MIF writer.
  fs::path small = root / "small", small_out = root / "small_out", gdal_out = root / "gdal";
  std::string sub = "mkdir -p " + quote(small / "DATA") + " " + quote(small_out) +
                    " && head -n 5 " + quote(disc / "JOB.csv") + " > " + quote(small / "JOB.csv") +
                    " && for a in $(cut -c1-5 " + quote(small / "JOB.csv") + "); do ln -s " +
                    quote(disc / "DATA") + "/$a " + quote(small / "DATA") + "/$a; done && cd " +
                    quote(small_out) + " && printf '%s\\nJOB\\n\\n' " + quote(small) + " | " + env +
                    bin + " > /dev/null";
  if (std::system(sub.c_str()) != 0) return 1;
  fs::path layer = small_out / "JOBDK.mif";
  uintmax_t layer_bytes = fs::file_size(layer) + fs::file_size(small_out / "JOBDK.mid");
  if (std::system("command -v ogr2ogr > /dev/null") == 0) {
    Run gdal = measure("ogr2ogr -f 'MapInfo File' -dsco FORMAT=MIF " + quote(gdal_out) + " " +
                       quote(layer) + " 2> /dev/null");
    uintmax_t gdal_bytes = tree_bytes(gdal_out);
    double gdal_rate = gdal_bytes / mb / gdal.wall;
    std::printf(
        "GDAL MIF writer on the road layer (%.1f MB in, %.1f MB out): %.2f s, %.1f MB/s; Sardane "
        "is %.1f "
        "times faster\n",
        layer_bytes / mb, gdal_bytes / mb, gdal.wall, gdal_rate,
        (written / mb / job.wall) / gdal_rate);
  } else {
    std::printf("GDAL reference skipped: ogr2ogr (gdal-bin) is not installed\n");
  }
  if (keep.empty()) fs::remove_all(root);
  return 0;
}
