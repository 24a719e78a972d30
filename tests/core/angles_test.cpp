#include "core/Angles.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(Angles, Normalize180TurnsOnceAndRoundHalfEvenGoesToEven) {
    const double normalized[][2] = {{190, -170},  {-190, 170}, {540, 180},
                                    {-540, -180}, {180, 180},  {-180, -180}};
    for (const auto& r : normalized) EXPECT_EQ(Normalize180(r[0]), r[1]) << r[0];
    const double rounded[][2] = {{0.5, 0},   {1.5, 2},    {2.5, 2},   {-2.5, -2},
                                 {-3.5, -4}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& r : rounded) EXPECT_EQ(RoundHalfEven(r[0]), r[1]) << r[0];
}

void ExpectDms(const Dms& got, const Dms& want) {
    EXPECT_EQ(got.degrees, want.degrees);
    EXPECT_EQ(got.minutes, want.minutes);
    EXPECT_NEAR(got.seconds, want.seconds, 1e-9);
}

TEST(Angles, SplitDmsSignsTheFirstNonZeroFieldAndRoundDmsCarries) {
    const struct {
        double in;
        Dms split;
    } splits[] = {{-0.5, {0, -30, 0}},
                  {-41.5, {-41, 30, 0}},
                  {-0.001, {0, 0, -3.6}},
                  {12.2575, {12, 15, 27}}};
    for (const auto& r : splits) {
        SCOPED_TRACE(r.in);
        ExpectDms(SplitDms(r.in), r.split);
    }
    const struct {
        Dms in, out;
    } rounds[] = {{{10, 59, 59.5}, {11, 0, 0}},     // 59.5 goes to the even 60 and carries
                  {{10, 20, 58.5}, {10, 20, 58}},   // halves to even, not up
                  {{-41, 30, -0.4}, {41, 30, 0}}};  // the fields lose their sign
    for (const auto& r : rounds) {
        SCOPED_TRACE(r.in.seconds);
        Dms d = r.in;
        RoundDms(d);
        ExpectDms(d, r.out);
    }
}

TEST(Angles, FixDecimalPointReplacesOnlyTheFirstComma) {
    EXPECT_EQ(FixDecimalPoint("1,2,3"), "1.2,3");
    EXPECT_EQ(FixDecimalPoint("41°05'.3N"), "41°05'.3N");
}

}  // namespace
}  // namespace velmar
