// The folder the window tests start the program on: the sample passage,
// Genova to New York at 12 knots, leaving at 08:00 (zone time) on
// 6 December 2026, written as its startup pair; and the bytes of its files.

#pragma once

#include <QString>
#include <QTest>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "core/DateTime.h"
#include "core/Interaction.h"
#include "scheme/session/Session.h"
#include "ui/Program.h"
#include "ui/TfrmVelmar.h"

namespace velmar::ui::testing {

/// Answers every message Yes: the tests' own sessions write their pairs unseen.
struct Silent : MessageSink {
    int MsgBox(const Message&) override { return kMsgYes; }
};

struct SampleOptions {
    bool departureTime = true;    ///< without it the arrival's date is unknown
    bool greenwichFirst = false;  ///< the Greenwich time entered, the zone time computed
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

/// The whole program on `folder` (its program and data folder alike),
/// started, its scheme window up.
inline std::unique_ptr<Program> StartProgram(const QString& folder) {
    auto program =
        std::make_unique<Program>(ProgramFolders{folder.toStdString(), folder.toStdString()});
    program->Start();
    (void)QTest::qWaitForWindowActive(&program->velmar());
    return program;
}

/// A file's bytes; empty when it cannot be read.
inline std::string Bytes(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}
inline void Put(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace velmar::ui::testing
