// velmar-cli points run as a process: the practical worked example end to
// end, exit statuses with their messages, the JSON's shape, and the route
// files --gpx and --rtz.

#include "tests/cli/CliProcess.h"
#include "tests/cli/WellFormed.h"

namespace {

using namespace velmar::cli::test;

class PointsProcess : public CliProcess {};

// Along the equator, 16°40' of longitude: ml 1000 miles; at 10 knots the
// practical method keeps DtP 3 hours, DmP 30 miles (33 legs of 30 miles,
// then 10).
const std::vector<std::string> kThousandMiles = {"dep.lat=0", "dep.lon=0", "arr.lat=0",
                                                 "arr.lon=16E40", "vp=10"};

std::vector<std::string> Points(std::vector<std::string> options,
                                const std::vector<std::string>& entries = kThousandMiles) {
    options.insert(options.begin(), "points");
    options.insert(options.end(), entries.begin(), entries.end());
    return options;
}

TEST_F(PointsProcess, PracticalExampleGivesLegsOfThirtyMilesEveryThreeHours) {
    // The method's own defaults, and the same spacing typed either way.
    const std::vector<std::vector<std::string>> optionSets = {
        {"--method", "4"}, {"--method", "4", "--dtp", "3"}, {"--method=4", "--dmp=30"}};
    for (const auto& options : optionSets) {
        SCOPED_TRACE(options.back());
        const ProcessResult run = Cli(Points(options));
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> lines = Lines(run.out);
        ASSERT_GT(lines.size(), 72u);
        // 34 legs: 69 list lines, then the status bar's three sections.
        EXPECT_EQ(lines[0].substr(0, 1), "A");
        EXPECT_EQ(lines[68].substr(0, 1), "B");
        for (int leg = 0; leg < 33; ++leg) EXPECT_EQ(lines[2 * leg + 1], "90°00'.0  30  3") << leg;
        EXPECT_EQ(lines[67], "90°00'.0  10  1");
        EXPECT_EQ(lines[69], "Metodo Pratico");
        EXPECT_EQ(lines[70], "NrPt = 33");
        EXPECT_EQ(lines[71], "");  // no DLonP in the practical method
        EXPECT_EQ(lines[72], "RIEPILOGO DELLA SPEZZATA:");
    }
}

TEST_F(PointsProcess, ExitStatusesAndMessages) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* stderrText;
    };
    const std::vector<std::string> noArrival = {"dep.lat=0", "dep.lon=0"};
    const std::vector<std::string> noSpeed(kThousandMiles.begin(), kThousandMiles.end() - 1);
    const Case cases[] = {
        {Points({"--method", "5"}), 64, "--method takes auto, 1, 2, 3 or 4"},
        {Points({"--method", "3", "--nrpt", "3", "--dlonp", "1"}), 64, "exclude each other"},
        {Points({"--nrpt", "three"}), 64, "--nrpt needs a whole number of points"},
        {Points({"--dlonp", "1X2"}), 64, "--dlonp: "},
        {Points({"--dtp"}, {}), 64, "--dtp needs a value"},
        {Points({"--gpx", "a.gpx", "--gpx=b.gpx"}), 64, "--gpx given twice"},
        {Points({"--frob"}), 64, "unknown option --frob"},
        {Points({}, noArrival), 2, "Niente da calcolare."},
        {Points({"--method", "4"}, noSpeed), 2, "Impossibile impostare il metodo pratico."},
        {Points({"--method", "4", "--dmp", "5"}), 2, "--dmp refused: Verifica VALORE (da 20 a 960"},
        {Points({"--method", "4", "--nrpt", "5"}), 2, "--nrpt needs method 1, 2 or 3"},
        {Points({"--method", "3", "--dmp", "30"}), 2, "--dmp needs the practical method"},
        {Points({"--method", "3", "--limit-lat", "40"}), 2,
         "Devi prima impostare il metodo del Parallelo Limite"},
        // 100-mile legs leave a last leg of no length: the recompute fails.
        {Points({"--method", "4", "--dmp", "100"}), 2, "--dmp: the method was not applied"},
        {Points({"--method", "3", "--nrpt", "5"}), 0, ""},
    };
    for (const Case& k : cases) {
        std::string all;
        for (const std::string& a : k.args) all += a + " ";
        SCOPED_TRACE(all);
        const ProcessResult run = Cli(k.args);
        EXPECT_EQ(run.status, k.status);
        EXPECT_NE(run.err.find(k.stderrText), std::string::npos) << run.err;
    }
}

TEST_F(PointsProcess, RefusedWritesNeitherPairNorRoute) {
    const fs::path gpx = dir / "route.gpx";
    const ProcessResult run = Cli(
        InDir(Points({"--save", "AVVIO", "--gpx", gpx.string(), "--method", "4", "--dmp", "5"})));
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(fs::exists(dir / "VELMAR.DAT"));
    EXPECT_FALSE(fs::exists(dir / "PUNTI.DAT"));
    EXPECT_FALSE(fs::exists(gpx));
}

TEST_F(PointsProcess, SavedLineComesBackWithItsMethodAndSpacing) {
    // The pair keeps the method cell and the practical spacing: loading it
    // and activating again gives the same list, status and summary.
    const ProcessResult saved =
        Cli(InDir(Points({"--save", "AVVIO", "--method", "4", "--dmp", "90"})));
    ASSERT_EQ(saved.status, 0) << saved.err;
    const ProcessResult loaded = Cli(InDir({"points", "--load", "AVVIO"}));
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_EQ(loaded.out, saved.out);
    EXPECT_NE(loaded.out.find("\nMetodo Pratico\nNrPt = 11\n"), std::string::npos);
}

TEST_F(PointsProcess, JsonHasEveryPartOfTheLine) {
    std::vector<std::string> entries = kThousandMiles;
    entries.insert(entries.end(), {"dep.tf=08:00", "dep.tf.date=06-12-2026"});
    const ProcessResult run = Cli(Points({"--json", "--method", "4"}, entries));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(JsonSyntax(run.out).Valid()) << run.out;
    // The members in order, each once.
    std::size_t at = 0;
    for (const char* key :
         {"method", "methodName", "header", "parameters", "spacing", "points", "legs", "list",
          "recall", "status", "summary", "schemeSaved", "messages"}) {
        SCOPED_TRACE(key);
        const std::string member = std::string("\n  \"") + key + "\": ";
        EXPECT_EQ(Count(run.out, member), 1u);
        const std::size_t next = run.out.find(member, at);
        EXPECT_NE(next, std::string::npos);
        at = next == std::string::npos ? at : next;
    }
    EXPECT_NE(run.out.find("\"header\": {\"n\": 34, \"vertexIndex\": 0, \"spacingChoice\": 0, "
                           "\"practicalChoice\": 2}"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"dtP\": 3, \"dmP\": 30"), std::string::npos);
    // 35 points with their times, 34 legs with theirs, 69 list lines.
    EXPECT_EQ(Count(run.out, "\"greenwichUtc\": "), 35u);
    EXPECT_EQ(Count(run.out, "\"hours\": "), 34u);
    EXPECT_NE(run.out.find("\"greenwichUtc\": \"2026-12-06T08:00:00Z\""), std::string::npos);
    EXPECT_NE(run.out.find("\"greenwichUtc\": \"2026-12-10T12:00:00Z\""), std::string::npos);
    const std::size_t list = run.out.find("\"list\": ["), recall = run.out.find("\"recall\": [");
    ASSERT_LT(list, recall);
    EXPECT_EQ(Count(run.out.substr(list, recall - list), "\n    \""), 69u);
    EXPECT_NE(run.out.find("\"status\": [\n    \"Metodo Pratico\",\n    \"NrPt = 33\",\n    \"\""),
              std::string::npos);
}

TEST_F(PointsProcess, WritesWellFormedRouteFiles) {
    const fs::path gpx = dir / "route.gpx", rtz = dir / "route.rtz";
    const ProcessResult run = Cli(
        Points({"--gpx", gpx.string(), "--rtz=" + rtz.string(), "--method", "4", "--dmp", "90"}));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string gpxText = Slurp(gpx), rtzText = Slurp(rtz);
    EXPECT_EQ(XmlSyntaxError(gpxText), "");
    EXPECT_EQ(XmlSyntaxError(rtzText), "");
    // 11 legs of 90 miles and one of 10: 13 points, A to B.
    EXPECT_EQ(Count(gpxText, "<rtept "), 13u);
    EXPECT_EQ(Count(rtzText, "<waypoint "), 13u);
    EXPECT_NE(gpxText.find("<gpx "), std::string::npos);
    EXPECT_NE(rtzText.find("<route "), std::string::npos);

    // A folder that does not exist: the file status, and the text says which.
    const std::string lost = (dir / "missing" / "route.gpx").string();
    const ProcessResult unwritable = Cli(Points({"--gpx", lost}));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("cannot write " + lost), std::string::npos) << unwritable.err;
}

}  // namespace
