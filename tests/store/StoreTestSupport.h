#pragma once
// A temporary folder per test, file and record helpers, and the scripted message box.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "store/SchemeFiles.h"
#include "tests/scheme/SchemeFakes.h"

namespace velmar::test {

// Made empty for one test and removed with everything in it afterwards.
struct TempFolder {
    TempFolder() { EXPECT_NE(::mkdtemp(path.data()), nullptr); }
    ~TempFolder() { std::filesystem::remove_all(path, ignored); }
    std::string Path() const { return path; }
    std::string File(const std::string& name) const { return path + "/" + name; }

    std::string path = (std::filesystem::temp_directory_path() / "velmar-XXXXXX").string();
    std::error_code ignored;
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Writes any contiguous run of bytes or characters (a vector, a string, a record's array).
template <typename Bytes>
void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(std::data(bytes)),
               static_cast<std::streamsize>(std::size(bytes)));
}

/// A scheme's or a line's stored fields as a fresh record holds them, bit for
/// bit (NaN patterns and signed zeros count).
inline std::vector<std::uint8_t> Stored(const Scheme& scheme) {
    SchemeFileRecord record;
    EncodeScheme(scheme, record);
    return {record.bytes.begin(), record.bytes.end()};
}

inline std::vector<std::uint8_t> Stored(const BrokenLine& line) {
    PointsFileRecord record;
    EncodeLine(line, record);
    return {record.bytes.begin(), record.bytes.end()};
}

using ScriptedMessages = velmar::testing::RecordingMessages;

}  // namespace velmar::test
