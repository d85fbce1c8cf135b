// The Program Tool's symbol scanner page "RegVarLbl": where the program stores
// into registers and variables, declares menu variables and defines labels,
// and the jump from a find to its program line.

#include "ui/ProgramTool.h"

#include "reference/SymbolScan.h"
#include "ui/DisplayCodes.h"
#include "ui/CodeEditor.h"
#include "ui/Look.h"

#include <QCheckBox>
#include <QCollator>
#include <QPushButton>
#include <QTextBlock>

#include <algorithm>

namespace orrikey {
namespace {

// The preliminary caret of a jump lies this many characters beyond the
// target line, on the side away from the caret, so that the final scroll
// comes to the line from there.
constexpr int kJumpApproach = 100;

QCheckBox* MakeKindBox(QWidget* page, int top, const QString& caption) {
  auto* box = new QCheckBox(page);
  box->setGeometry(8, top, 17, 17);
  MakeLabel(page, caption, {32, top}, page->font(), kCaptionOrange);
  return box;
}

// Ascending in the user's locale, ignoring case; equal entries keep their order.
QStringList SortedForDisplay(const std::vector<std::string>& entries) {
  QStringList sorted;
  sorted.reserve(qsizetype(entries.size()));
  for (const std::string& entry : entries) sorted += ToDisplayText(entry);
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
  return sorted;
}

}  // namespace

void ProgramTool::createScanPage() {
  QWidget* page = addPage("RegVarLbl");
  registersBox_ = MakeKindBox(page, 8, "REGISTER");
  variablesBox_ = MakeKindBox(page, 32, "VARIABLE");
  menuVariablesBox_ = MakeKindBox(page, 56, "MVAR");
  labelsBox_ = MakeKindBox(page, 80, "LABEL");
  scanButton_ = new QPushButton("Scan", page);
  scanButton_->setGeometry(8, 136, 41, 25);
  findsEdit_ = new CodeEditor(page);
  findsEdit_->setGeometry(136, 8, 337, 153);
  findsEdit_->setFont(DisplayFont());
  // The edit control's own tab stops: every eight average characters.
  findsEdit_->setTabStopDistance(8 * findsEdit_->fontMetrics().averageCharWidth());
  findsEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  findsEdit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  findsEdit_->viewport()->setCursor(Qt::PointingHandCursor);
  connect(scanButton_, &QPushButton::clicked, this, &ProgramTool::scan);
  connect(findsEdit_, &CodeEditor::doubleClicked, this, &ProgramTool::jumpToFind);
}

void ProgramTool::scan() {
  const ScanKinds kinds{.registers = registersBox_->isChecked(),
                        .variables = variablesBox_->isChecked(),
                        .menuVariables = menuVariablesBox_->isChecked(),
                        .labels = labelsBox_->isChecked()};
  // Not through the pane's own setter: the finds of a full program may hold
  // more text than the program itself.
  findsEdit_->setPlainText(SortedForDisplay(ScanSymbols(code_->lines(), kinds)).join(u'\n'));
}

void ProgramTool::jumpToFind() {
  QString selected = findsEdit_->textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, u'\n');
  const std::optional<JumpTarget> target =
      JumpTargetFor(ToDisplayCodes(selected), size_t(code_->lineCount()));
  if (!target) return;

  code_->activateWindow();
  code_->setFocus();
  QTextCursor cursor = code_->textCursor();
  switch (target->kind) {
    case JumpTarget::Kind::TextStart:
      cursor.movePosition(QTextCursor::Start);
      break;
    case JumpTarget::Kind::TextEnd:
      cursor.movePosition(QTextCursor::End);
      break;
    case JumpTarget::Kind::Line: {
      const QTextBlock line = code_->document()->findBlockByNumber(int(target->line));
      const int above = int(target->line) - 1;
      const int caretLine = code_->document()->findBlock(cursor.selectionStart()).blockNumber();
      if (caretLine != above) {
        const int approach = line.position() + (caretLine > above ? -kJumpApproach : kJumpApproach);
        cursor.setPosition(std::clamp(approach, 0, code_->document()->characterCount() - 1));
        code_->setTextCursor(cursor);
        code_->ensureCursorVisible();
      }
      cursor.setPosition(line.position());
      cursor.setPosition(line.position() + line.length() - 1, QTextCursor::KeepAnchor);
      break;
    }
  }
  code_->setTextCursor(cursor);
  code_->ensureCursorVisible();
}

}  // namespace orrikey
