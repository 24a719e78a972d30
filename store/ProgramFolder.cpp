#include "store/ProgramFolder.h"

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace velmar {

namespace fs = std::filesystem;

bool FolderWritable(const std::string& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return false;
    const fs::path probe = fs::path(folder) / (".velmar-probe-" + std::to_string(::getpid()));
    {
        std::ofstream file(probe, std::ios::binary | std::ios::trunc);
        if (!file) return false;
        file << 'x';
        if (!file.flush()) {
            fs::remove(probe, ec);
            return false;
        }
    }
    fs::remove(probe, ec);
    return true;
}

ProgramFolders ChooseProgramFolders(const std::string& exeFolder, const std::string& userFolder,
                                    const std::vector<std::string>& shareFolders) {
    std::error_code ec;
    std::string data = exeFolder;
    std::vector<std::string> candidates{exeFolder};
    candidates.insert(candidates.end(), shareFolders.begin(), shareFolders.end());
    for (const std::string& candidate : candidates) {
        if (fs::exists(fs::path(candidate) / "PORTI.TXT", ec)) {
            data = candidate;
            break;
        }
    }
    if (data == exeFolder && FolderWritable(exeFolder)) return {exeFolder, exeFolder};
    fs::create_directories(userFolder, ec);
    return {userFolder, data};
}

}  // namespace velmar
