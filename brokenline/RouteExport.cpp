#include "brokenline/RouteExport.h"

#include <cmath>
#include <cstdio>

#include "brokenline/PointsText.h"
#include "core/Patterns.h"
#include "core/Quantity.h"

namespace velmar {
namespace {

// Nine decimals of a degree are about 0.1 mm: far below anything a chart
// plotter shows, and enough that a route read back matches the table.
std::string Coordinate(double degrees) {
    char text[40];
    std::snprintf(text, sizeof text, "%.9f", degrees);
    return text;
}

std::string Knots(double speed) {
    char text[40];
    std::snprintf(text, sizeof text, "%.2f", speed);
    return text;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

Route RouteOfLine(const BrokenLine& line, const BrokenLineWork& work, int method, double speed,
                  std::string name) {
    Route route;
    route.name = std::move(name);
    const int n = ArrivalIndex(line);
    for (int i = 0; i <= n; ++i) {
        RoutePoint p;
        p.name = Trim(PointLabel(i, method, line, work.vertexInside));
        p.latitude = line.points[i].latitude;
        p.longitude = line.points[i].longitude;
        if (work.showTimes) p.greenwich = line.greenwichTimes[i];
        route.points.push_back(std::move(p));
    }
    if (work.showLegTimes && std::isfinite(speed) && speed > 0) route.plannedSpeed = speed;
    return route;
}

Route PlannedRoute(const Scheme& scheme, const BrokenLine& line, const BrokenLineWork& work,
                   int method) {
    return RouteOfLine(line, work, method, scheme.Value(cells::Vp),
                       "Velmar - " + MethodName(method));
}

std::string IsoUtc(DateTime moment) {
    return FormatDateTime("yyyy-mm-dd'T'hh:nn:ss'Z'", moment);
}

std::string XmlEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                // XML 1.0 admits no other control characters, not even escaped.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') out += c;
        }
    }
    return out;
}

std::string ToGpx(const Route& route) {
    std::string x;
    x += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    x += "<gpx version=\"1.1\" creator=\"Velmar\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
         "xmlns:opencpn=\"http://www.opencpn.org\">\n";
    x += "  <rte>\n";
    x += "    <name>" + XmlEscape(route.name) + "</name>\n";
    const bool hasDeparture = !route.points.empty() && route.points.front().greenwich;
    if (route.plannedSpeed || hasDeparture) {
        x += "    <extensions>\n";
        if (route.plannedSpeed)
            x += "      <opencpn:planned_speed>" + Knots(*route.plannedSpeed) +
                 "</opencpn:planned_speed>\n";
        if (hasDeparture) {
            x += "      <opencpn:planned_departure>" + IsoUtc(*route.points.front().greenwich) +
                 "</opencpn:planned_departure>\n";
        }
        x += "    </extensions>\n";
    }
    for (const RoutePoint& p : route.points) {
        x += "    <rtept lat=\"" + Coordinate(p.latitude) + "\" lon=\"" + Coordinate(p.longitude) +
             "\">\n";
        if (p.greenwich) x += "      <time>" + IsoUtc(*p.greenwich) + "</time>\n";
        x += "      <name>" + XmlEscape(p.name) + "</name>\n";
        x += "    </rtept>\n";
    }
    x += "  </rte>\n";
    x += "</gpx>\n";
    return x;
}

std::string ToRtz(const Route& route) {
    std::string x;
    x += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    x += "<route xmlns=\"http://www.cirm.org/RTZ/1/0\" version=\"1.0\">\n";
    x += "  <routeInfo routeName=\"" + XmlEscape(route.name) + "\"/>\n";
    x += "  <waypoints>\n";
    for (std::size_t i = 0; i < route.points.size(); ++i) {
        const RoutePoint& p = route.points[i];
        x += "    <waypoint id=\"" + std::to_string(i + 1) + "\" name=\"" + XmlEscape(p.name) +
             "\">\n";
        x += "      <position lat=\"" + Coordinate(p.latitude) + "\" lon=\"" +
             Coordinate(p.longitude) + "\"/>\n";
        if (i > 0) x += "      <leg geometryType=\"Loxodrome\"/>\n";
        x += "    </waypoint>\n";
    }
    x += "  </waypoints>\n";
    bool timed = !route.points.empty();
    for (const RoutePoint& p : route.points) timed = timed && p.greenwich.has_value();
    if (timed) {
        x += "  <schedules>\n";
        x += "    <schedule id=\"1\" name=\"" + XmlEscape(route.name) + "\">\n";
        x += "      <calculated>\n";
        for (std::size_t i = 0; i < route.points.size(); ++i) {
            const std::string when = IsoUtc(*route.points[i].greenwich);
            x += "        <scheduleElement waypointId=\"" + std::to_string(i + 1) + "\"";
            if (i > 0) x += " eta=\"" + when + "\"";
            if (i + 1 < route.points.size()) x += " etd=\"" + when + "\"";
            if (route.plannedSpeed && i > 0) x += " speed=\"" + Knots(*route.plannedSpeed) + "\"";
            x += "/>\n";
        }
        x += "      </calculated>\n";
        x += "    </schedule>\n";
        x += "  </schedules>\n";
    }
    x += "</route>\n";
    return x;
}

}  // namespace velmar
