#include "core/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmar {
namespace {

constexpr double kHour = 1.0 / 24, kMinute = 1.0 / 1440;

TEST(DateTime, DayNumbersAndBack) {
    EXPECT_EQ(DayNumber({1900, 1, 1}), 2);
    EXPECT_EQ(DayNumber({2000, 1, 1}), 36526);
    for (int day = -1000; day < 3'000'000; day += 997) EXPECT_EQ(DayNumber(CivilFromDay(day)), day);
}

// The last three are no longitudes at all; they once reached an undefined
// conversion of an out-of-range double to int.
TEST(DateTime, ZoneOfRoundsHalvesToEven) {
    const double rows[][2] = {{7.5, 0},  {22.5, 2},   {-22.5, -2}, {172.5, 12},   {7.51, 1},
                              {180, 12}, {-180, -12}, {999, 12},   {-1e300, -12}, {NAN, 0}};
    for (const auto& r : rows) EXPECT_EQ(ZoneOf(r[0]), r[1]) << r[0];
}

TEST(DateTime, ClockConversionsAcrossMidnightAndYearLimits) {
    const double d = DayNumber({2026, 6, 1});
    const double jan1900 = DayNumber({1900, 1, 1}), dec9999 = DayNumber({9999, 12, 31});
    const struct {
        const char* what;
        bool toGreenwich;
        double lon, in, out;
        bool ok;
    } rows[] = {
        {"30 W: 23:00 zone is 01:00 next day", true, -30, d + 23 * kHour, d + 1 + kHour, true},
        {"into 1899", true, 30, jan1900 + kHour, jan1900 - kHour, false},
        {"1 January 1900 at midnight", true, 30, jan1900 + 2 * kHour, jan1900, true},
        {"into 10000", false, 30, dec9999 + 23 * kHour, dec9999 + 1 + kHour, false},
        {"last hour of 9999", false, 30, dec9999 + 21 * kHour, dec9999 + 23 * kHour, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        double out = 0;
        const bool ok =
            r.toGreenwich ? ToGreenwich(r.lon, r.in, out) : ToZoneTime(r.lon, r.in, out);
        EXPECT_EQ(ok, r.ok);
        EXPECT_NEAR(out, r.out, 1e-9);  // delivered even when out of range
    }
    EXPECT_TRUE(YearInRange(jan1900));
    for (const double out : {jan1900 - 1e-6, dec9999 + 1, double{NAN}, 1e300, -1e300})
        EXPECT_FALSE(YearInRange(out)) << out;
}

TEST(DateTime, IntervalRelationModesAndLimits) {
    const double d = DayNumber({2026, 12, 6}) + 12 * kHour;
    const double last = DayNumber({9999, 12, 31}) + 12 * kHour;
    const double jan2 = DayNumber({1900, 1, 2});
    const struct {
        const char* what;
        double start, interval, end;
        double want;  // the computed value
        bool ok;
    } rows[] = {
        {"5 minutes is too short", d, 0, d + 5 * kMinute, 5.0 / 60, false},
        {"end before start", d, 0, d - kHour, -1, false},
        {"999.999 hours", d, 0, d + 999.999 * kHour, 999.999, true},
        {"1000 hours", d, 0, d + 1000 * kHour, 1000, false},
        {"end from start", d, 36, 0, d + 1.5, true},
        {"start from end", 0, 36, d, d - 1.5, true},
        {"end after 9999", last, 24, 0, last + 1, false},
        {"start before 1900", 0, 48, jan2, jan2 - 2, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        double start = r.start, interval = r.interval, end = r.end;
        EXPECT_EQ(IntervalRelation(start, interval, end), r.ok);
        const double got = r.start == 0 ? start : r.end == 0 ? end : interval;
        EXPECT_NEAR(got, r.want, 1e-6);
    }
}

TEST(DateTime, RegressionSixMinutesBetweenTypedMomentsIsAccepted) {
    // Day counts carry binary noise larger than the last bit of 0.1 hours: the
    // plain difference of two moments typed 6 minutes apart fell below the
    // limit for nine moments in ten.
    for (int day = 2; day < 2'958'465; day += 7919) {
        for (int minute = 0; minute < 1434; minute += 37) {
            SCOPED_TRACE(::testing::Message() << "day " << day << " minute " << minute);
            double start = day + minute * kMinute, end = day + (minute + 6) * kMinute;
            double interval = 0;
            EXPECT_TRUE(IntervalRelation(start, interval, end));
            EXPECT_EQ(interval, 0.1);
        }
    }
}

TEST(DateTime, SpeedRelationModesAndLimits) {
    const struct {
        const char* what;
        double distance, speed, time, want;
        bool ok;
    } rows[] = {
        {"10800 miles at 1 knot", 10800, 1, 0, 10800, false},
        {"99.9 knots for 999.999 hours", 0, 99.9, 999.999, 99.9 * 999.999, false},
        {"12 knots for 900 hours", 0, 12, 900, 10800, true},
        {"100 miles in 200 hours", 100, 0, 200, 0.5, false},
        {"999 miles in 10 hours", 999, 0, 10, 99.9, true},
        {"1000 miles in 10 hours", 1000, 0, 10, 100, false},
        {"no time at all", 100, 0, 0, INFINITY, false},
        // Regression: 1.2 / 12 is 0.09999999999999999 in binary and was refused.
        {"1.2 miles at 12 knots", 1.2, 12, 0, 0.1, true},
        {"1 mile at 11 knots", 1, 11, 0, 1.0 / 11, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        double distance = r.distance, speed = r.speed, time = r.time;
        EXPECT_EQ(SpeedRelation(distance, speed, time), r.ok);
        const double got = r.distance == 0 ? distance : r.speed == 0 ? speed : time;
        EXPECT_TRUE(std::isinf(r.want) ? std::isinf(got) : std::fabs(got - r.want) < 1e-9) << got;
    }
}

}  // namespace
}  // namespace velmar
