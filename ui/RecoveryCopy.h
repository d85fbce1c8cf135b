#pragma once

// RecoveryCopy: unsaved work kept on disk while the editor runs, where the
// next start finds it when the editor was killed or its display went away
// before the work was saved. Each running editor keeps one copy of its own.

#include "document/OpenProgram.h"

#include <QDateTime>
#include <QString>

#include <vector>

namespace orrikey {

// Work that an editor no longer running left.
struct RecoveredWork {
  QString copyPath;
  QString filePath;  // empty for a program never saved
  document::FileForm form = document::FileForm::kProgramText;
  QString text;  // the program text pane as it was
  QDateTime written;
};

class RecoveryCopy {
 public:
  // In the user's state folder: $XDG_STATE_HOME/orrikey, else
  // ~/.local/state/orrikey.
  static QString DefaultFolder();

  explicit RecoveryCopy(const QString& folder = DefaultFolder());

  // Replaces this editor's copy at once, never leaving half of one.
  bool write(const QString& filePath, document::FileForm form, const QString& text) const;
  void remove() const;

  // The newest first; a copy that cannot be read is left where it is.
  std::vector<RecoveredWork> leftovers() const;

 private:
  QString folder_;
  QString path_;
};

}  // namespace orrikey
