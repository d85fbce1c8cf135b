// The line-numbered memo: text in display codes, lines, deletions, the gutter
// and typing through the display-code map.

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <stdexcept>

#include "ui/GutterMemo.h"

using namespace orrikey;
using Lines = std::vector<std::string>;
Q_DECLARE_METATYPE(Lines)

class GutterMemoTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TGutterMemo> memo;

  static Lines Numbered(int count) {
    Lines lines;
    for (int i = 1; i <= count; ++i) lines.push_back("LINE " + std::to_string(i));
    return lines;
  }

 private slots:
  void init() {
    memo = std::make_unique<TGutterMemo>();
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->SetGutterSize(45);
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
    memo->SetText(text.toStdString());
    QCOMPARE(memo->Lines(), lines);
    QCOMPARE(memo->LineCount(), int(lines.size()));
    QCOMPARE(memo->IsEmpty(), text.isEmpty());
    QTEST(QByteArray::fromStdString(memo->Text()), "stored");
  }

  // As one undo step; the last line goes without the break before it.
  void deletesLines() {
    memo->SetText("A\r\n\r\nB\r\n ");
    memo->DeleteLines({3, 1});
    QCOMPARE(memo->Text(), "A\r\nB\r\n");
    memo->undo();
    QCOMPARE(memo->Text(), "A\r\n\r\nB\r\n ");
  }

  void refusesTextBeyondCapacity() {
    memo->SetText("CLX");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             memo->SetText(std::string(TGutterMemo::kCapacity + 1, 'A')));
    QCOMPARE(memo->Text(), "CLX");
  }

  // Numbers stand beside their lines and run on to the bottom of the gutter,
  // past the last line; scrolling moves them along. As drawn, they end 2
  // pixels inside the gutter: 99 and 100 at the same column.
  void numbersEveryRow() {
    memo->SetGutterColor(Qt::white);
    memo->SetGutterTextColor(Qt::black);
    for (auto [lines, first] : {std::pair{3, 0}, std::pair{120, 98}}) {
      memo->SetLines(Numbered(lines));
      memo->verticalScrollBar()->setValue(first);
      const auto rows = memo->GutterRows();
      QVERIFY(rows.size() > 3);
      for (size_t i = 0; i < rows.size(); ++i) QCOMPARE(rows[i].number, first + int(i) + 1);
      const QTextCursor second(memo->document()->findBlockByNumber(first + 1));
      QCOMPARE(rows[1].rect.top(), memo->cursorRect(second).top());
      QVERIFY(rows.back().rect.top() < memo->contentsRect().height());
      QVERIFY(rows.back().rect.bottom() >= memo->contentsRect().height() - 1);
    }
    const QImage image = memo->grab().toImage();
    const auto rows = memo->GutterRows();
    int ends[2] = {-1, -1};  // the rightmost inked column of 99 and of 100
    for (int i : {0, 1})
      for (int y = rows[i].rect.top(); y <= rows[i].rect.bottom(); ++y)
        for (int x = 0; x < memo->GutterSize(); ++x)
          if (qGray(image.pixel(memo->contentsRect().left() + x, y)) < 128)
            ends[i] = std::max(ends[i], x);
    QVERIFY(ends[0] > 0 && ends[0] <= memo->GutterSize() - 3);
    QVERIFY(std::abs(ends[0] - ends[1]) <= 1);
  }

  void typesThroughTheMap() {
    QSignalSpy refused(memo.get(), &TGutterMemo::InputRefused);
    for (QChar c : u"X≤Y?↑Å✓"_qs) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(memo.get(), &press);
    }
    QApplication::clipboard()->setText(u"\r\nSTO÷ 05\r\nμ😀\r1ᴇ3"_qs);
    memo->paste();
    QCOMPARE(memo->Lines(), (Lines{"X\x89Y?^\xA4", "STO\xA0 05", "\xB1", "1\x98\x33"}));
    QCOMPARE(refused.size(), 2);
    QVERIFY(refused.at(0).at(0).toString().contains(u"✓ (U+2713)"));
    QVERIFY(refused.at(1).at(0).toString().contains(u"😀 (U+1F600)"));
  }
};

QTEST_MAIN(GutterMemoTest)
#include "GutterMemoTest.moc"
