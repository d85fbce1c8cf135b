#include "ui/MainWindow.h"

#include "decoder/HTC.h"
#include "encoder/Encoder.h"
#include "files/HexText.h"
#include "files/ProgramText.h"
#include "files/RawFile.h"
#include "reference/Help.h"
#include "ui/DisplayCodes.h"
#include "ui/GutterMemo.h"
#include "ui/Look.h"
#include "ui/Printing.h"
#include "ui/ProgramTool.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTextBlock>

#include <filesystem>
#include <stdexcept>

namespace orrikey {
namespace {

// The classic colour of an inactive window border.
const QColor kGutterColor(212, 208, 200);
constexpr int kGutterSize = 45;
constexpr int kPaneHeight = 489;
constexpr int kFullPaneWidth = 865;
constexpr int kHalfPaneWidth = 425;

QPushButton* MakeButton(QWidget* parent, const QString& text, const QRect& geometry) {
  auto* button = new QPushButton(text, parent);
  button->setGeometry(geometry);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

TGutterMemo* MakePane(QWidget* parent, const QRect& geometry, const QColor& textColor) {
  auto* pane = new TGutterMemo(parent);
  pane->setGeometry(geometry);
  pane->setFont(DisplayFont());
  QPalette palette = pane->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, textColor);
  pane->setPalette(palette);
  pane->setLineWrapMode(QPlainTextEdit::NoWrap);
  pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  pane->SetGutterSize(kGutterSize);
  pane->SetGutterColor(kGutterColor);
  return pane;
}

// Paths reach the file functions in the file system's own encoding.
std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Refuses a file that could not fit a pane before reading all of it.
void RefuseLargerThan(const std::string& path, uintmax_t limit) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > limit) throw std::runtime_error("Text exceeds memo capacity");
}

// Error texts name paths in UTF-8 or quote pane text in display codes.
QString ErrorText(std::string_view message) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(QByteArrayView(message.data(), qsizetype(message.size())));
  return utf8.hasError() ? ToDisplayText(message) : text;
}

}  // namespace

TForm1::TForm1(Dialogs& dialogs)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint),
      BaseDir(QDir::currentPath()),
      dialogs_(dialogs),
      OpenDialogTxt{FileDialog::Kind::Open, "HP42S Text Files|*.42S|All Files|*.*",
                    QDir(BaseDir).filePath("42SProg")},
      SaveDialogTxt{FileDialog::Kind::Save, "HP42S File Format|*.42S",
                    QDir(BaseDir).filePath("42SProg")},
      OpenDialogHex{FileDialog::Kind::Open, "Raw Files|*.raw|All Files|*.*",
                    QDir(BaseDir).filePath("RawProg")},
      SaveDialogHex{FileDialog::Kind::Save, "RAW files|*.raw|TXT files|*.txt",
                    QDir(BaseDir).filePath("RawProg")} {
  setWindowTitle("Orrikey ");
  CreateParts();
  CreateMenus();
  FormCreate();
}

void TForm1::CreateParts() {
  auto* client = new QWidget(this);
  client->setFixedSize(897, 614);
  client->setFont(UiFont("MS Sans Serif", 11, false));
  PaintWindowColor(client);
  setCentralWidget(client);

  const QFont captionFont = UiFont("MS Sans Serif", 11, true);
  const QFont displayLabelFont = DisplayFont();
  // A stand-in display font may be taller than the calculator's own; the
  // labels above the panes then rise until their descenders clear the panes.
  const int displayLabelTop = std::min(6, 24 - QFontMetrics(displayLabelFont).height());
  Label1 = MakeLabel(client, "HP42S CODE", {16, 8}, captionFont, kCaptionOrange);
  Label4 = MakeLabel(client, "", {120, displayLabelTop}, displayLabelFont, Qt::white);
  Label4->resize(310, 24);
  CheckBox1 = new QCheckBox(client);
  CheckBox1->setGeometry(440, 8, 17, 17);
  Label2 = MakeLabel(client, "HP42S HEX", {464, 8}, captionFont, kCaptionOrange);
  Label3 = MakeLabel(client, "", {593, displayLabelTop}, displayLabelFont, Qt::white);
  Label3->resize(288, 24);

  // Created first, the hex pane lies under the program-text pane, which
  // hides it while it has its full width.
  HP42SRaw = MakePane(client, {456, 24, kHalfPaneWidth, kPaneHeight},
                      palette().color(QPalette::WindowText));
  HP42SRaw->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  HP42SRaw->setTabChangesFocus(true);
  HP42SCode = MakePane(client, {16, 24, kFullPaneWidth, kPaneHeight}, Qt::black);
  HP42SCode->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  Label5 = MakeLabel(client, "INFO", {16, 518}, UiFont("MS Sans Serif", 8, true), kCaptionOrange);
  Button3 = MakeButton(client, "Clear Code", {64, 518, 65, 17});
  Button1 = MakeButton(client, "Code->Hex", {304, 518, 65, 17});
  Button5 = MakeButton(client, "Clear Hex", {616, 518, 73, 17});
  Button4 = MakeButton(client, "Hex -> Code", {800, 518, 73, 17});
  Button5->hide();
  Button4->hide();

  Memo2 = new QPlainTextEdit(client);
  Memo2->setGeometry(16, 536, 865, 65);
  Memo2->setFont(UiFont("Arial", 12, true));
  Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo2->setTabChangesFocus(true);

  setTabOrder(HP42SCode, HP42SRaw);
  HP42SCode->setFocus();

  connect(Button1, &QPushButton::clicked, this, Guard(&TForm1::Button1Click));
  connect(Button3, &QPushButton::clicked, this, Guard(&TForm1::Button3Click));
  connect(Button4, &QPushButton::clicked, this, Guard(&TForm1::Button4Click));
  connect(Button5, &QPushButton::clicked, this, Guard(&TForm1::Button5Click));
  connect(CheckBox1, &QCheckBox::toggled, this, Guard(&TForm1::CheckBox1Click));
  for (TGutterMemo* pane : {HP42SCode, HP42SRaw}) {
    connect(pane, &TGutterMemo::InputRefused, this,
            [this](const QString& message) { statusBar()->showMessage(message, 10'000); });
    connect(pane, &TGutterMemo::DoubleClicked, this, Guard(&TForm1::HP42SCodeDblClick));
  }
  statusBar()->setSizeGripEnabled(false);
}

void TForm1::CreateMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  Open1 = file->addAction("Open 42S Code", this, Guard(&TForm1::Open1Click));
  SaveCode1 = file->addAction("Save 42S Code", this, Guard(&TForm1::SaveCode1Click));
  OpenHex1 = file->addAction("Open Raw File", this, Guard(&TForm1::OpenHex1Click));
  SaveHex1 = file->addAction("Save Raw File", this, Guard(&TForm1::SaveHex1Click));
  Print1 = file->addAction("Print HP42S Code", this, Guard(&TForm1::Print1Click));
  Print1->setEnabled(false);
  Exit1 = file->addAction("Exit", this, Guard(&TForm1::Exit1Click));
  OpCode1 =
      menuBar()->addMenu("&Tools")->addAction("Program Tool", this, Guard(&TForm1::OpCode1Click));
  About1 = menuBar()->addMenu("&Help")->addAction("About...", this, Guard(&TForm1::About1Click));
}

void TForm1::FormCreate() {
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  const QRect screen = this->screen()->geometry();
  move((screen.width() - frameGeometry().width()) / 2,
       (screen.height() - frameGeometry().height()) / 2);
  // The program text takes Tab as a character, with a stop every 60 pixels.
  HP42SCode->setTabChangesFocus(false);
  HP42SCode->setTabStopDistance(60);
}

void TForm1::MakeHexCode() {
  const std::vector<std::string> lines = HP42SCode->Lines();
  const std::optional<HexConversion> conversion = orrikey::MakeHexCode(lines);
  if (!conversion) return;

  HP42SRaw->clear();
  std::vector<int> blankLines;
  for (size_t i = 0; i < lines.size(); ++i)
    if (Trim(lines[i]).empty()) blankLines.push_back(static_cast<int>(i));
  if (!blankLines.empty()) HP42SCode->DeleteLines(blankLines);
  HP42SCode->setFocus();
  HP42SRaw->SetLines(conversion->hexLines);
  ShowInfo(conversion->infoLines);
  Label3->setText(QString::fromStdString(conversion->caption));
}

void TForm1::closeEvent(QCloseEvent* event) {
  bool closing = exitConfirmed_;
  if (!closing)
    Guarded([&] { closing = MayReplaceCode("Save before exit?", Dialogs::Buttons::YesNoCancel); });
  if (closing)
    event->accept();
  else
    event->ignore();
}

void TForm1::Button1Click() { MakeHexCode(); }

void TForm1::Button3Click() {
  if (HP42SCode->IsEmpty()) return;
  if (!MayReplaceCode("Save before clear?", Dialogs::Buttons::YesNoCancel)) return;
  HP42SCode->clear();
  Label4->clear();
  Memo2->clear();
}

void TForm1::Button4Click() {
  if (HP42SRaw->LineCount() == 0) return;
  const HTC::DecodeResult decoded = HTC::HexToCode(GetHexString(HP42SRaw->Lines(), false));
  if (!decoded.info.empty()) ShowInfo({decoded.info});
  HP42SCode->SetLines(decoded.lines);
}

void TForm1::Button5Click() {
  HP42SRaw->clear();
  Label3->clear();
}

void TForm1::CheckBox1Click() {
  const bool hexView = CheckBox1->isChecked();
  HP42SCode->resize(hexView ? kHalfPaneWidth : kFullPaneWidth, kPaneHeight);
  Button4->setVisible(hexView);
  Button5->setVisible(hexView);
  HP42SCode->setHorizontalScrollBarPolicy(hexView ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
}

void TForm1::Open1Click() {
  if (!MayReplaceCode("Save before open file?", Dialogs::Buttons::YesNo)) return;
  if (!dialogs_.Execute(OpenDialogTxt)) return;
  const std::string path = LocalPath(OpenDialogTxt.fileName);
  RefuseLargerThan(path, TGutterMemo::kCapacity);
  HP42SCode->SetText(ReadProgramTextFile(path));
  Label4->setText(QFileInfo(OpenDialogTxt.fileName).fileName());
}

void TForm1::SaveCode1Click() {
  if (!dialogs_.Execute(SaveDialogTxt)) return;
  if (!SaveDialogTxt.fileName.contains(".42S")) SaveDialogTxt.fileName += ".42S";
  Label4->setText(QFileInfo(SaveDialogTxt.fileName).fileName());
  WriteProgramTextFile(LocalPath(SaveDialogTxt.fileName), HP42SCode->Text());
}

void TForm1::OpenHex1Click() {
  if (!MayReplaceCode("Save before open file?", Dialogs::Buttons::YesNo)) return;
  if (!dialogs_.Execute(OpenDialogHex)) return;
  const std::string path = LocalPath(OpenDialogHex.fileName);
  // The hex pane shows every byte as two digits.
  RefuseLargerThan(path, TGutterMemo::kCapacity / 2);
  const std::string bytes = ReadRawFile(path);
  if (bytes.empty()) return;
  Label4->setText(QFileInfo(OpenDialogHex.fileName).fileName() + " to Code");
  const HTC::DecodeResult decoded = HTC::HexToCode(BytesToHex(bytes));
  if (!decoded.info.empty()) ShowInfo({decoded.info});
  HP42SCode->SetLines(decoded.lines);
  MakeHexCode();
}

void TForm1::SaveHex1Click() {
  if (!dialogs_.Execute(SaveDialogHex)) return;
  if (!SaveDialogHex.fileName.contains(".raw")) SaveDialogHex.fileName += ".raw";
  // Built before the file is created, so a pane that is not all hex digits
  // leaves no file behind.
  const std::string bytes = GetHexString(HP42SRaw->Lines(), true);
  SaveHexStringToFile(LocalPath(SaveDialogHex.fileName), bytes);
}

void TForm1::Exit1Click() {
  if (!MayReplaceCode("Save before exit?", Dialogs::Buttons::YesNoCancel)) return;
  exitConfirmed_ = true;
  close();
}

// Not reachable from the menu, whose item stays disabled.
void TForm1::Print1Click() {
  QPrinter printer(QPrinter::HighResolution);
  if (!dialogs_.ChoosePrinter(printer)) return;
  QStringList lines;
  for (const std::string& line : HP42SCode->Lines()) lines += ToDisplayText(line);
  // The pane's 20 pixels are 15 points at 96 pixels per inch; in points the
  // printer scales them to its own resolution.
  QFont font = HP42SCode->font();
  font.setPointSizeF(font.pixelSize() * 72.0 / 96);
  PrintLines(printer, lines, font);
}

void TForm1::OpCode1Click() {
  if (programTool_) return;
  programTool_ = new TForm2(HP42SCode, this);
  programTool_->show();
}

void TForm1::About1Click() {
  dialogs_.ShowInformation("Orrikey", "Version " ORRIKEY_VERSION
                                      "\nAn editor and assembler for HP-42S programs"
                                      "\nBy the Orrikey developers: see README.md for help");
}

// Shows the help line of the instruction on the caret's line of the program
// text, whichever pane was double-clicked.
void TForm1::HP42SCodeDblClick() {
  Memo2->clear();
  const int caret = HP42SCode->textCursor().selectionStart();
  const QTextBlock line = HP42SCode->document()->findBlock(caret);
  const std::optional<std::string> help = HelpFor(ToDisplayCodes(line.text()));
  if (!help) return;
  Memo2->appendPlainText(FromWindows1252(*help));
  HP42SCode->setFocus();
}

// Asks before the program text is cleared, replaced or closed. Yes offers to
// save it first; when the user then cancels the save dialog, or the text
// cannot be written, the command stops, so the text the user asked to keep
// is never thrown away.
bool TForm1::MayReplaceCode(const QString& question, Dialogs::Buttons buttons) {
  if (HP42SCode->IsEmpty()) return true;
  switch (dialogs_.Ask(question, buttons)) {
    case Dialogs::Answer::Yes: return SaveOffer();
    case Dialogs::Answer::No: return true;
    case Dialogs::Answer::Cancel: return false;
  }
  return false;
}

// Saves the program text under the chosen name as it stands: no extension is
// added and the file-name label keeps its text.
bool TForm1::SaveOffer() {
  if (!dialogs_.Execute(SaveDialogTxt)) return false;
  WriteProgramTextFile(LocalPath(SaveDialogTxt.fileName), HP42SCode->Text());
  return true;
}

void TForm1::ShowInfo(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text += FromWindows1252(line);
  Memo2->setPlainText(text.join(u'\n'));
}

bool TForm1::Guarded(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& error) {
    dialogs_.ShowError(ErrorText(error.what()));
    return false;
  }
}

std::function<void()> TForm1::Guard(void (TForm1::*handler)()) {
  return [this, handler] { Guarded([this, handler] { (this->*handler)(); }); };
}

}  // namespace orrikey
