#pragma once
// Options that more than one subcommand takes: valued options taken out of
// the arguments before the common parser sees them, and the points window's
// menu commands for every subcommand that computes the broken line:
// --method (auto, 1..4), one spacing (--nrpt, --dlonp, --dmp or --dtp) and
// --limit-lat, applied after the window's activation in the order the
// window's menus allow.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "cli/CliRun.h"
#include "cli/Commands.h"
#include "scheme/ScriptedKeypad.h"

namespace velmar::cli {

/// Takes the options named in `names`, each with a value ("--opt VALUE" or
/// "--opt=VALUE"), out of `args` into `values`; the other arguments go to
/// `rest` in their order. False with `error` set on a missing or empty value
/// or an option given twice.
bool TakeValueOptions(const Args& args, const std::set<std::string>& names,
                      std::map<std::string, std::string>& values, Args& rest, std::string& error);

struct BrokenLineOptions {
    std::optional<int> method;  ///< 0 "Automatico", 1..4 a method item
    std::string methodText;     ///< --method as given, for messages
    /// The spacing option's name and its value as keypad fields.
    std::optional<std::pair<std::string, KeypadTyping>> spacing;
    std::optional<KeypadTyping> limitLatitude;  ///< --limit-lat as keypad fields
};

/// Takes the broken line's options and the subcommand's own valued options
/// `ownNames` out of `args` in one pass (the word after a valued option is
/// its value, whichever set the option belongs to), reads the broken line's
/// values into `options` and leaves the own ones, unread, in `own`. False
/// with `error` set on a missing or malformed value, an option given twice
/// or two spacing options.
bool TakeBrokenLineOptions(const Args& args, const std::set<std::string>& ownNames,
                           std::map<std::string, std::string>& own, BrokenLineOptions& options,
                           Args& rest, std::string& error);

/// The points window's activation over the run's session, then the method,
/// the spacing and the limiting latitude as its menu commands would apply
/// them (values through the run's keypad, whose checks they pass). kExitOk,
/// or kExitRefused with the reason on standard error.
int ActivateBrokenLine(CliRun& run, const BrokenLineOptions& options);

}  // namespace velmar::cli
