#include "chart/ChartScreen.h"

#include <gtest/gtest.h>

#include <set>

namespace velmar {
namespace {

// Two items on one key would both go dead: the platform calls such a key
// ambiguous and runs neither.
TEST(ChartScreen, EveryShortcutBelongsToOneItem) {
    std::set<std::string> seen;
    for (const ChartCommandInfo& info : ChartCommands()) {
        if (info.shortcut.empty()) continue;
        EXPECT_TRUE(seen.insert(info.shortcut).second) << info.shortcut;
    }
}

// The tools panel's left and right buttons are one step size apart; any
// other button does nothing. A step that changes nothing asks no redraw,
// but "1:1" always redraws and the corner never does.
TEST(ChartScreen, StepsAndTheirRedraws) {
    EXPECT_EQ(ChartToolStep(ChartTool::West, true, false)->size, StepSize::kCoarse);
    EXPECT_EQ(ChartToolStep(ChartTool::West, false, true)->size, StepSize::kFine);
    EXPECT_FALSE(ChartToolStep(ChartTool::Plus, false, false));
    ChartView view(1920, 1080);
    EXPECT_FALSE(ApplyChartStep(view, *ChartKeyStep(ChartKey::Up, {})));  // the world fills it
    EXPECT_TRUE(ApplyChartStep(view, {ChartStep::Kind::Reset}));
    EXPECT_TRUE(ApplyChartStep(view, *ChartKeyStep(ChartKey::KeypadPlus, {false, true, false})));
    EXPECT_EQ(view.Zoom(), 200);
    EXPECT_FALSE(ApplyChartStep(view, *ChartKeyStep(ChartKey::Home, {false, true, false})));
    EXPECT_EQ(view.Zoom(), 200);
}

}  // namespace
}  // namespace velmar
