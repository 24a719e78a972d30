#pragma once
// Design measures: every window is laid out in design pixels at 120 pixels
// per inch and scaled to the screen, so that it keeps its proportions at 96
// dots per inch and at 192 alike. Fonts are the platform's sans-serif at the
// design pixel sizes, scaled the same way.

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace velmar::ui {

/// Screen pixels per design pixel: the screen's logical dots per inch / 120.
double DesignScale();
/// For tests: a fixed scale instead of the screen's (0 returns to the screen's).
void SetDesignScale(double scale);

/// A design length in screen pixels, rounded.
int Dp(double designPixels);
QSize Dp(int width, int height);
QRect Dp(int left, int top, int width, int height);

/// The platform's sans-serif at `designPixels` (scaled), bold when asked.
QFont DesignFont(double designPixels, bool bold = false);
/// The serif face of the program's name ("Velmar3" in the about and wait windows).
QFont TitleFont(double designPixels);

/// Centres a window on its screen, frame included (halves rounded toward zero).
void CentreOnScreen(QWidget* window);

/// The window face colour, (240, 240, 240).
inline constexpr int kFaceGrey = 240;

}  // namespace velmar::ui
