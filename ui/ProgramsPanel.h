#pragma once

// ProgramsPanel: the outline of the file beside the text: each program with
// its size, then its labels; a click goes to the line. It follows the text
// at each summary, while it is shown.

#include "labels/Labels.h"

#include <QDockWidget>

class QTreeWidget;

namespace orrikey {

class ProgramsPanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit ProgramsPanel(QWidget* parent = nullptr);

  void showOutline(const labels::Analysis& analysis, const encoder::Assembly& assembly);

  // How the panel and the status bar name a program: by its first global
  // label, else by its place in the file ("program 3").
  static QString ProgramName(const labels::Analysis& analysis, size_t program);

 signals:
  void lineChosen(int line);  // zero-based

 private:
  // Where each label stood when the tree was last built.
  struct LabelPlace {
    size_t program;
    size_t line;
    labels::LabelKind kind;
    std::string name;
    bool operator==(const LabelPlace&) const = default;
  };

  void rebuild(const labels::Analysis& analysis, const encoder::Assembly& assembly);

  QTreeWidget* tree_;
  std::vector<LabelPlace> places_;
};

}  // namespace orrikey
