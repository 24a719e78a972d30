// velmar-cli points --pdf: the passage plan read back with poppler's tools.
// The text holds the scheme's values, every point's row with its times and
// light, and the summary; the chart is an image in it; and a long line runs
// over several pages without a row cut between two of them.
#include <regex>
#include <sstream>

#include "tests/cli/CliProcess.h"

namespace velmar::cli::test {
namespace {

const std::vector<std::string> kGenovaNewYork = {
    "points",        "dep.lat=44N24", "dep.lon=8E56", "dep.tf=08:00", "dep.tf.date=06-12-2026",
    "arr.lat=40N42", "arr.lon=74W00", "vp=12"};

class PlanPdf : public CliProcess {
  protected:
    static std::string Run(const std::string& command) { return Shell(command).out; }
    std::string Text(const fs::path& pdf, int page = 0) {
        const std::string pages =
            page ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
        return Run("pdftotext -layout" + pages + " '" + pdf.string() + "' - 2>/dev/null");
    }
    int Pages(const fs::path& pdf) {
        std::smatch m;
        const std::string info = Run("pdfinfo '" + pdf.string() + "' 2>/dev/null");
        return std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1]) : 0;
    }
};

// Every point line of the printed list ("A  lat  lon,zone,greenwich") and
// every light line ("A  giorno  +1.6°  alba 07:44  tramonto 16:44") of the
// same run is in the plan: the times, the altitude, the sunrise and sunset.
TEST_F(PlanPdf, HoldsTheSchemeEveryPointWithTimesAndLightTheSummaryAndTheChart) {
    const fs::path pdf = dir / "piano.pdf";
    std::vector<std::string> args = kGenovaNewYork;
    args.insert(args.end(), {"--pdf", pdf.string()});
    const ProcessResult run = Cli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");  // the bundled map was found: no note
    const std::string text = Text(pdf);
    for (const char* expected : {"Piano di navigazione", "Pagina 1 di ", "Vp = 12 nodi",
                                 "Lat = 44°24'.0N", "Data giuliana", "* Valore inserito",
                                 "RIEPILOGO DELLA SPEZZATA:", "Lossodromia 3684.2 (mg);",
                                 "Ortodromia 3508.4 (mg);", "CARTA DELLA TRAVERSATA"}) {
        EXPECT_TRUE(Has(text, expected)) << expected;
    }
    EXPECT_FALSE(Has(text, "non disponibile"));

    const std::regex point(R"(^([ AB0-9V'"]{1,2})  (\S+)  (\S+),(\S+)  (\S+),(\S+)  (\S+)$)");
    const std::regex light(R"(^(.{1,2})  (\D+)  ([-+][0-9.]+°)  alba (\S+)  tramonto (\S+)$)");
    int points = 0, lights = 0;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_match(line, m, point)) {
            ++points;
            SCOPED_TRACE(line);
            for (int part = 2; part <= 7; ++part) EXPECT_TRUE(Has(text, m[part])) << m[part];
        } else if (std::regex_match(line, m, light)) {
            ++lights;
            SCOPED_TRACE(line);
            for (int part = 2; part <= 5; ++part) EXPECT_TRUE(Has(text, m[part])) << m[part];
        }
    }
    EXPECT_EQ(points, 10);
    EXPECT_EQ(lights, points);

    // The chart: one picture, as wide as the plan's chart is drawn.
    const std::string images = Run("pdfimages -list '" + pdf.string() + "'");
    EXPECT_TRUE(std::regex_search(images, std::regex(R"(image\s+960\s+576\s+rgb)"))) << images;
}

// 59 legs: every row's two lines (the times, then the dates and the sun's
// altitude) on one page, the table's titles on every page it runs on, and
// the chart drawn without the coastline, said under it, when the map files
// are not in --dir.
TEST_F(PlanPdf, LongLineRunsOverPagesWithoutCuttingARow) {
    const fs::path pdf = dir / "lungo.pdf";
    std::vector<std::string> args = kGenovaNewYork;
    args.insert(args.end(),
                {"--method", "3", "--nrpt", "58", "--dir", dir.string(), "--pdf", pdf.string()});
    const ProcessResult run = Cli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.err, "MONDOGW.MAP non disponibile")) << run.err;
    const int pages = Pages(pdf);
    ASSERT_GE(pages, 3);
    // A first line has a zone and a Greenwich time; a second line two dates
    // and an altitude.
    const std::regex first(R"(\d\d:\d\d:\d\d\s+\d\d:\d\d:\d\d)");
    const std::regex second(R"(\d\d-\d\d-\d{4}\s+\d\d-\d\d-\d{4}\s+[-+][0-9.]+°)");
    int rows = 0;
    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE(page);
        const std::string text = Text(pdf, page);
        EXPECT_TRUE(Has(text, "Pagina " + std::to_string(page) + " di " + std::to_string(pages)));
        int firsts = 0, seconds = 0;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            firsts += std::regex_search(line, first);
            seconds += std::regex_search(line, second);
        }
        EXPECT_EQ(firsts, seconds);
        if (firsts) {
            EXPECT_TRUE(Has(text, "Ora locale")) << "no titles over the rows";
        }
        rows += firsts;
    }
    EXPECT_EQ(rows, 60);
    EXPECT_TRUE(Has(Text(pdf), "la carta è disegnata senza la costa"));
    EXPECT_TRUE(Has(Run("pdfimages -list '" + pdf.string() + "'"), "image"));
}

}  // namespace
}  // namespace velmar::cli::test
