// demo: a sample passage from Genova to New York, departing today at 08:00.

#include <cstdio>
#include <iostream>

#include "cli/CliRun.h"
#include "cli/Commands.h"
#include "scheme/Report.h"

namespace velmar::cli {

int RunDemo(const Args& args) {
    if (!args.empty()) return UsageError("demo takes no arguments");
    const CivilDate today = SystemToday();
    char date[16];
    std::snprintf(date, sizeof date, "%02u-%02u-%04d", today.day, today.month, today.year);
    const Args entries = {"dep.lat=44N24",
                          "dep.lon=8E56",
                          "arr.lat=40N42",
                          "arr.lon=74W00",
                          "vp=12",
                          "dep.tf=08:00",
                          std::string("dep.tf.date=") + date};
    CommonOptions options;
    std::string error;
    if (!ParseCommonOptions(entries, {}, options, error)) return UsageError(error);
    CliRun run(options);
    const int status = run.Run();
    std::cout << "Sample passage: Genova to New York at 12 knots, departing today at 08:00\n\n";
    std::cout << JoinReport(
        SchemeReportLines(run.scheme(), {ReportSection::Selected, ReportSection::Selected,
                                         ReportSection::Selected}),
        "\n");
    std::cout << "\nYour own passage: velmar-cli solve dep.lat=44N24 dep.lon=8E56 arr.lat=40N42 "
                 "arr.lon=74W00 vp=12 (velmar-cli help for every entry and option)\n";
    return status;
}

}  // namespace velmar::cli
