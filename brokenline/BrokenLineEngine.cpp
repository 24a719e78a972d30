#include "brokenline/BrokenLineEngine.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "brokenline/PointsText.h"
#include "core/Angles.h"
#include "core/DateTime.h"
#include "core/GreatCircle.h"
#include "core/Quantity.h"
#include "core/Rhumb.h"

namespace velmar {
namespace {

// Scheme cells the broken line reads.
constexpr int kLatCell = 0, kLonCell = 1, kZoneTimeCell = 2, kZoneDateCell = 3;
constexpr int kGmtTimeCell = 4, kGmtDateCell = 5;
constexpr int kVpCell = 1, kRiCell = 2, kV1LatCell = 3, kV1LonCell = 4, kMethodCell = 5;
constexpr int kMlCell = 0, kMoCell = 2, kSpacingCell = 5;

// No loop of the defaults or ranges needs more rounds than this; the bound
// only keeps a damaged value (NaN, a zero speed) from looping forever.
constexpr int kMaxRounds = 400;

// Legs may add up to the rhumb line within rounding (a route along the
// equator is its own broken line); only a real excess refuses the line.
constexpr double kDistanceSlack = 1e-6;  // miles

double Sind(double x) {
    return std::sin(x * kDegToRad);
}
double Cosd(double x) {
    return std::cos(x * kDegToRad);
}
// tan as sin/cos, 0 where the cosine is exactly 0.
double Tand(double x) {
    const double c = Cosd(x);
    return c == 0 ? 0 : Sind(x) / c;
}
double Atand(double x) {
    return std::atan(x) * kRadToDeg;
}
// arccos in degrees through the arc tangent: 90 for 0, 180 - acos(|x|) for
// a negative x. NaN outside -1..1.
double Acosd(double x) {
    if (x == 0) return 90;
    if (!(std::fabs(x) <= 1)) return std::nan("");
    const double a = Atand(std::sqrt(1 - x * x) / std::fabs(x));
    return x < 0 ? 180 - a : a;
}

// Halving and doubling series of the practical interval: 1, 2, 3, 4, 8, 12,
// 24, 48 ...
double AdvanceHours(double h) {
    if (h <= 3) return h + 1;
    if (h == 4 || h == 8) return h + 4;
    return h * 2;
}

// Whole part of a point count as an int; a NaN or a count far beyond any
// table (a zero spacing) gives 1000, which every range then refuses.
int TruncCount(double x) {
    return std::isfinite(x) ? static_cast<int>(std::trunc(std::clamp(x, -1000.0, 1000.0))) : 1000;
}

bool InSlots(int index) {
    return index >= 0 && index < kBrokenLineSlots;
}

}  // namespace

void BrokenLineEngine::RouteFacts() {
    const Scheme& s = scheme_;
    work_.showLegTimes = !s.IsEmpty(kPassageA, kVpCell);
    // Point times start from the departure's Greenwich moment: with the zone
    // time but not its date that moment is unknown, and computing from an
    // empty date would blame point 0 for a date the user never gave.
    work_.showTimes = work_.showLegTimes && !s.IsEmpty(kDeparture, kZoneTimeCell) &&
                      !s.IsEmpty(kDeparture, kGmtTimeCell) && !s.IsEmpty(kDeparture, kGmtDateCell);
    const double depLon = s.Value(kDeparture, kLonCell);
    work_.dLon = Normalize180(s.Value(kArrival, kLonCell) - depLon);
    work_.dLonAV = Normalize180(s.Value(kPassageA, kV1LonCell) - depLon);
    work_.vertexInside =
        work_.dLon * work_.dLonAV > 0 && std::fabs(work_.dLonAV) < std::fabs(work_.dLon);
    display_.recall = RecallBarTexts(work_.dLon, work_.dLonAV, work_.vertexInside,
                                     s.Value(kPassageB, kMlCell), s.Value(kPassageB, kMoCell));
    if (work_.vertexInside) {
        const double kept = line_.limitLat;
        LimitingParallelRange();
        if (line_.limitLat == 0) work_.vertexInside = false;
        line_.limitLat = kept;
    }
    display_.limitLatEnabled =
        work_.vertexInside && s.Value(kDeparture, kLatCell) * s.Value(kArrival, kLatCell) > 0;
    display_.practicalEnabled = work_.showLegTimes;
}

double BrokenLineEngine::SeasonalLimitLatitude() const {
    if (scheme_.IsEmpty(kArrival, kZoneDateCell)) return 0;
    const double date = scheme_.Value(kArrival, kZoneDateCell);
    if (!YearInRange(date)) return 0;
    const unsigned month = CivilFromDay(static_cast<int>(std::floor(date))).month;
    if (scheme_.Value(kPassageA, kV1LatCell) < 0) return (month == 12 || month <= 2) ? -48 : -40;
    return (month >= 6 && month <= 8) ? 48 : 40;
}

int BrokenLineEngine::ChooseAutomaticMethod() {
    const double season = SeasonalLimitLatitude();
    if (season == 0) {
        messages_.MsgBox({"I", "O", "Velmar: Automatico", "Data di arrivo assente:",
                          "Il metodo impostato non tiene conto della stagione.", ""});
        return kMethodEquation;
    }
    if (work_.vertexInside) {
        return std::fabs(scheme_.Value(kPassageA, kV1LatCell)) > std::fabs(season)
                   ? kMethodLimitParallel
                   : kMethodVertex;
    }
    if (!scheme_.IsEmpty(kPassageA, kVpCell)) return kMethodPractical;
    messages_.MsgBox({"I", "O", "Velmar: Automatico", "Velocità propulsiva assente:",
                      "Impossibile impostare il metodo pratico.", ""});
    return kMethodEquation;
}

bool BrokenLineEngine::SetMethodDefaults(int method) {
    if (method == kMethodPractical) {
        const double vp = scheme_.Value(kPassageA, kVpCell);
        const double ml = scheme_.Value(kPassageB, kMlCell);
        if (!(vp >= kMinSpeed) || !std::isfinite(vp) || !(ml > 0) || !std::isfinite(ml))
            return false;
        line_.practicalChoice = 2;
        double k = 1;
        for (int round = 0; round < kMaxRounds; ++round) {
            const double dmP = k * vp;
            k = AdvanceHours(k);
            if (ml / dmP <= 58) break;
        }
        line_.dtP = k;
        line_.dmP = k * vp;
        return true;
    }
    if (method < kMethodVertex || method > kMethodEquation) return false;

    line_.spacingChoice = 2;
    work_.dLonP = 0;
    const double step = work_.dLon >= 0 ? 5 : -5;
    const double dLon = work_.dLon;
    // The stepping loops end within 36 rounds for any |dLon| up to 180 (each
    // round adds five degrees); the bound guards a damaged dLon.
    auto stepUntil = [&](int cap, auto count) {
        for (int round = 0; round < kMaxRounds; ++round) {
            work_.dLonP += step;
            work_.nrPt = count();
            if (work_.nrPt <= cap) break;
        }
    };
    if (method == kMethodVertex) {
        if (std::fabs(dLon) < 30) {
            work_.nrPt = work_.vertexInside ? 2 : 3;
            // Spread the points as the NrPt setting would: dividing by the
            // point count itself put the last point on the arrival and left
            // a leg of no length, whose time no speed can give.
            DeriveSpacing(kMethodVertex, 1);
            line_.spacingChoice = 1;
        } else {
            const int drop = work_.vertexInside ? 2 : 1;
            stepUntil(work_.vertexInside ? 7 : 6,
                      [&] { return TruncCount(dLon / work_.dLonP) - drop; });
        }
    } else if (method == kMethodLimitParallel) {
        LimitingParallelRange();
        LimitingParallelArcs();
        const double arcs = std::fabs(work_.arcDLon1) + std::fabs(work_.arcDLon2);
        if (arcs <= 17.5) {
            line_.spacingChoice = 1;
            work_.nrPt = 1;
            work_.dLonP = dLon < 0 ? -arcs / 3 : arcs / 3;
        } else {
            stepUntil(6, [&] { return TruncCount(arcs / std::fabs(work_.dLonP)) - 2; });
        }
    } else {
        if (std::fabs(dLon) < 17.5) {
            line_.spacingChoice = 1;
            work_.nrPt = 1;
            work_.dLonP = dLon / 2;
        } else {
            stepUntil(8, [&] { return TruncCount(dLon / work_.dLonP) - 1; });
        }
    }
    work_.nrPt = std::clamp(work_.nrPt, 0, 255);
    scheme_.SetCell(kPassageB, kSpacingCell,
                    static_cast<std::int8_t>(static_cast<std::uint8_t>(work_.nrPt)), work_.dLonP);
    return true;
}

void BrokenLineEngine::LimitingParallelRange() {
    const double v = scheme_.Value(kPassageA, kV1LatCell);
    const double dep = scheme_.Value(kDeparture, kLatCell);
    const double arr = scheme_.Value(kArrival, kLatCell);
    work_.limitHigh = RoundHalfEven(v);
    // A parallel beyond the vertex is one the great circle never reaches:
    // the arcs touching it from the endpoints would cross over and the line
    // double back. Rounding up past V1 therefore steps back one degree.
    if (std::fabs(work_.limitHigh) > std::fabs(v)) work_.limitHigh = std::trunc(v);
    double e = 0;
    bool haveEndpoint = true;
    if (dep * arr > 0) {
        e = std::fabs(arr) > std::fabs(dep) ? arr : dep;
    } else if (dep * v > 0) {
        e = dep;
    } else if (arr * v > 0) {
        e = arr;
    } else {
        haveEndpoint = false;  // vertex on the equator or alone in its hemisphere
    }
    work_.limitLow = haveEndpoint ? SignOf(v) * std::trunc(std::fabs(e) + 1) : 0;
    if (!haveEndpoint || std::fabs(work_.limitLow) >= std::fabs(work_.limitHigh)) {
        line_.limitLat = 0;
        return;
    }
    const double season = SeasonalLimitLatitude();
    if (season == 0) {
        line_.limitLat = ((work_.limitLow + work_.limitHigh) / 2 + work_.limitLow) / 2;
    } else if (std::fabs(season) > std::fabs(work_.limitHigh)) {
        line_.limitLat = work_.limitHigh;
    } else if (std::fabs(season) < std::fabs(work_.limitLow)) {
        line_.limitLat = work_.limitLow;
    } else {
        line_.limitLat = season;
    }
    if (work_.limitHigh < work_.limitLow) std::swap(work_.limitHigh, work_.limitLow);
}

void BrokenLineEngine::LimitingParallelArcs() {
    const double t = Tand(line_.limitLat);
    const double a = Tand(scheme_.Value(kDeparture, kLatCell)) / t;
    const double b = Tand(scheme_.Value(kArrival, kLatCell)) / t;
    work_.arcDLon1 = Acosd(a);
    work_.arcDLon2 = Acosd(b);
    if (work_.dLon < 0) work_.arcDLon1 = -work_.arcDLon1;
    work_.arcDLon2 = -SignOf(work_.dLon) * work_.arcDLon2;
}

void BrokenLineEngine::DeriveSpacing(int method, int which) {
    const double arcs = std::fabs(work_.arcDLon1) + std::fabs(work_.arcDLon2);
    const double span = method == kMethodLimitParallel ? arcs : std::fabs(work_.dLon);
    const int extra =
        (method == kMethodLimitParallel || (method == kMethodVertex && work_.vertexInside)) ? 2 : 1;
    if (which == 1) {
        work_.dLonP = span / (work_.nrPt + extra);
        if (work_.dLon < 0) work_.dLonP = -work_.dLonP;
    } else if (which == 2) {
        const SpacingRange range = SpacingRanges(method);
        const double count = span / std::fabs(work_.dLonP) - extra;
        // A spacing typed at the edge of its range may divide to one point
        // more or less than the range allows; hold the count inside it.
        work_.nrPt = std::clamp(TruncCount(count), range.nrPtLower, range.nrPtUpper);
    }
}

SpacingRange BrokenLineEngine::SpacingRanges(int method) const {
    SpacingRange r;
    r.arc1 = std::fabs(work_.arcDLon1);
    r.arc2 = std::fabs(work_.arcDLon2);
    double span = std::fabs(work_.dLon);
    double lowDiv = 59, highDiv = 2;
    r.nrPtLower = 1;
    r.nrPtUpper = 58;
    if (method == kMethodVertex && work_.vertexInside) {
        r.nrPtLower = 2;
        r.nrPtUpper = 57;
        lowDiv = 58;
        highDiv = 4;
    } else if (method == kMethodLimitParallel) {
        r.nrPtUpper = 56;
        span = r.arc1 + r.arc2;
        lowDiv = 58;
        highDiv = 3;
    }
    double lower = span / lowDiv, upper = span / highDiv;
    if (work_.dLon < 0) {
        lower = -lower;
        upper = -upper;
    }
    r.dLonPLower = std::min(lower, upper);
    r.dLonPUpper = std::max(lower, upper);
    return r;
}

PracticalRange BrokenLineEngine::PracticalRanges() const {
    const double vp = scheme_.Value(kPassageA, kVpCell);
    const double ml = scheme_.Value(kPassageB, kMlCell);
    PracticalRange r;
    double t = 192, d = 0;
    for (int round = 0; round < kMaxRounds; ++round) {
        t = std::floor(t / 2);
        d = t * vp;
        if (d < ml || t == 0) break;
    }
    for (int round = 0; round < kMaxRounds && d > 999.9; ++round) {
        t = std::floor(t / 2);
        d = t * vp;
    }
    r.dtPUpper = t;
    r.dmPUpper = t * vp;
    double h = 0;
    for (int round = 0; round < kMaxRounds; ++round) {
        h = AdvanceHours(h);
        d = h * vp;
        if (ml / d < 58) break;
    }
    r.dtPLower = h;
    r.dmPLower = h * vp;
    return r;
}

void BrokenLineEngine::ReportPointError(int kind, int point) {
    const std::string n = std::to_string(point);
    std::string text;
    switch (kind) {
        case kPointErrorLatitude:
            text = "Con queste impostazioni si dovrebbe\rnavigare a latitudini troppo elevate.";
            break;
        case kPointErrorLegTime:
            text = "Il Dt (calcolato con ml e Vp) tra il punto " + n +
                   "\red il successivo eccede i valori minimo-massimo consentiti.";
            break;
        case kPointErrorGreenwich:
            text = "Il GMT di arrivo (calcolato con GMT di partenza e Dt) tra il punto " + n +
                   "\red il successivo eccede i valori minimo-massimo consentiti.";
            break;
        case kPointErrorZoneDate:
            text = "La data locale (calcolata con GMT e Longitudine) del punto " + n +
                   "\reccede i valori minimo-massimo consentiti.";
            break;
        default:
            return;
    }
    messages_.MsgBox({"E", "O", "Velmar: Errore nel punto", MethodName(computing_), text, ""});
    work_.error = kind;
}

std::string BrokenLineEngine::PointLabel(int index, int method) const {
    return velmar::PointLabel(index, method, line_, work_.vertexInside);
}

void BrokenLineEngine::GenerateVertexMethod() {
    const double depLon = scheme_.Value(kDeparture, kLonCell);
    const double v1Lat = scheme_.Value(kPassageA, kV1LatCell);
    const double v1Lon = scheme_.Value(kPassageA, kV1LonCell);
    const double tv = Tand(v1Lat);
    const int nrPt = work_.nrPt;
    if (!work_.vertexInside) {
        line_.n = static_cast<std::uint8_t>(nrPt + 1);
        for (int i = 1; i <= nrPt; ++i) {
            const double lon = Normalize180(depLon + i * work_.dLonP);
            line_.points[i] = {Atand(tv * Cosd(lon - v1Lon)), lon};
        }
        return;
    }
    line_.n = static_cast<std::uint8_t>(nrPt + 2);
    const double s = std::fabs(work_.dLonP);
    double r = std::fabs(work_.dLonAV);
    int k = 0;
    while (r - s > s / 2 && k < nrPt) {
        ++k;
        r -= s;
    }
    // The loop stops at nrPt as well: a vertex within half a spacing of the
    // arrival would otherwise take the arrival's own slot.
    line_.vertexIndex = static_cast<std::uint8_t>(k);
    for (int i = 1; i <= k; ++i) {
        line_.points[k - i + 1] = {Atand(tv * Cosd(i * work_.dLonP)),
                                   Normalize180(v1Lon - i * work_.dLonP)};
    }
    line_.points[k + 1] = {v1Lat, v1Lon};
    for (int m = 1; m <= nrPt - k; ++m) {
        line_.points[k + 1 + m] = {Atand(tv * Cosd(m * work_.dLonP)),
                                   Normalize180(v1Lon + m * work_.dLonP)};
    }
}

void BrokenLineEngine::GenerateLimitParallel() {
    const double depLon = scheme_.Value(kDeparture, kLonCell);
    const double arrLon = scheme_.Value(kArrival, kLonCell);
    const int nrPt = work_.nrPt;
    line_.n = static_cast<std::uint8_t>(nrPt + 3);
    const double a1 = std::fabs(work_.arcDLon1), a2 = std::fabs(work_.arcDLon2);
    const int k = std::clamp(TruncCount(RoundHalfEven(nrPt * a1 / (a1 + a2))), 0, nrPt);
    line_.vertexIndex = static_cast<std::uint8_t>(k);
    const double c1 = Normalize180(depLon + work_.arcDLon1);
    const double c2 = Normalize180(arrLon + work_.arcDLon2);
    const double tl = Tand(line_.limitLat);
    for (int i = 1; i <= k; ++i) {
        const double lon = Normalize180(line_.points[i - 1].longitude + work_.dLonP);
        line_.points[i] = {Atand(tl * Cosd(c1 - lon)), lon};
    }
    line_.points[k + 1] = {line_.limitLat, c1};
    line_.points[k + 2] = {line_.limitLat, c2};
    for (int j = k + 3; j <= line_.n - 1; ++j) {
        const double lon = Normalize180(line_.points[j - 1].longitude + work_.dLonP);
        line_.points[j] = {Atand(tl * Cosd(lon - c2)), lon};
    }
}

void BrokenLineEngine::GenerateEquation() {
    const double depLon = scheme_.Value(kDeparture, kLonCell);
    const double tv = Tand(scheme_.Value(kPassageA, kV1LatCell));
    const double node = scheme_.Value(kPassageA, kV1LonCell) + 90;
    line_.n = static_cast<std::uint8_t>(work_.nrPt + 1);
    for (int i = 1; i <= work_.nrPt; ++i) {
        const double lon = Normalize180(depLon + i * work_.dLonP);
        line_.points[i] = {Atand(tv * Sind(node - lon)), lon};
    }
}

void BrokenLineEngine::GeneratePractical() {
    const double arrLat = scheme_.Value(kArrival, kLatCell);
    const double arrLon = scheme_.Value(kArrival, kLonCell);
    const double leg =
        line_.practicalChoice == 1 ? line_.dmP : line_.dtP * scheme_.Value(kPassageA, kVpCell);
    line_.legs[0] = {scheme_.Value(kPassageA, kRiCell), leg};
    int i = 1;
    double remaining = 0;
    do {
        const GeoPoint& from = line_.points[i - 1];
        const RhumbArrival next =
            RhumbForward(from.latitude, from.longitude, line_.legs[i - 1].course, leg);
        if (!next.ok) {
            ReportPointError(kPointErrorLatitude, i - 1);
            return;
        }
        line_.points[i] = {next.latitude, next.longitude};
        line_.legs[i].course =
            GreatCircle(next.latitude, next.longitude, arrLat, arrLon).initialCourse;
        remaining = RhumbInverse(next.latitude, next.longitude, arrLat, arrLon).distance;
        line_.legs[i].distance = leg;
        ++i;
    } while (line_.dmP <= remaining && i <= 59);
    const GeoPoint& last = line_.points[i - 1];
    const Rhumb closing = RhumbInverse(last.latitude, last.longitude, arrLat, arrLon);
    line_.legs[i - 1] = {closing.course, closing.distance};
    line_.points[i] = {arrLat, arrLon};
    line_.n = static_cast<std::uint8_t>(i);
    totalDistance_ = 0;
    for (int j = 0; j < i; ++j) totalDistance_ += line_.legs[j].distance;
}

void BrokenLineEngine::ComputeLegs() {
    totalDistance_ = 0;
    for (int i = 0; i < line_.n; ++i) {
        const GeoPoint& a = line_.points[i];
        const GeoPoint& b = line_.points[i + 1];
        const Rhumb r = RhumbInverse(a.latitude, a.longitude, b.latitude, b.longitude);
        line_.legs[i] = {r.course, r.distance};
        totalDistance_ += r.distance;
    }
}

void BrokenLineEngine::ComputeTimes() {
    const double vp = scheme_.Value(kPassageA, kVpCell);
    totalTime_ = 0;
    for (int i = 0; i < line_.n; ++i) {
        double distance = line_.legs[i].distance, speed = vp, time = 0;
        if (!SpeedRelation(distance, speed, time)) {
            ReportPointError(kPointErrorLegTime, i);
            return;
        }
        line_.legTimes[i] = time;
        totalTime_ += time;
    }
    if (!work_.showTimes) return;
    line_.greenwichTimes[0] =
        scheme_.Value(kDeparture, kGmtTimeCell) / 24 + scheme_.Value(kDeparture, kGmtDateCell);
    for (int i = 1; i <= line_.n; ++i) {
        // The departure moment is never 0 (its date is in 1900..9999), so
        // the end of each leg is simply start plus leg time.
        line_.greenwichTimes[i] = line_.greenwichTimes[i - 1] + line_.legTimes[i - 1] / 24;
        if (!YearInRange(line_.greenwichTimes[i])) {
            ReportPointError(kPointErrorGreenwich, i - 1);
            return;
        }
    }
    for (int i = 0; i <= line_.n; ++i) {
        if (!ToZoneTime(line_.points[i].longitude, line_.greenwichTimes[i], line_.zoneTimes[i])) {
            ReportPointError(kPointErrorZoneDate, i);
            return;
        }
    }
}

int BrokenLineEngine::ComputeBrokenLine(int method) {
    work_.error = kPointErrorNone;
    computing_ = method;
    totalDistance_ = 0;
    totalTime_ = 0;
    // A failed generation leaves half-made tables (points that are not
    // numbers, a count of another line): the line goes back as it was, so
    // that the chart and a save never meet them.
    const BrokenLine before = line_;
    bool generated = false;
    if (method >= kMethodVertex && method <= kMethodPractical) {
        line_.points[0] = {scheme_.Value(kDeparture, kLatCell),
                           scheme_.Value(kDeparture, kLonCell)};
        // Every count that sizes a table is held to the capacity limits.
        const int maxNrPt = method == kMethodLimitParallel ? 56 : 58;
        if (method == kMethodPractical || (work_.nrPt >= 1 && work_.nrPt <= maxNrPt)) {
            switch (method) {
                case kMethodVertex:
                    GenerateVertexMethod();
                    break;
                case kMethodLimitParallel:
                    GenerateLimitParallel();
                    break;
                case kMethodEquation:
                    GenerateEquation();
                    break;
                default:
                    GeneratePractical();
                    break;
            }
            generated = work_.error == kPointErrorNone && InSlots(line_.n);
        }
    }
    if (generated && method != kMethodPractical) {
        line_.points[line_.n] = {scheme_.Value(kArrival, kLatCell),
                                 scheme_.Value(kArrival, kLonCell)};
        ComputeLegs();
    }
    // After a failed generation the tables do not describe a line: times
    // over them would only add messages about points that do not exist.
    if (generated && work_.showLegTimes) ComputeTimes();
    if (work_.error == kPointErrorNone &&
        (!generated || !std::isfinite(totalDistance_) ||
         totalDistance_ > scheme_.Value(kPassageB, kMlCell) + kDistanceSlack)) {
        work_.error = kPointErrorTooLong;
    }
    if (work_.error != kPointErrorNone) {
        messages_.MsgBox({"E", "O", "Velmar: Modulo Punti",
                          "Errore inaspettato:", "Il metodo non è stato applicato.", ""});
        line_ = before;
        return -1;
    }
    shown_ = line_;
    shownWork_ = work_;
    shownMethod_ = method;
    linesStale_ = true;
    ShowSpacingStatus(method);
    if (totalDistance_ != line_.totalDistance) scheme_.saved = false;
    line_.totalDistance = totalDistance_;
    line_.totalTime = work_.showLegTimes ? totalTime_ : 0;
    return method;
}

void BrokenLineEngine::ShowSpacingStatus(int method) {
    scheme_.SetCell(kPassageA, kMethodCell, kStateComputed, method);
    display_.status = SpacingStatusFor(method, work_.nrPt, work_.dLonP, line_);
}

bool BrokenLineEngine::ApplyMethod(int method) {
    // The cell as it stood before this recompute: the scheme's undo copy of
    // it holds a value only after an entry, so a method that was chosen
    // automatically would come back as "Automatico".
    const double keptValue = scheme_.Value(kPassageA, kMethodCell);
    const int keptState = scheme_.State(kPassageA, kMethodCell);
    const int r = ComputeBrokenLine(method);
    if (r > 0) {
        scheme_.SetCell(kPassageA, kMethodCell, kStateComputed, r);
        return true;
    }
    scheme_.SetCell(kPassageA, kMethodCell, keptState, keptValue);
    return false;
}

const PointsDisplay& BrokenLineEngine::Display() const {
    if (linesStale_) {
        display_.lines = FillPointsList(shown_, shownWork_, shownMethod_);
        linesStale_ = false;
    }
    return display_;
}

bool BrokenLineEngine::MethodAvailable(int method) const {
    switch (method) {
        case kMethodVertex:
        case kMethodEquation:
            return true;
        case kMethodLimitParallel:
            return display_.limitLatEnabled;
        case kMethodPractical:
            return work_.showLegTimes && scheme_.Value(kPassageA, kVpCell) >= kMinSpeed;
        default:
            return false;
    }
}

bool BrokenLineEngine::StoredSettingsUsable(int method) {
    if (method == kMethodPractical) {
        const double vp = scheme_.Value(kPassageA, kVpCell);
        const double leg = line_.practicalChoice == 1 ? line_.dmP : line_.dtP * vp;
        return MethodAvailable(method) &&
               (line_.practicalChoice == 1 || line_.practicalChoice == 2) &&
               std::isfinite(line_.dmP) && line_.dmP > 0 && std::isfinite(leg) && leg > 0;
    }
    if (method < kMethodVertex || method > kMethodEquation) return false;
    if (method == kMethodLimitParallel) {
        if (!work_.vertexInside || line_.limitLat == 0 || line_.limitLat < work_.limitLow ||
            line_.limitLat > work_.limitHigh)
            return false;
        LimitingParallelArcs();
        if (!std::isfinite(work_.arcDLon1) || !std::isfinite(work_.arcDLon2)) return false;
    }
    const SpacingRange range = SpacingRanges(method);
    const double slack = 1e-9 * std::max(1.0, std::fabs(range.dLonPUpper - range.dLonPLower));
    return work_.nrPt >= range.nrPtLower && work_.nrPt <= range.nrPtUpper &&
           std::isfinite(work_.dLonP) && work_.dLonP >= range.dLonPLower - slack &&
           work_.dLonP <= range.dLonPUpper + slack && work_.dLonP != 0;
}

bool BrokenLineEngine::Activate() {
    RouteFacts();
    int method = kMethodAutomatic;
    if (!scheme_.IsEmpty(kPassageA, kMethodCell)) {
        work_.nrPt = scheme_.NrPt();
        work_.dLonP = scheme_.Value(kPassageB, kSpacingCell);
        const double stored = scheme_.Value(kPassageA, kMethodCell);
        if (stored >= 1.0 && stored < 5.0) method = static_cast<int>(std::trunc(stored));
        // A method cell and spacing from a damaged or foreign file must not
        // drive the tables: such a method is chosen afresh.
        if (!StoredSettingsUsable(method)) method = kMethodAutomatic;
    }
    if (method == kMethodAutomatic) {
        method = ChooseAutomaticMethod();
        SetMethodDefaults(method);
    }
    return ApplyMethod(method);
}

}  // namespace velmar
