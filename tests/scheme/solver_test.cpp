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
#include "scheme/SchemeEditor.h"
#include "scheme/ScriptedKeypad.h"
#include "tests/scheme/SchemeFakes.h"

namespace velmar {
namespace {

using testing::RecordingMessages;

constexpr int kDep = kDeparture, kArr = kArrival;

class SolverScenario : public ::testing::Test {
  protected:
    SolverScenario() { scheme.view = &view; }
    bool Enter(int g, int c, double v) { return solver.AcceptEntry(g, c, v); }
    void EnterPositions() {
        for (auto [g, c, v] :
             {std::tuple{kDep, 0, 10.0}, {kDep, 1, 0.0}, {kArr, 0, 30.0}, {kArr, 1, 40.0}})
            ASSERT_TRUE(Enter(g, c, v));
    }
    double V(int g, int c) const { return scheme.Value(g, c); }
    int S(int g, int c) const { return scheme.State(g, c); }

    Scheme scheme;
    testing::RecordingView view;
    RecordingMessages messages;
    SchemeSolver solver{scheme, messages};
};

TEST_F(SolverScenario, PositionsGiveRhumbLineAndGreatCircle) {
    EnterPositions();
    // The figures themselves, as shown, are checked by the cli's JSON run.
    EXPECT_EQ(V(2, 3), -V(1, 3));  // exactly, not approximately
    for (auto [g, c] : {std::pair{1, 0}, {2, 0}, {1, 2}, {2, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}})
        EXPECT_EQ(S(g, c), kStateComputed) << g << "," << c;
    EXPECT_EQ(std::tuple(scheme.markers[20], scheme.markers[22]), std::tuple(11, 12));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SolverScenario, SpeedThenDepartureTimeFillsEveryTime) {
    EnterPositions();
    ASSERT_TRUE(Enter(1, 1, 12));
    EXPECT_NEAR(V(2, 1), V(2, 0) / 12, 1e-12);  // rule 5
    EXPECT_EQ(S(2, 1), kStateComputed);
    EXPECT_FALSE(solver.CanModify(2, 1));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title + "|" + messages.shown[0].header,
              "Velmar: Modifica|Non puoi modificare un valore calcolato.");
    const double day = DayNumber({2026, 12, 6});
    ASSERT_TRUE(Enter(kDep, 2, 8.0) && Enter(kDep, 3, day));
    // Longitude 0: Greenwich equals zone time (rule 1), exact to ~1e-10 h.
    EXPECT_NEAR(V(kDep, 4), 8.0, 1e-9);
    EXPECT_EQ(V(kDep, 5), day);
    // Rule 8 from departure Greenwich plus Dt, rule 4 to the arrival zone (+3 h at 40 E).
    const double arrival = day + (8.0 + V(2, 1)) / 24.0;
    EXPECT_NEAR(V(kArr, 5) + V(kArr, 4) / 24.0, arrival, 1e-9);
    EXPECT_NEAR(V(kArr, 3) + V(kArr, 2) / 24.0, arrival + 3.0 / 24.0, 1e-9);
    for (auto [slot, rule] : {std::pair{3, 1}, {33, 8}, {32, 3}, {21, 5}, {2, 0}})
        EXPECT_EQ(scheme.markers[slot], rule) << slot;
}

TEST_F(SolverScenario, SpeedAndIntervalFirstOwnTheDistanceSlot) {
    ASSERT_TRUE(Enter(1, 1, 10) && Enter(2, 1, 100));
    EXPECT_DOUBLE_EQ(V(2, 0), 1000);  // rule 6
    EnterPositions();
    EXPECT_EQ(scheme.markers[20], 6);
    EXPECT_DOUBLE_EQ(V(2, 0), 1000);     // rule 11 never replaces it
    EXPECT_EQ(S(1, 0), kStateEmpty);     // so Rv stays empty
    EXPECT_EQ(S(1, 2), kStateComputed);  // while the great circle is solved
}

TEST_F(SolverScenario, DeadReckoningFromCourseAndDistance) {
    for (auto [g, c, v] : {std::tuple{kDep, 0, 10.0}, {kDep, 1, 0.0}, {1, 0, 45.0}, {2, 0, 600.0}})
        ASSERT_TRUE(Enter(g, c, v));
    EXPECT_EQ(scheme.markers[31], 13);
    EXPECT_EQ(scheme.markers[20], 0);  // rule 11: its targets are entered
    EXPECT_EQ(S(kArr, 0), kStateComputed);
    EXPECT_NEAR(V(kArr, 0), 10 + 600 * std::cos(45 * kDegToRad) / 60, 1e-9);
    EXPECT_EQ(S(1, 2), kStateComputed);  // rule 12 runs on the computed arrival
}

TEST_F(SolverScenario, OutOfRangeUndoesTheEntryAndNamesTheCell) {
    EnterPositions();
    EXPECT_FALSE(Enter(1, 1, 2));  // 2 knots: Dt would exceed 999.999 hours
    EXPECT_EQ(std::pair(S(1, 1), V(1, 1)), std::pair(kStateEmpty, 0.0));
    EXPECT_EQ(S(2, 1), kStateEmpty);
    ASSERT_TRUE(Enter(1, 1, 12));
    EXPECT_FALSE(Enter(1, 1, 2));  // a modification is undone to the old value
    ASSERT_EQ(messages.shown.size(), 2u);
    const Message& m = messages.shown.back();
    EXPECT_EQ(m.icon + "|" + m.title + "|" + m.header + "|" + m.message,
              "I|Velmar3: Fuori campo|Differenza di tempo|"
              "Con i dati inseriti questo valore eccede i limiti minimo-massimo.");
    EXPECT_EQ(std::pair(S(1, 1), V(1, 1)), std::pair(kStateEntered, 12.0));
    EXPECT_NEAR(V(2, 1), V(2, 0) / 12, 1e-12);
}

// Results that lie on a limit exactly, although the double of their quotient
// or of a difference of two moments falls a hair below it, stand.
TEST(SolverLimits, ResultOnTheLimitIsNotRefusedForItsLastBit) {
    struct Case {
        const char* what;
        std::vector<std::tuple<int, int, double>> entries;
        double dt;
    };
    const double day = DayNumber({2026, 12, 6});
    const Case cases[] = {
        {"rule 5: 1.2 miles at 12 knots", {{1, 1, 12}, {2, 0, 1.2}}, 0.1},
        {"rule 9: 6 minutes apart",
         {{kDep, 4, 10}, {kDep, 5, day}, {kArr, 4, 10.1}, {kArr, 5, day}},
         0.1},
        {"rule 9: a day apart",
         {{kDep, 4, 7}, {kDep, 5, day}, {kArr, 4, 7}, {kArr, 5, day + 1}},
         24},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Scheme scheme;
        RecordingMessages messages;
        SchemeSolver solver(scheme, messages);
        for (auto [g, c, v] : k.entries) EXPECT_TRUE(solver.AcceptEntry(g, c, v));
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(scheme.State(2, 1), kStateComputed);
        EXPECT_NEAR(scheme.Value(2, 1), k.dt, 1e-12);
    }
}

TEST_F(SolverScenario, ArrivalYearBeyond9999IsOutOfRange) {
    for (auto [g, c, v] : {std::tuple{kDep, 1, 0.0}, {2, 1, 48.0}, {kDep, 2, 12.0}})
        ASSERT_TRUE(Enter(g, c, v));
    EXPECT_FALSE(Enter(kDep, 3, DayNumber({9999, 12, 31})));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().header, "Data di Greenwich di Arrivo");
    EXPECT_EQ(S(kDep, 3), kStateEmpty);
}

TEST_F(SolverScenario, HistoryNoteListsDistinctEntriesMostRecentFirst) {
    EXPECT_EQ(HistoryNote(scheme), "Verifica a ritroso...\r.");
    EnterPositions();
    ASSERT_TRUE(Enter(kArr, 1, 41));  // same cell again: no second history entry
    EXPECT_EQ(scheme.history[1], (CellRef{3, 0}));
    EXPECT_EQ(HistoryNote(scheme),
              "Verifica a ritroso...\rLongitudine di Arrivo;\rLatitudine di Arrivo;\r"
              "Longitudine di Partenza;\rLatitudine di Partenza.");
    EXPECT_FALSE(Enter(1, 1, 1));
    EXPECT_EQ(messages.shown.back().note,
              "Verifica a ritroso...\rVelocità propulsiva;\rLongitudine di Arrivo;\r"
              "Latitudine di Arrivo;\rLongitudine di Partenza.");
}

TEST_F(SolverScenario, EveryEntryClearsTheChosenMethod) {
    scheme.SetCell(1, 5, kStateEntered, 2);
    view.writes.clear();
    ASSERT_TRUE(Enter(1, 1, 12));
    EXPECT_EQ(std::pair(S(1, 5), V(1, 5)), std::pair(kStateEmpty, 0.0));
    const auto last = std::find_if(view.writes.rbegin(), view.writes.rend(),
                                   [](const auto& w) { return w.group == 1 && w.cell == 5; });
    ASSERT_NE(last, view.writes.rend());
    EXPECT_EQ(std::pair(last->state, last->text), std::pair(0, std::string("Automatico")));
}

TEST_F(SolverScenario, BothGreenwichTimesAndIntervalEnteredAreNotCrossChecked) {
    for (auto [g, c, v] : {std::tuple{kDep, 4, 8.0},
                           {kDep, 5, 40000.0},
                           {2, 1, 5.0},
                           {kArr, 4, 20.0},
                           {kArr, 5, 40000.0}})
        ASSERT_TRUE(Enter(g, c, v));
    EXPECT_EQ(V(2, 1), 5);  // 12 hours apart, but Dt stays as entered
    EXPECT_EQ(scheme.markers[21], 0);
}

TEST_F(SolverScenario, ValueThatNeverSettlesFailsAtPassLimit) {
    for (auto [g, c, v] : {std::tuple{kDep, 1, 0.0}, {kArr, 0, 30.0}, {kArr, 1, 40.0}})
        ASSERT_TRUE(Enter(g, c, v));
    // A NaN latitude gives NaN results, which never compare equal.
    EXPECT_FALSE(Enter(kDep, 0, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(S(kDep, 0), kStateEmpty);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().header, "Calcolo non concluso.");
}

TEST_F(SolverScenario, PositionsCoincideWithinOneMinuteInBothCoordinates) {
    scheme.SetCell(kDep, 0, 1, 10);
    scheme.SetCell(kDep, 1, 1, 20);
    scheme.SetCell(kArr, 0, 1, 40);
    // Both within a minute; latitude 1.2' apart; longitude 1.2' apart.
    for (auto [lat, lon, expected] :
         {std::tuple{10.01, 20.01, true}, {10.02, 20.0, false}, {10.0, 20.02, false}}) {
        SCOPED_TRACE(::testing::Message() << lat << " " << lon);
        scheme.SetCell(kArr, 1, 1, lon);
        EXPECT_EQ(solver.PositionsCoincide(kArr, 0, lat), expected);
    }
    scheme.SetCell(kDep, 1, 0, 0);  // the other point incomplete: never
    EXPECT_FALSE(solver.PositionsCoincide(kArr, 0, 10));
}

TEST_F(SolverScenario, GreatCircleUsersGetTheirOwnRefusal) {
    EXPECT_FALSE(solver.HasGreatCircle(GreatCircleUser::Chart));
    EXPECT_FALSE(solver.HasGreatCircle(GreatCircleUser::Points));
    ASSERT_EQ(messages.shown.size(), 2u);
    for (auto [i, title, header] :
         {std::tuple{0, "Velmar3: Modulo Carta", "Niente da visualizzare."},
          {1, "Velmar3: Modulo Punti", "Niente da calcolare."}})
        EXPECT_EQ(messages.shown[i].title + "|" + messages.shown[i].header,
                  std::string(title) + "|" + header);
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
    EditOutcome Type(int g, int c, int a, int b, int d, char h = 0) {
        keypad.Push(KeypadTyping::Fields(a, b, d, h));
        return editor.EditCell(g, c);
    }
};

TEST_F(EditCellScenario, TypedEntriesSolveAndClearSaved) {
    EXPECT_EQ(Type(kDep, 0, 10, 0, 0, 'N'), EditOutcome::Accepted);
    EXPECT_FALSE(scheme.saved);
    EXPECT_EQ(std::pair(keypad.LastRequest()->insert, keypad.LastRequest()->upper),
              std::pair(true, 90.0));
    EXPECT_EQ(Type(kDep, 1, 0, 0, 0), EditOutcome::Accepted);
    EXPECT_EQ(Type(kArr, 1, 0, 0, 30, 'E'), EditOutcome::Accepted);
    EXPECT_EQ(Type(kArr, 0, 10, 0, 30, 'N'), EditOutcome::PositionsCoincide);
    EXPECT_EQ(messages.shown.back().header, "Le coordinate di partenza e di arrivo coincidono.");
    EXPECT_EQ(Type(kArr, 0, 30, 0, 0, 'N'), EditOutcome::Accepted);
    EXPECT_EQ(Type(kArr, 1, 40, 0, 0, 'E'), EditOutcome::Accepted);
    EXPECT_EQ(Type(2, 0, 100, 0, 0), EditOutcome::Computed);
    EXPECT_EQ(Type(1, 2, 1, 0, 0), EditOutcome::NotEditable);
}

TEST_F(EditCellScenario, UnchangedValueLeavesSchemeSaved) {
    ASSERT_EQ(Type(kDep, 0, 45, 30, 0, 'N'), EditOutcome::Accepted);
    scheme.saved = true;
    EXPECT_EQ(Type(kDep, 0, 45, 30, 0, 'N'), EditOutcome::KeypadClosed);
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
    const CellRef cells[] = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 0}, {1, 1},
                             {2, 0}, {2, 1}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}};
    for (int run = 0; run < 200; ++run) {
        Scheme scheme;
        RecordingMessages messages;
        ScriptedKeypad keypad(messages, scheme.saved, CivilDate{2026, 12, 6});
        SchemeEditor editor(scheme, messages, keypad);
        for (int step = 0; step < 12; ++step) {
            const CellRef at = cells[pick(0, 15)];
            SCOPED_TRACE(::testing::Message() << "run " << run << " step " << step << " cell "
                                              << at.group << "," << at.cell);
            const QuantityKind kind = KindOf(at.group, at.cell);
            const bool lat = kind == QuantityKind::Latitude;
            if (lat || kind == QuantityKind::Longitude)
                keypad.Push(KeypadTyping::Fields(pick(0, lat ? 89 : 179), pick(0, 59), 0,
                                                 pick(0, 1) ? "NE"[!lat] : "SW"[!lat]));
            else if (kind == QuantityKind::Date)
                keypad.Push(KeypadTyping::Fields(pick(1, 28), pick(1, 12), pick(1900, 9999)));
            else
                keypad.Push(KeypadTyping::Fields(pick(1, 23), pick(0, 9), pick(0, 59)));
            const Scheme before = scheme;
            editor.EditCell(at.group, at.cell);
            keypad.Clear();
            for (int g = 0; g < kGroups; ++g)
                for (int c = 0; c < kCellsPerGroup; ++c) {
                    if (g == kPassageB && c == 5) continue;
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
