#include "core/Daylight.h"

#include <libnova/ln_types.h>
#include <libnova/solar.h>
#include <libnova/transform.h>

#include <cmath>

namespace velmar {
namespace {

// The Julian date of day 0 of the moment scale, 30 December 1899 at 0 h.
constexpr double kJulianDateOfEpoch = 2415018.5;

bool OnEarth(double latitude, double longitude) {
    return std::fabs(latitude) <= 90.0 && std::fabs(longitude) <= 180.0;
}

}  // namespace

SunState SunStateAt(double altitude) {
    if (altitude > kSunriseAltitude) return SunState::kDay;
    if (altitude > kCivilTwilightAltitude) return SunState::kCivilTwilight;
    if (altitude > kNauticalTwilightAltitude) return SunState::kNauticalTwilight;
    return SunState::kNight;
}

std::string_view SunStateText(SunState state) {
    switch (state) {
        case SunState::kDay:
            return "giorno";
        case SunState::kCivilTwilight:
            return "crepuscolo civile";
        case SunState::kNauticalTwilight:
            return "crepuscolo nautico";
        case SunState::kNight:
            break;
    }
    return "notte";
}

std::string_view SunDayText(SunDay day) {
    switch (day) {
        case SunDay::kAlwaysUp:
            return "sole sempre sopra l'orizzonte";
        case SunDay::kAlwaysDown:
            return "sole sempre sotto l'orizzonte";
        case SunDay::kRiseAndSet:
            break;
    }
    return "";
}

double SunAltitude(double latitude, double longitude, DateTime greenwich) {
    const double jd = greenwich + kJulianDateOfEpoch;
    ln_lnlat_posn observer{longitude, latitude};
    ln_equ_posn sun{};
    ln_get_solar_equ_coords(jd, &sun);
    ln_hrz_posn horizontal{};
    ln_get_hrz_from_equ(&sun, &observer, jd, &horizontal);
    return horizontal.alt;
}

SunEvents SunRiseSet(double latitude, double longitude, DateTime greenwich) {
    const double zone = ZoneOf(longitude) / 24.0;
    SunEvents events;
    events.dayStart = std::floor(greenwich + zone) - zone;

    // libnova answers for a day of its own choosing around the Julian date
    // it is given (the next events, in the version Debian ships); asking from
    // the local midnight and, for what is still missing, a day either side,
    // and keeping only the events within the local day, makes the answer not
    // depend on that choice. A call that reports the sun circumpolar fills
    // nothing.
    const double start = events.dayStart + kJulianDateOfEpoch;
    const auto inDay = [start](double jd) { return jd >= start && jd < start + 1.0; };
    ln_lnlat_posn observer{longitude, latitude};
    for (const double offset : {0.0, -1.0, 1.0}) {
        if (events.sunrise && events.sunset) break;
        ln_rst_time rst{};
        if (ln_get_solar_rst_horizon(start + offset, &observer, kSunriseAltitude, &rst) != 0)
            continue;
        if (!events.sunrise && inDay(rst.rise)) events.sunrise = rst.rise - kJulianDateOfEpoch;
        if (!events.sunset && inDay(rst.set)) events.sunset = rst.set - kJulianDateOfEpoch;
    }
    if (!events.sunrise && !events.sunset) {
        const bool up = SunAltitude(latitude, longitude, events.dayStart + 0.5) > kSunriseAltitude;
        events.day = up ? SunDay::kAlwaysUp : SunDay::kAlwaysDown;
    }
    return events;
}

std::optional<Daylight> DaylightAt(double latitude, double longitude, DateTime greenwich) {
    if (!OnEarth(latitude, longitude) || !YearInRange(greenwich)) return std::nullopt;
    Daylight light;
    light.altitude = SunAltitude(latitude, longitude, greenwich);
    light.state = SunStateAt(light.altitude);
    light.events = SunRiseSet(latitude, longitude, greenwich);
    return light;
}

}  // namespace velmar
