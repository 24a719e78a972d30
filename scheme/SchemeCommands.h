#pragma once
// Scheme-screen commands that are pure scheme logic: taking the system time
// as the departure time, and showing a cell's other formats.

#include "core/DateTime.h"
#include "scheme/Solver.h"

namespace velmar {

/// A local date and time of the system clock, to the minute.
struct LocalMoment {
    CivilDate date;
    int hours = 0;
    int minutes = 0;
};

/// The system clock now, local time.
LocalMoment SystemNow();

/// Asks "Inserire come ora e data di partenza..." with the moment; on Yes
/// enters it as departure zone time and date (whatever the cells held,
/// computed cells too), pushes both on the history, clears SchemeSaved and
/// solves. Returns whether the user answered Yes.
bool TakeSystemTime(SchemeSolver& solver, const LocalMoment& now);

/// What the other-formats command did.
enum class OtherFormatsOutcome {
    Shown,        ///< the "Velmar: Altri formati" message
    EmptyCell,    ///< nothing to show
    OpenSummary,  ///< the method cell with a method chosen: the caller opens the summary
};

/// The "Altri formati..." command for a cell.
OtherFormatsOutcome ShowOtherFormats(const Scheme& scheme, MessageSink& messages, int group,
                                     int cell);
inline OtherFormatsOutcome ShowOtherFormats(const Scheme& scheme, MessageSink& messages,
                                            CellRef c) {
    return ShowOtherFormats(scheme, messages, c.group, c.cell);
}

}  // namespace velmar
