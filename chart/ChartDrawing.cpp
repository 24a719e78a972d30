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
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>
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

namespace {

// The coastline is written straight into the image's 32-bit pixels. Through
// the painter every segment pays for a stroker's setting up, most of the
// cost of a map of some 360,000 points whose segments are mostly shorter
// than a pixel at low zoom; here a segment costs little more than its
// pixels. The pixels are the painter's own (its one-pixel lines and its
// wide round-capped ones), so the coastline looks as it always did.
//
// Pixel (i, j) covers [i, i + 1) x [j, j + 1) and has its centre at
// (i + 0.5, j + 0.5); y grows downwards.
constexpr std::uint32_t kOpaqueBlack = 0xff000000;  // in RGB32 and both ARGB32 formats

// The drawing takes images up to 2^20 pixels on a side (a chart is the
// screen's size), whose pixel coordinates, even in 1/64 pixel and clipped
// with a margin, stay well inside +-2^30.
constexpr int kMaxMapImageSide = 1 << 20;

// The whole number at or below v, for |v| < 2^30: truncation of a value
// made positive, cheaper than a floor and exact to 2^-22 at that size.
int Floor(double v) {
    constexpr int kOffset = 1 << 30;
    return static_cast<int>(v + kOffset) - kOffset;
}

int Ceil(double v) {
    return -Floor(-v);
}

// A pixel coordinate in 1/64 pixel, cut towards zero as the painter cuts it.
int Sixtyfourths(double v) {
    return static_cast<int>(v * 64);
}

class MapRaster {
  public:
    /// `image` is RGB32 or ARGB32 (premultiplied or not); `penPixels` >= 1.
    MapRaster(QImage& image, double penPixels)
        : bits_(reinterpret_cast<std::uint32_t*>(image.bits())),
          stride_(image.bytesPerLine() / 4),
          width_(image.width()),
          height_(image.height()),
          half_(penPixels / 2) {}

    /// A one-pixel line between two points given in 1/64 pixel, as the
    /// painter draws it: one pixel on each column (or row, for a steep
    /// line) from the first end's to the other's, where the line crosses
    /// the column's centre, or its near edge when the line falls. A
    /// zero-length line is the pixel nearest to its corner.
    void Thin(int x0, int y0, int x1, int y1) {
        // a runs along the major axis, b along the other. At low zoom most
        // segments are a pixel or two long, lying any which way: the code
        // takes its choices by selection, not by branches that would be
        // mispredicted about every other time.
        const int dx = x1 - x0;
        const int dy = y1 - y0;
        const bool xMajor = std::abs(dx) >= std::abs(dy);
        if (((x0 ^ x1) | (y0 ^ y1)) >> 6 == 0) {
            // Within one pixel, as most segments are at low zoom: the rule
            // below draws that pixel or its neighbour across the line.
            if (dx == 0 && dy == 0) {
                Put((x0 + 32) >> 6, (y0 + 32) >> 6);
            } else if (xMajor) {
                const int s = ((dx ^ dy) < 0 && dy != 0 ? 0 : 32) - (x0 & 63);
                Put(x0 >> 6, Floor(y0 + s * (static_cast<double>(dy) / dx)) >> 6);
            } else {
                const int s = ((dx ^ dy) < 0 && dx != 0 ? 0 : 32) - (y0 & 63);
                Put(Floor(x0 + s * (static_cast<double>(dx) / dy)) >> 6, y0 >> 6);
            }
            return;
        }
        const int major = -static_cast<int>(xMajor);  // all ones when x is the major axis
        const int a0 = Pick(major, x0, y0);
        const int b0 = Pick(major, y0, x0);
        const int da = Pick(major, dx, dy);
        const int db = Pick(major, dy, dx);
        if (da == 0) {  // then db == 0 too
            Put((x0 + 32) >> 6, (y0 + 32) >> 6);
            return;
        }
        const Axes axes =
            xMajor ? Axes{1, stride_, width_, height_} : Axes{stride_, 1, height_, width_};
        // The line's b at a is the same from either end, so either end
        // serves as a0, whichever way the segment runs.
        const double slope = static_cast<double>(db) / da;
        const int at = (slope < 0 ? 0 : 32) - a0;  // the sample point, from a0
        const int backwards = da >> 31;            // all ones when a1 < a0
        int i = Pick(backwards, a0 + da, a0) >> 6;
        const int last = Pick(backwards, a0, a0 + da) >> 6;
        // The first two columns unconditionally (the second thrown away
        // when the line has one), then any others.
        *Pixel(axes, i, Floor(b0 + (i * 64 + at) * slope) >> 6) = kOpaqueBlack;
        std::uint32_t* const second =
            Pixel(axes, i + 1, Floor(b0 + (i * 64 + 64 + at) * slope) >> 6);
        *(i + 1 <= last ? second : &scratch_) = kOpaqueBlack;
        for (i += 2; i <= last; ++i)
            *Pixel(axes, i, Floor(b0 + (i * 64 + at) * slope) >> 6) = kOpaqueBlack;
    }

    /// A line as wide as the pen with round ends, between two points in
    /// pixels: every pixel whose centre lies within half the pen of the
    /// segment, so that segments join round, as the painter's wide pen.
    /// A zero-length one is a round dot, and at least the pixel under it.
    void Wide(double x0, double y0, double x1, double y1) {
        if (x0 == x1 && y0 == y1) Put(Floor(x0), Floor(y0));
        if (std::abs(x1 - x0) >= std::abs(y1 - y0))
            Capsule<false>(x0, y0, x1, y1);
        else
            Capsule<true>(y0, x0, y1, x1);
    }

  private:
    // `mask` all ones: a; all zeros: b. Without a branch.
    static int Pick(int mask, int a, int b) { return (a & mask) | (b & ~mask); }

    // The strides and limits of the major and minor axes.
    struct Axes {
        std::ptrdiff_t stepA;
        std::ptrdiff_t stepB;
        int limitA;
        int limitB;
    };

    // The pixel at (a, b), or a scratch pixel when that lies outside the image.
    std::uint32_t* Pixel(const Axes& axes, int a, int b) {
        const bool in = static_cast<unsigned>(a) < static_cast<unsigned>(axes.limitA) &&
                        static_cast<unsigned>(b) < static_cast<unsigned>(axes.limitB);
        return in ? bits_ + (a * axes.stepA + b * axes.stepB) : &scratch_;
    }

    void Put(int x, int y) {
        if (static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
            static_cast<unsigned>(y) < static_cast<unsigned>(height_)) {
            bits_[static_cast<std::ptrdiff_t>(y) * stride_ + x] = kOpaqueBlack;
        }
    }

    // a is the major axis, b the other: x and y, or y and x when kSwapped.
    // Column by column (row by row), the span of centres within the pen.
    template <bool kSwapped>
    void Capsule(double a0, double b0, double a1, double b1) {
        if (a0 > a1) {
            std::swap(a0, a1);
            std::swap(b0, b1);
        }
        const double h = half_;
        const double h2 = h * h;
        const double da = a1 - a0;
        const double db = b1 - b0;
        const double len2 = da * da + db * db;
        // Across a column the straight part is 2 hh high; its ends are cut
        // square to the segment, where the feet of the centres reach its ends.
        const double slope = da > 0 ? db / da : 0;
        const double hh = da > 0 ? h * std::sqrt(len2) / da : 0;
        const double daOverDb = db != 0 ? da / db : 0;
        const double len2OverDb = db != 0 ? len2 / db : 0;
        const int from = std::max(Ceil(a0 - h - 0.5), 0);
        const int to = std::min(Floor(a1 + h - 0.5), (kSwapped ? height_ : width_) - 1);
        const int limitB = kSwapped ? width_ : height_;
        for (int i = from; i <= to; ++i) {
            const double c = i + 0.5;
            double lo = std::numeric_limits<double>::infinity();
            double hi = -lo;
            for (const auto& [ea, eb] : {std::pair{a0, b0}, std::pair{a1, b1}}) {
                const double d = c - ea;
                if (d * d <= h2) {
                    const double r = std::sqrt(h2 - d * d);
                    lo = std::min(lo, eb - r);
                    hi = std::max(hi, eb + r);
                }
            }
            if (da > 0) {
                const double line = b0 + (c - a0) * slope;
                double slo = line - hh;
                double shi = line + hh;
                if (db != 0) {
                    double u0 = b0 - (c - a0) * daOverDb;
                    double u1 = u0 + len2OverDb;
                    if (u0 > u1) std::swap(u0, u1);
                    slo = std::max(slo, u0);
                    shi = std::min(shi, u1);
                } else if (c < a0 || c > a1) {
                    shi = slo - 1;
                }
                if (slo <= shi) {
                    lo = std::min(lo, slo);
                    hi = std::max(hi, shi);
                }
            }
            if (lo > hi) continue;
            const int j0 = std::max(Ceil(lo - 0.5), 0);
            const int j1 = std::min(Floor(hi - 0.5), limitB - 1);
            for (int j = j0; j <= j1; ++j) kSwapped ? Put(j, i) : Put(i, j);
        }
    }

    std::uint32_t* bits_;
    std::ptrdiff_t stride_;
    int width_;
    int height_;
    double half_;
    std::uint32_t scratch_ = 0;
};

bool IsDirect32(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

// Walks the map's polylines that the image shows: `inside(points, count)`
// gets those wholly within the image (widened by `margin` pixels),
// `piece(p0, p1)` each segment's visible part, in pixels, of the others.
template <typename Inside, typename Piece>
void EachVisiblePart(const WorldMap& map, const ChartMapping& m, QSize size, double margin,
                     Inside&& inside, Piece&& piece) {
    // The widened window in chart units: a segment within it needs no
    // clipping, its pixel coordinates staying small.
    const double minX = m.ChartXAt(-margin);
    const double maxX = m.ChartXAt(size.width() + margin);
    const double minY = m.ChartYAt(size.height() + margin);
    const double maxY = m.ChartYAt(-margin);
    const QRectF clip(-margin, -margin, size.width() + 2 * margin, size.height() + 2 * margin);
    auto in = [&](const ChartPoint& p) {
        return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY;
    };
    for (const MapPolyline& line : map.polylines) {
        if (line.maxX < minX || line.minX > maxX || line.maxY < minY || line.minY > maxY) continue;
        // The reader builds each polyline over points it stored.
        assert(line.first + std::size_t{line.count} <= map.points.size());
        const ChartPoint* pts = map.points.data() + line.first;
        if (line.minX >= minX && line.maxX <= maxX && line.minY >= minY && line.maxY <= maxY) {
            inside(pts, line.count);
            continue;
        }
        QPointF a(m.PixelX(pts[0].x), m.PixelY(pts[0].y));
        for (std::uint32_t i = 1; i < line.count; ++i) {
            const ChartPoint& p0 = pts[i - 1];
            const ChartPoint& p1 = pts[i];
            const QPointF b(m.PixelX(p1.x), m.PixelY(p1.y));
            if (in(p0) && in(p1)) {
                piece(a, b);
            } else if (!((p0.x < minX && p1.x < minX) || (p0.x > maxX && p1.x > maxX) ||
                         (p0.y < minY && p1.y < minY) || (p0.y > maxY && p1.y > maxY))) {
                // Partly visible: its visible piece (most segments of a coast
                // that runs off the image lie wholly beyond one edge).
                QPointF c = a;
                QPointF d = b;
                if (ClipSegment(c, d, clip)) piece(c, d);
            }
            a = b;
        }
    }
}

}  // namespace

void OverlayWorldMap(QImage& chart, const ChartView& view, const WorldMap& map) {
    if (chart.isNull() || map.polylines.empty()) return;
    if (!IsDirect32(chart.format())) {
        // Not the chart's own format: drawn on a 32-bit copy.
        const QImage::Format format = chart.format();
        QImage work = chart.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        OverlayWorldMap(work, view, map);
        chart = work.convertToFormat(format);
        return;
    }
    if (chart.width() > kMaxMapImageSide || chart.height() > kMaxMapImageSide) return;
    const ChartMapping m = view.Mapping();
    const double penPixels = std::max(1.0, m.scale);  // one chart unit, at least a pixel
    const double margin = penPixels + 2;
    MapRaster raster(chart, penPixels);
    if (penPixels > 1.0) {
        EachVisiblePart(
            map, m, chart.size(), margin,
            [&](const ChartPoint* pts, std::uint32_t count) {
                for (std::uint32_t i = 1; i < count; ++i) {
                    raster.Wide(m.PixelX(pts[i - 1].x), m.PixelY(pts[i - 1].y), m.PixelX(pts[i].x),
                                m.PixelY(pts[i].y));
                }
            },
            [&](QPointF a, QPointF b) { raster.Wide(a.x(), a.y(), b.x(), b.y()); });
        return;
    }
    // In 1/64 pixel: scaling by 64 is exact, so these are the pixel
    // coordinates' sixty-fourths to the last bit.
    const double originX = m.originX * 64;
    const double originY = m.originY * 64;
    const double scale = m.scale * 64;
    EachVisiblePart(
        map, m, chart.size(), margin,
        [&](const ChartPoint* pts, std::uint32_t count) {
            int x0 = static_cast<int>(originX + pts[0].x * scale);
            int y0 = static_cast<int>(originY - pts[0].y * scale);
            for (std::uint32_t i = 1; i < count; ++i) {
                const int x1 = static_cast<int>(originX + pts[i].x * scale);
                const int y1 = static_cast<int>(originY - pts[i].y * scale);
                raster.Thin(x0, y0, x1, y1);
                x0 = x1;
                y0 = y1;
            }
        },
        [&](QPointF a, QPointF b) {
            raster.Thin(Sixtyfourths(a.x()), Sixtyfourths(a.y()), Sixtyfourths(b.x()),
                        Sixtyfourths(b.y()));
        });
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
    if (chart.isNull() || work.isNull()) return;
    std::memcpy(work.bits(), chart.constBits(), static_cast<std::size_t>(chart.sizeInBytes()));
    if (chart.colorCount() > 0) work.setColorTable(chart.colorTable());
    OverlayWorldMap(work, view, map);
}

}  // namespace velmar
