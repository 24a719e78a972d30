#include "scheme/SchemeScreen.h"

#include <cmath>
#include <cstdio>

#include "core/Angles.h"
#include "core/Patterns.h"
#include "core/Rhumb.h"
#include "scheme/Solver.h"

namespace velmar {

namespace {

// Whole degrees, minutes and rounded seconds: 12° 03' 07".
std::string AngleForm(double degrees) {
    Dms dms = SplitDms(degrees);
    RoundDms(dms);
    char text[48];
    std::snprintf(text, sizeof text, "%.1d\u00b0 %.2d' %.2d\"", static_cast<int>(dms.degrees),
                  static_cast<int>(dms.minutes), static_cast<int>(dms.seconds));
    return text;
}

// A longitude difference as the time the earth turns through it: 30° is 02h00m00s.
std::string TurnTime(double degrees) {
    const long long seconds = std::llround(degrees / 360.0 * 86400.0);
    char text[32];
    std::snprintf(text, sizeof text, "%.2lldh%.2lldm%.2llds", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

}  // namespace

CellClass ClassOf(CellRef cell) {
    if (!IsCell(cell.group, cell.cell) || cell == cells::Spacing) return CellClass::None;
    if (cell == cells::Method) return CellClass::Method;
    if ((cell.group == kPassageA || cell.group == kPassageB) && cell.cell >= 2)
        return CellClass::GreatCircle;
    return CellClass::Entry;
}

std::string CellCaption(CellRef cell) {
    static const char* const kPosition[kCellsPerGroup] = {"Lat", "Lon", "tf", "del", "Tm", "del"};
    static const char* const kFirstColumn[kCellsPerGroup] = {"Rv", "Vp", "Ri", "Lat", "Lon", "Metodo"};
    static const char* const kSecondColumn[kCellsPerGroup] = {"ml", "Dt", "mo", "Lat", "Lon", ""};
    if (!IsCell(cell.group, cell.cell)) return "";
    switch (cell.group) {
        case kPassageA:
            return kFirstColumn[cell.cell];
        case kPassageB:
            return kSecondColumn[cell.cell];
        default:
            return kPosition[cell.cell];
    }
}

std::optional<std::string> ValueHint(const Scheme& scheme, CellRef cell) {
    const int state = IsCell(cell.group, cell.cell) ? scheme.State(cell) : 0;
    switch (ClassOf(cell)) {
        case CellClass::Entry:
            if (state == 0) return "[Click] Inserisci un nuovo valore";
            if (state == kStateEntered)
                return "[Click] Modifichi il valore; [Click-Ds] Visualizzi altri formati.";
            if (state == kStateComputed) return "[Click-Ds] Visualizzi altri formati";
            return std::nullopt;
        case CellClass::GreatCircle:
            return state != 0
                       ? "[Click] Visualizzi il modulo Punti; [Click-Ds] Visualizzi altri formati."
                       : "[Click] Visualizzi il modulo Punti";
        case CellClass::Method:
            return state != 0 ? "[Click] Richiami il modulo Punti; [Click-Ds] Visualizzi il "
                                "riepilogo della spezzata."
                              : "Richiami il modulo Punti";
        case CellClass::None:
            break;
    }
    return std::nullopt;
}

std::string PassageHeaderHint(const Scheme& scheme) {
    std::string hint = kHeaderHint;
    if (scheme.State(cells::mo) == kStateComputed)
        hint += "; [Click-Ds] Visualizzi DLat, DLon e DLatC.";
    return hint;
}

std::optional<Message> RouteFactsMessage(const Scheme& scheme) {
    if (scheme.State(cells::Ri) >= 0) return std::nullopt;
    Message box{"I", "O", "Velmar: Percorso", "", "", ""};
    box.header = std::string(IsInnerVertex(scheme) ? "Vertice interno" : "Vertice esterno") +
                 "; Risparmio (ml-mo) = " +
                 FormatFloat("#.###", scheme.Value(cells::ml) - scheme.Value(cells::mo)) +
                 " miglia";

    const double dLat = scheme.Value(cells::ArrLat) - scheme.Value(cells::DepLat);
    const double dLon = Normalize180(scheme.Value(cells::ArrLon) - scheme.Value(cells::DepLon));
    const double dLatC =
        MeridionalParts(scheme.Value(cells::ArrLat)) - MeridionalParts(scheme.Value(cells::DepLat));
    box.message = "DLat= " + AngleForm(std::fabs(dLat)) +
                  (dLat > 0 ? " Nord" : dLat < 0 ? " Sud" : "") + "; " +
                  FormatFloat("#.0", std::fabs(dLat) * 60) + " primi\r";
    box.message += "DLon= " + AngleForm(std::fabs(dLon)) +
                   (dLon > 0 ? " Est" : dLon < 0 ? " Ovest" : "") + "; " +
                   FormatFloat("#.0", std::fabs(dLon) * 60) + " primi; " +
                   TurnTime(std::fabs(dLon)) + "\r";
    box.message += "DLatC= " + FormatFloat("#.0", std::fabs(dLatC)) + " primi.";
    return box;
}

CellRef MoveHighlight(CellRef from, HighlightKey key) {
    CellRef to = from;
    switch (key) {
        case HighlightKey::PageUp:
            to.cell = 0;
            break;
        case HighlightKey::PageDown:
            to.cell = from.group == kPassageB ? 4 : 5;
            break;
        case HighlightKey::Home:
            to.group = kDeparture;
            break;
        case HighlightKey::End:
            to.group = kArrival;
            break;
        case HighlightKey::Left:
            to.group = (from.group + kGroups - 1) % kGroups;
            break;
        case HighlightKey::Right:
            to.group = (from.group + 1) % kGroups;
            break;
        case HighlightKey::Up:
            to.cell = (from.cell + kCellsPerGroup - 1) % kCellsPerGroup;
            break;
        case HighlightKey::Down:
            to.cell = (from.cell + 1) % kCellsPerGroup;
            break;
    }
    if (to == cells::Spacing) to = key == HighlightKey::Right ? cells::ArrTmDate : cells::Method;
    return to;
}

bool EnterOpensPoints(CellRef cell) {
    return (cell.group == kPassageA || cell.group == kPassageB) && cell.cell >= 2;
}

std::string SchemeCommandInfo::ButtonHint() const {
    return shortcut.empty() ? hint : "<" + shortcut + "> " + hint;
}

const std::vector<SchemeCommandInfo>& SchemeCommands() {
    using C = SchemeCommand;
    static const std::vector<SchemeCommandInfo> commands = {
        {C::Archive, "&File", "Archivio...", "F10", "hsFile", "mnuF_Arc",
         "Salvi/Ripristini file con una breve descrizione"},
        {C::Write, "&File", "Scrivi", "F11", "hsSalva", "mnuF_Scr", "Salvi nel file d'avvio"},
        {C::Read, "&File", "Leggi", "F12", "hsApri", "mnuF_Leg", "Ripristini dal file d'avvio",
         true},
        {C::Ports, "&File", "Porti...", "F4", "hsPorti", "mnuF_Por", "Richiami il modulo Porti"},
        {C::Points, "&File", "Punti...", "F6", "hsPunti", "mnuF_Pun", "Richiami il modulo Punti"},
        {C::Chart, "&File", "Carta...", "F8", "hsCarta", "mnuF_Car", "Richiami il modulo Carta",
         true},
        {C::Exit, "&File", "Esci", "Ctrl+X", "hsEsc", "mnuF_Esc", "Esci dal programma"},
        {C::Clear, "Fun&zioni", "Azzera...", "F3", "hsAzzera", "mnuZ_Azz",
         "Azzeri tutti i valori nello schema"},
        {C::OtherFormats, "Fun&zioni", "Altri formati...", "F7", "hsAFmt", "mnuZ_AFmt",
         "Visualizzi altri formati per il valore evidenziato"},
        {C::SystemTime, "Fun&zioni", "Ora-Data...", "F9", "hsOra", "mnuZ_Ora",
         "Inserisci ora e data di sistema come ora e data di partenza"},
        {C::Window, "Fun&zioni", "Finestra", "F2", "hsFinestra", "mnuZ_Fin",
         "Dimensioni la finestra", true},
        {C::Copy, "Fun&zioni", "&Copia", "Ctrl+C", "hsCopia", "mnuZ_Copia",
         "Copi lo schema negli appunti"},
        {C::Icons, "&Opzioni", "&Icone", "Ctrl+I", "hsIco", "mnuO_Ico",
         "Visualizzi/Nascondi la barra delle icone", false, true},
        {C::Status, "&Opzioni", "&Status", "Ctrl+S", "hsSts", "mnuO_Sts",
         "Visualizzi/Nascondi la barra di stato", false, true},
        {C::Guide, "&Guida", "Guida", "Ctrl+F1", "hsGuida", "mnuG_Gui",
         "Come usare la guida del programma"},
        {C::Tutor, "&Guida", "Tutore", "", "", "mnuG_Tut", "Come usare il tutore del programma"},
        {C::About, "&Guida", "Info sul &Modulo", "Ctrl+M", "hsInfo", "mnuG_Info",
         "Visualizzi le informazioni sul modulo"},
    };
    return commands;
}

const SchemeCommandInfo& CommandInfo(SchemeCommand command) {
    for (const SchemeCommandInfo& info : SchemeCommands())
        if (info.command == command) return info;
    return SchemeCommands().front();
}

Message HelpMessage(SchemeCommand command) {
    if (command == SchemeCommand::Tutor)
        return {"I", "O", "Velmar3: Tutore", "tutore.html",
                "Usa un browser qualunque per aprire il file e consultare il tutore", ""};
    return {"I", "O", "Velmar3: Guida", "guida.html",
            "Usa un browser qualunque per aprire il file e consultare la guida", ""};
}

}  // namespace velmar
