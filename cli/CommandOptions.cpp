#include "cli/CommandOptions.h"

#include <charconv>
#include <iostream>

#include "brokenline/PointsController.h"
#include "cli/EntryParsing.h"
#include "cli/Options.h"

namespace velmar::cli {

namespace {

// The keypad fields of a typed value: each is read as an entry of a scheme
// cell of the same kind (the cell itself is not touched).
std::optional<KeypadTyping> TypingOf(const std::string& option, const std::string& value,
                                     std::string& error) {
    if (option == "--nrpt") {
        int count = -1;
        const char* end = value.data() + value.size();
        const auto [p, ec] = std::from_chars(value.data(), end, count);
        if (ec != std::errc() || p != end || count < 0) {
            error = "--nrpt needs a whole number of points";
            return std::nullopt;
        }
        KeypadTyping typing;
        typing.fields[0] = count;
        return typing;
    }
    const char* cell = option == "--dlonp" ? "dep.lon"
                       : option == "--dmp" ? "ml"
                       : option == "--dtp" ? "dt"
                                           : "dep.lat";
    const auto entry = ParseEntry(std::string(cell) + "=" + value, error);
    if (!entry) {
        error = option + ": " + error;
        return std::nullopt;
    }
    return entry->typing;
}

}  // namespace

bool TakeValueOptions(const Args& args, const std::set<std::string>& names,
                      std::map<std::string, std::string>& values, Args& rest, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        auto [name, value] = SplitOptionArgument(args[i]);
        if (!names.count(name)) {
            rest.push_back(args[i]);
            continue;
        }
        if (!value && i + 1 < args.size()) value = args[++i];
        if (!value || value->empty()) {
            error = name + " needs a value";
            return false;
        }
        if (!values.emplace(name, *value).second) {
            error = name + " given twice";
            return false;
        }
    }
    return true;
}

bool TakeBrokenLineOptions(const Args& args, const std::set<std::string>& ownNames,
                           std::map<std::string, std::string>& own, BrokenLineOptions& options,
                           Args& rest, std::string& error) {
    static const std::set<std::string> kLineNames = {"--method", "--nrpt", "--dlonp",
                                                     "--dmp",    "--dtp",  "--limit-lat"};
    std::set<std::string> names = ownNames;
    names.insert(kLineNames.begin(), kLineNames.end());
    std::map<std::string, std::string> values;
    if (!TakeValueOptions(args, names, values, rest, error)) return false;
    // Two spacings are refused before either value is read: the message
    // names the conflict, whichever value is also malformed.
    int spacings = 0;
    for (const char* name : {"--nrpt", "--dlonp", "--dmp", "--dtp"}) spacings += values.count(name);
    if (spacings > 1) {
        error = "--nrpt, --dlonp, --dmp and --dtp exclude each other";
        return false;
    }
    if (const auto method = values.find("--method"); method != values.end()) {
        const std::string& value = method->second;
        if (value == "auto") {
            options.method = 0;
        } else if (value.size() == 1 && value[0] >= '1' && value[0] <= '4') {
            options.method = value[0] - '0';
        } else {
            error = "--method takes auto, 1, 2, 3 or 4";
            return false;
        }
        options.methodText = value;
    }
    for (const auto& [name, value] : values) {
        if (!kLineNames.count(name)) {
            own.emplace(name, value);
            continue;
        }
        if (name == "--method") continue;
        const auto typing = TypingOf(name, value, error);
        if (!typing) return false;
        if (name == "--limit-lat") {
            options.limitLatitude = *typing;
        } else {
            options.spacing = std::make_pair(name, *typing);
        }
    }
    return true;
}

int ActivateBrokenLine(CliRun& run, const BrokenLineOptions& options) {
    BrokenLineEngine& engine = run.session().engine();
    PointsController& controller = run.session().points();
    ScriptedKeypad& keypad = run.keypad();
    auto refused = [](const std::string& what) {
        std::cerr << "velmar-cli: " << what << "\n";
        return kExitRefused;
    };
    if (!engine.Activate()) return refused("the broken line was not computed");
    auto check = [&](CommandResult result, const std::string& what) {
        if (result == CommandResult::kFailed) return refused(what + ": the method was not applied");
        if (result == CommandResult::kRefused) return refused(what + " refused");
        if (result == CommandResult::kUnchanged && keypad.LastClose() == KeypadClose::Refused) {
            std::string range;
            if (const auto& request = keypad.LastRequest(); request && request->hasBounds) {
                range =
                    " (" +
                    RangeText(request->kind, request->rangeSwitch, request->lower, request->upper) +
                    ")";
            }
            return refused(what + " refused: " + keypad.LastText() + range);
        }
        return kExitOk;
    };
    if (options.method) {
        const CommandResult r = *options.method == 0 ? controller.Automatic()
                                                     : controller.ChooseMethod(*options.method);
        if (const int status = check(r, "--method " + options.methodText); status != kExitOk) {
            return status;
        }
    }
    if (options.spacing) {
        const std::string& name = options.spacing->first;
        const bool practical = name == "--dmp" || name == "--dtp";
        if (practical != (engine.CurrentMethod() == kMethodPractical)) {
            return refused(name + (practical ? " needs the practical method (--method 4)"
                                             : " needs method 1, 2 or 3"));
        }
        keypad.Push(options.spacing->second);
        const SpacingItem item =
            name == "--nrpt" || name == "--dmp" ? SpacingItem::kNrPt : SpacingItem::kDLonP;
        if (const int status = check(controller.Spacing(item), name); status != kExitOk) {
            return status;
        }
    }
    if (options.limitLatitude) {
        keypad.Push(*options.limitLatitude);
        if (const int status = check(controller.LimitLatitude(), "--limit-lat");
            status != kExitOk) {
            return status;
        }
    }
    return kExitOk;
}

}  // namespace velmar::cli
