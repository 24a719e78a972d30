// The texts of the points and summary windows: list lines, labels, status
// bar and the two clipboard texts.
#include <gtest/gtest.h>

#include "brokenline/BrokenLineSummary.h"
#include "brokenline/PointsText.h"
#include "tests/brokenline/BrokenLineTestSupport.h"

namespace velmar {
namespace {

using bltest::Bench;
using bltest::RouteSpec;

// Method 1's labels are checked on real lines by the engine's tests.
TEST(PointLabel, LettersAroundTheVertexAndNumbersWithoutGaps) {
    BrokenLine line;
    line.n = 7;
    line.vertexIndex = 2;
    using Labels = std::vector<std::string>;
    for (const auto& [method, labels] :
         {std::pair{2, Labels{"A", " 1", " 2", "V'", "V\"", " 3", " 4", "B"}},
          {3, Labels{"A", " 1", " 2", " 3", " 4", " 5", " 6", "B"}}}) {
        SCOPED_TRACE(method);
        Labels got;
        for (int i = 0; i <= line.n; ++i) got.push_back(PointLabel(i, method, line, true));
        EXPECT_EQ(got, labels);
    }
    line.n = 12;
    EXPECT_EQ(PointLabel(11, 3, line, false), "11");
}

// The columns by what is known are checked line by line by the passage
// plan's tests.
TEST(PointsList, TimedLinesAndTheBars) {
    // Lisbon to New York: with Vp and the departure time, the point lines
    // carry zone and Greenwich times after commas; leg lines three fields.
    Bench timed(
        {41.0883, -9.1, 40.7, -74.0, 12.0, CivilDate{2026, 7, 3}, 8, CivilDate{2026, 7, 15}});
    ASSERT_TRUE(timed.engine.Activate());
    const auto& lines = timed.engine.Display().lines;
    ASSERT_EQ(lines.size(), 2u * timed.line.n + 1);
    EXPECT_EQ(lines[0], "A  41°05'.3N  9°06'.0W,08:00:00  03-07-2026,09:00:00  03-07-2026");
    EXPECT_EQ(lines[1], "288°11'.6  552.6  46.053");
    EXPECT_EQ(lines.back().rfind("B  40°42'.0N  74°00'.0W,", 0), 0u);
    const PointsDisplay& d = timed.engine.Display();
    using Bar = std::array<std::string, 3>;
    EXPECT_EQ(d.recall,
              (Bar{"DLon = 64°54'.0W", "Vertice interno: DLonAV = 31°50'.0W", "ml-mo = 83.5 mg"}));
    EXPECT_EQ(d.status.sections, (Bar{"Coordinate del Vertice", "NrPt = 4", "DLonP = 10°00'.0W"}));
    EXPECT_TRUE(d.practicalEnabled);
}

TEST(PointsList, CopyTakesSelectedLinesInListOrderOrAll) {
    const std::vector<std::string> lines{"a", "b", "c", "d", "e"};
    EXPECT_EQ(CopyListText(lines, {3, 2}, false), "c\r\nd\r\n");
    EXPECT_EQ(CopyListText(lines, {2, 3}, true), "a\r\nb\r\nc\r\nd\r\ne\r\n");
    EXPECT_EQ(CopyListText(lines, {}, false), "a\r\nb\r\nc\r\nd\r\ne\r\n");
    EXPECT_EQ(CopyListText(lines, {9, -1}, false), "a\r\nb\r\nc\r\nd\r\ne\r\n");
}

Scheme SummaryScheme(int method, double ml, double dt, double mo) {
    Scheme s;
    s.SetCell(cells::ml, -1, ml);
    s.SetCell(cells::Dt, -1, dt);
    s.SetCell(cells::mo, -1, mo);
    s.SetCell(cells::Method, -1, method);
    s.SetSpacing(7, -5.5);  // NrPt 7, DLonP 5°30' W
    return s;
}

// The spacing block: title, then each label with its value.
std::string Block(const SummaryLabels& l) {
    return l.spacingTitle + "|" + l.firstLabel + "=" + l.firstValue + "|" + l.secondLabel + "=" +
           l.secondValue;
}

TEST(Summary, SavingsMarkedSpacingAndTheBlockKeptWithoutAMethod) {
    BrokenLine line;
    line.totalDistance = 2950;
    line.totalTime = 295;
    line.spacingChoice = 1;
    SummaryLabels labels;
    ASSERT_TRUE(FillSummary(SummaryScheme(1, 3000, 300, 2900), line, labels));
    EXPECT_EQ(labels.savedDistance + "|" + labels.savedTime, "50|5 = 0d 05h00m00s");
    EXPECT_EQ(Block(labels), "Punti|*Numero=7|Diff.za di longitudine=5°30'.0W");
    line.spacingChoice = 2;
    ASSERT_TRUE(FillSummary(SummaryScheme(1, 3000, 300, 2900), line, labels));
    EXPECT_EQ(labels.secondLabel, "*Diff.za di longitudine");
    // The block is written for methods 1 to 3 ("Punti") and 4 ("Cambio
    // rotta") only; with the method cell emptied it once claimed "Punti"
    // with a starred choice the line never had.
    SummaryLabels fresh;
    ASSERT_TRUE(FillSummary(SummaryScheme(0, 3000, 300, 2900), line, fresh));
    EXPECT_EQ(fresh.savedDistance, "50");
    EXPECT_EQ(Block(fresh), "Punti|Numero=err|Differenza di longitudine=err");

    line.practicalChoice = 2;
    line.dmP = 30;
    line.dtP = 3;
    ASSERT_TRUE(FillSummary(SummaryScheme(4, 3000, 300, 2900), line, labels));
    EXPECT_EQ(Block(labels), "Cambio rotta|Cammino=30 miglia|Tempo *=3 ore");
    line.practicalChoice = 1;
    ASSERT_TRUE(FillSummary(SummaryScheme(4, 3000, 300, 2900), line, labels));
    ASSERT_TRUE(FillSummary(SummaryScheme(0, 3000, 300, 2900), line, labels));
    EXPECT_EQ(Block(labels), "Cambio rotta|Cammino *=30 miglia|Tempo=3 ore");
}

TEST(Summary, HoursJustShortOfAWholeDayCarryIntoTheDayCount) {
    // The clock shows milliseconds rounded; a total a hair short of 48 hours
    // once gave "1d 00h00m00s", a day lost between the two fields.
    const struct {
        double hours;
        const char* text;
    } cases[] = {
        {48 - 1e-11, "48 = 2d 00h00m00s"},
        {23.99999, "24 = 0d 23h59m59s"},  // the clock is cut to the second
        {53.5, "53.5 = 2d 05h30m00s"},
        {-5, "5 = 0d 05h00m00s"},  // an interval shows its magnitude
        {-30, "30 = -1d 06h00m00s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.hours));
        EXPECT_EQ(SummaryHoursText(c.hours), c.text);
    }
}

TEST(Summary, NotRefilledUnlessTheTotalLiesStrictlyBetweenMoAndMl) {
    BrokenLine line;
    line.totalDistance = 3000;  // no saving
    SummaryLabels labels;
    EXPECT_FALSE(FillSummary(SummaryScheme(1, 3000, 300, 2900), line, labels));
    line.totalDistance = 2900;
    EXPECT_FALSE(FillSummary(SummaryScheme(1, 3000, 300, 2900), line, labels));
    EXPECT_EQ(labels.lineDistance, "err");
    EXPECT_EQ(SummaryCopyText(labels),
              "RIEPILOGO DELLA SPEZZATA:\r\n"
              "\tLossodromia err (mg); \terr (ore = d  h m s)\r\n"
              "\tSpezzata err (mg); \terr (ore = d  h m s)\r\n"
              "\tRisparmi err (mg); \terr (ore = d  h m s)\r\n"
              "\tPunti\r\n"
              "\t\tNumero = err\r\n"
              "\t\tDifferenza di longitudine = err\r\n"
              "_______\r\n"
              "* Valore impostato\r\n");
}

}  // namespace
}  // namespace velmar
