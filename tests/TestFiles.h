#pragma once
// File helpers shared by the suites that touch the disk: a temporary folder
// per test, whole-file reads and writes, and a substring count.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace velmar::test {

// Made empty for one test and removed with everything in it afterwards.
struct TempFolder {
    TempFolder() { EXPECT_NE(::mkdtemp(path.data()), nullptr); }
    ~TempFolder() { std::filesystem::remove_all(path, ignored); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string Path() const { return path; }
    std::string File(const std::string& name) const { return path + "/" + name; }

    std::string path = (std::filesystem::temp_directory_path() / "velmar-XXXXXX").string();
    std::error_code ignored;
};

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Writes any contiguous run of bytes or characters (a vector, a string, a record's array).
template <typename Bytes>
void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(std::data(bytes)),
               static_cast<std::streamsize>(std::size(bytes)));
}

/// How many times `what` occurs in `text`, overlapping occurrences included.
inline std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

}  // namespace velmar::test
