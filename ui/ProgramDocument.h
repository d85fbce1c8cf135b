#pragma once

// ProgramDocument: the program file behind the editor, without its windows:
// which file is open and in which form, whether its text changed since it
// was read or written, whether another program changed the file since, the
// form each open and save command reads or writes, and the recently opened
// files.

#include "document/OpenProgram.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orrikey {

class ProgramDocument {
 public:
  using Form = document::FileForm;

  // Where a save writes, and in which form.
  struct Target {
    QString path;
    Form form;
  };

  // The file on disk against what this document last read, wrote or
  // accepted of it.
  enum class OnDisk { kAsKnown, kChanged, kGone };

  static constexpr int kRecentFiles = 8;

  const QString& path() const { return path_; }
  Form form() const { return form_; }
  bool isModified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }

  // The file just read or written, unmodified; an empty path is a new
  // program. The path is kept from the root (see AbsolutePath), and the file
  // goes to the top of the recent files.
  void setFile(const QString& path, Form form);

  // Only other bytes are a change: a file touched, or written again with
  // the same bytes, is as known. A file that is no longer a regular file of
  // a program's size is changed; it is never waited on nor read whole.
  OnDisk checkDisk() const;
  // What the file holds now becomes what the document knows of it.
  void acceptDisk();
  // What the document knows of the file, to be known again by a later
  // editor that takes over its work; empty when there was no such file.
  const QByteArray& knownDisk() const { return knownDigest_; }
  void assumeDisk(const QByteArray& known) { knownDigest_ = known; }

  // The file's name, empty for a new program.
  QString fileName() const;
  // With the place of the modified mark.
  QString title() const;
  // Asked before `before` (a command's words) throws changed text away.
  QString saveQuestion(const QString& before) const;

  // A listing is only read: saving it, like a new program, asks for a name.
  bool saveNeedsName() const { return path_.isEmpty() || form_ == Form::kListing; }

  // The open commands for one form read raw bytes or program text alone.
  static document::OpenAs OpenAsFor(Form form);
  // Program text is UTF-8 unless the save dialog's 8-bit filter was chosen.
  static Form TextForm(int filterIndex);
  // Save As: raw by the name's extension, else program text; a name without
  // an extension is program text.
  static Target SaveAsTarget(const QString& chosen, int filterIndex);
  // Save Raw File and Save 42S Code: the form of the command, its extension
  // added when the name lacks it.
  static Target SaveInTarget(Form form, const QString& chosen, int filterIndex);
  // A listing's name without an extension gets ".txt".
  static QString ListingPath(const QString& chosen);

  // The most recent first.
  static QStringList RecentFiles();

 private:
  QByteArray digestNow() const;

  QString path_;
  Form form_ = Form::kProgramText;
  bool modified_ = false;
  QByteArray knownDigest_;  // empty: no such file
};

}  // namespace orrikey
