#include "scheme/Solver.h"

#include <cmath>
#include <initializer_list>

#include "core/Angles.h"
#include "core/DateTime.h"
#include "core/GreatCircle.h"
#include "core/Rhumb.h"

namespace velmar {

namespace {

constexpr int kMethodGroup = kPassageA;
constexpr int kMethodCell = 5;

// One rule of the solver: where it keeps its claim, which cells it must not
// overwrite (entered targets stop it) and which it needs.
struct Rule {
    int slot;
    int number;
    std::initializer_list<CellRef> targets;
    std::initializer_list<CellRef> inputs;
};

// The thirteen rules in the order a pass runs them. Rules sharing a slot
// exclude each other: the first to run owns the slot until the markers are
// cleared, so a derivation once chosen is never silently replaced by another.
const Rule kRules[] = {
    {3, 1, {{0, 4}, {0, 5}}, {{0, 1}, {0, 2}, {0, 3}}},
    {33, 2, {{3, 4}, {3, 5}}, {{3, 1}, {3, 2}, {3, 3}}},
    {2, 3, {{0, 2}, {0, 3}}, {{0, 1}, {0, 4}, {0, 5}}},
    {32, 3, {{3, 2}, {3, 3}}, {{3, 1}, {3, 4}, {3, 5}}},
    {21, 5, {{2, 1}}, {{1, 1}, {2, 0}}},
    {20, 6, {{2, 0}}, {{1, 1}, {2, 1}}},
    {11, 7, {{1, 1}}, {{2, 0}, {2, 1}}},
    {33, 8, {{3, 4}, {3, 5}}, {{0, 4}, {0, 5}, {2, 1}}},
    {21, 9, {{2, 1}}, {{0, 4}, {0, 5}, {3, 4}, {3, 5}}},
    {3, 10, {{0, 4}, {0, 5}}, {{3, 4}, {3, 5}, {2, 1}}},
    {20, 11, {{1, 0}, {2, 0}}, {{0, 0}, {0, 1}, {3, 0}, {3, 1}}},
    {22, 12, {}, {{0, 0}, {0, 1}, {3, 0}, {3, 1}}},
    {31, 13, {{3, 0}, {3, 1}}, {{0, 0}, {0, 1}, {1, 0}, {2, 0}}},
};
constexpr int kRuleCount = static_cast<int>(std::size(kRules));

}  // namespace

double CellDateTime(const Scheme& scheme, int group, int timeCell) {
    return scheme.Value(group, timeCell + 1) + scheme.Value(group, timeCell) / 24.0;
}

bool SchemeSolver::Solve() {
    for (int order = 0; order < kRuleCount; ++order) {
        const Rule& rule = kRules[order];
        bool eligible =
            scheme_.markers[rule.slot] == 0 || scheme_.markers[rule.slot] == rule.number;
        for (const CellRef& t : rule.targets)
            eligible = eligible && scheme_.State(t.group, t.cell) < 1;
        for (const CellRef& in : rule.inputs)
            eligible = eligible && !scheme_.IsEmpty(in.group, in.cell);
        if (!eligible) continue;
        scheme_.markers[rule.slot] = static_cast<std::uint8_t>(rule.number);
        if (!RunRule(order)) return false;
    }
    return true;
}

// Computes rule `order` and stores its results; on failure reports the
// failing cell and stores nothing.
bool SchemeSolver::RunRule(int order) {
    Scheme& s = scheme_;
    // A computed moment goes into its time cell first, then its date cell.
    auto storeMoment = [&s](int group, int timeCell, DateTime d) {
        const double day = std::trunc(d);
        s.SetCell(group, timeCell, kStateComputed, (d - day) * 24.0);
        s.SetCell(group, timeCell + 1, kStateComputed, day);
    };
    auto fail = [this](int group, int cell) {
        ReportOutOfRange(group, cell);
        return false;
    };
    const double ml = s.Value(2, 0), vp = s.Value(1, 1), dt = s.Value(2, 1);
    switch (order) {
        case 0:
        case 1: {  // zone time to Greenwich time, departure then arrival
            const int g = order == 0 ? kDeparture : kArrival;
            DateTime greenwich = 0;
            if (!ToGreenwich(s.Value(g, 1), CellDateTime(s, g, 2), greenwich)) return fail(g, 5);
            storeMoment(g, 4, greenwich);
            return true;
        }
        case 2:
        case 3: {  // Greenwich time to zone time
            const int g = order == 2 ? kDeparture : kArrival;
            DateTime zone = 0;
            if (!ToZoneTime(s.Value(g, 1), CellDateTime(s, g, 4), zone)) return fail(g, 3);
            storeMoment(g, 2, zone);
            return true;
        }
        // The relations mark the value to compute with a 0 and allow for the
        // rounding of one quotient or product; an input that is itself 0 (a
        // damaged file) would make them compute another value, so it fails.
        case 4: {  // Dt = ml / Vp
            double distance = ml, speed = vp, time = 0;
            if (ml == 0 || vp == 0 || !SpeedRelation(distance, speed, time)) return fail(2, 1);
            s.SetCell(2, 1, kStateComputed, time);
            return true;
        }
        case 5: {  // ml = Vp * Dt
            double distance = 0, speed = vp, time = dt;
            if (!SpeedRelation(distance, speed, time)) return fail(2, 0);
            s.SetCell(2, 0, kStateComputed, distance);
            return true;
        }
        case 6: {  // Vp = ml / Dt
            double distance = ml, speed = 0, time = dt;
            if (ml == 0 || !SpeedRelation(distance, speed, time)) return fail(1, 1);
            s.SetCell(1, 1, kStateComputed, speed);
            return true;
        }
        case 7: {  // arrival Greenwich = departure Greenwich + Dt
            DateTime start = CellDateTime(s, 0, 4), end = 0;
            double interval = dt;
            if (start == 0 || !IntervalRelation(start, interval, end)) return fail(3, 5);
            storeMoment(kArrival, 4, end);
            return true;
        }
        case 8: {  // Dt = arrival Greenwich - departure Greenwich, kept to the millisecond
            DateTime start = CellDateTime(s, 0, 4), end = CellDateTime(s, 3, 4);
            double interval = 0;
            if (start == 0 || end == 0 || !IntervalRelation(start, interval, end))
                return fail(2, 1);
            s.SetCell(2, 1, kStateComputed, interval);
            return true;
        }
        case 9: {  // departure Greenwich = arrival Greenwich - Dt
            DateTime start = 0, end = CellDateTime(s, 3, 4);
            double interval = dt;
            if (end == 0 || !IntervalRelation(start, interval, end)) return fail(0, 5);
            storeMoment(kDeparture, 4, start);
            return true;
        }
        case 10: {  // rhumb line between the two positions
            const Rhumb r =
                RhumbInverse(s.Value(0, 0), s.Value(0, 1), s.Value(3, 0), s.Value(3, 1));
            s.SetCell(1, 0, kStateComputed, r.course);
            s.SetCell(2, 0, kStateComputed, r.distance);
            return true;
        }
        case 11: {  // great circle and its vertices
            const GreatCircleRoute gc =
                GreatCircle(s.Value(0, 0), s.Value(0, 1), s.Value(3, 0), s.Value(3, 1));
            s.SetCell(1, 2, kStateComputed, gc.initialCourse);
            s.SetCell(2, 2, kStateComputed, gc.distance);
            s.SetCell(1, 3, kStateComputed, gc.v1Latitude);
            s.SetCell(1, 4, kStateComputed, gc.v1Longitude);
            s.SetCell(2, 3, kStateComputed, gc.v2Latitude());
            s.SetCell(2, 4, kStateComputed, gc.v2Longitude);
            return true;
        }
        case 12: {  // dead reckoning to the arrival
            const RhumbArrival a = RhumbForward(s.Value(0, 0), s.Value(0, 1), s.Value(1, 0), ml);
            if (!a.ok) return fail(3, std::fabs(a.latitude) > 90 ? 0 : 1);
            s.SetCell(3, 0, kStateComputed, a.latitude);
            s.SetCell(3, 1, kStateComputed, a.longitude);
            return true;
        }
        default:
            return true;
    }
}

bool SchemeSolver::SolveToFixpoint(int maxPasses) {
    for (int pass = 0; pass < maxPasses; ++pass) {
        if (!Solve()) return false;
        bool stable = true;
        for (int g = 0; g < kGroups; ++g) {
            for (int c = 0; c < kCellsPerGroup; ++c) {
                // The state byte of (2,5) is a point count, not a state.
                if ((g == kPassageB && c == 5) || scheme_.State(g, c) >= 0) continue;
                if (scheme_.values[g][c] != scheme_.prevValues[g][c]) {
                    stable = false;
                    scheme_.prevValues[g][c] = scheme_.values[g][c];
                }
            }
        }
        if (stable) return true;
    }
    messages_.MsgBox({"!", "O", "Velmar3: Fuori campo", "Calcolo non concluso.",
                      "I valori calcolati non si stabilizzano con i dati inseriti.", ""});
    return false;
}

bool SchemeSolver::AcceptEntry(int group, int cell, double value) {
    if (!IsCell(group, cell)) return false;
    scheme_.PushHistory(group, cell);
    scheme_.SetCell(group, cell, kStateEntered, value);
    if (!scheme_.IsEmpty(kMethodGroup, kMethodCell))
        scheme_.SetCell(kMethodGroup, kMethodCell, 0, 0);
    if (SolveToFixpoint()) return true;
    const int prevState = scheme_.prevStates[group][cell];
    const double prevValue = scheme_.prevValues[group][cell];
    scheme_.SetCell(group, cell, prevState, prevValue);
    return false;
}

bool SchemeSolver::CanModify(int group, int cell) {
    if (!IsCell(group, cell)) return false;
    if (scheme_.State(group, cell) >= 0) return true;
    messages_.MsgBox(
        {"!", "O", "Velmar: Modifica", "Non puoi modificare un valore calcolato.", "", ""});
    return false;
}

bool SchemeSolver::PositionsCoincide(int group, int cell, double value) const {
    if ((group != kDeparture && group != kArrival) || (cell != 0 && cell != 1)) return false;
    const int other = group == kDeparture ? kArrival : kDeparture;
    const int otherCoord = cell == 0 ? 1 : 0;
    const Scheme& s = scheme_;
    if (s.IsEmpty(other, 0) || s.IsEmpty(other, 1) || s.IsEmpty(group, otherCoord)) return false;
    return std::fabs(value - s.Value(other, cell)) < kOneMinute &&
           std::fabs(s.Value(group, otherCoord) - s.Value(other, otherCoord)) < kOneMinute;
}

std::string HistoryNote(const Scheme& scheme) {
    std::string note = "Verifica a ritroso...\r";
    std::string labels;
    for (const CellRef& entry : scheme.history) {
        if (entry.group < 0) break;
        const std::string label = CellLabel(entry.group, entry.cell);
        if (labels.find(label) != std::string::npos) continue;
        labels += label + ";\r";
    }
    if (!labels.empty()) labels.resize(labels.size() - 2);
    return note + labels + ".";
}

void SchemeSolver::ReportOutOfRange(int group, int cell) {
    messages_.MsgBox({"I", "O", "Velmar3: Fuori campo", CellLabel(group, cell),
                      "Con i dati inseriti questo valore eccede i limiti minimo-massimo.",
                      HistoryNote(scheme_)});
}

bool SchemeSolver::HasGreatCircle(GreatCircleUser user) {
    if (!scheme_.IsEmpty(1, 2) && !scheme_.IsEmpty(2, 2)) return true;
    if (user == GreatCircleUser::Chart)
        messages_.MsgBox({"I", "O", "Velmar3: Modulo Carta", "Niente da visualizzare.", "", ""});
    else
        messages_.MsgBox({"I", "O", "Velmar3: Modulo Punti", "Niente da calcolare.", "", ""});
    return false;
}

bool IsInnerVertex(const Scheme& scheme) {
    return IsInnerVertex(scheme.Value(kDeparture, 1), scheme.Value(kArrival, 1),
                         scheme.Value(kPassageA, 4));
}

}  // namespace velmar
