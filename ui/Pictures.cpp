#include "ui/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmar::ui {

namespace {

const QColor kNavy(0, 0, 128);
constexpr double kPi = std::numbers::pi;

// A transparent pixmap `size` logical pixels square at `dpr`, with a painter
// whose coordinates run from 0 to `unit` across it.
template <class Draw>
QPixmap Render(int size, qreal dpr, double unit, Draw draw) {
    const qreal ratio = dpr > 0 ? dpr : 1.0;
    const int device = std::max(1, static_cast<int>(std::lround(size * ratio)));
    QPixmap pixmap(device, device);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(device / ratio / unit, device / ratio / unit);
    draw(painter);
    return pixmap;
}

QPen RoundPen(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A shaded disc of radius 14.5 centred in the 32-unit box.
void Disc(QPainter& p, const QColor& light, const QColor& dark) {
    QRadialGradient shade(QPointF(12, 10), 20);
    shade.setColorAt(0, light);
    shade.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(130), 1));
    p.setBrush(shade);
    p.drawEllipse(QPointF(16, 16), 14.5, 14.5);
}

void DrawInformation(QPainter& p) {
    Disc(p, QColor(110, 170, 255), QColor(20, 80, 190));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9.5), 2.4, 2.4);
    p.drawRoundedRect(QRectF(13.8, 13.5, 4.4, 12), 1.2, 1.2);
}

void DrawWarning(QPainter& p) {
    QPainterPath triangle;
    triangle.moveTo(16, 2.5);
    triangle.lineTo(30, 28.5);
    triangle.lineTo(2, 28.5);
    triangle.closeSubpath();
    QLinearGradient shade(0, 2, 0, 29);
    shade.setColorAt(0, QColor(255, 236, 120));
    shade.setColorAt(1, QColor(240, 180, 0));
    p.setPen(RoundPen(QColor(150, 100, 0), 1.5));
    p.setBrush(shade);
    p.drawPath(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(14.2, 10, 3.6, 10.5), 1.2, 1.2);
    p.drawEllipse(QPointF(16, 24), 2.1, 2.1);
}

void DrawQuestion(QPainter& p) {
    Disc(p, QColor(110, 170, 255), QColor(20, 80, 190));
    QPainterPath hook;
    hook.moveTo(11.2, 12.2);
    hook.cubicTo(11.2, 5.8, 20.8, 5.8, 20.8, 11.8);
    hook.cubicTo(20.8, 15.8, 16, 15.6, 16, 19.6);
    p.setPen(RoundPen(Qt::white, 3.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 24.6), 2.3, 2.3);
}

void DrawError(QPainter& p) {
    Disc(p, QColor(255, 110, 100), QColor(190, 20, 20));
    p.setPen(RoundPen(Qt::white, 3.8));
    p.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    p.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
}

// Button glyphs in an 18-unit box; `grey` draws the disabled picture.
void DrawGlyph(QPainter& p, GlyphKind kind, bool grey) {
    const QColor green = grey ? QColor(150, 150, 150) : QColor(0, 140, 40);
    const QColor red = grey ? QColor(150, 150, 150) : QColor(200, 30, 30);
    switch (kind) {
        case GlyphKind::Ok:
            p.setPen(RoundPen(green, 3));
            p.drawPolyline(QPolygonF({QPointF(3, 9.5), QPointF(7.5, 14), QPointF(15, 4)}));
            break;
        case GlyphKind::Yes:
            p.setPen(Qt::NoPen);
            p.setBrush(green);
            p.drawEllipse(QPointF(9, 9), 8, 8);
            p.setPen(RoundPen(Qt::white, 2.2));
            p.drawPolyline(QPolygonF({QPointF(5, 9.2), QPointF(8, 12.2), QPointF(13, 5.8)}));
            break;
        case GlyphKind::No:
            p.setPen(Qt::NoPen);
            p.setBrush(red);
            p.drawEllipse(QPointF(9, 9), 8, 8);
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(4, 7.6, 10, 2.8), 0.8, 0.8);
            break;
        case GlyphKind::Cancel:
            p.setPen(RoundPen(red, 3));
            p.drawLine(QPointF(4, 4), QPointF(14, 14));
            p.drawLine(QPointF(14, 4), QPointF(4, 14));
            break;
    }
}

// A compass rose in a 64-unit box: a white disc with a navy ring, four
// cardinal points and four shorter intercardinal ones, each half dark and
// half light so that the rose reads in relief; north is tipped in red.
void DrawCompassRose(QPainter& p, bool small) {
    const QPointF c(32, 32);
    p.setPen(QPen(kNavy, small ? 3.5 : 2.5));
    p.setBrush(Qt::white);
    p.drawEllipse(c, 29.5, 29.5);
    if (!small) {
        p.setPen(QPen(kNavy, 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 25, 25);
        for (int tick = 0; tick < 32; ++tick) {
            const double a = tick * kPi / 16;
            const double inner = tick % 4 == 0 ? 22.5 : 24;
            p.drawLine(QPointF(c.x() + inner * std::sin(a), c.y() - inner * std::cos(a)),
                       QPointF(c.x() + 25 * std::sin(a), c.y() - 25 * std::cos(a)));
        }
    }
    const QColor light(90, 120, 200);
    auto point = [&](double angle, double length, double half, const QColor& tipColour) {
        const QPointF tip(c.x() + length * std::sin(angle), c.y() - length * std::cos(angle));
        const QPointF left(c.x() + half * std::sin(angle - kPi / 4),
                           c.y() - half * std::cos(angle - kPi / 4));
        const QPointF right(c.x() + half * std::sin(angle + kPi / 4),
                            c.y() - half * std::cos(angle + kPi / 4));
        p.setPen(QPen(kNavy, 0.8));
        p.setBrush(tipColour);
        p.drawPolygon(QPolygonF({c, left, tip}));
        p.setBrush(light);
        p.drawPolygon(QPolygonF({c, tip, right}));
    };
    for (int i = 0; i < 4; ++i) point(kPi / 4 + i * kPi / 2, small ? 21 : 17, 5.5, kNavy);
    for (int i = 0; i < 4; ++i)
        point(i * kPi / 2, small ? 28 : 27, 7, i == 0 ? QColor(200, 20, 20) : kNavy);
    p.setPen(QPen(kNavy, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(c, 2.5, 2.5);
}

// A sea chart at dusk in a 164-unit box.
void DrawWaitPicture(QPainter& p) {
    const double horizon = 74;
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor(10, 20, 70));
    sky.setColorAt(0.6, QColor(80, 70, 140));
    sky.setColorAt(1, QColor(245, 150, 90));
    p.fillRect(QRectF(0, 0, 164, horizon), sky);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 120));
    p.drawChord(QRectF(96, horizon - 13, 26, 26), 0, 180 * 16);

    QLinearGradient sea(0, horizon, 0, 164);
    sea.setColorAt(0, QColor(40, 90, 140));
    sea.setColorAt(0.45, QColor(15, 50, 100));
    sea.setColorAt(1, QColor(5, 15, 45));
    p.fillRect(QRectF(0, horizon, 164, 164 - horizon), sea);

    // The sun's glitter on the water.
    p.setPen(QPen(QColor(255, 210, 140, 170), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int row = 0; row < 6; ++row) {
        const double y = horizon + 4 + row * 4.5;
        const double half = 9 - row * 1.2;
        p.drawLine(QPointF(109 - half, y), QPointF(109 + half, y));
    }

    // Swell: short light arcs.
    p.setPen(QPen(QColor(150, 200, 240, 110), 1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QPointF waves[] = {{14, 86}, {54, 96}, {26, 110}, {130, 104}, {78, 118}, {140, 124}};
    for (const QPointF& w : waves) p.drawArc(QRectF(w.x(), w.y(), 14, 6), 30 * 16, 120 * 16);

    // The chart's graticule over the whole scene.
    p.setPen(QPen(QColor(255, 255, 255, 55), 0.8));
    for (int x = 20; x < 164; x += 31) p.drawLine(QPointF(x, 0), QPointF(x, 164));
    for (int y = 16; y < 164; y += 31) p.drawLine(QPointF(0, y), QPointF(164, y));

    // A course line from the lower left to the ship, with its turning points.
    const QPointF course[] = {{12, 122}, {46, 102}, {84, 88}, {118, 79}};
    p.setPen(QPen(QColor(255, 170, 60), 1.4, Qt::DashLine, Qt::RoundCap));
    p.drawPolyline(course, 4);
    p.setPen(QPen(QColor(255, 170, 60), 1.2));
    p.setBrush(QColor(5, 15, 45));
    for (int i = 0; i < 3; ++i) p.drawEllipse(course[i], 2.4, 2.4);

    // A sailing ship on the horizon.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(15, 15, 35));
    QPainterPath hull;
    hull.moveTo(122, 73);
    hull.lineTo(148, 73);
    hull.lineTo(144, 78);
    hull.lineTo(126, 78);
    hull.closeSubpath();
    p.drawPath(hull);
    p.drawRect(QRectF(134.4, 44, 1.2, 29));
    p.setBrush(QColor(235, 225, 210));
    p.drawPolygon(QPolygonF({QPointF(133.6, 46), QPointF(133.6, 71), QPointF(122, 71)}));
    p.drawPolygon(QPolygonF({QPointF(136.4, 48), QPointF(136.4, 71), QPointF(146, 71)}));

    p.setPen(QPen(QColor(5, 15, 45), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 163, 163));
}

}  // namespace

QPixmap MessageIcon(MessageIconKind kind, int size, qreal dpr) {
    return Render(size, dpr, 32, [kind](QPainter& p) {
        switch (kind) {
            case MessageIconKind::Information:
                DrawInformation(p);
                break;
            case MessageIconKind::Warning:
                DrawWarning(p);
                break;
            case MessageIconKind::Question:
                DrawQuestion(p);
                break;
            case MessageIconKind::Error:
                DrawError(p);
                break;
        }
    });
}

QIcon ButtonGlyph(GlyphKind kind, int size, qreal dpr) {
    QIcon icon;
    icon.addPixmap(Render(size, dpr, 18, [kind](QPainter& p) { DrawGlyph(p, kind, false); }),
                   QIcon::Normal);
    icon.addPixmap(Render(size, dpr, 18, [kind](QPainter& p) { DrawGlyph(p, kind, true); }),
                   QIcon::Disabled);
    return icon;
}

QPixmap ProgramIcon(int size, qreal dpr) {
    const bool small = size * dpr < 40;
    return Render(size, dpr, 64, [small](QPainter& p) { DrawCompassRose(p, small); });
}

QIcon ProgramWindowIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(ProgramIcon(size, 1.0));
    return icon;
}

QPixmap WaitPicture(int size, qreal dpr) {
    return Render(size, dpr, 164, DrawWaitPicture);
}

}  // namespace velmar::ui
