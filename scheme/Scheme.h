#pragma once
// The passage scheme: departure, passage and arrival cells with their states,
// the solver's slot markers and what undo and the out-of-range note need.

#include <array>
#include <cassert>
#include <cstdint>
#include <string>

#include "core/Quantity.h"

namespace velmar {

enum SchemeGroup : int { kDeparture = 0, kPassageA = 1, kPassageB = 2, kArrival = 3 };

inline constexpr int kGroups = 4;
inline constexpr int kCellsPerGroup = 6;
inline constexpr int kMarkerSlots = 34;
inline constexpr int kHistoryLength = 4;

/// A cell address; (-1, -1) is the empty history entry.
struct CellRef {
    int group = -1;
    int cell = -1;
    friend bool operator==(const CellRef&, const CellRef&) = default;
};

/// Every cell of the scheme by its name; code addresses cells through these.
namespace cells {
// Departure: position, zone time tf and its date, Greenwich time Tm and its date.
inline constexpr CellRef DepLat{kDeparture, 0};
inline constexpr CellRef DepLon{kDeparture, 1};
inline constexpr CellRef DepTf{kDeparture, 2};
inline constexpr CellRef DepTfDate{kDeparture, 3};
inline constexpr CellRef DepTm{kDeparture, 4};
inline constexpr CellRef DepTmDate{kDeparture, 5};
// Passage, first column: rhumb course, speed, great-circle course, vertex V1, method.
inline constexpr CellRef Rv{kPassageA, 0};
inline constexpr CellRef Vp{kPassageA, 1};
inline constexpr CellRef Ri{kPassageA, 2};
inline constexpr CellRef V1Lat{kPassageA, 3};
inline constexpr CellRef V1Lon{kPassageA, 4};
inline constexpr CellRef Method{kPassageA, 5};
// Passage, second column: rhumb distance, passage time, great-circle
// distance, vertex V2, and the broken line's spacing (DLonP in the value,
// NrPt in the state byte).
inline constexpr CellRef ml{kPassageB, 0};
inline constexpr CellRef Dt{kPassageB, 1};
inline constexpr CellRef mo{kPassageB, 2};
inline constexpr CellRef V2Lat{kPassageB, 3};
inline constexpr CellRef V2Lon{kPassageB, 4};
inline constexpr CellRef Spacing{kPassageB, 5};
// Arrival: as the departure.
inline constexpr CellRef ArrLat{kArrival, 0};
inline constexpr CellRef ArrLon{kArrival, 1};
inline constexpr CellRef ArrTf{kArrival, 2};
inline constexpr CellRef ArrTfDate{kArrival, 3};
inline constexpr CellRef ArrTm{kArrival, 4};
inline constexpr CellRef ArrTmDate{kArrival, 5};
}  // namespace cells

/// True for a group and cell inside the scheme.
constexpr bool IsCell(int group, int cell) {
    return group >= 0 && group < kGroups && cell >= 0 && cell < kCellsPerGroup;
}
constexpr bool IsCell(CellRef c) {
    return IsCell(c.group, c.cell);
}

/// Whatever shows the scheme's cells: told of every cell SetCell writes.
class CellView {
  public:
    virtual ~CellView() = default;
    /// `text` is FormatValue of the cell; `state` picks the colour (0 black,
    /// +1 navy, -1 maroon). Cell (2,5) is never shown.
    virtual void ShowCell(int group, int cell, int state, const std::string& text) = 0;
};

/// The one scheme record of the program.
struct Scheme {
    double values[kGroups][kCellsPerGroup] = {};
    /// 0 empty, +1 entered, -1 computed; the byte of cell (2,5) is the
    /// broken line's point count NrPt instead (read it with NrPt()).
    std::int8_t states[kGroups][kCellsPerGroup] = {};
    /// Per solver slot, the number of the rule that owns it; 0 for none.
    std::uint8_t markers[kMarkerSlots] = {};
    double prevValues[kGroups][kCellsPerGroup] = {};
    std::int8_t prevStates[kGroups][kCellsPerGroup] = {};
    /// The last distinct cells entered, most recent first.
    std::array<CellRef, kHistoryLength> history{};
    /// Whether the scheme matches the scheme pair last read or written.
    bool saved = true;
    /// Notified of every cell write; may be null.
    CellView* view = nullptr;

    // The readers and SetCell take a cell of the scheme: callers holding a
    // group and cell from outside (a typed command, a file) check IsCell first.
    double Value(int group, int cell) const {
        assert(IsCell(group, cell));
        return values[group][cell];
    }
    int State(int group, int cell) const {
        assert(IsCell(group, cell));
        return states[group][cell];
    }
    bool IsEmpty(int group, int cell) const { return State(group, cell) == 0; }
    double Value(CellRef c) const { return Value(c.group, c.cell); }
    int State(CellRef c) const { return State(c.group, c.cell); }
    bool IsEmpty(CellRef c) const { return IsEmpty(c.group, c.cell); }

    /// The only writer of a cell: saves the previous state (and, for an
    /// entry, the previous value), stores, and shows the cell.
    void SetCell(int group, int cell, int state, double value);
    void SetCell(CellRef c, int state, double value) { SetCell(c.group, c.cell, state, value); }

    /// The broken line's point count held in the state byte of cell (2,5).
    int NrPt() const {
        return static_cast<std::uint8_t>(states[cells::Spacing.group][cells::Spacing.cell]);
    }
    void SetNrPt(int count) { states[cells::Spacing.group][cells::Spacing.cell] = NrPtByte(count); }
    /// Stores the broken line's spacing through SetCell: DLonP as the value
    /// of cell (2,5), the point count NrPt (0..255) as its state byte.
    void SetSpacing(int nrPt, double dLonP) { SetCell(cells::Spacing, NrPtByte(nrPt), dLonP); }
    /// A point count 0..255 as the signed state byte that holds it.
    static std::int8_t NrPtByte(int count) {
        assert(count >= 0 && count <= 255);
        return static_cast<std::int8_t>(static_cast<std::uint8_t>(count));
    }

    /// Empties every cell, its previous value and state, and every marker.
    /// The entry history is left alone (callers reset it).
    void Clear();
    /// Shows every cell again with its own state and value.
    void Redisplay();

    /// Puts a cell at the head of the entry history (nothing happens when it
    /// is already the most recent).
    void PushHistory(int group, int cell);
    void PushHistory(CellRef c) { PushHistory(c.group, c.cell); }
    void ResetHistory();
};

/// The kind of a cell; cell (1,5) is Method; cell (2,5) has none (PointCount
/// is returned, whose display text is empty).
QuantityKind KindOf(int group, int cell);
inline QuantityKind KindOf(CellRef c) {
    return KindOf(c.group, c.cell);
}

/// The cell's name: "Latitudine di Partenza", "Rotta vera", "Cammino
/// Ortodromico" ...; empty for cell (2,5).
std::string CellLabel(int group, int cell);
inline std::string CellLabel(CellRef c) {
    return CellLabel(c.group, c.cell);
}

}  // namespace velmar
