#include "cli/Entries.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "cli/Json.h"

namespace velmar::cli {

namespace {

struct NamedCell {
    const char* name;
    int group;
    int cell;
};

constexpr NamedCell kNamedCells[] = {
    {"dep.lat", 0, 0}, {"dep.lon", 0, 1},     {"dep.tf", 0, 2},  {"dep.tf.date", 0, 3},
    {"dep.tm", 0, 4},  {"dep.tm.date", 0, 5}, {"rv", 1, 0},      {"vp", 1, 1},
    {"ml", 2, 0},      {"dt", 2, 1},          {"arr.lat", 3, 0}, {"arr.lon", 3, 1},
    {"arr.tf", 3, 2},  {"arr.tf.date", 3, 3}, {"arr.tm", 3, 4},  {"arr.tm.date", 3, 5},
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

// Splits text at `separator` into exactly `count` (or `alt` when nonzero) parts.
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

void PrintMessage(const Message& m, const std::string& answer) {
    auto lines = [](const std::string& text) {
        std::string out;
        for (const char c : text) out += c == '\r' ? std::string("\n  ") : std::string(1, c);
        return out;
    };
    std::cerr << m.title << "\n";
    for (const std::string* part : {&m.header, &m.message, &m.note})
        if (!part->empty()) std::cerr << "  " << lines(*part) << "\n";
    if (!answer.empty()) std::cerr << "  -> " << answer << "\n";
}

}  // namespace

bool EntryCell(const std::string& name, int& group, int& cell) {
    for (const NamedCell& named : kNamedCells) {
        if (name == named.name) {
            group = named.group;
            cell = named.cell;
            return true;
        }
    }
    return false;
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
    Entry entry;
    entry.text = argument;
    if (eq == std::string::npos || !EntryCell(argument.substr(0, eq), entry.group, entry.cell)) {
        error = "'" + argument + "': expected NAME=VALUE with NAME one of the entry names";
        return std::nullopt;
    }
    const std::string_view value = std::string_view(argument).substr(eq + 1);
    std::string why;
    bool ok = false;
    switch (KindOf(entry.group, entry.cell)) {
        case QuantityKind::Latitude:
        case QuantityKind::Longitude:
        case QuantityKind::Course:
            ok = ParseAngle(value, KindOf(entry.group, entry.cell), entry.typing, why);
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

bool ParseCommonOptions(const std::vector<std::string>& args,
                        const std::set<std::string>& extraFlags, CommonOptions& options,
                        std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::optional<std::string> inlineValue;
        if (arg.rfind("--", 0) == 0) {
            const std::size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                inlineValue = arg.substr(eq + 1);
                arg.resize(eq);
            }
        }
        auto takeValue = [&](std::string& target) {
            if (inlineValue) {
                target = *inlineValue;
            } else if (i + 1 < args.size()) {
                target = args[++i];
            } else {
                error = arg + " needs a value";
                return false;
            }
            if (target.empty()) {
                error = arg + " needs a value";
                return false;
            }
            return true;
        };
        if (arg == "--json" || arg == "--yes" || extraFlags.count(arg)) {
            if (inlineValue) {
                error = arg + " takes no value";
                return false;
            }
            if (arg == "--json")
                options.json = true;
            else if (arg == "--yes")
                options.yes = true;
            else
                options.flags.insert(arg);
        } else if (arg == "--load" || arg == "--save") {
            std::string key;
            if (!takeValue(key)) return false;
            (arg == "--load" ? options.load : options.save) = key;
        } else if (arg == "--dir") {
            if (!takeValue(options.dir)) return false;
        } else if (arg.rfind("-", 0) == 0 && arg.find('=') == std::string::npos) {
            error = "unknown option " + arg;
            return false;
        } else {
            const auto entry = ParseEntry(arg, error);
            if (!entry) return false;
            options.entries.push_back(*entry);
        }
    }
    return true;
}

int TerminalMessages::MsgBox(const Message& message) {
    shown_.push_back(message);
    int result = kMsgOk;
    std::string answer;
    if (message.buttons.find('Y') != std::string::npos) {
        result = answerYes_ ? kMsgYes : kMsgNo;
        answer = answerYes_ ? "Sì (--yes)" : "No (--yes to answer Sì)";
    } else if (message.buttons.find('O') == std::string::npos) {
        result = kMsgCancel;
    }
    if (print_) PrintMessage(message, answer);
    return result;
}

void TerminalCellView::ShowCell(int group, int cell, int /*state*/, const std::string& text) {
    if (IsCell(group, cell)) texts_[group][cell] = text;
    ++writes_;
}

Session::Session(const CommonOptions& options, bool printMessages)
    : options_(options),
      messages_(options.yes, printMessages),
      keypad_(messages_, scheme_.saved),
      editor_(scheme_, messages_, keypad_),
      files_(options.dir, messages_) {
    scheme_.view = &view_;
}

int Session::Load() {
    if (!options_.load) return kExitOk;
    switch (files_.Load(*options_.load, scheme_, line_)) {
        case PairOutcome::Transferred:
            scheme_.ResetHistory();
            scheme_.Redisplay();
            editor_.solver().SolveToFixpoint();
            return kExitOk;
        case PairOutcome::Missing: {
            const PairPaths paths = SchemePairPaths(options_.dir, *options_.load);
            std::cerr << "velmar-cli: no scheme pair " << *options_.load << " (" << paths.schemeFile
                      << ", " << paths.pointsFile << ")\n";
            return kExitFile;
        }
        default:
            return kExitFile;
    }
}

int Session::ApplyEntries() {
    for (const Entry& entry : options_.entries) {
        keypad_.Push(entry.typing);
        const EditOutcome outcome = editor_.EditCell(entry.group, entry.cell);
        if (outcome == EditOutcome::Accepted) continue;
        if (outcome == EditOutcome::KeypadClosed && keypad_.LastClose() != KeypadClose::Refused)
            continue;  // the cell already holds this value
        std::string reason;
        if (outcome == EditOutcome::KeypadClosed)
            reason = keypad_.LastText();
        else if (!messages_.Shown().empty())
            reason = messages_.Shown().back().header;
        keypad_.Clear();
        refusal_ = Refusal{entry.text, reason};
        std::cerr << "velmar-cli: " << entry.text << " refused: " << reason
                  << "; later entries not applied\n";
        return kExitRefused;
    }
    return kExitOk;
}

int Session::Save() {
    if (!options_.save) return kExitOk;
    switch (files_.Save(*options_.save, SaveMode::AskBeforeOverwrite, scheme_, line_)) {
        case PairOutcome::Transferred:
            return kExitOk;
        case PairOutcome::Declined:
            std::cerr << "velmar-cli: " << *options_.save
                      << " not overwritten (--yes overwrites)\n";
            return kExitFile;
        default:
            return kExitFile;
    }
}

int Session::Run() {
    if (const int status = Load(); status != kExitOk) return status;
    if (const int status = ApplyEntries(); status != kExitOk) return status;
    return Save();
}

std::string KindName(QuantityKind kind) {
    switch (kind) {
        case QuantityKind::Latitude:
            return "Latitude";
        case QuantityKind::Longitude:
            return "Longitude";
        case QuantityKind::TimeOfDay:
            return "TimeOfDay";
        case QuantityKind::Date:
            return "Date";
        case QuantityKind::Course:
            return "Course";
        case QuantityKind::Speed:
            return "Speed";
        case QuantityKind::Distance:
            return "Distance";
        case QuantityKind::Interval:
            return "Interval";
        case QuantityKind::PointCount:
            return "PointCount";
        case QuantityKind::Method:
            return "Method";
    }
    return "Unknown";
}

std::string Session::Json() const {
    std::string out = "{\n  \"cells\": [\n";
    for (int g = 0; g < kGroups; ++g) {
        for (int c = 0; c < kCellsPerGroup; ++c) {
            const int state = scheme_.State(g, c);
            const QuantityKind kind = KindOf(g, c);
            out += "    {\"group\": " + std::to_string(g) + ", \"cell\": " + std::to_string(c) +
                   ", \"label\": " + JsonString(CellLabel(g, c)) +
                   ", \"kind\": " + JsonString(KindName(kind)) + ", \"state\": " +
                   JsonString(state == 0  ? "empty"
                              : state > 0 ? "entered"
                                          : "computed") +
                   ", \"value\": " + JsonNumber(scheme_.Value(g, c)) +
                   ", \"text\": " + JsonString(FormatValue(kind, state, scheme_.Value(g, c))) + "}";
            out += (g == kGroups - 1 && c == kCellsPerGroup - 1) ? "\n" : ",\n";
        }
    }
    out += "  ],\n  \"markers\": [";
    for (int i = 0; i < kMarkerSlots; ++i)
        out += (i ? ", " : "") + std::to_string(scheme_.markers[i]);
    out += "],\n  \"description\": " + JsonString(files_.Description()) + ",\n";
    out += "  \"schemeSaved\": " + std::string(scheme_.saved ? "true" : "false") + ",\n";
    out += "  \"messages\": [";
    bool first = true;
    for (const Message& m : messages_.Shown()) {
        out += std::string(first ? "\n" : ",\n") + "    {\"icon\": " + JsonString(m.icon) +
               ", \"title\": " + JsonString(m.title) + ", \"header\": " + JsonString(m.header) +
               ", \"message\": " + JsonString(m.message) + ", \"note\": " + JsonString(m.note) +
               "}";
        first = false;
    }
    out += first ? "],\n" : "\n  ],\n";
    out += "  \"refused\": ";
    out += refusal_ ? "{\"entry\": " + JsonString(refusal_->entry) +
                          ", \"reason\": " + JsonString(refusal_->reason) + "}"
                    : std::string("null");
    return out + "\n}\n";
}

}  // namespace velmar::cli
