#pragma once
// The subcommands of velmar-cli. Each takes the arguments after its name and
// returns the exit status; main.cpp lists them in its dispatcher table.

#include <string>
#include <vector>

namespace velmar::cli {

using Args = std::vector<std::string>;

int RunSolve(const Args& args);
int RunReport(const Args& args);
int RunDemo(const Args& args);
int RunPoints(const Args& args);
int RunChart(const Args& args);

/// Prints a usage error on standard error and returns kExitUsage.
int UsageError(const std::string& what);

}  // namespace velmar::cli
