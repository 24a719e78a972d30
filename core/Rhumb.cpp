#include "core/Rhumb.h"

#include <cmath>

#include "core/Angles.h"

namespace velmar {

namespace {
constexpr double kQuarterPi = 0.7853981633974;  // the value the series uses

// The meridional parts series without the clamp; finite for |latitude| < 90.
double MeridionalSeries(double latitude) {
    const double x = latitude * kDegToRad;
    const double s = std::sin(x);
    const double half = x / 2.0 + kQuarterPi;
    const double t = std::cos(half) == 0.0 ? 0.0 : std::tan(half);
    const double series = kE2 * s + kE4 * s * s * s / 3.0 + kE6 * s * s * s * s * s / 5.0;
    return (std::log(t) - series) * kRadToDeg * kMinutesPerDegree;
}

// The slope of the series in minutes per degree of latitude.
double MeridionalSlope(double latitude) {
    const double x = latitude * kDegToRad;
    const double s = std::sin(x), c = std::cos(x);
    return (1.0 / c - c * (kE2 + kE4 * s * s + kE6 * s * s * s * s)) * kMinutesPerDegree;
}

// Below this latitude difference (degrees) the difference of the parts is the
// slope at the middle latitude times the difference: two parts of thousands
// of minutes that agree in all but their last digits keep few of them when
// subtracted (1e-14 degrees apart gave a leg 14 times too long), while the
// slope's own error, of the order of the squared difference, stays below
// 1e-9 of the result.
constexpr double kShortLatitudeDifference = 1e-5;

// The series' difference from lat0 to lat0 + dLat, both short of the pole.
// It takes the difference itself, not the arrival latitude, because adding a
// tiny difference to a latitude rounds most of it away.
double SeriesDifference(double lat0, double dLat) {
    if (std::fabs(dLat) < kShortLatitudeDifference) return dLat * MeridionalSlope(lat0 + dLat / 2);
    return MeridionalSeries(lat0 + dLat) - MeridionalSeries(lat0);
}

bool WithinClamp(double latitude) {
    return std::fabs(latitude) <= kMeridionalClampLatitude;
}
}  // namespace

double MeridionalParts(double latitude) {
    if (std::fabs(latitude) > kMeridionalClampLatitude)
        return latitude > 0 ? kClampedMeridionalParts : -kClampedMeridionalParts;
    return MeridionalSeries(latitude);
}

Rhumb RhumbInverse(double lat0, double lon0, double lat1, double lon1) {
    const double dLat = lat1 - lat0;
    const double dLon = Normalize180(lon1 - lon0);
    Rhumb r;
    if (dLon == 0 || std::fabs(lat0) == 90 || std::fabs(lat1) == 90) {
        r.course = dLat > 0 ? 0.0 : 180.0;
        r.distance = std::fabs(dLat * 60.0);
        return r;
    }
    if (dLat == 0) {
        r.course = dLon > 0 ? 90.0 : 270.0;
        r.distance = std::fabs(std::cos(lat0 * kDegToRad) * dLon * 60.0);
        return r;
    }
    double dLatC;
    if (WithinClamp(lat0) && WithinClamp(lat1)) {
        dLatC = std::fabs(SeriesDifference(lat0, dLat));
    } else {
        dLatC = std::fabs(MeridionalParts(lat1) - MeridionalParts(lat0));
        // Two latitudes beyond the clamp on the same side share the clamped
        // value; the ratio below would then be x/0, a course of 90 and a
        // distance of some 1e16 miles for positions a few miles apart. Their
        // own series tells them apart (finite short of the pole, which the
        // meridian case took).
        if (dLatC == 0) dLatC = std::fabs(SeriesDifference(lat0, dLat));
    }
    const double a = std::atan2(std::fabs(dLon * 60.0), dLatC) * kRadToDeg;
    // |dLat * 60 / cos a|, written as dLat * 60 * hypot(1, tan a): on a nearly
    // east-west leg a lies within an ulp or two of 90 degrees and its cosine
    // keeps no digit.
    r.distance = std::hypot(dLat * 60.0, dLon * 60.0 * (dLat * 60.0 / dLatC));
    if (dLat > 0)
        r.course = dLon >= 0 ? a : 360.0 - a;
    else
        r.course = dLon >= 0 ? 180.0 - a : 180.0 + a;
    return r;
}

RhumbArrival RhumbForward(double lat0, double lon0, double course, double distance) {
    RhumbArrival out;
    double dLat = 0, dLon = 0;
    if (course == 90 || course == 270) {
        if (std::fabs(lat0) == 90) {
            out.latitude = lat0;
            out.longitude = lon0;
            return out;
        }
        dLon = distance / std::cos(lat0 * kDegToRad) / 60.0;
        if (course == 270) dLon = -dLon;
    } else if (course == 0 || course == 180) {
        dLat = distance / 60.0;
        if (course == 180) dLat = -dLat;
    } else {
        dLat = std::cos(course * kDegToRad) * distance / 60.0;
        const double lat1 = lat0 + dLat;
        // Beyond the clamp the parts jump to 99999, which makes such a run fail
        // on its longitude; short of it the difference is taken with care, as
        // in RhumbInverse, so that the two agree on nearly east-west legs.
        const double dParts = WithinClamp(lat0) && WithinClamp(lat1)
                                  ? SeriesDifference(lat0, dLat)
                                  : MeridionalParts(lat1) - MeridionalParts(lat0);
        dLon = std::tan(course * kDegToRad) * dParts / 60.0;
    }
    const double lat1 = lat0 + dLat;
    if (std::fabs(dLon) > 180)
        out.ok = false;
    else if (std::fabs(lat1) > 90)
        out.ok = false;
    out.latitude = lat1;
    out.longitude = Normalize180(lon0 + dLon);
    return out;
}

}  // namespace velmar
