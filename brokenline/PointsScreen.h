#pragma once
// The points window's fixed texts and rules that need no window: its menu
// commands with captions, shortcuts, hints and tags, the help messages, the
// colour of a list line, the columns of a point line, and the gate that
// decides whether an activation of the window recomputes the broken line.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "brokenline/BrokenLine.h"
#include "core/Interaction.h"
#include "scheme/Scheme.h"

namespace velmar {

/// The points window's commands.
enum class PointsCommand {
    Velmar,
    Chart,
    Plan,
    PrintPlan,
    ExportGpx,
    ExportRtz,
    Close,
    Summary,
    Window,
    CopySelected,
    CopyAll,
    Automatic,
    Vertex,
    LimitParallel,
    Equation,
    Practical,
    NrPt,
    DLonP,
    LimitLatitude,
    Recall,
    Status,
    Guide,
    Tutor,
    About,
};

/// A command as its menu item shows it.
struct PointsCommandInfo {
    PointsCommand command;
    std::string menu;      ///< "&File", "Fun&zioni", "&Metodo", "&Parametri", "&Opzioni", "&Guida"
    std::string caption;   ///< the design caption ("NrPt..." changes with the method)
    std::string shortcut;  ///< "F6", "Shift+Ctrl+C"; empty for none
    std::string menuName;  ///< "mnuZ_CopiaS"; empty for the items that have no name
    std::string hint;
    int tag = 0;  ///< copy 1 selected / 0 all; methods 1..4; spacing 1..2
    bool separatorAfter = false;
    bool checkable = false;
};
/// Every command in menu order.
const std::vector<PointsCommandInfo>& PointsCommands();
const PointsCommandInfo& PointsCommandInfoOf(PointsCommand command);

/// The file dialogs of the plan and the exports: caption, filter, the name
/// offered, and the title of the overwrite question and of a failure.
struct PointsFileDialog {
    const char* caption;
    const char* filter;
    const char* suggestedName;
    const char* messageTitle;
};
/// For PointsCommand::Plan, ExportGpx and ExportRtz.
PointsFileDialog PointsFileDialogOf(PointsCommand command);

/// "Guida..." and "Tutore...": the program only names the file.
Message PointsHelpMessage(PointsCommand command);

inline constexpr const char* kPointsCaption = "Velmar3: Modulo Punti";
inline constexpr const char* kRecallHint = "Barra di richiamo";
inline constexpr const char* kPointsStatusHint = "Barra di stato";
inline constexpr const char* kPointsListHint =
    "[Click] Selezioni; [Click-Ds] Copi selezionati. <Shift>+[Click-Ds] copi tutti";
inline constexpr std::array<const char*, 4> kPointsColumnTitles = {
    "Punti (Pt  Lat  Lon)", "Percorso (Rv  ml  Dt)", "Ora locale (tf  del)", "Ora GMT (Tm  del)"};
/// The texts whose widths in the list's font give the columns 0..2 (the
/// fourth is as wide as the third).
inline constexpr std::array<const char*, 3> kPointsColumnSamples = {
    "XXX  99x99x9X  999x99x9X", "999x99x9  9999x9  999x999", "99x99x99  99x99x9999"};

/// The ink of a list line, by what it holds.
enum class LineInk {
    Endpoint,  ///< navy (0,0,128): the departure "A" and the arrival "B"
    Vertex,    ///< blue (0,0,255): "V", "V'", "V\""
    Other,     ///< maroon (128,0,0): the other points and every leg
};
LineInk InkOf(const std::string& line);

/// An ink's colour, red, green and blue in 0..255.
struct InkRgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};
InkRgb RgbOf(LineInk ink);

/// A point line cut at its commas into position, zone time and Greenwich
/// time (the parts that are missing are empty).
std::array<std::string, 3> SplitPointLine(const std::string& line);

/// What the scheme and the broken line hold that a recompute depends on or
/// changes: every cell's value and state, the line's header bytes and
/// parameters. Equal fingerprints mean a recompute would find what the last
/// one left.
std::uint64_t ActivationFingerprint(const Scheme& scheme, const BrokenLine& line);

/// Whether an activation of the points window recomputes. Every activation
/// does, except the one that follows a dialog the window itself opened (a
/// message of its own recompute, the keypad of its own command) when nothing
/// changed since the last recompute: closing such a dialog gives the window
/// the focus back, and a recompute that warns would warn again, without end.
class ActivationGate {
  public:
    /// A dialog of the window's own took the focus from it.
    void OwnDialogOpened() { ownDialog_ = true; }
    /// The window became active: true when it must recompute.
    bool ShouldRecompute(std::uint64_t fingerprint) {
        const bool fromOwnDialog = ownDialog_;
        ownDialog_ = false;
        return !fromOwnDialog || !recorded_ || fingerprint != last_;
    }
    /// What the scheme and line hold after a recompute or a command.
    void Record(std::uint64_t fingerprint) {
        last_ = fingerprint;
        recorded_ = true;
    }

  private:
    bool ownDialog_ = false;
    bool recorded_ = false;
    std::uint64_t last_ = 0;
};

}  // namespace velmar
