// Where the program keeps its files, writable or installed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "store/ProgramFolder.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;

TEST(ChooseProgramFolders, WritableBesideTheProgramElseTheUsersFolderWithTheBundledData) {
    const fs::path root = fs::temp_directory_path() / ("velmar-folders-" + std::to_string(getpid()));
    fs::remove_all(root);
    const fs::path exe = root / "bin", share = root / "share", user = root / "user" / "velmar";
    fs::create_directories(exe);
    fs::create_directories(share);
    std::ofstream(share / "PORTI.TXT") << "GENOVA,44.4,8.9\n";

    const ProgramFolders writable = ChooseProgramFolders(exe.string(), user.string(), {share});
    EXPECT_EQ(writable.program, exe.string());
    EXPECT_EQ(writable.data, exe.string());
    EXPECT_FALSE(fs::exists(user));
    EXPECT_TRUE(fs::is_empty(exe));  // the probe is gone

    // /proc takes no new file, not even from root (the tests may run as root).
    const ProgramFolders installed = ChooseProgramFolders("/proc", user.string(), {share});
    EXPECT_EQ(installed.program, user.string());
    EXPECT_EQ(installed.data, share.string());
    EXPECT_TRUE(fs::is_directory(user));
    EXPECT_FALSE(FolderWritable((root / "missing").string()));
    fs::remove_all(root);
}

}  // namespace
}  // namespace velmar
