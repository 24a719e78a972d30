#include "scheme/AlternativeFormats.h"

#include <cassert>
#include <cmath>
#include <cstdio>

#include "core/Angles.h"
#include "core/DateTime.h"
#include "core/JulianDate.h"
#include "core/Patterns.h"
#include "core/Rhumb.h"

namespace velmar {

namespace {

constexpr double kKmPerMile = 1.852;
constexpr double kKnotsPerMetrePerSecond = 1.9438445;
constexpr long long kMsPerDay = 86'400'000;
// Day numbers of 1 January 0001 and 31 December 9999.
constexpr int kFirstLongDay = -693593;
constexpr int kLastLongDay = 2958465;

// The quadrant or semicircle text of a course: "Sud 45°00'.0 Est".
std::string CourseFromNorthSouth(double c, int state, bool quadrant) {
    auto text = [state](const char* from, double angle, const char* to) {
        return std::string(from) + FormatValue(QuantityKind::Course, state, angle) + to;
    };
    if (c > 270 || (!quadrant && c > 180)) return text("Nord ", 360 - c, " Ovest");
    if (!quadrant) return text("Nord ", c, " Est");
    if (c > 180) return text("Sud ", c - 180, " Ovest");
    if (c > 90) return text("Sud ", 180 - c, " Est");
    return text("Nord ", c, " Est");
}

// The whole days of a span of days as its clock text counts them: the clock
// rounds to the millisecond, so a fraction that rounds up to 24 hours shows
// 00h00m00s and its day must be counted (47.9999999 hours are 2 days).
double WholeDays(double days) {
    double whole = std::trunc(days);
    if (std::isfinite(days) && std::fabs(days) < 1e9 &&
        std::llround(std::fabs(days - whole) * static_cast<double>(kMsPerDay)) >= kMsPerDay)
        whole += days < 0 ? -1.0 : 1.0;
    return whole;
}

// The Julian date of the zone moment of a departure or arrival group.
std::string JulianText(const Scheme& scheme, int group, char sep) {
    assert(group == kDeparture || group == kArrival);  // only they hold times and dates
    const bool departure = group == kDeparture;
    const double jd = JulianDateOfDay(scheme.Value(departure ? cells::DepTfDate : cells::ArrTfDate),
                                      scheme.Value(departure ? cells::DepTf : cells::ArrTf));
    return "Data giuliana: " + FormatFloat("0.00000", jd, sep);
}

}  // namespace

std::string ItalianLongDate::LongDate(int dayNumber) const {
    static const char* const kWeekdays[7] = {"domenica", "lunedì",  "martedì", "mercoledì",
                                             "giovedì",  "venerdì", "sabato"};
    static const char* const kMonths[12] = {"gennaio",   "febbraio", "marzo",    "aprile",
                                            "maggio",    "giugno",   "luglio",   "agosto",
                                            "settembre", "ottobre",  "novembre", "dicembre"};
    if (dayNumber < kFirstLongDay || dayNumber > kLastLongDay) return {};
    const CivilDate date = CivilFromDay(dayNumber);
    // Day 0, 30 December 1899, was a Saturday.
    const int weekday = ((dayNumber % 7) + 7 + 6) % 7;
    return std::string(kWeekdays[weekday]) + " " + std::to_string(date.day) + " " +
           kMonths[date.month - 1] + " " + std::to_string(date.year);
}

std::string DmsText(double angle) {
    // Beyond this no angle of any cell; the whole fields must fit an int.
    constexpr double kLargestAngle = 1e9;
    Dms dms = SplitDms(std::isfinite(angle) && std::fabs(angle) < kLargestAngle ? angle : 0);
    RoundDms(dms);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1d° %.2d' %.2d\"", static_cast<int>(dms.degrees),
                  static_cast<int>(dms.minutes), static_cast<int>(dms.seconds));
    return buffer;
}

AlternativeForms AlternativeFormats(const Scheme& scheme, QuantityKind kind, int group, int cell,
                                    const LongDateFormatter& dates, char sep) {
    if (!IsCell(group, cell)) return {};
    const double v = scheme.Value(group, cell);
    const int state = scheme.State(group, cell);
    AlternativeForms forms;
    switch (kind) {
        case QuantityKind::Latitude:
        case QuantityKind::Longitude:
        case QuantityKind::Course:
            forms.first = FormatFloat("0.0####", v, sep) + " (" + DmsText(v) + ")";
            break;
        case QuantityKind::TimeOfDay:
        case QuantityKind::Interval:
            forms.first = FormatFloat("#.#####", v, sep) + " ore";
            break;
        case QuantityKind::Date:
            forms.first = std::isfinite(v) && std::fabs(v) <= kLastLongDay
                              ? dates.LongDate(static_cast<int>(std::trunc(v)))
                              : std::string();
            break;
        case QuantityKind::Speed:
            forms.first = FormatFloat("#.#####", v, sep) + " nodi";
            break;
        case QuantityKind::Distance:
            forms.first = FormatFloat("#.#####", v, sep) + " miglia";
            break;
        default:
            return {};
    }
    switch (kind) {
        case QuantityKind::Latitude:
            forms.second = FormatFloat("#.###;;\"zero\"", MeridionalParts(v), sep) +
                           " primi di latitudine crescente";
            break;
        case QuantityKind::Longitude:
            forms.second = LongitudeInTime(v);
            break;
        case QuantityKind::TimeOfDay:
        case QuantityKind::Date:
            forms.second = JulianText(scheme, group, sep);
            break;
        case QuantityKind::Course:
            forms.second = CourseFromNorthSouth(v, state, CellRef{group, cell} == cells::Rv);
            break;
        case QuantityKind::Speed:
            forms.second = FormatFloat("#.#####", v * kKmPerMile, sep) + " km/h; " +
                           FormatFloat("#.#######", v / kKnotsPerMetrePerSecond, sep) + " m/s";
            break;
        case QuantityKind::Distance:
            forms.second = FormatFloat("#.#####", v * kKmPerMile, sep) + " km";
            break;
        case QuantityKind::Interval:
            forms.second = FormatFloat("##;;0", WholeDays(v / 24), sep) + " giorni " +
                           FormatDateTime(R"(hh"h"nn"m"ss"s")", v / 24);
            break;
        default:
            break;
    }
    return forms;
}

AlternativeForms AlternativeFormats(const Scheme& scheme, QuantityKind kind, int group, int cell) {
    static const ItalianLongDate kItalian;
    return AlternativeFormats(scheme, kind, group, cell, kItalian);
}

}  // namespace velmar
