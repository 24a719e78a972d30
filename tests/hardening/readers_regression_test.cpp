// Readers meeting hostile input through the real files: what the fuzz
// targets found, named after the fault, and the sizes no fuzz input reaches.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "brokenline/BrokenLineEngine.h"
#include "chart/WorldMap.h"
#include "core/GreatCircle.h"
#include "scheme/Solver.h"
#include "store/SchemeFiles.h"
#include "tests/store/StoreTestSupport.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScriptedMessages;
using test::TempFolder;
using test::WriteBytes;
using test::WriteText;

const fs::path kCorpus = fs::path(__FILE__).parent_path() / ".." / ".." / "fuzz" / "corpus";

TEST(HostileFiles, WorldMapOfAMillionRecordsWithoutEndRecordReadsWhole) {
    TempFolder folder;
    std::string text;
    text.reserve(20u << 20);
    for (int i = 0; i < 1000000; ++i) {
        text += i % 1000 == 0 ? "-1 " : "0 ";
        text += std::to_string(i % 21600 - 10800) + " " + std::to_string(-(i % 9000)) + "\n";
    }
    const std::string path = folder.File("MONDOGW.MAP");
    WriteText(path, text);
    WorldMap map;
    ASSERT_EQ(ReadWorldMap(path, map), MapLoadStatus::kOk);
    EXPECT_FALSE(map.readError);
    EXPECT_EQ(map.points.size(), 1000000u);
    EXPECT_EQ(map.polylines.size(), 1000u);
}

// A scheme file whose cells are all finite but far outside their kinds (a
// longitude of 5e303, a latitude of 5e155) was loaded, and the solver then
// filled the scheme with values that are not numbers, which no save could
// store. Such a file is refused; the edges of each kind still load.
TEST(HostileFiles, SchemeFileWithValuesBeyondTheirKindsIsRefusedNotSolvedIntoNaN) {
    struct Case {
        const char* label;
        int group, cell, state;
        double value;
        bool loads;
    };
    const Case cases[] = {
        {"longitude 5e303", kDeparture, 1, kStateEntered, 5.486338370515126e+303, false},
        {"latitude 5e155", kArrival, 0, kStateEntered, 5.456977827486637e+155, false},
        {"latitude past the pole", kArrival, 0, kStateComputed, 90.5, false},
        {"date of 1e300", kDeparture, 3, kStateEntered, 1e300, false},
        {"distance of -1e9", kPassageB, 0, kStateComputed, -1e9, false},
        {"empty cell keeps any finite value", kArrival, 0, 0, 1e300, true},
        {"pole", kArrival, 0, kStateEntered, -90, true},
        {"antimeridian", kArrival, 1, kStateEntered, -180, true},
        {"undefined vertex longitude", kPassageB, 4, kStateComputed, NO_LONGITUDE, true},
        {"end of 9999", kDeparture, 5, kStateComputed, 2958465.99, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Scheme scheme;
        scheme.states[c.group][c.cell] = static_cast<std::int8_t>(c.state);
        scheme.values[c.group][c.cell] = c.value;
        SchemeFileRecord record;
        EncodeScheme(scheme, record);
        EXPECT_EQ(CheckSchemeRecord(record),
                  c.loads ? RecordFault::Ok : RecordFault::ValueOutOfRange);

        TempFolder folder;
        const PairPaths paths = SchemePairPaths(folder.Path(), "VELM-003.DAT");
        PointsFileRecord points;
        WriteBytes(paths.schemeFile, {record.bytes.begin(), record.bytes.end()});
        WriteBytes(paths.pointsFile, {points.bytes.begin(), points.bytes.end()});
        ScriptedMessages messages;
        SchemeFiles store(folder.Path(), messages);
        Scheme live;
        BrokenLine line;
        EXPECT_EQ(store.Load("VELM-003.DAT", live, line),
                  c.loads ? PairOutcome::Transferred : PairOutcome::Failed);
        if (!c.loads) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_NE(messages.shown[0].message.find("Apri"), std::string::npos);
            EXPECT_NE(messages.shown[0].note.find("Valore fuori campo nello schema."),
                      std::string::npos);
            EXPECT_EQ(live.states[c.group][c.cell], 0);
        }
    }
}

// Every seed of the scheme pair fuzz target, written as a real pair: a load
// either transfers a pair that saves back to the same records, or refuses it
// with one message and leaves the scheme as it was.
TEST(HostileFiles, FuzzSeedsAsSchemePairsLoadOrAreRefusedWithAMessage) {
    const fs::path seeds = kCorpus / "fuzz_scheme_pair";
    ASSERT_TRUE(fs::is_directory(seeds));
    int files = 0;
    for (const auto& entry : fs::directory_iterator(seeds)) {
        SCOPED_TRACE(entry.path().filename().string());
        const std::vector<std::uint8_t> bytes = ReadBytes(entry.path().string());
        const std::size_t split = std::min(bytes.size(), kSchemeFileRecordSize);
        TempFolder folder;
        const PairPaths paths = SchemePairPaths(folder.Path(), "VELM-001.DAT");
        WriteBytes(paths.schemeFile, {bytes.begin(), bytes.begin() + split});
        WriteBytes(paths.pointsFile, {bytes.begin() + split, bytes.end()});
        ScriptedMessages messages;
        SchemeFiles store(folder.Path(), messages);
        Scheme scheme;
        scheme.values[0][0] = 12.5;
        BrokenLine line;
        const PairOutcome outcome = store.Load("VELM-001.DAT", scheme, line);
        if (outcome == PairOutcome::Transferred) {
            EXPECT_TRUE(messages.shown.empty());
            ASSERT_EQ(store.Save("VELM-002.DAT", SaveMode::Plain, scheme, line),
                      PairOutcome::Transferred);
            const PairPaths again = SchemePairPaths(folder.Path(), "VELM-002.DAT");
            EXPECT_EQ(ReadBytes(again.schemeFile),
                      std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + split));
            const auto points = ReadBytes(again.pointsFile);
            EXPECT_TRUE(std::equal(points.begin(), points.end(), bytes.begin() + split));
        } else {
            EXPECT_EQ(outcome, PairOutcome::Failed);
            EXPECT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(scheme.values[0][0], 12.5);
        }
        ++files;
    }
    EXPECT_GE(files, 4);
}

// A recompute that failed left its half-made tables in the line: on a short
// passage due north (no vertex longitude) the vertex method put a point
// that is not a number into the table, which the chart would then draw and
// a save refuse. Found by the scheme driver fuzz target. A failed recompute
// now leaves the line as it was.
TEST(HostileFiles, FailedBrokenLineRecomputeLeavesNoPointThatIsNotANumber) {
    Scheme scheme;
    ScriptedMessages messages;
    SchemeSolver solver(scheme, messages);
    ASSERT_TRUE(solver.AcceptEntry(kDeparture, 0, 0));
    ASSERT_TRUE(solver.AcceptEntry(kDeparture, 1, -36.6));
    ASSERT_TRUE(solver.AcceptEntry(kPassageA, 0, 0));  // Rv due north
    ASSERT_TRUE(solver.AcceptEntry(kPassageA, 1, 3));  // Vp
    ASSERT_TRUE(solver.AcceptEntry(kPassageB, 0, 4));  // ml
    ASSERT_FALSE(scheme.IsEmpty(kPassageB, 2));        // the great circle is known
    BrokenLine line;
    BrokenLineWork work;
    BrokenLineEngine engine(scheme, line, work, messages);
    engine.Activate();
    int failures = 0;
    for (int method = kMethodVertex; method <= kMethodPractical; ++method) {
        for (const int nrPt : {1, 2, 5}) {
            SCOPED_TRACE("method " + std::to_string(method) + ", NrPt " + std::to_string(nrPt));
            work.nrPt = nrPt;
            work.dLonP = 1;
            PointsFileRecord before;
            EncodeLine(line, before);
            if (engine.ApplyMethod(method)) continue;
            ++failures;
            PointsFileRecord after;
            EncodeLine(line, after);
            EXPECT_EQ(after.bytes, before.bytes);
            EXPECT_EQ(CheckPointsRecord(after), RecordFault::Ok);
        }
    }
    EXPECT_GT(failures, 0);
}

}  // namespace
}  // namespace velmar
