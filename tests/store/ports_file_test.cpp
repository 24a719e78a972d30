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

// A malformed or out-of-range coordinate taken as it stood would put the port
// at 0,0 or feed the solver a latitude beyond the pole.
TEST(ParsePorts, MalformedOrOutOfRangeCoordinateIsSkippedNotTakenAsZero) {
    const std::string longName(1 << 18, 'x');
    const PortsList list = ParsePorts(
        "Genova,44.4,8.93\r\nAncona,43.6,13.5,extra\r\n\r\nBari,41.1\r\n"
        "\"Porto, Nord\",45.1,12.3\r\nNowhere,abc,8.9\r\nComma,44,5,8.9\r\nPole,90.5,10\r\n"
        "Date line,10,180.01\r\nEdge,-90,-180\r\n" +
        longName + "\r\n" + longName + ",1,2\r\n");
    EXPECT_EQ(list.status, PortsStatus::Ok);
    EXPECT_EQ(list.skippedLines, 7);  // the blank line is not counted
    EXPECT_EQ(SkippedLinesNote(list), "Righe non valide ignorate: 7");
    // Sorted by the whole line: the quotation mark comes before the letters.
    EXPECT_EQ(NamesOf(list), (Names{"Porto, Nord", "Edge", "Genova", longName}));
    const auto genova = PortPosition(list, 2);
    ASSERT_TRUE(genova);
    EXPECT_EQ(genova->latitude, 44.4);
    EXPECT_EQ(genova->longitude, 8.93);
    EXPECT_FALSE(PortPosition(list, -1));
    EXPECT_FALSE(PortPosition(list, 4));

    const PortsList empty = ParsePorts("");
    EXPECT_FALSE(empty.enabled);
    EXPECT_EQ(SkippedLinesNote(empty), "");
    EXPECT_TRUE(ParsePorts("not a port\n").enabled);  // a bad line still enables the lists
}

TEST(ParsePorts, LineEndsByteOrderMarkEncodingsAndOrder) {
    const struct {
        const char* text;
        Names names;
    } rows[] = {
        {"A,1,1\nB,2,2\rC,3,3\r\nD,4,4", {"A", "B", "C", "D"}},
        {"\xEF\xBB\xBFSete,43.4,3.7\r\n", {"Sete"}},
        {"S\xE8te,43.4,3.7\r\n", {"S\xC3\xA8te"}},      // Windows-1252
        {"S\xC3\xA8te,43.4,3.7\r\n", {"S\xC3\xA8te"}},  // UTF-8 kept
        {"bari,2,2\nAncona,1,1\nBARI,2,2\nancona,3,3\n", {"Ancona", "ancona", "bari", "BARI"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const PortsList list = ParsePorts(row.text);
        EXPECT_EQ(NamesOf(list), row.names);
        EXPECT_EQ(list.skippedLines, 0);
    }
}

TEST(LoadPorts, MissingTooLargePresentAndBundledFiles) {
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

    const PortsList bundled =
        LoadPorts((std::filesystem::path(__FILE__).parent_path() / "../../data").string());
    EXPECT_EQ(bundled.ports.size(), 1364u);
    EXPECT_EQ(bundled.skippedLines, 0);
}

}  // namespace
}  // namespace velmar
