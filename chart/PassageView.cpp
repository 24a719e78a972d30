#include "chart/PassageView.h"

#include <algorithm>
#include <cmath>

namespace velmar {

namespace {
constexpr double kWorldUnits = 21600;  // chart units across the world: 360 x 60
}

ChartView PassageView(const ChartMarks& marks, int width, int height) {
    ChartView view(width, height);
    view.SetMeridian(marks.meridian);

    int minX = std::min(marks.a.x, marks.b.x), maxX = std::max(marks.a.x, marks.b.x);
    int minY = std::min(marks.a.y, marks.b.y), maxY = std::max(marks.a.y, marks.b.y);
    auto take = [&](const ChartPoint& p) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    };
    const bool vertexOnRoute = marks.v1.x > minX && marks.v1.x < maxX;
    if (marks.BrokenLineEnabled())
        for (int i = 0; i < std::clamp(marks.pointCount, 0, kBrokenLineSlots); ++i)
            take(marks.points[i]);
    if (vertexOnRoute) take(marks.v1);

    // At zoom z a pixel is W z / (100 x 21600) units: the box must fit in
    // the part of each side the margins leave.
    const double room = 1 - 2 * kPassageMargin;
    const double spanX = std::max(1, maxX - minX);
    const double spanY = std::max(1, maxY - minY);
    const double byWidth = room * kWorldUnits * 100 / spanX;
    const double byHeight = room * height * kWorldUnits * 100 / (double(width) * spanY);
    const int zoom = static_cast<int>(
        std::clamp(std::floor(std::min(byWidth, byHeight)), double(kMinZoom), double(kMaxZoom)));
    view.SetView(zoom, 0.5, 0.5);
    const double scale = view.Mapping().scale;
    const double cx = (minX + maxX) / 2.0;
    const double cy = (minY + maxY) / 2.0;
    view.SetView(zoom, 0.5 - cx * scale / width, 0.5 + cy * scale / height);
    return view;
}

}  // namespace velmar
