#include "core/Angles.h"

#include <cmath>

namespace velmar {

double Normalize180(double x) {
    if (x > 180.0) return x - 360.0;
    if (x < -180.0) return x + 360.0;
    return x;
}

int SignOf(double x) {
    if (x > 0) return 1;
    if (x < 0) return -1;
    return 0;
}

double RoundHalfEven(double x) {
    const double floor = std::floor(x);
    const double diff = x - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

Dms SplitDms(double value) {
    const double a = std::fabs(value);
    Dms d;
    d.degrees = std::trunc(a);
    const double r = (a - d.degrees) * 60.0;
    d.minutes = std::trunc(r);
    d.seconds = (r - d.minutes) * 60.0;
    if (d.seconds >= 60.0) {
        d.minutes += 1.0;
        if (d.minutes >= 60.0) d.degrees += 1.0;
    }
    if (value < 0) {
        if (d.degrees != 0)
            d.degrees = -d.degrees;
        else if (d.minutes != 0)
            d.minutes = -d.minutes;
        else
            d.seconds = -d.seconds;
    }
    return d;
}

void RoundDms(Dms& dms) {
    dms.degrees = std::fabs(dms.degrees);
    dms.minutes = std::fabs(dms.minutes);
    dms.seconds = RoundHalfEven(std::fabs(dms.seconds));
    if (dms.seconds >= 60.0) {
        dms.minutes += 1.0;
        dms.seconds = 0.0;
    }
    if (dms.minutes >= 60.0) {
        dms.degrees += 1.0;
        dms.minutes = 0.0;
    }
}

std::string FixDecimalPoint(std::string text) {
    if (auto pos = text.find(','); pos != std::string::npos) text[pos] = '.';
    return text;
}

}  // namespace velmar
