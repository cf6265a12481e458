#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace climstat {

// Writes a file so that it is either complete or not changed at all: the bytes go to a
// temporary file beside the target, which replaces the target only when everything was
// written. An existing file keeps its permissions and, where the system allows, its owner; a
// symbolic link keeps pointing at its file, whose content is replaced (or created, when the
// link points at nothing yet). Devices, pipes and folders are refused. Throws DataFileError
// naming the file and the cause when it cannot be created or written, or is not a regular file.
void writeFileReplacing(const std::string& path, std::string_view bytes);

// The same with a writer that fills a stream.
void writeFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& writer);

// The file a write to `path` changes: the final target of a symbolic link (the link itself
// stays, and its target need not exist yet), or the path itself. Throws DataFileError for a
// path that names a folder, a device or a pipe, or a link that cannot be followed.
std::string replacedFilePath(const std::string& path);

// Writes `bytes` into the new file `temporary` and flushes it to the disk. When `original`
// exists, the new file takes its permissions and, where the system allows, its owner and
// group. A failure removes the temporary and throws DataFileError naming `shownPath` and the
// cause (permission denied, disk full, ...).
void writeNewFile(const std::string& temporary, std::string_view bytes, const std::string& original,
                  const std::string& shownPath);

// Flushes the entries of a folder (names created, renamed or removed) to the disk; errors are
// ignored, as some file systems cannot do it.
void syncFolder(const std::string& folder);

// Input files are read whole or streamed; none may be larger than this.
inline constexpr std::uintmax_t kMaxInputFileBytes = 64u * 1024u * 1024u;

// Refuses, before it is opened, an input that is a folder, a device, a pipe or larger than
// kMaxInputFileBytes (reading a pipe or a device could wait for ever). A missing file passes:
// opening it says so. Throws DataFileError naming the file.
void checkInputFile(const std::string& path);

// Opens an input file for binary reading after checkInputFile; throws DataFileError naming
// the file and why it cannot be opened (missing, permission denied, ...).
std::ifstream openInputFile(const std::string& path);

// Whether two paths name the same file (device and inode, links followed); false when either
// does not exist.
bool isSameFile(const std::string& a, const std::string& b);

// The whole content of an input file, opened as openInputFile does and never more than
// kMaxInputFileBytes (a file that grows while it is read is refused too). Throws DataFileError
// naming the file when it cannot be opened or read.
std::string readInputFile(const std::string& path);

}  // namespace climstat
