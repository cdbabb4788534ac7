// The help viewer of the error report: F1 in the console window opens the
// help file at the topic of the last error; the topic is closed when the
// report's key wait ends. POSIX systems have no help viewer for the file:
// there, help requests do nothing.
#pragma once

#include <cstdint>
#include <string>

namespace rt::platform {

struct HelpTopic {
  std::string file;  // the help file (CP932); empty: no help
  uint32_t topic = 0;
};

// What F1 opens from now on.
void set_help_topic(const HelpTopic& topic);
// Closes a help window that F1 opened.
void close_help();

}  // namespace rt::platform
