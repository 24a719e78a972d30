// The system-time and other-formats commands of the scheme screen.

#include <gtest/gtest.h>

#include "scheme/SchemeCommands.h"
#include "tests/scheme/SchemeFakes.h"

namespace velmar {
namespace {

const LocalMoment kNow{CivilDate{2026, 12, 6}, 8, 5};

TEST(TakeSystemTime, OnlyYesEntersTimeOverAComputedDepartureTime) {
    for (int answer : {kMsgNo, kMsgCancel, kMsgYes}) {
        SCOPED_TRACE(answer);
        Scheme scheme;
        testing::RecordingMessages messages;
        SchemeSolver solver(scheme, messages);
        for (auto [at, value] : {std::pair{cells::DepLon, 0.0},
                                 {cells::DepTm, 6.0},
                                 {cells::DepTmDate, double(DayNumber({2026, 1, 1}))}})
            ASSERT_TRUE(solver.AcceptEntry(at, value));
        ASSERT_EQ(scheme.State(cells::DepTf), kStateComputed);  // rule 3
        const double computed = scheme.Value(cells::DepTf);
        scheme.saved = true;
        messages.answers = {answer};
        EXPECT_EQ(TakeSystemTime(solver, kNow), answer == kMsgYes);
        ASSERT_EQ(messages.shown.size(), 1u);
        if (answer != kMsgYes) {
            EXPECT_EQ(scheme.State(cells::DepTf), kStateComputed);
            EXPECT_EQ(scheme.Value(cells::DepTf), computed);
            EXPECT_TRUE(scheme.saved);
            continue;
        }
        const Message& m = messages.shown[0];
        EXPECT_EQ(m.buttons + "|" + m.title + "|" + m.header + "|" + m.message,
                  "YN|Velmar: Ora/Data|Inserire come ora e data di partenza...|"
                  "tf  08:05\rdel 06-12-2026");
        EXPECT_EQ(scheme.State(cells::DepTf), kStateEntered);
        EXPECT_DOUBLE_EQ(scheme.Value(cells::DepTf), 8 + 5 / 60.0);
        EXPECT_EQ(scheme.Value(cells::DepTfDate), DayNumber({2026, 12, 6}));
        EXPECT_EQ(std::pair(scheme.history[0], scheme.history[1]),
                  std::pair(cells::DepTfDate, cells::DepTf));
        EXPECT_FALSE(scheme.saved);
    }
}

TEST(ShowOtherFormats, KnownCellEmptyCellAndMethod) {
    Scheme scheme;
    testing::RecordingMessages messages;
    EXPECT_EQ(ShowOtherFormats(scheme, messages, cells::ml), OtherFormatsOutcome::EmptyCell);
    EXPECT_TRUE(messages.shown.empty());
    scheme.SetCell(cells::ml, kStateComputed, 100);
    EXPECT_EQ(ShowOtherFormats(scheme, messages, cells::ml), OtherFormatsOutcome::Shown);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(
        messages.shown[0].title + "|" + messages.shown[0].header + "|" + messages.shown[0].message,
        "Velmar: Altri formati|100 miglia|185.2 km");
    EXPECT_EQ(ShowOtherFormats(scheme, messages, cells::Method), OtherFormatsOutcome::EmptyCell);
    scheme.SetCell(cells::Method, kStateComputed, 2);
    EXPECT_EQ(ShowOtherFormats(scheme, messages, cells::Method), OtherFormatsOutcome::OpenSummary);
    EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
}  // namespace velmar
