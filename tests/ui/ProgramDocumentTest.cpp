// The file behind the editor: where each save command writes and in which
// form, what the title and the save offer say, and the recent files.

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "files/FileIO.h"
#include "ui/LocalPath.h"
#include "ui/ProgramDocument.h"

using namespace orrikey;
using Form = document::FileForm;
Q_DECLARE_METATYPE(Form)

// A save command (Save As, Save Raw File or Save 42S Code), the name and filter
// chosen in its dialog, and where and how it saves.
struct Target {
  std::string_view command;
  QString chosen;
  int filter;
  QString path;
  Form form;
};
Q_DECLARE_METATYPE(Target)
// A file and its form, the title and save offer they give, and whether Save
// needs a name.
struct Named {
  QString path;
  Form form;
  QString title, question;
  bool needsName;
};
Q_DECLARE_METATYPE(Named)

class ProgramDocumentTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  // Save As goes by the name, Save Raw File and Save 42S Code by the
  // command; program text is 8-bit only by the dialog's second filter.
  void choosesWhereAndHowToSave_data() {
    QTest::addColumn<Target>("row");
    QTest::newRow("as, no extension") << Target{"as", "p", 0, "p.42S", Form::kProgramText};
    QTest::newRow("as, 8-bit") << Target{"as", "p", 1, "p.42S", Form::kEightBitText};
    QTest::newRow("as, raw by name") << Target{"as", "p.RAW", 1, "p.RAW", Form::kRaw};
    QTest::newRow("as, other extension") << Target{"as", "p.txt", 0, "p.txt", Form::kProgramText};
    QTest::newRow("raw") << Target{"raw", "p.42S", 1, "p.42S.raw", Form::kRaw};
    QTest::newRow("text") << Target{"text", "p.42s", 1, "p.42s", Form::kEightBitText};
    QTest::newRow("text, added") << Target{"text", "p.raw", 0, "p.raw.42S", Form::kProgramText};
  }
  void choosesWhereAndHowToSave() {
    QFETCH(Target, row);
    const Form form = row.command == "raw" ? Form::kRaw : Form::kProgramText;
    const ProgramDocument::Target target = row.command == "as"
                                               ? ProgramDocument::SaveAsTarget(row.chosen, row.filter)
                                               : ProgramDocument::SaveInTarget(form, row.chosen, row.filter);
    QCOMPARE(target.path, row.path);
    QCOMPARE(target.form, row.form);
  }

  // A listing, like a new program, has no file Save could write back to.
  void namesTheFile_data() {
    QTest::addColumn<Named>("row");
    QTest::newRow("new") << Named{"", Form::kProgramText, "Untitled[*] - Orrikey",
                                  "Save the changes to the new program before closing?", true};
    QTest::newRow("raw") << Named{"/d/p.raw", Form::kRaw, "p.raw[*] - Orrikey",
                                  "Save the changes to p.raw before closing?", false};
    QTest::newRow("listing") << Named{"/d/l.txt", Form::kListing, "l.txt[*] - Orrikey",
                                      "Save the changes to l.txt before closing?", true};
  }
  void namesTheFile() {
    QFETCH(Named, row);
    ProgramDocument document;
    document.setFile(row.path, row.form);
    QCOMPARE(document.title(), row.title);
    QCOMPARE(document.saveQuestion("closing"), row.question);
    QCOMPARE(document.saveNeedsName(), row.needsName);
  }

  // The last eight, the most recent first, each once; a new program is none.
  void remembersRecentFiles() {
    QSettings().clear();
    ProgramDocument document;
    for (int i = 0; i < 10; ++i) document.setFile(QString("/d/%1.raw").arg(i), Form::kRaw);
    document.setFile("/d/5.raw", Form::kRaw);
    document.setFile({}, Form::kProgramText);
    QCOMPARE(ProgramDocument::RecentFiles(), (QStringList{"/d/5.raw", "/d/9.raw", "/d/8.raw", "/d/7.raw",
                                                          "/d/6.raw", "/d/4.raw", "/d/3.raw", "/d/2.raw"}));
  }

  // Only other bytes are a change, however soon after the last write.
  void tellsChangesOnDiskByContent() {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.42S");
    files::WriteWholeFile(path.toStdString(), "CLX");
    ProgramDocument document;
    document.setFile(path, Form::kProgramText);
    files::WriteWholeFile(path.toStdString(), "CLX");
    QCOMPARE(document.checkDisk(), ProgramDocument::OnDisk::kAsKnown);
    files::WriteWholeFile(path.toStdString(), "SIN");
    QCOMPARE(document.checkDisk(), ProgramDocument::OnDisk::kChanged);
  }

  // A file is known by its path from the root, whatever folder the editor
  // started in, and by the very bytes of its name.
  void keepsPathsFromTheRoot_data() {
    QTest::addColumn<QByteArray>("given");  // below a temporary folder "t", whose "l" links to "d"
    QTest::addColumn<QByteArray>("kept");
    QTest::newRow("relative") << QByteArray("p.42S") << QByteArray("t/p.42S");
    QTest::newRow("dot dot") << QByteArray("d/../p.42S") << QByteArray("t/p.42S");
    QTest::newRow("linked folder") << QByteArray("l/p.42S") << QByteArray("t/d/p.42S");
    QTest::newRow("linked file") << QByteArray("d/q.42S") << QByteArray("t/d/q.42S");
    QTest::newRow("not UTF-8") << QByteArray("bad\xff\xc3.42S") << QByteArray("t/bad\xff\xc3.42S");
  }
  void keepsPathsFromTheRoot() {
    QFETCH(QByteArray, given);
    QFETCH(QByteArray, kept);
    QTemporaryDir dir;
    const QString root = QFileInfo(dir.path()).canonicalFilePath();
    QVERIFY(QDir(root).mkpath("d") && QFile::link(root + "/d", root + "/l"));
    QVERIFY(QFile::link(root + "/p.42S", root + "/d/q.42S"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(root);
    ProgramDocument document;
    document.setFile(FromLocalPath(given.toStdString()), Form::kProgramText);
    QDir::setCurrent(before);
    QCOMPARE(QByteArray::fromStdString(LocalPath(document.path())),
             QByteArray::fromStdString(LocalPath(root)) + kept.mid(1));
  }
};

QTEST_MAIN(ProgramDocumentTest)
#include "ProgramDocumentTest.moc"
