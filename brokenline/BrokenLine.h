#pragma once
// The broken line (spezzata): rhumb-line legs whose turning points follow the
// great circle. This header holds the record the scheme files store and the
// chart draws; the methods that fill it live beside it.

#include <cstdint>

namespace velmar {

/// Every table has this many slots (index 0..69); at most 61 are used.
inline constexpr int kBrokenLineSlots = 70;

struct GeoPoint {
    double latitude = 0;   ///< degrees, north positive
    double longitude = 0;  ///< degrees, east positive
};

struct Leg {
    double course = 0;    ///< degrees true
    double distance = 0;  ///< nautical miles
};

struct BrokenLine {
    // Header bytes, in their stored order.
    std::uint8_t n = 0;                ///< index of the arrival point: N legs, N + 1 points
    std::uint8_t vertexIndex = 0;      ///< intermediate points before the vertex point (methods 1, 2)
    std::uint8_t spacingChoice = 0;    ///< methods 1..3: 1 NrPt set, 2 DLonP set
    std::uint8_t practicalChoice = 0;  ///< method 4: 1 DmP set, 2 DtP set

    // Parameters, in their stored order.
    double limitLat = 0;       ///< degrees, signed; 0 = no limiting parallel
    double dtP = 0;            ///< hours between course changes (method 4)
    double dmP = 0;            ///< miles between course changes (method 4)
    double totalTime = 0;      ///< hours, sum of the leg times
    double totalDistance = 0;  ///< miles, sum of the leg distances

    // Tables; leg i joins point i to point i + 1.
    GeoPoint points[kBrokenLineSlots] = {};
    Leg legs[kBrokenLineSlots] = {};
    double legTimes[kBrokenLineSlots] = {};        ///< hours
    double greenwichTimes[kBrokenLineSlots] = {};  ///< DateTime at each point
    double zoneTimes[kBrokenLineSlots] = {};       ///< DateTime at each point
};

/// The arrival index N held within the tables: a record read from a damaged
/// file may carry any byte there, and N + 1 points must fit the 70 slots.
inline int ArrivalIndex(const BrokenLine& line) {
    return line.n < kBrokenLineSlots ? line.n : kBrokenLineSlots - 1;
}

}  // namespace velmar
