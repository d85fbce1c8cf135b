// The code editor: text in display codes, lines, whole-line inserts, the
// line numbers, typing through the display-code map, completion, tooltips
// and the find bar that searches it.

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>
#include <stdexcept>

#include "ui/CodeEditor.h"
#include "ui/FindBar.h"
#include "ui/Look.h"

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
    QTest::newRow("blank line") << QByteArray("CLX\r\n  \r\nEND") << 5 << Lines{"CLX", "LN", "END"};
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
    QTest::newRow("lines, a blank kept")
        << QByteArray("CLX\r\n\r\nSIN\r\nEND") << 0 << 7 << Lines{"@ CLX", "", "@ SIN", "END"};
    QTest::newRow("all comments: in again")
        << QByteArray("@ CLX\r\n  @SIN @ x") << 0 << 13 << Lines{"CLX", "  SIN @ x"};
    QTest::newRow("some comments: all out")
        << QByteArray("@ CLX\r\nSIN") << 0 << 9 << Lines{"@ @ CLX", "@ SIN"};
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
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, memo->setCodes(std::string(CodeEditor::kCapacity + 1, 'A')));
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
      else QCOMPARE(rows.back().number, memo->document()->blockCount());
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
    // The list stands under the word being typed, in the pane's font, and
    // goes once a whole name that no other word goes on from is typed.
    QFont large = memo->font();
    large.setPointSize(large.pointSize() + 7);
    memo->setFont(large);
    QTest::keyClicks(memo.get(), "\rCL");
    QVERIFY(opened());
    QCOMPARE(list->font(), memo->font());
    QTextCursor wordStart = memo->textCursor();
    wordStart.movePosition(QTextCursor::StartOfBlock);
    const QPoint under = memo->viewport()->mapToGlobal(memo->cursorRect(wordStart).bottomLeft());
    QVERIFY2((list->mapToGlobal(QPoint(0, 0)) - under).manhattanLength() < 8, "not under the word");
    QTest::keyClicks(memo.get(), "X");
    QVERIFY(!opened());
  }

  // The find bar counts the matches its options allow and says which one is
  // selected; Replace All replaces those alone, and the count follows.
  void findsWithOptions_data() {
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWords");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("replaced");
    QTest::newRow("any case") << "sto" << false << false << "1 of 3"
                              << "X 01\nX 02\nX+ 03\nRCL 010";
    QTest::newRow("case") << "STO" << true << false << "1 of 2"
                          << "X 01\nsto 02\nX+ 03\nRCL 010";
    QTest::newRow("whole words") << "01" << false << true << "1 of 1"
                                 << "STO X\nsto 02\nSTO+ 03\nRCL 010";
    QTest::newRow("none") << "XEQ" << false << false << "No matches"
                          << "STO 01\nsto 02\nSTO+ 03\nRCL 010";
  }
  void findsWithOptions() {
    QFETCH(QString, wanted);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWords);
    memo->setPlainText("STO 01\nsto 02\nSTO+ 03\nRCL 010");
    FindBar bar(memo.get());
    bar.findChild<QCheckBox*>("caseSensitiveBox")->setChecked(matchCase);
    bar.findChild<QCheckBox*>("wholeWordsBox")->setChecked(wholeWords);
    bar.open(true);
    QTest::keyClicks(bar.findField(), wanted);
    const auto count = [&] { return bar.findChild<QLabel*>("matchCount")->text(); };
    QTEST(count(), "count");
    bar.findChild<QLineEdit*>("replaceEdit")->setText("X");
    QTest::mouseClick(bar.findChild<QPushButton*>("replaceAllButton"), Qt::LeftButton);
    QTEST(memo->toPlainText(), "replaced");
    QCOMPARE(count(), "No matches");
  }

  // Tooltips break between words at a readable width; a word wider than
  // that stands alone rather than being cut.
  void wrapsToolTips_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    const QString word = "abcdefgh";
    QTest::newRow("short") << "unknown instruction \"FOO\"" << 1;
    QTest::newRow("long") << QStringList(200, word).join(u' ') << 0;
    QTest::newRow("own breaks") << "first\nsecond" << 2;
    QTest::newRow("giant word") << "a " + QString(500, u'x') + " b" << 3;
  }
  void wrapsToolTips() {
    QFETCH(QString, text);
    QFETCH(int, lines);
    const QStringList wrapped = WrapForToolTip(text).split(u'\n');
    if (lines > 0) QCOMPARE(wrapped.size(), lines);
    const int readable = 60 * QFontMetrics(QToolTip::font()).averageCharWidth();
    for (const QString& line : wrapped)
      QVERIFY(line.count(u' ') == 0 || QFontMetrics(QToolTip::font()).horizontalAdvance(line) <= readable);
    QCOMPARE(wrapped.join(u' '), QString(text).replace(u'\n', u' '));
  }
};

QTEST_MAIN(CodeEditorTest)
#include "CodeEditorTest.moc"
