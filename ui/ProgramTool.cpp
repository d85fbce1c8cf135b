#include "ui/ProgramTool.h"

#include "reference/MenuGroups.h"
#include "tables/Tables.h"
#include "ui/DisplayCodes.h"
#include "ui/GutterMemo.h"
#include "ui/Look.h"
#include "ui/StringGrid.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>

namespace orrikey {
namespace {

// The calculator characters that a keyboard lacks, as display codes.
constexpr std::string_view kCharacters[6][6] = {
    {"\xA0", "\x83", "^", "\x89", "\x99", "\xBF"},
    {"\x82", "\x97", "\xAE", "\x8A", "\x95", "\x86"},
    {"\x85", "\x93", "\xAF", "\x8B", "\x96", "\xA4"},
    {"\x9F", "\xB1", "\xB0", "\xAA", "\xBD", "\x92"},
    {"\x98", "\x87", "\xAD", "\x9B", "\x9C", "\x9A"},
    {"", "", "", "", "\xA8", ""},
};

constexpr int kModOpColumns = 6;
constexpr int kModOpRows = 8;
// Typed after an instruction name: indirection, a stack register, a quoted
// name, and the word of ASSIGN.
constexpr std::string_view kOperandWords[] = {"IND ", "ST ", "\"\"", "TO"};

QComboBox* MakePicker(QWidget* page, QPoint at, int width) {
  auto* picker = new QComboBox(page);
  picker->setFont(DisplayFont());
  picker->setEditable(true);
  picker->setInsertPolicy(QComboBox::NoInsert);
  picker->move(at);
  picker->resize(width, picker->sizeHint().height());
  return picker;
}

}  // namespace

TForm2::TForm2(TGutterMemo* code, QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      code_(code) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Program Tool");
  setFixedSize(499, 246);
  move(522, 292);
  setFont(UiFont("MS Sans Serif", 11, false));
  PaintWindowColor(this);

  PageControl1 = new QTabWidget(this);
  PageControl1->setGeometry(8, 16, 481, 225);
  PageControl1->setFont(UiFont("Arial", 11, true));
  PageControl1->tabBar()->setCursor(Qt::PointingHandCursor);
  CreateCharPage();
  CreateModOpPage();
  CreateFixOpPage();
  CreateFlagsPage();
  CreateScanPage();
}

QWidget* TForm2::AddPage(const QString& caption) {
  auto* page = new QWidget;
  PaintWindowColor(page);
  PageControl1->addTab(page, caption);
  return page;
}

void TForm2::CreateCharPage() {
  StringGrid2 = new TStringGrid(6, 6, AddPage("HP42S Char"));
  StringGrid2->setGeometry(8, 8, 401, 137);
  for (int row = 0; row < 6; ++row)
    for (int column = 0; column < 6; ++column)
      StringGrid2->SetCell(column, row, kCharacters[row][column]);
  StringGrid2->FitFontToCells();
  connect(StringGrid2, &TStringGrid::SelectCell, this, &TForm2::StringGrid2SelectCell);
}

void TForm2::CreateModOpPage() {
  StringGrid1 = new TStringGrid(kModOpColumns + 1, kModOpRows, AddPage("ModOpCode"));
  StringGrid1->setGeometry(8, 8, 465, 177);
  const auto ops = tables::ModOps();
  for (int k = 0; k < kModOpColumns * kModOpRows; ++k)
    StringGrid1->SetCell(k % kModOpColumns, k / kModOpColumns, std::string(ops[size_t(k)].name) + ' ');
  for (int row = 0; row < int(std::size(kOperandWords)); ++row)
    StringGrid1->SetCell(kModOpColumns, row, kOperandWords[row]);
  StringGrid1->FitFontToCells();
  connect(StringGrid1, &TStringGrid::SelectCell, this, &TForm2::StringGrid1SelectCell);
}

void TForm2::CreateFixOpPage() {
  QWidget* page = AddPage("FixOpCode");
  MakeLabel(page, "FIXED OPCODE", {8, 8}, page->font(), kCaptionOrange);
  ComboBox1 = MakePicker(page, {8, 24}, 161);
  for (const std::string& group : FixMenuGroups()) ComboBox1->addItem(ToDisplayText(group));
  ComboBox1->setCurrentIndex(-1);
  ComboBox2 = MakePicker(page, {184, 24}, 129);
  connect(ComboBox1, &QComboBox::activated, this, &TForm2::ComboBox1Click);
  connect(ComboBox2, &QComboBox::activated, this, &TForm2::ComboBox2Select);
}

void TForm2::CreateFlagsPage() {
  Memo1 = new QPlainTextEdit(AddPage("Flags"));
  Memo1->setGeometry(0, 0, 473, 185);
  QFont font;
  font.setFamilies({"Courier New", "DejaVu Sans Mono"});
  font.setPixelSize(12);
  font.setBold(false);
  Memo1->setFont(font);
  // Wrapped at blanks only: the line of hyphens, a little wider in a
  // stand-in font, is clipped rather than broken.
  Memo1->setWordWrapMode(QTextOption::WordWrap);
  // The edit control's own tab stops: every eight average characters.
  Memo1->setTabStopDistance(8 * QFontMetricsF(font).averageCharWidth());
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QStringList text;
  for (std::string_view line : tables::FlagTable()) text += FromWindows1252(line);
  Memo1->setPlainText(text.join(u'\n'));
}

void TForm2::StringGrid2SelectCell(int column, int row) {
  Insert(StringGrid2->Cell(column, row));
}

void TForm2::StringGrid1SelectCell(int column, int row) {
  Insert(StringGrid1->Cell(column, row));
}

// The instruction picker shows the group's name until one of its members is chosen.
void TForm2::ComboBox1Click(int index) {
  const QString group = ComboBox1->itemText(index);
  ComboBox2->clear();
  for (const std::string& member : FixMenuMembers(ToDisplayCodes(group)))
    ComboBox2->addItem(ToDisplayText(member));
  ComboBox2->setCurrentIndex(-1);
  ComboBox2->setEditText(group);
}

void TForm2::ComboBox2Select(int index) { Insert(ToDisplayCodes(ComboBox2->itemText(index))); }

// Types a pick into the program text and hands the keyboard back to it. An
// empty cell leaves a selection in place rather than deleting it.
void TForm2::Insert(std::string_view codes) {
  if (!codes.empty()) code_->ReplaceSelection(codes);
  code_->activateWindow();
  code_->setFocus();
}

}  // namespace orrikey
