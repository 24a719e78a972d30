#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

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

TEST_F(ChartDrawing, PainterMappingAgreesWithTheDrawnMarks) {
    view_.SetView(800, 3.0, 2.0);
    QImage image(1080, 540, QImage::Format_RGB32);
    QPainter painter(&image);
    ApplyChartMapping(painter, view_);
    for (const QPointF chart : {QPointF(0, 0), QPointF(-6000, 2500), QPointF(10800, -8000)})
        EXPECT_EQ(painter.transform().map(chart), QPointF(Px(chart.x()), Py(chart.y())));
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
    // A segment reaching far out is clipped, not lost.
    const QImage clipped = DrawWorldMap(
        chart, view_, ParseWorldMap("-1 -1000 -4000 0 2000000000 -4000 0 2000000000 2000000000"));
    EXPECT_TRUE(ColourNear(clipped, Px(3000), Py(-4000), kBlack, 0));
    EXPECT_TRUE(ColourNear(clipped, 1070, Py(-4000), kBlack, 0));
    // A reused work image keeps nothing of the last map.
    QImage work = drawn;
    DrawWorldMap(chart, view_, ParseWorldMap("-1 20000 0 0 21000 100 0 22000 -5000"), work);
    EXPECT_EQ(work, chart) << "a map outside the view leaves the chart";
}

TEST_F(ChartDrawing, WorldMapPenIsOneChartUnitWhenZoomedIn) {
    view_ = ChartView(1920, 1080);
    view_.SetView(3200, 0.5, 0.5);
    layers_ = kNoLayers;
    marks_.a = marks_.b = {20000, 20000};
    const QImage drawn = DrawWorldMap(Draw(), view_, ParseWorldMap("-1 -100 100 0 100 100"));
    // 2.84 pixels per unit: the line is more than one pixel thick.
    EXPECT_GE(CountColour(drawn, kBlack,
                          QRect(static_cast<int>(Px(50)), static_cast<int>(Py(100)) - 4, 1, 9)),
              2);
}

}  // namespace
}  // namespace velmar
