#pragma once
// Angle constants and the small helpers every sailing computation shares.

#include <string>

namespace velmar {

inline constexpr double kDegToRad = 0.017453292519943295;
inline constexpr double kRadToDeg = 57.29577951308232;
inline constexpr double kMinutesPerDegree = 60.0;
/// Nautical miles per radian of central angle on the navigational sphere
/// (10800 / pi): one minute of arc is one mile.
inline constexpr double kMilesPerRadian = 3437.746770784939;
/// One minute of arc in degrees.
inline constexpr double kOneMinute = 0.01666666666666667;

/// Brings an angle in degrees into -180..+180 by at most one turn:
/// 190 -> -170, -190 -> 170, 540 -> 180; 180 and -180 are returned unchanged.
double Normalize180(double x);

/// +1, -1 or 0 by the sign of x.
int SignOf(double x);

/// Rounds to the nearest whole number, halves to the even one (banker's
/// rounding), independently of the floating-point environment.
double RoundHalfEven(double x);

/// Degrees, minutes and seconds of an angle.
struct Dms {
    double degrees = 0;
    double minutes = 0;
    double seconds = 0;
};

/// Splits a signed angle in degrees into whole degrees, whole minutes and
/// seconds. Seconds of 60 or more carry one minute (and minutes of 60 or
/// more one degree) without resetting the lower field. A negative angle
/// carries its sign on the first non-zero field: -0.5 gives 0, -30, 0.
Dms SplitDms(double value);

/// Makes the fields positive and rounds the seconds to whole numbers (halves
/// to even), carrying 60 seconds into a minute and 60 minutes into a degree:
/// 10 59 59.5 gives 11 0 0.
void RoundDms(Dms& dms);

/// Replaces the first comma of a number text by a point: the displayed
/// decimal separator is always the point, whatever the platform's settings.
std::string FixDecimalPoint(std::string text);

}  // namespace velmar
