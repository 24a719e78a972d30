#pragma once
// Drawing the chart picture with Qt's painter onto an image: background,
// graticule, equator and central meridian, great circle with its vertices,
// broken line and rhumb line, and the world map overlay. Every mark is
// placed in chart units through the view's mapping, so widths, dot sizes
// and texts grow with the zoom. Texts need a QGuiApplication; without one
// the picture is drawn without texts.

#include <QImage>
#include <QPainter>

#include "chart/ChartMarks.h"
#include "chart/ChartView.h"
#include "chart/WorldMap.h"

namespace velmar {

/// The four display options of the chart, all on at start.
struct ChartLayers {
    bool labels = true;       ///< "Diciture"
    bool brokenLine = true;   ///< "Spezzata" (drawn only when the marks' method is not 0)
    bool greatCircle = true;  ///< "Ortodromia"
    bool graticule = true;    ///< "Reticolo"
};

/// Colours of the chart (red, green, blue).
inline constexpr QRgb kChartGraticule = 0xffc0c0c0;    // silver
inline constexpr QRgb kChartEquator = 0xff800000;      // maroon
inline constexpr QRgb kChartGreatCircle = 0xff000080;  // navy
inline constexpr QRgb kChartRhumb = 0xff0000ff;        // blue
inline constexpr QRgb kChartBrokenLine = 0xffff0000;   // red

/// The chart font's height in chart units, and the smallest height in pixels
/// a text is drawn with (13 chart units are about one pixel at zoom 100).
inline constexpr int kChartFontUnits = 13;
inline constexpr int kChartFontMinPixels = 13;

/// Puts the view's chart-unit mapping on a painter (y up, one scale on both
/// axes), for drawing in chart units on the chart image or a bitmap of its
/// size. DrawChart and DrawWorldMap map by hand, to the same result.
void ApplyChartMapping(QPainter& painter, const ChartView& view);

/// Redraws the whole picture for the view, the marks and the options.
/// `image` becomes a view.Width() x view.Height() RGB image if it is not
/// one already. Sets the view's pan step for the drawn zoom. The marks are
/// not recomputed here (the window does that on activation).
void DrawChart(QImage& image, ChartView& view, const ChartMarks& marks, const ChartLayers& layers);

/// The height h of the text "h" in the chart font at the view's zoom, in
/// whole chart units: marks are sized from it (vertex circles h/3, ...).
int ChartTextHeight(const ChartView& view);

/// Draws the coastline straight onto `chart`, in place (no copy): black,
/// one chart unit wide and never thinner than one pixel (wider from zoom
/// 1125 on a 1920-pixel image), with round ends and joins; not antialiased. Polylines whose
/// bounding box lies outside the image are skipped, points that fall in the pixel of the point
/// before add nothing, and a polyline wholly inside one pixel still makes that pixel. The window
/// calls it after DrawChart on every redraw that shows the map. Any image format is accepted; RGB32
/// (DrawChart's) and ARGB32 are drawn without conversion.
void OverlayWorldMap(QImage& chart, const ChartView& view, const WorldMap& map);

/// A copy of `chart` with the coastline drawn over it, as OverlayWorldMap.
QImage DrawWorldMap(const QImage& chart, const ChartView& view, const WorldMap& map);

/// The same into a work image kept between drawings (the window's work
/// bitmap): `work` takes the chart's size and format once and is reused.
void DrawWorldMap(const QImage& chart, const ChartView& view, const WorldMap& map, QImage& work);

}  // namespace velmar
