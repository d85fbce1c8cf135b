#pragma once

// The colours, fonts and captions that both windows share.

#include <QColor>
#include <QFont>

class QLabel;
class QWidget;

namespace orrikey {

inline const QColor kCaptionOrange(255, 177, 100);
inline const QColor kWindowColor(67, 60, 56);

// A font of the named family, with a stand-in where that family is missing.
QFont UiFont(const QString& family, int pixels, bool bold);

// A caption in the window's style, for a layout.
QLabel* MakeCaption(const QString& text, const QFont& font, const QColor& color);

// Fills the widget's background with the window colour.
void PaintWindowColor(QWidget* widget);

}  // namespace orrikey
