#include "brokenline/PointsText.h"

#include <algorithm>
#include <cstdio>

#include "core/Patterns.h"
#include "core/Quantity.h"

namespace velmar {
namespace {

std::string TwoCharNumber(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%2d", n);
    return text;
}

}  // namespace

std::string PointLabel(int index, int method, const BrokenLine& line, bool vertexInside) {
    if (index == 0) return "A";
    if (index == ArrivalIndex(line)) return "B";
    if (method == kMethodVertex && vertexInside) {
        const int v = line.vertexIndex + 1;
        if (index == v) return "V";
        return TwoCharNumber(index > v ? index - 1 : index);
    }
    if (method == kMethodLimitParallel) {
        const int v = line.vertexIndex;
        if (index == v + 1) return "V'";
        if (index == v + 2) return "V\"";
        return TwoCharNumber(index > v + 2 ? index - 2 : index);
    }
    return TwoCharNumber(index);
}

std::string PointTimeText(DateTime moment) {
    return FormatDateTime("hh:nn:ss  dd-mm-yyyy", moment);
}

std::vector<std::string> FillPointsList(const BrokenLine& line, const BrokenLineWork& work,
                                        int method) {
    const int n = ArrivalIndex(line);
    std::vector<std::string> lines;
    lines.reserve(2 * n + 1);
    for (int i = 0; i <= n; ++i) {
        const GeoPoint& p = line.points[i];
        std::string text = PointLabel(i, method, line, work.vertexInside) + "  " +
                           FormatValue(QuantityKind::Latitude, kStateEntered, p.latitude) + "  " +
                           FormatValue(QuantityKind::Longitude, kStateEntered, p.longitude);
        if (work.showTimes) {
            text += ',';
            text += PointTimeText(line.zoneTimes[i]);
            text += ',';
            text += PointTimeText(line.greenwichTimes[i]);
        }
        lines.push_back(std::move(text));
        if (i == n) break;
        const Leg& leg = line.legs[i];
        std::string legText = FormatValue(QuantityKind::Course, kStateEntered, leg.course) + "  " +
                              FormatValue(QuantityKind::Distance, kStateEntered, leg.distance);
        if (work.showLegTimes)
            legText += "  " + FormatValue(QuantityKind::Interval, kStateEntered, line.legTimes[i]);
        lines.push_back(std::move(legText));
    }
    return lines;
}

std::array<std::string, 3> RecallBarTexts(double dLon, double dLonAV, bool vertexInside, double ml,
                                          double mo) {
    std::array<std::string, 3> sections;
    sections[0] = "DLon = ";
    sections[0] += FormatValue(QuantityKind::Longitude, kStateEntered, dLon);
    sections[1] = vertexInside ? "Vertice interno: DLonAV = " : "Vertice esterno: DLonAV = ";
    sections[1] += FormatValue(QuantityKind::Longitude, kStateEntered, dLonAV);
    sections[2] = "ml-mo = ";
    sections[2] += FormatValue(QuantityKind::Distance, kStateEntered, ml - mo);
    sections[2] += " mg";
    return sections;
}

SpacingStatus SpacingStatusFor(int method, int nrPt, double dLonP, const BrokenLine& line) {
    SpacingStatus status;
    status.method = method;
    status.checkedTag = method >= kMethodVertex && method <= kMethodPractical ? method : 0;
    status.sections[0] = FormatValue(QuantityKind::Method, kStateComputed, method);
    if (method == kMethodPractical) {
        status.sections[1] = "NrPt = ";
        status.sections[1] += std::to_string(ArrivalIndex(line) - 1);
        status.sections[2] = "";
        status.nrPtCaption = "DmP...";
        status.nrPtHint = "Imposti il cambio rotta con un cammino costante";
        status.dLonPCaption = "DtP...";
        status.dLonPHint = "Imposti il cambio rotta con un intervallo dii tempo costante";
    } else {
        status.sections[1] = "NrPt = ";
        status.sections[1] += std::to_string(nrPt);
        status.sections[2] = "DLonP = ";
        status.sections[2] += FormatValue(QuantityKind::Longitude, kStateEntered, dLonP);
    }
    return status;
}

std::string CopyListText(const std::vector<std::string>& lines, const std::vector<int>& selected,
                         bool all) {
    std::vector<int> chosen;
    if (!all) {
        for (int i : selected)
            if (i >= 0 && i < static_cast<int>(lines.size())) chosen.push_back(i);
        std::sort(chosen.begin(), chosen.end());
        chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    }
    std::string text;
    if (chosen.empty()) {
        for (const std::string& line : lines) text += line + "\r\n";
    } else {
        for (int i : chosen) text += lines[i] + "\r\n";
    }
    return text;
}

}  // namespace velmar
