// Speed of one full broken-line recompute: 60 legs with leg and point times,
// as every activation of the points window runs it.
#include <benchmark/benchmark.h>

#include <cmath>

#include "brokenline/BrokenLineEngine.h"
#include "brokenline/PointsText.h"
#include "core/DateTime.h"
#include "core/GreatCircle.h"
#include "core/Rhumb.h"

namespace {

class QuietSink : public velmar::MessageSink {
  public:
    int MsgBox(const velmar::Message&) override { return velmar::kMsgOk; }
};

// Yokohama to San Francisco at 15 knots, leaving 3 July 2026 08:00.
void FillPacific(velmar::Scheme& s) {
    using namespace velmar;
    const double lat0 = 35, lon0 = 140, lat1 = 37, lon1 = -122, vp = 15;
    s.SetCell(kDeparture, 0, 1, lat0);
    s.SetCell(kDeparture, 1, 1, lon0);
    s.SetCell(kArrival, 0, 1, lat1);
    s.SetCell(kArrival, 1, 1, lon1);
    const Rhumb rh = RhumbInverse(lat0, lon0, lat1, lon1);
    const GreatCircleRoute gc = GreatCircle(lat0, lon0, lat1, lon1);
    s.SetCell(kPassageA, 0, -1, rh.course);
    s.SetCell(kPassageB, 0, -1, rh.distance);
    s.SetCell(kPassageA, 1, 1, vp);
    s.SetCell(kPassageB, 1, -1, rh.distance / vp);
    s.SetCell(kPassageA, 2, -1, gc.initialCourse);
    s.SetCell(kPassageB, 2, -1, gc.distance);
    s.SetCell(kPassageA, 3, -1, gc.v1Latitude);
    s.SetCell(kPassageA, 4, -1, gc.v1Longitude);
    const int day = DayNumber(CivilDate{2026, 7, 3});
    s.SetCell(kDeparture, 2, 1, 8);
    s.SetCell(kDeparture, 3, 1, day);
    s.SetCell(kDeparture, 4, -1, 23);
    s.SetCell(kDeparture, 5, -1, day - 1);
}

// The Pacific passage ready for a recompute of `method` with 59 or 60 legs.
struct PacificLine {
    explicit PacificLine(int method) {
        using namespace velmar;
        FillPacific(scheme);
        engine.RouteFacts();
        if (method == kMethodPractical) {
            line.practicalChoice = 1;  // 60 legs: the last one to the arrival
            line.dmP = scheme.Value(kPassageB, 2) / 59.5;
            line.dtP = line.dmP / 15;
        } else {
            work.nrPt = 57;  // vertex inside: N = 59
            engine.DeriveSpacing(static_cast<BrokenLineMethod>(method), SpacingItem::kNrPt);
        }
    }
    velmar::Scheme scheme;
    velmar::BrokenLine line;
    velmar::BrokenLineWork work;
    QuietSink sink;
    velmar::BrokenLineEngine engine{scheme, line, work, sink};
};

void BM_RecomputeSixtyLegsWithTimes(benchmark::State& state) {
    const int method = static_cast<int>(state.range(0));
    PacificLine p(method);
    for (auto _ : state) benchmark::DoNotOptimize(p.engine.ComputeBrokenLine(method));
    state.counters["legs"] = p.line.n;
    if (!p.engine.ComputeBrokenLine(method)) state.SkipWithError("recompute failed");
}
BENCHMARK(BM_RecomputeSixtyLegsWithTimes)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

// The points list of that line: 119 lines of positions, courses, distances,
// times and dates, written when the window reads them.
void BM_PointsListSixtyLegs(benchmark::State& state) {
    using velmar::kMethodVertex;
    PacificLine p(kMethodVertex);
    if (!p.engine.ComputeBrokenLine(kMethodVertex)) state.SkipWithError("recompute failed");
    for (auto _ : state)
        benchmark::DoNotOptimize(velmar::FillPointsList(p.line, p.work, kMethodVertex));
}
BENCHMARK(BM_PointsListSixtyLegs)->Unit(benchmark::kMicrosecond);

}  // namespace
