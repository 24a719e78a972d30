#pragma once
// The texts the chart window shows beside the picture: the coordinates,
// limits and scale panels and the pointer readout, from the view and the
// scheme. Plain C++.

#include <string>

#include "chart/ChartView.h"
#include "scheme/Scheme.h"

namespace velmar {

/// The coordinates panel: departure and arrival in the chart's short form,
/// the rhumb course ("##0") and distance ("#0.0").
struct CoordinatesTexts {
    std::string departureLatitude, departureLongitude;
    std::string rhumbCourse, rhumbDistance;
    std::string arrivalLatitude, arrivalLongitude;
};
CoordinatesTexts CoordinatesPanelTexts(const Scheme& scheme);

/// The limits panel: "Limiti - Greenwich" or "Limiti - AntiG", and the four
/// limits with true longitudes.
struct LimitsTexts {
    std::string title, north, east, south, west;
};
LimitsTexts LimitsPanelTexts(const ChartView& view);

/// The scale panel for a screen of `pixelsPerInch`: "Scale - Zoom 100%",
/// "Latitudine media ...", "Scala equatoriale 1:n", "Scala alla Lat. media 1:n".
struct ScaleTexts {
    std::string title, meanLatitude, equatorial, atMeanLatitude;
};
ScaleTexts ScalePanelTexts(const ChartView& view, double pixelsPerInch);

/// The pointer readout at image pixel (x, y): latitude, a carriage return,
/// longitude.
std::string PointerReadout(const ChartView& view, double x, double y);

}  // namespace velmar
