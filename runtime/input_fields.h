// INPUT field splitting.
//
// Variable by variable: leading blanks skipped; a string field that begins
// with a double quote runs to the next one (commas and colons inside are
// data) and only blanks may follow it; otherwise a field runs to the next
// comma or colon or the end, trailing blanks removed. Numeric fields: not
// quoted, not empty, no blank inside; otherwise read as VAL reads them
// ("12abc" is 12, "abc" 0, &H/&O notation) and the value must fit the type. Text left behind the
// last separator is extra input. Any of these faults makes the whole INPUT ask again.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/strings.h"

namespace rt {

enum class InputKind { kString, kInt16, kInt32, kDouble };

struct InputValue {
  Bytes text;          // string variables
  long double number;  // numeric variables
};

// False when the line must be asked again.
bool split_input(BytesView line, const std::vector<InputKind>& kinds, std::vector<InputValue>& out);

}  // namespace rt
