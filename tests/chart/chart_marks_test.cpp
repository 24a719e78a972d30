#include <gtest/gtest.h>

#include <cmath>

#include "chart/ChartMarks.h"
#include "core/GreatCircle.h"

namespace velmar {
namespace {

Scheme Passage(double lat0, double lon0, double lat1, double lon1) {
    Scheme s;
    s.values[kDeparture][0] = lat0;
    s.values[kDeparture][1] = lon0;
    s.values[kArrival][0] = lat1;
    s.values[kArrival][1] = lon1;
    const GreatCircleRoute gc = GreatCircle(lat0, lon0, lat1, lon1);
    s.values[kPassageA][3] = gc.v1Latitude;
    s.values[kPassageA][4] = gc.v1Longitude;
    s.values[kPassageB][3] = gc.v2Latitude();
    s.values[kPassageB][4] = gc.v2Longitude;
    return s;
}

BrokenLine Line(int n) {
    BrokenLine b;
    b.n = static_cast<std::uint8_t>(n);
    for (int i = 0; i < kBrokenLineSlots; ++i) b.points[i] = {10.0 + i * 0.5, -30.0 + i};
    return b;
}

TEST(ChartMarks, AntimeridianPassageUsesTheShortWay) {
    const Scheme s = Passage(35, 170, 40, -170);
    const ChartMarks m = ComputeChartMarks(s, BrokenLine{});
    EXPECT_EQ(m.meridian, CentralMeridian::kAntimeridian);
    EXPECT_EQ(m.a, (ChartPoint{-600, ChartY(35)}));
    EXPECT_EQ(m.b, (ChartPoint{600, ChartY(40)}));
    EXPECT_EQ(m.v2.y, -m.v1.y);
    EXPECT_EQ(m.v1Latitude, s.values[kPassageA][3]);
    EXPECT_EQ(m.v2.x, ChartX(s.values[kPassageB][4], CentralMeridian::kAntimeridian));
}

TEST(ChartMarks, BrokenLinePointsOnlyWithAMethod) {
    Scheme s = Passage(44.4, 8.93, 40.7, -74);
    const BrokenLine line = Line(5);
    ChartMarks m = ComputeChartMarks(s, line);
    EXPECT_EQ(m.meridian, CentralMeridian::kGreenwich);
    EXPECT_FALSE(m.BrokenLineEnabled());
    EXPECT_EQ(m.pointCount, 0);

    s.values[kPassageA][5] = 1.0;
    s.states[kPassageA][5] = -1;
    m = ComputeChartMarks(s, line);
    ASSERT_EQ(m.pointCount, 4);  // points 1..N-1
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(m.points[i], (ChartPoint{ChartX(line.points[i + 1].longitude, m.meridian),
                                           ChartY(line.points[i + 1].latitude)}));
    }
    EXPECT_FALSE(m.hasTangents);
}

TEST(ChartMarks, LimitingParallelTangentPoints) {
    Scheme s = Passage(44.4, 8.93, 40.7, -74);
    s.values[kPassageA][5] = 2.9;  // truncated to method 2
    BrokenLine line = Line(10);
    line.vertexIndex = 3;
    line.limitLat = 45;
    const ChartMarks m = ComputeChartMarks(s, line);
    EXPECT_EQ(m.method, 2);
    ASSERT_TRUE(m.hasTangents);
    EXPECT_EQ(m.t1, (ChartPoint{ChartX(line.points[4].longitude, m.meridian),
                                ChartY(line.points[4].latitude)}));
    EXPECT_EQ(m.t2, (ChartPoint{ChartX(line.points[5].longitude, m.meridian), m.t1.y}));
    EXPECT_EQ(m.limitLat, 45);
}

TEST(ChartMarks, DamagedRecordsStayInsideTheTables) {
    Scheme s = Passage(10, 10, 20, 20);
    s.values[kPassageA][5] = 2;
    BrokenLine line = Line(255);  // a byte no computation leaves
    line.vertexIndex = 250;
    line.limitLat = std::nan("");
    const ChartMarks m = ComputeChartMarks(s, line);
    EXPECT_EQ(m.pointCount, kBrokenLineSlots - 2);
    EXPECT_FALSE(m.hasTangents);

    struct Row {
        double method;
        int expected;
    };
    for (const Row& r :
         {Row{7, 0}, Row{-1, 0}, Row{std::nan(""), 0}, Row{4.99, 4}, Row{1e300, 0}}) {
        SCOPED_TRACE(r.method);
        s.values[kPassageA][5] = r.method;
        EXPECT_EQ(ComputeChartMarks(s, line).method, r.expected);
    }
}

TEST(ChartMarks, UndefinedVertexFallsOutsideTheWorld) {
    const Scheme s = Passage(10, 20, 40, 20);  // a meridian route: no vertex longitude
    ASSERT_EQ(s.values[kPassageA][4], NO_LONGITUDE);
    for (double lon1 : {20.0, -170.0}) {
        Scheme t = s;
        t.values[kArrival][1] = lon1;  // both central meridians
        const ChartMarks m = ComputeChartMarks(t, BrokenLine{});
        SCOPED_TRACE(lon1);
        // 178 degrees of dots either side still stay clear of the world.
        EXPECT_GT(std::abs(m.v1.x) - 89 * 120, 10800);
        EXPECT_GT(std::abs(m.v2.x) - 89 * 120, 10800);
    }
}

}  // namespace
}  // namespace velmar
