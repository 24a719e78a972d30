#include "brokenline/BrokenLineEngine.h"

#include <algorithm>
#include <cassert>
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
    work_.showLegTimes = !s.IsEmpty(cells::Vp);
    // Point times start from the departure's Greenwich moment: with the zone
    // time but not its date that moment is unknown, and computing from an
    // empty date would blame point 0 for a date the user never gave.
    work_.showTimes = work_.showLegTimes && !s.IsEmpty(cells::DepTf) && !s.IsEmpty(cells::DepTm) &&
                      !s.IsEmpty(cells::DepTmDate);
    const double depLon = s.Value(cells::DepLon);
    work_.dLon = Normalize180(s.Value(cells::ArrLon) - depLon);
    work_.dLonAV = Normalize180(s.Value(cells::V1Lon) - depLon);
    work_.vertexInside =
        work_.dLon * work_.dLonAV > 0 && std::fabs(work_.dLonAV) < std::fabs(work_.dLon);
    display_.recall = RecallBarTexts(work_.dLon, work_.dLonAV, work_.vertexInside,
                                     s.Value(cells::ml), s.Value(cells::mo));
    if (work_.vertexInside) {
        const double kept = line_.limitLat;
        LimitingParallelRange();
        if (line_.limitLat == 0) work_.vertexInside = false;
        line_.limitLat = kept;
    }
    display_.limitLatEnabled =
        work_.vertexInside && s.Value(cells::DepLat) * s.Value(cells::ArrLat) > 0;
    display_.practicalEnabled = work_.showLegTimes;
}

double BrokenLineEngine::SeasonalLimitLatitude() const {
    if (scheme_.IsEmpty(cells::ArrTfDate)) return 0;
    const double date = scheme_.Value(cells::ArrTfDate);
    if (!YearInRange(date)) return 0;
    const unsigned month = CivilFromDay(static_cast<int>(std::floor(date))).month;
    if (scheme_.Value(cells::V1Lat) < 0) return (month == 12 || month <= 2) ? -48 : -40;
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
        return std::fabs(scheme_.Value(cells::V1Lat)) > std::fabs(season) ? kMethodLimitParallel
                                                                          : kMethodVertex;
    }
    if (!scheme_.IsEmpty(cells::Vp)) return kMethodPractical;
    messages_.MsgBox({"I", "O", "Velmar: Automatico", "Velocità propulsiva assente:",
                      "Impossibile impostare il metodo pratico.", ""});
    return kMethodEquation;
}

bool BrokenLineEngine::SetMethodDefaults(int method) {
    switch (method) {
        case kMethodPractical:
            return SetPracticalDefaults();
        case kMethodVertex:
            SetVertexDefaults();
            break;
        case kMethodLimitParallel:
            SetLimitParallelDefaults();
            break;
        case kMethodEquation:
            SetEquationDefaults();
            break;
        default:
            return false;
    }
    work_.nrPt = std::clamp(work_.nrPt, 0, 255);
    scheme_.SetSpacing(work_.nrPt, work_.dLonP);
    return true;
}

// The interval of the halving and doubling series whose legs first number
// at most 58 on the rhumb distance.
bool BrokenLineEngine::SetPracticalDefaults() {
    const double vp = scheme_.Value(cells::Vp);
    const double ml = scheme_.Value(cells::ml);
    if (!(vp >= kMinSpeed) || !std::isfinite(vp) || !(ml > 0) || !std::isfinite(ml)) return false;
    line_.practicalChoice = static_cast<std::uint8_t>(SpacingItem::kDtP);
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

namespace {

// Widens DLonP by five degrees at a time (towards dLon) until `count` of the
// new spacing is at most `cap`, and leaves that count in NrPt. The loop ends
// within 36 rounds for any |dLon| up to 180; the bound guards a damaged dLon.
template <class Count>
void StepSpacingUntil(BrokenLineWork& work, int cap, Count count) {
    const double step = work.dLon >= 0 ? 5 : -5;
    work.dLonP = 0;
    for (int round = 0; round < kMaxRounds; ++round) {
        work.dLonP += step;
        work.nrPt = count(work.dLonP);
        if (work.nrPt <= cap) break;
    }
}

}  // namespace

void BrokenLineEngine::SetVertexDefaults() {
    const double dLon = work_.dLon;
    if (std::fabs(dLon) < 30) {
        work_.dLonP = 0;
        work_.nrPt = work_.vertexInside ? 2 : 3;
        // Spread the points as the NrPt setting would: dividing by the
        // point count itself put the last point on the arrival and left
        // a leg of no length, whose time no speed can give.
        DeriveSpacing(kMethodVertex, SpacingItem::kNrPt);
        line_.spacingChoice = static_cast<std::uint8_t>(SpacingItem::kNrPt);
        return;
    }
    line_.spacingChoice = static_cast<std::uint8_t>(SpacingItem::kDLonP);
    const int drop = work_.vertexInside ? 2 : 1;
    StepSpacingUntil(work_, work_.vertexInside ? 7 : 6,
                     [&](double dLonP) { return TruncCount(dLon / dLonP) - drop; });
}

void BrokenLineEngine::SetLimitParallelDefaults() {
    LimitingParallelRange();
    LimitingParallelArcs();
    const double arcs = std::fabs(work_.arcDLon1) + std::fabs(work_.arcDLon2);
    if (arcs <= 17.5) {
        line_.spacingChoice = static_cast<std::uint8_t>(SpacingItem::kNrPt);
        work_.nrPt = 1;
        work_.dLonP = work_.dLon < 0 ? -arcs / 3 : arcs / 3;
        return;
    }
    line_.spacingChoice = static_cast<std::uint8_t>(SpacingItem::kDLonP);
    StepSpacingUntil(work_, 6,
                     [&](double dLonP) { return TruncCount(arcs / std::fabs(dLonP)) - 2; });
}

void BrokenLineEngine::SetEquationDefaults() {
    const double dLon = work_.dLon;
    if (std::fabs(dLon) < 17.5) {
        line_.spacingChoice = static_cast<std::uint8_t>(SpacingItem::kNrPt);
        work_.nrPt = 1;
        work_.dLonP = dLon / 2;
        return;
    }
    line_.spacingChoice = static_cast<std::uint8_t>(SpacingItem::kDLonP);
    StepSpacingUntil(work_, 8, [&](double dLonP) { return TruncCount(dLon / dLonP) - 1; });
}

void BrokenLineEngine::LimitingParallelRange() {
    const double v = scheme_.Value(cells::V1Lat);
    const double dep = scheme_.Value(cells::DepLat);
    const double arr = scheme_.Value(cells::ArrLat);
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
    const double a = Tand(scheme_.Value(cells::DepLat)) / t;
    const double b = Tand(scheme_.Value(cells::ArrLat)) / t;
    work_.arcDLon1 = Acosd(a);
    work_.arcDLon2 = Acosd(b);
    if (work_.dLon < 0) work_.arcDLon1 = -work_.arcDLon1;
    work_.arcDLon2 = -SignOf(work_.dLon) * work_.arcDLon2;
}

void BrokenLineEngine::DeriveSpacing(BrokenLineMethod method, SpacingItem given) {
    assert(method >= kMethodVertex && method <= kMethodEquation);
    const double arcs = std::fabs(work_.arcDLon1) + std::fabs(work_.arcDLon2);
    const double span = method == kMethodLimitParallel ? arcs : std::fabs(work_.dLon);
    const int extra =
        (method == kMethodLimitParallel || (method == kMethodVertex && work_.vertexInside)) ? 2 : 1;
    if (given == SpacingItem::kNrPt) {
        work_.dLonP = span / (work_.nrPt + extra);
        if (work_.dLon < 0) work_.dLonP = -work_.dLonP;
    } else {
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
    const double vp = scheme_.Value(cells::Vp);
    const double ml = scheme_.Value(cells::ml);
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
    const double depLon = scheme_.Value(cells::DepLon);
    const double v1Lat = scheme_.Value(cells::V1Lat);
    const double v1Lon = scheme_.Value(cells::V1Lon);
    const double tv = Tand(v1Lat);
    const int nrPt = work_.nrPt;
    assert(nrPt >= 0 && InSlots(nrPt + 2));  // ComputeBrokenLine holds NrPt to 1..58
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
    const double depLon = scheme_.Value(cells::DepLon);
    const double arrLon = scheme_.Value(cells::ArrLon);
    const int nrPt = work_.nrPt;
    assert(nrPt >= 0 && InSlots(nrPt + 3));  // ComputeBrokenLine holds NrPt to 1..56
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
    const double depLon = scheme_.Value(cells::DepLon);
    const double tv = Tand(scheme_.Value(cells::V1Lat));
    const double node = scheme_.Value(cells::V1Lon) + 90;
    assert(work_.nrPt >= 0 && InSlots(work_.nrPt + 1));  // ComputeBrokenLine holds NrPt to 1..58
    line_.n = static_cast<std::uint8_t>(work_.nrPt + 1);
    for (int i = 1; i <= work_.nrPt; ++i) {
        const double lon = Normalize180(depLon + i * work_.dLonP);
        line_.points[i] = {Atand(tv * Sind(node - lon)), lon};
    }
}

void BrokenLineEngine::GeneratePractical() {
    const double arrLat = scheme_.Value(cells::ArrLat);
    const double arrLon = scheme_.Value(cells::ArrLon);
    const double leg =
        line_.practicalChoice == 1 ? line_.dmP : line_.dtP * scheme_.Value(cells::Vp);
    line_.legs[0] = {scheme_.Value(cells::Ri), leg};
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
    assert(InSlots(i));  // at most 60 legs: the arrival is point 60 at the latest
    const GeoPoint& last = line_.points[i - 1];
    const Rhumb closing = RhumbInverse(last.latitude, last.longitude, arrLat, arrLon);
    line_.legs[i - 1] = {closing.course, closing.distance};
    line_.points[i] = {arrLat, arrLon};
    line_.n = static_cast<std::uint8_t>(i);
    totalDistance_ = 0;
    for (int j = 0; j < i; ++j) totalDistance_ += line_.legs[j].distance;
}

void BrokenLineEngine::ComputeLegs() {
    assert(InSlots(line_.n));  // set by a generation, not read from a file
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
    assert(InSlots(line_.n));
    const double vp = scheme_.Value(cells::Vp);
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
    line_.greenwichTimes[0] = scheme_.Value(cells::DepTm) / 24 + scheme_.Value(cells::DepTmDate);
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

std::optional<BrokenLineMethod> BrokenLineEngine::ComputeBrokenLine(int method) {
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
        line_.points[0] = {scheme_.Value(cells::DepLat), scheme_.Value(cells::DepLon)};
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
        line_.points[line_.n] = {scheme_.Value(cells::ArrLat), scheme_.Value(cells::ArrLon)};
        ComputeLegs();
    }
    // After a failed generation the tables do not describe a line: times
    // over them would only add messages about points that do not exist.
    if (generated && work_.showLegTimes) ComputeTimes();
    if (work_.error == kPointErrorNone &&
        (!generated || !std::isfinite(totalDistance_) ||
         totalDistance_ > scheme_.Value(cells::ml) + kDistanceSlack)) {
        work_.error = kPointErrorTooLong;
    }
    if (work_.error != kPointErrorNone) {
        messages_.MsgBox({"E", "O", "Velmar: Modulo Punti",
                          "Errore inaspettato:", "Il metodo non è stato applicato.", ""});
        line_ = before;
        return std::nullopt;
    }
    shown_ = line_;
    shownWork_ = work_;
    shownMethod_ = method;
    linesStale_ = true;
    ShowSpacingStatus(method);
    if (totalDistance_ != line_.totalDistance) scheme_.saved = false;
    line_.totalDistance = totalDistance_;
    line_.totalTime = work_.showLegTimes ? totalTime_ : 0;
    return static_cast<BrokenLineMethod>(method);
}

void BrokenLineEngine::ShowSpacingStatus(int method) {
    scheme_.SetCell(cells::Method, kStateComputed, method);
    display_.status = SpacingStatusFor(method, work_.nrPt, work_.dLonP, line_);
}

bool BrokenLineEngine::ApplyMethod(int method) {
    // The cell as it stood before this recompute: the scheme's undo copy of
    // it holds a value only after an entry, so a method that was chosen
    // automatically would come back as "Automatico".
    const double keptValue = scheme_.Value(cells::Method);
    const int keptState = scheme_.State(cells::Method);
    if (const auto computed = ComputeBrokenLine(method)) {
        scheme_.SetCell(cells::Method, kStateComputed, *computed);
        return true;
    }
    scheme_.SetCell(cells::Method, keptState, keptValue);
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
            return work_.showLegTimes && scheme_.Value(cells::Vp) >= kMinSpeed;
        default:
            return false;
    }
}

bool BrokenLineEngine::StoredSettingsUsable(int method) {
    if (method == kMethodPractical) {
        const double vp = scheme_.Value(cells::Vp);
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
    if (!scheme_.IsEmpty(cells::Method)) {
        work_.nrPt = scheme_.NrPt();
        work_.dLonP = scheme_.Value(cells::Spacing);
        const double stored = scheme_.Value(cells::Method);
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
