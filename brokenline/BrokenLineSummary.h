#pragma once
// The broken-line summary: the broken line against the rhumb line, in
// distance and time, and the spacing that produced it. The labels keep their
// texts between showings, as the window does.

#include <string>

#include "brokenline/BrokenLine.h"
#include "scheme/Scheme.h"

namespace velmar {

/// The summary's variable labels with their design texts.
struct SummaryLabels {
    std::string rhumbDistance = "err";                      ///< lblL_Ml
    std::string lineDistance = "err";                       ///< lblS_Ml
    std::string savedDistance = "err";                      ///< lblR_Ml
    std::string rhumbTime = "err";                          ///< lblL_Dt
    std::string lineTime = "err";                           ///< lblS_Dt
    std::string savedTime = "err";                          ///< lblR_Dt
    std::string spacingTitle = "Punti";                     ///< lblPtCr
    std::string firstLabel = "Numero";                      ///< lblLab_NrPt
    std::string secondLabel = "Differenza di longitudine";  ///< lblLab_DLonP
    std::string firstValue = "err";                         ///< lblVal_NrPt
    std::string secondValue = "err";                        ///< lblVal_DLonP
};

/// A number of hours as the summary writes it: the interval text, " = ",
/// whole days, "d " and the rest as 05h30m00s (53.5 gives "53.5 = 2d
/// 05h30m00s"). The interval text is a magnitude, as every interval shows;
/// a negative amount carries its sign on the day count only, and only when
/// the days are not 0.
std::string SummaryHoursText(double hours);

/// Fills the labels from the scheme (ml, Dt, the method cell and cell (2,5))
/// and the line's totals and spacing choices. Nothing changes, and false is
/// returned, unless mo < TotalDistance < ml. The spacing block is written
/// only for a method 1..4 in the method cell; otherwise it keeps its texts.
bool FillSummary(const Scheme& scheme, const BrokenLine& line, SummaryLabels& labels);

/// The nine-line clipboard text of the labels as they stand, each line ended
/// by carriage return and line feed.
std::string SummaryCopyText(const SummaryLabels& labels);

}  // namespace velmar
