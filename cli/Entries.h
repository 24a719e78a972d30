#pragma once
// What every velmar-cli subcommand shares: NAME=VALUE entries turned into
// keypad typings, the common options, the terminal's message box and cell
// view, and a session that loads, applies entries and saves through the
// same domain code as the desktop program.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "brokenline/BrokenLine.h"
#include "scheme/SchemeEditor.h"
#include "scheme/ScriptedKeypad.h"
#include "store/SchemeFiles.h"

namespace velmar::cli {

/// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFile = 1;     ///< a scheme pair could not be read or written
inline constexpr int kExitRefused = 2;  ///< an entry was refused
inline constexpr int kExitUsage = 64;   ///< a malformed argument

/// One NAME=VALUE argument, as the keypad would receive it.
struct Entry {
    std::string text;  ///< the argument as given, for messages
    int group = 0;
    int cell = 0;
    KeypadTyping typing;
};

/// The cell of an entry name ("dep.lat" -> 0,0; "dt" -> 2,1); false for an
/// unknown name.
bool EntryCell(const std::string& name, int& group, int& cell);
/// The entry names in the order the help lists them.
const std::vector<std::string>& EntryNames();

/// Parses NAME=VALUE into the keypad fields of the named cell's kind:
/// angles as signed decimal degrees or 44N24.5 / 8E55.8 (whole seconds of
/// arc), times HH:MM[:SS], dates DD-MM-YYYY or YYYY-MM-DD, speeds and
/// distances to tenths, intervals as the keypad's hours and fraction field.
/// On failure returns nullopt and sets `error` to a usage text.
std::optional<Entry> ParseEntry(const std::string& argument, std::string& error);

/// Options every scheme subcommand takes.
struct CommonOptions {
    bool json = false;
    bool yes = false;
    std::optional<std::string> load;
    std::optional<std::string> save;
    std::string dir = ".";
    std::set<std::string> flags;  ///< subcommand flags seen (from `extraFlags`)
    std::vector<Entry> entries;
};

/// Parses --json, --yes, --load KEY, --save KEY, --dir FOLDER (also as
/// --opt=VALUE), the subcommand's own `extraFlags` and the entries. False
/// with `error` set on anything malformed.
bool ParseCommonOptions(const std::vector<std::string>& args,
                        const std::set<std::string>& extraFlags, CommonOptions& options,
                        std::string& error);

/// The terminal's message box: prints each message on standard error,
/// records it, and answers questions No (Yes with --yes), others OK.
class TerminalMessages : public MessageSink {
  public:
    explicit TerminalMessages(bool answerYes, bool print = true)
        : answerYes_(answerYes), print_(print) {}
    int MsgBox(const Message& message) override;
    const std::vector<Message>& Shown() const { return shown_; }

  private:
    bool answerYes_;
    bool print_;
    std::vector<Message> shown_;
};

/// Keeps the last text and state each cell showed.
class TerminalCellView : public CellView {
  public:
    void ShowCell(int group, int cell, int state, const std::string& text) override;
    const std::string& Text(int group, int cell) const { return texts_[group][cell]; }
    int Writes() const { return writes_; }

  private:
    std::string texts_[kGroups][kCellsPerGroup];
    int writes_ = 0;
};

/// Why an entry was refused.
struct Refusal {
    std::string entry;   ///< the argument
    std::string reason;  ///< "Verifica GRADI", or the message's header
};

/// One run of the tool over the scheme: load, entries, save.
class Session {
  public:
    explicit Session(const CommonOptions& options, bool printMessages = true);

    /// --load: reads the pair, redisplays and solves. kExitOk, or kExitFile
    /// with a message on standard error.
    int Load();
    /// Types the entries one after another; stops at the first refused one.
    int ApplyEntries();
    /// --save: writes the pair, asking before overwriting an existing file.
    int Save();
    /// Load, entries, save as the options ask; the first failure's status.
    int Run();

    Scheme& scheme() { return scheme_; }
    const Scheme& scheme() const { return scheme_; }
    /// The broken line the points file holds (read by --load, written by --save).
    BrokenLine& line() { return line_; }
    const TerminalMessages& messages() const { return messages_; }
    const SchemeFiles& files() const { return files_; }
    const std::optional<Refusal>& refusal() const { return refusal_; }

    /// The JSON object of the scheme (cells, markers, description,
    /// messages, refusal).
    std::string Json() const;

  private:
    CommonOptions options_;
    TerminalMessages messages_;
    TerminalCellView view_;
    Scheme scheme_;
    BrokenLine line_;
    ScriptedKeypad keypad_;
    SchemeEditor editor_;
    SchemeFiles files_;
    std::optional<Refusal> refusal_;
};

/// The name of a kind as the JSON shows it ("Latitude" ...).
std::string KindName(QuantityKind kind);

}  // namespace velmar::cli
