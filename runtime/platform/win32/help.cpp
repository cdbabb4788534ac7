// Windows help (WinHelpW, the file name from CP932) at the topic of the last
// error, for F1 in the console window and the report box's Help button.
#include "runtime/platform/help.h"

#include <windows.h>

#include "runtime/platform/win32/console_window.h"
#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

HelpTopic g_topic;
bool g_open = false;

}  // namespace

void set_help_topic(const HelpTopic& topic) {
  g_topic = topic;
}

void open_help() {
  if (g_topic.file.empty()) return;
  g_open = WinHelpW(console_window(), wide(g_topic.file).c_str(), HELP_CONTEXT, g_topic.topic) != 0;
}

void close_help() {
  if (g_open) WinHelpW(console_window(), wide(g_topic.file).c_str(), HELP_QUIT, 0);
  g_open = false;
}

}  // namespace rt::platform
