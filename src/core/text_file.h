#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace climstat {

// Writes a file so that it is either complete or not changed at all: the bytes go to a
// temporary file beside the target, which replaces the target only when everything was
// written. An existing file keeps its permissions; a symbolic link keeps pointing at the file,
// whose content is replaced. Devices, pipes and folders are refused. Throws DataFileError
// naming the file when it cannot be created or written, or is not a regular file.
void writeFileReplacing(const std::string& path, std::string_view bytes);

// Several files, each as above, all complete on disk before the first one replaces anything
// (the two files of a station, say).
void writeFilesReplacing(const std::vector<std::pair<std::string, std::string>>& files);

// Input files are read whole or streamed; none may be larger than this.
inline constexpr std::uintmax_t kMaxInputFileBytes = 64u * 1024u * 1024u;

// Refuses, before it is opened, an input that is a folder, a device, a pipe or larger than
// kMaxInputFileBytes (reading a pipe or a device could wait for ever). A missing file passes:
// opening it says so. Throws DataFileError naming the file.
void checkInputFile(const std::string& path);

// The same with a writer that fills a stream.
void writeFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& writer);

}  // namespace climstat
