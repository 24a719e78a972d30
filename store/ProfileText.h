#pragma once
// The text of an INI file in the Windows private-profile format: "[Section]"
// lines open sections, "Key=Value" lines hold values. Section and key names
// match ignoring case and the blanks around them; the first occurrence of a
// section or key wins. Any other line (blank, comment, junk) is kept as it is
// and otherwise ignored. Keys are written literally: "Quadro coordinate=1"
// keeps its blank.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

class ProfileText {
  public:
    /// Parses any text; never fails. Leading UTF-8 byte-order marks are skipped and
    /// lines may end with "\r\n", "\n" or "\r".
    static ProfileText Parse(std::string_view text);

    /// The value of a key, trimmed; none when the section or key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    /// A whole number as the profile reads one: optional blanks and sign and
    /// at least one digit, nothing else; none otherwise or out of int range.
    std::optional<int> Int(std::string_view section, std::string_view key) const;

    /// Sets a key: replaces the value of its first occurrence in place, or adds
    /// the key at the end of the section, or adds the section at the end.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    /// The text with "\r\n" line ends; other lines come back unchanged.
    std::string Text() const;

  private:
    // The index of the line of a section's header, or of a key in a section.
    std::optional<std::size_t> FindSection(std::string_view section) const;
    std::size_t SectionEnd(std::size_t header) const;
    std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;

    std::vector<std::string> lines_;
};

}  // namespace velmar
