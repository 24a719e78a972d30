#pragma once
// The broken line's working values: rebuilt from the scheme and the record on
// every activation of the points window, never stored in a file.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velmar {

/// Number of the broken-line methods (the scheme's method cell).
enum BrokenLineMethod : int {
    kMethodAutomatic = 0,
    kMethodVertex = 1,         ///< "Coordinate del Vertice"
    kMethodLimitParallel = 2,  ///< "Parallelo Limite"
    kMethodEquation = 3,       ///< "Equazione del Circolo Massimo"
    kMethodPractical = 4,      ///< "Metodo Pratico"
};

/// The two spacing figures the user can set, numbered as the points window's
/// parameter items and the header bytes that remember the choice: methods 1
/// to 3 set NrPt or DLonP, the practical method DmP or DtP in the same places.
enum class SpacingItem : std::uint8_t {
    kNrPt = 1,   ///< "NrPt...": the number of intermediate points
    kDLonP = 2,  ///< "DLonP...": the longitude between points
    kDmP = 1,    ///< "DmP...": the miles between course changes (practical method)
    kDtP = 2,    ///< "DtP...": the hours between course changes (practical method)
};

/// Error numbers of one recompute; 0 while all is well.
enum PointError : int {
    kPointErrorNone = 0,
    kPointErrorLatitude = 1,   ///< a practical leg runs to too high a latitude
    kPointErrorLegTime = 2,    ///< a leg's passage time is out of range
    kPointErrorGreenwich = 3,  ///< the Greenwich moment at a leg's end is out of range
    kPointErrorZoneDate = 4,   ///< a point's zone date is out of range
    kPointErrorTooLong = 9,    ///< the legs add up to more than the rhumb line
};

struct BrokenLineWork {
    int nrPt = 0;       ///< intermediate points wanted (methods 1..3), 0..255
    double dLonP = 0;   ///< degrees between consecutive points, signed like dLon
    double dLon = 0;    ///< arrival minus departure longitude, normalised
    double dLonAV = 0;  ///< V1 minus departure longitude, normalised
    bool vertexInside = false;
    bool showTimes = false;     ///< Vp and departure zone time known
    bool showLegTimes = false;  ///< Vp known
    double limitLow = 0;        ///< degrees: range allowed for LimitLat
    double limitHigh = 0;
    double arcDLon1 = 0;          ///< degrees from the departure to the first contact point
    double arcDLon2 = 0;          ///< degrees from the arrival to the second contact point
    int error = kPointErrorNone;  ///< the running recompute's error number
};

/// What the points window shows besides the list: the recall bar, the
/// status bar with the parameter menu's captions, and the menu enabling.
struct SpacingStatus {
    int method = 0;  ///< the method the status bar remembers (0: none yet)
    std::array<std::string, 3> sections{"Metodo", "NrPt", "DLonP"};
    std::string nrPtCaption = "NrPt...";
    std::string nrPtHint = "Imposti il numero dei punti";
    std::string dLonPCaption = "DLonP...";
    std::string dLonPHint = "Imposti la differenza di longitudine tra i punti";
    int checkedTag = 0;  ///< the method item carrying the check mark, 0 none
};

struct PointsDisplay {
    std::array<std::string, 3> recall{"DLon", "DLonAV", "Risp"};
    std::vector<std::string> lines;  ///< the points list, 2N + 1 lines
    SpacingStatus status;
    bool limitLatEnabled = false;   ///< mnuP_LatLim and mnuM_Pli
    bool practicalEnabled = false;  ///< mnuM_Mpr
};

}  // namespace velmar
