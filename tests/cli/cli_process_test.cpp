// velmar-cli run as a process: exit statuses, messages on standard error,
// the JSON shape, and scheme pairs written and read back.

#include "tests/cli/CliProcess.h"
#include "tests/cli/WellFormed.h"

namespace {

using namespace velmar::cli::test;

TEST_F(CliProcess, JsonOfTheAcceptanceCase) {
    const ProcessResult run =
        Cli({"solve", "--json", "dep.lat=10", "dep.lon=0", "arr.lat=30", "arr.lon=40"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(JsonSyntax(run.out).Valid()) << run.out;
    EXPECT_EQ(Count(run.out, "{\"group\": "), 24u);
    EXPECT_NE(run.out.find("\"label\": \"Rotta iniziale\", \"kind\": \"Course\", \"state\": "
                           "\"computed\", \"value\": 55.87"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"text\": \"2535.3\""), std::string::npos);
    EXPECT_NE(run.out.find("\"text\": \"35°23'.2N\""), std::string::npos);  // V1 35.39 N
    EXPECT_NE(run.out.find("\"text\": \"75°37'.6E\""), std::string::npos);  // 75.63 E
    const auto markers = run.out.find("\"markers\": [");
    ASSERT_NE(markers, std::string::npos);
    const std::string list = run.out.substr(markers, run.out.find(']', markers) - markers);
    EXPECT_EQ(Count(list, ","), 33u);  // 34 bytes
    for (const char* key : {"\"description\": \"\"", "\"messages\": []", "\"refused\": null"})
        EXPECT_NE(run.out.find(key), std::string::npos) << key;
}

TEST_F(CliProcess, FailuresExitWithTheirStatusAndMessage) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* stderrText;
    };
    const Case cases[] = {
        {{"solve", "dep.lat=95", "dep.lon=1"}, 2, "Verifica GRADI"},
        {{"solve", "dep.tf.date=29-02-2023"}, 2, "Verifica VALORE"},
        {{"solve", "dep.lat=10", "dep.lon=10", "arr.lat=10", "arr.lon=10.01"},
         2,
         "Le coordinate di partenza e di arrivo coincidono."},
        {{"solve", "dep.lat=10", "dep.lon=0", "arr.lat=30", "arr.lon=40", "rv=45"},
         2,
         "Non puoi modificare un valore calcolato."},
        {{"solve", "dep.lat=10", "dep.lon=0", "arr.lat=30", "arr.lon=40", "vp=2"},
         2,
         "Con i dati inseriti questo valore eccede i limiti minimo-massimo."},
        {{"solve", "bogus=1"}, 64, "bogus=1"},
        {{"solve", "dt=2.05"}, 64, "leading zero"},
        {{"solve", "--load"}, 64, "--load needs a value"},
        {{"frobnicate"}, 64, "unknown command"},
        {{}, 64, "a command is needed"},
        {{"solve", "--dir", "/nonexistent/velmar", "--load", "AVVIO"}, 1, "no scheme pair AVVIO"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.args.empty() ? "(none)" : k.args.back());
        const ProcessResult run = Cli(k.args);
        EXPECT_EQ(run.status, k.status);
        EXPECT_NE(run.err.find(k.stderrText), std::string::npos) << run.err;
    }
}

TEST_F(CliProcess, RefusalStopsLaterEntriesAndPrintsTheSchemeAsItStands) {
    const ProcessResult run = Cli({"solve", "--json", "dep.lat=10", "dep.lat=95", "dep.lon=7"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("\"value\": 10, \"text\": \"10°00'.0N\""), std::string::npos);
    EXPECT_NE(run.out.find("\"label\": \"Longitudine di Partenza\", \"kind\": \"Longitude\", "
                           "\"state\": \"empty\""),
              std::string::npos);
    EXPECT_NE(run.out.find("\"refused\": {\"entry\": \"dep.lat=95\", \"reason\": "
                           "\"Verifica GRADI\"}"),
              std::string::npos);
}

TEST_F(CliProcess, OutOfRangeMessageIsInTheJson) {
    const ProcessResult run =
        Cli({"solve", "--json", "dep.lat=10", "dep.lon=0", "arr.lat=30", "arr.lon=40", "vp=2"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("{\"icon\": \"I\", \"title\": \"Velmar3: Fuori campo\", \"header\": "
                           "\"Differenza di tempo\""),
              std::string::npos);
    EXPECT_NE(run.out.find("\"note\": \"Verifica a ritroso...\\rVelocità propulsiva;\\r"),
              std::string::npos);
}

TEST_F(CliProcess, SaveThenLoadRestoresEveryByteOfBothFiles) {
    const ProcessResult save =
        Cli(InDir({"solve", "--save", "AVVIO", "dep.lat=44N24", "dep.lon=8E56", "arr.lat=40N42",
                   "arr.lon=74W00", "vp=12", "dep.tf=08:00", "dep.tf.date=06-12-2026"}));
    ASSERT_EQ(save.status, 0) << save.err;
    ASSERT_EQ(fs::file_size(dir / "VELMAR.DAT"), 328u);
    ASSERT_EQ(fs::file_size(dir / "PUNTI.DAT"), 1168u);
    const std::string scheme = Slurp(dir / "VELMAR.DAT"), points = Slurp(dir / "PUNTI.DAT");

    const ProcessResult plain =
        Cli(InDir({"solve", "dep.lat=44N24", "dep.lon=8E56", "arr.lat=40N42", "arr.lon=74W00",
                   "vp=12", "dep.tf=08:00", "dep.tf.date=06-12-2026"}));
    const ProcessResult load = Cli(InDir({"solve", "--load", "AVVIO", "--save", "AVVIO", "--yes"}));
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_EQ(load.out, plain.out);  // the same report
    EXPECT_EQ(Slurp(dir / "VELMAR.DAT"), scheme);
    EXPECT_EQ(Slurp(dir / "PUNTI.DAT"), points);

    const ProcessResult json = Cli(InDir({"solve", "--json", "--load", "AVVIO"}));
    EXPECT_NE(json.out.find("\"description\": \"File d'avvio\""), std::string::npos);
}

TEST_F(CliProcess, ExistingPairIsOverwrittenOnlyWithYes) {
    ASSERT_EQ(Cli(InDir({"solve", "--save", "VELM-007.DAT", "dep.lat=10"})).status, 0);
    EXPECT_TRUE(fs::exists(dir / "PUNT-007.DAT"));
    const std::string before = Slurp(dir / "VELM-007.DAT");
    const ProcessResult refused = Cli(InDir({"solve", "--save", "VELM-007.DAT", "dep.lat=20"}));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Sovrascrivere.."), std::string::npos);
    EXPECT_EQ(Slurp(dir / "VELM-007.DAT"), before);
    EXPECT_EQ(Cli(InDir({"solve", "--yes", "--save", "VELM-007.DAT", "dep.lat=20"})).status, 0);
    EXPECT_NE(Slurp(dir / "VELM-007.DAT"), before);
}

TEST_F(CliProcess, ReportFormatsDemoAndHelp) {
    const ProcessResult report = Cli({"report", "--formats", "vp=12"});
    EXPECT_EQ(report.status, 0);
    EXPECT_NE(report.out.find("\tVp = 12 nodi (22.224 km/h; 6.1733333 m/s) *\n"),
              std::string::npos);
    EXPECT_EQ(Cli({"solve", "--formats"}).status, 64);  // a flag of report only
    const ProcessResult demo = Cli({"demo"});
    EXPECT_EQ(demo.status, 0) << demo.err;
    EXPECT_NE(demo.out.find("\tLat = 44°24'.0N *"), std::string::npos);
    EXPECT_NE(demo.out.find("velmar-cli solve"), std::string::npos);
    for (const char* help : {"help", "--help"}) {
        const ProcessResult run = Cli({help});
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("dep.tf.date"), std::string::npos);
    }
}

}  // namespace
