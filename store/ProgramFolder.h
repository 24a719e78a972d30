#pragma once
// Where the program keeps its files. The program folder is the executable's
// own: the startup pair, the archive and the settings live there beside the
// bundled data, as in a build or a copied program. An installed program keeps
// its data apart (in <prefix>/share/velmar beside <prefix>/bin) and its
// folder is usually not writable; then everything the program writes goes to
// the user's data folder, and the bundled data is read from the folder that
// holds it.

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

/// The folders for an executable in `exeFolder`. The data folder is the
/// first of `exeFolder` and `shareFolders` that holds the ports list
/// (`exeFolder` when none does). The program folder is `exeFolder` when it
/// is writable and the data is not elsewhere; otherwise `userFolder`
/// (created when missing). So an installed program writes nothing into its
/// install, even where it could (run by root, or installed into a folder of
/// the user's), and a writable folder without any data keeps its files.
ProgramFolders ChooseProgramFolders(const std::string& exeFolder, const std::string& userFolder,
                                    const std::vector<std::string>& shareFolders);

}  // namespace velmar
