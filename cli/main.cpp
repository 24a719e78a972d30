// velmar-cli: the passage scheme from the command line. One line per
// subcommand in the table below; cli/README.md tells how to add one.

#include <iostream>
#include <string_view>

#include "cli/Commands.h"
#include "cli/EntryParsing.h"
#include "cli/ExitStatus.h"

namespace velmar::cli {
namespace {

int RunHelp(const Args& args);

struct Subcommand {
    std::string_view name;
    int (*run)(const Args&);
    std::string_view summary;
};

constexpr Subcommand kSubcommands[] = {
    {"solve", RunSolve, "apply the entries and print the scheme (report, or --json)"},
    {"report", RunReport, "the scheme report; --formats adds every value's other form"},
    {"points", RunPoints,
     "the broken line: list, status, summary, light (or --json); --gpx, --rtz, --pdf"},
    {"demo", RunDemo, "solve a sample passage, Genova to New York"},
    {"chart", RunChart, "draw the passage's chart into a PNG (--png FILE; --map, --zoom ...)"},
    {"help", RunHelp, "this text"},
};

int RunHelp(const Args&) {
    std::cout << "Usage: velmar-cli COMMAND [OPTIONS] [NAME=VALUE...]\n\nCommands:\n";
    for (const Subcommand& command : kSubcommands)
        std::cout << "  " << command.name << std::string(10 - command.name.size(), ' ')
                  << command.summary << "\n";
    std::cout
        << "\nOptions of solve and report:\n"
           "  --json          print the scheme as JSON (cells, markers, description, messages)\n"
           "  --load KEY      read a scheme pair first (AVVIO = VELMAR.DAT + PUNTI.DAT, "
           "VELM-007.DAT)\n"
           "  --save KEY      write the scheme pair after the entries (an existing file needs "
           "--yes)\n"
           "  --dir FOLDER    the folder of the scheme pairs (default: the current folder)\n"
           "  --yes           answer Yes to every question (default: No)\n"
           "\nOptions of points (also taken by chart):\n"
           "  --method M      auto or 1..4, as the points window's method items\n"
           "  --nrpt N | --dlonp DEG | --dmp MILES | --dtp HOURS   one spacing, as its dialog\n"
           "  --limit-lat DEG the limiting parallel (method 2)\n"
           "  --gpx FILE, --rtz FILE   export the broken line as a GPX 1.1 / RTZ 1.0 route\n"
           "  --pdf FILE      the passage plan (scheme, points with times and light, summary,\n"
           "                  chart with the coastline from --dir or the bundled data), A4 PDF\n"
           "  velmar-cli chart --help lists the chart's own options.\n"
           "\nEntries, applied in the order given as if typed on the keypad:\n ";
    for (const std::string& name : EntryNames()) std::cout << " " << name;
    std::cout
        << "\n  angles: signed decimal degrees (north, east positive) or 44N24.5 / 8E55.8\n"
           "  times HH:MM[:SS]; dates DD-MM-YYYY or YYYY-MM-DD; vp knots; ml miles; dt hours\n"
           "\nExit status: 0 done, 1 a scheme pair not read or written, 2 an entry refused\n"
           "(its message on standard error; later entries are not applied), 64 bad arguments.\n";
    return kExitOk;
}

}  // namespace

int UsageError(const std::string& what) {
    std::cerr << "velmar-cli: " << what << "\nTry 'velmar-cli help'.\n";
    return kExitUsage;
}

}  // namespace velmar::cli

int main(int argc, char** argv) {
    using namespace velmar::cli;
    const Args all(argv + 1, argv + argc);
    if (all.empty()) return UsageError("a command is needed");
    const std::string command = all[0] == "--help" || all[0] == "-h" ? "help" : all[0];
    for (const Subcommand& sub : kSubcommands)
        if (command == sub.name) return sub.run(Args(all.begin() + 1, all.end()));
    return UsageError("unknown command '" + command + "'");
}
