#include "ui/Look.h"

#include <QFontMetrics>
#include <QLabel>
#include <QToolTip>

#include <cmath>

namespace orrikey {
namespace {

constexpr double kLegibleContrast = 4.5;

double Linear(double channel) {
  return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
  return 0.2126 * Linear(colour.redF()) + 0.7152 * Linear(colour.greenF()) + 0.0722 * Linear(colour.blueF());
}

}  // namespace

QLabel* MakeCaption(const QString& text) {
  auto* label = new QLabel(text);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  return label;
}

// Lines of about 60 characters, as a book's, read without losing the place.
QString WrapForToolTip(const QString& text) {
  const QFontMetrics metrics(QToolTip::font());
  const int width = 60 * metrics.averageCharWidth();
  QStringList lines;
  for (const QString& paragraph : text.split(u'\n')) {
    QString line;
    for (const QString& word : paragraph.split(u' ')) {
      const QString longer = line.isEmpty() ? word : line + u' ' + word;
      if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
        lines += line;
        line = word;
      } else {
        line = longer;
      }
    }
    lines += line;
  }
  return lines.join(u'\n');
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double lighter = std::max(Luminance(a), Luminance(b));
  const double darker = std::min(Luminance(a), Luminance(b));
  return (lighter + 0.05) / (darker + 0.05);
}

// Starts from a clear, saturated tone and walks away from the background's
// lightness until it reads; black or white, where it ends, always do.
QColor ContrastingColor(int hue, const QColor& background) {
  const bool onDark = Luminance(background) < 0.18;
  const double step = onDark ? 0.04 : -0.04;
  for (double lightness = onDark ? 0.62 : 0.42; lightness >= 0 && lightness <= 1; lightness += step) {
    const QColor colour = QColor::fromHslF(hue / 360.0, 0.8, lightness);
    if (ContrastRatio(colour, background) >= kLegibleContrast) return colour;
  }
  return onDark ? QColor(Qt::white) : QColor(Qt::black);
}

}  // namespace orrikey
