#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>
#include <utility>

namespace {

// Answers the first file dialog with the file named on the command line, so
// that the file goes through the File menu's own open command, with its
// checks and error messages.
class CommandLineDialogs : public orrikey::QtDialogs {
 public:
  explicit CommandLineDialogs(QString fileName) : fileName_(std::move(fileName)) {}

  bool Execute(orrikey::FileDialog& dialog) override {
    if (fileName_.isEmpty()) return QtDialogs::Execute(dialog);
    dialog.fileName = std::exchange(fileName_, QString());
    return true;
  }

 private:
  QString fileName_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationVersion(ORRIKEY_VERSION);
  // Lets the desktop match the window with the installed desktop entry and icon.
  QApplication::setDesktopFileName("orrikey");

  QCommandLineParser parser;
  parser.setApplicationDescription("An editor and assembler for HP-42S programs.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("file", "A program text file, or a raw program file (.raw), to open.",
                               "[file]");
  parser.process(app);
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    fputs("orrikey: open one file at a time\n", stderr);
    parser.showHelp(2);
  }
  const QString file = files.isEmpty() ? QString() : QFileInfo(files[0]).absoluteFilePath();

  CommandLineDialogs dialogs(file);
  orrikey::TForm1 Form1(dialogs);
  Form1.show();
  if (!file.isEmpty()) {
    const bool raw = file.endsWith(".raw", Qt::CaseInsensitive);
    (raw ? Form1.OpenHex1 : Form1.Open1)->trigger();
  }
  return app.exec();
}
