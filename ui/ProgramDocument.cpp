#include "ui/ProgramDocument.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

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
  path_ = path;
  form_ = form;
  modified_ = false;
  acceptDisk();
  if (path.isEmpty()) return;
  QSettings settings;
  QStringList recent = settings.value("recentFiles").toStringList();
  recent.removeAll(path);
  recent.prepend(path);
  settings.setValue("recentFiles", recent.mid(0, kRecentFiles));
}

// The digest tells accidental changes, not crafted ones; modification times
// are too coarse to tell two writes within a few milliseconds apart.
QByteArray ProgramDocument::digestNow() const {
  QFile file(path_);
  if (path_.isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
  QCryptographicHash hash(QCryptographicHash::Md5);
  hash.addData(&file);
  return hash.result();
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

ProgramDocument::Target ProgramDocument::SaveInTarget(Form form, const QString& chosen,
                                                      int filterIndex) {
  const QString suffix = form == Form::kRaw ? "raw" : "42S";
  const QString path = HasSuffix(chosen, suffix) ? chosen : chosen + "." + suffix;
  return {path, form == Form::kRaw ? form : TextForm(filterIndex)};
}

QString ProgramDocument::ListingPath(const QString& chosen) {
  return WithDefaultSuffix(chosen, "txt");
}

QStringList ProgramDocument::RecentFiles() { return QSettings().value("recentFiles").toStringList(); }

}  // namespace orrikey
