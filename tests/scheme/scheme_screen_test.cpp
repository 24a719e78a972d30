// The scheme window's rules without the window: highlight moves, hints,
// the route facts box and the command table.

#include <gtest/gtest.h>

#include <set>

#include "scheme/SchemeScreen.h"
#include "scheme/Solver.h"
#include "tests/scheme/SchemeFakes.h"

namespace velmar {
namespace {

TEST(MoveHighlight, WrapsAndNeverStopsOnTheSpacingCell) {
    using K = HighlightKey;
    struct Row {
        CellRef from;
        K key;
        CellRef to;
    } rows[] = {
        {cells::DepTmDate, K::Down, cells::DepLat},  {cells::DepLat, K::Up, cells::DepTmDate},
        {cells::Method, K::Right, cells::ArrTmDate}, {cells::ArrTmDate, K::Left, cells::Method},
        {cells::V2Lon, K::Down, cells::Method},      {cells::Dt, K::PageDown, cells::V2Lon},
        {cells::Vp, K::PageDown, cells::Method},     {cells::mo, K::PageUp, cells::ml},
        {cells::ArrLat, K::Right, cells::DepLat},    {cells::DepLat, K::Left, cells::ArrLat},
        {cells::Ri, K::Home, cells::DepTf},          {cells::mo, K::End, cells::ArrTf},
    };
    for (const Row& row : rows) {
        const CellRef to = MoveHighlight(row.from, row.key);
        EXPECT_TRUE(to == row.to) << row.from.group << "," << row.from.cell << " key "
                                  << static_cast<int>(row.key) << " gave " << to.group << ","
                                  << to.cell;
    }
}

TEST(SchemeScreen, ClassesHintsAndEnter) {
    Scheme scheme;
    EXPECT_EQ(*ValueHint(scheme, cells::DepLat), "[Click] Inserisci un nuovo valore");
    EXPECT_EQ(*ValueHint(scheme, cells::Ri), "[Click] Visualizzi il modulo Punti");
    EXPECT_EQ(*ValueHint(scheme, cells::Method), "Richiami il modulo Punti");
    EXPECT_EQ(PassageHeaderHint(scheme), "[Click] Selezioni per la copia");
    scheme.SetCell(cells::DepLat, kStateEntered, 10);
    scheme.SetCell(cells::Rv, kStateComputed, 10);
    scheme.SetCell(cells::mo, kStateComputed, 10);
    EXPECT_EQ(*ValueHint(scheme, cells::DepLat),
              "[Click] Modifichi il valore; [Click-Ds] Visualizzi altri formati.");
    EXPECT_EQ(*ValueHint(scheme, cells::Rv), "[Click-Ds] Visualizzi altri formati");
    EXPECT_EQ(PassageHeaderHint(scheme),
              "[Click] Selezioni per la copia; [Click-Ds] Visualizzi DLat, DLon e DLatC.");
    EXPECT_FALSE(ValueHint(scheme, cells::Spacing));

    EXPECT_TRUE(EnterOpensPoints(cells::V1Lat) && EnterOpensPoints(cells::Method));
    EXPECT_FALSE(EnterOpensPoints(cells::Rv) || EnterOpensPoints(cells::ArrTm));
}

TEST(RouteFactsMessage, GenovaToNewYork) {
    Scheme scheme;
    testing::RecordingMessages messages;
    SchemeSolver solver(scheme, messages);
    EXPECT_FALSE(RouteFactsMessage(scheme));  // nothing before the great circle
    for (auto [cell, value] : {std::pair{cells::DepLat, 44.4},
                               {cells::DepLon, 8 + 56 / 60.0},
                               {cells::ArrLat, 40.7},
                               {cells::ArrLon, -74.0}})
        ASSERT_TRUE(solver.AcceptEntry(cell.group, cell.cell, value));
    const auto facts = RouteFactsMessage(scheme);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->header.substr(0, 39), "Vertice interno; Risparmio (ml-mo) = 17");
    EXPECT_EQ(facts->message,
              "DLat= 3\u00b0 42' 00\" Sud; 222.0 primi\r"
              "DLon= 82\u00b0 56' 00\" Ovest; 4976.0 primi; 05h31m44s\r"
              "DLatC= " +
                  facts->message.substr(facts->message.rfind("DLatC= ") + 7));
    EXPECT_NE(facts->message.find(" primi."), std::string::npos);
}

// Two commands of one name could not be told apart in the menu or on the buttons.
TEST(SchemeCommands, EveryNameIsUnique) {
    std::set<std::string> names;
    for (const SchemeCommandInfo& info : SchemeCommands()) {
        EXPECT_TRUE(names.insert(info.menuName).second) << info.menuName;
        if (!info.button.empty()) {
            EXPECT_TRUE(names.insert(info.button).second) << info.button;
        }
    }
}

}  // namespace
}  // namespace velmar
