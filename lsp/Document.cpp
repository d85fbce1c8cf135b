#include "lsp/Document.h"

#include <algorithm>
#include <stdexcept>

#include "document/OpenProgram.h"
#include "files/FileIO.h"
#include "listing/ListingReader.h"
#include "text/CodePage.h"

namespace orrikey::lsp {
namespace {

constexpr size_t kNone = size_t(-1);

// Lines as a client counts them: split at CR LF, lone CR and lone LF, and
// a final line break starts an empty last line.
std::vector<std::string> ClientLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

std::string Joined(const std::vector<std::string>& lines, size_t first, size_t end) {
  std::string text;
  for (size_t i = first; i < end; ++i) {
    if (i > first) text += '\n';
    text += lines[i];
  }
  return text;
}

void RefuseLarge(std::string_view text) {
  if (text.size() > files::kMaxProgramFileSize)
    throw RequestError(kInvalidParams, "The text is larger than the " +
                                           std::to_string(files::kMaxProgramFileSize >> 20) +
                                           " MiB a program file may have");
}

}  // namespace

Document::Document(std::string path, std::string_view text, Encoding encoding, needs::Target target)
    : path_(std::move(path)), encoding_(encoding), target_(target) {
  RefuseLarge(text);
  Read(text);
}

void Document::Read(std::string_view text) {
  lines_ = ClientLines(text);
  listing_ = false;
  shown_.clear();
  modelLineOf_.clear();
  refused_.clear();
  document::OpenedProgram opened;
  try {
    opened = document::ReadProgramFile(path_, text, document::OpenAs::kText);
  } catch (const std::runtime_error&) {
    // Text with a NUL byte is no file the editor opens; the model still
    // reads it as typed, and says which character it refuses.
    Adopt(editing::ProgramModel());
    model_.Replace(0, 1, Joined(lines_, 0, lines_.size()));
    return;
  }
  if (opened.form == document::FileForm::kListing) return ReadListing(std::move(opened));
  Adopt(editing::ProgramModel(std::move(opened)));
  if (model_.lineCount() < lines_.size()) model_.Replace(model_.lineCount(), 0, "");
  if (model_.lineCount() != lines_.size()) {
    Adopt(editing::ProgramModel());
    model_.Replace(0, 1, Joined(lines_, 0, lines_.size()));
  }
}

void Document::Adopt(editing::ProgramModel model) {
  model_ = std::move(model);
  model_.SetTarget(target_);
}

// The program line is found in its listing line as the model spells it; of
// a line the reader respelled, its instruction is taken whole.
void Document::ReadListing(document::OpenedProgram opened) {
  listing_ = true;
  for (const listing::ListingError& error : opened.refused)
    refused_.push_back({std::min(error.fileLine - 1, lines_.size() - 1), error.reason});
  Adopt(editing::ProgramModel(std::move(opened)));
  modelLineOf_.assign(lines_.size(), kNone);
  shown_.reserve(model_.lineCount());
  for (size_t i = 0; i < model_.lineCount(); ++i) {
    const size_t line = std::min(model_.assembly().lines()[i].sourceLine - 1, lines_.size() - 1);
    const std::string text = text::DisplayCodesUtf8(model_.Codes(i));
    if (const size_t offset = lines_[line].rfind(text); offset != std::string::npos) {
      shown_.push_back({line, offset, text.size()});
    } else {
      std::string_view instruction = listing::InstructionOf(lines_[line]);
      if (instruction.empty()) instruction = lines_[line];
      shown_.push_back({line, size_t(instruction.data() - lines_[line].data()), instruction.size(), true});
    }
    modelLineOf_[line] = i;
  }
}

std::pair<size_t, size_t> Document::Clamped(const Json& position) const {
  const size_t line = position.at("line").get<size_t>();
  if (line >= lines_.size()) return {lines_.size() - 1, lines_.back().size()};
  return {line, ByteAt(lines_[line], position.at("character").get<size_t>(), encoding_)};
}

// A listing is read again whole: its numbers and headers decide which of its
// lines are program lines.
void Document::Change(const Json& start, const Json& end, std::string_view text) {
  auto [firstLine, firstByte] = Clamped(start);
  auto [lastLine, lastByte] = Clamped(end);
  if (std::pair(lastLine, lastByte) < std::pair(firstLine, firstByte))
    lastLine = firstLine, lastByte = firstByte;
  std::vector<std::string> lines = ClientLines(lines_[firstLine].substr(0, firstByte) + std::string(text) +
                                               lines_[lastLine].substr(lastByte));
  const size_t added = lines.size();
  const size_t removed = lastLine - firstLine + 1;
  const auto at = lines_.begin() + std::ptrdiff_t(firstLine);
  lines_.erase(at, at + std::ptrdiff_t(removed));
  lines_.insert(lines_.begin() + std::ptrdiff_t(firstLine), std::make_move_iterator(lines.begin()),
                std::make_move_iterator(lines.end()));
  if (listing_) return Read(Joined(lines_, 0, lines_.size()));
  model_.Replace(firstLine, removed, Joined(lines_, firstLine, firstLine + added));
}

void Document::ChangeAll(std::string_view text) {
  RefuseLarge(text);
  Read(text);
}

Document::Shown Document::ShownOf(size_t modelLine) const {
  if (listing_) return shown_[modelLine];
  return {modelLine, 0, lines_[modelLine].size()};
}

std::optional<ModelPlace> Document::ModelAt(const Json& position) const {
  const auto [line, byte] = Clamped(position);
  const size_t modelLine = listing_ ? modelLineOf_[line] : line;
  if (modelLine == kNone) return std::nullopt;
  const Shown shown = ShownOf(modelLine);
  const std::string_view text = std::string_view(lines_[line]).substr(shown.offset, shown.size);
  return ModelPlace{modelLine, CharacterAt(text, byte < shown.offset ? 0 : byte - shown.offset)};
}

Position Document::PositionAt(size_t line, size_t byte) const {
  return {line, ColumnAt(lines_[line], byte, encoding_)};
}

Range Document::RangeOf(size_t modelLine, size_t begin, size_t end) const {
  const Shown shown = ShownOf(modelLine);
  if (shown.respelled) return RangeOfLine(modelLine);
  const std::string_view text = std::string_view(lines_[shown.line]).substr(shown.offset, shown.size);
  return {PositionAt(shown.line, shown.offset + ByteOfCharacter(text, begin)),
          PositionAt(shown.line, shown.offset + ByteOfCharacter(text, end))};
}

Range Document::RangeOfLine(size_t modelLine) const {
  const Shown shown = ShownOf(modelLine);
  return {PositionAt(shown.line, shown.offset), PositionAt(shown.line, shown.offset + shown.size)};
}

Range Document::RangeOfDocumentLine(size_t line) const {
  return {PositionAt(line, 0), PositionAt(line, lines_[line].size())};
}

}  // namespace orrikey::lsp
