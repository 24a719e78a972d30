#include "core/Rhumb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/Angles.h"

namespace velmar {
namespace {

TEST(RhumbLine, MeridionalPartsValuesAndClamp) {
    EXPECT_NEAR(MeridionalParts(45), 3013.58, 0.005);
    // pi/4 is used to 13 decimals: the parts are off by some 3e-10 minutes,
    // which shows at the equator and as a tiny asymmetry, never on a display.
    EXPECT_NEAR(MeridionalParts(0), 0, 1e-9);
    EXPECT_LT(MeridionalParts(89.9), kClampedMeridionalParts);
    EXPECT_EQ(MeridionalParts(89.91), 99999.0);
    EXPECT_EQ(MeridionalParts(-90), -99999.0);
}

TEST(RhumbLine, SpecialCasesOfTheInverse) {
    const struct {
        const char* what;
        double lat0, lon0, lat1, lon1, course, distance;
    } rows[] = {
        {"coincident", 10, 20, 10, 20, 180, 0},
        {"meridian north", 10, 5, 20, 5, 0, 600},
        {"from the north pole", 90, 0, 80, 50, 180, 600},
        {"from the south pole", -90, 0, -80, 50, 0, 600},
        {"across 180 eastward", 60, 170, 60, -170, 90, 600},
        {"across 180 westward", 60, -170, 60, 170, 270, 600},
        {"dLon +180 is eastward", 0, 0, 0, 180, 90, 10800},
        {"dLon -180 is westward", 0, 180, 0, 0, 270, 10800},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const Rhumb rh = RhumbInverse(r.lat0, r.lon0, r.lat1, r.lon1);
        EXPECT_EQ(rh.course, r.course);
        EXPECT_NEAR(rh.distance, r.distance, 1e-9);
    }
}

TEST(RhumbLine, RegressionBothEndsBeyondClampGiveAFiniteDistance) {
    // 2.4' of latitude and 10 degrees of longitude near the pole (a parallel
    // there is some 3 miles round per 10 degrees): a few miles, not 1e16.
    const Rhumb r = RhumbInverse(89.95, 0, 89.99, 10);
    EXPECT_GT(r.course, 0);
    EXPECT_LT(r.course, 90);
    EXPECT_GT(r.distance, 2.4);
    EXPECT_LT(r.distance, 5.0);
}

TEST(RhumbLine, RegressionNearlyEqualLatitudesKeepTheLegDistance) {
    // Two latitudes 1e-14 degrees apart (say the ends of a leg astride a
    // vertex) once gave 6962 miles for a 491-mile leg: the difference of their
    // meridional parts kept no digit and the cosine of a course within an ulp
    // of 90 degrees none either. The leg now tends smoothly to its limit.
    const double limit = RhumbInverse(35.39, 0, 35.39 + 1e-7, 10).distance;
    EXPECT_NEAR(limit, 491.3375, 1e-4);
    for (const double dLat : {1e-9, 1e-11, 1e-12, 1e-13, 1e-14, -1e-14}) {
        SCOPED_TRACE(dLat);
        const Rhumb r = RhumbInverse(35.39, 0, 35.39 + dLat, 10);
        EXPECT_NEAR(r.distance, limit, 1e-6);
        EXPECT_NEAR(r.course, 90, 1e-6);
        const RhumbArrival a = RhumbForward(35.39, 0, r.course, r.distance);
        EXPECT_NEAR(a.latitude, 35.39 + dLat, 1e-12);
        EXPECT_NEAR(a.longitude, 10, 1e-9);
    }
}

TEST(RhumbLine, ForwardCasesAndFailures) {
    const struct {
        const char* what;
        double lat0, lon0, course, distance, lat1, lon1;
        bool ok;
    } rows[] = {
        {"past the north pole", 89, 0, 0, 120, 91, 0, false},
        {"due east from a pole stays there", 90, 15, 90, 100, 90, 15, true},
        {"due east across 180", 0, 170, 90, 1200, 0, -170, true},
        {"due west on 60 N", 60, 0, 270, 300, 60, -10, true},
        {"east run of more than half a turn", 60, 0, 90, 6000, 60, -160, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const RhumbArrival a = RhumbForward(r.lat0, r.lon0, r.course, r.distance);
        EXPECT_EQ(a.ok, r.ok);
        EXPECT_NEAR(a.latitude, r.lat1, 1e-9);
        EXPECT_NEAR(a.longitude, r.lon1, 1e-9);
    }
    // An oblique run into the clamp fails on the longitude, not the latitude.
    const RhumbArrival clamp = RhumbForward(89.8, 0, 10, 10);
    EXPECT_FALSE(clamp.ok);
    EXPECT_LE(std::fabs(clamp.latitude), 90);
}

// Forward then inverse reproduces the course and distance, and inverse then
// forward the arrival. Tolerances: 1e-8 degrees and 1e-7 miles, what the
// cancellation in a meridional-parts difference of short legs leaves.
TEST(RhumbLine, ForwardThenInverseRoundTrip) {
    const unsigned seed = 20261206;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> lat(-80, 80), lon(-180, 180), course(0, 360),
        miles(1, 3000);
    int checked = 0;
    for (int i = 0; i < 2000; ++i) {
        const double lat0 = lat(rng), lon0 = lon(rng), rv = course(rng), ml = miles(rng);
        SCOPED_TRACE(::testing::Message() << "seed " << seed << " case " << i);
        const RhumbArrival a = RhumbForward(lat0, lon0, rv, ml);
        if (!a.ok || std::fabs(a.latitude) > 85) continue;
        ++checked;
        const Rhumb back = RhumbInverse(lat0, lon0, a.latitude, a.longitude);
        EXPECT_LT(std::fabs(Normalize180(back.course - rv)), 1e-8);  // the short way round
        EXPECT_NEAR(back.distance, ml, 1e-7);
        const RhumbArrival again = RhumbForward(lat0, lon0, back.course, back.distance);
        EXPECT_NEAR(again.latitude, a.latitude, 1e-9);
        EXPECT_LT(std::fabs(Normalize180(again.longitude - a.longitude)), 1e-9);
    }
    EXPECT_GT(checked, 1500);
}

}  // namespace
}  // namespace velmar
