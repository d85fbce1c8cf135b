#pragma once

// The looks both windows share, all taken from the desktop: captions in the
// desktop's own font, and colours derived from the palette so that a dark
// theme reaches every part.

#include <QColor>

class QLabel;

namespace orrikey {

// A caption over a pane: the desktop's font, bold, in the palette's colours.
QLabel* MakeCaption(const QString& text);

// Text for a tooltip, broken between words into lines of a readable width
// in the tooltip's font; a word wider than that keeps a line of its own.
QString WrapForToolTip(const QString& text);

// A colour of the given hue (0 to 359) that reads on `background`, light or
// dark: its contrast ratio is at least 4.5, what text needs to be legible.
QColor ContrastingColor(int hue, const QColor& background);

// The contrast ratio of two colours, from 1 (alike) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

}  // namespace orrikey
