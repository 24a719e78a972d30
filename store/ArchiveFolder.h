#pragma once
// The numbered archive pairs of a folder, VELM-nnn.DAT with PUNT-nnn.DAT,
// as the archive window lists them, and the name of the next one.

#include <optional>
#include <string>
#include <vector>

namespace velmar {

inline constexpr int kArchiveMaxNumber = 999;

/// One archive scheme file of a folder.
struct ArchiveEntry {
    std::string fileName;     ///< bare name, as found: "VELM-007.DAT"
    std::string description;  ///< UTF-8; empty when unreadable
    bool readable = false;    ///< the file holds at least a description of a valid length
};

/// "VELM-" + number as three digits + ".DAT"; empty outside 1..999.
std::string ArchiveFileName(int number);

/// Whether a bare file name matches the mask "VELM-???.DAT" (letters in any
/// case, as the file system of the stored files ignores case).
bool MatchesArchiveMask(const std::string& fileName);

/// The archive scheme files of `folder`, sorted by name, each with the
/// description read from its record. A missing or unreadable folder gives an
/// empty list.
std::vector<ArchiveEntry> ListArchive(const std::string& folder);

/// The number a write takes when no file is picked and no number typed: the
/// count of listed files plus one (an existing file of that number brings the
/// overwrite question). Past 999 the lowest number not listed is taken; none
/// when all 999 are in use.
std::optional<int> NextArchiveNumber(const std::vector<ArchiveEntry>& entries);

/// The file name a write takes, in this order: the picked file (a bare name,
/// empty for none); "VELM-" + `number` as three digits when it is 1..999;
/// else the next number (NextArchiveNumber). Empty when no number is left.
std::string ArchiveWriteName(const std::string& picked, int number,
                             const std::vector<ArchiveEntry>& entries);

enum class PreviewStatus {
    Ok,
    CannotOpen,  ///< "Errore nel'apertura del file."
    CannotRead,  ///< "Errore nella lettura del file.": short, or a damaged length byte
    CannotClose, ///< "Errore nella chiusura del file."
};

/// The header of the preview's failure message; empty for Ok.
std::string PreviewErrorText(PreviewStatus status);

struct DescriptionPreview {
    PreviewStatus status = PreviewStatus::CannotOpen;
    std::string description;  ///< UTF-8, when status is Ok
};

/// The description stored in the scheme file at `path`, for the preview of a
/// file clicked in the archive list.
DescriptionPreview ReadDescription(const std::string& path);

}  // namespace velmar
