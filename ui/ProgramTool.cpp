#include "ui/ProgramTool.h"

namespace orrikey {

TForm2::TForm2(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Program Tool");
  setFixedSize(499, 246);
  move(522, 292);
  QPalette background = palette();
  background.setColor(QPalette::Window, QColor(67, 60, 56));
  setPalette(background);
  setAutoFillBackground(true);
}

}  // namespace orrikey
