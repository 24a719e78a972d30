#pragma once
// A small JSON writer: correctly escaped strings (UTF-8 passes through,
// control characters as \uXXXX) and numbers (non-finite ones as null); and
// the JSON object of the scheme that solve and report print.

#include <string>
#include <string_view>

#include "core/Quantity.h"

namespace velmar::cli {

class CliRun;

/// The quoted JSON string of UTF-8 text.
std::string JsonString(std::string_view text);
/// A JSON number with enough digits to read back the same double; null for
/// NaN and infinities.
std::string JsonNumber(double value);

/// The name of a kind as the JSON shows it ("Latitude" ...).
std::string KindName(QuantityKind kind);
/// The JSON object of the run's scheme: every cell with its label, kind,
/// state, value and text, the markers, the description, the saved flag, the
/// messages shown and the refused entry (or null).
std::string SchemeJson(const CliRun& run);

}  // namespace velmar::cli
