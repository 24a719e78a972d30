#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "chart/ChartView.h"

namespace velmar {
namespace {

constexpr CentralMeridian kGw = CentralMeridian::kGreenwich;
constexpr CentralMeridian kAg = CentralMeridian::kAntimeridian;

using ZoomOp = bool (*)(ChartView&);
const ZoomOp kInCoarse = [](ChartView& v) { return v.ZoomIn(StepSize::kCoarse); };
const ZoomOp kInFine = [](ChartView& v) { return v.ZoomIn(StepSize::kFine); };
const ZoomOp kOutCoarse = [](ChartView& v) { return v.ZoomOut(StepSize::kCoarse); };
const ZoomOp kOutFine = [](ChartView& v) { return v.ZoomOut(StepSize::kFine); };
const ZoomOp kInAt = [](ChartView& v) { return v.ZoomInAt(512, 384); };
const ZoomOp kOutAt = [](ChartView& v) { return v.ZoomOutAt(); };
const ZoomOp kReset = [](ChartView& v) { return v.Reset(); };

TEST(ChartView, ZoomStepsAndBounds) {
    const struct {
        ZoomOp op;
        int start, expected;
        bool changed;
    } rows[] = {
        {kInCoarse, 3100, 3200, true}, {kInCoarse, 3110, 3110, false},
        {kInFine, 3190, 3200, true},   {kInFine, 3200, 3200, false},
        {kOutCoarse, 200, 100, true},  {kOutCoarse, 190, 190, false},
        {kOutFine, 110, 100, true},    {kOutFine, 100, 100, false},
        {kInAt, 1600, 3200, true},     {kInAt, 1610, 1610, false},
        {kOutAt, 150, 150, false},     {kOutAt, 210, 105, true},
        {kReset, 800, 100, true},      {kReset, 100, 100, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        ChartView v(1024, 768);
        v.SetView(r.start, 0.5, 0.5);
        EXPECT_EQ(r.op(v), r.changed);
        EXPECT_EQ(v.Zoom(), r.expected);
    }
}

TEST(ChartView, ClampingKeepsTheWorldOverTheImage) {
    const struct {
        int zoom;
        double fx, fy, ex, ey;
    } rows[] = {
        {100, 0.9, 0.1, 0.5, 0.5}, {200, 1.3, -0.2, 1.0, 0.0},         {200, 0.7, 0.2, 0.7, 0.2},
        {3200, 20, -20, 16, -15},  {400, std::nan(""), 0.5, 0.5, 0.5},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.zoom);
        ChartView v(800, 600);
        v.SetView(r.zoom, r.fx, r.fy);
        EXPECT_DOUBLE_EQ(v.Fx(), r.ex);
        EXPECT_DOUBLE_EQ(v.Fy(), r.ey);
    }
    EXPECT_EQ(ChartView(0, 0).ExtentY(), 21600);  // a degenerate image is held at one pixel
    ChartView v(1024, 768);
    v.SetView(400, 2.0, -1.0);  // top-left corner of the world
    EXPECT_TRUE(v.ZoomOut(StepSize::kCoarse));
    EXPECT_DOUBLE_EQ(v.Fx(), 1.5);
    EXPECT_DOUBLE_EQ(v.Fy(), -0.5);
    EXPECT_TRUE(v.ZoomOutAt());
    EXPECT_DOUBLE_EQ(v.Fx(), 0.75);
    EXPECT_DOUBLE_EQ(v.Fy(), 0.25);
}

TEST(ChartView, ZoomInAtPointKeepsThePositionUnderThePointer) {
    // From zoom 200 the doubled centre never needs clamping at 400.
    const unsigned seed = 5107;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 500; ++i) {
        ChartView v(1280, 720);
        v.SetMeridian(i % 2 ? kAg : kGw);
        v.SetView(200, unit(rng), unit(rng));
        const double x = unit(rng) * 1280, y = unit(rng) * 720;
        const GeoPoint before = v.PixelToPosition(x, y);
        ASSERT_TRUE(v.ZoomInAt(x, y));
        const GeoPoint after = v.PixelToPosition(x, y);
        ASSERT_NEAR(after.latitude, before.latitude, 1e-9);
        ASSERT_NEAR(std::remainder(after.longitude - before.longitude, 360.0), 0.0, 1e-9);
    }
}

// Regression: the south and east bounds had no tolerance while north and
// west had one, so equal steps stopped one step short of the bottom and east edges.
TEST(ChartView, PanReachesEveryEdgeWithEqualSteps) {
    const struct {
        PanDirection d;
        StepSize s;
        int steps;
        bool vertical;
        double edge;
    } rows[] = {
        {PanDirection::kNorth, StepSize::kCoarse, 3, true, 1.0},
        {PanDirection::kSouth, StepSize::kFine, 30, true, 0.0},
        {PanDirection::kWest, StepSize::kFine, 30, false, 1.0},
        {PanDirection::kEast, StepSize::kCoarse, 3, false, 0.0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(static_cast<int>(r.d));
        ChartView v(1024, 768);
        EXPECT_FALSE(v.Pan(r.d, r.s)) << "no pan at zoom 100";
        v.SetView(200, 0.5, 0.5);
        v.UpdatePanStep();
        for (int i = 0; i < r.steps; ++i) ASSERT_TRUE(v.Pan(r.d, r.s)) << "step " << i;
        EXPECT_FALSE(v.Pan(r.d, r.s)) << "a step past the edge is refused whole";
        EXPECT_NEAR(r.vertical ? v.Fy() : v.Fx(), r.edge, 1e-12);
        EXPECT_DOUBLE_EQ(r.vertical ? v.Fx() : v.Fy(), 0.5);
    }
}

TEST(ChartView, PanStepAndGraticuleStepByZoom) {
    const struct {
        int zoom, step;
        double pan;
    } rows[] = {{390, 30, 1800.0 / 5538}, {400, 15, 900.0 / 5400}, {790, 15, 900.0 / 2734},
                {800, 5, 300.0 / 2700},   {1590, 5, 300.0 / 1358}, {1600, 1, 60.0 / 1350}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.zoom);
        ChartView v(1024, 768);
        v.SetView(r.zoom, 0.5, 0.5);
        EXPECT_EQ(v.GraticuleStep(), r.step);
        EXPECT_DOUBLE_EQ(v.UpdatePanStep(), r.pan);
    }
}

TEST(ChartView, MappingIsIsotropicAndMatchesTheAffineFormula) {
    const unsigned seed = 77;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> zoom(10, 320);
    for (int i = 0; i < 300; ++i) {
        ChartView v(1920, 1080);
        v.SetView(zoom(rng) * 10, unit(rng) * 40 - 20, unit(rng) * 40 - 20);
        const ChartMapping m = v.Mapping();
        const double zf = 100.0 / v.Zoom();
        for (int k = 0; k < 10; ++k) {
            const double x = unit(rng) * 21600 - 10800, y = unit(rng) * 30000 - 15000;
            ASSERT_NEAR(m.PixelX(x), 1920 * v.Fx() + x * 1920 / (21600 * zf), 1.0);
            ASSERT_NEAR(m.PixelY(y), 1080 * v.Fy() - y * 1080 / (12150 * zf), 1.0);
            ASSERT_NEAR(m.ChartXAt(m.PixelX(x)), x, 1e-6);
            ASSERT_NEAR(m.ChartYAt(m.PixelY(y)), y, 1e-6);
        }
    }
}

TEST(ChartView, PositionsAtTheDateLine) {
    ChartView g(1000, 500), a(1000, 500);
    a.SetMeridian(kAg);
    const struct {
        const ChartView* v;
        double x, lon;
    } rows[] = {{&g, 0, -180},   {&g, 750, 90},  {&a, 500, -180},
                {&a, 525, -171}, {&a, 475, 171}, {&a, 1000, 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.x);
        const GeoPoint p = r.v->PixelToPosition(r.x, 250);
        EXPECT_NEAR(p.longitude, r.lon, 1e-9);
        EXPECT_NEAR(p.latitude, 0, 1e-9);
    }
    // True longitudes of the limits: chart longitude, true longitude, on the antimeridian chart.
    EXPECT_DOUBLE_EQ(TrueLongitude(-30, kGw), -30);
    for (auto [lon, want] :
         {std::pair{10.0, -170.0}, {-10.0, 170.0}, {0.0, -180.0}, {-180.0, 0.0}, {180.0, 0.0}})
        EXPECT_DOUBLE_EQ(TrueLongitude(lon, kAg), want) << lon;
}

TEST(ChartView, PositionRoundTripsThroughPixelsAcrossTheDateLine) {
    const unsigned seed = 1852;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> lon(-180, 180);
    std::uniform_real_distribution<double> lat(-89.9, 89.9);
    for (CentralMeridian cm : {kGw, kAg}) {
        ChartView v(1920, 1080);
        v.SetMeridian(cm);
        v.SetView(1600, 4.0, 3.0);
        const ChartMapping m = v.Mapping();
        for (int i = 0; i < 1000; ++i) {
            const double lo = lon(rng), la = lat(rng);
            const GeoPoint p = v.PixelToPosition(m.PixelX(ChartX(lo, cm)), m.PixelY(ChartY(la)));
            // Whole-minute chart units plus the origin's rounding to a pixel.
            ASSERT_NEAR(std::remainder(p.longitude - lo, 360.0), 0.0, 1.0 / 60) << lo;
            ASSERT_NEAR(p.latitude, la, 1.0 / 60) << la;
        }
        for (double wild : {-1e9, 1e9}) {  // the readout never leaves the globe
            const GeoPoint p = v.PixelToPosition(wild, -wild);
            EXPECT_TRUE(std::abs(p.latitude) <= 90 && std::abs(p.longitude) <= 180) << wild;
        }
    }
}

}  // namespace
}  // namespace velmar
