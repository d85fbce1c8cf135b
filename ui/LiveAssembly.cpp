#include "ui/LiveAssembly.h"

#include "encoder/Encoder.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"

#include <QTextBlock>

namespace orrikey {
namespace {

// Long enough to skip the summary between the keys of a word, short enough
// to feel immediate.
constexpr int kSummaryPauseMs = 150;

std::string HexLineOf(const QTextBlock& block) {
  const std::string line = ToDisplayCodes(block.text());
  return Trim(line).empty() ? std::string() : EncodeLine(CleanLine(line));
}

bool Failed(const std::string& hex) { return hex.starts_with(kErrorMarker); }

size_t BytesOf(const std::string& hex) { return Failed(hex) ? 0 : hex.size() / 2; }

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
  codeChanged(0, 0, code->document()->characterCount());
}

QString LiveAssembly::errorAt(int line) const {
  if (line < 0 || size_t(line) >= hexLines_.size() || !Failed(hexLines_[size_t(line)])) return {};
  return QString::fromStdString(hexLines_[size_t(line)]);
}

std::vector<int> LiveAssembly::failedLines() const {
  std::vector<int> failed;
  for (size_t i = 0; i < hexLines_.size(); ++i)
    if (Failed(hexLines_[i])) failed.push_back(int(i));
  return failed;
}

void LiveAssembly::refreshHexPane() {
  QStringList rows;
  rows.reserve(qsizetype(hexLines_.size()));
  for (const std::string& hex : hexLines_) rows += QString::fromStdString(hex);
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

  std::vector<std::string> encoded;
  QStringList rows;
  for (int n = first; n <= newLast; ++n, block = block.next()) {
    encoded.push_back(HexLineOf(block));
    rows += QString::fromStdString(encoded.back());
  }
  const auto from = hexLines_.begin() + first;
  const auto to = hexLines_.begin() + std::max(first, oldLast + 1);
  for (auto it = from; it != to; ++it) byteCount_ -= BytesOf(*it);
  for (const std::string& hex : encoded) byteCount_ += BytesOf(hex);
  hexLines_.erase(from, to);
  hexLines_.insert(hexLines_.begin() + first, encoded.begin(), encoded.end());

  if (hexTyped_ || hex_->document()->blockCount() != int(hexLines_.size()) - (newLast - oldLast))
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
