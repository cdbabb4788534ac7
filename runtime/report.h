// The error report: the message line "\r\n%s [%u行]:エラー[%d]" on the console,
// the message text from the message library when it has one, the registry
// record, then "任意のキーを押してください" and a key wait. Error 98 (break)
// takes the interrupt path instead: "中断しました" with module and line, and
// the key wait. Where no console shows the report (redirected input, no
// standard output: report_box.h) a message box titled with the executable's
// name + ".EXE" holds the message line and the text, and is the key wait.
// Returns the exit status.
#pragma once

#include "runtime/errors.h"
#include "runtime/strings.h"

namespace rt {

int report_error(const RuntimeError& error);

// The notice of a part left out (run_part): the report's message line and
// text, then where input stood ("入力ファイル NAME の N 件目のレコードで中止しま
// した。", or "入力ファイル NAME で中止しました。" before its first record),
// without the wait; the registry record as the report makes it. Returns the
// line for standard error in plain-line mode: "LABEL: FILE record N: error
// C (TEXT)", UTF-8.
std::string report_notice(const RuntimeError& error, BytesView label);

// The report's first line for an error (without the leading CR LF).
Bytes error_line(BytesView module, uint16_t line, uint16_t code);

// The processor-fault report: "続行不可能なエラーが発生しました %s [%u行]" with the
// module name ("(モジュール名不明)" before one is registered) and the line,
// written straight to the console device; the X* values in the registry;
// every output file's buffered bytes and final 1A byte. Returns the message
// (CP932) for the system's error box. Runs inside a signal handler: it only
// copies bytes prepared by prepare_fault_report() (at start-up and again
// when the module is registered) and makes plain system calls.
const char* report_fault(uint64_t address, uint32_t exception_code);
void prepare_fault_report();

}  // namespace rt
