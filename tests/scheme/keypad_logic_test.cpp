// The keypad's loading, checks in their order with their codes and words,
// recombination, and the unchanged rule.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "scheme/KeypadLogic.h"
#include "tests/scheme/SchemeFakes.h"

namespace velmar {
namespace {

using K = QuantityKind;

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

/// Fields typed into a keypad opened on `request`, a letter chosen; the checks' verdict.
KeypadLogic::Result Typed(const KeypadRequest& request, int a, int b, int c, char hemisphere) {
    KeypadLogic keypad(request, kToday);
    const int fields[] = {a, b, c};
    for (int i = 0; i < 3; ++i) keypad.TypeField(i, fields[i]);
    keypad.SetHemisphere(hemisphere);
    return keypad.Recombine();
}

/// OK pressed on `keypad`, with the message box, saved flag and value it touches.
struct Ok {
    explicit Ok(double stored) : value(stored) {}
    testing::RecordingMessages messages;
    bool saved = true;
    double value;
    KeypadClose Press(KeypadLogic& keypad) { return keypad.PressOk(messages, saved, value); }
};

// Fields typed into an empty cell, OK pressed: the first failing check's code,
// or the recombined value.
TEST(KeypadChecks, CodesInOrderAndRecombinedValues) {
    struct Case {
        const char* what;
        QuantityKind kind;
        int a, b, c;
        char hemisphere;
        int code;
        double value;
    };
    const Case cases[] = {
        {"latitude 45 30 N", K::Latitude, 45, 30, 0, 'N', kKeypadOk, 45.5},
        {"latitude past field limit", K::Latitude, 91, 0, 0, 'N', kErrDegrees, 0},
        {"latitude 59'60\" is 60 minutes", K::Latitude, 10, 59, 60, 'N', kErrMinutes, 0},
        {"latitude without letter", K::Latitude, 10, 0, 0, 0, kErrSign, 0},
        {"latitude 90 30 beyond bounds", K::Latitude, 90, 30, 0, 'N', kErrValue, 0},
        {"latitude zero typed", K::Latitude, 0, 0, 0, 0, kKeypadOk, 0},
        {"longitude west", K::Longitude, 74, 0, 0, 'W', kKeypadOk, -74},
        {"longitude with latitude letter", K::Longitude, 10, 0, 0, 'N', kErrSign, 0},
        {"time", K::TimeOfDay, 13, 30, 0, 0, kKeypadOk, 13.5},
        {"time hour 24", K::TimeOfDay, 24, 0, 0, 0, kErrHours, 0},
        {"time minute 60", K::TimeOfDay, 10, 60, 0, 0, kErrTimeMinutes, 0},
        {"time second 60", K::TimeOfDay, 10, 0, 60, 0, kErrSeconds, 0},
        {"date 29-02-2024 leap", K::Date, 29, 2, 2024, 0, kKeypadOk, 45351},
        {"date 29-02-1900 not leap", K::Date, 29, 2, 1900, 0, kErrValue, 0},
        {"date 31-04", K::Date, 31, 4, 2026, 0, kErrValue, 0},
        {"date day 32", K::Date, 32, 1, 2026, 0, kErrDay, 0},
        {"date month 13", K::Date, 1, 13, 2026, 0, kErrMonth, 0},
        {"date year 1899", K::Date, 1, 1, 1899, 0, kErrYear, 0},
        {"course 359 59 59", K::Course, 359, 59, 59, 0, kKeypadOk, 359 + (59 + 59 / 60.0) / 60},
        {"course 360 field limit", K::Course, 360, 0, 0, 0, kErrDegrees, 0},
        {"speed 0.5 under field limit", K::Speed, 0, 5, 0, 0, kErrValue, 0},
        {"distance 10800", K::Distance, 10800, 0, 0, 0, kKeypadOk, 10800},
        {"distance 10800.1 beyond bounds", K::Distance, 10800, 1, 0, 0, kErrValue, 0},
        {"interval 2 and 5", K::Interval, 2, 5, 0, 0, kKeypadOk, 2.5},
        {"interval 2 and 125", K::Interval, 2, 125, 0, 0, kKeypadOk, 2.125},
        {"interval 0.0 below bounds", K::Interval, 0, 0, 0, 0, kErrValue, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const KeypadLogic::Result r = Typed(Request(k.kind, 0), k.a, k.b, k.c, k.hemisphere);
        EXPECT_EQ(r.code, k.code);
        if (k.code == kKeypadOk) {
            EXPECT_DOUBLE_EQ(r.value, k.value);
        }
    }
}

// The failed check's word shows until the first field changes; only the
// zero check opens a message box.
TEST(KeypadChecks, FailedOkShowsTheCheckUntilTyping) {
    Ok ok(5);
    KeypadLogic keypad(Request(K::Latitude, 0), kToday);
    EXPECT_EQ(ok.Press(keypad), KeypadClose::Refused);  // nothing typed, not even 0
    EXPECT_EQ(keypad.LastError(), kErrZero);
    EXPECT_EQ(keypad.Text(), "Verifica VALORE");
    EXPECT_EQ(ok.messages.shown.size(), 1u);
    keypad.TypeField(0, 10);
    EXPECT_EQ(keypad.Text(), "Nuovo valore");
    EXPECT_EQ(ok.Press(keypad), KeypadClose::Refused);
    EXPECT_EQ(keypad.Text(), "Verifica SEGNO");
    EXPECT_EQ(ok.messages.shown.size(), 1u);
    EXPECT_TRUE(ok.saved);
    keypad.ToggleHemisphere();  // no letter becomes N
    EXPECT_EQ(keypad.Hemisphere(), 'N');
    EXPECT_EQ(ok.Press(keypad), KeypadClose::Accepted);
    EXPECT_EQ(std::pair(ok.value, ok.saved), std::pair(10.0, false));
}

TEST(KeypadChecks, BoundsApplyToTheSignedValue) {
    KeypadRequest r = Request(K::Longitude, 0);
    r.lower = -30;
    r.upper = -1;
    for (auto [hemisphere, code] : {std::pair{'W', kKeypadOk}, {'E', kErrValue}})
        EXPECT_EQ(Typed(r, 10, 0, 0, hemisphere).code, code) << hemisphere;
    // Upper below lower: nothing passes.
    for (QuantityKind kind : {K::Latitude, K::Distance, K::Interval, K::PointCount}) {
        KeypadRequest inverted = Request(kind, 0);
        inverted.hasBounds = true;
        inverted.lower = 50;
        inverted.upper = 10;
        EXPECT_EQ(Typed(inverted, 20, 0, 0, 'N').code, kErrValue) << static_cast<int>(kind);
    }
}

TEST(KeypadLoading, FieldsAndDisplayByKind) {
    struct Case {
        QuantityKind kind;
        double value;
        int fields[3];
        char hemisphere;
        const char* display;
    };
    const Case cases[] = {
        {K::Latitude, 45.5, {45, 30, 0}, 'N', "45° 30' 00\" Nord"},
        {K::Latitude, -0.5, {0, 30, 0}, 'S', "0° 30' 00\" Sud"},
        {K::Longitude, -74.0, {74, 0, 0}, 'W', "74° 00' 00\" Ovest"},
        {K::Longitude, 0, {0, 0, 0}, 0, "0° 00' 00\""},
        {K::Course, 10.9999999, {11, 0, 0}, 0, "11° 00' 00\""},
        {K::TimeOfDay, 13.5, {13, 30, 0}, 0, "13:30:00"},
        {K::Date, double(DayNumber({2024, 2, 29})), {29, 2, 2024}, 0, "29-02-2024"},
        {K::Date, 0, {6, 12, 2026}, 0, "06-12-2026"},  // empty date: today
        {K::Speed, 7.5, {7, 5, 0}, 0, "7.5"},
        {K::Interval, 2.25, {2, 250, 0}, 0, "2.250"},
        {K::PointCount, 12, {12, 0, 0}, 0, "12"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.display);
        KeypadLogic keypad(Request(k.kind, k.value, false), kToday);
        for (int i = 0; i < keypad.FieldCount(); ++i) EXPECT_EQ(keypad.Field(i), k.fields[i]) << i;
        EXPECT_EQ(keypad.Hemisphere(), k.hemisphere);
        EXPECT_EQ(keypad.DisplayText(), k.display);
    }
}

// An OK that changed nothing, retyped or untouched, keeps the stored value:
// one with more digits than the fields show, and one whose fields would fall
// outside the spin fields' limits, which loads as the nearest numbers the
// fields hold instead of failing a check on a number no field can show.
TEST(KeypadUnchanged, FieldsBeyondTheirLimitsLoadClampedAndOkKeepsTheStoredValue) {
    struct Case {
        const char* what;
        QuantityKind kind;
        double value;
        int a, b;
        bool retyped;
    };
    const Case cases[] = {
        {"latitude retyped", K::Latitude, 45.5, 45, 30, true},
        {"latitude finer than a second", K::Latitude, 44.40833, 44, 24, false},
        {"course rounding up to 360", K::Course, 359.9999, 359, 0, false},
        {"time rounding up to 24 hours", K::TimeOfDay, 23.99999, 23, 0, false},
        {"speed below one knot", K::Speed, 0.5, 1, 5, false},
        {"interval beyond 999 hours", K::Interval, 1500.5, 999, 500, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        KeypadLogic keypad(Request(k.kind, k.value, false), kToday);
        EXPECT_EQ(std::pair(keypad.Field(0), keypad.Field(1)), std::pair(k.a, k.b));
        if (k.retyped) keypad.TypeField(0, keypad.Field(0));
        Ok ok(k.value);
        EXPECT_EQ(ok.Press(keypad), KeypadClose::Unchanged);
        EXPECT_EQ(std::pair(ok.value, ok.saved), std::pair(k.value, true));
    }
}

TEST(KeypadUnchanged, IntervalWithLeadingZeroFractionSurvivesUnchangedOk) {
    Ok ok(2.05);
    KeypadLogic keypad(Request(K::Interval, 2.05, false), kToday);
    EXPECT_EQ(keypad.Field(1), 50);  // the field cannot show the leading zero
    EXPECT_EQ(ok.Press(keypad), KeypadClose::Unchanged);
    EXPECT_EQ(ok.value, 2.05);
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
    KeypadLogic keypad(Request(K::Latitude, -10.25, false), kToday);
    keypad.SetField(0, 120);
    keypad.SetField(1, -3);
    keypad.ToggleHemisphere();
    EXPECT_EQ(std::tuple(keypad.Field(0), keypad.Field(1), keypad.Hemisphere()),
              std::tuple(90, 0, 'N'));
    keypad.Reset();
    EXPECT_EQ(std::tuple(keypad.Field(0), keypad.Field(1), keypad.Hemisphere()),
              std::tuple(10, 15, 'S'));
    EXPECT_TRUE(keypad.FirstFieldEdited());  // Reset put back a changed number
}

// The hemisphere letter keys only flip a letter that is shown, never choose one.
TEST(KeypadEditing, LetterKeysFlipOnlyAShownLetter) {
    struct Case {
        QuantityKind kind;
        double value;
        const char* toggling;  // of the keys N, S, E, W those that press the button
    };
    const Case cases[] = {
        {K::Latitude, 10, "S"},  {K::Latitude, -10, "N"},  {K::Latitude, 0, ""},
        {K::Longitude, 10, "W"}, {K::Longitude, -10, "E"}, {K::Longitude, 0, ""},
        {K::Course, 10, ""},
    };
    for (const Case& c : cases) {
        const KeypadLogic keypad(Request(c.kind, c.value), kToday);
        std::string toggling;
        for (char key : {'N', 'S', 'E', 'W'})
            if (keypad.LetterKeyToggles(key)) toggling += key;
        EXPECT_EQ(toggling, c.toggling) << static_cast<int>(c.kind) << " " << c.value;
    }
}

}  // namespace
}  // namespace velmar
