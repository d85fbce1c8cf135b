#include "decoder/Reader.h"

#include "decoder/detail/Index.h"
#include "decoder/detail/InstructionDecoder.h"

namespace orrikey::decoder {

Reader::Reader(Bytes bytes) : index_(detail::Index::Get()), bytes_(bytes) {}

bool Reader::Next(Instruction& instruction) {
  if (pos_ >= bytes_.size() || stop_) return false;
  instruction = {};
  detail::InstructionDecoder decoder(index_, bytes_, pos_);
  if (!decoder.Read(instruction)) {
    stop_ = Stop{pos_, count_ + 1};
    return false;
  }
  instruction.offset = static_cast<std::uint32_t>(pos_);
  instruction.size = static_cast<std::uint32_t>(decoder.pos() - pos_);
  pos_ = decoder.pos();
  ++count_;
  return true;
}

Decoded Decode(Bytes bytes) {
  Decoded decoded;
  // Real programs average about three bytes a line.
  decoded.lines.reserve(bytes.size() / 3 + 1);
  Reader reader(bytes);
  for (Instruction instruction; reader.Next(instruction);) decoded.lines.push_back(instruction);
  decoded.stop = reader.stop();
  return decoded;
}

std::string StopMessage(const std::optional<Stop>& stop) {
  if (!stop) return {};
  return std::string(kErrorLine) + " - Around Line: " + std::to_string(stop->line);
}

}  // namespace orrikey::decoder
