// Entries as the keypad receives them, the options, and the JSON writer.

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>

#include "cli/CliRun.h"
#include "cli/Json.h"

namespace velmar::cli {
namespace {

TEST(ParseEntry, ValuesBecomeKeypadFields) {
    struct Case {
        const char* argument;
        int group, cell, a, b, c;
        char hemisphere;  // 0: none, '-': not set (no hemisphere for the kind)
    };
    const Case cases[] = {
        {"dep.lon=8E55.8", 0, 1, 8, 55, 48, 'E'},
        {"arr.lon=74W00", 3, 1, 74, 0, 0, 'W'},
        {"arr.lat=-12.25", 3, 0, 12, 15, 0, 'S'},
        {"dep.lon=0", 0, 1, 0, 0, 0, 0},
        {"dep.lat=41.999999", 0, 0, 42, 0, 0, 'N'},  // whole seconds of arc
        {"rv=45.5", 1, 0, 45, 30, 0, '-'},
        {"dep.tf=08:05", 0, 2, 8, 5, 0, '-'},
        {"arr.tm=23:59:59", 3, 4, 23, 59, 59, '-'},
        {"dep.tf.date=06-12-2026", 0, 3, 6, 12, 2026, '-'},
        {"dep.tm.date=2026-12-06", 0, 5, 6, 12, 2026, '-'},
        {"vp=12.25", 1, 1, 12, 3, 0, '-'},  // tenths, halves away from zero
        {"ml=123.4", 2, 0, 123, 4, 0, '-'},
        {"dt=2.125", 2, 1, 2, 125, 0, '-'},
        {"dt=2.1", 2, 1, 2, 1, 0, '-'},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.argument);
        std::string error;
        const auto entry = ParseEntry(k.argument, error);
        ASSERT_TRUE(entry) << error;
        const KeypadTyping& t = entry->typing;
        EXPECT_EQ(std::tuple(entry->group, entry->cell, t.fields[0], t.fields[1],
                             t.fields[2].value_or(0), t.hemisphere.value_or('-')),
                  std::tuple(k.group, k.cell, k.a, k.b, k.c, k.hemisphere));
    }
}

TEST(ParseEntry, MalformedArgumentsAreRefusedWithAReason) {
    for (const char* bad :
         {"dep.lat", "bogus=1", "dep.lat=", "dep.lat=44E10", "dep.lon=8N10", "dep.lat=abc",
          "dep.lat=1e3", "dep.tf=8", "dep.tf=08:xx", "dep.tf.date=6/12/2026", "vp=-3", "rv=-10",
          "dt=2.05", "dt=0.005", "ml=nan", "dep.lat=99999999"}) {
        std::string error;
        EXPECT_FALSE(ParseEntry(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(ParseCommonOptions, OptionsFlagsAndEntries) {
    CommonOptions options;
    std::string error;
    ASSERT_TRUE(ParseCommonOptions({"--json", "--load", "AVVIO", "--save=VELM-007.DAT", "--dir",
                                    "/tmp/x", "--formats", "vp=12"},
                                   {"--formats"}, options, error))
        << error;
    EXPECT_EQ(std::tuple(options.json, options.yes, options.load, options.save, options.dir,
                         options.flags.count("--formats"), options.entries.size()),
              std::tuple(true, false, "AVVIO", "VELM-007.DAT", "/tmp/x", 1u, 1u));
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--load"}, {"--formats"}, {"--json=1"}, {"--dir="}, {"-x"}}) {
        CommonOptions o;
        EXPECT_FALSE(ParseCommonOptions(bad, {}, o, error)) << bad[0];
    }
}

// Both option parsers take "--opt=VALUE" through this one split; an entry
// or a single-dash argument stays whole.
TEST(SplitOptionArgument, OnlyDoubleDashOptionsSplitAtTheFirstEquals) {
    const std::tuple<const char*, const char*, std::optional<std::string>> cases[] = {
        {"--save=VELM-007.DAT", "--save", "VELM-007.DAT"}, {"--dir=", "--dir", ""},
        {"--center=1,2=3", "--center", "1,2=3"},           {"--json", "--json", std::nullopt},
        {"dep.lat=44N24", "dep.lat=44N24", std::nullopt},  {"-x=1", "-x=1", std::nullopt},
    };
    for (const auto& [argument, name, value] : cases) {
        const OptionArgument split = SplitOptionArgument(argument);
        EXPECT_EQ(std::pair(split.name, split.value), std::pair(std::string(name), value))
            << argument;
    }
}

// A command-line entry and the same value typed on the keypad give the same scheme.
TEST(CliRun, CommandLineEntryEqualsTypedEntry) {
    CommonOptions options;
    std::string error;
    ASSERT_TRUE(ParseCommonOptions({"dep.lat=44N24.5", "dep.lon=8.93", "arr.lat=40.7",
                                    "arr.lon=-74", "vp=12.3", "dep.tf=08:00:30"},
                                   {}, options, error));
    CliRun run(options, false);
    ASSERT_EQ(run.Run(), kExitOk);

    Scheme typed;
    TerminalMessages messages(false, false);
    ScriptedKeypad keypad(messages, typed.saved);
    SchemeEditor editor(typed, messages, keypad);
    const int typing[][6] = {{0, 0, 44, 24, 30, 'N'}, {0, 1, 8, 55, 48, 'E'},
                             {3, 0, 40, 42, 0, 'N'},  {3, 1, 74, 0, 0, 'W'},
                             {1, 1, 12, 3, 0, 0},     {0, 2, 8, 0, 30, 0}};
    for (const auto& t : typing) {
        keypad.Push(KeypadTyping::Fields(t[2], t[3], t[4], static_cast<char>(t[5])));
        ASSERT_EQ(editor.EditCell(t[0], t[1]), EditOutcome::Accepted) << t[0] << "," << t[1];
    }
    for (int g = 0; g < kGroups; ++g)
        for (int c = 0; c < kCellsPerGroup; ++c)
            EXPECT_EQ(std::pair(run.scheme().Value(g, c), run.scheme().State(g, c)),
                      std::pair(typed.Value(g, c), typed.State(g, c)))
                << g << "," << c;
}

TEST(Json, StringsAreEscapedAndNumbersReadBack) {
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("riga\runo\nx\ty"), "\"riga\\runo\\nx\\ty\"");
    EXPECT_EQ(JsonString(std::string("\x01\x1f", 2)), "\"\\u0001\\u001F\"");
    EXPECT_EQ(JsonString("Velocità 44°"), "\"Velocità 44°\"");  // UTF-8 passes through
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(JsonNumber(55.87819392276563), "55.87819392276563");
    EXPECT_EQ(JsonNumber(0.1), "0.1");
    EXPECT_EQ(JsonNumber(-2), "-2");
}

}  // namespace
}  // namespace velmar::cli
