#pragma once
// What the fuzz targets share: a message box that answers like a user who
// always says yes, a reader that turns fuzz bytes into choices, and the
// checks that stop the run with a named fault.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "brokenline/BrokenLine.h"
#include "core/Interaction.h"
#include "scheme/Scheme.h"
#include "store/SchemeFiles.h"

namespace velmar::fuzz {

/// Stops the run: the fuzzer keeps the input that got here.
[[noreturn]] inline void Fault(const char* what) {
    std::fprintf(stderr, "velmar fuzz fault: %s\n", what);
    std::abort();
}

inline void Require(bool condition, const char* what) {
    if (!condition) Fault(what);
}

/// Counts messages and answers Yes to questions, OK otherwise.
class QuietMessages : public MessageSink {
  public:
    int MsgBox(const Message& message) override {
        ++count;
        return message.buttons.find('Y') != std::string::npos ? kMsgYes : kMsgOk;
    }
    int count = 0;
};

/// Reads choices from the fuzz bytes; past the end every read gives zero.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t U8() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | (U8() << 8)); }
    /// A whole number that is mostly small but reaches the edges of int.
    int Int() {
        const std::uint8_t shape = U8();
        switch (shape % 8) {
            case 0:
                return static_cast<int>(static_cast<std::int32_t>(
                    static_cast<std::uint32_t>(U16()) | (static_cast<std::uint32_t>(U16()) << 16)));
            case 1:
                return -static_cast<int>(U8());
            case 2:
                return static_cast<int>(U16());
            default:
                return static_cast<int>(U8() % 100);
        }
    }
    double Double() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(U8()) << (8 * i);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    /// The rest of the input as text.
    std::string_view Rest() {
        const std::string_view rest(reinterpret_cast<const char*>(data_ + at_),
                                    at_ < size_ ? size_ - at_ : 0);
        at_ = size_;
        return rest;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

/// What must hold of the scheme and the broken line after every step the
/// program takes: states -1, 0 or 1, finite values, the 70 slots respected,
/// and a scheme the program can write and read back.
inline void CheckLiveRecords(const Scheme& scheme, const BrokenLine& line) {
    SchemeFileRecord schemeRecord;
    PointsFileRecord pointsRecord;
    EncodeScheme(scheme, schemeRecord);
    EncodeLine(line, pointsRecord);
    const RecordFault schemeFault = CheckSchemeRecord(schemeRecord);
    if (schemeFault != RecordFault::Ok) {
        std::fprintf(stderr, "scheme record fault: %s\n", RecordFaultText(schemeFault).c_str());
        Fault("the live scheme would be refused on reading");
    }
    const RecordFault pointsFault = CheckPointsRecord(pointsRecord);
    if (pointsFault != RecordFault::Ok) {
        std::fprintf(stderr, "points record fault: %s\n", RecordFaultText(pointsFault).c_str());
        Fault("the live broken line would be refused on reading");
    }
    for (int g = 0; g < kGroups; ++g) {
        for (int c = 0; c < kCellsPerGroup; ++c) {
            if (CellRef{g, c} == cells::Spacing) continue;  // its state byte holds NrPt
            const int state = scheme.State(g, c);
            Require(state >= -1 && state <= 1, "a cell state outside -1..1");
            Require(std::isfinite(scheme.Value(g, c)), "a cell value not finite");
        }
    }
    Require(line.n < kBrokenLineSlots, "the arrival index past the 70 slots");
}

}  // namespace velmar::fuzz
