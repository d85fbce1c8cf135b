#pragma once

// ProgramHighlighter: colours the program text, from the palette so that a
// dark desktop theme gives a dark editor. Instructions, label lines, quoted
// text, numbers and comments each have their look; a line that does not
// convert is underlined with a red wave.

#include <QSyntaxHighlighter>

namespace orrikey {

class ProgramHighlighter : public QSyntaxHighlighter {
 public:
  explicit ProgramHighlighter(QTextDocument* document);

 protected:
  void highlightBlock(const QString& text) override;
};

}  // namespace orrikey
