#include "store/SchemeFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "tests/store/StoreTestSupport.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::Stored;
using test::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

// A solved-looking scheme: positions, great circle, times, a chosen method.
Scheme SampleScheme() {
    Scheme scheme;
    for (int g = 0; g < kGroups; ++g) {
        for (int c = 0; c < kCellsPerGroup; ++c) {
            scheme.values[g][c] = 10.0 * g + c + 0.123456789;
            scheme.states[g][c] = static_cast<std::int8_t>((g + c) % 3 - 1);
        }
    }
    scheme.SetCell(cells::Method, kStateEntered, 3);
    scheme.SetSpacing(200, -7.5);  // NrPt 200, DLonP
    scheme.markers[20] = 11;
    scheme.markers[33] = 8;
    return scheme;
}

BrokenLine SampleLine() {
    BrokenLine line{.n = 6,
                    .vertexIndex = 2,
                    .spacingChoice = 1,
                    .practicalChoice = 2,
                    .limitLat = -40.25,
                    .dtP = 3,
                    .dmP = 30,
                    .totalTime = 123.5,
                    .totalDistance = 1234.75};
    for (int i = 0; i <= line.n; ++i) line.points[i] = {-33.9 + i, 18.4 - 7.3 * i};
    return line;
}

// A double's eight bytes as stored: little-endian.
Bytes LE(double value) {
    Bytes bytes(8);
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return bytes;
}

class SchemeFilesTest : public ::testing::Test {
  protected:
    // The two files' bytes of the pair under `key`.
    std::pair<Bytes, Bytes> OnDisk(const std::string& key) {
        const PairPaths paths = SchemePairPaths(folder.Path(), key);
        return {ReadBytes(paths.schemeFile), ReadBytes(paths.pointsFile)};
    }
    // Writes the sample pair under `key` and returns its two files' bytes.
    std::pair<Bytes, Bytes> WriteSample(const std::string& key) {
        Scheme scheme = SampleScheme();
        EXPECT_TRUE(files.SaveSchemeFiles(key, SaveMode::Plain, scheme, SampleLine()));
        return OnDisk(key);
    }

    test::TempFolder folder;
    test::ScriptedMessages messages;
    SchemeFiles files{folder.Path(), messages};
};

TEST(SchemePairPaths, KeysNameTheirFiles) {
    const struct {
        const char* key;
        const char* scheme;
        const char* points;
    } rows[] = {
        // The startup and three-digit keys name the files of every other test here.
        {"VELM-1000.DAT", "/d/VELM-1000.DAT", "/d/PUNT-1000.DA"},  // eight characters only
        {"ABC", "/d/ABC", "/d/PUNT"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        for (const char* folder : {"/d", "/d/"}) {
            const PairPaths paths = SchemePairPaths(folder, row.key);
            EXPECT_EQ(paths.schemeFile, row.scheme);
            EXPECT_EQ(paths.pointsFile, row.points);
        }
    }
}

TEST_F(SchemeFilesTest, PairRoundTripKeepsTheLayoutAndEveryByte) {
    files.SetDescription("altro");
    auto [schemeBytes, pointsBytes] = WriteSample("AVVIO");
    EXPECT_EQ(schemeBytes.size(), kSchemeFileRecordSize);
    EXPECT_EQ(pointsBytes.size(), kPointsFileRecordSize);
    // The layout other copies of the program read: little-endian, fixed offsets.
    const auto at = [](const Bytes& b, std::size_t i) { return Bytes(&b[i], &b[i + 8]); };
    EXPECT_EQ(schemeBytes[0], 12);  // "File d'avvio"
    EXPECT_EQ(at(schemeBytes, 72 + 8 * (6 * 1 + 2)), LE(SampleScheme().Value(cells::Ri)));
    EXPECT_EQ(schemeBytes[264 + 6 * 1 + 5], 1);
    EXPECT_EQ(schemeBytes[264 + 6 * 2 + 5], 200);
    EXPECT_EQ(schemeBytes[288 + 33], 8);
    EXPECT_EQ(Bytes(pointsBytes.begin(), pointsBytes.begin() + 4), (Bytes{6, 2, 1, 2}));
    EXPECT_EQ(at(pointsBytes, 8 + 8 * 2), LE(30));  // DmP
    EXPECT_EQ(at(pointsBytes, 48 + 16 * 6 + 8), LE(SampleLine().points[6].longitude));

    // Padding, stale description bytes and unused points (NaN patterns
    // included) that another writer left must come back unchanged.
    const unsigned seed = 20261206;
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    const auto scramble = [&](Bytes& bytes, std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) bytes[i] = static_cast<std::uint8_t>(random());
    };
    schemeBytes[0] = 5;
    scramble(schemeBytes, 1, 72);
    scramble(schemeBytes, 322, 328);
    scramble(pointsBytes, 4, 8);
    scramble(pointsBytes, 48 + 16 * (SampleLine().n + 1), pointsBytes.size());
    WriteBytes(folder.File("VELM-007.DAT"), schemeBytes);
    WriteBytes(folder.File("PUNT-007.DAT"), pointsBytes);
    SchemeFiles reader(folder.Path(), messages);
    Scheme scheme;
    scheme.saved = false;
    BrokenLine line;
    ASSERT_EQ(reader.Load("VELM-007.DAT", scheme, line), PairOutcome::Transferred);
    EXPECT_EQ(Stored(scheme), Stored(SampleScheme()));
    EXPECT_TRUE(scheme.saved);
    ASSERT_TRUE(reader.SaveSchemeFiles("VELM-007.DAT", SaveMode::Plain, scheme, line));
    EXPECT_EQ(OnDisk("VELM-007.DAT"), std::pair(schemeBytes, pointsBytes));
    ASSERT_TRUE(reader.LoadSchemeFiles("AVVIO", scheme, line));
    EXPECT_EQ(Stored(line), Stored(SampleLine()));
    EXPECT_EQ(reader.Description(), "File d'avvio");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SchemeFilesTest, OverwriteIsAskedOnceAndNoLeavesBothFiles) {
    Scheme scheme = SampleScheme();
    const BrokenLine line = SampleLine();
    ASSERT_TRUE(files.SaveSchemeFiles("VELM-042.DAT", SaveMode::AskBeforeOverwrite, scheme, line));
    EXPECT_TRUE(messages.shown.empty());  // nothing to overwrite yet
    const auto before = OnDisk("VELM-042.DAT");
    scheme.SetCell(cells::DepLat, scheme.State(cells::DepLat), 1);
    scheme.saved = false;
    messages.answers = {kMsgNo, kMsgYes};
    EXPECT_EQ(files.Save("VELM-042.DAT", SaveMode::AskBeforeOverwrite, scheme, line),
              PairOutcome::Declined);
    ASSERT_EQ(messages.shown.size(), 1u);
    const Message& question = messages.shown[0];
    EXPECT_EQ(question.buttons + "|" + question.header + "|" + question.message,
              "YN|" + folder.File("VELM-042.DAT") + "|Sovrascrivere..");
    EXPECT_EQ(OnDisk("VELM-042.DAT"), before);
    EXPECT_FALSE(scheme.saved);

    EXPECT_TRUE(files.SaveSchemeFiles("VELM-042.DAT", SaveMode::AskBeforeOverwrite, scheme, line));
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(OnDisk("VELM-042.DAT"), before);
    EXPECT_TRUE(scheme.saved);
}

TEST_F(SchemeFilesTest, MissingFilesReadNothingSilentlyAndPipesDoNotHang) {
    // A scheme file without its points file: nothing read, and no failure either.
    WriteSample("VELM-003.DAT");
    fs::remove(folder.File("PUNT-003.DAT"));
    Scheme empty;
    empty.saved = false;
    BrokenLine line;
    EXPECT_TRUE(files.LoadSchemeFiles("VELM-003.DAT", empty, line));
    EXPECT_EQ(Stored(empty), Stored(Scheme{}));
    EXPECT_FALSE(empty.saved);
    EXPECT_TRUE(messages.shown.empty());
    // Pipes in place of the startup pair fail the open rather than hang.
    ASSERT_EQ(::mkfifo(folder.File("VELMAR.DAT").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(folder.File("PUNTI.DAT").c_str(), 0600), 0);
    EXPECT_FALSE(files.LoadSchemeFiles("AVVIO", empty, line));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].header, "Errore nel'apertura del file.");
}

// The bytes `patch` written at `at` in the scheme (file 0) or points (file 1) file.
using Change = std::function<void(Bytes& scheme, Bytes& points)>;
Change Put(int file, std::size_t at, Bytes patch) {
    return [=](Bytes& s, Bytes& p) { std::copy(patch.begin(), patch.end(), &(file ? p : s)[at]); };
}

TEST_F(SchemeFilesTest, DamagedPairIsRefusedAndSchemeUntouched) {
    using F = RecordFault;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto value = [](int g, int c) { return 72 + 8 * (6 * g + c); };
    const auto state = [](int g, int c) { return 264 + 6 * g + c; };
    const auto point = [](int i) { return 48 + 16 * i; };
    const struct {
        const char* name;
        Change apply;
        RecordFault fault;  // Ok: the pair still loads
    } rows[] = {
        {"description length 65", Put(0, 0, {65}), F::DescriptionLength},
        {"description length 64", Put(0, 0, {64}), F::Ok},
        {"NaN value", Put(0, value(0, 0), LE(nan)), F::ValueNotFinite},
        {"state 2", Put(0, state(0, 0), {2}), F::BadState},
        {"point count byte 255", Put(0, state(2, 5), {255}), F::Ok},
        {"method 5", Put(0, value(1, 5), LE(5)), F::BadMethod},
        {"method 4.9", Put(0, value(1, 5), LE(4.9)), F::Ok},
        {"method 9 while empty",
         [&](Bytes& s, Bytes& p) {
             Put(0, value(1, 5), LE(9))(s, p);
             Put(0, state(1, 5), {0})(s, p);
         },
         F::Ok},
        {"marker in unused slot 0", Put(0, 288 + 0, {1}), F::BadMarker},
        {"marker slot 20 rule 12", Put(0, 288 + 20, {12}), F::BadMarker},
        // Rule 3 owns both zone-time slots; the other slots take their own rules only.
        {"marker slot 2 rule 3", Put(0, 288 + 2, {3}), F::Ok},
        {"marker slot 32 rule 3", Put(0, 288 + 32, {3}), F::Ok},
        {"marker slot 3 rule 3", Put(0, 288 + 3, {3}), F::BadMarker},
        {"marker slot 3 rule 10", Put(0, 288 + 3, {10}), F::Ok},
        {"marker slot 21 rule 4", Put(0, 288 + 21, {4}), F::BadMarker},
        {"N 69", Put(1, 0, {69}), F::Ok},
        {"N 70", Put(1, 0, {70}), F::PointCount},
        {"vertex index 67", Put(1, 1, {67}), F::Ok},
        {"vertex index 68", Put(1, 1, {68}), F::VertexIndex},
        {"NaN DmP", Put(1, 8 + 16, LE(nan)), F::ParameterNotFinite},
        {"NaN arrival longitude", Put(1, point(6) + 8, LE(nan)), F::PointNotFinite},
        {"NaN after the arrival", Put(1, point(7), LE(nan)), F::Ok},
        {"short scheme file", [](Bytes& s, Bytes&) { s.pop_back(); }, F::ShortFile},
        {"empty points file", [](Bytes&, Bytes& p) { p.clear(); }, F::ShortFile},
        {"longer files",
         [](Bytes& s, Bytes& p) {
             s.resize(400, 0xFF);
             p.resize(2000, 0xFF);
         },
         F::Ok},
    };
    const auto [schemeBytes, pointsBytes] = WriteSample("VELM-005.DAT");
    Scheme sentinel;
    sentinel.SetCell(cells::DepLat, kStateEmpty, 12.5);
    sentinel.saved = false;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Bytes scheme = schemeBytes, points = pointsBytes;
        row.apply(scheme, points);
        WriteBytes(folder.File("VELM-005.DAT"), scheme);
        WriteBytes(folder.File("PUNT-005.DAT"), points);
        messages.shown.clear();
        Scheme live = sentinel;
        BrokenLine line;
        EXPECT_EQ(files.LoadSchemeFiles("VELM-005.DAT", live, line), row.fault == F::Ok);
        if (row.fault == F::Ok) {
            EXPECT_TRUE(messages.shown.empty());
            continue;
        }
        EXPECT_EQ(Stored(live), Stored(sentinel));
        EXPECT_EQ(Stored(line), Stored(BrokenLine{}));
        EXPECT_FALSE(live.saved);
        ASSERT_EQ(messages.shown.size(), 1u);
        const Message& shown = messages.shown[0];
        EXPECT_EQ(shown.header + "|" + shown.message, "Errore nella chiusura del file.|Apri");
        EXPECT_NE(shown.note.find(RecordFaultText(row.fault)), std::string::npos);
    }
}

TEST_F(SchemeFilesTest, DescriptionIsCutTo64BytesAndKeepsStaleBytes) {
    files.SetDescription(std::string(70, 'x'));
    EXPECT_EQ(files.Description(), std::string(64, 'x'));
    EXPECT_EQ(files.SchemeRecord().bytes[0], 64);
    files.SetDescription("Rotta per Malta");
    EXPECT_EQ(files.Description(), "Rotta per Malta");
    EXPECT_EQ(files.SchemeRecord().bytes[0], 15);
    EXPECT_EQ(files.SchemeRecord().bytes[1 + 15], 'x');  // left from the longer one
    // 63 letters and two accented ones: the cut falls between characters.
    files.SetDescription(std::string(63, 'a') + "\xC3\xA8\xE2\x82\xAC");
    EXPECT_EQ(files.Description(), std::string(63, 'a') + "\xC3\xA8");
    EXPECT_EQ(files.SchemeRecord().bytes[64], 0xE8);
}

// A save that fails keeps the readable pair on disk and leaves no temporary.
// It once named the scheme file whatever failed; a points record the program
// would refuse, or a points file that cannot be written, must be named as
// such (and a failed write names the file, not its temporary).
TEST_F(SchemeFilesTest, FailedSaveKeepsOldPairAndNamesTheFileThatFailed) {
    const auto old = WriteSample("VELM-009.DAT");
    const struct {
        const char* what;
        std::function<void(Scheme&, BrokenLine&)> spoil;
        const char* blockedTemporary;  // a folder in the temporary's place, or none
        const char* header;
        const char* file;
    } rows[] = {
        // A pair the program could not read back must not replace a readable one.
        {"scheme record refused",
         [](Scheme& scheme, BrokenLine&) { scheme.values[2][1] = std::nan(""); }, nullptr,
         "Errore nella chiusura del file.", "VELM-009.DAT"},
        {"points record refused", [](Scheme&, BrokenLine& line) { line.n = 70; }, nullptr,
         "Errore nella chiusura del file.", "PUNT-009.DAT"},
        // A folder (not empty) where the temporary would go: the write cannot
        // open it, even as root.
        {"scheme file not written", [](Scheme&, BrokenLine&) {}, "VELM-009.DAT.tmp",
         "Errore nel'apertura del file.", "VELM-009.DAT"},
        {"points file not written", [](Scheme&, BrokenLine&) {}, "PUNT-009.DAT.tmp",
         "Errore nel'apertura del file.", "PUNT-009.DAT"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        messages.shown.clear();
        Scheme scheme = SampleScheme();
        scheme.saved = false;
        BrokenLine line = SampleLine();
        row.spoil(scheme, line);
        if (row.blockedTemporary) {
            fs::create_directory(folder.File(row.blockedTemporary));
            WriteBytes(folder.File(row.blockedTemporary) + "/keep", std::string("x"));
        }
        EXPECT_FALSE(files.SaveSchemeFiles("VELM-009.DAT", SaveMode::Plain, scheme, line));
        if (row.blockedTemporary) fs::remove_all(folder.File(row.blockedTemporary));
        EXPECT_FALSE(scheme.saved);
        EXPECT_EQ(OnDisk("VELM-009.DAT"), old);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 2);
        ASSERT_EQ(messages.shown.size(), 1u);
        const Message& shown = messages.shown[0];
        EXPECT_EQ(shown.header, row.header);
        // The file's name alone, or followed by the record's fault on the next line.
        const std::string named = shown.note.substr(0, shown.note.find('\r'));
        EXPECT_EQ(named, folder.File(row.file));
    }
    // PUNT-007.DAT would pair with itself: the points record would overwrite the scheme record.
    Scheme scheme = SampleScheme();
    for (const char* key : {"PUNT-007.DAT", "../VELM-001.DAT", "", "sub/VELM-001.DAT"}) {
        SCOPED_TRACE(key);
        messages.shown.clear();
        EXPECT_FALSE(files.SaveSchemeFiles(key, SaveMode::Plain, scheme, BrokenLine{}));
        EXPECT_EQ(messages.shown.size(), 1u);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 2);
}

TEST_F(SchemeFilesTest, InterruptedSaveIsRolledBackOrFinished) {
    WriteSample("VELM-002.DAT");
    Scheme changed = SampleScheme();
    changed.SetCell(cells::DepLat, changed.State(cells::DepLat), -45);
    BrokenLine changedLine = SampleLine();
    changedLine.totalDistance = 999;

    // Crash before the first rename: both temporaries lie about, the old pair is read.
    WriteBytes(folder.File("VELM-002.DAT.tmp"), Stored(changed));
    WriteBytes(folder.File("PUNT-002.DAT.tmp"), std::string("abc"));
    Scheme scheme;
    BrokenLine line;
    ASSERT_TRUE(files.LoadSchemeFiles("VELM-002.DAT", scheme, line));
    EXPECT_EQ(Stored(scheme), Stored(SampleScheme()));
    EXPECT_FALSE(fs::exists(folder.File("VELM-002.DAT.tmp")));
    EXPECT_FALSE(fs::exists(folder.File("PUNT-002.DAT.tmp")));

    // Crash between the renames: the new scheme file is in place, its points file is finished.
    WriteBytes(folder.File("VELM-002.DAT"), Stored(changed));
    WriteBytes(folder.File("PUNT-002.DAT.tmp"), Stored(changedLine));
    ASSERT_TRUE(files.LoadSchemeFiles("VELM-002.DAT", scheme, line));
    EXPECT_EQ(Stored(scheme), Stored(changed));
    EXPECT_EQ(Stored(line), Stored(changedLine));
    EXPECT_FALSE(fs::exists(folder.File("PUNT-002.DAT.tmp")));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace velmar
