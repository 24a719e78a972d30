#include "ui/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace velmar::ui {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSea(40, 110, 170);
const QColor kPaper(255, 255, 240);

// Each glyph is drawn on a 20 x 20 grid.
void Draw(QPainter& p, SchemeCommand command) {
    using C = SchemeCommand;
    QPen pen(kNavy, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    switch (command) {
        case C::Archive:  // a drawer of files
            p.setBrush(QColor(230, 200, 130));
            p.drawRect(QRectF(3, 7, 14, 10));
            p.drawLine(QPointF(8, 11), QPointF(12, 11));
            p.setBrush(kPaper);
            p.drawRect(QRectF(5, 3, 10, 4));
            break;
        case C::Write:  // a disk
            p.setBrush(kSea);
            p.drawRoundedRect(QRectF(3, 3, 14, 14), 1.5, 1.5);
            p.setBrush(kPaper);
            p.drawRect(QRectF(6, 3, 8, 5));
            p.drawRect(QRectF(6, 11, 8, 6));
            break;
        case C::Read: {  // an opened folder
            p.setBrush(QColor(240, 200, 90));
            QPainterPath path;
            path.moveTo(2, 16);
            path.lineTo(2, 5);
            path.lineTo(7, 5);
            path.lineTo(9, 7);
            path.lineTo(16, 7);
            path.lineTo(16, 9);
            path.lineTo(5, 9);
            path.lineTo(2, 16);
            path.lineTo(15, 16);
            path.lineTo(18, 9);
            path.lineTo(5, 9);
            p.drawPath(path);
            break;
        }
        case C::Ports: {  // an anchor
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(10, 4.5), 1.8, 1.8);
            p.drawLine(QPointF(10, 6.3), QPointF(10, 17));
            p.drawLine(QPointF(6, 9), QPointF(14, 9));
            QPainterPath arc;
            arc.moveTo(3.5, 12);
            arc.quadTo(4.5, 17, 10, 17);
            arc.quadTo(15.5, 17, 16.5, 12);
            p.drawPath(arc);
            break;
        }
        case C::Points:  // a broken line through its points
            p.drawPolyline(
                QPolygonF({QPointF(3, 15), QPointF(7, 8), QPointF(13, 5), QPointF(17, 9)}));
            p.setBrush(Qt::red);
            p.setPen(QPen(Qt::red, 1));
            for (const QPointF& at :
                 {QPointF(3, 15), QPointF(7, 8), QPointF(13, 5), QPointF(17, 9)})
                p.drawEllipse(at, 1.6, 1.6);
            break;
        case C::Chart:  // a chart with its graticule and a route
            p.setBrush(QColor(200, 225, 245));
            p.drawRect(QRectF(2.5, 3.5, 15, 13));
            p.setPen(QPen(QColor(120, 150, 190), 0.8));
            for (double x : {7.5, 12.5}) p.drawLine(QPointF(x, 3.5), QPointF(x, 16.5));
            p.drawLine(QPointF(2.5, 10), QPointF(17.5, 10));
            p.setPen(QPen(Qt::red, 1.4));
            p.drawLine(QPointF(4.5, 14), QPointF(15.5, 6));
            break;
        case C::Exit:  // a door with an arrow out
            p.setBrush(QColor(190, 140, 90));
            p.drawRect(QRectF(3, 3, 8, 14));
            p.setPen(QPen(QColor(160, 0, 0), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(10, 10), QPointF(18, 10));
            p.drawPolyline(QPolygonF({QPointF(15, 7), QPointF(18, 10), QPointF(15, 13)}));
            break;
        case C::Clear: {  // a sheet wiped with a cross
            p.setBrush(kPaper);
            p.drawRect(QRectF(4, 2.5, 12, 15));
            p.setPen(QPen(QColor(190, 0, 0), 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(7, 7), QPointF(13, 13));
            p.drawLine(QPointF(13, 7), QPointF(7, 13));
            break;
        }
        case C::OtherFormats: {  // the same value, written two ways
            QFont font = p.font();
            font.setPixelSize(8);
            font.setBold(true);
            p.setFont(font);
            p.setBrush(kPaper);
            p.drawRect(QRectF(2.5, 2.5, 15, 15));
            p.drawText(QRectF(2.5, 2.5, 15, 7.5), Qt::AlignCenter, QStringLiteral("1°"));
            p.drawText(QRectF(2.5, 10, 15, 7.5), Qt::AlignCenter, QStringLiteral("60'"));
            break;
        }
        case C::SystemTime:  // a clock
            p.setBrush(kPaper);
            p.drawEllipse(QPointF(10, 10), 7.5, 7.5);
            p.drawLine(QPointF(10, 10), QPointF(10, 5));
            p.drawLine(QPointF(10, 10), QPointF(13.5, 12));
            break;
        case C::Window:  // a window fitted to its corner
            p.setBrush(Qt::white);
            p.drawRect(QRectF(2.5, 3.5, 15, 13));
            p.setBrush(kNavy);
            p.drawRect(QRectF(2.5, 3.5, 15, 3));
            p.setBrush(kSea);
            p.setPen(Qt::NoPen);
            p.drawRect(QRectF(11, 11, 5.5, 4.5));
            break;
        case C::Copy:  // two sheets
            p.setBrush(Qt::white);
            p.drawRect(QRectF(3, 2.5, 9, 11));
            p.setBrush(kPaper);
            p.drawRect(QRectF(8, 6.5, 9, 11));
            p.setPen(QPen(kNavy, 0.9));
            for (double y : {9.5, 12.0, 14.5}) p.drawLine(QPointF(10, y), QPointF(15, y));
            break;
        case C::Icons:  // a bar of small buttons
            p.setBrush(Qt::white);
            p.drawRect(QRectF(2.5, 4.5, 15, 11));
            p.setBrush(kSea);
            for (double x : {4.0, 8.5, 13.0}) p.drawRect(QRectF(x, 6, 3, 3));
            break;
        case C::Status:  // a window with its status line
            p.setBrush(Qt::white);
            p.drawRect(QRectF(2.5, 4.5, 15, 11));
            p.setBrush(kSea);
            p.drawRect(QRectF(2.5, 12.5, 15, 3));
            break;
        case C::Guide:
        case C::Tutor:
        case C::About: {  // a round badge with ? or i
            p.setBrush(command == C::About ? kNavy : kSea);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(10, 10), 8, 8);
            QFont font = p.font();
            font.setPixelSize(13);
            font.setBold(true);
            font.setFamily(QStringLiteral("serif"));
            p.setFont(font);
            p.setPen(Qt::white);
            p.drawText(QRectF(2, 2, 16, 16), Qt::AlignCenter,
                       command == C::About ? QStringLiteral("i") : QStringLiteral("?"));
            break;
        }
    }
}

}  // namespace

QIcon CommandGlyph(SchemeCommand command) {
    QIcon icon;
    for (int size : {20, 40, 80}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(size / 20.0, size / 20.0);
        Draw(painter, command);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace velmar::ui
