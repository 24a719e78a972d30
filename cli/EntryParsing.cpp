#include "cli/EntryParsing.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>

namespace velmar::cli {

namespace {

struct NamedCell {
    const char* name;
    CellRef cell;
};

constexpr NamedCell kNamedCells[] = {
    {"dep.lat", cells::DepLat}, {"dep.lon", cells::DepLon},
    {"dep.tf", cells::DepTf},   {"dep.tf.date", cells::DepTfDate},
    {"dep.tm", cells::DepTm},   {"dep.tm.date", cells::DepTmDate},
    {"rv", cells::Rv},          {"vp", cells::Vp},
    {"ml", cells::ml},          {"dt", cells::Dt},
    {"arr.lat", cells::ArrLat}, {"arr.lon", cells::ArrLon},
    {"arr.tf", cells::ArrTf},   {"arr.tf.date", cells::ArrTfDate},
    {"arr.tm", cells::ArrTm},   {"arr.tm.date", cells::ArrTmDate},
};

// Larger magnitudes are no value of any kind; refusing them here keeps the
// conversion to whole fields exact.
constexpr double kLargestNumber = 1e6;

// A whole number of digits only (no sign); false otherwise.
bool ParseDigits(std::string_view text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return true;
}

// A plain decimal number: optional sign, digits, optional point and digits.
bool ParseDecimal(std::string_view text, double& value) {
    if (text.empty()) return false;
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    bool digits = false, point = false;
    for (std::size_t j = i; j < text.size(); ++j) {
        if (text[j] >= '0' && text[j] <= '9') {
            digits = true;
        } else if (text[j] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (!digits) return false;
    const std::string plain(text.substr(text[0] == '+' ? 1 : 0));
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    return result.ec == std::errc() && std::isfinite(value) && std::fabs(value) <= kLargestNumber;
}

// Splits text at every `separator`.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string_view::npos) break;
        start = at + 1;
    }
    return parts;
}

void SetFields(KeypadTyping& typing, int a, int b, int c) {
    typing.fields[0] = a;
    typing.fields[1] = b;
    typing.fields[2] = c;
}

// Angles: signed decimal degrees, or degrees, hemisphere letter and decimal
// minutes (44N24.5). Whole seconds of arc, as the keypad's fields hold them.
bool ParseAngle(std::string_view text, QuantityKind kind, KeypadTyping& typing,
                std::string& error) {
    const bool lat = kind == QuantityKind::Latitude;
    const bool course = kind == QuantityKind::Course;
    const char plus = lat ? 'N' : 'E', minus = lat ? 'S' : 'W';
    const std::size_t letterAt = text.find_first_of("NSEWnsew");
    if (letterAt != std::string_view::npos && !course) {
        const char letter =
            static_cast<char>(std::toupper(static_cast<unsigned char>(text[letterAt])));
        if (letter != plus && letter != minus) {
            error = std::string("the hemisphere must be ") + plus + " or " + minus;
            return false;
        }
        int degrees = 0;
        double minutes = 0;
        const std::string_view minutesText = text.substr(letterAt + 1);
        if (!ParseDigits(text.substr(0, letterAt), degrees) ||
            (!minutesText.empty() && (!ParseDecimal(minutesText, minutes) ||
                                      minutesText[0] == '-' || minutesText[0] == '+'))) {
            error = "expected degrees, a hemisphere letter and decimal minutes, as 44N24.5";
            return false;
        }
        const long long seconds = std::llround(minutes * 60);
        SetFields(typing, degrees, static_cast<int>(seconds / 60), static_cast<int>(seconds % 60));
        typing.hemisphere = letter;
        return true;
    }
    double degrees = 0;
    if (!ParseDecimal(text, degrees) || (course && degrees < 0)) {
        error = course ? "expected a course in decimal degrees, 0 to 360"
                       : "expected signed decimal degrees or the form 44N24.5";
        return false;
    }
    const long long seconds = std::llround(std::fabs(degrees) * 3600);
    SetFields(typing, static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
              static_cast<int>(seconds % 60));
    if (!course) typing.hemisphere = seconds == 0 ? char{0} : degrees < 0 ? minus : plus;
    return true;
}

bool ParseTime(std::string_view text, KeypadTyping& typing, std::string& error) {
    const auto parts = Split(text, ':');
    int h = 0, m = 0, s = 0;
    if ((parts.size() != 2 && parts.size() != 3) || !ParseDigits(parts[0], h) ||
        !ParseDigits(parts[1], m) || (parts.size() == 3 && !ParseDigits(parts[2], s))) {
        error = "expected a time HH:MM or HH:MM:SS";
        return false;
    }
    SetFields(typing, h, m, s);
    return true;
}

bool ParseDate(std::string_view text, KeypadTyping& typing, std::string& error) {
    const auto parts = Split(text, '-');
    int a = 0, b = 0, c = 0;
    if (parts.size() != 3 || !ParseDigits(parts[0], a) || !ParseDigits(parts[1], b) ||
        !ParseDigits(parts[2], c)) {
        error = "expected a date DD-MM-YYYY or YYYY-MM-DD";
        return false;
    }
    if (parts[0].size() == 4)
        SetFields(typing, c, b, a);  // YYYY-MM-DD
    else
        SetFields(typing, a, b, c);
    return true;
}

// Speeds and distances: units and tenths.
bool ParseTenths(std::string_view text, KeypadTyping& typing, std::string& error) {
    double v = 0;
    if (!ParseDecimal(text, v) || v < 0) {
        error = "expected a non-negative decimal number";
        return false;
    }
    const long long tenths = std::llround(v * 10);
    typing.fields[0] = static_cast<int>(tenths / 10);
    typing.fields[1] = static_cast<int>(tenths % 10);
    return true;
}

// Intervals: whole hours, and a second field that weighs by its digits (5
// tenths, 25 hundredths, 125 thousandths). A fraction with a leading zero
// (0.05) has no such field and cannot be typed.
bool ParseInterval(std::string_view text, KeypadTyping& typing, std::string& error) {
    double v = 0;
    if (!ParseDecimal(text, v) || v < 0) {
        error = "expected a non-negative number of hours";
        return false;
    }
    const long long thousandths = std::llround(v * 1000);
    const int fraction = static_cast<int>(thousandths % 1000);
    int second = 0;
    if (fraction == 0)
        second = 0;
    else if (fraction % 100 == 0)
        second = fraction / 100;
    else if (fraction % 10 == 0 && fraction >= 100)
        second = fraction / 10;
    else if (fraction >= 100)
        second = fraction;
    else {
        error =
            "the keypad cannot type a fraction of an hour with a leading zero (as .05); "
            "give tenths, hundredths from .10 or thousandths from .100";
        return false;
    }
    typing.fields[0] = static_cast<int>(thousandths / 1000);
    typing.fields[1] = second;
    return true;
}

}  // namespace

std::optional<CellRef> EntryCell(const std::string& name) {
    for (const NamedCell& named : kNamedCells)
        if (name == named.name) return named.cell;
    return std::nullopt;
}

const std::vector<std::string>& EntryNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const NamedCell& named : kNamedCells) list.emplace_back(named.name);
        return list;
    }();
    return names;
}

std::optional<Entry> ParseEntry(const std::string& argument, std::string& error) {
    const std::size_t eq = argument.find('=');
    const std::optional<CellRef> cell =
        eq == std::string::npos ? std::nullopt : EntryCell(argument.substr(0, eq));
    if (!cell) {
        error = "'" + argument + "': expected NAME=VALUE with NAME one of the entry names";
        return std::nullopt;
    }
    Entry entry;
    entry.text = argument;
    entry.group = cell->group;
    entry.cell = cell->cell;
    const std::string_view value = std::string_view(argument).substr(eq + 1);
    std::string why;
    bool ok = false;
    const QuantityKind kind = KindOf(*cell);
    switch (kind) {
        case QuantityKind::Latitude:
        case QuantityKind::Longitude:
        case QuantityKind::Course:
            ok = ParseAngle(value, kind, entry.typing, why);
            break;
        case QuantityKind::TimeOfDay:
            ok = ParseTime(value, entry.typing, why);
            break;
        case QuantityKind::Date:
            ok = ParseDate(value, entry.typing, why);
            break;
        case QuantityKind::Speed:
        case QuantityKind::Distance:
            ok = ParseTenths(value, entry.typing, why);
            break;
        case QuantityKind::Interval:
            ok = ParseInterval(value, entry.typing, why);
            break;
        default:
            why = "not an entry cell";
            break;
    }
    if (!ok) {
        error = "'" + argument + "': " + why;
        return std::nullopt;
    }
    return entry;
}

}  // namespace velmar::cli
