// Work typed into an editor that is then killed comes back at the next
// start. The editor runs as a child process: this program started with
// "--child FILE" opens FILE, types into it and waits to be killed.

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include "files/FileIO.h"
#include "files/RawFile.h"
#include "tests/ui/FakeDialogs.h"
#include "ui/CodeEditor.h"
#include "ui/MainWindow.h"
#include "ui/TerminationSignals.h"

using namespace orrikey;
using Recovery = Dialogs::Recovery;
Q_DECLARE_METATYPE(Recovery)

namespace {

int RunChild(int argc, char** argv, const QString& file) {
  QApplication app(argc, argv);
  FakeDialogs dialogs;
  MainWindow window(dialogs);
  TerminationSignals terminationSignals;
  QObject::connect(&terminationSignals, &TerminationSignals::received, &window,
                   &MainWindow::closeForLogout);
  window.show();
  if (!window.openFile(file)) return 3;
  auto* code = window.findChild<CodeEditor*>("codeEdit");
  code->moveCursor(QTextCursor::End);
  QTest::keyClicks(code, "\rSIN");  // \r is Return
  QTextStream(stdout) << "typed" << Qt::endl;
  return app.exec();
}

}  // namespace

class RecoveryTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;
  QString Program() const { return dir.filePath("p.42S"); }
  QStringList Copies() const {
    return QDir(dir.filePath("state/orrikey")).entryList({"*.recovery"}, QDir::Files);
  }

 private slots:
  void initTestCase() { qputenv("XDG_STATE_HOME", dir.filePath("state").toUtf8()); }

  // KILL leaves the copy written when typing paused; TERM writes it at once.
  void restoresWorkOfAKilledEditor_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<Recovery>("answer");
    QTest::newRow("killed, restored") << SIGKILL << Recovery::kRestore;
    QTest::newRow("terminated, discarded") << SIGTERM << Recovery::kDiscard;
  }
  void restoresWorkOfAKilledEditor() {
    QFETCH(int, signal);
    QFETCH(Recovery, answer);
    files::WriteWholeFile(Program().toStdString(), "CLX");

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--child", Program()});
    QVERIFY(child.waitForReadyRead(10'000));
    if (signal == SIGKILL) QTRY_VERIFY_WITH_TIMEOUT(!Copies().isEmpty(), 10'000);
    ::kill(pid_t(child.processId()), signal);
    QVERIFY(child.waitForFinished(10'000));
    QCOMPARE(child.exitStatus() == QProcess::NormalExit, signal == SIGTERM);
    QCOMPARE(Copies().size(), 1);

    FakeDialogs dialogs;
    dialogs.recoveries = {Recovery::kLater, answer};
    MainWindow window(dialogs);
    window.offerRecovery();
    QCOMPARE(Copies().size(), 1);
    window.offerRecovery();
    QVERIFY(dialogs.questions.last().endsWith("before the changes to p.42S were saved. Restore them?"));
    const QString text = window.findChild<CodeEditor*>("codeEdit")->toPlainText();
    if (answer == Recovery::kDiscard) {
      QVERIFY(Copies().isEmpty() && text.isEmpty());
      return;
    }
    QCOMPARE(text, "CLX\nSIN");
    QCOMPARE(window.windowTitle(), "p.42S[*] - Orrikey");
    QVERIFY(window.isWindowModified());
    QCOMPARE(Copies(), QStringList{QString("%1.recovery").arg(QCoreApplication::applicationPid())});
    window.findChild<QAction*>("Save")->trigger();
    QVERIFY(Copies().isEmpty());
    QCOMPARE(files::ReadRawFile(Program().toStdString()), "CLX\r\nSIN");
  }
};

int main(int argc, char** argv) {
  if (argc == 3 && QByteArray(argv[1]) == "--child") return RunChild(argc, argv, argv[2]);
  QApplication app(argc, argv);
  RecoveryTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "RecoveryTest.moc"
