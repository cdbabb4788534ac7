// Damaged and hostile input: names that would leave the output folder or
// the disc, bytes no real disc holds, oversized answers, signals, a
// read-only folder and a full disk. Sardane must report an error or finish,
// never crash, never write outside its folder, and always close its files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

using namespace std::string_literals;

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::vector<std::string> listing(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Hostile, NamesThatWouldLeaveTheirFolder) {
  struct Case {
    const char* job_name;  // typed answer
    const char* job_list;  // first line of the job list, when one is written
  } cases[] = {{"../J", nullptr}, {"a/b", nullptr},  {"..", nullptr}, {"x:\\\\J", nullptr},
               {"J", "../..,X"},  {"J", "a\\\\b,X"}, {"J", "1/3/5,X"}};
  for (const Case& c : cases) {
    Workspace ws;
    if (c.job_list) {
      ws.job_list("J", crlf({c.job_list}));
      empty_sheet(ws, "12345");
    }
    std::vector<std::string> around = listing(ws.out() + "/..");
    Result r = ws.run(ws.disc() + "\n\"" + c.job_name + "\"\n\n");
    EXPECT_EQ(r.status, 1) << c.job_name << " " << (c.job_list ? c.job_list : "");
    EXPECT_TRUE(has(r.screen, "エラー[55]")) << r.screen;
    EXPECT_TRUE(ws.outputs().empty());
    std::vector<std::string> after = listing(ws.out() + "/..");
    for (const char* harness : {"registry", "stdin.txt", "stdout.txt", "stderr.txt"}) {
      after.erase(std::remove(after.begin(), after.end(), harness), after.end());
      around.erase(std::remove(around.begin(), around.end(), harness), around.end());
    }
    EXPECT_EQ(after, around);
  }
}

TEST(Hostile, BytesNoRealDiscHolds) {
  const std::string nasty[] = {
      "GK(ID{GK\0\0\0\0\0}){JT{11}SR{22}CV(ID{CV000001}){000001,000002}}"s,
      "DK(ID{DK000001}){JT{11}YU{1D}SB{13}FI{19}NM{\x83}\rCV(ID{CV1}){000001}}",
      "KK(ID{KK000001}){SB{51}NM{\xFF\xFE\x80}CV(ID{CV1}){000001,\x81}}",
      "CM(ID{CM000001}){SR{11}NM{\x1A}PT(ID{PM1}){000001}\x83",
      "KO(ID{KO000001}){SB{3001}NM{}JS{}PT(ID{PM1}){99999999}}",
      "KJ(ID{KJ000001}){SR{11}NM{x }HK{\x82}PT{000001}ZZ" + std::string(40, '\x9F'),
      "TK(ID{TK000001}){SB{43}SR{11}NM{}CV(ID{CV1}){,,,,,,}}",
      std::string(32767, '}'),
      "SK(ID{SK000001}){SR{11}CV(ID{CV000001}){-0000A,+00001,0.5E+3}}",
  };
  const char* layers[] = {"GK", "DK", "KK", "CM", "KO", "KJ", "TK", "SK", "TO", "HA"};
  for (const std::string& record : nasty) {
    for (const char* layer : layers) {
      Workspace ws;
      one_sheet_job(ws);
      ws.sheet_file("12345", std::string(layer) + ".sal",
                    record + "\r" + record + "\n\x1A" + record);
      Result r = ws.convert("J");
      EXPECT_TRUE(r.status == 0 || r.status == 1) << layer << " status " << r.status;
      expect_closed_files(ws);
    }
  }
}

TEST(Hostile, OversizedAndBrokenAnswers) {
  Workspace ws;
  one_sheet_job(ws);
  // A 40,000-byte drive answer, NUL and invalid UTF-8 in the job name.
  Result r = ws.run(std::string(40000, 'd') + "\n" + std::string("J\0\xC3(", 4) + "\n\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(has(r.screen, "エラー[")) << r.screen.substr(0, 300);
  // The entry holds at most 255 bytes (the prompt and "Sardane" show two more d).
  EXPECT_EQ(std::count(r.screen.begin(), r.screen.end(), 'd'), 257) << r.screen.substr(0, 600);
}

// Sardane on a pipe that stays open; once it converts, `action` runs
// (for example a signal to the process).
int run_with(const Workspace& ws, const std::string& answers,
             const std::function<void(pid_t)>& action, std::string& screen) {
  signal(SIGPIPE, SIG_IGN);  // the child may end before it has read everything
  int in[2];
  if (pipe(in) != 0) return -1;
  std::string out_file = ws.out() + "/../signal.out";
  pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], 0);
    close(in[1]);
    int fd = open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 1);
    if (chdir(ws.out().c_str()) != 0) _exit(126);
    setenv("SARDANE_REGISTRY_USER", (ws.registry() + "/user").c_str(), 1);
    setenv("SARDANE_REGISTRY_MACHINE", (ws.registry() + "/machine").c_str(), 1);
    execl(SARDANE_BIN, SARDANE_BIN, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(in[0]);
  if (write(in[1], answers.data(), answers.size()) < 0) return -1;
  for (int k = 0; k < 400 && !has(test::read_file(out_file), "標高メッシュ"); ++k)
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  action(pid);
  // The key the interrupt or error report waits for, once the report shows;
  // a program that ends without a report is not given one.
  int status = 0;
  bool ended = false;
  for (int k = 0; k < 2400 && !ended; ++k) {
    const std::string shown = test::read_file(out_file);
    if (has(shown, "中断しました") || has(shown, "エラー[")) break;
    ended = waitpid(pid, &status, WNOHANG) == pid;
    if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  if (!ended && write(in[1], "\n", 1) < 0) {
  }
  close(in[1]);
  if (!ended) waitpid(pid, &status, 0);
  screen = test::read_file(out_file);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int signalled_run(const Workspace& ws, const std::string& answers, int sig, std::string& screen) {
  return run_with(
      ws, answers, [sig](pid_t pid) { kill(pid, sig); }, screen);
}

TEST(Hostile, SignalsDuringALongJob) {
  if (kUnderWine) GTEST_SKIP() << "POSIX only";
  struct Case {
    int sig;
    int status;
    const char* shows;
  } cases[] = {{SIGINT, 3, "中断しました Sardane["}, {SIGTERM, 4, ""}, {SIGHUP, 4, ""}};
  for (const Case& c : cases) {
    Workspace ws;
    long_job(ws);
    std::string screen;
    EXPECT_EQ(signalled_run(ws, ws.disc() + "\nL\n", c.sig, screen), c.status) << c.sig << screen;
    EXPECT_TRUE(has(screen, c.shows)) << screen;
    EXPECT_FALSE(has(screen, "処理終了"));
    expect_closed_files(ws);
  }
}

TEST(Hostile, SheetVanishesAfterTheJobListWasRead) {
  Workspace ws;
  std::string cmd =
      std::string(MAKE_DISC_BIN) + " '" + ws.disc() + "' --areas 0 --large 2 --roads 30000 --job L";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  std::string screen;
  int status = run_with(
      ws, ws.disc() + "\nL\n",
      [&](pid_t) { std::filesystem::remove_all(ws.disc() + "/DATA/47202"); }, screen);
  EXPECT_EQ(status, 1) << screen;
  EXPECT_TRUE(has(screen, "Sardane [201行]:エラー[63]")) << screen;
  expect_closed_files(ws);
}

TEST(Hostile, ReadOnlyOutputFolder) {
  if (kUnderWine) GTEST_SKIP() << "POSIX only";
  if (std::system("command -v setpriv > /dev/null") != 0)
    GTEST_SKIP() << "setpriv is not installed";
  Workspace ws;
  one_sheet_job(ws);
  std::filesystem::permissions(ws.out() + "/..", std::filesystem::perms::all);
  std::filesystem::permissions(ws.disc(), std::filesystem::perms::all);
  std::filesystem::permissions(
      ws.out(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                    std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
  std::string as_nobody =
      "/usr/bin/setpriv' --reuid=65534 --regid=65534 --clear-groups '" + std::string(SARDANE_BIN);
  Result r =
      geteuid() == 0 ? ws.run(ws.disc() + "\nJ\n\n", as_nobody) : ws.run(ws.disc() + "\nJ\n\n");
  EXPECT_EQ(r.status, 1) << r.screen << r.errors;
  EXPECT_TRUE(has(r.screen, "Sardane [302行]:エラー[75]")) << r.screen;
  EXPECT_TRUE(ws.outputs().empty());
}

}  // namespace
}  // namespace e2e
