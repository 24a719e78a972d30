#pragma once
// The broken line's operations: route facts, the automatic choice and
// defaults of the five methods, the limiting parallel, point generation with
// legs and times, the checks on the generated points and the recompute the
// points window runs on every activation.
//
// Angles are degrees (north and east positive), distances nautical miles,
// times hours, moments DateTime day numbers. Every table index stays inside
// the record's 70 slots: a count read from a file or typed is checked before
// it drives a loop.

#include <optional>
#include <string>

#include "brokenline/BrokenLine.h"
#include "brokenline/BrokenLineWork.h"
#include "core/Interaction.h"
#include "scheme/Scheme.h"

namespace velmar {

/// Bounds offered for the spacing of methods 1..3.
struct SpacingRange {
    int nrPtLower = 0;
    int nrPtUpper = 0;
    double dLonPLower = 0;  ///< degrees, signed like dLon, lower <= upper
    double dLonPUpper = 0;
    double arc1 = 0;  ///< |ArcDLon1| (method 2)
    double arc2 = 0;  ///< |ArcDLon2| (method 2)
};

/// Bounds offered for the practical method's interval.
struct PracticalRange {
    double dmPLower = 0;  ///< miles
    double dmPUpper = 0;
    double dtPLower = 0;  ///< hours
    double dtPUpper = 0;
};

class BrokenLineEngine {
  public:
    BrokenLineEngine(Scheme& scheme, BrokenLine& line, BrokenLineWork& work, MessageSink& messages)
        : scheme_(scheme), line_(line), work_(work), messages_(messages) {}

    /// dLon, dLonAV, vertexInside, the time flags, the recall bar and the
    /// menu enabling. A vertex less than one whole degree beyond both
    /// endpoints counts as outside (the recall bar still says "interno").
    void RouteFacts();

    /// The season's limiting latitude at the arrival: 0 without an arrival
    /// zone date; northern vertex 48 in June to August, else 40; southern
    /// vertex -48 in December to February, else -40.
    double SeasonalLimitLatitude() const;

    /// Method 1..4 for "Automatico"; tells (as information) why it fell back
    /// to method 3 when the arrival date or the speed is missing.
    int ChooseAutomaticMethod();

    /// Default spacing of a method (1..3: NrPt and DLonP, stored into cell
    /// (2,5); 4: DtP and DmP). Method 4 needs Vp of at least 1 knot: without
    /// it nothing changes and false is returned.
    bool SetMethodDefaults(int method);

    /// LimitLow, LimitHigh and LimitLat from V1 and the endpoints; LimitLat
    /// 0 when no whole degree lies between them.
    void LimitingParallelRange();
    /// ArcDLon1 and ArcDLon2 from LimitLat (0 when LimitLat cannot be
    /// reached from an endpoint).
    void LimitingParallelArcs();

    /// The other spacing figure of method 1..3 from the one the user set:
    /// given kNrPt, DLonP from NrPt; given kDLonP, NrPt from DLonP (held
    /// within the method's range).
    void DeriveSpacing(BrokenLineMethod method, SpacingItem given);

    /// Generates points, legs and times for method 1..4; the method on
    /// success, nothing on failure (any other method number, or after the
    /// point error, if any, and "Errore inaspettato:"). On success the list
    /// and status bar are rebuilt and the totals stored (SchemeSaved cleared
    /// when the total distance changed).
    std::optional<BrokenLineMethod> ComputeBrokenLine(int method);

    /// ComputeBrokenLine plus the method cell: computed on success, the
    /// cell's earlier value and state back on failure.
    bool ApplyMethod(int method);

    /// "A", "B", "V", "V'", "V\"" or a number right-aligned in two characters.
    std::string PointLabel(int index, int method) const;

    /// Shows the message of a point error (kind 1..4) for point `point` under
    /// the name of the method being computed, and records the error number.
    void ReportPointError(int kind, int point);

    SpacingRange SpacingRanges(int method) const;
    PracticalRange PracticalRanges() const;

    /// The activation sequence of the points window: route facts, the method
    /// from the scheme's method cell (or the automatic choice), then
    /// ApplyMethod. A stored method whose spacing cannot be computed (a
    /// damaged or stale file) is chosen again automatically. Returns the
    /// result of ApplyMethod.
    bool Activate();

    /// Whether the method can be computed on this route: 2 needs the vertex
    /// inside and both endpoints in one hemisphere, 4 needs Vp.
    bool MethodAvailable(int method) const;

    /// The method the last successful recompute used (0 before the first).
    int CurrentMethod() const { return display_.status.method; }
    /// The window's texts as the last successful recompute left them. The
    /// list lines are written on first request from a copy of that line, so
    /// a recompute pays for its formatting only when someone reads it.
    const PointsDisplay& Display() const;

    Scheme& scheme() { return scheme_; }
    BrokenLine& line() { return line_; }
    BrokenLineWork& work() { return work_; }
    MessageSink& messages() { return messages_; }

  private:
    bool SetPracticalDefaults();
    void SetVertexDefaults();
    void SetLimitParallelDefaults();
    void SetEquationDefaults();
    void GenerateVertexMethod();
    void GenerateLimitParallel();
    void GenerateEquation();
    void GeneratePractical();
    void ComputeLegs();
    void ComputeTimes();
    bool StoredSettingsUsable(int method);
    void ShowSpacingStatus(int method);

    Scheme& scheme_;
    BrokenLine& line_;
    BrokenLineWork& work_;
    MessageSink& messages_;
    mutable PointsDisplay display_;
    /// The line and flags of the last successful recompute, for the list.
    BrokenLine shown_;
    BrokenLineWork shownWork_;
    int shownMethod_ = 0;
    mutable bool linesStale_ = false;
    int computing_ = 0;         ///< the method being computed, for the error header
    double totalDistance_ = 0;  ///< running totals of the recompute
    double totalTime_ = 0;
};

}  // namespace velmar
