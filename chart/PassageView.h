#pragma once
// The chart view that shows a whole passage, for a picture of the passage
// on paper: the departure, the arrival, the broken line's points and the
// vertex when the route passes it, at the largest zoom that holds them all.

#include "chart/ChartMarks.h"
#include "chart/ChartView.h"

namespace velmar {

/// Of the picture's width and of its height, the part left free on each
/// side of the passage.
inline constexpr double kPassageMargin = 0.08;

/// A view of `width` x `height` pixels on the marks' central meridian,
/// centred on the passage's bounding box (held inside the world), at the
/// largest whole zoom, 100 to 3200, at which the box fits inside the
/// margins. A passage too long for the world at zoom 100 is shown at 100.
/// V1 counts only when its meridian lies between the departure's and the
/// arrival's (elsewhere, or undefined, it is not on the route).
ChartView PassageView(const ChartMarks& marks, int width, int height);

}  // namespace velmar
