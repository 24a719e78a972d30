// points: the broken line of the scheme. Applies the entries as solve does,
// runs the points window's activation, then the method and spacing options
// as the window's menu commands would, and prints the list, the status bar
// and the summary (or JSON); --gpx and --rtz write the route for chart
// plotters and ECDIS.

#include <fstream>
#include <iostream>
#include <map>
#include <optional>

#include "brokenline/BrokenLineEngine.h"
#include "brokenline/BrokenLineSummary.h"
#include "brokenline/PointsController.h"
#include "brokenline/PointsText.h"
#include "brokenline/RouteExport.h"
#include "cli/Commands.h"
#include "cli/Entries.h"
#include "cli/Json.h"
#include "scheme/ScriptedKeypad.h"

namespace velmar::cli {
namespace {

// Options of this subcommand that take a value; the rest go to the common
// parser.
const char* const kValueOptions[] = {"--gpx",   "--rtz", "--method", "--nrpt",
                                     "--dlonp", "--dmp", "--dtp",    "--limit-lat"};

bool TakePointsOptions(const Args& args, std::map<std::string, std::string>& own, Args& rest,
                       std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i], value;
        bool inlineValue = false;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            inlineValue = true;
        }
        bool known = false;
        for (const char* option : kValueOptions) known = known || name == option;
        if (!known) {
            rest.push_back(args[i]);
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (value.empty()) {
            error = name + " needs a value";
            return false;
        }
        if (own.count(name)) {
            error = name + " given twice";
            return false;
        }
        own[name] = value;
    }
    int spacing = 0;
    for (const char* option : {"--nrpt", "--dlonp", "--dmp", "--dtp"}) spacing += own.count(option);
    if (spacing > 1) {
        error = "--nrpt, --dlonp, --dmp and --dtp exclude each other";
        return false;
    }
    return true;
}

// The keypad fields of a typed value. The scheme's entry parser already
// reads every kind the points window asks for, so the value is parsed as an
// entry of a scheme cell of the same kind (the cell itself is not touched).
std::optional<KeypadTyping> TypingOf(const std::string& option, const std::string& value,
                                     std::string& error) {
    if (option == "--nrpt") {
        std::size_t used = 0;
        int count = -1;
        try {
            count = std::stoi(value, &used);
        } catch (...) {
        }
        if (used != value.size() || count < 0) {
            error = "--nrpt needs a whole number of points";
            return std::nullopt;
        }
        KeypadTyping typing;
        typing.fields[0] = count;
        return typing;
    }
    const std::map<std::string, std::string> cellOfKind = {
        {"--dlonp", "dep.lon"}, {"--dmp", "ml"}, {"--dtp", "dt"}, {"--limit-lat", "dep.lat"}};
    const auto entry = ParseEntry(cellOfKind.at(option) + "=" + value, error);
    if (!entry) {
        error = option + ": " + error;
        return std::nullopt;
    }
    return entry->typing;
}

std::string LegsAndPointsJson(const BrokenLine& line, const BrokenLineWork& work, int method) {
    const int n = ArrivalIndex(line);
    std::string out = "  \"points\": [";
    for (int i = 0; i <= n; ++i) {
        const GeoPoint& p = line.points[i];
        out += std::string(i ? ",\n" : "\n") + "    {\"index\": " + std::to_string(i) +
               ", \"label\": " + JsonString(PointLabel(i, method, line, work.vertexInside)) +
               ", \"latitude\": " + JsonNumber(p.latitude) +
               ", \"longitude\": " + JsonNumber(p.longitude);
        if (work.showTimes) {
            out += ", \"greenwich\": " + JsonNumber(line.greenwichTimes[i]) +
                   ", \"greenwichUtc\": " + JsonString(IsoUtc(line.greenwichTimes[i])) +
                   ", \"zone\": " + JsonNumber(line.zoneTimes[i]) +
                   ", \"zoneText\": " + JsonString(PointTimeText(line.zoneTimes[i]));
        }
        out += "}";
    }
    out += "\n  ],\n  \"legs\": [";
    for (int i = 0; i < n; ++i) {
        out += std::string(i ? ",\n" : "\n") + "    {\"index\": " + std::to_string(i) +
               ", \"course\": " + JsonNumber(line.legs[i].course) +
               ", \"distance\": " + JsonNumber(line.legs[i].distance);
        if (work.showLegTimes) out += ", \"hours\": " + JsonNumber(line.legTimes[i]);
        out += "}";
    }
    out += "\n  ],\n";
    return out;
}

std::string StringArray(const std::vector<std::string>& items, const std::string& indent) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? ",\n" : "\n") + indent + "  " + JsonString(items[i]);
    return out + (items.empty() ? "]" : "\n" + indent + "]");
}

std::string MessagesJson(const std::vector<Message>& shown) {
    std::string out = "[";
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const Message& m = shown[i];
        out += std::string(i ? ",\n" : "\n") + "    {\"icon\": " + JsonString(m.icon) +
               ", \"title\": " + JsonString(m.title) + ", \"header\": " + JsonString(m.header) +
               ", \"message\": " + JsonString(m.message) + "}";
    }
    return out + (shown.empty() ? "]" : "\n  ]");
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) std::cerr << "velmar-cli: cannot write " << path << "\n";
    return static_cast<bool>(file);
}

std::string WithLineFeeds(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

}  // namespace

int RunPoints(const Args& args) {
    std::map<std::string, std::string> own;
    Args rest;
    std::string error;
    if (!TakePointsOptions(args, own, rest, error)) return UsageError(error);
    CommonOptions options;
    if (!ParseCommonOptions(rest, {}, options, error)) return UsageError(error);
    std::optional<int> methodOption;
    if (own.count("--method")) {
        const std::string& m = own["--method"];
        if (m == "auto")
            methodOption = 0;
        else if (m.size() == 1 && m[0] >= '1' && m[0] <= '4')
            methodOption = m[0] - '0';
        else
            return UsageError("--method takes auto, 1, 2, 3 or 4");
    }
    std::optional<std::pair<std::string, KeypadTyping>> spacing, limit;
    for (const auto& [name, value] : own) {
        if (name == "--gpx" || name == "--rtz" || name == "--method") continue;
        const auto typing = TypingOf(name, value, error);
        if (!typing) return UsageError(error);
        (name == "--limit-lat" ? limit : spacing) = std::make_pair(name, *typing);
    }

    Session session(options);
    if (const int status = session.Load(); status != kExitOk) return status;
    if (const int status = session.ApplyEntries(); status != kExitOk) return status;

    Scheme& scheme = session.scheme();
    BrokenLine& line = session.line();
    BrokenLineWork work;
    TerminalMessages messages(options.yes);
    ScriptedKeypad keypad(messages, scheme.saved);
    BrokenLineEngine engine(scheme, line, work, messages);
    PointsController controller(engine, keypad);

    auto refused = [&](const std::string& what) {
        std::cerr << "velmar-cli: " << what << "\n";
        return kExitRefused;
    };
    if (scheme.IsEmpty(kPassageA, 2) || scheme.IsEmpty(kPassageB, 2)) {
        messages.MsgBox({"I", "O", "Velmar3: Modulo Punti", "Niente da calcolare.", "", ""});
        return refused("the great circle is not solved: enter departure and arrival");
    }
    if (!engine.Activate()) return refused("the broken line was not computed");

    auto run = [&](CommandResult result, const std::string& what) {
        if (result == CommandResult::kFailed) return refused(what + ": the method was not applied");
        if (result == CommandResult::kRefused) return refused(what + " refused");
        if (result == CommandResult::kUnchanged && keypad.LastClose() == KeypadClose::Refused) {
            std::string range;
            if (const auto& request = keypad.LastRequest(); request && request->hasBounds)
                range =
                    " (" +
                    RangeText(request->kind, request->rangeSwitch, request->lower, request->upper) +
                    ")";
            return refused(what + " refused: " + keypad.LastText() + range);
        }
        return kExitOk;
    };
    if (methodOption) {
        const CommandResult r =
            *methodOption == 0 ? controller.Automatic() : controller.ChooseMethod(*methodOption);
        if (const int status = run(r, "--method " + own["--method"]); status != kExitOk)
            return status;
    }
    if (spacing) {
        const bool practicalOption = spacing->first == "--dmp" || spacing->first == "--dtp";
        if (practicalOption != (engine.CurrentMethod() == kMethodPractical))
            return refused(spacing->first + (practicalOption
                                                 ? " needs the practical method (--method 4)"
                                                 : " needs method 1, 2 or 3"));
        keypad.Push(spacing->second);
        const int tag = spacing->first == "--nrpt" || spacing->first == "--dmp" ? 1 : 2;
        if (const int status = run(controller.Spacing(tag), spacing->first); status != kExitOk)
            return status;
    }
    if (limit) {
        keypad.Push(limit->second);
        if (const int status = run(controller.LimitLatitude(), "--limit-lat"); status != kExitOk)
            return status;
    }
    if (const int status = session.Save(); status != kExitOk) return status;

    const int method = engine.CurrentMethod();
    const PointsDisplay& display = engine.Display();
    const Route route = RouteOfLine(line, work, method, scheme.Value(kPassageA, 1),
                                    "Velmar - " + MethodName(method));
    if (own.count("--gpx") && !WriteText(own["--gpx"], ToGpx(route))) return kExitFile;
    if (own.count("--rtz") && !WriteText(own["--rtz"], ToRtz(route))) return kExitFile;

    SummaryLabels summary;
    FillSummary(scheme, line, summary);
    if (!options.json) {
        for (const std::string& text : display.lines) std::cout << text << "\n";
        for (const std::string& section : display.status.sections) std::cout << section << "\n";
        std::cout << WithLineFeeds(SummaryCopyText(summary));
        return kExitOk;
    }
    std::string out = "{\n";
    out += "  \"method\": " + std::to_string(method) + ",\n";
    out += "  \"methodName\": " + JsonString(MethodName(method)) + ",\n";
    out += "  \"header\": {\"n\": " + std::to_string(line.n) +
           ", \"vertexIndex\": " + std::to_string(line.vertexIndex) +
           ", \"spacingChoice\": " + std::to_string(line.spacingChoice) +
           ", \"practicalChoice\": " + std::to_string(line.practicalChoice) + "},\n";
    out += "  \"parameters\": {\"limitLat\": " + JsonNumber(line.limitLat) +
           ", \"dtP\": " + JsonNumber(line.dtP) + ", \"dmP\": " + JsonNumber(line.dmP) +
           ", \"totalTime\": " + JsonNumber(line.totalTime) +
           ", \"totalDistance\": " + JsonNumber(line.totalDistance) + "},\n";
    out += "  \"spacing\": {\"nrPt\": " + std::to_string(scheme.NrPt()) +
           ", \"dLonP\": " + JsonNumber(scheme.Value(kPassageB, 5)) + "},\n";
    out += LegsAndPointsJson(line, work, method);
    out += "  \"list\": " + StringArray(display.lines, "  ") + ",\n";
    out += "  \"recall\": " + StringArray({display.recall.begin(), display.recall.end()}, "  ") +
           ",\n";
    out += "  \"status\": " +
           StringArray({display.status.sections.begin(), display.status.sections.end()}, "  ") +
           ",\n";
    out += "  \"summary\": " + JsonString(SummaryCopyText(summary)) + ",\n";
    out += "  \"schemeSaved\": " + std::string(scheme.saved ? "true" : "false") + ",\n";
    out += "  \"messages\": " + MessagesJson(messages.Shown()) + "\n}\n";
    std::cout << out;
    return kExitOk;
}

}  // namespace velmar::cli
