#pragma once
// Rhumb-line (loxodromic) sailing: the line of constant true course.
//
// The course is computed on the spheroid of flattening about 1/297 (the
// international ellipsoid) through meridional parts truncated after the e^6
// term of their series; the distance counts one nautical mile per minute of
// latitude, as navigators reckon it.

namespace velmar {

/// Ellipsoid constants: squared eccentricity of the international ellipsoid
/// (a = 6378388 m, f = 1/297) and its square and cube.
inline constexpr double kE2 = 0.006722670062317525;
inline constexpr double kE4 = 4.5194292766780316e-05;
inline constexpr double kE6 = 3.0382631897084754e-07;
/// Beyond this latitude the meridional parts are clamped to +-99999'.
inline constexpr double kMeridionalClampLatitude = 89.9;
inline constexpr double kClampedMeridionalParts = 99999.0;

/// Meridional parts (latitudine crescente) of a latitude in degrees, in
/// minutes of arc, signed like the latitude: 3013.58' at 45 degrees. Above
/// 89.9 degrees in magnitude the value is clamped to +-99999.
double MeridionalParts(double latitude);

/// Rhumb-line course and distance.
struct Rhumb {
    double course = 0;    ///< `Rv`, degrees 0..360
    double distance = 0;  ///< `ml`, nautical miles
};

/// Course and distance of the rhumb line from a departure to an arrival
/// (degrees). Below 85 degrees of latitude the course agrees with the exact
/// rhumb line of the ellipsoid to 1e-8 + 1e-9 / ml degrees (ml the distance in
/// miles): the series cut after e^6 is worth up to 6.1e-9 degrees, and a short
/// leg loses digits in its difference of meridional parts in inverse
/// proportion to its length. The longitude difference is taken the short way; exactly 180
/// counts as eastward, -180 as westward. On a meridian, or from or to a pole,
/// the course is 0 going north and 180 otherwise (so coincident positions give
/// 180 and 0 miles); along a parallel it is 90 or 270 and the distance is the
/// parallel's. Two latitudes both beyond the 89.9 degree clamp, which share
/// one clamped value, are told apart by their unclamped meridional parts. The
/// distance of a nearly east-west leg (latitudes down to 1e-14 degrees apart)
/// tends smoothly to that of the spheroid's parallel; a leg on the very
/// parallel counts the sphere's parallel distance instead, up to 0.7 % less
/// (near the equator). Never fails.
Rhumb RhumbInverse(double lat0, double lon0, double lat1, double lon1);

/// Arrival of a rhumb-line run.
struct RhumbArrival {
    double latitude = 0;
    double longitude = 0;
    bool ok = true;
};

/// Dead reckoning along a rhumb line: the arrival from a departure (degrees),
/// a course (degrees) and a distance (miles). Fails when the arrival lies
/// beyond a pole (|latitude| > 90) or the longitude difference exceeds 180
/// (which also happens when an oblique course reaches past the 89.9 degree
/// clamp of the meridional parts); the outputs are written all the same, the
/// longitude normalised to -180..180. A due east or west run from a pole
/// stays where it is and succeeds with the departure itself.
RhumbArrival RhumbForward(double lat0, double lon0, double course, double distance);

}  // namespace velmar
