// End-to-end scenarios of the solver and the road of an entry: what the
// rules compute, in which order the slots are claimed, undo after an
// out-of-range result, and the messages the user sees.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "core/Angles.h"
#include "core/DateTime.h"
#include "core/GreatCircle.h"
#include "scheme/SchemeEditor.h"
#include "scheme/ScriptedKeypad.h"
#include "tests/scheme/SchemeFakes.h"

namespace velmar {
namespace {

using testing::RecordingMessages;

class SolverScenario : public ::testing::Test {
  protected:
    SolverScenario() { scheme.view = &view; }
    bool Enter(CellRef at, double v) { return solver.AcceptEntry(at, v); }
    void EnterPositions() {
        for (auto [at, v] : {std::tuple{cells::DepLat, 10.0},
                             {cells::DepLon, 0.0},
                             {cells::ArrLat, 30.0},
                             {cells::ArrLon, 40.0}})
            ASSERT_TRUE(Enter(at, v));
    }
    double V(CellRef c) const { return scheme.Value(c); }
    int S(CellRef c) const { return scheme.State(c); }

    Scheme scheme;
    testing::RecordingView view;
    RecordingMessages messages;
    SchemeSolver solver{scheme, messages};
};

TEST_F(SolverScenario, PositionsGiveRhumbLineAndGreatCircle) {
    EnterPositions();
    // The figures themselves, as shown, are checked by the cli's JSON run.
    EXPECT_EQ(V(cells::V2Lat), -V(cells::V1Lat));  // exactly, not approximately
    for (CellRef c : {cells::Rv, cells::ml, cells::Ri, cells::mo, cells::V1Lat, cells::V1Lon,
                      cells::V2Lat, cells::V2Lon})
        EXPECT_EQ(S(c), kStateComputed) << CellLabel(c);
    EXPECT_EQ(std::tuple(scheme.markers[20], scheme.markers[22]), std::tuple(11, 12));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SolverScenario, SpeedThenDepartureTimeFillsEveryTime) {
    EnterPositions();
    ASSERT_TRUE(Enter(cells::Vp, 12));
    EXPECT_NEAR(V(cells::Dt), V(cells::ml) / 12, 1e-12);  // rule 5
    EXPECT_EQ(S(cells::Dt), kStateComputed);
    EXPECT_FALSE(solver.CanModify(cells::Dt));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].header, "Non puoi modificare un valore calcolato.");
    const double day = DayNumber({2026, 12, 6});
    ASSERT_TRUE(Enter(cells::DepTf, 8.0) && Enter(cells::DepTfDate, day));
    // Longitude 0: Greenwich equals zone time (rule 1), exact to ~1e-10 h.
    EXPECT_NEAR(V(cells::DepTm), 8.0, 1e-9);
    EXPECT_EQ(V(cells::DepTmDate), day);
    // Rule 8 from departure Greenwich plus Dt, rule 4 to the arrival zone (+3 h at 40 E).
    const double arrival = day + (8.0 + V(cells::Dt)) / 24.0;
    EXPECT_NEAR(V(cells::ArrTmDate) + V(cells::ArrTm) / 24.0, arrival, 1e-9);
    EXPECT_NEAR(V(cells::ArrTfDate) + V(cells::ArrTf) / 24.0, arrival + 3.0 / 24.0, 1e-9);
    for (auto [slot, rule] : {std::pair{3, 1}, {33, 8}, {32, 3}, {21, 5}, {2, 0}})
        EXPECT_EQ(scheme.markers[slot], rule) << slot;
}

TEST_F(SolverScenario, SpeedAndIntervalFirstOwnTheDistanceSlot) {
    ASSERT_TRUE(Enter(cells::Vp, 10) && Enter(cells::Dt, 100));
    EXPECT_DOUBLE_EQ(V(cells::ml), 1000);  // rule 6
    EnterPositions();
    EXPECT_EQ(scheme.markers[20], 6);
    EXPECT_DOUBLE_EQ(V(cells::ml), 1000);     // rule 11 never replaces it
    EXPECT_EQ(S(cells::Rv), kStateEmpty);     // so Rv stays empty
    EXPECT_EQ(S(cells::Ri), kStateComputed);  // while the great circle is solved
}

TEST_F(SolverScenario, DeadReckoningFromCourseAndDistance) {
    for (auto [at, v] : {std::tuple{cells::DepLat, 10.0},
                         {cells::DepLon, 0.0},
                         {cells::Rv, 45.0},
                         {cells::ml, 600.0}})
        ASSERT_TRUE(Enter(at, v));
    EXPECT_EQ(scheme.markers[31], 13);
    EXPECT_EQ(scheme.markers[20], 0);  // rule 11: its targets are entered
    EXPECT_EQ(S(cells::ArrLat), kStateComputed);
    EXPECT_NEAR(V(cells::ArrLat), 10 + 600 * std::cos(45 * kDegToRad) / 60, 1e-9);
    EXPECT_EQ(S(cells::Ri), kStateComputed);  // rule 12 runs on the computed arrival
}

TEST_F(SolverScenario, OutOfRangeUndoesTheEntryAndNamesTheCell) {
    EnterPositions();
    EXPECT_FALSE(Enter(cells::Vp, 2));  // 2 knots: Dt would exceed 999.999 hours
    EXPECT_EQ(std::pair(S(cells::Vp), V(cells::Vp)), std::pair(kStateEmpty, 0.0));
    ASSERT_EQ(messages.shown.size(), 1u);  // its note: the entry history, most recent first
    EXPECT_EQ(messages.shown[0].note,
              "Verifica a ritroso...\rVelocità propulsiva;\rLongitudine di Arrivo;\r"
              "Latitudine di Arrivo;\rLongitudine di Partenza.");
    EXPECT_EQ(S(cells::Dt), kStateEmpty);
    ASSERT_TRUE(Enter(cells::Vp, 12));
    EXPECT_FALSE(Enter(cells::Vp, 2));  // a modification is undone to the old value
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown.back().header, "Differenza di tempo");  // the cell out of range
    EXPECT_EQ(std::pair(S(cells::Vp), V(cells::Vp)), std::pair(kStateEntered, 12.0));
    EXPECT_NEAR(V(cells::Dt), V(cells::ml) / 12, 1e-12);
}

// Regression: the geometric rules stored distances outside the limits of
// every distance (a great circle of 0.0995 mile under a dead-reckoned 0.1
// mile, found by the random user). They are refused as any computed value
// out of its limits is.
TEST_F(SolverScenario, GeometricDistanceOutsideItsLimitsIsRefused) {
    const struct {
        const char* what;
        std::vector<std::pair<CellRef, double>> entries;
        CellRef refused;
    } cases[] = {
        // The rhumb line counts the spheroid, the great circle the sphere:
        // on an oblique course the great circle is up to 0.5 % shorter.
        {"0.1 mile north-east",
         {{cells::DepLat, 44.4}, {cells::DepLon, 8.9}, {cells::Rv, 45.0}, {cells::ml, 0.1}},
         cells::mo},
        {"two minutes of longitude apart at 89.99 N",
         {{cells::DepLat, 89.99}, {cells::DepLon, 0.0}, {cells::ArrLat, 89.99},
          {cells::ArrLon, 2 / 60.0}},
         cells::ml},
        {"a minute off the equator to 179 E",
         {{cells::DepLat, 1 / 60.0}, {cells::DepLon, 0.0}, {cells::ArrLat, 0.0},
          {cells::ArrLon, 179.0}},
         cells::ml},
        {"a latitude that is not a number",
         {{cells::DepLon, 0.0}, {cells::ArrLat, 30.0}, {cells::ArrLon, 40.0},
          {cells::DepLat, std::numeric_limits<double>::quiet_NaN()}},
         cells::ml},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Scheme scheme;
        RecordingMessages messages;
        SchemeSolver solver(scheme, messages);
        for (std::size_t i = 0; i + 1 < c.entries.size(); ++i)
            ASSERT_TRUE(solver.AcceptEntry(c.entries[i].first, c.entries[i].second));
        const auto [last, value] = c.entries.back();
        EXPECT_FALSE(solver.AcceptEntry(last, value));
        EXPECT_EQ(scheme.State(last), kStateEmpty);  // the entry undone
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].header, CellLabel(c.refused));
        for (CellRef cell : {cells::ml, cells::mo})
            EXPECT_TRUE(scheme.State(cell) >= 0 || CellWithinLimits(cell, scheme.Value(cell)))
                << CellLabel(cell);
    }
}

// Results that lie on a limit exactly, although the double of their quotient
// or of a difference of two moments falls a hair below it, stand.
TEST(SolverLimits, ResultOnTheLimitIsNotRefusedForItsLastBit) {
    struct Case {
        const char* what;
        std::vector<std::pair<CellRef, double>> entries;
        double dt;
    };
    const double day = DayNumber({2026, 12, 6});
    const Case cases[] = {
        {"rule 5: 1.2 miles at 12 knots", {{cells::Vp, 12}, {cells::ml, 1.2}}, 0.1},
        {"rule 9: 6 minutes apart",
         {{cells::DepTm, 10},
          {cells::DepTmDate, day},
          {cells::ArrTm, 10.1},
          {cells::ArrTmDate, day}},
         0.1},
        {"rule 9: a day apart",
         {{cells::DepTm, 7},
          {cells::DepTmDate, day},
          {cells::ArrTm, 7},
          {cells::ArrTmDate, day + 1}},
         24},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Scheme scheme;
        RecordingMessages messages;
        SchemeSolver solver(scheme, messages);
        for (auto [at, v] : k.entries) EXPECT_TRUE(solver.AcceptEntry(at, v));
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(scheme.State(cells::Dt), kStateComputed);
        EXPECT_NEAR(scheme.Value(cells::Dt), k.dt, 1e-12);
    }
}

// The limits a computed cell keeps, by kind, on both sides of each limit;
// the window tests check every computed cell against them.
TEST(SolverLimits, CellWithinLimitsByKind) {
    const double day = DayNumber({2026, 12, 6});
    const struct {
        CellRef cell;
        double value;
        bool within;
    } cases[] = {
        {cells::ArrLat, -90, true},
        {cells::ArrLat, 90.0001, false},
        {cells::ArrLon, -180, true},
        {cells::ArrLon, 180.0001, false},
        {cells::ArrLon, NO_LONGITUDE, false},
        {cells::V1Lon, NO_LONGITUDE, true},
        {cells::DepTm, 0, true},
        {cells::DepTm, 24, false},
        {cells::DepTm, -0.001, false},
        {cells::DepTmDate, day, true},
        {cells::DepTmDate, day + 0.5, false},
        {cells::DepTmDate, double(DayNumber({1899, 12, 31})), false},
        {cells::Rv, 360, true},
        {cells::Rv, -1, false},
        {cells::Vp, 0.1 * 10, true},
        {cells::Vp, 99.91, false},
        {cells::ml, 0.1, true},
        {cells::ml, 10800.01, false},
        {cells::Dt, 1.2 / 12, true},
        {cells::Dt, 1000, false},
        {cells::Method, 4, true},
        {cells::Method, 5, false},
        {cells::Spacing, 1e9, true},
        {cells::mo, std::nan(""), false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(CellLabel(k.cell) + " " + std::to_string(k.value));
        EXPECT_EQ(CellWithinLimits(k.cell, k.value), k.within);
    }
}

TEST_F(SolverScenario, ArrivalYearBeyond9999IsOutOfRange) {
    for (auto [at, v] : {std::tuple{cells::DepLon, 0.0}, {cells::Dt, 48.0}, {cells::DepTf, 12.0}})
        ASSERT_TRUE(Enter(at, v));
    EXPECT_FALSE(Enter(cells::DepTfDate, DayNumber({9999, 12, 31})));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().header, "Data di Greenwich di Arrivo");
    EXPECT_EQ(S(cells::DepTfDate), kStateEmpty);
}

TEST_F(SolverScenario, HistoryNoteListsDistinctEntriesMostRecentFirst) {
    EXPECT_EQ(HistoryNote(scheme), "Verifica a ritroso...\r.");
    EnterPositions();
    ASSERT_TRUE(Enter(cells::ArrLon, 41));  // same cell again: no second history entry
    EXPECT_EQ(scheme.history[1], cells::ArrLat);
    EXPECT_EQ(HistoryNote(scheme),
              "Verifica a ritroso...\rLongitudine di Arrivo;\rLatitudine di Arrivo;\r"
              "Longitudine di Partenza;\rLatitudine di Partenza.");
}

TEST_F(SolverScenario, EveryEntryClearsTheChosenMethod) {
    scheme.SetCell(cells::Method, kStateEntered, 2);
    view.writes.clear();
    ASSERT_TRUE(Enter(cells::Vp, 12));
    EXPECT_EQ(std::pair(S(cells::Method), V(cells::Method)), std::pair(kStateEmpty, 0.0));
    const auto last = std::find_if(view.writes.rbegin(), view.writes.rend(), [](const auto& w) {
        return CellRef{w.group, w.cell} == cells::Method;
    });
    ASSERT_NE(last, view.writes.rend());
    EXPECT_EQ(std::pair(last->state, last->text), std::pair(0, std::string("Automatico")));
}

TEST_F(SolverScenario, BothGreenwichTimesAndIntervalEnteredAreNotCrossChecked) {
    for (auto [at, v] : {std::tuple{cells::DepTm, 8.0},
                         {cells::DepTmDate, 40000.0},
                         {cells::Dt, 5.0},
                         {cells::ArrTm, 20.0},
                         {cells::ArrTmDate, 40000.0}})
        ASSERT_TRUE(Enter(at, v));
    EXPECT_EQ(V(cells::Dt), 5);  // 12 hours apart, but Dt stays as entered
    EXPECT_EQ(scheme.markers[21], 0);
}

TEST_F(SolverScenario, ValueThatNeverSettlesFailsAtPassLimit) {
    // One pass cannot show that the values of its first pass have settled.
    for (auto [at, v] : {std::tuple{cells::DepLat, 10.0},
                         {cells::DepLon, 0.0},
                         {cells::ArrLat, 30.0},
                         {cells::ArrLon, 40.0}})
        scheme.SetCell(at, kStateEntered, v);
    EXPECT_FALSE(solver.SolveToFixpoint(1));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].header, "Calcolo non concluso.");
}

TEST_F(SolverScenario, PositionsCoincideWithinOneMinuteInBothCoordinates) {
    scheme.SetCell(cells::DepLat, 1, 10);
    scheme.SetCell(cells::DepLon, 1, 20);
    scheme.SetCell(cells::ArrLat, 1, 40);
    // Both within a minute; latitude 1.2' apart; longitude 1.2' apart.
    for (auto [lat, lon, expected] :
         {std::tuple{10.01, 20.01, true}, {10.02, 20.0, false}, {10.0, 20.02, false}}) {
        SCOPED_TRACE(::testing::Message() << lat << " " << lon);
        scheme.SetCell(cells::ArrLon, 1, lon);
        EXPECT_EQ(solver.PositionsCoincide(cells::ArrLat, lat), expected);
    }
    scheme.SetCell(cells::DepLon, 0, 0);  // the other point incomplete: never
    EXPECT_FALSE(solver.PositionsCoincide(cells::ArrLat, 10));
}

TEST_F(SolverScenario, GreatCircleUsersGetTheirOwnRefusal) {
    EXPECT_FALSE(solver.HasGreatCircle(GreatCircleUser::Chart));
    EXPECT_FALSE(solver.HasGreatCircle(GreatCircleUser::Points));
    EXPECT_EQ(messages.Headers(),
              (std::vector<std::string>{"Niente da visualizzare.", "Niente da calcolare."}));
    EnterPositions();
    EXPECT_TRUE(solver.HasGreatCircle(GreatCircleUser::Chart));
    EXPECT_FALSE(IsInnerVertex(scheme));  // V1 at 75.6 E lies beyond 40 E
}

// EditCell drives the keypad: refusals come before it is opened or after it
// closes, and the entry goes through the keypad's checks.
class EditCellScenario : public SolverScenario {
  protected:
    ScriptedKeypad keypad{messages, scheme.saved, CivilDate{2026, 12, 6}};
    SchemeEditor editor{scheme, messages, keypad};
    EditOutcome Type(CellRef at, int a, int b, int d, char h = 0) {
        keypad.Push(KeypadTyping::Fields(a, b, d, h));
        return editor.EditCell(at);
    }
};

TEST_F(EditCellScenario, TypedEntriesSolveAndClearSaved) {
    EXPECT_EQ(Type(cells::DepLat, 10, 0, 0, 'N'), EditOutcome::Accepted);
    EXPECT_FALSE(scheme.saved);
    EXPECT_EQ(std::pair(keypad.LastRequest()->insert, keypad.LastRequest()->upper),
              std::pair(true, 90.0));
    EXPECT_EQ(Type(cells::DepLon, 0, 0, 0), EditOutcome::Accepted);
    EXPECT_EQ(Type(cells::ArrLon, 0, 0, 30, 'E'), EditOutcome::Accepted);
    EXPECT_EQ(Type(cells::ArrLat, 10, 0, 30, 'N'), EditOutcome::PositionsCoincide);
    EXPECT_EQ(messages.shown.back().header, "Le coordinate di partenza e di arrivo coincidono.");
    EXPECT_EQ(Type(cells::ArrLat, 30, 0, 0, 'N'), EditOutcome::Accepted);
    EXPECT_EQ(Type(cells::ArrLon, 40, 0, 0, 'E'), EditOutcome::Accepted);
    EXPECT_EQ(Type(cells::ml, 100, 0, 0), EditOutcome::Computed);
    EXPECT_EQ(Type(cells::Ri, 1, 0, 0), EditOutcome::NotEditable);
}

TEST_F(EditCellScenario, UnchangedValueLeavesSchemeSaved) {
    ASSERT_EQ(Type(cells::DepLat, 45, 30, 0, 'N'), EditOutcome::Accepted);
    scheme.saved = true;
    EXPECT_EQ(Type(cells::DepLat, 45, 30, 0, 'N'), EditOutcome::KeypadClosed);
    EXPECT_EQ(keypad.LastClose(), KeypadClose::Unchanged);
    EXPECT_TRUE(scheme.saved);
}

// Random entries of every entry cell, typed through the keypad: whatever
// the order, the solver never touches an entered cell, leaves only valid
// states, and a scheme it accepted is already at its fixed point.
TEST(SolverProperty, RandomEntrySequencesKeepEnteredCellsAndSettle) {
    constexpr unsigned kSeed = 20261206;
    std::printf("SolverProperty seed %u\n", kSeed);
    std::mt19937 random(kSeed);
    auto pick = [&random](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    using namespace cells;
    const CellRef entryCells[] = {DepLat, DepLon,    DepTf, DepTfDate, DepTm,  DepTmDate,
                                  Rv,     Vp,        ml,    Dt,        ArrLat, ArrLon,
                                  ArrTf,  ArrTfDate, ArrTm, ArrTmDate};
    for (int run = 0; run < 200; ++run) {
        Scheme scheme;
        RecordingMessages messages;
        ScriptedKeypad keypad(messages, scheme.saved, CivilDate{2026, 12, 6});
        SchemeEditor editor(scheme, messages, keypad);
        for (int step = 0; step < 12; ++step) {
            const CellRef at = entryCells[pick(0, 15)];
            SCOPED_TRACE(::testing::Message() << "run " << run << " step " << step << " cell "
                                              << at.group << "," << at.cell);
            const QuantityKind kind = KindOf(at);
            const bool lat = kind == QuantityKind::Latitude;
            if (lat || kind == QuantityKind::Longitude)
                keypad.Push(KeypadTyping::Fields(pick(0, lat ? 89 : 179), pick(0, 59), 0,
                                                 pick(0, 1) ? "NE"[!lat] : "SW"[!lat]));
            else if (kind == QuantityKind::Date)
                keypad.Push(KeypadTyping::Fields(pick(1, 28), pick(1, 12), pick(1900, 9999)));
            else
                keypad.Push(KeypadTyping::Fields(pick(1, 23), pick(0, 9), pick(0, 59)));
            const Scheme before = scheme;
            editor.EditCell(at);
            keypad.Clear();
            for (int g = 0; g < kGroups; ++g)
                for (int c = 0; c < kCellsPerGroup; ++c) {
                    if (CellRef{g, c} == Spacing) continue;
                    EXPECT_TRUE(scheme.State(g, c) >= -1 && scheme.State(g, c) <= 1);
                    if ((g != at.group || c != at.cell) && before.State(g, c) == kStateEntered) {
                        EXPECT_EQ(std::pair(scheme.State(g, c), scheme.Value(g, c)),
                                  std::pair(kStateEntered, before.Value(g, c)));
                    }
                }
            if (messages.shown.empty()) {
                Scheme settled = scheme;
                SchemeSolver again(settled, messages);
                ASSERT_TRUE(again.SolveToFixpoint());
                EXPECT_EQ(std::memcmp(settled.values, scheme.values, sizeof scheme.values), 0);
            }
            messages.shown.clear();
        }
    }
}

}  // namespace
}  // namespace velmar
