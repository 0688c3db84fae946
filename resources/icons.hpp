#pragma once
#include "resources/bitmap.hpp"

// The marks and icons of the trip screen. They are drawn by exclusive-or onto a cleared area, so
// a '#' shows as a dark dot. The icons share one style: 1-dot outlines, round faces, solid hubs
// only where a needle pivots, so that they read at a glance beside the small digits.
namespace ql {

// Counting direction beside the interval distance: a solid triangle pointing the way the
// distance counts.
inline constexpr auto DirectionUpIcon = picture<7, 4>({
    "...#...",
    "..###..",
    ".#####.",
    "#######",
});

inline constexpr auto DirectionDownIcon = picture<7, 4>({
    "#######",
    ".#####.",
    "..###..",
    "...#...",
});

// Speedometer dials of the speed pages: the needle shows which speed the page holds, low
// (current), middle (average) or high (maximum).
inline constexpr auto DialLeftIcon = picture<15, 13>({
    ".....#####.....",
    "...##..#..##...",
    "..#.........#..",
    ".#...........#.",
    ".#..#........#.",
    "#....#........#",
    "#.....#.......#",
    "##....###....##",
    "#.....###.....#",
    "#.............#",
    ".#...........#.",
    ".#...........#.",
    "..#.........#..",
});

inline constexpr auto DialUpIcon = picture<15, 13>({
    ".....#####.....",
    "...##..#..##...",
    "..#.........#..",
    ".#.....#.....#.",
    ".#.....#.....#.",
    "#......#......#",
    "#......#......#",
    "##....###....##",
    "#.....###.....#",
    "#.............#",
    ".#...........#.",
    ".#...........#.",
    "..#.........#..",
});

inline constexpr auto DialRightIcon = picture<15, 13>({
    ".....#####.....",
    "...##..#..##...",
    "..#.........#..",
    ".#...........#.",
    ".#........#..#.",
    "#........#....#",
    "#.......#.....#",
    "##....###....##",
    "#.....###.....#",
    "#.............#",
    ".#...........#.",
    ".#...........#.",
    "..#.........#..",
});

// Fuel pump with its hose and nozzle hooked on the side.
inline constexpr auto PageFuelPumpIcon = picture<12, 14>({
    "..#####.....",
    ".#.....#.#..",
    ".#.###.#..#.",
    ".#.###.#...#",
    ".#.###.#...#",
    ".#.....#...#",
    ".#.....##..#",
    ".#.....#.#.#",
    ".#.....#.#.#",
    ".#.....#.#.#",
    ".#.....#..#.",
    ".#.....#....",
    ".#.....#....",
    "#########...",
});

// Stopwatch: crown and stem on top of the face; told apart from the clock by the crown.
inline constexpr auto PageStopwatchIcon = picture<11, 14>({
    "...#####...",
    ".....#.....",
    ".....#.....",
    "...#####...",
    ".##.....##.",
    ".#.......#.",
    "#....#....#",
    "#....#....#",
    "#....#....#",
    "#.........#",
    "#.........#",
    ".#.......#.",
    ".##.....##.",
    "...#####...",
});

// Clock face with hour marks and the hands at three o'clock.
inline constexpr auto ClockIcon = picture<13, 13>({
    "....#####....",
    "..##..#..##..",
    ".#.........#.",
    ".#....#....#.",
    "#.....#.....#",
    "#.....#.....#",
    "##....####.##",
    "#...........#",
    "#...........#",
    ".#.........#.",
    ".#.........#.",
    "..##..#..##..",
    "....#####....",
});

// Total distance: a double-headed arrow spanning a rounded square.
inline constexpr auto DistanceIcon = picture<13, 13>({
    "..#########..",
    ".#.........#.",
    "#...........#",
    "#...........#",
    "#...#...#...#",
    "#..#.....#..#",
    "#.#########.#",
    "#..#.....#..#",
    "#...#...#...#",
    "#...........#",
    "#...........#",
    ".#.........#.",
    "..#########..",
});

} // namespace ql
