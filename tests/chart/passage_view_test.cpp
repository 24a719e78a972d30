// The view of a whole passage for the plan's chart: every point of the
// route inside the picture, at the largest zoom that holds them, across the
// date line too.
#include "chart/PassageView.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

ChartMarks Route(double lat0, double lon0, double lat1, double lon1) {
    Scheme scheme;
    scheme.SetCell(cells::DepLat, 1, lat0);
    scheme.SetCell(cells::DepLon, 1, lon0);
    scheme.SetCell(cells::ArrLat, 1, lat1);
    scheme.SetCell(cells::ArrLon, 1, lon1);
    scheme.SetCell(cells::V1Lon, -1, 999);  // no vertex on the route
    BrokenLine line;
    return ComputeChartMarks(scheme, line);
}

TEST(PassageView, WholePassageInsideAtTheLargestZoom) {
    const struct {
        const char* name;
        double lat0, lon0, lat1, lon1;
        int minZoom, maxZoom;
    } rows[] = {
        // 83 degrees of longitude over 0.84 of the width: 360 / 83 x 0.84 = 3.6.
        {"Genova - New York", 44.4, 8.93, 40.7, -74.0, 360, 370},
        {"across the date line", 35.0, 140.0, 21.3, -157.9, 200, 500},
        {"Genova - Napoli", 44.4, 8.93, 40.84, 14.25, 1500, 3200},
        {"across the date line, the short way", 0, -170, 0, 170, 1400, 1600},
        {"half the world round", 0, -80, 1, 99, 150, 180},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const ChartMarks marks = Route(r.lat0, r.lon0, r.lat1, r.lon1);
        const ChartView view = PassageView(marks, 960, 576);
        EXPECT_GE(view.Zoom(), r.minZoom);
        EXPECT_LE(view.Zoom(), r.maxZoom);
        const ChartMapping m = view.Mapping();
        for (const ChartPoint& p : {marks.a, marks.b}) {
            EXPECT_GE(m.PixelX(p.x), 960 * kPassageMargin - 1);
            EXPECT_LE(m.PixelX(p.x), 960 * (1 - kPassageMargin) + 1);
            EXPECT_GE(m.PixelY(p.y), 0);
            EXPECT_LE(m.PixelY(p.y), 576);
        }
    }
}

}  // namespace
}  // namespace velmar
