// The main window driven as a user would, with the save offers and file
// dialogs answered by the test.

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QDir>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPalette>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>

#include <sys/stat.h>

#include "editing/ProgramModel.h"
#include "files/FileIO.h"
#include "tests/ui/FakeDialogs.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/HexPane.h"
#include "ui/LocalPath.h"
#include "ui/Look.h"
#include "ui/MainWindow.h"
#include "ui/Printing.h"
#include "ui/ProgramTool.h"
#include "ui/QtDialogs.h"

using namespace orrikey;
using Lines = std::vector<std::string>;
using Answer = Dialogs::Answer;
Q_DECLARE_METATYPE(Lines)

// A save command, the dialog's filter, the program, the file name (empty: the
// clipboard) and the bytes written there (empty: refused).
struct Save {
  const char* action;
  int filter;
  QString text, name;
  QByteArray bytes;
};
Q_DECLARE_METATYPE(Save)

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir;
  std::unique_ptr<FakeDialogs> dialogs;
  std::unique_ptr<MainWindow> window;

  QString Path(const QString& name) const { return dir->filePath(name); }
  std::string Read(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
  }
  void Write(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  }
  template <typename Widget = QWidget>
  Widget* Child(const char* name) const {
    auto* child = window->findChild<Widget*>(name);
    if (!child) qFatal("no %s", name);
    return child;
  }
  CodeEditor* Code() const { return Child<CodeEditor>("codeEdit"); }
  HexPane* Hex() const { return Child<HexPane>("hexEdit"); }
  // The hex pane as it shows itself now, rows or typed text; mice go to
  // its viewport.
  QAbstractScrollArea* HexRows() const { return static_cast<QAbstractScrollArea*>(Hex()->currentWidget()); }
  // INFO's tabs: the problems of the program, the uses of a label, help.
  QString Info() const { return Child<QPlainTextEdit>("infoEdit")->toPlainText(); }
  QString Uses() const { return Child<QPlainTextEdit>("usesView")->toPlainText(); }
  QString Help() const { return Child<QPlainTextEdit>("helpView")->toPlainText(); }
  void Trigger(const char* action) const { Child<QAction>(action)->trigger(); }
  void Click(const char* button) const { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }
  // How the code pane draws a character, once it has been drawn.
  QTextCharFormat FormatAt(int line, int column) const {
    for (const QTextLayout::FormatRange& range :
         Code()->document()->findBlockByNumber(line).layout()->formats())
      if (range.start <= column && column < range.start + range.length) return range.format;
    return {};
  }
 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() {
    QSettings().clear();
    dir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(dir->path());
    dialogs = std::make_unique<FakeDialogs>();
    window = std::make_unique<MainWindow>(*dialogs);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }
  void cleanup() {
    window.reset();
    QDir::setCurrent(QDir::tempPath());
  }

  // Each program line has its hex row level with it; a line that does not
  // convert is marked, listed under INFO, and leaves no byte count. A click on
  // an INFO line selects the line it names.
  void assemblesAsYouType() {
    QTest::keyClicks(Code(), "CLX\r\rFOO");  // \r is Return, \b Backspace
    QCOMPARE(Hex()->text(), "77\n\n------ err opcode");
    // The marker's tooltip says what is wrong, in words.
    auto* numbers = Code()->findChild<QWidget*>("lineNumberArea");
    const QPoint third(5, Code()->lineNumberRows()[2].rect.center().y());
    QHelpEvent hover(QEvent::ToolTip, third, numbers->mapToGlobal(third));
    QApplication::sendEvent(numbers, &hover);
    QCOMPARE(QToolTip::text(), "unknown instruction \"FOO\"");
    QCOMPARE(Info(), "Line: 3 ------ err opcode: unknown instruction \"FOO\"");
    QCOMPARE(Child<QLabel>("byteCountLabel")->text(), "");
    auto* info = Child<QPlainTextEdit>("infoEdit");
    QTest::mouseClick(info->viewport(), Qt::LeftButton, {}, info->cursorRect().center());
    QCOMPARE(Code()->textCursor().selectedText(), "FOO");
    Code()->moveCursor(QTextCursor::End);

    QTest::keyClicks(Code(), "\b\b\b\"AB\"");
    QCOMPARE(Hex()->text(), "77\n\nF24142");
    QCOMPARE(Code()->marker(2), "");
    QTRY_COMPARE(Child<QLabel>("byteCountLabel")->text(), "{ 4-Byte Prgm }");
    QCOMPARE(Info(), "");

    // Code->Hex drops the blank lines as one undo step; the last one goes
    // without the break before it.
    QTest::keyClicks(Code(), "\r ");
    Click("convertToHexButton");
    QCOMPARE(Code()->codes(), "CLX\r\n\"AB\"\r\n");
    QCOMPARE(Hex()->text(), "77\nF24142\n");
    Code()->undo();
    QCOMPARE(Code()->codes(), "CLX\r\n\r\n\"AB\"\r\n ");
  }

  // F6 and Shift+F6 go round the parts on screen; Ctrl+T opens and closes
  // the Program Tool; Alt+D discards in the question before losing changes.
  void movesByKeyboard() {
    Code()->setFocus();
    const auto focused = [] { return QApplication::focusWidget(); };
    QTest::keyClick(Code(), Qt::Key_F6);
    QVERIFY(Hex()->isAncestorOf(focused()) || focused() == Hex());
    QTest::keyClick(focused(), Qt::Key_F6);
    QCOMPARE(focused()->objectName(), "infoEdit");
    QTest::keyClick(focused(), Qt::Key_F6);
    QCOMPARE(focused(), Code());
    QTest::keyClick(Code(), Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(focused()->objectName(), "infoEdit");

    Trigger("ProgramTool");
    QVERIFY(window->findChild<ProgramTool*>()->isVisible());
    Trigger("ProgramTool");
    QVERIFY(!window->findChild<ProgramTool*>()->isVisible());

    // Help > Keyboard Shortcuts lists the keys of every menu.
    Trigger("KeyboardShortcuts");
    QVERIFY(dialogs->informations.back().contains("F6\tView > Next Pane"));
    QVERIFY(dialogs->informations.back().contains("Ctrl+/\tEdit > Comment or Uncomment Lines"));
    // The question's Discard answers to Alt+D.
    QtDialogs real;
    QTimer::singleShot(0, [] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QAbstractButton* discard = box ? box->button(QMessageBox::Discard) : nullptr;
      if (discard && discard->shortcut() == QKeySequence(Qt::ALT | Qt::Key_D)) discard->click();
      else if (box) box->reject();
    });
    QCOMPARE(real.AskToSave("Save the changes?"), Dialogs::Answer::Discard);
  }

  // A screen reader names every control the keyboard reaches.
  void namesEveryControl() {
    Trigger("ProgramTool");
    Trigger("ProgramsPanel");
    Trigger("Replace");
    QStringList unnamed;
    auto* toolPages = window->findChild<QTabWidget*>("pages");
    for (int page = 0; page < toolPages->count(); ++page) {
      toolPages->setCurrentIndex(page);
      for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->focusPolicy() == Qt::NoFocus || widget->focusProxy()) continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
          unnamed += widget->metaObject()->className() + (": " + widget->objectName());
      }
    }
    unnamed.removeDuplicates();
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
  }

  // A screen reader reads the hex rows as text, and its caret is the
  // current row.
  void readsTheHexRows() {
    Code()->setLines({"CLX", "STO 05", "END"});
    QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(HexRows());
    QVERIFY(rows && rows->textInterface());
    QAccessibleTextInterface* text = rows->textInterface();
    QCOMPARE(text->text(0, text->characterCount()), Hex()->text());
    QVERIFY(rows->state().readOnly);
    text->setCursorPosition(4);  // within "35", the second row
    QCOMPARE(text->cursorPosition(), 3);
    int start = 0, end = 0;
    text->setSelection(0, 0, 4);
    text->selection(0, &start, &end);
    QCOMPARE(text->text(start, end), "77\n35");
  }

  // Rows stay level: the panes scroll together, either one leading, and
  // Ctrl with the wheel zooms both.
  void keepsRowsLevel() {
    Code()->setLines(Lines(300, "CLX"));
    const auto level = [this] {
      const auto code = Code()->lineNumberRows();
      const auto hex = Hex()->lineNumberRows();
      return !hex.empty() &&
             std::equal(code.begin(), code.end(), hex.begin(), hex.end(),
                        [](auto& a, auto& b) { return a.number == b.number && a.rect == b.rect; });
    };
    Code()->verticalScrollBar()->setValue(120);
    QCOMPARE(Hex()->lineNumberRows().front().number, 121);
    QVERIFY(level());
    QWheelEvent zoom(QPointF(5, 5), Code()->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120), Qt::NoButton,
                     Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Code()->viewport(), &zoom);
    QTRY_VERIFY(level());
    QWheelEvent scroll(QPointF(5, 5), HexRows()->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120),
                       Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(HexRows()->viewport(), &scroll);
    QCOMPARE(Code()->verticalScrollBar()->value(), 123);
    QTRY_VERIFY(level());
    // Every way of moving keeps them level, keys and jumps alike.
    Code()->setFocus();
    const std::function<void()> moves[] = {
        [this] { QTest::keyClick(Code(), Qt::Key_PageDown); },
        [this] { QTest::keyClick(Code(), Qt::Key_End, Qt::ControlModifier); },
        [this] { QTest::keyClick(Code(), Qt::Key_Home, Qt::ControlModifier); },
        [this] { Code()->selectLine(150); },
        [this] { QTest::keyClick(Code(), Qt::Key_Down); },
    };
    for (const auto& move : moves) {
      move();
      QTRY_VERIFY(level());
    }
  }

  // The rows copy as text, by their keys and by the Edit menu; typing into
  // them goes in where the click put the caret, and Hex -> Code takes what
  // was typed.
  void typesIntoTheRows() {
    Code()->setLines({"CLX", "SIN", "ENTER"});
    const QStringList rows = Hex()->text().split(u'\n');
    const auto rowPoint = [this](int row, int x) {
      return QPoint(x, Hex()->lineNumberRows()[row].rect.center().y());
    };
    QTest::mouseClick(HexRows()->viewport(), Qt::LeftButton, {}, rowPoint(1, 5));
    QTest::mouseClick(HexRows()->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowPoint(2, 5));
    QTest::keySequence(HexRows(), QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), rows[1] + u'\n' + rows[2]);
    // The Edit menu acts where the keyboard is: on the rows, then in the find field.
    HexRows()->setFocus();
    Trigger("SelectAll");
    Trigger("Copy");
    QCOMPARE(QGuiApplication::clipboard()->text(), rows.join(u'\n'));
    Trigger("Find");
    Trigger("Paste");
    QCOMPARE(Child<QLineEdit>("findEdit")->text(), rows.join(u'\n'));
    QCOMPARE(Code()->lines(), (Lines{"CLX", "SIN", "ENTER"}));
    QTest::mouseClick(HexRows()->viewport(), Qt::LeftButton, {}, rowPoint(0, HexRows()->width() - 5));
    QTest::keyClicks(HexRows(), " 77");
    QCOMPARE(Hex()->text(), (QStringList{rows[0] + " 77"} + rows.mid(1)).join(u'\n'));
    Click("convertToCodeButton");
    QCOMPARE(Code()->lines(), (Lines{"CLX", "CLX", "SIN", "ENTER"}));
    QVERIFY(!Hex()->isTyped());
  }

  // F12 and Ctrl+click go from a jump to its label, Shift+F12 lists the
  // jumps to a label, and the completion list offers the labels in reach.
  void goesByLabels() {
    Code()->setLines({"LBL \"P\"", "GTO 01", "LBL 01", "XEQ 01", "END"});
    Code()->selectLine(1);
    QTest::keyClick(Code(), Qt::Key_F12);
    QCOMPARE(Code()->textCursor().selectedText(), "LBL 01");
    QTest::keyClick(Code(), Qt::Key_F12, Qt::ShiftModifier);
    QCOMPARE(Uses(), "Line: 2 GTO 01\nLine: 4 XEQ 01");
    // Step numbers switched on and off name the jumps' steps, or stop, in
    // whichever tab is in front.
    auto* info = Child<QTabWidget>("infoPanel");
    info->setCurrentIndex(0);
    Trigger("StepNumbers");
    QCOMPARE(Uses(), "Line: 2 (step 2) GTO 01\nLine: 4 (step 4) XEQ 01");
    QCOMPARE(info->currentIndex(), 0);
    Trigger("StepNumbers");
    QCOMPARE(Uses(), "Line: 2 GTO 01\nLine: 4 XEQ 01");
    // A jump to no label says so, as its warning does.
    Code()->setLines({"GTO 99", "END"});
    QTest::keyClick(Code(), Qt::Key_F12);
    QCOMPARE(window->statusBar()->currentMessage(),
             "No label 99 in this program (Label Not Found when it runs)");
    Code()->setLines({"LBL \"P\"", "GTO 01", "LBL 01", "XEQ 01", "END"});
    Code()->selectLine(3);
    const QPoint xeq = Code()->cursorRect().center();
    Code()->selectLine(0);
    QTest::mouseClick(Code()->viewport(), Qt::LeftButton, Qt::ControlModifier, xeq);
    QCOMPARE(Code()->textCursor().selectedText(), "LBL 01");
    Code()->moveCursor(QTextCursor::EndOfLine);
    QTest::keyClicks(Code(), "\rGTO ");
    QTest::keyClick(Code(), Qt::Key_Space, Qt::ControlModifier);
    const QAbstractItemModel* offered = Code()->findChild<QCompleter*>()->completionModel();
    QStringList words;
    for (int row = 0; row < offered->rowCount(); ++row) words += offered->index(row, 0).data().toString();
    QCOMPARE(words, (QStringList{"\"P\"", "01", "IND"}));

    // The Programs panel lists each program, then its labels; a click on one
    // selects its line. The status bar tells where the caret stands.
    // Rename Label changes the label and the jumps that reach it, in one step.
    Code()->setLines({"LBL 01", "GTO 01 @ back", "END", "LBL 01", "GTO 01"});
    Code()->selectLine(1);
    dialogs->texts = {"A"};
    Trigger("RenameLabel");
    QCOMPARE(Code()->lines(), (Lines{"LBL A", "GTO A @ back", "END", "LBL 01", "GTO 01"}));
    Code()->undo();
    QCOMPARE(Code()->lines(), (Lines{"LBL 01", "GTO 01 @ back", "END", "LBL 01", "GTO 01"}));
    // A name already in reach would move the jumps: the rename is refused.
    Code()->setLines({"LBL A", "GTO A", "LBL 02", "GTO 02"});
    Code()->selectLine(0);
    dialogs->texts = {"02"};
    Trigger("RenameLabel");
    QCOMPARE(Code()->lines(), (Lines{"LBL A", "GTO A", "LBL 02", "GTO 02"}));
    QCOMPARE(window->statusBar()->currentMessage(), "Label 02 is already at line 3");

    Code()->setLines({"LBL \"P\"", "GTO 01", "LBL 01", "END", "CLX"});
    Trigger("ProgramsPanel");
    auto* tree = Child<QTreeWidget>("programsTree");
    QCOMPARE(tree->topLevelItemCount(), 2);
    const auto row = [&](int program) {
      QStringList texts;
      for (int column = 0; column < tree->columnCount(); ++column)
        texts += tree->topLevelItem(program)->text(column);
      return texts;
    };
    QCOMPARE(row(0), (QStringList{"\"P\"", "8", "4", "1"}));
    QCOMPARE(row(1), (QStringList{"program 2", "1", "1", "5"}));
    QTreeWidgetItem* label = tree->topLevelItem(0)->child(1);
    QCOMPARE(label->text(0), "LBL 01");
    tree->itemClicked(label, 0);
    QCOMPARE(Code()->textCursor().selectedText(), "LBL 01");
    QCOMPARE(Child<QLabel>("caretLabel")->text(), "Line 3, Col 7   \"P\", step 03, byte 7");
    Trigger("StepNumbers");
    QStringList numbers;
    const std::vector<LineNumberRow> rows = Code()->lineNumberRows();
    for (const LineNumberRow& row : rows) numbers += row.text;
    QCOMPARE(numbers, (QStringList{"01", "02", "03", "04", "01"}));
  }

  // The Programs panel opens with the caret's program alone open and wide
  // enough for its sizes, even beside the find bar in an 800 px window;
  // selects the program or label over the caret as it moves, and Return on
  // a row goes to its line.
  void programsPanelFollowsTheCaret() {
    Code()->setLines({"LBL \"P\"", "GTO 01", "LBL 01", "END", "LBL 02", "CLX"});
    Code()->selectLine(1);
    window->resize(800, 600);
    Trigger("Find");
    Trigger("ProgramsPanel");
    auto* tree = Child<QTreeWidget>("programsTree");
    QTRY_VERIFY(tree->isVisible());
    QVERIFY(tree->topLevelItem(0)->isExpanded());
    QVERIFY(!tree->topLevelItem(1)->isExpanded());
    for (int column = 0; column < tree->columnCount(); ++column)
      for (int program : {0, 1}) {
        const QString text = tree->topLevelItem(program)->text(column);
        QVERIFY2(tree->columnWidth(column) > tree->fontMetrics().horizontalAdvance(text), qPrintable(text));
      }
    QTRY_VERIFY(tree->header()->length() <= tree->viewport()->width());
    const struct {
      int line, program, label;  // label -1: the program's own row
    } follows[] = {{1, 0, 0}, {2, 0, 1}, {3, 0, 1}, {5, 1, 0}, {4, 1, 0}, {0, 0, 0}};
    for (const auto& [line, program, label] : follows) {
      Code()->selectLine(line);
      QTreeWidgetItem* top = tree->topLevelItem(program);
      QCOMPARE(tree->currentItem(), label < 0 ? top : top->child(label));
    }
    QVERIFY(tree->topLevelItem(1)->isExpanded());
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(1)->child(0));
    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(Code()->textCursor().selectedText(), "LBL 02");
  }

  // The script of edits that the editing model's own tests and the page run
  // too: after each step the window shows what the model says of the text,
  // each mark, each listed line and the size.
  void showsWhatTheModelSays() {
    QFile file(ORRIKEY_SOURCE_DIR "/tests/editing/edit-script.json");
    QVERIFY(file.open(QIODevice::ReadOnly));
    editing::ProgramModel model;
    QTextDocument* document = Code()->document();
    for (const QJsonValue& value : QJsonDocument::fromJson(file.readAll())["steps"].toArray()) {
      const QJsonObject step = value.toObject();
      if (step.contains("renameAt")) {
        const int line = step["renameAt"].toInt();
        const QString name = step["name"].toString();
        for (const editing::LineEdit& edit : model.RenameAt(size_t(line), name.toStdString()).edits)
          model.Replace(edit.line, 1, edit.text);
        Code()->selectLine(line);
        dialogs->texts = {name};
        Trigger("RenameLabel");
      } else {
        const int first = step["first"].toInt(), count = step["count"].toInt();
        const QString text = step["text"].toString();
        model.Replace(size_t(first), size_t(count), text.toStdString());
        QTextCursor cursor(document->findBlockByNumber(first));
        if (count == 0) {
          cursor.insertText(text + "\n");
        } else {
          const QTextBlock last = document->findBlockByNumber(first + count - 1);
          cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
          cursor.insertText(text);
        }
      }
      const QString what = step["what"].toString();
      QCOMPARE(Code()->toPlainText(), QString::fromStdString(model.Text()));
      for (size_t line = 0; line < model.lineCount(); ++line) {
        QString marked;
        for (const editing::Diagnostic& d : model.DiagnosticsOn(line))
          if (marked.isEmpty() && d.severity != editing::Severity::kNote)
            marked = QString::fromStdString(d.message);
        QVERIFY2(Code()->marker(int(line)) == marked, qPrintable(what));
      }
      for (const editing::Diagnostic& d : model.Diagnostics())
        QVERIFY2(Info().contains(QString::fromStdString(d.message)), qPrintable(what));
      const size_t caret = size_t(Code()->textCursor().blockNumber());
      QCOMPARE(Child<QLabel>("byteCountLabel")->text(),
               model.errorCount() > 0 ? QString() : QString::fromStdString(model.SizeOf(caret)));
    }
    QVERIFY(Child<QLabel>("byteCountLabel")->text().startsWith("{ "));
  }

  // The View menu's target decides whether a line of today's calculators is
  // an error: listed under INFO and marked for the HP-42S alone, said in the
  // status bar, and kept for the next start. The Programs panel tells each
  // program's needs in the command line's words.
  void followsTheTarget() {
    Code()->setLines({"LBL \"A\"", "STO 30", "DROPN 2", "END"});
    const QString error = "Line: 3 error: not on the HP-42S: an instruction of today's calculators";
    const struct {
      const char* action;
      const char* shown;
      bool errs;
    } steps[] = {{"TargetHp42s", "HP-42S", true},
                 {"TargetToday", "DM42/Free42", false},
                 {"TargetHp42s", "HP-42S", true}};
    QCOMPARE(Child<QLabel>("targetLabel")->text(), "DM42/Free42");
    for (const auto& [action, shown, errs] : steps) {
      Trigger(action);
      QCOMPARE(Child<QLabel>("targetLabel")->text(), shown);
      QCOMPARE(Info().contains(error), errs);
      QCOMPARE(Code()->marker(2).isEmpty(), !errs);
    }
    Trigger("ProgramsPanel");
    QTRY_VERIFY(Child<QTreeWidget>("programsTree")->isVisible());
    QCOMPARE(Child<QTreeWidget>("programsTree")->topLevelItem(0)->toolTip(0),
             "needs SIZE 31; HP-42S: no, 1 line uses today's instructions (first at line 3)");

    window.reset();
    window = std::make_unique<MainWindow>(*dialogs);
    QVERIFY(Child<QAction>("TargetHp42s")->isChecked());
    QVERIFY(!Child<QAction>("TargetToday")->isChecked());
    QCOMPARE(Child<QLabel>("targetLabel")->text(), "HP-42S");
    Code()->setLines({"DROPN 2"});
    QVERIFY(Info().contains("Line: 1 error: not on the HP-42S"));
  }

  // A jump to no label is a warning: marked in its own colour and listed
  // after the errors, with the byte count kept, as the program converts.
  void warnsOfJumpsToNoLabel() {
    Code()->setLines({"LBL 01", "GTO 15", "FOO", "XEQ \"ELSE\"", "END"});
    Click("convertToHexButton");
    QCOMPARE(Info(), "Line: 3 ------ err opcode: unknown instruction \"FOO\"\n"
                     "Line: 2 warning: no label 15 in this program (Label Not Found when it runs)\n"
                     "Line: 4 note: no global label \"ELSE\" in this file; another program may hold it");
    QCOMPARE(Code()->marker(1), "no label 15 in this program (Label Not Found when it runs)");
    QCOMPARE(Code()->marker(3), "");
    Code()->setLines({"LBL 01", "GTO 15", "END"});
    Click("convertToHexButton");
    QCOMPARE(Child<QLabel>("byteCountLabel")->text(), "{ 4-Byte Prgm }");
    // Of several programs, the caret's; all of them in the tooltip.
    Code()->setLines({"LBL 01", "GTO 01", "END", "CLX"});
    Click("convertToHexButton");
    Code()->moveCursor(QTextCursor::End);
    QCOMPARE(Child<QLabel>("byteCountLabel")->text(), "{ 1-Byte Prgm }");
    QCOMPARE(Child<QLabel>("byteCountLabel")->toolTip(), "4 bytes in 2 programs");
    // A long run of them is cut short.
    Code()->setLines(Lines(102, "GTO 15"));
    Click("convertToHexButton");
    QVERIFY(Info().endsWith("(Label Not Found when it runs)\nand 2 more warnings and notes"));
  }

  // The title names the file and carries the modified mark; Save writes back
  // in the file's own format. After Clear Code the hex pane and the count are
  // empty, and Save Raw File writes the program typed since, not the one opened.
  void savesTheProgramOnScreen() {
    Write("p.raw", QByteArray::fromHex("77"));
    QVERIFY(window->openFile(Path("p.raw")));
    QCOMPARE(window->windowTitle(), "p.raw[*] - Orrikey");
    QVERIFY(!window->isWindowModified());
    Code()->moveCursor(QTextCursor::End);
    QTest::keyClicks(Code(), "\rSIN");
    QVERIFY(window->isWindowModified());
    Trigger("Save");
    QCOMPARE(QByteArray::fromStdString(Read("p.raw")).toHex(), "7759");
    QVERIFY(!window->isWindowModified());
    QCOMPARE(Child<QMenu>("recentMenu")->actions().size(), 1);
    // Clear Code empties the program, file kept, and Undo brings it back.
    Click("clearCodeButton");
    QVERIFY(dialogs->questions.isEmpty());
    QCOMPARE(Hex()->text(), "");
    QCOMPARE(Child<QLabel>("byteCountLabel")->text(), "");
    QCOMPARE(window->windowTitle(), "p.raw[*] - Orrikey");
    Code()->undo();
    QCOMPARE(Code()->lines(), (Lines{"CLX", "SIN"}));
    // Save Raw File offers the program's own name, and an untitled program
    // none; a line that does not convert refuses before a name is asked.
    dialogs->fileNames = {Path("p.raw")};
    dialogs->confirmations = {true};
    Trigger("SaveRawFile");
    QCOMPARE(dialogs->shown.back().fileName, Path("p.raw"));
    dialogs->answers = {Answer::Discard};
    Trigger("New");
    QTest::keyClicks(Code(), "LBL \"NEW\"");
    dialogs->fileNames = {Path("new.raw")};
    Trigger("SaveRawFile");
    QCOMPARE(dialogs->shown.back().initialDir, dir->path());
    QCOMPARE(QByteArray::fromStdString(Read("new.raw")).toHex().toUpper(), "C000F4004E4557");
    QTest::keyClicks(Code(), "\rFOO");
    const size_t asked = dialogs->shown.size();
    for (const char* save : {"SaveRawFile", "SaveListing"}) {
      dialogs->errors.clear();
      Trigger(save);
      QCOMPARE(dialogs->shown.size(), asked);
      QCOMPARE(dialogs->errors.size(), 1);
    }
  }

  // Each save command writes the program on screen in its form: program text
  // as UTF-8 unless the dialog's 8-bit filter is chosen, a listing of the
  // instructions alone in the calculator's style, which is an export: the
  // program keeps its own file. While a line does not convert nothing is
  // written, the old file and the clipboard stay, and the message names
  // every failed line.
  void savesInEachForm_data() {
    QTest::addColumn<Save>("save");
    const QString glyphs = u"@ sums of Σ\nLBL \"Σ→\"\nX≤Y?"_qs;
    const QString program = u"LBL \"A\"\n\nSTOx 05 @ scale\n@ done\nEND"_qs;
    const QString failing = u"CLX\nFOO\nSIN\nBAR 1"_qs;
    const QByteArray listing = "00 { 7-Byte Prgm }\n01\xE2\x96\xB8LBL \"A\"\n02 STO\xC3\x97 05\n03 END\n";
    const QByteArray utf8 = QString(glyphs).replace(u"\n"_qs, u"\r\n"_qs).toUtf8();
    const auto codes = QByteArray::fromStdString(ToDisplayCodes(glyphs)).replace("\n", "\r\n");
    QTest::newRow("raw") << Save{"SaveRawFile", 0, program, "p.raw",
                                 QByteArray::fromHex("C000F200419405C0000D")};
    QTest::newRow("UTF-8") << Save{"Save42SCode", 0, glyphs, "p.42S", utf8};
    QTest::newRow("8-bit") << Save{"Save42SCode", 1, glyphs, "p.42S", codes};
    QTest::newRow("listing") << Save{"SaveListing", 0, program, "p.txt", listing};
    QTest::newRow("copy") << Save{"CopyasListing", 0, program, "", listing};
    QTest::newRow("raw, failed") << Save{"SaveRawFile", 0, failing, "p.raw", {}};
    QTest::newRow("listing, failed") << Save{"SaveListing", 0, failing, "p.txt", {}};
    QTest::newRow("copy, failed") << Save{"CopyasListing", 0, failing, "", {}};
  }
  void savesInEachForm() {
    QFETCH(Save, save);
    const auto& [action, filter, text, name, bytes] = save;
    if (!name.isEmpty()) Write(name, "old");
    QGuiApplication::clipboard()->setText("old");
    Code()->setPlainText(text);
    dialogs->filterIndex = filter;
    dialogs->fileNames = {Path("p")};
    Trigger(action);
    QCOMPARE(name.isEmpty() ? QGuiApplication::clipboard()->text().toUtf8()
                            : QByteArray::fromStdString(Read(name)),
             bytes.isEmpty() ? QByteArray("old") : bytes);
    QCOMPARE(dialogs->errors.size(), bytes.isEmpty() ? 1 : 0);
    if (bytes.isEmpty())
      QVERIFY(dialogs->errors[0].contains("Line: 2 ------ err opcode\nLine: 4 ------ err opcode"));
    if (QByteArray(action).endsWith("Listing")) QCOMPARE(window->windowTitle(), "Untitled[*] - Orrikey");
  }

  // A pasted listing goes in as its program lines; a line that does not
  // convert stays as written, for the user to mend.
  void pastesListings_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("message");
    QTest::newRow("failed lines") << u"01 CLX\n@ note\n02 FOO 9\n03 \"AB\n"_qs
                                  << Lines{"CLX", "FOO 9", "03 \"AB"}
                                  << "77\n------ err opcode\n------ err opcode\n"
                                  << "Pasted as written, line 4 of the listing: The text has no "
                                     "closing quote";
    QTest::newRow("program text") << u"@ Σ note\nΣ+"_qs
                                  << Lines{ToDisplayCodes(u"@ Σ note"), ToDisplayCodes(u"Σ+")} << "\n47"
                                  << "";
  }
  void pastesListings() {
    QFETCH(QString, pasted);
    QFETCH(QString, hex);
    QGuiApplication::clipboard()->setText(pasted);
    Trigger("Paste");
    QTEST(Code()->lines(), "lines");
    QCOMPARE(Hex()->text(), hex);
    QTEST(window->statusBar()->currentMessage(), "message");
  }

  // The offer comes only for changed text; Save writes it to the current
  // file, a cancelled or failed save stops the command, Discard goes on.
  void offersToSaveChanges_data() {
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("unchanged") << false << int(Answer::Cancel) << true;
    QTest::newRow("Save") << true << int(Answer::Save) << true;
    QTest::newRow("Discard") << true << int(Answer::Discard) << true;
    QTest::newRow("Cancel") << true << int(Answer::Cancel) << false;
  }
  void offersToSaveChanges() {
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    Write("prog.42S", "CLX");
    Write("other.42S", "SIN");
    QVERIFY(window->openFile(Path("prog.42S")));
    if (changed) QTest::keyClicks(Code(), "X");
    dialogs->answers = {Answer(answer)};
    window->openFile(Path("other.42S"));
    QCOMPARE(dialogs->questions.size(), changed ? 1 : 0);
    QCOMPARE(Read("prog.42S"), answer == int(Answer::Save) ? "XCLX" : "CLX");
    QCOMPARE(Code()->codes(), goesOn ? "SIN" : "XCLX");
  }

  // Another program writes the open file in place, renames a new one over
  // it, removes it: the bar says so, and Save asks before it writes over.
  void noticesChangesOnDisk() {
    auto* bar = Child("diskChangeBar");
    Write("p.42S", "CLX");
    QVERIFY(window->openFile(Path("p.42S")));
    Write("p.42S", "SIN\r\nCOS");
    QTRY_VERIFY(bar->isVisible());
    QCOMPARE(Child<QLabel>("diskChangeMessage")->text(), "p.42S was changed by another program.");
    Click("reloadButton");
    QCOMPARE(Code()->toPlainText(), "SIN\nCOS");
    QVERIFY(!bar->isVisible() && dialogs->questions.isEmpty());

    QTest::keyClicks(Code(), "1");
    Write("new.42S", "TAN");
    QVERIFY(QFile::remove(Path("p.42S")) && QFile::rename(Path("new.42S"), Path("p.42S")));
    QTRY_VERIFY(bar->isVisible());
    Trigger("Save");
    QCOMPARE(dialogs->questions,
             QStringList{"p.42S was changed by another program since it was opened or saved. Save over it?"});
    QCOMPARE(Read("p.42S"), "TAN");
    Click("keepMineButton");
    QVERIFY(window->isWindowModified());
    Trigger("Save");
    QCOMPARE(dialogs->questions.size(), 1);
    QCOMPARE(Read("p.42S"), "1SIN\r\nCOS");

    QVERIFY(QFile::remove(Path("p.42S")));
    QTRY_VERIFY(bar->isVisible());
    QVERIFY(!Child("reloadButton")->isVisible());
    dialogs->confirmations = {true};
    Trigger("Save");
    QCOMPARE(dialogs->questions.last(), "p.42S was deleted or moved by another program. Save it again?");
    QCOMPARE(Read("p.42S"), "1SIN\r\nCOS");
    QTRY_VERIFY(!bar->isVisible());
  }

  // The open file replaced by something that never ends or never answers:
  // the bar says so, Reload refuses it and Save asks, and nothing waits on it.
  void neverWaitsOnAReplacedFile_data() {
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("reason");
    QTest::newRow("FIFO") << "fifo"
                          << "Not a regular file";
    QTest::newRow("link to /dev/zero") << "zero"
                                       << "Not a regular file";
    QTest::newRow("2 GB sparse file") << "sparse"
                                      << "It is larger than 4 MiB, the most a program file may hold";
  }
  void neverWaitsOnAReplacedFile() {
    QFETCH(QString, replacement);
    QFETCH(QString, reason);
    Write("p.42S", "CLX");
    QVERIFY(window->openFile("p.42S"));
    QTest::keyClicks(Code(), "1");
    QVERIFY(QFile::remove(Path("p.42S")));
    const std::string path = Path("p.42S").toStdString();
    if (replacement == "fifo") QCOMPARE(mkfifo(path.c_str(), 0600), 0);
    if (replacement == "zero") QVERIFY(QFile::link("/dev/zero", Path("p.42S")));
    if (replacement == "sparse") {
      QFile file(Path("p.42S"));
      QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(2) << 30));
    }
    QTRY_VERIFY(Child("diskChangeBar")->isVisible());
    dialogs->confirmations = {true};
    Click("reloadButton");
    QCOMPARE(dialogs->errors, QStringList{"Cannot open file \"" + Path("p.42S") + "\". " + reason});
    QCOMPARE(Code()->toPlainText(), "1CLX");
    Trigger("Save");
    QVERIFY(dialogs->questions.last().startsWith("p.42S was changed by another program"));
  }

  // A file whose name is not UTF-8 opens and saves back to itself, as it
  // does from the command line.
  void opensFilesNamedInAnyBytes() {
    const std::string path = Path("bad").toStdString() + "\xff.42S";
    files::WriteWholeFile(path, "CLX");
    QVERIFY(window->openFile(FromLocalPath(path)));
    QTest::keyClicks(Code(), "1");
    Trigger("Save");
    QCOMPARE(files::ReadWholeFile(path), "1CLX");
  }

  // The editor holds as much text whatever the line breaks of its file: a
  // file of 4 MiB with LF opens, though with CR LF its lines take more.
  void holdsLinesAsTheyAreShown() {
    const QByteArray line = "CLX @" + QByteArray(1018, 'x') + "\n";
    Write("lf.42S", line.repeated(4096));
    QVERIFY(window->openFile(Path("lf.42S")));
    QCOMPARE(Code()->lineCount(), 4096);
  }

  // A file that cannot be read leaves the text as it was.
  void keepsTheTextWhenAFileCannotBeRead() {
    Write("p.raw", QByteArray(3 << 19, '\x01'));
    Code()->setLines({"KEPT"});
    QVERIFY(!window->openFile(Path("p.raw")));
    QCOMPARE(Code()->lines(), Lines{"KEPT"});
    QCOMPARE(dialogs->errors,
             QStringList{"Cannot open file \"" + Path("p.raw") +
                         "\". Its program text is larger than 4 MiB, the most the editor holds"});
  }

  // A listing opens as its program lines, and the status bar names the lines
  // it left out. Save does not write over the listing: it asks for a name.
  void opensListings() {
    Write("l.txt", "01 CLX\n02 \xE2\x98\x83\n03 \xE2\x98\x83\n04 END\n");
    QVERIFY(window->openFile(Path("l.txt")));
    QCOMPARE(Code()->lines(), (Lines{"CLX", "END"}));
    QCOMPARE(
        window->statusBar()->currentMessage(),
        u"Left out 2 line(s) of the listing; line 2: The character ☃ (U+2603) has no calculator code"_qs);
    Trigger("Save");
    QCOMPARE(dialogs->shown.back().kind, FileDialog::Kind::Save);
    QCOMPARE(dialogs->shown.back().fileName, Path("l.42S"));
    QCOMPARE(window->statusBar()->currentMessage(),
             "A listing is only read: save its program as program text");
  }

  // A file dragged over the text is taken, and opens when dropped.
  void opensDroppedFiles() {
    Write("d.raw", QByteArray::fromHex("77"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path("d.raw"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(Code()->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &drop);
    QCOMPARE(Code()->lines(), Lines{"CLX"});
  }

  // Hex pasted with blanks and line breaks becomes the text as one undo step;
  // a lone last digit is left out, and a pair that is not hex leaves the text
  // as it was.
  void convertsHexToCode_data() {
    QTest::addColumn<QString>("hex");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("lone last digit") << "77 4" << Lines{"CLX"} << "" << QStringList();
    QTest::newRow("cut off, spaced")
        << "77\n F3 41" << Lines{"CLX", "Error in Hex Code"}
        << "Line: 2 ------ err opcode: the bytes end in the middle of an instruction" << QStringList();
    QTest::newRow("not hex") << "77 4G" << Lines{"SIN"} << ""
                             << QStringList{"'$4G' is not a valid integer value"};
  }
  void convertsHexToCode() {
    QFETCH(QString, hex);
    QFETCH(QStringList, errors);
    Code()->setLines({"SIN"});
    QGuiApplication::clipboard()->setText(hex);
    QTest::keySequence(HexRows(), QKeySequence::SelectAll);
    QTest::keySequence(HexRows(), QKeySequence::Paste);
    Click("convertToCodeButton");
    QTEST(Code()->lines(), "lines");
    QTEST(Info(), "info");
    if (!Info().isEmpty())
      QCOMPARE(window->statusBar()->currentMessage(), "Error in Hex Code - Around Line: 2");
    QCOMPARE(dialogs->errors, errors);
    Code()->undo();
    QCOMPARE(Code()->lines(), Lines{"SIN"});
  }

  // The help of the double-clicked line's own instruction, in either pane,
  // in a tab of its own: the problems stay listed in theirs.
  void showsHelpOnDoubleClick() {
    Code()->setLines({"CLX", "- @ minus", "FOO"});
    Code()->setTextCursor(QTextCursor(Code()->document()->findBlockByNumber(1)));
    QTest::mouseDClick(Code()->viewport(), Qt::LeftButton, {}, Code()->cursorRect().center());
    QCOMPARE(Help(), u"Subtraction. Returns y – x."_qs);
    QCOMPARE(Child<QTabWidget>("infoPanel")->currentWidget()->objectName(), "helpView");
    Child<QPlainTextEdit>("helpView")->clear();
    QTest::mouseDClick(HexRows()->viewport(), Qt::LeftButton, {},
                       QPoint(5, Hex()->lineNumberRows()[1].rect.center().y()));
    QCOMPARE(Help(), u"Subtraction. Returns y – x."_qs);
    QCOMPARE(Info(), "Line: 3 ------ err opcode: unknown instruction \"FOO\"");
    // Return on a listed problem goes to its line.
    auto* problems = Child<QPlainTextEdit>("infoEdit");
    problems->setFocus();
    QTest::keyClick(problems, Qt::Key_Return);
    QCOMPARE(Code()->textCursor().selectedText(), "FOO");
  }

  // The panes grow with the window. A new window takes the size and the zoom
  // the last one left, and starts the raw file dialog in the RawProg folder
  // once there is one: no folder name is ever offered as a file name.
  void growsAndRemembersItsSize() {
    const int fontSize = Code()->font().pixelSize();
    Trigger("ZoomIn");
    Trigger("OpenRawFile");
    QCOMPARE(dialogs->shown.back().initialDir, dir->path());
    const QSize pane = Code()->size();
    window->resize(window->size() + QSize(300, 200));
    QTRY_VERIFY(Code()->width() > pane.width() && Code()->height() > pane.height());
    QVERIFY(Hex()->width() > 0);
    const QSize size = window->size();
    QDir(dir->path()).mkdir("RawProg");
    window.reset();
    window = std::make_unique<MainWindow>(*dialogs);
    QCOMPARE(window->size(), size);
    QVERIFY(Code()->font().pixelSize() > fontSize);
    Trigger("OpenRawFile");
    QCOMPARE(dialogs->shown.back().initialDir, Path("RawProg"));
  }

  // The program's colours read on a light and a dark pane alike and tell
  // instructions, numbers and texts apart; a number is a word of its own,
  // so 4STK and 1/X are instructions.
  void coloursReadOnAnyPalette_data() {
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("light") << QPalette(QColor(239, 239, 239));
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    QTest::newRow("dark") << dark;
  }
  void coloursReadOnAnyPalette() {
    QFETCH(QPalette, palette);
    window->setPalette(palette);
    Code()->setLines({"4STK", "1/X", "+", "STO 05", "\"AB 12\"", ToDisplayCodes(u"-1.5ᴇ-3")});
    Code()->grab();
    const auto colourAt = [&](int line, int column) { return FormatAt(line, column).foreground().color(); };
    const QColor instruction = colourAt(0, 0), number = colourAt(3, 4), quoted = colourAt(4, 0);
    const struct {
      int line, column;
      QColor colour;
    } spans[] = {
        {0, 3, instruction}, {1, 0, instruction}, {1, 2, instruction}, {2, 0, instruction},
        {3, 0, instruction}, {4, 4, quoted},      {5, 0, number},      {5, 5, number},
    };
    for (const auto& span : spans) QCOMPARE(colourAt(span.line, span.column), span.colour);
    QVERIFY(instruction != number && number != quoted && quoted != instruction);
    const QColor base = palette.color(QPalette::Base);
    for (const QColor& colour :
         {instruction, number, quoted, Code()->markerColor(false), Code()->markerColor(true)})
      QVERIFY2(ContrastRatio(colour, base) >= 4.5, qPrintable(colour.name() + " on " + base.name()));
  }

  // The instruction that defines a label starts its line in bold, wherever
  // the line's blanks put it; other instructions, and longer words that
  // start alike, do not.
  void labelsStandOut() {
    Code()->setLines({"LBL 01", "  LBL \"A\" @ main", "XEQ 01", "LBLX", "\"LBL\""});
    Code()->grab();
    const struct {
      int line, column;
      bool bold;
    } spans[] = {{0, 0, true},  {0, 2, true},  {1, 2, true}, {1, 6, false},
                 {2, 0, false}, {3, 0, false}, {4, 1, false}};
    for (const auto& span : spans)
      QCOMPARE(FormatAt(span.line, span.column).fontWeight() == QFont::Bold, span.bold);
  }

  // Menus and panels take the desktop's font, the panes its fixed font's
  // size, and the exponent's ᴇ is drawn by a sans-serif font of the pane's.
  void takesTheDesktopsFonts() {
    const QFont desktop = QApplication::font();
    for (const char* part : {"infoPanel", "findBar", "caretLabel", "fileNameLabel"})
      QCOMPARE(Child(part)->font(), desktop);
    Trigger("ProgramTool");
    QCOMPARE(window->findChild<ProgramTool*>()->font(), desktop);
    QCOMPARE(QFontInfo(Code()->font()).pixelSize(),
             QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).pixelSize());
    QTextLayout layout(u"1ᴇ3"_qs, Code()->font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList drawnBy;
    for (const QGlyphRun& run : layout.glyphRuns()) drawnBy += run.rawFont().familyName();
    for (const QString& family : drawnBy) QVERIFY2(family.startsWith("DejaVu Sans"), qPrintable(family));
  }

  // The first window fits the screen; a long file name is cut in the
  // middle, never under the HEX box, and the tooltip names the whole path.
  void fitsTheScreenAndItsNames() {
    QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
    const QString name = QString(60, u'n') + "-end.42S";
    Write(name, "CLX\r\n");
    QVERIFY(window->openFile(Path(name)));
    window->resize(700, window->height());
    auto* label = Child<QLabel>("fileNameLabel");
    QTRY_VERIFY2(label->text().endsWith("-end.42S") && label->text().contains(u'…'),
                 qPrintable(label->text()));
    QCOMPARE(label->toolTip(), Path(name));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
    QVERIFY(label->geometry().right() < Child("hexViewBox")->geometry().left());
  }

  // A low window (a 1280x800 screen at twice the scale) gives its height to
  // the panes: INFO shrinks to a few lines and the find bar waits for Ctrl+F.
  void panesTakeMostOfALowWindow() {
    window->resize(640, 400);
    QVERIFY(!Child("findBar")->isVisible());
    QTRY_VERIFY(Code()->viewport()->height() / Code()->fontMetrics().lineSpacing() >= 12);
  }

  // Ctrl+F opens the find bar with the selection, one row high; Ctrl+R adds
  // the replacement's row. Escape closes it and the keyboard goes back to
  // the text.
  void opensAndClosesTheFindBar() {
    Code()->setLines({"STO 01", "RCL 01"});
    Code()->selectLine(1);
    QTest::keyClick(Code(), Qt::Key_F, Qt::ControlModifier);
    auto* find = Child<QLineEdit>("findEdit");
    QCOMPARE(find->text(), "RCL 01");
    QCOMPARE(QApplication::focusWidget(), find);
    QCOMPARE(Child<QLabel>("matchCount")->text(), "1 of 1");
    QVERIFY(!Child("replaceEdit")->isVisible());
    const int findHeight = Child("findBar")->sizeHint().height();
    QVERIFY(findHeight < 2 * find->sizeHint().height());
    QTest::keyClick(find, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(Child("replaceEdit")->isVisible());
    QVERIFY(Child("findBar")->sizeHint().height() > findHeight);
    QTest::keyClick(find, Qt::Key_Escape);
    QVERIFY(!Child("findBar")->isVisible());
    QCOMPARE(QApplication::focusWidget(), Code());
  }

  // Escape in the text closes the find bar as well, as in Kate, but first
  // the completion list when one is open.
  void escapeInTheTextClosesTheFindBar() {
    Trigger("Find");
    Code()->setFocus();
    QTest::keyClicks(Code(), "RC");
    QAbstractItemView* list = Code()->findChild<QCompleter*>()->popup();
    QVERIFY(list->isVisible());
    QTest::keyClick(list, Qt::Key_Escape);
    QVERIFY(!list->isVisible());
    QVERIFY(Child("findBar")->isVisible());
    QTest::keyClick(Code(), Qt::Key_Escape);
    QVERIFY(!Child("findBar")->isVisible());
    QCOMPARE(QApplication::focusWidget(), Code());
    QCOMPARE(Code()->toPlainText(), "RC");
  }

  // A screen reader hears each marker with the line it is on, named as the
  // gutter shows it; with step numbers INFO names both too.
  void namesMarkedLines() {
    Code()->setLines({"LBL 01", "@ no step", "GTO 15", "FOO"});
    const QString noLabel = "no label 15 in this program (Label Not Found when it runs)";
    QCOMPARE(Code()->spokenMarker(2), "line 3: warning: " + noLabel);
    Code()->selectLine(3);
    QCOMPARE(Code()->accessibleDescription(), "line 4: error: unknown instruction \"FOO\"");
    Trigger("StepNumbers");
    QCOMPARE(Code()->spokenMarker(2), "line 3 (step 2): warning: " + noLabel);
    QTRY_COMPARE(Code()->findChild<QWidget*>("lineNumberArea")->accessibleDescription(),
                 Code()->spokenMarker(2) + "\n" + Code()->spokenMarker(3));
    QVERIFY(Info().contains("Line: 3 (step 2) warning: " + noLabel));
  }

  void findsReplacesAndGoesToLine() {
    Code()->setLines({"STO 01", "RCL 01", "STO 02"});
    Trigger("Replace");
    Child<QLineEdit>("findEdit")->setText("STO");
    Child<QLineEdit>("replaceEdit")->setText("STO÷");
    Click("replaceAllButton");
    QCOMPARE(Code()->lines(), (Lines{"STO\xA0 01", "RCL 01", "STO\xA0 02"}));
    Code()->undo();
    QCOMPARE(Code()->lines(), (Lines{"STO 01", "RCL 01", "STO 02"}));
    const struct {
      QString place, selected, message;
    } goes[] = {
        {"4", "RCL 01", ""},
        {"9", "RCL 01", "No line 9: the text has lines 1 to 4"},
        {"\"P\" 2", "STO 01", ""},
        {"P 3", "RCL 01", ""},
        {"\"P\" 7", "RCL 01", "No step 7 in a program \"P\""},
    };
    Code()->setLines({"LBL \"P\"", "@", "STO 01", "RCL 01"});
    for (const auto& go : goes) {
      window->statusBar()->clearMessage();
      dialogs->texts = {go.place};
      Trigger("GotoLine");
      QCOMPARE(Code()->textCursor().selectedText(), go.selected);
      QCOMPARE(window->statusBar()->currentMessage(), go.message);
    }
  }

  // In a monospace font, on a page four printed lines high, which takes
  // three: the next would start lower than two lines above the bottom. A run
  // is written "page x y text", x in characters and y in printed lines (the
  // font's height plus 2).
  void laysOutPrintedLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<qreal>("width");  // the page's, in characters
    QTest::addColumn<QStringList>("runs");
    QTest::newRow("wrapped at the right edge")
        << QStringList{"ABCDEFGHIJKLMNOPQRSTUVWXY", "Z"} << 10.5
        << QStringList{"0 0 0 ABCDEFGHIJ", "0 0 1 KLMNOPQRST", "0 0 2 UVWXY", "1 0 0 Z"};
    QTest::newRow("tab stops") << QStringList{"AB\tC\tD", "ABCDEFGH\tI"} << 10.5
                               << QStringList{"0 0 0 AB", "0 8 0 C", "0 0 1 D", "0 0 2 ABCDEFGH", "1 0 0 I"};
    // Never stuck on a character wider than the page: it gets a line of its own.
    QTest::newRow("narrower than a character")
        << QStringList{"AB"} << 0.5 << QStringList{"0 0 0 A", "0 0 1 B"};
  }
  void laysOutPrintedLines() {
    QFETCH(QStringList, lines);
    QFETCH(qreal, width);
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(20);
    const QFontMetricsF metrics(font);
    const qreal charWidth = metrics.horizontalAdvance(u'W');
    const qreal lineHeight = metrics.height() + 2;
    QStringList runs;
    for (const PrintedRun& run : LayOutPrint(lines, metrics, QSizeF(width * charWidth, 4 * lineHeight)))
      runs +=
          QString::asprintf("%d %d %g ", run.page, qRound(run.at.x() / charWidth), run.at.y() / lineHeight) +
          run.text;
    QTEST(runs, "runs");
  }

  // To a PDF file: as many pages as the layout asks for in the printer's
  // pixels, in the pane's font at 15 points.
  // Printing and Export PDF: every page headed by the file's name, which
  // also names the PDF; a long program runs over pages.
  void printsToPdf() {
    Code()->setLines(Lines(400, "STO\xA0 05\tX\x89Y?"));
    dialogs->fileNames = {Path("long.42S")};
    Trigger("Save");
    dialogs->printTo = Path("printed.pdf");
    Trigger("PrintHP42SCode");
    dialogs->fileNames = {Path("exported")};
    Trigger("ExportPDF");
    for (const char* name : {"printed.pdf", "exported.pdf"}) {
      const QByteArray pdf = QByteArray::fromStdString(Read(name));
      QVERIFY2(pdf.startsWith("%PDF"), name);
      QVERIFY2(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page\\b")) > 1, name);
      // The title, in the UTF-16 that PDF strings hold.
      QByteArray title("\xFE\xFF");
      for (char c : QByteArray("long.42S")) title.append('\0').append(c);
      QVERIFY2(pdf.contains("/Title (" + title + ")"), name);
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
