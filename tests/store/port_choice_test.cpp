#include "store/PortChoice.h"

#include <gtest/gtest.h>

#include "tests/scheme/SchemeFakes.h"

namespace velmar {
namespace {

TEST(PortPixel, MercatorPlacementOnTheWorldPicture) {
    const struct {
        double lat, lon;
        int x, y;
    } rows[] = {
        {0, 0, 400, 259},      // 517 - nearest(258.5): the half goes to the even 258
        {75, -180, 0, 0},      // the top left corner
        {-75, 180, 800, 517},  // the bottom right corner
        {44.4, 8.93, 420, 148},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.lat << ", " << r.lon);
        const PicturePixel p = PortPixel(r.lat, r.lon);
        EXPECT_EQ(p.x, r.x);
        EXPECT_EQ(p.y, r.y);
    }
    // Beyond 75 degrees the dot lands far outside the picture.
    EXPECT_LT(PortPixel(80, 0).y, -1000);
    EXPECT_GT(PortPixel(-80, 0).y, 1000);
}

TEST(ShownPortTexts, SchemeFormatsAndZeroForNone) {
    EXPECT_EQ(ShownPortTexts(std::nullopt), (PortTexts{"0", "0"}));
    EXPECT_EQ(ShownPortTexts(Port{"Genova", 44.4, 8.93}),
              (PortTexts{"44\u00b024'.0N", "8\u00b055'.8E"}));
}

const Port kGenova{"Genova", 44.4, 8.93};
const Port kNewYork{"New York", 40.7, -74.0};

TEST(TakePort, RefusalsEntryAndUndo) {
    enum Setup { Empty, ArrivalComputed, DepartureEntered, SlowSpeed };
    const struct {
        const char* name;
        Setup setup;
        int group;
        std::optional<Port> departure, arrival;
        TakePortOutcome outcome;
        const char* message;  // header of the one message shown, or ""
    } rows[] = {
        {"nothing chosen", Empty, kDeparture, std::nullopt, kGenova, TakePortOutcome::NothingChosen,
         ""},
        {"computed arrival", ArrivalComputed, kArrival, std::nullopt, kNewYork,
         TakePortOutcome::Computed, "Non puoi modificare un valore calcolato."},
        {"same port in both lists", Empty, kDeparture, kGenova, kGenova,
         TakePortOutcome::SameCoordinates, "Stesse coordinate di partenza e d'arrivo.."},
        {"on the scheme's other end", DepartureEntered, kArrival, std::nullopt, kGenova,
         TakePortOutcome::SameCoordinates, "Stesse coordinate di partenza e d'arrivo.."},
        {"taken", DepartureEntered, kArrival, std::nullopt, kNewYork, TakePortOutcome::Taken, ""},
        // 1 knot over some 3,700 miles: a passage time beyond 999.999 hours.
        {"out of range", SlowSpeed, kArrival, kGenova, kNewYork, TakePortOutcome::OutOfRange,
         "Differenza di tempo"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        testing::RecordingMessages messages;
        Scheme scheme;
        SchemeSolver solver(scheme, messages);
        if (r.setup == ArrivalComputed) scheme.SetCell(cells::ArrLat, -1, 40.0);
        if (r.setup == DepartureEntered || r.setup == SlowSpeed) {
            scheme.SetCell(cells::DepLat, kStateEntered, kGenova.latitude);
            scheme.SetCell(cells::DepLon, kStateEntered, kGenova.longitude);
        }
        if (r.setup == SlowSpeed) scheme.SetCell(cells::Vp, kStateEntered, 1.0);
        scheme.SetCell(cells::Method, kStateEntered, 2);
        const Scheme before = scheme;

        EXPECT_EQ(TakePort(solver, r.group, r.departure, r.arrival), r.outcome);
        const std::string header = messages.shown.empty() ? "" : messages.shown[0].header;
        if (r.outcome == TakePortOutcome::OutOfRange) {
            EXPECT_NE(header.find(r.message), std::string::npos) << header;
        } else {
            EXPECT_EQ(header, r.message);
            EXPECT_LE(messages.shown.size(), 1u);
        }
        const CellRef lat{r.group, 0}, lon{r.group, 1};
        if (r.outcome == TakePortOutcome::Taken) {
            EXPECT_EQ(scheme.State(lat), kStateEntered);
            EXPECT_EQ(scheme.Value(lat), r.arrival->latitude);
            EXPECT_EQ(scheme.Value(lon), r.arrival->longitude);
            EXPECT_TRUE(scheme.IsEmpty(cells::Method));
            EXPECT_FALSE(scheme.saved);
            EXPECT_EQ(scheme.State(cells::Ri), -1);  // solved: the great circle is known
            EXPECT_EQ(scheme.history[0].cell, 1);    // the longitude is the latest entry
        } else {
            // Refused or undone: the end's two cells hold what they held.
            EXPECT_EQ(scheme.State(lat), before.State(lat));
            EXPECT_EQ(scheme.Value(lat), before.Value(lat));
            EXPECT_EQ(scheme.State(lon), before.State(lon));
            EXPECT_EQ(scheme.Value(lon), before.Value(lon));
        }
    }
}

// A port's name stands for its end only while the scheme holds the port's
// position: a refused take remembers nothing, and an end typed anew loses
// the name.
TEST(PortNames, NameOnlyWhileTheEndIsWhereThePortPutIt) {
    testing::RecordingMessages messages;
    Scheme scheme;
    SchemeSolver solver(scheme, messages);
    PortNames names;
    EXPECT_EQ(TakePort(solver, kDeparture, kGenova, kGenova, names),
              TakePortOutcome::SameCoordinates);
    EXPECT_EQ(names.NameOf(scheme, kDeparture), "");

    EXPECT_EQ(TakePort(solver, kDeparture, kGenova, kNewYork, names), TakePortOutcome::Taken);
    EXPECT_EQ(TakePort(solver, kArrival, kGenova, kNewYork, names), TakePortOutcome::Taken);
    EXPECT_EQ(names.NameOf(scheme, kDeparture), "Genova");
    EXPECT_EQ(names.NameOf(scheme, kArrival), "New York");

    solver.AcceptEntry(cells::ArrLon.group, cells::ArrLon.cell, -73.5);
    EXPECT_EQ(names.NameOf(scheme, kArrival), "");
    EXPECT_EQ(names.NameOf(scheme, kDeparture), "Genova");
    scheme.Clear();
    EXPECT_EQ(names.NameOf(scheme, kDeparture), "");
}

}  // namespace
}  // namespace velmar
