#include <gtest/gtest.h>

#include "chart/ChartTexts.h"

namespace velmar {
namespace {

TEST(ChartTexts, LimitsPanelByCentralMeridian) {
    ChartView v(1024, 768);
    LimitsTexts t = LimitsPanelTexts(v);
    EXPECT_EQ(t.title, "Limiti - Greenwich");
    EXPECT_EQ(t.north, "79°10' N");
    EXPECT_EQ(t.south, "79°10' S");
    EXPECT_EQ(t.west, "180° 0' W");
    EXPECT_EQ(t.east, "180° 0' E");
    v.SetMeridian(CentralMeridian::kAntimeridian);
    v.SetView(400, 0.5, 0.5);  // 45 degrees either side of the 180th meridian
    t = LimitsPanelTexts(v);
    EXPECT_EQ(t.title, "Limiti - AntiG");
    EXPECT_EQ(t.west, "135° 0' E");
    EXPECT_EQ(t.east, "135° 0' W");
}

TEST(ChartTexts, ScalePanel) {
    ChartView v(1024, 768);
    ScaleTexts t = ScalePanelTexts(v, 96);  // 1024 pixels over 21600 minutes at 96 dpi
    EXPECT_EQ(t.title, "Scale - Zoom 100%");
    EXPECT_EQ(t.meanLatitude, "Latitudine media 0°");
    EXPECT_EQ(t.equatorial, "Scala equatoriale 1:147649606");
    EXPECT_EQ(ScalePanelTexts(v, 0).equatorial, t.equatorial);  // no resolution reported
    v.SetView(200, 0.5, 1.0);                                   // the northern half
    t = ScalePanelTexts(v, 96);
    EXPECT_EQ(t.title, "Scale - Zoom 200%");
    EXPECT_EQ(t.equatorial, "Scala equatoriale 1:73824803");
    // Mean of 0 and 79.17: the scale there is cos(39.59 deg) of the equator's.
    EXPECT_EQ(t.meanLatitude, "Latitudine media 39°35' N");
    EXPECT_EQ(t.atMeanLatitude, "Scala alla Lat. media 1:56894758");
}

TEST(ChartTexts, PointerReadoutAndCoordinates) {
    const ChartView v(1024, 768);
    EXPECT_EQ(PointerReadout(v, 512, 384), "0°\r0°");
    EXPECT_EQ(PointerReadout(v, 0, 0), "79°10' N\r180° 0' W");
    Scheme s;
    s.SetCell(cells::DepLat, kStateComputed, 44.4);
    s.SetCell(cells::DepLon, kStateComputed, 8.93);
    s.SetCell(cells::Rv, kStateComputed, 254.6);
    s.SetCell(cells::ml, kStateComputed, 3456.78);
    s.SetCell(cells::ArrLat, kStateComputed, 40.7);
    s.SetCell(cells::ArrLon, kStateComputed, -74);
    const CoordinatesTexts t = CoordinatesPanelTexts(s);
    EXPECT_EQ(t.departureLatitude + " " + t.departureLongitude, "44°24' N 8°55' E");
    EXPECT_EQ(t.rhumbCourse, "255");
    EXPECT_EQ(t.rhumbDistance, "3456.8");
    EXPECT_EQ(t.arrivalLatitude + " " + t.arrivalLongitude, "40°42' N 74° 0' W");
}

}  // namespace
}  // namespace velmar
