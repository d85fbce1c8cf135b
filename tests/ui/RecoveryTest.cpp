// Work typed into an editor that is then killed comes back at the next
// start, to the file it was typed for. The editor runs as a child process:
// this program started with "--child FILE" opens FILE, types into it and
// waits to be killed.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/FileIO.h"
#include "files/PendingWrite.h"
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
  QObject::connect(&terminationSignals, &TerminationSignals::received, &window, &MainWindow::closeForLogout);
  window.show();
  if (!window.openFile(file)) return 3;
  auto* code = window.findChild<CodeEditor*>("codeEdit");
  code->moveCursor(QTextCursor::End);
  QTest::keyClicks(code, "\rSIN");  // \r is Return
  QTextStream(stdout) << "typed" << Qt::endl;
  return app.exec();
}

// Begins to rewrite FILE in place and dies half way.
int CutWriteShort(const char* file) {
  const int fd = ::open(file, O_RDWR);
  struct stat info {};
  files::PendingWrite pending;
  if (fd < 0 || ::fstat(fd, &info) != 0 || !pending.BeginRestore(fd, info, file)) return 3;
  if (::ftruncate(fd, 1) != 0) return 4;
  ::_exit(0);
}

QString Read(const QString& path) { return QString::fromStdString(files::ReadRawFile(path.toStdString())); }

void Write(const QString& path, std::string_view bytes) { files::WriteWholeFile(path.toStdString(), bytes); }

}  // namespace

class RecoveryTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;
  // The child edits p.42S in its own folder, named as typed in that folder;
  // the editor that restores the work starts in another that has a p.42S too.
  QString Folder() const { return dir.filePath("first"); }
  QString Program() const { return dir.filePath("first/p.42S"); }
  QString Namesake() const { return dir.filePath("second/p.42S"); }
  QStringList Copies() const {
    return QDir(dir.filePath("state/orrikey")).entryList({"*.recovery"}, QDir::Files);
  }

  // A child that typed into p.42S and whose copy of the work is on disk.
  void startTyping(QProcess& child) {
    child.setWorkingDirectory(Folder());
    child.start(QCoreApplication::applicationFilePath(), {"--child", "p.42S"});
    QVERIFY(child.waitForReadyRead(10'000));
    QTRY_VERIFY_WITH_TIMEOUT(!Copies().isEmpty(), 10'000);
  }

 private slots:
  void initTestCase() {
    qputenv("XDG_STATE_HOME", dir.filePath("state").toUtf8());
    QVERIFY(QDir(dir.path()).mkpath("first") && QDir(dir.path()).mkpath("second"));
    QDir::setCurrent(dir.filePath("second"));
  }
  void init() {
    Write(Program(), "CLX");
    Write(Namesake(), "ENTER");
    QDir(dir.filePath("state")).removeRecursively();
  }

  // KILL leaves the copy written when typing paused; TERM writes it at once.
  // The file changed on disk since is told, and a save over it asked about.
  void restoresWorkToItsOwnFile_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<Recovery>("answer");
    QTest::addColumn<bool>("changedOnDisk");
    QTest::newRow("killed, restored") << SIGKILL << Recovery::kRestore << false;
    QTest::newRow("killed, file changed since") << SIGKILL << Recovery::kRestore << true;
    QTest::newRow("terminated, discarded") << SIGTERM << Recovery::kDiscard << false;
  }
  void restoresWorkToItsOwnFile() {
    QFETCH(int, signal);
    QFETCH(Recovery, answer);
    QFETCH(bool, changedOnDisk);
    QProcess child;
    startTyping(child);
    ::kill(pid_t(child.processId()), signal);
    QVERIFY(child.waitForFinished(10'000));
    QCOMPARE(child.exitStatus() == QProcess::NormalExit, signal == SIGTERM);
    QCOMPARE(Copies().size(), 1);
    if (changedOnDisk) Write(Program(), "CLX\r\nCOS");

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
    QCOMPARE(Copies().size(), 1);  // now the restoring editor's own
    window.findChild<QAction*>("Save")->trigger();
    QCOMPARE(Read(Namesake()), "ENTER");
    if (changedOnDisk) {
      QVERIFY(dialogs.questions.last().startsWith("p.42S was changed by another program"));
      QCOMPARE(Read(Program()), "CLX\r\nCOS");
      QCOMPARE(Copies().size(), 1);
      return;
    }
    QVERIFY(Copies().isEmpty());
    QCOMPARE(Read(Program()), "CLX\r\nSIN");
  }

  // The work of an editor that still runs is its own, whatever the process
  // ids; a copy without a held lock is offered even when its process id now
  // belongs to another process.
  void offersOnlyWorkWhoseEditorIsGone() {
    QProcess child;
    startTyping(child);
    QFile::copy(dir.filePath("state/orrikey/" + Copies().front()),
                dir.filePath(QString("state/orrikey/%1.recovery").arg(::getppid())));
    {
      FakeDialogs dialogs;
      MainWindow window(dialogs);
      window.offerRecovery();
      QCOMPARE(dialogs.questions.size(), 1);
    }
    child.kill();
    QVERIFY(child.waitForFinished(10'000));
    FakeDialogs dialogs;
    MainWindow window(dialogs);
    window.offerRecovery();
    QCOMPARE(dialogs.questions.size(), 2);
  }

  // A file whose rewriting was cut short gets its old content back at the
  // next start, which says so.
  void restoresFilesWhoseWritingWasCutShort() {
    Write(Program(), "CLX\r\nSIN\r\nCOS");
    QVERIFY(QFile::link(Program(), dir.filePath("first/link.42S")));
    QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(), {"--cut-write-short", Program()}), 0);
    QCOMPARE(Read(Program()), "C");
    FakeDialogs dialogs;
    MainWindow window(dialogs);
    window.recoverInterruptedWrites();
    QCOMPARE(Read(Program()), "CLX\r\nSIN\r\nCOS");
    QCOMPARE(dialogs.informations.size(), 1);
    QVERIFY(dialogs.informations.front().contains("p.42S"));
    QFile::remove(dir.filePath("first/link.42S"));
  }

  // With nowhere to keep the work, a termination signal asks to save it, as
  // closing the window does, rather than close and lose it.
  void asksToSaveWhenWorkCannotBeKept() {
    QFile notAFolder(dir.filePath("state"));
    QVERIFY(notAFolder.open(QIODevice::WriteOnly));
    FakeDialogs dialogs;
    MainWindow window(dialogs);
    window.show();
    QVERIFY(window.openFile(Program()));
    QTest::keyClicks(window.findChild<CodeEditor*>("codeEdit"), "SIN");
    window.closeForLogout();
    QCOMPARE(dialogs.questions, QStringList{"Save the changes to p.42S before closing?"});
    QVERIFY(window.isVisible());
    QFile::remove(dir.filePath("state"));
  }

  // The error box of a file that cannot be opened stands in front of the
  // window; a termination signal still ends the editor, whenever it comes.
  void endsOnTerminationDuringStartUp_data() {
    QTest::addColumn<int>("delay");
    for (int delay : {300, 1500}) QTest::addRow("after %d ms", delay) << delay;
  }
  void endsOnTerminationDuringStartUp() {
    QFETCH(int, delay);
    QProcess editor;
    editor.start(ORRIKEY_EDITOR, {dir.filePath("missing.42S")});
    QVERIFY(editor.waitForStarted(10'000));
    QTest::qWait(delay);
    ::kill(pid_t(editor.processId()), SIGTERM);
    QVERIFY(editor.waitForFinished(10'000));
    QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
  }
};

int main(int argc, char** argv) {
  if (argc == 3 && QByteArray(argv[1]) == "--child") return RunChild(argc, argv, argv[2]);
  if (argc == 3 && QByteArray(argv[1]) == "--cut-write-short") return CutWriteShort(argv[2]);
  QApplication app(argc, argv);
  RecoveryTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "RecoveryTest.moc"
