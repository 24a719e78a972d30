#pragma once
// One run of the program over its scheme: the one Scheme and BrokenLine with
// the broken line's working values, the solver, the editor, the broken-line
// engine and the points commands, and the scheme pair reader and writer,
// wired together once. Whoever drives the run — the desktop windows, the
// command-line tool, the tests — gives it a message box, a keypad and a view
// of the cells; every operation of the domain is reached from here.
//
// The run's start-up and shutdown live here too: clearing the scheme and
// reading the startup pair, the scheme window's "Leggi", "Scrivi" and
// "Azzera..." commands with their questions, and the exit question.

#include <string>

#include "brokenline/BrokenLine.h"
#include "brokenline/BrokenLineEngine.h"
#include "brokenline/BrokenLineWork.h"
#include "brokenline/PointsController.h"
#include "core/Interaction.h"
#include "scheme/Scheme.h"
#include "scheme/SchemeEditor.h"
#include "scheme/Solver.h"
#include "store/PortChoice.h"
#include "store/SchemeFiles.h"
#include "store/Settings.h"

namespace velmar {

/// How a file command of the scheme window ended.
enum class FileCommandOutcome {
    Declined,  ///< the user answered No (or Cancel): nothing read or written
    Done,      ///< read or written (a missing startup pair reads as nothing, and counts)
    Failed,    ///< the file error was shown; the description panel says so
};

/// The texts the scheme window shows for its file: the status bar's first
/// section and the one-line description panel under the scheme.
inline constexpr std::string_view kStartupFileName = "velmar.dat";
inline constexpr std::string_view kReadErrorText = "Errore nella lettura del file.";
inline constexpr std::string_view kWriteErrorText = "Errore nella scrittura del file.";

/// Tells that a pair cannot be read because a file of it is missing: icon
/// "!", title "Velmar3: Archivio", header "Errore nel'apertura del file.",
/// message "Apri", note "Manca " and the full path of the missing file (the
/// scheme file when both are).
void ShowMissingPairFile(MessageSink& messages, const PairPaths& paths);

class Session {
  public:
    /// `folder` is the program folder: the startup pair, the archive and
    /// the settings are read and written there.
    Session(std::string folder, MessageSink& messages);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    /// The keypad every typed value goes through; until one is given (or
    /// with null) every request is answered as cancelled.
    void SetKeypad(Keypad* keypad) { keypad_.target = keypad; }
    /// The view told of every cell write; may be null.
    void SetView(CellView* view) { scheme_.view = view; }

    Scheme& scheme() { return scheme_; }
    const Scheme& scheme() const { return scheme_; }
    BrokenLine& line() { return line_; }
    const BrokenLine& line() const { return line_; }
    BrokenLineWork& work() { return work_; }
    SchemeEditor& editor() { return editor_; }
    SchemeSolver& solver() { return editor_.solver(); }
    BrokenLineEngine& engine() { return engine_; }
    PointsController& points() { return points_; }
    SchemeFiles& files() { return files_; }
    const SchemeFiles& files() const { return files_; }
    MessageSink& messages() { return messages_; }
    /// The ports the ends were taken from, for the texts that name them.
    PortNames& portNames() { return portNames_; }
    const PortNames& portNames() const { return portNames_; }
    Keypad& keypad() { return keypad_; }
    const std::string& folder() const { return files_.Folder(); }

    /// Start-up: clears the scheme, empties the entry history and reads the
    /// startup pair. The scheme is saved at start, so nothing is asked.
    void Start();

    /// "Leggi": when the scheme is not saved asks "Sovrascrivi lo schema
    /// attuale..."; reads the startup pair, then redisplays and solves it.
    /// No pair at all reads as nothing, silently (a first start); a pair
    /// with one of its files missing reads as nothing too, but says which
    /// file is missing and fails, so that the file left is not mistaken for
    /// an empty scheme.
    FileCommandOutcome ReadStartup();
    /// "Scrivi": when the scheme is not saved asks "Sovrascrivi il file
    /// d'avvio..."; writes the startup pair.
    FileCommandOutcome WriteStartup();
    /// "Azzera...": offers to save an unsaved scheme first (Yes, No,
    /// Cancel), else asks "Azzerare tutto.."; clears the scheme and the
    /// entry history. True when cleared: the caller hides the windows that
    /// show the broken line. A failed save clears nothing.
    bool ClearCommand();
    /// The exit question: an unsaved scheme may be written to the startup
    /// pair first (Yes, No), or the exit cancelled. True when the program
    /// must end now; the settings have then been written (a failed settings
    /// write is shown, and the program still ends). A failed save of the
    /// scheme keeps the program running, so the scheme is not lost.
    bool Exit(const Settings& settings);

    /// The status bar's file name ("velmar.dat" for the startup pair).
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }
    /// The description panel: the scheme's description, or a file error line.
    const std::string& PanelText() const { return panelText_; }
    void SetPanelText(std::string text) { panelText_ = std::move(text); }

  private:
    /// Forwards to the driver's keypad, which may come after the session
    /// (a keypad clears the scheme's saved flag, so it is made from it).
    struct KeypadRelay : Keypad {
        Keypad* target = nullptr;
        bool ShowKeypad(const KeypadRequest& request, double& value) override {
            return target && target->ShowKeypad(request, value);
        }
    };

    /// Writes the startup pair without a question; the panel says how it went.
    bool SaveStartup();
    void ClearAll();

    MessageSink& messages_;
    KeypadRelay keypad_;
    Scheme scheme_;
    BrokenLine line_;
    BrokenLineWork work_;
    SchemeEditor editor_;
    BrokenLineEngine engine_;
    PointsController points_;
    SchemeFiles files_;
    PortNames portNames_;
    std::string fileName_{kStartupFileName};
    std::string panelText_;
};

}  // namespace velmar
