// velmar-cli run as a process: exit statuses, messages on standard error,
// the JSON shape, and scheme pairs written and read back.

#include "tests/cli/CliProcess.h"

namespace {

using namespace velmar::cli::test;

const std::vector<std::string> kPositions = {"dep.lat=10", "dep.lon=0", "arr.lat=30", "arr.lon=40"};

std::vector<std::string> Solve(std::vector<std::string> head, const std::string& last = "") {
    head.insert(head.end(), kPositions.begin(), kPositions.end());
    if (!last.empty()) head.push_back(last);
    return head;
}

TEST_F(CliProcess, JsonOfTheAcceptanceCase) {
    const ProcessResult run = Cli(Solve({"solve", "--json"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(ValidJson(run.out)) << run.out;
    EXPECT_EQ(Count(run.out, "{\"group\": "), 24u);
    for (const char* part :
         {"\"label\": \"Rotta iniziale\", \"kind\": \"Course\", \"state\": \"computed\", "
          "\"value\": 55.87",
          "\"text\": \"55°52'.7\"", "\"text\": \"2535.3\"", "\"text\": \"35°23'.2N\"",
          "\"text\": \"75°37'.6E\"", "\"description\": \"\"", "\"messages\": []",
          "\"refused\": null"})
        EXPECT_TRUE(Has(run.out, part)) << part;
    const auto markers = run.out.find("\"markers\": [");
    ASSERT_NE(markers, std::string::npos);
    EXPECT_EQ(Count(run.out.substr(markers, run.out.find(']', markers) - markers), ","), 33u);
}

TEST_F(CliProcess, FailuresExitWithTheirStatusAndMessage) {
    const ExpectedRun cases[] = {
        {{"solve", "dep.lat=95", "dep.lon=1"}, 2, "Verifica GRADI"},
        {Solve({"solve"}, "rv=45"), 2, "Non puoi modificare un valore calcolato."},
        {{"solve", "bogus=1"}, 64, "bogus=1"},
        {{"frobnicate"}, 64, "unknown command"},
        {{}, 64, "a command is needed"},
        {{"solve", "--dir", "/nonexistent/velmar", "--load", "AVVIO"}, 1, "no scheme pair AVVIO"},
    };
    for (const ExpectedRun& k : cases) Expect(k);
}

// A refused entry stops the later ones; the JSON shows the scheme as it stands
// and why, and a solver's refusal keeps its message.
TEST_F(CliProcess, RefusalsAreInTheJson) {
    const ProcessResult keypad = Cli({"solve", "--json", "dep.lat=10", "dep.lat=95", "dep.lon=7"});
    EXPECT_EQ(keypad.status, 2);
    for (const char* part :
         {"\"value\": 10, \"text\": \"10°00'.0N\"",
          "\"label\": \"Longitudine di Partenza\", \"kind\": \"Longitude\", "
          "\"state\": \"empty\"",
          "\"refused\": {\"entry\": \"dep.lat=95\", \"reason\": \"Verifica GRADI\"}"})
        EXPECT_TRUE(Has(keypad.out, part)) << part;
    const ProcessResult solver = Cli(Solve({"solve", "--json"}, "vp=2"));
    EXPECT_EQ(solver.status, 2);
    EXPECT_TRUE(Has(solver.out,
                    "{\"icon\": \"I\", \"title\": \"Velmar3: Fuori campo\", "
                    "\"header\": \"Differenza di tempo\""));
    EXPECT_TRUE(Has(solver.out, "\"note\": \"Verifica a ritroso...\\rVelocità propulsiva;\\r"));
}

// An existing pair is overwritten only with --yes; a load saved back gives
// both files byte for byte.
TEST_F(CliProcess, SaveThenLoadRestoresEveryByteAndOverwritesOnlyWithYes) {
    const std::vector<std::string> entries = {
        "dep.lat=44N24", "dep.lon=8E56", "arr.lat=40N42",         "arr.lon=74W00",
        "vp=12",         "dep.tf=08:00", "dep.tf.date=06-12-2026"};
    std::vector<std::string> args = {"solve", "--save", "AVVIO"};
    args.insert(args.end(), entries.begin(), entries.end());
    ASSERT_EQ(Cli(InDir(args)).status, 0);
    const std::string scheme = Slurp(dir / "VELMAR.DAT"), points = Slurp(dir / "PUNTI.DAT");
    const ProcessResult refused = Cli(InDir({"solve", "--save", "AVVIO", "dep.lat=20"}));
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(Has(refused.err, "Sovrascrivere.."));
    EXPECT_EQ(Slurp(dir / "VELMAR.DAT"), scheme);

    args.erase(args.begin() + 1, args.begin() + 3);
    const ProcessResult plain = Cli(InDir(args));
    const ProcessResult load = Cli(InDir({"solve", "--load", "AVVIO", "--save", "AVVIO", "--yes"}));
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_EQ(load.out, plain.out);
    EXPECT_EQ(Slurp(dir / "VELMAR.DAT"), scheme);
    EXPECT_EQ(Slurp(dir / "PUNTI.DAT"), points);
    EXPECT_TRUE(Has(Cli(InDir({"solve", "--json", "--load", "AVVIO"})).out,
                    "\"description\": \"File d'avvio\""));
    ASSERT_EQ(Cli(InDir({"solve", "--yes", "--save", "AVVIO", "dep.lat=20"})).status, 0);
    EXPECT_NE(Slurp(dir / "VELMAR.DAT"), scheme);
}

TEST_F(CliProcess, ReportFormatsDemoAndHelp) {
    const ProcessResult report = Cli({"report", "--formats", "vp=12"});
    EXPECT_EQ(report.status, 0);
    EXPECT_TRUE(Has(report.out, "\tVp = 12 nodi (22.224 km/h; 6.1733333 m/s) *\n"));
    EXPECT_EQ(Cli({"solve", "--formats"}).status, 64);  // a flag of report only
    const ProcessResult demo = Cli({"demo"});
    EXPECT_EQ(demo.status, 0) << demo.err;
    EXPECT_TRUE(Has(demo.out, "\tLat = 44°24'.0N *"));
    EXPECT_TRUE(Has(demo.out, "velmar-cli solve"));
    for (const std::vector<std::string>& help :
         {std::vector<std::string>{"help"}, {"--help"}, {"chart", "--help"}}) {
        const ProcessResult run = Cli(help);
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(Has(run.out, help.size() == 1 ? "dep.tf.date" : "--png FILE")) << help[0];
    }
}

}  // namespace
