#pragma once
// The float and date-time patterns of the program's display texts.
//
// Float patterns follow the classic picture syntax: up to three sections
// separated by ';' (positive; negative; zero), '0' a digit always shown, '#'
// a digit shown when significant, '.' the decimal point, and literal text in
// double or single quotes (any other character is literal too). A negative
// value formatted with its own section shows no minus sign; with the positive
// section (no negative section, or an empty one) it gets a leading '-'. A
// value that rounds to zero uses the zero section when there is one.
//
// Rounding is to the decimals the pattern can show, halves away from zero,
// applied to the value's first 15 significant decimal digits, so that a value
// typed as 123.45 shows 123.5 although its binary double lies a hair below.
//
// Examples: "#0.#" of 12 -> "12", of 12.25 -> "12.3"; "##0.###" of 0.1 ->
// "0.1"; "#.#####" of 0.5 -> ".5"; "00\"'\".0" of 5.25 -> "05'.3";
// "#.###;;\"zero\"" of 0 -> "zero", of -3.1 -> "-3.1".

#include <string>
#include <string_view>

#include "core/DateTime.h"

namespace velmar {

/// Formats a number with a float pattern. The decimal separator written for
/// the pattern's '.' is `decimalSeparator`. Not-finite values give "NAN",
/// "INF" or "-INF".
std::string FormatFloat(std::string_view pattern, double value, char decimalSeparator = '.');

/// Formats a moment with a date-time pattern: "yyyy", "yy", "mm", "m", "dd",
/// "d" for the date, "hh", "h", "nn", "n", "ss", "s" for the time (rounded to
/// the millisecond, then cut to the second), quoted literals, and any other
/// character as itself. "hh:nn:ss" of 0.5625 gives "13:30:00".
std::string FormatDateTime(std::string_view pattern, DateTime moment);

}  // namespace velmar
