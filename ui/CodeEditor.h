#pragma once

// CodeEditor: the text control of the program, hex and scanner panes. A
// plain-text editor with a line-number area on its left edge that numbers
// every row it shows, counting on past the last line, and marks the lines
// that a marker source names an error for. The text is kept as the
// characters of the display-code map; codes(), lines() and their setters
// speak display codes.

#include "files/FileIO.h"
#include "ui/Completer.h"
#include "ui/LineNumbers.h"

#include <QPlainTextEdit>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orrikey {

class Completer;

class CodeEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  // The most text a pane takes, in characters, a line break counting as
  // one whatever the file's convention: as much as the largest program file
  // holds.
  static constexpr size_t kCapacity = files::kMaxProgramFileSize;
  // The characters the pane would hold for these codes.
  static size_t HeldSize(std::string_view codes);

  explicit CodeEditor(QWidget* parent = nullptr);

  int lineNumberWidth() const { return lineNumberWidth_; }
  void setLineNumberWidth(int pixels);

  // What is wrong with a line: an error, red, stops it converting; a
  // warning, orange, does not.
  struct Marker {
    QString text;  // empty for none
    bool warning = false;
  };
  using MarkerSource = std::function<Marker(int line)>;
  void setMarkerSource(MarkerSource source);
  // The colour that marks an error, red, or a warning, orange, on the pane.
  QColor markerColor(bool warning) const;
  // The marker of a line (zero-based) as its tooltip shows it; empty for none.
  QString marker(int line) const;
  // The marker of a line as a screen reader says it, naming the line as the
  // line-number area does: "line 22 (step 20): error: unknown instruction
  // "FOO"". The pane's accessible description is the caret line's, the
  // area's those of the lines it shows.
  QString spokenMarker(int line) const;
  // What the line-number area shows in place of the numbers of `count`
  // lines from `first` (zero-based), such as the calculator's step numbers;
  // none for the numbers.
  using NumberSource = std::function<QStringList(int first, int count)>;
  void setNumberText(NumberSource source);

  // The text in display codes, CR LF between lines.
  std::string codes() const;
  // Takes CR LF, lone CR and lone LF as line breaks, and starts a new undo
  // history. Throws std::runtime_error "The text is larger than the editor holds" and keeps
  // the old text when the new one is longer than kCapacity.
  void setCodes(std::string_view codes);

  // A final line break ends the last line and starts no new one; an empty
  // text has no lines.
  std::vector<std::string> lines() const;
  void setLines(const std::vector<std::string>& lines);
  // Replaces the whole text as one undo step.
  void replaceLines(const std::vector<std::string>& lines);
  int lineCount() const;
  // The lines, of those lines() gives, that hold only blanks (display codes
  // 0x20 and below).
  std::vector<int> blankLines() const;
  bool isEmpty() const { return document()->isEmpty(); }

  // Deletes the lines of these indexes as one undo step. Deleting the last
  // line keeps the line break before it, as deleting a line in a text editor does.
  void deleteLines(const std::vector<int>& indexes);

  // Comments out the lines of the selection (or the caret's line) with "@ ",
  // or, when every one that holds text is a comment already, takes the
  // marks off again; one undo step.
  void toggleComment();

  // Replaces the selection, or inserts at the caret, as one undo step.
  void replaceSelection(std::string_view codes);
  // Puts a whole instruction on a line of its own: on the caret's line when
  // that is blank, else on a new line after it.
  void insertLine(std::string_view codes);

  // Completion of instruction names, operand words and labels as they are
  // typed (see Completer).
  void setCompletionSource(Completer::Source source);
  // The help shown when the mouse rests on a line (zero-based); none when empty.
  void setHelpSource(std::function<QString(int line)> source) { helpSource_ = std::move(source); }

  // Pasted text that is a program listing rather than program text goes in
  // as the program lines it holds, without its numbers, header and comments.
  void setReadsListings(bool reads) { readsListings_ = reads; }

  // Selects the line (zero-based), without its line break, and shows it.
  void selectLine(int line);

  std::vector<LineNumberRow> lineNumberRows() const;

 signals:
  // Typed or pasted characters were left out; the message says which and why.
  void inputRefused(const QString& message);
  // After a double-click has selected the word under the mouse.
  void doubleClicked();
  // After a click with Ctrl has put the caret under the mouse.
  void ctrlClicked();
  // Ctrl with the mouse wheel: one step larger (positive) or smaller.
  void zoomRequested(int steps);
  // Escape that no completion list took: what stands over the text closes.
  void escapePressed();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  class LineNumberArea;

  // A key as the editor types it, through the display-code map.
  void typeKey(QKeyEvent* event);
  void updateLineNumberLayout();
  void paintLineNumbers();
  void describeMarkers();
  QString markerAt(QPoint position) const;  // of the row at this point
  void reportRefused(const QString& refused);

  LineNumberArea* lineNumberArea_;
  int lineNumberWidth_ = 0;
  MarkerSource markerSource_;
  std::function<QString(int line)> helpSource_;
  NumberSource numberText_;
  Completer* completer_ = nullptr;
  bool readsListings_ = false;
};

}  // namespace orrikey
