#include "scheme/Scheme.h"

#include <cassert>

namespace velmar {

void Scheme::SetCell(int group, int cell, int state, double value) {
    assert(IsCell(group, cell));
    prevStates[group][cell] = states[group][cell];
    if (state > 0) prevValues[group][cell] = values[group][cell];
    values[group][cell] = value;
    states[group][cell] = static_cast<std::int8_t>(state);
    if (view && CellRef{group, cell} != cells::Spacing)
        view->ShowCell(group, cell, state, FormatValue(KindOf(group, cell), state, value));
}

void Scheme::Clear() {
    for (int g = 0; g < kGroups; ++g) {
        for (int c = 0; c < kCellsPerGroup; ++c) {
            SetCell(g, c, 0, 0.0);
            prevValues[g][c] = 0;
            prevStates[g][c] = 0;
        }
    }
    for (auto& m : markers) m = 0;
}

void Scheme::Redisplay() {
    for (int g = 0; g < kGroups; ++g)
        for (int c = 0; c < kCellsPerGroup; ++c) SetCell(g, c, states[g][c], values[g][c]);
}

void Scheme::PushHistory(int group, int cell) {
    assert(IsCell(group, cell));
    const CellRef entry{group, cell};
    if (history[0] == entry) return;
    for (int i = kHistoryLength - 1; i > 0; --i) history[i] = history[i - 1];
    history[0] = entry;
}

void Scheme::ResetHistory() {
    history.fill(CellRef{});
}

QuantityKind KindOf(int group, int cell) {
    static constexpr QuantityKind kPosition[kCellsPerGroup] = {
        QuantityKind::Latitude, QuantityKind::Longitude, QuantityKind::TimeOfDay,
        QuantityKind::Date,     QuantityKind::TimeOfDay, QuantityKind::Date};
    static constexpr QuantityKind kPassageAKinds[kCellsPerGroup] = {
        QuantityKind::Course,   QuantityKind::Speed,     QuantityKind::Course,
        QuantityKind::Latitude, QuantityKind::Longitude, QuantityKind::Method};
    static constexpr QuantityKind kPassageBKinds[kCellsPerGroup] = {
        QuantityKind::Distance, QuantityKind::Interval,  QuantityKind::Distance,
        QuantityKind::Latitude, QuantityKind::Longitude, QuantityKind::PointCount};
    if (!IsCell(group, cell)) return QuantityKind::PointCount;
    switch (group) {
        case kPassageA:
            return kPassageAKinds[cell];
        case kPassageB:
            return kPassageBKinds[cell];
        default:
            return kPosition[cell];
    }
}

std::string CellLabel(int group, int cell) {
    static const char* const kPositionNames[kCellsPerGroup] = {
        "Latitudine",  "Longitudine",      "Ora locale",
        "Data locale", "Ora di Greenwich", "Data di Greenwich"};
    static const char* const kPassageANames[kCellsPerGroup] = {
        "Rotta vera",       "Velocità propulsiva", "Rotta iniziale",
        "Latitudine di V1", "Longitudine di V1",   "Metodo per la spezzata"};
    static const char* const kPassageBNames[kCellsPerGroup] = {
        "Cammino lossodromico", "Differenza di tempo", "Cammino Ortodromico",
        "Latitudine di V2",     "Longitudine di V2",   ""};
    if (!IsCell(group, cell)) return {};
    switch (group) {
        case kDeparture:
            return std::string(kPositionNames[cell]) + " di Partenza";
        case kArrival:
            return std::string(kPositionNames[cell]) + " di Arrivo";
        case kPassageA:
            return kPassageANames[cell];
        default:
            return kPassageBNames[cell];
    }
}

}  // namespace velmar
