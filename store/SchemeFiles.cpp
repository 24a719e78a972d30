#include "store/SchemeFiles.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "core/GreatCircle.h"
#include "core/Quantity.h"
#include "scheme/Solver.h"
#include "store/Cp1252.h"
#include "store/DurableFile.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;

// Scheme file record offsets.
constexpr std::size_t kDescLengthAt = 0;
constexpr std::size_t kDescAt = 1;
constexpr std::size_t kValuesAt = 72;
constexpr std::size_t kStatesAt = 264;
constexpr std::size_t kMarkersAt = 288;
// Points file record offsets.
constexpr std::size_t kHeaderAt = 0;
constexpr std::size_t kParametersAt = 8;
constexpr std::size_t kPointsAt = 48;

static_assert(kValuesAt + 8 * kGroups * kCellsPerGroup == kStatesAt);
static_assert(kStatesAt + kGroups * kCellsPerGroup == kMarkersAt);
static_assert(kMarkersAt + kMarkerSlots + 6 == kSchemeFileRecordSize);
static_assert(kPointsAt + 16 * kBrokenLineSlots == kPointsFileRecordSize);

const char* const kTitle = "Velmar3: Archivio";
const char* const kOpenHeader = "Errore nel'apertura del file.";
const char* const kCloseHeader = "Errore nella chiusura del file.";

void PutDouble(std::uint8_t* at, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) at[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

double GetDouble(const std::uint8_t* at) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(at[i]) << (8 * i);
    return std::bit_cast<double>(bits);
}

std::size_t CellIndex(int group, int cell) {
    return static_cast<std::size_t>(group * kCellsPerGroup + cell);
}

// Whether `rule` may own marker `slot`: one of the solver's rules claims
// that slot; every other slot stays 0.
bool MarkerAllowed(int slot, int rule) {
    if (rule == 0) return true;
    return std::ranges::any_of(SolverRules(), [slot, rule](const SolverRule& r) {
        return r.slot == slot && r.number == rule;
    });
}

// Whether a set cell's value can be worked with: a position beyond the pole
// or the antimeridian, or a magnitude no time, date, course, speed or
// distance comes near (1e155), would make the solver fill the scheme with
// values that are not numbers. Only such values are refused, so that any
// scheme the program wrote still loads.
bool ValueUsable(int group, int cell, double value) {
    constexpr double kLargestMagnitude = 1e7;  // beyond the day number of 31-12-9999
    switch (KindOf(group, cell)) {
        case QuantityKind::Latitude:
            return std::fabs(value) <= 90;
        case QuantityKind::Longitude:
            return std::fabs(value) <= 180 || value == NO_LONGITUDE;
        case QuantityKind::Method:
            return true;  // checked on its own below
        default:
            return std::fabs(value) <= kLargestMagnitude;
    }
}

// A key is a bare file name: it must not lead out of the folder.
bool IsPlainKey(const std::string& key) {
    if (key.empty() || key == "." || key == "..") return false;
    return key.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

void RemoveRegularFile(const std::string& path) {
    std::error_code ignored;
    if (IsRegularFile(path)) fs::remove(path, ignored);
}

// A save writes both temporaries, renames the scheme file into place and then
// the points file. A scheme temporary left over means the save never reached
// its first rename: the old pair is whole, the leftovers are dropped. A points
// temporary alone means the scheme file of that save is in place and only the
// last rename is missing: it is finished here, so the pair read is the pair
// written.
void FinishInterruptedSave(const PairPaths& paths) {
    const std::string schemeTemporary = TemporaryPathFor(paths.schemeFile);
    const std::string pointsTemporary = TemporaryPathFor(paths.pointsFile);
    if (IsRegularFile(schemeTemporary)) {
        // The points temporary goes first: left alone it would mean the
        // scheme file is in place, and the next read would finish the save.
        RemoveRegularFile(pointsTemporary);
        RemoveRegularFile(schemeTemporary);
        return;
    }
    if (!IsRegularFile(pointsTemporary)) return;
    std::vector<std::uint8_t> bytes;
    PointsFileRecord record;
    const bool whole =
        ReadPrefix(pointsTemporary, kPointsFileRecordSize + 1, bytes) == FileStep::Done &&
        bytes.size() == kPointsFileRecordSize;
    if (whole) std::copy(bytes.begin(), bytes.end(), record.bytes.begin());
    if (whole && CheckPointsRecord(record) == RecordFault::Ok &&
        RenameFlushed(pointsTemporary, paths.pointsFile)) {
        return;
    }
    RemoveRegularFile(pointsTemporary);
}

}  // namespace

std::string RecordFaultText(RecordFault fault) {
    switch (fault) {
        case RecordFault::Ok:
            return "";
        case RecordFault::ShortFile:
            return "File incompleto.";
        case RecordFault::DescriptionLength:
            return "Lunghezza della descrizione non valida.";
        case RecordFault::ValueNotFinite:
            return "Valore non numerico nello schema.";
        case RecordFault::BadState:
            return "Stato di una casella non valido.";
        case RecordFault::BadMethod:
            return "Metodo della spezzata non valido.";
        case RecordFault::BadMarker:
            return "Indicatore del risolutore non valido.";
        case RecordFault::PointCount:
            return "Numero di punti della spezzata non valido.";
        case RecordFault::VertexIndex:
            return "Indice del vertice non valido.";
        case RecordFault::ParameterNotFinite:
            return "Parametro della spezzata non numerico.";
        case RecordFault::PointNotFinite:
            return "Coordinata di un punto non numerica.";
        case RecordFault::ValueOutOfRange:
            return "Valore fuori campo nello schema.";
    }
    return "";
}

void EncodeScheme(const Scheme& scheme, SchemeFileRecord& record) {
    std::uint8_t* bytes = record.bytes.data();
    for (int g = 0; g < kGroups; ++g) {
        for (int c = 0; c < kCellsPerGroup; ++c) {
            PutDouble(bytes + kValuesAt + 8 * CellIndex(g, c), scheme.values[g][c]);
            bytes[kStatesAt + CellIndex(g, c)] = static_cast<std::uint8_t>(scheme.states[g][c]);
        }
    }
    for (int s = 0; s < kMarkerSlots; ++s) bytes[kMarkersAt + s] = scheme.markers[s];
}

void DecodeScheme(const SchemeFileRecord& record, Scheme& scheme) {
    const std::uint8_t* bytes = record.bytes.data();
    for (int g = 0; g < kGroups; ++g) {
        for (int c = 0; c < kCellsPerGroup; ++c) {
            scheme.values[g][c] = GetDouble(bytes + kValuesAt + 8 * CellIndex(g, c));
            scheme.states[g][c] = static_cast<std::int8_t>(bytes[kStatesAt + CellIndex(g, c)]);
        }
    }
    for (int s = 0; s < kMarkerSlots; ++s) scheme.markers[s] = bytes[kMarkersAt + s];
}

void EncodeLine(const BrokenLine& line, PointsFileRecord& record) {
    std::uint8_t* bytes = record.bytes.data();
    bytes[kHeaderAt + 0] = line.n;
    bytes[kHeaderAt + 1] = line.vertexIndex;
    bytes[kHeaderAt + 2] = line.spacingChoice;
    bytes[kHeaderAt + 3] = line.practicalChoice;
    const double parameters[5] = {line.limitLat, line.dtP, line.dmP, line.totalTime,
                                  line.totalDistance};
    for (int i = 0; i < 5; ++i) PutDouble(bytes + kParametersAt + 8 * i, parameters[i]);
    for (int i = 0; i < kBrokenLineSlots; ++i) {
        PutDouble(bytes + kPointsAt + 16 * i, line.points[i].latitude);
        PutDouble(bytes + kPointsAt + 16 * i + 8, line.points[i].longitude);
    }
}

void DecodeLine(const PointsFileRecord& record, BrokenLine& line) {
    const std::uint8_t* bytes = record.bytes.data();
    line.n = bytes[kHeaderAt + 0];
    line.vertexIndex = bytes[kHeaderAt + 1];
    line.spacingChoice = bytes[kHeaderAt + 2];
    line.practicalChoice = bytes[kHeaderAt + 3];
    line.limitLat = GetDouble(bytes + kParametersAt);
    line.dtP = GetDouble(bytes + kParametersAt + 8);
    line.dmP = GetDouble(bytes + kParametersAt + 16);
    line.totalTime = GetDouble(bytes + kParametersAt + 24);
    line.totalDistance = GetDouble(bytes + kParametersAt + 32);
    for (int i = 0; i < kBrokenLineSlots; ++i) {
        line.points[i].latitude = GetDouble(bytes + kPointsAt + 16 * i);
        line.points[i].longitude = GetDouble(bytes + kPointsAt + 16 * i + 8);
    }
}

RecordFault CheckSchemeRecord(const SchemeFileRecord& record) {
    const std::uint8_t* bytes = record.bytes.data();
    if (bytes[kDescLengthAt] > kDescriptionBytes) return RecordFault::DescriptionLength;
    for (int g = 0; g < kGroups; ++g) {
        for (int c = 0; c < kCellsPerGroup; ++c) {
            if (!std::isfinite(GetDouble(bytes + kValuesAt + 8 * CellIndex(g, c)))) {
                return RecordFault::ValueNotFinite;
            }
            if (CellRef{g, c} == cells::Spacing) continue;  // the point count NrPt, any byte
            const auto state = static_cast<std::int8_t>(bytes[kStatesAt + CellIndex(g, c)]);
            if (state < -1 || state > 1) return RecordFault::BadState;
            if (state != 0 &&
                !ValueUsable(g, c, GetDouble(bytes + kValuesAt + 8 * CellIndex(g, c)))) {
                return RecordFault::ValueOutOfRange;
            }
        }
    }
    // The method's name is looked up by the whole part of the value.
    if (bytes[kStatesAt + CellIndex(cells::Method.group, cells::Method.cell)] != 0) {
        const double method = GetDouble(bytes + kValuesAt + 8 * CellIndex(cells::Method.group, cells::Method.cell));
        if (!(method >= 0 && method < kMethodCount)) return RecordFault::BadMethod;
    }
    for (int s = 0; s < kMarkerSlots; ++s) {
        if (!MarkerAllowed(s, bytes[kMarkersAt + s])) return RecordFault::BadMarker;
    }
    return RecordFault::Ok;
}

RecordFault CheckPointsRecord(const PointsFileRecord& record) {
    const std::uint8_t* bytes = record.bytes.data();
    const int n = bytes[kHeaderAt + 0];
    const int vertexIndex = bytes[kHeaderAt + 1];
    if (n + 1 > kBrokenLineSlots) return RecordFault::PointCount;
    // The chart and the point names reach the point vertexIndex + 2. The index
    // is not tied to N: a line recomputed by another method keeps the old one.
    if (vertexIndex + 2 >= kBrokenLineSlots) return RecordFault::VertexIndex;
    for (int i = 0; i < 5; ++i) {
        if (!std::isfinite(GetDouble(bytes + kParametersAt + 8 * i))) {
            return RecordFault::ParameterNotFinite;
        }
    }
    for (int i = 0; i <= n; ++i) {
        if (!std::isfinite(GetDouble(bytes + kPointsAt + 16 * i)) ||
            !std::isfinite(GetDouble(bytes + kPointsAt + 16 * i + 8))) {
            return RecordFault::PointNotFinite;
        }
    }
    return RecordFault::Ok;
}

std::string RecordDescription(const SchemeFileRecord& record) {
    const std::size_t length = record.bytes[kDescLengthAt];
    if (length > kDescriptionBytes) return {};
    return Cp1252ToUtf8(
        std::string_view(reinterpret_cast<const char*>(record.bytes.data() + kDescAt), length));
}

void SetRecordDescription(SchemeFileRecord& record, std::string_view utf8) {
    const std::string stored = Utf8ToCp1252(utf8, kDescriptionBytes);
    record.bytes[kDescLengthAt] = static_cast<std::uint8_t>(stored.size());
    std::copy(stored.begin(), stored.end(), record.bytes.begin() + kDescAt);
}

PairPaths SchemePairPaths(const std::string& folder, const std::string& key) {
    std::string schemeName = key;
    std::string pointsName;
    if (key == kStartupKey) {
        schemeName = "VELMAR.DAT";
        pointsName = "PUNTI.DAT";
    } else {
        // "PUNT" and the eight characters from the fifth: VELM-007.DAT -> PUNT-007.DAT.
        pointsName = "PUNT" + (key.size() > 4 ? key.substr(4, 8) : std::string());
    }
    if (folder.empty()) return {schemeName, pointsName};
    const fs::path base(folder);
    return {(base / schemeName).string(), (base / pointsName).string()};
}

SchemeFiles::SchemeFiles(std::string folder, MessageSink& messages)
    : folder_(std::move(folder)), messages_(messages) {}

void SchemeFiles::SetDescription(const std::string& text) {
    SetRecordDescription(schemeRecord_, text);
    description_ = RecordDescription(schemeRecord_);
}

void SchemeFiles::ShowFileError(const std::string& header, const std::string& message,
                                const std::string& note) {
    messages_.MsgBox(Message{"!", "O", kTitle, header, message, note});
}

bool SchemeFiles::LoadSchemeFiles(const std::string& key, Scheme& scheme, BrokenLine& line) {
    return Load(key, scheme, line) != PairOutcome::Failed;
}

bool SchemeFiles::SaveSchemeFiles(const std::string& key, SaveMode mode, Scheme& scheme,
                                  const BrokenLine& line) {
    return Save(key, mode, scheme, line) != PairOutcome::Failed;
}

PairOutcome SchemeFiles::Load(const std::string& key, Scheme& scheme, BrokenLine& line) {
    return LoadIn(folder_, key, scheme, line);
}

PairOutcome SchemeFiles::Save(const std::string& key, SaveMode mode, Scheme& scheme,
                              const BrokenLine& line) {
    return SaveIn(folder_, key, mode, scheme, line);
}

PairOutcome SchemeFiles::LoadIn(const std::string& folder, const std::string& key, Scheme& scheme,
                                BrokenLine& line) {
    if (key == kStartupKey) SetDescription(std::string(kStartupDescription));
    const PairPaths paths = SchemePairPaths(folder, key);
    // A key such as PUNT-007.DAT names one file twice; one outside the folder is refused too.
    if (!IsPlainKey(key) || Upper(paths.schemeFile) == Upper(paths.pointsFile)) {
        ShowFileError(kOpenHeader, "Apri", "Nome di file non valido: " + key);
        return PairOutcome::Failed;
    }
    FinishInterruptedSave(paths);
    if (!Exists(paths.schemeFile) || !Exists(paths.pointsFile)) return PairOutcome::Missing;

    SchemeFileRecord schemeRecord;
    PointsFileRecord pointsRecord;
    const std::pair<const std::string*, std::span<std::uint8_t>> files[2] = {
        {&paths.schemeFile, schemeRecord.bytes},
        {&paths.pointsFile, pointsRecord.bytes},
    };
    for (const auto& [path, target] : files) {
        std::vector<std::uint8_t> bytes;
        const FileStep step = ReadPrefix(*path, target.size(), bytes);
        if (step == FileStep::Open) {
            ShowFileError(kOpenHeader, "", *path);
            return PairOutcome::Failed;
        }
        if (step != FileStep::Done || bytes.size() != target.size()) {
            ShowFileError(kCloseHeader, "Apri",
                          *path + "\r" + RecordFaultText(RecordFault::ShortFile));
            return PairOutcome::Failed;
        }
        std::copy(bytes.begin(), bytes.end(), target.begin());
    }
    const std::pair<const std::string*, RecordFault> checks[2] = {
        {&paths.schemeFile, CheckSchemeRecord(schemeRecord)},
        {&paths.pointsFile, CheckPointsRecord(pointsRecord)},
    };
    for (const auto& [path, fault] : checks) {
        if (fault != RecordFault::Ok) {
            ShowFileError(kCloseHeader, "Apri", *path + "\r" + RecordFaultText(fault));
            return PairOutcome::Failed;
        }
    }

    schemeRecord_ = schemeRecord;
    pointsRecord_ = pointsRecord;
    description_ = RecordDescription(schemeRecord_);
    DecodeScheme(schemeRecord_, scheme);
    DecodeLine(pointsRecord_, line);
    scheme.saved = true;
    return PairOutcome::Transferred;
}

PairOutcome SchemeFiles::SaveIn(const std::string& folder, const std::string& key, SaveMode mode,
                                Scheme& scheme, const BrokenLine& line) {
    if (key == kStartupKey) SetDescription(std::string(kStartupDescription));
    const PairPaths paths = SchemePairPaths(folder, key);
    if (!IsPlainKey(key) || Upper(paths.schemeFile) == Upper(paths.pointsFile)) {
        ShowFileError(kOpenHeader, "Salva", "Nome di file non valido: " + key);
        return PairOutcome::Failed;
    }
    SchemeFileRecord schemeRecord = schemeRecord_;
    PointsFileRecord pointsRecord = pointsRecord_;
    EncodeScheme(scheme, schemeRecord);
    EncodeLine(line, pointsRecord);
    // A pair this program would refuse to read must not replace a readable
    // one. The message names the file whose record is at fault.
    const std::pair<const std::string*, RecordFault> checks[2] = {
        {&paths.schemeFile, CheckSchemeRecord(schemeRecord)},
        {&paths.pointsFile, CheckPointsRecord(pointsRecord)},
    };
    for (const auto& [path, fault] : checks) {
        if (fault != RecordFault::Ok) {
            ShowFileError(kCloseHeader, "Salva", *path + "\r" + RecordFaultText(fault));
            return PairOutcome::Failed;
        }
    }
    FinishInterruptedSave(paths);
    if (mode == SaveMode::AskBeforeOverwrite && Exists(paths.schemeFile)) {
        const int answer =
            messages_.MsgBox(Message{"?", "YN", kTitle, paths.schemeFile, "Sovrascrivere..", ""});
        if (answer != kMsgYes) return PairOutcome::Declined;
    }

    const std::string schemeTemporary = TemporaryPathFor(paths.schemeFile);
    const std::string pointsTemporary = TemporaryPathFor(paths.pointsFile);
    // Each record goes to the temporary beside its file; a failure names the
    // file of the pair it was for, as the user knows it, not the temporary.
    const struct {
        const std::string& file;
        const std::string& temporary;
        std::span<const std::uint8_t> bytes;
    } writes[2] = {
        {paths.schemeFile, schemeTemporary, schemeRecord.bytes},
        {paths.pointsFile, pointsTemporary, pointsRecord.bytes},
    };
    for (const auto& write : writes) {
        const FileStep step = WriteFlushed(write.temporary, write.bytes);
        if (step != FileStep::Done) {
            RemoveRegularFile(pointsTemporary);
            RemoveRegularFile(schemeTemporary);
            if (step == FileStep::Open) {
                ShowFileError(kOpenHeader, "", write.file);
            } else {
                ShowFileError(kCloseHeader, "Salva", write.file);
            }
            return PairOutcome::Failed;
        }
    }
    // The scheme file's rename is the commit: see FinishInterruptedSave.
    if (!RenameFlushed(schemeTemporary, paths.schemeFile)) {
        RemoveRegularFile(pointsTemporary);
        RemoveRegularFile(schemeTemporary);
        ShowFileError(kCloseHeader, "Salva", paths.schemeFile);
        return PairOutcome::Failed;
    }
    if (!RenameFlushed(pointsTemporary, paths.pointsFile)) {
        // The points temporary stays: the next load or save of the pair finishes the rename.
        ShowFileError(kCloseHeader, "Salva", paths.pointsFile);
        return PairOutcome::Failed;
    }
    schemeRecord_ = schemeRecord;
    pointsRecord_ = pointsRecord;
    scheme.saved = true;
    return PairOutcome::Transferred;
}

}  // namespace velmar
