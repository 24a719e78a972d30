#pragma once
// The light at each point of the broken line: the state of the light when
// the ship is there, the sun's altitude, and the sunrise and sunset of that
// day in the point's zone time, for the watch plan and the passage plan.
// The rows are made once here so that every report shows the same texts.

#include <optional>
#include <string>
#include <vector>

#include "brokenline/BrokenLine.h"
#include "brokenline/BrokenLineWork.h"
#include "core/Daylight.h"

namespace velmar {

/// The text of a sunrise or sunset that the day does not have.
inline constexpr const char* kNoSunEventText = "--:--";
/// The state's text of a point whose position or moment cannot be reckoned
/// (a damaged points file).
inline constexpr const char* kLightUnknownText = "non calcolabile";

struct PointLight {
    int index = 0;
    std::string label;              ///< as the points list shows it: "A", " 1", "V", "B"
    std::optional<Daylight> light;  ///< empty when it cannot be reckoned
    std::string state;     ///< "giorno", "crepuscolo civile", "crepuscolo nautico", "notte"
    std::string altitude;  ///< "+12.3°", "-4.0°"; empty when unknown
    /// Zone time at the point's longitude, to the nearest minute ("06:12"),
    /// of the sunrise and sunset of the point's zone date (the date the list
    /// shows for the point); kNoSunEventText when that day has none.
    std::string sunrise = kNoSunEventText;
    std::string sunset = kNoSunEventText;
    /// "sole sempre sopra l'orizzonte" or "sole sempre sotto l'orizzonte" on
    /// a polar day or night, else empty.
    std::string note;
};

/// One row per point, A to B, at the point's Greenwich moment; none when the
/// line has no times (`work.showTimes` false: no speed or no departure time).
std::vector<PointLight> PointsLight(const BrokenLine& line, const BrokenLineWork& work, int method);

/// One row as a line: "A  giorno  +41.2°  alba 05:45  tramonto 17:50", or
/// with the polar note in place of the two times.
std::string PointLightLine(const PointLight& row);

/// The report section: "LUCE AI PUNTI (alba e tramonto in ora locale):" and
/// one line per row, each ended by carriage return and line feed, like the
/// other report texts; empty without rows.
std::string PointsLightText(const std::vector<PointLight>& rows);

}  // namespace velmar
