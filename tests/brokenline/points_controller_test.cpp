// The points window's commands: method items, the spacing and limiting
// latitude dialogs, with a scripted keypad.
#include <gtest/gtest.h>

#include <cmath>

#include "brokenline/PointsController.h"
#include "tests/brokenline/BrokenLineTestSupport.h"

namespace velmar {
namespace {

using bltest::Bench;
using bltest::RouteSpec;
using bltest::ScriptedKeypad;

const RouteSpec kAtlantic{41.0883, -9.1,         40.7, -74.0,
                          12.0,    std::nullopt, 8,    CivilDate{2026, 7, 15}};

struct Window {
    explicit Window(const RouteSpec& r) : bench(r) { EXPECT_TRUE(bench.engine.Activate()); }
    Bench bench;
    ScriptedKeypad keypad;
    PointsController controller{bench.engine, keypad};
};

TEST(MethodItems, CheckedItemDoesNothingAndAChosenMethodIsEntered) {
    Window w(kAtlantic);
    ASSERT_EQ(w.bench.engine.CurrentMethod(), kMethodVertex);
    w.bench.scheme.saved = true;
    EXPECT_EQ(w.controller.ChooseMethod(1), CommandResult::kUnchanged);
    EXPECT_EQ(w.bench.scheme.State(kPassageA, 5), kStateComputed);
    EXPECT_EQ(w.controller.ChooseMethod(3), CommandResult::kApplied);
    EXPECT_EQ(std::pair(w.bench.scheme.Value(kPassageA, 5), w.bench.scheme.State(kPassageA, 5)),
              std::pair(3.0, kStateEntered));
    // Practical, then back to method 3: the parameter captions follow.
    EXPECT_EQ(w.controller.ChooseMethod(4), CommandResult::kApplied);
    EXPECT_EQ(w.bench.engine.Display().status.nrPtCaption, "DmP...");
    EXPECT_EQ(w.controller.ChooseMethod(3), CommandResult::kApplied);
    EXPECT_EQ(w.bench.engine.Display().status.nrPtCaption, "NrPt...");
}

TEST(MethodItems, PracticalWithoutSpeedIsRefused) {
    RouteSpec r = kAtlantic;
    r.speed.reset();
    Window w(r);
    EXPECT_EQ(w.controller.ChooseMethod(4), CommandResult::kRefused);
    EXPECT_NE(w.bench.engine.CurrentMethod(), kMethodPractical);
}

TEST(LimitLatitudeDialog, NeedsTheLimitingParallelMethod) {
    Window w(kAtlantic);
    w.keypad.answers = {44};
    EXPECT_EQ(w.controller.LimitLatitude(), CommandResult::kRefused);
    EXPECT_EQ(w.bench.sink.shown.back().header,
              "Devi prima impostare il metodo del Parallelo Limite");
    EXPECT_TRUE(w.keypad.requests.empty());

    ASSERT_EQ(w.controller.ChooseMethod(2), CommandResult::kApplied);
    const int nrPt = w.bench.scheme.NrPt();
    EXPECT_EQ(w.controller.LimitLatitude(), CommandResult::kApplied);
    const KeypadRequest& req = w.keypad.requests.back();
    EXPECT_EQ(req.kind, QuantityKind::Latitude);
    EXPECT_EQ(req.rangeSwitch, w.bench.scheme.Value(kPassageA, 3));
    EXPECT_EQ(std::pair(w.bench.line.limitLat,
                        w.bench.line.points[w.bench.line.vertexIndex + 1].latitude),
              std::pair(44.0, 44.0));
    EXPECT_EQ(w.bench.scheme.NrPt(), nrPt);  // the spacing is not reset
}

TEST(SpacingDialog, NrPtSetIsStoredAndMarked) {
    Window w(kAtlantic);
    w.keypad.answers = {9};
    EXPECT_EQ(w.controller.Spacing(1), CommandResult::kApplied);
    const KeypadRequest& req = w.keypad.requests.back();
    EXPECT_EQ(req.kind, QuantityKind::PointCount);
    EXPECT_EQ(std::tuple(w.bench.scheme.NrPt(), w.bench.line.n, w.bench.line.spacingChoice),
              std::tuple(9, 11, 1));
    EXPECT_DOUBLE_EQ(w.bench.scheme.Value(kPassageB, 5), w.bench.work.dLon / 11);
    EXPECT_EQ(w.bench.scheme.State(kPassageA, 5), kStateEntered);
    // A cancelled keypad changes nothing.
    EXPECT_EQ(w.controller.Spacing(2), CommandResult::kUnchanged);
    EXPECT_EQ(w.keypad.requests.back().rangeSwitch, -1);  // westward
    EXPECT_EQ(w.bench.scheme.NrPt(), 9);
}

TEST(SpacingDialog, CountBeyondAnyIntegerFailsTheRecomputeAndKeepsTheStoredSpacing) {
    // A keypad that lets such a value through must not make the conversion
    // to a count undefined; the count is held and the recompute refuses it.
    for (double typed : {std::nan(""), -1e300, 4e9}) {
        SCOPED_TRACE(::testing::PrintToString(typed));
        Window w(kAtlantic);
        const int nrPt = w.bench.scheme.NrPt();
        const double dLonP = w.bench.scheme.Value(kPassageB, 5);
        w.keypad.answers = {typed};
        EXPECT_EQ(w.controller.Spacing(1), CommandResult::kFailed);
        EXPECT_TRUE(w.bench.work.nrPt >= 0 && w.bench.work.nrPt <= 1000);
        EXPECT_EQ(std::pair(w.bench.scheme.NrPt(), w.bench.scheme.Value(kPassageB, 5)),
                  std::pair(nrPt, dLonP));
        EXPECT_EQ(w.bench.sink.Headers().back(), "Errore inaspettato:");
        EXPECT_EQ(w.bench.scheme.Value(kPassageA, 5), kMethodVertex);
    }
}

TEST(SpacingDialog, FailedPracticalChangePutsTheIntervalBack) {
    Window w({70, 0, 75, 120, 10.0});
    ASSERT_EQ(w.controller.ChooseMethod(4), CommandResult::kApplied);
    const double dmP = w.bench.line.dmP, dtP = w.bench.line.dtP;
    w.keypad.answers = {1500};  // 25 degrees of latitude on a northerly course from 70N
    EXPECT_EQ(w.controller.Spacing(1), CommandResult::kFailed);
    EXPECT_EQ(std::tuple(w.bench.line.dmP, w.bench.line.dtP, w.bench.line.practicalChoice),
              std::tuple(dmP, dtP, 2));
    EXPECT_EQ(w.bench.sink.Headers().back(), "Errore inaspettato:");
    EXPECT_EQ(w.bench.scheme.Value(kPassageA, 5), kMethodPractical);
}

}  // namespace
}  // namespace velmar
