#pragma once
// The program's own pictures, drawn with QPainter: the message icons, the
// button glyphs, the program icon and the wait window's picture. Each is
// drawn in a fixed unit box and scaled to the size asked, at the device pixel
// ratio of the screen it is shown on, so that it stays crisp at 96 dots per
// inch and at 192 alike.

#include <QIcon>
#include <QPixmap>

namespace velmar::ui {

/// The four kinds of message icon.
enum class MessageIconKind { Information, Warning, Question, Error };

/// The glyphs of the message box's buttons.
enum class GlyphKind { Ok, Yes, No, Cancel };

/// A message icon `size` logical pixels square (32 design pixels on the box),
/// rendered at `dpr` device pixels per logical pixel.
QPixmap MessageIcon(MessageIconKind kind, int size, qreal dpr);

/// A button glyph `size` logical pixels square (18 design pixels), with its
/// normal and its disabled (greyed) picture.
QIcon ButtonGlyph(GlyphKind kind, int size, qreal dpr);

/// The program icon: a navy compass rose, `size` logical pixels square.
QPixmap ProgramIcon(int size, qreal dpr);

/// The program icon at the sizes a window manager and a task bar ask for.
QIcon ProgramWindowIcon();

/// The wait window's picture: a chart of the sea at dusk with a graticule,
/// a course line and a ship, `size` logical pixels square (164 design pixels).
/// Its lower band is dark, so that white text stays legible on it.
QPixmap WaitPicture(int size, qreal dpr);

}  // namespace velmar::ui
