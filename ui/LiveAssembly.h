#pragma once

// LiveAssembly: keeps the hex pane in step with the program text as it is
// typed. Each change re-encodes only the lines it touched, and the hex pane
// paints its rows from the assembly, so every program line keeps its hex row
// level with it; the byte count and the list of failed lines, which look at
// the whole program, follow after a short pause in typing.

#include <QObject>
#include <QTextBlock>
#include <QTimer>

#include <optional>
#include <string_view>

#include "encoder/Assembly.h"
#include "labels/Labels.h"
#include "ui/CodeEditor.h"

namespace orrikey {

class HexPane;

class LiveAssembly : public QObject {
  Q_OBJECT

 public:
  LiveAssembly(CodeEditor* code, HexPane* hex, QObject* parent);

  // Every line of the program text, assembled; line i is the editor's line
  // i + 1, a blank line writing no bytes.
  const encoder::Assembly& assembly() const { return assembly_; }
  // The programs, labels and warnings of the text as of the last summary;
  // its line numbers may be out of date until the next one.
  const labels::Analysis& analysis() const { return analysis_; }
  bool analysisIsCurrent() const { return analysisFresh_; }
  // The error of a line (zero-based) as the hex pane shows it, else its
  // warning, else nothing.
  CodeEditor::Marker markerAt(int line) const;
  bool failsAt(int line) const;

  // Shows program text whose lines `assembled` holds already, one per line
  // of `codes` whatever their numbers, so that an opened file is not
  // assembled again. Throws as CodeEditor::setCodes does.
  void showProgram(std::string_view codes, encoder::Assembly assembled);

  // Reports the pending summary now rather than after the pause.
  void flush();

 signals:
  // The byte count or the failed lines may have changed.
  void summaryChanged();

 private:
  void codeChanged(int position, int removed, int added);
  void summarise();
  // The lines of the whole text, taken from `adopted_` when they are its lines.
  std::vector<encoder::Assembly::Line> assembleAll(int lineCount);

  CodeEditor* code_;
  HexPane* hex_;
  encoder::Assembly assembly_;
  std::optional<encoder::Assembly> adopted_;
  labels::Analysis analysis_;
  bool analysisFresh_ = false;
  std::vector<size_t> warned_;  // the warnings that are not notes, by index, in line order
  int lineCount_ = 1;  // a document always holds a line
  QTimer summaryTimer_;
};

}  // namespace orrikey
