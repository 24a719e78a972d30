#pragma once
// One run of the tool over the scheme: the program's session, given the
// terminal's message box, cell view and a keypad that types the entries,
// and the load, entries and save the options ask for.

#include <optional>
#include <string>

#include "cli/ExitStatus.h"
#include "cli/Options.h"
#include "cli/Terminal.h"
#include "scheme/ScriptedKeypad.h"
#include "scheme/session/Session.h"

namespace velmar::cli {

/// Why an entry was refused.
struct Refusal {
    std::string entry;   ///< the argument
    std::string reason;  ///< "Verifica GRADI", or the message's header
};

class CliRun {
  public:
    /// The scheme pairs are read from and written to `options.dir`.
    explicit CliRun(const CommonOptions& options, bool printMessages = true);

    /// --load: reads the pair, redisplays and solves. kExitOk, or kExitFile
    /// with a message on standard error.
    int Load();
    /// Types the entries one after another; stops at the first refused one.
    int ApplyEntries();
    /// --save: writes the pair, asking before overwriting an existing file.
    int Save();
    /// Load, entries, save as the options ask; the first failure's status.
    int Run();

    Session& session() { return session_; }
    const Session& session() const { return session_; }
    Scheme& scheme() { return session_.scheme(); }
    const Scheme& scheme() const { return session_.scheme(); }
    /// The broken line the points file holds (read by --load, written by --save).
    BrokenLine& line() { return session_.line(); }
    /// The keypad every value is typed on: the entries, and the values the
    /// points commands ask for.
    ScriptedKeypad& keypad() { return keypad_; }
    const TerminalMessages& messages() const { return messages_; }
    const std::optional<Refusal>& refusal() const { return refusal_; }

  private:
    CommonOptions options_;
    TerminalMessages messages_;
    TerminalCellView view_;
    Session session_;
    ScriptedKeypad keypad_;  // after the session: it clears the session's saved flag
    std::optional<Refusal> refusal_;
};

}  // namespace velmar::cli
