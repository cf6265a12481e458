#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace climstat {

// Writes a file so that it is either complete or not changed at all: the bytes go to a
// temporary file beside the target, which replaces the target only when everything was
// written. Throws DataFileError naming the file when it cannot be created or written.
void writeFileReplacing(const std::string& path, std::string_view bytes);

// The same with a writer that fills a stream.
void writeFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& writer);

}  // namespace climstat
