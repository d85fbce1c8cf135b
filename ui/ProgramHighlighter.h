#pragma once

// ProgramHighlighter: colours the program text, from the palette so that a
// dark desktop theme gives a dark editor. Instructions, label lines, quoted
// text, numbers and comments each have their look; a line that does not
// convert is underlined with a red wave.

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace orrikey {

class LiveAssembly;

class ProgramHighlighter : public QSyntaxHighlighter {
 public:
  // The assembly must follow the document's changes before the highlighter
  // does, so it is made first.
  ProgramHighlighter(QTextDocument* document, const LiveAssembly& assembly);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  const LiveAssembly& assembly_;
  QTextCharFormat instruction_;
  QTextCharFormat label_;
  QTextCharFormat number_;
  QTextCharFormat quoted_;
  QTextCharFormat comment_;
};

}  // namespace orrikey
