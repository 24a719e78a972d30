#include "brokenline/PointsController.h"

#include <algorithm>
#include <cmath>

#include "core/Quantity.h"

namespace velmar {
namespace {

int CurrentMethodOf(const Scheme& scheme) {
    const double v = scheme.Value(cells::Method);
    return std::isfinite(v) && v >= 0 && v < kMethodCount ? static_cast<int>(std::trunc(v)) : 0;
}

}  // namespace

void PointsController::MarkEntered() {
    Scheme& s = engine_.scheme();
    s.SetCell(cells::Method, kStateEntered, s.Value(cells::Method));
}

CommandResult PointsController::Automatic() {
    const int method = engine_.ChooseAutomaticMethod();
    engine_.SetMethodDefaults(method);
    return engine_.ApplyMethod(method) ? CommandResult::kApplied : CommandResult::kFailed;
}

CommandResult PointsController::ChooseMethod(int tag) {
    if (tag < kMethodVertex || tag > kMethodPractical) return CommandResult::kRefused;
    if (engine_.Display().status.checkedTag == tag) return CommandResult::kUnchanged;
    if (!engine_.MethodAvailable(tag)) {
        // The window disables these items; a caller without menus hears why.
        const bool practical = tag == kMethodPractical;
        engine_.messages().MsgBox(
            {"!", "O", "Velmar: Modulo Punti", MethodName(tag),
             practical ? "Impossibile impostare il metodo pratico."
                       : "Il vertice non è interno o gli estremi sono in emisferi diversi.",
             ""});
        return CommandResult::kRefused;
    }
    engine_.SetMethodDefaults(tag);
    if (!engine_.ApplyMethod(tag)) return CommandResult::kFailed;
    MarkEntered();
    return CommandResult::kApplied;
}

CommandResult PointsController::Spacing(SpacingItem item) {
    if (item != SpacingItem::kNrPt && item != SpacingItem::kDLonP) return CommandResult::kRefused;
    Scheme& scheme = engine_.scheme();
    BrokenLine& line = engine_.line();
    BrokenLineWork& work = engine_.work();
    const int method = CurrentMethodOf(scheme);
    if (method < kMethodVertex) return CommandResult::kRefused;
    KeypadRequest request;
    request.caller = 1;
    request.insert = false;
    request.hasBounds = true;
    if (method == kMethodPractical) {
        const PracticalRange range = engine_.PracticalRanges();
        const bool dmP = item == SpacingItem::kDmP;
        request.kind = dmP ? QuantityKind::Distance : QuantityKind::Interval;
        request.value = dmP ? line.dmP : line.dtP;
        request.lower = dmP ? range.dmPLower : range.dtPLower;
        request.upper = dmP ? range.dmPUpper : range.dtPUpper;
        request.rangeSwitch = 1;
        double value = request.value;
        if (!keypad_.ShowKeypad(request, value)) return CommandResult::kUnchanged;
        const double vp = scheme.Value(cells::Vp);
        const auto keptChoice = line.practicalChoice;
        const double keptDmP = line.dmP, keptDtP = line.dtP;
        if (dmP) {
            line.dmP = value;
            line.dtP = value / vp;
        } else {
            line.dtP = value;
            line.dmP = value * vp;
        }
        line.practicalChoice = static_cast<std::uint8_t>(item);
        if (!engine_.ApplyMethod(kMethodPractical)) {
            line.practicalChoice = keptChoice;
            line.dmP = keptDmP;
            line.dtP = keptDtP;
            return CommandResult::kFailed;
        }
        MarkEntered();
        return CommandResult::kApplied;
    }
    const SpacingRange range = engine_.SpacingRanges(method);
    const bool nrPt = item == SpacingItem::kNrPt;
    request.kind = nrPt ? QuantityKind::PointCount : QuantityKind::Longitude;
    request.value = nrPt ? scheme.NrPt() : scheme.Value(cells::Spacing);
    request.lower = nrPt ? range.nrPtLower : range.dLonPLower;
    request.upper = nrPt ? range.nrPtUpper : range.dLonPUpper;
    request.rangeSwitch = (!nrPt && work.dLon < 0) ? -1 : 1;
    double value = request.value;
    if (!keypad_.ShowKeypad(request, value)) return CommandResult::kUnchanged;
    if (nrPt) {
        // Held before the conversion: a count beyond an int (or not a number)
        // from a keypad that let it through must not be undefined behaviour.
        // Out of its range it fails the recompute like any count too large.
        work.nrPt = std::isfinite(value)
                        ? static_cast<int>(std::trunc(std::clamp(value, 0.0, 1000.0)))
                        : 1000;
    } else {
        work.dLonP = value;
    }
    engine_.DeriveSpacing(static_cast<BrokenLineMethod>(method), item);
    if (!engine_.ApplyMethod(method)) return CommandResult::kFailed;
    line.spacingChoice = static_cast<std::uint8_t>(item);
    MarkEntered();
    scheme.SetSpacing(work.nrPt, work.dLonP);
    return CommandResult::kApplied;
}

CommandResult PointsController::LimitLatitude() {
    Scheme& scheme = engine_.scheme();
    BrokenLine& line = engine_.line();
    BrokenLineWork& work = engine_.work();
    if (CurrentMethodOf(scheme) != kMethodLimitParallel) {
        engine_.messages().MsgBox({"!", "O", "Velmar: Modulo Punti",
                                   "Devi prima impostare il metodo del Parallelo Limite", "", ""});
        return CommandResult::kRefused;
    }
    if (work.limitLow == 0 || work.limitHigh == 0) {
        const double kept = line.limitLat;
        engine_.LimitingParallelRange();
        line.limitLat = kept;
    }
    KeypadRequest request;
    request.caller = 1;
    request.kind = QuantityKind::Latitude;
    request.insert = false;
    request.hasBounds = true;
    request.value = line.limitLat;
    request.lower = work.limitLow;
    request.upper = work.limitHigh;
    request.rangeSwitch = scheme.Value(cells::V1Lat);
    double value = request.value;
    if (!keypad_.ShowKeypad(request, value)) return CommandResult::kUnchanged;
    line.limitLat = value;
    engine_.LimitingParallelArcs();
    if (!engine_.ApplyMethod(kMethodLimitParallel)) return CommandResult::kFailed;
    MarkEntered();
    return CommandResult::kApplied;
}

}  // namespace velmar
