#pragma once
// The scheme's plain-text report: the selected sections, each value as the
// screen shows it, entered values marked with an asterisk.

#include <string>
#include <vector>

#include "core/Interaction.h"
#include "scheme/AlternativeFormats.h"

namespace velmar {

/// A section's report selection (the colour of its header on the screen:
/// black, red, blue).
enum class ReportSection { NotSelected, Selected, WithFormats };

struct ReportSelection {
    ReportSection departure = ReportSection::NotSelected;
    ReportSection passage = ReportSection::NotSelected;
    ReportSection arrival = ReportSection::NotSelected;
    bool Any() const {
        return departure != ReportSection::NotSelected || passage != ReportSection::NotSelected ||
               arrival != ReportSection::NotSelected;
    }
};

/// The next selection of a header click: not selected -> selected -> with
/// formats -> not selected.
ReportSection NextReportSection(ReportSection section);

/// The report's lines (without line ends); empty when nothing is selected.
std::vector<std::string> SchemeReportLines(const Scheme& scheme, const ReportSelection& selection,
                                           const LongDateFormatter& dates,
                                           char decimalSeparator = '.');
std::vector<std::string> SchemeReportLines(const Scheme& scheme, const ReportSelection& selection);

/// The lines joined, each followed by `lineEnd` ("\r\n" for the clipboard).
std::string JoinReport(const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n");

/// The copy command: with no section selected shows the "Velmar: Copia"
/// message and returns false; otherwise `text` receives the CRLF report.
bool CopySchemeReport(const Scheme& scheme, const ReportSelection& selection, MessageSink& messages,
                      std::string& text);

}  // namespace velmar
