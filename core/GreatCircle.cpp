#include "core/GreatCircle.h"

#include <algorithm>
#include <cmath>

#include "core/Angles.h"

namespace velmar {

namespace {

// Meridian routes, routes along the equator and routes between opposite
// meridians, whose answers are fixed; false for every other route.
bool FixedRoute(double lat0, double lon0, double lat1, double lon1, double dLat, double dLon,
                GreatCircleRoute& g) {
    if (dLon == 0 || std::fabs(lat0) == 90 || std::fabs(lat1) == 90) {
        g.initialCourse = dLat > 0 ? 0.0 : 180.0;
        g.distance = std::fabs(dLat) * 60.0;
        g.v1Latitude = SignOf(lat0) * 90.0;
        g.v1Longitude = g.v2Longitude = NO_LONGITUDE;
        return true;
    }
    if (dLat == 0 && lat0 == 0) {
        g.initialCourse = dLon > 0 ? 90.0 : 270.0;
        g.distance = std::fabs(dLon * 60.0);
        g.v1Latitude = 0;
        g.v1Longitude = g.v2Longitude = NO_LONGITUDE;
        return true;
    }
    if (std::fabs(dLon) != 180) return false;
    if (lat1 == -lat0) {
        // Antipodes: every great circle through the departure reaches the
        // arrival; the one due east or west is taken.
        g.initialCourse = dLon > 0 ? 90.0 : 270.0;
        g.distance = 10800.0;
        g.v1Latitude = lat0;
        g.v1Longitude = lon0;
        g.v2Longitude = lon1;
        return true;
    }
    // The meridian circle over the pole nearer the pair.
    const double sum = lat0 + lat1;
    g.initialCourse = sum > 0 ? 0.0 : 180.0;
    g.distance = (180.0 - std::fabs(sum)) * 60.0;
    g.v1Latitude = sum > 0 ? 90.0 : -90.0;
    g.v1Longitude = g.v2Longitude = NO_LONGITUDE;
    return true;
}

// The initial course in degrees, 0..360, from latitudes and the longitude
// difference in radians.
double InitialCourse(double p0, double p1, double dl) {
    double ri =
        std::atan2(std::sin(dl) * std::cos(p1),
                   std::cos(p0) * std::sin(p1) - std::sin(p0) * std::cos(p1) * std::cos(dl)) *
        kRadToDeg;
    if (ri < 0) ri += 360.0;
    return ri;
}

// The great-circle distance in miles, from latitudes and the longitude
// difference in radians.
double ArcDistance(double p0, double p1, double dl) {
    // The cosine of the arc can round a hair above 1 for positions some
    // metres apart, and (1 + x) * (1 - x) below 0: the square root would then
    // make the distance NaN instead of nearly 0.
    const double x = std::clamp(
        std::sin(p0) * std::sin(p1) + std::cos(p0) * std::cos(p1) * std::cos(dl), -1.0, 1.0);
    return std::atan2(std::sqrt((1 + x) * (1 - x)), x) * kMilesPerRadian;
}

// The vertex met first when following the course: it lies `ahead` degrees of
// longitude from the departure in the direction of travel (negative going
// west), in the northern hemisphere or the southern.
struct FirstVertex {
    double ahead;
    bool northern;
};

// Napier's rules on the right triangle departure - pole - vertex: the vertex
// met first is that of the departure's hemisphere when the course heads
// towards that pole (A < 90) and the other one otherwise. From the equator
// every vertex lies 90 degrees ahead.
FirstVertex VertexAhead(double lat0, double p0, double ri, double dLon) {
    FirstVertex first;
    if (lat0 == 0) {
        first.ahead = 90.0;
        first.northern = ri < 90 || ri > 270;
    } else {
        // The course measured from the pole of the departure's hemisphere
        // towards the side of travel, 0..180.
        double a;
        if (lat0 > 0)
            a = ri <= 180 ? ri : 360.0 - ri;
        else
            a = ri <= 180 ? 180.0 - ri : ri - 180.0;
        const double t = std::tan(a * kDegToRad);
        first.ahead = std::atan(1.0 / (std::sin(std::fabs(p0)) * t)) * kRadToDeg;
        if (t < 0) first.ahead += 180.0;
        first.northern = (lat0 > 0) == (a <= 90);  // at A = 90 the departure is the vertex
    }
    if (dLon < 0) first.ahead = -first.ahead;
    return first;
}

// V1 from the vertex met first: that vertex when it lies on the passage or in
// the departure's hemisphere, else the vertex behind the departure (from the
// equator, the southern one).
void PlaceVertices(double lat0, double lon0, double dLon, double vertexLat,
                   const FirstVertex& first, GreatCircleRoute& g) {
    double v1Lon = Normalize180(lon0 + first.ahead);
    bool v1Northern = first.northern;
    const bool beyondArrival = std::fabs(first.ahead) > std::fabs(dLon);
    if (lat0 == 0) {
        if (beyondArrival && first.northern) {
            v1Lon = Normalize180(v1Lon + 180.0);
            v1Northern = false;
        }
    } else {
        const bool inDepartureHemisphere = first.northern == (lat0 > 0);
        if (beyondArrival && !inDepartureHemisphere) {
            v1Lon = Normalize180(v1Lon + 180.0);
            v1Northern = !v1Northern;
        }
    }
    g.v1Latitude = v1Northern ? vertexLat : -vertexLat;
    g.v1Longitude = v1Lon;
    g.v2Longitude = Normalize180(v1Lon + 180.0);
}

}  // namespace

GreatCircleRoute GreatCircle(double lat0, double lon0, double lat1, double lon1) {
    const double dLat = lat1 - lat0;
    const double dLon = Normalize180(lon1 - lon0);
    GreatCircleRoute g;
    if (FixedRoute(lat0, lon0, lat1, lon1, dLat, dLon, g)) return g;

    const double p0 = lat0 * kDegToRad, p1 = lat1 * kDegToRad, dl = dLon * kDegToRad;
    g.initialCourse = InitialCourse(p0, p1, dl);
    g.distance = ArcDistance(p0, p1, dl);
    // Clairaut: the cosine of the vertex latitude is cos(lat0) * sin(Ri).
    const double vertexLat =
        std::acos(std::fabs(std::cos(p0) * std::sin(g.initialCourse * kDegToRad))) * kRadToDeg;
    PlaceVertices(lat0, lon0, dLon, vertexLat, VertexAhead(lat0, p0, g.initialCourse, dLon), g);
    return g;
}

bool IsInnerVertex(double depLon, double arrLon, double v1Lon) {
    if (v1Lon == NO_LONGITUDE) return false;
    const double d = Normalize180(arrLon - depLon);
    const double dv = Normalize180(v1Lon - depLon);
    return d * dv > 0 && std::fabs(dv) < std::fabs(d);
}

}  // namespace velmar
