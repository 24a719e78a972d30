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
    EXPECT_EQ(run.session.FileName(), "velmar.dat");
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

TEST(SessionClearCommand, QuestionsAnswersAndWhatIsCleared) {
    struct Case {
        const char* name;
        bool unsaved;
        int answer;
        bool saveFails;
        bool cleared;
        bool pairWritten;
        const char* question;
    };
    const char* offer = "Salvare lo schema nel file d'avvio prima di azzerare...";
    const Case cases[] = {
        {"saved, Yes", false, kMsgYes, false, true, false, "Azzerare tutto.."},
        {"saved, No", false, kMsgNo, false, false, false, "Azzerare tutto.."},
        {"unsaved, Yes saves then clears", true, kMsgYes, false, true, true, offer},
        {"unsaved, No clears unsaved", true, kMsgNo, false, true, false, offer},
        {"unsaved, Cancel", true, kMsgCancel, false, false, false, offer},
        {"unsaved, Yes but the save fails", true, kMsgYes, true, false, false, offer},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TempFolder folder;
        Program run(k.saveFails ? folder.File("missing") : folder.Path());
        run.Enter();
        if (!k.unsaved) run.session.scheme().saved = true;
        run.messages.answers = {k.answer};
        EXPECT_EQ(run.session.ClearCommand(), k.cleared);
        // The question, and after a failed save the write error.
        ASSERT_EQ(run.messages.shown.size(), k.saveFails ? 2u : 1u);
        EXPECT_EQ(run.messages.shown[0].header, k.question);
        EXPECT_EQ(run.HoldsEntry(), !k.cleared);
        if (k.cleared) {
            EXPECT_EQ(run.session.scheme().history[0], CellRef{});
        }
        EXPECT_EQ(Exists(folder, "VELMAR.DAT"), k.pairWritten);
    }
}

TEST(SessionExit, QuestionPairAndSettings) {
    struct Case {
        const char* name;
        bool unsaved;
        int answer;
        bool saveFails;
        bool ends;
        bool pairWritten;
    };
    const Case cases[] = {
        {"saved: no question", false, 0, false, true, false},
        {"unsaved, Cancel stays", true, kMsgCancel, false, false, false},
        {"unsaved, Yes writes the pair", true, kMsgYes, false, true, true},
        {"unsaved, Yes but the save fails: stays", true, kMsgYes, true, false, false},
        {"unsaved, No ends without the pair", true, kMsgNo, false, true, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TempFolder folder;
        Program run(k.saveFails ? folder.File("missing") : folder.Path());
        run.Enter();
        if (!k.unsaved) run.session.scheme().saved = true;
        if (k.answer) run.messages.answers = {k.answer};
        Settings settings;
        settings.graticule = false;
        EXPECT_EQ(run.session.Exit(settings), k.ends);
        if (!k.unsaved) {
            EXPECT_TRUE(run.messages.shown.empty());
        } else {
            ASSERT_FALSE(run.messages.shown.empty());
            EXPECT_EQ(run.messages.shown[0].header,
                      "Salvare lo schema nel file d'avvio prima di uscire...");
            EXPECT_EQ(run.messages.shown[0].buttons, "YNC");
        }
        EXPECT_EQ(Exists(folder, "VELMAR.DAT"), k.pairWritten);
        // The settings are written exactly when the program ends.
        EXPECT_EQ(Exists(folder, "VELMAR3.INI"), k.ends);
        if (k.ends) {
            EXPECT_EQ(Settings::Read(folder.Path()), settings);
        }
        // A program that stays keeps its scheme.
        EXPECT_TRUE(k.ends || run.HoldsEntry());
    }
}

}  // namespace
}  // namespace velmar
