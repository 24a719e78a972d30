#include "store/PortChoice.h"

#include <cmath>
#include <numbers>

#include "core/Angles.h"
#include "core/Quantity.h"

namespace velmar {
namespace {

// The Mercator ordinate of a latitude; beyond the picture's 75 degrees a
// value far outside it.
double MercatorY(double latitude) {
    if (std::fabs(latitude) > 75) return latitude > 0 ? 6970.0 : -6970.0;
    return std::log(std::tan(std::numbers::pi / 4 + latitude * std::numbers::pi / 360));
}

// Rounds to the nearest integer, a half to the even neighbour.
int Nearest(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

PicturePixel PortPixel(double latitude, double longitude) {
    const double kx = kPortsPictureWidth / 360.0;
    const double cy = kPortsPictureHeight / 2.0;
    const double ky = cy / MercatorY(75);
    return {Nearest((longitude + 180) * kx),
            kPortsPictureHeight - Nearest(MercatorY(latitude) * ky + cy)};
}

PortTexts ShownPortTexts(const std::optional<Port>& port) {
    if (!port) return {};
    return {FormatValue(QuantityKind::Latitude, kStateEntered, port->latitude),
            FormatValue(QuantityKind::Longitude, kStateEntered, port->longitude)};
}

TakePortOutcome TakePort(SchemeSolver& solver, int group, const std::optional<Port>& departure,
                         const std::optional<Port>& arrival) {
    if (group != kDeparture && group != kArrival) return TakePortOutcome::NothingChosen;
    const std::optional<Port>& chosen = group == kDeparture ? departure : arrival;
    if (!chosen) return TakePortOutcome::NothingChosen;
    const CellRef lat{group, 0};
    const CellRef lon{group, 1};
    if (!solver.CanModify(lat) || !solver.CanModify(lon)) return TakePortOutcome::Computed;

    Scheme& scheme = solver.scheme();
    const int other = group == kDeparture ? kArrival : kDeparture;
    const CellRef otherLat{other, 0};
    const CellRef otherLon{other, 1};
    const bool onOtherEnd = !scheme.IsEmpty(otherLat) && !scheme.IsEmpty(otherLon) &&
                            std::fabs(chosen->latitude - scheme.Value(otherLat)) < kOneMinute &&
                            std::fabs(chosen->longitude - scheme.Value(otherLon)) < kOneMinute;
    if (onOtherEnd || ShownPortTexts(departure) == ShownPortTexts(arrival)) {
        solver.messages().MsgBox(
            {"!", "O", "Velmar3: Porti", "Stesse coordinate di partenza e d'arrivo..", "", ""});
        return TakePortOutcome::SameCoordinates;
    }

    scheme.PushHistory(lat);
    scheme.SetCell(lat, kStateEntered, chosen->latitude);
    const int latState = scheme.prevStates[lat.group][lat.cell];
    const double latValue = scheme.prevValues[lat.group][lat.cell];
    scheme.PushHistory(lon);
    scheme.SetCell(lon, kStateEntered, chosen->longitude);
    if (!scheme.IsEmpty(cells::Method)) scheme.SetCell(cells::Method, 0, 0);
    scheme.saved = false;
    if (solver.SolveToFixpoint()) return TakePortOutcome::Taken;
    scheme.SetCell(lon, scheme.prevStates[lon.group][lon.cell],
                   scheme.prevValues[lon.group][lon.cell]);
    scheme.SetCell(lat, latState, latValue);
    return TakePortOutcome::OutOfRange;
}

TakePortOutcome TakePort(SchemeSolver& solver, int group, const std::optional<Port>& departure,
                         const std::optional<Port>& arrival, PortNames& names) {
    const TakePortOutcome outcome = TakePort(solver, group, departure, arrival);
    if (outcome == TakePortOutcome::Taken)
        names.Remember(group, group == kDeparture ? *departure : *arrival);
    return outcome;
}

void PortNames::Remember(int group, const Port& port) {
    if (group != kDeparture && group != kArrival) return;
    ends_[group == kArrival] = End{port.name, port.latitude, port.longitude};
}

std::string PortNames::NameOf(const Scheme& scheme, int group) const {
    if (group != kDeparture && group != kArrival) return {};
    const std::optional<End>& end = ends_[group == kArrival];
    const CellRef lat{group, 0};
    const CellRef lon{group, 1};
    // The cells hold the port's coordinates exactly as they were entered,
    // and a scheme file keeps them bit for bit.
    if (!end || scheme.IsEmpty(lat) || scheme.IsEmpty(lon) || scheme.Value(lat) != end->latitude ||
        scheme.Value(lon) != end->longitude)
        return {};
    return end->name;
}

}  // namespace velmar
