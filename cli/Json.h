#pragma once
// A small JSON writer: correctly escaped strings (UTF-8 passes through,
// control characters as \uXXXX) and numbers (non-finite ones as null).

#include <string>
#include <string_view>

namespace velmar::cli {

/// The quoted JSON string of UTF-8 text.
std::string JsonString(std::string_view text);
/// A JSON number with enough digits to read back the same double; null for
/// NaN and infinities.
std::string JsonNumber(double value);

}  // namespace velmar::cli
