// Telling listings from program text: the calculator's own form and the
// looser ones shared on forums are listings; program text with numbers of
// its own is not. Reading them is the listing reader's, tested with the core.

#include <QTest>

#include "ui/Listing.h"

using namespace orrikey;

class ListingTest : public QObject {
  Q_OBJECT

 private slots:
  void tellsListingsFromProgramText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("listing");
    QTest::newRow("calculator") << u"00 { 9-Byte Prgm }\n01▸LBL \"A\"\n02 CLX\n03 END\n"_qs << true;
    QTest::newRow("glyphs") << u"STO× 05\r\n1ᴇ-3\r\nX≠0?"_qs << true;
    QTest::newRow("numbered") << u"1 CLX\n2 STO 05\n3 END"_qs << true;
    QTest::newRow("program text") << u"CLX\n1 @ one\n12\nEND"_qs << false;
  }
  void tellsListingsFromProgramText() {
    QFETCH(QString, text);
    QTEST(LooksLikeListing(text), "listing");
  }
};

QTEST_MAIN(ListingTest)
#include "ListingTest.moc"
