#include "core/Angles.h"

#include <gtest/gtest.h>

#include <string>

namespace velmar {
namespace {

TEST(Angles, Normalize180TurnsOnceAndKeepsTheLimits) {
    const struct {
        double in, out;
    } rows[] = {{190, -170},  {-190, 170}, {540, 180}, {-540, -180},  {180, 180},
                {-180, -180}, {359, -1},   {0, 0},     {-45.5, -45.5}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.in);
        EXPECT_EQ(Normalize180(r.in), r.out);
    }
}

TEST(Angles, RoundHalfEvenOnBothSidesOfZero) {
    const struct {
        double in, out;
    } rows[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},   {-0.5, 0},   {-1.5, -2},
                {-2.5, -2}, {59.5, 60}, {58.5, 58}, {2.4999, 2}, {2.5001, 3},
                {-3.5, -4}, {11.5, 12}, {10.5, 10}, {-7.0, -7}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.in);
        EXPECT_EQ(RoundHalfEven(r.in), r.out);
    }
}

TEST(Angles, SplitDmsPutsTheSignOnTheFirstNonZeroField) {
    const struct {
        double in, d, m;
        double s;
    } rows[] = {
        {-0.5, 0, -30, 0},    {41.5, 41, 30, 0},       {-41.5, -41, 30, 0},
        {-0.001, 0, 0, -3.6}, {12.2575, 12, 15, 27.0}, {0, 0, 0, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.in);
        const Dms d = SplitDms(r.in);
        EXPECT_EQ(d.degrees, r.d);
        EXPECT_EQ(d.minutes, r.m);
        EXPECT_NEAR(d.seconds, r.s, 1e-9);
    }
}

TEST(Angles, RoundDmsCarriesSecondsAndMinutes) {
    const struct {
        Dms in, out;
    } rows[] = {
        {{10, 59, 59.5}, {11, 0, 0}},  // 59.5 rounds to the even 60
        {{10, 59, 59.4}, {10, 59, 59}}, {{10, 20, 58.5}, {10, 20, 58}},  // halves to even, not up
        {{0, -30, 0}, {0, 30, 0}},                                       // fields lose their sign
        {{-41, 30, -0.4}, {41, 30, 0}}, {{3, 59, 59.6}, {4, 0, 0}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(::testing::Message()
                     << r.in.degrees << " " << r.in.minutes << " " << r.in.seconds);
        Dms d = r.in;
        RoundDms(d);
        EXPECT_EQ(d.degrees, r.out.degrees);
        EXPECT_EQ(d.minutes, r.out.minutes);
        EXPECT_EQ(d.seconds, r.out.seconds);
    }
}

TEST(Angles, FixDecimalPointReplacesOnlyTheFirstComma) {
    EXPECT_EQ(FixDecimalPoint("12,5"), "12.5");
    EXPECT_EQ(FixDecimalPoint("1,2,3"), "1.2,3");
    EXPECT_EQ(FixDecimalPoint("41°05'.3N"), "41°05'.3N");
}

}  // namespace
}  // namespace velmar
