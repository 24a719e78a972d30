// chart: solve the entries, compute the broken line as the points window
// (and the points command) does, and draw the chart as the chart window
// would, into a PNG file.

#include <QImage>
#include <QString>
#include <charconv>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "chart/ChartDrawing.h"
#include "chart/ChartTexts.h"
#include "cli/CliRun.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/Gui.h"

namespace velmar::cli {

namespace {

struct ChartOptions {
    std::string png;
    int width = 1920;
    int height = 1080;
    int zoom = kMinZoom;
    std::optional<GeoPoint> centre;
    bool dirGiven = false;
};

bool ParseInt(const std::string& text, int lo, int hi, int& out) {
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end && out >= lo && out <= hi;
}

bool ParseDouble(const std::string& text, double lo, double hi, double& out) {
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end && out >= lo && out <= hi;
}

// The chart's own valued options.
const std::set<std::string> kChartValueOptions = {"--png", "--size", "--zoom", "--center"};

// Reads the chart's own option values; `rest` is what goes to the common
// parser (where --dir is).
bool ReadChartOptions(const std::map<std::string, std::string>& values, const Args& rest,
                      ChartOptions& chart, std::string& error) {
    chart.dirGiven = DirGiven(rest);
    for (const auto& [arg, v] : values) {
        if (arg == "--png") {
            chart.png = v;
        } else if (arg == "--size") {
            const std::size_t x = v.find_first_of("xX");
            if (x == std::string::npos || !ParseInt(v.substr(0, x), 16, 8192, chart.width) ||
                !ParseInt(v.substr(x + 1), 16, 8192, chart.height)) {
                error = "--size '" + v + "': expected WIDTHxHEIGHT, each 16 to 8192 pixels";
                return false;
            }
        } else if (arg == "--zoom") {
            if (!ParseInt(v, kMinZoom, kMaxZoom, chart.zoom)) {
                error = "--zoom '" + v + "': expected a whole percentage from 100 to 3200";
                return false;
            }
        } else {
            const std::size_t comma = v.find(',');
            GeoPoint p;
            if (comma == std::string::npos ||
                !ParseDouble(v.substr(0, comma), -90, 90, p.latitude) ||
                !ParseDouble(v.substr(comma + 1), -180, 180, p.longitude)) {
                error = "--center '" + v + "': expected LAT,LON in signed decimal degrees";
                return false;
            }
            chart.centre = p;
        }
    }
    if (chart.png.empty()) {
        error = "chart needs --png FILE";
        return false;
    }
    return true;
}

// Centres the view on a position (then keeps it inside the world).
void CentreOn(ChartView& view, const GeoPoint& p) {
    const double scale = view.Mapping().scale;
    const double x = ChartX(p.longitude, view.Meridian());
    const double y = ChartY(p.latitude);
    view.SetView(view.Zoom(), 0.5 - x * scale / view.Width(), 0.5 + y * scale / view.Height());
}

constexpr const char* kChartUsage =
    "Usage: velmar-cli chart --png FILE [OPTIONS] [NAME=VALUE...]\n"
    "Solves the entries, computes the broken line as the points window does and draws\n"
    "the chart as the chart window would.\n"
    "  --png FILE          the picture to write (PNG)\n"
    "  --size WxH          picture size in pixels (default 1920x1080, as a screen)\n"
    "  --zoom Z            100 (the whole world across) to 3200 percent\n"
    "  --center LAT,LON    the position at the picture's centre (signed degrees)\n"
    "  --map               draw the coastline: MONDOGW.MAP or MONDOAG.MAP by the chart's\n"
    "                      central meridian, from --dir when given, else the bundled data\n"
    "  --method M          the broken-line method: auto, 1, 2, 3 or 4; then one of\n"
    "  --nrpt N --dlonp D --dmp M --dtp H, and --limit-lat L, as for points\n"
    "  --no-labels --no-brokenline --no-greatcircle --no-graticule   hide a layer\n"
    "  --load KEY --dir FOLDER --yes   as for solve\n"
    "Exit status: 0 drawn; 1 a scheme pair not read, the picture not written, or a map\n"
    "file missing or damaged (the picture is still written, with what could be read);\n"
    "2 an entry or a points option refused, the broken line asked for not computed, or\n"
    "nothing to draw; 64 bad arguments.\n";

// The chart's own options, the broken line's and the common ones. False
// with `error` set on anything malformed, and on the common options the
// chart has no use for.
bool ParseChartArguments(const Args& args, ChartOptions& chart, BrokenLineOptions& lineOptions,
                         CommonOptions& options, std::string& error) {
    std::map<std::string, std::string> values;
    Args rest;
    if (!TakeBrokenLineOptions(args, kChartValueOptions, values, lineOptions, rest, error) ||
        !ReadChartOptions(values, rest, chart, error)) {
        return false;
    }
    const std::set<std::string> flags = {"--map", "--no-labels", "--no-brokenline",
                                         "--no-greatcircle", "--no-graticule"};
    if (!ParseCommonOptions(rest, flags, options, error)) return false;
    if (options.json) {
        error = "chart writes a picture: --json is not one of its options";
        return false;
    }
    // The chart never changes the scheme: a pair is written by solve or points.
    if (options.save) {
        error = "chart does not write scheme pairs: --save is not one of its options";
        return false;
    }
    return true;
}

// The scheme with the entries, and the broken line as the points window
// leaves it: its activation, then the menu commands the options ask for.
// Without such options a line that cannot be computed is left out of the
// picture, as the window would. kExitOk, or the status to end with.
int PrepareScheme(CliRun& run, const BrokenLineOptions& lineOptions) {
    if (const int status = run.Load(); status != kExitOk) return status;
    if (const int status = run.ApplyEntries(); status != kExitOk) return status;
    if (!run.session().solver().HasGreatCircle(GreatCircleUser::Chart)) return kExitRefused;
    const bool asked = lineOptions.method || lineOptions.spacing || lineOptions.limitLatitude;
    if (const int status = ActivateBrokenLine(run, lineOptions); status != kExitOk && asked)
        return status;
    return kExitOk;
}

// The view of the picture: its size, the marks' central meridian, the zoom
// and the centre asked for.
ChartView MakeView(const ChartOptions& chart, const ChartMarks& marks) {
    ChartView view(chart.width, chart.height);
    view.SetMeridian(marks.meridian);
    view.SetView(chart.zoom, 0.5, 0.5);
    if (chart.centre) CentreOn(view, *chart.centre);
    return view;
}

ChartLayers LayersOf(const CommonOptions& options) {
    ChartLayers layers;
    layers.labels = !options.flags.count("--no-labels");
    layers.brokenLine = !options.flags.count("--no-brokenline");
    layers.greatCircle = !options.flags.count("--no-greatcircle");
    layers.graticule = !options.flags.count("--no-graticule");
    return layers;
}

// Draws the chart and, with --map, the coastline over it. `mapFault` is set
// when a map file was missing or damaged; the picture then holds what
// could be read.
QImage DrawPicture(CliRun& run, const ChartOptions& chart, const CommonOptions& options,
                   ChartView& view, const ChartMarks& marks, bool& mapFault) {
    QImage image;
    DrawChart(image, view, marks, LayersOf(options));
    if (options.flags.count("--map")) {
        const auto path = MapFilePath(MapFolder(chart.dirGiven, options.dir), marks.meridian);
        WorldMapCache maps;
        const std::size_t before = run.messages().Shown().size();
        if (const WorldMap* map = maps.Load(path, run.session().messages()))
            image = DrawWorldMap(image, view, *map);
        mapFault = run.messages().Shown().size() != before;
    }
    return image;
}

// The panels' texts, as the window shows them beside the picture (the scale
// for a picture shown at 96 pixels to the inch).
void PrintPanels(const std::string& png, const ChartView& view, const ChartMarks& marks) {
    const LimitsTexts limits = LimitsPanelTexts(view);
    const ScaleTexts scale = ScalePanelTexts(view, 96);
    std::cout << png << ": " << view.Width() << " x " << view.Height() << "\n"
              << limits.title << ": Nord " << limits.north << ", Sud " << limits.south << ", Ovest "
              << limits.west << ", Est " << limits.east << "\n"
              << scale.title << ", " << scale.meanLatitude << ", " << scale.equatorial << ", "
              << scale.atMeanLatitude << "\n"
              << "Spezzata: "
              << (marks.BrokenLineEnabled()
                      ? MethodName(marks.method) + ", " + std::to_string(marks.pointCount) +
                            " punti intermedi"
                      : std::string("nessuna"))
              << "\n";
}

}  // namespace

int RunChart(const Args& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kChartUsage;
        return kExitOk;
    }
    ChartOptions chart;
    BrokenLineOptions lineOptions;
    CommonOptions options;
    std::string error;
    if (!ParseChartArguments(args, chart, lineOptions, options, error)) return UsageError(error);

    CliRun run(options);
    if (const int status = PrepareScheme(run, lineOptions); status != kExitOk) return status;
    const ChartMarks marks = ComputeChartMarks(run.scheme(), run.line());
    ChartView view = MakeView(chart, marks);

    const RuntimeDirNoticeFilter quiet;
    const auto gui = StartGui();
    bool mapFault = false;
    const QImage image = DrawPicture(run, chart, options, view, marks, mapFault);
    if (!image.save(QString::fromStdString(chart.png), "PNG")) {
        std::cerr << "velmar-cli: cannot write " << chart.png << "\n";
        return kExitFile;
    }
    PrintPanels(chart.png, view, marks);
    return mapFault ? kExitFile : kExitOk;
}

}  // namespace velmar::cli
