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

/// The points window over an activated line, with its scripted keypad.
struct Window : Bench {
    explicit Window(const RouteSpec& r) : Bench(r) { EXPECT_TRUE(engine.Activate()); }
    ScriptedKeypad keypad;
    PointsController controller{engine, keypad};
};

TEST(MethodItems, CheckedItemDoesNothingAndAChosenMethodIsEntered) {
    Window w(kAtlantic);
    ASSERT_EQ(w.engine.CurrentMethod(), kMethodVertex);
    w.scheme.saved = true;
    EXPECT_EQ(w.controller.ChooseMethod(1), CommandResult::kUnchanged);
    EXPECT_EQ(w.scheme.State(cells::Method), kStateComputed);
    EXPECT_EQ(w.controller.ChooseMethod(3), CommandResult::kApplied);
    EXPECT_EQ(std::pair(w.scheme.Value(cells::Method), w.scheme.State(cells::Method)),
              std::pair(3.0, kStateEntered));
    // Practical, then back to method 3: the parameter captions follow.
    EXPECT_EQ(w.controller.ChooseMethod(4), CommandResult::kApplied);
    EXPECT_EQ(w.engine.Display().status.nrPtCaption, "DmP...");
    EXPECT_EQ(w.controller.ChooseMethod(3), CommandResult::kApplied);
    EXPECT_EQ(w.engine.Display().status.nrPtCaption, "NrPt...");
}

TEST(MethodItems, PracticalWithoutSpeedIsRefused) {
    RouteSpec r = kAtlantic;
    r.speed.reset();
    Window w(r);
    EXPECT_EQ(w.controller.ChooseMethod(4), CommandResult::kRefused);
    EXPECT_NE(w.engine.CurrentMethod(), kMethodPractical);
}

TEST(LimitLatitudeDialog, NeedsTheLimitingParallelMethod) {
    Window w(kAtlantic);
    w.keypad.answers = {44};
    EXPECT_EQ(w.controller.LimitLatitude(), CommandResult::kRefused);
    EXPECT_EQ(w.sink.shown.back().header, "Devi prima impostare il metodo del Parallelo Limite");
    EXPECT_TRUE(w.keypad.requests.empty());

    ASSERT_EQ(w.controller.ChooseMethod(2), CommandResult::kApplied);
    const int nrPt = w.scheme.NrPt();
    EXPECT_EQ(w.controller.LimitLatitude(), CommandResult::kApplied);
    const KeypadRequest& req = w.keypad.requests.back();
    EXPECT_EQ(req.kind, QuantityKind::Latitude);
    EXPECT_EQ(req.rangeSwitch, w.scheme.Value(cells::V1Lat));
    EXPECT_EQ(std::pair(w.line.limitLat, w.line.points[w.line.vertexIndex + 1].latitude),
              std::pair(44.0, 44.0));
    EXPECT_EQ(w.scheme.NrPt(), nrPt);  // the spacing is not reset
}

TEST(SpacingDialog, NrPtSetIsStoredAndMarked) {
    Window w(kAtlantic);
    w.keypad.answers = {9};
    EXPECT_EQ(w.controller.Spacing(SpacingItem::kNrPt), CommandResult::kApplied);
    const KeypadRequest& req = w.keypad.requests.back();
    EXPECT_EQ(req.kind, QuantityKind::PointCount);
    EXPECT_EQ(std::tuple(w.scheme.NrPt(), w.line.n, w.line.spacingChoice), std::tuple(9, 11, 1));
    EXPECT_DOUBLE_EQ(w.scheme.Value(cells::Spacing), w.work.dLon / 11);
    EXPECT_EQ(w.scheme.State(cells::Method), kStateEntered);
    // A cancelled keypad changes nothing.
    EXPECT_EQ(w.controller.Spacing(SpacingItem::kDLonP), CommandResult::kUnchanged);
    EXPECT_EQ(w.keypad.requests.back().rangeSwitch, -1);  // westward
    EXPECT_EQ(w.scheme.NrPt(), 9);
}

TEST(SpacingDialog, CountBeyondAnyIntegerFailsTheRecomputeAndKeepsTheStoredSpacing) {
    // A keypad that lets such a value through must not make the conversion
    // to a count undefined; the count is held and the recompute refuses it.
    for (double typed : {std::nan(""), -1e300, 4e9}) {
        SCOPED_TRACE(::testing::PrintToString(typed));
        Window w(kAtlantic);
        const int nrPt = w.scheme.NrPt();
        const double dLonP = w.scheme.Value(cells::Spacing);
        w.keypad.answers = {typed};
        EXPECT_EQ(w.controller.Spacing(SpacingItem::kNrPt), CommandResult::kFailed);
        EXPECT_TRUE(w.work.nrPt >= 0 && w.work.nrPt <= 1000);
        EXPECT_EQ(std::pair(w.scheme.NrPt(), w.scheme.Value(cells::Spacing)),
                  std::pair(nrPt, dLonP));
        EXPECT_EQ(w.sink.Headers().back(), "Errore inaspettato:");
        EXPECT_EQ(w.scheme.Value(cells::Method), kMethodVertex);
    }
}

TEST(SpacingDialog, FailedPracticalChangePutsTheIntervalBack) {
    Window w({70, 0, 75, 120, 10.0});
    ASSERT_EQ(w.controller.ChooseMethod(4), CommandResult::kApplied);
    const double dmP = w.line.dmP, dtP = w.line.dtP;
    w.keypad.answers = {1500};  // 25 degrees of latitude on a northerly course from 70N
    EXPECT_EQ(w.controller.Spacing(SpacingItem::kDmP), CommandResult::kFailed);
    EXPECT_EQ(std::tuple(w.line.dmP, w.line.dtP, w.line.practicalChoice), std::tuple(dmP, dtP, 2));
    EXPECT_EQ(w.sink.Headers().back(), "Errore inaspettato:");
    EXPECT_EQ(w.scheme.Value(cells::Method), kMethodPractical);
}

}  // namespace
}  // namespace velmar
