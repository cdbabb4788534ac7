#include "runtime/report.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "runtime/console.h"
#include "runtime/base/cp932.h"
#include "runtime/error_record.h"
#include "runtime/files.h"
#include "runtime/message_library.h"
#include "runtime/numbers.h"
#include "runtime/platform/codepage.h"
#include "runtime/platform/console_device.h"
#include "runtime/platform/files.h"
#include "runtime/platform/help.h"
#include "runtime/platform/report_box.h"
#include "runtime/program_state.h"
#include "runtime/texts.h"

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
  if (file.size() > platform::kMaxPath ||
      !platform::system_files().open(file, platform::OpenKind::kRead, f, err))
    return {};
  platform::system_files().close(f, err);
  return {file, code >= 1000 && code <= 2008 ? code + 99000u : code};
}

// The fault report's pieces, prepared in both encodings: CP932 for the
// system's error box, UTF-8 for the console device.
constexpr char kFaultPrefix[] = "続行不可能なエラーが発生しました ";
constexpr char kUnknownModule[] = "(モジュール名不明)";
constexpr char kLineMark[] = "行]";
constexpr size_t kPieceRoom = 256;
struct Piece {
  char bytes[kPieceRoom];
  size_t size = 0;
  void set(BytesView text) {
    size = std::min(text.size(), sizeof bytes);
    std::memcpy(bytes, text.data(), size);
  }
};
Piece g_prefix, g_module, g_mark;                 // CP932
Piece g_prefix_utf8, g_module_utf8, g_mark_utf8;  // UTF-8
char g_fault_message[4 * kPieceRoom];

// Bytes put one after another into a fixed buffer, cut at its end.
class FixedText {
 public:
  FixedText(char* buffer, size_t room) : at_(buffer), end_(buffer + room) {}
  FixedText& operator<<(BytesView s) {
    const size_t n = std::min(s.size(), static_cast<size_t>(end_ - at_));
    std::memcpy(at_, s.data(), n);
    at_ += n;
    return *this;
  }
  FixedText& operator<<(const Piece& p) { return *this << BytesView(p.bytes, p.size); }
  char* end() const { return at_; }

 private:
  char* at_;
  char* end_;
};

// A number's decimal digits in `out` (room for 5); returns their count.
size_t decimal(uint16_t value, char* out) {
  char digits[8];
  size_t n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (size_t k = 0; k < n; ++k) out[k] = digits[n - 1 - k];
  return n;
}

}  // namespace

void prepare_fault_report() {
  const BytesView module = module_name();
  g_prefix.set(sjis(kFaultPrefix));
  g_mark.set(sjis(kLineMark));
  g_module.set(module.empty() ? Bytes(sjis(kUnknownModule)) : Bytes(module));
  g_prefix_utf8.set(kFaultPrefix);
  g_mark_utf8.set(kLineMark);
  g_module_utf8.set(module.empty() ? Bytes(kUnknownModule)
                                   : platform::cp932_to_utf8_display(module));
  prepare_fault_record(BytesView(g_module.bytes, g_module.size));
}

const char* report_fault(uint64_t address, uint32_t exception_code) {
  const uint16_t line = current_line();
  char digits[8];
  const BytesView number(digits, decimal(line, digits));
  // Room for the terminating NUL of the box message.
  FixedText message(g_fault_message, sizeof g_fault_message - 1);
  message << g_prefix << g_module << " [" << number << g_mark << "\r\n";
  *message.end() = 0;
  if (ConsoleDevice* dev = console::device()) {
    char text[4 * kPieceRoom];
    FixedText screen(text, sizeof text);
    screen << "\r\n" << g_prefix_utf8 << g_module_utf8 << " [" << number << g_mark_utf8 << "\r\n";
    dev->emergency_write(text, static_cast<size_t>(screen.end() - text));
    dev->emergency_restore();
  }
  record_fault(line, address, exception_code);
  files::write_out_for_fault();
  return g_fault_message;
}

int report_error(const RuntimeError& error) {
  fp_reset();
  try {
    files::flush_all();
  } catch (...) {
  }
  static const Bytes kPressKey = "\r\n" + sjis("任意のキーを押してください");
  const Bytes box_title = Bytes(executable_name()) + ".EXE";
  if (error.code() == kBreak) {
    char line[32];
    std::snprintf(line, sizeof line, "[%u", static_cast<unsigned>(error.line()));
    Bytes text = "\r\n" + sjis("中断しました") + " " + Bytes(module_name()) + line + sjis("行]") +
                 " " + kPressKey;
    if (!platform::report_in_box(box_title, text, false)) wait_quietly(text);
    return kExitInterrupted;
  }
  Bytes line, message;
  bool has_message = false;
  try {
    record_error(module_name(), error.line(), error.code(), error.location(), local_time_text());
    line = "\r\n" + error_line(module_name(), error.line(), error.code());
    has_message = lookup_message(error.code(), message);
  } catch (...) {
  }
  platform::set_help_topic(help_topic(error.code()));
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

namespace {

// The last part of a file name as the program wrote it ("...\47202DK.sal");
// a trail byte 5C is part of its character.
BytesView last_part(BytesView name) {
  size_t start = 0;
  for (const Character c : characters(name))
    if (c.is('\\') || c.is('/') || c.is(':')) start = c.at + 1;
  return name.substr(start);
}

}  // namespace

std::string report_notice(const RuntimeError& error, BytesView label) {
  fp_reset();
  const files::InputPlace place = files::input_place();
  const BytesView file = last_part(place.file);
  Bytes line, message;
  bool has_message = false;
  try {
    record_error(module_name(), error.line(), error.code(), error.location(), local_time_text());
    has_message = lookup_message(error.code(), message);
  } catch (...) {
  }
  line = "\r\n" + error_line(module_name(), error.line(), error.code());
  if (has_message) line += "\r\n" + message;
  if (!file.empty()) {
    line += "\r\n" + sjis("入力ファイル ") + Bytes(file);
    line += place.record ? sjis(" の ") + std::to_string(place.record) +
                               sjis(" 件目のレコードで中止しました。")
                         : sjis(" で中止しました。");
  }
  console::write(line + "\r\n");
  std::string note = platform::cp932_to_utf8_display(label) + ": ";
  if (!file.empty()) {
    note += platform::cp932_to_utf8_display(file);
    if (place.record) note += " record " + std::to_string(place.record);
    note += ": ";
  }
  note += "error " + std::to_string(error.code());
  if (has_message) note += " (" + platform::cp932_to_utf8_display(message) + ")";
  return note;
}

}  // namespace rt
