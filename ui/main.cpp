#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Lets the desktop match the window with the installed desktop entry and icon.
  QApplication::setDesktopFileName("orrikey");
  orrikey::QtDialogs dialogs;
  orrikey::TForm1 Form1(dialogs);
  Form1.show();
  return app.exec();
}
