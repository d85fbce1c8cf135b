#pragma once

// LiveAssembly: hands each change of the program text to the editing model
// and keeps the hex pane and the markers in step with it. Each change reads
// only the lines it touched; the model's labels, diagnostics and sizes
// follow at once, so nothing shown waits for a pause in typing.

#include <QObject>

#include "editing/ProgramModel.h"
#include "ui/CodeEditor.h"

namespace orrikey {

class HexPane;

class LiveAssembly : public QObject {
  Q_OBJECT

 public:
  LiveAssembly(CodeEditor* code, HexPane* hex, QObject* parent);

  // Line i of the model is the editor's line i + 1.
  const editing::ProgramModel& model() const { return model_; }
  const encoder::Assembly& assembly() const { return model_.assembly(); }
  const labels::Analysis& analysis() const { return model_.analysis(); }
  // The error of a line (zero-based), else its warning, else nothing.
  CodeEditor::Marker markerAt(int line) const;

  // Shows an opened file, whose lines are assembled already. Throws as
  // CodeEditor::setCodes does.
  void showProgram(document::OpenedProgram opened);

  // The calculators the diagnostics answer to; kept for every file opened.
  void setTarget(needs::Target target);

 signals:
  // The program changed: its sizes, diagnostics or outline may have.
  void summaryChanged();

 private:
  void codeChanged(int position, int removed, int added);
  // The text of lines [first, last] as the model takes it.
  QByteArray linesText(int first, int last) const;

  CodeEditor* code_;
  HexPane* hex_;
  editing::ProgramModel model_;
  bool adopting_ = false;  // the opened file's model already holds the text being shown
};

}  // namespace orrikey
