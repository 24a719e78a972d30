#include "core/JulianDate.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/DateTime.h"

namespace velmar {
namespace {

TEST(JulianDate, ReferenceDatesAndJulianLeapYear) {
    const struct {
        int y, m, d;
        double h, mjd;
    } rows[] = {
        {2000, 1, 1, 12, 51544.5},      // the epoch J2000.0
        {1858, 11, 17, 0, 0},           // the origin of the modified count
        {1582, 10, 15, 0, -100840},     // first Gregorian day
        {1582, 10, 4, 0, -100841},      // the Julian day before it
        {-4712, 1, 1, 12, -2400000.5},  // Julian date 0
    };
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(ModifiedJulianDate(r.y, r.m, r.d, r.h), r.mjd)
            << r.y << "-" << r.m << "-" << r.d;
    EXPECT_DOUBLE_EQ(JulianDate(2000, 1, 1, 12), 2451545.0);
    // 1500 is a leap year in the Julian calendar (the Gregorian centurial rule
    // shows from 1900 on in the day-count comparison below).
    EXPECT_EQ(ModifiedJulianDate(1500, 3, 1, 0) - ModifiedJulianDate(1500, 2, 28, 0), 2);
}

TEST(JulianDate, AgreesWithTheDayCountFrom1900To9999) {
    // The civil calendar of the day count is independent of the Julian date's
    // month term; 30 December 1899 is MJD 15018.
    for (int day = 2; day <= DayNumber({9999, 12, 31}); day += 61) {
        const CivilDate c = CivilFromDay(day);
        SCOPED_TRACE(day);
        EXPECT_EQ(ModifiedJulianDate(c.year, static_cast<int>(c.month), static_cast<int>(c.day), 0),
                  day + 15018.0);
    }
}

// The last representable day was refused by a strict test of its day number
// and shown as 30-12-1899 (2415019.49999 at 23:59:59).
TEST(JulianDate, JulianDateOfTheLastDay) {
    const double lastSecond = 23 + 59 / 60.0 + 59 / 3600.0;
    const struct {
        double day, hours, jd;
    } rows[] = {
        {kLastDayNumber, lastSecond, 5373484.0 + 0.5 - 1.0 / 86400},  // 31-12-9999 23:59:59
        {kLastDayNumber, 0, 5373483.5},                               // 31-12-9999 00:00
        {kLastDayNumber - 1, 12, 5373483.0},                          // 30-12-9999 12:00
        {DayNumber({2000, 1, 1}) + 0.75, 12, 2451545.0},              // the fraction is ignored
        {2, 0, 2415020.5},                                            // 1-1-1900
        {kLastDayNumber + 1.0, 0, 2415018.5},                         // beyond: day 0
        {-kLastDayNumber - 1.0, 0, 2415018.5},
        {NAN, 0, 2415018.5},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(JulianDateOfDay(r.day, r.hours), r.jd, 1e-9) << r.day << " " << r.hours;
}

TEST(JulianDate, LongitudeInTime) {
    const struct {
        double lon;
        const char* text;
    } rows[] = {{15, "01h00m00s"}, {15.0 + 15.0 / 3600, "01h00m01s"}, {-179.999, "11h59m59s"}};
    for (const auto& r : rows) EXPECT_EQ(LongitudeInTime(r.lon), r.text) << r.lon;
}

}  // namespace
}  // namespace velmar
