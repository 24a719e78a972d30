#pragma once
// A user's change of one scheme cell: refuse computed cells, ask the keypad,
// refuse coinciding positions, then accept the entry through the solver.

#include "core/Interaction.h"
#include "scheme/Solver.h"

namespace velmar {

/// How an edit ended.
enum class EditOutcome {
    Accepted,           ///< stored and solved
    NotEditable,        ///< a cell no entry reaches (great circle, method, spacing)
    Computed,           ///< refused: "Non puoi modificare un valore calcolato."
    KeypadClosed,       ///< cancelled on the keypad, or the value left unchanged
    PositionsCoincide,  ///< refused: "Le coordinate di partenza e di arrivo coincidono."
    OutOfRange,         ///< a computed value left its limits; the entry was undone
};

class SchemeEditor {
  public:
    SchemeEditor(Scheme& scheme, MessageSink& messages, Keypad& keypad)
        : solver_(scheme, messages), keypad_(keypad) {}

    /// True for the sixteen cells a user types: groups 0 and 3, and `Rv`,
    /// `Vp`, `ml`, `Dt`.
    static bool IsEntryCell(int group, int cell);

    /// The scheme screen's click on an entry cell.
    EditOutcome EditCell(int group, int cell);
    EditOutcome EditCell(CellRef c) { return EditCell(c.group, c.cell); }

    SchemeSolver& solver() { return solver_; }

  private:
    SchemeSolver solver_;
    Keypad& keypad_;
};

}  // namespace velmar
