#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "chart/ChartDrawing.h"

namespace velmar {
namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;
const ChartLayers kNoLayers{false, false, false, false};

int CountColour(const QImage& image, QRgb colour, QRect area = {}) {
    area = (area.isNull() ? image.rect() : area) & image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == colour;
    }
    return n;
}

// Whether the colour lies within `radius` pixels of (x, y): an aliased line
// may fall on either neighbour of its exact coordinate.
bool ColourNear(const QImage& image, double x, double y, QRgb colour, int radius = 1) {
    const int cx = static_cast<int>(std::lround(x));
    const int cy = static_cast<int>(std::lround(y));
    return CountColour(image, colour,
                       QRect(cx - radius, cy - radius, 2 * radius + 1, 2 * radius + 1)) > 0;
}

// A 1080 x 540 chart at zoom 100: 0.05 pixel per chart unit, origin at (540, 270).
class ChartDrawing : public ::testing::Test {
  protected:
    ChartDrawing() : view_(1080, 540) {
        // Texts need a QGuiApplication, run headless; it lives to the exit.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "chart_drawing_tests", *argv[] = {name, nullptr};
        static QGuiApplication* const app = qApp ? nullptr : new QGuiApplication(argc, argv);
        (void)app;
        marks_.a = {-6000, -3000};
        marks_.b = {-2000, 1000};
        marks_.v1 = {0, ChartY(40)};
        marks_.v1Latitude = 40;
        marks_.v2 = {10800, -ChartY(40)};
        marks_.method = 1;
        marks_.pointCount = 2;
        marks_.points[0] = {-5000, -1000};
        marks_.points[1] = {-3000, 1500};
    }
    QImage Draw() {
        QImage image;
        DrawChart(image, view_, marks_, layers_);
        return image;
    }
    double Px(double x) const { return view_.Mapping().PixelX(x); }
    double Py(double y) const { return view_.Mapping().PixelY(y); }

    ChartView view_;
    ChartMarks marks_;
    ChartLayers layers_;
};

TEST_F(ChartDrawing, FrameGraticuleEquatorAndCentralMeridian) {
    QImage image = Draw();
    EXPECT_EQ(image.size(), QSize(1080, 540));
    EXPECT_TRUE(image.pixel(1079, 300) == kBlack && image.pixel(700, 539) == kBlack);  // frame
    for (int lon : {-150, 30, 60})
        EXPECT_TRUE(ColourNear(image, Px(lon * 60), 420, kChartGraticule));
    for (int lat : {60, -30}) EXPECT_TRUE(ColourNear(image, 870, Py(ChartY(lat)), kChartGraticule));
    EXPECT_EQ(image.pixel(static_cast<int>(Px(45 * 60)), 420), kWhite);
    EXPECT_FALSE(ColourNear(image, 870, Py(ChartY(45)), kChartGraticule, 3));
    // Without the graticule the equator and the central meridian stay.
    layers_.graticule = false;
    image = Draw();
    EXPECT_EQ(CountColour(image, kChartGraticule), 0);
    EXPECT_TRUE(ColourNear(image, 900, Py(0), kChartEquator));
    EXPECT_TRUE(ColourNear(image, Px(0), 60, kBlack));
    EXPECT_TRUE(ColourNear(image, Px(0), 480, kBlack));
    layers_.graticule = true;
    view_.SetView(400, 0.5, 0.5);  // a 15-degree step: 15 E is 900 units east of the centre
    EXPECT_TRUE(ColourNear(Draw(), Px(900), 100, kChartGraticule));
}

TEST_F(ChartDrawing, RhumbLineRunsFromAToB) {
    layers_ = kNoLayers;
    const QImage image = Draw();
    for (double t : {0.1, 0.5, 0.9})
        EXPECT_TRUE(ColourNear(image, Px(marks_.a.x + t * (marks_.b.x - marks_.a.x)),
                               Py(marks_.a.y + t * (marks_.b.y - marks_.a.y)), kChartRhumb));
    EXPECT_FALSE(ColourNear(image, Px(-4000), Py(1000), kChartRhumb, 5));
    EXPECT_EQ(CountColour(image, kChartGreatCircle) + CountColour(image, kChartBrokenLine) +
                  CountColour(image, kChartGraticule),
              0);
}

TEST_F(ChartDrawing, GreatCircleDotsFollowTheVertexLatitude) {
    const QImage image = Draw();
    for (int i : {5, 40, 80}) {
        SCOPED_TRACE(i);
        const double lat =
            std::atan(std::cos(2.0 * i * M_PI / 180) * std::tan(40 * M_PI / 180)) * 180 / M_PI;
        EXPECT_TRUE(ColourNear(image, Px(120 * i), Py(ChartY(lat)), kChartGreatCircle));
        EXPECT_TRUE(ColourNear(image, Px(-120 * i), Py(ChartY(lat)), kChartGreatCircle));
    }
}

TEST_F(ChartDrawing, BrokenLinePassesItsPointsOnlyWithAMethod) {
    QImage image = Draw();
    const int r = ChartTextHeight(view_) / 4;  // the points are circled
    for (const ChartPoint& p : {marks_.points[0], marks_.points[1]})
        EXPECT_TRUE(ColourNear(image, Px(p.x + r), Py(p.y), kChartBrokenLine));
    EXPECT_TRUE(ColourNear(image, Px(-4000), Py(250), kChartBrokenLine));  // mid-leg
    marks_.method = 0;
    EXPECT_EQ(CountColour(Draw(), kChartBrokenLine), 0);
    marks_.method = 1;
    layers_.brokenLine = false;
    EXPECT_EQ(CountColour(Draw(), kChartBrokenLine), 0);
}

// Regression: a point count beyond the marks' table was followed past its
// end, drawing whatever lay there as broken-line points.
TEST_F(ChartDrawing, PointCountBeyondTheTableDrawsOnlyTheTable) {
    layers_.labels = false;
    for (int i = 0; i < kBrokenLineSlots; ++i) marks_.points[i] = {-9000 + 100 * i, -2000};
    marks_.pointCount = kBrokenLineSlots;
    const QImage full = Draw();
    for (int count : {kBrokenLineSlots + 1, 1 << 20}) {
        SCOPED_TRACE(count);
        marks_.pointCount = count;
        EXPECT_TRUE(Draw() == full);
    }
    marks_.pointCount = -3;  // no points: one leg from A to B
    const QImage none = Draw();
    marks_.pointCount = 0;
    EXPECT_TRUE(none == Draw());
}

TEST_F(ChartDrawing, LabelsOffLeaveTheVertexUnlabelled) {
    if (QFontDatabase::families().isEmpty()) GTEST_SKIP() << "no font installed to draw texts with";
    // "V1" runs right and down from the vertex, beyond its circle.
    const int h = ChartTextHeight(view_);
    const QRect label(static_cast<int>(Px(marks_.v1.x + h / 3)) + 3,
                      static_cast<int>(Py(marks_.v1.y)) + 2, 14, 12);
    EXPECT_GT(CountColour(Draw(), kChartRhumb, label), 0);
    layers_.labels = false;
    EXPECT_EQ(CountColour(Draw(), kChartRhumb, label), 0);
}

TEST_F(ChartDrawing, TextHeightNeverFallsBelowReadable) {
    EXPECT_GE(ChartTextHeight(view_) * view_.Mapping().scale, kChartFontMinPixels);
    view_.SetView(3200, 0.5, 0.5);
    EXPECT_GE(ChartTextHeight(view_), kChartFontUnits);
}

TEST_F(ChartDrawing, FarMarksDoNotDisturbThePicture) {
    // An undefined vertex longitude and a damaged position far outside.
    marks_.v1 = {59940, 9999};
    marks_.v2 = {59940, -9999};
    marks_.b = {kChartUnitLimit, -kChartUnitLimit};
    const QImage image = Draw();
    EXPECT_EQ(CountColour(image, kChartGreatCircle), 0);
    EXPECT_TRUE(ColourNear(image, Px(-6000), Py(-3000), kChartRhumb));
}

TEST_F(ChartDrawing, WorldMapDrawsOnACopy) {
    layers_ = kNoLayers;
    marks_.a = marks_.b = {20000, 20000};  // out of the picture
    const QImage chart = Draw();
    const WorldMap map = ParseWorldMap("-1 -3000 2000 0 3000 2000 -1 20000 0 0 21000 100");
    const QImage drawn = DrawWorldMap(chart, view_, map);
    EXPECT_TRUE(ColourNear(drawn, Px(-2000), Py(2000), kBlack, 0));
    EXPECT_TRUE(ColourNear(drawn, Px(2000), Py(2000), kBlack, 0));
    EXPECT_EQ(chart.pixel(static_cast<int>(Px(-2000)), static_cast<int>(Py(2000))), kWhite);
    // Only the line's own row changed.
    const int row = static_cast<int>(std::lround(Py(2000)));
    EXPECT_EQ(drawn.copy(0, 0, 1080, row - 1), chart.copy(0, 0, 1080, row - 1));
    EXPECT_EQ(drawn.copy(0, row + 2, 1080, 540), chart.copy(0, row + 2, 1080, 540));
    // A reused work image keeps nothing of the last map.
    QImage work = drawn;
    DrawWorldMap(chart, view_, ParseWorldMap("-1 20000 0 0 21000 100 0 22000 -5000"), work);
    EXPECT_EQ(work, chart) << "a map outside the view leaves the chart";
}

// The map drawn the plain way: every segment one painter line in chart
// units through the chart mapping, with the pen the map is drawn with.
QImage StraightMap(const ChartView& view, const WorldMap& map) {
    QImage image(view.Width(), view.Height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    ApplyChartMapping(painter, view);
    QPen pen(Qt::black);
    if (view.Mapping().scale <= 1) {
        pen.setWidth(1);
        pen.setCosmetic(true);
    } else {
        pen.setWidthF(1);  // one chart unit
    }
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    for (const MapPolyline& l : map.polylines) {
        for (std::uint32_t i = l.first + 1; i < l.first + l.count; ++i) {
            const ChartPoint& a = map.points[i - 1];
            const ChartPoint& b = map.points[i];
            painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
        }
    }
    return image;
}

QImage FastMap(const ChartView& view, const WorldMap& map) {
    QImage image(view.Width(), view.Height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    OverlayWorldMap(image, view, map);
    return image;
}

struct PixelDiff {
    int straight = 0;  // coastline pixels of the plain drawing
    int fast = 0;      // coastline pixels of the fast one
    int differ = 0;    // pixels black in one and white in the other
};

PixelDiff Compare(const QImage& straight, const QImage& fast) {
    PixelDiff d;
    for (int y = 0; y < straight.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        const auto* f = reinterpret_cast<const QRgb*>(fast.constScanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            d.straight += s[x] == kBlack;
            d.fast += f[x] == kBlack;
            d.differ += (s[x] == kBlack) != (f[x] == kBlack);
        }
    }
    return d;
}

// A 1920 x 1080 view at `zoom` with the position in its middle (as far as
// the world's edges allow).
ChartView CentredView(int zoom, CentralMeridian meridian, double lat, double lon) {
    ChartView view(1920, 1080);
    view.SetMeridian(meridian);
    view.SetView(zoom, 0.5, 0.5);
    const double scale = view.Mapping().scale;
    view.SetView(zoom, 0.5 - ChartX(lon, meridian) * scale / view.Width(),
                 0.5 + ChartY(lat) * scale / view.Height());
    return view;
}

const WorldMap& BundledMap(const char* name) {
    static std::map<std::string, WorldMap> maps;
    WorldMap& map = maps[name];
    if (map.points.empty()) {
        EXPECT_EQ(ReadWorldMap(std::filesystem::path(VELMAR_DATA_DIR) / name, map),
                  MapLoadStatus::kOk);
    }
    return map;
}

// Writing the pixels by hand must not change the picture: against the
// painter's every-segment drawing, fewer than 0.5% of the coastline's
// pixels may differ. (The one-pixel lines agree but for a few rounding
// ties, some 0.02%; the wide pen's round ends, which the painter builds of
// curves, differ on some 0.2 to 0.4%.)
TEST(WorldMapDrawing, LooksLikeEverySegmentDrawnByThePainter) {
    const struct {
        const char* file;
        CentralMeridian meridian;
        int zoom;
        double lat, lon;  // the middle of the view
    } cases[] = {
        {"MONDOGW.MAP", CentralMeridian::kGreenwich, 100, 0, 0},
        {"MONDOGW.MAP", CentralMeridian::kGreenwich, 800, 44.4, 8.9},  // the Ligurian Sea
        {"MONDOGW.MAP", CentralMeridian::kGreenwich, 3200, 44.4, 8.9},
        {"MONDOAG.MAP", CentralMeridian::kAntimeridian, 100, 0, 180},
        {"MONDOAG.MAP", CentralMeridian::kAntimeridian, 3200, -41.3, 174.8},  // Cook Strait
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " at zoom " + std::to_string(c.zoom));
        const WorldMap& map = BundledMap(c.file);
        ASSERT_FALSE(map.polylines.empty());
        const ChartView view = CentredView(c.zoom, c.meridian, c.lat, c.lon);
        const PixelDiff d = Compare(StraightMap(view, map), FastMap(view, map));
        ASSERT_GT(d.straight, 1000) << "the view shows a coast";
        EXPECT_LT(d.differ, d.straight / 200)
            << d.straight << " coastline pixels, " << d.fast << " drawn fast";
    }
}

// The overlay in place gives the picture DrawWorldMap gives on a copy, on
// the chart's own format and on one it must convert.
TEST(WorldMapDrawing, InPlaceMatchesTheCopy) {
    const WorldMap& map = BundledMap("MONDOGW.MAP");
    for (const int zoom : {100, 3200}) {
        SCOPED_TRACE(zoom);
        const ChartView view = CentredView(zoom, CentralMeridian::kGreenwich, 44.4, 8.9);
        QImage chart(view.Width(), view.Height(), QImage::Format_RGB32);
        chart.fill(Qt::white);
        const QImage copy = DrawWorldMap(chart, view, map);
        OverlayWorldMap(chart, view, map);
        EXPECT_EQ(chart, copy);
        QImage rgb888(view.Width(), view.Height(), QImage::Format_RGB888);
        rgb888.fill(Qt::white);
        OverlayWorldMap(rgb888, view, map);
        EXPECT_EQ(rgb888.format(), QImage::Format_RGB888);
        EXPECT_EQ(rgb888.convertToFormat(QImage::Format_RGB32), copy);
    }
}

// Small polylines and polylines that cross the image's edges, at a zoom
// with a one-pixel pen (0.09 pixel per unit) and one with a wide pen.
TEST(WorldMapDrawing, TinyAndEdgeCrossingPolylines) {
    const struct {
        const char* name;
        int zoom;
        const char* text;
        bool painterDrawsIt = true;
    } cases[] = {
        {"inside one pixel", 100, "-1 100 100 0 101 102 0 103 101"},
        {"two points on one spot", 100, "-1 -200 300 0 -200 300"},
        {"one unit long, wide pen", 3200, "-1 10 10 0 11 10"},
        // The painter leaves a zero-length line of a wide pen out; the chart
        // draws it as the pen's round dot.
        {"two points on one spot, wide pen", 3200, "-1 -7 5 0 -7 5", false},
        {"across the left edge", 100, "-1 -12000 500 0 -9000 700"},
        {"across the top and bottom", 100, "-1 3000 -9000 0 3100 9000"},
        {"through a corner, far out", 3200, "-1 -2000000000 -1000 0 2000000000 1000"},
        {"out and back in", 800, "-1 0 0 0 0 30000 0 100 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChartView view(1920, 1080);
        view.SetView(c.zoom, 0.5, 0.5);
        const WorldMap map = ParseWorldMap(c.text);
        ASSERT_EQ(map.polylines.size(), 1u);
        const PixelDiff d = Compare(StraightMap(view, map), FastMap(view, map));
        EXPECT_GE(d.fast, 1) << "every visible polyline leaves a mark";
        if (!c.painterDrawsIt) {
            EXPECT_LE(d.fast, 16) << "a dot 2.8 pixels wide";
            continue;
        }
        EXPECT_LE(d.differ, std::max(2, d.straight / 50))
            << d.straight << " pixels drawn by the painter, " << d.fast << " fast";
    }
}

}  // namespace
}  // namespace velmar
