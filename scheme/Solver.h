#pragma once
// The rule-based solver of the scheme and the road of an entry: store the
// value, solve to a fixed point, undo the entry when a computed value leaves
// its limits.

#include "core/Interaction.h"
#include "scheme/Scheme.h"

namespace velmar {

/// Who asks whether the great circle is known: the two windows that need it
/// show their own refusal.
enum class GreatCircleUser { Chart, Points };

/// The solver and the entry operations that only need to show messages.
class SchemeSolver {
  public:
    /// Most passes SolveToFixpoint runs before it gives up. The rules settle
    /// in a handful of passes; a value that never settles (a NaN compares
    /// unequal to itself) must not hang the program.
    static constexpr int kMaxPasses = 100;

    SchemeSolver(Scheme& scheme, MessageSink& messages) : scheme_(scheme), messages_(messages) {}

    /// One pass over the thirteen rules in their fixed order. A rule runs
    /// when none of its targets is entered, its marker slot is free or its
    /// own, and none of its inputs is empty; it claims the slot, computes and
    /// stores its results as computed cells. A failing computation is
    /// reported with ReportOutOfRange and ends the pass with false; what was
    /// stored earlier in the pass stays.
    bool Solve();

    /// Solve until a whole pass changes no computed value. False when a pass
    /// fails or when `maxPasses` passes did not settle (then a message says
    /// so).
    bool SolveToFixpoint(int maxPasses = kMaxPasses);

    /// Stores an entered value, drops the broken-line method, solves; when
    /// solving fails the entered cell gets back its previous value and state
    /// (computed cells changed before the failure keep their values).
    /// Returns whether the entry stands (false for a cell outside the scheme).
    bool AcceptEntry(int group, int cell, double value);

    /// False (after the "Velmar: Modifica" message) for a computed cell;
    /// false without a message for a cell outside the scheme.
    bool CanModify(int group, int cell);

    /// True when `value` for a latitude or longitude cell (0 or 1) of the
    /// departure or the arrival would put the two points within one minute of
    /// arc of each other in both coordinates. No message.
    bool PositionsCoincide(int group, int cell, double value) const;

    /// The "Velmar3: Fuori campo" message for a cell, with the entry history
    /// as its note.
    void ReportOutOfRange(int group, int cell);

    /// True when `Ri` and `mo` are known; otherwise the user's refusal
    /// message and false.
    bool HasGreatCircle(GreatCircleUser user);

    Scheme& scheme() { return scheme_; }
    MessageSink& messages() { return messages_; }

  private:
    bool RunRule(int order);

    Scheme& scheme_;
    MessageSink& messages_;
};

/// The note of the out-of-range message: "Verifica a ritroso...", a carriage
/// return, then the distinct labels of the entry history, most recent first,
/// separated by ";" and a carriage return, ending with ".".
std::string HistoryNote(const Scheme& scheme);

/// Whether `V1` lies on the passage between the departure and arrival
/// longitudes ("Vertice interno").
bool IsInnerVertex(const Scheme& scheme);

/// A scheme moment (time in hours, whole day number) as one DateTime.
double CellDateTime(const Scheme& scheme, int group, int timeCell);

}  // namespace velmar
