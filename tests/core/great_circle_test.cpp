#include "core/GreatCircle.h"

#include <gtest/gtest.h>

#include <random>

#include "core/Angles.h"

namespace velmar {
namespace {

constexpr double N = NO_LONGITUDE;

struct Row {
    const char* what;
    double lat0, lon0, lat1, lon1;
    double course, distance, v1Lat, v1Lon, v2Lon;
};

// `tol` is 0 for the fixed answers of the special cases and 0.005 for the
// worked examples, whose expected values are given to two decimals.
void ExpectRoutes(const Row* begin, const Row* end, double tol) {
    for (const Row* r = begin; r != end; ++r) {
        SCOPED_TRACE(r->what);
        const GreatCircleRoute g = GreatCircle(r->lat0, r->lon0, r->lat1, r->lon1);
        EXPECT_NEAR(g.initialCourse, r->course, tol);
        EXPECT_NEAR(g.distance, r->distance, tol == 0 ? 1e-9 : tol);
        EXPECT_NEAR(g.v1Latitude, r->v1Lat, tol);
        EXPECT_NEAR(g.v1Longitude, r->v1Lon, tol);
        EXPECT_NEAR(g.v2Longitude, r->v2Lon, tol);
        EXPECT_EQ(g.v2Latitude(), -g.v1Latitude);
    }
}

TEST(GreatCircle, SpecialCasesAndWorkedExamples) {
    const Row rows[] = {
        {"same meridian north", 10, 20, 40, 20, 0, 1800, 90, N, N},
        {"same meridian south", -10, 20, -40, 20, 180, 1800, -90, N, N},
        {"coincident", 12, 34, 12, 34, 180, 0, 90, N, N},
        {"from the north pole", 90, 0, 10, 50, 180, 4800, 90, N, N},
        {"to the south pole, V1 by the departure's hemisphere", 10, 0, -90, 50, 180, 6000, 90, N,
         N},
        {"equator westward", 0, 10, 0, -20, 270, 1800, 0, N, N},
        {"equator half a turn", 0, 0, 0, 180, 90, 10800, 0, N, N},
        {"antipodal, dLon +180", 20, -10, -20, 170, 90, 10800, 20, -10, 170},
        {"antipodal, dLon -180", 20, 170, -20, -10, 270, 10800, 20, 170, -10},
        {"opposite meridians over the north pole", 30, 0, 50, 180, 0, 6000, 90, N, N},
        {"opposite meridians over the south pole", -30, 0, 10, 180, 180, 9600, -90, N, N},
    };
    ExpectRoutes(std::begin(rows), std::end(rows), 0);
    const Row examples[] = {
        {"equator to 30 S 40 E", 0, 0, -30, 40, 131.93, 2906.35, -41.93, 90, -90},
        {"equator to 30 N 40 E: no vertex on the passage", 0, 0, 30, 40, 48.07, 2906.35, -41.93,
         -90, 90},
        {"10 N to 30 N: vertex beyond the arrival", 10, 0, 30, 40, 55.88, 2535.30, 35.39, 75.63,
         -104.37},
        {"across 180", 10, 170, 30, -150, 55.88, 2535.30, 35.39, -114.37, 65.63},
    };
    ExpectRoutes(std::begin(examples), std::end(examples), 0.005);
}

TEST(GreatCircle, RegressionNearlyCoincidentPositionsHaveAFiniteDistance) {
    // Positions some metres apart: the arc's cosine rounded above 1 for one
    // pair in a hundred and the distance came out NaN.
    const unsigned seed = 4321;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> lat(-89, 89), lon(-180, 180), near(-1e-7, 1e-7);
    for (int i = 0; i < 5000; ++i) {
        const double lat0 = lat(rng), lon0 = lon(rng), lat1 = lat0 + near(rng);
        const double lon1 = lon0 + near(rng);
        const GreatCircleRoute g = GreatCircle(lat0, lon0, lat1, lon1);
        ASSERT_TRUE(g.distance >= 0 && g.distance < 0.01) << "seed " << seed << " case " << i;
    }
}

TEST(GreatCircle, IsInnerVertexByLongitude) {
    // Departure, arrival and vertex longitudes, and 1 for an inner vertex.
    const double rows[][4] = {{0, 40, 20, 1},   {0, 40, 75.63, 0},   {0, 40, -20, 0},
                              {0, -40, -20, 1}, {170, -170, 175, 1}, {170, -170, 165, 0},
                              {0, 40, 40, 0},   {0, 40, N, 0},       {-170, 170, 179, 1}};
    for (const auto& r : rows)
        EXPECT_EQ(IsInnerVertex(r[0], r[1], r[2]), r[3] == 1) << r[0] << " " << r[1] << " " << r[2];
}

}  // namespace
}  // namespace velmar
