// The command-line entry parser: NAME=VALUE for every entry name (the first
// byte picks the name, or none to take the input as it stands), with the
// nautical angle form, times and dates. A parsed entry is typed on the
// keypad of its cell as the tool does; an accepted value must be finite and
// inside its kind's bounds. The common options parser gets the input as
// arguments split at NUL bytes.

#include <string>
#include <vector>

#include "cli/EntryParsing.h"
#include "cli/Options.h"
#include "fuzz/FuzzSupport.h"
#include "scheme/KeypadLogic.h"
#include "scheme/SchemeEditor.h"
#include "scheme/ScriptedKeypad.h"

using namespace velmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    const std::uint8_t pick = bytes.U8();
    const std::string_view rest = bytes.Rest();
    const auto& names = cli::EntryNames();
    std::string argument;
    if (pick < names.size() * 8) {
        argument = names[pick % names.size()] + "=" + std::string(rest);
    } else {
        argument = std::string(rest);
    }

    std::string error;
    const std::optional<cli::Entry> entry = cli::ParseEntry(argument, error);
    if (entry) {
        fuzz::Require(IsCell(entry->group, entry->cell), "an entry names no cell");
        fuzz::Require(SchemeEditor::IsEntryCell(entry->group, entry->cell),
                      "an entry names a cell no user types");
        // Typed on the keypad of an empty scheme, as the tool's first entry.
        Scheme scheme;
        fuzz::QuietMessages messages;
        ScriptedKeypad keypad(messages, scheme.saved, CivilDate{2024, 6, 1});
        SchemeEditor editor(scheme, messages, keypad);
        keypad.Push(entry->typing);
        const EditOutcome outcome = editor.EditCell(entry->group, entry->cell);
        if (outcome == EditOutcome::Accepted) {
            const double value = scheme.Value(entry->group, entry->cell);
            fuzz::Require(std::isfinite(value), "an accepted entry is not finite");
            const QuantityKind kind = KindOf(entry->group, entry->cell);
            if (const auto bounds = EntryBounds(kind)) {
                fuzz::Require(value >= bounds->lower && value <= bounds->upper,
                              "an accepted entry outside its bounds");
            }
        }
        BrokenLine line;
        fuzz::CheckLiveRecords(scheme, line);
    } else {
        fuzz::Require(!error.empty(), "a refused entry without a reason");
    }

    std::vector<std::string> args;
    std::string current;
    for (const char c : rest) {
        if (c == '\0') {
            args.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    args.push_back(current);
    cli::CommonOptions options;
    (void)cli::ParseCommonOptions(args, {"--report"}, options, error);
    return 0;
}
