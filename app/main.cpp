// Sardane's entry: starts the run-time and hands it the conversion's main
// routine, with the two answers the command line may give.
#include "convert/job.h"
#include "runtime/startup.h"

namespace {

constexpr char kUsage[] =
    "Usage: sardane [-C DIR] [-k] [DRIVE [JOB]]\n"
    "       sardane --help | --version\n"
    "\n"
    "Converts the map sheets of a job list on a 1:25,000 map data disc into\n"
    "MapInfo MIF/MID layers and tunnel/bridge text extracts in the current folder.\n"
    "Sardane asks for the CD drive (a folder, or a drive letter mapped with\n"
    "SARDANE_DRIVE_<letter>=folder) and for the job-list name (without .csv).\n"
    "\n"
    "DRIVE and JOB answer the two questions: each is shown and taken exactly as\n"
    "if typed (the job name loses its leading and trailing blanks, and a comma or\n"
    "colon in it must stand inside double quotes). A question not answered here\n"
    "is asked. At the end 処理終了 waits for Enter; when standard input is not a\n"
    "terminal, the end of input there ends the finished job with status 0.\n"
    "\n"
    "  -C DIR, --directory DIR  run in DIR: the outputs go there, and a relative\n"
    "                           DRIVE is found from there\n"
    "  -k, --keep-going         leave out a sheet whose files are missing or\n"
    "                           damaged and go on with the next; the outputs are\n"
    "                           those of the job without it, each sheet left out\n"
    "                           is shown (and listed at the end, and on standard\n"
    "                           error when input is not a terminal)\n"
    "  --help                   show this help\n"
    "  --version                show the version\n"
    "\n"
    "Exit status: 0 the job ran to its end, 1 a run-time error was reported,\n"
    "2 bad command line (also a DIR that is missing or not writable, or a JOB the\n"
    "prompt would not take), 3 interrupted, 4 console closed before the end\n"
    "(end of input, hang-up or SIGTERM before the final prompt), 5 with -k: the\n"
    "job ran to its end with sheets left out.\n"
    "\n"
    "Examples: a shell loop over two discs, one output folder each\n"
    "  for disc in /media/cdrom0 /media/cdrom1; do\n"
    "    mkdir -p \"out/${disc##*/}\"\n"
    "    sardane -C \"out/${disc##*/}\" \"$disc\" 47-沖縄県 </dev/null ||\n"
    "      echo \"$disc: status $?\" >&2\n"
    "  done\n"
    "and the same in a Windows batch file (saved in code page 932), drives d: e:\n"
    "  for %%d in (d e) do (\n"
    "    mkdir out-%%d\n"
    "    echo.| sardane.exe -C out-%%d %%d: 47-沖縄県\n"
    "    if errorlevel 1 echo %%d: failed\n"
    "  )\n";

constexpr rt::Question kAnswers[] = {{"drive", rt::AnswerRule::kLineInput},
                                     {"job name", rt::AnswerRule::kInputString}};

}  // namespace

int main(int argc, char** argv) {
  const rt::ProgramInfo info{"sardane", SARDANE_VERSION, kUsage, kAnswers};
  return rt::run_program(argc, argv, info, convert::run_job);
}
