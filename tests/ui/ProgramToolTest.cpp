// The Program Tool driven as a user would: the pickers type into the main
// window's program text, the scanner lists a program's symbols, and a
// double-click on a line number selects that line.

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "tests/ui/FakeDialogs.h"
#include "ui/GutterMemo.h"
#include "ui/MainWindow.h"
#include "ui/ProgramTool.h"
#include "ui/StringGrid.h"

using namespace orrikey;
using Lines = std::vector<std::string>;

namespace {

void ClickCell(TStringGrid* grid, int column, int row) {
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                    grid->visualRect(grid->model()->index(row, column)).center());
}

// As a choice of the user, which the picker reports as activated.
void Choose(QComboBox* picker, const QString& item) {
  picker->setCurrentIndex(picker->findText(item));
  emit picker->activated(picker->currentIndex());
}

QStringList Items(const QComboBox* picker) {
  QStringList items;
  for (int i = 0; i < picker->count(); ++i) items += picker->itemText(i);
  return items;
}

void PlaceCaret(TGutterMemo* pane, int at) {
  QTextCursor cursor(pane->document());
  cursor.setPosition(at);
  pane->setTextCursor(cursor);
}

}  // namespace

class ProgramToolTest : public QObject {
  Q_OBJECT

  FakeDialogs dialogs;
  std::unique_ptr<TForm1> form;
  TForm2* tool = nullptr;

  TForm2* Open() {
    form->OpCode1->trigger();
    return form->findChild<TForm2*>();
  }

 private slots:
  void init() {
    form = std::make_unique<TForm1>(dialogs);
    form->show();
    tool = Open();
    QVERIFY(QTest::qWaitForWindowExposed(tool));
  }
  void cleanup() { form.reset(); }

  // Each pick replaces the selection "CLX" of "A CLX B", is no undo step, and
  // gives the program text the keyboard.
  void picksTypeTheirText_data() {
    QTest::addColumn<QString>("picker");
    QTest::addColumn<int>("column");  // the group's index for the menu pickers
    QTest::addColumn<int>("row");     // the member's index
    QTest::addColumn<QByteArray>("typed");
    QTest::newRow("division sign") << "chars" << 0 << 0 << QByteArray("\xA0");
    QTest::newRow("empty cell keeps the selection") << "chars" << 0 << 5 << QByteArray("CLX");
    QTest::newRow("name with its blank") << "names" << 4 << 6 << QByteArray("\x85REG ");
    QTest::newRow("TO without a blank") << "names" << 6 << 3 << QByteArray("TO");
    QTest::newRow("member without a blank") << "menu" << 2 << 0 << QByteArray("CLA");
  }
  void picksTypeTheirText() {
    QFETCH(QString, picker);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QByteArray, typed);
    form->HP42SCode->SetText("A CLX B");
    form->HP42SCode->find("CLX");
    form->Memo2->setFocus();
    tool->activateWindow();
    if (picker == "chars") ClickCell(tool->StringGrid2, column, row);
    if (picker == "names") ClickCell(tool->StringGrid1, column, row);
    if (picker == "menu") {
      Choose(tool->ComboBox1, tool->ComboBox1->itemText(column));
      Choose(tool->ComboBox2, tool->ComboBox2->itemText(row));
    }
    QCOMPARE(form->HP42SCode->Text(), "A " + typed.toStdString() + " B");
    QVERIFY(!form->HP42SCode->document()->isUndoAvailable() || typed == "CLX");
    QTRY_VERIFY(form->HP42SCode->hasFocus());
  }

  // A click on the current cell picks it again; so does moving to a cell by key.
  void picksByRepeatedClicksAndKeys() {
    ClickCell(tool->StringGrid2, 1, 0);
    ClickCell(tool->StringGrid2, 1, 0);
    tool->StringGrid2->setFocus();
    QTest::keyClick(tool->StringGrid2, Qt::Key_Right);
    QCOMPARE(form->HP42SCode->Text(), "\x83\x83^");
  }

  // One window at a time, destroyed when closed.
  void fillsPickersInOneWindow() {
    Choose(tool->ComboBox1, "-MENU");
    QCOMPARE(Items(tool->ComboBox2), QStringList({"EXITALL", "MENU", "PGMMENU", "VARMNU1 "}));
    QCOMPARE(tool->ComboBox2->currentText(), "-MENU");
    Choose(tool->ComboBox1, "-KEY");
    QCOMPARE(Items(tool->ComboBox2), QStringList({"GETKEY", "KEYASN", "GETKEY1"}));
    QCOMPARE(Open(), tool);
    tool->close();
    QTRY_VERIFY(!form->findChild<TForm2*>());
  }

  // Sorted by kind, symbol and line, ignoring case.
  void scansAndSorts() {
    form->HP42SCode->SetLines({"STO 05", "STO+ 07", "STO \"abc\"", "STO \"ABD\"", "MVAR \"X\"",
                               "STO 05", "LBL A", "LBL 01", "RCL 05"});
    const auto boxes = {tool->CheckBox1, tool->CheckBox2, tool->CheckBox3, tool->CheckBox4};
    for (QCheckBox* box : boxes) box->setChecked(true);
    QTest::mouseClick(tool->Button1, Qt::LeftButton);
    QCOMPARE(tool->Memo2->Lines(),
             Lines({"Lbl  01\t\t Line 008", "Lbl  A\t\t Line 007", "Mvr \"X\"\t\t Line 005",
                    "Reg  05\t\t Line 001", "Reg  05\t\t Line 006", "Reg  07\t\t Line 002",
                    "Var \"abc\"\t Line 003", "Var \"ABD\"\t Line 004"}));
    for (QCheckBox* box : boxes) box->setChecked(false);
    QTest::mouseClick(tool->Button1, Qt::LeftButton);
    QVERIFY(tool->Memo2->IsEmpty());
  }

  // A find double-clicked at a character, the caret on a line before; the
  // program is forty lines "LINE nn", eight characters with their break.
  void jumpsToTheLine_data() {
    QTest::addColumn<QByteArray>("find");
    QTest::addColumn<int>("clickedAt");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<int>("selectedFrom");
    QTest::addColumn<int>("selectedTo");
    QTest::newRow("down") << QByteArray("Reg  05\t\t Line 012") << 16 << 0 << 88 << 95;
    QTest::newRow("up") << QByteArray("Lbl  A\t\t Line 012") << 15 << 39 << 88 << 95;
    QTest::newRow("register number") << QByteArray("Reg  05\t\t Line 012") << 5 << 3 << 24 << 24;
    QTest::newRow("past the end") << QByteArray("Reg  05\t\t Line 041") << 16 << 3 << 319 << 319;
    QTest::newRow("zero") << QByteArray("Reg  05\t\t Line 000") << 16 << 3 << 0 << 0;
  }
  void jumpsToTheLine() {
    QFETCH(QByteArray, find);
    QFETCH(int, clickedAt);
    QFETCH(int, caretLine);
    QFETCH(int, selectedFrom);
    Lines program;
    for (int n = 1; n <= 40; ++n) program.push_back("LINE " + std::to_string(100 + n).substr(1));
    form->HP42SCode->SetLines(program);
    PlaceCaret(form->HP42SCode, caretLine * 8);
    tool->PageControl1->setCurrentIndex(4);
    tool->Memo2->SetText(find.toStdString());
    PlaceCaret(tool->Memo2, clickedAt);
    form->Memo2->setFocus();
    tool->activateWindow();

    QTest::mouseDClick(tool->Memo2->viewport(), Qt::LeftButton, {},
                       tool->Memo2->cursorRect().center() + QPoint(2, 0));
    const QTextCursor cursor = form->HP42SCode->textCursor();
    QCOMPARE(cursor.selectionStart(), selectedFrom);
    QTEST(cursor.selectionEnd(), "selectedTo");
    QVERIFY(form->HP42SCode->viewport()->rect().contains(form->HP42SCode->cursorRect()));
    if (selectedFrom != caretLine * 8) QTRY_VERIFY(form->HP42SCode->hasFocus());
  }
};

QTEST_MAIN(ProgramToolTest)
#include "ProgramToolTest.moc"
