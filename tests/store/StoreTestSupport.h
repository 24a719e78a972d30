#pragma once
// The file helpers, a record's stored bytes, and the scripted message box.

#include <cstdint>
#include <vector>

#include "store/SchemeFiles.h"
#include "tests/TestFiles.h"
#include "tests/scheme/SchemeFakes.h"

namespace velmar::test {

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
