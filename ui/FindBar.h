#pragma once

// FindBar: the bar along the bottom of the window that finds and replaces
// in the program text, as Kate's does: the text to find and its
// replacement (Ctrl+R), how many matches there are and which one is selected, case
// and whole-word options. It finds as the text is typed; Escape closes it,
// in the bar or in the text.

#include <QTextDocument>
#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace orrikey {

class FindBar : public QWidget {
  Q_OBJECT

 public:
  explicit FindBar(QPlainTextEdit* editor, QWidget* parent = nullptr);

  // Shows the bar with the editor's selection, if any, as the text to find;
  // the row of the replacement only when replacing, so that finding takes
  // one row of the panes' room.
  void open(bool replacing);
  // Selects the next match after the selection, or before it; wraps round.
  void findNext(bool backward);
  void replaceOne();
  void replaceAll();

  QLineEdit* findField() const { return find_; }

 signals:
  // A result the status bar shows: nothing found, or how many were replaced.
  void message(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // The text to find as the panes hold it: look-alikes typed become the
  // calculator's glyphs.
  QString wanted() const;
  QTextDocument::FindFlags flags() const;
  // Finds from the start of the selection, so that typing more of a word
  // keeps the match it has.
  void findAsTyped();
  void showMatchCount();

  QPlainTextEdit* editor_;
  QLineEdit* find_;
  QLineEdit* replace_;
  std::array<QWidget*, 3> replaceRow_;  // the field and its two buttons
  QLabel* matchCount_;
  QCheckBox* caseSensitive_;
  QCheckBox* wholeWords_;
};

}  // namespace orrikey
