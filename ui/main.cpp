#include "ui/LocalPath.h"
#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"
#include "ui/TerminationSignals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

namespace {

// The first file argument as its bytes name it: Qt's own reading of the
// arguments loses bytes that are not UTF-8.
QString FileArgument(int argc, char* argv[], const QCommandLineParser& parser) {
  const QString file = parser.positionalArguments().front();
  for (int i = 1; i < argc; ++i)
    if (QString::fromLocal8Bit(argv[i]) == file) return orrikey::FromLocalPath(argv[i]);
  return file;
}

}  // namespace

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
  // Inside the event loop, so that a termination signal ends the process even
  // while an error box stands in front of the window; the offer to restore
  // work comes once the window is on screen.
  QTimer::singleShot(0, &window, [&] {
    window.recoverInterruptedWrites();
    if (!parser.positionalArguments().isEmpty()) window.openFile(FileArgument(argc, argv, parser));
    if (window.isVisible()) window.offerRecovery();
  });
  return app.exec();
}
