#pragma once
// velmar-cli run as a process in a private temporary folder, with its exit
// status, standard output and standard error; and syntax checks, by Qt's own
// readers, of the JSON and XML it writes for other programs.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QJsonDocument>
#include <QXmlStreamReader>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/TestFiles.h"

namespace velmar::cli::test {

namespace fs = std::filesystem;
using velmar::test::Count;
using velmar::test::Slurp;

struct ProcessResult {
    int status = -1;
    std::string out, err;
};

/// Runs a shell command line: its exit status and standard output.
inline ProcessResult Shell(const std::string& command) {
    ProcessResult run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

inline bool Has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

inline bool ValidJson(const std::string& text) {
    QJsonParseError error;
    QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    return error.error == QJsonParseError::NoError;
}

/// Empty when `text` is a well-formed XML document, else what is wrong.
inline std::string XmlSyntaxError(const std::string& text) {
    QXmlStreamReader xml(QByteArray::fromStdString(text));
    while (!xml.atEnd()) xml.readNext();
    return xml.hasError() ? xml.errorString().toStdString() : "";
}

/// A run expected to end with `status` and `stderrText` on standard error.
struct ExpectedRun {
    std::vector<std::string> args;
    int status;
    std::string stderrText;
};

class CliProcess : public ::testing::Test {
  protected:
    /// Runs the tool; `prefix` goes before the binary on the shell's line.
    ProcessResult Cli(const std::vector<std::string>& args, const std::string& prefix = "") {
        std::string command = prefix + " '" VELMAR_CLI_PATH "'";
        for (const std::string& a : args) command += " '" + a + "'";
        command += " 2>'" + (dir / "stderr.txt").string() + "'";
        ProcessResult run = Shell(command);
        run.err = Slurp(dir / "stderr.txt");
        return run;
    }
    /// `args` with --dir pointing at the test's folder after the subcommand.
    std::vector<std::string> InDir(std::vector<std::string> args) {
        args.insert(args.begin() + 1, {"--dir", dir.string()});
        return args;
    }
    void Expect(const ExpectedRun& k) {
        std::string all;
        for (const std::string& a : k.args) all += a + " ";
        SCOPED_TRACE(all);
        const ProcessResult run = Cli(k.args);
        EXPECT_EQ(run.status, k.status);
        EXPECT_TRUE(Has(run.err, k.stderrText)) << run.err;
    }

    velmar::test::TempFolder folder;
    const fs::path dir = folder.Path();
};

}  // namespace velmar::cli::test
