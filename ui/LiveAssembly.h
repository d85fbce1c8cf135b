#pragma once

// LiveAssembly: keeps the hex pane in step with the program text as it is
// typed. Each change re-encodes only the lines it touched and replaces only
// their rows of the hex pane, so every program line keeps its hex row level
// with it; the byte count and the list of failed lines, which look at the
// whole program, follow after a short pause in typing.

#include <QObject>
#include <QTimer>

#include "encoder/Assembly.h"

namespace orrikey {

class CodeEditor;

class LiveAssembly : public QObject {
  Q_OBJECT

 public:
  LiveAssembly(CodeEditor* code, CodeEditor* hex, QObject* parent);

  // Every line of the program text, assembled; line i is the editor's line
  // i + 1, a blank line writing no bytes.
  const encoder::Assembly& assembly() const { return assembly_; }
  // The error of a line (zero-based) as the hex pane shows it, or empty.
  QString errorAt(int line) const;

  // Writes every row of the hex pane again, over whatever was typed there.
  void refreshHexPane();
  // Reports the pending summary now rather than after the pause.
  void flush();

 signals:
  // The byte count or the failed lines may have changed.
  void summaryChanged();

 private:
  void codeChanged(int position, int removed, int added);
  void replaceHexRows(int first, int oldLast, const QStringList& rows);

  CodeEditor* code_;
  CodeEditor* hex_;
  encoder::Assembly assembly_;
  int lineCount_ = 1;  // a document always holds a line
  bool writingHex_ = false;
  bool hexTyped_ = false;
  QTimer summaryTimer_;
};

}  // namespace orrikey
