#include "cli/Options.h"

namespace velmar::cli {

OptionArgument SplitOptionArgument(const std::string& argument) {
    if (argument.rfind("--", 0) == 0) {
        if (const std::size_t eq = argument.find('='); eq != std::string::npos)
            return {argument.substr(0, eq), argument.substr(eq + 1)};
    }
    return {argument, std::nullopt};
}

bool ParseCommonOptions(const std::vector<std::string>& args,
                        const std::set<std::string>& extraFlags, CommonOptions& options,
                        std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const OptionArgument split = SplitOptionArgument(args[i]);
        const std::string& arg = split.name;
        const std::optional<std::string>& inlineValue = split.value;
        auto takeValue = [&](std::string& target) {
            if (inlineValue) {
                target = *inlineValue;
            } else if (i + 1 < args.size()) {
                target = args[++i];
            } else {
                error = arg + " needs a value";
                return false;
            }
            if (target.empty()) {
                error = arg + " needs a value";
                return false;
            }
            return true;
        };
        if (arg == "--json" || arg == "--yes" || extraFlags.count(arg)) {
            if (inlineValue) {
                error = arg + " takes no value";
                return false;
            }
            if (arg == "--json")
                options.json = true;
            else if (arg == "--yes")
                options.yes = true;
            else
                options.flags.insert(arg);
        } else if (arg == "--load" || arg == "--save") {
            std::string key;
            if (!takeValue(key)) return false;
            (arg == "--load" ? options.load : options.save) = key;
        } else if (arg == "--dir") {
            if (!takeValue(options.dir)) return false;
        } else if (arg.rfind("-", 0) == 0 && arg.find('=') == std::string::npos) {
            error = "unknown option " + arg;
            return false;
        } else {
            const auto entry = ParseEntry(arg, error);
            if (!entry) return false;
            options.entries.push_back(*entry);
        }
    }
    return true;
}

}  // namespace velmar::cli
