#pragma once
// The options every scheme subcommand takes, and the one way an option's
// value is given inline ("--opt=VALUE").

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/EntryParsing.h"

namespace velmar::cli {

/// An argument split into an option's name and its inline value.
struct OptionArgument {
    std::string name;
    std::optional<std::string> value;
};

/// "--opt=VALUE" gives "--opt" and VALUE (which may be empty); any other
/// argument, entries such as "dep.lat=44" and "-x=1" included, comes back
/// whole with no value.
OptionArgument SplitOptionArgument(const std::string& argument);

/// Options every scheme subcommand takes.
struct CommonOptions {
    bool json = false;
    bool yes = false;
    std::optional<std::string> load;
    std::optional<std::string> save;
    std::string dir = ".";
    std::set<std::string> flags;  ///< subcommand flags seen (from `extraFlags`)
    std::vector<Entry> entries;
};

/// Parses --json, --yes, --load KEY, --save KEY, --dir FOLDER (also as
/// --opt=VALUE), the subcommand's own `extraFlags` and the entries. False
/// with `error` set on anything malformed.
bool ParseCommonOptions(const std::vector<std::string>& args,
                        const std::set<std::string>& extraFlags, CommonOptions& options,
                        std::string& error);

}  // namespace velmar::cli
