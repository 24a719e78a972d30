#include "core/Patterns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velmar {
namespace {

// The patterns of the alternative forms and of the display texts' pieces.
// Rounding works on the value's first 15 significant digits, then halves away
// from zero: a decimal half typed by the user rounds up although its binary
// double lies a hair below it (2.675, 0.15).
TEST(Patterns, FloatPatternsAndTheirRounding) {
    const struct {
        const char* pattern;
        double value;
        const char* text;
    } rows[] = {
        {"#0.#", -12.25, "-12.3"},
        {"#0.#", -0.04, "0"},                 // rounds to zero: no minus sign
        {"####0.#", 1234567.8, "1234567.8"},  // more digits than placeholders
        {"#.#####", 0.5, ".5"},
        {"#.#####", 1.000005, "1.00001"},
        {"0.0####", 41, "41.0"},
        {"0.0####", -0.000001, "0.0"},
        {"#.###;;\"zero\"", 0.0001, "zero"},  // rounds to zero: the zero section
        {"#.###;;\"zero\"", -3.1, "-3.1"},    // empty negative section keeps the minus
        {"##;;0", 0, "0"},
        {"00\"'\".0", 5.25, "05'.3"},
        {"\"N\";\"S\"; ", -1, "S"},  // own negative section: no minus sign
        {"\"N\";\"S\"; ", 0, " "},
        {"0.00", 2.675, "2.68"},
        {"#0.#", 0.15, "0.2"},
        {"#0", -2.5, "-3"},
        {"#0", 0.49999, "0"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(FormatFloat(r.pattern, r.value), r.text) << r.pattern << " of " << r.value;
    EXPECT_EQ(FormatFloat("0.0####", 1.5, ','), "1,5");
    EXPECT_EQ(FormatFloat("#0.#", std::nan("")), "NAN");
    EXPECT_EQ(FormatFloat("#0.#", -std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FormatFloat("#0.#", 1e300).size(), 301u);
}

TEST(Patterns, DateTimePatterns) {
    const double dec6 = DayNumber({2026, 12, 6});
    const struct {
        const char* pattern;
        double moment;
        const char* text;
    } rows[] = {
        {"d/m/yy h:n:s", dec6 + 1.0 / 24 + 2.0 / 1440, "6/12/26 1:2:0"},
        {"dd-mm-yyyy hh:nn:ss", 2.99999999999, "02-01-1900 00:00:00"},  // ms carry
        {"dd-mm-yyyy hh:nn:ss", -1.25, "29-12-1899 06:00:00"},
        {"dd-mm-yyyy hh:nn:ss", DayNumber({9999, 12, 31}) + 0.5, "31-12-9999 12:00:00"},
        // Regression: a non-number gave hours such as -2047687697.
        {"dd-mm-yyyy hh:nn:ss", std::nan(""), "30-12-1899 00:00:00"},
        {"hh:nn:ss", std::numeric_limits<double>::infinity(), "00:00:00"},
    };
    for (const auto& r : rows) EXPECT_EQ(FormatDateTime(r.pattern, r.moment), r.text) << r.text;
}

}  // namespace
}  // namespace velmar
