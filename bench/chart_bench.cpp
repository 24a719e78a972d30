// Speed of the chart on a 1920 x 1080 picture: a full redraw, the world map
// read, parsed and drawn over it, and the kept map redrawn with every frame.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QTextStream>
#include <cmath>
#include <cstdint>
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

// The bundled map file for a central meridian (0 Greenwich, 1 antimeridian).
std::filesystem::path MapPath(std::int64_t antimeridian) {
    return MapFilePath(VELMAR_DATA_DIR,
                       antimeridian ? CentralMeridian::kAntimeridian : CentralMeridian::kGreenwich);
}

const WorldMap* BundledMap(std::int64_t antimeridian) {
    static WorldMap maps[2];
    static bool read[2] = {false, false};
    const auto i = static_cast<std::size_t>(antimeridian != 0);
    if (!read[i]) read[i] = ReadWorldMap(MapPath(antimeridian), maps[i]) == MapLoadStatus::kOk;
    return read[i] ? &maps[i] : nullptr;
}

// A 1920 x 1080 view at `zoom` over a stretch of dense coast: the Gulf of
// Genoa on the Greenwich-centred chart, Tokyo Bay on the other.
ChartView MapView(int zoom, std::int64_t antimeridian) {
    ChartView v(1920, 1080);
    const CentralMeridian meridian =
        antimeridian ? CentralMeridian::kAntimeridian : CentralMeridian::kGreenwich;
    v.SetMeridian(meridian);
    v.SetView(zoom, 0.5, 0.5);
    const double lat = antimeridian ? 35.0 : 44.4;
    const double lon = antimeridian ? 139.7 : 8.93;
    const double scale = v.Mapping().scale;
    v.SetView(zoom, 0.5 - ChartX(lon, meridian) * scale / v.Width(),
              0.5 + ChartY(lat) * scale / v.Height());
    return v;
}

void MapArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"zoom", "antimeridian"})
        ->ArgsProduct({{100, 800, 3200}, {0, 1}})
        ->Unit(benchmark::kMillisecond);
}

void BM_WorldMapParse(benchmark::State& state) {
    std::ifstream in(MapPath(state.range(0)), std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    if (text.empty()) return state.SkipWithError("no map file");
    std::size_t points = 0;
    for (auto _ : state) {
        const WorldMap map = ParseWorldMap(text);
        points = map.points.size();
        benchmark::DoNotOptimize(map.points.data());
    }
    state.counters["points"] = static_cast<double>(points);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_WorldMapParse)->ArgName("antimeridian")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The kept map drawn onto the chart in place, as every redraw with "Mappa
// sempre" does after DrawChart (drawing over the last drawing costs the
// same as over a fresh chart).
void BM_MapDrawFromMemory(benchmark::State& state) {
    const WorldMap* map = BundledMap(state.range(1));
    if (!map) return state.SkipWithError("no map file");
    EnsureGui();
    ChartView view = MapView(static_cast<int>(state.range(0)), state.range(1));
    QImage chart;
    DrawChart(chart, view, GenoaNewYork(), ChartLayers{});
    for (auto _ : state) {
        OverlayWorldMap(chart, view, *map);
        benchmark::DoNotOptimize(chart.constBits());
    }
    state.counters["points"] = static_cast<double>(map->points.size());
}
BENCHMARK(BM_MapDrawFromMemory)->Apply(MapArgs);

// One frame of a zoom or pan step with the map always shown: the whole
// chart, then the kept map over it.
void BM_DrawChartWithMap(benchmark::State& state) {
    const WorldMap* map = BundledMap(state.range(1));
    if (!map) return state.SkipWithError("no map file");
    EnsureGui();
    ChartView view = MapView(static_cast<int>(state.range(0)), state.range(1));
    const ChartMarks marks = GenoaNewYork();
    QImage chart;
    for (auto _ : state) {
        DrawChart(chart, view, marks, ChartLayers{});
        OverlayWorldMap(chart, view, *map);
        benchmark::DoNotOptimize(chart.constBits());
    }
}
BENCHMARK(BM_DrawChartWithMap)->Apply(MapArgs);

// The first "Mappa" of a session at zoom 100: the file read, parsed and
// drawn onto the chart (later ones reuse the parsed map).
void BM_MapFirstDraw(benchmark::State& state) {
    const auto path = MapPath(state.range(0));
    EnsureGui();
    ChartView view = MapView(100, state.range(0));
    QImage chart;
    DrawChart(chart, view, GenoaNewYork(), ChartLayers{});
    for (auto _ : state) {
        WorldMap map;
        if (ReadWorldMap(path, map) != MapLoadStatus::kOk)
            return state.SkipWithError("no map file");
        OverlayWorldMap(chart, view, map);
        benchmark::DoNotOptimize(chart.constBits());
    }
}
BENCHMARK(BM_MapFirstDraw)->ArgName("antimeridian")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The yardstick of BM_MapFirstDraw: a straightforward reader and painter
// of the same file, Qt's text stream reading the numbers and one painter
// line per segment in chart units through the chart mapping.
void BM_StraightforwardMapReaderAndPainter(benchmark::State& state) {
    const QString path = QString::fromStdString(MapPath(state.range(0)).string());
    EnsureGui();
    ChartView view = MapView(100, state.range(0));
    QImage chart;
    DrawChart(chart, view, GenoaNewYork(), ChartLayers{});
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return state.SkipWithError("no map file");
        QTextStream in(&file);
        QPainter painter(&chart);
        ApplyChartMapping(painter, view);
        QPen pen(Qt::black);
        pen.setWidth(1);
        pen.setCosmetic(true);  // one chart unit is less than a pixel at zoom 100
        painter.setPen(pen);
        QPointF at;
        int code = 0, x = 0, y = 0;
        while (!in.atEnd()) {
            in >> code >> x >> y;
            if (in.status() != QTextStream::Ok || code == 1) break;
            if (code == -1) at = QPointF(x, y);
            if (code == 0) {
                const QPointF to(x, y);
                painter.drawLine(at, to);
                at = to;
            }
        }
        benchmark::DoNotOptimize(chart.constBits());
    }
}
BENCHMARK(BM_StraightforwardMapReaderAndPainter)
    ->ArgName("antimeridian")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
