// Speed of the chart: a full redraw, and the world map read and drawn over
// it, on a 1920 x 1080 picture.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "chart/ChartDrawing.h"
#include "core/GreatCircle.h"

namespace {

using namespace velmar;

void EnsureGui() {
    static std::unique_ptr<QGuiApplication> app;
    if (app || QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velmar_bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
}

// Genoa to New York with a six-leg broken line, as the chart window shows it.
ChartMarks GenoaNewYork() {
    Scheme s;
    const double lat0 = 44.4, lon0 = 8.93, lat1 = 40.7, lon1 = -74;
    s.values[kDeparture][0] = lat0;
    s.values[kDeparture][1] = lon0;
    s.values[kArrival][0] = lat1;
    s.values[kArrival][1] = lon1;
    const GreatCircleRoute gc = GreatCircle(lat0, lon0, lat1, lon1);
    s.values[kPassageA][3] = gc.v1Latitude;
    s.values[kPassageA][4] = gc.v1Longitude;
    s.values[kPassageB][3] = gc.v2Latitude();
    s.values[kPassageB][4] = gc.v2Longitude;
    s.values[kPassageA][5] = 1;
    BrokenLine line;
    line.n = 6;
    for (int i = 0; i <= 6; ++i) {
        const double t = i / 6.0;
        line.points[i] = {lat0 + (lat1 - lat0) * t + 8 * std::sin(t * 3.14159),
                          lon0 + (lon1 - lon0) * t};
    }
    return ComputeChartMarks(s, line);
}

// A view at `zoom` centred on the Gulf of Genoa.
ChartView ViewAt(int zoom) {
    ChartView v(1920, 1080);
    const double k = zoom / 200.0;
    v.SetView(zoom,
              0.5 - (k * 2 - 1) * ChartX(8.93, CentralMeridian::kGreenwich) / 21600.0 * 2 * 0.5,
              0.5 + (k * 2 - 1) * ChartY(44.4) / 12150.0 * 0.5 * 2);
    return v;
}

void BM_DrawChart(benchmark::State& state) {
    EnsureGui();
    ChartView view = ViewAt(static_cast<int>(state.range(0)));
    const ChartMarks marks = GenoaNewYork();
    QImage image;
    for (auto _ : state) {
        DrawChart(image, view, marks, ChartLayers{});
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawChart)->Arg(100)->Arg(800)->Arg(3200)->Unit(benchmark::kMillisecond);

// The bundled Greenwich-centred coastline, or a synthetic one of about
// 400,000 points (wavy rings all over the world) when it is not there.
std::string MapText() {
    std::error_code ec;
    const auto here = std::filesystem::canonical(__FILE__, ec);
    if (!ec) {
        std::ifstream in(here.parent_path().parent_path() / "data" / "MONDOGW.MAP",
                         std::ios::binary);
        if (in) {
            std::ostringstream s;
            s << in.rdbuf();
            if (s.str().size() > 1000) return s.str();
        }
    }
    std::string text;
    for (int ring = 0; ring < 2000; ++ring) {
        const double cx = -10000 + (ring * 7919) % 20000;
        const double cy = -8000 + (ring * 104729) % 16000;
        for (int i = 0; i < 200; ++i) {
            const double a = i * 2 * 3.14159265 / 199;
            const double r = 150 + 40 * std::sin(7 * a);
            text += i == 0 ? "-1 " : "0 ";
            text += std::to_string(static_cast<int>(cx + r * std::cos(a))) + ' ' +
                    std::to_string(static_cast<int>(cy + r * std::sin(a))) + '\n';
        }
    }
    return text + "1 0 0\n";
}

const std::string& CachedMapText() {
    static const std::string text = MapText();
    return text;
}

void BM_WorldMapParse(benchmark::State& state) {
    const std::string& text = CachedMapText();
    std::size_t points = 0;
    for (auto _ : state) {
        const WorldMap map = ParseWorldMap(text);
        points = map.points.size();
        benchmark::DoNotOptimize(map.points.data());
    }
    state.counters["points"] = static_cast<double>(points);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_WorldMapParse)->Unit(benchmark::kMillisecond);

void BM_WorldMapDraw(benchmark::State& state) {
    EnsureGui();
    ChartView view = ViewAt(static_cast<int>(state.range(0)));
    QImage chart;
    DrawChart(chart, view, GenoaNewYork(), ChartLayers{});
    const WorldMap map = ParseWorldMap(CachedMapText());
    QImage work;
    for (auto _ : state) {
        DrawWorldMap(chart, view, map, work);
        benchmark::DoNotOptimize(work.constBits());
    }
    state.counters["points"] = static_cast<double>(map.points.size());
}
BENCHMARK(BM_WorldMapDraw)->Arg(100)->Arg(800)->Arg(3200)->Unit(benchmark::kMillisecond);

// Reading the file and drawing it, as the first "Mappa" of a session does
// (later ones reuse the parsed map).
void BM_WorldMapReadAndDraw(benchmark::State& state) {
    EnsureGui();
    ChartView view = ViewAt(static_cast<int>(state.range(0)));
    QImage chart;
    DrawChart(chart, view, GenoaNewYork(), ChartLayers{});
    const auto path = std::filesystem::temp_directory_path() / "velmar_bench_MONDOGW.MAP";
    std::ofstream(path, std::ios::binary) << CachedMapText();
    QImage work;
    for (auto _ : state) {
        WorldMap map;
        ReadWorldMap(path, map);
        DrawWorldMap(chart, view, map, work);
        benchmark::DoNotOptimize(work.constBits());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WorldMapReadAndDraw)->Arg(100)->Arg(800)->Arg(3200)->Unit(benchmark::kMillisecond);

}  // namespace
