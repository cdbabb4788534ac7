#include "runtime/report.h"

#include <cstdio>

#include "runtime/console.h"
#include "runtime/error_record.h"
#include "runtime/files.h"
#include "runtime/message_library.h"
#include "runtime/numbers.h"
#include "runtime/platform/codepage.h"
#include "runtime/platform/files.h"
#include "runtime/platform/help.h"
#include "runtime/platform/report_box.h"
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

// The help file "K3M0REF.HLP" in the folder of the environment value HELP,
// when it is there, at the error's topic (codes 1000 to 2008 at code +
// 99000).
platform::HelpTopic help_topic(uint16_t code) {
  Bytes folder = environment_value("HELP");
  if (folder.empty()) return {};
  if (folder.back() != '\\' && folder.back() != '/') folder += "\\";
  const Bytes file = folder + "K3M0REF.HLP";
  platform::OsFile f;
  uint32_t err = 0;
  if (file.size() > 260 || !platform::open_file(file, platform::OpenKind::kRead, f, err)) return {};
  platform::close_file(f, err);
  return {file, code >= 1000 && code <= 2008 ? code + 99000u : code};
}

char g_fault_prefix[64];  // CP932
char g_unknown_module[32];
char g_line_mark[8];  // "行]"
char g_fault_message[512];
}  // namespace

void prepare_fault_report() {
  const Bytes prefix = sjis("続行不可能なエラーが発生しました ");
  const Bytes unknown = sjis("(モジュール名不明)");
  std::snprintf(g_fault_prefix, sizeof g_fault_prefix, "%s", prefix.c_str());
  std::snprintf(g_unknown_module, sizeof g_unknown_module, "%s", unknown.c_str());
  std::snprintf(g_line_mark, sizeof g_line_mark, "%s", sjis("行]").c_str());
}

const char* report_fault(uint64_t address, uint32_t exception_code) {
  BytesView module = module_name();
  const BytesView name = module.empty() ? BytesView(g_unknown_module) : module;
  const int n = std::snprintf(g_fault_message, sizeof g_fault_message, "%s%.*s [%u%s\r\n",
                              g_fault_prefix, static_cast<int>(name.size()), name.data(),
                              static_cast<unsigned>(current_line()), g_line_mark);
  if (ConsoleDevice* dev = console::device()) {
    // The device shows UTF-8: the Japanese parts are written in that form.
    static const char kPrefix[] = "続行不可能なエラーが発生しました ";
    static const char kUnknown[] = "(モジュール名不明)";
    char line[32];
    const int k =
        std::snprintf(line, sizeof line, " [%u行]\r\n", static_cast<unsigned>(current_line()));
    dev->emergency_write("\r\n", 2);
    dev->emergency_write(kPrefix, sizeof kPrefix - 1);
    if (module.empty())
      dev->emergency_write(kUnknown, sizeof kUnknown - 1);
    else
      dev->emergency_write(module.data(), module.size());
    dev->emergency_write(line, static_cast<size_t>(k));
    dev->emergency_restore();
  }
  record_fault(name, current_line(), address, exception_code);
  try {
    files::flush_all();
  } catch (...) {
  }
  return n > 0 ? g_fault_message : "";
}

int report_error(const RuntimeError& error) {
  const ErrorState& st = error_state();
  fp_reset();
  try {
    files::flush_all();
  } catch (...) {
  }
  static const Bytes kPressKey = "\r\n" + sjis("任意のキーを押してください");
  const Bytes box_title = Bytes(executable_name()) + ".EXE";
  if (st.code == kBreak) {
    char line[32];
    std::snprintf(line, sizeof line, "[%u", static_cast<unsigned>(st.line));
    Bytes text = "\r\n" + sjis("中断しました") + " " + Bytes(module_name()) + line + sjis("行]") +
                 " " + kPressKey;
    if (!platform::report_in_box(box_title, text, false)) wait_quietly(text);
    return kExitInterrupted;
  }
  Bytes line, message;
  bool has_message = false;
  try {
    record_error(module_name(), st.line, st.code, error.location(), local_time_text());
    line = "\r\n" + error_line(module_name(), st.line, st.code);
    has_message = lookup_message(st.code, message);
  } catch (...) {
  }
  platform::set_help_topic(help_topic(st.code));
  // Where no console shows the report, the box holds the message line and
  // the text, and is the key wait.
  if (!platform::report_in_box(box_title, has_message ? line + "\n" + message : line, true)) {
    try {
      console::write(line);
      if (has_message) console::write("\r\n" + message);
    } catch (...) {
    }
    wait_quietly(kPressKey);
  }
  platform::close_help();
  return kExitError;
}

}  // namespace rt
