// The world map reader: any bytes as map text. Every polyline must lie
// inside the point table, hold two points or more, and bound its points.

#include <string_view>

#include "chart/WorldMap.h"
#include "fuzz/FuzzSupport.h"

using namespace velmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const WorldMap map = ParseWorldMap(text);
    std::size_t next = 0;
    for (const MapPolyline& polyline : map.polylines) {
        fuzz::Require(polyline.count >= 2, "a polyline of fewer than two points");
        fuzz::Require(polyline.first >= next, "polylines overlap");
        fuzz::Require(polyline.first <= map.points.size() &&
                          polyline.count <= map.points.size() - polyline.first,
                      "a polyline past the point table");
        for (std::uint32_t i = polyline.first; i < polyline.first + polyline.count; ++i) {
            const ChartPoint& p = map.points[i];
            fuzz::Require(p.x >= polyline.minX && p.x <= polyline.maxX && p.y >= polyline.minY &&
                              p.y <= polyline.maxY,
                          "a point outside its polyline's box");
        }
        next = polyline.first + polyline.count;
    }
    // Three numbers at least make a point, so the table can never outgrow the text.
    fuzz::Require(map.points.size() <= size / 3 + 1, "more points than the text holds");
    return 0;
}
