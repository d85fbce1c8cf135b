#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  orrikey::QtDialogs dialogs;
  orrikey::TForm1 Form1(dialogs);
  Form1.show();
  return app.exec();
}
