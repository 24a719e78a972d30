#include <gtest/gtest.h>

#include <cmath>

#include "chart/ChartMarks.h"
#include "tests/brokenline/BrokenLineTestSupport.h"

namespace velmar {
namespace {

// A passage solved as the solver leaves it, and a broken line of `n`
// points (method 0 unless given).
struct Fixture {
    Fixture(double lat0, double lon0, double lat1, double lon1, int n = 0, double method = 0) {
        bltest::FillScheme(s, {lat0, lon0, lat1, lon1});
        s.SetCell(cells::Method, kStateComputed, method);
        line.n = static_cast<std::uint8_t>(n);
        for (int i = 0; i < kBrokenLineSlots; ++i) line.points[i] = {10.0 + i * 0.5, -30.0 + i};
    }
    ChartPoint At(int i, CentralMeridian m) const {
        return {ChartX(line.points[i].longitude, m), ChartY(line.points[i].latitude)};
    }
    Scheme s;
    BrokenLine line;
};

TEST(ChartMarks, AntimeridianPassageUsesTheShortWay) {
    const Fixture f(35, 170, 40, -170);
    const ChartMarks m = ComputeChartMarks(f.s, f.line);
    EXPECT_EQ(m.meridian, CentralMeridian::kAntimeridian);
    EXPECT_EQ(m.a, (ChartPoint{-600, ChartY(35)}));
    EXPECT_EQ(m.b, (ChartPoint{600, ChartY(40)}));
    EXPECT_EQ(m.v2.y, -m.v1.y);
    EXPECT_EQ(m.v2.x, ChartX(f.s.Value(cells::V2Lon), CentralMeridian::kAntimeridian));
}

TEST(ChartMarks, BrokenLinePointsOnlyWithAMethod) {
    Fixture f(44.4, 8.93, 40.7, -74, 5);
    EXPECT_EQ(ComputeChartMarks(f.s, f.line).pointCount, 0);
    f.s.SetCell(cells::Method, kStateComputed, 1.0);
    const ChartMarks m = ComputeChartMarks(f.s, f.line);
    EXPECT_EQ(m.meridian, CentralMeridian::kGreenwich);
    ASSERT_EQ(m.pointCount, 4);  // points 1..N-1
    for (int i = 0; i < 4; ++i) EXPECT_EQ(m.points[i], f.At(i + 1, m.meridian)) << i;
    EXPECT_FALSE(m.hasTangents);
}

TEST(ChartMarks, LimitingParallelTangentPoints) {
    Fixture f(44.4, 8.93, 40.7, -74, 10, 2.9);  // truncated to method 2
    f.line.vertexIndex = 3;
    f.line.limitLat = 45;
    const ChartMarks m = ComputeChartMarks(f.s, f.line);
    EXPECT_EQ(m.method, 2);
    ASSERT_TRUE(m.hasTangents);
    EXPECT_EQ(m.t1, f.At(4, m.meridian));
    EXPECT_EQ(m.t2, (ChartPoint{f.At(5, m.meridian).x, m.t1.y}));
}

TEST(ChartMarks, DamagedRecordsStayInsideTheTables) {
    Fixture f(10, 10, 20, 20, 255, 2);  // a count no computation leaves
    f.line.vertexIndex = 250;
    f.line.limitLat = std::nan("");
    const ChartMarks m = ComputeChartMarks(f.s, f.line);
    EXPECT_EQ(m.pointCount, kBrokenLineSlots - 2);
    EXPECT_FALSE(m.hasTangents);
    for (auto [method, expected] :
         {std::pair{7.0, 0}, {-1.0, 0}, {std::nan(""), 0}, {4.99, 4}, {1e300, 0}}) {
        SCOPED_TRACE(method);
        f.s.SetCell(cells::Method, kStateComputed, method);
        EXPECT_EQ(ComputeChartMarks(f.s, f.line).method, expected);
    }
}

TEST(ChartMarks, UndefinedVertexFallsOutsideTheWorld) {
    for (double lon1 : {20.0, -170.0}) {  // both central meridians
        SCOPED_TRACE(lon1);
        Fixture f(10, 20, 40, 20);  // a meridian route: no vertex longitude
        ASSERT_EQ(f.s.Value(cells::V1Lon), NO_LONGITUDE);
        f.s.SetCell(cells::ArrLon, kStateComputed, lon1);
        const ChartMarks m = ComputeChartMarks(f.s, f.line);
        // 178 degrees of dots either side still stay clear of the world.
        EXPECT_GT(std::abs(m.v1.x) - 89 * 120, 10800);
        EXPECT_GT(std::abs(m.v2.x) - 89 * 120, 10800);
    }
}

}  // namespace
}  // namespace velmar
