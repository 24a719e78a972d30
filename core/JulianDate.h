#pragma once
// Pure helpers of the alternative display forms: the Julian date and the
// longitude in time.

#include <string>

namespace velmar {

/// Modified Julian Date of a civil date and a time in hours (Gregorian from
/// 15 October 1582, Julian before): 1 January 2000 at 12 h gives 51544.5.
/// The Julian date is this value - 51544.5 + 2451545.0.
double ModifiedJulianDate(int year, int month, int day, double hours);

/// The Julian date the program shows for a civil date and time.
double JulianDate(int year, int month, int day, double hours);

/// The day number of 31 December 9999, the last day a date may have.
inline constexpr int kLastDayNumber = 2958465;

/// The Julian date of a day number of the moment scale (30 December 1899 is
/// 0; the fraction is ignored) and a time in hours. The last day, 31 December
/// 9999, is a day like any other; a day number further from 0 than that, or
/// one that is no number, counts as day 0.
double JulianDateOfDay(double dayNumber, double hours);

/// A longitude as the time the earth takes to turn through it, "hhhnnmsss"
/// with letters: 15 degrees gives "01h00m00s", 180 gives "12h00m00s". The
/// sign is not shown.
std::string LongitudeInTime(double longitude);

}  // namespace velmar
