// solve and report: apply the entries and print the scheme.

#include <iostream>

#include "cli/Commands.h"
#include "cli/Entries.h"
#include "scheme/Report.h"

namespace velmar::cli {

namespace {

int RunScheme(const Args& args, bool reportCommand) {
    CommonOptions options;
    std::string error;
    const std::set<std::string> extra =
        reportCommand ? std::set<std::string>{"--formats"} : std::set<std::string>{};
    if (!ParseCommonOptions(args, extra, options, error)) return UsageError(error);
    Session session(options);
    const int status = session.Run();
    if (options.json) {
        std::cout << session.Json();
    } else {
        const ReportSection section =
            options.flags.count("--formats") ? ReportSection::WithFormats : ReportSection::Selected;
        std::cout << JoinReport(SchemeReportLines(session.scheme(), {section, section, section}),
                                "\n");
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
