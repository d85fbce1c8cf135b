// The main window's file commands: opening by name and content, saving in
// the current file's own format, writing listings, recent files, printing,
// and the offer to save changed text before it goes.

#include "ui/MainWindow.h"

#include "decoder/Decode.h"
#include "encoder/Encoder.h"
#include "files/HexText.h"
#include "files/ProgramText.h"
#include "files/RawFile.h"
#include "listing/ListingReader.h"
#include "listing/ListingWriter.h"
#include "text/Utf8.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/LiveAssembly.h"
#include "ui/Printing.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QStringDecoder>

#include <algorithm>
#include <filesystem>
#include <ranges>
#include <stdexcept>

namespace orrikey {
namespace {

constexpr int kRecentFiles = 8;
// A refused raw save names this many failed lines at most.
constexpr int kListedFailures = 20;

// Paths reach the file functions in the file system's own encoding.
std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Refuses a file that could not fit a pane before reading all of it.
void RefuseLargerThan(const std::string& path, uintmax_t limit) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > limit) throw std::runtime_error("Text exceeds memo capacity");
}

bool HasSuffix(const QString& path, const QString& suffix) {
  return QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) == 0;
}

// A file named neither ".raw" nor ".42S" is raw when its start holds a
// control byte that program text never does.
bool LooksRaw(const QString& path) {
  if (HasSuffix(path, "raw")) return true;
  if (HasSuffix(path, "42S") || !QFileInfo(path).isFile()) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray start = file.read(4096);
  return std::ranges::any_of(start, [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n';
  });
}

}  // namespace

bool MainWindow::openFile(const QString& path) {
  bool opened = false;
  guarded([&] {
    if (!maySaveChanges("opening another file")) return;
    readFile(path, LooksRaw(path) ? Format::Raw : Format::Text);
    opened = true;
  });
  return opened;
}

void MainWindow::openDialog() {
  if (!maySaveChanges("opening another file")) return;
  if (!dialogs_.Execute(anyDialog_)) return;
  readFile(anyDialog_.fileName, LooksRaw(anyDialog_.fileName) ? Format::Raw : Format::Text);
}

void MainWindow::open(Format format) {
  if (!maySaveChanges("opening another file")) return;
  FileDialog& dialog = format == Format::Raw ? rawDialog_ : textDialog_;
  dialog.kind = FileDialog::Kind::Open;
  if (!dialogs_.Execute(dialog)) return;
  readFile(dialog.fileName, format);
}

// The pane shows every byte of a raw file as two hex digits, so a raw file
// may be half as large as a text file.
void MainWindow::readFile(const QString& path, Format format) {
  const std::string local = LocalPath(path);
  QString decodeInfo;
  if (format == Format::Raw) {
    RefuseLargerThan(local, CodeEditor::kCapacity / 2);
    const decoder::Decoded decoded = decoder::Decode(decoder::AsBytes(ReadRawFile(local)));
    codeEdit_->setLines(decoder::ProgramText(decoded));
    decodeInfo = FromWindows1252(decoder::StopMessage(decoded.stop));
  } else {
    RefuseLargerThan(local, CodeEditor::kCapacity);
    const std::string bytes = ReadProgramTextFile(local);
    if (const std::optional<std::string> codes = ReadUtf8ProgramText(bytes)) {
      codeEdit_->setCodes(*codes);
    } else if (DecodeUtf8(bytes)) {
      const ReadListingResult listing = ReadListing(bytes);
      std::vector<std::string> lines;
      for (const ListingLine& line : listing.lines) lines.push_back(line.text);
      codeEdit_->setLines(lines);
      // The file itself stays as it is: a listing is only read.
      if (!listing.errors.empty())
        statusBar()->showMessage(QString("Left out %1 line(s) of the listing; line %2: %3")
                                     .arg(listing.errors.size())
                                     .arg(listing.errors.front().fileLine)
                                     .arg(QString::fromStdString(listing.errors.front().reason)));
      format = Format::Listing;
    } else {
      codeEdit_->setCodes(bytes);
      format = Format::Text8Bit;
    }
  }
  assembly_->flush();
  if (!decodeInfo.isEmpty()) showInfo({decodeInfo});
  setCurrentFile(path, format);
}

bool MainWindow::save() {
  if (currentPath_.isEmpty() || currentFormat_ == Format::Listing) return saveAs();
  return writeFile(currentPath_, currentFormat_);
}

// The format follows the chosen name; a name without an extension is
// program text.
bool MainWindow::saveAs() {
  textDialog_.kind = FileDialog::Kind::Save;
  if (!dialogs_.Execute(textDialog_)) return false;
  QString path = textDialog_.fileName;
  if (QFileInfo(path).suffix().isEmpty()) path += ".42S";
  return writeFile(path, HasSuffix(path, "raw") ? Format::Raw : chosenTextFormat());
}

MainWindow::Format MainWindow::chosenTextFormat() const {
  return textDialog_.filterIndex == 1 ? Format::Text8Bit : Format::Text;
}

bool MainWindow::saveIn(Format format) {
  FileDialog& dialog = format == Format::Raw ? rawDialog_ : textDialog_;
  dialog.kind = FileDialog::Kind::Save;
  if (!dialogs_.Execute(dialog)) return false;
  const QString suffix = format == Format::Raw ? "raw" : "42S";
  QString path = dialog.fileName;
  if (!HasSuffix(path, suffix)) path += "." + suffix;
  return writeFile(path, format == Format::Raw ? format : chosenTextFormat());
}

// A raw file or a listing is always the program on screen, assembled now;
// while a line does not convert it is not written at all, rather than
// written without that line.
bool MainWindow::allLinesConvert(const QString& refused) {
  assembly_->flush();
  const std::vector<int> failed = assembly_->failedLines();
  if (failed.empty()) return true;
  QStringList listed;
  for (int line : failed | std::views::take(kListedFailures))
    listed += QString("Line %1: %2").arg(line + 1).arg(assembly_->errorAt(line));
  if (failed.size() > size_t(kListedFailures))
    listed += QString("and %1 more").arg(failed.size() - kListedFailures);
  dialogs_.ShowError(
      QString("%1: these lines do not convert.\n%2").arg(refused, listed.join(u'\n')));
  return false;
}

bool MainWindow::writeFile(const QString& path, Format format) {
  if (format == Format::Raw) {
    if (!allLinesConvert(QFileInfo(path).fileName() + " was not saved")) return false;
    std::string hex;
    for (const std::string& line : assembly_->hexLines()) hex += line;
    SaveHexStringToFile(LocalPath(path), GetHexString({hex}, true));
  } else if (format == Format::Text8Bit) {
    WriteProgramTextFile(LocalPath(path), codeEdit_->codes());
  } else {
    // The pane shows every display code as its own character, so its text is
    // the UTF-8 file that reads back one to one.
    const QString text = codeEdit_->toPlainText().replace(u'\n', u"\r\n"_qs);
    WriteProgramTextFile(LocalPath(path), text.toUtf8().toStdString());
  }
  setCurrentFile(path, format);
  return true;
}

// The listing holds the instructions alone: blank lines and comments do not
// survive it, so the program keeps its own file and stays as modified as it
// was.
std::optional<std::string> MainWindow::listingOnScreen(const QString& refused) {
  if (!allLinesConvert(refused)) return std::nullopt;
  const std::vector<std::string> lines = codeEdit_->lines();
  const std::vector<std::string>& hexLines = assembly_->hexLines();
  std::vector<std::string> instructions;
  for (size_t i = 0; i < lines.size() && i < hexLines.size(); ++i)
    if (!hexLines[i].empty()) instructions.push_back(CleanLine(lines[i]));
  return WriteListing(instructions);
}

bool MainWindow::saveListing() {
  listingDialog_.kind = FileDialog::Kind::Save;
  if (!dialogs_.Execute(listingDialog_)) return false;
  QString path = listingDialog_.fileName;
  if (QFileInfo(path).suffix().isEmpty()) path += ".txt";
  const std::optional<std::string> listing =
      listingOnScreen(QFileInfo(path).fileName() + " was not saved");
  if (!listing) return false;
  WriteProgramTextFile(LocalPath(path), *listing);
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
  QStringList lines;
  for (const std::string& line : codeEdit_->lines()) lines += ToDisplayText(line);
  // The pane's 20 pixels are 15 points at 96 pixels per inch; in points the
  // printer scales them to its own resolution.
  QFont font = DisplayFont();
  font.setPointSizeF(font.pixelSize() * 72.0 / 96);
  PrintLines(printer, lines, font);
}

void MainWindow::setCurrentFile(const QString& path, Format format) {
  currentPath_ = path;
  currentFormat_ = format;
  codeEdit_->document()->setModified(false);
  const QString name = path.isEmpty() ? "Untitled" : QFileInfo(path).fileName();
  fileNameLabel_->setText(path.isEmpty() ? QString() : name);
  fileNameLabel_->setToolTip(path);
  setWindowTitle(name + "[*] - Orrikey");
  setWindowModified(false);
  if (path.isEmpty()) return;
  if (format != Format::Listing) (format == Format::Raw ? rawDialog_ : textDialog_).fileName = path;
  QSettings settings;
  QStringList recent = settings.value("recentFiles").toStringList();
  recent.removeAll(path);
  recent.prepend(path);
  settings.setValue("recentFiles", recent.mid(0, kRecentFiles));
  updateRecentMenu();
}

void MainWindow::updateRecentMenu() {
  recentMenu_->clear();
  const QStringList recent = QSettings().value("recentFiles").toStringList();
  for (const QString& path : recent)
    recentMenu_->addAction(QFileInfo(path).fileName(), this, [this, path] { openFile(path); })
        ->setToolTip(path);
  recentMenu_->setEnabled(!recent.isEmpty());
}

// Changed text is offered for saving; when the save is cancelled or fails,
// the command stops, so text the user wanted to keep is never thrown away.
bool MainWindow::maySaveChanges(const QString& before) {
  if (!codeEdit_->document()->isModified()) return true;
  const QString name = currentPath_.isEmpty() ? "the new program" : QFileInfo(currentPath_).fileName();
  switch (dialogs_.AskToSave(QString("Save the changes to %1 before %2?").arg(name, before))) {
    case Dialogs::Answer::Save: return save();
    case Dialogs::Answer::Discard: return true;
    case Dialogs::Answer::Cancel: return false;
  }
  return false;
}

}  // namespace orrikey
