#pragma once
// The icon bar's glyphs, drawn by the program itself.

#include <QIcon>

#include "scheme/SchemeScreen.h"

namespace velmar::ui {

/// The glyph of a scheme window command, crisp at any device pixel ratio.
QIcon CommandGlyph(SchemeCommand command);

}  // namespace velmar::ui
