#include "core/JulianDate.h"

#include <cmath>

#include "core/DateTime.h"
#include "core/Patterns.h"

namespace velmar {

double ModifiedJulianDate(int y, int m, int d, double h) {
    const double n = y * 10000.0 + m * 100.0 + d;
    if (m <= 2) {
        m += 12;
        y -= 1;
    }
    double b;
    if (n > 15821004.1)
        b = std::trunc(y / 400.0) - std::trunc(y / 100.0) + std::trunc(y / 4.0);
    else
        b = std::trunc((y + 4716) / 4.0) - 1181;
    return 365.0 * y - 679004.0 + b + std::trunc(30.6001 * (m + 1)) + d + h / 24.0;
}

double JulianDate(int year, int month, int day, double hours) {
    return ModifiedJulianDate(year, month, day, hours) - 51544.5 + 2451545.0;
}

double JulianDateOfDay(double dayNumber, double hours) {
    const CivilDate date = std::isfinite(dayNumber) && std::fabs(dayNumber) <= kLastDayNumber
                               ? CivilFromDay(static_cast<int>(std::trunc(dayNumber)))
                               : CivilDate{};
    return JulianDate(date.year, static_cast<int>(date.month), static_cast<int>(date.day), hours);
}

std::string LongitudeInTime(double longitude) {
    return FormatDateTime(R"(hh"h"nn"m"ss"s")", std::fabs(longitude) / 360.0);
}

}  // namespace velmar
