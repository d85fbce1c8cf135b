#pragma once

// Answers the main window's questions and file dialogs from queues that the
// test fills, and records everything shown.

#include "ui/Dialogs.h"

#include <QPrinter>
#include <QStringList>

#include <deque>
#include <vector>

namespace orrikey {

class FakeDialogs : public Dialogs {
 public:
  std::deque<Answer> answers;     // none left: the box is closed without an answer
  std::deque<bool> confirmations; // none left: no
  std::deque<Recovery> recoveries; // none left: later
  std::optional<int> lineNumber;  // the Go to Line answer
  std::deque<QString> fileNames;  // none left, or an empty name: the dialog is cancelled
  int filterIndex = 0;            // the filter every dialog is left with
  QStringList questions;
  QStringList errors;
  std::vector<FileDialog> shown;  // each file dialog as it was opened
  QString printTo;                // a PDF file, or empty: the print dialog is cancelled

  Answer AskToSave(const QString& question) override {
    questions += question;
    if (answers.empty()) return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool Confirm(const QString& question, const QString&) override {
    questions += question;
    if (confirmations.empty()) return false;
    const bool yes = confirmations.front();
    confirmations.pop_front();
    return yes;
  }
  Recovery AskToRecover(const QString& question, const QString&) override {
    questions += question;
    if (recoveries.empty()) return Recovery::kLater;
    const Recovery answer = recoveries.front();
    recoveries.pop_front();
    return answer;
  }
  void ShowError(const QString& text) override { errors += text; }
  void ShowInformation(const QString&, const QString&) override {}
  bool Execute(FileDialog& dialog) override {
    shown.push_back(dialog);
    if (fileNames.empty()) return false;
    const QString name = fileNames.front();
    fileNames.pop_front();
    if (name.isEmpty()) return false;
    dialog.fileName = name;
    dialog.filterIndex = filterIndex;
    return true;
  }
  std::optional<int> AskLineNumber(int, int) override { return lineNumber; }
  bool ChoosePrinter(QPrinter& printer) override {
    if (printTo.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printTo);
    return true;
  }
};

}  // namespace orrikey
