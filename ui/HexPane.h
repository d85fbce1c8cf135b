#pragma once

// HexPane: the hex rows beside the program text. The rows are painted
// straight from where they are kept, only those in view, so a program of any
// length costs nothing more to show than a short one. Typing, pasting or
// clearing turns the pane into a plain editor holding the rows as text, for
// hex digits to be written and turned into code; showing rows again ends it.

#include "ui/LineNumbers.h"

#include <QStackedWidget>

#include <functional>
#include <vector>

namespace orrikey {

class CodeEditor;

class HexPane : public QStackedWidget {
  Q_OBJECT

 public:
  // The text of a row (zero-based), asked for as the row is painted.
  using RowSource = std::function<QString(int row)>;

  explicit HexPane(QWidget* parent = nullptr);

  void setRowSource(RowSource source);
  // Shows the first `count` rows of the source as they are now, in place of
  // whatever was typed.
  void showRows(int count);

  // Whether the pane holds text typed or pasted rather than the rows.
  bool isTyped() const;
  // The typed text, or the rows one per line.
  QString text() const;
  // The row or typed line of the caret.
  QString currentRow() const;
  // An empty editor, ready for hex to be typed.
  void clear();

  void setLineNumberWidth(int pixels);
  // The first row in view, the scroll bar's value as in the program pane.
  void scrollToRow(int row);

  // The rows in view as the line-number area numbers them.
  std::vector<LineNumberRow> lineNumberRows() const;

 public slots:
  // The Edit menu's commands. Over the rows, those that write turn the pane
  // into an editor first, as typing does.
  void undo();
  void redo();
  void cut();
  void copy();
  void paste();
  void selectAll();

 signals:
  void scrolled(int firstRow);
  void doubleClicked();
  void zoomRequested(int steps);
  void inputRefused(const QString& message);

 private:
  class RowView;
  class RowsAccessible;

  // The rows as the editor's text, the selection of the rows kept.
  void startTyping();

  RowView* view_;
  CodeEditor* editor_;
};

}  // namespace orrikey
