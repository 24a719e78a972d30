#include "scheme/session/ArchiveCommands.h"

#include <filesystem>

namespace velmar {

namespace {

std::string InFolder(const std::string& folder, const std::string& fileName) {
    return (std::filesystem::path(folder) / fileName).string();
}

void ShowArchiveError(MessageSink& messages, const std::string& header,
                      const std::string& message = {}, const std::string& note = {}) {
    messages.MsgBox({"!", "O", std::string(kArchiveTitle), header, message, note});
}

}  // namespace

std::optional<std::string> PreviewArchive(MessageSink& messages, const std::string& folder,
                                          const std::string& fileName) {
    DescriptionPreview preview = ReadDescription(InFolder(folder, fileName));
    if (preview.status == PreviewStatus::Ok) return std::move(preview.description);
    ShowArchiveError(messages, PreviewErrorText(preview.status), {}, InFolder(folder, fileName));
    return std::nullopt;
}

FileCommandOutcome ReadArchive(Session& session, const std::string& folder,
                               const std::string& fileName) {
    if (fileName.empty()) {
        ShowArchiveError(session.messages(), std::string(kNothingPickedText));
        return FileCommandOutcome::Declined;
    }
    switch (session.files().LoadIn(folder, fileName, session.scheme(), session.line())) {
        case PairOutcome::Transferred:
            break;
        case PairOutcome::Missing:
            // The list shows scheme files only; one without its points file
            // would otherwise read as nothing at all, without a word.
            ShowMissingPairFile(session.messages(), SchemePairPaths(folder, fileName));
            return FileCommandOutcome::Failed;
        case PairOutcome::Declined:
        case PairOutcome::Failed:
            return FileCommandOutcome::Failed;
    }
    session.SetFileName(fileName);
    session.SetPanelText(session.files().Description());
    session.scheme().Redisplay();
    session.solver().SolveToFixpoint();
    return FileCommandOutcome::Done;
}

FileCommandOutcome WriteArchive(Session& session, const std::string& folder,
                                const std::string& description, const std::string& picked,
                                int number, const std::vector<ArchiveEntry>& listed) {
    const std::string name = ArchiveWriteName(picked, number, listed);
    if (name.empty()) {
        ShowArchiveError(session.messages(), std::string(kArchiveFullText),
                         "I numeri da 001 a 999 sono tutti in uso.",
                         "Scegli un file dell'elenco o un numero da sovrascrivere.");
        return FileCommandOutcome::Declined;
    }
    SchemeFiles& files = session.files();
    const std::string previous = files.Description();
    files.SetDescription(description);
    const PairOutcome outcome =
        files.SaveIn(folder, name, SaveMode::AskBeforeOverwrite, session.scheme(), session.line());
    if (outcome != PairOutcome::Transferred) {
        files.SetDescription(previous);
        return outcome == PairOutcome::Declined ? FileCommandOutcome::Declined
                                                : FileCommandOutcome::Failed;
    }
    session.SetFileName(name);
    session.SetPanelText(files.Description());
    return FileCommandOutcome::Done;
}

}  // namespace velmar
