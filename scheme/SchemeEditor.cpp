#include "scheme/SchemeEditor.h"

namespace velmar {

bool SchemeEditor::IsEntryCell(int group, int cell) {
    if (!IsCell(group, cell)) return false;
    if (group == kDeparture || group == kArrival) return true;
    const CellRef at{group, cell};
    return at == cells::Rv || at == cells::Vp || at == cells::ml || at == cells::Dt;
}

EditOutcome SchemeEditor::EditCell(int group, int cell) {
    if (!IsEntryCell(group, cell)) return EditOutcome::NotEditable;
    if (!solver_.CanModify(group, cell)) return EditOutcome::Computed;
    Scheme& scheme = solver_.scheme();
    KeypadRequest request;
    request.caller = 0;
    request.kind = KindOf(group, cell);
    request.insert = scheme.IsEmpty(group, cell);
    request.rangeSwitch = 0;
    if (const auto bounds = EntryBounds(request.kind)) {
        request.hasBounds = true;
        request.lower = bounds->lower;
        request.upper = bounds->upper;
    }
    request.value = scheme.Value(group, cell);
    double value = request.value;
    if (!keypad_.ShowKeypad(request, value)) return EditOutcome::KeypadClosed;
    if ((request.kind == QuantityKind::Latitude || request.kind == QuantityKind::Longitude) &&
        solver_.PositionsCoincide(group, cell, value)) {
        solver_.messages().MsgBox({"!", "O", "Velmar: Errore",
                                   "Le coordinate di partenza e di arrivo coincidono.", "", ""});
        return EditOutcome::PositionsCoincide;
    }
    return solver_.AcceptEntry(group, cell, value) ? EditOutcome::Accepted
                                                   : EditOutcome::OutOfRange;
}

}  // namespace velmar
