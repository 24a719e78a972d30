#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "chart/ChartProjection.h"

namespace velmar {
namespace {

TEST(ChartMeridionalParts, ReferenceValues) {
    // The reference figures are given to the hundredth; the chart's
    // eight-decimal constants move y(80) by a further 0.009.
    struct Row {
        double lat;
        double parts;
    };
    const Row rows[] = {{0, 0},        {45, 3029.94},   {60, 4527.37},
                        {80, 8375.20}, {-45, -3029.94}, {-80, -8375.20}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.lat);
        EXPECT_NEAR(ChartMeridionalParts(r.lat), r.parts, 0.015);
    }
    EXPECT_NEAR(ChartMeridionalParts(89.9), 24215, 2.0);  // "about 24215"
}

TEST(ChartMeridionalParts, SentinelBeyondEightyNinePointNine) {
    EXPECT_EQ(ChartMeridionalParts(89.95), 9999.0);
    EXPECT_EQ(ChartMeridionalParts(90), 9999.0);
    EXPECT_EQ(ChartMeridionalParts(-90), -9999.0);
    EXPECT_EQ(ChartMeridionalParts(-89.91), -9999.0);
    EXPECT_EQ(ChartMeridionalParts(std::nan("")), -9999.0);
    EXPECT_EQ(ChartY(90), 9999);
}

TEST(LatitudeFromParts, InvertsMeridionalPartsProperty) {
    const unsigned seed = 20261206;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> lat(-89.9, 89.9);
    SCOPED_TRACE("seed " + std::to_string(seed));
    for (int i = 0; i < 2000; ++i) {
        const double l = lat(rng);
        // The forward function's constants are rounded to eight decimals,
        // which shifts its latitude by up to 3.9e-5 degrees near the south pole.
        ASSERT_NEAR(LatitudeFromParts(ChartMeridionalParts(l)), l, 4e-5) << l;
    }
}

TEST(LatitudeFromParts, StaysInsideThePoles) {
    for (double y : {1e6, -1e6, 1e300, -1e300, std::nan("")}) {
        SCOPED_TRACE(y);
        const double lat = LatitudeFromParts(y);
        EXPECT_GE(lat, -90.0);
        EXPECT_LE(lat, 90.0);
    }
}

TEST(CentralMeridian, ChosenByLongitudeDifference) {
    struct Row {
        double dep, arr;
        CentralMeridian expected;
    };
    const Row rows[] = {
        {170, -170, CentralMeridian::kAntimeridian},  // difference 340
        {139.6, -122.4, CentralMeridian::kAntimeridian},
        {0, 180, CentralMeridian::kGreenwich},  // exactly 180 stays Greenwich
        {-90, 90, CentralMeridian::kGreenwich},
        {-90, 90.5, CentralMeridian::kAntimeridian},
        {8.93, -74, CentralMeridian::kGreenwich},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.dep) + " -> " + std::to_string(r.arr));
        EXPECT_EQ(ChooseCentralMeridian(r.dep, r.arr), r.expected);
    }
}

TEST(ChartX, GreenwichAndAntimeridianValues) {
    struct Row {
        double lon;
        CentralMeridian m;
        int x;
    };
    const Row rows[] = {
        {10.5, CentralMeridian::kGreenwich, 630},      {-74, CentralMeridian::kGreenwich, -4440},
        {180, CentralMeridian::kGreenwich, 10800},     {170, CentralMeridian::kAntimeridian, -600},
        {-170, CentralMeridian::kAntimeridian, 600},   {180, CentralMeridian::kAntimeridian, 0},
        {-180, CentralMeridian::kAntimeridian, 0},     {0, CentralMeridian::kAntimeridian, -10800},
        {-0.5, CentralMeridian::kAntimeridian, 10770}, {999, CentralMeridian::kGreenwich, 59940},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.lon);
        EXPECT_EQ(ChartX(r.lon, r.m), r.x);
    }
}

TEST(Nearest, HalvesToEvenAndLimitsWildValues) {
    EXPECT_EQ(Nearest(2.5), 2);
    EXPECT_EQ(Nearest(3.5), 4);
    EXPECT_EQ(Nearest(-2.5), -2);
    EXPECT_EQ(Nearest(-2.6), -3);
    EXPECT_EQ(Nearest(1e300), kChartUnitLimit);
    EXPECT_EQ(Nearest(-1e300), -kChartUnitLimit);
    EXPECT_EQ(Nearest(std::nan("")), kChartUnitLimit);
}

TEST(ChartCoordText, Texts) {
    struct Row {
        CoordKind kind;
        double value;
        const char* text;
    };
    const Row rows[] = {
        {CoordKind::kLatitude, 0.01, "0°"},
        {CoordKind::kLatitude, -0.01, "0°"},
        {CoordKind::kLongitude, 0, "0°"},
        {CoordKind::kLatitude, 0.02, "0° 1' N"},
        {CoordKind::kLatitude, 45.51, "45°30' N"},
        {CoordKind::kLatitude, -45.51, "45°30' S"},
        {CoordKind::kLongitude, -5.0, "5° 0' W"},
        {CoordKind::kLongitude, 0.5, "0°30' E"},
        {CoordKind::kLongitude, 179.999, "179°59' E"},
        {CoordKind::kLongitude, -180, "180° 0' W"},
        {CoordKind::kLatitude, 44.4, "44°24' N"},  // 44.4 x 60 must not fall to 23'
        {CoordKind::kLatitude, std::nan(""), "0°"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.value);
        EXPECT_EQ(ChartCoordText(r.kind, r.value), r.text);
    }
}

TEST(ChartCoordText, HugeValuesDoNotOverflow) {
    EXPECT_FALSE(ChartCoordText(CoordKind::kLatitude, 1e300).empty());
    EXPECT_FALSE(ChartCoordText(CoordKind::kLongitude, -INFINITY).empty());
}

}  // namespace
}  // namespace velmar
