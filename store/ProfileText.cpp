#include "store/ProfileText.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace velmar {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    a = Trim(a);
    b = Trim(b);
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The name of a "[Section]" line, or none for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return line.substr(1, close - 1);
}

// The key and value of a "Key=Value" line; none for comments and junk.
bool SplitKey(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return false;
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos || Trim(trimmed.substr(0, equals)).empty()) return false;
    key = Trim(trimmed.substr(0, equals));
    value = Trim(trimmed.substr(equals + 1));
    return true;
}

}  // namespace

ProfileText ProfileText::Parse(std::string_view text) {
    ProfileText profile;
    // Every leading mark goes, so that a rewritten file reads as the one it came from.
    while (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        profile.lines_.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
    return profile;
}

std::optional<std::size_t> ProfileText::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i]);
        if (name && SameName(*name, section)) return i;
    }
    return std::nullopt;
}

std::size_t ProfileText::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !SectionName(lines_[i])) ++i;
    return i;
}

std::optional<std::size_t> ProfileText::FindKey(std::size_t header, std::string_view key) const {
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string_view name;
        std::string_view value;
        if (SplitKey(lines_[i], name, value) && SameName(name, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileText::Value(std::string_view section,
                                              std::string_view key) const {
    const auto header = FindSection(section);
    if (!header) return std::nullopt;
    const auto line = FindKey(*header, key);
    if (!line) return std::nullopt;
    std::string_view name;
    std::string_view value;
    SplitKey(lines_[*line], name, value);
    return std::string(value);
}

std::optional<int> ProfileText::Int(std::string_view section, std::string_view key) const {
    const auto text = Value(section, key);
    if (!text) return std::nullopt;
    std::string_view digits = *text;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
        return std::nullopt;
    }
    return number;
}

void ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string line(key);
    line.append("=").append(value);
    const auto header = FindSection(section);
    if (!header) {
        std::string header("[");
        header.append(section).append("]");
        lines_.push_back(std::move(header));
        lines_.push_back(std::move(line));
        return;
    }
    if (const auto existing = FindKey(*header, key)) {
        lines_[*existing] = std::move(line);
        return;
    }
    // After the section's last non-blank line, so the blank line before the
    // next section stays where it is.
    std::size_t at = SectionEnd(*header);
    while (at > *header + 1 && Trim(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

std::string ProfileText::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    return text;
}

}  // namespace velmar
