#include "runtime/report.h"

#include <cstdio>

#include "runtime/console.h"
#include "runtime/error_record.h"
#include "runtime/files.h"
#include "runtime/message_library.h"
#include "runtime/numbers.h"
#include "runtime/platform/codepage.h"
#include "runtime/startup.h"

namespace rt {

Bytes error_line(BytesView module, uint16_t line, uint16_t code) {
  char buf[64];
  std::snprintf(buf, sizeof buf, " [%u", static_cast<unsigned>(line));
  Bytes out(module);
  out += buf;
  out += sjis("行]:エラー[");
  out += std::to_string(code);
  out += "]";
  return out;
}

namespace {

void wait_quietly(BytesView closing) {
  try {
    console::wait_key(closing);
  } catch (...) {
    // A closed console or a nested error ends the wait; the program ends anyway.
  }
}

}  // namespace

int report_error(const RuntimeError& error) {
  const ErrorState& st = error_state();
  fp_reset();
  try {
    files::flush_all();
  } catch (...) {
  }
  static const Bytes kPressKey = "\r\n" + sjis("任意のキーを押してください");
  if (st.code == kBreak) {
    char line[32];
    std::snprintf(line, sizeof line, "[%u", static_cast<unsigned>(st.line));
    Bytes text = "\r\n" + sjis("中断しました") + " " + Bytes(module_name()) + line + sjis("行]") +
                 " " + kPressKey;
    wait_quietly(text);
    return kExitInterrupted;
  }
  try {
    record_error(module_name(), st.line, st.code, error.location(), local_time_text());
    console::write("\r\n" + error_line(module_name(), st.line, st.code));
    Bytes message;
    if (lookup_message(st.code, message)) console::write("\r\n" + message);
  } catch (...) {
  }
  wait_quietly(kPressKey);
  return kExitError;
}

}  // namespace rt
