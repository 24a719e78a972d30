// Where the program keeps its files: a build or a copied program beside
// itself, an installed one in the user's folder with the install's data.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>

#include "store/ProgramFolder.h"
#include "tests/TestFiles.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;

enum class Exe { WithData, Writable, ReadOnly };
enum class Want { Exe, User, Share0, Share1 };

struct FolderCase {
    const char* what;
    Exe exe;
    bool share0HasData;
    bool share1HasData;
    Want program;
    Want data;
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << c.what;
}

class ChooseProgramFoldersTest : public testing::TestWithParam<FolderCase> {
  protected:
    void SetUp() override {
        for (const char* folder : {"bin", "share0", "share1"}) fs::create_directory(root_ / folder);
    }

    static void PutPorts(const fs::path& folder) {
        std::ofstream(folder / "PORTI.TXT") << "GENOVA,44.4,8.9\n";
    }
    std::string Folder(Want want, const std::string& exe) const {
        switch (want) {
            case Want::Exe:
                return exe;
            case Want::User:
                return (root_ / "user" / "velmar").string();
            case Want::Share0:
                return (root_ / "share0").string();
            case Want::Share1:
                return (root_ / "share1").string();
        }
        return {};
    }

    test::TempFolder folder_;
    const fs::path root_ = folder_.Path();
};

TEST_P(ChooseProgramFoldersTest, WritesBesideTheProgramOnlyWhenItsDataIsThere) {
    const FolderCase& c = GetParam();
    // /proc takes no new file, not even from root (the tests may run as root).
    const std::string exe = c.exe == Exe::ReadOnly ? "/proc" : (root_ / "bin").string();
    if (c.exe == Exe::WithData) PutPorts(exe);
    if (c.share0HasData) PutPorts(root_ / "share0");
    if (c.share1HasData) PutPorts(root_ / "share1");
    const std::string user = Folder(Want::User, exe);

    const ProgramFolders folders =
        ChooseProgramFolders(exe, user, {Folder(Want::Share0, exe), Folder(Want::Share1, exe)});

    EXPECT_EQ(folders.program, Folder(c.program, exe));
    EXPECT_EQ(folders.data, Folder(c.data, exe));
    // The user's folder is made only when it is used.
    EXPECT_EQ(fs::is_directory(user), c.program == Want::User);
    // The probe file is gone: nothing is left in the executable's folder.
    if (c.exe == Exe::Writable) {
        EXPECT_TRUE(fs::is_empty(root_ / "bin"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ChooseProgramFoldersTest,
    testing::Values(
        // The build copies the data beside the program: everything stays there,
        // even with an installed copy's data on the machine.
        FolderCase{"Build", Exe::WithData, true, false, Want::Exe, Want::Exe},
        // Installed where the user cannot write.
        FolderCase{"InstalledReadOnly", Exe::ReadOnly, true, false, Want::User, Want::Share0},
        // Installed into a writable prefix, or run by root from /usr/bin: the
        // install is still left as it was installed.
        FolderCase{"InstalledWritable", Exe::Writable, true, false, Want::User, Want::Share0},
        // The first share folder that holds the data wins.
        FolderCase{"SecondShare", Exe::ReadOnly, false, true, Want::User, Want::Share1},
        FolderCase{"FirstOfTwoShares", Exe::Writable, true, true, Want::User, Want::Share0},
        // No data anywhere: a writable folder keeps the files (the ports
        // window then says the list is missing, with the folder's path).
        FolderCase{"WritableWithoutData", Exe::Writable, false, false, Want::Exe, Want::Exe},
        FolderCase{"ReadOnlyWithoutData", Exe::ReadOnly, false, false, Want::User, Want::Exe}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.what); });

TEST(FolderWritable, MissingOrReadOnlyFolderIsNot) {
    EXPECT_FALSE(FolderWritable("/nonexistent-velmar-folder"));
    EXPECT_FALSE(FolderWritable("/proc"));
}

}  // namespace
}  // namespace velmar
