#include "chart/WorldMap.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <new>
#include <system_error>

namespace velmar {

namespace {

constexpr char kCtrlZ = '\x1a';

// Blanks separate numbers; a table keeps the scanner's inner loop short.
struct BlankTable {
    bool blank[256] = {};
    constexpr BlankTable() {
        for (unsigned char c : {' ', '\n', '\r', '\t', '\f', '\v'}) blank[c] = true;
    }
};
constexpr BlankTable kBlanks;

bool IsBlank(char c) {
    return kBlanks.blank[static_cast<unsigned char>(c)];
}

enum class Scan { kNumber, kEnd, kBad };

// Reads one whole number at p, skipping blanks before it. A number must be
// followed by a blank or the end; it must fit in 32 bits.
Scan NextInt(const char*& p, const char* end, int& out) {
    while (p < end && IsBlank(*p)) ++p;
    if (p == end || *p == kCtrlZ) return Scan::kEnd;
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    const char* digits = p;
    std::int64_t v = 0;
    unsigned d = 0;
    while (p < end && (d = static_cast<unsigned>(*p - '0')) < 10) {
        v = v * 10 + d;
        if (v > std::int64_t{std::numeric_limits<int>::max()} + 1) return Scan::kBad;
        ++p;
    }
    if (p == digits) return Scan::kBad;
    if (p < end && !IsBlank(*p) && *p != kCtrlZ) return Scan::kBad;
    if (negative) v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min()) {
        return Scan::kBad;
    }
    out = static_cast<int>(v);
    return Scan::kNumber;
}

void Close(WorldMap& map, MapPolyline& open) {
    if (open.count >= 2)
        map.polylines.push_back(open);
    else
        map.points.resize(open.first);  // a lone point draws nothing
    open = MapPolyline{};
    open.first = static_cast<std::uint32_t>(map.points.size());
}

}  // namespace

WorldMap ParseWorldMap(std::string_view text) {
    WorldMap map;
    map.points.reserve(text.size() / 12 + 1);
    const char* p = text.data();
    const char* const end = p + text.size();
    MapPolyline open;
    int record[3];
    for (;;) {
        int got = 0;
        Scan s = Scan::kNumber;
        while (got < 3 && (s = NextInt(p, end, record[got])) == Scan::kNumber) {
            ++got;
            if (got == 1 && record[0] == 1) break;  // end of data: x and y are not needed
        }
        if (got >= 1 && record[0] == 1) break;
        if (s == Scan::kBad || (s == Scan::kEnd && got > 0)) {
            map.readError = true;
            break;
        }
        if (s == Scan::kEnd) break;
        const int code = record[0];
        if (code != -1 && code != 0) continue;
        if (code == -1 || open.count == 0) {
            if (open.count > 0) Close(map, open);
            open.first = static_cast<std::uint32_t>(map.points.size());
            open.minX = open.maxX = record[1];
            open.minY = open.maxY = record[2];
        } else {
            open.minX = std::min(open.minX, record[1]);
            open.maxX = std::max(open.maxX, record[1]);
            open.minY = std::min(open.minY, record[2]);
            open.maxY = std::max(open.maxY, record[2]);
        }
        map.points.push_back({record[1], record[2]});
        ++open.count;
    }
    Close(map, open);
    return map;
}

const char* MapFileName(CentralMeridian meridian) {
    return meridian == CentralMeridian::kAntimeridian ? "MONDOAG.MAP" : "MONDOGW.MAP";
}

std::filesystem::path MapFilePath(const std::filesystem::path& folder, CentralMeridian meridian) {
    return folder / MapFileName(meridian);
}

MapLoadStatus ReadWorldMap(const std::filesystem::path& path, WorldMap& map) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::filesystem::exists(path, ec) ? MapLoadStatus::kCannotOpen
                                                 : MapLoadStatus::kNotFound;
    }
    // Closed on every way out, a failed allocation included.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"),
                                                            &std::fclose);
    if (!f) return MapLoadStatus::kCannotOpen;
    // Opened: from here on a failure of the device is a read error, as the
    // message for it says, not a file that could not be opened.
    map = WorldMap{};
    map.readError = true;
    // The size is a first guess only: some files report none, or another
    // than they hold, and a file may grow while it is read.
    long size = 0;
    if (std::fseek(f.get(), 0, SEEK_END) == 0) {
        size = std::ftell(f.get());
        if (size < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0) return MapLoadStatus::kReadError;
    }
    if (size > kMaxMapFileBytes) return MapLoadStatus::kReadError;
    constexpr auto kMaxBytes = static_cast<std::size_t>(kMaxMapFileBytes);
    try {
        // One byte more than expected shows where the file ends.
        std::string text(static_cast<std::size_t>(size) + 1, '\0');
        std::size_t used = 0;
        for (;;) {
            used += std::fread(text.data() + used, 1, text.size() - used, f.get());
            if (used < text.size()) break;  // the end, or an error
            if (text.size() > kMaxBytes) return MapLoadStatus::kReadError;
            text.resize(std::min(text.size() * 2, kMaxBytes + 1));
        }
        if (std::ferror(f.get())) return MapLoadStatus::kReadError;
        text.resize(used);
        map = ParseWorldMap(text);
    } catch (const std::bad_alloc&) {
        map = WorldMap{};
        map.readError = true;
    }
    return map.readError ? MapLoadStatus::kReadError : MapLoadStatus::kOk;
}

void ReportMapFailure(MapLoadStatus status, const std::filesystem::path& path, MessageSink& sink) {
    const std::string where = path.string();
    Message m;
    switch (status) {
        case MapLoadStatus::kOk:
            return;
        case MapLoadStatus::kNotFound:
            m = Message{"!",
                        "O",
                        "Carta: Mappa",
                        "File non trovato",
                        where,
                        "Impossibile disegnare la mappa"};
            break;
        case MapLoadStatus::kReadError:
            m = Message{"!", "O", "Carta: Mappa", where, "Errore nella lettura del file.", ""};
            break;
        case MapLoadStatus::kCannotOpen:
            m = Message{"!", "O", "Carta: Mappa", where, "Impossibile aprire il file.", ""};
            break;
    }
    sink.MsgBox(m);
}

const WorldMap* WorldMapCache::Load(const std::filesystem::path& path, MessageSink& sink) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (!exists) {
        valid_ = false;
        ReportMapFailure(MapLoadStatus::kNotFound, path, sink);
        return nullptr;
    }
    const auto size = std::filesystem::file_size(path, ec);
    const auto time =
        ec ? std::filesystem::file_time_type{} : std::filesystem::last_write_time(path, ec);
    if (!valid_ || ec || path != path_ || size != size_ || time != time_) {
        valid_ = false;
        map_ = WorldMap{};
        const MapLoadStatus status = ReadWorldMap(path, map_);
        ++reads_;
        if (status == MapLoadStatus::kNotFound || status == MapLoadStatus::kCannotOpen) {
            ReportMapFailure(status, path, sink);
            return nullptr;
        }
        path_ = path;
        size_ = size;
        time_ = time;
        // A read that failed before anything was read (a device error) is
        // tried again next time: the device may have recovered.
        valid_ = !ec && !(map_.readError && map_.points.empty());
    }
    if (map_.readError) ReportMapFailure(MapLoadStatus::kReadError, path, sink);
    return &map_;
}

}  // namespace velmar
