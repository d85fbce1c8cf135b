#include "ui/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

#include <algorithm>

namespace orrikey {
namespace {

const QString kTitle = QStringLiteral("Orrikey");

}  // namespace

Dialogs::Answer QtDialogs::AskToSave(const QString& question) {
  QMessageBox box(QMessageBox::Warning, kTitle, question,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::Save);
  // Alt and a letter answer, as the window's own buttons do.
  box.button(QMessageBox::Save)->setText("&Save");
  box.button(QMessageBox::Discard)->setText("&Discard");
  switch (box.exec()) {
    case QMessageBox::Save: return Answer::Save;
    case QMessageBox::Discard: return Answer::Discard;
    default: return Answer::Cancel;
  }
}

bool QtDialogs::Confirm(const QString& question, const QString& action) {
  QMessageBox box(QMessageBox::Warning, kTitle, question, QMessageBox::Cancel, QApplication::activeWindow());
  QPushButton* yes = box.addButton(action, QMessageBox::AcceptRole);
  box.setDefaultButton(QMessageBox::Cancel);
  box.exec();
  return box.clickedButton() == yes;
}

Dialogs::Recovery QtDialogs::AskToRecover(const QString& question, const QString& text) {
  QMessageBox box(QMessageBox::Question, kTitle, question, QMessageBox::NoButton,
                  QApplication::activeWindow());
  QPushButton* restore = box.addButton("Restore", QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QMessageBox::Discard);
  box.addButton("Not Now", QMessageBox::RejectRole);
  box.setDefaultButton(restore);
  box.setDetailedText(text);
  box.exec();
  if (box.clickedButton() == restore) return Recovery::kRestore;
  return box.clickedButton() == discard ? Recovery::kDiscard : Recovery::kLater;
}

void QtDialogs::ShowError(const QString& text) {
  QMessageBox::critical(QApplication::activeWindow(), kTitle, text);
}

void QtDialogs::ShowInformation(const QString& title, const QString& text) {
  QMessageBox::information(QApplication::activeWindow(), title, text);
}

bool QtDialogs::Execute(FileDialog& dialog) {
  const bool save = dialog.kind == FileDialog::Kind::Save;
  QFileDialog box(QApplication::activeWindow(), QString(), dialog.initialDir);
  const QStringList& filters = dialog.nameFilters;
  box.setNameFilters(filters);
  if (dialog.filterIndex < filters.size()) box.selectNameFilter(filters[dialog.filterIndex]);
  box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  box.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!dialog.fileName.isEmpty()) box.selectFile(dialog.fileName);
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return false;
  dialog.fileName = box.selectedFiles().front();
  dialog.filterIndex = std::max(0, int(filters.indexOf(box.selectedNameFilter())));
  return true;
}

bool QtDialogs::ChoosePrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtDialogs::AskText(const QString& title, const QString& prompt, const QString& value) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, value, &ok);
  if (!ok) return std::nullopt;
  return text;
}

}  // namespace orrikey
