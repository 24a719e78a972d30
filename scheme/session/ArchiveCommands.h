#pragma once
// The archive window's commands over the session: the preview of a listed
// file's description, reading a numbered pair into the scheme, and writing
// the scheme under a picked, typed or next number. Both act in the folder
// the window shows, so that the file the user browsed to is the one read or
// written; the scheme window's description panel and file name follow.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scheme/session/Session.h"
#include "store/ArchiveFolder.h"

namespace velmar {

inline constexpr std::string_view kArchiveTitle = "Velmar3: Archivio";
inline constexpr std::string_view kNothingPickedText = "Nessun file selezionato";
inline constexpr std::string_view kArchiveFullText = "Archivio pieno: nessun numero libero.";

/// The description of the scheme file `fileName` in `folder`; a failure is
/// shown as its message and gives nothing.
std::optional<std::string> PreviewArchive(MessageSink& messages, const std::string& folder,
                                          const std::string& fileName);

/// "Leggi": `fileName` is the bare name picked in the list, empty when none
/// is (which the message says). After a read the panel shows the loaded
/// description and the status bar the file name, and the scheme is
/// redisplayed and solved. A pair with a file missing reads nothing and says
/// so: the scheme and the panel stay as they were.
FileCommandOutcome ReadArchive(Session& session, const std::string& folder,
                               const std::string& fileName);

/// "Scrivi": the scheme takes `description` (cut to 64 characters) and is
/// written to the pair ArchiveWriteName(picked, number, listed) names,
/// asking before it overwrites. After a write the panel shows the new
/// description and the status bar the file name; a write declined or failed
/// brings the previous description back. With every number in use and none
/// picked or typed, nothing is written and the message says why.
FileCommandOutcome WriteArchive(Session& session, const std::string& folder,
                                const std::string& description, const std::string& picked,
                                int number, const std::vector<ArchiveEntry>& listed);

}  // namespace velmar
