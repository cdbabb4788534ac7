// Sardane's entry: starts the run-time and hands it the conversion's main routine.
#include "convert/job.h"
#include "runtime/startup.h"

namespace {

constexpr char kUsage[] =
    "Usage: sardane [--help | --version]\n"
    "\n"
    "Converts the map sheets of a job list on a 1:25,000 map data disc into\n"
    "MapInfo MIF/MID layers and tunnel/bridge text extracts in the current folder.\n"
    "Sardane asks for the CD drive (a folder, or a drive letter mapped with\n"
    "SARDANE_DRIVE_<letter>=folder) and for the job-list name (without .csv).\n"
    "\n"
    "Exit status: 0 done, 1 run-time error reported, 2 bad command line,\n"
    "3 interrupted, 4 console closed before the end.\n";

}  // namespace

int main(int argc, char** argv) {
  const rt::ProgramInfo info{"sardane", SARDANE_VERSION, kUsage};
  return rt::run_program(argc, argv, info, convert::run_job);
}
