#include "scheme/SchemeCommands.h"

#include <cstdio>
#include <ctime>

#include "scheme/AlternativeFormats.h"

namespace velmar {

LocalMoment SystemNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return LocalMoment{CivilDate{local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                 static_cast<unsigned>(local.tm_mday)},
                       local.tm_hour, local.tm_min};
}

bool TakeSystemTime(SchemeSolver& solver, const LocalMoment& now) {
    char text[64];
    std::snprintf(text, sizeof text, "tf  %.2d:%.2d\rdel %.2u-%.2u-%.4d", now.hours, now.minutes,
                  now.date.day, now.date.month, now.date.year);
    const int answer = solver.messages().MsgBox(
        {"?", "YN", "Velmar: Ora/Data", "Inserire come ora e data di partenza...", text, ""});
    if (answer != kMsgYes) return false;
    Scheme& scheme = solver.scheme();
    scheme.SetCell(cells::DepTf, kStateEntered, now.hours + now.minutes / 60.0);
    scheme.SetCell(cells::DepTfDate, kStateEntered, DayNumber(now.date));
    scheme.PushHistory(cells::DepTf);
    scheme.PushHistory(cells::DepTfDate);
    scheme.saved = false;
    solver.SolveToFixpoint();
    return true;
}

OtherFormatsOutcome ShowOtherFormats(const Scheme& scheme, MessageSink& messages, int group,
                                     int cell) {
    const CellRef at{group, cell};
    if (!IsCell(at) || at == cells::Spacing) return OtherFormatsOutcome::EmptyCell;
    if (at == cells::Method)
        return scheme.IsEmpty(group, cell) ? OtherFormatsOutcome::EmptyCell
                                           : OtherFormatsOutcome::OpenSummary;
    if (scheme.IsEmpty(group, cell)) return OtherFormatsOutcome::EmptyCell;
    const AlternativeForms forms = AlternativeFormats(scheme, KindOf(group, cell), group, cell);
    messages.MsgBox({"I", "O", "Velmar: Altri formati", forms.first, forms.second, ""});
    return OtherFormatsOutcome::Shown;
}

}  // namespace velmar
