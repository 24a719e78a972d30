#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "core/DateTime.h"
#include "core/Quantity.h"

namespace velmar {
namespace {

using K = QuantityKind;

// Characters, not bytes: the degree sign is two bytes of UTF-8.
std::size_t CharCount(const std::string& text) {
    std::size_t n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80;
    return n;
}

TEST(FormatValue, DisplayTextsOfEveryKind) {
    const double dec6 = DayNumber({2026, 12, 6});
    const struct {
        K kind;
        int state;
        double value;
        const char* text;
    } rows[] = {
        {K::Latitude, -1, -12.25, "12°15'.0S"},  // magnitude and letter, no minus
        {K::Latitude, 1, 41.9999, "42°00'.0N"},  // 59.994 minutes carry, never 60
        {K::Latitude, 1, 0.0, " 0°      "},
        {K::Longitude, 1, 179.99999, "180°00'.0E"},
        {K::Longitude, -1, 12.5125, "12°30'.8E"},  // 30.75 minutes: half away from zero
        {K::Longitude, 1, -0.0, "  0°      "},
        {K::Longitude, -1, 999.0, "999°00'.0E"},  // an undefined vertex longitude
        {K::Course, 1, 0.0, "  0°     "},
        {K::Course, -1, 359.998, "359°59'.9"},
        {K::Speed, 1, 99.96, "100"},
        {K::Distance, 1, 123.45, "123.5"},  // a hair below .45 in binary
        {K::Interval, -1, 100.0 / 12.0, "8.333"},
        {K::TimeOfDay, 1, 23.99999, "23:59:59"},       // seconds cut, not rounded
        {K::TimeOfDay, 1, 12.9999999999, "13:00:00"},  // after rounding to the ms
        {K::Date, 1, dec6 + 0.75, "06-12-2026"},
        {K::Method, -1, 4.7, "Metodo Pratico"},
        {K::Method, 1, NAN, ""},
        {K::PointCount, 1, 12.0, ""},
        {static_cast<K>(42), 1, 1.0, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "kind " << static_cast<int>(r.kind) << " value " << r.value);
        EXPECT_EQ(FormatValue(r.kind, r.state, r.value), r.text);
    }
}

// Empty cells show their kind's mask, and a zero angle keeps the mask's width.
// A damaged scheme file can hold any double in any cell: its text stays
// within 31 characters and nothing undefined happens on the way.
TEST(FormatValue, EmptyMasksZeroAngleWidthsAndBoundedTexts) {
    for (const K kind : {K::Latitude, K::Longitude, K::Course})
        EXPECT_EQ(CharCount(FormatValue(kind, kStateEntered, 0)), CharCount(EmptyMask(kind)));
    for (const K kind : {K::Latitude, K::Longitude, K::TimeOfDay, K::Date, K::Course, K::Speed,
                         K::Distance, K::Interval, K::PointCount, K::Method}) {
        // A method has no mask: its empty cell shows its name.
        if (kind != K::Method) {
            EXPECT_EQ(FormatValue(kind, kStateEmpty, 1), EmptyMask(kind));
        }
        for (const double v : {double{NAN}, double{INFINITY}, -double{INFINITY}, 1e308, -1e308,
                               4.9e-324, 2147483648.0})
            EXPECT_LE(CharCount(FormatValue(kind, kStateComputed, v)), 31u)
                << static_cast<int>(kind) << " " << v;
    }
}

// A whole number of seconds can be exactly half a tenth of a minute (15" is
// 0.25'); the minutes computed in binary fell a hair short of the half for
// many such angles and rounded down (41°05'15" showed 41°05'.2N). Every
// whole second of a few degrees, typed as the keypad builds the value, must
// give the text of an exact integer count: tenths = (seconds + 3) / 6.
TEST(FormatValue, WholeSecondHalvesOfATenthRoundAwayFromZero) {
    const struct {
        K kind;
        int degrees;
        const char *plus, *minus;  // the letters of a positive and a negative value
    } rows[] = {
        {K::Latitude, 0, "N", "S"},  // exactly 0 has its own text: from 1"
        {K::Latitude, 41, "N", "S"},
        {K::Latitude, 89, "N", "S"},  // 89°59'57" carries to 90°00'.0N
        {K::Longitude, 179, "E", "W"},
        {K::Course, 359, "", ""},
    };
    for (const auto& r : rows) {
        for (int second = r.degrees == 0; second < 3600; ++second) {
            const double m = second / 60, sec = second % 60;
            const double value = r.degrees + (m + sec / 60) / 60;
            int degrees = r.degrees, tenths = (second + 3) / 6;
            if (tenths == 600) {
                ++degrees;
                tenths = 0;
            }
            char text[32];
            std::snprintf(text, sizeof text, "%d°%02d'.%d", degrees, tenths / 10, tenths % 10);
            SCOPED_TRACE(::testing::Message() << static_cast<int>(r.kind) << ": " << r.degrees
                                              << "° " << m << "' " << sec << "\"");
            EXPECT_EQ(FormatValue(r.kind, kStateEntered, value), std::string(text) + r.plus);
            if (r.kind != K::Course) {
                EXPECT_EQ(FormatValue(r.kind, kStateComputed, -value), std::string(text) + r.minus);
            }
        }
    }
}

TEST(FormatValue, RangeTextsWithAndWithoutSwitch) {
    const struct {
        K kind;
        double rangeSwitch, lower, upper;
        const char* text;
    } rows[] = {
        {K::Latitude, 0, -90, 90, "da 0 a 90 gradi (N o S)"},
        {K::Course, 0, 0, 0, "da 0 gradi a 359°59'59\""},
        {K::Latitude, -35.4, -47, -36, "da 47 a 36 gradi (S)"},
        {K::Longitude, 1, 10, 20.5, "da 10 a 21 gradi (E)"},
        {K::Distance, 1, 12.25, 300, "da 12.3 a 300 miglia"},
        {K::Interval, -1, 0.1, 999.999, "da 0.1 a 999.999 ore"},
        {K::PointCount, 1, 1, 99, "da 1 a 99"},
        {K::Speed, 1, 1, 99.9, ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(RangeText(r.kind, r.rangeSwitch, r.lower, r.upper), r.text);
    EXPECT_FALSE(EntryBounds(K::Speed));
}

}  // namespace
}  // namespace velmar
