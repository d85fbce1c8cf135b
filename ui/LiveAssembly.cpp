#include "ui/LiveAssembly.h"

#include "document/TypedLine.h"

#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/HexPane.h"

#include <QScopeGuard>

namespace orrikey {
namespace {

// Long enough to skip the summary between the keys of a word, short enough
// to feel immediate.
constexpr int kSummaryPauseMs = 150;

}  // namespace

LiveAssembly::LiveAssembly(CodeEditor* code, HexPane* hex, QObject* parent)
    : QObject(parent), code_(code), hex_(hex) {
  summaryTimer_.setSingleShot(true);
  summaryTimer_.setInterval(kSummaryPauseMs);
  connect(&summaryTimer_, &QTimer::timeout, this, &LiveAssembly::summarise);
  connect(code->document(), &QTextDocument::contentsChange, this, &LiveAssembly::codeChanged);
  hex->setRowSource([this](int line) {
    return QString::fromLatin1(encoder::HexRow(assembly_.lines()[size_t(line)].assembled));
  });
  code->setMarkerSource([this](int line) { return markerAt(line); });
  assembly_.Append({1, {}});
  codeChanged(0, 0, code->document()->characterCount());
}

CodeEditor::Marker LiveAssembly::markerAt(int line) const {
  if (failsAt(line))
    return {QString::fromUtf8(encoder::ErrorLine(*assembly_.lines()[size_t(line)].assembled.error))};
  // Until the pause the analysis may name lines that have moved or gone.
  if (!analysisFresh_) return {};
  const auto& warnings = analysis_.warnings;
  const auto warned = std::lower_bound(warned_.begin(), warned_.end(), size_t(line),
                                       [&](size_t index, size_t n) { return warnings[index].line < n; });
  if (warned == warned_.end() || warnings[*warned].line != size_t(line)) return {};
  return {ToDisplayText(labels::WarningMessage(warnings[*warned], assembly_)), true};
}

bool LiveAssembly::failsAt(int line) const {
  const auto& lines = assembly_.lines();
  return line >= 0 && size_t(line) < lines.size() && lines[size_t(line)].assembled.failed();
}

void LiveAssembly::showProgram(std::string_view codes, encoder::Assembly assembled) {
  adopted_ = std::move(assembled);
  const auto forget = qScopeGuard([this] { adopted_.reset(); });
  code_->setCodes(codes);
}

void LiveAssembly::flush() {
  if (!summaryTimer_.isActive()) return;
  summaryTimer_.stop();
  summarise();
}

// The labels look at the whole program, so they wait for the pause too.
void LiveAssembly::summarise() {
  analysis_ = labels::Analyse(assembly_);
  analysisFresh_ = true;
  warned_.clear();
  for (size_t i = 0; i < analysis_.warnings.size(); ++i)
    if (!labels::IsNote(analysis_.warnings[i])) warned_.push_back(i);
  code_->update();
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
  const bool whole = first == 0 && newLast == lineCount - 1 && oldLast == lineCount_ - 1;
  lineCount_ = lineCount;

  std::vector<encoder::Assembly::Line> assembled;
  if (whole) {
    assembled = assembleAll(lineCount);
  } else {
    for (int n = first; n <= newLast; ++n, block = block.next())
      assembled.push_back({size_t(n) + 1, document::ReadTypedLine(ToDisplayCodes(block.text())).assembled});
  }
  const size_t replaced = size_t(std::max(first, oldLast + 1) - first);
  assembly_.Replace(size_t(first), replaced, std::move(assembled));
  hex_->showRows(int(assembly_.lines().size()));
  analysisFresh_ = false;
  summaryTimer_.start();
}

// An opened file's lines carry the file's numbers; the editor numbers its
// own lines. A final line break leaves an empty last line the file did not
// count. Setting a text first clears the document, a change of its own that
// the lines do not fit. The rows come from the raw text at once: a block's
// own text costs a search of the document per line.
std::vector<encoder::Assembly::Line> LiveAssembly::assembleAll(int lineCount) {
  std::vector<encoder::Assembly::Line> lines;
  lines.reserve(size_t(lineCount));
  const size_t adopted = adopted_ ? adopted_->lines().size() : 0;
  const bool fits = adopted == size_t(lineCount) ||
                    (adopted + 1 == size_t(lineCount) && code_->document()->lastBlock().length() == 1);
  const QString text = code_->document()->toRawText();
  size_t n = 0;
  for (QStringView row : QStringView(text).tokenize(QChar(QChar::ParagraphSeparator))) {
    if (fits && n < adopted)
      lines.push_back({n + 1, adopted_->lines()[n].assembled});
    else
      lines.push_back({n + 1, document::ReadTypedLine(ToDisplayCodes(row)).assembled});
    ++n;
  }
  if (fits) adopted_.reset();
  return lines;
}

}  // namespace orrikey
