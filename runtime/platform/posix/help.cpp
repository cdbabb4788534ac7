// No help viewer for the help file on POSIX systems: F1 opens nothing.
#include "runtime/platform/help.h"

namespace rt::platform {

void set_help_topic(const HelpTopic&) {}
void close_help() {}

}  // namespace rt::platform
