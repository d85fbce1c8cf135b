#pragma once

// Printing the program text: on every page a header with the file's name
// and the page's number, then the lines, each with its line and step number,
// wrapped at the right edge, each program headed by its name and size.

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
  int line;  // the index of the line it is a piece of
};

// Where each piece of the lines goes on pages of the given size in a font of
// these metrics. A line that is too wide goes on at the left edge of the next
// printed line; a tab moves to the next multiple of eight average
// characters, and past the right edge it ends the line.
std::vector<PrintedRun> LayOutPrint(const QStringList& lines, const QFontMetricsF& metrics, QSizeF page);

// A line of the printout: the editor's line number and the calculator's
// step beside the text. A heading names a program, and its size, before
// the program's first line.
struct PrintedLine {
  QString number;
  QString step;
  QString text;
  bool heading = false;
};

// Prints the lines in black in the font, within the printer's page margins
// but no nearer the edge than 15 mm; `title` heads every page and names
// the document (a PDF's title). Throws std::runtime_error when the printer
// fails.
void PrintProgram(QPrinter& printer, const QString& title, const std::vector<PrintedLine>& lines,
                  const QFont& font);

}  // namespace orrikey
