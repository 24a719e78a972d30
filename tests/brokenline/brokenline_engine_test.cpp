// The broken line's methods, defaults, ranges and checks, driven through the
// engine on schemes filled as the solver leaves them.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "brokenline/BrokenLineEngine.h"
#include "brokenline/PointsText.h"
#include "core/Angles.h"
#include "tests/brokenline/BrokenLineTestSupport.h"

namespace velmar {
namespace {

using bltest::Bench;
using bltest::FactsBench;
using bltest::RouteSpec;

// Lisbon to New York in July, 12 knots, leaving at 08:00 on 3 July: the
// vertex lies on the passage.
const RouteSpec kAtlantic{
    41.0883, -9.1, 40.7, -74.0, 12.0, CivilDate{2026, 7, 3}, 8, CivilDate{2026, 7, 15}};
// Vertex outside the passage (10N 0E to 30N 40E), no speed, no dates.
const RouteSpec kOutside{10, 0, 30, 40};

std::vector<std::string> Labels(const Bench& b, int method) {
    std::vector<std::string> labels;
    for (int i = 0; i <= b.line.n; ++i) labels.push_back(b.engine.PointLabel(i, method));
    return labels;
}

TEST(SeasonalLimitLatitude, FollowsArrivalMonthAndVertexHemisphere) {
    struct Case {
        double lat0, lat1;  // the vertex follows these hemispheres
        std::optional<CivilDate> arrival;
        double expected;
    };
    const Case cases[] = {
        {41, 40, CivilDate{2026, 7, 10}, 48},    {41, 40, CivilDate{2026, 12, 10}, 40},
        {41, 40, CivilDate{2026, 6, 1}, 48},     {-35, -30, CivilDate{2026, 7, 10}, -40},
        {-35, -30, CivilDate{2026, 1, 10}, -48}, {41, 40, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        Bench b({c.lat0, -9, c.lat1, -74, std::nullopt, std::nullopt, 8, c.arrival});
        SCOPED_TRACE(::testing::PrintToString(c.expected));
        EXPECT_EQ(b.engine.SeasonalLimitLatitude(), c.expected);
    }
}

TEST(AutomaticChoice, FallsBackToMethod3WithTheReason) {
    RouteSpec withDate = kOutside, withSpeed = kOutside, winter = kAtlantic;
    withDate.arrivalDay = withSpeed.arrivalDay = CivilDate{2026, 3, 1};
    withSpeed.speed = 10;
    winter.arrivalDay = CivilDate{2026, 1, 15};
    const struct {
        const char* what;
        RouteSpec route;
        int method;
        std::vector<std::string> headers;
    } cases[] = {
        {"no arrival date, whatever the vertex",
         kOutside,
         kMethodEquation,
         {"Data di arrivo assente:"}},
        {"vertex outside, no speed", withDate, kMethodEquation, {"Velocità propulsiva assente:"}},
        {"vertex outside with speed", withSpeed, kMethodPractical, {}},
        {"vertex 45.7N inside, July limit 48", kAtlantic, kMethodVertex, {}},
        {"January limit 40: vertex beyond it", winter, kMethodLimitParallel, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FactsBench b(c.route);
        EXPECT_EQ(b.engine.ChooseAutomaticMethod(), c.method);
        EXPECT_EQ(b.sink.Headers(), c.headers);
    }
}

TEST(VertexMethod, VertexInsideIsLabelledVAndNumberingHasNoGap) {
    Bench b(kAtlantic);
    ASSERT_TRUE(b.engine.Activate());
    ASSERT_EQ(b.engine.CurrentMethod(), kMethodVertex);
    EXPECT_EQ(Labels(b, kMethodVertex),
              (std::vector<std::string>{"A", " 1", " 2", "V", " 3", " 4", "B"}));
    const GeoPoint v = b.line.points[b.line.vertexIndex + 1];
    EXPECT_EQ(std::pair(v.latitude, v.longitude),
              std::pair(b.scheme.Value(cells::V1Lat), b.scheme.Value(cells::V1Lon)));
    EXPECT_EQ(std::pair(b.scheme.Value(cells::Method), b.scheme.State(cells::Method)),
              std::pair(double{kMethodVertex}, kStateComputed));
}

TEST(VertexMethod, ShortRouteDefaultLeavesNoZeroLengthLeg) {
    // |DLon| < 30, vertex outside: three points spread over four legs. Put
    // at DLon / 3, the third point sat on the arrival and its empty leg had
    // no passage time, so the line failed whenever Vp was known.
    FactsBench b({10, 0, 20, 20, 10.0});
    ASSERT_FALSE(b.work.vertexInside);
    ASSERT_TRUE(b.engine.SetMethodDefaults(kMethodVertex));
    EXPECT_EQ(std::pair(b.work.nrPt, b.work.dLonP), std::pair(3, 5.0));
    ASSERT_TRUE(b.engine.ApplyMethod(kMethodVertex));
    EXPECT_EQ(Labels(b, kMethodVertex), (std::vector<std::string>{"A", " 1", " 2", " 3", "B"}));
    for (int i = 0; i < b.line.n; ++i) EXPECT_GT(b.line.legs[i].distance, 100) << "leg " << i;
    EXPECT_TRUE(b.sink.shown.empty());
}

TEST(LimitingParallel, RangeNeverReachesBeyondTheVertex) {
    // In July the season's 48 is held to the range's top. Rounded from V1 at
    // 45.7, that top would be 46: a parallel the great circle never reaches,
    // whose arcs cross over, so the line doubled back and always failed.
    FactsBench b({41.0883, -9.1, 40.7, -74.0, 12.0, std::nullopt, 8, CivilDate{2026, 7, 15}});
    ASSERT_TRUE(b.engine.SetMethodDefaults(kMethodLimitParallel));
    // LimitLow is the next whole degree beyond the endpoints.
    EXPECT_EQ(std::tuple(b.work.limitLow, b.work.limitHigh, b.line.limitLat),
              std::tuple(42, 45, 45));
    EXPECT_LT(b.line.limitLat, b.scheme.Value(cells::V1Lat));
    EXPECT_TRUE(b.engine.ApplyMethod(kMethodLimitParallel));
    EXPECT_TRUE(b.sink.shown.empty());
}

TEST(LimitingParallel, VertexWithinADegreeOfTheEndpointsCountsAsOutside) {
    // Along 40N: 20 degrees apart the vertex lies at 40.4N, no whole degree
    // beyond the endpoints, so the limiting parallel is not offered though
    // the recall bar (written first) still says "interno"; 60 degrees apart
    // it lies at 44.1N and the range 41..44 is open.
    for (auto [lon1, inside] : {std::pair{20.0, false}, {60.0, true}}) {
        SCOPED_TRACE(lon1);
        FactsBench b({40, 0, 40, lon1});
        EXPECT_EQ(std::pair(b.work.vertexInside, b.engine.Display().limitLatEnabled),
                  std::pair(inside, inside));
        EXPECT_EQ(b.engine.Display().recall[1].rfind("Vertice interno: DLonAV = ", 0), 0u);
        EXPECT_FALSE(b.engine.Display().practicalEnabled);  // no Vp
        EXPECT_EQ(b.line.limitLat, 0);                      // the record's value is kept
    }
}

TEST(LimitingParallel, LegAlongTheParallelIsDueEastOrWest) {
    for (bool westward : {false, true}) {
        SCOPED_TRACE(westward ? "westward" : "eastward");
        RouteSpec r{5, 0, 55, 110, std::nullopt, std::nullopt, 8, CivilDate{2026, 1, 3}};
        if (westward) r.lon1 = -110;
        Bench b(r);
        ASSERT_TRUE(b.engine.Activate());
        ASSERT_EQ(b.engine.CurrentMethod(), kMethodLimitParallel);
        const int k = b.line.vertexIndex;
        EXPECT_EQ(std::pair(b.line.points[k + 1].latitude, b.line.points[k + 2].latitude),
                  std::pair(b.line.limitLat, b.line.limitLat));
        EXPECT_EQ(b.line.legs[k + 1].course, westward ? 270 : 90);
        EXPECT_EQ(b.line.limitLat, 56);  // the season's 40 held up to LimitLow
    }
}

TEST(Westward, SpacingIsNegativeAndPointsRunTowardTheArrival) {
    RouteSpec r{30, -20, 10, -60, 10.0, std::nullopt, 8, CivilDate{2026, 4, 1}};
    for (int method : {1, 3}) {
        SCOPED_TRACE(method);
        FactsBench b(r);
        ASSERT_TRUE(b.engine.SetMethodDefaults(method));
        EXPECT_LT(b.work.dLonP, 0);
        ASSERT_TRUE(b.engine.ApplyMethod(method));
        for (int i = 1; i <= b.line.n; ++i)
            EXPECT_LT(b.line.points[i].longitude, b.line.points[i - 1].longitude) << i;
    }
}

TEST(PracticalMethod, ReproducesTheWorkedExample) {
    // ml 1000, Vp 10: 2 hours would give 50 legs, but the interval kept is
    // the step after it: DtP 3 hours, DmP 30 miles.
    FactsBench b({0, 0, 0, 1000.0 / 60, 10.0, std::nullopt, 8, CivilDate{2026, 4, 1}});
    ASSERT_DOUBLE_EQ(b.scheme.Value(cells::ml), 1000);
    ASSERT_TRUE(b.engine.SetMethodDefaults(kMethodPractical));
    EXPECT_EQ(std::tuple(b.line.dtP, b.line.dmP, b.line.practicalChoice), std::tuple(3, 30, 2));
    const PracticalRange r = b.engine.PracticalRanges();
    EXPECT_EQ(std::tuple(r.dtPLower, r.dtPUpper, r.dmPLower, r.dmPUpper),
              std::tuple(2, 96, 20, 960));
    ASSERT_TRUE(b.engine.ApplyMethod(kMethodPractical));
    ASSERT_EQ(b.line.n, 34);
    for (int i = 0; i + 1 < b.line.n; ++i) EXPECT_NEAR(b.line.legs[i].distance, 30, 1e-9) << i;
    EXPECT_NEAR(b.line.legs[b.line.n - 1].distance, 10, 1e-6);
    EXPECT_EQ(b.engine.Display().status.sections[1], "NrPt = 33");
}

TEST(PracticalMethod, LegBeyondThePoleReportsKindOneUnderItsName) {
    FactsBench b({85, 0, 85, 170, 10.0});
    b.line.practicalChoice = 1;
    b.line.dmP = 600;  // 10 degrees of latitude from 85N
    b.line.dtP = 60;
    EXPECT_FALSE(b.engine.ApplyMethod(kMethodPractical));
    EXPECT_EQ(b.sink.Headers(true),
              (std::vector<std::string>{"Metodo Pratico|Con queste impostazioni si dovrebbe\r"
                                        "navigare a latitudini troppo elevate.",
                                        "Errore inaspettato:|Il metodo non è stato applicato."}));
}

TEST(SpacingRanges, FollowTheMethodAndTheSignOfDLon) {
    FactsBench inside(kAtlantic);
    ASSERT_TRUE(inside.work.vertexInside);
    const SpacingRange m1 = inside.engine.SpacingRanges(kMethodVertex);
    const SpacingRange m3 = inside.engine.SpacingRanges(kMethodEquation);
    EXPECT_EQ(std::tuple(m1.nrPtLower, m1.nrPtUpper, m3.nrPtLower, m3.nrPtUpper),
              std::tuple(2, 57, 1, 58));

    FactsBench west({20, 0, 25, -60});
    const SpacingRange r = west.engine.SpacingRanges(kMethodEquation);
    EXPECT_EQ(std::pair(r.dLonPLower, r.dLonPUpper), std::pair(-30.0, -60.0 / 59));
}

TEST(PointErrors, LegTimeOutOfRangeNamesTheLegsFirstPointUnlessSpeedIsUnknown) {
    FactsBench b({10, 0, 20, 20, 10.0});
    b.engine.SetMethodDefaults(kMethodEquation);
    ASSERT_TRUE(b.engine.ApplyMethod(kMethodEquation));
    const auto lines = b.engine.Display().lines;
    const double total = b.line.totalDistance;
    // Two points that leave the third leg a few hundredths of an hour long.
    b.work.nrPt = 2;
    b.work.dLonP = 10 - 0.005;
    EXPECT_FALSE(b.engine.ApplyMethod(kMethodVertex));
    EXPECT_EQ(b.sink.Headers(true),
              (std::vector<std::string>{"Coordinate del Vertice|Il Dt (calcolato con ml e Vp) tra "
                                        "il punto 2\red il successivo eccede i valori "
                                        "minimo-massimo consentiti.",
                                        "Errore inaspettato:|Il metodo non è stato applicato."}));
    // List and totals stay; the method chosen automatically comes back (the
    // scheme's undo copy, kept only for entries, would say "Automatico").
    EXPECT_EQ(b.engine.Display().lines, lines);
    EXPECT_EQ(b.line.totalDistance, total);
    EXPECT_EQ(std::pair(b.scheme.Value(cells::Method), b.scheme.State(cells::Method)),
              std::pair(double{kMethodEquation}, kStateComputed));
    // Without Vp the same short leg passes: no time check runs.
    FactsBench noSpeed({10, 0, 20, 20});
    noSpeed.work.nrPt = 2;
    noSpeed.work.dLonP = 10 - 0.005;
    EXPECT_TRUE(noSpeed.engine.ApplyMethod(kMethodVertex));
    EXPECT_TRUE(noSpeed.sink.shown.empty());
    EXPECT_EQ(noSpeed.line.totalTime, 0);
}

TEST(PointErrors, GreenwichBeyondYear9999AtTheEndOfLegZeroNamesPoint0) {
    FactsBench b({10, 0, 20, 20, 10.0, CivilDate{9999, 12, 31}, 23.5});
    ASSERT_TRUE(b.work.showTimes);
    b.engine.SetMethodDefaults(kMethodEquation);
    EXPECT_FALSE(b.engine.ApplyMethod(kMethodEquation));
    ASSERT_EQ(b.sink.shown.size(), 2u);
    EXPECT_EQ(b.sink.shown[0].message,
              "Il GMT di arrivo (calcolato con GMT di partenza e Dt) tra il punto 0\red il "
              "successivo eccede i valori minimo-massimo consentiti.");
}

TEST(PointTimes, DepartureTimeWithoutItsDateComputesNoPointTimes) {
    // With the zone time but no date the Greenwich moment is unknown: the
    // times of an empty date would blame point 0 for a year out of range.
    Bench b({10, 0, 20, 20, 10.0});
    b.scheme.SetCell(cells::DepTf, 1, 8);
    b.engine.RouteFacts();
    EXPECT_EQ(std::pair(b.work.showTimes, b.work.showLegTimes), std::pair(false, true));
    b.engine.SetMethodDefaults(kMethodEquation);
    EXPECT_TRUE(b.engine.ApplyMethod(kMethodEquation));
    EXPECT_TRUE(b.sink.shown.empty());
}

TEST(Equator, RouteAlongTheEquatorIsItsOwnBrokenLine) {
    // The legs add up to the rhumb line within rounding; that is no excess.
    for (double lon1 : {16 + 40 / 60.0, -33.3, 120.0}) {
        SCOPED_TRACE(lon1);
        FactsBench b({0, 0, 0, lon1, 10.0});
        for (BrokenLineMethod method : {kMethodVertex, kMethodEquation}) {
            b.work.nrPt = 7;
            b.engine.DeriveSpacing(method, SpacingItem::kNrPt);
            EXPECT_TRUE(b.engine.ApplyMethod(method)) << method;
        }
    }
}

TEST(SchemeSaved, OnlyAChangedTotalDistanceMarksTheSchemeModified) {
    Bench b(kAtlantic);
    ASSERT_TRUE(b.engine.Activate());
    EXPECT_FALSE(b.scheme.saved);  // from 0 to the line's total
    b.scheme.saved = true;
    ASSERT_TRUE(b.engine.Activate());
    EXPECT_TRUE(b.scheme.saved);
    b.work.nrPt = 10;
    b.engine.DeriveSpacing(kMethodVertex, SpacingItem::kNrPt);
    ASSERT_TRUE(b.engine.ApplyMethod(kMethodVertex));
    EXPECT_FALSE(b.scheme.saved);
}

TEST(DamagedFile, StoredCountsNeverReachPastTheTables) {
    Bench b(kAtlantic);
    b.scheme.SetCell(cells::Method, kStateComputed, kMethodEquation);
    b.scheme.SetSpacing(255, 0.001);
    b.line.n = 200;
    EXPECT_LE(FillPointsList(b.line, b.work, 3).size(), 2u * kBrokenLineSlots);
    ASSERT_TRUE(b.engine.Activate());  // chosen afresh
    EXPECT_LE(b.line.n, 60);
    EXPECT_LE(b.scheme.NrPt(), 58);

    Bench m(kAtlantic);
    m.scheme.SetCell(cells::Method, kStateComputed, 77);  // no such method
    EXPECT_TRUE(m.engine.Activate());
    EXPECT_GE(m.engine.CurrentMethod(), 1);
}

TEST(VertexMethod, VertexNearTheArrivalKeepsTheArrivalsSlot) {
    // V1 at 86.8E of a 110-degree passage; at 23 degrees apart the walk
    // from the departure passes NrPt points before it reaches the vertex,
    // which then took the arrival's own slot and dropped out of the line.
    FactsBench b({5, 0, 55, 110});
    ASSERT_TRUE(b.work.vertexInside);
    b.work.dLonP = 23;
    b.engine.DeriveSpacing(kMethodVertex, SpacingItem::kDLonP);
    ASSERT_EQ(b.work.nrPt, 2);
    ASSERT_TRUE(b.engine.ApplyMethod(kMethodVertex));
    EXPECT_EQ(Labels(b, kMethodVertex), (std::vector<std::string>{"A", " 1", " 2", "V", "B"}));
    EXPECT_EQ(std::pair(b.line.points[3].longitude, b.line.points[4].longitude),
              std::pair(b.scheme.Value(cells::V1Lon), 110.0));
}

// Unit vector of a position on the sphere.
struct Vec {
    double x, y, z;
};
Vec Unit(double lat, double lon) {
    const double f = lat * kDegToRad, l = lon * kDegToRad;
    return {std::cos(f) * std::cos(l), std::cos(f) * std::sin(l), std::sin(f)};
}

TEST(Property, PointsOfMethods1And3LieOnTheGreatCircleAndLegsAreRhumbLines) {
    const unsigned seed = 20261206;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> lat(-60, 60), lon(-180, 180), span(20, 150);
    std::uniform_int_distribution<int> count(1, 40);
    RecordProperty("seed", static_cast<int>(seed));
    SCOPED_TRACE("seed " + std::to_string(seed));
    for (int trial = 0; trial < 200; ++trial) {
        const double lat0 = lat(rng), lon0 = lon(rng), lat1 = lat(rng);
        const double lon1 = Normalize180(lon0 + (trial % 2 ? span(rng) : -span(rng)));
        const BrokenLineMethod method = trial % 3 == 0 ? kMethodEquation : kMethodVertex;
        FactsBench b({lat0, lon0, lat1, lon1});
        const SpacingRange range = b.engine.SpacingRanges(method);
        b.work.nrPt = std::clamp(count(rng), range.nrPtLower, range.nrPtUpper);
        b.engine.DeriveSpacing(method, SpacingItem::kNrPt);
        b.engine.ComputeBrokenLine(method);  // a line longer than ml may fail; the points stand
        SCOPED_TRACE(::testing::Message() << "trial " << trial << ": " << lat0 << "," << lon0
                                          << " -> " << lat1 << "," << lon1 << " method " << method);
        const Vec a = Unit(lat0, lon0), c = Unit(lat1, lon1);
        Vec n{a.y * c.z - a.z * c.y, a.z * c.x - a.x * c.z, a.x * c.y - a.y * c.x};
        const double len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        for (int i = 0; i <= b.line.n; ++i) {
            const Vec p = Unit(b.line.points[i].latitude, b.line.points[i].longitude);
            const double offCircle =
                std::fabs(std::asin((n.x * p.x + n.y * p.y + n.z * p.z) / len)) * kMilesPerRadian;
            ASSERT_LT(offCircle, 1e-6) << "point " << i;  // miles; double trig rounding
        }
        for (int i = 0; i < b.line.n; ++i) {
            const GeoPoint& p = b.line.points[i];
            const GeoPoint& q = b.line.points[i + 1];
            // Each leg belongs to its own two points, not a neighbour's or a
            // stale pair's; the rhumb line itself is checked by the core's tests.
            const Rhumb ref = RhumbInverse(p.latitude, p.longitude, q.latitude, q.longitude);
            ASSERT_NEAR(b.line.legs[i].course, ref.course, 1e-9) << "leg " << i;
            ASSERT_NEAR(b.line.legs[i].distance, ref.distance, 1e-9 * (1 + ref.distance)) << i;
        }
    }
}

}  // namespace
}  // namespace velmar
