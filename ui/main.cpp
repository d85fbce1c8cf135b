#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"
#include "ui/TerminationSignals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Orrikey");
  QApplication::setApplicationName("orrikey");
  QApplication::setApplicationVersion(ORRIKEY_VERSION);
  // Lets the desktop match the window with the installed desktop entry and icon.
  QApplication::setDesktopFileName("orrikey");

  QCommandLineParser parser;
  parser.setApplicationDescription("An editor and assembler for HP-42S programs");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("file", "A program to open: a .raw file or program text (.42S).");
  parser.process(app);

  orrikey::QtDialogs dialogs;
  orrikey::MainWindow window(dialogs);
  orrikey::TerminationSignals terminationSignals;
  QObject::connect(&terminationSignals, &orrikey::TerminationSignals::received, &window,
                   &orrikey::MainWindow::closeForLogout);
  window.show();
  if (!parser.positionalArguments().isEmpty()) window.openFile(parser.positionalArguments().front());
  // Once the window is on screen, so that the offer stands in front of it.
  QTimer::singleShot(0, &window, &orrikey::MainWindow::offerRecovery);
  return app.exec();
}
