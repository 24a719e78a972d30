// The sailing formulas against an independent implementation: GeographicLib's
// geodesics on a sphere of 10800/pi (so its distances are nautical miles) and
// its rhumb lines on the international ellipsoid. Random pairs of a fixed,
// logged seed cover both hemispheres, the 180th meridian, short and nearly
// antipodal routes, where a wrong quadrant or sign would show.
#include <gtest/gtest.h>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <GeographicLib/Rhumb.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "core/Angles.h"
#include "core/GreatCircle.h"
#include "core/Rhumb.h"

namespace velmar {
namespace {

using GeographicLib::Geodesic;
using GeographicLib::GeodesicLine;

constexpr unsigned kSeed = 1206;

struct Pair {
    double lat0, lon0, lat1, lon1;
};

double Wrap360(double a) {
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360.0 : a;
}
double CourseDiff(double a, double b) {
    return std::fabs(Normalize180(Wrap360(a - b)));
}

// Families of routes, 100 each: anywhere; across the 180th meridian; short
// (0.001 to 1 degree each way); within 2 degrees of the antipode; along a
// latitude band far enough to pass a vertex; from the equator; nearly along a
// meridian and nearly over a pole (1e-12 to 1e-6 degrees off either).
std::vector<std::pair<const char*, std::vector<Pair>>> Families(double maxLat) {
    std::printf("oracle seed %u\n", kSeed);
    std::mt19937 rng(kSeed);
    auto u = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    auto sign = [&] { return u(-1, 1) < 0 ? -1.0 : 1.0; };
    std::vector<std::pair<const char*, std::vector<Pair>>> out = {
        {"anywhere", {}},          {"across 180", {}},        {"short", {}},
        {"nearly antipodal", {}},  {"over a vertex", {}},     {"from the equator", {}},
        {"nearly a meridian", {}}, {"nearly over a pole", {}}};
    for (int i = 0; i < 100; ++i) {
        out[0].second.push_back(
            {u(-maxLat, maxLat), u(-180, 180), u(-maxLat, maxLat), u(-180, 180)});
        out[1].second.push_back(
            {u(-maxLat, maxLat), u(160, 180), u(-maxLat, maxLat), u(-180, -160)});
        const double lat = u(-maxLat + 1, maxLat - 1), lon = u(-180, 180);
        const double scale = std::pow(10.0, u(-3, 0));
        out[2].second.push_back(
            {lat, lon, lat + scale * u(-1, 1), Normalize180(lon + scale * u(-1, 1))});
        const double la = u(-maxLat + 2, maxLat - 2), lo = u(-180, 180);
        out[3].second.push_back({la, lo, -la + u(-2, 2), Normalize180(lo + 180 + u(-2, 2))});
        const double band = sign() * u(5, std::min(70.0, maxLat - 5)), start = u(-180, 180);
        out[4].second.push_back(
            {band, start, band + u(-5, 5), Normalize180(start + sign() * u(20, 160))});
        out[5].second.push_back({0, u(-180, 180), u(-maxLat, maxLat), u(-180, 180)});
        const double off = sign() * std::pow(10.0, u(-12, -6)), from = u(-180, 180);
        out[6].second.push_back({u(-maxLat, maxLat), from, u(-maxLat, maxLat), from + off});
        out[7].second.push_back(
            {u(-maxLat, maxLat), from, u(-maxLat, maxLat), Normalize180(from + 180 + off)});
    }
    return out;
}

// The course and the arc cosine lose digits in proportion to 1 / distance:
// a rounding of 1e-16 in quantities of the size of the arc. The tolerances
// are the accuracy GreatCircle states (course 1e-9 + 1e-10 / mo degrees,
// distance 1e-9 + 1e-8 / mo miles, vertices 1e-8 miles plus 100 times the
// course's bound). Measured worst cases (seed 1206): on the shortest route,
// 0.0013 miles, course 1.2e-8 degrees, distance 1.9e-7 miles, vertex 2.2e-6
// miles; on routes of a mile or more course 1.2e-11 degrees and distance
// 1.3e-9 miles (nearly antipodal routes and routes of a few miles), vertex
// 5.8e-10 miles. No check comes nearer its tolerance than a factor of 3.5.
// Runs `check` on every pair of every family, tracing the family and pair.
template <typename Check>
void ForEachPair(double maxLat, Check check) {
    for (const auto& [family, pairs] : Families(maxLat)) {
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            const Pair& p = pairs[i];
            SCOPED_TRACE(::testing::Message() << family << " #" << i << ": " << p.lat0 << ", "
                                              << p.lon0 << " -> " << p.lat1 << ", " << p.lon1);
            check(p);
        }
    }
}

TEST(Oracle, GreatCircleToItsStatedAccuracy) {
    const Geodesic sphere(10800 / M_PI, 0);
    ForEachPair(89, [&](const Pair& p) {
        const GreatCircleRoute g = GreatCircle(p.lat0, p.lon0, p.lat1, p.lon1);
        double s12, azi1, azi2;
        sphere.Inverse(p.lat0, p.lon0, p.lat1, p.lon1, s12, azi1, azi2);
        const double courseTol = 1e-9 + 1e-10 / s12;      // degrees
        const double distanceTol = 1e-9 + 1e-8 / s12;     // miles
        const double vertexTol = 1e-8 + 100 * courseTol;  // miles
        EXPECT_LT(CourseDiff(g.initialCourse, azi1), courseTol);
        EXPECT_NEAR(g.distance, s12, distanceTol);

        // Clairaut: the vertex latitude's cosine is cos(lat0) * sin(Ri).
        EXPECT_NEAR(std::cos(g.v1Latitude * kDegToRad),
                    std::fabs(std::cos(p.lat0 * kDegToRad) * std::sin(g.initialCourse * kDegToRad)),
                    1e-12);

        // The line's highest point lies 90 degrees of arc after its northward
        // equator crossing, its lowest 90 before; either is on the passage
        // when its arc from the departure is inside (0, a12).
        const GeodesicLine line = sphere.InverseLine(p.lat0, p.lon0, p.lat1, p.lon1);
        const double a12 = line.Arc();
        const double arcN = Wrap360(90 - line.EquatorialArc()), arcS = Wrap360(arcN + 180);
        const bool northOnPassage = 0 < arcN && arcN < a12;
        const bool southOnPassage = 0 < arcS && arcS < a12;
        const bool wantNorth = northOnPassage || (!southOnPassage && p.lat0 > 0);
        double latV, lonV, latW, lonW;
        line.ArcPosition(wantNorth ? arcN : arcS, latV, lonV);
        line.ArcPosition(wantNorth ? arcS : arcN, latW, lonW);

        EXPECT_EQ(g.v1Latitude > 0, wantNorth);
        double miss, missV2, t;
        sphere.Inverse(g.v1Latitude, g.v1Longitude, latV, lonV, miss, t, t);
        sphere.Inverse(g.v2Latitude(), g.v2Longitude, latW, lonW, missV2, t, t);
        EXPECT_LT(miss, vertexTol);
        EXPECT_LT(missV2, vertexTol);
        EXPECT_EQ(IsInnerVertex(p.lon0, p.lon1, g.v1Longitude), northOnPassage || southOnPassage);
    });
}

// The meridional parts are the international ellipsoid's isometric latitude
// with its series cut after e^6 (and pi/4 written to 13 decimals). The
// tolerance is the accuracy RhumbInverse states, 1e-8 + 1e-9 / ml degrees:
// the cut series is worth 6.1e-9 degrees at most below 85 degrees (a scan of
// every 0.005 degrees of latitude on legs at 45 degrees), and short legs add
// the rounding of their difference of parts, 1.6e-10 / ml at most in that
// scan. Measured worst case here (seed 1206): 5.8e-9 degrees.
double RhumbCourseTolerance(double metres) {
    return 1e-8 + 1e-9 / (metres / 1852);  // degrees
}

TEST(Oracle, RhumbCourseToItsStatedAccuracy) {
    const GeographicLib::Rhumb ellipsoid(6378388, 1 / 297.0);
    ForEachPair(85, [&](const Pair& p) {
        double s12, azi12;
        ellipsoid.Inverse(p.lat0, p.lon0, p.lat1, p.lon1, s12, azi12);
        EXPECT_LT(CourseDiff(RhumbInverse(p.lat0, p.lon0, p.lat1, p.lon1).course, azi12),
                  RhumbCourseTolerance(s12));
    });
    // Both ends beyond the 89.9 degree clamp still get the ellipsoid's course
    // (1.7e-9 degrees off).
    double s12, azi12;
    ellipsoid.Inverse(89.95, 0, 89.99, 10, s12, azi12);
    EXPECT_NEAR(RhumbInverse(89.95, 0, 89.99, 10).course, azi12, RhumbCourseTolerance(s12));
}

}  // namespace
}  // namespace velmar
