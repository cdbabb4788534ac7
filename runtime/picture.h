// PRINT USING numeric pictures.
//
// A format is parsed once into a Picture (numeric fields with the literal
// text around them) and then applied to any number of values: item k of a
// statement takes field k (counting again from the first field when the
// items outnumber the fields), with the literal text before the first field
// in front of field 0 and the literal text after each field behind it.
//
// A field starts at '#', '*' or '\', at '+' or '.' followed by a position,
// and runs over '#', '*', '\', ',' and '.'. Every '#', '*', '\' and ','
// before the point is one integer position, every '#' after it a decimal. A
// leading '+' shows the sign always and is a position too; a leading '*'
// fills with asterisks; '\' puts the currency sign before the digits; ','
// separates thousands. "^^^^" (or "^^^^^") behind the run selects the
// exponent form with two (three) exponent digits; a '+' or '-' behind it a
// trailing sign. '_' makes the next format character literal; a TAB in
// literal text advances to the next multiple of 8 columns with blanks.
// The fixed form follows the
// BASIC run-time rule: the value's digits are first generated to 16
// significant places (rounded half up at the 17th), then the field rounds by
// its first dropped digit. So 127.5000005, held as the double
// 127.50000049999999873..., formats as 127.500001 under "####.######".
//
//   127.51  "####.######" -> " 127.510000"     0.5 -> "   0.500000"
//   -127.51 "####.######" -> "-127.510000"     0   -> "   0.000000"
//   12345.6 "####.######" -> "% 12345.6"       (overflow: '%' + general form)
//
// A field holds at most 19 digit positions in all; wider fields give the
// overflow form.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/strings.h"

namespace rt {

struct NumericField {
  int integer_positions = 0;   // positions before the point (a leading '+' counts as one)
  int decimals = 0;            // '#' after the point
  bool point = false;          // the field has a decimal point
  bool plus_sign = false;      // leading '+': sign always shown
  bool asterisk_fill = false;  // leading '*'
  bool thousands = false;      // ',' before the point
  bool currency = false;       // '\' before the point
  int exponent_digits = 0;     // 2 for "^^^^", 3 for "^^^^^", 0 for the fixed form
  char trailing_sign = 0;      // '+' or '-' after the field, or 0
};

class Picture {
 public:
  // Parses a format: error 5 for an empty format, 13 when it holds no
  // numeric field.
  static Picture parse(BytesView format);

  // Appends item `index` of a statement: the literal text before the first
  // field when the item takes the first field, the field with the value,
  // and the literal text after the field. `column` is the print column
  // where `out`'s new bytes start (for TABs in literal text).
  void format(size_t index, double value, int column, Bytes& out) const;
  // The first item of a statement at column 0.
  void format(double value, Bytes& out) const { format(0, value, 0, out); }

  size_t fields() const { return fields_.size(); }
  const NumericField& field(size_t k = 0) const { return fields_[k]; }
  // True when the literal text holds no CR, LF, TAB or form feed, so a
  // formatted item moves the print column by its length.
  bool plain() const { return plain_; }

 private:
  std::vector<Bytes> literals_;  // literals_[k] before fields_[k]; the last one after them all
  std::vector<NumericField> fields_;
  bool plain_ = true;
  // The common case, written in place: a field without literal text or
  // options and a value in [1, 10^15). (integer positions, point, value,
  // out) -> the end of the field, or nullptr when the general path must
  // decide. Set for such a field with few enough digits.
  using PlainFormat = char* (*)(int, bool, double, char*);
  PlainFormat plain_format_ = nullptr;
};

// The value's first 16 significant decimal digits, rounded half up at the
// 17th: value = digits * 10^(exponent - 15), digits in [10^15, 10^16).
// Requires a finite value > 0.
void decimal_digits16(double value, uint64_t& digits, int& exponent);

// The general number form used by the overflow output: a blank or '-', then
// the 16-digit value without trailing zeros.
void general_form(double value, Bytes& out);

}  // namespace rt
