#include "convert/job.h"

#include "convert/record_loop.h"
#include "convert/sheet.h"
#include "runtime/console.h"
#include "runtime/cp932.h"
#include "runtime/files.h"
#include "runtime/numbers.h"
#include "runtime/startup.h"

namespace convert {

namespace {
constexpr uint16_t kLine = lines::kMain;
}

void run_job() {
  using rt::Sep;
  using rt::statement;
  JobState& j = job();
  statement(kLine + 1);
  rt::register_module("Sardane");
  statement(kLine + 2);
  sheet().point_table.dim(200000);
  statement(kLine + 3);
  sheet().vertices.dim(30000);
  statement(kLine + 4);
  j.table.dim(200, 1);

  statement(kLine + 5);
  j.drive = rt::console::line_input(rt::sjis("ＣＤドライブ　例（ d: ）"));
  statement(kLine + 6);
  rt::console::print(rt::sjis("ファイル処理一覧csvファイル名入力して下さい。"), Sep::kNone);
  statement(kLine + 7);
  j.job_name = rt::console::input_string(rt::sjis("例）47-沖縄県　（拡張子.csvは不要）"),
                                         rt::console::PromptSep::kSemicolon);
  statement(kLine + 8);
  rt::console::print(j.job_name + rt::sjis("処理ファイル一覧GET"), Sep::kNone);

  statement(kLine + 9);
  rt::files::require_name_part(j.job_name);
  rt::files::open(j.drive + "\\" + j.job_name + ".csv", rt::files::Mode::kInput, kInputFile);
  read_records(kLine + 10, [&](const Bytes& line) {
    statement(kLine + 12);
    j.count = rt::narrow16(int32_t{j.count} + 1);
    statement(kLine + 13);
    j.table(j.count, 0) = rt::left(line, 5);
    statement(kLine + 14);
    j.table(j.count, 1) = rt::right(line, rt::len(line) - 6);
    return true;
  });
  statement(kLine + 15);
  rt::files::close({kInputFile});

  statement(kLine + 16);
  j.position = 1;
  do {
    statement(kLine + 17);
    rt::console::print(j.table(j.position, 1), Sep::kNone);
    statement(kLine + 18);
    j.sheet_code = j.table(j.position, 0);
    statement(kLine + 19);
    {
      rt::Gosub call;
      sheet_pass();
    }
    statement(kLine + 20);
    j.position = rt::narrow16(int32_t{j.position} + 1);
  } while (j.position <= j.count);

  statement(kLine + 21);
  rt::console::closing_input(rt::sjis("処理終了　(push Enter key) "),
                             rt::console::PromptSep::kSemicolon);
  statement(kLine + 22);
  rt::end_program(rt::kExitNormal);
}

}  // namespace convert
