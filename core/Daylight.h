#pragma once
// The light at a position and a Greenwich moment: the sun's altitude, the
// state of the light it gives (day, civil or nautical twilight, night) and
// the sunrise and sunset of the local day, for the navigator's watch plan.
//
// The sun's place comes from libnova (VSOP87, apparent geocentric place,
// good to a hundredth of a second of arc); the altitude is geometric, with
// neither refraction nor parallax, so a sun whose centre stands at -50'
// (-0.8333 degrees: 34' of horizontal refraction plus the 16' semidiameter)
// shows its upper limb on the sea horizon of an eye at sea level. That is the
// altitude of sunrise and sunset in nautical almanacs and here.

#include <optional>
#include <string_view>

#include "core/DateTime.h"

namespace velmar {

/// The sun's altitude at sunrise and sunset and the upper limit of civil
/// twilight, degrees.
inline constexpr double kSunriseAltitude = -50.0 / 60.0;
/// The sun's altitude that ends civil twilight and begins nautical, degrees.
inline constexpr double kCivilTwilightAltitude = -6.0;
/// The sun's altitude that ends nautical twilight, degrees.
inline constexpr double kNauticalTwilightAltitude = -12.0;

/// The light the sun gives, by its altitude h (degrees).
enum class SunState {
    kDay,               ///< h > -0.8333: "giorno"
    kCivilTwilight,     ///< -6 < h <= -0.8333: "crepuscolo civile"
    kNauticalTwilight,  ///< -12 < h <= -6: "crepuscolo nautico"
    kNight,             ///< h <= -12 (astronomical twilight counts as night at sea): "notte"
};

/// The state of the light at an altitude in degrees; a limit belongs to the
/// darker state (-6 exactly is nautical twilight). An altitude that is no
/// number counts as night.
SunState SunStateAt(double altitude);

/// The state's text: "giorno", "crepuscolo civile", "crepuscolo nautico",
/// "notte".
std::string_view SunStateText(SunState state);

/// How the sun meets the horizon during the local day.
enum class SunDay {
    kRiseAndSet,  ///< it crosses the horizon: a sunrise, a sunset or both
    kAlwaysUp,    ///< polar day: "sole sempre sopra l'orizzonte"
    kAlwaysDown,  ///< polar night: "sole sempre sotto l'orizzonte"
};

/// The text of a polar day or a polar night; empty for kRiseAndSet.
std::string_view SunDayText(SunDay day);

/// The sunrise and sunset of one local day at one place.
struct SunEvents {
    /// The local day: the Greenwich moment of the zone midnight that begins it.
    DateTime dayStart = 0;
    SunDay day = SunDay::kRiseAndSet;
    /// Greenwich moments within [dayStart, dayStart + 1). With kRiseAndSet at
    /// least one is present; the other is missing on the days near the polar
    /// circles when the sun rises and does not set again before midnight, or
    /// the reverse. Both are missing on a polar day or night.
    std::optional<DateTime> sunrise;
    std::optional<DateTime> sunset;
};

/// Everything about the light at one place and moment.
struct Daylight {
    double altitude = 0;  ///< degrees, -90..90, of the sun's centre
    SunState state = SunState::kNight;
    SunEvents events;
};

/// The sun's geometric altitude in degrees at latitude and longitude
/// (degrees, north and east positive) at a Greenwich moment. Within 0.01
/// degree of the almanac's (the sidereal time is the mean one). At a pole
/// the altitude is the sun's declination, signed for that pole.
double SunAltitude(double latitude, double longitude, DateTime greenwich);

/// The sunrise and sunset of the local day at a place: the day of the zone
/// date that the moment has at that longitude (the zone of ZoneOf, the date
/// the points list shows for a point there), from zone midnight to zone
/// midnight. So a navigator reads the sunrise and sunset of the date beside
/// the point; near 180 degrees the two sides of the date line have days a
/// calendar day apart, as their zone dates are.
///
/// The times agree with the published tables to about a minute between the
/// polar circles (libnova's rise and set, one correction of the estimate);
/// on the few days near the polar circles when the sun only grazes the
/// horizon they can be some minutes out, and a grazing sunrise can be missed.
/// With neither event in the day, the sun's altitude at the day's middle
/// tells polar day from polar night.
SunEvents SunRiseSet(double latitude, double longitude, DateTime greenwich);

/// The altitude, the state and the local day's sunrise and sunset. Empty
/// when the latitude is not within -90..90, the longitude not within
/// -180..180, a value is no number, or the moment's year is outside
/// 1900..9999.
std::optional<Daylight> DaylightAt(double latitude, double longitude, DateTime greenwich);

}  // namespace velmar
