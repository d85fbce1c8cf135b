#include "ui/ProgramEditor.h"

#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/ElidedLabel.h"
#include "ui/HexPane.h"
#include "ui/LiveAssembly.h"
#include "ui/Look.h"
#include "ui/ProgramHighlighter.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>

#include <algorithm>

namespace orrikey {
namespace {

QPushButton* MakeButton(const QString& text, const QString& name) {
  auto* button = new QPushButton(text);
  button->setObjectName(name);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

// A pane's two buttons, at the ends of the row under it.
QHBoxLayout* ButtonRow(QPushButton* left, QPushButton* right) {
  auto* row = new QHBoxLayout;
  row->addWidget(left);
  row->addStretch();
  row->addWidget(right);
  return row;
}

QVBoxLayout* Column(QWidget* panel) {
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  return column;
}

}  // namespace

ProgramEditor::ProgramEditor(QWidget* parent)
    : QWidget(parent),
      code_(new CodeEditor),
      hex_(new HexPane),
      fileName_(new ElidedLabel),
      byteCount_(new QLabel) {
  setObjectName("programEditor");
  code_->setObjectName("codeEdit");
  code_->setAccessibleName("Program text");
  code_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The program text takes Tab as a character, with a stop every 60 pixels.
  code_->setTabStopDistance(60);
  code_->setReadsListings(true);
  hex_->setObjectName("hexEdit");
  assembly_ = new LiveAssembly(code_, hex_, this);
  new ProgramHighlighter(code_, *assembly_);
  code_->setCompletionSource([this](int line, int column) {
    return assembly_->model().CompletionsAt(size_t(line), size_t(column));
  });
  code_->setHelpSource([this](int line) { return helpForLine(line); });
  // Both panes scroll by whole lines, so equal positions keep rows level. The
  // program pane moves its scroll bar quietly when it keeps the caret in
  // view, but asks to be painted after every move, so the hex pane follows that.
  connect(code_, &QPlainTextEdit::updateRequest, hex_,
          [this] { hex_->scrollToRow(code_->verticalScrollBar()->value()); });
  connect(hex_, &HexPane::scrolled, code_->verticalScrollBar(), &QScrollBar::setValue);
  connect(code_, &CodeEditor::zoomRequested, this, &ProgramEditor::zoom);
  connect(hex_, &HexPane::zoomRequested, this, &ProgramEditor::zoom);
  connect(assembly_, &LiveAssembly::summaryChanged, this, &ProgramEditor::showSize);
  connect(code_, &QPlainTextEdit::cursorPositionChanged, this, &ProgramEditor::showSize);

  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->setObjectName("paneSplitter");
  splitter_->addWidget(createCodePanel());
  splitter_->addWidget(createHexPanel());
  splitter_->setChildrenCollapsible(false);
  Column(this)->addWidget(splitter_);
  zoom(0);
}

QWidget* ProgramEditor::createCodePanel() {
  fileName_->setObjectName("fileNameLabel");
  hexShown_ = new QCheckBox("HP42S HEX");
  hexShown_->setObjectName("hexViewBox");
  hexShown_->setChecked(true);
  connect(hexShown_, &QCheckBox::toggled, this, &ProgramEditor::setHexShown);
  auto* header = new QHBoxLayout;
  header->addWidget(MakeCaption("HP42S CODE"));
  header->addWidget(fileName_, 1);
  header->addWidget(hexShown_);
  QPushButton* clear = MakeButton("Clear Code", "clearCodeButton");
  QPushButton* toHex = MakeButton("Code->Hex", "convertToHexButton");
  connect(clear, &QPushButton::clicked, this, &ProgramEditor::clearCode);
  connect(toHex, &QPushButton::clicked, this, &ProgramEditor::convertToHex);
  auto* panel = new QWidget;
  QVBoxLayout* column = Column(panel);
  column->addLayout(header);
  column->addWidget(code_);
  column->addLayout(ButtonRow(clear, toHex));
  return panel;
}

QWidget* ProgramEditor::createHexPanel() {
  byteCount_->setObjectName("byteCountLabel");
  byteCount_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  QPushButton* clear = MakeButton("Clear Hex", "clearHexButton");
  QPushButton* toCode = MakeButton("Hex -> Code", "convertToCodeButton");
  connect(clear, &QPushButton::clicked, this, &ProgramEditor::clearHex);
  connect(toCode, &QPushButton::clicked, this, &ProgramEditor::convertToCodeClicked);
  hexPanel_ = new QWidget;
  QVBoxLayout* column = Column(hexPanel_);
  // As high as the program pane's header, so that the panes' rows stay level.
  byteCount_->setMinimumHeight(hexShown_->sizeHint().height());
  column->addWidget(byteCount_);
  column->addWidget(hex_);
  column->addLayout(ButtonRow(clear, toCode));
  return hexPanel_;
}

void ProgramEditor::saveSettings(QSettings& settings) const {
  settings.setValue("window/panes", splitter_->saveState());
  settings.setValue("window/hexView", hexShown_->isChecked());
  settings.setValue("window/zoom", zoomSteps_);
}

void ProgramEditor::restoreSettings(const QSettings& settings) {
  splitter_->restoreState(settings.value("window/panes").toByteArray());
  setHexShown(settings.value("window/hexView", true).toBool());
  zoom(settings.value("window/zoom", 0).toInt() - zoomSteps_);
}

void ProgramEditor::showFileName(const QString& name, const QString& path) {
  fileName_->setFullText(name, path);
}

void ProgramEditor::setHexShown(bool shown) {
  hexShown_->setChecked(shown);
  hexPanel_->setVisible(shown);
  emit hexShownChanged(shown);
}

// Both panes keep one size, so their rows stay level.
void ProgramEditor::zoom(int steps) {
  zoomSteps_ = std::clamp(zoomSteps_ + steps, -8, 20);
  QFont font = DisplayFont();
  font.setPixelSize(std::max(6, font.pixelSize() + 2 * zoomSteps_));
  const int numberWidth = QFontMetrics(font).horizontalAdvance(u"99999"_qs) + 12;
  code_->setFont(font);
  code_->setLineNumberWidth(numberWidth);
  hex_->setFont(font);
  hex_->setLineNumberWidth(numberWidth);
}

// A line that writes no bytes has no step, and shows none.
void ProgramEditor::showStepNumbers(bool shown) {
  if (!shown) return code_->setNumberText({});
  code_->setNumberText([this](int first, int count) {
    QStringList texts;
    for (const encoder::Assembly::Place& at : assembly_->assembly().PlacesOf(size_t(first), size_t(count)))
      texts += at.step == 0 ? u" "_qs : QString("%1").arg(at.step, 2, 10, QChar('0'));
    return texts;
  });
}

QString ProgramEditor::helpForLine(int line) const {
  return QString::fromStdString(assembly_->model().HelpAt(size_t(line)).value_or(std::string()));
}

void ProgramEditor::convertToHex() {
  const std::vector<int> blankLines = code_->blankLines();
  if (!blankLines.empty()) code_->deleteLines(blankLines);
  code_->setFocus();
}

// One undo step brings it all back, so nothing needs saving first. The file
// stays the program's own.
void ProgramEditor::clearCode() {
  QTextCursor cursor(code_->document());
  cursor.select(QTextCursor::Document);
  cursor.removeSelectedText();
}

void ProgramEditor::clearHex() {
  hex_->clear();
  byteCount_->clear();
}

void ProgramEditor::showSize() {
  const editing::ProgramModel& model = assembly_->model();
  const bool converts = model.errorCount() == 0;
  const size_t line = size_t(code_->textCursor().blockNumber());
  byteCount_->setToolTip(converts ? QString::fromStdString(model.TotalSize()) : QString());
  byteCount_->setText(converts ? QString::fromStdString(model.SizeOf(line)) : QString());
}

}  // namespace orrikey
