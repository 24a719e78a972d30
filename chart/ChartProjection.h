#pragma once
// The chart's Mercator coordinate system: chart units, the central meridian
// and the chart's own short coordinate texts. Plain C++, no drawing.
//
// Chart units: x is minutes of longitude east of the chart's central
// meridian, y is spherical meridional parts in minutes of arc (north
// positive, 0 on the equator), on a sphere whose equator has 21600 units.
// This is deliberately not the spheroidal meridional-parts function of the
// rhumb-line computations: the chart never feeds positions back.

#include <string>

namespace velmar {

/// Which meridian lies at chart x = 0.
enum class CentralMeridian {
    kGreenwich,     ///< x = 0 on Greenwich; the world spans -10800..+10800
    kAntimeridian,  ///< x = 0 on the 180th meridian; positive x are west longitudes
};

/// The largest magnitude a chart unit takes; values beyond (and NaN) are
/// held there, far outside every drawable area.
inline constexpr int kChartUnitLimit = 100000000;

/// The nearest whole chart unit, halves to the even neighbour. Values beyond
/// +-kChartUnitLimit, and NaN, give +-kChartUnitLimit (NaN the positive one).
int Nearest(double v);

/// Meridional parts of a latitude in degrees, in chart units. Up to 89.9
/// degrees in magnitude: ln(tan(lat/2 + 45 deg)) x 10800/pi with the chart's
/// eight-decimal constants (about 24215 at 89.9); beyond, the sentinel 9999
/// (north) or -9999 (0 and south), far outside the drawable area.
/// Reference values: 45 -> 3029.94, 60 -> 4527.37, 80 -> 8375.20.
double ChartMeridionalParts(double latitude);

/// The latitude in degrees whose meridional parts are y (chart units); the
/// inverse of ChartMeridionalParts to 4e-5 degrees (0.002 minute: the
/// forward function's rounded constants). Always inside -90..90.
double LatitudeFromParts(double y);

/// The central-meridian rule: antimeridian-centred exactly when the
/// departure and arrival longitudes (degrees, signed) differ by more than
/// 180; a difference of exactly 180 stays Greenwich-centred.
CentralMeridian ChooseCentralMeridian(double departureLongitude, double arrivalLongitude);

/// Chart x of a longitude in degrees: Greenwich-centred nearest(lon x 60);
/// antimeridian-centred nearest((lon - 180) x 60) for lon >= 0 and
/// nearest((lon + 180) x 60) below, so 170 E gives -600 and 170 W +600.
int ChartX(double longitude, CentralMeridian meridian);

/// Chart y of a latitude: nearest(ChartMeridionalParts(lat)).
int ChartY(double latitude);

enum class CoordKind { kLatitude, kLongitude };

/// The chart's short coordinate text: "0°" below one minute of arc, else
/// whole degrees (no sign), whole minutes right-aligned in two places and
/// the hemisphere letter: 45.51 latitude -> "45°30' N", -5 longitude ->
/// "5° 0' W". "N"/"E" for a positive value, "S"/"W" otherwise.
std::string ChartCoordText(CoordKind kind, double value);

}  // namespace velmar
