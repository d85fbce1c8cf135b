// The editor's heavy commands through the real windows under the offscreen
// platform: "Code->Hex" and "Open Raw File", which reads, decodes and converts
// the file again, on a 10,000-line program, and the Program Tool's "Scan",
// which finds and sorts the symbols of a 100,000-line program.

#include <benchmark/benchmark.h>

#include "ui/GutterMemo.h"
#include "ui/MainWindow.h"
#include "ui/ProgramTool.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

using namespace orrikey;

// Answers No to every question and opens one file.
class OpenOneFile : public Dialogs {
 public:
  explicit OpenOneFile(QString path) : path_(std::move(path)) {}
  Answer Ask(const QString&, Buttons) override { return Answer::No; }
  void ShowError(const QString& text) override { qFatal("%s", qPrintable(text)); }
  void ShowInformation(const QString&, const QString&) override {}
  bool Execute(FileDialog& dialog) override {
    dialog.fileName = path_;
    return true;
  }
  bool ChoosePrinter(QPrinter&) override { return false; }

 private:
  QString path_;
};

std::vector<std::string> Program() {
  const std::vector<std::string> kinds = {
      "LBL \"MAIN\"", "INPUT \"N\"", "STO 05", "RCL IND ST X", "X\x89Y?",     "GTO 01",
      "STO\xA0 07",   "1.5\x98-3",   "\x85+",  "\"ROOT\"",     "XEQ \"SUB\"", "LBL 01",
      "ISG 00",       "CLX",         "ENTER",  "VIEW \"X\"",   "FIX 04",      "RTN"};
  std::vector<std::string> program;
  for (size_t i = 0; program.size() < 9'999; ++i) program.push_back(kinds[i % kinds.size()]);
  program.push_back("END");
  return program;
}

void BM_CodeToHex(benchmark::State& state) {
  OpenOneFile dialogs("");
  TForm1 form(dialogs);
  form.show();
  form.HP42SCode->SetLines(Program());
  for (auto _ : state) form.MakeHexCode();
  if (!form.Label3->text().startsWith("{ ")) state.SkipWithError("a line failed to convert");
}
BENCHMARK(BM_CodeToHex)->Unit(benchmark::kMillisecond);

void BM_OpenRawFile(benchmark::State& state) {
  QTemporaryDir dir;
  OpenOneFile dialogs(dir.filePath("program.raw"));
  TForm1 form(dialogs);
  form.show();
  form.HP42SCode->SetLines(Program());
  form.MakeHexCode();
  form.SaveHex1->trigger();
  for (auto _ : state) form.OpenHex1->trigger();
  if (form.HP42SCode->LineCount() != 10'000) state.SkipWithError("the program did not come back");
}
BENCHMARK(BM_OpenRawFile)->Unit(benchmark::kMillisecond);

void BM_ProgramToolScan(benchmark::State& state) {
  OpenOneFile dialogs("");
  TForm1 form(dialogs);
  form.show();
  std::vector<std::string> program;
  for (int copy = 0; copy < 10; ++copy) {
    const std::vector<std::string> part = Program();
    program.insert(program.end(), part.begin(), part.end());
  }
  form.HP42SCode->SetLines(program);
  form.OpCode1->trigger();
  auto* tool = form.findChild<TForm2*>();
  for (QCheckBox* box : {tool->CheckBox1, tool->CheckBox2, tool->CheckBox3, tool->CheckBox4})
    box->setChecked(true);
  for (auto _ : state) tool->Button1->click();
  state.counters["finds"] = tool->Memo2->LineCount();
}
BENCHMARK(BM_ProgramToolScan)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
