#include "encoder/Assembly.h"

#include <algorithm>

namespace orrikey::encoder {

void Assembly::Add(const Line& line) {
  if (line.assembled.failed()) ++failures_;
  else size_ += line.assembled.bytes.size();
}

void Assembly::Remove(const Line& line) {
  if (line.assembled.failed()) --failures_;
  else size_ -= line.assembled.bytes.size();
}

void Assembly::Replace(size_t first, size_t count, std::vector<Line> lines) {
  const auto from = lines_.begin() + static_cast<std::ptrdiff_t>(first);
  const auto to = from + static_cast<std::ptrdiff_t>(count);
  std::for_each(from, to, [this](const Line& line) { Remove(line); });
  for (const Line& line : lines) Add(line);
  const std::ptrdiff_t moved = static_cast<std::ptrdiff_t>(lines.size()) - static_cast<std::ptrdiff_t>(count);
  const auto after = lines_.erase(from, to);
  const auto inserted =
      lines_.insert(after, std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
  for (auto it = inserted + static_cast<std::ptrdiff_t>(lines.size()); it != lines_.end(); ++it)
    it->sourceLine += moved;
}

void Assembly::Append(Line line) {
  Add(line);
  lines_.push_back(std::move(line));
}

std::vector<size_t> Assembly::FailedLines() const {
  std::vector<size_t> failed;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].assembled.failed()) failed.push_back(i);
  return failed;
}

std::vector<std::uint8_t> Assembly::Bytes() const {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(size_);
  for (const Line& line : lines_)
    if (!line.assembled.failed())
      bytes.insert(bytes.end(), line.assembled.bytes.begin(), line.assembled.bytes.end());
  return bytes;
}

std::vector<ProgramSpan> Assembly::Programs() const {
  std::vector<ProgramSpan> programs;
  ProgramSpan program;
  bool holdsInstruction = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const AssembledLine& line = lines_[i].assembled;
    holdsInstruction |= line.failed() || !line.bytes.empty();
    if (!line.failed() && !line.endsProgram() && !line.dropped()) program.size += line.bytes.size();
    if (!line.endsProgram()) continue;
    program.end = i + 1;
    programs.push_back(program);
    program = {i + 1, i + 1, 0};
    holdsInstruction = false;
  }
  program.end = lines_.size();
  if (holdsInstruction) programs.push_back(program);
  return programs;
}

std::string SizeText(const std::vector<ProgramSpan>& programs) {
  if (programs.empty()) return {};
  if (programs.size() == 1) return "{ " + std::to_string(programs.front().size) + "-Byte Prgm }";
  size_t total = 0;
  for (const ProgramSpan& program : programs) total += program.size;
  return std::to_string(total) + " bytes in " + std::to_string(programs.size()) + " programs";
}

Assembly::Place Assembly::PlaceOf(size_t index) const {
  const std::vector<Place> places = PlacesOf(index, 1);
  return places.empty() ? Place{} : places.front();
}

std::vector<Assembly::Place> Assembly::PlacesOf(size_t first, size_t count) const {
  std::vector<Place> places;
  if (first >= lines_.size()) return places;
  // The steps and bytes before `first` in its program, back to the END before it.
  size_t steps = 0, offset = 0;
  for (size_t i = first; i-- > 0 && !lines_[i].assembled.endsProgram();) {
    if (!lines_[i].assembled.isStep()) continue;
    ++steps;
    offset += lines_[i].assembled.bytes.size();
  }
  const size_t end = std::min(lines_.size(), first + count);
  places.reserve(end - first);
  for (size_t i = first; i < end; ++i) {
    const AssembledLine& line = lines_[i].assembled;
    places.push_back({line.isStep() ? steps + 1 : 0, offset});
    if (line.endsProgram()) {
      steps = offset = 0;
    } else if (line.isStep()) {
      ++steps;
      offset += line.bytes.size();
    }
  }
  return places;
}

Assembly Assemble(const std::vector<std::string>& lines) {
  Assembly assembly;
  assembly.Reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) assembly.Append({i + 1, AssembleLine(lines[i])});
  return assembly;
}

std::string FailureMessage(size_t sourceLine, EncodeError error, std::string_view reason) {
  std::string message = "Line: " + std::to_string(sourceLine) + " " + std::string(ErrorLine(error));
  if (!reason.empty()) message.append(": ").append(reason);
  return message;
}

std::string FailureMessage(size_t sourceLine, const AssembledLine& line) {
  return FailureMessage(sourceLine, *line.error, FailureReason(line));
}

}  // namespace orrikey::encoder
