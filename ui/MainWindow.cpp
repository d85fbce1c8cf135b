#include "ui/MainWindow.h"

#include "decoder/Decode.h"
#include "encoder/Assembly.h"
#include "reference/Help.h"
#include "text/Comment.h"
#include "text/Hex.h"
#include "text/Trim.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/LiveAssembly.h"
#include "ui/Look.h"
#include "ui/ProgramHighlighter.h"
#include "ui/ProgramTool.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTextBlock>

namespace orrikey {
namespace {

// The hex digits of pane text, without the blanks and line breaks between them.
QString HexDigits(QString text) {
  text.remove(QRegularExpression("\\s"));
  return text;
}

// A lone last digit is left out. Throws std::runtime_error for a pair that is
// not hex.
decoder::Decoded DecodeHexDigits(const QString& digits) {
  const text::ParsedHex parsed = text::ParseHex(ToDisplayCodes(digits));
  if (!parsed.error.empty()) throw std::runtime_error(parsed.error);
  return decoder::Decode(parsed.bytes);
}

// The size of the client area of the original fixed window.
constexpr QSize kClientSize(897, 614);

// A folder of the start folder, when it exists: a dialog must never take a
// missing folder's name for the file name.
QString StartFolder(const QString& name) {
  const QDir start = QDir::current();
  return start.exists(name) ? start.filePath(name) : start.path();
}

QPushButton* MakeButton(const QString& text, const QString& name) {
  auto* button = new QPushButton(text);
  button->setObjectName(name);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

// A pane's two buttons, at the ends of the row under it.
QHBoxLayout* ButtonRow(QPushButton* left, QPushButton* right) {
  auto* row = new QHBoxLayout;
  row->addWidget(left);
  row->addStretch();
  row->addWidget(right);
  return row;
}

CodeEditor* MakePane(const QString& name) {
  auto* pane = new CodeEditor;
  pane->setObjectName(name);
  pane->setLineWrapMode(QPlainTextEdit::NoWrap);
  return pane;
}

// Error texts name paths in UTF-8 or quote pane text in display codes.
QString ErrorText(std::string_view message) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(QByteArrayView(message.data(), qsizetype(message.size())));
  return utf8.hasError() ? ToDisplayText(message) : text;
}

}  // namespace

// Commands are member functions or lambdas that hold `this` already.
template <typename Command>
std::function<void()> MainWindow::guard(Command command) {
  return [this, command] {
    guarded([this, command] {
      if constexpr (std::is_invocable_v<Command, MainWindow*>)
        std::invoke(command, this);
      else
        command();
    });
  };
}

MainWindow::MainWindow(Dialogs& dialogs)
    : dialogs_(dialogs),
      textDialog_{FileDialog::Kind::Save, "Program text|*.42S|Program text, 8-bit|*.42S",
                  StartFolder("42SProg")},
      rawDialog_{FileDialog::Kind::Save, "Raw Files|*.raw", StartFolder("RawProg")},
      anyDialog_{FileDialog::Kind::Open,
                 "HP42S Programs|*.42S;*.raw;*.hp42s;*.free42;*.txt|HP42S Text Files|*.42S|"
                 "Raw Files|*.raw|Listings|*.hp42s;*.free42;*.txt|All Files|*.*",
                 StartFolder("42SProg")},
      listingDialog_{FileDialog::Kind::Save, "Listings|*.txt;*.hp42s;*.free42",
                     StartFolder("42SProg")} {
  setObjectName("mainWindow");
  setAcceptDrops(true);
  createParts();
  createMenus();
  restoreSettings();
  setCurrentFile({}, Format::kProgramText);
}

MainWindow::~MainWindow() {
  QSettings settings;
  settings.setValue("window/geometry", saveGeometry());
  settings.setValue("window/panes", paneSplitter_->saveState());
  settings.setValue("window/info", infoSplitter_->saveState());
  settings.setValue("window/hexView", hexViewBox_->isChecked());
  settings.setValue("window/zoom", zoomSteps_);
}

void MainWindow::createParts() {
  const QFont captionFont = UiFont("MS Sans Serif", 11, true);
  codeEdit_ = MakePane("codeEdit");
  // The program text takes Tab as a character, with a stop every 60 pixels.
  codeEdit_->setTabStopDistance(60);
  codeEdit_->setReadsListings(true);
  new ProgramHighlighter(codeEdit_->document());
  hexEdit_ = MakePane("hexEdit");
  hexEdit_->setTabChangesFocus(true);
  hexEdit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Both panes scroll by whole lines, so equal positions keep rows level.
  connect(codeEdit_->verticalScrollBar(), &QScrollBar::valueChanged,
          hexEdit_->verticalScrollBar(), &QScrollBar::setValue);
  connect(hexEdit_->verticalScrollBar(), &QScrollBar::valueChanged,
          codeEdit_->verticalScrollBar(), &QScrollBar::setValue);

  fileNameLabel_ = MakeCaption("", DisplayFont(), Qt::white);
  fileNameLabel_->setObjectName("fileNameLabel");
  fileNameLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  byteCountLabel_ = MakeCaption("", DisplayFont(), Qt::white);
  byteCountLabel_->setObjectName("byteCountLabel");
  byteCountLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  hexViewBox_ = new QCheckBox("HP42S HEX");
  hexViewBox_->setObjectName("hexViewBox");
  hexViewBox_->setFont(captionFont);
  QPalette boxPalette = hexViewBox_->palette();
  boxPalette.setColor(QPalette::WindowText, kCaptionOrange);
  hexViewBox_->setPalette(boxPalette);

  auto* codeHeader = new QHBoxLayout;
  codeHeader->addWidget(MakeCaption("HP42S CODE", captionFont, kCaptionOrange));
  codeHeader->addWidget(fileNameLabel_, 1);
  codeHeader->addWidget(hexViewBox_);
  QPushButton* clearCode = MakeButton("Clear Code", "clearCodeButton");
  QPushButton* toHex = MakeButton("Code->Hex", "convertToHexButton");
  QHBoxLayout* codeButtons = ButtonRow(clearCode, toHex);
  auto* codePanel = new QWidget;
  auto* codeColumn = new QVBoxLayout(codePanel);
  codeColumn->setContentsMargins(0, 0, 0, 0);
  codeColumn->addLayout(codeHeader);
  codeColumn->addWidget(codeEdit_);
  codeColumn->addWidget(createFindBar());
  codeColumn->addLayout(codeButtons);

  QPushButton* clearHex = MakeButton("Clear Hex", "clearHexButton");
  QPushButton* toCode = MakeButton("Hex -> Code", "convertToCodeButton");
  QHBoxLayout* hexButtons = ButtonRow(clearHex, toCode);
  hexPanel_ = new QWidget;
  auto* hexColumn = new QVBoxLayout(hexPanel_);
  hexColumn->setContentsMargins(0, 0, 0, 0);
  hexColumn->addWidget(byteCountLabel_);
  hexColumn->addWidget(hexEdit_);
  hexColumn->addLayout(hexButtons);

  paneSplitter_ = new QSplitter(Qt::Horizontal);
  paneSplitter_->setObjectName("paneSplitter");
  paneSplitter_->addWidget(codePanel);
  paneSplitter_->addWidget(hexPanel_);
  paneSplitter_->setChildrenCollapsible(false);

  infoEdit_ = new QPlainTextEdit;
  infoEdit_->setObjectName("infoEdit");
  infoEdit_->setReadOnly(true);
  infoEdit_->setFont(UiFont("Arial", 12, true));
  infoEdit_->setTabChangesFocus(true);
  infoEdit_->viewport()->installEventFilter(this);
  infoEdit_->viewport()->setCursor(Qt::PointingHandCursor);
  auto* infoPanel = new QWidget;
  auto* infoColumn = new QVBoxLayout(infoPanel);
  infoColumn->setContentsMargins(0, 0, 0, 0);
  infoColumn->addWidget(MakeCaption("INFO", UiFont("MS Sans Serif", 8, true), kCaptionOrange));
  infoColumn->addWidget(infoEdit_);

  infoSplitter_ = new QSplitter(Qt::Vertical);
  infoSplitter_->setObjectName("infoSplitter");
  infoSplitter_->addWidget(paneSplitter_);
  infoSplitter_->addWidget(infoPanel);
  infoSplitter_->setStretchFactor(0, 1);
  infoSplitter_->setSizes({489, 80});

  auto* client = new QWidget;
  client->setFont(UiFont("MS Sans Serif", 11, false));
  PaintWindowColor(client);
  auto* clientLayout = new QVBoxLayout(client);
  clientLayout->setContentsMargins(16, 6, 16, 12);
  clientLayout->addWidget(infoSplitter_);
  setCentralWidget(client);

  assembly_ = new LiveAssembly(codeEdit_, hexEdit_, this);
  connect(assembly_, &LiveAssembly::summaryChanged, this, &MainWindow::showSummary);
  connect(codeEdit_->document(), &QTextDocument::modificationChanged, this,
          &QWidget::setWindowModified);
  connect(clearCode, &QPushButton::clicked, this, guard(&MainWindow::clearCode));
  connect(toHex, &QPushButton::clicked, this, guard(&MainWindow::convertToHex));
  connect(clearHex, &QPushButton::clicked, this, guard(&MainWindow::clearHex));
  connect(toCode, &QPushButton::clicked, this, guard(&MainWindow::convertToCode));
  connect(hexViewBox_, &QCheckBox::toggled, this, &MainWindow::showHexView);
  for (CodeEditor* pane : {codeEdit_, hexEdit_}) {
    connect(pane, &CodeEditor::inputRefused, this,
            [this](const QString& message) { statusBar()->showMessage(message, 10'000); });
    connect(pane, &CodeEditor::zoomRequested, this, &MainWindow::zoom);
  }
  connect(codeEdit_, &CodeEditor::doubleClicked, this, guard(&MainWindow::showHelpForCode));
  connect(hexEdit_, &CodeEditor::doubleClicked, this, guard(&MainWindow::showHelpForHex));
  codeEdit_->setFocus();
}

QWidget* MainWindow::createFindBar() {
  findBar_ = new QWidget;
  findBar_->setObjectName("findBar");
  findEdit_ = new QLineEdit;
  findEdit_->setObjectName("findEdit");
  findEdit_->setPlaceholderText("Find");
  replaceEdit_ = new QLineEdit;
  replaceEdit_->setObjectName("replaceEdit");
  replaceEdit_->setPlaceholderText("Replace with");
  auto* layout = new QHBoxLayout(findBar_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(findEdit_);
  layout->addWidget(replaceEdit_);
  auto addButton = [&](const QString& text, const QString& name, auto slot) {
    QPushButton* button = MakeButton(text, name);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, slot);
  };
  addButton("Next", "findNextButton", [this] { findNext(false); });
  addButton("Previous", "findPreviousButton", [this] { findNext(true); });
  addButton("Replace", "replaceButton", [this] { replaceOne(); });
  addButton("Replace All", "replaceAllButton", [this] { replaceAll(); });
  addButton("Close", "closeFindButton", [this] {
    findBar_->hide();
    codeEdit_->setFocus();
  });
  connect(findEdit_, &QLineEdit::returnPressed, this, [this] { findNext(false); });
  findBar_->hide();
  return findBar_;
}

void MainWindow::createMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys, auto command) {
    QAction* action = menu->addAction(text, this, guard(command));
    action->setShortcut(keys);
    action->setObjectName(QString(text).remove(QRegularExpression("[^A-Za-z0-9]")));
    return action;
  };
  add(file, "&New", QKeySequence::New, &MainWindow::newFile);
  add(file, "&Open...", QKeySequence::Open, &MainWindow::openDialog);
  recentMenu_ = file->addMenu("Open &Recent");
  recentMenu_->setObjectName("recentMenu");
  add(file, "Open 42S &Code...", Qt::CTRL | Qt::ALT | Qt::Key_O, [this] { open(Format::kProgramText); });
  add(file, "Open Ra&w File...", Qt::CTRL | Qt::SHIFT | Qt::Key_O, [this] { open(Format::kRaw); });
  file->addSeparator();
  add(file, "&Save", QKeySequence::Save, &MainWindow::save);
  add(file, "Save &As...", QKeySequence::SaveAs, &MainWindow::saveAs);
  add(file, "Save 42S Co&de...", Qt::CTRL | Qt::ALT | Qt::Key_S,
      [this] { saveIn(Format::kProgramText); });
  add(file, "Save Raw &File...", Qt::CTRL | Qt::ALT | Qt::Key_R, [this] { saveIn(Format::kRaw); });
  add(file, "Save &Listing...", Qt::CTRL | Qt::ALT | Qt::Key_L, &MainWindow::saveListing);
  file->addSeparator();
  add(file, "&Print HP42S Code...", QKeySequence::Print, &MainWindow::print);
  file->addSeparator();
  add(file, "E&xit", QKeySequence::Quit, &QWidget::close);

  QMenu* edit = menuBar()->addMenu("&Edit");
  add(edit, "&Undo", QKeySequence::Undo, [this] { codeEdit_->undo(); });
  add(edit, "&Redo", QKeySequence::Redo, [this] { codeEdit_->redo(); });
  edit->addSeparator();
  add(edit, "Cu&t", QKeySequence::Cut, [this] { codeEdit_->cut(); });
  add(edit, "&Copy", QKeySequence::Copy, [this] { codeEdit_->copy(); });
  add(edit, "Copy as &Listing", Qt::CTRL | Qt::SHIFT | Qt::Key_C, &MainWindow::copyAsListing);
  add(edit, "&Paste", QKeySequence::Paste, [this] { codeEdit_->paste(); });
  add(edit, "Select &All", QKeySequence::SelectAll, [this] { codeEdit_->selectAll(); });
  edit->addSeparator();
  add(edit, "&Find/Replace...", QKeySequence::Find, [this] {
    findBar_->show();
    findEdit_->setText(codeEdit_->textCursor().selectedText());
    findEdit_->setFocus();
    findEdit_->selectAll();
  });
  add(edit, "Find &Next", QKeySequence::FindNext, [this] { findNext(false); });
  add(edit, "Find Pre&vious", QKeySequence::FindPrevious, [this] { findNext(true); });
  add(edit, "&Go to Line...", Qt::CTRL | Qt::Key_G, &MainWindow::goToLine);
  // The actions act on the program text wherever the keyboard is: the
  // panes' own shortcuts would make them ambiguous.
  for (QAction* action : edit->actions()) action->setShortcutContext(Qt::WindowShortcut);

  QMenu* view = menuBar()->addMenu("&View");
  hexViewAction_ = view->addAction("&Hex Listing");
  hexViewAction_->setObjectName("HexListing");
  hexViewAction_->setCheckable(true);
  hexViewAction_->setShortcut(Qt::CTRL | Qt::Key_H);
  connect(hexViewAction_, &QAction::toggled, hexViewBox_, &QCheckBox::setChecked);
  view->addSeparator();
  add(view, "Zoom &In", QKeySequence::ZoomIn, [this] { zoom(1); });
  add(view, "Zoom &Out", QKeySequence::ZoomOut, [this] { zoom(-1); });
  add(view, "&Normal Size", Qt::CTRL | Qt::Key_0, [this] { zoom(-zoomSteps_); });

  QMenu* tools = menuBar()->addMenu("&Tools");
  add(tools, "Code->&Hex", Qt::CTRL | Qt::Key_Return, &MainWindow::convertToHex);
  add(tools, "Hex -> &Code", Qt::CTRL | Qt::SHIFT | Qt::Key_Return, &MainWindow::convertToCode);
  add(tools, "&Program Tool", Qt::CTRL | Qt::Key_T, &MainWindow::showProgramTool);
  QMenu* help = menuBar()->addMenu("&Help");
  add(help, "&Help for This Line", QKeySequence::HelpContents, &MainWindow::showHelpForCode);
  add(help, "&About...", QKeySequence(), &MainWindow::showAbout);
}

void MainWindow::restoreSettings() {
  QSettings settings;
  resize(kClientSize + QSize(0, menuBar()->sizeHint().height() + statusBar()->sizeHint().height()));
  restoreGeometry(settings.value("window/geometry").toByteArray());
  paneSplitter_->restoreState(settings.value("window/panes").toByteArray());
  infoSplitter_->restoreState(settings.value("window/info").toByteArray());
  const bool hexView = settings.value("window/hexView", true).toBool();
  hexViewBox_->setChecked(hexView);
  showHexView(hexView);
  zoom(settings.value("window/zoom", 0).toInt());
  updateRecentMenu();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bool closing = false;
  guarded([&] { closing = maySaveChanges("closing"); });
  if (closing)
    event->accept();
  else
    event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Of several files dropped at once, the first one opens.
void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  openFile(urls.front().toLocalFile());
}

void MainWindow::convertToHex() {
  const std::vector<std::string> lines = codeEdit_->lines();
  std::vector<int> blankLines;
  for (size_t i = 0; i < lines.size(); ++i)
    if (text::Trim(lines[i]).empty()) blankLines.push_back(int(i));
  if (!blankLines.empty()) codeEdit_->deleteLines(blankLines);
  assembly_->flush();
  codeEdit_->setFocus();
}

void MainWindow::newFile() {
  if (!maySaveChanges("starting a new program")) return;
  codeEdit_->setCodes("");
  assembly_->flush();
  setCurrentFile({}, Format::kProgramText);
}

// Clears the hex pane, the byte count and INFO with the text, as they follow it.
void MainWindow::clearCode() {
  if (!codeEdit_->isEmpty()) newFile();
}

// Hex digits typed or pasted into the hex pane, blanks and line breaks
// between the bytes allowed, become the program text as one undo step.
void MainWindow::convertToCode() {
  const QString digits = HexDigits(hexEdit_->toPlainText());
  if (digits.isEmpty() || !maySaveChanges("replacing it")) return;
  const decoder::Decoded decoded = DecodeHexDigits(digits);
  codeEdit_->replaceLines(decoder::ProgramText(decoded));
  assembly_->flush();
  if (decoded.stop) showInfo({FromWindows1252(decoder::StopMessage(decoded.stop))});
}

void MainWindow::clearHex() {
  hexEdit_->clear();
  byteCountLabel_->clear();
}

void MainWindow::showHexView(bool shown) {
  hexPanel_->setVisible(shown);
  hexViewAction_->setChecked(shown);
}

// A new Program Tool opens over the hex pane, where it hides none of the
// program text it types into.
void MainWindow::showProgramTool() {
  if (!programTool_) {
    programTool_ = new ProgramTool(codeEdit_, this);
    programTool_->adjustSize();
    const QRect frame = frameGeometry();
    programTool_->move(frame.right() - programTool_->width() - 24,
                       frame.center().y() - programTool_->height() / 2);
  }
  programTool_->show();
  programTool_->raise();
}

void MainWindow::showAbout() {
  dialogs_.ShowInformation("Orrikey", "Version " ORRIKEY_VERSION
                                      "\nAn editor and assembler for HP-42S programs"
                                      "\nBy the Orrikey developers: see README.md for help");
}

void MainWindow::showHelpForCode() {
  const QString line = codeEdit_->textCursor().block().text();
  const std::string codes = ToDisplayCodes(line);
  const std::optional<std::string> help =
      reference::HelpFor(text::Trim(text::WithoutComment(codes, text::Notation::kProgramText)));
  infoEdit_->setPlainText(help ? FromWindows1252(*help) : QString());
}

// The hex row decoded on its own names its instruction, whatever the
// program text holds.
void MainWindow::showHelpForHex() {
  const QString row = hexEdit_->textCursor().block().text();
  const decoder::Decoded decoded = DecodeHexDigits(HexDigits(row));
  const std::optional<std::string> help =
      decoded.lines.empty() ? std::nullopt : reference::HelpFor(decoded.TextOf(decoded.lines.front()));
  infoEdit_->setPlainText(help ? FromWindows1252(*help) : QString());
}

void MainWindow::goToLine() {
  const int current = codeEdit_->textCursor().blockNumber() + 1;
  if (auto line = dialogs_.AskLineNumber(current, codeEdit_->document()->blockCount()))
    codeEdit_->selectLine(*line - 1);
  codeEdit_->setFocus();
}

void MainWindow::findNext(bool backward) {
  const QString wanted = findEdit_->text();
  if (wanted.isEmpty()) return;
  const QTextDocument::FindFlags flags =
      backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  if (codeEdit_->find(wanted, flags)) return;
  // Wraps round once, as editors do.
  QTextCursor cursor = codeEdit_->textCursor();
  cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
  codeEdit_->setTextCursor(cursor);
  if (!codeEdit_->find(wanted, flags)) statusBar()->showMessage("Not found: " + wanted, 5'000);
}

void MainWindow::replaceOne() {
  if (codeEdit_->textCursor().selectedText() == findEdit_->text() && !findEdit_->text().isEmpty())
    codeEdit_->textCursor().insertText(ReadTypedText(replaceEdit_->text()).text);
  findNext(false);
}

void MainWindow::replaceAll() {
  const QString wanted = findEdit_->text();
  if (wanted.isEmpty()) return;
  const QString replacement = ReadTypedText(replaceEdit_->text()).text;
  QTextDocument* document = codeEdit_->document();
  QTextCursor edit(document);
  edit.beginEditBlock();
  int count = 0;
  for (QTextCursor found = document->find(wanted); !found.isNull();
       found = document->find(wanted, found), ++count)
    found.insertText(replacement);
  edit.endEditBlock();
  statusBar()->showMessage(QString("%1 replaced").arg(count), 5'000);
}

// Both panes keep one size, so their rows stay level.
void MainWindow::zoom(int steps) {
  zoomSteps_ = std::clamp(zoomSteps_ + steps, -8, 20);
  QFont font = DisplayFont();
  font.setPixelSize(std::max(6, font.pixelSize() + 2 * zoomSteps_));
  for (CodeEditor* pane : {codeEdit_, hexEdit_}) {
    pane->setFont(font);
    pane->setLineNumberWidth(QFontMetrics(font).horizontalAdvance(u"99999"_qs) + 12);
  }
}

void MainWindow::showSummary() {
  const encoder::Assembly& assembly = assembly_->assembly();
  QStringList info;
  std::vector<int> targets;
  for (size_t line : assembly.FailedLines()) {
    const encoder::Assembly::Line& failed = assembly.lines()[line];
    info += QString::fromStdString(
        encoder::FailureMessage(failed.sourceLine, *failed.assembled.error));
    targets.push_back(int(line));
  }
  const bool empty = codeEdit_->document()->isEmpty();
  byteCountLabel_->setText(info.empty() && !empty
                               ? QString("{ %1-Byte Prgm }").arg(assembly.size())
                               : QString());
  showInfo(info, std::move(targets));
}

void MainWindow::showInfo(const QStringList& lines, std::vector<int> targets) {
  infoEdit_->setPlainText(lines.join(u'\n'));
  infoTargets_ = std::move(targets);
}

// A click on an INFO line that names a program line selects that line.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == infoEdit_->viewport() && event->type() == QEvent::MouseButtonRelease)
    jumpFromInfo(static_cast<QMouseEvent*>(event)->position().toPoint());
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::jumpFromInfo(QPoint at) {
  const int row = infoEdit_->cursorForPosition(at).blockNumber();
  if (row < 0 || size_t(row) >= infoTargets_.size()) return;
  codeEdit_->selectLine(infoTargets_[size_t(row)]);
  codeEdit_->setFocus();
}

bool MainWindow::guarded(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& error) {
    dialogs_.ShowError(ErrorText(error.what()));
    return false;
  }
}

}  // namespace orrikey
