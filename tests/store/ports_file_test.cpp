#include "store/PortsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/store/StoreTestSupport.h"

namespace velmar {
namespace {

using Names = std::vector<std::string>;

Names NamesOf(const PortsList& list) {
    Names names;
    for (const Port& port : list.ports) names.push_back(port.name);
    return names;
}

TEST(SplitPortLine, FieldsSeparatorsAndQuotes) {
    const struct {
        const char* line;
        const char* fields;  // name|latitude|longitude, or "-" when the line does not split
    } rows[] = {
        {"Genova,44.4,8.93", "Genova|44.4|8.93"},
        {"\"Porto, Nord\",45.1,12.3", "Porto, Nord|45.1|12.3"},
        {" Bari , 41.1 ,16.9", " Bari | 41.1 |16.9"},
        {"\"Ancona\" X,43.6,13.5", "Ancona|43.6|13.5"},  // text after the closing mark is dropped
        {"\"A\"\"B\",1,2", "A|1|2"},       // a doubled mark ends the field: nothing is escaped
        {"Genova,44.4,", "Genova|44.4|"},  // a trailing comma is a third, empty field
        {"Genova,44.4,8.93,x", "-"},
        {"Genova,44.4", "-"},
        {",,,", "-"},
        // With no closing mark the rest of the line is the name: no separator left.
        {"\"Porto, Nord,45.1,12.3", "-"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const auto f = SplitPortLine(row.line);
        EXPECT_EQ(f ? f->name + "|" + f->latitude + "|" + f->longitude : "-", row.fields);
    }
}

TEST(ParsePortNumber, PointDecimalsOnly) {
    const std::pair<std::string, std::optional<double>> cases[] = {
        {"-8.93", -8.93},      {" 12.5 ", 12.5},       {"+3", 3.0},           {".5", 0.5},
        {"", std::nullopt},    {"44,4", std::nullopt}, {"1e3", std::nullopt}, {"nan", std::nullopt},
        {"4 4", std::nullopt}, {"+-1", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParsePortNumber(text), expected);
    }
}

TEST(ParsePorts, LinesAreSortedAndBadOnesSkippedAndCounted) {
    // A malformed or out-of-range coordinate taken as it stood would put the
    // port at 0,0 or feed the solver a latitude beyond the pole.
    const std::string longName(1 << 18, 'x');
    const struct {
        std::string text;
        Names names;
        int skipped;
    } rows[] = {
        {"A,1,1\nB,2,2\rC,3,3\r\nD,4,4", {"A", "B", "C", "D"}, 0},
        {"\xEF\xBB\xBFSete,43.4,3.7\r\n", {"Sete"}, 0},
        {"S\xE8te,43.4,3.7\r\n", {"S\xC3\xA8te"}, 0},      // Windows-1252
        {"S\xC3\xA8te,43.4,3.7\r\n", {"S\xC3\xA8te"}, 0},  // UTF-8 kept
        {"bari,2,2\nAncona,1,1\nBARI,2,2\nancona,3,3\n", {"Ancona", "ancona", "bari", "BARI"}, 0},
        // The quotation mark sorts before the letters; the blank line is not counted.
        {"Genova,44.4,8.93\r\nAncona,43.6,13.5,extra\r\n\r\nBari,41.1\r\n"
         "\"Porto, Nord\",45.1,12.3\r\nNowhere,abc,8.9\r\nComma,44,5,8.9\r\nPole,90.5,10\r\n"
         "Date line,10,180.01\r\nEdge,-90,-180\r\n" +
             longName + "\r\n" + longName + ",1,2\r\n",
         {"Porto, Nord", "Edge", "Genova", longName},
         7},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 40));
        const PortsList list = ParsePorts(row.text);
        EXPECT_EQ(NamesOf(list), row.names);
        EXPECT_EQ(list.skippedLines, row.skipped);
    }
    // A position goes with its own name through the sort.
    const PortsList list = ParsePorts("B,1,1\nx\nA,44.4,8.93\n");
    EXPECT_EQ(SkippedLinesNote(list), "Righe non valide ignorate: 1");
    const auto a = PortPosition(list, 0);
    ASSERT_TRUE(a);
    EXPECT_EQ(std::pair(a->latitude, a->longitude), std::pair(44.4, 8.93));
    EXPECT_FALSE(PortPosition(list, -1));
    EXPECT_FALSE(PortPosition(list, 2));
    EXPECT_FALSE(ParsePorts("").enabled);
    EXPECT_EQ(SkippedLinesNote(ParsePorts("")), "");
    EXPECT_TRUE(ParsePorts("not a port\n").enabled);  // a bad line still enables the lists
}

// Regressions: a list saved as UTF-16 gave no port at all, one binary line
// turned every UTF-8 name of the file into Windows-1252 mojibake, and a
// binary line with two commas and two numbers became a port of control
// characters.
TEST(ParsePorts, Utf16ListAndBinaryLinesKeepTheOtherPorts) {
    const auto utf16 = [](std::u16string_view text, bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t unit : text) {
            const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        return bytes;
    };
    const struct {
        const char* name;
        std::string text;
        Names names;
        int skipped;
    } rows[] = {
        {"UTF-16LE",
         utf16(u"Genova,44.4,8.93\r\nS\u00e8te,43.4,3.7\r\n", false),
         {"Genova", "S\xC3\xA8te"},
         0},
        {"UTF-16BE", utf16(u"\u015eile,41.2,29.6\n", true), {"\xC5\x9Eile"}, 0},
        // Sized: the binary line holds a NUL and goes on past it.
        {"UTF-8 beside a binary line",
         std::string("\xC5\x9Eile,41.2,29.6\n\xFF\xFE\x80\x00junk\n", 25),
         {"\xC5\x9Eile"},
         1},
        {"Windows-1252 beside UTF-8",
         "S\xE8te,43.4,3.7\nS\xC3\xA8te,43.4,3.7\n",
         {"S\xC3\xA8te", "S\xC3\xA8te"},
         0},
        {"control characters",
         std::string("\x01\x02,1,2\nA\0B,1,2\nTab\tport,1,2\n", 28),
         {"Tab\tport"},
         2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const PortsList list = ParsePorts(row.text);
        EXPECT_EQ(NamesOf(list), row.names);
        EXPECT_EQ(list.skippedLines, row.skipped);
    }
}

TEST(LoadPorts, MissingTooLargeAndPresentFiles) {
    test::TempFolder folder;
    test::ScriptedMessages messages;
    const std::string path = PortsPath(folder.Path());
    const PortsList missing = LoadPorts(folder.Path());
    EXPECT_EQ(missing.status, PortsStatus::Missing);
    EXPECT_FALSE(missing.enabled);
    ReportPortsUnavailable(missing, path, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    const Message& shown = messages.shown[0];
    EXPECT_EQ(shown.title + "|" + shown.header + "|" + shown.message + "|" + shown.note,
              "Velmar3: Porti|" + path + "|Non trovo il file|Funzione disabilitata");

    test::WriteBytes(path, std::string());
    std::filesystem::resize_file(path, kMaxPortsFileBytes + 1);
    EXPECT_EQ(LoadPorts(folder.Path()).status, PortsStatus::TooLarge);

    test::WriteBytes(path, std::string("Genova,44.4,8.93\r\n"));
    const PortsList present = LoadPorts(folder.Path());
    EXPECT_EQ(NamesOf(present), Names{"Genova"});
    ReportPortsUnavailable(present, path, messages);
    EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
}  // namespace velmar
