#pragma once
// The marks the chart draws, computed from the scheme and the broken line
// when the chart window is activated (not on every redraw): positions in
// chart units for the current central meridian.

#include "brokenline/BrokenLine.h"
#include "chart/ChartProjection.h"
#include "scheme/Scheme.h"

namespace velmar {

/// A point in chart units.
struct ChartPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

/// Broken-line method whose route runs along a limiting parallel: the chart
/// draws its two tangent great circles.
inline constexpr int kLimitingParallelMethod = 2;

struct ChartMarks {
    CentralMeridian meridian = CentralMeridian::kGreenwich;
    /// The method cell's value truncated; 0 (and anything outside 0..4)
    /// means no broken line is drawn.
    int method = 0;
    ChartPoint a;           ///< departure
    ChartPoint b;           ///< arrival
    ChartPoint v1;          ///< vertex V1 (far outside the world when its longitude is undefined)
    double v1Latitude = 0;  ///< degrees: the great circle's dots are computed from it
    ChartPoint v2;          ///< vertex V2: its own longitude, y = minus the y of V1
    /// The broken line's intermediate points 1..N-1, in order (methods 1..4).
    int pointCount = 0;
    ChartPoint points[kBrokenLineSlots] = {};
    /// Method 2 only: where the route meets the limiting parallel (labelled
    /// V' and V"), and that parallel's latitude in degrees.
    bool hasTangents = false;
    ChartPoint t1;
    ChartPoint t2;
    double limitLat = 0;

    bool BrokenLineEnabled() const { return method != 0; }
};

/// Computes the marks: the central meridian from the departure and arrival
/// longitudes, then every position by ChartX and ChartY. Reads the records
/// defensively: a point count beyond the tables and indices past the
/// arrival point are held inside them.
ChartMarks ComputeChartMarks(const Scheme& scheme, const BrokenLine& line);

}  // namespace velmar
