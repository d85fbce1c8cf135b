#pragma once

// ProgramHighlighter: colours the program text in colours derived from the
// pane's palette, so that they read on a light or a dark desktop alike. Instructions, label lines, quoted
// text, numbers and comments each have their look; a line that does not
// convert is underlined with a red wave.
//
// Only the lines about to be painted are coloured, each once after it
// changes, so that a program of any length opens at the cost of one screen.

#include <QObject>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextLayout>

namespace orrikey {

class CodeEditor;
class LiveAssembly;

class ProgramHighlighter : public QObject {
 public:
  ProgramHighlighter(CodeEditor* editor, const LiveAssembly& assembly);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void chooseColours();
  void forgetColours(int position, int removed, int added);
  void colourShownLines();
  QList<QTextLayout::FormatRange> coloursOf(const QTextBlock& block) const;

  CodeEditor* editor_;
  const LiveAssembly& assembly_;
  QTextCharFormat instruction_;
  QTextCharFormat label_;
  QTextCharFormat number_;
  QTextCharFormat quoted_;
  QTextCharFormat comment_;
};

}  // namespace orrikey
