// The scheme pair decoder: the input is a scheme file followed by a points
// file (split after the scheme record's 328 bytes, so either may be short or
// the points file long). As a load does, a short file is refused, a longer
// one is read up to its record, both records are checked, and only a pair
// that passes is decoded; the program then solves the loaded scheme, opens
// the points window on it and draws its chart marks.

#include <algorithm>

#include "brokenline/BrokenLineEngine.h"
#include "chart/ChartMarks.h"
#include "fuzz/FuzzSupport.h"
#include "scheme/Solver.h"

using namespace velmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t schemeBytes = std::min(size, kSchemeFileRecordSize);
    const std::size_t pointsBytes = size - schemeBytes;

    SchemeFileRecord schemeRecord;
    PointsFileRecord pointsRecord;
    std::copy(data, data + schemeBytes, schemeRecord.bytes.begin());
    std::copy(data + schemeBytes, data + schemeBytes + std::min(pointsBytes, kPointsFileRecordSize),
              pointsRecord.bytes.begin());

    // Decoding an unchecked record must be safe too, and the description of
    // any record readable.
    {
        Scheme scheme;
        BrokenLine line;
        DecodeScheme(schemeRecord, scheme);
        DecodeLine(pointsRecord, line);
        (void)RecordDescription(schemeRecord);
        fuzz::Require(ArrivalIndex(line) < kBrokenLineSlots, "ArrivalIndex past the table");
    }

    if (schemeBytes < kSchemeFileRecordSize || pointsBytes < kPointsFileRecordSize) return 0;
    if (CheckSchemeRecord(schemeRecord) != RecordFault::Ok) return 0;
    if (CheckPointsRecord(pointsRecord) != RecordFault::Ok) return 0;

    Scheme scheme;
    BrokenLine line;
    DecodeScheme(schemeRecord, scheme);
    DecodeLine(pointsRecord, line);

    // A checked pair goes back to the same bytes in every field the program owns.
    SchemeFileRecord schemeAgain = schemeRecord;
    PointsFileRecord pointsAgain = pointsRecord;
    EncodeScheme(scheme, schemeAgain);
    EncodeLine(line, pointsAgain);
    fuzz::Require(schemeAgain.bytes == schemeRecord.bytes, "scheme record does not round-trip");
    fuzz::Require(pointsAgain.bytes == pointsRecord.bytes, "points record does not round-trip");
    fuzz::CheckLiveRecords(scheme, line);

    // What the program does with a loaded pair: redisplay, solve, and, with a
    // great circle, the points window's recompute and the chart's marks.
    fuzz::QuietMessages messages;
    scheme.Redisplay();
    SchemeSolver solver(scheme, messages);
    solver.SolveToFixpoint();
    fuzz::CheckLiveRecords(scheme, line);
    (void)ComputeChartMarks(scheme, line);
    if (!scheme.IsEmpty(cells::Ri) && !scheme.IsEmpty(cells::mo)) {
        BrokenLineWork work;
        BrokenLineEngine engine(scheme, line, work, messages);
        engine.Activate();
        fuzz::CheckLiveRecords(scheme, line);
        (void)ComputeChartMarks(scheme, line);
    }
    return 0;
}
