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
  std::deque<Answer> answers;       // none left: the box is closed without an answer
  std::deque<bool> confirmations;   // none left: no
  std::deque<Recovery> recoveries;  // none left: later
  QStringList texts;                // the answers to AskText, in order; none is a cancel
  std::deque<QString> fileNames;    // none left, or an empty name: the dialog is cancelled
  int filterIndex = 0;              // the filter every dialog is left with
  QStringList questions;
  QStringList errors;
  QStringList informations;
  std::vector<FileDialog> shown;  // each file dialog as it was opened
  QString printTo;                // a PDF file, or empty: the print dialog is cancelled

  Answer AskToSave(const QString& q) override { return Next(q, answers, Answer::Cancel); }
  bool Confirm(const QString& q, const QString&) override { return Next(q, confirmations, false); }
  Recovery AskToRecover(const QString& q, const QString&) override {
    return Next(q, recoveries, Recovery::kLater);
  }
  void ShowError(const QString& text) override { errors += text; }
  void ShowInformation(const QString&, const QString& text) override { informations += text; }
  bool Execute(FileDialog& dialog) override {
    shown.push_back(dialog);
    const QString name = Pop(fileNames, QString());
    if (name.isEmpty()) return false;
    dialog.fileName = name;
    dialog.filterIndex = filterIndex;
    return true;
  }
  std::optional<QString> AskText(const QString&, const QString&, const QString&) override {
    if (texts.isEmpty()) return std::nullopt;
    return texts.takeFirst();
  }
  bool ChoosePrinter(QPrinter& printer) override {
    if (printTo.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printTo);
    return true;
  }

 private:
  template <typename T>
  static T Pop(std::deque<T>& queue, T none) {
    if (queue.empty()) return none;
    const T next = queue.front();
    queue.pop_front();
    return next;
  }
  template <typename T>
  T Next(const QString& question, std::deque<T>& queue, T none) {
    questions += question;
    return Pop(queue, none);
  }
};

}  // namespace orrikey
