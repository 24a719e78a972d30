// The light at the points of the broken line: a passage into the night shows
// the change at the point where it happens, the times are the point's zone
// time, and the rows and their texts follow the line's own labels.
#include "brokenline/PointsLight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/brokenline/BrokenLineTestSupport.h"

namespace velmar {
namespace {

using bltest::FactsBench;
using bltest::RouteSpec;

// Minutes after midnight of an "hh:nn" text.
int ClockMinutes(const std::string& text) {
    return std::stoi(text.substr(0, 2)) * 60 + std::stoi(text.substr(3, 2));
}

// The practical method with a course change every hour at 10 knots.
void HourlyLegs(FactsBench& b) {
    b.line.practicalChoice = 2;
    b.line.dtP = 1;
    b.line.dmP = 10;
    ASSERT_TRUE(b.engine.ApplyMethod(kMethodPractical));
}

// Along the equator from 0 E on the equinox of 2026, leaving at 15:20 zone
// (and Greenwich) time: the sun sets at about 18:09 near 0.5 E (six hours and
// three minutes after a transit at 12:07, the equation of time being -7
// minutes), sinking a quarter of a degree a minute. So 17:20 is day (about
// +12 degrees), 18:20 civil twilight (about -4), 19:20 night (about -18).
TEST(PointsLight, PassageIntoTheNightChangesAtThePointAfterSunset) {
    FactsBench b({0, 0, 0, 95.0 / 60, 10.0, CivilDate{2026, 3, 20}, 15 + 20 / 60.0});
    HourlyLegs(b);
    const std::vector<PointLight> rows = PointsLight(b.line, b.work, kMethodPractical);
    ASSERT_EQ(rows.size(), 11u);  // A, 1..9 every hour, B after half an hour
    const char* expected[] = {"giorno", "giorno", "giorno", "crepuscolo civile",
                              "notte",  "notte",  "notte",  "notte",
                              "notte",  "notte",  "notte"};
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].index, i);
        EXPECT_EQ(rows[i].state, expected[i]);
    }
    // The sunset of the day falls between the last point in daylight and the
    // first in twilight.
    ASSERT_TRUE(rows[2].light && rows[2].light->events.sunset);
    EXPECT_GT(*rows[2].light->events.sunset, b.line.greenwichTimes[2]);
    EXPECT_LT(*rows[2].light->events.sunset, b.line.greenwichTimes[3]);
    EXPECT_NEAR(ClockMinutes(rows[3].sunset), 18 * 60 + 9, 2);
    EXPECT_EQ(PointLightLine(rows[3]).rfind(" 3  crepuscolo civile  -", 0), 0u)
        << PointLightLine(rows[3]);
    // The points after midnight belong to the next day, 21 March.
    EXPECT_GT(rows[10].light->events.dayStart, rows[0].light->events.dayStart);
}

// At 100 E the zone is +7, 20 minutes ahead of the local mean time: the
// sunrise and sunset of the equinox read about 06:24 and 18:31.
TEST(PointsLight, TimesAreInThePointsZoneTime) {
    FactsBench b({0, 100, 0, 100 + 95.0 / 60, 10.0, CivilDate{2026, 3, 20}, 15 + 20 / 60.0});
    HourlyLegs(b);
    const std::vector<PointLight> rows = PointsLight(b.line, b.work, kMethodPractical);
    ASSERT_FALSE(rows.empty());
    EXPECT_NEAR(ClockMinutes(rows[0].sunrise), 6 * 60 + 24, 2) << rows[0].sunrise;
    EXPECT_NEAR(ClockMinutes(rows[0].sunset), 18 * 60 + 31, 2) << rows[0].sunset;
    EXPECT_EQ(rows[0].state, "giorno");
}

TEST(PointsLight, NoRowsWithoutTimes) {
    FactsBench noDeparture({0, 0, 0, 95.0 / 60, 10.0});
    HourlyLegs(noDeparture);
    ASSERT_FALSE(noDeparture.work.showTimes);
    const std::vector<PointLight> rows =
        PointsLight(noDeparture.line, noDeparture.work, kMethodPractical);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(PointsLightText(rows), "");
}

// North across the Barents Sea at midsummer the sun never sets; a point that a
// damaged points file left without a position is said to be unknown rather
// than given a light.
TEST(PointsLight, SectionTextWithPolarDayAndAnUnknownPoint) {
    FactsBench b({71, 20, 71 + 95.0 / 60, 20, 10.0, CivilDate{2026, 6, 21}, 12});
    HourlyLegs(b);
    b.line.points[1].latitude = std::numeric_limits<double>::quiet_NaN();
    const std::vector<PointLight> rows = PointsLight(b.line, b.work, kMethodPractical);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0].note, "sole sempre sopra l'orizzonte");
    EXPECT_EQ(rows[0].sunrise, kNoSunEventText);
    const std::string text = PointsLightText(rows);
    EXPECT_EQ(text.rfind("LUCE AI PUNTI (alba e tramonto in ora locale):\r\n"
                         "A  giorno  +",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("°  sole sempre sopra l'orizzonte\r\n 1  non calcolabile\r\n 2  giorno"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

}  // namespace
}  // namespace velmar
