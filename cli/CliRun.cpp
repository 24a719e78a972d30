#include "cli/CliRun.h"

#include <iostream>

namespace velmar::cli {

CliRun::CliRun(const CommonOptions& options, bool printMessages)
    : options_(options),
      messages_(options.yes, printMessages),
      session_(options.dir, messages_),
      keypad_(messages_, session_.scheme().saved) {
    session_.SetKeypad(&keypad_);
    session_.SetView(&view_);
}

int CliRun::Load() {
    if (!options_.load) return kExitOk;
    Scheme& scheme = session_.scheme();
    switch (session_.files().Load(*options_.load, scheme, session_.line())) {
        case PairOutcome::Transferred:
            scheme.ResetHistory();
            scheme.Redisplay();
            session_.solver().SolveToFixpoint();
            return kExitOk;
        case PairOutcome::Missing: {
            const PairPaths paths = SchemePairPaths(options_.dir, *options_.load);
            std::cerr << "velmar-cli: no scheme pair " << *options_.load << " (" << paths.schemeFile
                      << ", " << paths.pointsFile << ")\n";
            return kExitFile;
        }
        default:
            return kExitFile;
    }
}

int CliRun::ApplyEntries() {
    for (const Entry& entry : options_.entries) {
        keypad_.Push(entry.typing);
        const EditOutcome outcome = session_.editor().EditCell(entry.group, entry.cell);
        if (outcome == EditOutcome::Accepted) continue;
        if (outcome == EditOutcome::KeypadClosed && keypad_.LastClose() != KeypadClose::Refused)
            continue;  // the cell already holds this value
        std::string reason;
        if (outcome == EditOutcome::KeypadClosed)
            reason = keypad_.LastText();
        else if (!messages_.Shown().empty())
            reason = messages_.Shown().back().header;
        keypad_.Clear();
        refusal_ = Refusal{entry.text, reason};
        std::cerr << "velmar-cli: " << entry.text << " refused: " << reason
                  << "; later entries not applied\n";
        return kExitRefused;
    }
    return kExitOk;
}

int CliRun::Save() {
    if (!options_.save) return kExitOk;
    switch (session_.files().Save(*options_.save, SaveMode::AskBeforeOverwrite, session_.scheme(),
                                  session_.line())) {
        case PairOutcome::Transferred:
            return kExitOk;
        case PairOutcome::Declined:
            std::cerr << "velmar-cli: " << *options_.save
                      << " not overwritten (--yes overwrites)\n";
            return kExitFile;
        default:
            return kExitFile;
    }
}

int CliRun::Run() {
    if (const int status = Load(); status != kExitOk) return status;
    if (const int status = ApplyEntries(); status != kExitOk) return status;
    return Save();
}

}  // namespace velmar::cli
