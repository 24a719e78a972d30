#pragma once
// Moments, zones and the relations of start, interval and end and of
// distance, speed and time.
//
// A moment is one double: whole days since 30 December 1899 (day 0; 1 January
// 1900 is day 2) plus the fraction of the day. In the scheme a moment lives in
// two cells, the time in hours and the date as a whole day number.

namespace velmar {

using DateTime = double;

/// A day of the proleptic Gregorian calendar.
struct CivilDate {
    int year = 1899;
    unsigned month = 12;
    unsigned day = 30;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

/// Clock time decomposed from the fraction of a day, rounded to the
/// millisecond (a fraction that rounds up to 24:00 carries into the next day).
struct ClockTime {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int milliseconds = 0;
};

/// The whole day number of a calendar date (30 December 1899 is 0).
int DayNumber(const CivilDate& date);
/// The calendar date of a whole day number.
CivilDate CivilFromDay(int day);
/// Splits a moment into its calendar day and its clock time. The day is the
/// whole part of the moment (carried by one when the time rounds to 24:00);
/// the clock time is that of the magnitude of the fraction.
void SplitDateTime(DateTime moment, CivilDate& date, ClockTime& time);
/// The moment of a date and a time of day in hours.
DateTime MakeDateTime(const CivilDate& date, double hours);

inline constexpr double kMinInterval = 0.1;      ///< hours
inline constexpr double kMaxInterval = 999.999;  ///< hours
inline constexpr double kMinDistance = 0.1;      ///< nautical miles
inline constexpr double kMaxDistance = 10800.0;  ///< nautical miles
inline constexpr double kMinSpeed = 1.0;         ///< knots
inline constexpr double kMaxSpeed = 99.9;        ///< knots
inline constexpr int kMinYear = 1900;
inline constexpr int kMaxYear = 9999;

/// The limit check of computed values: lower <= value <= upper, allowing a
/// relative 1e-9 for a value that is on a limit in decimal arithmetic but
/// lands an ulp outside it in binary. False for a value that is not a number.
bool WithinLimits(double value, double lower, double upper);

/// The time zone of a longitude in whole hours, east positive, -12..+12:
/// longitude / 15 rounded to the nearest hour, halves to even (7.5 E gives 0,
/// 22.5 E gives 2, 172.5 E gives 12, 180 gives 12, -180 gives -12). A value
/// outside -180..180 gives the nearer end of -12..12, one that is not a
/// number gives 0.
int ZoneOf(double longitude);

/// Zone time to Greenwich time at a longitude. Fails (the value is still
/// delivered) when the result's year is outside 1900..9999.
bool ToGreenwich(double longitude, DateTime zoneTime, DateTime& greenwich);
/// Greenwich time to zone time at a longitude; fails like ToGreenwich.
bool ToZoneTime(double longitude, DateTime greenwich, DateTime& zoneTime);

/// True when the calendar year of the moment is 1900..9999. A value too far
/// out to be a day number at all (or not finite) is out of range.
bool YearInRange(DateTime moment);

/// start + interval (hours) = end. Exactly one of start and end may be 0,
/// marking the value to compute; with neither 0 the interval is computed and
/// must lie in 0.1..999.999 hours (an end before the start fails); it is
/// kept to the millisecond, the resolution of moments, so that moments typed
/// 6 minutes apart give 0.1 exactly. A computed moment must have its year in
/// range. The computed value is delivered even when the check fails.
bool IntervalRelation(DateTime& start, double& interval, DateTime& end);

/// distance (miles) = speed (knots) * time (hours). A 0 in distance, else in
/// speed, marks the value to compute; otherwise the time is computed. The
/// result must lie within the limits of its kind (distance 0.1..10800, speed
/// 1.0..99.9, time 0.1..999.999), allowing a relative 1e-9 for the rounding
/// of one product or quotient; it is delivered even when the check fails.
bool SpeedRelation(double& distance, double& speed, double& time);

}  // namespace velmar
