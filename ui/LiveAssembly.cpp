#include "ui/LiveAssembly.h"

#include "ui/CodeEditor.h"
#include "ui/HexPane.h"

#include <QScopedValueRollback>
#include <QTextBlock>

namespace orrikey {

LiveAssembly::LiveAssembly(CodeEditor* code, HexPane* hex, QObject* parent)
    : QObject(parent), code_(code), hex_(hex) {
  connect(code->document(), &QTextDocument::contentsChange, this, &LiveAssembly::codeChanged);
  hex->setRowSource([this](int line) {
    return QString::fromLatin1(encoder::HexRow(model_.assembly().lines()[size_t(line)].assembled));
  });
  code->setMarkerSource([this](int line) { return markerAt(line); });
  codeChanged(0, 0, code->document()->characterCount());
}

// Notes tell more than they warn, and are left to the lists.
CodeEditor::Marker LiveAssembly::markerAt(int line) const {
  for (const editing::Diagnostic& diagnostic : model_.DiagnosticsOn(size_t(line)))
    if (diagnostic.severity != editing::Severity::kNote)
      return {QString::fromStdString(diagnostic.message), diagnostic.severity == editing::Severity::kWarning};
  return {};
}

void LiveAssembly::showProgram(document::OpenedProgram opened) {
  const std::string codes = opened.text;
  const needs::Target target = model_.target();
  model_ = editing::ProgramModel(std::move(opened));
  model_.SetTarget(target);
  {
    const QScopedValueRollback adopting(adopting_, true);
    code_->setCodes(codes);
  }
  // A final line break leaves an empty last line that the file does not count.
  if (model_.lineCount() < size_t(code_->document()->blockCount())) model_.Replace(model_.lineCount(), 0, "");
  hex_->showRows(int(model_.lineCount()));
  code_->update();
  emit summaryChanged();
}

void LiveAssembly::setTarget(needs::Target target) {
  model_.SetTarget(target);
  code_->update();
  emit summaryChanged();
}

// The change covers the blocks from the one at `position` to the one at the
// end of the added text; the block count tells how many blocks it replaced.
void LiveAssembly::codeChanged(int position, int, int added) {
  if (adopting_) return;
  const QTextDocument* document = code_->document();
  const int lineCount = document->blockCount();
  const int oldCount = int(model_.lineCount());
  QTextBlock block = document->findBlock(position);
  QTextBlock last = document->findBlock(position + added);
  if (!block.isValid()) block = document->lastBlock();
  if (!last.isValid()) last = document->lastBlock();
  const int first = block.blockNumber();
  const int newLast = last.blockNumber();
  const int oldLast = std::min(newLast - (lineCount - oldCount), oldCount - 1);
  model_.Replace(size_t(first), size_t(std::max(first, oldLast + 1) - first),
                 linesText(first, newLast).toStdString());
  hex_->showRows(int(model_.lineCount()));
  code_->update();
  emit summaryChanged();
}

// A block's own text costs a search of the document per line, so a long run
// of lines comes from the raw text at once.
QByteArray LiveAssembly::linesText(int first, int last) const {
  const QTextDocument* document = code_->document();
  if (last - first < 8) {
    QString text;
    for (QTextBlock block = document->findBlockByNumber(first);
         block.isValid() && block.blockNumber() <= last; block = block.next())
      text += (block.blockNumber() == first ? QString() : u"\n"_qs) + block.text();
    return text.toUtf8();
  }
  const QTextBlock from = document->findBlockByNumber(first);
  const QTextBlock to = document->findBlockByNumber(last);
  QString text =
      document->toRawText().mid(from.position(), to.position() + to.length() - 1 - from.position());
  text.replace(QChar(QChar::ParagraphSeparator), u'\n');
  return text.toUtf8();
}

}  // namespace orrikey
