// velmar-cli chart run as a process: the picture's file and size, the map
// read from --dir or the bundled data, the refusals, and standard error
// kept free of notices.

#include <QImageReader>

#include "tests/cli/CliProcess.h"

namespace {

using namespace velmar::cli::test;

class ChartProcess : public CliProcess {
  protected:
    fs::path png() const { return dir / "chart.png"; }
    /// "chart --png FILE", then `options`, then `entries`.
    std::vector<std::string> Chart(std::vector<std::string> options,
                                   const std::vector<std::string>& entries = kAtlantic) const {
        options.insert(options.begin(), {"chart", "--png", png().string()});
        options.insert(options.end(), entries.begin(), entries.end());
        return options;
    }
    /// Width and height of the PNG written; -1 x -1 when there is none.
    std::pair<int, int> PngSize() const {
        const QSize size = QImageReader(QString::fromStdString(png().string()), "png").size();
        return {size.width(), size.height()};
    }
    static inline const std::vector<std::string> kAtlantic = {"dep.lat=10", "dep.lon=0",
                                                              "arr.lat=30", "arr.lon=40"};
};

// Without XDG_RUNTIME_DIR the toolkit once wrote a notice about it: a
// successful run writes only the automatic choice's message (no arrival
// date) on standard error; the bundled map is found without complaint.
TEST_F(ChartProcess, PngHasTheRequestedSizeAndStandardErrorStaysEmpty) {
    struct Case {
        std::vector<std::string> options;
        int width, height;
    };
    const Case cases[] = {
        {{"--size", "300x200"}, 300, 200},
        {{"--size=17X33", "--zoom", "400"}, 17, 33},
        {{"--size", "200x100", "--map"}, 200, 100},  // the bundled map, without --dir
        {{}, 1920, 1080},                            // a screen's size
    };
    for (const Case& k : cases) {
        const std::string size = std::to_string(k.width) + " x " + std::to_string(k.height);
        SCOPED_TRACE(size);
        fs::remove(png());
        const ProcessResult run = Cli(Chart(k.options), "env -u XDG_RUNTIME_DIR");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err,
                  "Velmar: Automatico\n  Data di arrivo assente:\n"
                  "  Il metodo impostato non tiene conto della stagione.\n");
        EXPECT_EQ(PngSize(), std::make_pair(k.width, k.height));
        EXPECT_TRUE(Has(run.out, ": " + size)) << run.out;
    }
}

// The chart's central meridian picks the map file: Greenwich for the
// Atlantic, the antimeridian for a Pacific passage.
TEST_F(ChartProcess, MissingMapIsReportedAndThePictureStillWritten) {
    const fs::path missing = dir / "no-maps";
    for (const auto& [entries, file] :
         {std::pair{kAtlantic, "MONDOGW.MAP"},
          {{"dep.lat=30", "dep.lon=150", "arr.lat=30", "arr.lon=-120"}, "MONDOAG.MAP"}}) {
        SCOPED_TRACE(file);
        fs::remove(png());
        const ProcessResult run =
            Cli(Chart({"--size", "200x100", "--map", "--dir", missing.string()}, entries));
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(Has(run.err, "File non trovato\n  " + (missing / file).string())) << run.err;
        EXPECT_GT(PngSize().first, 0);
    }
}

TEST_F(ChartProcess, RefusalsExitWithTheirStatusAndWriteNothing) {
    const ExpectedRun cases[] = {
        {Chart({"--save", "AVVIO"}), 64, "chart does not write scheme pairs"},
        {Chart({"--json"}), 64, "--json is not one of its options"},
        {{"chart", "dep.lat=10"}, 64, "chart needs --png FILE"},
        {Chart({"--size", "15x100"}), 64, "--size '15x100'"},
        {Chart({"--size", "300"}), 64, "--size '300'"},
        {Chart({"--zoom", "99"}), 64, "--zoom '99'"},
        {Chart({"--center", "91,0"}), 64, "--center '91,0'"},
        {Chart({"--method", "3", "--nrpt", "2", "--dmp", "30"}), 64, "exclude each other"},
        {Chart({}, {"dep.lat=10", "dep.lon=0"}), 2, "Niente da visualizzare."},
        {Chart({"--method", "3", "--nrpt", "999"}), 2, "--nrpt refused: "},
    };
    for (const ExpectedRun& k : cases) {
        Expect({InDir(k.args), k.status, k.stderrText});
        EXPECT_FALSE(fs::exists(png()));
        EXPECT_FALSE(fs::exists(dir / "VELMAR.DAT"));
    }
    Expect({{"chart", "--png", (dir / "missing" / "chart.png").string(), "dep.lat=10", "dep.lon=0",
             "arr.lat=30", "arr.lon=40"},
            1,
            "cannot write"});
}

}  // namespace
