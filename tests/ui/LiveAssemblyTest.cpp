// The hex pane kept in step with the program text: after any run of edits,
// undos and redos, every row holds what encoding its line afresh gives.

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include "document/TypedLine.h"
#include "encoder/Encoder.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/HexPane.h"
#include "ui/LiveAssembly.h"

using namespace orrikey;

class LiveAssemblyTest : public QObject {
  Q_OBJECT

  static QString Encoded(const QTextDocument* document) {
    QStringList rows;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
      rows += QString::fromStdString(
          encoder::HexRow(document::ReadTypedLine(ToDisplayCodes(block.text())).assembled));
    return rows.join(u'\n');
  }

 private slots:
  void followsEveryEdit() {
    CodeEditor code;
    HexPane hex;
    LiveAssembly assembly(&code, &hex, nullptr);
    QSignalSpy summaries(&assembly, &LiveAssembly::summaryChanged);
    const QString pieces[] = {"CLX", "\n", "STO 05", "\n\n", "FOO", " ", "\"AB\"\nSIN\n", "1.5", "X<=Y?"};
    QRandomGenerator random(42);
    for (int step = 0; step < 300; ++step) {
      QTextCursor cursor(code.document());
      const int end = code.document()->characterCount() - 1;
      cursor.setPosition(random.bounded(end + 1));
      cursor.setPosition(random.bounded(end + 1), QTextCursor::KeepAnchor);
      switch (random.bounded(4)) {
        case 0: cursor.removeSelectedText(); break;
        case 1: code.undo(); break;
        case 2: code.redo(); break;
        default: cursor.insertText(pieces[random.bounded(int(std::size(pieces)))]);
      }
      QCOMPARE(hex.text(), Encoded(code.document()));
    }
    // Text typed into the hex pane gives way at the next change.
    hex.clear();
    QVERIFY(hex.isTyped());
    code.appendPlainText("END");
    QCOMPARE(hex.text(), Encoded(code.document()));
    // A listing's spelling, typed, is its instruction; every change is told
    // at once, not after a pause.
    const qsizetype told = summaries.size();
    code.setPlainText("X<=Y?\n1E3");
    QCOMPARE(hex.text(), QString::fromStdString(encoder::HexRow(encoder::AssembleLine("X\x89Y?")) + "\n" +
                                                encoder::HexRow(encoder::AssembleLine("1\x98"
                                                                                      "3"))));
    QVERIFY(summaries.size() > told);
  }
};

QTEST_MAIN(LiveAssemblyTest)
#include "LiveAssemblyTest.moc"
