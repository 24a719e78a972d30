#pragma once
// The broken line as a route for chart plotters and ECDIS: GPX 1.1 (one
// <rte>, with the planned speed and departure where chart-plotter software
// reads them) and RTZ 1.0 (IEC 61174 route exchange, rhumb-line legs).
// Plain text generation; writing the file is the caller's.

#include <optional>
#include <string>
#include <vector>

#include "brokenline/BrokenLine.h"
#include "brokenline/BrokenLineWork.h"
#include "core/DateTime.h"
#include "scheme/Scheme.h"

namespace velmar {

struct RoutePoint {
    std::string name;                   ///< the point label without padding: "A", "1", "V", "B"
    double latitude = 0;                ///< degrees, north positive
    double longitude = 0;               ///< degrees, east positive
    std::optional<DateTime> greenwich;  ///< the moment at the point, when known
};

struct Route {
    std::string name;
    std::vector<RoutePoint> points;
    std::optional<double> plannedSpeed;  ///< knots
};

/// The route of a computed line: its points in order with their labels and,
/// when `work.showTimes`, their Greenwich moments; the planned speed when
/// the leg times are known.
Route RouteOfLine(const BrokenLine& line, const BrokenLineWork& work, int method, double speed,
                  std::string name);

/// The route the points window and velmar-cli export for a line computed
/// with `method` on `scheme`: named "Velmar - " and the method's name, with
/// the scheme's speed Vp (knots).
Route PlannedRoute(const Scheme& scheme, const BrokenLine& line, const BrokenLineWork& work,
                   int method);

/// "2026-07-03T14:05:09Z": a moment in UTC, to the second.
std::string IsoUtc(DateTime moment);

/// Escapes &, <, >, " and ' for XML text and attribute values and drops the
/// control characters XML 1.0 does not allow (tab and line feed stay).
std::string XmlEscape(const std::string& text);

/// GPX 1.1 text: one <rte> with one <rtept lat lon> per point (nine
/// decimals), each with <time> when known and <name>; the route's
/// <extensions> carry opencpn:planned_speed (knots) and
/// opencpn:planned_departure (UTC) when known.
std::string ToGpx(const Route& route);

/// RTZ 1.0 text: one waypoint per point with ids 1, 2, 3 ..., each after
/// the first with the leg that ends there marked "Loxodrome", and a
/// calculated schedule with ETD and ETA in UTC when the points have moments.
std::string ToRtz(const Route& route);

}  // namespace velmar
