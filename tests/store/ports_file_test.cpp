#include "store/PortsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/store/StoreTestSupport.h"

namespace velmar {
namespace {

using test::ScriptedMessages;
using test::TempFolder;
using test::WriteText;

std::vector<std::string> Names(const PortsList& list) {
    std::vector<std::string> names;
    for (const Port& port : list.ports) names.push_back(port.name);
    return names;
}

TEST(SplitPortLine, FieldsSeparatorsAndQuotes) {
    struct Case {
        std::string line;
        bool valid;
        std::string name, latitude, longitude;
    };
    const Case cases[] = {
        {"Genova,44.4,8.93", true, "Genova", "44.4", "8.93"},
        {"\"Porto, Nord\",45.1,12.3", true, "Porto, Nord", "45.1", "12.3"},
        {" Bari , 41.1 ,16.9", true, " Bari ", " 41.1 ", "16.9"},
        // Text after a closing quotation mark, up to the comma, is dropped.
        {"\"Ancona\" X,43.6,13.5", true, "Ancona", "43.6", "13.5"},
        // A doubled quotation mark ends the field: nothing is escaped.
        {"\"A\"\"B\",1,2", true, "A", "1", "2"},
        // A trailing comma is a third, empty field.
        {"Genova,44.4,", true, "Genova", "44.4", ""},
        {"Genova,44.4,8.93,x", false, "", "", ""},
        {"Genova,44.4", false, "", "", ""},
        {",,,", false, "", "", ""},
        // With no closing mark the rest of the line is the name: no separator left.
        {"\"Porto, Nord,45.1,12.3", false, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto fields = SplitPortLine(c.line);
        ASSERT_EQ(fields.has_value(), c.valid);
        if (!c.valid) continue;
        EXPECT_EQ(fields->name, c.name);
        EXPECT_EQ(fields->latitude, c.latitude);
        EXPECT_EQ(fields->longitude, c.longitude);
    }
}

TEST(ParsePortNumber, PointDecimalsOnly) {
    const std::pair<std::string, std::optional<double>> cases[] = {
        {"-8.93", -8.93},      {" 12.5 ", 12.5},      {"+3", 3.0},           {".5", 0.5},
        {"", std::nullopt},    {"44,4", std::nullopt}, {"1e3", std::nullopt}, {"nan", std::nullopt},
        {"4 4", std::nullopt}, {"+-1", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParsePortNumber(text), expected);
    }
}

TEST(ParsePorts, BadLinesAreSkippedAndCountedAndOthersKeepTheirOwnCoordinates) {
    const PortsList list = ParsePorts(
        "Genova,44.4,8.93\r\n"
        "Ancona,43.6,13.5,extra\r\n"
        "\r\n"
        "Bari,41.1\r\n"
        "\"Porto, Nord\",45.1,12.3\r\n"
        "Zara,44.1,15.2\r\n");
    EXPECT_EQ(list.status, PortsStatus::Ok);
    EXPECT_EQ(list.skippedLines, 2);  // the blank line is not counted
    EXPECT_EQ(SkippedLinesNote(list), "Righe non valide ignorate: 2");
    // Sorted by the whole line: the quotation mark comes before the letters.
    ASSERT_EQ(Names(list), (std::vector<std::string>{"Porto, Nord", "Genova", "Zara"}));
    const auto genova = PortPosition(list, 1);
    ASSERT_TRUE(genova);
    EXPECT_DOUBLE_EQ(genova->latitude, 44.4);
    EXPECT_DOUBLE_EQ(genova->longitude, 8.93);
    EXPECT_FALSE(PortPosition(list, -1));
    EXPECT_FALSE(PortPosition(list, 3));
}

TEST(ParsePorts, MalformedOrOutOfRangeCoordinateIsSkippedNotTakenAsZero) {
    // Taken as it stood, such a line would put the port at 0,0 or feed the
    // solver a latitude beyond the pole.
    const PortsList list = ParsePorts(
        "Nowhere,abc,8.9\n"
        "Comma,44,5,8.9\n"
        "Pole,90.5,10\n"
        "Date line,10,180.01\n"
        "Edge,-90,-180\n");
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Edge"}));
    EXPECT_EQ(list.skippedLines, 4);
}

TEST(ParsePorts, LineEndsByteOrderMarkEncodingsAndOrder) {
    struct Case {
        std::string label;
        std::string text;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"LF, CR and CR LF", "A,1,1\nB,2,2\rC,3,3\r\nD,4,4", {"A", "B", "C", "D"}},
        {"byte-order mark", "\xEF\xBB\xBFSete,43.4,3.7\r\n", {"Sete"}},
        {"Windows-1252", "S\xE8te,43.4,3.7\r\n", {"S\xC3\xA8te"}},
        {"UTF-8 kept", "S\xC3\xA8te,43.4,3.7\r\n", {"S\xC3\xA8te"}},
        {"case-blind stable sort", "bari,2,2\nAncona,1,1\nBARI,2,2\nancona,3,3\n",
         {"Ancona", "ancona", "bari", "BARI"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const PortsList list = ParsePorts(c.text);
        EXPECT_EQ(Names(list), c.names);
        EXPECT_EQ(list.skippedLines, 0);
    }
}

TEST(ParsePorts, EmptyFileGivesEmptyDisabledListsAndABadLineStillEnablesThem) {
    const PortsList empty = ParsePorts("");
    EXPECT_EQ(empty.status, PortsStatus::Ok);
    EXPECT_FALSE(empty.enabled);
    EXPECT_TRUE(empty.ports.empty());
    EXPECT_EQ(SkippedLinesNote(empty), "");

    const PortsList bad = ParsePorts("not a port\n");
    EXPECT_TRUE(bad.enabled);
    EXPECT_TRUE(bad.ports.empty());
    EXPECT_EQ(bad.skippedLines, 1);
}

TEST(ParsePorts, VeryLongLineIsSkippedWithoutHarm) {
    const std::string longName(1 << 18, 'x');
    const PortsList list = ParsePorts(longName + "\n" + longName + ",1,2\nGenova,44.4,8.93\n");
    EXPECT_EQ(list.skippedLines, 1);
    ASSERT_EQ(list.ports.size(), 2u);
    EXPECT_EQ(list.ports[0].name, "Genova");
    EXPECT_EQ(list.ports[1].name.size(), longName.size());
}

TEST(LoadPorts, MissingTooLargeAndPresentFiles) {
    TempFolder folder;
    ScriptedMessages messages;
    const std::string path = PortsPath(folder.Path());

    const PortsList missing = LoadPorts(folder.Path());
    EXPECT_EQ(missing.status, PortsStatus::Missing);
    EXPECT_FALSE(missing.enabled);
    ReportPortsUnavailable(missing, path, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Velmar3: Porti");
    EXPECT_EQ(messages.shown[0].header, path);
    EXPECT_EQ(messages.shown[0].message, "Non trovo il file");
    EXPECT_EQ(messages.shown[0].note, "Funzione disabilitata");

    WriteText(path, "");
    std::filesystem::resize_file(path, kMaxPortsFileBytes + 1);
    EXPECT_EQ(LoadPorts(folder.Path()).status, PortsStatus::TooLarge);

    WriteText(path, "Genova,44.4,8.93\r\n");
    const PortsList present = LoadPorts(folder.Path());
    EXPECT_EQ(present.status, PortsStatus::Ok);
    EXPECT_EQ(Names(present), (std::vector<std::string>{"Genova"}));
    ReportPortsUnavailable(present, path, messages);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(LoadPorts, BundledListReadsCompletely) {
    const auto data = std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "data";
    const PortsList list = LoadPorts(data.string());
    ASSERT_EQ(list.status, PortsStatus::Ok);
    EXPECT_EQ(list.ports.size(), 1364u);
    EXPECT_EQ(list.skippedLines, 0);
    bool quotedName = false;
    for (const Port& port : list.ports) quotedName |= port.name.find(", ") != std::string::npos;
    EXPECT_TRUE(quotedName);
}

}  // namespace
}  // namespace velmar
