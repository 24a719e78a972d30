// The keypad's loading, checks in their order with their codes and words,
// recombination, and the unchanged rule.

#include <gtest/gtest.h>

#include <optional>

#include "scheme/KeypadLogic.h"
#include "tests/scheme/SchemeFakes.h"

namespace velmar {
namespace {

using testing::RecordingMessages;

KeypadRequest Request(QuantityKind kind, double value, bool insert = true) {
    KeypadRequest r;
    r.kind = kind;
    r.value = value;
    r.insert = insert;
    if (const auto b = EntryBounds(kind)) {
        r.hasBounds = true;
        r.lower = b->lower;
        r.upper = b->upper;
    }
    return r;
}

const CivilDate kToday{2026, 12, 6};

struct CheckCase {
    const char* what;
    QuantityKind kind;
    int a, b, c;
    char hemisphere;
    int code;
    double value;
};

// Fields typed into an empty cell, OK pressed: the first failing check's code,
// or the recombined value.
TEST(KeypadChecks, CodesInOrderAndRecombinedValues) {
    using K = QuantityKind;
    const CheckCase cases[] = {
        {"latitude 45 30 N", K::Latitude, 45, 30, 0, 'N', kKeypadOk, 45.5},
        {"latitude south is negative", K::Latitude, 12, 15, 0, 'S', kKeypadOk, -12.25},
        {"latitude past field limit", K::Latitude, 91, 0, 0, 'N', kErrDegrees, 0},
        {"latitude 59'60\" is 60 minutes", K::Latitude, 10, 59, 60, 'N', kErrMinutes, 0},
        {"latitude without letter", K::Latitude, 10, 0, 0, 0, kErrSign, 0},
        {"latitude 90 30 beyond bounds", K::Latitude, 90, 30, 0, 'N', kErrValue, 0},
        {"latitude zero typed", K::Latitude, 0, 0, 0, 0, kKeypadOk, 0},
        {"longitude west", K::Longitude, 74, 0, 0, 'W', kKeypadOk, -74},
        {"longitude with latitude letter", K::Longitude, 10, 0, 0, 'N', kErrSign, 0},
        {"longitude 180 30 beyond bounds", K::Longitude, 180, 30, 0, 'E', kErrValue, 0},
        {"time", K::TimeOfDay, 13, 30, 0, 0, kKeypadOk, 13.5},
        {"time hour 24", K::TimeOfDay, 24, 0, 0, 0, kErrHours, 0},
        {"time minute 60", K::TimeOfDay, 10, 60, 0, 0, kErrTimeMinutes, 0},
        {"time second 60", K::TimeOfDay, 10, 0, 60, 0, kErrSeconds, 0},
        {"date 29-02-2024 leap", K::Date, 29, 2, 2024, 0, kKeypadOk, 45351},
        {"date 29-02-2023", K::Date, 29, 2, 2023, 0, kErrValue, 0},
        {"date 29-02-1900 not leap", K::Date, 29, 2, 1900, 0, kErrValue, 0},
        {"date 31-04", K::Date, 31, 4, 2026, 0, kErrValue, 0},
        {"date day 32", K::Date, 32, 1, 2026, 0, kErrDay, 0},
        {"date month 13", K::Date, 1, 13, 2026, 0, kErrMonth, 0},
        {"date year 1899", K::Date, 1, 1, 1899, 0, kErrYear, 0},
        {"course 359 59 59", K::Course, 359, 59, 59, 0, kKeypadOk, 359 + (59 + 59 / 60.0) / 60},
        {"course 360 field limit", K::Course, 360, 0, 0, 0, kErrDegrees, 0},
        {"speed 7.5", K::Speed, 7, 5, 0, 0, kKeypadOk, 7.5},
        {"speed 0.5 under field limit", K::Speed, 0, 5, 0, 0, kErrValue, 0},
        {"speed 100 over field limit", K::Speed, 100, 0, 0, 0, kErrValue, 0},
        {"distance 10800", K::Distance, 10800, 0, 0, 0, kKeypadOk, 10800},
        {"distance 10800.1 beyond bounds", K::Distance, 10800, 1, 0, 0, kErrValue, 0},
        {"interval 2 and 5", K::Interval, 2, 5, 0, 0, kKeypadOk, 2.5},
        {"interval 2 and 25", K::Interval, 2, 25, 0, 0, kKeypadOk, 2.25},
        {"interval 2 and 125", K::Interval, 2, 125, 0, 0, kKeypadOk, 2.125},
        {"interval 2 and 50", K::Interval, 2, 50, 0, 0, kKeypadOk, 2.5},
        {"interval 999.999", K::Interval, 999, 999, 0, 0, kKeypadOk, 999.999},
        {"interval 0.0 below bounds", K::Interval, 0, 0, 0, 0, kErrValue, 0},
    };
    for (const CheckCase& k : cases) {
        SCOPED_TRACE(k.what);
        KeypadLogic keypad(Request(k.kind, 0), kToday);
        keypad.TypeField(0, k.a);
        keypad.TypeField(1, k.b);
        keypad.TypeField(2, k.c);
        keypad.SetHemisphere(k.hemisphere);
        const KeypadLogic::Result r = keypad.Recombine();
        EXPECT_EQ(r.code, k.code);
        if (k.code == kKeypadOk) {
            EXPECT_DOUBLE_EQ(r.value, k.value);
        }
    }
}

TEST(KeypadChecks, ErrorWordsShownAfterFailedOk) {
    RecordingMessages messages;
    bool saved = true;
    double value = 0;
    KeypadLogic keypad(Request(QuantityKind::Latitude, 0), kToday);
    keypad.TypeField(0, 10);
    EXPECT_EQ(keypad.PressOk(messages, saved, value), KeypadClose::Refused);
    EXPECT_EQ(keypad.Text(), "Verifica SEGNO");
    EXPECT_TRUE(saved);
    keypad.TypeField(0, 10);  // changing the first field clears the word
    EXPECT_EQ(keypad.Text(), "Nuovo valore");
    keypad.ToggleHemisphere();  // no letter becomes N
    EXPECT_EQ(keypad.Hemisphere(), 'N');
    EXPECT_EQ(keypad.PressOk(messages, saved, value), KeypadClose::Accepted);
    EXPECT_EQ(value, 10);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(messages.shown.empty());
    const std::pair<int, const char*> words[] = {
        {1, "GRADI"},  {2, "PRIMI"}, {3, "SEGNO"}, {4, "ORE"},     {5, "MINUTI"}, {6, "SECONDI"},
        {7, "GIORNO"}, {8, "MESE"},  {9, "ANNO"},  {10, "VALORE"}, {11, "VALORE"}};
    for (auto [code, word] : words) EXPECT_EQ(KeypadErrorWord(code), word) << code;
}

TEST(KeypadChecks, ZeroNeedsTheFirstFieldTyped) {
    RecordingMessages messages;
    bool saved = true;
    double value = 5;
    KeypadLogic keypad(Request(QuantityKind::Latitude, 0), kToday);
    EXPECT_EQ(keypad.PressOk(messages, saved, value), KeypadClose::Refused);
    EXPECT_EQ(keypad.LastError(), kErrZero);
    EXPECT_EQ(keypad.Text(), "Verifica VALORE");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Velmar3");
    EXPECT_EQ(messages.shown[0].header, "Errore");
    EXPECT_EQ(messages.shown[0].message, "Scrivi 0 (zero) per indicare il valore nullo.");
    keypad.SetField(0, 0);
    EXPECT_EQ(keypad.PressOk(messages, saved, value), KeypadClose::Accepted);
    EXPECT_EQ(value, 0);
}

TEST(KeypadChecks, BoundsApplyToTheSignedValue) {
    KeypadRequest r = Request(QuantityKind::Longitude, 0);
    r.lower = -30;
    r.upper = -1;
    KeypadLogic west(r, kToday), east(r, kToday);
    west.TypeField(0, 10);
    west.SetHemisphere('W');
    east.TypeField(0, 10);
    east.SetHemisphere('E');
    EXPECT_EQ(west.Recombine().code, kKeypadOk);
    EXPECT_EQ(east.Recombine().code, kErrValue);
    // Upper below lower: nothing passes.
    for (QuantityKind kind : {QuantityKind::Latitude, QuantityKind::Distance,
                              QuantityKind::Interval, QuantityKind::PointCount}) {
        KeypadRequest inverted = Request(kind, 0);
        inverted.hasBounds = true;
        inverted.lower = 50;
        inverted.upper = 10;
        KeypadLogic keypad(inverted, kToday);
        keypad.TypeField(0, 20);
        keypad.SetHemisphere('N');
        EXPECT_EQ(keypad.Recombine().code, kErrValue) << static_cast<int>(kind);
    }
}

TEST(KeypadLoading, FieldsAndDisplayByKind) {
    struct Case {
        QuantityKind kind;
        double value;
        int a, b, c;
        char hemisphere;
        const char* display;
    };
    const Case cases[] = {
        {QuantityKind::Latitude, 45.5, 45, 30, 0, 'N', "45° 30' 00\" Nord"},
        {QuantityKind::Latitude, -0.5, 0, 30, 0, 'S', "0° 30' 00\" Sud"},
        {QuantityKind::Longitude, -74.0, 74, 0, 0, 'W', "74° 00' 00\" Ovest"},
        {QuantityKind::Longitude, 0, 0, 0, 0, 0, "0° 00' 00\""},
        {QuantityKind::Course, 10.9999999, 11, 0, 0, 0, "11° 00' 00\""},
        {QuantityKind::TimeOfDay, 13.5, 13, 30, 0, 0, "13:30:00"},
        {QuantityKind::Date, double(DayNumber({2024, 2, 29})), 29, 2, 2024, 0, "29-02-2024"},
        {QuantityKind::Date, 0, 6, 12, 2026, 0, "06-12-2026"},  // empty date: today
        {QuantityKind::Speed, 7.5, 7, 5, 0, 0, "7.5"},
        {QuantityKind::Distance, 123.4, 123, 4, 0, 0, "123.4"},
        {QuantityKind::Interval, 2.25, 2, 250, 0, 0, "2.250"},
        {QuantityKind::PointCount, 12, 12, 0, 0, 0, "12"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.display);
        KeypadLogic keypad(Request(k.kind, k.value, false), kToday);
        EXPECT_EQ(keypad.Field(0), k.a);
        if (keypad.FieldCount() > 1) {
            EXPECT_EQ(keypad.Field(1), k.b);
        }
        if (keypad.FieldCount() > 2) {
            EXPECT_EQ(keypad.Field(2), k.c);
        }
        EXPECT_EQ(keypad.Hemisphere(), k.hemisphere);
        EXPECT_EQ(keypad.DisplayText(), k.display);
        EXPECT_EQ(keypad.WindowCaption(), "Tastierino: Modifica");
    }
}

// A stored value whose fields would fall outside the spin fields' limits
// loads as the nearest numbers the fields hold, and an OK that changed
// nothing leaves it as it was instead of failing a check on a number no
// field can show.
TEST(KeypadLoading, FieldsBeyondTheirLimitsLoadClamped) {
    struct Case {
        const char* what;
        QuantityKind kind;
        double value;
        int a, b;
    };
    const Case cases[] = {
        {"course rounding up to 360", QuantityKind::Course, 359.9999, 359, 0},
        {"time rounding up to 24 hours", QuantityKind::TimeOfDay, 23.99999, 23, 0},
        {"speed below one knot", QuantityKind::Speed, 0.5, 1, 5},
        {"interval beyond 999 hours", QuantityKind::Interval, 1500.5, 999, 500},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        KeypadLogic keypad(Request(k.kind, k.value, false), kToday);
        EXPECT_EQ(keypad.Field(0), k.a);
        EXPECT_EQ(keypad.Field(1), k.b);
        RecordingMessages messages;
        bool saved = true;
        double value = k.value;
        EXPECT_EQ(keypad.PressOk(messages, saved, value), KeypadClose::Unchanged);
        EXPECT_EQ(value, k.value);
        EXPECT_TRUE(saved);
    }
}

TEST(KeypadUnchanged, SameFieldsInModifyModeGiveFalseAndKeepSaved) {
    RecordingMessages messages;
    bool saved = true;
    double value = 45.5;
    KeypadLogic keypad(Request(QuantityKind::Latitude, 45.5, false), kToday);
    keypad.TypeField(0, 45);  // retyped, same value
    EXPECT_EQ(keypad.PressOk(messages, saved, value), KeypadClose::Unchanged);
    EXPECT_EQ(value, 45.5);
    EXPECT_TRUE(saved);
}

TEST(KeypadUnchanged, UntouchedOkKeepsAFinerStoredValue) {
    // A value stored with more digits than the fields show (from a file or a
    // port) must not be rounded by an OK that changed nothing.
    RecordingMessages messages;
    bool saved = true;
    double value = 44.40833;
    KeypadLogic keypad(Request(QuantityKind::Latitude, value, false), kToday);
    EXPECT_EQ(keypad.PressOk(messages, saved, value), KeypadClose::Unchanged);
    EXPECT_EQ(value, 44.40833);
    EXPECT_TRUE(saved);
}

TEST(KeypadUnchanged, IntervalWithLeadingZeroFractionSurvivesUnchangedOk) {
    RecordingMessages messages;
    bool saved = true;
    double value = 2.05;
    KeypadLogic keypad(Request(QuantityKind::Interval, 2.05, false), kToday);
    EXPECT_EQ(keypad.Field(1), 50);  // the field cannot show the leading zero
    EXPECT_EQ(keypad.PressOk(messages, saved, value), KeypadClose::Unchanged);
    EXPECT_EQ(value, 2.05);
    // Hours changed, fraction untouched: the fraction keeps its loaded weight.
    keypad.SetField(0, 3);
    EXPECT_DOUBLE_EQ(keypad.Recombine().value, 3.05);
    // Typing into the second field follows the digits rule again.
    keypad.SetField(1, 50);
    EXPECT_DOUBLE_EQ(keypad.Recombine().value, 3.5);
    keypad.Reset();
    EXPECT_EQ(keypad.Field(0), 2);
    EXPECT_DOUBLE_EQ(keypad.Recombine().value, 2.05);
}

TEST(KeypadEditing, SpinFieldsClampAndResetRestores) {
    KeypadLogic keypad(Request(QuantityKind::Latitude, -10.25, false), kToday);
    keypad.SetField(0, 120);
    EXPECT_EQ(keypad.Field(0), 90);
    keypad.SetField(1, -3);
    EXPECT_EQ(keypad.Field(1), 0);
    keypad.ToggleHemisphere();
    EXPECT_EQ(keypad.Hemisphere(), 'N');
    keypad.ToggleHemisphere();
    EXPECT_EQ(keypad.Hemisphere(), 'S');
    keypad.Reset();
    EXPECT_EQ(keypad.Field(0), 10);
    EXPECT_EQ(keypad.Field(1), 15);
    EXPECT_EQ(keypad.Hemisphere(), 'S');
    EXPECT_TRUE(keypad.FirstFieldEdited());  // Reset put back a changed number
}

}  // namespace
}  // namespace velmar
