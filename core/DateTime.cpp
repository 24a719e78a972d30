#include "core/DateTime.h"

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
}  // namespace

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

int ZoneOf(double longitude) { return static_cast<int>(RoundHalfEven(longitude / 15.0)); }

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
    interval = (end - start) * 24.0;
    return interval >= kMinInterval && interval <= kMaxInterval;
}

bool SpeedRelation(double& distance, double& speed, double& time) {
    if (distance == 0) {
        distance = speed * time;
        return distance >= kMinDistance && distance <= kMaxDistance;
    }
    if (speed == 0) {
        speed = distance / time;
        return speed >= kMinSpeed && speed <= kMaxSpeed;
    }
    time = distance / speed;
    return time >= kMinInterval && time <= kMaxInterval;
}

}  // namespace velmar
