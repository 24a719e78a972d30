#include "core/DateTime.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/Angles.h"

namespace velmar {

namespace {
using namespace std::chrono;

constexpr sys_days kEpoch = sys_days{year{1899} / December / 30};
constexpr std::int64_t kMsPerDay = 86'400'000;

// Day numbers whose year is far outside any date we handle are refused before
// they reach the calendar, whose year type only spans -32767..32767.
constexpr double kDayLimit = 4'000'000.0;

// The limit checks of computed values. A value that is exactly on a limit in
// decimal arithmetic can land an ulp outside it in binary (1.2 miles at 12
// knots gives 0.09999999999999999 hours), so the checks allow a relative
// slack far below any digit the program shows.
constexpr double kLimitSlack = 1e-9;
}  // namespace

bool WithinLimits(double value, double lower, double upper) {
    return value >= lower * (1.0 - kLimitSlack) && value <= upper * (1.0 + kLimitSlack);
}

int DayNumber(const CivilDate& date) {
    const year_month_day ymd{year{date.year}, month{date.month}, day{date.day}};
    return static_cast<int>((sys_days{ymd} - kEpoch).count());
}

CivilDate CivilFromDay(int dayNumber) {
    const year_month_day ymd{kEpoch + days{dayNumber}};
    return CivilDate{static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                     static_cast<unsigned>(ymd.day())};
}

void SplitDateTime(DateTime moment, CivilDate& date, ClockTime& time) {
    // A value that is no number at all splits as day 0 at midnight rather
    // than as whatever the conversion of a NaN to an integer happens to give.
    if (!std::isfinite(moment)) moment = 0;
    double whole = std::trunc(moment);
    std::int64_t ms = std::llround(std::fabs(moment - whole) * static_cast<double>(kMsPerDay));
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        whole += moment < 0 ? -1.0 : 1.0;
    }
    if (!(std::fabs(whole) < kDayLimit)) whole = 0;
    date = CivilFromDay(static_cast<int>(whole));
    time.hours = static_cast<int>(ms / 3'600'000);
    time.minutes = static_cast<int>(ms / 60'000 % 60);
    time.seconds = static_cast<int>(ms / 1000 % 60);
    time.milliseconds = static_cast<int>(ms % 1000);
}

DateTime MakeDateTime(const CivilDate& date, double hours) {
    return static_cast<double>(DayNumber(date)) + hours / 24.0;
}

int ZoneOf(double longitude) {
    // Only a longitude of -180..180 is meaningful; anything else (a NaN, an
    // undefined vertex longitude) must not reach the conversion to int, which
    // is undefined out of range.
    if (!std::isfinite(longitude)) return 0;
    return static_cast<int>(std::clamp(RoundHalfEven(longitude / 15.0), -12.0, 12.0));
}

bool ToGreenwich(double longitude, DateTime zoneTime, DateTime& greenwich) {
    greenwich = zoneTime - ZoneOf(longitude) / 24.0;
    return YearInRange(greenwich);
}

bool ToZoneTime(double longitude, DateTime greenwich, DateTime& zoneTime) {
    zoneTime = greenwich + ZoneOf(longitude) / 24.0;
    return YearInRange(zoneTime);
}

bool YearInRange(DateTime moment) {
    if (!(std::fabs(moment) < kDayLimit)) return false;
    CivilDate date;
    ClockTime time;
    SplitDateTime(moment, date, time);
    return date.year >= kMinYear && date.year <= kMaxYear;
}

bool IntervalRelation(DateTime& start, double& interval, DateTime& end) {
    if (start == 0) {
        start = end - interval / 24.0;
        return YearInRange(start);
    }
    if (end == 0) {
        end = start + interval / 24.0;
        return YearInRange(end);
    }
    // Moments are day counts near 1e4..3e6, whose last bit is worth up to a
    // few hundredths of a millisecond, so (end - start) of two moments typed
    // 6 minutes apart is rarely 0.1 hours exactly. Moments are kept to the
    // millisecond (the clock texts round to it), and so is their difference.
    interval = std::round((end - start) * static_cast<double>(kMsPerDay)) / 3'600'000.0;
    return WithinLimits(interval, kMinInterval, kMaxInterval);
}

bool SpeedRelation(double& distance, double& speed, double& time) {
    if (distance == 0) {
        distance = speed * time;
        return WithinLimits(distance, kMinDistance, kMaxDistance);
    }
    if (speed == 0) {
        speed = distance / time;
        return WithinLimits(speed, kMinSpeed, kMaxSpeed);
    }
    time = distance / speed;
    return WithinLimits(time, kMinInterval, kMaxInterval);
}

}  // namespace velmar
