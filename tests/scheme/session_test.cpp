// The session's own commands: start-up, "Leggi", "Scrivi", "Azzera..." and
// the exit question, over a temporary program folder.

#include "scheme/session/Session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/store/StoreTestSupport.h"

namespace velmar {
namespace {

using test::ReadBytes;
using test::ScriptedMessages;
using test::TempFolder;
using test::WriteBytes;

// A session over a folder of its own. A session over a folder that does not
// exist fails every save (and reads its pair as missing).
struct Program {
    explicit Program(const std::string& folder) : session(folder, messages) {}
    ScriptedMessages messages;
    Session session;

    // Enters a departure latitude as the keypad would: the scheme is then
    // not saved (the keypad clears the flag, not the solver).
    void Enter(double latitude = 44.4) {
        ASSERT_TRUE(
            session.solver().AcceptEntry(cells::DepLat.group, cells::DepLat.cell, latitude));
        session.scheme().saved = false;
    }
    bool HoldsEntry() const { return !session.scheme().IsEmpty(cells::DepLat); }
};

// The startup pair as a first session writes it, holding a latitude of 44.4.
void WriteStartupPair(const TempFolder& folder) {
    Program writer(folder.Path());
    writer.Enter();
    writer.messages.answers = {kMsgYes};
    ASSERT_EQ(writer.session.WriteStartup(), FileCommandOutcome::Done);
}

bool Exists(const TempFolder& folder, const char* name) {
    return std::filesystem::exists(folder.File(name));
}

TEST(SessionStart, MissingPairGivesAnEmptySchemeAndTheStartupPanel) {
    TempFolder folder;
    Program run(folder.Path());
    run.session.Start();
    EXPECT_TRUE(run.messages.shown.empty());
    EXPECT_FALSE(run.HoldsEntry());
    EXPECT_TRUE(run.session.scheme().saved);
    EXPECT_EQ(run.session.PanelText(), "File d'avvio");
}

// A damaged startup pair is reported and left as it is. Regression: a pair
// with one file gone read as an empty scheme without a word, under the
// startup description, as at a first start.
TEST(SessionStart, DamagedOrHalfStartupPairIsReportedNotReadAsEmpty) {
    const struct {
        const char* file;
        bool cut;  // cut in half, or gone
    } cases[] = {{"VELMAR.DAT", true}, {"PUNTI.DAT", false}, {"VELMAR.DAT", false}};
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.file) + (k.cut ? " cut" : " gone"));
        TempFolder folder;
        ASSERT_NO_FATAL_FAILURE(WriteStartupPair(folder));
        std::vector<std::uint8_t> bytes = ReadBytes(folder.File(k.file));
        bytes.resize(k.cut ? bytes.size() / 2 : 0);
        if (k.cut) WriteBytes(folder.File(k.file), bytes);
        if (!k.cut) std::filesystem::remove(folder.File(k.file));
        const auto pair = [&] {
            return std::pair(ReadBytes(folder.File("VELMAR.DAT")),
                             ReadBytes(folder.File("PUNTI.DAT")));
        };
        const auto before = pair();

        Program run(folder.Path());
        run.session.Start();
        ASSERT_EQ(run.messages.shown.size(), 1u);
        if (!k.cut) {
            EXPECT_EQ(run.messages.shown[0].note, "Manca " + folder.File(k.file));
        }
        EXPECT_EQ(run.session.PanelText(), "Errore nella lettura del file.");
        EXPECT_FALSE(run.HoldsEntry());
        // Nothing changed since: the exit asks nothing and writes no pair.
        EXPECT_TRUE(run.session.Exit(Settings{}));
        EXPECT_EQ(run.messages.shown.size(), 1u);
        EXPECT_EQ(pair(), before);
        EXPECT_EQ(Exists(folder, k.file), k.cut);
    }
}

TEST(SessionFiles, WrittenPairIsReadBackAndAnUnsavedSchemeIsNotOverwrittenOnNo) {
    TempFolder folder;
    {
        Program writer(folder.Path());
        writer.Enter(44.4);
        writer.messages.answers = {kMsgYes};
        ASSERT_EQ(writer.session.WriteStartup(), FileCommandOutcome::Done);
        EXPECT_EQ(writer.messages.Headers(),
                  std::vector<std::string>{"Sovrascrivi il file d'avvio..."});
        EXPECT_TRUE(writer.session.scheme().saved);
        EXPECT_EQ(writer.session.PanelText(), "File d'avvio");
        // Saved now: a second write asks nothing.
        EXPECT_EQ(writer.session.WriteStartup(), FileCommandOutcome::Done);
        EXPECT_EQ(writer.messages.shown.size(), 1u);
    }
    Program run(folder.Path());
    run.Enter(10);
    run.messages.answers = {kMsgNo};
    EXPECT_EQ(run.session.ReadStartup(), FileCommandOutcome::Declined);
    EXPECT_EQ(run.messages.Headers(), std::vector<std::string>{"Sovrascrivi lo schema attuale..."});
    EXPECT_EQ(run.session.scheme().Value(cells::DepLat), 10);
    EXPECT_FALSE(run.session.scheme().saved);

    run.messages.answers = {kMsgYes};
    EXPECT_EQ(run.session.ReadStartup(), FileCommandOutcome::Done);
    EXPECT_EQ(run.session.scheme().Value(cells::DepLat), 44.4);
    EXPECT_TRUE(run.session.scheme().saved);
}

// The three yes-or-no questions of "Leggi", "Scrivi" and "Azzera..." act
// only on Yes: the box closed without an answer (Cancel) must not replace
// the unsaved scheme, overwrite the startup pair or clear everything.
TEST(SessionFiles, ClosedQuestionBoxReadsWritesAndClearsNothing) {
    TempFolder folder;
    ASSERT_NO_FATAL_FAILURE(WriteStartupPair(folder));
    const std::vector<std::uint8_t> pair = ReadBytes(folder.File("VELMAR.DAT"));
    const struct {
        const char* name;
        bool saved;
        std::function<bool(Session&)> run;  // true when the command acted
    } cases[] = {
        {"Leggi", false,
         [](Session& s) { return s.ReadStartup() != FileCommandOutcome::Declined; }},
        {"Scrivi", false,
         [](Session& s) { return s.WriteStartup() != FileCommandOutcome::Declined; }},
        {"Azzera...", true, [](Session& s) { return s.ClearCommand(); }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Program run(folder.Path());
        run.Enter(10);
        run.session.scheme().saved = k.saved;
        run.messages.answers = {kMsgCancel};
        EXPECT_FALSE(k.run(run.session));
        EXPECT_EQ(run.messages.shown.size(), 1u);
        EXPECT_EQ(run.session.scheme().Value(cells::DepLat), 10);
        EXPECT_EQ(ReadBytes(folder.File("VELMAR.DAT")), pair);
    }
}

TEST(SessionFiles, FailedWriteSaysSoInThePanel) {
    TempFolder folder;
    Program run(folder.File("missing"));
    EXPECT_EQ(run.session.WriteStartup(), FileCommandOutcome::Failed);
    EXPECT_EQ(run.session.PanelText(), "Errore nella scrittura del file.");
}

// "Azzera..." and the exit: the question asked, what each answer does, and
// that a failed save keeps the scheme. The settings are written exactly when
// the program ends, and a program that stays keeps its scheme.
TEST(SessionClearAndExit, QuestionsAnswersAndWhatIsClearedOrWritten) {
    const char* clear = "Salvare lo schema nel file d'avvio prima di azzerare...";
    const char* exit = "Salvare lo schema nel file d'avvio prima di uscire...";
    const struct {
        const char* name;
        bool exit, unsaved;
        int answer;  // 0: none expected
        bool saveFails, ends, pairWritten;
        const char* question;  // or none
    } cases[] = {
        {"clear saved, Yes", false, false, kMsgYes, false, true, false, "Azzerare tutto.."},
        {"clear saved, No", false, false, kMsgNo, false, false, false, "Azzerare tutto.."},
        {"clear unsaved, Yes saves then clears", false, true, kMsgYes, false, true, true, clear},
        {"clear unsaved, No clears unsaved", false, true, kMsgNo, false, true, false, clear},
        {"clear unsaved, Cancel", false, true, kMsgCancel, false, false, false, clear},
        {"clear unsaved, Yes but the save fails", false, true, kMsgYes, true, false, false, clear},
        {"exit saved: no question", true, false, 0, false, true, false, nullptr},
        {"exit unsaved, Cancel stays", true, true, kMsgCancel, false, false, false, exit},
        {"exit unsaved, Yes writes the pair", true, true, kMsgYes, false, true, true, exit},
        {"exit unsaved, Yes but the save fails", true, true, kMsgYes, true, false, false, exit},
        {"exit unsaved, No ends without the pair", true, true, kMsgNo, false, true, false, exit},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        TempFolder folder;
        Program run(k.saveFails ? folder.File("missing") : folder.Path());
        run.Enter();
        if (!k.unsaved) run.session.scheme().saved = true;
        if (k.answer) run.messages.answers = {k.answer};
        Settings settings;
        settings.graticule = false;
        EXPECT_EQ(k.exit ? run.session.Exit(settings) : run.session.ClearCommand(), k.ends);
        // The question, and after a failed save the write error.
        ASSERT_EQ(run.messages.shown.size(), (k.question ? 1u : 0u) + (k.saveFails ? 1u : 0u));
        if (k.question) {
            EXPECT_EQ(run.messages.shown[0].header, k.question);
            EXPECT_EQ(run.messages.shown[0].buttons, k.unsaved ? "YNC" : "YN");
        }
        EXPECT_EQ(Exists(folder, "VELMAR.DAT"), k.pairWritten);
        EXPECT_EQ(run.HoldsEntry(), k.exit || !k.ends);
        if (!k.exit && k.ends) {
            EXPECT_EQ(run.session.scheme().history[0], CellRef{});
        }
        EXPECT_EQ(Exists(folder, "VELMAR3.INI"), k.exit && k.ends);
        if (k.exit && k.ends) {
            EXPECT_EQ(Settings::Read(folder.Path()), settings);
        }
    }
}

}  // namespace
}  // namespace velmar
