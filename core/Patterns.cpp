#include "core/Patterns.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace velmar {

namespace {

// The sections of a pattern, split at the semicolons that stand outside
// quotes; a fourth section and beyond are ignored.
struct Sections {
    std::string_view part[3];
    int count = 0;
};

Sections SplitSections(std::string_view pattern) {
    Sections sections;
    char quote = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            sections.part[sections.count++] = pattern.substr(start, i - start);
            start = i + 1;
            if (sections.count == 3) return sections;
        }
    }
    sections.part[sections.count++] = pattern.substr(start);
    return sections;
}

struct Token {
    enum Type { kLiteral, kIntDigit, kPoint, kFracDigit } type;
    std::string_view text;  // literal text
};

struct Section {
    std::vector<Token> tokens;
    int intPlaceholders = 0;
    int minIntDigits = 0;  // digits from the leftmost '0' of the integer part
    int maxDecimals = 0;
    int minDecimals = 0;  // up to the rightmost '0' of the fraction
};

Section ParseSection(std::string_view s) {
    Section sec;
    sec.tokens.reserve(s.size());
    bool afterPoint = false;
    bool seenIntZero = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            const std::size_t end = s.find(c, i + 1);
            const std::size_t stop = end == std::string_view::npos ? s.size() : end;
            sec.tokens.push_back({Token::kLiteral, s.substr(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                sec.tokens.push_back({Token::kFracDigit, {}});
                ++sec.maxDecimals;
                if (c == '0') sec.minDecimals = sec.maxDecimals;
            } else {
                sec.tokens.push_back({Token::kIntDigit, {}});
                ++sec.intPlaceholders;
                if (c == '0') seenIntZero = true;
                if (seenIntZero) ++sec.minIntDigits;
            }
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
            sec.tokens.push_back({Token::kPoint, {}});
        } else {
            sec.tokens.push_back({Token::kLiteral, s.substr(i, 1)});
        }
    }
    return sec;
}

// The magnitude of a value rounded to a number of decimals, halves away from
// zero: its integer digits (no leading zeros, possibly empty) and exactly
// that many fraction digits.
struct Rounded {
    std::string intDigits;
    std::string fracDigits;
    bool IsZero() const {
        return intDigits.empty() && fracDigits.find_first_not_of('0') == std::string::npos;
    }
};

Rounded RoundMagnitude(double a, int decimals) {
    // The first 15 significant digits, correctly rounded: d.dddddddddddddde+xx
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
    std::string digits;
    int exponent = 0;
    if (ec == std::errc() && a != 0) {
        const char* e = std::find(buf, end, 'e');
        for (const char* p = buf; p != e; ++p)
            if (*p != '.') digits += *p;
        std::from_chars(e + 1 + (e[1] == '+'), end, exponent);
    } else {
        digits.assign(1, '0');
    }
    int pointPos = exponent + 1;  // digits before the decimal point
    if (pointPos <= 0) {
        digits.insert(0, static_cast<std::size_t>(-pointPos + 1), '0');
        pointPos = 1;
    }
    const int keep = pointPos + decimals;
    if (static_cast<int>(digits.size()) < keep) digits.append(keep - digits.size(), '0');
    const bool roundUp = static_cast<int>(digits.size()) > keep && digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (digits[i] == '9') {
                digits[i] = '0';
            } else {
                ++digits[i];
                break;
            }
        }
        if (i < 0) {
            digits.insert(0, 1, '1');
            ++pointPos;
        }
    }
    Rounded r;
    const auto firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero != std::string::npos && static_cast<int>(firstNonZero) < pointPos)
        r.intDigits = digits.substr(firstNonZero, pointPos - firstNonZero);
    r.fracDigits = digits.substr(pointPos);
    return r;
}

std::string Emit(const Section& sec, Rounded r, bool minus, char decimalSeparator) {
    std::string& intDigits = r.intDigits;
    std::string& fracDigits = r.fracDigits;
    if (static_cast<int>(intDigits.size()) < sec.minIntDigits)
        intDigits.insert(0, sec.minIntDigits - intDigits.size(), '0');
    while (static_cast<int>(fracDigits.size()) > sec.minDecimals && fracDigits.back() == '0')
        fracDigits.pop_back();

    std::string out;
    if (minus) out += '-';
    const int pad = sec.intPlaceholders - static_cast<int>(intDigits.size());
    int intIndex = 0, fracIndex = 0;
    bool intEmitted = false;
    for (const Token& t : sec.tokens) {
        switch (t.type) {
            case Token::kLiteral:
                out += t.text;
                break;
            case Token::kIntDigit: {
                const int i = intIndex++;
                if (i == 0 && pad < 0) {
                    out.append(intDigits, 0, static_cast<std::size_t>(-pad + 1));
                } else if (i - pad >= 0) {
                    out += intDigits[static_cast<std::size_t>(i - pad)];
                }
                intEmitted = true;
                break;
            }
            case Token::kPoint:
                if (!intEmitted && sec.intPlaceholders == 0) {
                    out += intDigits;
                    intEmitted = true;
                }
                if (!fracDigits.empty()) out += decimalSeparator;
                break;
            case Token::kFracDigit:
                if (fracIndex < static_cast<int>(fracDigits.size())) out += fracDigits[fracIndex];
                ++fracIndex;
                break;
        }
    }
    return out;
}

}  // namespace

std::string FormatFloat(std::string_view pattern, double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";

    const Sections sections = SplitSections(pattern);
    const bool hasNegative = sections.count > 1 && !sections.part[1].empty();
    const bool hasZero = sections.count > 2 && !sections.part[2].empty();
    const double magnitude = std::fabs(value);

    const Section chosen = ParseSection(value < 0 && hasNegative ? sections.part[1] : sections.part[0]);
    Rounded rounded = RoundMagnitude(magnitude, chosen.maxDecimals);
    if (rounded.IsZero()) {
        if (hasZero) {
            const Section zero = ParseSection(sections.part[2]);
            return Emit(zero, RoundMagnitude(0.0, zero.maxDecimals), false, decimalSeparator);
        }
        return Emit(chosen, RoundMagnitude(0.0, chosen.maxDecimals), false, decimalSeparator);
    }
    return Emit(chosen, std::move(rounded), value < 0 && !hasNegative, decimalSeparator);
}

std::string FormatDateTime(std::string_view pattern, DateTime moment) {
    CivilDate date;
    ClockTime time;
    SplitDateTime(moment, date, time);

    auto two = [](int v) {
        char b[16];
        std::snprintf(b, sizeof b, "%02d", v);
        return std::string(b);
    };
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        auto run = [&] {
            std::size_t n = 1;
            while (i + n < pattern.size() && (pattern[i + n] | 0x20) == (c | 0x20)) ++n;
            return n;
        };
        if (c == '"' || c == '\'') {
            const std::size_t end = pattern.find(c, i + 1);
            const std::size_t stop = end == std::string_view::npos ? pattern.size() : end;
            out.append(pattern.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        const char lower = static_cast<char>(c | 0x20);
        if (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 'n' ||
            lower == 's') {
            const std::size_t n = run();
            int v = 0;
            switch (lower) {
                case 'y':
                    if (n >= 3) {
                        char b[16];
                        std::snprintf(b, sizeof b, "%04d", date.year);
                        out += b;
                    } else {
                        out += two(date.year % 100);
                    }
                    i += n;
                    continue;
                case 'm': v = static_cast<int>(date.month); break;
                case 'd': v = static_cast<int>(date.day); break;
                case 'h': v = time.hours; break;
                case 'n': v = time.minutes; break;
                case 's': v = time.seconds; break;
            }
            out += n >= 2 ? two(v) : std::to_string(v);
            i += n;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

}  // namespace velmar
