#pragma once
// The world map files: coastlines as polylines already in chart units, one
// file per central meridian. The text holds whole numbers read three at a
// time (code, x, y): code -1 starts a polyline at (x, y), 0 continues it
// with a straight segment, 1 ends the data, any other code is skipped.
// Where the lines break does not matter.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "chart/ChartMarks.h"
#include "core/Interaction.h"

namespace velmar {

/// One polyline: points [first, first + count) of the map, with its
/// bounding box in chart units (so a drawing can skip it cheaply).
struct MapPolyline {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    int minX = 0;
    int minY = 0;
    int maxX = 0;
    int maxY = 0;
};

struct WorldMap {
    std::vector<ChartPoint> points;
    std::vector<MapPolyline> polylines;  ///< each of two points or more
    /// The text stopped being whole-number triples before an end record or
    /// the end of the file: the polylines hold what was read up to there.
    bool readError = false;
};

/// Parses map text. Stops at the first code 1 or at the end of the text (a
/// Ctrl-Z byte counts as the end, as in old text files). Something that is
/// not a whole number (a lone sign, a decimal point, letters, a number
/// beyond 32 bits) or a record cut short by the end of the text sets
/// readError and ends the reading. A 0 record with no polyline begun starts
/// one, rather than drawing from a stale pen position. Throws nothing but
/// std::bad_alloc when memory runs out (ReadWorldMap makes that a read error).
WorldMap ParseWorldMap(std::string_view text);

/// "MONDOAG.MAP" for the antimeridian-centred chart, "MONDOGW.MAP" otherwise.
const char* MapFileName(CentralMeridian meridian);

/// The map file path for a chart: `folder` (the program's folder) / file name.
std::filesystem::path MapFilePath(const std::filesystem::path& folder, CentralMeridian meridian);

enum class MapLoadStatus {
    kOk,
    kNotFound,    ///< no such file
    kCannotOpen,  ///< the file exists but cannot be opened
    kReadError,   ///< opened, but damaged or unreadable: the map holds what came before
};

/// The largest map file read: some fifty times the world's 1:10m
/// coastline. A larger file is taken as damaged (nothing of it is drawn).
inline constexpr long kMaxMapFileBytes = 256L * 1024 * 1024;

/// Reads a whole map file, to its end whatever size it gives, and parses it.
/// Once the file is open, a failure of the device is a read error (the map
/// left empty).
MapLoadStatus ReadWorldMap(const std::filesystem::path& path, WorldMap& map);

/// Shows the failure message of a load through `sink` (nothing for kOk):
/// kNotFound: "File non trovato" with the path and "Impossibile disegnare la
/// mappa"; kReadError: the path with "Errore nella lettura del file.";
/// kCannotOpen: the path with "Impossibile aprire il file.". Title "Carta:
/// Mappa", icon "!", button "O".
void ReportMapFailure(MapLoadStatus status, const std::filesystem::path& path, MessageSink& sink);

/// Keeps the last map read, so that repeated drawings do not re-read it:
/// the file is read again only when its path, size or modification time
/// changes, or when the last reading failed before anything was read.
class WorldMapCache {
  public:
    /// The map of `path`, read if needed; failures are reported through
    /// `sink` every time (as each drawing would meet them). Returns null
    /// when there is nothing to draw (missing or unreadable file); a damaged
    /// file gives the part read before the damage.
    const WorldMap* Load(const std::filesystem::path& path, MessageSink& sink);
    /// How many times a file was actually read (for tests and diagnostics).
    int Reads() const { return reads_; }

  private:
    std::filesystem::path path_;
    std::uintmax_t size_ = 0;
    std::filesystem::file_time_type time_{};
    bool valid_ = false;
    WorldMap map_;
    int reads_ = 0;
};

}  // namespace velmar
