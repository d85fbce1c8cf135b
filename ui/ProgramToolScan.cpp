// The Program Tool's symbol scanner page: where the program stores
// into registers and variables, declares menu variables and defines labels,
// and the jump from a find to its program line.

#include "ui/ProgramTool.h"

#include "reference/SymbolScan.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"

#include <QCheckBox>
#include <QCollator>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>

#include <algorithm>

namespace orrikey {
namespace {

// The preliminary caret of a jump lies this many characters beyond the
// target line, on the side away from the caret, so that the final scroll
// comes to the line from there.
constexpr int kJumpApproach = 100;

// A kind to look for on the next free row: a box whose caption is its own
// text, so that a click on the caption ticks it and a screen reader names it.
QCheckBox* AddKindBox(QGridLayout* layout, const QString& caption) {
  auto* box = new QCheckBox(caption);
  layout->addWidget(box, layout->rowCount(), 0, 1, 2);
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
  QWidget* page = addPage("Find &Registers and Labels");
  auto* kinds = new QGridLayout;
  kinds->setColumnStretch(2, 1);
  registersBox_ = AddKindBox(kinds, "REGISTER");
  variablesBox_ = AddKindBox(kinds, "VARIABLE");
  menuVariablesBox_ = AddKindBox(kinds, "MVAR");
  labelsBox_ = AddKindBox(kinds, "LABEL");
  scanButton_ = new QPushButton("Scan");
  auto* column = new QVBoxLayout;
  column->addLayout(kinds);
  column->addStretch();
  column->addWidget(scanButton_, 0, Qt::AlignLeft);
  findsEdit_ = new CodeEditor;
  findsEdit_->setMinimumSize(337, 153);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(column);
  layout->addWidget(findsEdit_, 1);
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
  const reference::ScanKinds kinds{.registers = registersBox_->isChecked(),
                                   .variables = variablesBox_->isChecked(),
                                   .menuVariables = menuVariablesBox_->isChecked(),
                                   .labels = labelsBox_->isChecked()};
  // Not through the pane's own setter: the finds of a full program may hold
  // more text than the program itself.
  findsEdit_->setPlainText(SortedForDisplay(reference::ScanSymbols(code_->lines(), kinds)).join(u'\n'));
}

void ProgramTool::jumpToFind() {
  QString selected = findsEdit_->textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, u'\n');
  const std::optional<reference::JumpTarget> target =
      reference::JumpTargetFor(ToDisplayCodes(selected), size_t(code_->lineCount()));
  if (!target) return;

  code_->activateWindow();
  code_->setFocus();
  QTextCursor cursor = code_->textCursor();
  switch (target->kind) {
    case reference::JumpTarget::Kind::TextStart: cursor.movePosition(QTextCursor::Start); break;
    case reference::JumpTarget::Kind::TextEnd: cursor.movePosition(QTextCursor::End); break;
    case reference::JumpTarget::Kind::Line: {
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
