#include "chart/ChartProjection.h"

#include <cmath>
#include <cstdio>

#include "core/Angles.h"

namespace velmar {

namespace {
// The chart's constants as it holds them: pi/360 and pi/4 to eight decimals,
// 10800/pi and pi/10800 in full.
constexpr double kHalfDegree = 0.00872665;
constexpr double kQuarterPi = 0.78539816;
constexpr double kPartsPerRadian = 3437.746770784939;
constexpr double kRadiansPerPart = 0.0002908882086657216;
constexpr double kPartsSentinel = 9999.0;
}  // namespace

int Nearest(double v) {
    if (!(v < kChartUnitLimit)) return kChartUnitLimit;  // also NaN
    if (v <= -kChartUnitLimit) return -kChartUnitLimit;
    return static_cast<int>(RoundHalfEven(v));
}

double ChartMeridionalParts(double latitude) {
    if (!(std::fabs(latitude) <= 89.9)) return latitude > 0 ? kPartsSentinel : -kPartsSentinel;
    const double a = latitude * kHalfDegree + kQuarterPi;
    const double c = std::cos(a);
    const double t = c == 0.0 ? 0.0 : std::sin(a) / c;
    return std::log(t) * kPartsPerRadian;
}

double LatitudeFromParts(double y) {
    const double lat = (std::atan2(std::exp(y * kRadiansPerPart), 1.0) * kRadToDeg - 45.0) * 2.0;
    if (!(lat <= 90.0)) return lat < -90.0 ? -90.0 : 90.0;  // NaN reads as the pole
    return lat < -90.0 ? -90.0 : lat;
}

CentralMeridian ChooseCentralMeridian(double departureLongitude, double arrivalLongitude) {
    return std::fabs(arrivalLongitude - departureLongitude) > 180.0 ? CentralMeridian::kAntimeridian
                                                                    : CentralMeridian::kGreenwich;
}

int ChartX(double longitude, CentralMeridian meridian) {
    if (meridian == CentralMeridian::kGreenwich) return Nearest(longitude * 60.0);
    return Nearest((longitude >= 0 ? longitude - 180.0 : longitude + 180.0) * 60.0);
}

int ChartY(double latitude) {
    return Nearest(ChartMeridionalParts(latitude));
}

std::string ChartCoordText(CoordKind kind, double value) {
    const double a = std::fabs(value);
    if (!(a >= 1.0 / 60.0)) return "0°";
    const bool positive = value > 0;
    const char* letter =
        kind == CoordKind::kLatitude ? (positive ? "N" : "S") : (positive ? "E" : "W");
    const double degrees = std::trunc(a);
    const double minutes = std::fmod(std::trunc(a * 60.0), 60.0);
    char text[64];
    std::snprintf(text, sizeof text, "%.0f°%2.0f' %s", degrees, minutes, letter);
    return text;
}

}  // namespace velmar
