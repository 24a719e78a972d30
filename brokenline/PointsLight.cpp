#include "brokenline/PointsLight.h"

#include "brokenline/PointsText.h"
#include "core/Patterns.h"

namespace velmar {
namespace {

constexpr double kHalfMinute = 0.5 / 1440.0;  // of a day

// The zone time of a Greenwich moment at the point, to the nearest minute.
std::string ZoneClockText(double longitude, const std::optional<DateTime>& greenwich) {
    if (!greenwich) return kNoSunEventText;
    DateTime zone = 0;
    ToZoneTime(longitude, *greenwich, zone);
    return FormatDateTime("hh:nn", zone + kHalfMinute);
}

}  // namespace

std::vector<PointLight> PointsLight(const BrokenLine& line, const BrokenLineWork& work,
                                    int method) {
    std::vector<PointLight> rows;
    if (!work.showTimes) return rows;
    const int n = ArrivalIndex(line);
    rows.reserve(n + 1);
    for (int i = 0; i <= n; ++i) {
        const GeoPoint& p = line.points[i];
        PointLight row;
        row.index = i;
        row.label = PointLabel(i, method, line, work.vertexInside);
        row.light = DaylightAt(p.latitude, p.longitude, line.greenwichTimes[i]);
        if (!row.light) {
            row.state = kLightUnknownText;
        } else {
            const Daylight& d = *row.light;
            row.state = SunStateText(d.state);
            row.altitude = FormatFloat(R"(+0.0"°";-0.0"°";0.0"°")", d.altitude);
            row.sunrise = ZoneClockText(p.longitude, d.events.sunrise);
            row.sunset = ZoneClockText(p.longitude, d.events.sunset);
            row.note = SunDayText(d.events.day);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string PointLightLine(const PointLight& row) {
    std::string text = row.label + "  " + row.state;
    if (!row.light) return text;
    text += "  " + row.altitude + "  ";
    text += row.note.empty() ? "alba " + row.sunrise + "  tramonto " + row.sunset : row.note;
    return text;
}

std::string PointsLightText(const std::vector<PointLight>& rows) {
    if (rows.empty()) return "";
    const std::string eol = "\r\n";
    std::string text = "LUCE AI PUNTI (alba e tramonto in ora locale):" + eol;
    for (const PointLight& row : rows) text += PointLightLine(row) + eol;
    return text;
}

}  // namespace velmar
