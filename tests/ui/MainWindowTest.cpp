// The main window driven as a user would, with the question boxes and file
// dialogs answered by the test.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "tests/ui/FakeDialogs.h"
#include "ui/DisplayCodes.h"
#include "ui/GutterMemo.h"
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
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
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
    QTest::newRow("program, blank lines")
        << Lines{"LBL \"AB\"", "", " \t", "1 @ one", "END"} << Lines{"LBL \"AB\"", "1 @ one", "END"}
        << Lines{"C000F3004142", "1100", "C0000D"} << QString() << "{ 11-Byte Prgm }";
    QTest::newRow("nothing: all kept")
        << Lines{} << Lines{} << Lines{"77"} << u"note"_qs << u"{ 1 }"_qs;
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
  // so the text the user wanted to keep is never thrown away. A command that
  // goes on closes the window, shows the open dialog or clears the text and
  // the file name.
  void asksBeforeReplacingCode_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("answer");
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
      row("Cancel, one empty line") << QByteArray("\r\n") << cancel << "" << false;
      row("empty, no question") << QByteArray() << cancel << "" << (command != "clear");
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
    dialogs->answers = {Answer(answer)};
    dialogs->fileNames = {saveAs.isEmpty() ? "" : Path(saveAs)};

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
        std::ranges::count(dialogs->shown, FileDialog::Kind::Open, &FileDialog::kind);
    const bool changed = form->HP42SCode->Text() != text.toStdString();
    QCOMPARE(!form->isVisible() || opened || changed, goesOn);
    QCOMPARE(form->Label4->text().isEmpty(), command == "clear" && goesOn);
  }

  // Saved under the chosen name, extended unless it holds the extension
  // already, which the next save offers again; opened again as it was saved.
  // Only a raw file is converted on opening.
  void savesAndReopens_data() {
    QTest::addColumn<bool>("raw");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("code") << false << "prog" << u"prog.42S"_qs;
    QTest::newRow("code, in a folder") << false << "in.42S/prog" << u"in.42S/prog"_qs;
    QTest::newRow("raw, uppercase") << true << "prog.RAW" << u"prog.RAW.raw"_qs;
    QTest::newRow("raw, inner") << true << "prog.raw.bak" << u"prog.raw.bak"_qs;
  }
  void savesAndReopens() {
    QFETCH(bool, raw);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    const Lines program{"LBL \"P\"", "X\x89Y?", "STO\xA0 05", "1.5\x98-3", "\"\x85+\xAF\"", "END"};
    QDir(dir->path()).mkdir("in.42S");
    Convert(program);
    const Lines hex = form->HP42SRaw->Lines();
    dialogs->fileNames = {Path(chosen), "", Path(written)};
    dialogs->answers = {Answer::No};
    QAction* save = raw ? form->SaveHex1 : form->SaveCode1;
    save->trigger();
    QCOMPARE(form->Label4->text(), raw ? "" : QFileInfo(written).fileName());
    save->trigger();
    QCOMPARE(dialogs->shown.back().fileName, Path(written));
    QCOMPARE(dialogs->shown.back().initialDir, Path(raw ? "RawProg" : "42SProg"));

    form->HP42SRaw->clear();
    (raw ? form->OpenHex1 : form->Open1)->trigger();
    QCOMPARE(dialogs->errors, QStringList());
    QCOMPARE(form->HP42SCode->Lines(), program);
    QCOMPARE(form->HP42SRaw->Lines(), raw ? hex : Lines{});
    QCOMPARE(form->Label4->text(), QFileInfo(written).fileName() + (raw ? " to Code" : ""));
  }

  // Bad files give a message, an empty raw file none; the panes and the
  // labels keep what they held.
  void refusesBadFiles_data() {
    QTest::addColumn<bool>("raw");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size");  // -1: a folder
    const qint64 capacity = TGutterMemo::kCapacity;
    QTest::newRow("empty raw") << true << "empty.raw" << qint64(0);
    QTest::newRow("folder") << true << "in.raw" << qint64(-1);
    QTest::newRow("huge raw") << true << "huge.raw" << capacity / 2 + 1;
    QTest::newRow("huge code") << false << "huge.42S" << capacity + 1;
  }
  void refusesBadFiles() {
    QFETCH(bool, raw);
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFile file(Path(name));
    QVERIFY(size < 0 ? QDir(dir->path()).mkdir(name)
                     : file.open(QIODevice::WriteOnly) && file.resize(size));
    Convert({"CLX"});
    dialogs->answers = {Answer::No};
    dialogs->fileNames = {Path(name)};
    (raw ? form->OpenHex1 : form->Open1)->trigger();
    QCOMPARE(dialogs->errors.size(), size == 0 ? 0 : 1);
    QCOMPARE(form->HP42SCode->Lines(), Lines{"CLX"});
    QCOMPARE(form->HP42SRaw->Lines(), Lines{"77"});
    QCOMPARE(form->Label4->text(), "");
  }

  // "Hex -> Code", pressed twice, and "Save Raw File" on what the hex pane
  // holds: a pane that is not all hex digits gives a message, each time, and
  // leaves no file.
  void readsHexPane_data() {
    QTest::addColumn<Lines>("hex");
    QTest::addColumn<Lines>("code");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("split, cut off")
        << Lines{"9105", "F2D1"} << Lines{"STO 05", "Error in Hex Code"}
        << "Error in Hex Code - Around Line: 2" << QString() << QByteArray("\x91\x05\xF2\xD1");
    QTest::newRow("empty") << Lines{} << Lines{"CLX"} << QString() << QString() << QByteArray("");
    QTest::newRow("glyph") << Lines{"\xA0" "5"} << Lines{"CLX"} << ""
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

    dialogs->fileNames = {Path("p.raw")};
    form->SaveHex1->trigger();
    QCOMPARE(Read("p.raw"), saved.toStdString());
    QCOMPARE(QFile::exists(Path("p.raw")), !saved.isNull());
    QCOMPARE(dialogs->errors.size(), error.isEmpty() ? 0 : 3);
    QCOMPARE(form->HP42SRaw->Lines(), hex);
  }

  // The hex view uncovers the hex pane and its buttons, and covers them again.
  void switchesHexView() {
    for (bool ticked : {true, false}) {
      form->CheckBox1->click();
      QCOMPARE(form->HP42SCode->geometry().intersects(form->HP42SRaw->geometry()), !ticked);
      QCOMPARE(form->Button4->isVisible() + form->Button5->isVisible(), ticked ? 2 : 0);
    }
  }

  void showsAbout() {
    form->About1->trigger();
    QVERIFY(dialogs->information.value(0).startsWith("Orrikey\nVersion "));
  }

  // A double-click in either pane shows the help of the program line that
  // holds the caret (here the second line), the old INFO text gone, and
  // gives the program text the keyboard when there is help.
  void showsHelpOnDoubleClick_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("inHexPane");
    QTest::addColumn<QString>("help");
    QTest::newRow("code pane, Windows-1252")
        << QByteArray("- @ minus") << false << u"Subtraction. Returns y – x."_qs;
    QTest::newRow("hex pane") << QByteArray("+") << true << "Addition. Returns y + x.";
    QTest::newRow("hex pane, no help") << QByteArray(" +") << true << "";
  }
  void showsHelpOnDoubleClick() {
    QFETCH(QByteArray, line);
    QFETCH(bool, inHexPane);
    QFETCH(QString, help);
    form->HP42SCode->SetLines({"CLX", line.toStdString(), "END"});
    form->HP42SCode->moveCursor(QTextCursor::Down);
    form->Memo2->setPlainText("old");
    form->CheckBox1->setChecked(inHexPane);
    form->Memo2->setFocus();
    TGutterMemo* pane = inHexPane ? form->HP42SRaw : form->HP42SCode;
    QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, pane->cursorRect().center());
    QTEST(form->Memo2->toPlainText(), "help");
    QCOMPARE(form->HP42SCode->hasFocus(), !inHexPane || !help.isEmpty());
  }

  // In a monospace font, on a page four printed lines high, which takes
  // three: the next would start lower than two lines above the bottom. A run
  // is written "page x y text", x in characters and y in printed lines (the
  // font's height plus 2).
  void laysOutPrintedLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<qreal>("width");  // the page's, in characters
    QTest::addColumn<QStringList>("runs");
    QTest::newRow("wrapped at the right edge")
        << QStringList{"ABCDEFGHIJKLMNOPQRSTUVWXY", "Z"} << 10.5
        << QStringList{"0 0 0 ABCDEFGHIJ", "0 0 1 KLMNOPQRST", "0 0 2 UVWXY", "1 0 0 Z"};
    QTest::newRow("tab stops") << QStringList{"AB\tC\tD", "ABCDEFGH\tI"} << 10.5
                               << QStringList{"0 0 0 AB", "0 8 0 C", "0 0 1 D", "0 0 2 ABCDEFGH",
                                              "1 0 0 I"};
    // Never stuck on a character wider than the page: it gets a line of its own.
    QTest::newRow("narrower than a character")
        << QStringList{"AB"} << 0.5 << QStringList{"0 0 0 A", "0 0 1 B"};
  }
  void laysOutPrintedLines() {
    QFETCH(QStringList, lines);
    QFETCH(qreal, width);
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(20);
    const QFontMetricsF metrics(font);
    const qreal charWidth = metrics.horizontalAdvance(u'W');
    const qreal lineHeight = metrics.height() + 2;
    QStringList runs;
    for (const PrintedRun& run :
         LayOutPrint(lines, metrics, QSizeF(width * charWidth, 4 * lineHeight)))
      runs += QString::asprintf("%d %d %g ", run.page, qRound(run.at.x() / charWidth),
                                run.at.y() / lineHeight) +
              run.text;
    QTEST(runs, "runs");
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
      const auto runs =
          LayOutPrint(QStringList(lineCount, ToDisplayText(line)), QFontMetricsF(font, &printer),
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
