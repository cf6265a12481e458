#pragma once

#include <string>
#include <string_view>

namespace climstat {

// Texts are UTF-8 inside the program; the text files it writes are Windows-1252. Characters
// without a Windows-1252 byte, and malformed UTF-8 sequences, become '?'.
std::string toWindows1252(std::string_view utf8);

// The reverse, for names and captions read from Windows-1252 sources.
std::string fromWindows1252(std::string_view bytes);

}  // namespace climstat
