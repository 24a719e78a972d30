// Speed of the scheme window and the points window. The scheme window: an accepted keypad value
// until the window is painted again (the solver, the cells it rewrites and one repaint of the
// scheme), on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>

#include <QListWidget>
#include "core/DateTime.h"

#include <QKeyEvent>

#include "ui/TfrmCarta.h"
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
    // Never destroyed: Qt's own input devices, made on the first key event,
    // outlive every static of the program and must find the application.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
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

// The chart window with a picture of 1920 x 1080: one zoom step or one pan
// step, from the key event to the window painted again (the view's step,
// the whole picture redrawn, the panels' texts, the repaint), at zoom 100,
// 800 and 3200, without and with "Mappa sempre" (the kept coastline drawn at
// every redraw). Steps alternate there and back so the zoom stays put; at
// zoom 100 the world fills the picture and a pan is refused whole.
void ChartSteps(benchmark::State& state, Qt::Key there, Qt::Key back, Qt::KeyboardModifiers mods) {
    App();
    SilentMessages messages;
    Session session(".", messages);
    SchemeSolver& solver = session.solver();
    for (auto [cell, value] : {std::pair{cells::DepLat, 44.4},
                               {cells::DepLon, 8.9333},
                               {cells::ArrLat, 40.7},
                               {cells::ArrLon, -74.0},
                               {cells::Vp, 12.0}})
        solver.AcceptEntry(cell.group, cell.cell, value);
    session.engine().Activate();
    Settings settings;
    settings.mapAlways = state.range(1) != 0;
    ui::TfrmCarta window(session, settings, VELMAR_DATA_DIR, QSize(1920, 1080));
    window.resize(1920, 1080);  // the whole picture shows, as on a screen of its size
    window.show();
    window.activateWindow();
    for (int i = 0; i < 20 && !window.isActiveWindow(); ++i) QApplication::processEvents();
    if (!window.isActiveWindow()) return state.SkipWithError("the chart window is not active");
    window.ActivateChart();
    const int zoom = static_cast<int>(state.range(0));
    window.View().SetView(zoom, 0.5, 0.5);
    window.Redraw();
    if (zoom == kMaxZoom) std::swap(there, back);  // no step further in
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        QKeyEvent press(QEvent::KeyPress, flip ? there : back, mods);
        QApplication::sendEvent(window.Image(), &press);
        window.repaint();
    }
    state.counters["zoom"] = window.View().Zoom();
    if (settings.mapAlways && window.MapReads() != 1) state.SkipWithError("the map was not kept");
}

void BM_ChartZoomStepToRepaintedWindow(benchmark::State& state) {
    ChartSteps(state, Qt::Key_Plus, Qt::Key_Minus, Qt::KeypadModifier);
}
BENCHMARK(BM_ChartZoomStepToRepaintedWindow)
    ->ArgsProduct({{100, 800, 3200}, {0, 1}})
    ->ArgNames({"zoom", "mapAlways"})
    ->Unit(benchmark::kMillisecond);

void BM_ChartPanStepToRepaintedWindow(benchmark::State& state) {
    ChartSteps(state, Qt::Key_Up, Qt::Key_Down, Qt::ControlModifier);
}
BENCHMARK(BM_ChartPanStepToRepaintedWindow)
    ->ArgsProduct({{100, 800, 3200}, {0, 1}})
    ->ArgNames({"zoom", "mapAlways"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
