// The Program Tool's symbol scanner page "RegVarLbl": where the program stores
// into registers and variables, declares menu variables and defines labels,
// and the jump from a find to its program line.

#include "ui/ProgramTool.h"

#include "reference/SymbolScan.h"
#include "ui/DisplayCodes.h"
#include "ui/GutterMemo.h"
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

void TForm2::CreateScanPage() {
  QWidget* page = AddPage("RegVarLbl");
  CheckBox1 = MakeKindBox(page, 8, "REGISTER");
  CheckBox2 = MakeKindBox(page, 32, "VARIABLE");
  CheckBox4 = MakeKindBox(page, 56, "MVAR");
  CheckBox3 = MakeKindBox(page, 80, "LABEL");
  Button1 = new QPushButton("Scan", page);
  Button1->setGeometry(8, 136, 41, 25);
  Memo2 = new TGutterMemo(page);
  Memo2->setGeometry(136, 8, 337, 153);
  Memo2->setFont(DisplayFont());
  // The edit control's own tab stops: every eight average characters.
  Memo2->setTabStopDistance(8 * Memo2->fontMetrics().averageCharWidth());
  Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo2->viewport()->setCursor(Qt::PointingHandCursor);
  connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
  connect(Memo2, &TGutterMemo::DoubleClicked, this, &TForm2::Memo2DblClick);
}

void TForm2::Button1Click() {
  const ScanKinds kinds{.registers = CheckBox1->isChecked(),
                        .variables = CheckBox2->isChecked(),
                        .menuVariables = CheckBox4->isChecked(),
                        .labels = CheckBox3->isChecked()};
  // Not through the pane's own setter: the finds of a full program may hold
  // more text than the program itself.
  Memo2->setPlainText(SortedForDisplay(ScanSymbols(code_->Lines(), kinds)).join(u'\n'));
}

void TForm2::Memo2DblClick() {
  QString selected = Memo2->textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, u'\n');
  const std::optional<JumpTarget> target =
      JumpTargetFor(ToDisplayCodes(selected), size_t(code_->LineCount()));
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
