#include "ui/Printing.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace orrikey {
namespace {

class Layout {
 public:
  Layout(const QFontMetricsF& metrics, QSizeF page)
      : metrics_(metrics), page_(page), tabWidth_(8 * metrics.averageCharWidth()) {}

  void PrintLine(QStringView line) {
    ++line_;
    for (qsizetype start = 0;;) {
      const qsizetype tab = line.indexOf(u'\t', start);
      PrintRun(line.sliced(start, (tab < 0 ? line.size() : tab) - start));
      if (tab < 0) break;
      Tab();
      start = tab + 1;
    }
    EndLine();
  }

  std::vector<PrintedRun> runs;

 private:
  // Draws as much of the run as fits before the right edge, and the rest on
  // the following printed lines.
  void PrintRun(QStringView run) {
    while (!run.isEmpty()) {
      const qsizetype fits = FittingLength(run);
      if (fits > 0) {
        runs.push_back({pageNumber_, {x_, y_}, run.first(fits).toString(), line_});
        if (metrics_.height() > lineHeight_) lineHeight_ = metrics_.height() + 2;
        x_ += metrics_.horizontalAdvance(run.first(fits).toString());
      }
      if (fits == run.size()) break;
      EndLine();
      run = run.sliced(fits);
    }
  }

  // The longest start of the run that fits between x and the right edge.
  // Longer starts are never narrower, so the search doubles a length until it
  // no longer fits and then halves between: a line of a hundred thousand
  // characters costs a few measurements of about a printed line's length
  // each, not one measurement per character dropped. At the left edge at
  // least one character is taken, so that a character wider than the page
  // cannot hold up the printing.
  qsizetype FittingLength(QStringView run) const {
    auto fits = [&](qsizetype length) {
      return x_ + metrics_.horizontalAdvance(run.first(length).toString()) <= page_.width();
    };
    qsizetype fitting = 0, tooLong = 1;
    for (; tooLong <= run.size() && fits(tooLong); tooLong *= 2) fitting = tooLong;
    tooLong = std::min(tooLong, run.size() + 1);
    while (tooLong - fitting > 1) {
      const qsizetype middle = (fitting + tooLong) / 2;
      if (fits(middle)) fitting = middle;
      else tooLong = middle;
    }
    return fitting == 0 && x_ == 0 ? 1 : fitting;
  }

  void Tab() {
    const qreal w = tabWidth_;
    x_ = x_ + w - std::fmod(x_ + w + 1, w) + 1;
    if (x_ > page_.width()) EndLine();
  }

  void EndLine() {
    x_ = 0;
    y_ += lineHeight_ > 0 ? lineHeight_ : metrics_.height();
    if (y_ > page_.height() - 2 * lineHeight_) {
      ++pageNumber_;
      y_ = 0;
    }
    lineHeight_ = 0;
  }

  const QFontMetricsF& metrics_;
  const QSizeF page_;
  const qreal tabWidth_;
  qreal x_ = 0;
  qreal y_ = 0;
  qreal lineHeight_ = 0;
  int pageNumber_ = 0;
  int line_ = -1;
};

}  // namespace

std::vector<PrintedRun> LayOutPrint(const QStringList& lines, const QFontMetricsF& metrics, QSizeF page) {
  Layout layout(metrics, page);
  for (const QString& line : lines) layout.PrintLine(line);
  return std::move(layout.runs);
}

void PrintProgram(QPrinter& printer, const QString& title, const std::vector<PrintedLine>& lines,
                  const QFont& font) {
  constexpr qreal kLeastMarginMm = 15;
  QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
  margins = QMarginsF(std::max(margins.left(), kLeastMarginMm), std::max(margins.top(), kLeastMarginMm),
                      std::max(margins.right(), kLeastMarginMm), std::max(margins.bottom(), kLeastMarginMm));
  printer.setPageMargins(margins, QPageLayout::Millimeter);
  printer.setDocName(title);

  QPainter painter;
  if (!painter.begin(&printer)) throw std::runtime_error("The printer could not start printing");
  const QFontMetricsF metrics(font, &printer);
  QFont bold = font;
  bold.setBold(true);
  // The numbers' column: a line number of five digits and a step of three.
  const qreal numberWidth = metrics.horizontalAdvance(u"00000  000  "_qs);
  const qreal stepRight = metrics.horizontalAdvance(u"00000  000"_qs);
  const qreal lineRight = metrics.horizontalAdvance(u"00000"_qs);
  const qreal headerHeight = 2 * metrics.height();
  const QSizeF page(printer.width(), printer.height());

  QStringList texts;
  for (const PrintedLine& line : lines) texts += line.text;
  const std::vector<PrintedRun> runs =
      LayOutPrint(texts, metrics, QSizeF(page.width() - numberWidth, page.height() - headerHeight));
  const int pages = runs.empty() ? 1 : runs.back().page + 1;

  const auto drawHeader = [&](int number) {
    painter.setFont(bold);
    const QRectF top(0, 0, page.width(), metrics.height());
    painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.drawText(top, Qt::AlignRight | Qt::AlignVCenter,
                     QString("Page %1 of %2").arg(number + 1).arg(pages));
    const qreal rule = metrics.height() * 1.4;
    painter.drawLine(QPointF(0, rule), QPointF(page.width(), rule));
  };
  painter.setPen(Qt::black);
  drawHeader(0);
  int pageNumber = 0;
  int lastLine = -1;
  for (const PrintedRun& run : runs) {
    for (; pageNumber < run.page; drawHeader(++pageNumber))
      if (!printer.newPage()) throw std::runtime_error("The printer could not start a new page");
    const PrintedLine& line = lines[size_t(run.line)];
    const qreal baseline = headerHeight + run.at.y() + metrics.ascent();
    painter.setFont(line.heading ? bold : font);
    if (run.line != lastLine) {
      painter.drawText(QPointF(lineRight - metrics.horizontalAdvance(line.number), baseline), line.number);
      painter.drawText(QPointF(stepRight - metrics.horizontalAdvance(line.step), baseline), line.step);
      lastLine = run.line;
    }
    painter.drawText(QPointF(numberWidth + run.at.x(), baseline), run.text);
  }
  if (!painter.end()) throw std::runtime_error("The printer could not finish printing");
}

}  // namespace orrikey
