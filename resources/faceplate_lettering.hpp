#pragma once
#include "resources/bitmap.hpp"
#include <array>
#include <cstdint>

// The lettering printed on the bezel below the display: the brand word in a wide geometric
// capital face and the model number for its badge, both with strokes two dots wide. The
// faceplate paints each '#' in a light ink, one dot a pixel.
namespace ql::lettering {

// The brand word.
inline constexpr auto brand_O = picture<12, 15>({
    "..########..",
    ".##########.",
    "###......###",
    "##........##",
    "##........##",
    "##........##",
    "##........##",
    "##........##",
    "##........##",
    "##........##",
    "##........##",
    "##........##",
    "###......###",
    ".##########.",
    "..########..",
});

inline constexpr auto brand_S = picture<12, 15>({
    "..########..",
    ".##########.",
    "###......###",
    "##........##",
    "##..........",
    "###.........",
    ".#########..",
    "..#########.",
    ".........###",
    "..........##",
    "..........##",
    "##........##",
    "###......###",
    ".##########.",
    "..########..",
});

inline constexpr auto brand_T = picture<12, 15>({
    "############",
    "############",
    ".....##.....",
    ".....##.....",
    ".....##.....",
    ".....##.....",
    ".....##.....",
    ".....##.....",
    ".....##.....",
    ".....##.....",
    ".....##.....",
    ".....##.....",
    ".....##.....",
    ".....##.....",
    ".....##.....",
});

inline constexpr auto brand_R = picture<12, 15>({
    "##########..",
    "###########.",
    "##.......###",
    "##........##",
    "##........##",
    "##.......###",
    "###########.",
    "##########..",
    "##.....###..",
    "##......###.",
    "##.......###",
    "##........##",
    "##........##",
    "##........##",
    "##........##",
});

inline constexpr auto brand_E = picture<11, 15>({
    "###########",
    "###########",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "#########..",
    "#########..",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "###########",
    "###########",
});

inline constexpr auto brand_L = picture<11, 15>({
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "##.........",
    "###########",
    "###########",
});

// The model badge.
inline constexpr auto badge_Q = picture<9, 11>({
    ".#######.",
    "##.....##",
    "##.....##",
    "##.....##",
    "##.....##",
    "##.....##",
    "##.....##",
    "##..##.##",
    "##...####",
    "##....###",
    ".########",
});

inline constexpr auto badge_L = picture<8, 11>({
    "##......",
    "##......",
    "##......",
    "##......",
    "##......",
    "##......",
    "##......",
    "##......",
    "##......",
    "########",
    "########",
});

inline constexpr auto badge_dash = picture<6, 11>({
    "......",
    "......",
    "......",
    "......",
    "######",
    "######",
    "......",
    "......",
    "......",
    "......",
    "......",
});

inline constexpr auto badge_7 = picture<9, 11>({
    "#########",
    "#########",
    ".......##",
    "......##.",
    ".....##..",
    "....##...",
    "...##....",
    "...##....",
    "...##....",
    "...##....",
    "...##....",
});

inline constexpr auto badge_3 = picture<9, 11>({
    ".#######.",
    "#########",
    ".......##",
    ".......##",
    "...#####.",
    "...#####.",
    ".......##",
    ".......##",
    "##.....##",
    "#########",
    ".#######.",
});

inline constexpr auto badge_0 = picture<9, 11>({
    ".#######.",
    "##.....##",
    "##.....##",
    "##.....##",
    "##.....##",
    "##.....##",
    "##.....##",
    "##.....##",
    "##.....##",
    "##.....##",
    ".#######.",
});

// A letter of either word, whatever its size.
struct LetteringGlyph {
    int width;
    int height;
    const std::uint8_t* bits; // the picture's bands
};

template <std::size_t W, std::size_t H> constexpr LetteringGlyph glyph(const Picture<W, H>& p) {
    return LetteringGlyph{static_cast<int>(W), static_cast<int>(H), p.data()};
}

inline constexpr std::array BRAND_WORD{glyph(brand_O), glyph(brand_S), glyph(brand_T),
                                       glyph(brand_R), glyph(brand_E), glyph(brand_L)};
inline constexpr std::array MODEL_BADGE{glyph(badge_Q), glyph(badge_L), glyph(badge_dash),
                                        glyph(badge_7), glyph(badge_3), glyph(badge_0)};

} // namespace ql::lettering
