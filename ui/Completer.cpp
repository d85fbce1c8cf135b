#include "ui/Completer.h"

#include "ui/DisplayCodes.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBlock>

#include <algorithm>

namespace orrikey {
namespace {

// Names are offered once this much of one is typed.
constexpr int kTypedBeforeOffer = 2;

}  // namespace

Completer::Completer(QPlainTextEdit* editor, Source source)
    : QObject(editor),
      editor_(editor),
      source_(std::move(source)),
      completer_(new QCompleter(this)),
      words_(new QStringListModel(this)) {
  completer_->setWidget(editor);
  completer_->setModel(words_);
  // The words come filtered: some, such as X≤Y? for "X<", do not start with
  // what was typed.
  completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer_->setCaseSensitivity(Qt::CaseInsensitive);
  connect(completer_, qOverload<const QString&>(&QCompleter::activated), this, &Completer::insert);
}

bool Completer::isOpen() const { return completer_->popup()->isVisible(); }

// Return after a word typed whole ends the line, as it would with no list.
bool Completer::takesKey(const QKeyEvent* event) {
  if (!isOpen()) return false;
  switch (event->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
      if (completer_->currentCompletion().compare(completer_->completionPrefix(), Qt::CaseInsensitive) != 0)
        return true;
      completer_->popup()->hide();
      return false;
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return true;
    default: return false;
  }
}

void Completer::keyHandled(const QKeyEvent* event) {
  const bool asked = event->key() == Qt::Key_Space && (event->modifiers() & Qt::ControlModifier);
  const bool typed = !event->text().isEmpty() && event->text().front().isPrint() &&
                     !(event->modifiers() & Qt::ControlModifier);
  if (asked || (typed && event->text() != u" ") || (isOpen() && event->key() == Qt::Key_Backspace))
    update(asked);
  else if (isOpen()) completer_->popup()->hide();
}

// The list stands under the word being typed, in the pane's font, and goes
// once the word is a whole name that no other offered word goes on from.
void Completer::update(bool asked) {
  const QTextCursor caret = editor_->textCursor();
  const QString before = caret.block().text().left(caret.positionInBlock());
  const editing::Completion found = source_(caret.blockNumber(), caret.positionInBlock());
  const QString typed = before.mid(int(found.start));
  const bool offered = asked || isOpen() || (found.start == 0 && typed.size() >= kTypedBeforeOffer);
  QStringList words;
  for (const std::string& word : found.words) words += QString::fromStdString(word);
  const bool whole = words.contains(typed, Qt::CaseInsensitive) &&
                     std::none_of(words.begin(), words.end(), [&](const QString& word) {
                       return word.size() > typed.size() && word.startsWith(typed, Qt::CaseInsensitive);
                     });
  if (words.isEmpty() || !offered || (whole && !asked)) return completer_->popup()->hide();
  words_->setStringList(words);
  start_ = int(found.start);
  completer_->setCompletionPrefix(typed);
  QAbstractItemView* popup = completer_->popup();
  popup->setFont(editor_->font());
  QTextCursor wordStart = caret;
  wordStart.setPosition(caret.block().position() + start_);
  // The caret's rectangle is the viewport's; the list places itself in the editor's.
  QRect rect = editor_->cursorRect(wordStart).translated(editor_->viewport()->pos());
  rect.setWidth(popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width());
  completer_->complete(rect);
  // The first word is chosen even when none starts with what was typed.
  popup->setCurrentIndex(completer_->completionModel()->index(0, 0));
}

void Completer::insert(const QString& word) {
  QTextCursor cursor = editor_->textCursor();
  cursor.setPosition(cursor.block().position() + start_, QTextCursor::KeepAnchor);
  cursor.insertText(word);
  editor_->setTextCursor(cursor);
}

}  // namespace orrikey
