// Writing a file the user named: a new file is written, an existing one is
// replaced only after Yes, and a failed write leaves what was there.
#include "store/ExportFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/TestFiles.h"
#include "tests/scheme/SchemeFakes.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;

TEST(ExportFile, AsksBeforeReplacingAndLosesNothingOnFailure) {
    enum Setup { Absent, Present, FolderInTheWay };
    const struct {
        const char* name;
        Setup setup;
        int answer;  // to the overwrite question, when asked
        ExportOutcome outcome;
        const char* icons;  // of the messages shown, in order
        const char* content;
    } rows[] = {
        {"new file", Absent, kMsgNo, ExportOutcome::Written, "", "new"},
        {"existing, No", Present, kMsgNo, ExportOutcome::Declined, "?", "old"},
        {"existing, closed box", Present, kMsgCancel, ExportOutcome::Declined, "?", "old"},
        {"existing, Yes", Present, kMsgYes, ExportOutcome::Written, "?", "new"},
        // The rename cannot put a file over a folder: the folder stays, and
        // the temporary is gone.
        {"a folder of that name, Yes", FolderInTheWay, kMsgYes, ExportOutcome::Failed, "?E", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const test::TempFolder dir;
        const fs::path file = dir.File("spezzata.gpx");
        if (r.setup == Present) std::ofstream(file, std::ios::binary) << "old";
        if (r.setup == FolderInTheWay) fs::create_directory(file);
        testing::RecordingMessages messages;
        messages.answers = {r.answer, kMsgOk};
        const std::string bytes = "new";
        EXPECT_EQ(ExportFile(file.string(),
                             {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()},
                             "Velmar: Esporta GPX", messages),
                  r.outcome);
        EXPECT_EQ(r.setup == FolderInTheWay ? "" : test::Slurp(file), r.content);
        std::string icons;
        for (const Message& m : messages.shown) icons += m.icon;
        EXPECT_EQ(icons, r.icons);
        if (r.setup != Absent) {
            EXPECT_EQ(messages.shown[0].header, file.string());
            EXPECT_EQ(messages.shown[0].message, "Il file esiste già. Vuoi sostituirlo?");
            EXPECT_EQ(messages.shown[0].buttons, "YN");
        }
        // Nothing is left beside the file.
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 1);
    }
}

}  // namespace
}  // namespace velmar
