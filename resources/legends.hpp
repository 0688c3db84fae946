#pragma once
#include "resources/bitmap.hpp"
#include <cstdint>
#include <string_view>

// The soft-key legends beside the four buttons: 7 x 24 bitmaps drawn by exclusive-or onto the
// dark side bars, so a '#' here shows as a light dot.
//
// Words are spelt from one set of capitals 5 dots high, drawn upright below. A word is turned a
// quarter turn counter-clockwise to stand on the bar: the top of each capital faces the display
// edge of the legend (column 1), and the word reads from the bottom up, its first letter in the
// bottom band. Capitals are 3, 4 or 5 columns wide (narrow E F I L, wide M N T V Y Z), one blank
// row apart, so that the longest words still fit the 24 rows. A word is centred on the legend
// with the odd spare row below it: the blank rows under the word are (24 - length + 1) / 2.
namespace ql {

namespace legend_letters {

inline constexpr auto A = picture<4, 5>({
    ".##.",
    ".##.",
    "#..#",
    "####",
    "#..#",
});
inline constexpr auto B = picture<4, 5>({
    "###.",
    "#..#",
    "###.",
    "#..#",
    "###.",
});
inline constexpr auto C = picture<4, 5>({
    ".##.",
    "#..#",
    "#...",
    "#..#",
    ".##.",
});
inline constexpr auto D = picture<4, 5>({
    "###.",
    "#..#",
    "#..#",
    "#..#",
    "###.",
});
inline constexpr auto E = picture<3, 5>({
    "###",
    "#..",
    "##.",
    "#..",
    "###",
});
inline constexpr auto F = picture<3, 5>({
    "###",
    "#..",
    "##.",
    "#..",
    "#..",
});
inline constexpr auto G = picture<4, 5>({
    ".###",
    "#...",
    "#.##",
    "#..#",
    ".###",
});
inline constexpr auto H = picture<4, 5>({
    "#..#",
    "#..#",
    "####",
    "#..#",
    "#..#",
});
inline constexpr auto I = picture<3, 5>({
    "###",
    ".#.",
    ".#.",
    ".#.",
    "###",
});
inline constexpr auto J = picture<4, 5>({
    "...#",
    "...#",
    "...#",
    "#..#",
    ".##.",
});
inline constexpr auto K = picture<4, 5>({
    "#..#",
    "#.#.",
    "##..",
    "#.#.",
    "#..#",
});
inline constexpr auto L = picture<3, 5>({
    "#..",
    "#..",
    "#..",
    "#..",
    "###",
});
inline constexpr auto M = picture<5, 5>({
    "#...#",
    "##.##",
    "#.#.#",
    "#...#",
    "#...#",
});
inline constexpr auto N = picture<5, 5>({
    "#...#",
    "##..#",
    "#.#.#",
    "#..##",
    "#...#",
});
inline constexpr auto O = picture<4, 5>({
    ".##.",
    "#..#",
    "#..#",
    "#..#",
    ".##.",
});
inline constexpr auto P = picture<4, 5>({
    "###.",
    "#..#",
    "###.",
    "#...",
    "#...",
});
inline constexpr auto R = picture<4, 5>({
    "###.",
    "#..#",
    "###.",
    "#.#.",
    "#..#",
});
inline constexpr auto S = picture<4, 5>({
    ".###",
    "#...",
    ".##.",
    "...#",
    "###.",
});
inline constexpr auto T = picture<5, 5>({
    "#####",
    "..#..",
    "..#..",
    "..#..",
    "..#..",
});
inline constexpr auto U = picture<4, 5>({
    "#..#",
    "#..#",
    "#..#",
    "#..#",
    ".##.",
});
inline constexpr auto V = picture<5, 5>({
    "#...#",
    "#...#",
    ".#.#.",
    ".#.#.",
    "..#..",
});
inline constexpr auto Y = picture<5, 5>({
    "#...#",
    ".#.#.",
    "..#..",
    "..#..",
    "..#..",
});
inline constexpr auto Z = picture<5, 5>({
    "#####",
    "...#.",
    "..#..",
    ".#...",
    "#####",
});

struct Capital {
    char letter;
    std::uint8_t width;
    const std::uint8_t* columns; // one byte per column, bit 0 the top row
};

inline constexpr Capital capitals[] = {
    {'A', A.width, A.data()}, {'B', B.width, B.data()}, {'C', C.width, C.data()},
    {'D', D.width, D.data()}, {'E', E.width, E.data()}, {'F', F.width, F.data()},
    {'G', G.width, G.data()}, {'H', H.width, H.data()}, {'I', I.width, I.data()},
    {'J', J.width, J.data()}, {'K', K.width, K.data()}, {'L', L.width, L.data()},
    {'M', M.width, M.data()}, {'N', N.width, N.data()}, {'O', O.width, O.data()},
    {'P', P.width, P.data()}, {'R', R.width, R.data()}, {'S', S.width, S.data()},
    {'T', T.width, T.data()}, {'U', U.width, U.data()}, {'V', V.width, V.data()},
    {'Y', Y.width, Y.data()}, {'Z', Z.width, Z.data()},
};

constexpr const Capital& capital(char letter) {
    for (const Capital& c : capitals)
        if (c.letter == letter) return c;
    throw "a legend word uses a letter that has no capital";
}

inline constexpr std::size_t LEGEND_WIDTH = 7;
inline constexpr std::size_t LEGEND_HEIGHT = 24;

// Composes a word legend: each capital turned a quarter turn counter-clockwise, so that its
// left column becomes the lowest row of its place and its top row lands in legend column 1.
consteval Picture<LEGEND_WIDTH, LEGEND_HEIGHT> word(std::string_view text) {
    if (text.empty()) throw "a legend word has at least one letter";
    std::size_t length = text.size() - 1;
    for (char letter : text)
        length += capital(letter).width;
    if (length > LEGEND_HEIGHT) throw "a legend word must fit 24 rows";

    Picture<LEGEND_WIDTH, LEGEND_HEIGHT> out;
    std::size_t bottom = LEGEND_HEIGHT - 1 - (LEGEND_HEIGHT - length + 1) / 2;
    for (char letter : text) {
        const Capital& c = capital(letter);
        for (std::size_t col = 0; col < c.width; ++col) {
            const std::size_t y = bottom - col;
            for (std::size_t row = 0; row < 5; ++row)
                if ((c.columns[col] >> row) & 1u)
                    out.bytes[(y / 8) * LEGEND_WIDTH + 1 + row] |=
                        static_cast<std::uint8_t>(1u << (y % 8));
        }
        bottom -= c.width + 1;
    }
    return out;
}

} // namespace legend_letters

// One bitmap per distinct word; languages that share a word share its bitmap.
namespace legend_words {
using legend_letters::word;

inline constexpr auto BACK = word("BACK");
inline constexpr auto PRECE = word("PRECE");
inline constexpr auto INDT = word("INDT");
inline constexpr auto ATR = word("ATR");
inline constexpr auto ZRCK = word("ZRCK");
inline constexpr auto SET = word("SET");
inline constexpr auto REGLA = word("REGLA");
inline constexpr auto IMP = word("IMP");
inline constexpr auto AJST = word("AJST");
inline constexpr auto EINST = word("EINST");
inline constexpr auto EDIT = word("EDIT");
inline constexpr auto MODIF = word("MODIF");
inline constexpr auto MOD = word("MOD");
inline constexpr auto MODF = word("MODF");
inline constexpr auto BEAR = word("BEAR");
inline constexpr auto CLR = word("CLR");
inline constexpr auto RAZ = word("RAZ");
inline constexpr auto AZZ = word("AZZ");
inline constexpr auto BORR = word("BORR");
inline constexpr auto LSCH = word("LSCH");
inline constexpr auto MODE = word("MODE");
inline constexpr auto MODO = word("MODO");
inline constexpr auto STRT = word("STRT");
inline constexpr auto DEMAR = word("DEMAR");
inline constexpr auto ACTV = word("ACTV");
inline constexpr auto STOP = word("STOP");
inline constexpr auto DTEN = word("DTEN");
inline constexpr auto YES = word("YES");
inline constexpr auto OUI = word("OUI");
inline constexpr auto SI = word("SI");
inline constexpr auto JA = word("JA");
inline constexpr auto NO = word("NO");
inline constexpr auto NON = word("NON");
inline constexpr auto NEIN = word("NEIN");
inline constexpr auto OK = word("OK");
inline constexpr auto MENU = word("MENU");

} // namespace legend_words

// The symbol legends, thin strokes centred on the legend like the words.
namespace legend_symbols {

inline constexpr auto UP = picture<7, 24>({
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
    ".......", ".......", "...#...", "..#.#..", ".#...#.", "#.....#", ".......", ".......",
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
});
inline constexpr auto DOWN = picture<7, 24>({
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
    ".......", ".......", "#.....#", ".#...#.", "..#.#..", "...#...", ".......", ".......",
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
});
inline constexpr auto LEFT = picture<7, 24>({
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
    "....#..", "...#...", "..#....", ".#.....", "..#....", "...#...", "....#..", ".......",
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
});
inline constexpr auto RIGHT = picture<7, 24>({
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
    "..#....", "...#...", "....#..", ".....#.", "....#..", "...#...", "..#....", ".......",
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
});
inline constexpr auto PLUS = picture<7, 24>({
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
    ".......", "...#...", "...#...", ".#####.", "...#...", "...#...", ".......", ".......",
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
});
inline constexpr auto MINUS = picture<7, 24>({
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
    ".......", ".......", ".......", ".#####.", ".......", ".......", ".......", ".......",
    ".......", ".......", ".......", ".......", ".......", ".......", ".......", ".......",
});

} // namespace legend_symbols

} // namespace ql
