#pragma once
#include "resources/bitmap.hpp"

// The pictures of the calibration and service screens and of the About screen. Every one is
// drawn by exclusive-or; what a '#' shows depends on what lies under it, as each group below says.
//
// The fuel gauge shows the fuel pump of the trip pages, PageFuelPumpIcon in resources/icons.hpp,
// which has the size and subject that screen asks for.
namespace ql {

// The pictures keep one row of dots a line.
// clang-format off

// Title icons of the calibration and performance lists, 17 x 17, in the style of the set-up
// screens: a dark square with rounded corners carrying its symbol as clear dots.

// Calibration: a two-pin plug pointing right, its lead curling away to the bottom left.
inline constexpr auto CalibrationIcon = picture<17, 17>({
    "..#############..",
    ".###############.",
    "#################",
    "#################",
    "#######.....#####",
    "#######.###.#####",
    "#######.###....##",
    "#######.###.#####",
    "####....###.#####",
    "###.###.###.#####",
    "###.###.###....##",
    "###.###.###.#####",
    "###.###.....#####",
    "###.#############",
    "###.#############",
    ".###############.",
    "..#############..",
});

// Performance: a line rising in a zig-zag and ending in an arrow head.
inline constexpr auto PerformanceIcon = picture<17, 17>({
    "..#############..",
    ".###############.",
    "#################",
    "#################",
    "###########....##",
    "#############..##",
    "############.#.##",
    "###########.##.##",
    "######.###.######",
    "#####.#.#.#######",
    "####.###.########",
    "###.#############",
    "##.##############",
    "#################",
    "#################",
    ".###############.",
    "..#############..",
});

// Result symbols, 19 x 19, drawn on the clear screen above a message: a dark disc carrying its
// sign as clear dots. The clock error screen shows the cross and the factory-reset question the
// exclamation mark.

// Done: a tick.
inline constexpr auto ResultTickIcon = picture<19, 19>({
    ".......#####.......",
    ".....#########.....",
    "...#############...",
    "..###############..",
    "..###############..",
    ".#############.###.",
    ".############.####.",
    "############.######",
    "###########.#######",
    "####.#####.########",
    "#####.###.#########",
    "######.#.##########",
    ".######.##########.",
    ".#################.",
    "..###############..",
    "..###############..",
    "...#############...",
    ".....#########.....",
    ".......#####.......",
});

// Error: a diagonal cross.
inline constexpr auto ResultCrossIcon = picture<19, 19>({
    ".......#####.......",
    ".....#########.....",
    "...#############...",
    "..###############..",
    "..###############..",
    ".####.#######.####.",
    ".#####.#####.#####.",
    "#######.###.#######",
    "########.#.########",
    "#########.#########",
    "########.#.########",
    "#######.###.#######",
    ".#####.#####.#####.",
    ".####.#######.####.",
    "..###############..",
    "..###############..",
    "...#############...",
    ".....#########.....",
    ".......#####.......",
});

// Warning: an exclamation mark.
inline constexpr auto ResultWarnIcon = picture<19, 19>({
    ".......#####.......",
    ".....#########.....",
    "...#############...",
    "..#######.#######..",
    "..#######.#######..",
    ".########.########.",
    ".########.########.",
    "#########.#########",
    "#########.#########",
    "#########.#########",
    "#########.#########",
    "#########.#########",
    ".#################.",
    ".########.########.",
    "..#######.#######..",
    "..###############..",
    "...#############...",
    ".....#########.....",
    ".......#####.......",
});

// Question: a question mark.
inline constexpr auto ResultQuestionIcon = picture<19, 19>({
    ".......#####.......",
    ".....#########.....",
    "...#############...",
    "..###############..",
    "..######...######..",
    ".######.###.######.",
    ".#####.#####.#####.",
    "############.######",
    "###########.#######",
    "##########.########",
    "#########.#########",
    "#########.#########",
    ".#################.",
    ".#################.",
    "..#######.#######..",
    "..###############..",
    "...#############...",
    ".....#########.....",
    ".......#####.......",
});

// Progress dots of the calibration drive, 7 x 7: the solid dot runs along a row of rings. The
// ring is the outline of the solid dot; each is drawn into its own cleared 7 x 7 square.

inline constexpr auto ProgressDotSolid = picture<7, 7>({
    "..###..",
    ".#####.",
    "#######",
    "#######",
    "#######",
    ".#####.",
    "..###..",
});

inline constexpr auto ProgressDotRing = picture<7, 7>({
    "..###..",
    ".#...#.",
    "#.....#",
    "#.....#",
    "#.....#",
    ".#...#.",
    "..###..",
});

// Performance run, beside the time, 11 x 14: a dark stopwatch with a light hand at twelve, the
// crown on top and the push-button at the upper right.
inline constexpr auto StopwatchIcon = picture<11, 14>({
    "...#####...",
    ".....#.....",
    ".....#..##.",
    "...#####.##",
    "..#######..",
    ".####.####.",
    "#####.#####",
    "#####.#####",
    "#####.#####",
    "###########",
    "###########",
    ".#########.",
    "..#######..",
    "...#####...",
});

// About screen: the brand word in bold lower-case letters, 33 x 10, dark on the clear screen. Its
// first column carries ink, since the screen lines it up by its left edge with the identity line
// below.
inline constexpr auto BrandLogo = picture<33, 10>({
    "...............................##",
    "..............##...............##",
    "..............##...............##",
    ".####...####.####.##.##..####..##",
    "##..##.##.....##..####..##..##.##",
    "##..##.###....##..##....##..##.##",
    "##..##..###...##..##....######.##",
    "##..##...###..##..##....##.....##",
    "##..##....##..##..##....##.....##",
    ".####..####....##.##.....#####.##",
});

// Fuel gauge: the word drawn inside the empty bar, in capitals 5 dots high, one word per
// language. Each reaches both ends of its box, since the screen centres it by the box.

inline constexpr auto EmptyWordEnglish = picture<30, 5>({
    "#..#..##......###.#..#.###.#..",
    "##.#.#..#.....#...#..#.#...#..",
    "#.##.#..#.....##..#..#.##..#..",
    "#..#.#..#.....#...#..#.#...#..",
    "#..#..##......#....##..###.###",
});

inline constexpr auto EmptyWordFrench = picture<14, 5>({
    "#.#.#.###..###",
    "#.#.#.#..#.#..",
    "#.#.#.#..#.##.",
    "#.#.#.#..#.#..",
    ".#..#.###..###",
});

inline constexpr auto EmptyWordItalian = picture<22, 5>({
    "#.#.#..#..##..###..##.",
    "#.#.#..#.#..#..#..#..#",
    "#.#.#..#.#..#..#..#..#",
    "#.#.#..#.#..#..#..#..#",
    ".#...##...##...#...##.",
});

inline constexpr auto EmptyWordSpanish = picture<20, 5>({
    "#.#..##...##..#..##.",
    "#.#.#..#.#..#.#.#..#",
    "#.#.#..#.#....#.#..#",
    "#.#.####.#..#.#.#..#",
    ".#..#..#..##..#..##.",
});

inline constexpr auto EmptyWordGerman = picture<16, 5>({
    "#...###.###.###.",
    "#...#...#...#..#",
    "#...##..##..###.",
    "#...#...#...#.#.",
    "###.###.###.#..#",
});

// clang-format on

} // namespace ql
