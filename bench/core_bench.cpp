// Speed of the sailing computations the solver and the broken line call most.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/GreatCircle.h"
#include "core/Quantity.h"
#include "core/Rhumb.h"

namespace {

struct Pair {
    double lat0, lon0, lat1, lon1;
};

std::vector<Pair> Routes() {
    std::vector<Pair> routes;
    for (int i = 0; i < 64; ++i) {
        const double a = i * 0.37;
        routes.push_back({-60 + (i * 17) % 120 + a, -170 + (i * 53) % 340 + a,
                          -55 + (i * 29) % 110 - a, -175 + (i * 71) % 350 - a});
    }
    return routes;
}

void BM_GreatCircle(benchmark::State& state) {
    const auto routes = Routes();
    std::size_t i = 0;
    for (auto _ : state) {
        const Pair& p = routes[i++ & 63];
        benchmark::DoNotOptimize(velmar::GreatCircle(p.lat0, p.lon0, p.lat1, p.lon1));
    }
}
BENCHMARK(BM_GreatCircle);

void BM_RhumbInverse(benchmark::State& state) {
    const auto routes = Routes();
    std::size_t i = 0;
    for (auto _ : state) {
        const Pair& p = routes[i++ & 63];
        benchmark::DoNotOptimize(velmar::RhumbInverse(p.lat0, p.lon0, p.lat1, p.lon1));
    }
}
BENCHMARK(BM_RhumbInverse);

void BM_RhumbForward(benchmark::State& state) {
    const auto routes = Routes();
    std::size_t i = 0;
    for (auto _ : state) {
        const Pair& p = routes[i++ & 63];
        benchmark::DoNotOptimize(velmar::RhumbForward(p.lat0, p.lon0, 10 + p.lon1 + 180, 1234.5));
    }
}
BENCHMARK(BM_RhumbForward);

void BM_FormatValue(benchmark::State& state) {
    const auto kind = static_cast<velmar::QuantityKind>(state.range(0));
    double v = 41.0883;
    for (auto _ : state) {
        benchmark::DoNotOptimize(velmar::FormatValue(kind, 1, v));
        v += 0.000137;
        if (v > 89) v = 0.5;
    }
}
BENCHMARK(BM_FormatValue)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(6)->Arg(7);

}  // namespace
