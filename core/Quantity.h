#pragma once
// The ten kinds of value of a passage scheme, their Italian texts, entry
// bounds and the one display text of each.

#include <optional>
#include <string>

namespace velmar {

/// The kind of a value. The code is what the rest of the program stores and
/// passes; `Method` is 99, not 9.
enum class QuantityKind : int {
    Latitude = 0,    ///< signed degrees, north positive, -90..+90
    Longitude = 1,   ///< signed degrees, east positive, -180..+180
    TimeOfDay = 2,   ///< hours, 0 up to 24
    Date = 3,        ///< whole days since 30 December 1899
    Course = 4,      ///< degrees clockwise from true north, 0 up to 360
    Speed = 5,       ///< knots
    Distance = 6,    ///< nautical miles
    Interval = 7,    ///< hours
    PointCount = 8,  ///< whole number of points
    Method = 99,     ///< index of a broken-line method
};

/// Cell states: only whether a state is 0 (empty) matters for display.
inline constexpr int kStateEmpty = 0;
inline constexpr int kStateEntered = 1;
inline constexpr int kStateComputed = -1;

/// The kind's name on the keypad ("Valore di LATITUDINE"); empty for Method.
std::string ValueName(QuantityKind kind);

/// The text shown in place of an empty value ("  °  '. ±" for a latitude).
std::string EmptyMask(QuantityKind kind);

/// The broken-line method names, index 0..4 ("Automatico" ...); an index
/// outside 0..4 gives the empty text.
std::string MethodName(int index);
inline constexpr int kMethodCount = 5;

/// Lower and upper bound of a kind's value when the user edits a scheme cell.
struct Bounds {
    double lower = 0;
    double upper = 0;
};

/// The entry bounds of Latitude (-90, 90), Longitude (-180, 180), Distance
/// (1, 10800) and Interval (0.1, 999.999); no bound for the other kinds.
std::optional<Bounds> EntryBounds(QuantityKind kind);

/// The range line the keypad shows. With `rangeSwitch` exactly 0 the kind's
/// fixed text ("da 0 a 90 gradi (N o S)"); otherwise a text built from the
/// bounds: for latitudes and longitudes the magnitudes and the hemisphere
/// letter by the sign of the switch ("da 36 a 47 gradi (N)"), for distances
/// and intervals the display texts with their unit, for point counts the
/// whole numbers; the empty text for every other kind.
std::string RangeText(QuantityKind kind, double rangeSwitch, double lower, double upper);

/// The display text of a value: positions as 41°05'.3N / 9°06'.0W, courses
/// as 45°30'.0, times 13:30:00, dates 06-12-2026, speeds "#0.#", distances
/// "####0.#", intervals "##0.###", methods by name. Minutes never show 60:
/// 41.9999 shows 42°00'.0N. An empty state (0) shows the kind's empty mask,
/// except for Method, which always shows a name. Texts are UTF-8, the
/// decimal separator is always the point, and a text never exceeds 31
/// characters.
std::string FormatValue(QuantityKind kind, int state, double value);

}  // namespace velmar
