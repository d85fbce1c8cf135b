#include "ui/LiveAssembly.h"

#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"

#include <QTextBlock>

namespace orrikey {
namespace {

// Long enough to skip the summary between the keys of a word, short enough
// to feel immediate.
constexpr int kSummaryPauseMs = 150;

QString HexPaneRow(const encoder::AssembledLine& line) {
  return QString::fromStdString(encoder::HexRow(line));
}

}  // namespace

LiveAssembly::LiveAssembly(CodeEditor* code, CodeEditor* hex, QObject* parent)
    : QObject(parent), code_(code), hex_(hex) {
  summaryTimer_.setSingleShot(true);
  summaryTimer_.setInterval(kSummaryPauseMs);
  connect(&summaryTimer_, &QTimer::timeout, this, &LiveAssembly::summaryChanged);
  connect(code->document(), &QTextDocument::contentsChange, this, &LiveAssembly::codeChanged);
  connect(hex->document(), &QTextDocument::contentsChanged, this, [this] {
    if (!writingHex_) hexTyped_ = true;
  });
  code->setMarkerSource([this](int line) { return errorAt(line); });
  assembly_.Append({1, {}});
  codeChanged(0, 0, code->document()->characterCount());
}

QString LiveAssembly::errorAt(int line) const {
  const auto& lines = assembly_.lines();
  if (line < 0 || size_t(line) >= lines.size()) return {};
  const encoder::AssembledLine& assembled = lines[size_t(line)].assembled;
  return assembled.error ? QString::fromUtf8(encoder::ErrorLine(*assembled.error)) : QString();
}

void LiveAssembly::refreshHexPane() {
  QStringList rows;
  rows.reserve(qsizetype(assembly_.lines().size()));
  for (const encoder::Assembly::Line& line : assembly_.lines()) rows += HexPaneRow(line.assembled);
  writingHex_ = true;
  hex_->document()->setPlainText(rows.join(u'\n'));
  writingHex_ = false;
  hexTyped_ = false;
}

void LiveAssembly::flush() {
  if (!summaryTimer_.isActive()) return;
  summaryTimer_.stop();
  emit summaryChanged();
}

// The change covers the blocks from the one at `position` to the one at the
// end of the added text; the block count tells how many blocks it replaced.
void LiveAssembly::codeChanged(int position, int, int added) {
  const QTextDocument* document = code_->document();
  const int lineCount = document->blockCount();
  QTextBlock block = document->findBlock(position);
  QTextBlock last = document->findBlock(position + added);
  if (!block.isValid()) block = document->lastBlock();
  if (!last.isValid()) last = document->lastBlock();
  const int first = block.blockNumber();
  const int newLast = last.blockNumber();
  const int oldLast = std::min(newLast - (lineCount - lineCount_), lineCount_ - 1);
  lineCount_ = lineCount;

  std::vector<encoder::Assembly::Line> assembled;
  QStringList rows;
  for (int n = first; n <= newLast; ++n, block = block.next()) {
    assembled.push_back({size_t(n) + 1, encoder::AssembleLine(ToDisplayCodes(block.text()))});
    rows += HexPaneRow(assembled.back().assembled);
  }
  const size_t replaced = size_t(std::max(first, oldLast + 1) - first);
  assembly_.Replace(size_t(first), replaced, std::move(assembled));

  if (hexTyped_ ||
      hex_->document()->blockCount() != int(assembly_.lines().size()) - (newLast - oldLast))
    refreshHexPane();
  else
    replaceHexRows(first, oldLast, rows);
  summaryTimer_.start();
}

void LiveAssembly::replaceHexRows(int first, int oldLast, const QStringList& rows) {
  QTextDocument* document = hex_->document();
  QTextCursor cursor(document->findBlockByNumber(first));
  const QTextBlock end = document->findBlockByNumber(std::max(first, oldLast));
  cursor.setPosition(end.position() + end.length() - 1, QTextCursor::KeepAnchor);
  writingHex_ = true;
  cursor.insertText(rows.join(u'\n'));
  writingHex_ = false;
}

}  // namespace orrikey
