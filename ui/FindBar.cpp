#include "ui/FindBar.h"

#include "ui/DisplayCodes.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace orrikey {
namespace {

QLineEdit* MakeField(const QString& name, const QString& accessibleName) {
  auto* field = new QLineEdit;
  field->setObjectName(name);
  field->setAccessibleName(accessibleName);
  field->setPlaceholderText(accessibleName);
  field->setClearButtonEnabled(true);
  // Room for an instruction and its operand, however narrow the window.
  field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 16);
  return field;
}

}  // namespace

FindBar::FindBar(QPlainTextEdit* editor, QWidget* parent)
    : QWidget(parent),
      editor_(editor),
      find_(MakeField("findEdit", "Find")),
      replace_(MakeField("replaceEdit", "Replace with")),
      matchCount_(new QLabel),
      caseSensitive_(new QCheckBox("Match &case")),
      wholeWords_(new QCheckBox("&Whole words")) {
  setObjectName("findBar");
  matchCount_->setObjectName("matchCount");
  caseSensitive_->setObjectName("caseSensitiveBox");
  wholeWords_->setObjectName("wholeWordsBox");
  // The fields share a column; each row's controls follow its field.
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);
  layout->setColumnStretch(0, 1);
  auto* findControls = new QHBoxLayout;
  auto* replaceControls = new QHBoxLayout;
  layout->addWidget(find_, 0, 0);
  layout->addLayout(findControls, 0, 1);
  layout->addWidget(replace_, 1, 0);
  layout->addLayout(replaceControls, 1, 1);
  // Arrows and a close mark, as in Kate's bar, keep the bar to one row
  // beside a docked panel in a small window; screen readers hear their names.
  const auto addToolButton = [&](const QString& name, const char* objectName, const QString& tip,
                                 auto command) {
    auto* button = new QToolButton;
    button->setObjectName(objectName);
    button->setAccessibleName(name);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    findControls->addWidget(button);
    connect(button, &QToolButton::clicked, this, command);
    return button;
  };
  addToolButton("Next match", "findNextButton", "Next match (F3)", [this] {
    findNext(false);
  })->setArrowType(Qt::DownArrow);
  addToolButton("Previous match", "findPreviousButton", "Previous match (Shift+F3)", [this] {
    findNext(true);
  })->setArrowType(Qt::UpArrow);
  findControls->addWidget(matchCount_);
  findControls->addWidget(caseSensitive_);
  findControls->addWidget(wholeWords_);
  findControls->addStretch();
  addToolButton("Close", "closeFindButton", "Close the find bar (Escape)", [this] {
    hide();
  })->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  const auto addButton = [&](const QString& text, const char* name, auto command) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    replaceControls->addWidget(button);
    connect(button, &QPushButton::clicked, this, command);
    return button;
  };
  replaceRow_ = {replace_, addButton("Replace", "replaceButton", [this] { replaceOne(); }),
                 addButton("Replace All", "replaceAllButton", [this] { replaceAll(); })};
  replaceControls->addStretch();

  connect(find_, &QLineEdit::textEdited, this, &FindBar::findAsTyped);
  connect(find_, &QLineEdit::returnPressed, this, [this] { findNext(false); });
  connect(replace_, &QLineEdit::returnPressed, this, &FindBar::replaceOne);
  for (QCheckBox* option : {caseSensitive_, wholeWords_})
    connect(option, &QCheckBox::toggled, this, &FindBar::showMatchCount);
  // The count follows edits of the text while the bar shows it.
  connect(editor_->document(), &QTextDocument::contentsChanged, this, [this] {
    if (isVisible()) showMatchCount();
  });
  connect(editor_, &QPlainTextEdit::selectionChanged, this, [this] {
    if (isVisible()) showMatchCount();
  });
  hide();
}

void FindBar::open(bool replacing) {
  for (QWidget* part : replaceRow_) part->setVisible(replacing);
  const QString selected = editor_->textCursor().selectedText();
  // A selection of several lines is not a text to find.
  if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) find_->setText(selected);
  show();
  find_->setFocus(Qt::ShortcutFocusReason);
  find_->selectAll();
  showMatchCount();
}

QString FindBar::wanted() const { return ReadTypedText(find_->text()).text; }

QTextDocument::FindFlags FindBar::flags() const {
  QTextDocument::FindFlags flags;
  if (caseSensitive_->isChecked()) flags |= QTextDocument::FindCaseSensitively;
  if (wholeWords_->isChecked()) flags |= QTextDocument::FindWholeWords;
  return flags;
}

void FindBar::findNext(bool backward) {
  const QString text = wanted();
  if (text.isEmpty()) return;
  const QTextDocument::FindFlags how =
      flags() | (backward ? QTextDocument::FindBackward : QTextDocument::FindFlags());
  QTextCursor found = editor_->document()->find(text, editor_->textCursor(), how);
  // Wraps round once, as editors do.
  if (found.isNull()) {
    QTextCursor from(editor_->document());
    if (backward) from.movePosition(QTextCursor::End);
    found = editor_->document()->find(text, from, how);
  }
  if (found.isNull()) {
    emit message("Not found: " + text);
  } else {
    editor_->setTextCursor(found);
  }
  showMatchCount();
}

void FindBar::findAsTyped() {
  QTextCursor start = editor_->textCursor();
  start.setPosition(start.selectionStart());
  editor_->setTextCursor(start);
  findNext(false);
}

// The selection is replaced only when it is a match, so that Replace on a
// fresh bar first finds.
void FindBar::replaceOne() {
  const QTextCursor selection = editor_->textCursor();
  if (selection.hasSelection() &&
      editor_->document()->find(wanted(), selection.selectionStart(), flags()) == selection)
    editor_->textCursor().insertText(ReadTypedText(replace_->text()).text);
  findNext(false);
}

void FindBar::replaceAll() {
  const QString text = wanted();
  if (text.isEmpty()) return;
  const QString replacement = ReadTypedText(replace_->text()).text;
  QTextDocument* document = editor_->document();
  QTextCursor edit(document);
  edit.beginEditBlock();
  int count = 0;
  for (QTextCursor found = document->find(text, 0, flags()); !found.isNull();
       found = document->find(text, found, flags()), ++count)
    found.insertText(replacement);
  edit.endEditBlock();
  emit message(QString("%1 replaced").arg(count));
}

void FindBar::showMatchCount() {
  const QString text = wanted();
  const QTextCursor selection = editor_->textCursor();
  int count = 0, current = 0;
  if (!text.isEmpty()) {
    for (QTextCursor found = editor_->document()->find(text, 0, flags()); !found.isNull();
         found = editor_->document()->find(text, found, flags())) {
      ++count;
      if (found == selection) current = count;
    }
  }
  QString shown;
  if (!text.isEmpty() && count == 0) shown = "No matches";
  else if (current > 0) shown = QString("%1 of %2").arg(current).arg(count);
  else if (count > 0) shown = count == 1 ? "1 match" : QString("%1 matches").arg(count);
  matchCount_->setText(shown);
  // Read with the field, as the label itself never takes the keyboard.
  find_->setAccessibleDescription(shown);
}

void FindBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape) return QWidget::keyPressEvent(event);
  hide();
  event->accept();
}

// The keyboard goes back to the text the bar searched.
void FindBar::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (isAncestorOf(QApplication::focusWidget())) editor_->setFocus();
}

}  // namespace orrikey
