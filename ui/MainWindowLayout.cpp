// The main window's layout: the program editor over INFO, the find bar
// along the bottom, the Programs panel docked beside them, and the menus,
// each wired to its command.

#include "ui/MainWindow.h"

#include "ui/CodeEditor.h"
#include "ui/DiskChangeBar.h"
#include "ui/FindBar.h"
#include "ui/HexPane.h"
#include "ui/InfoPanel.h"
#include "ui/LiveAssembly.h"
#include "ui/Look.h"
#include "ui/ProgramEditor.h"
#include "ui/ProgramsPanel.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace orrikey {
namespace {

// How long typing pauses before unsaved work is copied for recovery.
constexpr std::chrono::milliseconds kRecoveryDelay{2000};

}  // namespace

// Commands are member functions or lambdas that hold `this` already.
template <typename Command>
std::function<void()> MainWindow::guard(Command command) {
  return [this, command] {
    guarded([this, command] {
      if constexpr (std::is_invocable_v<Command, MainWindow*>) std::invoke(command, this);
      else command();
    });
  };
}

void MainWindow::createParts() {
  editor_ = new ProgramEditor;
  codeEdit_ = editor_->code();
  hexEdit_ = editor_->hex();
  assembly_ = editor_->assembly();
  diskBar_ = new DiskChangeBar;
  connect(diskBar_, &DiskChangeBar::reloadClicked, this, &MainWindow::reloadFromDisk);
  connect(diskBar_, &DiskChangeBar::keepClicked, this, &MainWindow::keepMine);
  watcher_ = new QFileSystemWatcher(this);
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, &MainWindow::checkDisk);
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &MainWindow::checkDisk);

  infoPanel_ = new InfoPanel;
  connect(infoPanel_, &InfoPanel::lineChosen, this, [this](int line) {
    codeEdit_->selectLine(line);
    codeEdit_->setFocus();
  });
  auto* infoPanel = new QWidget;
  auto* infoColumn = new QVBoxLayout(infoPanel);
  infoColumn->setContentsMargins(0, 0, 0, 0);
  infoColumn->addWidget(MakeCaption("INFO"));
  infoColumn->addWidget(infoPanel_);

  infoSplitter_ = new QSplitter(Qt::Vertical);
  infoSplitter_->setObjectName("infoSplitter");
  // Above both panes, so that their rows stay level while it shows.
  auto* panes = new QWidget;
  auto* panesColumn = new QVBoxLayout(panes);
  panesColumn->setContentsMargins(0, 0, 0, 0);
  panesColumn->addWidget(diskBar_);
  panesColumn->addWidget(editor_, 1);
  infoSplitter_->addWidget(panes);
  infoSplitter_->addWidget(infoPanel);
  infoSplitter_->setStretchFactor(0, 1);
  infoSplitter_->setSizes({489, 80});

  findBar_ = new FindBar(codeEdit_);
  // As in Kate, Escape in the text closes the bar too.
  connect(codeEdit_, &CodeEditor::escapePressed, findBar_, &QWidget::hide);
  connect(findBar_, &FindBar::message, this,
          [this](const QString& text) { statusBar()->showMessage(text, 5'000); });
  auto* client = new QWidget;
  auto* clientLayout = new QVBoxLayout(client);
  clientLayout->addWidget(infoSplitter_);
  clientLayout->addWidget(findBar_);
  setCentralWidget(client);

  connect(assembly_, &LiveAssembly::summaryChanged, this, &MainWindow::showSummary);
  programsPanel_ = new ProgramsPanel(this);
  addDockWidget(Qt::RightDockWidgetArea, programsPanel_);
  programsPanel_->hide();
  connect(programsPanel_, &ProgramsPanel::lineChosen, this, [this](int line) {
    codeEdit_->selectLine(line);
    codeEdit_->setFocus();
  });
  connect(programsPanel_, &QDockWidget::visibilityChanged, this, [this](bool shown) {
    if (!shown) return;
    programsPanel_->showOutline(assembly_->model());
    programsPanel_->follow(int(caretLine()));
    // Opened narrower than its rows, it widens so that no size is cut short.
    const int wanted = programsPanel_->sizeHint().width();
    if (programsPanel_->width() < wanted) resizeDocks({programsPanel_}, {wanted}, Qt::Horizontal);
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
  connect(codeEdit_->document(), &QTextDocument::modificationChanged, this, &MainWindow::followModified);
  connect(editor_, &ProgramEditor::convertToCodeClicked, this, guard(&MainWindow::convertToCode));
  const auto showRefused = [this](const QString& message) { statusBar()->showMessage(message, 10'000); };
  connect(codeEdit_, &CodeEditor::inputRefused, this, showRefused);
  connect(hexEdit_, &HexPane::inputRefused, this, showRefused);
  connect(codeEdit_, &CodeEditor::doubleClicked, this, guard(&MainWindow::showHelpForCode));
  connect(codeEdit_, &CodeEditor::ctrlClicked, this, guard(&MainWindow::goToLabel));
  connect(hexEdit_, &HexPane::doubleClicked, this, guard(&MainWindow::showHelpForHex));
  codeEdit_->setFocus();
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
  add(file, "Save 42S Co&de...", Qt::CTRL | Qt::ALT | Qt::Key_S, [this] { saveIn(Format::kProgramText); });
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
  add(edit, "&Find...", QKeySequence::Find, [this] { findBar_->open(false); });
  add(edit, "R&eplace...", Qt::CTRL | Qt::Key_R, [this] { findBar_->open(true); });
  add(edit, "Find &Next", QKeySequence::FindNext, [this] { findBar_->findNext(false); });
  add(edit, "Find Pre&vious", QKeySequence::FindPrevious, [this] { findBar_->findNext(true); });
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
  connect(hexViewAction_, &QAction::toggled, editor_, &ProgramEditor::setHexShown);
  connect(editor_, &ProgramEditor::hexShownChanged, hexViewAction_, &QAction::setChecked);
  QAction* programs = programsPanel_->toggleViewAction();
  programs->setText("&Programs");
  programs->setObjectName("ProgramsPanel");
  view->addAction(programs);
  stepNumbersAction_ = view->addAction("&Step Numbers");
  stepNumbersAction_->setObjectName("StepNumbers");
  stepNumbersAction_->setCheckable(true);
  connect(stepNumbersAction_, &QAction::toggled, editor_, &ProgramEditor::showStepNumbers);
  connect(stepNumbersAction_, &QAction::toggled, this, &MainWindow::showSummary);
  connect(stepNumbersAction_, &QAction::toggled, this, &MainWindow::relistUses);
  view->addSeparator();
  createTargetChoice(view);
  view->addSeparator();
  add(view, "Next Pan&e", Qt::Key_F6, [this] { focusNextPane(false); });
  add(view, "Previous Pane", Qt::SHIFT | Qt::Key_F6, [this] { focusNextPane(true); });
  view->addSeparator();
  add(view, "Zoom &In", QKeySequence::ZoomIn, [this] { editor_->zoom(1); });
  add(view, "Zoom &Out", QKeySequence::ZoomOut, [this] { editor_->zoom(-1); });
  add(view, "&Normal Size", Qt::CTRL | Qt::Key_0, [this] { editor_->resetZoom(); });

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
  if (qobject_cast<QLineEdit*>(focus) && isAncestorOf(focus)) target = focus;
  else if (focus && hexEdit_->isAncestorOf(focus)) target = hexEdit_;
  QMetaObject::invokeMethod(target, slot);
}

}  // namespace orrikey
