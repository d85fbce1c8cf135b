#include "ui/RecoveryCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>

#include <signal.h>

namespace orrikey {
namespace {

constexpr auto kSuffix = ".recovery";

// A copy is named by the process that writes it; while that process runs,
// the copy is its own.
bool StillRunning(const QString& copyName) {
  bool numeric = false;
  const qint64 pid = copyName.section('.', 0, 0).toLongLong(&numeric);
  if (!numeric || pid <= 0) return false;
  return pid == QCoreApplication::applicationPid() || ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

}  // namespace

QString RecoveryCopy::DefaultFolder() {
  // Tests keep their copies apart from the user's, as Qt's test mode keeps
  // settings and data.
  if (QStandardPaths::isTestModeEnabled()) return QDir::homePath() + "/.qttest/state/orrikey";
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  if (!QDir::isAbsolutePath(state)) state = QDir::homePath() + "/.local/state";
  return state + "/orrikey";
}

RecoveryCopy::RecoveryCopy(const QString& folder)
    : folder_(folder),
      path_(folder + '/' + QString::number(QCoreApplication::applicationPid()) + kSuffix) {}

bool RecoveryCopy::write(const QString& filePath, document::FileForm form, const QString& text) const {
  if (!QDir().mkpath(folder_)) return false;
  QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QJsonObject copy{{"file", filePath}, {"form", int(form)}, {"text", text}};
  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(QJsonDocument(copy).toJson(QJsonDocument::Compact));
  return file.commit();
}

void RecoveryCopy::remove() const { QFile::remove(path_); }

std::vector<RecoveredWork> RecoveryCopy::leftovers() const {
  std::vector<RecoveredWork> found;
  const QDir folder(folder_);
  for (const QFileInfo& info : folder.entryInfoList({QString("*") + kSuffix}, QDir::Files)) {
    if (StillRunning(info.fileName())) continue;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QJsonObject copy = QJsonDocument::fromJson(file.readAll()).object();
    const int form = copy.value("form").toInt(-1);
    if (!copy.value("text").isString() || form < 0 || form > int(document::FileForm::kListing))
      continue;
    found.push_back({info.filePath(), copy.value("file").toString(), document::FileForm(form),
                     copy.value("text").toString(), info.lastModified()});
  }
  std::sort(found.begin(), found.end(),
            [](const RecoveredWork& a, const RecoveredWork& b) { return a.written > b.written; });
  return found;
}

}  // namespace orrikey
