// The Program Tool driven as a user would: the pickers type into the main
// window's program text, the scanner lists a program's symbols, and a
// double-click on a line number selects that line.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include "tests/ui/FakeDialogs.h"
#include "ui/CodeEditor.h"
#include "ui/MainWindow.h"
#include "ui/ProgramTool.h"
#include "ui/StringGrid.h"

using namespace orrikey;
using Lines = std::vector<std::string>;

// A picker, for the menu pickers the group's index, the member's index, and
// the text it leaves.
struct Pick {
  std::string_view picker;
  int column, row;
  QByteArray result;
};
Q_DECLARE_METATYPE(Pick)
// A find double-clicked at a character, the caret's line before, and the
// selection after.
struct Jump {
  QByteArray find;
  int clickedAt, caretLine, selectedFrom, selectedTo;
};
Q_DECLARE_METATYPE(Jump)

class ProgramToolTest : public QObject {
  Q_OBJECT

  FakeDialogs dialogs;
  std::unique_ptr<MainWindow> form;
  ProgramTool* tool = nullptr;

  CodeEditor* Code() const { return form->findChild<CodeEditor*>("codeEdit"); }
  template <typename Widget>
  Widget* Child(const char* name) const {
    return tool->findChild<Widget*>(name);
  }
  StringGrid* Grid(const char* name) const { return Child<StringGrid>(name); }
  QComboBox* Picker(const char* name) const { return Child<QComboBox>(name); }
  CodeEditor* Finds() const { return Child<CodeEditor>("findsEdit"); }
  // As a choice of the user, which the picker reports as activated.
  void Choose(const char* picker, int index) const {
    Picker(picker)->setCurrentIndex(index);
    emit Picker(picker)->activated(index);
  }
  static void ClickCell(StringGrid* grid, int column, int row) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row, column)).center());
  }
  static void PlaceCaret(CodeEditor* pane, int at) {
    QTextCursor cursor(pane->document());
    cursor.setPosition(at);
    pane->setTextCursor(cursor);
  }
  // Another window has the keyboard, as when the user works in the tool.
  void FocusElsewhere() const {
    form->findChild<QPlainTextEdit*>("infoEdit")->setFocus();
    tool->activateWindow();
  }

  ProgramTool* Open() {
    form->findChild<QAction*>("ProgramTool")->trigger();
    return form->findChild<ProgramTool*>();
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() {
    form = std::make_unique<MainWindow>(dialogs);
    form->show();
    tool = Open();
    QVERIFY(QTest::qWaitForWindowExposed(tool));
  }
  void cleanup() { form.reset(); }

  // The menu page opens on its first menu's instructions, and the flags
  // are there to read, not to edit.
  void opensReadyToUse() {
    QVERIFY(Picker("memberPicker")->count() > 0);
    auto* flags = Child<QPlainTextEdit>("flagsText");
    const QString before = flags->toPlainText();
    QTest::keyClicks(flags, "x");
    QCOMPARE(flags->toPlainText(), before);
  }

  // Each pick replaces the selection "CLX" of "A CLX B", or, as a whole
  // instruction, goes on a line of its own; it is one undo step and gives
  // the program text the keyboard.
  void picksTypeTheirText_data() {
    QTest::addColumn<Pick>("pick");
    QTest::newRow("division sign") << Pick{"chars", 0, 0, "A \xA0 B"};
    QTest::newRow("empty cell keeps the selection") << Pick{"chars", 0, 5, "A CLX B"};
    QTest::newRow("name with its blank") << Pick{"names", 4, 6, "A \x85REG  B"};
    QTest::newRow("TO without a blank") << Pick{"names", 6, 3, "A TO B"};
    QTest::newRow("member on its own line") << Pick{"menu", 2, 0, "A CLX B\r\nCLA"};
    QTest::newRow("label types its instruction") << Pick{"menu", 8, 8, "A CLX B\r\nY^X"};
    QTest::newRow("operand name as the calculator's") << Pick{"names", 2, 1, "A RCL\x82  B"};
    QTest::newRow("member as the calculator's") << Pick{"menu", 18, 8, "A CLX B\r\nDATE+"};
  }
  void picksTypeTheirText() {
    QFETCH(Pick, pick);
    const auto& [picker, column, row, result] = pick;
    Code()->setCodes("A CLX B");
    Code()->find("CLX");
    FocusElsewhere();
    if (picker == "chars") ClickCell(Grid("characterGrid"), column, row);
    if (picker == "names") ClickCell(Grid("instructionGrid"), column, row);
    if (picker == "menu") {
      Choose("groupPicker", column);
      Choose("memberPicker", row);
    }
    QCOMPARE(Code()->codes(), result.toStdString());
    Code()->undo();
    QCOMPARE(Code()->codes(), "A CLX B");
    QTRY_VERIFY(Code()->hasFocus());
  }

  // A click on the current cell picks it again; so does moving to a cell by key.
  void picksByRepeatedClicksAndKeys() {
    ClickCell(Grid("characterGrid"), 1, 0);
    ClickCell(Grid("characterGrid"), 1, 0);
    Grid("characterGrid")->setFocus();
    QTest::keyClick(Grid("characterGrid"), Qt::Key_Right);
    QCOMPARE(Code()->codes(), "\x83\x83^");
  }

  // A group fills the member picker under its header; one window at a time.
  void fillsPickersInOneWindow() {
    Choose("groupPicker", Picker("groupPicker")->findText("-KEY"));
    QCOMPARE(Picker("memberPicker")->currentText(), "-KEY");
    QCOMPARE(Picker("memberPicker")->itemText(0), "GETKEY");
    QCOMPARE(Open(), tool);
  }

  // The flag table's one character beyond ASCII reads as itself.
  void showsTheFlagTable() {
    QVERIFY(Child<QPlainTextEdit>("flagsText")->toPlainText().contains(u"\t60\tALL\u03A3 Mode\t"));
  }

  // Sorted by kind, symbol and line, ignoring case.
  void scansAndSorts() {
    Code()->setLines({"STO 05", "STO+ 07", "STO \"abc\"", "STO \"ABD\"", "MVAR \"X\"", "STO 05", "LBL A",
                      "LBL 01", "RCL 05"});
    const auto boxes = tool->findChildren<QCheckBox*>();
    for (QCheckBox* box : boxes) box->setChecked(true);
    QTest::mouseClick(Child<QPushButton>("scanButton"), Qt::LeftButton);
    QCOMPARE(Finds()->lines(), Lines({"Lbl  01\t\t Line 008", "Lbl  A\t\t Line 007", "Mvr \"X\"\t\t Line 005",
                                      "Reg  05\t\t Line 001", "Reg  05\t\t Line 006", "Reg  07\t\t Line 002",
                                      "Var \"abc\"\t Line 003", "Var \"ABD\"\t Line 004"}));
    for (QCheckBox* box : boxes) box->setChecked(false);
    QTest::mouseClick(Child<QPushButton>("scanButton"), Qt::LeftButton);
    QVERIFY(Finds()->isEmpty());
  }

  // A find double-clicked at a character, the caret on a line before; the
  // program is forty lines "LINE nn", eight characters with their break.
  void jumpsToTheLine_data() {
    QTest::addColumn<Jump>("jump");
    QTest::newRow("down") << Jump{"Reg  05\t\t Line 012", 16, 0, 88, 95};
    QTest::newRow("up") << Jump{"Lbl  A\t\t Line 012", 15, 39, 88, 95};
    QTest::newRow("register number") << Jump{"Reg  05\t\t Line 012", 5, 3, 24, 24};
    QTest::newRow("past the end") << Jump{"Reg  05\t\t Line 041", 16, 3, 319, 319};
    QTest::newRow("zero") << Jump{"Reg  05\t\t Line 000", 16, 3, 0, 0};
  }
  void jumpsToTheLine() {
    QFETCH(Jump, jump);
    const auto& [find, clickedAt, caretLine, selectedFrom, selectedTo] = jump;
    Lines program;
    for (int n = 1; n <= 40; ++n) program.push_back("LINE " + std::to_string(100 + n).substr(1));
    Code()->setLines(program);
    PlaceCaret(Code(), caretLine * 8);
    Child<QTabWidget>("pages")->setCurrentIndex(4);
    Finds()->setCodes(find.toStdString());
    PlaceCaret(Finds(), clickedAt);
    FocusElsewhere();
    QTest::mouseDClick(Finds()->viewport(), Qt::LeftButton, {},
                       Finds()->cursorRect().center() + QPoint(2, 0));
    const QTextCursor cursor = Code()->textCursor();
    QCOMPARE(cursor.selectionStart(), selectedFrom);
    QCOMPARE(cursor.selectionEnd(), selectedTo);
    QVERIFY(Code()->viewport()->rect().contains(Code()->cursorRect()));
    if (selectedFrom != caretLine * 8) QTRY_VERIFY(Code()->hasFocus());
  }
};

QTEST_MAIN(ProgramToolTest)
#include "ProgramToolTest.moc"
