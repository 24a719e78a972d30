#include "chart/ChartMarks.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace velmar {

namespace {
ChartPoint At(double latitude, double longitude, CentralMeridian meridian) {
    return {ChartX(longitude, meridian), ChartY(latitude)};
}
}  // namespace

ChartMarks ComputeChartMarks(const Scheme& scheme, const BrokenLine& line) {
    ChartMarks m;
    const double depLon = scheme.Value(cells::DepLon);
    const double arrLon = scheme.Value(cells::ArrLon);
    m.meridian = ChooseCentralMeridian(depLon, arrLon);

    const double methodValue = scheme.Value(cells::Method);
    m.method = methodValue >= 0 && methodValue < 5 ? static_cast<int>(methodValue) : 0;

    m.a = At(scheme.Value(cells::DepLat), depLon, m.meridian);
    m.b = At(scheme.Value(cells::ArrLat), arrLon, m.meridian);
    const double v1Lat = scheme.Value(cells::V1Lat);
    m.v1 = At(v1Lat, scheme.Value(cells::V1Lon), m.meridian);
    m.v1Latitude = std::isfinite(v1Lat) ? v1Lat : 0.0;
    m.v2 = {ChartX(scheme.Value(cells::V2Lon), m.meridian), -m.v1.y};

    if (m.method == 0) return m;
    // The arrival is point N; a damaged record must not lead past the tables.
    const int n = std::min<int>(line.n, kBrokenLineSlots - 1);
    for (int i = 1; i < n; ++i) {
        assert(m.pointCount < kBrokenLineSlots);
        const GeoPoint& p = line.points[i];
        m.points[m.pointCount++] = At(p.latitude, p.longitude, m.meridian);
    }
    const int t1 = line.vertexIndex + 1;
    if (m.method == kLimitingParallelMethod && t1 + 1 <= n) {
        m.hasTangents = true;
        m.t1 = At(line.points[t1].latitude, line.points[t1].longitude, m.meridian);
        m.t2 = {ChartX(line.points[t1 + 1].longitude, m.meridian), m.t1.y};
        m.limitLat = std::isfinite(line.limitLat) ? line.limitLat : 0.0;
    }
    return m;
}

}  // namespace velmar
