#pragma once
// The passage plan: what the navigator takes on board before sailing,
// composed here as plain texts so that the plan the points window writes or
// prints and the one velmar-cli writes are the same document. It holds the
// route with the date of printing, the scheme as its report gives it, the
// broken line one point per row (position, zone and Greenwich times, the
// light there and the leg that leaves it) and the summary against the rhumb
// line and the great circle. Laying it out on pages is the painter's.

#include <array>
#include <string>
#include <vector>

#include "brokenline/BrokenLine.h"
#include "brokenline/BrokenLineWork.h"
#include "scheme/Scheme.h"
#include "scheme/SchemeCommands.h"

namespace velmar {

/// One point of the broken line with the leg that leaves it. A text that
/// does not apply is empty: the times and the light without a speed or a
/// departure time, the leg at the arrival, the leg time without a speed.
struct PlanRow {
    std::string label;  ///< as the points list shows it: "A", " 1", "V'", "B"
    std::string latitude;
    std::string longitude;
    std::string zoneTime;  ///< "14:05:09"
    std::string zoneDate;  ///< "03-07-2026"
    std::string greenwichTime;
    std::string greenwichDate;
    std::string light;     ///< "giorno", "crepuscolo civile", ..., "notte"
    std::string altitude;  ///< "+12.3°"
    std::string sunrise;   ///< zone time "07:44", or "--:--" when the day has none
    std::string sunset;
    std::string lightNote;  ///< "sole sempre sopra l'orizzonte" on a polar day, ...
    std::string course;     ///< "276°27'.6"
    std::string distance;   ///< miles, "215.7"
    std::string legTime;    ///< hours, "17.975"
};

/// A block of report lines: a leading tab indents a line one step, a tab
/// inside it starts the next column (the columns line up across the block).
struct PlanSection {
    std::string title;
    std::vector<std::string> lines;
};

/// A column of the points table: its title and the second title line.
struct PlanColumn {
    const char* title;
    const char* subtitle;
};
inline constexpr std::array<PlanColumn, 11> kPlanColumns = {{
    {"Pt", ""},
    {"Lat", ""},
    {"Lon", ""},
    {"Ora locale", "tf  del"},
    {"Ora GMT", "Tm  del"},
    {"Luce", "altezza sole"},
    {"Alba", "ora locale"},
    {"Tramonto", "ora locale"},
    {"Rv", "lato seguente"},
    {"ml", "miglia"},
    {"Dt", "ore"},
}};

struct PassagePlan {
    std::string title;      ///< "Piano di navigazione"
    std::string route;      ///< "Genova - New York", or the two positions
    std::string departure;  ///< "Partenza: Genova, 44°24'.0N 8°56'.0E"
    std::string arrival;    ///< "Arrivo: 40°42'.0N 74°00'.0W" (no port name known)
    std::string method;     ///< "Spezzata: Parallelo Limite, 9 lati, 3592.7 miglia"
    std::string printed;    ///< "Stampato il 06-12-2026 alle 14:05"
    PlanSection scheme;     ///< every section of the report, with the other formats
    std::string pointsTitle;
    std::vector<PlanRow> rows;  ///< A to B
    std::string pointsNote;     ///< what the light and the times mean
    PlanSection summary;
    std::string chartTitle;
    /// Said under the chart when it is drawn without the coastline; the
    /// caller sets it (MissingMapNote) when the map file cannot be read.
    std::string chartNote;
};

/// The port names of the two ends, empty for an end not taken from the
/// ports list (or no longer where its port put it).
struct PlanPortNames {
    std::string departure;
    std::string arrival;
};

/// The plan of the broken line `line` (computed with `method`, with the
/// working values `work`) on `scheme`, printed at `printed` (local time).
/// The line is the one the points window shows: the last successful
/// recompute, whose totals the summary compares.
PassagePlan ComposePassagePlan(const Scheme& scheme, const BrokenLine& line,
                               const BrokenLineWork& work, int method, const PlanPortNames& names,
                               const LocalMoment& printed);

/// "Pagina 1 di 3".
std::string PlanPageText(int page, int pages);

/// The note under a chart drawn without its map file `path`.
std::string MissingMapNote(const std::string& path);

}  // namespace velmar
