#pragma once

// File names between Qt's strings and the file system's bytes. A name that
// is not valid UTF-8 still names its file: each byte that is not part of a
// valid character travels as a lone surrogate (U+DC80 to U+DCFF) and turns
// back into the same byte, so every file the command line opens, the editor
// opens too.

#include <QString>

#include <string>
#include <string_view>

namespace orrikey {

QString FromLocalPath(std::string_view bytes);
std::string LocalPath(const QString& path);

// The path from the root, with its folders' symbolic links and "." and ".."
// resolved; the file's own name stays as given, link or not. Work kept for
// the next start must name the same file whatever the folder it starts in.
QString AbsolutePath(const QString& path);

}  // namespace orrikey
