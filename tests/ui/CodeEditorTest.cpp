// The code editor: text in display codes, lines, whole-line inserts, the
// line numbers and typing through the display-code map.

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <stdexcept>

#include "ui/CodeEditor.h"

using namespace orrikey;
using Lines = std::vector<std::string>;
Q_DECLARE_METATYPE(Lines)

class CodeEditorTest : public QObject {
  Q_OBJECT

  std::unique_ptr<CodeEditor> memo;

 private slots:
  void init() {
    memo = std::make_unique<CodeEditor>();
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setLineNumberWidth(45);
    memo->resize(300, 200);
    memo->show();
    QVERIFY(QTest::qWaitForWindowExposed(memo.get()));
  }

  // Every byte but the line breaks is kept as it is; CR LF, lone CR and lone
  // LF all break lines, and a final break starts no line.
  void keepsTextAsLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QByteArray>("stored");
    QByteArray all;
    for (int code = 0; code < 256; ++code)
      if (code != '\r' && code != '\n') all += char(code);
    QTest::newRow("every byte") << all + "\r\n" + all << Lines{all.toStdString(), all.toStdString()}
                                << all + "\r\n" + all;
    QTest::newRow("one line break") << QByteArray("\r\n") << Lines{""} << QByteArray("\r\n");
    QTest::newRow("lone CR and LF, final break")
        << QByteArray("A\rB\nC\r\n") << Lines{"A", "B", "C"} << QByteArray("A\r\nB\r\nC\r\n");
  }
  void keepsTextAsLines() {
    QFETCH(QByteArray, text);
    QFETCH(Lines, lines);
    memo->setCodes(text.toStdString());
    QCOMPARE(memo->lines(), lines);
    QCOMPARE(memo->lineCount(), int(lines.size()));
    QTEST(QByteArray::fromStdString(memo->codes()), "stored");
  }

  // On a blank line the instruction takes it; else it goes on a new line
  // after the caret's, which is never split.
  void insertsWholeLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<Lines>("lines");
    QTest::newRow("blank line") << QByteArray("CLX\r\n  \r\nEND") << 5
                                << Lines{"CLX", "LN", "END"};
    QTest::newRow("empty text") << QByteArray() << 0 << Lines{"LN"};
  }
  void insertsWholeLines() {
    QFETCH(QByteArray, text);
    QFETCH(int, caret);
    memo->setCodes(text.toStdString());
    QTextCursor cursor(memo->document());
    cursor.setPosition(caret);
    memo->setTextCursor(cursor);
    memo->insertLine("LN");
    QTEST(memo->lines(), "lines");
    memo->undo();
    QCOMPARE(memo->codes(), text.toStdString());
  }

  // Ctrl+/ comments the selected lines out, or in again when all are
  // comments; blank lines stay blank, and Undo takes it back whole.
  void togglesComments_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<Lines>("lines");
    QTest::newRow("caret's line") << QByteArray("CLX\r\nSIN") << 5 << 5 << Lines{"CLX", "@ SIN"};
    QTest::newRow("lines, a blank kept") << QByteArray("CLX\r\n\r\nSIN\r\nEND") << 0 << 7
                                         << Lines{"@ CLX", "", "@ SIN", "END"};
    QTest::newRow("all comments: in again") << QByteArray("@ CLX\r\n  @SIN @ x") << 0 << 13
                                            << Lines{"CLX", "  SIN @ x"};
    QTest::newRow("some comments: all out") << QByteArray("@ CLX\r\nSIN") << 0 << 9
                                            << Lines{"@ @ CLX", "@ SIN"};
  }
  void togglesComments() {
    QFETCH(QByteArray, text);
    QFETCH(int, from);
    QFETCH(int, to);
    memo->setCodes(text.toStdString());
    QTextCursor cursor(memo->document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    memo->toggleComment();
    QTEST(memo->lines(), "lines");
    memo->undo();
    QCOMPARE(memo->codes(), text.toStdString());
  }

  void refusesTextBeyondCapacity() {
    memo->setCodes("CLX");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             memo->setCodes(std::string(CodeEditor::kCapacity + 1, 'A')));
    QCOMPARE(memo->codes(), "CLX");
  }

  // Numbers stand beside their lines, to the bottom of the gutter or the last
  // line, whichever comes first; scrolling moves them along.
  void numbersEveryRow() {
    for (auto [lines, first] : {std::pair{3, 0}, std::pair{120, 98}}) {
      memo->setLines(Lines(lines, "CLX"));
      memo->verticalScrollBar()->setValue(first);
      const auto rows = memo->lineNumberRows();
      for (size_t i = 0; i < rows.size(); ++i) QCOMPARE(rows[i].number, first + int(i) + 1);
      const QTextCursor second(memo->document()->findBlockByNumber(first + 1));
      QCOMPARE(rows[1].rect.top(), memo->cursorRect(second).top());
      QVERIFY(rows.back().rect.top() < memo->contentsRect().height());
      if (rows.back().number < memo->document()->blockCount())
        QVERIFY(rows.back().rect.bottom() >= memo->contentsRect().height() - 1);
      else
        QCOMPARE(rows.back().number, memo->document()->blockCount());
    }
  }

  void typesThroughTheMap() {
    QSignalSpy refused(memo.get(), &CodeEditor::inputRefused);
    for (QChar c : u"X≤Y?↑Å✓"_qs) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(memo.get(), &press);
    }
    QApplication::clipboard()->setText(u"\r\nSTO÷ 05\r\nμ😀\r1ᴇ3"_qs);
    memo->paste();
    QCOMPARE(memo->lines(), (Lines{"X\x89Y?^\x14", "STO\xA0 05", "\xB1", "1\x98\x33"}));
    QCOMPARE(refused.size(), 2);
    QCOMPARE(refused.at(0).at(0).toString(), u"Not inserted, the calculator has no character ✓ (U+2713)"_qs);
    QVERIFY(refused.at(1).at(0).toString().contains(u"😀 (U+1F600)"));
  }

  // The list opens after two letters of a name and on Ctrl+Space; Return
  // takes the chosen word in place of what was typed of it.
  void completesWhatIsTyped() {
    // The text as the editor's model holds it, with a label in reach.
    memo->setCompletionSource([&](int line, int column) {
      editing::ProgramModel model;
      model.Replace(0, 1, memo->toPlainText().toStdString() + "\nLBL 01");
      return model.CompletionsAt(size_t(line), size_t(column));
    });
    QAbstractItemView* list = nullptr;
    const auto opened = [&] {
      list = memo->findChild<QCompleter*>()->popup();
      return list->isVisible();
    };
    QTest::keyClicks(memo.get(), "G");
    QVERIFY(!opened());
    QTest::keyClicks(memo.get(), "t");
    QVERIFY(opened());
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(memo->toPlainText(), "GTO");
    QTest::keyClicks(memo.get(), " ");
    QVERIFY(!opened());
    QTest::keyClick(memo.get(), Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(opened());
    QCOMPARE(list->model()->rowCount(), 2);  // 01 and IND
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(memo->toPlainText(), "GTO 01");
    // A glyph's name, offered for its ASCII spelling, takes the spelling's place.
    QTest::keyClicks(memo.get(), "\rX<=Y");
    QVERIFY(opened());
    QCOMPARE(list->model()->rowCount(), 1);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(memo->toPlainText(), u"GTO 01\nX≤Y?"_qs);
  }
};

QTEST_MAIN(CodeEditorTest)
#include "CodeEditorTest.moc"
