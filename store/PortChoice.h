#pragma once
// Taking the departure or the arrival of the scheme from the ports list:
// the texts shown for a chosen port, the place of its dot on the world
// picture, and the entry of its two coordinates through the solver, undone
// together when a computed value leaves its limits.

#include <optional>
#include <string>

#include "scheme/Solver.h"
#include "store/PortsFile.h"

namespace velmar {

/// The world picture of the ports window: 800 x 517 pixels on a Mercator
/// projection, longitude -180 at the left edge to +180 at the right, latitude
/// 75 N at the top edge to 75 S at the bottom, the equator in the middle.
inline constexpr int kPortsPictureWidth = 800;
inline constexpr int kPortsPictureHeight = 517;

struct PicturePixel {
    int x = 0;
    int y = 0;
};

/// The pixel of a position (degrees) on the world picture, rounded to the
/// nearest pixel with a half going to the even neighbour: 0, 0 is (400, 259).
/// A latitude beyond 75 degrees lands thousands of pixels above or below the
/// picture, so its dot is not drawn.
PicturePixel PortPixel(double latitude, double longitude);

/// The latitude and longitude texts shown for a chosen port, as the scheme
/// shows an entered position; "0" and "0" when no port is chosen.
struct PortTexts {
    std::string latitude = "0";
    std::string longitude = "0";
    bool operator==(const PortTexts&) const = default;
};
PortTexts ShownPortTexts(const std::optional<Port>& port);

enum class TakePortOutcome {
    NothingChosen,    ///< no port chosen in the button's list: nothing happens
    Computed,         ///< a coordinate of the end is computed (its message shown)
    SameCoordinates,  ///< the ports coincide (message shown): nothing set
    Taken,            ///< both coordinates entered and solved
    OutOfRange,       ///< a computed value left its limits: both cells given back
};

/// "Partenza" (`group` kDeparture) or "Arrivo" (kArrival) with the ports
/// chosen in the two lists (none when a list has nothing chosen). The port
/// of the button's list is refused with "Stesse coordinate di partenza e
/// d'arrivo.." when the two lists show the same coordinates, and also when
/// it falls within a minute of arc of the scheme's other end, which would
/// leave the passage without a course. Otherwise both coordinates are
/// entered (each put in the entry history), the broken-line method is
/// dropped, the scheme is marked unsaved and solved; when solving fails the
/// two cells get back their previous states and values.
TakePortOutcome TakePort(SchemeSolver& solver, int group, const std::optional<Port>& departure,
                         const std::optional<Port>& arrival);

/// The names of the ports the departure and the arrival were taken from,
/// each with the position it gave. A name stands for its end only while the
/// scheme holds that very position: an end typed anew, cleared or read from
/// a file with another position has no port name any more.
class PortNames {
  public:
    /// Remembers `port` as the end `group` (kDeparture or kArrival).
    void Remember(int group, const Port& port);
    /// The port name of the end `group` of `scheme` as it stands, or empty.
    std::string NameOf(const Scheme& scheme, int group) const;

  private:
    struct End {
        std::string name;
        double latitude = 0;
        double longitude = 0;
    };
    std::optional<End> ends_[2];
};

/// TakePort, remembering the port's name in `names` when it was taken.
TakePortOutcome TakePort(SchemeSolver& solver, int group, const std::optional<Port>& departure,
                         const std::optional<Port>& arrival, PortNames& names);

}  // namespace velmar
