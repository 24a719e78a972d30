// The passage plan's composition: one row per point with the leg that
// leaves it, the times and the light as the points list and the light rows
// give them, the route named by its ports when they are known, the scheme
// report whole and the summary against both the rhumb line and the great
// circle.
#include "brokenline/PassagePlan.h"

#include <gtest/gtest.h>

#include "brokenline/BrokenLineSummary.h"
#include "brokenline/PointsLight.h"
#include "brokenline/PointsText.h"
#include "scheme/Report.h"
#include "tests/brokenline/BrokenLineTestSupport.h"

namespace velmar {
namespace {

using bltest::FactsBench;
using bltest::RouteSpec;

const LocalMoment kPrinted{{2026, 12, 6}, 9, 5};

// Genova to New York, with or without a speed and a departure time.
RouteSpec Genova(bool speed, bool times) {
    RouteSpec r{44.4, 8 + 56 / 60.0, 40.7, -74.0};
    if (speed) r.speed = 12.0;
    if (times) r.departureDay = CivilDate{2026, 12, 6};
    r.arrivalDay = CivilDate{2026, 12, 18};
    return r;
}

TEST(PassagePlan, OneRowPerPointWithItsTimesLightAndOutgoingLeg) {
    const struct {
        const char* name;
        bool speed, times;
    } cases[] = {{"speed and departure time", true, true},
                 {"speed only: leg times, no moments", true, false},
                 {"neither", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FactsBench b(Genova(c.speed, c.times));
        ASSERT_TRUE(b.engine.SetMethodDefaults(kMethodEquation) &&
                    b.engine.ApplyMethod(kMethodEquation));
        const PassagePlan plan =
            ComposePassagePlan(b.scheme, b.line, b.work, kMethodEquation, {}, kPrinted);
        const int n = b.line.n;
        ASSERT_EQ(plan.rows.size(), std::size_t(n + 1));
        const std::vector<PointLight> light = PointsLight(b.line, b.work, kMethodEquation);
        for (int i = 0; i <= n; ++i) {
            SCOPED_TRACE(i);
            const PlanRow& row = plan.rows[std::size_t(i)];
            EXPECT_EQ(row.label, PointLabel(i, kMethodEquation, b.line, b.work.vertexInside));
            // The point line of the list holds the same texts, the times only when known.
            const std::string times = c.times ? "," + row.zoneTime + "  " + row.zoneDate + "," +
                                                    row.greenwichTime + "  " + row.greenwichDate
                                              : "";
            EXPECT_EQ(FillPointsList(b.line, b.work, kMethodEquation)[2 * i],
                      row.label + "  " + row.latitude + "  " + row.longitude + times);
            if (c.times) {
                EXPECT_EQ(row.zoneTime + "  " + row.zoneDate, PointTimeText(b.line.zoneTimes[i]));
                EXPECT_EQ(row.greenwichTime + "  " + row.greenwichDate,
                          PointTimeText(b.line.greenwichTimes[i]));
                EXPECT_EQ(row.light, light[std::size_t(i)].state);
                EXPECT_EQ(row.sunrise, light[std::size_t(i)].sunrise);
                EXPECT_FALSE(row.altitude.empty());
            } else {
                EXPECT_EQ(row.zoneTime + row.greenwichTime + row.light + row.sunrise, "");
            }
            const bool last = i == n;
            EXPECT_EQ(row.course.empty(), last);
            EXPECT_EQ(row.distance.empty(), last);
            EXPECT_EQ(row.legTime.empty(), last || !c.speed);
            if (!last) {
                // The leg line of the list is course, distance and time.
                const std::string legLine =
                    FillPointsList(b.line, b.work, kMethodEquation)[2 * i + 1];
                EXPECT_EQ(legLine, row.course + "  " + row.distance +
                                       (c.speed ? "  " + row.legTime : std::string()));
            }
        }
    }
}

TEST(PassagePlan, RouteNamedByItsPortsElseByPositions) {
    FactsBench b(Genova(true, true));
    ASSERT_TRUE(b.engine.SetMethodDefaults(kMethodEquation) &&
                b.engine.ApplyMethod(kMethodEquation));
    const PassagePlan named = ComposePassagePlan(b.scheme, b.line, b.work, kMethodEquation,
                                                 {"Genova", "New York"}, kPrinted);
    EXPECT_EQ(named.route, "Genova - New York");
    EXPECT_EQ(named.departure, "Partenza: Genova, 44°24'.0N 8°56'.0E");
    EXPECT_EQ(named.arrival, "Arrivo: New York, 40°42'.0N 74°00'.0W");
    EXPECT_EQ(named.printed, "Stampato il 06-12-2026 alle 09:05");

    // Only one end from the list: the route line names neither.
    const PassagePlan half =
        ComposePassagePlan(b.scheme, b.line, b.work, kMethodEquation, {"Genova", ""}, kPrinted);
    EXPECT_EQ(half.route, "44°24'.0N 8°56'.0E - 40°42'.0N 74°00'.0W");
    EXPECT_EQ(half.arrival, "Arrivo: 40°42'.0N 74°00'.0W");
    EXPECT_NE(half.method.find(MethodName(kMethodEquation)), std::string::npos);
}

TEST(PassagePlan, SchemeWholeWithFormatsAndSummaryAgainstBothLines) {
    FactsBench b(Genova(true, true));
    ASSERT_TRUE(b.engine.SetMethodDefaults(kMethodEquation) &&
                b.engine.ApplyMethod(kMethodEquation));
    const PassagePlan plan =
        ComposePassagePlan(b.scheme, b.line, b.work, kMethodEquation, {}, kPrinted);
    const ReportSelection all{ReportSection::WithFormats, ReportSection::WithFormats,
                              ReportSection::WithFormats};
    EXPECT_EQ(plan.scheme.lines, SchemeReportLines(b.scheme, all));

    SummaryLabels labels;
    ASSERT_TRUE(FillSummary(b.scheme, b.line, labels));
    const std::vector<std::string>& s = plan.summary.lines;
    ASSERT_EQ(s.size(), 9u + 3u);
    EXPECT_EQ(s[2], "\tSpezzata " + labels.lineDistance + " (mg); \t" + labels.lineTime +
                        " (ore = d  h m s)");
    EXPECT_EQ(s[10].rfind("\tOrtodromia " +
                              FormatValue(QuantityKind::Distance, -1, b.scheme.Value(cells::mo)) +
                              " (mg); \t",
                          0),
              0u);
    EXPECT_NE(s[11].find("Spezzata in più"), std::string::npos);

    // A line no shorter than the rhumb line has no summary to give.
    b.line.totalDistance = b.scheme.Value(cells::ml);
    const PassagePlan stale =
        ComposePassagePlan(b.scheme, b.line, b.work, kMethodEquation, {}, kPrinted);
    EXPECT_EQ(stale.summary.lines.front().rfind("La spezzata non è più corta", 0), 0u);
}

}  // namespace
}  // namespace velmar
