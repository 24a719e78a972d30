#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "chart/ChartProjection.h"

namespace velmar {
namespace {

constexpr CentralMeridian kGw = CentralMeridian::kGreenwich;
constexpr CentralMeridian kAg = CentralMeridian::kAntimeridian;

TEST(ChartMeridionalParts, ReferenceValuesAndPoleSentinel) {
    // Reference figures to the hundredth; the eight-decimal constants move y(80) by 0.009.
    for (auto [lat, parts] : {std::pair{45.0, 3029.94}, {60.0, 4527.37}, {-80.0, -8375.20}})
        EXPECT_NEAR(ChartMeridionalParts(lat), parts, 0.015) << lat;
    EXPECT_NEAR(ChartMeridionalParts(89.9), 24215, 2.0);
    EXPECT_EQ(ChartMeridionalParts(89.95), 9999.0);
    EXPECT_EQ(ChartMeridionalParts(-89.91), -9999.0);
    EXPECT_EQ(ChartMeridionalParts(std::nan("")), -9999.0);
    EXPECT_EQ(ChartY(90), 9999);
}

TEST(LatitudeFromParts, InvertsMeridionalPartsAndStaysInsideThePoles) {
    const unsigned seed = 20261206;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> lat(-89.9, 89.9);
    SCOPED_TRACE("seed " + std::to_string(seed));
    for (int i = 0; i < 2000; ++i) {
        const double l = lat(rng);
        // The forward constants' rounding shifts latitude by up to 3.9e-5 degrees.
        ASSERT_NEAR(LatitudeFromParts(ChartMeridionalParts(l)), l, 4e-5) << l;
    }
    for (double y : {1e300, -1e6, std::nan("")})
        EXPECT_LE(std::abs(LatitudeFromParts(y)), 90.0) << y;
}

TEST(ChartX, CentralMeridianAndLongitudes) {
    EXPECT_EQ(ChooseCentralMeridian(170, -170), kAg);
    EXPECT_EQ(ChooseCentralMeridian(0, 180), kGw);  // exactly 180 stays Greenwich
    EXPECT_EQ(ChooseCentralMeridian(-90, 90.5), kAg);
    const struct {
        double lon;
        CentralMeridian m;
        int x;
    } rows[] = {{-74, kGw, -4440}, {180, kGw, 10800},  {170, kAg, -600}, {-170, kAg, 600},
                {-180, kAg, 0},    {-0.5, kAg, 10770}, {999, kGw, 59940}};
    for (const auto& r : rows) EXPECT_EQ(ChartX(r.lon, r.m), r.x) << r.lon;
}

TEST(Nearest, HalvesToEvenAndLimitsWildValues) {
    const std::pair<double, int> rows[] = {{2.5, 2},
                                           {3.5, 4},
                                           {-2.6, -3},
                                           {-1e300, -kChartUnitLimit},
                                           {std::nan(""), kChartUnitLimit}};
    for (auto [v, want] : rows) EXPECT_EQ(Nearest(v), want) << v;
}

TEST(ChartCoordText, Texts) {
    constexpr CoordKind kLat = CoordKind::kLatitude;
    constexpr CoordKind kLon = CoordKind::kLongitude;
    const struct {
        CoordKind kind;
        double value;
        const char* text;
    } rows[] = {
        {kLat, -0.01, "0°"},        {kLat, 0.02, "0° 1' N"},  {kLat, -45.51, "45°30' S"},
        {kLon, -5.0, "5° 0' W"},    {kLon, 0.5, "0°30' E"},   {kLon, 179.999, "179°59' E"},
        {kLon, -180, "180° 0' W"},  {kLat, 44.4, "44°24' N"},  // 44.4 x 60 must not fall to 23'
        {kLat, std::nan(""), "0°"},
    };
    for (const auto& r : rows) EXPECT_EQ(ChartCoordText(r.kind, r.value), r.text) << r.value;
    EXPECT_FALSE(ChartCoordText(kLat, 1e300).empty());
    EXPECT_FALSE(ChartCoordText(kLon, -INFINITY).empty());
}

}  // namespace
}  // namespace velmar
