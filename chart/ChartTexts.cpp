#include "chart/ChartTexts.h"

#include <cstdio>

#include "core/Patterns.h"

namespace velmar {

CoordinatesTexts CoordinatesPanelTexts(const Scheme& scheme) {
    CoordinatesTexts t;
    t.departureLatitude = ChartCoordText(CoordKind::kLatitude, scheme.Value(cells::DepLat));
    t.departureLongitude = ChartCoordText(CoordKind::kLongitude, scheme.Value(cells::DepLon));
    t.rhumbCourse = FormatFloat("##0", scheme.Value(cells::Rv));
    t.rhumbDistance = FormatFloat("#0.0", scheme.Value(cells::ml));
    t.arrivalLatitude = ChartCoordText(CoordKind::kLatitude, scheme.Value(cells::ArrLat));
    t.arrivalLongitude = ChartCoordText(CoordKind::kLongitude, scheme.Value(cells::ArrLon));
    return t;
}

LimitsTexts LimitsPanelTexts(const ChartView& view) {
    const ChartLimits l = view.VisibleLimits();
    LimitsTexts t;
    t.title =
        view.Meridian() == CentralMeridian::kAntimeridian ? "Limiti - AntiG" : "Limiti - Greenwich";
    t.north = ChartCoordText(CoordKind::kLatitude, l.north);
    t.south = ChartCoordText(CoordKind::kLatitude, l.south);
    t.east = ChartCoordText(CoordKind::kLongitude, TrueLongitude(l.east, view.Meridian()));
    t.west = ChartCoordText(CoordKind::kLongitude, TrueLongitude(l.west, view.Meridian()));
    return t;
}

ScaleTexts ScalePanelTexts(const ChartView& view, double pixelsPerInch) {
    const ScaleFigures s = view.Scale(pixelsPerInch);
    ScaleTexts t;
    t.title = "Scale - Zoom " + std::to_string(view.Zoom()) + "%";
    t.meanLatitude = "Latitudine media " + ChartCoordText(CoordKind::kLatitude, s.meanLatitude);
    t.equatorial = FormatFloat("\"Scala equatoriale 1:\"0", s.equatorialDenominator);
    char text[96];
    std::snprintf(text, sizeof text, "Scala alla Lat. media 1:%.0f", s.meanLatitudeDenominator);
    t.atMeanLatitude = text;
    return t;
}

std::string PointerReadout(const ChartView& view, double x, double y) {
    const GeoPoint p = view.PixelToPosition(x, y);
    return ChartCoordText(CoordKind::kLatitude, p.latitude) + "\r" +
           ChartCoordText(CoordKind::kLongitude, p.longitude);
}

}  // namespace velmar
