#include "ui/Design.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace velmar::ui {

namespace {
double fixedScale = 0;
}

double DesignScale() {
    if (fixedScale > 0) return fixedScale;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return (dpi > 0 ? dpi : 96.0) / 120.0;
}

void SetDesignScale(double scale) {
    fixedScale = scale;
}

int Dp(double designPixels) {
    return static_cast<int>(std::lround(designPixels * DesignScale()));
}

QSize Dp(int width, int height) {
    return {Dp(width), Dp(height)};
}

QRect Dp(int left, int top, int width, int height) {
    return {Dp(left), Dp(top), Dp(width), Dp(height)};
}

QFont DesignFont(double designPixels, bool bold) {
    // The windows were drawn for a compact sans-serif; a wide one would cut
    // off the values in their frames. Liberation Sans has the compact
    // metrics; without it the platform's own sans-serif stands in.
    static const QString family = [] {
        for (const QString& name : {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")})
            if (QFontDatabase::hasFamily(name)) return name;
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, Dp(designPixels)));
    font.setBold(bold);
    return font;
}

QFont TitleFont(double designPixels) {
    QFont font(QStringLiteral("serif"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(1, Dp(designPixels)));
    font.setBold(true);
    return font;
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize outer =
        window->size() + (window->frameGeometry().size() - window->geometry().size());
    window->move(area.x() + (area.width() - outer.width()) / 2,
                 area.y() + (area.height() - outer.height()) / 2);
}

}  // namespace velmar::ui
