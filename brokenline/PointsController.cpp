#include "brokenline/PointsController.h"

#include <algorithm>
#include <cmath>

#include "core/Quantity.h"

namespace velmar {
namespace {

constexpr int kMethodCell = 5;
constexpr int kSpacingCell = 5;

int CurrentMethodOf(const Scheme& scheme) {
    const double v = scheme.Value(kPassageA, kMethodCell);
    return std::isfinite(v) && v >= 0 && v < kMethodCount ? static_cast<int>(std::trunc(v)) : 0;
}

}  // namespace

void PointsController::MarkEntered() {
    Scheme& s = engine_.scheme();
    s.SetCell(kPassageA, kMethodCell, kStateEntered, s.Value(kPassageA, kMethodCell));
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

CommandResult PointsController::Spacing(int tag) {
    if (tag != 1 && tag != 2) return CommandResult::kRefused;
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
        request.kind = tag == 1 ? QuantityKind::Distance : QuantityKind::Interval;
        request.value = tag == 1 ? line.dmP : line.dtP;
        request.lower = tag == 1 ? range.dmPLower : range.dtPLower;
        request.upper = tag == 1 ? range.dmPUpper : range.dtPUpper;
        request.rangeSwitch = 1;
        double value = request.value;
        if (!keypad_.ShowKeypad(request, value)) return CommandResult::kUnchanged;
        const double vp = scheme.Value(kPassageA, 1);
        const auto keptChoice = line.practicalChoice;
        const double keptDmP = line.dmP, keptDtP = line.dtP;
        if (tag == 1) {
            line.dmP = value;
            line.dtP = value / vp;
        } else {
            line.dtP = value;
            line.dmP = value * vp;
        }
        line.practicalChoice = static_cast<std::uint8_t>(tag);
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
    request.kind = tag == 1 ? QuantityKind::PointCount : QuantityKind::Longitude;
    request.value = tag == 1 ? scheme.NrPt() : scheme.Value(kPassageB, kSpacingCell);
    request.lower = tag == 1 ? range.nrPtLower : range.dLonPLower;
    request.upper = tag == 1 ? range.nrPtUpper : range.dLonPUpper;
    request.rangeSwitch = (tag == 2 && work.dLon < 0) ? -1 : 1;
    double value = request.value;
    if (!keypad_.ShowKeypad(request, value)) return CommandResult::kUnchanged;
    if (tag == 1) {
        // Held before the conversion: a count beyond an int (or not a number)
        // from a keypad that let it through must not be undefined behaviour.
        // Out of its range it fails the recompute like any count too large.
        work.nrPt = std::isfinite(value)
                        ? static_cast<int>(std::trunc(std::clamp(value, 0.0, 1000.0)))
                        : 1000;
    } else {
        work.dLonP = value;
    }
    engine_.DeriveSpacing(method, tag);
    if (!engine_.ApplyMethod(method)) return CommandResult::kFailed;
    line.spacingChoice = static_cast<std::uint8_t>(tag);
    MarkEntered();
    scheme.SetCell(kPassageB, kSpacingCell,
                   static_cast<std::int8_t>(static_cast<std::uint8_t>(work.nrPt)), work.dLonP);
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
    request.rangeSwitch = scheme.Value(kPassageA, 3);
    double value = request.value;
    if (!keypad_.ShowKeypad(request, value)) return CommandResult::kUnchanged;
    line.limitLat = value;
    engine_.LimitingParallelArcs();
    if (!engine_.ApplyMethod(kMethodLimitParallel)) return CommandResult::kFailed;
    MarkEntered();
    return CommandResult::kApplied;
}

}  // namespace velmar
