#include "store/PortsFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "store/Cp1252.h"
#include "store/DurableFile.h"

namespace velmar {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (text.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 text (after its byte-order mark) as UTF-8. An unpaired surrogate
// becomes U+FFFD; an odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t at) -> std::uint32_t {
        const auto a = static_cast<unsigned char>(bytes[at]);
        const auto b = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        AppendUtf8(out, code);
    }
    return out;
}

// A line with control characters (tab aside) is binary junk, never a port:
// its name would show as boxes in the lists.
bool HasControlCharacters(std::string_view line) {
    return std::ranges::any_of(line, [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\t') || u == 0x7F;
    });
}

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Case-insensitive order of whole lines; equal lines keep their file order.
bool LineBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(FoldCase(x)) < static_cast<unsigned char>(FoldCase(y));
    });
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

}  // namespace

std::optional<PortFields> SplitPortLine(std::string_view line) {
    std::string_view s = line;
    std::string fields[3];
    int separators = 0;
    for (std::string& field : fields) {
        if (!s.empty() && s.front() == '"') {
            s.remove_prefix(1);
            const std::size_t close = s.find('"');
            field = std::string(s.substr(0, close));
            s = close == std::string_view::npos ? std::string_view() : s.substr(close + 1);
        } else {
            field = std::string(s.substr(0, s.find(',')));
        }
        const std::size_t comma = s.find(',');
        if (comma != std::string_view::npos) {
            s.remove_prefix(comma + 1);
            ++separators;
        }
    }
    if (separators != 2) return std::nullopt;
    return PortFields{std::move(fields[0]), std::move(fields[1]), std::move(fields[2])};
}

std::optional<double> ParsePortNumber(std::string_view text) {
    text = Trim(text);
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.remove_prefix(1);
    if (text.empty() || !((text.front() == '-' && !plus) || text.front() == '.' ||
                          (text.front() >= '0' && text.front() <= '9'))) {
        return std::nullopt;  // letters, "nan", "inf", a second sign
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

PortsList ParsePorts(std::string_view text) {
    PortsList list;
    list.status = PortsStatus::Ok;
    // A list saved as "Unicode" (UTF-16 with its mark) would otherwise read as
    // lines of NUL bytes, not one of them a port.
    std::string decoded;
    if (text.starts_with(kUtf16LeBom) || text.starts_with(kUtf16BeBom)) {
        decoded = Utf16ToUtf8(text.substr(2), text.starts_with(kUtf16BeBom));
        text = decoded;
    }
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
    // Each line on its own: one damaged line must not turn the UTF-8 names
    // of all the others into Windows-1252 mojibake.
    std::vector<std::string> lines = SplitLines(text);
    for (std::string& line : lines) {
        if (!IsUtf8(line)) line = Cp1252ToUtf8(line);
    }
    list.enabled = !lines.empty();
    std::stable_sort(lines.begin(), lines.end(), LineBefore);
    for (const std::string& line : lines) {
        const std::optional<PortFields> fields = SplitPortLine(line);
        const std::optional<double> latitude =
            fields ? ParsePortNumber(fields->latitude) : std::nullopt;
        const std::optional<double> longitude =
            fields ? ParsePortNumber(fields->longitude) : std::nullopt;
        if (latitude && longitude && std::fabs(*latitude) <= 90 && std::fabs(*longitude) <= 180 &&
            !HasControlCharacters(line)) {
            list.ports.push_back(Port{fields->name, *latitude, *longitude});
        } else if (!Trim(line).empty()) {
            ++list.skippedLines;
        }
    }
    return list;
}

std::string PortsPath(const std::string& folder) {
    if (folder.empty()) return std::string(kPortsFileName);
    return (std::filesystem::path(folder) / kPortsFileName).string();
}

PortsList LoadPorts(const std::string& folder) {
    const std::string path = PortsPath(folder);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return PortsList{};
    std::vector<std::uint8_t> bytes;
    if (ReadPrefix(path, kMaxPortsFileBytes + 1, bytes) != FileStep::Done) {
        PortsList list;
        list.status = PortsStatus::CannotOpen;
        return list;
    }
    if (bytes.size() > kMaxPortsFileBytes) {
        PortsList list;
        list.status = PortsStatus::TooLarge;
        return list;
    }
    return ParsePorts(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::optional<Port> PortPosition(const PortsList& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.ports.size()) return std::nullopt;
    return list.ports[static_cast<std::size_t>(index)];
}

void ReportPortsUnavailable(const PortsList& list, const std::string& path, MessageSink& messages) {
    if (list.status == PortsStatus::Ok) return;
    messages.MsgBox(
        Message{"!", "O", "Velmar3: Porti", path, "Non trovo il file", "Funzione disabilitata"});
}

std::string SkippedLinesNote(const PortsList& list) {
    if (list.skippedLines == 0) return {};
    return "Righe non valide ignorate: " + std::to_string(list.skippedLines);
}

}  // namespace velmar
