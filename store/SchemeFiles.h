#pragma once
// The scheme file pair: a scheme file of one 328-byte record (description,
// the 24 cells with their states, the solver markers) and a points file of
// one 1168-byte record (the broken line's header bytes, parameters and point
// table). Both are little-endian raw records with no header; only the file
// names differ between the startup pair and the numbered archive pairs.
//
// Records are decoded field by field into temporaries and checked before
// anything in memory is replaced, so a damaged or foreign pair is refused
// with a message and leaves the scheme as it was. A save writes each file to
// a temporary beside it, flushes it to disk and renames it into place, so an
// interrupted save never leaves a truncated scheme.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "brokenline/BrokenLine.h"
#include "core/Interaction.h"
#include "scheme/Scheme.h"

namespace velmar {

inline constexpr std::size_t kSchemeFileRecordSize = 328;
inline constexpr std::size_t kPointsFileRecordSize = 1168;
/// The most description bytes a scheme file holds (Windows-1252, one byte a character).
inline constexpr std::size_t kDescriptionBytes = 64;
/// The key of the startup pair, and the description that pair always carries.
inline constexpr std::string_view kStartupKey = "AVVIO";
inline constexpr std::string_view kStartupDescription = "File d'avvio";

/// The scheme file's record exactly as stored. Offsets: 0 description length,
/// 1 description (64 bytes), 65 padding (7), 72 values (24 doubles, group by
/// group), 264 states (24 signed bytes), 288 markers (34), 322 padding (6).
struct SchemeFileRecord {
    std::array<std::uint8_t, kSchemeFileRecordSize> bytes{};
};

/// The points file's record exactly as stored. Offsets: 0 header bytes N,
/// vertexIndex, spacingChoice, practicalChoice; 4 padding (4); 8 the five
/// parameters; 48 the 70 points (latitude, longitude).
struct PointsFileRecord {
    std::array<std::uint8_t, kPointsFileRecordSize> bytes{};
};

static_assert(sizeof(SchemeFileRecord) == kSchemeFileRecordSize);
static_assert(sizeof(PointsFileRecord) == kPointsFileRecordSize);

/// Why a record was refused; Ok for one that may be loaded.
enum class RecordFault {
    Ok,
    ShortFile,           ///< fewer bytes than one record
    DescriptionLength,   ///< length byte above 64
    ValueNotFinite,      ///< a cell value is NaN or infinite
    BadState,            ///< a state byte other than -1, 0, +1 (cell 2,5 aside)
    BadMethod,           ///< method cell set with a value whose whole part is not 0..4
    BadMarker,           ///< a marker slot holds a rule that cannot own it
    PointCount,          ///< N + 1 points do not fit the table
    VertexIndex,         ///< the vertex index reaches past the table
    ParameterNotFinite,  ///< a broken-line parameter is NaN or infinite
    PointNotFinite,      ///< a used point's coordinate is NaN or infinite
    ValueOutOfRange,     ///< a set cell's value lies outside anything its kind can hold
};

/// A short Italian text for a fault, for the note of the failure message.
std::string RecordFaultText(RecordFault fault);

// Field-by-field codecs. Encode writes only the fields the live records own
// (the description and the padding bytes keep what the record held); Decode
// reads them back. Check the record first: Decode of an unchecked record is
// safe but may give values the program cannot use.
void EncodeScheme(const Scheme& scheme, SchemeFileRecord& record);
void DecodeScheme(const SchemeFileRecord& record, Scheme& scheme);
/// Writes the header bytes, the parameters and all 70 points.
void EncodeLine(const BrokenLine& line, PointsFileRecord& record);
/// Reads the header bytes, the parameters and all 70 points; the other tables
/// of the line are left alone (they are recomputed).
void DecodeLine(const PointsFileRecord& record, BrokenLine& line);
RecordFault CheckSchemeRecord(const SchemeFileRecord& record);
RecordFault CheckPointsRecord(const PointsFileRecord& record);

/// The description of a scheme record, as UTF-8; empty when its length byte is above 64.
std::string RecordDescription(const SchemeFileRecord& record);
/// Stores a UTF-8 description (converted to Windows-1252, cut to 64 bytes);
/// the bytes after the new length keep what they held.
void SetRecordDescription(SchemeFileRecord& record, std::string_view utf8);

enum class SaveMode { Plain, AskBeforeOverwrite };

/// What a load or a save did.
enum class PairOutcome {
    Transferred,  ///< both files read (or written); scheme.saved is true
    Missing,      ///< load: a file of the pair does not exist; nothing read, no message
    Declined,     ///< save: the user refused to overwrite; nothing written
    Failed,       ///< an error, already shown to the user; nothing in memory changed
};

/// The scheme file and points file of a key: "AVVIO" -> VELMAR.DAT + PUNTI.DAT,
/// "VELM-007.DAT" -> VELM-007.DAT + PUNT-007.DAT, inside `folder`.
struct PairPaths {
    std::string schemeFile;
    std::string pointsFile;
};
PairPaths SchemePairPaths(const std::string& folder, const std::string& key);

/// The program's scheme pair reader and writer, holding the in-memory scheme
/// record (its description, and the padding bytes a read brought in) and
/// points record for the whole run.
class SchemeFiles {
  public:
    SchemeFiles(std::string folder, MessageSink& messages);

    /// Reads the pair into scheme (values, states, markers) and line (header,
    /// parameters, point table). True also when nothing was transferred
    /// because a file is missing. The caller then runs scheme.Redisplay() and
    /// the solver.
    bool LoadSchemeFiles(const std::string& key, Scheme& scheme, BrokenLine& line);
    bool SaveSchemeFiles(const std::string& key, SaveMode mode, Scheme& scheme,
                         const BrokenLine& line);

    /// As above, telling a stop without transfer apart from a transfer.
    /// LoadSchemeFiles and SaveSchemeFiles return false only for Failed.
    PairOutcome Load(const std::string& key, Scheme& scheme, BrokenLine& line);
    PairOutcome Save(const std::string& key, SaveMode mode, Scheme& scheme, const BrokenLine& line);
    /// As Load and Save, for the pair of `key` in another folder: the archive
    /// window reads and writes the folder the user browsed to.
    PairOutcome LoadIn(const std::string& folder, const std::string& key, Scheme& scheme,
                       BrokenLine& line);
    PairOutcome SaveIn(const std::string& folder, const std::string& key, SaveMode mode,
                       Scheme& scheme, const BrokenLine& line);

    /// The current description (UTF-8 in memory; stored in Windows-1252, at most 64 bytes).
    const std::string& Description() const { return description_; }
    void SetDescription(const std::string& text);
    const std::string& Folder() const { return folder_; }

    /// The in-memory records (for tests and the archive preview).
    const SchemeFileRecord& SchemeRecord() const { return schemeRecord_; }
    const PointsFileRecord& PointsRecord() const { return pointsRecord_; }

  private:
    void ShowFileError(const std::string& header, const std::string& message,
                       const std::string& note);

    std::string folder_;
    MessageSink& messages_;
    SchemeFileRecord schemeRecord_{};
    PointsFileRecord pointsRecord_{};
    std::string description_;
};

}  // namespace velmar
