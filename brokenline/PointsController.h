#pragma once
// The points window's commands that change the broken line: "Automatico",
// a method item, the spacing dialog and the limiting-latitude dialog. Values
// are asked for through the keypad; messages go through the engine's sink.

#include "brokenline/BrokenLineEngine.h"
#include "core/Interaction.h"

namespace velmar {

/// What a command did.
enum class CommandResult {
    kApplied,    ///< the line was recomputed successfully
    kUnchanged,  ///< nothing to do: the item already checked, or the keypad cancelled
    kRefused,    ///< refused before computing (with a message where the window has one)
    kFailed,     ///< the recompute failed; its messages were shown and the state restored
};

class PointsController {
  public:
    PointsController(BrokenLineEngine& engine, Keypad& keypad) : engine_(engine), keypad_(keypad) {}

    /// "Automatico": automatic choice, its defaults and ApplyMethod; the
    /// method cell stays computed.
    CommandResult Automatic();

    /// A method item (tag 1..4). The item that carries the check mark does
    /// nothing; a method the route cannot take (its menu item disabled) is
    /// refused with a message. On success the method cell becomes entered.
    CommandResult ChooseMethod(int tag);

    /// The spacing dialog: the item "NrPt..." (or "DmP..."), or "DLonP..."
    /// (or "DtP..."). The keypad is asked with the ranges of the current
    /// method; on success the choice is recorded and the method cell becomes
    /// entered. A failed practical change puts DmP, DtP and the choice back.
    CommandResult Spacing(SpacingItem item);

    /// "Latitudine Limite...": refused with "Devi prima impostare il metodo
    /// del Parallelo Limite" unless the method cell holds 2.
    CommandResult LimitLatitude();

  private:
    void MarkEntered();

    BrokenLineEngine& engine_;
    Keypad& keypad_;
};

}  // namespace velmar
