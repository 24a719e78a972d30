#include "scheme/KeypadLogic.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/Angles.h"
#include "core/Patterns.h"
#include "scheme/SchemeCommands.h"

namespace velmar {

namespace {

constexpr double kUnchangedTolerance = 0.000001;
// Loaded numbers beyond this are not values any field can show.
constexpr double kLoadLimit = 1e9;
const int kLastDay = DayNumber(CivilDate{9999, 12, 31});
const int kFirstDay = DayNumber(CivilDate{1900, 1, 1});

std::string Printf(const char* format, int a, int b, int c) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

std::string StripLeadingZeros(const std::string& text) {
    const auto first = text.find_first_not_of('0');
    return first == std::string::npos ? std::string() : text.substr(first);
}

long long ScaledMagnitude(double value, double scale) {
    const double v = std::fabs(value) * scale;
    return std::isfinite(v) && v < kLoadLimit ? std::llround(v) : 0;
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

}  // namespace

std::string KeypadErrorWord(int code) {
    switch (code) {
        case kErrDegrees:
            return "GRADI";
        case kErrMinutes:
            return "PRIMI";
        case kErrSign:
            return "SEGNO";
        case kErrHours:
            return "ORE";
        case kErrTimeMinutes:
            return "MINUTI";
        case kErrSeconds:
            return "SECONDI";
        case kErrDay:
            return "GIORNO";
        case kErrMonth:
            return "MESE";
        case kErrYear:
            return "ANNO";
        case kErrValue:
        case kErrZero:
            return "VALORE";
        default:
            return {};
    }
}

int KeypadErrorField(int code) {
    switch (code) {
        case kErrMinutes:
        case kErrTimeMinutes:
        case kErrMonth:
            return 1;
        case kErrSeconds:
        case kErrYear:
            return 2;
        case kErrSign:
            return kHemisphereButton;
        default:
            return 0;
    }
}

CivilDate SystemToday() {
    return SystemNow().date;
}

KeypadLogic::KeypadLogic(const KeypadRequest& request, CivilDate today)
    : request_(request), today_(today) {
    Load();
}

int KeypadLogic::FieldCount() const {
    switch (request_.kind) {
        case QuantityKind::Speed:
        case QuantityKind::Distance:
        case QuantityKind::Interval:
            return 2;
        case QuantityKind::PointCount:
            return 1;
        default:
            return 3;
    }
}

bool KeypadLogic::HasHemisphere() const {
    return request_.kind == QuantityKind::Latitude || request_.kind == QuantityKind::Longitude;
}

FieldLimits KeypadLogic::Limits(int field) const {
    static constexpr FieldLimits kTable[9][3] = {
        {{0, 90, 2}, {0, 59, 2}, {0, 59, 2}},  {{0, 180, 3}, {0, 59, 2}, {0, 59, 2}},
        {{0, 23, 2}, {0, 59, 2}, {0, 59, 2}},  {{1, 31, 2}, {1, 12, 2}, {1900, 9999, 4}},
        {{0, 359, 3}, {0, 59, 2}, {0, 59, 2}}, {{1, 99, 2}, {0, 9, 2}, {0, 0, 0}},
        {{1, 10800, 5}, {0, 9, 2}, {0, 0, 0}}, {{0, 999, 3}, {0, 999, 3}, {0, 0, 0}},
        {{1, 99, 2}, {0, 0, 0}, {0, 0, 0}},
    };
    const int k = static_cast<int>(request_.kind);
    if (k < 0 || k > 8 || field < 0 || field >= FieldCount()) return {};
    return kTable[k][field];
}

std::string KeypadLogic::FieldCaption(int field) const {
    static const char* const kCaptions[9][3] = {
        {"Gradi", "Primi", "Secondi"}, {"Gradi", "Primi", "Secondi"}, {"Ore", "Minuti", "Secondi"},
        {"Giorno", "Mese", "Anno"},    {"Gradi", "Primi", "Secondi"}, {"Nodi", "Decimi", ""},
        {"Miglia", "Decimi", ""},      {"Ore", "Decimi", ""},         {"Punti", "", ""},
    };
    const int k = static_cast<int>(request_.kind);
    if (k < 0 || k > 8 || field < 0 || field >= FieldCount()) return {};
    return kCaptions[k][field];
}

void KeypadLogic::Load() {
    const double v = request_.value;
    fields_ = {0, 0, 0};
    hemisphere_ = 0;
    switch (request_.kind) {
        case QuantityKind::Latitude:
        case QuantityKind::Longitude:
        case QuantityKind::TimeOfDay:
        case QuantityKind::Course: {
            Dms dms = SplitDms(std::isfinite(v) && std::fabs(v) < kLoadLimit ? std::fabs(v) : 0);
            RoundDms(dms);
            fields_ = {static_cast<int>(dms.degrees), static_cast<int>(dms.minutes),
                       static_cast<int>(dms.seconds)};
            if (request_.kind == QuantityKind::TimeOfDay) {
                display_ = Printf("%.2d:%.2d:%.2d", fields_[0], fields_[1], fields_[2]);
                break;
            }
            display_ = Printf("%.1d° %.2d' %.2d\"", fields_[0], fields_[1], fields_[2]);
            if (request_.kind == QuantityKind::Latitude && v != 0) {
                hemisphere_ = v < 0 ? 'S' : 'N';
                display_ += v < 0 ? " Sud" : " Nord";
            } else if (request_.kind == QuantityKind::Longitude && v != 0) {
                hemisphere_ = v < 0 ? 'W' : 'E';
                display_ += v < 0 ? " Ovest" : " Est";
            }
            break;
        }
        case QuantityKind::Date: {
            CivilDate date = today_;
            if (std::isfinite(v) && v >= kFirstDay && v <= kLastDay)
                date = CivilFromDay(static_cast<int>(std::trunc(v)));
            fields_ = {static_cast<int>(date.day), static_cast<int>(date.month), date.year};
            display_ = Printf("%.2d-%.2d-%.2d", fields_[0], fields_[1], fields_[2]);
            break;
        }
        case QuantityKind::Speed:
        case QuantityKind::Distance: {
            const long long tenths = ScaledMagnitude(v, 10);
            fields_ = {static_cast<int>(tenths / 10), static_cast<int>(tenths % 10), 0};
            const char* pattern = request_.kind == QuantityKind::Speed ? "00.0" : "00000.0";
            display_ = StripLeadingZeros(FormatFloat(pattern, std::fabs(v)));
            break;
        }
        case QuantityKind::Interval: {
            const long long thousandths = ScaledMagnitude(v, 1000);
            loadedThousandths_ = static_cast<int>(thousandths % 1000);
            fields_ = {static_cast<int>(thousandths / 1000), loadedThousandths_, 0};
            display_ = StripLeadingZeros(FormatFloat("000.000", std::fabs(v)));
            break;
        }
        case QuantityKind::PointCount:
            fields_ = {static_cast<int>(ScaledMagnitude(v, 1)), 0, 0};
            display_ = StripLeadingZeros(FormatFloat("00", std::fabs(v)));
            break;
        case QuantityKind::Method:
            break;
    }
    // The spin fields hold only numbers within their limits: a value whose
    // seconds round up to 360 degrees or 24 hours, or one no field can show,
    // loads as the nearest number the field can hold.
    for (int f = 0; f < FieldCount(); ++f) {
        const FieldLimits limits = Limits(f);
        fields_[f] = std::clamp(fields_[f], limits.lower, limits.upper);
    }
    loaded_ = fields_;
    loadedHemisphere_ = hemisphere_;
    text_ = display_;
    firstEdited_ = false;
    touched_ = false;
    secondTouched_ = false;
}

void KeypadLogic::TypeField(int field, int number) {
    if (field < 0 || field >= FieldCount()) return;
    if (field == 0) firstEdited_ = true;
    if (field == 1) secondTouched_ = true;
    touched_ = true;
    fields_[field] = number;
    // A changed first field puts the value line back from any error word.
    if (field == 0) text_ = RememberedCaption();
}

void KeypadLogic::SetField(int field, int number) {
    const FieldLimits limits = Limits(field);
    TypeField(field, std::clamp(number, limits.lower, limits.upper));
}

void KeypadLogic::ToggleHemisphere() {
    if (request_.kind == QuantityKind::Latitude)
        SetHemisphere(hemisphere_ != 'N' ? 'N' : 'S');
    else if (request_.kind == QuantityKind::Longitude)
        SetHemisphere(hemisphere_ != 'E' ? 'E' : 'W');
}

bool KeypadLogic::LetterKeyToggles(char key) const {
    if (request_.kind == QuantityKind::Latitude)
        return (key == 'N' && hemisphere_ == 'S') || (key == 'S' && hemisphere_ == 'N');
    if (request_.kind == QuantityKind::Longitude)
        return (key == 'E' && hemisphere_ == 'W') || (key == 'W' && hemisphere_ == 'E');
    return false;
}

void KeypadLogic::SetHemisphere(char letter) {
    if (!HasHemisphere()) return;
    hemisphere_ = letter;
    touched_ = true;
}

void KeypadLogic::Reset() {
    if (fields_[0] != loaded_[0]) {
        firstEdited_ = true;
        text_ = RememberedCaption();
    }
    fields_ = loaded_;
    hemisphere_ = loadedHemisphere_;
    touched_ = false;
    secondTouched_ = false;
}

std::string KeypadLogic::RememberedCaption() const {
    return request_.insert ? std::string("Nuovo valore") : display_;
}

std::string KeypadLogic::WindowCaption() const {
    return request_.insert ? "Tastierino: Inserimento" : "Tastierino: Modifica";
}

// The code of the check that guards a field, for numbers a script typed
// outside the field's own limits.
int KeypadLogic::FieldErrorCode(int field) const {
    switch (request_.kind) {
        case QuantityKind::Latitude:
        case QuantityKind::Longitude:
        case QuantityKind::Course:
            return field == 0 ? kErrDegrees : kErrMinutes;
        case QuantityKind::TimeOfDay:
            return field == 0 ? kErrHours : field == 1 ? kErrTimeMinutes : kErrSeconds;
        case QuantityKind::Date:
            return field == 0 ? kErrDay : field == 1 ? kErrMonth : kErrYear;
        default:
            return kErrValue;
    }
}

// The interval's second field weighs by its digits: 5, 50 and 500 are all
// half an hour. A loaded fraction with a leading zero (2.05 loads as 50)
// cannot be read back that way, so while the second field holds the number
// it was loaded with and nobody typed into it, it keeps its loaded weight.
double KeypadLogic::IntervalValue() const {
    const double d = fields_[0];
    const int m = fields_[1];
    if (!secondTouched_ && m == loaded_[1]) return (d * 1000 + loadedThousandths_) / 1000.0;
    if (m > 99) return (d * 1000 + m) / 1000.0;
    if (m <= 9) return (d * 10 + m) / 10.0;
    return (d * 100 + m) / 100.0;
}

KeypadLogic::Result KeypadLogic::Recombine() const {
    for (int f = 0; f < FieldCount(); ++f) {
        const FieldLimits limits = Limits(f);
        if (fields_[f] < limits.lower || fields_[f] > limits.upper) return {FieldErrorCode(f), 0};
    }
    const double d = fields_[0], m = fields_[1], s = fields_[2];
    const bool bounded = request_.hasBounds;
    auto inBounds = [&](double v) {
        return !bounded || (v >= request_.lower && v <= request_.upper);
    };
    switch (request_.kind) {
        case QuantityKind::Latitude:
        case QuantityKind::Longitude: {
            const bool lat = request_.kind == QuantityKind::Latitude;
            if (lat ? !(d < 91) : !(d <= 180)) return {kErrDegrees, 0};
            if (!(m + s / 60 < 60)) return {kErrMinutes, 0};
            const char plus = lat ? 'N' : 'E', minus = lat ? 'S' : 'W';
            double v = d + (m + s / 60) / 60;
            if (hemisphere_ == minus) v = -v;
            if (v != 0 && hemisphere_ != plus && hemisphere_ != minus) return {kErrSign, 0};
            if (!inBounds(v)) return {kErrValue, 0};
            if (v == 0 && !firstEdited_) return {kErrZero, 0};
            return {kKeypadOk, v};
        }
        case QuantityKind::TimeOfDay: {
            if (!(d < 24)) return {kErrHours, 0};
            if (!(m < 60)) return {kErrTimeMinutes, 0};
            if (!(s < 60)) return {kErrSeconds, 0};
            const double v = d + m / 60 + s / 3600;
            if (v == 0 && !firstEdited_) return {kErrZero, 0};
            return {kKeypadOk, v};
        }
        case QuantityKind::Date: {
            const int day = fields_[0], month = fields_[1], year = fields_[2];
            if (day < 1 || day > 31) return {kErrDay, 0};
            if (month < 1 || month > 12) return {kErrMonth, 0};
            if (year < 1900) return {kErrYear, 0};
            const bool shortMonth = month == 4 || month == 6 || month == 9 || month == 11;
            if ((month == 2 && (day > 29 || (day == 29 && !IsLeapYear(year)))) ||
                (shortMonth && day == 31))
                return {kErrValue, 0};
            return {kKeypadOk,
                    static_cast<double>(DayNumber(CivilDate{year, static_cast<unsigned>(month),
                                                            static_cast<unsigned>(day)}))};
        }
        case QuantityKind::Course: {
            if (!(d < 361)) return {kErrDegrees, 0};
            if (!(m + s / 60 < 60)) return {kErrMinutes, 0};
            const double v = d + (m + s / 60) / 60;
            if (v > 360) return {kErrValue, 0};
            if (v == 0 && !firstEdited_) return {kErrZero, 0};
            return {kKeypadOk, v};
        }
        case QuantityKind::Speed: {
            const double v = (d * 10 + m) / 10.0;
            if (!(v >= 1.0)) return {kErrValue, 0};
            return {kKeypadOk, v};
        }
        case QuantityKind::Distance: {
            const double v = (d * 10 + m) / 10.0;
            if (!inBounds(v)) return {kErrValue, 0};
            return {kKeypadOk, v};
        }
        case QuantityKind::Interval: {
            const double v = IntervalValue();
            if (!inBounds(v)) return {kErrValue, 0};
            return {kKeypadOk, v};
        }
        case QuantityKind::PointCount: {
            if (!inBounds(d)) return {kErrValue, 0};
            return {kKeypadOk, d};
        }
        case QuantityKind::Method:
            break;
    }
    return {kErrValue, 0};
}

KeypadClose KeypadLogic::PressOk(MessageSink& messages, bool& schemeSaved, double& value) {
    const Result result = Recombine();
    lastError_ = result.code;
    if (result.code != kKeypadOk) {
        text_ = "Verifica " + KeypadErrorWord(result.code);
        if (result.code == kErrZero)
            messages.MsgBox({"!", "O", "Velmar3", "Errore",
                             "Scrivi 0 (zero) per indicare il valore nullo.", ""});
        return KeypadClose::Refused;
    }
    // An OK on fields nobody touched must never change the stored value,
    // however finely it was stored (a file or a port may hold more digits
    // than the fields show).
    if (!request_.insert &&
        (!touched_ || std::fabs(result.value - request_.value) < kUnchangedTolerance))
        return KeypadClose::Unchanged;
    schemeSaved = false;
    value = result.value;
    return KeypadClose::Accepted;
}

}  // namespace velmar
