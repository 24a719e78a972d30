#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "chart/ChartView.h"

namespace velmar {
namespace {

TEST(ChartView, ExtentYFromScreenShape) {
    EXPECT_EQ(ChartView(1024, 768).ExtentY(), 16200);
    EXPECT_EQ(ChartView(1920, 1080).ExtentY(), 12150);
    // A degenerate image is held at one pixel rather than dividing by zero.
    EXPECT_EQ(ChartView(0, 0).Width(), 1);
    EXPECT_EQ(ChartView(0, 0).ExtentY(), 21600);
}

// One view operation as the tools, keys and mouse ask for it.
struct ZoomCase {
    const char* name;
    int start;
    std::function<bool(ChartView&)> op;
    int expected;
    bool changed;
};

TEST(ChartView, ZoomStepsAndBounds) {
    const ZoomCase cases[] = {
        {"in coarse from 3100", 3100, [](ChartView& v) { return v.ZoomIn(StepSize::kCoarse); },
         3200, true},
        {"in coarse at 3200", 3200, [](ChartView& v) { return v.ZoomIn(StepSize::kCoarse); }, 3200,
         false},
        {"in coarse from 3110", 3110, [](ChartView& v) { return v.ZoomIn(StepSize::kCoarse); },
         3110, false},
        {"in fine from 3190", 3190, [](ChartView& v) { return v.ZoomIn(StepSize::kFine); }, 3200,
         true},
        {"in fine at 3200", 3200, [](ChartView& v) { return v.ZoomIn(StepSize::kFine); }, 3200,
         false},
        {"in fine from 190", 190, [](ChartView& v) { return v.ZoomIn(StepSize::kFine); }, 200,
         true},
        {"out coarse from 200", 200, [](ChartView& v) { return v.ZoomOut(StepSize::kCoarse); }, 100,
         true},
        {"out coarse from 190", 190, [](ChartView& v) { return v.ZoomOut(StepSize::kCoarse); }, 190,
         false},
        {"out fine from 110", 110, [](ChartView& v) { return v.ZoomOut(StepSize::kFine); }, 100,
         true},
        {"out fine at 100", 100, [](ChartView& v) { return v.ZoomOut(StepSize::kFine); }, 100,
         false},
        {"in at point from 1600", 1600, [](ChartView& v) { return v.ZoomInAt(512, 384); }, 3200,
         true},
        {"in at point from 1610", 1610, [](ChartView& v) { return v.ZoomInAt(512, 384); }, 1610,
         false},
        {"out at point from 150", 150, [](ChartView& v) { return v.ZoomOutAt(); }, 150, false},
        {"out at point from 210", 210, [](ChartView& v) { return v.ZoomOutAt(); }, 105, true},
        {"out at point from 200", 200, [](ChartView& v) { return v.ZoomOutAt(); }, 100, true},
        {"reset", 800, [](ChartView& v) { return v.Reset(); }, 100, true},
        {"reset at 100", 100, [](ChartView& v) { return v.Reset(); }, 100, false},
    };
    for (const ZoomCase& c : cases) {
        SCOPED_TRACE(c.name);
        ChartView v(1024, 768);
        v.SetView(c.start, 0.5, 0.5);
        EXPECT_EQ(c.op(v), c.changed);
        EXPECT_EQ(v.Zoom(), c.expected);
    }
}

TEST(ChartView, ZoomOutClampsTheCentre) {
    ChartView v(1024, 768);
    v.SetView(400, 2.0, -1.0);  // top-left corner of the world
    EXPECT_DOUBLE_EQ(v.Fx(), 2.0);
    EXPECT_TRUE(v.ZoomOut(StepSize::kCoarse));
    EXPECT_DOUBLE_EQ(v.Fx(), 1.5);
    EXPECT_DOUBLE_EQ(v.Fy(), -0.5);
    EXPECT_TRUE(v.ZoomOutAt());
    EXPECT_EQ(v.Zoom(), 150);
    EXPECT_DOUBLE_EQ(v.Fx(), 0.75);
    EXPECT_DOUBLE_EQ(v.Fy(), 0.25);
}

TEST(ChartView, ClampViewKeepsTheWorldOverTheImage) {
    struct Row {
        int zoom;
        double fx, fy, ex, ey;
    };
    const Row rows[] = {
        {100, 0.9, 0.1, 0.5, 0.5}, {200, 1.3, -0.2, 1.0, 0.0},         {200, 0.7, 0.2, 0.7, 0.2},
        {3200, 20, -20, 16, -15},  {400, std::nan(""), 0.5, 0.5, 0.5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.zoom);
        ChartView v(800, 600);
        v.SetView(r.zoom, r.fx, r.fy);
        EXPECT_DOUBLE_EQ(v.Fx(), r.ex);
        EXPECT_DOUBLE_EQ(v.Fy(), r.ey);
    }
}

TEST(ChartView, ZoomInAtPointKeepsThePositionUnderThePointer) {
    // From zoom 200 the doubled centre never needs clamping at 400, so the
    // position under the pointer must stay exactly where it was.
    const unsigned seed = 5107;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 500; ++i) {
        ChartView v(1280, 720);
        v.SetMeridian(i % 2 ? CentralMeridian::kAntimeridian : CentralMeridian::kGreenwich);
        v.SetView(200, unit(rng), unit(rng));
        const double x = unit(rng) * 1280;
        const double y = unit(rng) * 720;
        const GeoPoint before = v.PixelToPosition(x, y);
        ASSERT_TRUE(v.ZoomInAt(x, y));
        const GeoPoint after = v.PixelToPosition(x, y);
        ASSERT_NEAR(after.latitude, before.latitude, 1e-9);
        // The date line: -180 and 180 are the same meridian.
        ASSERT_NEAR(std::remainder(after.longitude - before.longitude, 360.0), 0.0, 1e-9);
    }
}

TEST(ChartView, NoPanAtZoomHundred) {
    ChartView v(1024, 768);
    for (PanDirection d :
         {PanDirection::kNorth, PanDirection::kSouth, PanDirection::kWest, PanDirection::kEast}) {
        for (StepSize s : {StepSize::kCoarse, StepSize::kFine}) {
            EXPECT_FALSE(v.Pan(d, s));
            EXPECT_EQ(v.Fx(), 0.5);
            EXPECT_EQ(v.Fy(), 0.5);
        }
    }
}

// Regression: the south and east bounds had no tolerance while north and
// west had one, so equal steps reached the top and west edges of the world
// but stopped one step short of the bottom and east edges.
TEST(ChartView, PanReachesEveryEdgeWithEqualSteps) {
    struct Row {
        PanDirection d;
        StepSize s;
        int steps;
        bool vertical;
        double edge;
    };
    const Row rows[] = {
        {PanDirection::kNorth, StepSize::kCoarse, 3, true, 1.0},
        {PanDirection::kSouth, StepSize::kCoarse, 3, true, 0.0},
        {PanDirection::kWest, StepSize::kCoarse, 3, false, 1.0},
        {PanDirection::kEast, StepSize::kCoarse, 3, false, 0.0},
        {PanDirection::kNorth, StepSize::kFine, 30, true, 1.0},
        {PanDirection::kSouth, StepSize::kFine, 30, true, 0.0},
        {PanDirection::kWest, StepSize::kFine, 30, false, 1.0},
        {PanDirection::kEast, StepSize::kFine, 30, false, 0.0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(static_cast<int>(r.d) * 10 + static_cast<int>(r.s));
        ChartView v(1024, 768);
        v.SetView(200, 0.5, 0.5);
        EXPECT_DOUBLE_EQ(v.UpdatePanStep(), 1.0 / 6);  // 30 degrees of 180 shown
        for (int i = 0; i < r.steps; ++i) ASSERT_TRUE(v.Pan(r.d, r.s)) << "step " << i;
        EXPECT_FALSE(v.Pan(r.d, r.s)) << "a step past the edge is refused whole";
        EXPECT_NEAR(r.vertical ? v.Fy() : v.Fx(), r.edge, 1e-12);
        EXPECT_DOUBLE_EQ(r.vertical ? v.Fx() : v.Fy(), 0.5);
    }
}

TEST(ChartView, PanStepAndGraticuleStepByZoom) {
    struct Row {
        int zoom;
        int step;
        double pan;
    };
    const Row rows[] = {
        {100, 30, 1800.0 / 21600}, {390, 30, 1800.0 / 5538}, {400, 15, 900.0 / 5400},
        {790, 15, 900.0 / 2734},   {800, 5, 300.0 / 2700},   {1590, 5, 300.0 / 1358},
        {1600, 1, 60.0 / 1350},    {3200, 1, 60.0 / 675},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.zoom);
        ChartView v(1024, 768);
        v.SetView(r.zoom, 0.5, 0.5);
        EXPECT_EQ(v.GraticuleStep(), r.step);
        EXPECT_DOUBLE_EQ(v.UpdatePanStep(), r.pan);
        EXPECT_DOUBLE_EQ(v.PanStep(), r.pan);
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
            const double x = unit(rng) * 21600 - 10800;
            const double y = unit(rng) * 30000 - 15000;
            const double px = 1920 * v.Fx() + x * 1920 / (21600 * zf);
            const double py = 1080 * v.Fy() - y * 1080 / (12150 * zf);
            ASSERT_NEAR(m.PixelX(x), px, 1.0);
            ASSERT_NEAR(m.PixelY(y), py, 1.0);
            ASSERT_NEAR(m.ChartXAt(m.PixelX(x)), x, 1e-6);
            ASSERT_NEAR(m.ChartYAt(m.PixelY(y)), y, 1e-6);
        }
    }
}

TEST(ChartView, ZoomHundredShowsTheWholeWorldWidth) {
    ChartView v(1024, 768);
    const ChartMapping m = v.Mapping();
    EXPECT_NEAR(m.PixelX(-10800), 0, 1e-9);
    EXPECT_NEAR(m.PixelX(10800), 1024, 1e-9);
    EXPECT_NEAR(m.PixelY(0), 384, 1e-9);
    const ChartLimits l = v.VisibleLimits();
    EXPECT_NEAR(l.north, 79.17, 0.005);
    EXPECT_NEAR(l.south, -79.17, 0.005);
    EXPECT_DOUBLE_EQ(l.west, -180);
    EXPECT_DOUBLE_EQ(l.east, 180);
}

TEST(ChartView, PixelToPositionAtTheDateLine) {
    ChartView g(1000, 500);
    ChartView a(1000, 500);
    a.SetMeridian(CentralMeridian::kAntimeridian);
    struct Row {
        const ChartView* v;
        double x;
        double lon;
    };
    const Row rows[] = {
        {&g, 0, -180},   {&g, 1000, 180}, {&g, 500, 0}, {&g, 750, 90},
        {&a, 500, -180},  // the centre is the 180th meridian
        {&a, 525, -171}, {&a, 475, 171},  {&a, 0, 0},   {&a, 1000, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.x);
        const GeoPoint p = r.v->PixelToPosition(r.x, 250);
        EXPECT_NEAR(p.longitude, r.lon, 1e-9);
        EXPECT_NEAR(p.latitude, 0, 1e-9);
    }
}

TEST(ChartView, PositionRoundTripsThroughPixelsAcrossTheDateLine) {
    const unsigned seed = 1852;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> lon(-180, 180);
    std::uniform_real_distribution<double> lat(-89.9, 89.9);  // up to the last finite parts
    for (CentralMeridian cm : {CentralMeridian::kGreenwich, CentralMeridian::kAntimeridian}) {
        ChartView v(1920, 1080);
        v.SetMeridian(cm);
        v.SetView(1600, 4.0, 3.0);
        const ChartMapping m = v.Mapping();
        for (int i = 0; i < 1000; ++i) {
            const double lo = lon(rng);
            const double la = lat(rng);
            const GeoPoint p = v.PixelToPosition(m.PixelX(ChartX(lo, cm)), m.PixelY(ChartY(la)));
            // Chart units are whole minutes: half a minute, plus the
            // origin's rounding to a whole pixel (a few hundredths of a
            // minute at this zoom).
            ASSERT_NEAR(std::remainder(p.longitude - lo, 360.0), 0.0, 1.0 / 60) << lo;
            ASSERT_NEAR(p.latitude, la, 1.0 / 60) << la;
        }
    }
}

TEST(ChartView, ReadoutNeverLeavesTheGlobe) {
    ChartView v(1024, 768);
    v.SetView(3200, 16, -15);  // bottom-right corner of the world
    for (double x : {-1e9, -1.0, 0.0, 1023.0, 1e9}) {
        for (double y : {-1e9, -1.0, 0.0, 767.0, 1e9}) {
            for (CentralMeridian cm :
                 {CentralMeridian::kGreenwich, CentralMeridian::kAntimeridian}) {
                v.SetMeridian(cm);
                const GeoPoint p = v.PixelToPosition(x, y);
                EXPECT_GE(p.latitude, -90);
                EXPECT_LE(p.latitude, 90);
                EXPECT_GE(p.longitude, -180);
                EXPECT_LE(p.longitude, 180);
            }
        }
    }
}

TEST(ChartView, TrueLongitudesOfTheLimits) {
    struct Row {
        double relative;
        CentralMeridian m;
        double lon;
    };
    const Row rows[] = {
        {-30, CentralMeridian::kGreenwich, -30},    {10, CentralMeridian::kAntimeridian, -170},
        {-10, CentralMeridian::kAntimeridian, 170}, {0, CentralMeridian::kAntimeridian, -180},
        {-180, CentralMeridian::kAntimeridian, 0},  {180, CentralMeridian::kAntimeridian, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.relative);
        EXPECT_DOUBLE_EQ(TrueLongitude(r.relative, r.m), r.lon);
    }
}

}  // namespace
}  // namespace velmar
