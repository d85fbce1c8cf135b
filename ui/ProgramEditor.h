#pragma once

// ProgramEditor: the program text and its hex listing side by side, with
// their captions and buttons, and the model that keeps them in step. The
// program pane's caption names the file; the hex pane's shows the size of
// the caret's program. Both panes zoom together and scroll together, so
// that each hex row stays level with its line.

#include <QWidget>

class QCheckBox;
class QLabel;
class QSettings;
class QSplitter;

namespace orrikey {

class CodeEditor;
class ElidedLabel;
class HexPane;
class LiveAssembly;

class ProgramEditor : public QWidget {
  Q_OBJECT

 public:
  explicit ProgramEditor(QWidget* parent = nullptr);

  CodeEditor* code() const { return code_; }
  HexPane* hex() const { return hex_; }
  LiveAssembly* assembly() const { return assembly_; }

  void saveSettings(QSettings& settings) const;
  void restoreSettings(const QSettings& settings);

  // The name over the program text, the whole path in its tooltip.
  void showFileName(const QString& name, const QString& path);
  void setHexShown(bool shown);
  // One step larger (positive) or smaller, or back to the desktop's size.
  void zoom(int steps);
  void resetZoom() { zoom(-zoomSteps_); }
  // The program pane numbers its lines by the calculator's steps, or as lines.
  void showStepNumbers(bool shown);
  // The help of a program line's instruction (zero-based), as INFO and the tooltip show it.
  QString helpForLine(int line) const;

  // "Code->Hex": drops the blank lines.
  void convertToHex();
  // Clears the text as one undo step: the hex pane, the size and INFO follow.
  void clearCode();
  void clearHex();

 signals:
  void hexShownChanged(bool shown);
  // "Hex -> Code" was clicked: the window asks about unsaved changes first.
  void convertToCodeClicked();

 private:
  QWidget* createCodePanel();
  QWidget* createHexPanel();
  // The size of the caret's program as the calculator counts it, the whole
  // file's in the tooltip; nothing while a line does not convert.
  void showSize();

  CodeEditor* code_;
  HexPane* hex_;
  LiveAssembly* assembly_;
  ElidedLabel* fileName_;
  QLabel* byteCount_;
  QCheckBox* hexShown_;
  QWidget* hexPanel_;
  QSplitter* splitter_;
  int zoomSteps_ = 0;
};

}  // namespace orrikey
