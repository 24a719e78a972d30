#include "ui/TfrmAttesa.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "ui/Design.h"
#include "ui/Pictures.h"

namespace velmar::ui {

TfrmAttesa::TfrmAttesa(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmAttesa"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TfrmAttesa::ShowAndPaint() {
    setFixedSize(Dp(410, 192));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    show();
    raise();
    repaint();
    QCoreApplication::processEvents();
}

void TfrmAttesa::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const qreal dpr = devicePixelRatioF();

    const QRect picture = Dp(14, 14, 164, 164);
    painter.drawPixmap(picture.topLeft(), WaitPicture(picture.width(), dpr));
    painter.drawPixmap(picture.topLeft() + QPoint(Dp(8), Dp(8)), ProgramIcon(Dp(32), dpr));

    painter.setPen(Qt::white);
    painter.setFont(DesignFont(13, true));
    painter.drawText(QRect(picture.left(), picture.bottom() - Dp(30), picture.width(), Dp(24)),
                     Qt::AlignCenter, QStringLiteral("Un attimo, grazie..."));

    painter.setPen(QColor(0, 0, 128));
    painter.setFont(TitleFont(45));
    painter.drawText(QRect(picture.right() + 1, 0, width() - picture.right() - 1, height()),
                     Qt::AlignCenter, QStringLiteral("Velmar"));

    // The window has no border of its own: a one-pixel black frame marks it.
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace velmar::ui
