#include "scheme/Report.h"

namespace velmar {

namespace {

// Captions of the screen's caption labels of a departure or arrival group.
const char* const kPositionCaptions[kCellsPerGroup] = {"Lat", "Lon", "tf", "del", "Tm", "del"};

class ReportBuilder {
  public:
    ReportBuilder(const Scheme& scheme, const LongDateFormatter& dates, char sep)
        : scheme_(scheme), dates_(dates), sep_(sep) {}

    std::string ValueText(int g, int c) const {
        return FormatValue(KindOf(g, c), scheme_.State(g, c), scheme_.Value(g, c));
    }
    // The first alternative form, from the stored value even of an empty cell.
    std::string FirstForm(int g, int c) const {
        return AlternativeFormats(scheme_, KindOf(g, c), g, c, dates_, sep_).first;
    }
    std::string Tail(int g, int c, ReportSection section) const {
        std::string tail;
        if (section == ReportSection::WithFormats)
            tail =
                " (" + AlternativeFormats(scheme_, KindOf(g, c), g, c, dates_, sep_).second + ")";
        if (scheme_.State(g, c) == kStateEntered) tail += " *";
        return tail;
    }

    void Position(std::vector<std::string>& lines, const char* heading, int g,
                  ReportSection section) const {
        lines.push_back(heading);
        for (int c = 0; c < kCellsPerGroup; ++c)
            lines.push_back(std::string("\t") + kPositionCaptions[c] + " = " + ValueText(g, c) +
                            Tail(g, c, section));
    }

    void Passage(std::vector<std::string>& lines, ReportSection s) const {
        lines.push_back("PERCORSO:");
        lines.push_back("Lossodromia");
        lines.push_back("\tRv = " + ValueText(1, 0) + Tail(1, 0, s));
        lines.push_back("\tVp = " + FirstForm(1, 1) + Tail(1, 1, s));
        lines.push_back("\tml = " + FirstForm(2, 0) + Tail(2, 0, s));
        lines.push_back("\tDt = " + FirstForm(2, 1) + Tail(2, 1, s));
        lines.push_back("Ortodromia");
        lines.push_back("\tRi = " + ValueText(1, 2) + Tail(1, 2, s));
        lines.push_back("\tmo = " + FirstForm(2, 2) + Tail(2, 2, s));
        for (int g : {kPassageA, kPassageB}) {
            lines.push_back(g == kPassageA ? "\tV1" : "\tV2");
            lines.push_back("\t\tLat = " + ValueText(g, 3) + Tail(g, 3, s));
            lines.push_back("\t\tLon = " + ValueText(g, 4) + Tail(g, 4, s));
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
