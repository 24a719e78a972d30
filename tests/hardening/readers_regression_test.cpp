// Readers meeting hostile input through the real files: what the fuzz
// targets found, named after the fault, and the sizes no fuzz input reaches.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "brokenline/BrokenLineEngine.h"
#include "chart/WorldMap.h"
#include "core/GreatCircle.h"
#include "scheme/Solver.h"
#include "tests/store/StoreTestSupport.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;

TEST(HostileFiles, WorldMapOfAMillionRecordsWithoutEndRecordReadsWhole) {
    test::TempFolder folder;
    std::string text;
    for (int i = 0; i < 1000000; ++i) {
        text += (i % 1000 == 0 ? "-1 " : "0 ") + std::to_string(i % 21600 - 10800) + " " +
                std::to_string(-(i % 9000)) + "\n";
    }
    test::WriteBytes(folder.File("MONDOGW.MAP"), text);
    WorldMap map;
    ASSERT_EQ(ReadWorldMap(folder.File("MONDOGW.MAP"), map), MapLoadStatus::kOk);
    EXPECT_FALSE(map.readError);
    EXPECT_EQ(map.points.size(), 1000000u);
    EXPECT_EQ(map.polylines.size(), 1000u);
}

// A scheme file whose cells are all finite but far outside their kinds (a
// longitude of 5e303, a latitude of 5e155) was loaded, and the solver then
// filled the scheme with values that are not numbers, which no save could
// store. Such a record is refused (the fuzz target's own input below, as a
// real pair); the edges of each kind still load.
TEST(HostileFiles, SchemeFileWithValuesBeyondTheirKindsIsRefusedNotSolvedIntoNaN) {
    const struct {
        const char* label;
        CellRef at;
        int state;
        double value;
        bool loads;
    } cases[] = {
        {"longitude 5e303", cells::DepLon, kStateEntered, 5.486338370515126e+303, false},
        {"latitude 5e155", cells::ArrLat, kStateEntered, 5.456977827486637e+155, false},
        {"latitude past the pole", cells::ArrLat, kStateComputed, 90.5, false},
        {"date of 1e300", cells::DepTfDate, kStateEntered, 1e300, false},
        {"distance of -1e9", cells::ml, kStateComputed, -1e9, false},
        {"empty cell keeps any finite value", cells::ArrLat, 0, 1e300, true},
        {"pole", cells::ArrLat, kStateEntered, -90, true},
        {"antimeridian", cells::ArrLon, kStateEntered, -180, true},
        {"undefined vertex longitude", cells::V2Lon, kStateComputed, NO_LONGITUDE, true},
        {"end of 9999", cells::DepTmDate, kStateComputed, 2958465.99, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Scheme scheme;
        scheme.SetCell(c.at, c.state, c.value);
        SchemeFileRecord record;
        EncodeScheme(scheme, record);
        EXPECT_EQ(CheckSchemeRecord(record),
                  c.loads ? RecordFault::Ok : RecordFault::ValueOutOfRange);
    }
}

// Every input of the scheme pair fuzz target's corpus, written as a real
// pair: a load either transfers it silently, or refuses it with one message
// naming the file at fault and leaves the scheme as it was. The hand-made
// seeds below must be refused, each for its own fault.
TEST(HostileFiles, FuzzSeedsAsSchemePairsLoadOrAreRefusedWithAMessage) {
    // The seeds the load refuses, and the file and fault its message names.
    const std::map<std::string, std::string> refusals = {
        {"position_beyond_the_pole.bin", "VELM-001.DAT\rValore fuori campo nello schema."},
        {"spacing_count_from_huge_longitude_step.bin",
         "VELM-001.DAT\rValore fuori campo nello schema."},
        {"short_points.bin", "PUNT-001.DAT\rFile incompleto."},
    };
    const fs::path seeds = fs::path(VELMAR_FUZZ_CORPUS_DIR) / "fuzz_scheme_pair";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(seeds)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const auto bytes = test::ReadBytes(entry.path());
        const auto split = bytes.begin() + std::min(bytes.size(), kSchemeFileRecordSize);
        test::TempFolder folder;
        test::WriteBytes(folder.File("VELM-001.DAT"),
                         std::vector<std::uint8_t>(bytes.begin(), split));
        test::WriteBytes(folder.File("PUNT-001.DAT"),
                         std::vector<std::uint8_t>(split, bytes.end()));
        test::ScriptedMessages messages;
        Scheme scheme;
        scheme.SetCell(cells::DepLat, kStateEmpty, 12.5);
        BrokenLine line;
        const PairOutcome outcome =
            SchemeFiles(folder.Path(), messages).Load("VELM-001.DAT", scheme, line);
        const bool refused = outcome == PairOutcome::Failed;
        ASSERT_TRUE(refused || outcome == PairOutcome::Transferred);
        ASSERT_EQ(messages.shown.size(), refused ? 1u : 0u);
        if (refusals.contains(name)) {
            ASSERT_TRUE(refused);
            EXPECT_EQ(messages.shown[0].note, folder.File(refusals.at(name)));
        } else if (refused) {
            const std::string& note = messages.shown[0].note;
            EXPECT_TRUE(note.starts_with(folder.File("VELM-001.DAT") + "\r") ||
                        note.starts_with(folder.File("PUNT-001.DAT") + "\r"))
                << note;
        }
        if (refused) {
            EXPECT_EQ(scheme.Value(cells::DepLat), 12.5);
        }
        ++files;
    }
    EXPECT_GE(files, 6);
}

// A recompute that failed left its half-made tables in the line: on a short
// passage due north (no vertex longitude) the vertex method put a point
// that is not a number into the table, which the chart would then draw and
// a save refuse. Found by the scheme driver fuzz target. A failed recompute
// now leaves the line as it was.
TEST(HostileFiles, FailedBrokenLineRecomputeLeavesNoPointThatIsNotANumber) {
    Scheme scheme;
    test::ScriptedMessages messages;
    SchemeSolver solver(scheme, messages);
    ASSERT_TRUE(solver.AcceptEntry(cells::DepLat, 0));
    ASSERT_TRUE(solver.AcceptEntry(cells::DepLon, -36.6));
    ASSERT_TRUE(solver.AcceptEntry(cells::Rv, 0));  // Rv due north
    ASSERT_TRUE(solver.AcceptEntry(cells::Vp, 3));
    ASSERT_TRUE(solver.AcceptEntry(cells::ml, 4));
    ASSERT_FALSE(scheme.IsEmpty(cells::mo));  // the great circle is known
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
            const auto before = test::Stored(line);
            if (engine.ApplyMethod(method)) continue;
            ++failures;
            EXPECT_EQ(test::Stored(line), before);
            PointsFileRecord after;
            EncodeLine(line, after);
            EXPECT_EQ(CheckPointsRecord(after), RecordFault::Ok);
        }
    }
    EXPECT_GT(failures, 0);
}

}  // namespace
}  // namespace velmar
