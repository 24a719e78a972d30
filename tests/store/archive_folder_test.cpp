#include "store/ArchiveFolder.h"

#include <gtest/gtest.h>

#include "store/SchemeFiles.h"
#include "tests/store/StoreTestSupport.h"

namespace velmar {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ArchiveFolder, ListsMatchingSchemeFilesWithDescriptions) {
    test::TempFolder folder;
    test::ScriptedMessages messages;
    SchemeFiles files(folder.Path(), messages);
    Scheme scheme;
    for (const auto& [key, text] :
         {std::pair{"VELM-003.DAT", "Genova - Olbia"}, std::pair{"VELM-001.DAT", "Città"}}) {
        files.SetDescription(text);
        ASSERT_TRUE(files.SaveSchemeFiles(key, SaveMode::Plain, scheme, BrokenLine{}));
    }
    test::WriteBytes(folder.File("velm-002.dat"), Bytes(328, 200));  // damaged length
    for (const char* other : {"VELM-0004.DAT", "VELM-05.DAT", "VELMAR.DAT", "VELM-004.TXT"}) {
        test::WriteBytes(folder.File(other), Bytes(328, 0));
    }
    std::filesystem::create_directory(folder.File("VELM-009.DAT"));
    std::string listed;
    for (const ArchiveEntry& entry : ListArchive(folder.Path())) {
        listed += entry.fileName + " " + entry.description + (entry.readable ? "\n" : "(!)\n");
    }
    EXPECT_EQ(listed, "VELM-001.DAT Città\nVELM-003.DAT Genova - Olbia\nvelm-002.dat (!)\n");
    EXPECT_TRUE(ListArchive(folder.File("missing")).empty());
    EXPECT_EQ(ReadDescription(folder.File("VELM-003.DAT")).description, "Genova - Olbia");
    EXPECT_EQ(ReadDescription(folder.File("missing")).status, PreviewStatus::CannotOpen);
    test::WriteBytes(folder.File("short"), Bytes(64, 0));
    EXPECT_EQ(ReadDescription(folder.File("short")).status, PreviewStatus::CannotRead);
}

TEST(ArchiveFolder, NextNumberIsCountPlusOneUntilTheLimit) {
    EXPECT_EQ(ArchiveFileName(42), "VELM-042.DAT");
    EXPECT_EQ(ArchiveFileName(1000), "");
    std::vector<ArchiveEntry> entries;
    EXPECT_EQ(NextArchiveNumber(entries), 1);
    entries = {{"VELM-001.DAT", "", true}, {"VELM-003.DAT", "", true}};
    EXPECT_EQ(NextArchiveNumber(entries), 3);  // an existing number: the overwrite question follows
    EXPECT_EQ(ArchiveWriteName("", 0, entries), "VELM-003.DAT");
    EXPECT_EQ(ArchiveWriteName("", 42, entries), "VELM-042.DAT");
    EXPECT_EQ(ArchiveWriteName("VELM-001.DAT", 42, entries), "VELM-001.DAT");  // the pick wins
    // 999 listed files, 500 free: the count would give 1000, outside the mask.
    entries.clear();
    for (int n = 1; n <= 999; ++n) {
        if (n != 500) entries.push_back({ArchiveFileName(n), "", true});
    }
    entries.push_back({"VELM-ABC.DAT", "", true});
    EXPECT_EQ(NextArchiveNumber(entries), 500);
    entries.back().fileName = ArchiveFileName(500);
    EXPECT_EQ(NextArchiveNumber(entries), std::nullopt);
    EXPECT_EQ(ArchiveWriteName("", 0, entries), "");
}

}  // namespace
}  // namespace velmar
