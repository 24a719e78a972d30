// A save of a scheme pair killed at any moment, or failing for want of disk
// space, leaves on disk either the pair as it was or the pair as saved, each
// file whole, and the program reads it. The killed saves run in a child
// process stopped with SIGKILL after a random delay (fixed, logged seed);
// the failing ones in a child whose file size limit stops a write half way.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "brokenline/BrokenLine.h"
#include "scheme/Solver.h"
#include "store/DurableFile.h"
#include "store/SchemeFiles.h"
#include "tests/store/StoreTestSupport.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScriptedMessages;
using test::TempFolder;

constexpr char kKey[] = "VELM-005.DAT";
constexpr std::uint32_t kSeed = 20261206;
constexpr int kRounds = 40;

// One save's worth of scheme and broken line; `which` tells the two apart in
// every file (a position in the scheme file, the point count and total in
// the points file).
struct Saved {
    Scheme scheme;
    BrokenLine line;
};

Saved MakeSaved(int which) {
    Saved saved;
    ScriptedMessages messages;
    SchemeSolver solver(saved.scheme, messages);
    saved.scheme.SetCell(kDeparture, 0, kStateEntered, 44.4);
    saved.scheme.SetCell(kDeparture, 1, kStateEntered, 8.93);
    saved.scheme.SetCell(kArrival, 0, kStateEntered, which == 0 ? 40.7 : -33.9);
    saved.scheme.SetCell(kArrival, 1, kStateEntered, which == 0 ? -74.0 : 18.4);
    EXPECT_TRUE(solver.SolveToFixpoint());
    saved.line.n = static_cast<std::uint8_t>(which == 0 ? 2 : 5);
    saved.line.totalDistance = which == 0 ? 3700 : 5200;
    for (int i = 0; i <= saved.line.n; ++i) {
        saved.line.points[i] = {44.4 - i * (which == 0 ? 1.0 : 15.0), 8.93 - i * 10.0};
    }
    return saved;
}

std::vector<std::uint8_t> SchemeBytes(const Scheme& scheme) {
    SchemeFileRecord record;
    EncodeScheme(scheme, record);
    return {record.bytes.begin() + 72, record.bytes.begin() + 322};  // values, states, markers
}

std::vector<std::uint8_t> LineBytes(const BrokenLine& line) {
    PointsFileRecord record;
    EncodeLine(line, record);
    return {record.bytes.begin(), record.bytes.end()};
}

// Which of the two saves a loaded scheme and line are: 0, 1, or -1 for
// neither or for a scheme of one beside the line of the other.
int WhichPair(const Scheme& scheme, const BrokenLine& line, const Saved saves[2]) {
    for (int which = 0; which < 2; ++which) {
        PointsFileRecord loaded, expected;
        EncodeLine(line, loaded);
        EncodeLine(saves[which].line, expected);
        if (SchemeBytes(scheme) == SchemeBytes(saves[which].scheme) &&
            loaded.bytes == expected.bytes) {
            return which;
        }
    }
    return -1;
}

// Forks a child that runs `work` and never returns into the test.
template <typename Work>
pid_t Fork(Work work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        work();
        ::_exit(0);
    }
    return pid;
}

class CrashDuringSave : public ::testing::Test {
  protected:
    void SetUp() override {
        saves_[0] = MakeSaved(0);
        saves_[1] = MakeSaved(1);
        ASSERT_NE(SchemeBytes(saves_[0].scheme), SchemeBytes(saves_[1].scheme));
        ASSERT_NE(LineBytes(saves_[0].line), LineBytes(saves_[1].line));
        SchemeFiles files(folder_.Path(), messages_);
        ASSERT_TRUE(files.SaveSchemeFiles(kKey, SaveMode::Plain, saves_[0].scheme, saves_[0].line));
    }

    // Reads the pair as the program would at its next start; it must be one
    // of the two saves, whole, with no temporary left beside it.
    int ReadBack() {
        SchemeFiles files(folder_.Path(), messages_);
        Scheme scheme;
        BrokenLine line;
        EXPECT_EQ(files.Load(kKey, scheme, line), PairOutcome::Transferred);
        EXPECT_TRUE(messages_.shown.empty());
        const PairPaths paths = SchemePairPaths(folder_.Path(), kKey);
        EXPECT_EQ(fs::file_size(paths.schemeFile), kSchemeFileRecordSize);
        EXPECT_EQ(fs::file_size(paths.pointsFile), kPointsFileRecordSize);
        EXPECT_FALSE(fs::exists(TemporaryPathFor(paths.schemeFile)));
        EXPECT_FALSE(fs::exists(TemporaryPathFor(paths.pointsFile)));
        return WhichPair(scheme, line, saves_);
    }

    TempFolder folder_;
    ScriptedMessages messages_;
    Saved saves_[2];
};

TEST_F(CrashDuringSave, KilledAtRandomMomentsLeavesOldOrNewPairWhole) {
    std::mt19937 random(kSeed);
    RecordProperty("seed", static_cast<int>(kSeed));
    std::printf("crash-during-save seed %u, %d rounds\n", kSeed, kRounds);
    const PairPaths paths = SchemePairPaths(folder_.Path(), kKey);
    int seen[2] = {0, 0};
    int betweenRenames = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = Fork([&] {
            ::close(ready[0]);
            ScriptedMessages quiet;
            SchemeFiles files(folder_.Path(), quiet);
            for (std::uint64_t n = 1;; ++n) {
                Saved& next = saves_[n % 2];
                files.SaveSchemeFiles(kKey, SaveMode::Plain, next.scheme, next.line);
                if (n == 1) {
                    const char byte = 1;
                    (void)!::write(ready[1], &byte, 1);
                }
            }
        });
        ASSERT_GT(child, 0);
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);  // the child has saved once
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        // Killed after the scheme file's rename and before the points
        // file's: the next read finishes the save.
        betweenRenames += !fs::exists(TemporaryPathFor(paths.schemeFile)) &&
                          fs::exists(TemporaryPathFor(paths.pointsFile));
        const int which = ReadBack();
        ASSERT_NE(which, -1) << "the pair on disk is neither save";
        ++seen[which];
    }
    std::printf("read back: first save %d, second save %d; killed between the renames %d\n",
                seen[0], seen[1], betweenRenames);
}

// A save killed before its first rename leaves both temporaries; the next
// read drops them. Killed again while dropping them, it must not leave the
// points temporary alone: alone, it means "the scheme file is in place, only
// the points file's rename is missing", and the read after would put the
// new points file beside the old scheme file.
TEST_F(CrashDuringSave, LonePointsTemporaryOfAnAbandonedSaveIsNeverTakenAsTheNewPair) {
    std::mt19937 random(kSeed + 1);
    const PairPaths paths = SchemePairPaths(folder_.Path(), kKey);
    SchemeFileRecord newScheme;
    PointsFileRecord newPoints;
    EncodeScheme(saves_[1].scheme, newScheme);
    EncodeLine(saves_[1].line, newPoints);
    const std::vector<std::uint8_t> schemeBytes(newScheme.bytes.begin(), newScheme.bytes.end());
    const std::vector<std::uint8_t> pointsBytes(newPoints.bytes.begin(), newPoints.bytes.end());
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = Fork([&] {
            ::close(ready[0]);
            ScriptedMessages quiet;
            SchemeFiles files(folder_.Path(), quiet);
            for (std::uint64_t n = 1;; ++n) {
                // The state a save killed before its first rename leaves, then a read.
                test::WriteBytes(TemporaryPathFor(paths.schemeFile), schemeBytes);
                test::WriteBytes(TemporaryPathFor(paths.pointsFile), pointsBytes);
                Scheme scheme;
                BrokenLine line;
                files.Load(kKey, scheme, line);
                if (n == 1) {
                    const char byte = 1;
                    (void)!::write(ready[1], &byte, 1);
                }
            }
        });
        ASSERT_GT(child, 0);
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 5000));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        // The save never reached its first rename: the old pair it is.
        ASSERT_EQ(ReadBack(), 0);
    }
}

// A write that fails half way (as on a full disk: the file size limit makes
// write() fail with EFBIG once the limit is reached) fails the save with a
// message and leaves the old pair, whichever of the two files it stopped in.
TEST_F(CrashDuringSave, WriteFailingHalfWayKeepsOldPair) {
    // 0: not even the scheme file; 500: the scheme file but not the points file.
    for (const rlim_t limit : {rlim_t{0}, rlim_t{500}}) {
        SCOPED_TRACE("file size limit " + std::to_string(limit));
        const pid_t child = Fork([&] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{limit, limit};
            if (::setrlimit(RLIMIT_FSIZE, &size) != 0) ::_exit(3);
            ScriptedMessages quiet;
            SchemeFiles files(folder_.Path(), quiet);
            const bool saved =
                files.SaveSchemeFiles(kKey, SaveMode::Plain, saves_[1].scheme, saves_[1].line);
            const bool told = quiet.shown.size() == 1 &&
                              quiet.shown[0].title == "Velmar3: Archivio" &&
                              quiet.shown[0].message == "Salva";
            ::_exit(!saved && told ? 0 : 1);
        });
        ASSERT_GT(child, 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the save did not fail with its message";
        EXPECT_EQ(ReadBack(), 0);
    }
    // With room again the same save goes through.
    SchemeFiles files(folder_.Path(), messages_);
    ASSERT_TRUE(files.SaveSchemeFiles(kKey, SaveMode::Plain, saves_[1].scheme, saves_[1].line));
    EXPECT_EQ(ReadBack(), 1);
}

}  // namespace
}  // namespace velmar
