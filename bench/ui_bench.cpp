// Speed of the scheme window: an accepted keypad value until the window is
// painted again (the solver, the cells it rewrites and one repaint of the
// scheme), on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>

#include "core/DateTime.h"
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
    for (auto [cell, value] : {std::pair{cells::DepLat, 44.4}, {cells::DepLon, 8.9333},
                               {cells::ArrLat, 40.7}, {cells::ArrLon, -74.0}, {cells::Vp, 12.0},
                               {cells::DepTf, 8.0}, {cells::DepTfDate, double(DayNumber({2026, 12, 6}))}})
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

}  // namespace
