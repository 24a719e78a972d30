// Speed of the scheme's solver: a full passage solved from its entries, and
// one entry into a full scheme (what a keypad OK costs).

#include <benchmark/benchmark.h>

#include "core/DateTime.h"
#include "scheme/Solver.h"

namespace {

using namespace velmar;

class SilentMessages : public MessageSink {
  public:
    int MsgBox(const Message&) override { return kMsgOk; }
};

void EnterPassage(SchemeSolver& solver) {
    solver.AcceptEntry(0, 0, 44.4);
    solver.AcceptEntry(0, 1, 8.9333);
    solver.AcceptEntry(3, 0, 40.7);
    solver.AcceptEntry(3, 1, -74.0);
    solver.AcceptEntry(1, 1, 12.0);
    solver.AcceptEntry(0, 2, 8.0);
    solver.AcceptEntry(0, 3, DayNumber({2026, 12, 6}));
}

void BM_SolvePassageFromEntries(benchmark::State& state) {
    SilentMessages messages;
    for (auto _ : state) {
        Scheme scheme;
        SchemeSolver solver(scheme, messages);
        EnterPassage(solver);
        benchmark::DoNotOptimize(scheme.values);
    }
}
BENCHMARK(BM_SolvePassageFromEntries);

void BM_OneEntryIntoFullScheme(benchmark::State& state) {
    SilentMessages messages;
    Scheme scheme;
    SchemeSolver solver(scheme, messages);
    EnterPassage(solver);
    double speed = 10;
    for (auto _ : state) {
        speed = speed >= 20 ? 10 : speed + 0.1;
        solver.AcceptEntry(1, 1, speed);
        benchmark::DoNotOptimize(scheme.values);
    }
}
BENCHMARK(BM_OneEntryIntoFullScheme);

}  // namespace
