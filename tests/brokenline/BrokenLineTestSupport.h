#pragma once
// Scripted stand-ins for the message box and the keypad, and a scheme filled
// as the solver would leave it for a route, so that the broken line can be
// tested without the solver or a window.

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "brokenline/BrokenLine.h"
#include "brokenline/BrokenLineEngine.h"
#include "brokenline/BrokenLineWork.h"
#include "core/DateTime.h"
#include "core/GreatCircle.h"
#include "core/Interaction.h"
#include "core/Rhumb.h"
#include "scheme/Scheme.h"
#include "tests/scheme/SchemeFakes.h"

namespace velmar::bltest {

/// Records every message; answers OK.
using RecordingSink = testing::RecordingMessages;

/// Answers every request with the next scripted value (cancels when none is
/// left) and keeps the requests for inspection.
class ScriptedKeypad : public Keypad {
  public:
    bool ShowKeypad(const KeypadRequest& request, double& value) override {
        requests.push_back(request);
        if (answers.empty()) return false;
        value = answers.front();
        answers.erase(answers.begin());
        return true;
    }
    std::vector<double> answers;
    std::vector<KeypadRequest> requests;
};

struct RouteSpec {
    double lat0 = 0, lon0 = 0, lat1 = 0, lon1 = 0;
    std::optional<double> speed = std::nullopt;            ///< Vp, knots
    std::optional<CivilDate> departureDay = std::nullopt;  ///< with departureHours: zone time known
    double departureHours = 8;                             ///< zone time of departure
    std::optional<CivilDate> arrivalDay = std::nullopt;    ///< arrival zone date (season)
};

/// The scheme as the solver leaves it after the positions (and the optional
/// speed, departure time and arrival date) were entered.
inline void FillScheme(Scheme& s, const RouteSpec& r) {
    s.Clear();
    s.SetCell(cells::DepLat, 1, r.lat0);
    s.SetCell(cells::DepLon, 1, r.lon0);
    s.SetCell(cells::ArrLat, 1, r.lat1);
    s.SetCell(cells::ArrLon, 1, r.lon1);
    const Rhumb rh = RhumbInverse(r.lat0, r.lon0, r.lat1, r.lon1);
    s.SetCell(cells::Rv, -1, rh.course);
    s.SetCell(cells::ml, -1, rh.distance);
    const GreatCircleRoute gc = GreatCircle(r.lat0, r.lon0, r.lat1, r.lon1);
    s.SetCell(cells::Ri, -1, gc.initialCourse);
    s.SetCell(cells::mo, -1, gc.distance);
    s.SetCell(cells::V1Lat, -1, gc.v1Latitude);
    s.SetCell(cells::V1Lon, -1, gc.v1Longitude);
    s.SetCell(cells::V2Lat, -1, gc.v2Latitude());
    s.SetCell(cells::V2Lon, -1, gc.v2Longitude);
    if (r.speed) {
        s.SetCell(cells::Vp, 1, *r.speed);
        s.SetCell(cells::Dt, -1, rh.distance / *r.speed);
    }
    if (r.departureDay) {
        s.SetCell(cells::DepTf, 1, r.departureHours);
        s.SetCell(cells::DepTfDate, 1, DayNumber(*r.departureDay));
        DateTime gmt = 0;
        ToGreenwich(r.lon0, MakeDateTime(*r.departureDay, r.departureHours), gmt);
        s.SetCell(cells::DepTm, -1, (gmt - std::floor(gmt)) * 24);
        s.SetCell(cells::DepTmDate, -1, std::floor(gmt));
    }
    if (r.arrivalDay) s.SetCell(cells::ArrTfDate, 1, DayNumber(*r.arrivalDay));
    s.saved = true;
}

/// A scheme, a line and an engine wired together.
struct Bench {
    explicit Bench(const RouteSpec& route) { FillScheme(scheme, route); }
    Scheme scheme;
    BrokenLine line;
    BrokenLineWork work;
    RecordingSink sink;
    BrokenLineEngine engine{scheme, line, work, sink};
};

/// A bench whose engine has already taken the route's facts.
struct FactsBench : Bench {
    explicit FactsBench(const RouteSpec& route) : Bench(route) { engine.RouteFacts(); }
};

}  // namespace velmar::bltest
