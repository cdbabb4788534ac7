// The file-name rules of OPEN: device names, drive prefixes, wildcards, and
// the parts of a name that must stay inside their folder.
#pragma once

#include "runtime/strings.h"

namespace rt::files {

// A printer or serial device ("LPT1:" to "LPT3:", "COM0:" to "COM4:", any
// case) in the first five bytes.
bool is_device(BytesView name);
// The name with a drive number prefix ("3:") written as its letter ("D:");
// error 5 for a prefix that is neither one letter nor a number up to 25.
Bytes with_drive_letter(BytesView name);
// A '?' or '*' in the name.
bool has_wildcard(BytesView name);
// A part of a file name that must stay inside its folder (a job name, a
// sheet code): no '/', '\', ':' or NUL, and not "." or "..". Anything else
// raises error 55, so no answer or disc content can make a path leave the
// current folder or the disc.
void require_name_part(BytesView part);

}  // namespace rt::files
