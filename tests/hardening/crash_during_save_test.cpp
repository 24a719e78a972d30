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
#include <cstdio>
#include <random>
#include <thread>

#include "store/DurableFile.h"
#include "tests/store/StoreTestSupport.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;
using test::ScriptedMessages;
using test::Stored;

constexpr char kKey[] = "VELM-005.DAT";
constexpr std::uint32_t kSeed = 20261206;
constexpr int kRounds = 40;

// kRounds times: runs `step` over and over in a child process, kills the child
// with SIGKILL a random delay below `maxMicros` after its first step, then
// runs `check`.
template <typename Step, typename Check>
void KillRounds(std::uint32_t seed, unsigned maxMicros, Step step, Check check) {
    std::mt19937 random(seed);
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        for (bool first = true; child == 0; first = false) {
            step();
            if (first) (void)!::write(ready[1], "x", 1);
        }
        ASSERT_GT(child, 0);
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);  // the child has run one step
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % maxMicros));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        ASSERT_NO_FATAL_FAILURE(check());
    }
}

class CrashDuringSave : public ::testing::Test {
  protected:
    // Two saves' worth of scheme and broken line, told apart in every file (a
    // position in the scheme file, the point count, points and total in the
    // points file); the first is on disk when a test starts.
    void SetUp() override {
        for (int which = 0; which < 2; ++which) {
            schemes_[which].SetCell(cells::ArrLat, kStateEntered, which == 0 ? 40.7 : -33.9);
            BrokenLine& line = lines_[which];
            line.n = static_cast<std::uint8_t>(2 + 3 * which);
            line.totalDistance = 3700 + 1500 * which;
            for (int i = 0; i <= line.n; ++i) {
                line.points[i] = {44.4 - i * (1.0 + 14 * which), 8.93 - i * 10.0};
            }
        }
        ASSERT_TRUE(Save(0));
    }

    bool Save(int which) {
        return files_.SaveSchemeFiles(kKey, SaveMode::Plain, schemes_[which], lines_[which]);
    }

    // Reads the pair as the program would at its next start; it must be one
    // of the two saves (0 or 1; -1 for neither, or for the scheme of one beside
    // the line of the other), whole, with no temporary left beside it.
    int ReadBack() {
        ScriptedMessages messages;
        Scheme scheme;
        BrokenLine line;
        EXPECT_EQ(SchemeFiles(folder_.Path(), messages).Load(kKey, scheme, line),
                  PairOutcome::Transferred);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(fs::file_size(paths_.schemeFile), kSchemeFileRecordSize);
        EXPECT_EQ(fs::file_size(paths_.pointsFile), kPointsFileRecordSize);
        EXPECT_FALSE(fs::exists(TemporaryPathFor(paths_.schemeFile)));
        EXPECT_FALSE(fs::exists(TemporaryPathFor(paths_.pointsFile)));
        for (int which = 0; which < 2; ++which) {
            if (Stored(scheme) == Stored(schemes_[which]) &&
                Stored(line) == Stored(lines_[which])) {
                return which;
            }
        }
        return -1;
    }

    test::TempFolder folder_;
    const PairPaths paths_ = SchemePairPaths(folder_.Path(), kKey);
    ScriptedMessages quiet_;
    SchemeFiles files_{folder_.Path(), quiet_};
    Scheme schemes_[2];
    BrokenLine lines_[2];
};

TEST_F(CrashDuringSave, KilledAtRandomMomentsLeavesOldOrNewPairWhole) {
    RecordProperty("seed", static_cast<int>(kSeed));
    std::printf("crash-during-save seed %u, %d rounds\n", kSeed, kRounds);
    std::uint64_t n = 0;  // each child saves the second pair first, then alternates
    int seen[3] = {};     // the first save, the second, killed between the renames
    KillRounds(
        kSeed, 20000, [&] { Save(++n % 2); },
        [&] {
            // Killed after the scheme file's rename and before the points
            // file's: the next read finishes the save.
            seen[2] += !fs::exists(TemporaryPathFor(paths_.schemeFile)) &&
                       fs::exists(TemporaryPathFor(paths_.pointsFile));
            const int which = ReadBack();
            ASSERT_NE(which, -1) << "the pair on disk is neither save";
            ++seen[which];
        });
    std::printf("read back: first save %d, second save %d; killed between the renames %d\n",
                seen[0], seen[1], seen[2]);
}

// A save killed before its first rename leaves both temporaries; the next
// read drops them. Killed again while dropping them, it must not leave the
// points temporary alone: alone, it means "the scheme file is in place, only
// the points file's rename is missing", and the read after would put the
// new points file beside the old scheme file.
TEST_F(CrashDuringSave, LonePointsTemporaryOfAnAbandonedSaveIsNeverTakenAsTheNewPair) {
    KillRounds(
        kSeed + 1, 5000,
        [&] {
            // The state a save killed before its first rename leaves, then a read.
            test::WriteBytes(TemporaryPathFor(paths_.schemeFile), Stored(schemes_[1]));
            test::WriteBytes(TemporaryPathFor(paths_.pointsFile), Stored(lines_[1]));
            Scheme scheme;
            BrokenLine line;
            files_.Load(kKey, scheme, line);
        },
        // The save never reached its first rename: the old pair it is.
        [&] { ASSERT_EQ(ReadBack(), 0); });
}

// A write that fails half way (as on a full disk: the file size limit makes
// write() fail with EFBIG once the limit is reached) fails the save with a
// message naming the file it stopped in, and leaves the old pair, whichever
// of the two files that is.
TEST_F(CrashDuringSave, WriteFailingHalfWayKeepsOldPair) {
    // 0: not even the scheme file; 500: the scheme file but not the points file.
    const struct {
        rlim_t limit;
        const std::string& failed;
    } rows[] = {{0, paths_.schemeFile}, {500, paths_.pointsFile}};
    for (const auto& [limit, failed] : rows) {
        SCOPED_TRACE("file size limit " + std::to_string(limit));
        const pid_t child = ::fork();
        if (child == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{limit, limit};
            if (::setrlimit(RLIMIT_FSIZE, &size) != 0) ::_exit(3);
            const bool saved = Save(1);
            const auto& shown = quiet_.shown;  // one message, the save's own
            if (saved || shown.size() != 1) ::_exit(1);
            if (shown[0].title != "Velmar3: Archivio" || shown[0].message != "Salva") ::_exit(1);
            ::_exit(shown[0].note == failed ? 0 : 2);
        }
        ASSERT_GT(child, 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_NE(WEXITSTATUS(status), 1) << "the save did not fail with its message";
        EXPECT_NE(WEXITSTATUS(status), 2) << "the message does not name " << failed;
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(ReadBack(), 0);
    }
    // With room again the same save goes through.
    ASSERT_TRUE(Save(1));
    EXPECT_EQ(ReadBack(), 1);
}

}  // namespace
}  // namespace velmar
