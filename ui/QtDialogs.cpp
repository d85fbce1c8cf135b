#include "ui/QtDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>

namespace orrikey {
namespace {

const QString kTitle = QStringLiteral("Orrikey");

// Escape answers a Yes/No question with No, but closing the box gives no
// answer at all; QMessageBox would take the close for No as well.
class QuestionBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;
  bool closedWithoutAnswer = false;

 protected:
  void closeEvent(QCloseEvent* event) override {
    closedWithoutAnswer = true;
    QMessageBox::closeEvent(event);
  }
};

}  // namespace

Dialogs::Answer QtDialogs::Ask(const QString& question, Buttons buttons) {
  const bool withCancel = buttons == Buttons::YesNoCancel;
  QuestionBox box(QMessageBox::NoIcon, kTitle, question,
                  QMessageBox::Yes | QMessageBox::No |
                      (withCancel ? QMessageBox::Cancel : QMessageBox::NoButton),
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
  const int clicked = box.exec();
  if (box.closedWithoutAnswer) return Answer::Cancel;
  if (clicked == QMessageBox::Yes) return Answer::Yes;
  if (clicked == QMessageBox::No) return Answer::No;
  return Answer::Cancel;
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
  box.setNameFilters(QtNameFilters(dialog.filter));
  box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  box.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!dialog.fileName.isEmpty()) box.selectFile(dialog.fileName);
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return false;
  dialog.fileName = box.selectedFiles().front();
  return true;
}

bool QtDialogs::ChoosePrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  return dialog.exec() == QDialog::Accepted;
}

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
    // On Windows "*.*" matches every name, also one without a dot.
    for (QString& pattern : patterns)
      if (pattern == u"*.*") pattern = u'*';
    filters += parts[i] + " (" + patterns.join(u' ') + ")";
  }
  return filters;
}

}  // namespace orrikey
