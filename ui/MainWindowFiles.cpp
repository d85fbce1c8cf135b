// The main window's file commands: opening by name and content, saving in
// the current file's own format, writing listings, recent files, printing,
// and the offer to save changed text before it goes.

#include "ui/MainWindow.h"

#include "document/OpenProgram.h"
#include "encoder/Assembly.h"
#include "files/FileIO.h"
#include "files/ProgramText.h"
#include "files/RawFile.h"
#include "listing/ListingWriter.h"
#include "text/Comment.h"
#include "text/Trim.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/LiveAssembly.h"
#include "ui/LocalPath.h"
#include "ui/Printing.h"
#include "ui/ProgramEditor.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>

#include <ranges>

namespace orrikey {
namespace {

// A refused raw save names this many failed lines at most.
constexpr int kListedFailures = 20;

bool HasPdfSuffix(const QString& name) { return name.endsWith(".pdf", Qt::CaseInsensitive); }

}  // namespace

bool MainWindow::openFile(const QString& path) {
  bool opened = false;
  guarded([&] {
    if (!maySaveChanges("opening another file")) return;
    readFile(path, document::OpenAs::kAny);
    opened = true;
  });
  return opened;
}

void MainWindow::openDialog() {
  if (!maySaveChanges("opening another file")) return;
  if (!dialogs_.Execute(anyDialog_)) return;
  readFile(anyDialog_.fileName, document::OpenAs::kAny);
}

void MainWindow::open(Format format) {
  if (!maySaveChanges("opening another file")) return;
  FileDialog& dialog = format == Format::kRaw ? rawDialog_ : textDialog_;
  dialog.kind = FileDialog::Kind::Open;
  if (!dialogs_.Execute(dialog)) return;
  readFile(dialog.fileName, ProgramDocument::OpenAsFor(format));
}

void MainWindow::readFile(const QString& path, document::OpenAs as) {
  document::OpenedProgram opened = document::OpenProgram(LocalPath(path), as);
  // A raw file decodes to about three times its size in text.
  if (CodeEditor::HeldSize(opened.text) > CodeEditor::kCapacity)
    throw files::CannotOpen(LocalPath(path), "Its program text is larger than " +
                                                 std::to_string(CodeEditor::kCapacity >> 20) +
                                                 " MiB, the most the editor holds");
  const std::vector<listing::ListingError> refused = std::move(opened.refused);
  const std::string decodeError = std::move(opened.decodeError);
  const document::FileForm form = opened.form;
  assembly_->showProgram(std::move(opened));
  // The file itself stays as it is: a listing is only read.
  if (!refused.empty())
    statusBar()->showMessage(QString("Left out %1 line(s) of the listing; line %2: %3")
                                 .arg(refused.size())
                                 .arg(refused.front().fileLine)
                                 .arg(QString::fromStdString(refused.front().reason)));
  if (!decodeError.empty()) statusBar()->showMessage(FromWindows1252(decodeError));
  setCurrentFile(path, form);
}

// A listing is only read, so its program is saved under a name of its own.
bool MainWindow::save() {
  if (document_.form() == Format::kListing)
    statusBar()->showMessage("A listing is only read: save its program as program text", 10'000);
  if (document_.saveNeedsName()) return saveAs();
  return writeFile({document_.path(), document_.form()});
}

bool MainWindow::saveAs() {
  proposeName(textDialog_, "42S");
  if (!dialogs_.Execute(textDialog_)) return false;
  return writeFile(ProgramDocument::SaveAsTarget(textDialog_.fileName, textDialog_.filterIndex));
}

// A raw file that could not be written is refused before a name is asked.
bool MainWindow::saveIn(Format format) {
  if (format == Format::kRaw && !allLinesConvert("The raw file was not saved")) return false;
  FileDialog& dialog = format == Format::kRaw ? rawDialog_ : textDialog_;
  proposeName(dialog, format == Format::kRaw ? "raw" : "42S");
  if (!dialogs_.Execute(dialog)) return false;
  return writeFile(ProgramDocument::SaveInTarget(format, dialog.fileName, dialog.filterIndex));
}

// The program's own name in the form being saved; an untitled program is
// offered no name, only the folder the dialog was last in.
void MainWindow::proposeName(FileDialog& dialog, const QString& suffix) const {
  dialog.kind = FileDialog::Kind::Save;
  if (!dialog.fileName.isEmpty()) dialog.initialDir = QFileInfo(dialog.fileName).absolutePath();
  const QFileInfo program(document_.path());
  dialog.fileName = document_.path().isEmpty()
                        ? QString()
                        : program.dir().filePath(program.completeBaseName() + "." + suffix);
}

// A raw file or a listing is always the program on screen, assembled now;
// while a line does not convert it is not written at all, rather than
// written without that line.
bool MainWindow::allLinesConvert(const QString& refused) {
  const encoder::Assembly& assembly = assembly_->assembly();
  const std::vector<size_t> failed = assembly.FailedLines();
  if (failed.empty()) return true;
  QStringList listed;
  for (size_t index : failed | std::views::take(kListedFailures)) {
    const encoder::Assembly::Line& line = assembly.lines()[index];
    listed += QString::fromStdString(encoder::FailureMessage(line.sourceLine, line.assembled));
  }
  if (failed.size() > size_t(kListedFailures))
    listed += QString("and %1 more").arg(failed.size() - kListedFailures);
  dialogs_.ShowError(QString("%1: these lines do not convert.\n%2").arg(refused, listed.join(u'\n')));
  return false;
}

bool MainWindow::writeFile(const ProgramDocument::Target& target) {
  const QString& path = target.path;
  if (target.form == Format::kRaw && !allLinesConvert(QFileInfo(path).fileName() + " was not saved"))
    return false;
  if (!mayWriteOver(path)) return false;
  if (target.form == Format::kRaw) {
    files::WriteRawFile(LocalPath(path), assembly_->assembly().Bytes());
  } else if (target.form == Format::kEightBitText) {
    files::WriteProgramTextFile(LocalPath(path), codeEdit_->codes());
  } else {
    // The pane shows every display code as its own character, so its text is
    // the UTF-8 file that reads back one to one.
    const QString text = codeEdit_->toPlainText().replace(u'\n', u"\r\n"_qs);
    files::WriteProgramTextFile(LocalPath(path), text.toUtf8().toStdString());
  }
  setCurrentFile(path, target.form);
  return true;
}

// The listing holds the instructions alone: blank lines and comments do not
// survive it, so the program keeps its own file and stays as modified as it
// was.
std::optional<std::string> MainWindow::listingOnScreen(const QString& refused) {
  if (!allLinesConvert(refused)) return std::nullopt;
  return assembly_->model().Listing();
}

bool MainWindow::saveListing() {
  const std::optional<std::string> listing = listingOnScreen("The listing was not saved");
  if (!listing) return false;
  proposeName(listingDialog_, "txt");
  if (!dialogs_.Execute(listingDialog_)) return false;
  const QString path = ProgramDocument::ListingPath(listingDialog_.fileName);
  files::WriteProgramTextFile(LocalPath(path), *listing);
  listingDialog_.fileName = path;
  statusBar()->showMessage("Listing saved as " + QFileInfo(path).fileName(), 10'000);
  return true;
}

void MainWindow::copyAsListing() {
  if (const std::optional<std::string> listing = listingOnScreen("The listing was not copied"))
    QGuiApplication::clipboard()->setText(QString::fromStdString(*listing));
}

void MainWindow::print() {
  QPrinter printer(QPrinter::HighResolution);
  if (!dialogs_.ChoosePrinter(printer)) return;
  printProgram(printer);
}

void MainWindow::exportPdf() {
  proposeName(pdfDialog_, "pdf");
  if (!dialogs_.Execute(pdfDialog_)) return;
  const QString path = HasPdfSuffix(pdfDialog_.fileName) ? pdfDialog_.fileName : pdfDialog_.fileName + ".pdf";
  if (!mayWriteOver(path)) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printProgram(printer);
  statusBar()->showMessage("Exported " + QFileInfo(path).fileName(), 10'000);
}

// Each program headed by its name and size, each line with its number and
// its step, as the editor shows them.
void MainWindow::printProgram(QPrinter& printer) {
  const editing::ProgramModel& model = assembly_->model();
  std::vector<PrintedLine> lines;
  const std::vector<editing::OutlineProgram> outline = model.Outline();
  auto program = outline.begin();
  for (size_t i = 0; i < model.lineCount(); ++i) {
    if (program != outline.end() && program->first == i) {
      lines.push_back({{}, {}, QString::fromStdString(program->name + "  " + model.SizeOf(i)), true});
      ++program;
    }
    const editing::Place at = model.PlaceOf(i);
    lines.push_back({QString::number(i + 1),
                     at.step > 0 ? QString("%1").arg(at.step, 2, 10, QChar('0')) : QString(),
                     ToDisplayText(model.Codes(i))});
  }
  // The size of a book's text, whatever size the panes show; in points the
  // printer scales it to its own resolution.
  QFont font = DisplayFont();
  font.setPointSizeF(10.5);
  PrintProgram(printer, document_.fileName(), lines, font);
}

void MainWindow::setCurrentFile(const QString& chosen, Format format) {
  document_.setFile(chosen, format);
  const QString& path = document_.path();
  watchFile(path);
  codeEdit_->document()->setModified(false);
  editor_->showFileName(document_.fileName(), path);
  setWindowTitle(document_.title());
  setWindowModified(false);
  if (path.isEmpty()) return;
  if (format != Format::kListing) (format == Format::kRaw ? rawDialog_ : textDialog_).fileName = path;
  updateRecentMenu();
}

void MainWindow::updateRecentMenu() {
  recentMenu_->clear();
  const QStringList recent = ProgramDocument::RecentFiles();
  for (const QString& path : recent)
    recentMenu_->addAction(QFileInfo(path).fileName(), this, [this, path] { openFile(path); })
        ->setToolTip(path);
  recentMenu_->setEnabled(!recent.isEmpty());
}

// Clearing the text resets its modified state without a signal, after
// signalling the change; the state is read again before it decides anything.
void MainWindow::followModified() {
  const bool modified = codeEdit_->document()->isModified();
  document_.setModified(modified);
  setWindowModified(modified);
  if (modified) return;
  recoveryTimer_->stop();
  recovery_.remove();
}

// Changed text is offered for saving; when the save is cancelled or fails,
// the command stops, so text the user wanted to keep is never thrown away.
bool MainWindow::maySaveChanges(const QString& before) {
  followModified();
  if (!document_.isModified()) return true;
  switch (dialogs_.AskToSave(document_.saveQuestion(before))) {
    case Dialogs::Answer::Save: return save();
    case Dialogs::Answer::Discard: return true;
    case Dialogs::Answer::Cancel: return false;
  }
  return false;
}

}  // namespace orrikey
