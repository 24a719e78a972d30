#pragma once
// The texts of the points window that need no window: point labels, the
// list lines, the recall bar, the status bar with the parameter menu's
// captions, and the list's clipboard text.

#include <array>
#include <string>
#include <vector>

#include "brokenline/BrokenLine.h"
#include "brokenline/BrokenLineWork.h"
#include "core/DateTime.h"

namespace velmar {

/// The label of point `index` of a line computed with `method`: "A" for the
/// departure, "B" for the arrival (index N), "V" for the vertex of method 1
/// with the vertex inside, "V'" and "V\"" for the two contact points of
/// method 2, else the intermediate points numbered 1, 2, 3 ... without gaps,
/// right-aligned in two characters (" 7", "12").
std::string PointLabel(int index, int method, const BrokenLine& line, bool vertexInside);

/// A point's moment as the list writes it: "14:05:09  03-07-2026".
std::string PointTimeText(DateTime moment);

/// The list lines: line 2i is point i, line 2i + 1 is leg i (2N + 1 lines).
/// A point line is label, two blanks, latitude, two blanks, longitude, and
/// with the times ",zone time,Greenwich time"; a leg line is course, two
/// blanks, distance, and with the leg times two blanks and the time.
std::vector<std::string> FillPointsList(const BrokenLine& line, const BrokenLineWork& work,
                                        int method);

/// The recall bar's three sections: "DLon = ...", "Vertice interno: DLonAV
/// = ..." (or "esterno"), "ml-mo = ... mg".
std::array<std::string, 3> RecallBarTexts(double dLon, double dLonAV, bool vertexInside, double ml,
                                          double mo);

/// The status bar's sections 0..2 and the parameter menu's captions and
/// hints for `method` (1..4), as a successful recompute leaves them.
SpacingStatus SpacingStatusFor(int method, int nrPt, double dLonP, const BrokenLine& line);

/// The clipboard text of the list: the selected lines (indices into
/// `lines`, taken in list order) or, with `all` or no valid selection, every
/// line; each line ends with carriage return and line feed.
std::string CopyListText(const std::vector<std::string>& lines, const std::vector<int>& selected,
                         bool all);

}  // namespace velmar
