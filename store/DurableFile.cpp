#include "store/DurableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace velmar {
namespace {

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd = -1;
    do {
        fd = ::open(path, flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

void FlushFolderOf(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) folder = ".";
    const int fd = OpenRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: some file systems refuse to flush a folder
    ::close(fd);
}

}  // namespace

std::string TemporaryPathFor(const std::string& target) {
    return target + ".tmp";
}

FileStep WriteFlushed(const std::string& path, std::span<const std::uint8_t> bytes) {
    const int fd = OpenRetrying(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0644);
    if (fd < 0) return FileStep::Open;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            ok = false;
        }
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    const bool closed = ::close(fd) == 0;
    if (!ok || !closed) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        return ok ? FileStep::Close : FileStep::Transfer;
    }
    return FileStep::Done;
}

bool RenameFlushed(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    FlushFolderOf(to);
    return true;
}

FileStep ReplaceFileContents(const std::string& target, std::span<const std::uint8_t> bytes) {
    const std::string temporary = TemporaryPathFor(target);
    const FileStep written = WriteFlushed(temporary, bytes);
    if (written != FileStep::Done) return written;
    if (!RenameFlushed(temporary, target)) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return FileStep::Close;
    }
    return FileStep::Done;
}

FileStep ReadPrefix(const std::string& path, std::size_t count, std::vector<std::uint8_t>& out) {
    out.assign(count, 0);
    // Without blocking, and regular files only: a pipe or a device put in
    // place of a data file must not hang the program at start-up.
    const int fd = OpenRetrying(path.c_str(), O_RDONLY | O_NONBLOCK);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        out.clear();
        return FileStep::Open;
    }
    if (fd < 0) {
        out.clear();
        return FileStep::Open;
    }
    std::size_t done = 0;
    bool ok = true;
    while (done < count) {
        const ssize_t n = ::read(fd, out.data() + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            ok = false;
            break;
        }
    }
    ::close(fd);
    out.resize(done);
    return ok ? FileStep::Done : FileStep::Transfer;
}

}  // namespace velmar
