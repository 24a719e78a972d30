#pragma once
// NAME=VALUE arguments turned into the keypad typings of the named cells.

#include <optional>
#include <string>
#include <vector>

#include "scheme/Scheme.h"
#include "scheme/ScriptedKeypad.h"

namespace velmar::cli {

/// One NAME=VALUE argument, as the keypad would receive it.
struct Entry {
    std::string text;  ///< the argument as given, for messages
    int group = 0;
    int cell = 0;
    KeypadTyping typing;
};

/// The cell of an entry name ("dep.lat" -> cells::DepLat; "dt" ->
/// cells::Dt); nullopt for an unknown name.
std::optional<CellRef> EntryCell(const std::string& name);
/// The entry names in the order the help lists them.
const std::vector<std::string>& EntryNames();

/// Parses NAME=VALUE into the keypad fields of the named cell's kind:
/// angles as signed decimal degrees or 44N24.5 / 8E55.8 (whole seconds of
/// arc), times HH:MM[:SS], dates DD-MM-YYYY or YYYY-MM-DD, speeds and
/// distances to tenths, intervals as the keypad's hours and fraction field.
/// On failure returns nullopt and sets `error` to a usage text.
std::optional<Entry> ParseEntry(const std::string& argument, std::string& error);

}  // namespace velmar::cli
