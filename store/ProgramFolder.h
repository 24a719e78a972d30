#pragma once
// Where the program keeps its files. The program folder is the executable's
// own: the startup pair, the archive and the settings live there beside the
// bundled data. An installed program's folder is usually not writable; then
// everything the program writes goes to the user's data folder, and the
// bundled data is read from beside the executable or from the install's
// share folder.

#include <string>
#include <vector>

namespace velmar {

struct ProgramFolders {
    std::string program;  ///< where the scheme pairs and the settings are read and written
    std::string data;     ///< where the ports list and the world maps are read
};

/// Whether a file can be created in `folder` (tried with a probe file that
/// is removed again).
bool FolderWritable(const std::string& folder);

/// The folders for an executable in `exeFolder`: that folder for both when
/// it is writable; otherwise `userFolder` (created when missing) for the
/// program's own files, and for the data the first of `exeFolder` and
/// `shareFolders` that holds the ports list (`exeFolder` when none does).
ProgramFolders ChooseProgramFolders(const std::string& exeFolder, const std::string& userFolder,
                                    const std::vector<std::string>& shareFolders);

}  // namespace velmar
