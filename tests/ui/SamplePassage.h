// The sample passage the window tests start from: Genova to New York at
// 12 knots, leaving at 08:00 (zone time) on 6 December 2026.

#pragma once

#include <string>
#include <utility>

#include "core/DateTime.h"
#include "core/Interaction.h"
#include "scheme/session/Session.h"

namespace velmar::ui::testing {

/// Answers every message Yes: the tests' own sessions write their pairs unseen.
struct Silent : MessageSink {
    int MsgBox(const Message&) override { return kMsgYes; }
};

struct SampleOptions {
    bool departureTime = true;   ///< without it the arrival's date is unknown
    bool greenwichFirst = false; ///< the departure's Greenwich time entered, its zone time computed
    double depLat = 44.4;
    double depLon = 8 + 56 / 60.0;
};

inline void EnterSample(SchemeSolver& solver, const SampleOptions& o = {}) {
    for (auto [cell, value] : {std::pair{cells::DepLat, o.depLat},
                               {cells::DepLon, o.depLon},
                               {cells::ArrLat, 40.7},
                               {cells::ArrLon, -74.0},
                               {cells::Vp, 12.0}})
        solver.AcceptEntry(cell, value);
    if (!o.departureTime) return;
    solver.AcceptEntry(o.greenwichFirst ? cells::DepTm : cells::DepTf, 8.0);
    solver.AcceptEntry(o.greenwichFirst ? cells::DepTmDate : cells::DepTfDate,
                       double(DayNumber({2026, 12, 6})));
}

/// The sample, solved and written as the startup pair of `folder`.
inline void WriteSample(const std::string& folder, const SampleOptions& o = {}) {
    Silent silent;
    Session session(folder, silent);
    EnterSample(session.solver(), o);
    session.WriteStartup();
}

}  // namespace velmar::ui::testing
