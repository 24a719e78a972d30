#include "store/Settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/store/StoreTestSupport.h"

namespace velmar {
namespace {

TEST(Settings, ReadingIsTolerant) {
    const struct {
        const char* text;
        bool Settings::*mark;  // the one mark expected away from its default; null for none
    } rows[] = {
        {"[Velmar]\nIcone=0\n", &Settings::icons},
        {"[Punti]\r\nStatus=0\r\n", &Settings::pointsStatus},  // not the scheme window's
        {"\xEF\xBB\xBF\xEF\xBB\xBF[carta]\r quadro COORDINATE = 0 \r", &Settings::coordinatesPanel},
        {"[Carta]\nAuto=-0", &Settings::autoPanels},  // no final line end
        {"[Carta]\nMappa sempre=2\n", &Settings::mapAlways},
        {"[Carta]\nMappa sempre=x\n", nullptr},
        {"junk\n= 0\n[Carta\nAuto=0\n[Velmar]\nIcone=abc\n", nullptr},
        {"[Velmar]\nIcone=7\nIcone=0\n", nullptr},  // the first occurrence wins
        {"Icone=0\n[Altro]\nIcone=0\n", nullptr},
        {"[Velmar]\nIcone=99999999999999999999\n", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        Settings expected;
        if (row.mark) expected.*row.mark = !(expected.*row.mark);
        EXPECT_EQ(Settings::Parse(row.text), expected);
    }
}

TEST(Settings, WriteKeepsOtherContentAndRoundTrips) {
    test::TempFolder folder;
    EXPECT_EQ(Settings::Read(folder.Path()), Settings{});  // first run: all checked
    test::WriteBytes(folder.File("VELMAR3.INI"),
                     std::string("[Altro]\nX=5\n;n\n[Velmar]\nStatus=1\nZ=7\n\n"));
    Settings settings;
    settings.schemeStatus = false;
    settings.limitsPanel = false;
    ASSERT_TRUE(settings.Write(folder.Path()));
    const auto written = test::ReadBytes(folder.File("VELMAR3.INI"));
    EXPECT_EQ(std::string(written.begin(), written.end()),
              "[Altro]\r\nX=5\r\n;n\r\n[Velmar]\r\nStatus=0\r\nZ=7\r\nIcone=1\r\n\r\n"
              "[Punti]\r\nRichiamo=1\r\nStatus=1\r\n"
              "[Carta]\r\nDiciture=1\r\nSpezzata=1\r\nOrtodromia=1\r\nReticolo=1\r\n"
              "Quadro coordinate=1\r\nQuadro limiti=0\r\nQuadro scale=1\r\n"
              "Quadro strumenti=1\r\nAuto=1\r\nMappa sempre=0\r\n");
    EXPECT_EQ(Settings::Read(folder.Path()), settings);

    // With every mark away from its default each comes back so: none lacks
    // its own key.
    Settings none;
    none.mapAlways = true;
    for (bool* mark :
         {&none.icons, &none.schemeStatus, &none.recall, &none.pointsStatus, &none.labels,
          &none.brokenLine, &none.greatCircle, &none.graticule, &none.coordinatesPanel,
          &none.limitsPanel, &none.scalesPanel, &none.toolsPanel, &none.autoPanels}) {
        *mark = false;
    }
    ASSERT_TRUE(none.Write(folder.Path()));
    EXPECT_EQ(Settings::Read(folder.Path()), none);
}

TEST(Settings, FailedWriteShowsMessageAndKeepsOldFile) {
    test::TempFolder folder;
    test::ScriptedMessages messages;
    EXPECT_FALSE(Settings{}.Write(folder.File("missing"), messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Velmar3: Impostazioni");
    EXPECT_EQ(messages.shown[0].header, folder.File("missing") + "/VELMAR3.INI");
    EXPECT_EQ(messages.shown[0].message, "Errore nella scrittura del file.");

    Settings old;
    old.icons = false;
    ASSERT_TRUE(old.Write(folder.Path()));
    std::filesystem::create_directory(folder.File("VELMAR3.INI.tmp"));
    test::WriteBytes(folder.File("VELMAR3.INI.tmp/keep"), std::string("x"));
    EXPECT_FALSE(Settings{}.Write(folder.Path(), messages));
    EXPECT_EQ(Settings::Read(folder.Path()), old);
    // A pipe in place of the file must not hang the start-up.
    std::filesystem::remove(folder.File("VELMAR3.INI"));
    ASSERT_EQ(::mkfifo(folder.File("VELMAR3.INI").c_str(), 0600), 0);
    EXPECT_EQ(Settings::Read(folder.Path()), Settings{});
    // A file that cannot be read whole is not replaced by the thirteen keys alone.
    std::filesystem::remove(folder.File("VELMAR3.INI"));
    test::WriteBytes(folder.File("VELMAR3.INI"), std::string((1 << 20) + 1, ';'));
    EXPECT_FALSE(Settings{}.Write(folder.Path()));
    EXPECT_EQ(std::filesystem::file_size(folder.File("VELMAR3.INI")), (1u << 20) + 1);
}

}  // namespace
}  // namespace velmar
