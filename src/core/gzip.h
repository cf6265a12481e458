#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace climstat {

// Whether the bytes begin as a gzip file does (the two magic bytes 1F 8B).
bool isGzip(std::string_view bytes);

// The content of gzip data (RFC 1952: one member or several in a row, each a deflate stream of
// RFC 1951 with its CRC-32 and length checked). Throws DataFileError naming `path` with
// ErrorKind::GzipCorrupt (`detail` says what is wrong) for data that are not sound gzip, and
// ErrorKind::TooLargeUnpacked when the content would exceed `maxBytes`: the output never grows
// past it, whatever the input claims, so a small file that unpacks to gigabytes costs nothing.
std::string gunzip(std::string_view bytes, const std::string& path, std::size_t maxBytes);

}  // namespace climstat
