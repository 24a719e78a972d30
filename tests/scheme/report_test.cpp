// The scheme report's exact text.

#include <gtest/gtest.h>

#include "scheme/Report.h"
#include "tests/scheme/SchemeFakes.h"

namespace velmar {
namespace {

using S = ReportSection;

// Passage and arrival selected: first forms for speed, distances and
// interval; the entered values starred; an unselected departure left out.
TEST(SchemeReport, SelectedSectionsInTheirOrder) {
    Scheme scheme;
    scheme.SetCell(cells::ArrLat, kStateEntered, 41.0883);
    scheme.SetCell(cells::ArrLon, kStateComputed, -9.1);
    scheme.SetCell(cells::Rv, kStateComputed, 45.5);
    scheme.SetCell(cells::Vp, kStateEntered, 12);
    scheme.SetCell(cells::ml, kStateComputed, 123.45);
    scheme.SetCell(cells::Dt, kStateComputed, 10.2875);
    scheme.SetCell(cells::Ri, kStateComputed, 44);
    scheme.SetCell(cells::mo, kStateComputed, 120);
    std::string text;
    testing::RecordingMessages messages;
    ASSERT_TRUE(
        CopySchemeReport(scheme, {S::NotSelected, S::Selected, S::Selected}, messages, text));
    EXPECT_EQ(text,
              "PERCORSO:\r\n"
              "Lossodromia\r\n"
              "\tRv = 45°30'.0\r\n"
              "\tVp = 12 nodi *\r\n"
              "\tml = 123.45 miglia\r\n"
              "\tDt = 10.2875 ore\r\n"
              "Ortodromia\r\n"
              "\tRi = 44°00'.0\r\n"
              "\tmo = 120 miglia\r\n"
              "\tV1\r\n"
              "\t\tLat =   °  '. ±\r\n"
              "\t\tLon =    °  '. ±\r\n"
              "\tV2\r\n"
              "\t\tLat =   °  '. ±\r\n"
              "\t\tLon =    °  '. ±\r\n"
              "ARRIVO: \r\n"
              "\tLat = 41°05'.3N *\r\n"
              "\tLon = 9°06'.0W\r\n"
              "\ttf =   :  :  \r\n"
              "\tdel =   -  -20  \r\n"
              "\tTm =   :  :  \r\n"
              "\tdel =   -  -20  \r\n"
              "_______\r\n"
              "* Valore inserito\r\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(SchemeReport, NothingSelectedShowsMessageAndGivesNoText) {
    Scheme scheme;
    testing::RecordingMessages messages;
    std::string text = "clipboard as it was";
    EXPECT_FALSE(CopySchemeReport(scheme, {}, messages, text));
    EXPECT_EQ(text, "clipboard as it was");
    EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
}  // namespace velmar
