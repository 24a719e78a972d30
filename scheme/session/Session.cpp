#include "scheme/session/Session.h"

#include <filesystem>

#include "store/ArchiveFolder.h"

namespace velmar {

void ShowMissingPairFile(MessageSink& messages, const PairPaths& paths) {
    std::error_code error;
    const bool schemeThere = std::filesystem::exists(paths.schemeFile, error);
    messages.MsgBox({"!", "O", "Velmar3: Archivio", PreviewErrorText(PreviewStatus::CannotOpen),
                     "Apri", "Manca " + (schemeThere ? paths.pointsFile : paths.schemeFile)});
}

Session::Session(std::string folder, MessageSink& messages)
    : messages_(messages),
      editor_(scheme_, messages, keypad_),
      engine_(scheme_, line_, work_, messages),
      points_(engine_, keypad_),
      files_(std::move(folder), messages) {}

void Session::ClearAll() {
    scheme_.Clear();
    scheme_.ResetHistory();
}

void Session::Start() {
    ClearAll();
    ReadStartup();
}

FileCommandOutcome Session::ReadStartup() {
    // Only Yes replaces the scheme: a box closed without an answer keeps it.
    if (!scheme_.saved &&
        messages_.MsgBox({"?", "YN", "Velmar: Leggi", "Sovrascrivi lo schema attuale...", "", ""}) !=
            kMsgYes)
        return FileCommandOutcome::Declined;
    fileName_ = kStartupFileName;
    const std::string key(kStartupKey);
    const PairOutcome outcome = files_.Load(key, scheme_, line_);
    bool failed = outcome == PairOutcome::Failed;
    if (outcome == PairOutcome::Missing) {
        // Silence only for a first start: a scheme file whose points file is
        // gone (or the other way round) would read as an empty scheme
        // without a word, and the next save would replace it.
        const PairPaths paths = SchemePairPaths(folder(), key);
        std::error_code error;
        if (std::filesystem::exists(paths.schemeFile, error) ||
            std::filesystem::exists(paths.pointsFile, error)) {
            ShowMissingPairFile(messages_, paths);
            failed = true;
        }
    }
    if (failed) {
        panelText_ = kReadErrorText;
        return FileCommandOutcome::Failed;
    }
    panelText_ = kStartupDescription;
    scheme_.Redisplay();
    solver().SolveToFixpoint();
    return FileCommandOutcome::Done;
}

bool Session::SaveStartup() {
    fileName_ = kStartupFileName;
    const bool written =
        files_.SaveSchemeFiles(std::string(kStartupKey), SaveMode::Plain, scheme_, line_);
    panelText_ = written ? kStartupDescription : kWriteErrorText;
    return written;
}

FileCommandOutcome Session::WriteStartup() {
    // Only Yes overwrites the startup pair: a box closed without an answer keeps it.
    if (!scheme_.saved &&
        messages_.MsgBox({"?", "YN", "Velmar: Scrivi", "Sovrascrivi il file d'avvio...", "", ""}) !=
            kMsgYes)
        return FileCommandOutcome::Declined;
    return SaveStartup() ? FileCommandOutcome::Done : FileCommandOutcome::Failed;
}

bool Session::ClearCommand() {
    if (!scheme_.saved) {
        const int answer = messages_.MsgBox({"?", "YNC", "Velmar: Azzera",
                                             "Salvare lo schema nel file d'avvio prima di azzerare...",
                                             "", ""});
        // A save that failed keeps the scheme: clearing it now would lose it.
        if (answer == kMsgCancel || (answer == kMsgYes && !SaveStartup())) return false;
    } else if (messages_.MsgBox({"?", "YN", "Velmar: Azzera", "Azzerare tutto..", "", ""}) !=
               kMsgYes) {
        return false;
    }
    ClearAll();
    return true;
}

bool Session::Exit(const Settings& settings) {
    if (!scheme_.saved) {
        const int answer =
            messages_.MsgBox({"?", "YNC", "Velmar: Uscita",
                              "Salvare lo schema nel file d'avvio prima di uscire...", "", ""});
        // A save that failed keeps the program running with the scheme, so
        // that it can be saved elsewhere or left on purpose with No.
        if (answer == kMsgCancel || (answer == kMsgYes && !SaveStartup())) return false;
    }
    settings.Write(folder(), messages_);
    return true;
}

}  // namespace velmar
