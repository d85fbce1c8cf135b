// The display-code map: one-to-one, and the names of stray characters.

#include <QSet>
#include <QTest>
#include <stdexcept>

#include "ui/DisplayCodes.h"

using namespace orrikey;

class DisplayCodesTest : public QObject {
  Q_OBJECT

 private slots:
  // Every byte shows as its own character and comes back as itself. The
  // look-alikes of glyphs and of the quote mark show nowhere.
  void isOneToOne() {
    std::string all;
    for (int code = 0; code < 256; ++code) all += static_cast<char>(code);
    const QString shown = ToDisplayText(all);
    QCOMPARE(QSet<QChar>(shown.begin(), shown.end()).size(), 256);
    QCOMPARE(ToDisplayCodes(shown), all);
    for (QChar lookalike : QStringView(u"·º”ˆ"))
      QVERIFY2(!shown.contains(lookalike), qPrintable(QString(lookalike)));
  }

  void namesStrayCharacters() {
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, ToDisplayCodes(u"AB\u200E"));
    QCOMPARE(NameCharacters(u"✓中"), u"✓ (U+2713), 中 (U+4E2D)"_qs);
  }
};

QTEST_GUILESS_MAIN(DisplayCodesTest)
#include "DisplayCodesTest.moc"
