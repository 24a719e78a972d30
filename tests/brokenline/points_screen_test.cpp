// The points window's rules that need no window: line inks, the columns of
// a point line, and the activation gate with its fingerprint.
#include <gtest/gtest.h>

#include <set>

#include "brokenline/PointsScreen.h"

namespace velmar {
namespace {

TEST(PointsLine, InkByContent) {
    const struct {
        const char* line;
        LineInk ink;
    } cases[] = {
        {"A  44°24'.0N  008°56'.0E,08:00:00  06-12-2026", LineInk::Endpoint},
        {"B  40°42'.0N  074°00'.0W", LineInk::Endpoint},
        {"V  47°10'.0N  020°00'.0W", LineInk::Vertex},
        {"V\"  48°00'.0N  030°00'.0W", LineInk::Vertex},
        {" 3  46°00'.0N  010°00'.0W", LineInk::Other},
        {"275°.4  0312.5  026.042", LineInk::Other},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(InkOf(c.line), c.ink);
    }
}

TEST(PointsLine, SplitAtCommas) {
    using Parts = std::array<std::string, 3>;
    EXPECT_EQ(SplitPointLine("A  p"), (Parts{"A  p", "", ""}));
    EXPECT_EQ(SplitPointLine("A  p,t1,t2"), (Parts{"A  p", "t1", "t2"}));
    EXPECT_EQ(SplitPointLine("A,,t2"), (Parts{"A", "", "t2"}));
    // Nothing past the third column is lost: a stray comma stays in it.
    EXPECT_EQ(SplitPointLine("a,b,c,d"), (Parts{"a", "b", "c,d"}));
}

TEST(ActivationGate, RecomputesUnlessBackFromItsOwnDialogWithNothingChanged) {
    Scheme scheme;
    BrokenLine line;
    ActivationGate gate;
    EXPECT_TRUE(gate.ShouldRecompute(ActivationFingerprint(scheme, line)));  // the first
    gate.Record(ActivationFingerprint(scheme, line));
    EXPECT_TRUE(gate.ShouldRecompute(ActivationFingerprint(scheme, line)));  // from outside

    gate.OwnDialogOpened();
    EXPECT_FALSE(gate.ShouldRecompute(ActivationFingerprint(scheme, line)));
    EXPECT_TRUE(gate.ShouldRecompute(ActivationFingerprint(scheme, line)));  // flag used once

    for (int change = 0; change < 3; ++change) {
        SCOPED_TRACE(change);
        Scheme s = scheme;
        BrokenLine l = line;
        if (change == 0) s.values[1][5] = 3;
        if (change == 1) s.states[0][0] = 1;
        if (change == 2) l.limitLat = 40;
        gate.Record(ActivationFingerprint(scheme, line));
        gate.OwnDialogOpened();
        EXPECT_TRUE(gate.ShouldRecompute(ActivationFingerprint(s, l)));
    }
}

// The window's shortcuts all live in one window: two items on one key would
// leave one of them dead.
TEST(PointsCommands, ShortcutsAreDistinct) {
    std::set<std::string> seen;
    for (const auto& info : PointsCommands()) {
        if (info.shortcut.empty()) continue;
        SCOPED_TRACE(info.caption);
        EXPECT_TRUE(seen.insert(info.shortcut).second);
    }
}

}  // namespace
}  // namespace velmar
