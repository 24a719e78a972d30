#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "chart/WorldMap.h"
#include "tests/TestFiles.h"

namespace velmar {
namespace {

using Polyline = std::vector<ChartPoint>;

TEST(ParseWorldMap, Records) {
    const Polyline square = {{0, 0}, {10, 0}, {10, 10}};
    const Polyline unit = {{0, 0}, {1, 1}};
    const struct {
        const char* name;
        std::string text;
        std::vector<Polyline> lines;
        bool readError;
    } cases[] = {
        {"line breaks do not matter", "-1\n0\n0 0 10\r\n0\t0 10\n10 1\n0\n0\n", {square}, false},
        {"no end record", "-1 0 0 0 10 0 0 10 10", {square}, false},
        {"stops at the first code 1", "-1 0 0 0 1 1 1 0 0 -1 5 5 0 6 6", {unit}, false},
        {"end record needs no coordinates", "-1 0 0 0 1 1 1", {unit}, false},
        {"other codes are skipped", "-1 0 0 2 99 99 0 10 0 -7 1 1 0 10 10", {square}, false},
        {"-1 starts a polyline", "-1 0 0 0 1 1 -1 5 5 0 6 6", {unit, {{5, 5}, {6, 6}}}, false},
        {"a lone point draws nothing", "-1 3 3 -1 0 0 0 1 1", {unit}, false},
        {"a leading 0 starts a polyline", "0 4 4 0 5 5", {{{4, 4}, {5, 5}}}, false},
        {"signs, leading zeros and 32-bit bounds",
         "-1 -0000000000002147483648 2147483647 0 +3 -0",
         {{{-2147483647 - 1, 2147483647}, {3, 0}}},
         false},
        {"Ctrl-Z ends the text", "-1 0 0 0 1 1\x1a garbage", {unit}, false},
        {"number beyond 32 bits", "-1 0 0 0 2147483648 0", {}, true},
        {"huge number", "-1 0 0 0 1 1 0 99999999999999999999999999 0", {unit}, true},
        {"sign without digits", "-1 0 0 0 - 5", {}, true},
        {"digits then letters", "-1 0 0 0 1 1 0 12abc 2", {unit}, true},
        {"truncated after the code", "-1 0 0 0 1 1 0", {unit}, true},
        {"truncated after x", "-1 0 0 0 1 1 0 5", {unit}, true},  // a copy stopped short
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const WorldMap map = ParseWorldMap(c.text);
        EXPECT_EQ(map.readError, c.readError);
        std::vector<Polyline> got;
        for (const MapPolyline& l : map.polylines)
            got.emplace_back(map.points.begin() + l.first, map.points.begin() + l.first + l.count);
        EXPECT_EQ(got, c.lines);
    }
}

// Every polyline has two points or more and a tight bounding box.
TEST(ParseWorldMap, RandomTextNeverBreaksTheMap) {
    const unsigned seed = 424242;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const std::string alphabet = "-+0123456789   \n\r\t1-0x.\x1a";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 400);
    for (int round = 0; round < 2000; ++round) {
        std::string text(static_cast<std::size_t>(length(rng)), ' ');
        for (char& ch : text) ch = alphabet[pick(rng)];
        const WorldMap map = ParseWorldMap(text);
        std::uint32_t next = 0;
        for (const MapPolyline& l : map.polylines) {
            ASSERT_EQ(l.first, next) << text;
            ASSERT_GE(l.count, 2u);
            next = l.first + l.count;
            ASSERT_LE(next, map.points.size());
            std::vector<int> xs, ys;
            for (std::uint32_t i = l.first; i < next; ++i) {
                xs.push_back(map.points[i].x);
                ys.push_back(map.points[i].y);
            }
            const auto [x0, x1] = std::ranges::minmax(xs);
            const auto [y0, y1] = std::ranges::minmax(ys);
            ASSERT_EQ((std::array{l.minX, l.maxX, l.minY, l.maxY}), (std::array{x0, x1, y0, y1}))
                << text;
        }
        ASSERT_EQ(next, map.points.size()) << text;
    }
}

class WorldMapFiles : public ::testing::Test, public MessageSink {
  protected:
    int MsgBox(const Message& m) override {
        messages_.push_back(m);
        return kMsgOk;
    }
    std::filesystem::path Write(const char* name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    test::TempFolder folder_;
    const std::filesystem::path dir_ = folder_.Path();
    std::vector<Message> messages_;
    WorldMapCache cache_;
};

TEST_F(WorldMapFiles, AntimeridianChartNeedsItsOwnFile) {
    Write("MONDOGW.MAP", "-1 0 0 0 1 1");  // the Greenwich file does not stand in
    const auto path = MapFilePath(dir_, CentralMeridian::kAntimeridian);
    EXPECT_EQ(path, dir_ / "MONDOAG.MAP");
    EXPECT_EQ(cache_.Load(path, *this), nullptr);
    EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(WorldMapFiles, CacheRereadsOnlyWhenTheFileChanges) {
    const auto path = Write("MONDOGW.MAP", "-1 0 0 0 1 1\n");
    ASSERT_NE(cache_.Load(path, *this), nullptr);
    ASSERT_NE(cache_.Load(path, *this), nullptr);
    EXPECT_EQ(cache_.Reads(), 1);
    EXPECT_TRUE(messages_.empty());
    // Damaged: what came before the damage, and the read message.
    Write("MONDOGW.MAP", "-1 0 0 0 1 1 0 2 2 -1 7 7 0 8 8 -1 5 5 0 6 six");
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) + std::chrono::seconds(2));
    const WorldMap* map = cache_.Load(path, *this);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->polylines.size(), 2u);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].header, path.string());
    EXPECT_EQ(messages_[0].message, "Errore nella lettura del file.");
    // Every drawing meets the damage again, from the cache.
    EXPECT_NE(cache_.Load(path, *this), nullptr);
    EXPECT_EQ(messages_.size(), 2u);
    EXPECT_EQ(cache_.Reads(), 2);
    // Removed: reported, and nothing stale is drawn.
    std::filesystem::remove(path);
    EXPECT_EQ(cache_.Load(path, *this), nullptr);
    EXPECT_EQ(messages_.size(), 3u);
}

TEST_F(WorldMapFiles, ReadStatuses) {
    WorldMap map;
    EXPECT_EQ(ReadWorldMap(dir_ / "missing.map", map), MapLoadStatus::kNotFound);
    std::filesystem::create_directories(dir_ / "folder.map");
    EXPECT_EQ(ReadWorldMap(dir_ / "folder.map", map), MapLoadStatus::kCannotOpen);
    EXPECT_EQ(cache_.Load(dir_ / "folder.map", *this), nullptr);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].message, "Impossibile aprire il file.");
    EXPECT_EQ(ReadWorldMap(Write("empty.map", ""), map), MapLoadStatus::kOk);
    // A file too large to be a map is refused before it is read (sparse: nothing written).
    const auto huge = Write("huge.map", "-1 0 0 0 1 1\n");
    std::filesystem::resize_file(huge, static_cast<std::uintmax_t>(kMaxMapFileBytes) + 1);
    EXPECT_EQ(ReadWorldMap(huge, map), MapLoadStatus::kReadError);
    EXPECT_TRUE(map.polylines.empty());
}

// Regression: a device error while reading a file that opened was reported
// as a file that could not be opened, or (when the file gave its size as 0)
// not at all. /proc/self/mem opens as a regular file of size 0 whose first
// byte cannot be read.
TEST_F(WorldMapFiles, DeviceErrorAfterOpeningIsAReadError) {
    const std::filesystem::path mem = "/proc/self/mem";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(mem, ec) || !std::ifstream(mem)) {
        GTEST_SKIP() << "no /proc/self/mem to stand for a failing device";
    }
    WorldMap map = ParseWorldMap("-1 0 0 0 1 1");
    EXPECT_EQ(ReadWorldMap(mem, map), MapLoadStatus::kReadError);
    EXPECT_TRUE(map.polylines.empty()) << "nothing stale is left to draw";
    const WorldMap* loaded = cache_.Load(mem, *this);
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->polylines.empty());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].header, mem.string());
    EXPECT_EQ(messages_[0].message, "Errore nella lettura del file.");
    // A device may recover: the next drawing tries it again.
    EXPECT_NE(cache_.Load(mem, *this), nullptr);
    EXPECT_EQ(cache_.Reads(), 2);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
int OpenFileCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

// Reads `path` three times with too little memory for its text, then ends
// the process: 0 when every read was a read error and no file stayed open.
[[noreturn]] void ReadWithLittleMemory(const std::filesystem::path& path) {
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(pages) * 4096 + 64u * 1024 * 1024;
    if (setrlimit(RLIMIT_AS, &limit) != 0) std::exit(0);
    const int before = OpenFileCount();
    WorldMap map;
    for (int i = 0; i < 3; ++i) {
        if (ReadWorldMap(path, map) != MapLoadStatus::kReadError) std::exit(2);
    }
    std::exit(OpenFileCount() == before ? 0 : 1);
}

// Regression: when the memory for a large file could not be had, the file
// stayed open; every further attempt lost another descriptor.
TEST_F(WorldMapFiles, FileIsClosedWhenItsTextFindsNoMemory) {
    if (!std::filesystem::exists("/proc/self/fd")) GTEST_SKIP() << "no /proc/self/fd";
    const auto big = Write("MONDOGW.MAP", "-1 0 0 0 1 1\n");
    std::filesystem::resize_file(big, 200u * 1024 * 1024);  // sparse: nothing written
    EXPECT_EXIT(ReadWithLittleMemory(big), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace velmar
