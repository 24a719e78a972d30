// Checks of the bundled world data in data/ (written by tools/gen-data/):
// the two world map files, the ports list and the ports window's picture.
// They guard the faults a generator can make and a reader would not forgive:
// a line streaking across the chart, a record that is not a triple, the
// antimeridian file mirrored, a port far out at sea, a name that breaks the
// line splitting, a picture of the wrong size or upside down.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#ifdef VELMAR_HAVE_ZLIB
#include <zlib.h>
#endif

namespace velmar {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kHalfWorld = 10800;  // chart units (minutes) from the centre to an edge

std::optional<std::string> ReadWholeFile(const std::string& name) {
    std::ifstream in(std::string(VELMAR_DATA_DIR) + "/" + name, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// ---------------------------------------------------------------------------
// World map files

struct MapRecord {
    int code;
    int x;
    int y;
};

struct MapFile {
    bool read = false;
    bool integersOnly = true;
    bool wholeTriples = true;
    std::vector<MapRecord> records;
};

MapFile ParseMapFile(const std::string& name) {
    MapFile map;
    const std::optional<std::string> text = ReadWholeFile(name);
    if (!text) return map;
    map.read = true;
    std::vector<int> numbers;
    const char* p = text->data();
    const char* end = p + text->size();
    while (p < end) {
        while (p < end && (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t')) ++p;
        if (p == end) break;
        int v = 0;
        const auto [next, ec] = std::from_chars(p, end, v);
        if (ec != std::errc() ||
            (next < end && *next != ' ' && *next != '\n' && *next != '\r' && *next != '\t')) {
            map.integersOnly = false;
            return map;
        }
        numbers.push_back(v);
        p = next;
    }
    map.wholeTriples = numbers.size() % 3 == 0;
    for (std::size_t i = 0; i + 2 < numbers.size(); i += 3) {
        map.records.push_back({numbers[i], numbers[i + 1], numbers[i + 2]});
    }
    return map;
}

// Each file is parsed once for all the tests that look at it.
const MapFile& LoadedMap(const std::string& name) {
    static std::map<std::string, MapFile> cache;
    auto it = cache.find(name);
    if (it == cache.end()) it = cache.emplace(name, ParseMapFile(name)).first;
    return it->second;
}

// The chart's meridional parts and their inverse, as the chart defines them.
double ChartParts(double lat) {
    const double a = lat * 0.00872665 + 0.78539816;
    return std::log(std::sin(a) / std::cos(a)) * 3437.746770784939;
}
double LatitudeOfParts(double y) {
    return (std::atan2(std::exp(y * 0.0002908882086657216), 1.0) * 180.0 / kPi - 45.0) * 2.0;
}

struct MapCase {
    const char* file;
    bool antimeridianCentred;
};

// Names the file in test output instead of dumping the bytes.
void PrintTo(const MapCase& c, std::ostream* os) {
    *os << c.file;
}

class MapFileTest : public ::testing::TestWithParam<MapCase> {};

TEST_P(MapFileTest, IsIntegerTriplesFromAStartToOneEndRecord) {
    const MapFile& map = LoadedMap(GetParam().file);
    ASSERT_TRUE(map.read) << "missing " << GetParam().file;
    ASSERT_TRUE(map.integersOnly);
    ASSERT_TRUE(map.wholeTriples);
    ASSERT_FALSE(map.records.empty());
    // A 0 record before any -1 would draw from wherever the pen last stood.
    EXPECT_EQ(map.records.front().code, -1);
    EXPECT_EQ(map.records.back().code, 1);
    int ends = 0;
    for (const MapRecord& r : map.records) {
        EXPECT_TRUE(r.code == -1 || r.code == 0 || r.code == 1) << "code " << r.code;
        ends += r.code == 1;
    }
    EXPECT_EQ(ends, 1);
}

TEST_P(MapFileTest, KeepsTheFullCoastlineDetail) {
    const MapFile& map = LoadedMap(GetParam().file);
    ASSERT_TRUE(map.read);
    std::size_t polylines = 0;
    std::size_t lonePoints = 0;
    std::size_t repeats = 0;
    for (std::size_t i = 0; i + 1 < map.records.size(); ++i) {
        const MapRecord& r = map.records[i];
        const MapRecord& next = map.records[i + 1];
        polylines += r.code == -1;
        lonePoints += r.code == -1 && next.code != 0;  // a start that draws nothing
        repeats += next.code == 0 && next.x == r.x && next.y == r.y;
    }
    EXPECT_GT(map.records.size(), 300000u);
    EXPECT_GT(polylines, 3000u);
    EXPECT_EQ(lonePoints, 0u);
    EXPECT_EQ(repeats, 0u);
}

TEST_P(MapFileTest, StaysInsideTheWorldAndTheLatitudeLimit) {
    const MapFile& map = LoadedMap(GetParam().file);
    ASSERT_TRUE(map.read);
    const int yLimit = static_cast<int>(std::ceil(ChartParts(89.9)));
    for (const MapRecord& r : map.records) {
        if (r.code == 1) break;
        ASSERT_LE(std::abs(r.x), kHalfWorld) << r.x << " " << r.y;
        ASSERT_LE(std::abs(r.y), yLimit) << r.x << " " << r.y;
    }
}

// Regression: a polygon crossing the edge meridian was joined straight across
// the whole chart. Crossings must end on one edge and restart on the other.
TEST_P(MapFileTest, EdgeCrossingDoesNotStreakAcrossTheChart) {
    const MapFile& map = LoadedMap(GetParam().file);
    ASSERT_TRUE(map.read);
    // The 1:10m coastline has no segment anywhere near ten degrees long.
    constexpr double kLongest = 600.0;
    std::size_t onEdge = 0;
    for (std::size_t i = 1; i < map.records.size(); ++i) {
        const MapRecord& a = map.records[i - 1];
        const MapRecord& b = map.records[i];
        onEdge += std::abs(b.x) == kHalfWorld;
        if (b.code != 0) continue;
        ASSERT_LE(std::hypot(b.x - a.x, b.y - a.y), kLongest)
            << "(" << a.x << ", " << a.y << ") to (" << b.x << ", " << b.y << ")";
    }
    // Land crosses both edge meridians (Greenwich: Britain, France, Africa;
    // the 180th: Chukotka, Fiji, Antarctica), so there are points on the edges.
    EXPECT_GT(onEdge, 0u);
}

INSTANTIATE_TEST_SUITE_P(WorldMaps, MapFileTest,
                         ::testing::Values(MapCase{"MONDOGW.MAP", false},
                                           MapCase{"MONDOAG.MAP", true}),
                         [](const auto& info) {
                             return std::string(info.param.antimeridianCentred ? "Antimeridian"
                                                                               : "Greenwich");
                         });

// Regression guard for the sign of the antimeridian file: x there is the
// longitude east of the 180th meridian (positive in west longitudes), so each
// Greenwich point shifted by half a world must be a point of that file too.
TEST(WorldMaps, AntimeridianFileIsTheGreenwichFileShiftedHalfAWorld) {
    const MapFile& gw = LoadedMap("MONDOGW.MAP");
    const MapFile& ag = LoadedMap("MONDOAG.MAP");
    ASSERT_TRUE(gw.read && ag.read);
    std::unordered_set<std::int64_t> agPoints;
    const auto key = [](int x, int y) { return std::int64_t{x} * 100000 + y; };
    for (const MapRecord& r : ag.records) agPoints.insert(key(r.x, r.y));
    std::size_t tried = 0;
    std::size_t found = 0;
    for (const MapRecord& r : gw.records) {
        if (r.code == 1) break;
        if (std::abs(r.x) == kHalfWorld) continue;  // split points differ by design
        ++tried;
        found += agPoints.count(key(r.x >= 0 ? r.x - kHalfWorld : r.x + kHalfWorld, r.y));
    }
    ASSERT_GT(tried, 0u);
    // Only the few points next to a Greenwich crossing may differ.
    EXPECT_GT(static_cast<double>(found) / static_cast<double>(tried), 0.999);
}

// ---------------------------------------------------------------------------
// Ports list

// Splits one line as the ports window does: a field may be enclosed in double
// quotation marks (then it may hold commas); the line is valid with exactly
// two separators.
std::optional<std::array<std::string, 3>> SplitPortLine(std::string s) {
    std::array<std::string, 3> fields;
    int separators = 0;
    for (std::string& field : fields) {
        if (!s.empty() && s.front() == '"') {
            s.erase(0, 1);
            const std::size_t close = s.find('"');
            field = s.substr(0, close);
            s.erase(0, close == std::string::npos ? s.size() : close + 1);
        } else {
            field = s.substr(0, s.find(','));
        }
        const std::size_t comma = s.find(',');
        if (comma != std::string::npos) {
            s.erase(0, comma + 1);
            ++separators;
        }
    }
    if (separators != 2) return std::nullopt;
    return fields;
}

std::optional<double> WholeNumber(const std::string& text) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

struct Port {
    std::string line;
    std::string name;
    double lat;
    double lon;
};

struct PortsFile {
    bool read = false;
    std::vector<std::string> badLines;
    std::vector<Port> ports;
};

const PortsFile& LoadedPorts() {
    static const PortsFile file = [] {
        PortsFile f;
        const std::optional<std::string> text = ReadWholeFile("PORTI.TXT");
        if (!text) return f;
        f.read = true;
        std::istringstream in(*text);
        for (std::string line; std::getline(in, line);) {
            const auto fields = SplitPortLine(line);
            const auto lat = fields ? WholeNumber((*fields)[1]) : std::nullopt;
            const auto lon = fields ? WholeNumber((*fields)[2]) : std::nullopt;
            if (!lat || !lon) {
                f.badLines.push_back(line);
                continue;
            }
            f.ports.push_back({line, (*fields)[0], *lat, *lon});
        }
        return f;
    }();
    return file;
}

TEST(PortsFile, EveryLineIsANameALatitudeAndALongitude) {
    const PortsFile& file = LoadedPorts();
    ASSERT_TRUE(file.read) << "missing PORTI.TXT";
    EXPECT_TRUE(file.badLines.empty())
        << file.badLines.size()
        << " bad, first: " << (file.badLines.empty() ? "" : file.badLines[0]);
    EXPECT_GT(file.ports.size(), 1000u);
    for (const Port& p : file.ports) {
        SCOPED_TRACE(p.line);
        EXPECT_FALSE(p.name.empty());
        EXPECT_TRUE(p.name.front() != ' ' && p.name.back() != ' ') << "blank around name";
        EXPECT_TRUE(std::all_of(p.line.begin(), p.line.end(), [](char c) {
            return c >= 0x20 && c <= 0x7e;
        })) << "not plain ASCII (or a carriage return)";
        EXPECT_GE(p.lat, -90.0);
        EXPECT_LE(p.lat, 90.0);
        EXPECT_GE(p.lon, -180.0);
        EXPECT_LE(p.lon, 180.0);
        // Quoting is needed exactly when the name holds a comma.
        EXPECT_EQ(p.line.front() == '"', p.name.find(',') != std::string::npos);
    }
}

TEST(PortsFile, NamesAreUniqueAndLinesSortedWithoutRegardToCase) {
    const PortsFile& file = LoadedPorts();
    ASSERT_TRUE(file.read);
    std::set<std::string> names;
    const auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    };
    for (std::size_t i = 0; i < file.ports.size(); ++i) {
        EXPECT_TRUE(names.insert(file.ports[i].name).second) << "twice: " << file.ports[i].name;
        if (i > 0) {
            EXPECT_LE(lower(file.ports[i - 1].line), lower(file.ports[i].line));
        }
    }
}

// Golden rows from the ports' published positions (to a tenth of a degree):
// they catch latitude and longitude swapped or a sign lost.
TEST(PortsFile, KnownPortsSitWhereTheyAre) {
    struct Row {
        const char* name;
        double lat;
        double lon;
    };
    const Row rows[] = {{"Genova", 44.4, 8.9}, {"Ushuaia", -54.8, -68.3}, {"Suva", -18.1, 178.4}};
    const PortsFile& file = LoadedPorts();
    ASSERT_TRUE(file.read);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto it = std::find_if(file.ports.begin(), file.ports.end(),
                                     [&](const Port& p) { return p.name == row.name; });
        ASSERT_NE(it, file.ports.end());
        EXPECT_NEAR(it->lat, row.lat, 0.1);
        EXPECT_NEAR(it->lon, row.lon, 0.1);
    }
}

// Every port must lie on a coast of the map the chart draws: within 30 miles
// of the coastline (the generator's threshold) plus one mile for the map's
// rounding to whole chart units. Checked against both files, each with its
// own longitude convention.
class PortsNearCoastTest : public ::testing::TestWithParam<MapCase> {};

TEST_P(PortsNearCoastTest, EveryPortLiesWithin30MilesOfTheCoast) {
    const MapFile& map = LoadedMap(GetParam().file);
    const PortsFile& file = LoadedPorts();
    ASSERT_TRUE(map.read && file.read);
    const bool ag = GetParam().antimeridianCentred;

    // Segments in degrees, bucketed by the one-degree cell of each end.
    struct Segment {
        double lonA, latA, lonB, latB;
    };
    const auto toLon = [ag](int x) {
        const double rel = x / 60.0;
        return ag ? (rel >= 0 ? rel - 180.0 : rel + 180.0) : rel;
    };
    std::unordered_map<int, std::vector<Segment>> cells;
    const auto cellKey = [](int lat, int lon) { return lat * 1000 + ((lon + 720) % 360); };
    for (std::size_t i = 1; i < map.records.size(); ++i) {
        const MapRecord& a = map.records[i - 1];
        const MapRecord& b = map.records[i];
        if (b.code != 0) continue;
        const Segment s{toLon(a.x), LatitudeOfParts(a.y), toLon(b.x), LatitudeOfParts(b.y)};
        const int k1 =
            cellKey(static_cast<int>(std::floor(s.latA)), static_cast<int>(std::floor(s.lonA)));
        const int k2 =
            cellKey(static_cast<int>(std::floor(s.latB)), static_cast<int>(std::floor(s.lonB)));
        cells[k1].push_back(s);
        if (k2 != k1) cells[k2].push_back(s);
    }

    constexpr double kLimitNm = 31.0;
    std::size_t far = 0;
    for (const Port& p : file.ports) {
        const double coslat = std::cos(p.lat * kPi / 180.0);
        // Local flat frame around the port, in miles; plus one cell of margin
        // for a segment whose ends lie in the cells around.
        const auto local = [&](double lon, double lat) {
            double d = lon - p.lon;
            if (d > 180) d -= 360;
            if (d < -180) d += 360;
            return std::pair{d * 60.0 * coslat, (lat - p.lat) * 60.0};
        };
        const int dLat = 2;
        const int dLon = 1 + static_cast<int>(kLimitNm / 60.0 / std::max(coslat, 0.05));
        double best = 1e9;
        for (int la = static_cast<int>(std::floor(p.lat)) - dLat;
             la <= static_cast<int>(std::floor(p.lat)) + dLat; ++la) {
            for (int lo = static_cast<int>(std::floor(p.lon)) - dLon;
                 lo <= static_cast<int>(std::floor(p.lon)) + dLon; ++lo) {
                const auto it = cells.find(cellKey(la, lo));
                if (it == cells.end()) continue;
                for (const Segment& s : it->second) {
                    const auto [ax, ay] = local(s.lonA, s.latA);
                    const auto [bx, by] = local(s.lonB, s.latB);
                    const double dx = bx - ax;
                    const double dy = by - ay;
                    const double len2 = dx * dx + dy * dy;
                    const double t =
                        len2 > 0 ? std::clamp(-(ax * dx + ay * dy) / len2, 0.0, 1.0) : 0.0;
                    best = std::min(best, std::hypot(ax + t * dx, ay + t * dy));
                }
            }
        }
        if (best > kLimitNm) {
            ++far;
            ADD_FAILURE() << p.line << " is " << best << " miles from the coast";
            if (far > 10) break;
        }
    }
    EXPECT_EQ(far, 0u);
}

INSTANTIATE_TEST_SUITE_P(WorldMaps, PortsNearCoastTest,
                         ::testing::Values(MapCase{"MONDOGW.MAP", false},
                                           MapCase{"MONDOAG.MAP", true}),
                         [](const auto& info) {
                             return std::string(info.param.antimeridianCentred ? "Antimeridian"
                                                                               : "Greenwich");
                         });

// ---------------------------------------------------------------------------
// Ports window picture

std::uint32_t BigEndian32(const std::string& s, std::size_t at) {
    return (std::uint32_t{static_cast<unsigned char>(s[at])} << 24) |
           (std::uint32_t{static_cast<unsigned char>(s[at + 1])} << 16) |
           (std::uint32_t{static_cast<unsigned char>(s[at + 2])} << 8) |
           std::uint32_t{static_cast<unsigned char>(s[at + 3])};
}

TEST(PortsPicture, IsAn800By517RgbPng) {
    const std::optional<std::string> png = ReadWholeFile("porti.png");
    ASSERT_TRUE(png) << "missing porti.png";
    ASSERT_GE(png->size(), 33u);
    EXPECT_EQ(png->substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(BigEndian32(*png, 8), 13u);
    EXPECT_EQ(png->substr(12, 4), "IHDR");
    EXPECT_EQ(BigEndian32(*png, 16), 800u);
    EXPECT_EQ(BigEndian32(*png, 20), 517u);
    EXPECT_EQ(static_cast<int>((*png)[24]), 8);  // bits per sample
    EXPECT_EQ(static_cast<int>((*png)[25]), 2);  // RGB
    EXPECT_EQ(static_cast<int>((*png)[28]), 0);  // not interlaced
}

#ifdef VELMAR_HAVE_ZLIB
// The RGB rows of an 8-bit RGB, non-interlaced PNG with unfiltered rows.
std::optional<std::vector<std::uint8_t>> DecodeRgb(const std::string& png, int width, int height) {
    std::string idat;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = BigEndian32(png, at);
        if (at + 12 + length > png.size()) return std::nullopt;
        if (png.compare(at + 4, 4, "IDAT") == 0) idat += png.substr(at + 8, length);
        at += 12 + length;
    }
    const std::size_t stride = 1 + static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> raw(stride * height);
    uLongf rawSize = raw.size();
    if (uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(idat.data()),
                   idat.size()) != Z_OK ||
        rawSize != raw.size()) {
        return std::nullopt;
    }
    // The generator writes every row unfiltered (filter type 0).
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        if (raw[y * stride] != 0) return std::nullopt;
        rgb.insert(rgb.end(), raw.begin() + y * stride + 1, raw.begin() + (y + 1) * stride);
    }
    return rgb;
}
#endif

// The ports window places a dot at pixel x = nearest((lon + 180) x 800 / 360)
// and y = 517 - nearest(ln tan(45 + lat/2) x ky + 258.5): well inside land and
// well out at sea the picture must show land and sea there, so a dot lands on
// the right coast (and a picture upside down or shifted fails).
TEST(PortsPicture, LandAndSeaSitWhereTheDotsArePlaced) {
#ifndef VELMAR_HAVE_ZLIB
    GTEST_SKIP() << "built without zlib: pixels not checked";
#else
    const std::optional<std::string> png = ReadWholeFile("porti.png");
    ASSERT_TRUE(png);
    const auto rgb = DecodeRgb(*png, 800, 517);
    ASSERT_TRUE(rgb);
    const auto mercator = [](double lat) { return std::log(std::tan(kPi / 4 + lat * kPi / 360)); };
    const auto colourAt = [&](double lat, double lon) {
        const int x = static_cast<int>(std::nearbyint((lon + 180) * 800.0 / 360.0));
        const int y =
            517 - static_cast<int>(std::nearbyint(mercator(lat) * 258.5 / mercator(75) + 258.5));
        const std::size_t at = (static_cast<std::size_t>(y) * 800 + x) * 3;
        return std::array<int, 3>{(*rgb)[at], (*rgb)[at + 1], (*rgb)[at + 2]};
    };
    struct Place {
        const char* what;
        double lat;
        double lon;
    };
    const Place land[] = {{"Sahara", 23, 10},      {"Siberia", 62, 100},    {"Brazil", -10, -50},
                          {"Australia", -25, 135}, {"Antarctica", -74, 40}, {"Greenland", 72, -40}};
    const Place sea[] = {{"Pacific", 0, -150},      {"South Atlantic", -30, -15},
                         {"Indian Ocean", -20, 80}, {"North Atlantic", 40, -40},
                         {"Mediterranean", 35, 18}, {"Tasman Sea", -38, 160}};
    const std::array<int, 3> landColour = colourAt(land[0].lat, land[0].lon);
    const std::array<int, 3> seaColour = colourAt(sea[0].lat, sea[0].lon);
    EXPECT_NE(landColour, seaColour);
    for (const Place& p : land) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(colourAt(p.lat, p.lon), landColour);
    }
    for (const Place& p : sea) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(colourAt(p.lat, p.lon), seaColour);
    }
#endif
}

}  // namespace
}  // namespace velmar
