#pragma once

// TForm1: the main window and the whole editor. The program-text pane
// HP42SCode, the hex pane HP42SRaw and the INFO pane Memo2, the buttons and
// the menus; the file commands, the conversions both ways, and the questions
// before the program text is cleared, replaced or closed.

#include "ui/Dialogs.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace orrikey {

class TForm2;
class TGutterMemo;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(Dialogs& dialogs);

  // The program base directory: the working directory when the window was
  // created. Program text files are offered in its folder "42SProg", raw
  // files in "RawProg"; neither is ever created.
  const QString BaseDir;

  TGutterMemo* HP42SCode;
  TGutterMemo* HP42SRaw;
  QPlainTextEdit* Memo2;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QCheckBox* CheckBox1;
  QPushButton* Button1;
  QPushButton* Button3;
  QPushButton* Button4;
  QPushButton* Button5;
  QAction* Open1;
  QAction* SaveCode1;
  QAction* OpenHex1;
  QAction* SaveHex1;
  QAction* Print1;
  QAction* Exit1;
  QAction* OpCode1;
  QAction* About1;

  // "Code->Hex": converts the program text and shows the hex listing, the
  // failed lines in the INFO pane and the program's size.
  void MakeHexCode();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateParts();
  void CreateMenus();
  void FormCreate();

  void Button1Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void CheckBox1Click();
  void Open1Click();
  void SaveCode1Click();
  void OpenHex1Click();
  void SaveHex1Click();
  void Exit1Click();
  void Print1Click();
  void OpCode1Click();
  void About1Click();
  void HP42SCodeDblClick();

  bool MayReplaceCode(const QString& question, Dialogs::Buttons buttons);
  bool SaveOffer();
  void ShowInfo(const std::vector<std::string>& lines);

  // Runs a command; an error it raises is shown in a message box and ends
  // that command alone. False when an error was raised.
  bool Guarded(const std::function<void()>& command);
  std::function<void()> Guard(void (TForm1::*handler)());

  Dialogs& dialogs_;
  FileDialog OpenDialogTxt;
  FileDialog SaveDialogTxt;
  FileDialog OpenDialogHex;
  FileDialog SaveDialogHex;
  QPointer<TForm2> programTool_;
  bool exitConfirmed_ = false;
};

}  // namespace orrikey
