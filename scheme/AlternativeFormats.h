#pragma once
// The two further forms of a known scheme cell: the value in decimal units
// (angles also in degrees, minutes and seconds), and a derived quantity
// (meridional parts, longitude in time, Julian date, quadrant course, metric
// units, days).

#include <string>

#include "scheme/Scheme.h"

namespace velmar {

/// The long form of a date; the desktop program may supply the platform's.
class LongDateFormatter {
  public:
    virtual ~LongDateFormatter() = default;
    /// The long text of a whole day number (days since 30 December 1899).
    virtual std::string LongDate(int dayNumber) const = 0;
};

/// Italian long dates: weekday, day, month name, year ("domenica 6 dicembre
/// 2026"). Day numbers outside years 1..9999 give the empty text.
class ItalianLongDate : public LongDateFormatter {
  public:
    std::string LongDate(int dayNumber) const override;
};

struct AlternativeForms {
    std::string first;
    std::string second;
};

/// Both forms of cell (group, cell) of kind `kind`, with `decimalSeparator`
/// for the decimal point (these texts follow the platform's separator). The
/// Julian date of any time or date cell is that of the same group's zone date
/// and time. Cells of no kind (method, spacing) give two empty texts.
AlternativeForms AlternativeFormats(const Scheme& scheme, QuantityKind kind, int group, int cell,
                                    const LongDateFormatter& dates, char decimalSeparator = '.');
/// The same with Italian long dates.
AlternativeForms AlternativeFormats(const Scheme& scheme, QuantityKind kind, int group, int cell);
inline AlternativeForms AlternativeFormats(const Scheme& scheme, QuantityKind kind, CellRef c) {
    return AlternativeFormats(scheme, kind, c.group, c.cell);
}

/// Degrees, minutes and whole seconds of an angle without sign:
/// 41° 30' 00" for -41.5.
std::string DmsText(double angle);

}  // namespace velmar
