// velmar-cli chart run as a process: the picture's file and size, the map
// read from --dir or the bundled data, the refusals, and standard error
// kept free of the toolkit's notice about XDG_RUNTIME_DIR.

#include <cstdint>

#include "tests/cli/CliProcess.h"

namespace {

using namespace velmar::cli::test;

class ChartProcess : public CliProcess {};

const std::vector<std::string> kAtlantic = {"dep.lat=10", "dep.lon=0", "arr.lat=30", "arr.lon=40"};

std::vector<std::string> Chart(std::vector<std::string> options,
                               const std::vector<std::string>& entries = kAtlantic) {
    options.insert(options.begin(), "chart");
    options.insert(options.end(), entries.begin(), entries.end());
    return options;
}

struct PngSize {
    bool valid = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The PNG signature, then the IHDR chunk, whose data opens with the width
// and the height as big-endian 32-bit numbers.
PngSize ReadPngSize(const std::string& bytes) {
    PngSize size;
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
        bytes.compare(12, 4, "IHDR") != 0) {
        return size;
    }
    auto be32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    size.valid = true;
    size.width = be32(16);
    size.height = be32(20);
    return size;
}

TEST_F(ChartProcess, PngHasTheRequestedSize) {
    struct Case {
        std::vector<std::string> options;
        std::uint32_t width, height;
    };
    const Case cases[] = {
        {{"--size", "300x200"}, 300, 200},
        {{"--size=17X33", "--zoom", "400"}, 17, 33},
        {{}, 1920, 1080},  // a screen's size
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.width) + "x" + std::to_string(k.height));
        const fs::path png = dir / "chart.png";
        fs::remove(png);
        std::vector<std::string> options = k.options;
        options.insert(options.begin(), {"--png", png.string()});
        const ProcessResult run = Cli(Chart(options));
        ASSERT_EQ(run.status, 0) << run.err;
        const PngSize size = ReadPngSize(Slurp(png));
        ASSERT_TRUE(size.valid);
        EXPECT_EQ(size.width, k.width);
        EXPECT_EQ(size.height, k.height);
        EXPECT_NE(run.out.find(": " + std::to_string(k.width) + " x " + std::to_string(k.height)),
                  std::string::npos)
            << run.out;
    }
}

TEST_F(ChartProcess, MissingMapIsReportedAndThePictureStillWritten) {
    // The chart's central meridian picks the file: Greenwich for the
    // Atlantic, the antimeridian for a Pacific passage.
    struct Case {
        std::vector<std::string> entries;
        const char* file;
    };
    const Case cases[] = {
        {kAtlantic, "MONDOGW.MAP"},
        {{"dep.lat=30", "dep.lon=150", "arr.lat=30", "arr.lon=-120"}, "MONDOAG.MAP"},
    };
    const fs::path missing = dir / "no-maps";
    for (const Case& k : cases) {
        SCOPED_TRACE(k.file);
        const fs::path png = dir / "chart.png";
        fs::remove(png);
        const ProcessResult run = Cli(
            Chart({"--png", png.string(), "--size", "200x100", "--map", "--dir", missing.string()},
                  k.entries));
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("File non trovato\n  " + (missing / k.file).string()),
                  std::string::npos)
            << run.err;
        EXPECT_TRUE(ReadPngSize(Slurp(png)).valid);
    }
}

TEST_F(ChartProcess, BundledMapIsFoundWithoutDir) {
    const fs::path png = dir / "chart.png";
    const ProcessResult run = Cli(Chart({"--png", png.string(), "--size", "200x100", "--map"}));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("Carta: Mappa"), std::string::npos) << run.err;
    EXPECT_TRUE(ReadPngSize(Slurp(png)).valid);
}

TEST_F(ChartProcess, RefusalsExitWithTheirStatusAndWriteNothing) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* stderrText;
    };
    const std::string png = (dir / "chart.png").string();
    const Case cases[] = {
        {Chart({"--png", png, "--save", "AVVIO"}), 64, "chart does not write scheme pairs"},
        {Chart({"--png", png, "--json"}), 64, "--json is not one of its options"},
        {Chart({}), 64, "chart needs --png FILE"},
        {Chart({"--png", png, "--size", "15x100"}), 64, "--size '15x100'"},
        {Chart({"--png", png, "--size", "300"}), 64, "--size '300'"},
        {Chart({"--png", png, "--zoom", "99"}), 64, "--zoom '99'"},
        {Chart({"--png", png, "--center", "91,0"}), 64, "--center '91,0'"},
        {Chart({"--png", png, "--method", "3", "--nrpt", "2", "--dmp", "30"}), 64,
         "exclude each other"},
        {Chart({"--png", png}, {"dep.lat=10", "dep.lon=0"}), 2, "Niente da visualizzare."},
        {Chart({"--png", png, "--method", "3", "--nrpt", "999"}), 2, "--nrpt refused: "},
        {Chart({"--png", (dir / "missing" / "chart.png").string()}), 1, "cannot write"},
    };
    for (const Case& k : cases) {
        std::string all;
        for (const std::string& a : k.args) all += a + " ";
        SCOPED_TRACE(all);
        const ProcessResult run = Cli(InDir(k.args));
        EXPECT_EQ(run.status, k.status);
        EXPECT_NE(run.err.find(k.stderrText), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(png));
        EXPECT_FALSE(fs::exists(dir / "VELMAR.DAT"));
    }
}

TEST_F(ChartProcess, NoNoticeAboutAnUnsetRuntimeFolder) {
    const fs::path png = dir / "chart.png";
    const ProcessResult run =
        Cli(Chart({"--png", png.string(), "--size", "64x64"}), "env -u XDG_RUNTIME_DIR");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("XDG_RUNTIME_DIR"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("QStandardPaths"), std::string::npos) << run.err;
}

TEST_F(ChartProcess, HelpListsTheOptions) {
    const ProcessResult run = Cli({"chart", "--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* option : {"--png FILE", "--size WxH", "--map", "--no-graticule", "--method"})
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
}

}  // namespace
