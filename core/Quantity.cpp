#include "core/Quantity.h"

#include <cmath>

#include "core/Angles.h"
#include "core/Patterns.h"

namespace velmar {

namespace {
constexpr std::size_t kMaxTextChars = 31;

// Cuts a UTF-8 text to at most `limit` characters.
std::string CutToChars(std::string text, std::size_t limit) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == limit) {
                text.resize(i);
                break;
            }
            ++chars;
        }
    }
    return text;
}

// An angle typed on the keypad is whole degrees, minutes and seconds, and a
// whole number of seconds can lie exactly half-way between two tenths of a
// minute (41°05'15" is 5.25'). The minutes of such an angle computed in
// binary land a hair to either side of the half and would round either way,
// so an angle that lies on a whole second is rounded from that count of
// seconds instead. The tolerance is far above the few units in the last place
// that the keypad's D + (M + S / 60) / 60 is off (2e-10 seconds at 360
// degrees) and far below anything a tenth of a minute shows.
constexpr double kWholeSecondTolerance = 1e-6;  // seconds
// Up to here the seconds of an angle keep far more bits than the tolerance;
// beyond, no angle of any cell lies (an undefined vertex longitude is 999).
constexpr double kLargestWholeSecondAngle = 10000.0;  // degrees

// The whole seconds of a magnitude v in degrees, or -1 when it lies on none.
long long WholeSeconds(double v) {
    if (!(v < kLargestWholeSecondAngle)) return -1;
    const double seconds = v * 3600.0;
    const double whole = std::round(seconds);
    if (std::fabs(seconds - whole) > kWholeSecondTolerance) return -1;
    return static_cast<long long>(whole);
}

// Degrees-and-minutes text shared by positions and courses: whole degrees,
// then the minutes to a tenth, then the hemisphere letter pattern (if any).
std::string AngleText(double v, int sign, const char* degreePattern, const char* letterPattern) {
    double degrees, minutes;
    if (const long long seconds = WholeSeconds(v); seconds >= 0) {
        // Tenths of a minute are 6 seconds: 3 seconds over is a half, rounded up.
        long long whole = seconds / 3600;
        long long tenths = (seconds % 3600 + 3) / 6;
        if (tenths == 600) {
            ++whole;
            tenths = 0;
        }
        degrees = static_cast<double>(whole);
        minutes = static_cast<double>(tenths) / 10.0;
    } else {
        // Minutes that would show as 60.0 carry into the degrees.
        if (FormatFloat("0.0", (v - std::trunc(v)) * 60.0) == "60.0") v = std::trunc(v) + 1.0;
        degrees = std::trunc(v);
        minutes = (v - std::trunc(v)) * 60.0;
    }
    std::string text = FormatFloat(degreePattern, degrees);
    text += FormatFloat(R"(00"'".0)", minutes);
    if (letterPattern) text += FormatFloat(letterPattern, sign);
    return text;
}
}  // namespace

std::string ValueName(QuantityKind kind) {
    switch (kind) {
        case QuantityKind::Latitude: return "Valore di LATITUDINE";
        case QuantityKind::Longitude: return "Valore di LONGITUDINE";
        case QuantityKind::TimeOfDay: return "Valore di TEMPO (ora)";
        case QuantityKind::Date: return "Valore di DATA";
        case QuantityKind::Course: return "Valore di ROTTA";
        case QuantityKind::Speed: return "Valore di VELOCITA'";
        case QuantityKind::Distance: return "Valore di CAMMINO";
        case QuantityKind::Interval: return "Valore di TEMPO (intervallo)";
        case QuantityKind::PointCount: return "Numero di PUNTI";
        case QuantityKind::Method: break;
    }
    return {};
}

std::string EmptyMask(QuantityKind kind) {
    switch (kind) {
        case QuantityKind::Latitude: return "  °  '. ±";
        case QuantityKind::Longitude: return "   °  '. ±";
        case QuantityKind::TimeOfDay: return "  :  :  ";
        case QuantityKind::Date: return "  -  -20  ";
        case QuantityKind::Course: return "   °  '. ";
        case QuantityKind::Speed: return "  . ";
        case QuantityKind::Distance: return "     . ";
        case QuantityKind::Interval: return "   .   ";
        case QuantityKind::PointCount: return "  ";
        case QuantityKind::Method: break;
    }
    return {};
}

std::string MethodName(int index) {
    static const char* const kNames[kMethodCount] = {
        "Automatico", "Coordinate del Vertice", "Parallelo Limite",
        "Equazione del Circolo Massimo", "Metodo Pratico"};
    if (index < 0 || index >= kMethodCount) return {};
    return kNames[index];
}

std::optional<Bounds> EntryBounds(QuantityKind kind) {
    switch (kind) {
        case QuantityKind::Latitude: return Bounds{-90, 90};
        case QuantityKind::Longitude: return Bounds{-180, 180};
        case QuantityKind::Distance: return Bounds{1, 10800};
        case QuantityKind::Interval: return Bounds{0.1, 999.999};
        default: return std::nullopt;
    }
}

std::string RangeText(QuantityKind kind, double rangeSwitch, double lower, double upper) {
    if (rangeSwitch == 0) {
        switch (kind) {
            case QuantityKind::Latitude: return "da 0 a 90 gradi (N o S)";
            case QuantityKind::Longitude: return "da 0 a 180 gradi (E o W)";
            case QuantityKind::TimeOfDay: return "dalle 00:00:00 alle 23:59:59";
            case QuantityKind::Date: return "dal 1-1-1900 al 31-12-9999";
            case QuantityKind::Course: return "da 0 gradi a 359°59'59\"";
            case QuantityKind::Speed: return "da 1.0 a 99.9 nodi";
            case QuantityKind::Distance: return "da 1.0 a 10800.0 miglia";
            case QuantityKind::Interval: return "da 0.1 a 999.999 ore";
            case QuantityKind::PointCount: return "da 1 a 99 punti";
            case QuantityKind::Method: return {};
        }
        return {};
    }
    switch (kind) {
        case QuantityKind::Latitude:
        case QuantityKind::Longitude: {
            const bool lat = kind == QuantityKind::Latitude;
            const char* letter = rangeSwitch > 0 ? (lat ? "N" : "E") : (lat ? "S" : "W");
            return "da " + FormatFloat("#0", std::fabs(lower)) + " a " +
                   FormatFloat("#0", std::fabs(upper)) + " gradi (" + letter + ")";
        }
        case QuantityKind::Distance:
            return "da " + FormatValue(kind, kStateEntered, lower) + " a " +
                   FormatValue(kind, kStateEntered, upper) + " miglia";
        case QuantityKind::Interval:
            return "da " + FormatValue(kind, kStateEntered, lower) + " a " +
                   FormatValue(kind, kStateEntered, upper) + " ore";
        case QuantityKind::PointCount:
            return "da " + FormatFloat("#", lower) + " a " + FormatFloat("#", upper);
        default: return {};
    }
}

std::string FormatValue(QuantityKind kind, int state, double value) {
    if (state == kStateEmpty && kind != QuantityKind::Method) return EmptyMask(kind);
    const int s = SignOf(value);
    const double v = std::fabs(value);
    std::string text;
    switch (kind) {
        case QuantityKind::Latitude:
            text = v == 0 ? " 0°      " : AngleText(v, s, R"(#0"°")", R"("N";"S"; )");
            break;
        case QuantityKind::Longitude:
            text = v == 0 ? "  0°      " : AngleText(v, s, R"(##0"°")", R"("E";"W"; )");
            break;
        case QuantityKind::Course:
            text = v == 0 ? "  0°     " : AngleText(v, s, R"(##0"°")", nullptr);
            break;
        case QuantityKind::TimeOfDay:
            return FormatDateTime(R"(hh":"nn":"ss)", v / 24.0);
        case QuantityKind::Date:
            return FormatDateTime(R"(dd"-"mm"-"yyyy)", value);
        case QuantityKind::Speed: text = FormatFloat("#0.#", v); break;
        case QuantityKind::Distance: text = FormatFloat("####0.#", v); break;
        case QuantityKind::Interval: text = FormatFloat("##0.###", v); break;
        case QuantityKind::Method:
            text = std::isfinite(v) && v < 1e6 ? MethodName(static_cast<int>(std::trunc(v)))
                                                   : std::string();
            break;
        case QuantityKind::PointCount: break;
    }
    return FixDecimalPoint(CutToChars(std::move(text), kMaxTextChars));
}

}  // namespace velmar
