#pragma once

// RecoveryCopy: unsaved work kept on disk while the editor runs, where the
// next start finds it when the editor was killed or its display went away
// before the work was saved. Each running editor keeps one copy of its own,
// and holds a lock beside it for as long as it runs: a copy whose lock is
// free was left by an editor that is gone.

#include "document/OpenProgram.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

namespace orrikey {

// Work that an editor no longer running left.
struct RecoveredWork {
  QString copyPath;
  QString filePath;  // from the root; empty for a program never saved
  document::FileForm form = document::FileForm::kProgramText;
  QString text;  // the program text pane as it was
  // What the file held when the editor last read or wrote it, as
  // ProgramDocument::knownDisk() tells it.
  QByteArray knownDisk;
  QDateTime written;
};

class RecoveryCopy {
 public:
  // In the user's state folder: $XDG_STATE_HOME/orrikey, else
  // ~/.local/state/orrikey.
  static QString DefaultFolder();

  explicit RecoveryCopy(const QString& folder = DefaultFolder());
  RecoveryCopy(const RecoveryCopy&) = delete;
  RecoveryCopy& operator=(const RecoveryCopy&) = delete;
  ~RecoveryCopy();

  const QString& folder() const { return folder_; }

  // Replaces this editor's copy at once, never leaving half of one. False
  // when the copy could not be written.
  bool write(const QString& filePath, document::FileForm form, const QString& text,
             const QByteArray& knownDisk);
  void remove();

  // The newest first; a copy that cannot be read, or whose editor still
  // runs, is left where it is.
  std::vector<RecoveredWork> leftovers() const;
  // Removes a copy that leftovers() found, once its work is taken over or
  // thrown away.
  static void Discard(const RecoveredWork& work);

 private:
  QString folder_;
  QString name_;  // the copy's and the lock's name, without their suffixes
  int lock_ = -1;
};

}  // namespace orrikey
