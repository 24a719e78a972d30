// GPX and RTZ export of the broken line; the GPX is read back by GPSBabel,
// a program we did not write.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "brokenline/RouteExport.h"
#include "tests/TestFiles.h"
#include "tests/brokenline/BrokenLineTestSupport.h"

namespace velmar {
namespace {

using bltest::Bench;
using bltest::FactsBench;
using bltest::RouteSpec;
using test::Count;

// Splits one CSV line, honouring quotes and doubled quotes.
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (quoted && line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ',' && !quoted)
            fields.emplace_back();
        else if (line[i] != '\r')
            fields.back() += line[i];
    }
    return fields;
}

bool HaveGpsBabel() {
    return std::system("gpsbabel -V > /dev/null 2>&1") == 0;
}

// Writes the GPX, converts it with GPSBabel and returns the CSV rows
// (header first).
std::vector<std::vector<std::string>> ThroughGpsBabel(const std::string& gpx) {
    const test::TempFolder dir;
    const std::string in = dir.File("route.gpx"), out = dir.File("route.csv");
    test::WriteBytes(in, gpx);
    const std::string cmd = "gpsbabel -r -i gpx -f '" + in + "' -o unicsv -F '" + out + "' 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    std::ifstream csv(out);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(csv, line);) rows.push_back(CsvFields(line));
    return rows;
}

TEST(GpxExport, TwentyPointLineReadsBackThroughGpsBabelUnchanged) {
    if (!HaveGpsBabel()) GTEST_SKIP() << "gpsbabel is not on PATH";
    // Method 3 with 18 intermediate points: 20 points, with Greenwich times.
    FactsBench b({35, 140, 37, -122, 15.0, CivilDate{2026, 7, 3}, 8, CivilDate{2026, 7, 20}});
    b.work.nrPt = 18;
    b.engine.DeriveSpacing(kMethodEquation, SpacingItem::kNrPt);
    ASSERT_TRUE(b.engine.ApplyMethod(kMethodEquation));
    ASSERT_EQ(b.line.n, 19);
    const Route route = RouteOfLine(b.line, b.work, kMethodEquation, 15, "Yokohama - S.F.");
    const auto rows = ThroughGpsBabel(ToGpx(route));
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"No", "Latitude", "Longitude", "Name", "Date", "Time"}));
    for (int i = 0; i <= 19; ++i) {
        SCOPED_TRACE(i);
        const auto& row = rows[i + 1];
        ASSERT_EQ(row.size(), 6u);
        // GPSBabel writes six decimals: the point to within half of the last.
        EXPECT_NEAR(std::stod(row[1]), b.line.points[i].latitude, 5.1e-7);
        EXPECT_NEAR(std::stod(row[2]), b.line.points[i].longitude, 5.1e-7);
        const std::string name = i == 0 ? "A" : i == 19 ? "B" : std::to_string(i);
        EXPECT_EQ(row[3], name);
        const std::string iso = IsoUtc(b.line.greenwichTimes[i]);  // 2026-07-02T23:00:00Z
        std::string date = iso.substr(0, 10);
        std::replace(date.begin(), date.end(), '-', '/');
        EXPECT_EQ(row[4], date);
        EXPECT_EQ(row[5], iso.substr(11, 8));
    }
    EXPECT_EQ(rows[1][4], "2026/07/02");  // 08:00 at zone +9 is 23:00 UTC the day before
    EXPECT_EQ(rows[1][5], "23:00:00");
}

TEST(GpxExport, ContactPointNamesSurviveXmlAndCsvQuoting) {
    if (!HaveGpsBabel()) GTEST_SKIP() << "gpsbabel is not on PATH";
    Bench b({5, 0, 55, 110, std::nullopt, std::nullopt, 8, CivilDate{2026, 1, 3}});
    ASSERT_TRUE(b.engine.Activate());
    ASSERT_EQ(b.engine.CurrentMethod(), kMethodLimitParallel);
    const Route route = RouteOfLine(b.line, b.work, kMethodLimitParallel, 0, "<V' & V\">");
    const std::string gpx = ToGpx(route);
    EXPECT_NE(gpx.find("<name>&lt;V&apos; &amp; V&quot;&gt;</name>"), std::string::npos);
    EXPECT_EQ(gpx.find("<time>"), std::string::npos);        // no times known
    EXPECT_EQ(gpx.find("<extensions>"), std::string::npos);  // nor a speed
    const auto rows = ThroughGpsBabel(gpx);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(b.line.n) + 2);
    const int k = b.line.vertexIndex;
    EXPECT_EQ(rows[k + 2][3], "V'");
    EXPECT_EQ(rows[k + 3][3], "V\"");
}

TEST(GpxExport, PlannedSpeedAndDepartureForChartPlotters) {
    const DateTime start = MakeDateTime(CivilDate{2026, 7, 3}, 9);
    Route route{"r", {{"A", 1, 2, start}, {"B", 1.5, 2.5, start + 0.625}}, 12.5};
    const std::string gpx = ToGpx(route);
    EXPECT_NE(gpx.find("xmlns:opencpn=\"http://www.opencpn.org\""), std::string::npos);
    EXPECT_NE(gpx.find("<opencpn:planned_speed>12.50</opencpn:planned_speed>"), std::string::npos);
    EXPECT_NE(gpx.find("<opencpn:planned_departure>2026-07-03T09:00:00Z<"), std::string::npos);
    // Extensions come before the route points, as the GPX schema orders them.
    EXPECT_LT(gpx.find("<extensions>"), gpx.find("<rtept"));
    EXPECT_NE(gpx.find("<rtept lat=\"1.000000000\" lon=\"2.000000000\">"), std::string::npos);
}

TEST(RtzExport, WaypointsLegsAndSchedule) {
    const DateTime start = MakeDateTime(CivilDate{2026, 7, 3}, 9);
    Route route{"Tor & Co",
                {{"A", 1, 2, start}, {"1", 1.5, 2.5, start + 0.25}, {"B", 2, 3, start + 0.625}},
                12.0};
    const std::string rtz = ToRtz(route);
    EXPECT_NE(rtz.find("<route xmlns=\"http://www.cirm.org/RTZ/1/0\" version=\"1.0\">"),
              std::string::npos);
    EXPECT_NE(rtz.find("<routeInfo routeName=\"Tor &amp; Co\"/>"), std::string::npos);
    EXPECT_EQ(Count(rtz, "<waypoint id="), 3u);
    EXPECT_EQ(Count(rtz, "<waypoint id=\"3\""), 1u);
    // The leg is carried by the waypoint that ends it: none on the first.
    EXPECT_EQ(Count(rtz, "<leg geometryType=\"Loxodrome\"/>"), 2u);
    EXPECT_GT(rtz.find("<leg "), rtz.find("id=\"2\""));
    EXPECT_NE(rtz.find("<scheduleElement waypointId=\"1\" etd=\"2026-07-03T09:00:00Z\"/>"),
              std::string::npos);
    EXPECT_NE(rtz.find("waypointId=\"3\" eta=\"2026-07-04T00:00:00Z\" speed=\"12.00\"/>"),
              std::string::npos);

    route.points[1].greenwich.reset();  // a schedule needs every moment
    EXPECT_EQ(ToRtz(route).find("<schedules>"), std::string::npos);
}

}  // namespace
}  // namespace velmar
