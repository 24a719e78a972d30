// velmar-cli points run as a process: exit statuses with their messages,
// the text and the JSON of the line, and the route files --gpx and --rtz.

#include "tests/cli/CliProcess.h"

namespace {

using namespace velmar::cli::test;

using PointsProcess = CliProcess;

// Along the equator, 16°40' of longitude: ml 1000 miles.
const std::vector<std::string> kThousandMiles = {"dep.lat=0", "dep.lon=0", "arr.lat=0",
                                                 "arr.lon=16E40", "vp=10"};

std::vector<std::string> Points(std::vector<std::string> options,
                                const std::vector<std::string>& entries = kThousandMiles) {
    options.insert(options.begin(), "points");
    options.insert(options.end(), entries.begin(), entries.end());
    return options;
}

TEST_F(PointsProcess, ExitStatusesAndMessages) {
    const std::vector<std::string> noArrival = {"dep.lat=0", "dep.lon=0"};
    const std::vector<std::string> noSpeed(kThousandMiles.begin(), kThousandMiles.end() - 1);
    const ExpectedRun cases[] = {
        {Points({"--method", "5"}), 64, "--method takes auto, 1, 2, 3 or 4"},
        {Points({"--nrpt", "three"}), 64, "--nrpt needs a whole number of points"},
        {Points({"--dlonp", "1X2"}), 64, "--dlonp: "},
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
    };
    for (const ExpectedRun& k : cases) Expect(k);
}

// A refused run writes neither the pair nor the route; a pair saved keeps
// the method cell and the practical spacing.
TEST_F(PointsProcess, RefusedWritesNothingAndASavedLineComesBackWithItsMethod) {
    const fs::path gpx = dir / "route.gpx";
    Expect(
        {InDir(Points({"--save", "AVVIO", "--gpx", gpx.string(), "--method", "4", "--dmp", "5"})),
         2, "--dmp refused"});
    for (const fs::path& file : {dir / "VELMAR.DAT", dir / "PUNTI.DAT", gpx})
        EXPECT_FALSE(fs::exists(file)) << file;

    const ProcessResult saved =
        Cli(InDir(Points({"--save", "AVVIO", "--method", "4", "--dmp", "90"})));
    ASSERT_EQ(saved.status, 0) << saved.err;
    const ProcessResult loaded = Cli(InDir({"points", "--load", "AVVIO"}));
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_EQ(loaded.out, saved.out);
    EXPECT_TRUE(Has(loaded.out, "\nMetodo Pratico\nNrPt = 11\n"));
}

// Along the equator, 1000 miles at 10 knots: the practical method keeps
// DtP 3 hours, DmP 30 miles, 34 legs. With the departure time the points
// have moments, and each gets its light, in the text and in the JSON;
// without it neither output has the light.
TEST_F(PointsProcess, TextAndJsonHaveEveryPartOfTheLineAndTheLight) {
    std::vector<std::string> entries = kThousandMiles;
    entries.insert(entries.end(), {"dep.tf=08:00", "dep.tf.date=06-12-2026"});
    const ProcessResult run = Cli(Points({"--json", "--method", "4"}, entries));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(ValidJson(run.out)) << run.out;
    std::size_t at = 0;  // the members in order, each once
    for (const char* key :
         {"method", "methodName", "header", "parameters", "spacing", "points", "legs", "list",
          "recall", "status", "summary", "schemeSaved", "messages"}) {
        const std::string member = std::string("\n  \"") + key + "\": ";
        const std::size_t next = run.out.find(member);
        EXPECT_EQ(Count(run.out, member), 1u) << key;
        EXPECT_GT(next, at) << key;
        at = next;
    }
    for (const char* part :
         {"\"header\": {\"n\": 34, \"vertexIndex\": 0, \"spacingChoice\": 0, "
          "\"practicalChoice\": 2}",
          "\"dtP\": 3, \"dmP\": 30", "\"greenwichUtc\": \"2026-12-06T08:00:00Z\"",
          "\"status\": [\n    \"Metodo Pratico\",\n    \"NrPt = 33\",\n    \"\"",
          "\"light\": {\"state\": \"giorno\", \"altitude\": ", "\"polar\": null}"})
        EXPECT_TRUE(Has(run.out, part)) << part;
    // 35 points with their times and light, 34 legs with theirs, 69 list lines.
    EXPECT_EQ(Count(run.out, "\"greenwichUtc\": "), 35u);
    EXPECT_EQ(Count(run.out, "\"light\": {\"state\": "), 35u);
    EXPECT_EQ(Count(run.out, "\"hours\": "), 34u);
    const std::size_t list = run.out.find("\"list\": ["), recall = run.out.find("\"recall\": [");
    ASSERT_LT(list, recall);
    EXPECT_EQ(Count(run.out.substr(list, recall - list), "\n    \""), 69u);

    // The text: the list, the status bar's sections, the summary, the light.
    const ProcessResult plain = Cli(Points({"--method", "4"}, entries));
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out.rfind("A  ", 0), 0u);
    EXPECT_TRUE(Has(plain.out, "\nMetodo Pratico\nNrPt = 33\n\nRIEPILOGO DELLA SPEZZATA:\n"));
    const std::string header =
        "* Valore impostato\n\nLUCE AI PUNTI (alba e tramonto in ora locale):\n";
    ASSERT_TRUE(Has(plain.out, header)) << plain.out;
    EXPECT_EQ(Count(plain.out.substr(plain.out.find(header) + header.size()), "\n"), 35u);

    for (const bool asJson : {false, true}) {
        const ProcessResult untimed =
            Cli(asJson ? Points({"--json", "--method", "4"}) : Points({"--method", "4"}));
        ASSERT_EQ(untimed.status, 0) << untimed.err;
        EXPECT_FALSE(Has(untimed.out, "LUCE AI PUNTI"));
        EXPECT_FALSE(Has(untimed.out, "\"light\""));
    }
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
    EXPECT_TRUE(Has(gpxText, "<gpx "));
    EXPECT_TRUE(Has(rtzText, "<route "));
    const std::string lost = (dir / "missing" / "route.gpx").string();
    Expect({Points({"--gpx", lost}), 1, "cannot write " + lost});
}

}  // namespace
