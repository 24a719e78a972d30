#include "chart/ChartDrawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <QTransform>
#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>
#include <vector>

#include "core/Angles.h"

namespace velmar {

namespace {

int FontPixels(const ChartMapping& m) {
    return std::max(kChartFontMinPixels, Nearest(kChartFontUnits * m.scale));
}

// Only with one can fonts be made and measured.
bool HaveFonts() {
    return QGuiApplication::instance() != nullptr;
}

QFont ChartFont(const ChartMapping& m) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(FontPixels(m));
    return font;
}

int TextHeightUnits(const ChartMapping& m) {
    // Without an application no font can be measured: a sans font's line is
    // about 1.2 times its pixel size.
    const double pixels = HaveFonts() ? QFontMetricsF(ChartFont(m)).height() : FontPixels(m) * 1.2;
    return std::max(1, Nearest(pixels / m.scale));
}

// The nearest whole pixel of a coordinate inside the clipped window (well
// within +-65536): an offset keeps the truncation a floor without a call.
int NearPixel(double v) {
    return static_cast<int>(v + 65536.5) - 65536;
}

// A pen `widthUnits` chart units wide, never thinner than one pixel; wide
// pens end and join round, so a zero-length line is a round dot.
QPen UnitPen(QRgb color, int widthUnits, const ChartMapping& m) {
    const double pixels = std::max(1.0, widthUnits * m.scale);
    QPen pen{QColor::fromRgb(color)};
    if (pixels <= 1.0) {
        pen.setWidth(1);
        pen.setCosmetic(true);
    } else {
        pen.setWidthF(pixels);
    }
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// Clips segment p0-p1 to the rectangle (Liang-Barsky); false when nothing
// of it is inside. Keeps far-away coordinates away from the rasteriser.
bool ClipSegment(QPointF& p0, QPointF& p1, const QRectF& r) {
    const double dx = p1.x() - p0.x();
    const double dy = p1.y() - p0.y();
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {p0.x() - r.left(), r.right() - p0.x(), p0.y() - r.top(),
                         r.bottom() - p0.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const QPointF a = p0;
    p0 = QPointF(a.x() + t0 * dx, a.y() + t0 * dy);
    p1 = QPointF(a.x() + t1 * dx, a.y() + t1 * dy);
    return true;
}

// Draws marks given in chart units through the mapping; pen widths and
// radii are chart units too, never thinner than one pixel.
class UnitPainter {
  public:
    UnitPainter(QImage& image, const ChartMapping& m) : painter_(&image), m_(m) {
        const double margin = 64;
        clip_ = QRectF(-margin, -margin, image.width() + 2 * margin, image.height() + 2 * margin);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setBrush(Qt::NoBrush);
    }

    QPainter& Painter() { return painter_; }
    QPointF Px(double x, double y) const { return {m_.PixelX(x), m_.PixelY(y)}; }

    void SetPen(QRgb color, int widthUnits) { painter_.setPen(UnitPen(color, widthUnits, m_)); }
    void SetTextColor(QRgb color) { textColor_ = color; }
    void SetFont(const QFont& font) {
        painter_.setFont(font);
        ascent_ = QFontMetricsF(font).ascent();
    }

    void Line(double x0, double y0, double x1, double y1) {
        QPointF a = Px(x0, y0);
        QPointF b = Px(x1, y1);
        if (ClipSegment(a, b, clip_)) painter_.drawLine(a, b);
    }
    /// A zero-length line with the current pen: a round dot as wide as the pen.
    void Dot(double x, double y) {
        const QPointF c = Px(x, y);
        if (clip_.contains(c)) painter_.drawPoint(c);
    }
    void Circle(double x, double y, int radiusUnits) {
        const QPointF c = Px(x, y);
        const double r = std::max(0.5, radiusUnits * m_.scale);
        if (c.x() + r < clip_.left() || c.x() - r > clip_.right() || c.y() + r < clip_.top() ||
            c.y() - r > clip_.bottom()) {
            return;
        }
        painter_.drawEllipse(c, r, r);
    }
    /// A text whose top-left corner is at the chart point.
    void Text(double x, double y, const QString& text) {
        if (!HaveFonts()) return;
        const QPointF at = Px(x, y);
        if (!clip_.contains(at)) return;
        const QPen pen = painter_.pen();
        painter_.setPen(QColor::fromRgb(textColor_));
        painter_.drawText(QPointF(at.x(), at.y() + ascent_), text);
        painter_.setPen(pen);
    }

  private:
    QPainter painter_;
    ChartMapping m_;
    QRectF clip_;
    double ascent_ = 0;
    QRgb textColor_ = 0xff000000;
};

QString Degrees(int value, const char* suffix) {
    return QString::number(value) + QString::fromUtf8(suffix);
}

// The great circle whose vertex lies at chart x `vx`, `tanVertexLat` being
// the tangent of its latitude: dots every 2 degrees of longitude out to
// `count` x 2 degrees on both sides (no wrap-around at the world's edges).
void GreatCircleDots(UnitPainter& u, int vx, double tanVertexLat, int count) {
    for (int i = 1; i <= count; ++i) {
        const double lat = std::atan(std::cos(2.0 * i * kDegToRad) * tanVertexLat) * kRadToDeg;
        const int y = ChartY(lat);
        u.Dot(vx - 120.0 * i, y);
        u.Dot(vx + 120.0 * i, y);
    }
}

// The chart units at the image's edges.
struct VisibleArea {
    double left;
    double right;
    double top;
    double bottom;
};

// Parallels up to 80 degrees, labelled at the left edge, and meridians out
// to 180 degrees each side, labelled at the top, every `step` degrees.
void DrawGraticule(UnitPainter& u, const VisibleArea& area, int step, bool antimeridian) {
    for (int lat = step; lat <= 80; lat += step) {
        const int y = ChartY(lat);
        u.Text(area.left, y, Degrees(lat, "°N"));
        u.Text(area.left, -y, Degrees(lat, "°S"));
        u.Line(area.left, y, area.right, y);
        u.Line(area.left, -y, area.right, -y);
    }
    for (int lon = step; lon <= 180; lon += step) {
        const int x = Nearest(lon * 60.0);
        if (antimeridian) {
            u.Text(x, area.top, Degrees(180 - lon, "°W"));
            u.Text(-x, area.top, Degrees(180 - lon, "°E"));
        } else {
            u.Text(x, area.top, Degrees(lon, "°E"));
            u.Text(-x, area.top, Degrees(lon, "°W"));
        }
        u.Line(-x, area.top, -x, area.bottom);
        u.Line(x, area.top, x, area.bottom);
    }
}

// The equator and the central meridian with their labels; `h` is the text
// height in chart units.
void DrawAxes(UnitPainter& u, const VisibleArea& area, int h, bool antimeridian) {
    u.Text(area.left, 0, QStringLiteral("0"));
    u.SetPen(kChartEquator, h / 6);
    u.Line(area.left, 0, area.right, 0);
    u.Text(0, area.top, antimeridian ? QStringLiteral("180") : QStringLiteral("0"));
    u.SetPen(0xff000000, 7);
    u.Line(0, area.top, 0, area.bottom);
}

// The great circle through its circled vertices V1 and V2; for the limiting
// parallel method also the two great circles tangent to that parallel.
void DrawGreatCircle(UnitPainter& u, const ChartMarks& marks, int h, bool labels) {
    const int r1 = h / 3;
    u.SetPen(kChartGreatCircle, 1);
    u.Circle(marks.v1.x, marks.v1.y, r1);
    u.Circle(marks.v2.x, marks.v2.y, r1);
    u.SetPen(kChartGreatCircle, r1);
    GreatCircleDots(u, marks.v1.x, std::tan(marks.v1Latitude * kDegToRad), 89);
    const bool tangents = marks.method == kLimitingParallelMethod && marks.hasTangents;
    if (tangents) {
        const int r2 = h / 5;
        u.SetPen(kChartGreatCircle, 1);
        u.Circle(marks.t1.x, marks.t1.y, r2);
        u.Circle(marks.t2.x, marks.t2.y, r2);
        u.SetPen(kChartGreatCircle, r2);
        const double t = std::tan(marks.limitLat * kDegToRad);
        GreatCircleDots(u, marks.t1.x, t, 44);
        GreatCircleDots(u, marks.t2.x, t, 44);
    }
    if (!labels) return;
    u.SetTextColor(kChartRhumb);
    u.Text(marks.v1.x, marks.v1.y, QStringLiteral("V1"));
    u.Text(marks.v2.x, marks.v2.y, QStringLiteral("V2"));
    if (tangents) {
        u.Text(marks.t1.x, marks.t1.y, QStringLiteral("V'"));
        u.Text(marks.t2.x, marks.t2.y, QStringLiteral("V\""));
    }
}

// The broken line: from A through each point (circled) to B.
void DrawBrokenLine(UnitPainter& u, const ChartMarks& marks, int h) {
    u.SetPen(kChartBrokenLine, 1);
    const int r3 = h / 4;
    ChartPoint at = marks.a;
    // Marks built by hand may hold any count: the table holds no more.
    const int count = std::clamp(marks.pointCount, 0, kBrokenLineSlots);
    for (int i = 0; i < count; ++i) {
        const ChartPoint& p = marks.points[i];
        u.Line(at.x, at.y, p.x, p.y);
        u.Circle(p.x, p.y, r3);
        at = p;
    }
    u.Line(at.x, at.y, marks.b.x, marks.b.y);
}

// The rhumb line from A to B: straight on this projection.
void DrawRhumbLine(UnitPainter& u, const ChartMarks& marks, int h, bool labels) {
    u.SetPen(kChartRhumb, h / 6);
    u.SetTextColor(kChartRhumb);
    u.Line(marks.a.x, marks.a.y, marks.b.x, marks.b.y);
    if (!labels) return;
    u.Text(marks.a.x, marks.a.y, QStringLiteral("A"));
    u.Text(marks.b.x, marks.b.y, QStringLiteral("B"));
}

}  // namespace

void ApplyChartMapping(QPainter& painter, const ChartView& view) {
    const ChartMapping m = view.Mapping();
    painter.setTransform(QTransform(m.scale, 0, 0, -m.scale, m.originX, m.originY));
}

int ChartTextHeight(const ChartView& view) {
    return TextHeightUnits(view.Mapping());
}

void DrawChart(QImage& image, ChartView& view, const ChartMarks& marks, const ChartLayers& layers) {
    const int w = view.Width();
    const int h0 = view.Height();
    if (image.width() != w || image.height() != h0 || image.format() != QImage::Format_RGB32) {
        image = QImage(w, h0, QImage::Format_RGB32);
        if (image.isNull()) return;  // no memory for so large a picture
    }
    const ChartMapping m = view.Mapping();
    const bool antimeridian = view.Meridian() == CentralMeridian::kAntimeridian;

    // 1. Background and frame, in pixels.
    image.fill(Qt::white);
    UnitPainter u(image, m);
    u.Painter().setPen(QPen(Qt::black, 1));
    u.Painter().drawRect(0, 0, w - 1, h0 - 1);

    // 2. The visible area in chart units.
    if (HaveFonts()) u.SetFont(ChartFont(m));
    const int h = TextHeightUnits(m);
    const VisibleArea area{m.ChartXAt(0), m.ChartXAt(w), m.ChartYAt(0), m.ChartYAt(h0)};
    u.SetPen(kChartGraticule, 1);
    u.SetTextColor(0xff000000);

    // 3. Graticule step and pan step for this zoom.
    const int step = view.GraticuleStep();
    view.UpdatePanStep();

    // 4. Parallels and meridians, labelled at the left and top edges.
    if (layers.graticule) DrawGraticule(u, area, step, antimeridian);
    // 5. Equator and central meridian, always.
    DrawAxes(u, area, h, antimeridian);
    // 6. The great circle with its vertices.
    if (layers.greatCircle) DrawGreatCircle(u, marks, h, layers.labels);
    // 7. The broken line.
    if (layers.brokenLine && marks.BrokenLineEnabled()) DrawBrokenLine(u, marks, h);
    // 8. The rhumb line, always.
    DrawRhumbLine(u, marks, h, layers.labels);
}

QImage DrawWorldMap(const QImage& chart, const ChartView& view, const WorldMap& map) {
    QImage work;
    DrawWorldMap(chart, view, map, work);
    return work;
}

void DrawWorldMap(const QImage& chart, const ChartView& view, const WorldMap& map, QImage& work) {
    if (work.size() != chart.size() || work.format() != chart.format() ||
        work.bytesPerLine() != chart.bytesPerLine()) {
        work = QImage(chart.size(), chart.format());
    }
    if (chart.isNull()) return;
    std::memcpy(work.bits(), chart.constBits(), static_cast<std::size_t>(chart.sizeInBytes()));
    if (map.polylines.empty()) return;
    const ChartMapping m = view.Mapping();
    const double penPixels = std::max(1.0, m.scale);
    const double margin = penPixels + 2;
    // The visible window in chart units, widened by the pen.
    const double minX = m.ChartXAt(-margin);
    const double maxX = m.ChartXAt(work.width() + margin);
    const double minY = m.ChartYAt(work.height() + margin);
    const double maxY = m.ChartYAt(-margin);
    const QRectF clip(-margin, -margin, work.width() + 2 * margin, work.height() + 2 * margin);

    QPainter painter(&work);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(UnitPen(0xff000000, 1, m));

    std::vector<QPoint> run;
    run.reserve(4096);
    auto flush = [&] {
        if (run.size() >= 2) painter.drawPolyline(run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    for (const MapPolyline& line : map.polylines) {
        if (line.maxX < minX || line.minX > maxX || line.maxY < minY || line.minY > maxY) continue;
        // The reader builds each polyline over points it stored.
        assert(line.first + std::size_t{line.count} <= map.points.size());
        const ChartPoint* pts = map.points.data() + line.first;
        const bool inside =
            line.minX >= minX && line.maxX <= maxX && line.minY >= minY && line.maxY <= maxY;
        if (inside) {
            // Whole pixels, as the device draws them; a point on the same
            // pixel as the one before adds nothing.
            for (std::uint32_t i = 0; i < line.count; ++i) {
                const QPoint p(NearPixel(m.PixelX(pts[i].x)), NearPixel(m.PixelY(pts[i].y)));
                if (run.empty() || run.back() != p) run.push_back(p);
            }
            flush();
            continue;
        }
        // Partly visible: draw each segment's visible piece. Most segments
        // of a coastline that runs off the image lie wholly beyond one edge
        // (tested in chart units, before any division).
        for (std::uint32_t i = 1; i < line.count; ++i) {
            const ChartPoint& p0 = pts[i - 1];
            const ChartPoint& p1 = pts[i];
            if ((p0.x < minX && p1.x < minX) || (p0.x > maxX && p1.x > maxX) ||
                (p0.y < minY && p1.y < minY) || (p0.y > maxY && p1.y > maxY)) {
                flush();
                continue;
            }
            QPointF a(m.PixelX(p0.x), m.PixelY(p0.y));
            QPointF b(m.PixelX(p1.x), m.PixelY(p1.y));
            if (!ClipSegment(a, b, clip)) {
                flush();
                continue;
            }
            const QPoint pa(NearPixel(a.x()), NearPixel(a.y()));
            const QPoint pb(NearPixel(b.x()), NearPixel(b.y()));
            if (run.empty() || run.back() != pa) {
                flush();
                run.push_back(pa);
            }
            if (run.back() != pb) run.push_back(pb);
        }
        flush();
    }
    painter.end();
}

}  // namespace velmar
