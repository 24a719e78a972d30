#pragma once
// The ports list "PORTI.TXT": one port per line, name, latitude and
// longitude separated by commas; a name in double quotation marks may hold
// commas. The file is read once, its lines sorted without regard to case,
// and every valid line gives one port, whose coordinates always come from
// its own line. A line that is not a port is skipped and counted, never
// fatal.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Interaction.h"

namespace velmar {

inline constexpr std::string_view kPortsFileName = "PORTI.TXT";
/// The ports list is some tens of kilobytes; a file far larger is not one,
/// and reading it whole could exhaust the memory.
inline constexpr std::size_t kMaxPortsFileBytes = 16u << 20;

/// The three fields of a line, as text, blanks kept.
struct PortFields {
    std::string name;
    std::string latitude;
    std::string longitude;
};

/// Splits a line into its three fields. For each field: a field that begins
/// with a double quotation mark runs to the next one (a doubled mark ends
/// it; with none the rest of the line is the field), and whatever follows
/// the closing mark up to the next comma is dropped; otherwise the field
/// runs to the first comma. A comma after a field counts one separator. The
/// line is valid with exactly two separators: none for a line with fewer or
/// more than three fields.
std::optional<PortFields> SplitPortLine(std::string_view line);

/// A decimal number with a point as decimal separator, blanks around it
/// allowed; none for anything else (empty text, letters, a comma, "nan",
/// "inf", a number beyond a double).
std::optional<double> ParsePortNumber(std::string_view text);

struct Port {
    std::string name;      ///< UTF-8
    double latitude = 0;   ///< degrees, north positive
    double longitude = 0;  ///< degrees, east positive
};

enum class PortsStatus {
    Ok,
    Missing,     ///< no file: the lists are disabled
    CannotOpen,  ///< the file exists but cannot be read: as Missing
    TooLarge,    ///< larger than kMaxPortsFileBytes: as Missing
};

struct PortsList {
    PortsStatus status = PortsStatus::Missing;
    /// The lists are enabled when the file had at least one line (even if
    /// none of them is a port).
    bool enabled = false;
    /// The ports, in the sorted order of their lines.
    std::vector<Port> ports;
    /// Lines that are neither blank nor a port: a field too many or too few,
    /// a latitude or longitude that is not a number in range, or control
    /// characters.
    int skippedLines = 0;
};

/// Parses the text of a ports file. Lines end with CR LF, LF or CR; a UTF-8
/// byte-order mark is dropped, and a text that begins with a UTF-16 mark
/// (little- or big-endian) is read as UTF-16. Otherwise each line that is
/// valid UTF-8 is taken as it is, any other as Windows-1252, the code page
/// the file was written in. Lines are sorted by their whole text, ignoring
/// the case of letters; a latitude must lie within -90..90 and a longitude
/// within -180..180, and a line with a control character (binary junk) is
/// not a port.
PortsList ParsePorts(std::string_view text);

/// The full path of the ports file in `folder` (the program's folder).
std::string PortsPath(const std::string& folder);

/// Reads and parses the ports file of `folder`.
PortsList LoadPorts(const std::string& folder);

/// The port at a list position; none for -1 or a position past the list.
std::optional<Port> PortPosition(const PortsList& list, int index);

/// The message of a missing (or unreadable) ports file: icon "!", buttons
/// "O", title "Velmar3: Porti", header the full path, message "Non trovo il
/// file", note "Funzione disabilitata". Nothing when the list was read.
void ReportPortsUnavailable(const PortsList& list, const std::string& path, MessageSink& messages);

/// The note that tells the user how many lines were skipped ("Righe non
/// valide ignorate: 3"); empty when none was.
std::string SkippedLinesNote(const PortsList& list);

}  // namespace velmar
