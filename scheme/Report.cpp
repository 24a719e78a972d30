#include "scheme/Report.h"

namespace velmar {

namespace {

// Captions of the screen's caption labels of a departure or arrival group.
const char* const kPositionCaptions[kCellsPerGroup] = {"Lat", "Lon", "tf", "del", "Tm", "del"};

class ReportBuilder {
  public:
    ReportBuilder(const Scheme& scheme, const LongDateFormatter& dates, char sep)
        : scheme_(scheme), dates_(dates), sep_(sep) {}

    std::string ValueText(CellRef c) const {
        return FormatValue(KindOf(c), scheme_.State(c), scheme_.Value(c));
    }
    // The first alternative form, from the stored value even of an empty cell.
    std::string FirstForm(CellRef c) const {
        return AlternativeFormats(scheme_, KindOf(c), c.group, c.cell, dates_, sep_).first;
    }
    std::string Tail(CellRef c, ReportSection section) const {
        std::string tail;
        if (section == ReportSection::WithFormats)
            tail = " (" +
                   AlternativeFormats(scheme_, KindOf(c), c.group, c.cell, dates_, sep_).second +
                   ")";
        if (scheme_.State(c) == kStateEntered) tail += " *";
        return tail;
    }

    void Position(std::vector<std::string>& lines, const char* heading, int g,
                  ReportSection section) const {
        lines.push_back(heading);
        for (int c = 0; c < kCellsPerGroup; ++c)
            lines.push_back(std::string("\t") + kPositionCaptions[c] + " = " + ValueText({g, c}) +
                            Tail({g, c}, section));
    }

    void Passage(std::vector<std::string>& lines, ReportSection s) const {
        lines.push_back("PERCORSO:");
        lines.push_back("Lossodromia");
        lines.push_back("\tRv = " + ValueText(cells::Rv) + Tail(cells::Rv, s));
        lines.push_back("\tVp = " + FirstForm(cells::Vp) + Tail(cells::Vp, s));
        lines.push_back("\tml = " + FirstForm(cells::ml) + Tail(cells::ml, s));
        lines.push_back("\tDt = " + FirstForm(cells::Dt) + Tail(cells::Dt, s));
        lines.push_back("Ortodromia");
        lines.push_back("\tRi = " + ValueText(cells::Ri) + Tail(cells::Ri, s));
        lines.push_back("\tmo = " + FirstForm(cells::mo) + Tail(cells::mo, s));
        const struct {
            const char* name;
            CellRef lat, lon;
        } vertices[] = {{"\tV1", cells::V1Lat, cells::V1Lon}, {"\tV2", cells::V2Lat, cells::V2Lon}};
        for (const auto& v : vertices) {
            lines.push_back(v.name);
            lines.push_back("\t\tLat = " + ValueText(v.lat) + Tail(v.lat, s));
            lines.push_back("\t\tLon = " + ValueText(v.lon) + Tail(v.lon, s));
        }
    }

  private:
    const Scheme& scheme_;
    const LongDateFormatter& dates_;
    char sep_;
};

}  // namespace

ReportSection NextReportSection(ReportSection section) {
    switch (section) {
        case ReportSection::NotSelected:
            return ReportSection::Selected;
        case ReportSection::Selected:
            return ReportSection::WithFormats;
        default:
            return ReportSection::NotSelected;
    }
}

std::vector<std::string> SchemeReportLines(const Scheme& scheme, const ReportSelection& selection,
                                           const LongDateFormatter& dates, char sep) {
    std::vector<std::string> lines;
    if (!selection.Any()) return lines;
    const ReportBuilder builder(scheme, dates, sep);
    if (selection.departure != ReportSection::NotSelected)
        builder.Position(lines, "PARTENZA: ", kDeparture, selection.departure);
    if (selection.passage != ReportSection::NotSelected) builder.Passage(lines, selection.passage);
    if (selection.arrival != ReportSection::NotSelected)
        builder.Position(lines, "ARRIVO: ", kArrival, selection.arrival);
    lines.push_back("_______");
    lines.push_back("* Valore inserito");
    return lines;
}

std::vector<std::string> SchemeReportLines(const Scheme& scheme, const ReportSelection& selection) {
    static const ItalianLongDate kItalian;
    return SchemeReportLines(scheme, selection, kItalian);
}

std::string JoinReport(const std::vector<std::string>& lines, const std::string& lineEnd) {
    std::string text;
    for (const std::string& line : lines) text += line + lineEnd;
    return text;
}

bool CopySchemeReport(const Scheme& scheme, const ReportSelection& selection, MessageSink& messages,
                      std::string& text) {
    if (!selection.Any()) {
        messages.MsgBox({"I", "O", "Velmar: Copia", "Nessun elemento dello schema selezionato:",
                         "{Click} su Partenza, Percorso, Arrivo per selezionare.", ""});
        return false;
    }
    text = JoinReport(SchemeReportLines(scheme, selection));
    return true;
}

}  // namespace velmar
