// The passage plan of a 59-leg line (60 rows, four pages) with its chart and
// the coastline, from the scheme to the PDF's bytes: what "Piano di
// navigazione..." costs the navigator.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <memory>

#include "chart/PlanDocument.h"
#include "scheme/session/Session.h"

namespace {

using namespace velmar;

struct Silent : MessageSink {
    int MsgBox(const Message&) override { return kMsgYes; }
};

// Types the same number whatever is asked: the spacing dialog's NrPt.
struct FixedKeypad : Keypad {
    double answer = 58;
    bool ShowKeypad(const KeypadRequest&, double& value) override {
        value = answer;
        return true;
    }
};

void BM_PassagePlanPdf(benchmark::State& state) {
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "velmar_bench";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
    Silent silent;
    Session session("/nonexistent", silent);
    FixedKeypad keypad;
    session.SetKeypad(&keypad);
    SchemeSolver& solver = session.solver();
    for (auto [cell, value] : {std::pair{cells::DepLat, 44.4},
                               {cells::DepLon, 8 + 56 / 60.0},
                               {cells::ArrLat, 40.7},
                               {cells::ArrLon, -74.0},
                               {cells::Vp, 12.0},
                               {cells::DepTf, 8.0},
                               {cells::DepTfDate, double(DayNumber({2026, 12, 6}))}})
        solver.AcceptEntry(cell.group, cell.cell, value);
    session.engine().Activate();
    session.points().ChooseMethod(kMethodEquation);
    session.points().Spacing(SpacingItem::kNrPt);
    if (session.line().n != 59) state.SkipWithError("the line is not 59 legs");
    const std::filesystem::path data = VELMAR_DATA_DIR;
    for (auto _ : state) {
        const PlanDocument document =
            MakePlanDocument(session.scheme(), session.line(), session.work(), kMethodEquation, {},
                             LocalMoment{{2026, 12, 6}, 9, 0}, data);
        const QByteArray pdf = PlanDocumentPdf(document);
        benchmark::DoNotOptimize(pdf.size());
    }
}
BENCHMARK(BM_PassagePlanPdf)->Unit(benchmark::kMillisecond);

}  // namespace
