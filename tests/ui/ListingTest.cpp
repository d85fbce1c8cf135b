// Listings read as program text: the calculator's own form, the looser ones
// shared on forums, and the real listings of the corpus.

#include <QDir>
#include <QTest>

#include "encoder/Encoder.h"
#include "ui/DisplayCodes.h"
#include "ui/Listing.h"

using namespace orrikey;

class ListingTest : public QObject {
  Q_OBJECT

 private slots:
  // The expected lines are shown text, as the editor would show them.
  void readsListings_data() {
    QTest::addColumn<QString>("listing");
    QTest::addColumn<bool>("recognised");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("refused");
    QTest::newRow("calculator") << u"00 { 9-Byte Prgm }\n01▸LBL \"A\"\n02 CLX\n03 END\n"_qs << true
                                << QStringList{"LBL \"A\"", "CLX", "END"} << "";
    QTest::newRow("glyphs") << u"01 STO× 05\r\n02 1ᴇ-3\r\n03 ├\"A×[LF]\"\r\n04 10↑X\r\n100 X≠0?"_qs
                            << true
                            << QStringList{"STOx 05", "1ᴇ-3", "├\"A×␊\"", "10^X", "X≠0?"} << "";
    QTest::newRow("loose") << u"LBL \"B\" // start ✓\n# note\n1e-07\n“AB” ; text\n.END."_qs
                           << true
                           << QStringList{"LBL \"B\" @ start ", "1ᴇ-07", "\"AB\" @ text", "END"}
                           << u"✓"_qs;
    // Program text has numbers of its own, which are no line numbers.
    QTest::newRow("program text") << u"CLX\n1 @ one\n12\nEND"_qs << false
                                  << QStringList{"CLX", "1 @ one", "12", "END"} << "";
  }
  void readsListings() {
    QFETCH(QString, listing);
    QFETCH(QStringList, lines);
    QTEST(LooksLikeListing(listing), "recognised");
    const ListingText read = ReadListing(listing);
    QStringList shown;
    for (const std::string& line : read.lines) shown += ToDisplayText(line);
    QCOMPARE(shown, lines);
    QTEST(read.refused, "refused");
  }

  // Most lines of the shared listings convert; the rest are mostly newer
  // instructions and spellings of other programs.
  void readsTheCorpus() {
    const QDir dir(ORRIKEY_CORPUS_DIR "/listings");
    if (!dir.exists()) QSKIP("no corpus");
    int lines = 0, converted = 0;
    for (const QString& name : dir.entryList({"*.hp42s", "*.free42", "*.txt", "*.42s"})) {
      QFile file(dir.filePath(name));
      QVERIFY(file.open(QIODevice::ReadOnly));
      for (const std::string& line : ReadListing(QString::fromUtf8(file.readAll())).lines) {
        if (Trim(line).empty()) continue;
        ++lines;
        if (!EncodeLine(CleanLine(line)).starts_with(kErrorMarker)) ++converted;
      }
    }
    QVERIFY2(converted * 10 >= lines * 9, qPrintable(QString("%1 of %2").arg(converted).arg(lines)));
  }
};

QTEST_MAIN(ListingTest)
#include "ListingTest.moc"
