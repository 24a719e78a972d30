#include "brokenline/PassagePlan.h"

#include <cstdio>

#include "brokenline/BrokenLineSummary.h"
#include "brokenline/PointsLight.h"
#include "brokenline/PointsText.h"
#include "core/DateTime.h"
#include "core/Quantity.h"
#include "scheme/Report.h"

namespace velmar {
namespace {

std::string PositionText(const Scheme& scheme, int group) {
    const CellRef lat{group, 0};
    const CellRef lon{group, 1};
    return FormatValue(QuantityKind::Latitude, scheme.State(lat), scheme.Value(lat)) + " " +
           FormatValue(QuantityKind::Longitude, scheme.State(lon), scheme.Value(lon));
}

// "Genova, 44°24'.0N 8°56'.0E", or the position alone.
std::string EndText(const Scheme& scheme, int group, const std::string& name) {
    const std::string position = PositionText(scheme, group);
    return name.empty() ? position : name + ", " + position;
}

// The moment as the points list writes it, cut into time and date.
void SplitMoment(DateTime moment, std::string& time, std::string& date) {
    const std::string text = PointTimeText(moment);
    const std::size_t gap = text.find("  ");
    time = text.substr(0, gap);
    date = gap == std::string::npos ? std::string() : text.substr(gap + 2);
}

// The report text cut into its lines (each ends with carriage return and
// line feed).
std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    if (from < text.size()) lines.push_back(text.substr(from));
    return lines;
}

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

}  // namespace

PassagePlan ComposePassagePlan(const Scheme& scheme, const BrokenLine& line,
                               const BrokenLineWork& work, int method, const PlanPortNames& names,
                               const LocalMoment& printed) {
    PassagePlan plan;
    plan.title = "Piano di navigazione";
    plan.route = !names.departure.empty() && !names.arrival.empty()
                     ? names.departure + " - " + names.arrival
                     : PositionText(scheme, kDeparture) + " - " + PositionText(scheme, kArrival);
    plan.departure = "Partenza: " + EndText(scheme, kDeparture, names.departure);
    plan.arrival = "Arrivo: " + EndText(scheme, kArrival, names.arrival);
    const int n = ArrivalIndex(line);
    plan.method = "Spezzata: " + MethodName(method) + ", " + std::to_string(n) +
                  (n == 1 ? " lato, " : " lati, ") +
                  FormatValue(QuantityKind::Distance, kStateComputed, line.totalDistance) +
                  " miglia";
    plan.printed = "Stampato il " + TwoDigits(static_cast<int>(printed.date.day)) + "-" +
                   TwoDigits(static_cast<int>(printed.date.month)) + "-" +
                   std::to_string(printed.date.year) + " alle " + TwoDigits(printed.hours) + ":" +
                   TwoDigits(printed.minutes);

    plan.scheme.title = "SCHEMA DELLA TRAVERSATA";
    const ReportSelection everything{ReportSection::WithFormats, ReportSection::WithFormats,
                                     ReportSection::WithFormats};
    plan.scheme.lines = SchemeReportLines(scheme, everything);

    plan.pointsTitle = "PUNTI DELLA SPEZZATA";
    const std::vector<PointLight> light = PointsLight(line, work, method);
    plan.rows.reserve(n + 1);
    for (int i = 0; i <= n; ++i) {
        PlanRow row;
        const GeoPoint& p = line.points[i];
        row.label = PointLabel(i, method, line, work.vertexInside);
        row.latitude = FormatValue(QuantityKind::Latitude, kStateEntered, p.latitude);
        row.longitude = FormatValue(QuantityKind::Longitude, kStateEntered, p.longitude);
        if (work.showTimes) {
            SplitMoment(line.zoneTimes[i], row.zoneTime, row.zoneDate);
            SplitMoment(line.greenwichTimes[i], row.greenwichTime, row.greenwichDate);
        }
        if (static_cast<std::size_t>(i) < light.size()) {
            const PointLight& l = light[static_cast<std::size_t>(i)];
            row.light = l.state;
            row.altitude = l.altitude;
            row.sunrise = l.sunrise;
            row.sunset = l.sunset;
            row.lightNote = l.note;
        }
        if (i < n) {
            const Leg& leg = line.legs[i];
            row.course = FormatValue(QuantityKind::Course, kStateEntered, leg.course);
            row.distance = FormatValue(QuantityKind::Distance, kStateEntered, leg.distance);
            if (work.showLegTimes)
                row.legTime = FormatValue(QuantityKind::Interval, kStateEntered, line.legTimes[i]);
        }
        plan.rows.push_back(std::move(row));
    }
    plan.pointsNote =
        work.showTimes
            ? "Luce e altezza del sole all'ora di passaggio; alba e tramonto del giorno del "
              "passaggio, in ora locale del punto. Rv, ml e Dt: il lato che parte dal punto."
            : "Senza velocità o ora di partenza la spezzata non ha orari né luce. Rv, ml e Dt: "
              "il lato che parte dal punto.";

    plan.summary.title = "CONFRONTO CON LOSSODROMIA E ORTODROMIA";
    SummaryLabels labels;
    if (FillSummary(scheme, line, labels))
        plan.summary.lines = TextLines(SummaryCopyText(labels));
    else
        plan.summary.lines = {
            "La spezzata non è più corta della lossodromia: nessun risparmio "
            "da riepilogare."};
    // The summary weighs the line against the rhumb line; against the great
    // circle, the shortest way, stands what keeping to rhumb legs costs.
    const double mo = scheme.Value(cells::mo);
    auto row = [&](const std::string& name, double miles) {
        std::string text = "\t" + name + " " +
                           FormatValue(QuantityKind::Distance, kStateComputed, miles) + " (mg); ";
        if (work.showLegTimes) {
            double distance = miles;
            double speed = scheme.Value(cells::Vp);
            double hours = 0;
            SpeedRelation(distance, speed, hours);
            text += '\t';
            text += SummaryHoursText(hours);
            text += " (ore = d  h m s)";
        }
        return text;
    };
    plan.summary.lines.push_back("ORTODROMIA:");
    plan.summary.lines.push_back(row("Ortodromia", mo));
    plan.summary.lines.push_back(row("Spezzata in più", line.totalDistance - mo));

    plan.chartTitle = "CARTA DELLA TRAVERSATA";
    return plan;
}

std::string PlanPageText(int page, int pages) {
    return "Pagina " + std::to_string(page) + " di " + std::to_string(pages);
}

std::string MissingMapNote(const std::string& path) {
    return "Mappa " + path + " non disponibile: la carta è disegnata senza la costa.";
}

}  // namespace velmar
