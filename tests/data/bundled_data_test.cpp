// Checks of the bundled world data in data/ (written by tools/gen-data/).
// They guard the faults a generator can make and a reader would not forgive:
// a line streaking across the chart, a record that is not a triple, the
// antimeridian file mirrored, a port far out at sea, a name that breaks the
// line splitting, a picture of the wrong size or upside down.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include <QImage>

#include "store/PortChoice.h"
#include "store/PortsFile.h"

namespace velmar {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kHalfWorld = 10800;  // chart units (minutes) from the centre to an edge

// The file's bytes, none when it is missing.
std::string ReadWholeFile(const std::string& name) {
    std::ifstream in(std::string(VELMAR_DATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// ---------------------------------------------------------------------------
// World map files: triples of code (-1 start, 0 draw, 1 end of file), x, y.

struct MapRecord {
    int code, x, y;
};

struct MapFile {
    bool integerTriples = false;
    std::vector<MapRecord> records;
};

// Each file is parsed once for all the tests that look at it.
const MapFile& LoadedMap(bool antimeridian) {
    static MapFile cache[2];
    MapFile& map = cache[antimeridian];
    if (!map.records.empty()) return map;
    std::istringstream in(ReadWholeFile(antimeridian ? "MONDOAG.MAP" : "MONDOGW.MAP"));
    std::vector<int> n;
    for (int v = 0; in >> v;) n.push_back(v);
    // Stopped at the end, not at a stray character.
    map.integerTriples = in.eof() && n.size() % 3 == 0;
    for (std::size_t i = 0; i + 2 < n.size(); i += 3)
        map.records.push_back({n[i], n[i + 1], n[i + 2]});
    return map;
}

// The latitude of a chart y, as the chart defines its meridional parts.
double LatitudeOfParts(double y) {
    return (std::atan2(std::exp(y * 0.0002908882086657216), 1.0) * 180.0 / kPi - 45.0) * 2.0;
}

// The parameter: true for the antimeridian-centred file.
class MapFileTest : public ::testing::TestWithParam<bool> {};

// Regression: a polygon crossing the edge meridian was joined straight across
// the whole chart. Crossings must end on one edge and restart on the other.
TEST_P(MapFileTest, IsDetailedIntegerTriplesInsideTheChartAndEdgeCrossingDoesNotStreak) {
    const MapFile& map = LoadedMap(GetParam());
    ASSERT_TRUE(map.integerTriples);
    ASSERT_GT(map.records.size(), 300000u);
    // A 0 record before any -1 would draw from wherever the pen last stood.
    EXPECT_EQ(map.records.front().code, -1);
    EXPECT_EQ(map.records.back().code, 1);
    std::size_t ends = 0, polylines = 0, lonePoints = 0, repeats = 0, onEdge = 0;
    for (std::size_t i = 0; i < map.records.size(); ++i) {
        const MapRecord& r = map.records[i];
        ASSERT_TRUE(r.code == -1 || r.code == 0 || r.code == 1) << "code " << r.code;
        ends += r.code == 1;
        if (r.code == 1) continue;
        ASSERT_LE(std::abs(r.x), kHalfWorld) << r.x << " " << r.y;
        ASSERT_LE(std::fabs(LatitudeOfParts(r.y)), 89.901) << r.x << " " << r.y;
        const MapRecord& next = map.records[i + 1];
        polylines += r.code == -1;
        lonePoints += r.code == -1 && next.code != 0;  // a start that draws nothing
        repeats += next.code == 0 && next.x == r.x && next.y == r.y;
        onEdge += std::abs(r.x) == kHalfWorld;
        // The 1:10m coastline has no segment anywhere near ten degrees long.
        ASSERT_TRUE(next.code != 0 || std::hypot(next.x - r.x, next.y - r.y) <= 600.0)
            << r.x << " " << r.y;
    }
    EXPECT_EQ(ends, 1u);
    EXPECT_GT(polylines, 3000u);
    EXPECT_EQ(lonePoints, 0u);
    EXPECT_EQ(repeats, 0u);
    // Land crosses both edge meridians, so there are points on the edges.
    EXPECT_GT(onEdge, 0u);
}

INSTANTIATE_TEST_SUITE_P(WorldMaps, MapFileTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "Antimeridian" : "Greenwich");
});

// Regression guard for the sign of the antimeridian file: x there is the
// longitude east of the 180th meridian (positive in west longitudes), so each
// Greenwich point shifted by half a world must be a point of that file too.
TEST(WorldMaps, AntimeridianFileIsTheGreenwichFileShiftedHalfAWorld) {
    const MapFile &gw = LoadedMap(false), &ag = LoadedMap(true);
    const auto key = [](int x, int y) { return std::int64_t{x} * 100000 + y; };
    std::unordered_set<std::int64_t> agPoints;
    for (const MapRecord& r : ag.records) agPoints.insert(key(r.x, r.y));
    std::size_t tried = 0, found = 0;
    for (const MapRecord& r : gw.records) {
        if (r.code == 1 || std::abs(r.x) == kHalfWorld) continue;  // split points differ
        ++tried;
        found += agPoints.count(key(r.x >= 0 ? r.x - kHalfWorld : r.x + kHalfWorld, r.y));
    }
    ASSERT_GT(tried, 0u);
    // Only the few points next to a Greenwich crossing may differ.
    EXPECT_GT(static_cast<double>(found) / static_cast<double>(tried), 0.999);
}

// ---------------------------------------------------------------------------
// Ports list

// The ports as the program loads them: every line of the file must be taken
// (none skipped as malformed or out of range), and no name may stand twice
// in the lists or carry blanks the lists would show.
const PortsList& LoadedPorts() {
    static const PortsList list = LoadPorts(VELMAR_DATA_DIR);
    return list;
}

TEST(PortsFile, EveryLineIsReadAndNamesAreUniqueAndTrimmed) {
    const PortsList& list = LoadedPorts();
    ASSERT_EQ(list.status, PortsStatus::Ok);
    EXPECT_EQ(list.ports.size(), 1364u);
    EXPECT_EQ(list.skippedLines, 0);
    std::set<std::string> names;
    for (const Port& p : list.ports) {
        SCOPED_TRACE(p.name);
        EXPECT_TRUE(!p.name.empty() && p.name.front() != ' ' && p.name.back() != ' ');
        EXPECT_TRUE(names.insert(p.name).second) << "name twice";
    }
}

// Golden rows from the ports' published positions (to a tenth of a degree):
// they catch latitude and longitude swapped or a sign lost.
TEST(PortsFile, KnownPortsSitWhereTheyAre) {
    const struct {
        const char* name;
        double lat, lon;
    } rows[] = {{"Genova", 44.4, 8.9}, {"Ushuaia", -54.8, -68.3}, {"Suva", -18.1, 178.4}};
    const std::vector<Port>& ports = LoadedPorts().ports;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto it = std::find_if(ports.begin(), ports.end(),
                                     [&](const Port& p) { return p.name == row.name; });
        ASSERT_NE(it, ports.end());
        EXPECT_NEAR(it->latitude, row.lat, 0.1);
        EXPECT_NEAR(it->longitude, row.lon, 0.1);
    }
}

// Every port must lie on a coast of the map the chart draws: within 30 miles
// (the generator's threshold) plus one mile for the map's rounding to whole
// chart units, in each file's own longitude convention. The distance is taken
// to the nearest map point, never nearer than the coastline through it, so no
// port far out at sea can pass.
TEST_P(MapFileTest, EveryPortLiesWithin30MilesOfTheCoast) {
    const MapFile& map = LoadedMap(GetParam());
    const auto toLon = [ag = GetParam()](int x) {
        const double rel = x / 60.0;
        return ag ? (rel >= 0 ? rel - 180.0 : rel + 180.0) : rel;
    };
    const auto cell = [](double lat, double lon) {
        return std::pair{static_cast<int>(std::floor(lat)),
                         (static_cast<int>(std::floor(lon)) + 720) % 360};
    };
    // Map points in degrees (lon, lat), bucketed by their one-degree cell.
    std::map<std::pair<int, int>, std::vector<std::pair<double, double>>> cells;
    for (const MapRecord& r : map.records) {
        const double lat = LatitudeOfParts(r.y), lon = toLon(r.x);
        if (r.code != 1) cells[cell(lat, lon)].push_back({lon, lat});
    }
    int far = 0;
    for (const Port& p : LoadedPorts().ports) {
        const double coslat = std::cos(p.latitude * kPi / 180.0);
        const int dLon = 1 + static_cast<int>(31.0 / 60.0 / std::max(coslat, 0.05));
        double best = 1e9;  // miles, in a flat frame around the port
        for (int la = -2; la <= 2; ++la) {
            for (int lo = -dLon; lo <= dLon; ++lo) {
                const auto it = cells.find(cell(p.latitude + la, p.longitude + lo));
                if (it == cells.end()) continue;
                for (const auto& [lon, lat] : it->second) {
                    const double dx = std::remainder(lon - p.longitude, 360.0) * 60 * coslat;
                    best = std::min(best, std::hypot(dx, (lat - p.latitude) * 60));
                }
            }
        }
        if (best > 31.0) {
            ADD_FAILURE() << p.name << " is " << best << " miles from the coast";
            if (++far > 10) break;
        }
    }
}

// The ports window's picture: 800 x 517, with land and sea where the window
// places the dots, well inside land and well out at sea, so that a dot lands
// on the right coast (and a picture upside down or shifted fails).
TEST(PortsPicture, Is800By517WithLandAndSeaWhereTheDotsArePlaced) {
    const QImage picture(QString::fromStdString(std::string(VELMAR_DATA_DIR) + "/porti.png"));
    ASSERT_EQ(picture.size(), QSize(kPortsPictureWidth, kPortsPictureHeight));
    const auto colourAt = [&](double lat, double lon) {
        const PicturePixel p = PortPixel(lat, lon);
        return picture.pixel(p.x, p.y);
    };
    const struct {
        const char* what;
        double lat, lon;
        bool land;
    } places[] = {{"Sahara", 23, 10, true},      {"Pacific", 0, -150, false},
                  {"Siberia", 62, 100, true},    {"South Atlantic", -30, -15, false},
                  {"Brazil", -10, -50, true},    {"Indian Ocean", -20, 80, false},
                  {"Australia", -25, 135, true}, {"North Atlantic", 40, -40, false},
                  {"Antarctica", -74, 40, true}, {"Mediterranean", 35, 18, false},
                  {"Greenland", 72, -40, true},  {"Tasman Sea", -38, 160, false}};
    const QRgb landColour = colourAt(23, 10), seaColour = colourAt(0, -150);
    EXPECT_NE(landColour, seaColour);
    for (const auto& p : places)
        EXPECT_EQ(colourAt(p.lat, p.lon), p.land ? landColour : seaColour) << p.what;
}

}  // namespace
}  // namespace velmar
