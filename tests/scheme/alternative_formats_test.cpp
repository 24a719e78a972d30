// The two further forms of each kind of cell.

#include <gtest/gtest.h>

#include "core/DateTime.h"
#include "scheme/AlternativeFormats.h"

namespace velmar {
namespace {

AlternativeForms Forms(double value, CellRef at, int state = kStateEntered, char separator = '.') {
    Scheme scheme;
    scheme.SetCell(at, state, value);
    return AlternativeFormats(scheme, KindOf(at), at.group, at.cell, ItalianLongDate(), separator);
}

TEST(AlternativeFormats, FirstAndSecondFormsByKind) {
    struct Case {
        const char* what;
        double value;
        CellRef at;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {"latitude zero", 0, cells::DepLat, "0.0 (0° 00' 00\")",
         "zero primi di latitudine crescente"},
        // Meridional parts from core/Rhumb (spheroidal); the form adds the sign and 3 decimals.
        {"southern latitude", -41.5, cells::DepLat, "-41.5 (41° 30' 00\")",
         "-2726.172 primi di latitudine crescente"},
        {"longitude in time", -15, cells::ArrLon, "-15.0 (15° 00' 00\")", "01h00m00s"},
        {"Rv quadrant SE", 135, cells::Rv, "135.0 (135° 00' 00\")", "Sud 45°00'.0 Est"},
        {"Rv due south", 180, cells::Rv, "180.0 (180° 00' 00\")", "Sud   0°      Est"},
        {"Rv 270", 270, cells::Rv, "270.0 (270° 00' 00\")", "Sud 90°00'.0 Ovest"},
        {"Rv NW", 300, cells::Rv, "300.0 (300° 00' 00\")", "Nord 60°00'.0 Ovest"},
        {"Ri 200 from north", 200, cells::Ri, "200.0 (200° 00' 00\")", "Nord 160°00'.0 Ovest"},
        {"Ri 100 from north", 100, cells::Ri, "100.0 (100° 00' 00\")", "Nord 100°00'.0 Est"},
        {"speed", 12, cells::Vp, "12 nodi", "22.224 km/h; 6.1733333 m/s"},
        {"distance", 100, cells::ml, "100 miglia", "185.2 km"},
        {"interval 50 h", 50, cells::Dt, "50 ore", "2 giorni 02h00m00s"},
        // The clock rounds 23:59:59.9996 up to 00h00m00s; the day it completes counts.
        {"interval a hair below 48 h", 47.9999999, cells::Dt, "48 ore", "2 giorni 00h00m00s"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(Forms(k.value, k.at).first, k.first);
        EXPECT_EQ(Forms(k.value, k.at).second, k.second);
    }
}

TEST(AlternativeFormats, JulianDateComesFromTheGroupsZoneTime) {
    Scheme scheme;
    scheme.SetCell(cells::ArrTf, kStateEntered, 12.0);                         // zone time 12:00
    scheme.SetCell(cells::ArrTfDate, kStateEntered, DayNumber({2000, 1, 1}));  // zone date
    scheme.SetCell(cells::ArrTm, kStateComputed, 9.0);                         // Greenwich 09:00
    scheme.SetCell(cells::ArrTmDate, kStateComputed, DayNumber({1999, 12, 31}));
    for (CellRef at : {cells::ArrTf, cells::ArrTfDate, cells::ArrTm, cells::ArrTmDate}) {
        SCOPED_TRACE(CellLabel(at));
        EXPECT_EQ(AlternativeFormats(scheme, KindOf(at), at).second,
                  "Data giuliana: 2451545.00000");
    }
    EXPECT_EQ(AlternativeFormats(scheme, QuantityKind::TimeOfDay, cells::ArrTf).first, "12 ore");
    EXPECT_EQ(AlternativeFormats(scheme, QuantityKind::Date, cells::ArrTfDate).first,
              "sabato 1 gennaio 2000");
}

// An empty cell may hold any finite value a file brought (the report shows
// its forms): every kind gives a text, and no angle too large for the whole
// fields turns into a garbage count of degrees.
TEST(AlternativeFormats, AbsurdStoredValuesGiveTexts) {
    EXPECT_EQ(DmsText(1e300), "0° 00' 00\"");
    EXPECT_EQ(DmsText(-5e12), "0° 00' 00\"");
    for (double v : {1e300, -1e300, 5e12}) {
        for (int g = 0; g < kGroups; ++g) {
            for (int c = 0; c < kCellsPerGroup; ++c)
                EXPECT_EQ(Forms(v, {g, c}, kStateEmpty).first.find("-2147483648"),
                          std::string::npos)
                    << v << " at " << g << "," << c;
        }
    }
}

TEST(AlternativeFormats, ItalianLongDates) {
    const ItalianLongDate dates;
    EXPECT_EQ(dates.LongDate(DayNumber({2026, 12, 6})), "domenica 6 dicembre 2026");
    EXPECT_EQ(dates.LongDate(0), "sabato 30 dicembre 1899");
    EXPECT_EQ(dates.LongDate(DayNumber({1900, 3, 1})), "giovedì 1 marzo 1900");
    EXPECT_EQ(dates.LongDate(DayNumber({9999, 12, 31})), "venerdì 31 dicembre 9999");
    EXPECT_EQ(dates.LongDate(10'000'000), "");  // no calendar date: no text, no crash
}

TEST(AlternativeFormats, DecimalSeparatorFollowsThePlatform) {
    const AlternativeForms forms = Forms(7.5, cells::Vp, kStateEntered, ',');
    EXPECT_EQ(forms.first, "7,5 nodi");
    EXPECT_EQ(forms.second, "13,89 km/h; 3,8583333 m/s");
}

}  // namespace
}  // namespace velmar
