#include "core/GreatCircle.h"

#include <algorithm>
#include <cmath>

#include "core/Angles.h"

namespace velmar {

GreatCircleRoute GreatCircle(double lat0, double lon0, double lat1, double lon1) {
    const double dLat = lat1 - lat0;
    const double dLon = Normalize180(lon1 - lon0);
    GreatCircleRoute g;

    if (dLon == 0 || std::fabs(lat0) == 90 || std::fabs(lat1) == 90) {
        g.initialCourse = dLat > 0 ? 0.0 : 180.0;
        g.distance = std::fabs(dLat) * 60.0;
        g.v1Latitude = SignOf(lat0) * 90.0;
        g.v1Longitude = g.v2Longitude = NO_LONGITUDE;
        return g;
    }
    if (dLat == 0 && lat0 == 0) {
        g.initialCourse = dLon > 0 ? 90.0 : 270.0;
        g.distance = std::fabs(dLon * 60.0);
        g.v1Latitude = 0;
        g.v1Longitude = g.v2Longitude = NO_LONGITUDE;
        return g;
    }
    if (std::fabs(dLon) == 180) {
        if (lat1 == -lat0) {
            g.initialCourse = dLon > 0 ? 90.0 : 270.0;
            g.distance = 10800.0;
            g.v1Latitude = lat0;
            g.v1Longitude = lon0;
            g.v2Longitude = lon1;
            return g;
        }
        const double sum = lat0 + lat1;
        g.initialCourse = sum > 0 ? 0.0 : 180.0;
        g.distance = (180.0 - std::fabs(sum)) * 60.0;
        g.v1Latitude = sum > 0 ? 90.0 : -90.0;
        g.v1Longitude = g.v2Longitude = NO_LONGITUDE;
        return g;
    }

    const double p0 = lat0 * kDegToRad, p1 = lat1 * kDegToRad, dl = dLon * kDegToRad;
    double ri =
        std::atan2(std::sin(dl) * std::cos(p1),
                   std::cos(p0) * std::sin(p1) - std::sin(p0) * std::cos(p1) * std::cos(dl)) *
        kRadToDeg;
    if (ri < 0) ri += 360.0;
    g.initialCourse = ri;

    // The cosine of the arc can round a hair above 1 for positions some
    // metres apart, and (1 + x) * (1 - x) below 0: the square root would then
    // make the distance NaN instead of nearly 0.
    const double x = std::clamp(
        std::sin(p0) * std::sin(p1) + std::cos(p0) * std::cos(p1) * std::cos(dl), -1.0, 1.0);
    g.distance = std::atan2(std::sqrt((1 + x) * (1 - x)), x) * kMilesPerRadian;

    const double vertexLat =
        std::acos(std::fabs(std::cos(p0) * std::sin(ri * kDegToRad))) * kRadToDeg;

    // The vertex met first when following the course lies D degrees of
    // longitude ahead (Napier's rules on the right triangle departure - pole -
    // vertex); it is the vertex of the departure's hemisphere when the course
    // heads towards that pole (A < 90) and the other one otherwise.
    double d;
    bool firstIsNorthern;
    if (lat0 == 0) {
        d = 90.0;
        firstIsNorthern = ri < 90 || ri > 270;
    } else {
        double a;
        if (lat0 > 0)
            a = ri <= 180 ? ri : 360.0 - ri;
        else
            a = ri <= 180 ? 180.0 - ri : ri - 180.0;
        const double t = std::tan(a * kDegToRad);
        d = std::atan(1.0 / (std::sin(std::fabs(p0)) * t)) * kRadToDeg;
        if (t < 0) d += 180.0;
        firstIsNorthern = (lat0 > 0) == (a <= 90);  // at A = 90 the departure is the vertex
    }
    if (dLon < 0) d = -d;

    double v1Lon = Normalize180(lon0 + d);
    bool v1Northern = firstIsNorthern;
    const bool beyondArrival = std::fabs(d) > std::fabs(dLon);
    if (lat0 == 0) {
        if (beyondArrival && firstIsNorthern) {
            v1Lon = Normalize180(v1Lon + 180.0);
            v1Northern = false;
        }
    } else {
        const bool inDepartureHemisphere = firstIsNorthern == (lat0 > 0);
        if (beyondArrival && !inDepartureHemisphere) {
            v1Lon = Normalize180(v1Lon + 180.0);
            v1Northern = !v1Northern;
        }
    }
    g.v1Latitude = v1Northern ? vertexLat : -vertexLat;
    g.v1Longitude = v1Lon;
    g.v2Longitude = Normalize180(v1Lon + 180.0);
    return g;
}

bool IsInnerVertex(double depLon, double arrLon, double v1Lon) {
    if (v1Lon == NO_LONGITUDE) return false;
    const double d = Normalize180(arrLon - depLon);
    const double dv = Normalize180(v1Lon - depLon);
    return d * dv > 0 && std::fabs(dv) < std::fabs(d);
}

}  // namespace velmar
