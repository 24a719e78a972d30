#include <gtest/gtest.h>
#include "core/Angles.h"
TEST(Angles, Placeholder) { EXPECT_EQ(velmar::Normalize180(190), -170); }
