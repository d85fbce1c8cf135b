#include "ui/ProgramDocument.h"

#include "files/FileIO.h"
#include "ui/LocalPath.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSettings>

#include <stdexcept>

#include <sys/stat.h>

namespace orrikey {
namespace {

bool HasSuffix(const QString& path, const QString& suffix) {
  return QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) == 0;
}

QString WithDefaultSuffix(const QString& path, const QString& suffix) {
  return QFileInfo(path).suffix().isEmpty() ? path + "." + suffix : path;
}

}  // namespace

void ProgramDocument::setFile(const QString& path, Form form) {
  path_ = AbsolutePath(path);
  form_ = form;
  modified_ = false;
  acceptDisk();
  if (path.isEmpty()) return;
  QSettings settings;
  QStringList recent = settings.value("recentFiles").toStringList();
  recent.removeAll(path_);
  recent.prepend(path_);
  settings.setValue("recentFiles", recent.mid(0, kRecentFiles));
}

// The digest tells accidental changes, not crafted ones; modification times
// are too coarse to tell two writes within a few milliseconds apart. The file
// is read as a program file is opened, so that a FIFO, a device or a huge
// file that took its name cannot stall the editor.
QByteArray ProgramDocument::digestNow() const {
  const std::string local = LocalPath(path_);
  struct stat info {};
  if (path_.isEmpty() || stat(local.c_str(), &info) != 0) return {};
  try {
    const std::string bytes = files::ReadWholeFile(local);
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())),
                                    QCryptographicHash::Md5);
  } catch (const std::runtime_error&) {
    // Unlike any digest, so never as known.
    return QByteArrayLiteral("unreadable");
  }
}

void ProgramDocument::acceptDisk() { knownDigest_ = digestNow(); }

ProgramDocument::OnDisk ProgramDocument::checkDisk() const {
  const QByteArray now = digestNow();
  if (now == knownDigest_) return OnDisk::kAsKnown;
  return now.isEmpty() ? OnDisk::kGone : OnDisk::kChanged;
}

QString ProgramDocument::fileName() const {
  return path_.isEmpty() ? QString() : QFileInfo(path_).fileName();
}

QString ProgramDocument::title() const {
  return (path_.isEmpty() ? "Untitled" : fileName()) + "[*] - Orrikey";
}

QString ProgramDocument::saveQuestion(const QString& before) const {
  const QString name = path_.isEmpty() ? "the new program" : fileName();
  return QString("Save the changes to %1 before %2?").arg(name, before);
}

document::OpenAs ProgramDocument::OpenAsFor(Form form) {
  return form == Form::kRaw ? document::OpenAs::kRaw : document::OpenAs::kText;
}

document::FileForm ProgramDocument::TextForm(int filterIndex) {
  return filterIndex == 1 ? Form::kEightBitText : Form::kProgramText;
}

ProgramDocument::Target ProgramDocument::SaveAsTarget(const QString& chosen, int filterIndex) {
  const QString path = WithDefaultSuffix(chosen, "42S");
  return {path, HasSuffix(path, "raw") ? Form::kRaw : TextForm(filterIndex)};
}

ProgramDocument::Target ProgramDocument::SaveInTarget(Form form, const QString& chosen, int filterIndex) {
  const QString suffix = form == Form::kRaw ? "raw" : "42S";
  const QString path = HasSuffix(chosen, suffix) ? chosen : chosen + "." + suffix;
  return {path, form == Form::kRaw ? form : TextForm(filterIndex)};
}

QString ProgramDocument::ListingPath(const QString& chosen) { return WithDefaultSuffix(chosen, "txt"); }

QStringList ProgramDocument::RecentFiles() { return QSettings().value("recentFiles").toStringList(); }

}  // namespace orrikey
