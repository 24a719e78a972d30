// Speed of the scheme window and the points window. The scheme window: an accepted keypad value
// until the window is painted again (the solver, the cells it rewrites and one repaint of the
// scheme), on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>

#include <QListWidget>
#include "core/DateTime.h"

#include "ui/TfrmPunti.h"
#include "ui/TfrmVelmar.h"

namespace {

using namespace velmar;

class SilentMessages : public MessageSink {
  public:
    int MsgBox(const Message&) override { return kMsgOk; }
};

QApplication& App() {
    static int argc = 1;
    static char name[] = "velmar_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void BM_KeypadValueToRepaintedScheme(benchmark::State& state) {
    App();
    SilentMessages messages;
    Session session(".", messages);
    Settings settings;
    ui::TfrmVelmar window(session, settings);
    window.show();
    SchemeSolver& solver = session.solver();
    for (auto [cell, value] : {std::pair{cells::DepLat, 44.4},
                               {cells::DepLon, 8.9333},
                               {cells::ArrLat, 40.7},
                               {cells::ArrLon, -74.0},
                               {cells::Vp, 12.0},
                               {cells::DepTf, 8.0},
                               {cells::DepTfDate, double(DayNumber({2026, 12, 6}))}})
        solver.AcceptEntry(cell.group, cell.cell, value);
    QWidget* scheme = window.ValueLabel(cells::DepLat)->parentWidget();
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        solver.AcceptEntry(cells::Vp.group, cells::Vp.cell, flip ? 11.5 : 12.0);
        scheme->repaint();
    }
}
BENCHMARK(BM_KeypadValueToRepaintedScheme)->Unit(benchmark::kMicrosecond);

// The points window: from its activation to the list painted again, for a
// line of 59 legs with times (the most method 3 makes) (the recompute, the list filled, the status
// bar written). The departure's Greenwich time alternates, so that every recompute writes new times
// and the list is filled afresh.
struct FixedKeypad : Keypad {
    double answer = 0;
    bool ShowKeypad(const KeypadRequest&, double& value) override {
        value = answer;
        return true;
    }
};

void BM_PointsActivationToRepaintedList(benchmark::State& state) {
    App();
    SilentMessages messages;
    Session session(".", messages);
    FixedKeypad keypad;
    session.SetKeypad(&keypad);
    Settings settings;
    SchemeSolver& solver = session.solver();
    for (auto [cell, value] : {std::pair{cells::DepLat, 44.4},
                               {cells::DepLon, 8.9333},
                               {cells::ArrLat, 40.7},
                               {cells::ArrLon, -74.0},
                               {cells::Vp, 12.0},
                               {cells::DepTf, 8.0},
                               {cells::DepTfDate, double(DayNumber({2026, 12, 6}))}})
        solver.AcceptEntry(cell.group, cell.cell, value);
    ui::TfrmPunti window(session, settings);
    window.show();
    session.engine().Activate();
    session.points().ChooseMethod(kMethodEquation);
    keypad.answer = 58;  // NrPt: the most points between the ends, 59 legs
    session.points().Spacing(SpacingItem::kNrPt);
    window.Refresh();
    if (session.line().n != 59) state.SkipWithError("not a line of 59 legs");
    const double departure = session.scheme().Value(cells::DepTm);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        session.scheme().SetCell(cells::DepTm, kStateComputed, departure + (flip ? 0.5 : 0));
        window.Activated();
        window.List()->viewport()->repaint();
    }
    state.counters["lines"] = window.List()->count();
}
BENCHMARK(BM_PointsActivationToRepaintedList)->Unit(benchmark::kMicrosecond);

}  // namespace
