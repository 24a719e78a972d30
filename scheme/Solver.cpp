#include "scheme/Solver.h"

#include <cassert>
#include <cmath>
#include <iterator>

#include "core/Angles.h"
#include "core/DateTime.h"
#include "core/GreatCircle.h"
#include "core/Rhumb.h"

namespace velmar {

namespace {

using namespace cells;

// The thirteen rules in the order a pass runs them. Rules sharing a slot
// exclude each other: the first to run owns the slot until the markers are
// cleared, so a derivation once chosen is never silently replaced by another.
// Rules 1 to 3 read the position's longitude, then the moment's time and date,
// and store the other moment's time and date: RunRule takes those cells from
// the row.
constexpr SolverRule kRules[] = {
    {kRuleDepGreenwich, kSlotDepGreenwich, {DepTm, DepTmDate}, {DepLon, DepTf, DepTfDate}},
    {kRuleArrGreenwich, kSlotArrGreenwich, {ArrTm, ArrTmDate}, {ArrLon, ArrTf, ArrTfDate}},
    {kRuleZoneTime, kSlotDepZoneTime, {DepTf, DepTfDate}, {DepLon, DepTm, DepTmDate}},
    {kRuleZoneTime, kSlotArrZoneTime, {ArrTf, ArrTfDate}, {ArrLon, ArrTm, ArrTmDate}},
    {kRuleDtFromDistance, kSlotPassageTime, {Dt}, {Vp, ml}},
    {kRuleDistanceFromDt, kSlotRhumbDistance, {ml}, {Vp, Dt}},
    {kRuleSpeed, kSlotSpeed, {Vp}, {ml, Dt}},
    {kRuleArrFromDt, kSlotArrGreenwich, {ArrTm, ArrTmDate}, {DepTm, DepTmDate, Dt}},
    {kRuleDtFromMoments, kSlotPassageTime, {Dt}, {DepTm, DepTmDate, ArrTm, ArrTmDate}},
    {kRuleDepFromDt, kSlotDepGreenwich, {DepTm, DepTmDate}, {ArrTm, ArrTmDate, Dt}},
    {kRuleRhumbLine, kSlotRhumbDistance, {Rv, ml}, {DepLat, DepLon, ArrLat, ArrLon}},
    {kRuleGreatCircle, kSlotGreatCircle, {}, {DepLat, DepLon, ArrLat, ArrLon}},
    {kRuleDeadReckoning, kSlotArrPosition, {ArrLat, ArrLon}, {DepLat, DepLon, Rv, ml}},
};

// Every slot a marker index and every cell one of the scheme: the pass
// indexes the markers and the cells with them unchecked.
constexpr bool RulesAddressTheScheme() {
    for (const SolverRule& rule : kRules) {
        if (rule.slot < 0 || rule.slot >= kMarkerSlots) return false;
        for (const CellRef& c : rule.targets)
            if (!IsCell(c)) return false;
        for (const CellRef& c : rule.inputs)
            if (!IsCell(c)) return false;
    }
    return true;
}
static_assert(RulesAddressTheScheme());
static_assert(std::size(kRules) == 13);

}  // namespace

std::span<const SolverRule> SolverRules() {
    return kRules;
}

double CellDateTime(const Scheme& scheme, CellRef time, CellRef date) {
    return scheme.Value(date) + scheme.Value(time) / 24.0;
}

bool SchemeSolver::Solve() {
    for (const SolverRule& rule : kRules) {
        std::uint8_t& marker = scheme_.markers[rule.slot];
        bool eligible = marker == 0 || marker == rule.number;
        for (const CellRef& t : rule.targets) eligible = eligible && scheme_.State(t) < 1;
        for (const CellRef& in : rule.inputs) eligible = eligible && !scheme_.IsEmpty(in);
        if (!eligible) continue;
        marker = static_cast<std::uint8_t>(rule.number);
        if (!RunRule(rule)) return false;
    }
    return true;
}

// Computes a rule and stores its results; on failure reports the failing
// cell and stores nothing.
bool SchemeSolver::RunRule(const SolverRule& rule) {
    Scheme& s = scheme_;
    // A computed moment goes into its time cell first, then its date cell.
    auto storeMoment = [&s](CellRef time, CellRef date, DateTime d) {
        const double day = std::trunc(d);
        s.SetCell(time, kStateComputed, (d - day) * 24.0);
        s.SetCell(date, kStateComputed, day);
    };
    auto fail = [this](CellRef c) {
        ReportOutOfRange(c);
        return false;
    };
    const double mlValue = s.Value(ml), vpValue = s.Value(Vp), dtValue = s.Value(Dt);
    switch (rule.number) {
        case kRuleDepGreenwich:  // 1 and 2: Greenwich time from zone time
        case kRuleArrGreenwich:
        case kRuleZoneTime: {  // 3, departure or arrival: zone time from Greenwich time
            const CellRef* in = rule.inputs.begin();
            const CellRef* out = rule.targets.begin();
            const double longitude = s.Value(in[0]);
            const DateTime from = CellDateTime(s, in[1], in[2]);
            DateTime to = 0;
            const bool ok = rule.number == kRuleZoneTime ? ToZoneTime(longitude, from, to)
                                                         : ToGreenwich(longitude, from, to);
            if (!ok) return fail(out[1]);
            storeMoment(out[0], out[1], to);
            return true;
        }
        // The relations mark the value to compute with a 0 and allow for the
        // rounding of one quotient or product; an input that is itself 0 (a
        // damaged file) would make them compute another value, so it fails.
        case kRuleDtFromDistance: {  // 5: Dt = ml / Vp
            double distance = mlValue, speed = vpValue, time = 0;
            if (mlValue == 0 || vpValue == 0 || !SpeedRelation(distance, speed, time))
                return fail(Dt);
            s.SetCell(Dt, kStateComputed, time);
            return true;
        }
        case kRuleDistanceFromDt: {  // 6: ml = Vp * Dt
            double distance = 0, speed = vpValue, time = dtValue;
            if (!SpeedRelation(distance, speed, time)) return fail(ml);
            s.SetCell(ml, kStateComputed, distance);
            return true;
        }
        case kRuleSpeed: {  // 7: Vp = ml / Dt
            double distance = mlValue, speed = 0, time = dtValue;
            if (mlValue == 0 || !SpeedRelation(distance, speed, time)) return fail(Vp);
            s.SetCell(Vp, kStateComputed, speed);
            return true;
        }
        case kRuleArrFromDt: {  // 8: arrival Greenwich = departure Greenwich + Dt
            DateTime start = CellDateTime(s, DepTm, DepTmDate), end = 0;
            double interval = dtValue;
            if (start == 0 || !IntervalRelation(start, interval, end)) return fail(ArrTmDate);
            storeMoment(ArrTm, ArrTmDate, end);
            return true;
        }
        case kRuleDtFromMoments: {  // 9: Dt = arrival - departure Greenwich, to the millisecond
            DateTime start = CellDateTime(s, DepTm, DepTmDate);
            DateTime end = CellDateTime(s, ArrTm, ArrTmDate);
            double interval = 0;
            if (start == 0 || end == 0 || !IntervalRelation(start, interval, end)) return fail(Dt);
            s.SetCell(Dt, kStateComputed, interval);
            return true;
        }
        case kRuleDepFromDt: {  // 10: departure Greenwich = arrival Greenwich - Dt
            DateTime start = 0, end = CellDateTime(s, ArrTm, ArrTmDate);
            double interval = dtValue;
            if (end == 0 || !IntervalRelation(start, interval, end)) return fail(DepTmDate);
            storeMoment(DepTm, DepTmDate, start);
            return true;
        }
        // The two geometric rules cannot fail as computations, but at the
        // extremes their distances leave the limits every distance keeps:
        // two positions a minute of longitude apart near a pole lie closer
        // than 0.1 mile, a dead-reckoned 0.1 mile there spans a shorter great
        // circle, and the equator nearly to the antipode is over 10800 miles.
        // Those are refused like any other computed value out of its limits.
        case kRuleRhumbLine: {  // 11: rhumb line between the two positions
            const Rhumb r =
                RhumbInverse(s.Value(DepLat), s.Value(DepLon), s.Value(ArrLat), s.Value(ArrLon));
            if (!CellWithinLimits(ml, r.distance)) return fail(ml);
            s.SetCell(Rv, kStateComputed, r.course);
            s.SetCell(ml, kStateComputed, r.distance);
            return true;
        }
        case kRuleGreatCircle: {  // 12: great circle and its vertices
            const GreatCircleRoute gc =
                GreatCircle(s.Value(DepLat), s.Value(DepLon), s.Value(ArrLat), s.Value(ArrLon));
            if (!CellWithinLimits(mo, gc.distance)) return fail(mo);
            s.SetCell(Ri, kStateComputed, gc.initialCourse);
            s.SetCell(mo, kStateComputed, gc.distance);
            s.SetCell(V1Lat, kStateComputed, gc.v1Latitude);
            s.SetCell(V1Lon, kStateComputed, gc.v1Longitude);
            s.SetCell(V2Lat, kStateComputed, gc.v2Latitude());
            s.SetCell(V2Lon, kStateComputed, gc.v2Longitude);
            return true;
        }
        case kRuleDeadReckoning: {  // 13: dead reckoning to the arrival
            const RhumbArrival a =
                RhumbForward(s.Value(DepLat), s.Value(DepLon), s.Value(Rv), mlValue);
            if (!a.ok) return fail(std::fabs(a.latitude) > 90 ? ArrLat : ArrLon);
            s.SetCell(ArrLat, kStateComputed, a.latitude);
            s.SetCell(ArrLon, kStateComputed, a.longitude);
            return true;
        }
    }
    assert(!"a rule without a computation");
    return true;
}

bool SchemeSolver::SolveToFixpoint(int maxPasses) {
    for (int pass = 0; pass < maxPasses; ++pass) {
        if (!Solve()) return false;
        bool stable = true;
        for (int g = 0; g < kGroups; ++g) {
            for (int c = 0; c < kCellsPerGroup; ++c) {
                // The state byte of the spacing cell is a point count, not a state.
                if (CellRef{g, c} == cells::Spacing || scheme_.State(g, c) >= 0) continue;
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
    if (!scheme_.IsEmpty(cells::Method)) scheme_.SetCell(cells::Method, 0, 0);
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
    // The point being entered and the other one, each as latitude and longitude.
    const bool departure = group == kDeparture;
    const CellRef here[2] = {departure ? cells::DepLat : cells::ArrLat,
                             departure ? cells::DepLon : cells::ArrLon};
    const CellRef there[2] = {departure ? cells::ArrLat : cells::DepLat,
                              departure ? cells::ArrLon : cells::DepLon};
    const int otherCoord = cell == 0 ? 1 : 0;
    const Scheme& s = scheme_;
    if (s.IsEmpty(there[0]) || s.IsEmpty(there[1]) || s.IsEmpty(here[otherCoord])) return false;
    return std::fabs(value - s.Value(there[cell])) < kOneMinute &&
           std::fabs(s.Value(here[otherCoord]) - s.Value(there[otherCoord])) < kOneMinute;
}

std::string HistoryNote(const Scheme& scheme) {
    std::string note = "Verifica a ritroso...\r";
    std::string labels;
    for (const CellRef& entry : scheme.history) {
        if (entry.group < 0) break;
        const std::string label = CellLabel(entry);
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
    if (!scheme_.IsEmpty(cells::Ri) && !scheme_.IsEmpty(cells::mo)) return true;
    if (user == GreatCircleUser::Chart)
        messages_.MsgBox({"I", "O", "Velmar3: Modulo Carta", "Niente da visualizzare.", "", ""});
    else
        messages_.MsgBox({"I", "O", "Velmar3: Modulo Punti", "Niente da calcolare.", "", ""});
    return false;
}

bool CellWithinLimits(CellRef cell, double value) {
    if (!std::isfinite(value)) return false;
    if (cell == cells::Spacing) return true;
    switch (KindOf(cell)) {
        case QuantityKind::Latitude:
            return std::fabs(value) <= 90;
        case QuantityKind::Longitude:
            return std::fabs(value) <= 180 ||
                   ((cell == cells::V1Lon || cell == cells::V2Lon) && value == NO_LONGITUDE);
        case QuantityKind::TimeOfDay:
            return value >= 0 && value < 24;
        case QuantityKind::Date:
            return value == std::trunc(value) && YearInRange(value);
        case QuantityKind::Course:
            return value >= 0 && value <= 360;
        case QuantityKind::Speed:
            return WithinLimits(value, kMinSpeed, kMaxSpeed);
        case QuantityKind::Distance:
            return WithinLimits(value, kMinDistance, kMaxDistance);
        case QuantityKind::Interval:
            return WithinLimits(value, kMinInterval, kMaxInterval);
        case QuantityKind::Method:
            return value >= 0 && value < kMethodCount;
        case QuantityKind::PointCount:
            break;
    }
    return true;
}

bool IsInnerVertex(const Scheme& scheme) {
    return IsInnerVertex(scheme.Value(cells::DepLon), scheme.Value(cells::ArrLon),
                         scheme.Value(cells::V1Lon));
}

}  // namespace velmar
