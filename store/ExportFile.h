#pragma once
// Writing a file the user named for another program (a passage plan, a
// route for a chart plotter): the question before an existing file is
// replaced, and a write that either puts the whole new file in place or
// leaves the old one as it was.

#include <cstdint>
#include <span>
#include <string>

#include "core/Interaction.h"

namespace velmar {

enum class ExportOutcome {
    Written,   ///< the file holds the new bytes
    Declined,  ///< the file exists and the user answered No: nothing written
    Failed,    ///< the write failed (message shown): the file is as it was
};

/// The question before an existing file is replaced: icon "?", buttons
/// "YN", `title`, header the path, "Il file esiste già. Vuoi sostituirlo?".
Message ReplaceFileQuestion(const std::string& title, const std::string& path);

/// Writes `bytes` to `path` through a temporary beside it, renamed over it
/// once it is whole on the disk. An existing file is replaced only after
/// ReplaceFileQuestion is answered Yes. A failure is shown with icon "E",
/// `title`, header the path and "Errore nella scrittura del file.".
ExportOutcome ExportFile(const std::string& path, std::span<const std::uint8_t> bytes,
                         const std::string& title, MessageSink& messages);

}  // namespace velmar
