#pragma once

// TForm2: the Program Tool window, opened from the main window's Tools menu.
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

class TGutterMemo;
class TStringGrid;

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  // Everything the window types, reads or selects is in `code`, the main
  // window's program-text pane.
  TForm2(TGutterMemo* code, QWidget* owner);

  QTabWidget* PageControl1;
  TStringGrid* StringGrid2;  // calculator characters
  TStringGrid* StringGrid1;  // instruction names and operand words
  QComboBox* ComboBox1;      // menu group
  QComboBox* ComboBox2;      // instruction of the group
  QPlainTextEdit* Memo1;     // flag table
  // The symbol scanner: the kinds to look for, "Scan", and the finds.
  QCheckBox* CheckBox1;  // registers
  QCheckBox* CheckBox2;  // variables
  QCheckBox* CheckBox3;  // labels
  QCheckBox* CheckBox4;  // menu variables
  QPushButton* Button1;
  TGutterMemo* Memo2;

 private:
  QWidget* AddPage(const QString& caption);
  void CreateCharPage();
  void CreateModOpPage();
  void CreateFixOpPage();
  void CreateFlagsPage();
  void CreateScanPage();

  void StringGrid2SelectCell(int column, int row);
  void StringGrid1SelectCell(int column, int row);
  void ComboBox1Click(int index);
  void ComboBox2Select(int index);
  void Button1Click();
  void Memo2DblClick();

  void Insert(std::string_view codes);

  TGutterMemo* code_;
};

}  // namespace orrikey
