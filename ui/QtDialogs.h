#pragma once

// The dialogs as the user sees them: QMessageBox and QFileDialog.

#include "ui/Dialogs.h"

#include <QStringList>

namespace orrikey {

class QtDialogs : public Dialogs {
 public:
  Answer AskToSave(const QString& question) override;
  bool Confirm(const QString& question, const QString& action) override;
  Recovery AskToRecover(const QString& question, const QString& text) override;
  void ShowError(const QString& text) override;
  void ShowInformation(const QString& title, const QString& text) override;
  bool Execute(FileDialog& dialog) override;
  bool ChoosePrinter(QPrinter& printer) override;
  std::optional<QString> AskText(const QString& title, const QString& prompt, const QString& value) override;
};

}  // namespace orrikey
