#pragma once

// The question boxes, message boxes and file dialogs of the main window,
// behind an interface so that tests can answer them.

#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;

namespace orrikey {

// A file dialog's settings. It keeps the last chosen name and offers it
// again the next time.
struct FileDialog {
  enum class Kind { Open, Save };
  Kind kind;
  QStringList nameFilters;  // as QFileDialog takes them: "Raw files (*.raw)"
  QString initialDir;
  QString fileName = {};
  int filterIndex = 0;  // the chosen filter's place in `nameFilters`, from 0
};

class Dialogs {
 public:
  enum class Answer { Save, Discard, Cancel };
  enum class Recovery { kRestore, kDiscard, kLater };

  virtual ~Dialogs() = default;

  // Offers to save changed text; closing the box without an answer cancels.
  virtual Answer AskToSave(const QString& question) = 0;
  // A yes-or-no question whose yes is `action` ("Reload"); closing the box
  // says no.
  virtual bool Confirm(const QString& question, const QString& action) = 0;
  // Offers work a killed editor left, `text` shown on request; closing the
  // box keeps it for later.
  virtual Recovery AskToRecover(const QString& question, const QString& text) = 0;
  virtual void ShowError(const QString& text) = 0;
  virtual void ShowInformation(const QString& title, const QString& text) = 0;
  // Shows the dialog; true when the user chose a file, whose full path is then
  // the dialog's fileName. A save dialog asks before overwriting a file.
  virtual bool Execute(FileDialog& dialog) = 0;
  // The print dialog; true when the user confirmed it, with `printer` set up
  // as chosen.
  virtual bool ChoosePrinter(QPrinter& printer) = 0;
  // A line of text, starting from `value`; nothing when the user cancelled.
  virtual std::optional<QString> AskText(const QString& title, const QString& prompt,
                                         const QString& value) = 0;
};

}  // namespace orrikey
