// Takes the pictures of the README: the editor with a program open, as a
// user first sees it. It goes to the first line that has a problem and
// counts the "STO" in the find bar.
//
//   orrikey-screenshots PROGRAM light|dark editor|programs|tool OUT.png
//
// "dark" lays a dark palette over the desktop's, as a dark theme does;
// "programs" shows the Programs panel; "tool" takes the Program Tool alone.
// The window is 800x600 where the screen has room, else as large as the
// editor makes its first window (QT_SCALE_FACTOR=2 on a small screen).
// scripts/screenshots.sh takes every picture.

#include "ui/CodeEditor.h"
#include "ui/MainWindow.h"
#include "ui/ProgramTool.h"
#include "ui/QtDialogs.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>

namespace {

QPalette DarkPalette() {
  QPalette dark(QColor(53, 53, 53));
  dark.setColor(QPalette::Window, QColor(45, 45, 48));
  dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::AlternateBase, QColor(40, 40, 42));
  dark.setColor(QPalette::Text, QColor(220, 220, 220));
  dark.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
  dark.setColor(QPalette::Button, QColor(60, 60, 64));
  dark.setColor(QPalette::ButtonText, QColor(220, 220, 220));
  dark.setColor(QPalette::Highlight, QColor(42, 96, 160));
  dark.setColor(QPalette::HighlightedText, Qt::white);
  dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
  dark.setColor(QPalette::ToolTipText, QColor(220, 220, 220));
  return dark;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 5) {
    std::fputs("usage: orrikey-screenshots PROGRAM light|dark editor|programs|tool OUT.png\n", stderr);
    return 2;
  }
  const QString program = args[1], shows = args[3], out = args[4];
  // Neither the user's settings nor their recent files go into a picture.
  QStandardPaths::setTestModeEnabled(true);
  QSettings().clear();
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  if (args[2] == "dark") QApplication::setPalette(DarkPalette());

  orrikey::QtDialogs dialogs;
  orrikey::MainWindow window(dialogs);
  const QSize room = window.screen()->availableGeometry().size();
  if (room.width() >= 800 && room.height() >= 600) window.resize(800, 600);
  window.show();
  if (!window.openFile(program)) return 1;
  auto* code = window.findChild<orrikey::CodeEditor*>("codeEdit");
  for (int line = 0; line < code->lineCount(); ++line)
    if (!code->marker(line).isEmpty()) {
      code->selectLine(line);
      code->moveCursor(QTextCursor::StartOfLine);
      break;
    }
  window.findChild<QLineEdit*>("findEdit")->setText("STO");
  window.findChild<QAction*>("Find")->trigger();
  if (shows == "programs") window.findChild<QAction*>("ProgramsPanel")->trigger();
  if (shows == "tool") window.findChild<QAction*>("ProgramTool")->trigger();

  int status = 0;
  QTimer::singleShot(1000, [&] {
    QWidget* shown =
        shows == "tool" ? static_cast<QWidget*>(window.findChild<orrikey::ProgramTool*>()) : &window;
    if (!shown->grab().save(out)) status = 1;
    app.exit(status);
  });
  app.exec();
  return status;
}
