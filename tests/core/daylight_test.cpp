// The light at a position: sunrise and sunset against published tables, the
// polar day and night, the local day the times belong to, and the four
// states of the light by the sun's altitude.
#include "core/Daylight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>

namespace velmar {
namespace {

constexpr double kMinute = 1.0 / 1440.0;  // of a day

DateTime Utc(int year, unsigned month, unsigned day, double hours) {
    return MakeDateTime(CivilDate{year, month, day}, hours);
}

struct PublishedDay {
    const char* source;
    double latitude, longitude;
    DateTime moment;           // Greenwich, within the local day of the table
    DateTime sunrise, sunset;  // Greenwich
    double minutes;            // tolerance
};

// Tables for one year's date are given to the minute: half a minute of
// rounding plus the half minute of libnova's single correction. The New
// Zealand table serves any year and says it may be a minute or two out.
const PublishedDay kPublished[] = {
    // USNO, Atlanta (33.8 N, 84.4 W), 6 September 2009, EDT: sunrise 7:15,
    // sunset 19:56, as printed in PyEphem's "Naval Observatory Risings and
    // Settings".
    {"USNO Atlanta", 33.8, -84.4, Utc(2009, 9, 6, 17), Utc(2009, 9, 6, 11 + 15 / 60.0),
     Utc(2009, 9, 6, 23 + 56 / 60.0), 1},
    // P. Schlyter, stjarnhimlen.se, Sundsvall (62.392 N, 17.290 E), 1 January
    // 2001 in Swedish standard time (UT+1): 9:18 and 14:31.
    {"Schlyter Sundsvall", 62.392, 17.290, Utc(2001, 1, 1, 12), Utc(2001, 1, 1, 8 + 18 / 60.0),
     Utc(2001, 1, 1, 13 + 31 / 60.0), 1},
    // RASNZ "Sun Rise and Set in New Zealand", 1 January, NZDT (UT+13):
    // Wellington (41.29 S, 174.78 E) 05:51 and 20:57. The zone of the
    // longitude is +12, so the local day 1 January begins at 12 h UT on 31
    // December and its sunrise falls on the Greenwich 31st.
    {"RASNZ Wellington", -41.2865, 174.7762, Utc(2025, 1, 1, 0), Utc(2024, 12, 31, 16 + 51 / 60.0),
     Utc(2025, 1, 1, 7 + 57 / 60.0), 2},
};

TEST(Daylight, SunriseAndSunsetAgreeWithPublishedTables) {
    for (const PublishedDay& d : kPublished) {
        SCOPED_TRACE(d.source);
        const SunEvents e = SunRiseSet(d.latitude, d.longitude, d.moment);
        EXPECT_EQ(e.day, SunDay::kRiseAndSet);
        ASSERT_TRUE(e.sunrise && e.sunset);
        EXPECT_NEAR(*e.sunrise, d.sunrise, d.minutes * kMinute);
        EXPECT_NEAR(*e.sunset, d.sunset, d.minutes * kMinute);
    }
}

// USNO, Atlanta, 6 September 2009: civil twilight begins at 6:50 and ends at
// 20:21 EDT. The sun climbs about 0.2 degree a minute there, so the minute of
// the table leaves a tenth of a degree, and the almanac's place of the sun
// another.
TEST(Daylight, AltitudeAtPublishedCivilTwilightIsSixDegreesDown) {
    for (const DateTime moment : {Utc(2009, 9, 6, 10 + 50 / 60.0), Utc(2009, 9, 7, 21 / 60.0)}) {
        EXPECT_NEAR(SunAltitude(33.8, -84.4, moment), -6.0, 0.2);
    }
}

struct PolarDay {
    const char* place;
    double latitude, longitude;
    DateTime moment;
    SunDay day;
    SunState state;
};

// Tromso (69.65 N, 18.96 E) has the midnight sun from about 20 May to 22
// July and the polar night from about 27 November to 15 January; at noon in
// mid-December the sun is still only 3 to 4 degrees below the horizon.
const PolarDay kPolar[] = {
    {"Tromso midsummer midnight", 69.65, 18.96, Utc(2024, 6, 25, 23), SunDay::kAlwaysUp,
     SunState::kDay},
    {"Tromso December noon", 69.65, 18.96, Utc(2024, 12, 15, 10.5), SunDay::kAlwaysDown,
     SunState::kCivilTwilight},
    {"80 N December", 80, 100, Utc(2024, 12, 15, 12), SunDay::kAlwaysDown, SunState::kNight},
    {"McMurdo December", -77.85, 166.67, Utc(2024, 12, 21, 12), SunDay::kAlwaysUp, SunState::kDay},
    {"South pole June", -90, 0, Utc(2024, 6, 21, 0), SunDay::kAlwaysDown, SunState::kNight},
};

TEST(Daylight, PolarDayAndPolarNightAreToldApart) {
    for (const PolarDay& p : kPolar) {
        SCOPED_TRACE(p.place);
        const std::optional<Daylight> light = DaylightAt(p.latitude, p.longitude, p.moment);
        ASSERT_TRUE(light);
        EXPECT_EQ(light->events.day, p.day);
        EXPECT_FALSE(light->events.sunrise);
        EXPECT_FALSE(light->events.sunset);
        EXPECT_EQ(light->state, p.state);
    }
}

// Each state's limit belongs to the state below it.
TEST(Daylight, FourStatesByAltitudeAroundTheirLimits) {
    const std::pair<double, SunState> rows[] = {
        {-0.80, SunState::kDay},
        {kSunriseAltitude, SunState::kCivilTwilight},
        {-5.99, SunState::kCivilTwilight},
        {-6.0, SunState::kNauticalTwilight},
        {-11.99, SunState::kNauticalTwilight},
        {-12.0, SunState::kNight},
        {std::numeric_limits<double>::quiet_NaN(), SunState::kNight},
    };
    for (const auto& [altitude, state] : rows) EXPECT_EQ(SunStateAt(altitude), state) << altitude;
}

// The times belong to the zone date the moment has at the point, whichever
// side of Greenwich midnight that is: just before and just after zone
// midnight the days differ by one.
TEST(Daylight, TimesBelongToTheLocalZoneDate) {
    struct Case {
        double longitude;
        DateTime moment;
        DateTime localMidnight;  // Greenwich moment
    };
    const Case cases[] = {
        {179, Utc(2024, 3, 20, 11.9), Utc(2024, 3, 19, 12)},   // zone +12: 23:54 on the 20th
        {179, Utc(2024, 3, 20, 12.1), Utc(2024, 3, 20, 12)},   // 00:06 on the 21st
        {-179, Utc(2024, 3, 21, 11.9), Utc(2024, 3, 20, 12)},  // zone -12: 23:54 on the 20th
        {-179, Utc(2024, 3, 21, 12.1), Utc(2024, 3, 21, 12)},
        {0, Utc(2024, 3, 20, 0), Utc(2024, 3, 20, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.longitude);
        SCOPED_TRACE(c.moment);
        const SunEvents e = SunRiseSet(10, c.longitude, c.moment);
        EXPECT_NEAR(e.dayStart, c.localMidnight, 1e-9);
        ASSERT_TRUE(e.sunrise && e.sunset);
        EXPECT_GE(*e.sunrise, e.dayStart);
        EXPECT_LT(*e.sunset, e.dayStart + 1);
        EXPECT_LT(*e.sunrise, *e.sunset);  // a tropical day: about 6 and 18 h local
    }
}

// Between the polar circles every day has a sunrise and a sunset, and at
// both the sun's centre stands at -50': the times and the altitude come from
// one sun. libnova's single correction of the estimate leaves a few seconds,
// under 0.01 degree of climb; the test allows twice that.
TEST(Daylight, SunStandsAtTheSunriseAltitudeAtSunriseAndSunset) {
    std::mt19937 random(20260703);
    SCOPED_TRACE("seed 20260703");
    std::uniform_real_distribution<double> latitude(-60, 60), longitude(-180, 180),
        day(DayNumber({1950, 1, 1}), DayNumber({2050, 12, 31}));
    for (int i = 0; i < 200; ++i) {
        const double lat = latitude(random), lon = longitude(random);
        const DateTime moment = day(random);
        SCOPED_TRACE(testing::Message() << lat << " " << lon << " " << moment);
        const std::optional<Daylight> light = DaylightAt(lat, lon, moment);
        ASSERT_TRUE(light);
        const SunEvents& e = light->events;
        ASSERT_TRUE(e.sunrise && e.sunset);
        EXPECT_NEAR(SunAltitude(lat, lon, *e.sunrise), kSunriseAltitude, 0.02);
        EXPECT_NEAR(SunAltitude(lat, lon, *e.sunset), kSunriseAltitude, 0.02);
        EXPECT_EQ(light->state, SunStateAt(light->altitude));
    }
}

TEST(Daylight, RefusesWhatIsNoPositionOrMoment) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const DateTime june = Utc(2024, 6, 21, 12);
    struct Case {
        double latitude, longitude;
        DateTime moment;
    };
    for (const Case& c :
         {Case{90.5, 0, june}, Case{0, 180.5, june}, Case{nan, 0, june}, Case{0, nan, june},
          Case{0, 0, nan}, Case{0, 0, Utc(1899, 12, 31, 12)}, Case{0, 0, Utc(10000, 1, 1, 0)}}) {
        EXPECT_FALSE(DaylightAt(c.latitude, c.longitude, c.moment));
    }
    EXPECT_TRUE(DaylightAt(90, 180, june));
    EXPECT_TRUE(DaylightAt(-90, -180, june));
}

}  // namespace
}  // namespace velmar
