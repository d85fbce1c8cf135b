// The main window driven as a user would, with the question boxes and file
// dialogs answered by the test.

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

#include "tests/ui/FakeDialogs.h"
#include "ui/GutterMemo.h"
#include "ui/DisplayCodes.h"
#include "ui/MainWindow.h"
#include "ui/Printing.h"

using namespace orrikey;
using Lines = std::vector<std::string>;
using Answer = Dialogs::Answer;
Q_DECLARE_METATYPE(Lines)

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir;
  std::unique_ptr<FakeDialogs> dialogs;
  std::unique_ptr<TForm1> form;

  QString Path(const QString& name) const { return dir->filePath(name); }
  std::string Read(const QString& name) const {
    std::ifstream file(Path(name).toStdString(), std::ios::binary);
    return (std::stringstream() << file.rdbuf()).str();
  }
  void Write(const QString& name, const std::string& bytes) const {
    std::ofstream(Path(name).toStdString(), std::ios::binary) << bytes;
  }
  void Convert(const Lines& code) {
    form->HP42SCode->SetLines(code);
    QTest::mouseClick(form->Button1, Qt::LeftButton);
  }

 private slots:
  void init() {
    dir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(dir->path());
    dialogs = std::make_unique<FakeDialogs>();
    form = std::make_unique<TForm1>(*dialogs);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
  }
  void cleanup() {
    form.reset();
    QDir::setCurrent(QDir::tempPath());
  }

  void convertsCode_data() {
    QTest::addColumn<Lines>("code");
    QTest::addColumn<Lines>("kept");
    QTest::addColumn<Lines>("hex");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("caption");
    QTest::newRow("program") << Lines{"LBL \"AB\"", "1", "END"} << Lines{"LBL \"AB\"", "1", "END"}
                             << Lines{"C000F3004142", "1100", "C0000D"} << ""
                             << "{ 11-Byte Prgm }";
    QTest::newRow("blank lines and errors")
        << Lines{"CLX", "", " \t", "CLX @ note", "clx"} << Lines{"CLX", "CLX @ note", "clx"}
        << Lines{"77", "77", "------ err opcode"} << "Line: 3 ------ err opcode"
        << "";
    QTest::newRow("only blank lines") << Lines{"", "  "} << Lines{} << Lines{} << ""
                                      << "{ 0-Byte Prgm }";
    QTest::newRow("nothing: all kept") << Lines{} << Lines{} << Lines{"77"} << "note"
                                       << "{ 1 }";
  }
  void convertsCode() {
    QFETCH(Lines, code);
    form->HP42SRaw->SetLines({"77"});
    form->Memo2->setPlainText("note");
    form->Label3->setText("{ 1 }");
    Convert(code);
    QTEST(form->HP42SCode->Lines(), "kept");
    QTEST(form->HP42SRaw->Lines(), "hex");
    QTEST(form->Memo2->toPlainText(), "info");
    QTEST(form->Label3->text(), "caption");
  }

  // Yes offers to save first. A cancelled or failed save stops the command,
  // so the text the user wanted to keep is never thrown away.
  void asksBeforeReplacingCode_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("answer");      // -1: the box is closed without an answer
    QTest::addColumn<QString>("saveAs");  // "": the save dialog is cancelled
    QTest::addColumn<bool>("goesOn");
    const int yes = int(Answer::Yes), no = int(Answer::No), cancel = int(Answer::Cancel);
    for (const QString command : {"clear", "exit", "close", "open code", "open raw"}) {
      auto row = [&](const char* name) -> QTestData& {
        return QTest::addRow("%s: %s", qPrintable(command), name) << command;
      };
      row("No") << QByteArray("CLX") << no << "" << true;
      row("Yes, saved") << QByteArray("CLX\r\n") << yes << "kept.42S" << true;
      row("Yes, save cancelled") << QByteArray("CLX") << yes << "" << false;
      row("Yes, save failed") << QByteArray("CLX") << yes << "no/such/dir.42S" << false;
      row("box closed") << QByteArray("CLX") << -1 << "" << false;
      row("one empty line") << QByteArray("\r\n") << cancel << "" << false;
      row("empty, no question") << QByteArray() << -1 << "" << (command != "clear");
    }
  }
  void asksBeforeReplacingCode() {
    QFETCH(QString, command);
    QFETCH(QByteArray, text);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, goesOn);
    form->HP42SCode->SetText(text.toStdString());
    form->Label4->setText("prog.42S");
    if (answer >= 0) dialogs->answers.push_back(Answer(answer));
    dialogs->fileNames.push_back(saveAs.isEmpty() ? "" : Path(saveAs));

    if (command == "clear") QTest::mouseClick(form->Button3, Qt::LeftButton);
    if (command == "exit") form->Exit1->trigger();
    if (command == "close") form->close();
    if (command == "open code") form->Open1->trigger();
    if (command == "open raw") form->OpenHex1->trigger();

    const QString question = command == "clear"           ? "Save before clear?"
                             : command.startsWith("open") ? "Save before open file?"
                                                          : "Save before exit?";
    QCOMPARE(dialogs->questions, text.isEmpty() ? QStringList() : QStringList{question});
    if (saveAs == "kept.42S") QCOMPARE(Read(saveAs), text.toStdString());
    QCOMPARE(dialogs->errors.size(), saveAs.startsWith("no/") ? 1 : 0);
    const bool opened =
        !dialogs->shown.empty() && dialogs->shown.back().kind == FileDialog::Kind::Open;
    const bool wentOn = command == "clear"           ? form->Label4->text().isEmpty()
                        : command.startsWith("open") ? opened
                                                     : !form->isVisible();
    QCOMPARE(wentOn, goesOn);
    if (!goesOn) QCOMPARE(form->HP42SCode->Text(), text.toStdString());
  }

  void savesUnderExtendedNames_data() {
    QTest::addColumn<bool>("raw");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("code") << false << "prog"
                          << "prog.42S";
    QTest::newRow("code, lowercase") << false << "prog.42s"
                                     << "prog.42s.42S";
    QTest::newRow("code, folder") << false << "in.42S/prog"
                                  << "in.42S/prog";
    QTest::newRow("raw") << true << "prog"
                         << "prog.raw";
    QTest::newRow("raw, uppercase") << true << "prog.RAW"
                                    << "prog.RAW.raw";
    QTest::newRow("raw, inner") << true << "prog.raw.bak"
                                << "prog.raw.bak";
  }
  void savesUnderExtendedNames() {
    QFETCH(bool, raw);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QDir(dir->path()).mkdir("in.42S");
    Convert({"CLX"});
    dialogs->fileNames = {Path(chosen), ""};
    QAction* save = raw ? form->SaveHex1 : form->SaveCode1;
    save->trigger();
    QCOMPARE(Read(written), raw ? "\x77" : "CLX");
    QCOMPARE(form->Label4->text(), raw ? "" : QFileInfo(written).fileName());
    save->trigger();  // offers the extended name again, in the program's folder
    QCOMPARE(dialogs->shown.back().fileName, Path(written));
    QCOMPARE(dialogs->shown.back().initialDir, Path(raw ? "RawProg" : "42SProg"));
    QCOMPARE(dialogs->shown.back().filter,
             raw ? "RAW files|*.raw|TXT files|*.txt" : "HP42S File Format|*.42S");
  }

  void reopensSavedRawFile() {
    const Lines program{"LBL \"PRIME\"", "INPUT \"N\"",   "X\x89Y?", "STO\xA0 05",
                        "1.5\x98-3",     "\"\x85+\xAF\"", "GTO 01",  "END"};
    Convert(program);
    const Lines hex = form->HP42SRaw->Lines();
    dialogs->fileNames = {Path("prime"), Path("prime.raw")};
    dialogs->answers = {Answer::No};
    form->SaveHex1->trigger();
    form->OpenHex1->trigger();
    QCOMPARE(dialogs->errors, QStringList());
    QCOMPARE(form->HP42SCode->Lines(), program);
    QCOMPARE(form->HP42SRaw->Lines(), hex);
    QCOMPARE(form->Label4->text(), "prime.raw to Code");
    QCOMPARE(dialogs->shown.back().filter, "Raw Files|*.raw|All Files|*.*");
  }

  void opensProgramText() {
    Write("prog.42S", std::string("LBL 01\nEND\r\0junk", 15));
    form->HP42SRaw->SetLines({"77"});
    dialogs->fileNames = {Path("prog.42S")};
    form->Open1->trigger();
    QCOMPARE(form->HP42SCode->Text(), "LBL 01\r\nEND\r\n");
    QCOMPARE(form->Label4->text(), "prog.42S");
    QCOMPARE(form->HP42SRaw->Lines(), Lines{"77"});
    QCOMPARE(dialogs->shown.back().filter, "HP42S Text Files|*.42S|All Files|*.*");
    QCOMPARE(dialogs->shown.back().initialDir, Path("42SProg"));
  }

  // Bad files give a message; the panes and the labels keep what they held.
  void refusesBadFiles_data() {
    QTest::addColumn<bool>("raw");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    const QString missing = "Cannot open file \"%1\". No such file or directory";
    QTest::newRow("empty raw") << true << "empty.raw"
                               << "";
    QTest::newRow("vanished raw") << true << "gone.raw" << missing;
    QTest::newRow("vanished code") << false << "gone.42S" << missing;
    QTest::newRow("folder") << true << "in.raw"
                            << "Cannot open file \"%1\". Is a directory";
    QTest::newRow("huge raw") << true << "huge.raw"
                              << "Text exceeds memo capacity";
    QTest::newRow("huge code") << false << "huge.42S"
                               << "Text exceeds memo capacity";
  }
  void refusesBadFiles() {
    QFETCH(bool, raw);
    QFETCH(QString, name);
    QFETCH(QString, error);
    Write("empty.raw", "");
    Write("huge.raw", std::string(TGutterMemo::kCapacity / 2 + 1, '\x77'));
    Write("huge.42S", std::string(TGutterMemo::kCapacity + 1, 'A'));
    QDir(dir->path()).mkdir("in.raw");
    Convert({"CLX"});
    dialogs->answers = {Answer::No};
    dialogs->fileNames = {Path(name)};
    (raw ? form->OpenHex1 : form->Open1)->trigger();
    if (error.contains("%1")) error = error.arg(Path(name));
    QCOMPARE(dialogs->errors, error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(form->HP42SCode->Lines(), Lines{"CLX"});
    QCOMPARE(form->HP42SRaw->Lines(), Lines{"77"});
    QCOMPARE(form->Label4->text(), "");
  }

  // "Hex -> Code", pressed twice, and "Save Raw File" on what the hex pane holds.
  void readsHexPane_data() {
    QTest::addColumn<Lines>("hex");
    QTest::addColumn<Lines>("code");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QByteArray>("saved");
    const Lines kept{"CLX"};
    QTest::newRow("one line") << Lines{"9105"} << Lines{"STO 05"} << ""
                              << "" << QByteArray("\x91\x05");
    QTest::newRow("split") << Lines{"91", "05"} << Lines{"STO 05"} << ""
                           << "" << QByteArray("\x91\x05");
    QTest::newRow("odd length") << Lines{"ABC"} << Lines{"Error in Hex Code"}
                                << "Error in Hex Code - Around Line: 1"
                                << "" << QByteArray("\xAB\x0C");
    QTest::newRow("unknown") << Lines{"9105F2EC05"} << Lines{"STO 05", "Error in Hex Code"}
                             << "Error in Hex Code - Around Line: 2"
                             << "" << QByteArray("\x91\x05\xF2\xEC\x05");
    QTest::newRow("empty") << Lines{} << kept << "" << "" << QByteArray("");
    QTest::newRow("error line") << Lines{"77", "------ err opcode"} << kept << ""
                                << "'$--' is not a valid integer value" << QByteArray();
    QTest::newRow("blank") << Lines{"77 83"} << kept << ""
                           << "'$ 8' is not a valid integer value" << QByteArray();
    QTest::newRow("glyph") << Lines{"\xA0" "5"} << kept << ""
                           << "'$÷5' is not a valid integer value" << QByteArray();
  }
  void readsHexPane() {
    QFETCH(Lines, hex);
    QFETCH(QString, error);
    QFETCH(QByteArray, saved);
    form->HP42SCode->SetLines({"CLX"});
    form->HP42SRaw->SetLines(hex);
    form->CheckBox1->click();
    QTest::mouseClick(form->Button4, Qt::LeftButton);
    QTest::mouseClick(form->Button4, Qt::LeftButton);
    QTEST(form->HP42SCode->Lines(), "code");
    QTEST(form->Memo2->toPlainText(), "info");
    QCOMPARE(dialogs->errors, (error.isEmpty() ? QStringList() : QStringList{error, error}));

    dialogs->errors.clear();
    dialogs->fileNames = {Path("p.raw")};
    form->SaveHex1->trigger();
    QCOMPARE(QFile::exists(Path("p.raw")), !saved.isNull());
    if (saved.isNull())
      QCOMPARE(dialogs->errors, QStringList{error});
    else
      QCOMPARE(Read("p.raw"), saved.toStdString());
    QCOMPARE(form->HP42SRaw->Lines(), hex);
  }

  // No file a user may pick, program or not, stops the window.
  void survivesEveryCorpusFile() {
    if (!QDir(ORRIKEY_CORPUS_DIR).exists()) QSKIP("no corpus of real programs here");
    QDirIterator files(ORRIKEY_CORPUS_DIR, QDir::Files, QDirIterator::Subdirectories);
    int opened = 0;
    while (files.hasNext()) {
      dialogs->fileNames = {files.next()};
      dialogs->answers = {Answer::No};
      form->OpenHex1->trigger();
      opened += dialogs->errors.isEmpty() && !form->HP42SCode->IsEmpty();
      dialogs->errors.clear();
    }
    QVERIFY(opened > 100);
    Convert({"CLX"});
    QCOMPARE(form->HP42SRaw->Lines(), Lines{"77"});
  }

  void switchesHexView() {
    for (bool ticked : {true, false, true, false}) {
      form->CheckBox1->click();
      QCOMPARE(form->HP42SCode->width(), ticked ? 425 : 865);
      QCOMPARE(form->Button4->isVisible(), ticked);
      QCOMPARE(form->Button5->isVisible(), ticked);
      QCOMPARE(form->HP42SCode->horizontalScrollBarPolicy(),
               ticked ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    }
  }

  void showsAbout() {
    form->About1->trigger();
    QVERIFY(dialogs->information.value(0).startsWith("Orrikey\nVersion 1.0.2\n"));
    QVERIFY(!form->Print1->isEnabled());
  }

  // A double-click in either pane shows the help of the program line that
  // holds the caret (here the second line), the old INFO text gone, and
  // gives the program text the keyboard when there is help.
  void showsHelpOnDoubleClick_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("inHexPane");
    QTest::addColumn<QString>("help");
    QTest::newRow("code pane, Windows-1252") << QByteArray("- @ minus") << false
                                             << u"Subtraction. Returns y – x."_qs;
    QTest::newRow("hex pane") << QByteArray("+") << true << "Addition. Returns y + x.";
    QTest::newRow("hex pane, no help") << QByteArray(" +") << true << "";
  }
  void showsHelpOnDoubleClick() {
    QFETCH(QByteArray, line);
    QFETCH(bool, inHexPane);
    QFETCH(QString, help);
    form->HP42SCode->SetLines({"CLX", line.toStdString(), "END"});
    QTextCursor cursor = form->HP42SCode->textCursor();
    cursor.setPosition(4);
    form->HP42SCode->setTextCursor(cursor);
    form->Memo2->setPlainText("old");
    form->CheckBox1->setChecked(inHexPane);
    form->Memo2->setFocus();
    if (inHexPane)
      QTest::mouseDClick(form->HP42SRaw->viewport(), Qt::LeftButton, {}, {60, 10});
    else
      QTest::mouseDClick(form->HP42SCode->viewport(), Qt::LeftButton, {},
                         form->HP42SCode->cursorRect().center() + QPoint(2, 0));
    QTEST(form->Memo2->toPlainText(), "help");
    QCOMPARE(form->HP42SCode->hasFocus(), !inHexPane || !help.isEmpty());
  }

  // In a monospace font, on a page ten and a half characters wide and ten
  // printed lines high. A run is written "page x y text", x in characters
  // and y in printed lines (the font's height plus 2).
  void laysOutPrintedLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("runs");
    QTest::newRow("wrapped at the right edge")
        << QStringList{"ABCDEFGHIJKLMNOPQRSTUVWXY", "Z"}
        << QStringList{"0 0 0 ABCDEFGHIJ", "0 0 1 KLMNOPQRST", "0 0 2 UVWXY", "0 0 3 Z"};
    QTest::newRow("tab stops") << QStringList{"AB\tC\tD", "ABCDEFGH\tI"}
                               << QStringList{"0 0 0 AB", "0 8 0 C", "0 0 1 D", "0 0 2 ABCDEFGH",
                                              "0 0 3 I"};
    // After the ninth line the next would start lower than two lines above the bottom.
    QStringList twenty, onPages;
    for (int i = 0; i < 20; ++i) {
      twenty += QString::number(i);
      onPages += QString("%1 0 %2 %3").arg(i / 9).arg(i % 9).arg(i);
    }
    QTest::newRow("nine lines a page") << twenty << onPages;
  }
  void laysOutPrintedLines() {
    QFETCH(QStringList, lines);
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(20);
    const QFontMetricsF metrics(font);
    const qreal charWidth = metrics.horizontalAdvance(u'W');
    const qreal lineHeight = metrics.height() + 2;
    QStringList runs;
    for (const PrintedRun& run :
         LayOutPrint(lines, metrics, QSizeF(10.5 * charWidth, 10 * lineHeight)))
      runs += QString("%1 %2 %3 %4")
                  .arg(run.page)
                  .arg(qRound(run.at.x() / charWidth))
                  .arg(run.at.y() / lineHeight)
                  .arg(run.text);
    QTEST(runs, "runs");
  }

  // Never stuck on a character wider than the page: it gets a line of its own.
  void printsCharactersWiderThanThePage() {
    QCOMPARE(LayOutPrint({"AB"}, QFontMetricsF(DisplayFont()), QSizeF(1, 1000)).size(), 2u);
  }

  // To a PDF file: as many pages as the layout asks for in the printer's
  // pixels, in the pane's font at 15 points; an empty program gives one.
  void printsToPdf() {
    form->Print1->setEnabled(true);
    form->Print1->trigger();  // the print dialog cancelled
    QVERIFY(QDir(dir->path()).isEmpty());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QFont font = DisplayFont();
    font.setPointSizeF(15);
    const std::string line = "STO\xA0 05\tX\x89Y?";
    for (int lineCount : {0, 400}) {
      form->HP42SCode->SetLines(Lines(size_t(lineCount), line));
      dialogs->printTo = Path(QString("%1.pdf").arg(lineCount));
      form->Print1->trigger();
      const auto runs = LayOutPrint(QStringList(lineCount, ToDisplayText(line)),
                                    QFontMetricsF(font, &printer),
                                    QSizeF(printer.width(), printer.height()));
      const int pages = runs.empty() ? 1 : runs.back().page + 1;
      QVERIFY(lineCount == 0 || pages > 1);
      const QString pdf = QString::fromLatin1(Read(dialogs->printTo.section('/', -1)));
      QCOMPARE(pdf.count(QRegularExpression("/Type\\s*/Page\\b")), pages);
    }
    QCOMPARE(dialogs->errors, QStringList());
  }

  void tellsWhyCharactersAreRefused() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, u"✓"_qs);
    QApplication::sendEvent(form->HP42SCode, &press);
    QVERIFY(form->HP42SCode->IsEmpty());
    QVERIFY(form->statusBar()->currentMessage().contains(u"U+2713"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
