// The main window's parts: the panes, their captions and buttons, the find
// bar and the menus, each wired to its command.

#include "ui/MainWindow.h"

#include "labels/Labels.h"
#include "reference/Completion.h"
#include "ui/CodeEditor.h"
#include "ui/DiskChangeBar.h"
#include "ui/DisplayCodes.h"
#include "ui/HexPane.h"
#include "ui/InfoPanel.h"
#include "ui/LiveAssembly.h"
#include "ui/Look.h"
#include "ui/ProgramHighlighter.h"
#include "ui/ProgramsPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>

namespace orrikey {
namespace {

// How long typing pauses before unsaved work is copied for recovery.
constexpr std::chrono::milliseconds kRecoveryDelay{2000};

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


void MainWindow::createParts() {
  const QFont captionFont = UiFont("MS Sans Serif", 11, true);
  codeEdit_ = MakePane("codeEdit");
  codeEdit_->setAccessibleName("Program text");
  // The program text takes Tab as a character, with a stop every 60 pixels.
  codeEdit_->setTabStopDistance(60);
  codeEdit_->setReadsListings(true);
  codeEdit_->setCompletionSource([this](int line, int column) { return assembly_->model().CompletionsAt(size_t(line), size_t(column)); });
  codeEdit_->setHelpSource([this](int line) { return helpForLine(line); });
  hexEdit_ = new HexPane;
  hexEdit_->setObjectName("hexEdit");
  // Both panes scroll by whole lines, so equal positions keep rows level. The
  // program pane moves its scroll bar quietly when it keeps the caret in
  // view, but asks to be painted after every move, so the hex pane follows that.
  connect(codeEdit_, &QPlainTextEdit::updateRequest, hexEdit_,
          [this] { hexEdit_->scrollToRow(codeEdit_->verticalScrollBar()->value()); });
  connect(hexEdit_, &HexPane::scrolled, codeEdit_->verticalScrollBar(), &QScrollBar::setValue);

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
  diskBar_ = new DiskChangeBar;
  connect(diskBar_, &DiskChangeBar::reloadClicked, this, &MainWindow::reloadFromDisk);
  connect(diskBar_, &DiskChangeBar::keepClicked, this, &MainWindow::keepMine);
  watcher_ = new QFileSystemWatcher(this);
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, &MainWindow::checkDisk);
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &MainWindow::checkDisk);
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

  infoPanel_ = new InfoPanel;
  infoPanel_->setFont(UiFont("Arial", 12, true));
  connect(infoPanel_, &InfoPanel::lineChosen, this, [this](int line) {
    codeEdit_->selectLine(line);
    codeEdit_->setFocus();
  });
  auto* infoPanel = new QWidget;
  auto* infoColumn = new QVBoxLayout(infoPanel);
  infoColumn->setContentsMargins(0, 0, 0, 0);
  infoColumn->addWidget(MakeCaption("INFO", UiFont("MS Sans Serif", 8, true), kCaptionOrange));
  infoColumn->addWidget(infoPanel_);

  infoSplitter_ = new QSplitter(Qt::Vertical);
  infoSplitter_->setObjectName("infoSplitter");
  // Above both panes, so that their rows stay level while it shows.
  auto* panes = new QWidget;
  auto* panesColumn = new QVBoxLayout(panes);
  panesColumn->setContentsMargins(0, 0, 0, 0);
  panesColumn->addWidget(diskBar_);
  panesColumn->addWidget(paneSplitter_, 1);
  infoSplitter_->addWidget(panes);
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
  new ProgramHighlighter(codeEdit_, *assembly_);
  connect(assembly_, &LiveAssembly::summaryChanged, this, &MainWindow::showSummary);
  programsPanel_ = new ProgramsPanel(this);
  addDockWidget(Qt::RightDockWidgetArea, programsPanel_);
  programsPanel_->hide();
  connect(programsPanel_, &ProgramsPanel::lineChosen, this, [this](int line) {
    codeEdit_->selectLine(line);
    codeEdit_->setFocus();
  });
  connect(programsPanel_, &QDockWidget::visibilityChanged, this, [this](bool shown) {
    if (shown) programsPanel_->showOutline(assembly_->model());
  });
  caretLabel_ = new QLabel;
  caretLabel_->setObjectName("caretLabel");
  statusBar()->addPermanentWidget(caretLabel_);
  connect(codeEdit_, &QPlainTextEdit::cursorPositionChanged, this, &MainWindow::showCaretPlace);
  recoveryTimer_ = new QTimer(this);
  recoveryTimer_->setSingleShot(true);
  recoveryTimer_->setInterval(kRecoveryDelay);
  connect(recoveryTimer_, &QTimer::timeout, this, &MainWindow::keepRecoveryCopy);
  connect(codeEdit_->document(), &QTextDocument::contentsChanged, recoveryTimer_,
          qOverload<>(&QTimer::start));
  connect(codeEdit_->document(), &QTextDocument::modificationChanged, this,
          &MainWindow::followModified);
  connect(clearCode, &QPushButton::clicked, this, guard(&MainWindow::clearCode));
  connect(toHex, &QPushButton::clicked, this, guard(&MainWindow::convertToHex));
  connect(clearHex, &QPushButton::clicked, this, guard(&MainWindow::clearHex));
  connect(toCode, &QPushButton::clicked, this, guard(&MainWindow::convertToCode));
  connect(hexViewBox_, &QCheckBox::toggled, this, &MainWindow::showHexView);
  const auto showRefused = [this](const QString& message) { statusBar()->showMessage(message, 10'000); };
  connect(codeEdit_, &CodeEditor::inputRefused, this, showRefused);
  connect(hexEdit_, &HexPane::inputRefused, this, showRefused);
  connect(codeEdit_, &CodeEditor::zoomRequested, this, &MainWindow::zoom);
  connect(hexEdit_, &HexPane::zoomRequested, this, &MainWindow::zoom);
  connect(codeEdit_, &CodeEditor::doubleClicked, this, guard(&MainWindow::showHelpForCode));
  connect(codeEdit_, &CodeEditor::ctrlClicked, this, guard(&MainWindow::goToLabel));
  connect(hexEdit_, &HexPane::doubleClicked, this, guard(&MainWindow::showHelpForHex));
  codeEdit_->setFocus();
}

QWidget* MainWindow::createFindBar() {
  findBar_ = new QWidget;
  findBar_->setObjectName("findBar");
  findEdit_ = new QLineEdit;
  findEdit_->setObjectName("findEdit");
  findEdit_->setPlaceholderText("Find");
  findEdit_->setAccessibleName("Find");
  replaceEdit_ = new QLineEdit;
  replaceEdit_->setObjectName("replaceEdit");
  replaceEdit_->setPlaceholderText("Replace with");
  replaceEdit_->setAccessibleName("Replace with");
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
  add(file, "&Export PDF...", QKeySequence(), &MainWindow::exportPdf);
  file->addSeparator();
  add(file, "E&xit", QKeySequence::Quit, &QWidget::close);

  QMenu* edit = menuBar()->addMenu("&Edit");
  add(edit, "&Undo", QKeySequence::Undo, [this] { editWhereFocused("undo"); });
  add(edit, "&Redo", QKeySequence::Redo, [this] { editWhereFocused("redo"); });
  edit->addSeparator();
  add(edit, "Cu&t", QKeySequence::Cut, [this] { editWhereFocused("cut"); });
  add(edit, "&Copy", QKeySequence::Copy, [this] { editWhereFocused("copy"); });
  add(edit, "Copy as &Listing", Qt::CTRL | Qt::SHIFT | Qt::Key_C, &MainWindow::copyAsListing);
  add(edit, "&Paste", QKeySequence::Paste, [this] { editWhereFocused("paste"); });
  add(edit, "Select &All", QKeySequence::SelectAll, [this] { editWhereFocused("selectAll"); });
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
  add(edit, "&Comment or Uncomment Lines", Qt::CTRL | Qt::Key_Slash, [this] { codeEdit_->toggleComment(); });
  add(edit, "Go to &Label", Qt::Key_F12, &MainWindow::goToLabel);
  add(edit, "Find &Uses", Qt::SHIFT | Qt::Key_F12, &MainWindow::findUses);
  add(edit, "Re&name Label...", Qt::Key_F2, &MainWindow::renameLabel);
  // Window-wide, so that they work from every pane; a pane's own keys for
  // them come first.
  for (QAction* action : edit->actions()) action->setShortcutContext(Qt::WindowShortcut);

  QMenu* view = menuBar()->addMenu("&View");
  hexViewAction_ = view->addAction("&Hex Listing");
  hexViewAction_->setObjectName("HexListing");
  hexViewAction_->setCheckable(true);
  hexViewAction_->setShortcut(Qt::CTRL | Qt::Key_H);
  connect(hexViewAction_, &QAction::toggled, hexViewBox_, &QCheckBox::setChecked);
  QAction* programs = programsPanel_->toggleViewAction();
  programs->setText("&Programs");
  programs->setObjectName("ProgramsPanel");
  view->addAction(programs);
  stepNumbersAction_ = view->addAction("&Step Numbers");
  stepNumbersAction_->setObjectName("StepNumbers");
  stepNumbersAction_->setCheckable(true);
  connect(stepNumbersAction_, &QAction::toggled, this, &MainWindow::showStepNumbers);
  view->addSeparator();
  add(view, "Next Pan&e", Qt::Key_F6, [this] { focusNextPane(false); });
  add(view, "Previous Pane", Qt::SHIFT | Qt::Key_F6, [this] { focusNextPane(true); });
  view->addSeparator();
  add(view, "Zoom &In", QKeySequence::ZoomIn, [this] { zoom(1); });
  add(view, "Zoom &Out", QKeySequence::ZoomOut, [this] { zoom(-1); });
  add(view, "&Normal Size", Qt::CTRL | Qt::Key_0, [this] { zoom(-zoomSteps_); });

  QMenu* tools = menuBar()->addMenu("&Tools");
  add(tools, "Code->&Hex", Qt::CTRL | Qt::Key_Return, &MainWindow::convertToHex);
  add(tools, "Hex -> &Code", Qt::CTRL | Qt::SHIFT | Qt::Key_Return, &MainWindow::convertToCode);
  add(tools, "&Program Tool", Qt::CTRL | Qt::Key_T, &MainWindow::toggleProgramTool)
      ->setShortcutContext(Qt::ApplicationShortcut);
  QMenu* help = menuBar()->addMenu("&Help");
  add(help, "&Help for This Line", QKeySequence::HelpContents, &MainWindow::showHelpForCode);
  add(help, "&Manual", QKeySequence(), &MainWindow::showManual);
  add(help, "&Keyboard Shortcuts", QKeySequence(), &MainWindow::showShortcuts);
  help->addSeparator();
  add(help, "&About Orrikey", QKeySequence(), &MainWindow::showAbout);
}

void MainWindow::editWhereFocused(const char* slot) {
  QWidget* focus = QApplication::focusWidget();
  QObject* target = codeEdit_;
  if (qobject_cast<QLineEdit*>(focus) && isAncestorOf(focus))
    target = focus;
  else if (focus && hexEdit_->isAncestorOf(focus))
    target = hexEdit_;
  QMetaObject::invokeMethod(target, slot);
}

}  // namespace orrikey
