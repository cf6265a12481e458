#include "core/win1252.h"

#include <array>
#include <cstdint>

namespace climstat {

namespace {

// Code points of the bytes 0x80..0x9F; 0 where the byte is undefined.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char encode(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp && cp != 0) return static_cast<char>(0x80 + i);
    }
    return '?';
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string toWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto byte = static_cast<std::uint8_t>(utf8[i]);
        int length = byte < 0x80           ? 1
                     : (byte >> 5) == 0x6  ? 2
                     : (byte >> 4) == 0xE  ? 3
                     : (byte >> 3) == 0x1E ? 4
                                           : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t cp = length == 1 ? byte : byte & (0x7F >> length);
        bool wellFormed = true;
        for (int k = 1; k < length; ++k) {
            auto next = static_cast<std::uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                wellFormed = false;
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!wellFormed) {
            out += '?';
            ++i;
            continue;
        }
        // A character spelt with more bytes than it needs, a surrogate or a code point beyond
        // Unicode is not a character either.
        constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kSmallest[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            out += '?';
            i += static_cast<std::size_t>(length);
            continue;
        }
        out += encode(cp);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string fromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<std::uint8_t>(c);
        char32_t cp = byte;
        if (byte >= 0x80 && byte < 0xA0) {
            cp = kHighControls[byte - 0x80];
            if (cp == 0) cp = U'?';
        }
        appendUtf8(out, cp);
    }
    return out;
}

}  // namespace climstat
