#pragma once
// Great-circle (orthodromic) sailing on the navigational sphere, one minute
// of arc to the nautical mile.

namespace velmar {

/// The vertex longitude of a route that has none defined (meridian and
/// equator routes, routes over a pole). Outside every valid longitude.
inline constexpr double NO_LONGITUDE = 999.0;

struct GreatCircleRoute {
    double initialCourse = 0;  ///< `Ri`, degrees 0..360
    double distance = 0;       ///< `mo`, nautical miles
    double v1Latitude = 0;     ///< `V1`, degrees
    double v1Longitude = 0;    ///< degrees, or NO_LONGITUDE
    double v2Longitude = 0;    ///< degrees, or NO_LONGITUDE
    /// `V2` is the vertex opposite `V1`: its latitude is minus V1's.
    double v2Latitude() const { return -v1Latitude; }
};

/// The great circle from a departure to an arrival (degrees). Never fails.
/// The first matching case decides:
///  1. meridian route (same longitude, or either end on a pole): course 0
///     going north, else 180; distance |dLat| * 60; V1 latitude +-90 by the
///     departure's hemisphere (0 on the equator); vertex longitudes
///     NO_LONGITUDE;
///  2. along the equator (even 180 degrees apart): course 90 or 270;
///  3. antipodal positions: course 90 for dLon +180, 270 for -180; 10800
///     miles; V1 the departure, V2 longitude the arrival's;
///  4. opposite meridians, not antipodal: the meridian circle over the pole
///     nearer the pair: course 0 over the north pole when lat0 + lat1 > 0,
///     else 180 over the south pole; distance (180 - |lat0 + lat1|) * 60;
///     V1 that pole (latitude +-90), vertex longitudes NO_LONGITUDE;
///  5. otherwise the spherical formulas: V1 is the vertex on the passage when
///     there is one, else the vertex of the departure's hemisphere (for a
///     departure on the equator, the southern vertex).
/// Accuracy, checked against an independent geodesic library on the same
/// sphere, with mo the distance in miles: course within 1e-9 + 1e-10 / mo
/// degrees, distance within 1e-9 + 1e-8 / mo miles, vertex positions within
/// 1e-8 miles plus 100 times the course's bound. The second terms are the
/// rounding of quantities of the size of the arc, which the course and the
/// arc cosine's atan2 form lose in proportion to 1 / distance (on a route of
/// a thousandth of a mile, 1e-7 degrees and 1e-5 miles).
GreatCircleRoute GreatCircle(double lat0, double lon0, double lat1, double lon1);

/// Whether a vertex at longitude `v1Lon` lies on the passage between the
/// departure and arrival longitudes (the short way round): "Vertice interno".
/// NO_LONGITUDE is never inner.
bool IsInnerVertex(double depLon, double arrLon, double v1Lon);

}  // namespace velmar
