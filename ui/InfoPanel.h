#pragma once

// InfoPanel: INFO below the panes. Its first tab lists what is wrong with
// the program, kept current as the text changes; the help of a line and the
// jumps to a label show in tabs of their own, so the list of problems is
// never lost. A click on a listed line, or Return on it, goes to that line.

#include <QTabWidget>

#include <vector>

namespace orrikey {

class InfoPanel : public QTabWidget {
  Q_OBJECT

 public:
  explicit InfoPanel(QWidget* parent = nullptr);

  // Lines of text, each going to the program line (zero-based) of the same
  // index in `targets`; lines past the targets go nowhere.
  void showProblems(const QStringList& lines, std::vector<int> targets);
  void showUses(const QStringList& lines, std::vector<int> targets);
  // The uses shown again, labelled anew, leaving whichever tab is in front.
  void relistUses(const QStringList& lines, std::vector<int> targets);
  void showHelp(const QString& text);

 signals:
  void lineChosen(int line);

 private:
  class LineList;

  LineList* problems_;
  LineList* help_;
  LineList* uses_;
};

}  // namespace orrikey
