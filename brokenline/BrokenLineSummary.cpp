#include "brokenline/BrokenLineSummary.h"

#include <cmath>

#include "brokenline/BrokenLineWork.h"
#include "core/Patterns.h"
#include "core/Quantity.h"

namespace velmar {

std::string SummaryHoursText(double hours) {
    if (!std::isfinite(hours)) return FormatValue(QuantityKind::Interval, kStateEntered, hours);
    // Days and clock are split on the millisecond count the clock text shows:
    // a sum of leg times a hair short of 48 hours would otherwise give one
    // day and a clock rounded up to 00h00m00s, a whole day lost.
    constexpr double kMsPerHour = 3'600'000.0, kMsPerDay = 24 * kMsPerHour;
    const double ms = std::round(hours * kMsPerHour);
    const double days = std::trunc(ms / kMsPerDay);
    const double fraction = std::fabs(ms - days * kMsPerDay) / kMsPerDay;
    return FormatValue(QuantityKind::Interval, kStateEntered, hours) + " = " +
           FormatFloat("0", days) + "d " + FormatDateTime("hh'h'nn'm'ss's'", fraction);
}

bool FillSummary(const Scheme& scheme, const BrokenLine& line, SummaryLabels& labels) {
    const double ml = scheme.Value(cells::ml);
    const double dt = scheme.Value(cells::Dt);
    const double mo = scheme.Value(cells::mo);
    if (!(mo < line.totalDistance && line.totalDistance < ml)) return false;
    auto distance = [](double miles) {
        return FormatValue(QuantityKind::Distance, kStateEntered, miles);
    };
    labels.rhumbDistance = distance(ml);
    labels.rhumbTime = SummaryHoursText(dt);
    labels.lineDistance = distance(line.totalDistance);
    labels.lineTime = SummaryHoursText(line.totalTime);
    labels.savedDistance = distance(ml - line.totalDistance);
    labels.savedTime = SummaryHoursText(dt - line.totalTime);
    const double cell = scheme.Value(cells::Method);
    const int method = std::isfinite(cell) ? static_cast<int>(std::trunc(cell)) : 0;
    if (method == kMethodPractical) {
        labels.spacingTitle = "Cambio rotta";
        labels.firstLabel = "Cammino";
        labels.secondLabel = "Tempo";
        if (line.practicalChoice == 1)
            labels.firstLabel += " *";
        else
            labels.secondLabel += " *";
        labels.firstValue = distance(line.dmP) + " miglia";
        labels.secondValue = FormatValue(QuantityKind::Interval, kStateEntered, line.dtP) + " ore";
    } else if (method >= kMethodVertex && method <= kMethodEquation) {
        labels.spacingTitle = "Punti";
        labels.firstLabel = "Numero";
        labels.secondLabel = "Diff.za di longitudine";
        if (line.spacingChoice == 1)
            labels.firstLabel = "*" + labels.firstLabel;
        else
            labels.secondLabel = "*" + labels.secondLabel;
        labels.firstValue = std::to_string(scheme.NrPt());
        labels.secondValue =
            FormatValue(QuantityKind::Longitude, kStateEntered, scheme.Value(cells::Spacing));
    }
    return true;
}

std::string SummaryCopyText(const SummaryLabels& l) {
    const std::string eol = "\r\n";
    const std::string unit = " (ore = d  h m s)";
    return "RIEPILOGO DELLA SPEZZATA:" + eol +                                            //
           "\tLossodromia " + l.rhumbDistance + " (mg); \t" + l.rhumbTime + unit + eol +  //
           "\tSpezzata " + l.lineDistance + " (mg); \t" + l.lineTime + unit + eol +       //
           "\tRisparmi " + l.savedDistance + " (mg); \t" + l.savedTime + unit + eol +     //
           "\t" + l.spacingTitle + eol +                                                  //
           "\t\t" + l.firstLabel + " = " + l.firstValue + eol +                           //
           "\t\t" + l.secondLabel + " = " + l.secondValue + eol +                         //
           "_______" + eol +                                                              //
           "* Valore impostato" + eol;
}

}  // namespace velmar
