#pragma once

// Printing the program text: plain lines, wrapped at the right edge of the
// printable area, a new page when the next line might not fit. No margins,
// headers, footers or numbers.

#include <QFontMetricsF>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

class QPrinter;

namespace orrikey {

// A piece of a line as it is drawn: its page (from 0) and its top-left
// corner on that page, in the pixels of `page`.
struct PrintedRun {
  int page;
  QPointF at;
  QString text;
};

// Where each piece of the lines goes on pages of the given size in a font of
// these metrics. A line that is too wide goes on at the left edge of the next
// printed line; a tab moves to the next multiple of eight average
// characters, and past the right edge it ends the line.
std::vector<PrintedRun> LayOutPrint(const QStringList& lines, const QFontMetricsF& metrics,
                                    QSizeF page);

// Prints the lines in black in the font, on pages of the printer's printable
// area. Throws std::runtime_error when the printer fails.
void PrintLines(QPrinter& printer, const QStringList& lines, const QFont& font);

}  // namespace orrikey
