#pragma once

// ProgramTool: the Program Tool window, opened from the main window's Tools menu.
// Its pickers type calculator characters, instruction names with their
// operand words, and fixed instructions by calculator menu into the program
// text; it shows the calculator's flags; and it lists the registers,
// variables, menu variables and labels of the program with their lines. It
// stays on top of the main window and is destroyed when closed.

#include <QWidget>

#include <string_view>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace orrikey {

class CodeEditor;
class StringGrid;

class ProgramTool : public QWidget {
  Q_OBJECT

 public:
  // Everything the window types, reads or selects is in `code`, the main
  // window's program-text pane.
  ProgramTool(CodeEditor* code, QWidget* owner);

 private:
  QWidget* addPage(const QString& caption);
  void createCharacterPage();
  void createModOpPage();
  void createFixOpPage();
  void createFlagsPage();
  void createScanPage();

  void characterGrid_cellSelected(int column, int row);
  void instructionGrid_cellSelected(int column, int row);
  void showGroup(int index);
  void insertMember(int index);
  void scan();
  void jumpToFind();

  void insert(std::string_view codes);

  QTabWidget* pages_;
  StringGrid* characterGrid_;    // calculator characters
  StringGrid* instructionGrid_;  // instruction names and operand words
  QComboBox* groupPicker_;       // menu group
  QComboBox* memberPicker_;      // instruction of the group
  QPlainTextEdit* flagsText_;
  // The symbol scanner: the kinds to look for, "Scan", and the finds.
  QCheckBox* registersBox_;
  QCheckBox* variablesBox_;
  QCheckBox* labelsBox_;
  QCheckBox* menuVariablesBox_;
  QPushButton* scanButton_;
  CodeEditor* findsEdit_;
  CodeEditor* code_;
};

}  // namespace orrikey
