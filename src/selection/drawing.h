#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace climstat {

// Drawing of the selection pictures as data: the window paints these lists and nothing else.

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kSilver{192, 192, 192};
inline constexpr Rgb kFuchsia{255, 0, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kAqua{0, 255, 255};
inline constexpr Rgb kLime{0, 255, 0};
inline constexpr Rgb kTeal{0, 128, 128};
inline constexpr Rgb kBlack{0, 0, 0};

// A filled rectangle in picture pixels; right and bottom edges are exclusive.
struct FilledRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    Rgb colour;
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const FilledRect&, const FilledRect&) = default;
};

// A straight line from (x1, y1) to (x2, y2), both ends drawn.
struct LineSegment {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    Rgb colour;
    friend bool operator==(const LineSegment&, const LineSegment&) = default;
};

struct Font {
    std::string family;
    int pixelHeight = 0;
    bool bold = false;
    // The platform's window-text colour, whatever it is; otherwise `colour`.
    bool windowTextColour = true;
    Rgb colour;
};

// A text whose upper-left corner is at (x, y), written on the given background colour unless
// it is transparent.
struct PlacedText {
    int x = 0;
    int y = 0;
    std::string text;
    Rgb background;
    bool vertical = false;  // written top to bottom, one character under the other
    bool transparent = false;
    friend bool operator==(const PlacedText&, const PlacedText&) = default;
};

// A text written centred inside a box, in its own colour.
struct BoxedText {
    FilledRect box;
    std::string text;
    Rgb ink;
    friend bool operator==(const BoxedText&, const BoxedText&) = default;
};

// Black or white, whichever reads better on a fill: white on dark fills (blue, red, teal...),
// black on light ones (silver, aqua, lime...), by the fill's luma.
inline Rgb contrastingInk(Rgb fill) {
    const int luma = 299 * fill.r + 587 * fill.g + 114 * fill.b;  // thousandths
    return luma < 140 * 1000 ? kWhite : kBlack;
}

}  // namespace climstat
