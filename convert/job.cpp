#include "convert/job.h"

#include "convert/record_loop.h"
#include "convert/sheet.h"
#include "runtime/base/cp932.h"
#include "runtime/console.h"
#include "runtime/file_names.h"
#include "runtime/files.h"
#include "runtime/numbers.h"
#include "runtime/startup.h"
#include "runtime/texts.h"

namespace convert {

namespace {

// The main routine's statements.
enum : uint16_t {
  // The module record and the arrays.
  kRegister = 101,
  kPointTable = 102,
  kVertexBuffer = 103,
  kJobTable = 104,
  // The prompts.
  kDrive = 105,
  kListPrompt = 106,
  kJobName = 107,
  kJobNameEcho = 108,
  // The job list read into the table.
  kJobList = 109,
  kListEnd = 110,  // the loop's end test
  kListRead = 111,
  kCount = 112,
  kSheetCode = 113,
  kSheetName = 114,
  kListClose = 115,
  // One sheet pass per entry.
  kFirstSheet = 116,
  kSheetTitle = 117,
  kCurrentCode = 118,
  kSheetPass = 119,
  kNextSheet = 120,
  // The end.
  kClosingPrompt = 121,
  kEnd = 122,
};
static_assert(distinct({kRegister,      kPointTable, kVertexBuffer, kJobTable,  kDrive,
                        kListPrompt,    kJobName,    kJobNameEcho,  kJobList,   kListEnd,
                        kListRead,      kCount,      kSheetCode,    kSheetName, kListClose,
                        kFirstSheet,    kSheetTitle, kCurrentCode,  kSheetPass, kNextSheet,
                        kClosingPrompt, kEnd}));

// With -k: the sheet pass, from which a sheet that fails is left out; the
// outputs, the point table and the origins then go back to where they
// stood before it.
void leave_out_if_it_fails(Job& j) {
  SheetPoints::Saved saved = j.points.save();
  if (rt::run_part(j.sheet_code + " " + j.table(j.position, 1), [&j] { sheet_pass(j); })) {
    ++j.converted;
    return;
  }
  j.points.put_back(std::move(saved));
  j.left_out.push_back(j.position);
  rt::console::print(rt::sjis("この図葉を除いて処理を続けます。"), rt::Sep::kNone);
}

// The sheets left out, by code and name, before the closing prompt.
void list_left_out(Job& j) {
  rt::console::print(rt::sjis("変換できなかった図葉："), rt::Sep::kNone);
  for (int16_t position : j.left_out)
    rt::console::print("  " + j.table(position, 0) + " " + j.table(position, 1), rt::Sep::kNone);
}

}  // namespace

void run_job() {
  using rt::Sep;
  Job j;
  statement(kRegister);
  rt::register_module("Sardane");
  statement(kPointTable);
  j.points.dim(200000);
  statement(kVertexBuffer);
  j.vertices.dim(30000);
  statement(kJobTable);
  j.table.dim(200, 1);

  statement(kDrive);
  j.drive = rt::console::line_input(rt::sjis("ＣＤドライブ　例（ d: ）"));
  statement(kListPrompt);
  rt::console::print(rt::sjis("ファイル処理一覧csvファイル名入力して下さい。"), Sep::kNone);
  statement(kJobName);
  j.job_name = rt::console::input_string(rt::sjis("例）47-沖縄県　（拡張子.csvは不要）"),
                                         rt::console::PromptSep::kSemicolon);
  statement(kJobNameEcho);
  rt::console::print(j.job_name + rt::sjis("処理ファイル一覧GET"), Sep::kNone);

  statement(kJobList);
  rt::files::require_name_part(j.job_name);
  rt::files::open(j.drive + "\\" + j.job_name + ".csv", rt::files::Mode::kInput, kInputFile);
  read_records({kListEnd, kListRead}, [&](BytesView line) {
    statement(kCount);
    j.count = rt::narrow16(int32_t{j.count} + 1);
    statement(kSheetCode);
    j.table(j.count, 0) = rt::left(line, 5);
    statement(kSheetName);
    j.table(j.count, 1) = rt::right(line, rt::len(line) - 6);
    return true;
  });
  statement(kListClose);
  rt::files::close({kInputFile});

  statement(kFirstSheet);
  j.position = 1;
  do {
    statement(kSheetTitle);
    rt::console::print(j.table(j.position, 1), Sep::kNone);
    statement(kCurrentCode);
    j.sheet_code = j.table(j.position, 0);
    statement(kSheetPass);
    {
      rt::Gosub call;
      if (rt::keep_going()) {
        leave_out_if_it_fails(j);
      } else {
        sheet_pass(j);
        ++j.converted;
      }
    }
    statement(kNextSheet);
    j.position = rt::narrow16(int32_t{j.position} + 1);
  } while (j.position <= j.count);

  if (!j.left_out.empty()) list_left_out(j);
  statement(kClosingPrompt);
  rt::console::closing_input(rt::sjis("処理終了　(push Enter key) "),
                             rt::console::PromptSep::kSemicolon);
  statement(kEnd);
  rt::end_program(rt::kExitNormal);
}

}  // namespace convert
