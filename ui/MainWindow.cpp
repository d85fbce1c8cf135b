// The main window's life and its own commands: settings kept between
// starts, closing and dropped files, the conversions both ways, help, the
// summary under INFO, and errors turned into message boxes.

#include "ui/MainWindow.h"

#include "decoder/Reader.h"
#include "encoder/Assembly.h"
#include "programtext/Codes.h"
#include "programtext/ProgramLines.h"
#include "reference/Help.h"
#include "text/Comment.h"
#include "text/Hex.h"
#include "text/Trim.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/FindBar.h"
#include "ui/HexPane.h"
#include "ui/InfoPanel.h"
#include "ui/LiveAssembly.h"
#include "ui/ProgramEditor.h"
#include "ui/ProgramTool.h"
#include "ui/ProgramsPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QUrl>

#include <algorithm>
#include <span>

namespace orrikey {
namespace {

// The hex digits of pane text, without the blanks and line breaks between them.
QString HexDigits(QString text) {
  text.remove(QRegularExpression("\\s"));
  return text;
}

// A lone last digit is left out. Throws std::runtime_error for a pair that is
// not hex.
std::vector<std::uint8_t> HexDigitBytes(const QString& digits) {
  text::ParsedHex parsed = text::ParseHex(ToDisplayCodes(digits));
  if (!parsed.error.empty()) throw std::runtime_error(parsed.error);
  return std::move(parsed.bytes);
}

// Room for the two panes side by side with INFO below them.
constexpr QSize kFirstSize(897, 614);

// A folder of the start folder, when it exists: a dialog must never take a
// missing folder's name for the file name.
QString StartFolder(const QString& name) {
  const QDir start = QDir::current();
  return start.exists(name) ? start.filePath(name) : start.path();
}

// Error texts name paths in UTF-8 or quote pane text in display codes.
constexpr size_t kMostWarningsListed = 100;

QString ErrorText(std::string_view message) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(QByteArrayView(message.data(), qsizetype(message.size())));
  return utf8.hasError() ? ToDisplayText(message) : text;
}

}  // namespace

MainWindow::MainWindow(Dialogs& dialogs)
    : dialogs_(dialogs),
      textDialog_{FileDialog::Kind::Save,
                  {"Program text (*.42S)", "Program text, 8-bit (*.42S)"},
                  StartFolder("42SProg")},
      rawDialog_{FileDialog::Kind::Save, {"Raw files (*.raw)"}, StartFolder("RawProg")},
      anyDialog_{FileDialog::Kind::Open,
                 {"HP-42S programs (*.42S *.raw *.hp42s *.free42 *.txt)", "Program text (*.42S)",
                  "Raw files (*.raw)", "Listings (*.hp42s *.free42 *.txt)", "All files (*)"},
                 StartFolder("42SProg")},
      listingDialog_{FileDialog::Kind::Save, {"Listings (*.txt *.hp42s *.free42)"}, StartFolder("42SProg")} {
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
  editor_->saveSettings(settings);
  settings.setValue("window/info", infoSplitter_->saveState());
  settings.setValue("window/docks", saveState());
  settings.setValue("window/stepNumbers", stepNumbersAction_->isChecked());
  saveTarget(settings);
}

void MainWindow::restoreSettings() {
  QSettings settings;
  // The first window's size where the screen has room for it, as much as
  // fits where not (a small screen, a large scale factor).
  const QSize first =
      kFirstSize + QSize(0, menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
  resize(first.boundedTo(screen()->availableGeometry().size() * 0.9));
  restoreGeometry(settings.value("window/geometry").toByteArray());
  infoSplitter_->restoreState(settings.value("window/info").toByteArray());
  restoreState(settings.value("window/docks").toByteArray());
  stepNumbersAction_->setChecked(settings.value("window/stepNumbers", false).toBool());
  restoreTarget(settings);
  editor_->restoreSettings(settings);
  updateRecentMenu();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bool closing = loggingOut_;
  if (!closing) guarded([&] { closing = maySaveChanges("closing"); });
  if (!closing) {
    event->ignore();
    return;
  }
  if (!loggingOut_) recovery_.remove();
  event->accept();
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

void MainWindow::convertToHex() { editor_->convertToHex(); }

void MainWindow::newFile() {
  if (!maySaveChanges("starting a new program")) return;
  codeEdit_->setCodes("");
  setCurrentFile({}, Format::kProgramText);
}

// Hex digits typed or pasted into the hex pane, blanks and line breaks
// between the bytes allowed, become the program text as one undo step.
void MainWindow::convertToCode() {
  const QString digits = HexDigits(hexEdit_->text());
  if (digits.isEmpty() || !maySaveChanges("replacing it")) return;
  const std::vector<std::uint8_t> bytes = HexDigitBytes(digits);
  const decoder::Decoded decoded = decoder::Decode(bytes);
  codeEdit_->replaceLines(programtext::ProgramLines(decoded));
  if (decoded.stop) statusBar()->showMessage(FromWindows1252(decoder::StopMessage(decoded.stop)));
}

// A new Program Tool opens over the hex pane, where it hides none of the
// program text it types into.
// The same keys close it, from either window.
void MainWindow::toggleProgramTool() {
  if (programTool_ && programTool_->isVisible()) return programTool_->hide();
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

// F6 goes round the parts that are shown, in the order they stand on screen.
void MainWindow::focusNextPane(bool backwards) {
  std::vector<QWidget*> panes = {codeEdit_};
  if (hexEdit_->isVisible()) panes.push_back(hexEdit_);
  if (findBar_->isVisible()) panes.push_back(findBar_->findField());
  panes.push_back(infoPanel_->currentWidget());
  if (programsPanel_->isVisible()) panes.push_back(programsPanel_->widget());
  QWidget* focus = QApplication::focusWidget();
  const auto at = std::find_if(panes.begin(), panes.end(), [focus](QWidget* pane) {
    return focus && (focus == pane || pane->isAncestorOf(focus));
  });
  const size_t from = at == panes.end() ? 0 : size_t(at - panes.begin());
  const size_t to = (from + (backwards ? panes.size() - 1 : 1)) % panes.size();
  panes[to]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::showAbout() {
  dialogs_.ShowInformation("About Orrikey", "Orrikey " ORRIKEY_VERSION ", released " ORRIKEY_RELEASE_DATE
                                            "\nAn editor and assembler for HP-42S programs"
                                            "\n\nBy the Orrikey developers. No licence has been granted"
                                            " yet: all rights are reserved."
                                            "\n\nHelp > Manual opens the manual; Help > Keyboard Shortcuts"
                                            " lists the keys.");
}

// The manual is the man page installed with the program; a desktop that
// cannot show one is told how to read it.
void MainWindow::showManual() {
  if (!QDesktopServices::openUrl(QUrl("man:orrikey(1)")))
    dialogs_.ShowInformation("Manual", "The manual is the man page orrikey(1): run \"man orrikey\" in a"
                                       " terminal. README.md beside the program's source tells more.");
}

// Every key of the menus, read from the menus themselves so that the list
// cannot fall behind them.
void MainWindow::showShortcuts() {
  QStringList keys;
  for (QAction* menu : menuBar()->actions()) {
    const QString menuName = menu->text().remove(u'&');
    for (QAction* action : menu->menu()->actions())
      if (!action->shortcut().isEmpty())
        keys += action->shortcut().toString(QKeySequence::NativeText) + "\t" + menuName + " > " +
                action->text().remove(u'&').remove("...");
  }
  keys += {"Ctrl+Space\tComplete the word at the caret", "Ctrl+click\tGo to the label a jump reaches"};
  dialogs_.ShowInformation("Keyboard Shortcuts", keys.join(u'\n'));
}

void MainWindow::showHelpForCode() { infoPanel_->showHelp(editor_->helpForLine(int(caretLine()))); }

// The hex row decoded on its own names its instruction, whatever the
// program text holds.
void MainWindow::showHelpForHex() {
  const QString row = hexEdit_->currentRow();
  const std::vector<std::uint8_t> bytes = HexDigitBytes(HexDigits(row));
  const decoder::Decoded decoded = decoder::Decode(bytes);
  const std::optional<std::string> help =
      decoded.lines.empty() ? std::nullopt : reference::HelpFor(programtext::CodesOf(decoded.lines.front()));
  infoPanel_->showHelp(help ? FromWindows1252(*help) : QString());
}

// Errors first, with what the hex listing's error row leaves unsaid; warnings
// and notes never stop a conversion, so they follow, and a program that
// reuses a label throughout has more than anyone reads.
void MainWindow::showSummary() {
  const editing::ProgramModel& model = assembly_->model();
  QStringList info, warnings;
  std::vector<int> targets, warned;
  size_t unlisted = 0;
  for (const editing::Diagnostic& diagnostic : model.Diagnostics()) {
    const size_t sourceLine = model.assembly().lines()[diagnostic.line].sourceLine;
    if (diagnostic.severity == editing::Severity::kError) {
      const encoder::AssembledLine& line = model.assembly().lines()[diagnostic.line].assembled;
      // A line that converts errs only by what the target lacks.
      if (!line.error) {
        info += QString("%1 error: %2")
                    .arg(infoLine(diagnostic.line), QString::fromStdString(diagnostic.message));
      } else {
        QString entry =
            QString::fromStdString(encoder::FailureMessage(sourceLine, *line.error, diagnostic.message));
        info += entry.replace(0, QString("Line: %1").arg(sourceLine).size(), infoLine(diagnostic.line));
      }
      targets.push_back(int(diagnostic.line));
    } else if (size_t(warnings.size()) < kMostWarningsListed) {
      warnings += QString("%1 %2: %3")
                      .arg(infoLine(diagnostic.line),
                           diagnostic.severity == editing::Severity::kNote ? "note" : "warning",
                           QString::fromStdString(diagnostic.message));
      warned.push_back(int(diagnostic.line));
    } else {
      ++unlisted;
    }
  }
  info += warnings;
  targets.insert(targets.end(), warned.begin(), warned.end());
  if (unlisted > 0) info += QString("and %1 more warnings and notes").arg(unlisted);
  infoPanel_->showProblems(info, std::move(targets));
  programsPanel_->showOutline(model);
  showCaretPlace();
}

// The gutter shows step numbers, when it does, so the entry names both.
QString MainWindow::infoLine(size_t line) const {
  const editing::ProgramModel& model = assembly_->model();
  QString name = QString("Line: %1").arg(model.assembly().lines()[line].sourceLine);
  const size_t step = stepNumbersAction_->isChecked() ? model.PlaceOf(line).step : 0;
  if (step > 0) name += QString(" (step %1)").arg(step);
  return name;
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
