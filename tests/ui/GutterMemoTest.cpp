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
Q_DECLARE_METATYPE(std::vector<int>)

namespace {

void Type(TGutterMemo& memo, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&memo, &press);
  }
}

Lines Numbered(int count) {
  Lines lines;
  for (int i = 1; i <= count; ++i) lines.push_back("LINE " + std::to_string(i));
  return lines;
}

}  // namespace

class GutterMemoTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TGutterMemo> memo;

 private slots:
  void init() {
    memo = std::make_unique<TGutterMemo>();
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->SetGutterSize(45);
    memo->resize(300, 200);
    memo->show();
    QVERIFY(QTest::qWaitForWindowExposed(memo.get()));
  }

  void keepsEveryByte() {
    std::string all;
    for (int code = 0; code < 256; ++code)
      if (code != '\r' && code != '\n') all += static_cast<char>(code);
    memo->SetText(all + "\r\n" + all);
    QCOMPARE(memo->Text(), all + "\r\n" + all);
  }

  void splitsLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("empty") << QByteArray("") << Lines{} << QByteArray("");
    QTest::newRow("one line break") << QByteArray("\r\n") << Lines{""} << QByteArray("\r\n");
    QTest::newRow("final break") << QByteArray("A\r\nB\r\n") << Lines{"A", "B"}
                                 << QByteArray("A\r\nB\r\n");
    QTest::newRow("lone CR and LF")
        << QByteArray("A\rB\nC") << Lines{"A", "B", "C"} << QByteArray("A\r\nB\r\nC");
  }
  void splitsLines() {
    QFETCH(QByteArray, text);
    QFETCH(Lines, lines);
    QFETCH(QByteArray, stored);
    memo->SetText(text.toStdString());
    QCOMPARE(memo->Lines(), lines);
    QCOMPARE(memo->LineCount(), int(lines.size()));
    QCOMPARE(memo->IsEmpty(), text.isEmpty());
    QCOMPARE(memo->Text(), stored.toStdString());
  }

  void deletesLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<std::vector<int>>("indexes");
    QTest::addColumn<QByteArray>("left");
    QTest::newRow("inner") << QByteArray("A\r\n\r\nB\r\n ") << std::vector<int>{1, 3}
                           << QByteArray("A\r\nB\r\n");
    QTest::newRow("first and only") << QByteArray("\r\n") << std::vector<int>{0} << QByteArray("");
    QTest::newRow("all") << QByteArray(" \r\n\t") << std::vector<int>{0, 1} << QByteArray("");
  }
  void deletesLines() {
    QFETCH(QByteArray, text);
    QFETCH(std::vector<int>, indexes);
    QFETCH(QByteArray, left);
    memo->SetText(text.toStdString());
    memo->DeleteLines(indexes);
    QCOMPARE(memo->Text(), left.toStdString());
    memo->undo();
    QCOMPARE(memo->Text(), text.toStdString());
  }

  void refusesTextBeyondCapacity() {
    memo->SetText("CLX");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             memo->SetText(std::string(TGutterMemo::kCapacity + 1, 'A')));
    QCOMPARE(memo->Text(), "CLX");
  }

  // Numbers stand beside their lines and run on to the bottom of the gutter,
  // past the last line; scrolling moves them along.
  void numbersEveryRow() {
    QSignalSpy scrolled(memo.get(), &TGutterMemo::OnVericalScroll);
    for (auto [lines, first] : {std::pair{3, 0}, std::pair{100, 39}}) {
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
    QCOMPARE(scrolled.takeFirst().at(0).toInt(), 39);
  }

  // 99 and 100 end at the same column, 2 pixels inside the gutter.
  void rightAlignsNumbers() {
    memo->SetLines(Numbered(120));
    memo->SetGutterColor(Qt::white);
    memo->SetGutterTextColor(Qt::black);
    memo->verticalScrollBar()->setValue(96);
    const QImage image = memo->grab().toImage();
    const int left = memo->contentsRect().left();
    std::map<int, std::pair<int, int>> ink;  // number -> leftmost, rightmost inked column
    for (const auto& row : memo->GutterRows()) {
      if (row.number != 99 && row.number != 100) continue;
      auto& [first, last] = ink[row.number] = {1000, -1};
      for (int y = row.rect.top(); y <= row.rect.bottom(); ++y)
        for (int x = 0; x < memo->GutterSize(); ++x)
          if (qGray(image.pixel(left + x, y)) < 128)
            first = std::min(first, x), last = std::max(last, x);
    }
    QVERIFY(ink[100].first < ink[99].first);
    QVERIFY(ink[99].second <= memo->GutterSize() - 3);
    QVERIFY(std::abs(ink[99].second - ink[100].second) <= 1);
  }

  void typesThroughTheMap() {
    QSignalSpy refused(memo.get(), &TGutterMemo::InputRefused);
    Type(*memo, u"X≤Y?↑Å✓"_qs);
    QApplication::clipboard()->setText(u"\r\nSTO÷ 05\r\nμ😀\r1ᴇ3"_qs);
    memo->paste();
    QCOMPARE(memo->Lines(), (Lines{"X\x89Y?^\xA4", "STO\xA0 05", "\xB1", "1\x98" "3"}));
    QCOMPARE(refused.size(), 2);
    QVERIFY(refused.at(0).at(0).toString().contains(u"✓ (U+2713)"));
    QVERIFY(refused.at(1).at(0).toString().contains(u"😀 (U+1F600)"));
  }
};

QTEST_MAIN(GutterMemoTest)
#include "GutterMemoTest.moc"
