#include "store/ExportFile.h"

#include <filesystem>
#include <system_error>

#include "store/DurableFile.h"

namespace velmar {

Message ReplaceFileQuestion(const std::string& title, const std::string& path) {
    return {"?", "YN", title, path, "Il file esiste già. Vuoi sostituirlo?", ""};
}

ExportOutcome ExportFile(const std::string& path, std::span<const std::uint8_t> bytes,
                         const std::string& title, MessageSink& messages) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        messages.MsgBox(ReplaceFileQuestion(title, path)) != kMsgYes)
        return ExportOutcome::Declined;
    if (ReplaceFileContents(path, bytes) == FileStep::Done) return ExportOutcome::Written;
    messages.MsgBox({"E", "O", title, path, "Errore nella scrittura del file.", ""});
    return ExportOutcome::Failed;
}

}  // namespace velmar
