// solve and report: apply the entries and print the scheme.

#include <iostream>

#include "cli/CliRun.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "scheme/Report.h"

namespace velmar::cli {

namespace {

int RunScheme(const Args& args, bool reportCommand) {
    CommonOptions options;
    std::string error;
    const std::set<std::string> extra =
        reportCommand ? std::set<std::string>{"--formats"} : std::set<std::string>{};
    if (!ParseCommonOptions(args, extra, options, error)) return UsageError(error);
    CliRun run(options);
    const int status = run.Run();
    if (options.json) {
        std::cout << SchemeJson(run);
    } else {
        const ReportSection section =
            options.flags.count("--formats") ? ReportSection::WithFormats : ReportSection::Selected;
        std::cout << JoinReport(SchemeReportLines(run.scheme(), {section, section, section}), "\n");
    }
    return status;
}

}  // namespace

int RunSolve(const Args& args) {
    return RunScheme(args, false);
}
int RunReport(const Args& args) {
    return RunScheme(args, true);
}

}  // namespace velmar::cli
