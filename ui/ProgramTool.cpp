#include "ui/ProgramTool.h"

#include "reference/MenuGroups.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/Look.h"
#include "ui/StringGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace orrikey {
namespace {

// The calculator characters that a keyboard lacks, as display codes.
constexpr std::string_view kCharacters[6][6] = {
    {"\xA0", "\x83", "^", "\x89", "\x99", "\xBF"},    {"\x82", "\x97", "\xAE", "\x8A", "\x95", "\x86"},
    {"\x85", "\x93", "\xAF", "\x8B", "\x96", "\xA4"}, {"\x9F", "\xB1", "\xB0", "\xAA", "\xBD", "\x92"},
    {"\x98", "\x87", "\xAD", "\x9B", "\x9C", "\x9A"}, {"", "", "", "", "\xA8", ""},
};

constexpr int kModOpColumns = 6;
constexpr int kModOpRows = 8;
// Typed after an instruction name: indirection, a stack register, a quoted
// name, and the word of ASSIGN.
constexpr std::string_view kOperandWords[] = {"IND ", "ST ", "\"\"", "TO"};

QComboBox* MakePicker(int width) {
  auto* picker = new QComboBox;
  picker->setFont(DisplayFont());
  picker->setEditable(true);
  picker->setInsertPolicy(QComboBox::NoInsert);
  picker->setMinimumWidth(width);
  return picker;
}

// A grid page holds its grid in the top left corner.
void PlaceGrid(QWidget* page, StringGrid* grid) {
  auto* layout = new QGridLayout(page);
  layout->addWidget(grid, 0, 0);
  layout->setRowStretch(1, 1);
  layout->setColumnStretch(1, 1);
}

}  // namespace

ProgramTool::ProgramTool(CodeEditor* code, QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::WindowStaysOnTopHint), code_(code) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Program Tool");

  pages_ = new QTabWidget;
  (new QVBoxLayout(this))->addWidget(pages_);
  pages_->tabBar()->setCursor(Qt::PointingHandCursor);
  createCharacterPage();
  createModOpPage();
  createFixOpPage();
  createFlagsPage();
  createScanPage();
  // Names for the tests, and for screen readers.
  const struct {
    QWidget* widget;
    const char* name;
    const char* accessibleName;
  } names[] = {{pages_, "pages", "Program Tool pages"},
               {characterGrid_, "characterGrid", "Calculator characters"},
               {instructionGrid_, "instructionGrid", "Instructions with operand"},
               {groupPicker_, "groupPicker", "Menu"},
               {memberPicker_, "memberPicker", "Instruction"},
               {flagsText_, "flagsText", "Flags"},
               {registersBox_, "registersBox", nullptr},
               {variablesBox_, "variablesBox", nullptr},
               {labelsBox_, "labelsBox", nullptr},
               {menuVariablesBox_, "menuVariablesBox", nullptr},
               {scanButton_, "scanButton", nullptr},
               {findsEdit_, "findsEdit", "Registers, variables and labels found"}};
  for (const auto& [widget, name, accessibleName] : names) {
    widget->setObjectName(name);
    if (accessibleName) widget->setAccessibleName(accessibleName);
  }
  setAccessibleName("Program Tool");
}

QWidget* ProgramTool::addPage(const QString& caption) {
  auto* page = new QWidget;
  pages_->addTab(page, caption);
  return page;
}

void ProgramTool::createCharacterPage() {
  characterGrid_ = new StringGrid(6, 6, nullptr);
  PlaceGrid(addPage("&Characters"), characterGrid_);
  for (int row = 0; row < 6; ++row)
    for (int column = 0; column < 6; ++column) characterGrid_->setCell(column, row, kCharacters[row][column]);
  characterGrid_->fitFontToCells();
  connect(characterGrid_, &StringGrid::cellSelected, this, &ProgramTool::characterGrid_cellSelected);
}

void ProgramTool::createModOpPage() {
  instructionGrid_ = new StringGrid(kModOpColumns + 1, kModOpRows, nullptr);
  PlaceGrid(addPage("Instructions with &Operand"), instructionGrid_);
  const std::vector<std::string_view> names = reference::OperandInstructionNames();
  for (int k = 0; k < kModOpColumns * kModOpRows; ++k)
    instructionGrid_->setCell(k % kModOpColumns, k / kModOpColumns, std::string(names[size_t(k)]) + ' ');
  for (int row = 0; row < int(std::size(kOperandWords)); ++row)
    instructionGrid_->setCell(kModOpColumns, row, kOperandWords[row]);
  instructionGrid_->fitFontToCells();
  connect(instructionGrid_, &StringGrid::cellSelected, this, &ProgramTool::instructionGrid_cellSelected);
}

void ProgramTool::createFixOpPage() {
  QWidget* page = addPage("Instructions by &Menu");
  auto* layout = new QGridLayout(page);
  layout->addWidget(MakeCaption("FIXED OPCODE"), 0, 0);
  groupPicker_ = MakePicker(161);
  for (const std::string& group : reference::FixMenuGroups()) groupPicker_->addItem(ToDisplayText(group));
  memberPicker_ = MakePicker(129);
  layout->addWidget(groupPicker_, 1, 0);
  layout->addWidget(memberPicker_, 1, 1);
  layout->setRowStretch(2, 1);
  layout->setColumnStretch(2, 1);
  connect(groupPicker_, &QComboBox::activated, this, &ProgramTool::showGroup);
  connect(memberPicker_, &QComboBox::activated, this, &ProgramTool::insertMember);
  // The first menu's instructions show at once, not two empty lists.
  groupPicker_->setCurrentIndex(0);
  showGroup(0);
}

void ProgramTool::createFlagsPage() {
  QWidget* page = addPage("&Flags");
  flagsText_ = new QPlainTextEdit;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(flagsText_);
  const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  flagsText_->setFont(font);
  flagsText_->setReadOnly(true);
  // Wrapped at blanks only: the line of hyphens, a little wider in a
  // stand-in font, is clipped rather than broken.
  flagsText_->setWordWrapMode(QTextOption::WordWrap);
  // The edit control's own tab stops: every eight average characters.
  flagsText_->setTabStopDistance(8 * QFontMetricsF(font).averageCharWidth());
  flagsText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QStringList text;
  for (std::string_view line : reference::FlagTable()) text += QString::fromUtf8(line);
  flagsText_->setPlainText(text.join(u'\n'));
}

void ProgramTool::characterGrid_cellSelected(int column, int row) {
  insert(characterGrid_->cell(column, row));
}

void ProgramTool::instructionGrid_cellSelected(int column, int row) {
  insert(instructionGrid_->cell(column, row));
}

// The instruction picker shows the group's name until one of its members is chosen.
void ProgramTool::showGroup(int index) {
  const QString group = groupPicker_->itemText(index);
  memberPicker_->clear();
  for (const std::string& member : reference::FixMenuMembers(ToDisplayCodes(group)))
    memberPicker_->addItem(ToDisplayText(member));
  memberPicker_->setCurrentIndex(-1);
  memberPicker_->setEditText(group);
}

// A member is a whole instruction, so it goes on a line of its own.
void ProgramTool::insertMember(int index) {
  code_->insertLine(reference::PickedText(ToDisplayCodes(memberPicker_->itemText(index))));
  code_->activateWindow();
  code_->setFocus();
}

// Types a pick into the program text, as the instruction where the pick
// shows only a label, and hands the keyboard back to it. An empty cell leaves
// a selection in place rather than deleting it.
void ProgramTool::insert(std::string_view codes) {
  if (!codes.empty()) code_->replaceSelection(reference::PickedText(codes));
  code_->activateWindow();
  code_->setFocus();
}

}  // namespace orrikey
