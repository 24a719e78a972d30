#include <gtest/gtest.h>

#include <cmath>
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
        {K::Latitude, 1, 41.0883, "41°05'.3N"},
        {K::Latitude, -1, -12.25, "12°15'.0S"},  // magnitude and letter, no minus
        {K::Latitude, 1, -0.5, "0°30'.0S"},
        {K::Latitude, 1, 41.9999, "42°00'.0N"},  // 59.994 minutes carry, never 60
        {K::Latitude, 1, 0.0, " 0°      "},
        {K::Longitude, 1, -9.1, "9°06'.0W"},
        {K::Longitude, 1, 179.99999, "180°00'.0E"},
        {K::Longitude, -1, 12.5125, "12°30'.8E"},  // 30.75 minutes: half away from zero
        {K::Longitude, 1, -0.0, "  0°      "},
        {K::Longitude, -1, 999.0, "999°00'.0E"},  // an undefined vertex longitude
        {K::Course, 1, 45.5, "45°30'.0"},
        {K::Course, 1, 0.0, "  0°     "},
        {K::Course, -1, 359.998, "359°59'.9"},
        {K::Speed, 1, 12.0, "12"},
        {K::Speed, 1, 12.25, "12.3"},
        {K::Speed, 1, 99.96, "100"},
        {K::Distance, 1, 123.45, "123.5"},  // a hair below .45 in binary
        {K::Distance, -1, 10800.0, "10800"},
        {K::Distance, -1, 0.04, "0"},
        {K::Interval, 1, 0.1, "0.1"},
        {K::Interval, -1, 100.0 / 12.0, "8.333"},
        {K::Interval, -1, 999.999, "999.999"},
        {K::TimeOfDay, 1, 13.5, "13:30:00"},
        {K::TimeOfDay, 1, 23.99999, "23:59:59"},       // seconds cut, not rounded
        {K::TimeOfDay, 1, 12.9999999999, "13:00:00"},  // after rounding to the ms
        {K::Date, 1, dec6 + 0.75, "06-12-2026"},
        {K::Date, -1, 2.0, "01-01-1900"},
        {K::Method, 0, 0.0, "Automatico"},  // an empty method still has a name
        {K::Method, 1, 3.0, "Equazione del Circolo Massimo"},
        {K::Method, -1, 4.7, "Metodo Pratico"},
        {K::Method, 1, 5.0, ""},
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

TEST(FormatValue, EmptyMasksAndZeroAnglesKeepTheirWidths) {
    EXPECT_EQ(FormatValue(K::Latitude, kStateEmpty, 41.5), "  °  '. ±");
    EXPECT_EQ(FormatValue(K::Longitude, kStateEmpty, 41.5), "   °  '. ±");
    EXPECT_EQ(FormatValue(K::Date, kStateEmpty, 41.5), "  -  -20  ");
    const struct {
        K kind;
        std::size_t chars;
    } rows[] = {{K::Latitude, 9}, {K::Longitude, 10}, {K::TimeOfDay, 8},
                {K::Date, 10},    {K::Course, 9},     {K::Speed, 4},
                {K::Distance, 7}, {K::Interval, 7},   {K::PointCount, 2}};
    for (const auto& r : rows) {
        SCOPED_TRACE(static_cast<int>(r.kind));
        EXPECT_EQ(FormatValue(r.kind, kStateEmpty, 1), EmptyMask(r.kind));
        EXPECT_EQ(CharCount(EmptyMask(r.kind)), r.chars);
        if (r.kind == K::Latitude || r.kind == K::Longitude || r.kind == K::Course) {
            EXPECT_EQ(CharCount(FormatValue(r.kind, kStateEntered, 0)), r.chars);
        }
    }
}

// A damaged scheme file can hold any double in any cell: its text stays
// within 31 characters and nothing undefined happens on the way.
TEST(FormatValue, AnyDoubleGivesABoundedText) {
    const double odd[] = {NAN, INFINITY, -INFINITY, 1e308, -1e308, 4.9e-324, 2147483648.0};
    for (const K kind : {K::Latitude, K::Longitude, K::TimeOfDay, K::Date, K::Course, K::Speed,
                         K::Distance, K::Interval, K::PointCount, K::Method}) {
        for (const double v : odd) {
            SCOPED_TRACE(::testing::Message() << static_cast<int>(kind) << " " << v);
            EXPECT_LE(CharCount(FormatValue(kind, kStateComputed, v)), 31u);
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
        {K::Method, 0, 0, 0, ""},
        {K::Latitude, 35.4, 36, 47, "da 36 a 47 gradi (N)"},
        {K::Latitude, -35.4, -47, -36, "da 47 a 36 gradi (S)"},
        {K::Longitude, 1, 10, 20.5, "da 10 a 21 gradi (E)"},
        {K::Longitude, -1, -20, -10, "da 20 a 10 gradi (W)"},
        {K::Distance, 1, 12.25, 300, "da 12.3 a 300 miglia"},
        {K::Interval, -1, 0.1, 999.999, "da 0.1 a 999.999 ore"},
        {K::PointCount, 1, 1, 99, "da 1 a 99"},
        {K::Speed, 1, 1, 99.9, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(RangeText(r.kind, r.rangeSwitch, r.lower, r.upper), r.text);
    }
    EXPECT_EQ(EntryBounds(K::Interval)->lower, 0.1);
    EXPECT_EQ(EntryBounds(K::Distance)->lower, 1);
    EXPECT_FALSE(EntryBounds(K::Speed));
}

}  // namespace
}  // namespace velmar
