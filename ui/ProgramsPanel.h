#pragma once

// ProgramsPanel: the outline of the file beside the text: each program with
// its size and, on its row's tooltip, what it needs to run, then its labels;
// a click or Return goes to the line. It follows the text as it changes and
// the caret as it moves, while it is shown: the caret's program is open and
// the label above the caret selected.

#include "editing/ProgramModel.h"

#include <QDockWidget>

class QTreeWidget;

namespace orrikey {

class ProgramsPanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit ProgramsPanel(QWidget* parent = nullptr);

  void showOutline(const editing::ProgramModel& model);
  // Selects the row of the program or label that holds the line
  // (zero-based), and opens its program.
  void follow(int line);

 signals:
  void lineChosen(int line);  // zero-based

 private:
  void rebuild(const std::vector<editing::OutlineProgram>& outline);

  QTreeWidget* tree_;
  // The labels of each program when the tree was last built.
  std::vector<std::vector<editing::OutlineLabel>> labels_;
};

}  // namespace orrikey
