// The archive commands where the window cannot easily reach: every number in
// use, a declined overwrite, a scheme file without its points file.

#include "scheme/session/ArchiveCommands.h"

#include <gtest/gtest.h>

#include "tests/store/StoreTestSupport.h"

namespace velmar {
namespace {

TEST(ArchiveCommands, WritesNothingItCannotNameOrMayNotOverwrite) {
    test::TempFolder folder;
    test::ScriptedMessages messages;
    Session session(folder.Path(), messages);
    session.SetPanelText("prima");
    std::vector<ArchiveEntry> all;
    for (int n = 1; n <= kArchiveMaxNumber; ++n) all.push_back({ArchiveFileName(n), "", true});
    EXPECT_EQ(WriteArchive(session, folder.Path(), "nuovo", "", 0, all),
              FileCommandOutcome::Declined);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].header, kArchiveFullText);

    ASSERT_EQ(WriteArchive(session, folder.Path(), "primo", "", 5, {}), FileCommandOutcome::Done);
    messages.answers = {kMsgNo};
    EXPECT_EQ(WriteArchive(session, folder.Path(), "secondo", "VELM-005.DAT", 0, {}),
              FileCommandOutcome::Declined);
    EXPECT_EQ(session.files().Description(), "primo");
    EXPECT_EQ(session.PanelText(), "primo");
    EXPECT_EQ(PreviewArchive(messages, folder.Path(), "VELM-005.DAT"), "primo");
}

TEST(ArchiveCommands, APairWithoutItsPointsFileReadsNothingAndSaysSo) {
    test::TempFolder folder;
    test::ScriptedMessages messages;
    Session session(folder.Path(), messages);
    ASSERT_EQ(WriteArchive(session, folder.Path(), "primo", "", 2, {}), FileCommandOutcome::Done);
    std::filesystem::remove(folder.File("PUNT-002.DAT"));
    session.SetPanelText("prima");
    EXPECT_EQ(ReadArchive(session, folder.Path(), "VELM-002.DAT"), FileCommandOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].note.find("PUNT-002.DAT"), std::string::npos);
    EXPECT_EQ(session.PanelText(), "prima");
}

}  // namespace
}  // namespace velmar
