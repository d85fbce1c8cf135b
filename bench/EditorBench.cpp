// The editor's heavy work through the real windows under the offscreen
// platform, on a 10,000-line program: a keystroke until its hex row and
// marker follow, "Code->Hex", "Open Raw File" (read, decode, assemble), and
// start-up; opening the largest program file; and the Program Tool's "Scan"
// of a 100,000-line program.

#include <benchmark/benchmark.h>

#include "CycledProgram.h"
#include "files/FileIO.h"
#include "files/ProgramText.h"
#include "ui/CodeEditor.h"
#include "ui/HexPane.h"
#include "ui/MainWindow.h"
#include "ui/ProgramTool.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

using namespace orrikey;

// Discards every change, opens one file and saves under its name.
class OpenOneFile : public Dialogs {
 public:
  explicit OpenOneFile(QString path) : path_(std::move(path)) {}
  Answer AskToSave(const QString&) override { return Answer::Discard; }
  bool Confirm(const QString&, const QString&) override { return true; }
  Recovery AskToRecover(const QString&, const QString&) override { return Recovery::kLater; }
  void ShowError(const QString& text) override { qFatal("%s", qPrintable(text)); }
  void ShowInformation(const QString&, const QString&) override {}
  bool Execute(FileDialog& dialog) override {
    dialog.fileName = path_;
    return true;
  }
  bool ChoosePrinter(QPrinter&) override { return false; }
  std::optional<QString> AskText(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }

 private:
  QString path_;
};

std::vector<std::string> Program() {
  const std::vector<std::string> kinds = {
      "LBL \"MAIN\"", "INPUT \"N\"", "STO 05", "RCL IND ST X", "X\x89Y?",     "GTO 01",
      "STO\xA0 07",   "1.5\x98-3",   "\x85+",  "\"ROOT\"",     "XEQ \"SUB\"", "LBL 01",
      "ISG 00",       "CLX",         "ENTER",  "VIEW \"X\"",   "FIX 04",      "RTN"};
  std::vector<std::string> program = CycledProgram(kinds, 9'999);
  program.push_back("END");
  return program;
}

CodeEditor* Code(MainWindow& window) { return window.findChild<CodeEditor*>("codeEdit"); }

// A key typed in the middle of the program, and the same key taken back,
// each until the hex row, the byte count, the INFO list with the label
// warnings and the Programs panel have followed.
void BM_Keystroke(benchmark::State& state) {
  OpenOneFile dialogs("");
  MainWindow window(dialogs);
  window.show();
  window.findChild<QAction*>("ProgramsPanel")->trigger();  // the outline follows too
  CodeEditor* code = Code(window);
  code->setLines(Program());
  code->setTextCursor(QTextCursor(code->document()->findBlockByNumber(5'000)));
  code->moveCursor(QTextCursor::EndOfBlock);
  auto* hex = window.findChild<HexPane*>("hexEdit");
  for (auto _ : state) {
    QTest::keyClick(code, Qt::Key_X);
    window.convertToHex();
    QTest::keyClick(code, Qt::Key_Backspace);
    window.convertToHex();
  }
  if (hex->text().section(u'\n', 5'000, 5'000).startsWith("-"))
    state.SkipWithError("the hex row did not follow");
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMillisecond);

void BM_CodeToHex(benchmark::State& state) {
  OpenOneFile dialogs("");
  MainWindow window(dialogs);
  window.show();
  for (auto _ : state) {
    Code(window)->setLines(Program());
    window.convertToHex();
  }
  if (!window.findChild<QLabel*>("byteCountLabel")->text().startsWith("{ "))
    state.SkipWithError("a line failed to convert");
}
BENCHMARK(BM_CodeToHex)->Unit(benchmark::kMillisecond);

void BM_OpenRawFile(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("program.raw");
  OpenOneFile dialogs(path);
  MainWindow window(dialogs);
  window.show();
  Code(window)->setLines(Program());
  window.findChild<QAction*>("SaveRawFile")->trigger();
  for (auto _ : state) window.openFile(path);
  if (Code(window)->lineCount() != 10'000) state.SkipWithError("the program did not come back");
}
BENCHMARK(BM_OpenRawFile)->Unit(benchmark::kMillisecond);

// The largest program file the editor opens: 4 MiB of program text. Peak
// memory is that of the whole benchmark process.
void BM_OpenLargestProgram(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("largest.42S");
  std::string text;
  for (const std::string& line : CycledProgram(Program(), files::kMaxProgramFileSize)) {
    if (text.size() + line.size() + 2 > files::kMaxProgramFileSize) break;
    text.append(line).append("\r\n");
  }
  files::WriteProgramTextFile(path.toStdString(), text);
  OpenOneFile dialogs(path);
  MainWindow window(dialogs);
  window.show();
  for (auto _ : state) window.openFile(path);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peakMB"] = double(usage.ru_maxrss) / 1024;
  state.counters["lines"] = Code(window)->lineCount();
}
BENCHMARK(BM_OpenLargestProgram)->Unit(benchmark::kMillisecond)->Iterations(1);

// From nothing to a shown window with its menus, panes and settings.
void BM_StartUp(benchmark::State& state) {
  OpenOneFile dialogs("");
  for (auto _ : state) {
    MainWindow window(dialogs);
    window.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

void BM_ProgramToolScan(benchmark::State& state) {
  OpenOneFile dialogs("");
  MainWindow window(dialogs);
  window.show();
  std::vector<std::string> program;
  for (int copy = 0; copy < 10; ++copy) {
    const std::vector<std::string> part = Program();
    program.insert(program.end(), part.begin(), part.end());
  }
  Code(window)->setLines(program);
  window.findChild<QAction*>("ProgramTool")->trigger();
  auto* tool = window.findChild<ProgramTool*>();
  for (QCheckBox* box : tool->findChildren<QCheckBox*>()) box->setChecked(true);
  auto* scan = tool->findChild<QPushButton*>("scanButton");
  for (auto _ : state) scan->click();
  state.counters["finds"] = tool->findChild<CodeEditor*>("findsEdit")->lineCount();
}
BENCHMARK(BM_ProgramToolScan)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The windows keep their settings apart from the user's.
  QStandardPaths::setTestModeEnabled(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
