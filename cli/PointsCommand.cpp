// points: the broken line of the scheme. Applies the entries as solve does,
// runs the points window's activation, then the method and spacing options
// as the window's menu commands would, and prints the list, the status bar,
// the summary and, when the points have times, the light at each point (or
// JSON); --gpx and --rtz write the route for chart plotters and ECDIS, --pdf
// the passage plan the points window writes.

#include <iostream>
#include <map>

#include "brokenline/BrokenLineSummary.h"
#include "brokenline/PointsLight.h"
#include "brokenline/PointsText.h"
#include "brokenline/RouteExport.h"
#include "chart/PlanDocument.h"
#include "cli/CliRun.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/Gui.h"
#include "cli/Json.h"
#include "store/DurableFile.h"

namespace velmar::cli {
namespace {

// The light at a point: its state and the sun's altitude, the sunrise and
// sunset of the point's zone date in UTC and in zone time (null when the day
// has none), and the polar day or night note (else null).
std::string LightJson(const PointLight& row) {
    if (!row.light) return "null";
    const SunEvents& e = row.light->events;
    const auto utc = [](const std::optional<DateTime>& moment) {
        return moment ? JsonString(IsoUtc(*moment)) : std::string("null");
    };
    const auto zone = [](const std::optional<DateTime>& moment, const std::string& text) {
        return moment ? JsonString(text) : std::string("null");
    };
    return "{\"state\": " + JsonString(row.state) +
           ", \"altitude\": " + JsonNumber(row.light->altitude) +
           ", \"sunriseUtc\": " + utc(e.sunrise) + ", \"sunsetUtc\": " + utc(e.sunset) +
           ", \"sunrise\": " + zone(e.sunrise, row.sunrise) +
           ", \"sunset\": " + zone(e.sunset, row.sunset) +
           ", \"polar\": " + (row.note.empty() ? std::string("null") : JsonString(row.note)) + "}";
}

std::string LegsAndPointsJson(const BrokenLine& line, const BrokenLineWork& work, int method,
                              const std::vector<PointLight>& light) {
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
            if (static_cast<std::size_t>(i) < light.size())
                out += ", \"light\": " + LightJson(light[static_cast<std::size_t>(i)]);
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

// The messages shown[first, last).
std::string MessagesJson(const std::vector<Message>& shown, std::size_t first, std::size_t last) {
    std::string out = "[";
    for (std::size_t i = first; i < last; ++i) {
        const Message& m = shown[i];
        out += std::string(i > first ? ",\n" : "\n") + "    {\"icon\": " + JsonString(m.icon) +
               ", \"title\": " + JsonString(m.title) + ", \"header\": " + JsonString(m.header) +
               ", \"message\": " + JsonString(m.message) + "}";
    }
    return out + (first == last ? "]" : "\n  ]");
}

// Whole or not at all: a failed write leaves the file that was there.
bool WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    if (ReplaceFileContents(path, bytes) == FileStep::Done) return true;
    std::cerr << "velmar-cli: cannot write " << path << "\n";
    return false;
}

bool WriteText(const std::string& path, const std::string& text) {
    return WriteBytes(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// The passage plan, as the points window's "Piano di navigazione..." writes
// it, with the map files from --dir when given, else the bundled data.
bool WritePlan(const std::string& path, Session& session, bool dirGiven, const std::string& dir) {
    const RuntimeDirNoticeFilter quiet;
    const auto gui = StartGui();
    const Scheme& scheme = session.scheme();
    const PlanPortNames names{session.portNames().NameOf(scheme, kDeparture),
                              session.portNames().NameOf(scheme, kArrival)};
    const PlanDocument document =
        MakePlanDocument(scheme, session.line(), session.work(), session.engine().CurrentMethod(),
                         names, SystemNow(), MapFolder(dirGiven, dir));
    if (!document.plan.chartNote.empty())
        std::cerr << "velmar-cli: " << document.plan.chartNote << "\n";
    const QByteArray pdf = PlanDocumentPdf(document);
    return !pdf.isEmpty() &&
           WriteBytes(path, {reinterpret_cast<const std::uint8_t*>(pdf.constData()),
                             static_cast<std::size_t>(pdf.size())});
}

std::string WithLineFeeds(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

}  // namespace

int RunPoints(const Args& args) {
    BrokenLineOptions lineOptions;
    std::map<std::string, std::string> files;  // --gpx, --rtz, --pdf
    Args rest;
    std::string error;
    if (!TakeBrokenLineOptions(args, {"--gpx", "--rtz", "--pdf"}, files, lineOptions, rest,
                               error)) {
        return UsageError(error);
    }
    CommonOptions options;
    if (!ParseCommonOptions(rest, {}, options, error)) return UsageError(error);

    CliRun run(options);
    if (const int status = run.Load(); status != kExitOk) return status;
    if (const int status = run.ApplyEntries(); status != kExitOk) return status;

    Session& session = run.session();
    const Scheme& scheme = session.scheme();
    const BrokenLine& line = session.line();
    const BrokenLineWork& work = session.work();
    const BrokenLineEngine& engine = session.engine();
    // The JSON's messages are the broken line's own; those of the load, the
    // entries and the save were printed as they came.
    const std::size_t firstLineMessage = run.messages().Shown().size();
    if (!session.solver().HasGreatCircle(GreatCircleUser::Points)) {
        std::cerr << "velmar-cli: the great circle is not solved: enter departure and arrival\n";
        return kExitRefused;
    }
    if (const int status = ActivateBrokenLine(run, lineOptions); status != kExitOk) return status;
    const std::size_t lastLineMessage = run.messages().Shown().size();
    if (const int status = run.Save(); status != kExitOk) return status;

    const int method = engine.CurrentMethod();
    const PointsDisplay& display = engine.Display();
    const Route route = PlannedRoute(scheme, line, work, method);
    if (files.count("--gpx") && !WriteText(files["--gpx"], ToGpx(route))) return kExitFile;
    if (files.count("--rtz") && !WriteText(files["--rtz"], ToRtz(route))) return kExitFile;
    if (files.count("--pdf") && !WritePlan(files["--pdf"], session, DirGiven(rest), options.dir))
        return kExitFile;

    SummaryLabels summary;
    FillSummary(scheme, line, summary);
    const std::vector<PointLight> light = PointsLight(line, work, method);
    if (!options.json) {
        for (const std::string& text : display.lines) std::cout << text << "\n";
        for (const std::string& section : display.status.sections) std::cout << section << "\n";
        std::cout << WithLineFeeds(SummaryCopyText(summary));
        if (!light.empty()) std::cout << "\n" << WithLineFeeds(PointsLightText(light));
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
           ", \"dLonP\": " + JsonNumber(scheme.Value(cells::Spacing)) + "},\n";
    out += LegsAndPointsJson(line, work, method, light);
    out += "  \"list\": " + StringArray(display.lines, "  ") + ",\n";
    out += "  \"recall\": " + StringArray({display.recall.begin(), display.recall.end()}, "  ") +
           ",\n";
    out += "  \"status\": " +
           StringArray({display.status.sections.begin(), display.status.sections.end()}, "  ") +
           ",\n";
    out += "  \"summary\": " + JsonString(SummaryCopyText(summary)) + ",\n";
    out += "  \"schemeSaved\": " + std::string(scheme.saved ? "true" : "false") + ",\n";
    out += "  \"messages\": " +
           MessagesJson(run.messages().Shown(), firstLineMessage, lastLineMessage) + "\n}\n";
    std::cout << out;
    return kExitOk;
}

}  // namespace velmar::cli
