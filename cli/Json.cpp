#include "cli/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "cli/CliRun.h"

namespace velmar::cli {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04X", c);
                    out += buffer;
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    // The shortest text that reads back as the same double.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
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

std::string SchemeJson(const CliRun& run) {
    const Scheme& scheme = run.scheme();
    std::string out = "{\n  \"cells\": [\n";
    for (int g = 0; g < kGroups; ++g) {
        for (int c = 0; c < kCellsPerGroup; ++c) {
            const int state = scheme.State(g, c);
            const QuantityKind kind = KindOf(g, c);
            out += "    {\"group\": " + std::to_string(g) + ", \"cell\": " + std::to_string(c) +
                   ", \"label\": " + JsonString(CellLabel(g, c)) +
                   ", \"kind\": " + JsonString(KindName(kind)) + ", \"state\": " +
                   JsonString(state == 0  ? "empty"
                              : state > 0 ? "entered"
                                          : "computed") +
                   ", \"value\": " + JsonNumber(scheme.Value(g, c)) +
                   ", \"text\": " + JsonString(FormatValue(kind, state, scheme.Value(g, c))) + "}";
            out += (g == kGroups - 1 && c == kCellsPerGroup - 1) ? "\n" : ",\n";
        }
    }
    out += "  ],\n  \"markers\": [";
    for (int i = 0; i < kMarkerSlots; ++i)
        out += (i ? ", " : "") + std::to_string(scheme.markers[i]);
    out += "],\n  \"description\": " + JsonString(run.session().files().Description()) + ",\n";
    out += "  \"schemeSaved\": " + std::string(scheme.saved ? "true" : "false") + ",\n";
    out += "  \"messages\": [";
    bool first = true;
    for (const Message& m : run.messages().Shown()) {
        out += std::string(first ? "\n" : ",\n") + "    {\"icon\": " + JsonString(m.icon) +
               ", \"title\": " + JsonString(m.title) + ", \"header\": " + JsonString(m.header) +
               ", \"message\": " + JsonString(m.message) + ", \"note\": " + JsonString(m.note) +
               "}";
        first = false;
    }
    out += first ? "],\n" : "\n  ],\n";
    out += "  \"refused\": ";
    out += run.refusal() ? "{\"entry\": " + JsonString(run.refusal()->entry) +
                               ", \"reason\": " + JsonString(run.refusal()->reason) + "}"
                         : std::string("null");
    return out + "\n}\n";
}

}  // namespace velmar::cli
