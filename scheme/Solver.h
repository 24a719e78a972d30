#pragma once
// The rule-based solver of the scheme and the road of an entry: store the
// value, solve to a fixed point, undo the entry when a computed value leaves
// its limits.

#include <initializer_list>
#include <span>

#include "core/Interaction.h"
#include "scheme/Scheme.h"

namespace velmar {

/// The solver's marker slots in use; every other slot stays 0.
enum SolverSlot : int {
    kSlotDepZoneTime = 2,     ///< departure zone time and date
    kSlotDepGreenwich = 3,    ///< departure Greenwich time and date
    kSlotSpeed = 11,          ///< Vp
    kSlotRhumbDistance = 20,  ///< ml
    kSlotPassageTime = 21,    ///< Dt
    kSlotGreatCircle = 22,    ///< Ri, mo and the vertices
    kSlotArrPosition = 31,    ///< arrival latitude and longitude
    kSlotArrZoneTime = 32,    ///< arrival zone time and date
    kSlotArrGreenwich = 33,   ///< arrival Greenwich time and date
};

/// The rules by the numbers their markers hold. The numbers name the rules;
/// they are not places in the pass. Rule 3, zone time from Greenwich time,
/// is one rule that serves the departure and the arrival, so two rows of the
/// table (each with its own slot) carry the number 3, whereas the other
/// direction has a number for each end (rules 1 and 2). No rule has the
/// number 4.
enum SolverRuleNumber : int {
    kRuleDepGreenwich = 1,    ///< departure Greenwich time from its zone time
    kRuleArrGreenwich = 2,    ///< arrival Greenwich time from its zone time
    kRuleZoneTime = 3,        ///< zone time from Greenwich time, departure or arrival
    kRuleDtFromDistance = 5,  ///< Dt = ml / Vp
    kRuleDistanceFromDt = 6,  ///< ml = Vp * Dt
    kRuleSpeed = 7,           ///< Vp = ml / Dt
    kRuleArrFromDt = 8,       ///< arrival Greenwich = departure Greenwich + Dt
    kRuleDtFromMoments = 9,   ///< Dt = arrival Greenwich - departure Greenwich
    kRuleDepFromDt = 10,      ///< departure Greenwich = arrival Greenwich - Dt
    kRuleRhumbLine = 11,      ///< Rv and ml between the two positions
    kRuleGreatCircle = 12,    ///< Ri, mo and the vertices V1, V2
    kRuleDeadReckoning = 13,  ///< the arrival from the departure, Rv and ml
};

/// One row of the solver's rule table: the rule's number, the marker slot it
/// claims, the cells it must not overwrite (an entered target stops it) and
/// the cells it needs (an empty input stops it).
struct SolverRule {
    SolverRuleNumber number;
    SolverSlot slot;
    std::initializer_list<CellRef> targets;
    std::initializer_list<CellRef> inputs;
};

/// The thirteen rules in the order a pass runs them. Rules sharing a slot
/// exclude each other; a slot may hold only the number of a rule of its own
/// (what a scheme file's markers are checked against).
std::span<const SolverRule> SolverRules();

/// Who asks whether the great circle is known: the two windows that need it
/// show their own refusal.
enum class GreatCircleUser { Chart, Points };

/// The solver and the entry operations that only need to show messages.
class SchemeSolver {
  public:
    /// Most passes SolveToFixpoint runs before it gives up. The rules settle
    /// in a handful of passes; a value that never settles (a NaN compares
    /// unequal to itself) must not hang the program.
    static constexpr int kMaxPasses = 100;

    SchemeSolver(Scheme& scheme, MessageSink& messages) : scheme_(scheme), messages_(messages) {}

    /// One pass over the thirteen rules in their fixed order. A rule runs
    /// when none of its targets is entered, its marker slot is free or its
    /// own, and none of its inputs is empty; it claims the slot, computes and
    /// stores its results as computed cells. A failing computation is
    /// reported with ReportOutOfRange and ends the pass with false; what was
    /// stored earlier in the pass stays.
    bool Solve();

    /// Solve until a whole pass changes no computed value. False when a pass
    /// fails or when `maxPasses` passes did not settle (then a message says
    /// so).
    bool SolveToFixpoint(int maxPasses = kMaxPasses);

    /// Stores an entered value, drops the broken-line method, solves; when
    /// solving fails the entered cell gets back its previous value and state
    /// (computed cells changed before the failure keep their values).
    /// Returns whether the entry stands (false for a cell outside the scheme).
    bool AcceptEntry(int group, int cell, double value);
    bool AcceptEntry(CellRef c, double value) { return AcceptEntry(c.group, c.cell, value); }

    /// False (after the "Velmar: Modifica" message) for a computed cell;
    /// false without a message for a cell outside the scheme.
    bool CanModify(int group, int cell);
    bool CanModify(CellRef c) { return CanModify(c.group, c.cell); }

    /// True when `value` for a latitude or longitude cell (0 or 1) of the
    /// departure or the arrival would put the two points within one minute of
    /// arc of each other in both coordinates. No message.
    bool PositionsCoincide(int group, int cell, double value) const;
    bool PositionsCoincide(CellRef c, double value) const {
        return PositionsCoincide(c.group, c.cell, value);
    }

    /// The "Velmar3: Fuori campo" message for a cell, with the entry history
    /// as its note.
    void ReportOutOfRange(int group, int cell);
    void ReportOutOfRange(CellRef c) { ReportOutOfRange(c.group, c.cell); }

    /// True when `Ri` and `mo` are known; otherwise the user's refusal
    /// message and false.
    bool HasGreatCircle(GreatCircleUser user);

    Scheme& scheme() { return scheme_; }
    MessageSink& messages() { return messages_; }

  private:
    bool RunRule(const SolverRule& rule);

    Scheme& scheme_;
    MessageSink& messages_;
};

/// The note of the out-of-range message: "Verifica a ritroso...", a carriage
/// return, then the distinct labels of the entry history, most recent first,
/// separated by ";" and a carriage return, ending with ".".
std::string HistoryNote(const Scheme& scheme);

/// Whether `V1` lies on the passage between the departure and arrival
/// longitudes ("Vertice interno").
bool IsInnerVertex(const Scheme& scheme);

/// Whether `value` is one the solver may leave in `cell` as computed: a
/// latitude within -90..90, a longitude within -180..180 (a vertex longitude
/// may also be NO_LONGITUDE), a time of day 0 up to 24 hours, a whole day
/// number whose year is 1900..9999, a course 0..360, a speed, distance or
/// interval within the limits of computed values (1.0..99.9 knots,
/// 0.1..10800 miles, 0.1..999.999 hours), a method index 0..4. The spacing
/// cell (2,5) holds anything. False for a value that is not a number.
bool CellWithinLimits(CellRef cell, double value);

/// A scheme moment (time in hours, whole day number) as one DateTime.
double CellDateTime(const Scheme& scheme, CellRef time, CellRef date);

}  // namespace velmar
