#include "ui/LocalPath.h"

#include "text/Utf8.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace orrikey {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscapedByte(char16_t unit) { return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF; }

}  // namespace

QString FromLocalPath(std::string_view bytes) {
  QString path;
  path.reserve(qsizetype(bytes.size()));
  for (size_t i = 0; i < bytes.size();) {
    if (const auto read = text::ReadUtf8Char(bytes.substr(i))) {
      path += QString::fromUcs4(&read->c, 1);
      i += read->length;
    } else {
      path += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[i++])));
    }
  }
  return path;
}

std::string LocalPath(const QString& path) {
  std::string bytes;
  bytes.reserve(size_t(path.size()));
  qsizetype from = 0;
  const auto flush = [&](qsizetype to) { bytes += path.mid(from, to - from).toUtf8().toStdString(); };
  for (qsizetype i = 0; i < path.size(); ++i) {
    if (!IsEscapedByte(path[i].unicode())) continue;
    flush(i);
    bytes += char(path[i].unicode() - kEscapeBase);
    from = i + 1;
  }
  flush(path.size());
  return bytes;
}

QString AbsolutePath(const QString& path) {
  if (path.isEmpty()) return path;
  std::error_code error;
  const std::filesystem::path local = std::filesystem::absolute(LocalPath(path), error);
  if (error) return path;
  const std::filesystem::path name = local.filename();
  if (!name.empty() && name != "." && name != "..") {
    const std::unique_ptr<char, decltype(&std::free)> folder(realpath(local.parent_path().c_str(), nullptr),
                                                             &std::free);
    if (folder) return FromLocalPath((std::filesystem::path(folder.get()) / name).string());
  }
  return FromLocalPath(local.lexically_normal().string());
}

}  // namespace orrikey
