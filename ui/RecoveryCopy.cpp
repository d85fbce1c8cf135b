#include "ui/RecoveryCopy.h"

#include "files/Recovery.h"
#include "ui/LocalPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace orrikey {
namespace {

constexpr auto kCopySuffix = ".recovery";
constexpr auto kLockSuffix = ".lock";

QString LockPathOf(const QString& copyPath) {
  return copyPath.left(copyPath.size() - qsizetype(qstrlen(kCopySuffix))) + kLockSuffix;
}

// True while another process holds the lock: locks held through another open
// of the file conflict even within one process, so this editor's own copy
// counts as held too. A process id would prove nothing, as ids come back.
bool Held(const QString& lockPath) {
  const int fd = ::open(LocalPath(lockPath).c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

// Copies written before paths were kept from the root name their file as it
// was typed, relative to a folder no longer known: such work comes back as a
// new program rather than over whichever file has that name here.
QString FileOf(const QJsonObject& copy) {
  if (copy.contains("path"))
    return FromLocalPath(
        QByteArray::fromPercentEncoding(copy.value("path").toString().toLatin1()).toStdString());
  const QString typed = copy.value("file").toString();
  return QDir::isAbsolutePath(typed) ? typed : QString();
}

}  // namespace

QString RecoveryCopy::DefaultFolder() {
  // Tests keep their copies apart from the user's, as Qt's test mode keeps
  // settings and data.
  if (QStandardPaths::isTestModeEnabled()) return QDir::homePath() + "/.qttest/state/orrikey";
  return FromLocalPath(files::StateFolder());
}

// The start time keeps the name apart from that of an earlier editor whose
// process id this one was given.
RecoveryCopy::RecoveryCopy(const QString& folder)
    : folder_(folder),
      name_(QString("%1/%2-%3")
                .arg(folder)
                .arg(QCoreApplication::applicationPid())
                .arg(QDateTime::currentMSecsSinceEpoch())) {}

RecoveryCopy::~RecoveryCopy() {
  if (lock_ < 0) return;
  // A copy kept for the next start keeps its lock file, free once this
  // process is gone.
  if (!QFile::exists(name_ + kCopySuffix)) QFile::remove(name_ + kLockSuffix);
  ::close(lock_);
}

bool RecoveryCopy::write(const QString& filePath, document::FileForm form, const QString& text,
                         const QByteArray& knownDisk) {
  if (!QDir().mkpath(folder_)) return false;
  QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  if (lock_ < 0) {
    const int fd = ::open(LocalPath(name_ + kLockSuffix).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return false;
    }
    lock_ = fd;
  }
  const QJsonObject copy{
      {"path", QString::fromLatin1(QByteArray::fromStdString(LocalPath(filePath)).toPercentEncoding())},
      {"form", int(form)},
      {"text", text},
      {"disk", QString::fromLatin1(knownDisk.toHex())}};
  QSaveFile file(name_ + kCopySuffix);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(QJsonDocument(copy).toJson(QJsonDocument::Compact));
  return file.commit();
}

// The copy goes before its lock, so that no other editor takes a copy of a
// running one for left behind.
void RecoveryCopy::remove() {
  QFile::remove(name_ + kCopySuffix);
  if (lock_ < 0) return;
  QFile::remove(name_ + kLockSuffix);
  ::close(lock_);
  lock_ = -1;
}

std::vector<RecoveredWork> RecoveryCopy::leftovers() const {
  std::vector<RecoveredWork> found;
  const QDir folder(folder_);
  for (const QFileInfo& info : folder.entryInfoList({QString("*") + kCopySuffix}, QDir::Files)) {
    if (Held(LockPathOf(info.filePath()))) continue;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QJsonObject copy = QJsonDocument::fromJson(file.readAll()).object();
    const int form = copy.value("form").toInt(-1);
    if (!copy.value("text").isString() || form < 0 || form > int(document::FileForm::kListing)) continue;
    found.push_back({info.filePath(), FileOf(copy), document::FileForm(form), copy.value("text").toString(),
                     QByteArray::fromHex(copy.value("disk").toString().toLatin1()), info.lastModified()});
  }
  std::sort(found.begin(), found.end(),
            [](const RecoveredWork& a, const RecoveredWork& b) { return a.written > b.written; });
  return found;
}

void RecoveryCopy::Discard(const RecoveredWork& work) {
  QFile::remove(work.copyPath);
  QFile::remove(LockPathOf(work.copyPath));
}

}  // namespace orrikey
